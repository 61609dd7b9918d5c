// Large and odd returns: every page of every counted form type in use, answers of a thousand
// characters, amounts at the largest an answer may hold, and a save that runs out of room.

#include "cli/Dump.h"
#include "files/ClientFile.h"
#include "support/FilesTempHome.h"
#include "support/ReturnFixture.h"
#include "slot/Form1041Page1.h"
#include "slot/Interest.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorvan {
namespace {

namespace f1 = quorvan::slot::form1041Page1;
namespace interest = quorvan::slot::interest;

using test::ReadFileBytes;
using test::ReturnFixture;

// Fills every counted form type's twenty pages, every slot 5 to 12 of each page with an amount
// of up to twelve digits, and names of a thousand characters.
void FillEveryPage(ReturnFixture& r)
{
    const std::string longName = std::string(990, 'N') + " Trust Zoë";
    r.Set(f1::nameOfEstateOrTrust, longName);
    r.Set(f1::itemAComplexTrust, "X");
    for (int t = 0; t < kFormTypes; ++t) {
        int* count = r.Store().CountField(t);
        if (!count)
            continue;
        *count = kMaxPages;
        for (int k = 0; k < kMaxPages; ++k) {
            for (int s = 5; s <= 12; ++s)
                r.Set(t, k, s, s % 2 ? "999,999,999,999" : "(123,456,789,012)");
            r.Set(t, k, 4, longName);  // slot-check: raw, every counted form type alike
        }
    }
    for (int k = 0; k < kMaxPages; ++k)
        r.Store().BeneficiaryInterest[k] = 0.05;
}

std::string Written(TAnswer& store)
{
    std::ostringstream out(std::ios::binary);
    EXPECT_TRUE(WriteClientFile(store, out));
    return out.str();
}

TEST(LargeReturns, EveryPageInUseRecalculatesSavesAndReopens)
{
    std::string saved;
    std::string dump;
    {
        ReturnFixture r;
        FillEveryPage(r);
        r.Settle();
        EXPECT_FALSE(r.Store().ErrFlag);
        saved = Written(r.Store());
        dump = DumpReturn(r.Store());
    }
    ReturnFixture again;
    std::istringstream in(saved, std::ios::binary);
    ASSERT_TRUE(ReadClientFile(again.Store(), in));
    EXPECT_EQ(again.Store().NoOfSchedK, 20);
    EXPECT_EQ(again.Store().NoOf8949_F, 20);
    EXPECT_EQ(DumpReturn(again.Store()), dump);
    again.Settle();
    EXPECT_EQ(Written(again.Store()), saved);

    // Every page of it prints through the command-line tool from the generated templates.
    char folder[] = "/tmp/quorvan-large-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/large.fq6";
    const std::string document = std::string(folder) + "/large.rtf";
    std::string error;
    ASSERT_TRUE(SaveClientFileAt(again.Store(), path, error)) << error;
    std::string out, err;
    EXPECT_EQ(test::RunCli("--print '" + document + "' --forms all '" + path + "'", out, err), 0) << err;
    const std::string printed = ReadFileBytes(document);
    EXPECT_EQ(printed.rfind("{\\rtf1", 0), 0u);
    // Twenty pages of each counted form type start a new printed page each.
    size_t breaks = 0;
    for (size_t at = printed.find("\\pagebb "); at != std::string::npos; at = printed.find("\\pagebb ", at + 1))
        ++breaks;
    EXPECT_GE(breaks, 11u * 20u);
    std::remove(path.c_str());
    std::remove(document.c_str());
    rmdir(folder);
}

// Every text answer of the fiduciary at the longest an answer may be: what the calculators put
// together from them (a street and its second line on Forms 1041-A, 1041-T, 1041-V and the
// vouchers) still fits, so the saved file reopens.
TEST(LargeReturns, LongestAnswersSaveAndReopen)
{
    ReturnFixture r;
    for (const SlotRef field : {f1::nameOfEstateOrTrust, f1::nameAndTitleOfFiduciary, f1::fiduciaryStreet,
                                f1::fiduciaryAddress2, f1::fiduciaryCity})
        r.Set(field, std::string(kMaxAnswerLength - 1, 'x') + "\xC3\xA9");  // ending in "é"
    r.Settle();
    const std::string saved = Written(r.Store());
    EXPECT_TRUE(r.Messages().Empty());
    ReturnFixture again;
    std::istringstream in(saved, std::ios::binary);
    EXPECT_TRUE(ReadClientFile(again.Store(), in));
    EXPECT_TRUE(again.Messages().Empty());
}

TEST(LargeReturns, SaveThatRunsOutOfRoomKeepsTheOldFile)
{
    char folder[] = "/tmp/quorvan-full-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/client.fq6";
    {
        ReturnFixture small;
        small.Set(f1::nameOfEstateOrTrust, "Old Trust");
        std::string error;
        ASSERT_TRUE(SaveClientFileAt(small.Store(), path, error)) << error;
    }
    const std::string before = ReadFileBytes(path);

    // The child may write no more than 64 KiB to any file, as on a nearly full disk.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, 64 * 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        ScopedAnswerStore store;
        for (int k = 0; k < kMaxPages; ++k)
            store->SetText(ftInterest, k, interest::entries::Slot(0, interest::entries::description).slot,
                           std::string(1000, 'x'));
        store->NoOfInterest = 20;
        std::string error;
        const bool saved = SaveClientFileAt(*store, path, error);
        _exit(!saved && !error.empty() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save did not report the failure";
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(test::NamesIn(folder), std::vector<std::string>{"client.fq6"});  // no temporary file left
    std::remove(path.c_str());
    rmdir(folder);
}

}  // namespace
}  // namespace quorvan
