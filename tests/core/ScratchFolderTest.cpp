// Scratch folders of a print: made the owner's only, removed when done, and what a killed run
// left behind removed by the next run, never a folder of a run still going or anything a link
// inside points to.

#include "files/ScratchFolder.h"
#include "support/FilesTempHome.h"
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

namespace quorvan {
namespace {

using test::NamesIn;
using test::ReadFileBytes;
using test::TempHome;
using test::WriteFileBytes;

// The number of a process that has ended.
long EndedProcess()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    int status = 0;
    waitpid(child, &status, 0);
    return child;
}

void MakeFolder(const std::string& path, time_t age = 0)
{
    ASSERT_EQ(::mkdir(path.c_str(), 0700), 0) << path;
    WriteFileBytes(path + "/send_temp.rtf", "{\\rtf1}");
    if (age) {
        const time_t then = ::time(nullptr) - age;
        const utimbuf times{then, then};
        ASSERT_EQ(::utime(path.c_str(), &times), 0);
    }
}

TEST(ScratchFolder, WhatEndedRunsLeftIsRemovedAndNothingElse)
{
    TempHome tmp;
    const std::string outside = tmp / "precious.fq6";
    WriteFileBytes(outside, "kept");
    const std::string dead = std::to_string(EndedProcess());
    const std::string running = std::to_string(::getppid());
    const time_t hours = 60 * 60;

    // name | age: left behind
    MakeFolder(tmp / ("quorvan_16-print-" + dead + "-a1b2c3"));
    ASSERT_EQ(::symlink(outside.c_str(), (tmp / ("quorvan_16-print-" + dead + "-a1b2c3/link")).c_str()), 0);
    MakeFolder(tmp / "quorvan_16-print-Zx9Qw1", 2 * hours);                      // an earlier version's
    MakeFolder(tmp / ("quorvan_16-print-" + running + "-d4e5f6"), 25 * hours);  // a day old
    // kept: a run still going, an earlier version's still young, another purpose, other names
    MakeFolder(tmp / ("quorvan_16-print-" + running + "-g7h8i9"));
    MakeFolder(tmp / "quorvan_16-print-Qw1Zx9");
    MakeFolder(tmp / ("quorvan_16-preview-" + dead + "-j1k2l3"));
    MakeFolder(tmp / ("quorvan_16-print-" + dead + "-toolongname"));
    WriteFileBytes(tmp / ("quorvan_16-print-" + dead + "-m4n5o6"), "a file, not a folder");

    EXPECT_EQ(RemoveLeftoverScratchFolders(tmp.Path(), "print"), 3);
    std::vector<std::string> kept = {"precious.fq6", "quorvan_16-preview-" + dead + "-j1k2l3",
                                     "quorvan_16-print-" + dead + "-m4n5o6", "quorvan_16-print-" + dead + "-toolongname",
                                     "quorvan_16-print-" + running + "-g7h8i9", "quorvan_16-print-Qw1Zx9"};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(NamesIn(tmp.Path()), kept);
    EXPECT_EQ(ReadFileBytes(outside), "kept");
}

TEST(ScratchFolder, IsTheOwnersOnlyAndGoesWhenDone)
{
    TempHome tmp;
    const char* before = std::getenv("TMPDIR");
    const std::string saved = before ? before : "";
    ::setenv("TMPDIR", tmp.Path().c_str(), 1);
    MakeFolder(tmp / ("quorvan_16-print-" + std::to_string(EndedProcess()) + "-a1b2c3"));
    std::string path;
    {
        ScratchFolder scratch("print");
        path = scratch.Path();
        ASSERT_EQ(path.rfind(tmp / ("quorvan_16-print-" + std::to_string(::getpid()) + "-"), 0), 0u) << path;
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
        WriteFileBytes(path + "/out.rtf", "x");
        // The leftover went when this one was made.
        EXPECT_EQ(NamesIn(tmp.Path()), std::vector<std::string>{path.substr(tmp.Path().size() + 1)});
    }
    EXPECT_TRUE(NamesIn(tmp.Path()).empty());
    if (before)
        ::setenv("TMPDIR", saved.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
}

}  // namespace
}  // namespace quorvan
