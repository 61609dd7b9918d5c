// Saving a file: permission bits, symbolic links, links planted at temporary names, saves that
// fail and saves that race each other.

#include "files/AtomicFile.h"
#include "support/FilesTempHome.h"
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorvan {
namespace {

using test::NamesIn;
using test::ReadFileBytes;
using test::TempHome;
using test::WriteFileBytes;

unsigned ModeOf(const std::string& path)
{
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

bool IsLink(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool Save(const std::string& path, const std::string& bytes)
{
    std::string error;
    const bool saved = WriteFileAtomically(path, bytes, error);
    EXPECT_EQ(saved, error.empty()) << error;
    return saved;
}

// Runs `body` in a child process and gives its exit status (-1 when it did not exit).
template <typename Body>
int InChild(Body body)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(body());
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(AtomicFile, NewFileIsTheOwnersOnlyAndAnExistingFileKeepsItsBits)
{
    TempHome home;
    const mode_t oldMask = ::umask(022);
    const std::string path = home / "client.fq6";
    ASSERT_TRUE(Save(path, "first"));
    EXPECT_EQ(ModeOf(path), 0600u);

    for (const unsigned bits : {0640u, 0604u, 0200u}) {
        ASSERT_EQ(::chmod(path.c_str(), bits), 0);
        ASSERT_TRUE(Save(path, "again"));
        EXPECT_EQ(ModeOf(path), bits);
    }
    EXPECT_EQ(ReadFileBytes(path), "again");
    EXPECT_EQ(NamesIn(home.Path()), std::vector<std::string>{"client.fq6"});
    ::umask(oldMask);
}

TEST(AtomicFile, WriteProtectedFileIsNeverReplaced)
{
    TempHome home;
    const std::string path = home / "client.fq6";
    WriteFileBytes(path, "kept");
    ASSERT_EQ(::symlink("client.fq6", (home / "link.fq6").c_str()), 0);
    for (const unsigned bits : {0444u, 0400u, 0044u}) {
        ASSERT_EQ(::chmod(path.c_str(), bits), 0);
        for (const char* name : {"client.fq6", "link.fq6"}) {
            std::string error;
            EXPECT_FALSE(WriteFileAtomically(home / name, "replaced", error)) << bits;
            EXPECT_EQ(error, "Cannot save " + (home / name) + ": the file is write-protected (read-only).");
        }
        EXPECT_EQ(ReadFileBytes(path), "kept");
        EXPECT_EQ(ModeOf(path), bits);
    }
    EXPECT_EQ(NamesIn(home.Path()), (std::vector<std::string>{"client.fq6", "link.fq6"}));
}

TEST(AtomicFile, PathNamingNoFileIsRefused)
{
    TempHome home;
    for (const std::string& path : {std::string(), home.Path() + "/"}) {
        std::string error;
        EXPECT_FALSE(WriteFileAtomically(path, "x", error));
        EXPECT_EQ(error, "Cannot save \"" + path + "\": it names no file.");
    }
    EXPECT_TRUE(NamesIn(home.Path()).empty());
}

TEST(AtomicFile, SavingAnotherUsersFileKeepsItsOwnerWhereTheSystemAllows)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the superuser may give a file away";
    TempHome home;
    const std::string path = home / "client.fq6";
    WriteFileBytes(path, "old");
    ASSERT_EQ(::chown(path.c_str(), 1234, 5678), 0);
    ASSERT_TRUE(Save(path, "new"));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 1234u);
    EXPECT_EQ(info.st_gid, 5678u);
}

TEST(AtomicFile, SymbolicLinkStaysAndTheFileItPointsToIsWritten)
{
    TempHome home;
    ASSERT_EQ(::mkdir((home / "returns").c_str(), 0700), 0);
    const std::string target = home / "returns/2016.fq6";
    WriteFileBytes(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    // A relative link, followed from the link's own folder; and a link to that link.
    ASSERT_EQ(::symlink("returns/2016.fq6", (home / "current.fq6").c_str()), 0);
    ASSERT_EQ(::symlink((home / "current.fq6").c_str(), (home / "latest.fq6").c_str()), 0);

    ASSERT_TRUE(Save(home / "latest.fq6", "new"));
    EXPECT_TRUE(IsLink(home / "latest.fq6"));
    EXPECT_TRUE(IsLink(home / "current.fq6"));
    EXPECT_EQ(ReadFileBytes(target), "new");
    EXPECT_EQ(ModeOf(target), 0640u);
    EXPECT_EQ(NamesIn(home / "returns"), std::vector<std::string>{"2016.fq6"});

    // A link to a file not there yet makes that file, owner-only.
    ASSERT_EQ(::symlink("returns/2017.fq6", (home / "next.fq6").c_str()), 0);
    ASSERT_TRUE(Save(home / "next.fq6", "next year"));
    EXPECT_TRUE(IsLink(home / "next.fq6"));
    EXPECT_EQ(ReadFileBytes(home / "returns/2017.fq6"), "next year");
    EXPECT_EQ(ModeOf(home / "returns/2017.fq6"), 0600u);
}

TEST(AtomicFile, LinkPlantedAtATemporaryNameIsNeverWrittenThrough)
{
    TempHome home;
    const std::string victim = home / "victim";
    WriteFileBytes(victim, "precious");
    const std::string path = home / "client.fq6";
    // The names a save used before, and the start of the names it uses now.
    for (const std::string& planted : {path + ".saving", TemporaryNamePrefix(path) + "XXXXXX"})
        ASSERT_EQ(::symlink(victim.c_str(), planted.c_str()), 0);

    ASSERT_TRUE(Save(path, "the return"));
    EXPECT_EQ(ReadFileBytes(victim), "precious");
    EXPECT_EQ(ReadFileBytes(path), "the return");
    EXPECT_FALSE(IsLink(path));
}

TEST(AtomicFile, PathThatIsNoFileIsNeverReplaced)
{
    TempHome home;
    ASSERT_EQ(::mkdir((home / "folder.fq6").c_str(), 0700), 0);
    ASSERT_EQ(::mkfifo((home / "pipe.fq6").c_str(), 0600), 0);
    for (const char* name : {"folder.fq6", "pipe.fq6"}) {
        std::string error;
        EXPECT_FALSE(WriteFileAtomically(home / name, "x", error)) << name;
        EXPECT_NE(error.find(home / name), std::string::npos) << error;
    }
    EXPECT_EQ(NamesIn(home.Path()), (std::vector<std::string>{"folder.fq6", "pipe.fq6"}));

    // A link that goes round in circles.
    ASSERT_EQ(::symlink("loop.fq6", (home / "loop.fq6").c_str()), 0);
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(home / "loop.fq6", "x", error));
    EXPECT_NE(error.find("symbolic links"), std::string::npos) << error;
}

TEST(AtomicFile, FailedSaveKeepsTheOldFileAndLeavesNoTemporaryFile)
{
    TempHome home;
    const std::string path = home / "client.fq6";
    WriteFileBytes(path, "old return");
    // The child may write no more than 64 KiB to any file, as on a nearly full disk.
    const int status = InChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, 64 * 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::string error;
        const bool saved = WriteFileAtomically(path, std::string(1 << 20, 'x'), error);
        return !saved && error.find(path) != std::string::npos ? 0 : 1;
    });
    EXPECT_EQ(status, 0) << "the save did not report the failure";
    EXPECT_EQ(ReadFileBytes(path), "old return");
    EXPECT_EQ(NamesIn(home.Path()), std::vector<std::string>{"client.fq6"});
}

TEST(AtomicFile, NextSaveRemovesWhatAKilledSaveLeftBehind)
{
    TempHome home;
    const std::string path = home / "client.fq6";
    const std::string prefix = TemporaryNamePrefix(path);
    const std::string leftover = prefix + "Ab12Cd";  // a save killed two hours ago
    const std::string fresh = prefix + "Xy34Zw";     // a save that may still be running
    const std::string other = TemporaryNamePrefix(home / "other.fq6") + "Ab12Cd";
    for (const std::string& name : {leftover, fresh, other})
        WriteFileBytes(name, "part of a return");
    const timespec twoHoursAgo[2] = {{::time(nullptr) - 7200, 0}, {::time(nullptr) - 7200, 0}};
    for (const std::string& name : {leftover, other})
        ASSERT_EQ(::utimensat(AT_FDCWD, name.c_str(), twoHoursAgo, 0), 0);

    ASSERT_TRUE(Save(path, "the return"));
    EXPECT_EQ(NamesIn(home.Path()), (std::vector<std::string>{".client.fq6.saving-Xy34Zw", ".other.fq6.saving-Ab12Cd",
                                                             "client.fq6"}));
}

TEST(AtomicFile, TwoSavesAtOnceEachLeaveAWholeFile)
{
    TempHome home;
    const std::string path = home / "client.fq6";
    const std::string first(3 << 20, 'A');
    const std::string second(2 << 20, 'B');
    for (int round = 0; round < 10; ++round) {
        pid_t children[2];
        for (int i = 0; i < 2; ++i) {
            children[i] = fork();
            if (children[i] == 0) {
                std::string error;
                _exit(WriteFileAtomically(path, i == 0 ? first : second, error) ? 0 : 1);
            }
        }
        for (const pid_t child : children) {
            int status = 0;
            waitpid(child, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
        }
        const std::string saved = ReadFileBytes(path);
        EXPECT_TRUE(saved == first || saved == second) << "round " << round << ": " << saved.size() << " bytes";
        EXPECT_EQ(NamesIn(home.Path()), std::vector<std::string>{"client.fq6"}) << "round " << round;
    }
}

}  // namespace
}  // namespace quorvan
