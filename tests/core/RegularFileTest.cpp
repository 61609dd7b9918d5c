// The program's file readers given what is no file of theirs: a folder, a device, a named pipe,
// a link to /dev/zero, an enormous file. Each says so by message; none crashes, floods memory
// or waits. Every case runs in a child process with an alarm, so a reader that would wait for a
// named pipe's writer fails the test instead of hanging it.

#include "files/ClientFile.h"
#include "files/Folders.h"
#include "files/PriorYear.h"
#include "files/RegularFile.h"
#include "files/Settings.h"
#include "store/Answers.h"
#include "support/FilesTempHome.h"
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorvan {
namespace {

using test::MessageRecorder;
using test::TempHome;

constexpr unsigned kSecondsAllowed = 10;

enum class Reader { Client, PriorYear, Settings };

struct NotAFileCase {
    const char* name;
    const char* path;   // "@" is the test's folder
    const char* named;  // what the message says the path is
};

// name | path | what the message says
const NotAFileCase kNotAFileCases[] = {
    {"Folder", "@/folder", "is a folder, not a file"},
    {"NamedPipe", "@/pipe", "is a named pipe (FIFO), not a file"},
    {"Device", "/dev/zero", "is a device, not a file"},
    {"LinkToDevice", "@/zero-link", "is a device, not a file"},
    {"Enormous", "@/enormous", "is larger than"},
    {"Missing", "@/missing", "does not exist"},
};

std::string Resolved(const char* path, const std::string& folder)
{
    std::string text = path;
    return text[0] == '@' ? folder + text.substr(1) : text;
}

// Reads `path` with `reader` under a recorder; true when the read refused the path with message
// 3305 saying `named` and changed nothing.
bool RefusedWithMessage(Reader reader, const std::string& path, const std::string& named)
{
    MessageRecorder messages;
    bool refused = false;
    if (reader == Reader::Settings) {
        Settings settings = DefaultSettings(DefaultFolders("/h", "/opt/quorvan"));
        const SettingsReadResult result = ReadINI(path, settings);
        refused = result.fileFound && !result.opened && settings.ClientFileFolder == "/h/Velmora/Quorvan_16/Files";
    } else {
        ScopedAnswerStore store;
        refused = !(reader == Reader::Client ? ReadClientFileAt(*store, path) : ReadPriorYearFileAt(*store, path));
    }
    return refused && messages.Codes() == std::vector<unsigned>{33050} &&
           messages.Messages()[0].extra.rfind(path + " " + named, 0) == 0;
}

class FileReadersRefuse : public testing::TestWithParam<NotAFileCase> {
protected:
    void SetUp() override
    {
        ASSERT_EQ(::mkdir((home_ / "folder").c_str(), 0700), 0);
        ASSERT_EQ(::mkfifo((home_ / "pipe").c_str(), 0600), 0);
        ASSERT_EQ(::symlink("/dev/zero", (home_ / "zero-link").c_str()), 0);
        // Sparse: beyond the limit in size, nothing on the disk.
        const int fd = ::open((home_ / "enormous").c_str(), O_CREAT | O_WRONLY, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(kMaxClientFileBytes) + 1), 0);
        ::close(fd);
    }
    TempHome home_;
};

TEST_P(FileReadersRefuse, WithAMessageAndWithoutWaiting)
{
    const NotAFileCase& c = GetParam();
    const std::string path = Resolved(c.path, home_.Path());
    for (const Reader reader : {Reader::Client, Reader::PriorYear, Reader::Settings}) {
        // A missing settings file is no fault: a new one is written (SettingsTest).
        if (reader == Reader::Settings && std::string(c.name) == "Missing")
            continue;
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            alarm(kSecondsAllowed);
            _exit(RefusedWithMessage(reader, path, c.named) ? 0 : 1);
        }
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_FALSE(WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM) << "reader " << int(reader) << " waited";
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "reader " << int(reader);
    }
    // Nothing was written over what is there.
    struct stat info {};
    if (std::string(c.name) == "NamedPipe") {
        EXPECT_TRUE(::lstat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode));
    }
}

INSTANTIATE_TEST_SUITE_P(Files, FileReadersRefuse, testing::ValuesIn(kNotAFileCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RegularFile, ReadsAFileWholeUpToItsLimit)
{
    TempHome home;
    const std::string path = home / "small";
    test::WriteFileBytes(path, std::string(100, 'x'));
    std::string bytes, problem;
    EXPECT_TRUE(ReadRegularFile(path, 100, bytes, problem)) << problem;
    EXPECT_EQ(bytes, std::string(100, 'x'));
    EXPECT_FALSE(ReadRegularFile(path, 99, bytes, problem));
    EXPECT_EQ(problem, "is larger than 99 bytes, more than any file of this kind can be");
    EXPECT_TRUE(bytes.empty());
}

}  // namespace
}  // namespace quorvan
