// The command-line tool's contract: arguments, exit status, the dump format and messages on
// standard error. Scripts outside the program rely on it.

#include "ProgramVersion.h"
#include "calc/RateSchedules.h"
#include "files/ClientFile.h"
#include "slot/Form1041Page1.h"
#include "store/Amounts.h"
#include "store/Answers.h"
#include "support/FilesTempHome.h"
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvan {
namespace {

namespace f1 = quorvan::slot::form1041Page1;

using test::ReadFileBytes;
using test::RunCli;
using test::TestDataPath;

// A client file in a fresh temporary folder, removed with the object.
class TemporaryClientFile {
public:
    TemporaryClientFile()
    {
        char folder[] = "/tmp/quorvan-cli-XXXXXX";
        folder_ = mkdtemp(folder);
        path_ = folder_ + "/return.fq6";
    }
    ~TemporaryClientFile()
    {
        std::remove(path_.c_str());
        std::remove((folder_ + "/out.fq6").c_str());
        rmdir(folder_.c_str());
    }
    const std::string& Path() const { return path_; }
    std::string Folder() const { return folder_; }

private:
    std::string folder_;
    std::string path_;
};

std::string Quoted(const std::string& path)
{
    return "'" + path + "'";
}

TEST(Cli, UsageErrorsExitWithTwo)
{
    std::string out, err;
    EXPECT_EQ(RunCli("", out, err), 2);
    EXPECT_NE(err.find("usage:"), std::string::npos);
    EXPECT_EQ(RunCli("--bogus x.fq6", out, err), 2);
    EXPECT_EQ(RunCli("--dump --write", out, err), 2);
    EXPECT_EQ(RunCli("a.fq6 b.fq6", out, err), 2);
    // An empty value names nothing to write to; the tool says so instead of writing nothing.
    for (const char* arguments : {"--write '' x.fq6", "--print '' x.fq6", "--print x.rtf --forms '' x.fq6",
                                  "--print x.rtf --data '' x.fq6"}) {
        EXPECT_EQ(RunCli(arguments, out, err), 2) << arguments;
        EXPECT_NE(err.find("needs a"), std::string::npos) << arguments << err;
    }
    EXPECT_TRUE(out.empty());
}

TEST(Cli, HelpAndVersionAnswerOnStandardOutput)
{
    std::string out, err;
    EXPECT_EQ(RunCli("--version", out, err), 0);
    EXPECT_EQ(out, std::string("quorvan_16-calc ") + kProgramVersion + "\n");
    EXPECT_EQ(RunCli("--dump --help", out, err), 0);  // no client file needed
    EXPECT_NE(out.find("usage: quorvan_16-calc"), std::string::npos) << out;
    EXPECT_NE(out.find("--print OUT"), std::string::npos) << out;
    EXPECT_TRUE(err.empty()) << err;
}

TEST(Cli, UnreadableFileExitsWithOneAndSaysWhy)
{
    std::string out, err;
    EXPECT_EQ(RunCli("--dump /nonexistent/return.fq6", out, err), 1);
    EXPECT_TRUE(out.empty());

    TemporaryClientFile file;
    {
        FILE* f = std::fopen(file.Path().c_str(), "wb");
        std::fputs("Some other program\r\n", f);
        std::fclose(f);
    }
    EXPECT_EQ(RunCli("--dump " + Quoted(file.Path()), out, err), 1);
    EXPECT_NE(err.find("33010: 3301-An error occurred when Quorvan_16 attempted to open the client file. \n"),
              std::string::npos)
        << err;
    EXPECT_TRUE(out.empty());
}

TEST(Cli, CutShortFileIsReadButExitsWithFiveAndSaysHowMuchWasMissing)
{
    TemporaryClientFile file;
    const std::string whole = ReadFileBytes(TestDataPath("handwritten-trust.fq6"));
    {
        FILE* f = std::fopen(file.Path().c_str(), "wb");
        std::fwrite(whole.data(), 1, whole.size() / 3, f);
        std::fclose(f);
    }
    std::string out, err;
    EXPECT_EQ(RunCli("--once --dump " + Quoted(file.Path()), out, err), 6);
    EXPECT_NE(out.find("1/0:11=Zoë Müller Family Trust — 2016\n"), std::string::npos);
    EXPECT_NE(err.find("33030: 3303-The client file ends before its last page. "), std::string::npos) << err;
    EXPECT_NE(err.find(file.Path() + " ends after line "), std::string::npos) << err;

    EXPECT_EQ(RunCli("", out, err), 2);
    EXPECT_NE(err.find("6 FILE ends before its last page"), std::string::npos) << err;
}

TEST(Cli, FolderGivenAsTheClientFileExitsWithOneAndSaysWhy)
{
    TemporaryClientFile file;
    std::string out, err;
    EXPECT_EQ(RunCli("--dump " + Quoted(file.Folder()), out, err), 1);
    EXPECT_NE(err.find("33050: 3305-Quorvan_16 could not read the file. " + file.Folder() + " is a folder, not a file."),
              std::string::npos)
        << err;
}

// The tax on taxable income beyond 2^32 dollars: whole dollars are 64 bits wide all the way from
// the typed amount through line 22 to the rate schedule.
TEST(Cli, BusinessIncomeBeyondThirtyTwoBitsIsTaxedInFull)
{
    TemporaryClientFile file;
    {
        ScopedAnswerStore store;
        store->SetText(1, 0, f1::line3Business.slot, "4,294,977,296");  // line 3, business income
        std::string error;
        ASSERT_TRUE(SaveClientFileAt(*store, file.Path(), error)) << error;
    }
    std::string out, err;
    ASSERT_EQ(RunCli("--dump " + Quoted(file.Path()), out, err), 0) << err;
    const auto answer = [&](const std::string& slot) {
        const size_t at = out.find("\n" + slot + "=");
        return at == std::string::npos ? std::string() : out.substr(at + slot.size() + 2, out.find('\n', at + 1) - at - slot.size() - 2);
    };
    EXPECT_EQ(answer("1/0:41"), "4,294,977,296");  // total income
    const long long taxable = Str2Int(answer("1/0:56"));
    EXPECT_GT(taxable, 4294976000LL);
    // Schedule G line 1a: the 2016 schedule's top bracket, 3,206 + 39.6% above 12,400.
    const long long tax = Str2Int(answer("2/0:24"));
    EXPECT_EQ(tax, GetTax(taxable));
    EXPECT_NEAR(static_cast<double>(tax), 3206 + (taxable - 12400) * 0.396, 1.0);
    EXPECT_GT(tax, 1700000000LL);
    EXPECT_TRUE(err.empty()) << err;
}

TEST(Cli, DumpListsTheNonEmptyAnswersOfThePagesTheFileHolds)
{
    std::string out, err;
    ASSERT_EQ(RunCli("--once --dump " + Quoted(TestDataPath("handwritten-trust.fq6")), out, err), 0) << err;
    EXPECT_NE(out.find("1/0:11=Zoë Müller Family Trust — 2016\n"), std::string::npos);
    EXPECT_NE(out.find("1/0:56*=1,000\n"), std::string::npos);   // overridden taxable income stays
    EXPECT_NE(out.find("18/0:86*=0\n"), std::string::npos);     // a page total is always recomputed
    EXPECT_NE(out.find("18/2:1=left over\n"), std::string::npos); // the page after those in use
    EXPECT_NE(out.find("39/0:100=last slot\n"), std::string::npos);
    EXPECT_EQ(out.find("1/0:2="), std::string::npos);           // empty answers are left out

    // Sorted by form type, page and slot.
    std::istringstream lines(out);
    std::string line;
    std::tuple<int, int, int> previous{-1, -1, -1};
    while (std::getline(lines, line)) {
        int t = 0, k = 0, s = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "%d/%d:%d", &t, &k, &s), 3) << line;
        const std::tuple<int, int, int> key{t, k, s};
        EXPECT_LT(previous, key) << line;
        previous = key;
    }
}

TEST(Cli, OverriddenEmptyAnswerIsDumpedAndAMessageGoesToStandardError)
{
    TemporaryClientFile file;
    {
        ScopedAnswerStore store;
        store->SetOvRide(1, 0, f1::line23TotalTax.slot, true);  // line 23 overridden and left empty
        store->SetText(1, 0, f1::line3Business.slot, "12a");   // an amount that does not read
        std::string error;
        ASSERT_TRUE(SaveClientFileAt(*store, file.Path(), error)) << error;
    }
    std::string out, err;
    ASSERT_EQ(RunCli("--once --dump " + Quoted(file.Path()), out, err), 0);
    EXPECT_NE(out.find("1/0:57*=\n"), std::string::npos);
    EXPECT_NE(err.find("21192: 2119-Str2Float_0. An error occurred while Quorvan_16 was converting an entry to a real number. \"12a\" does not read as a number and counts as 0.  | You can probably click OK"),
              std::string::npos)
        << err;
}

TEST(Cli, AmountNotationsInAFileReadExactlyOrAreNamed)
{
    struct Case {
        const char* business;  // line 3 as the file holds it
        const char* total;     // line 9, total income
        const char* named;     // the text message 2119 names; empty: no message
    };
    // business as in the file | total income | named
    const Case cases[] = {
        {"1e-10", "0", ""},  // the exponent's minus is no sign of the amount
        {"5E-01", "1", ""},
        {"1.5E+0003", "1,500", ""},
        {"(1,234)", "-1,234", ""},
        {"1,234-", "-1,234", ""},
        {"1.000,50", "0", "\"1.000,50\" does not read"},
        {"1,5", "0", "\"1,5\" does not read"},
        {"5-3", "0", "\"5-3\" does not read"},
        {"1 2 3", "0", "\"1 2 3\" does not read"},
        {"--5", "0", "\"--5\" does not read"},
    };
    for (const Case& c : cases) {
        TemporaryClientFile file;
        {
            ScopedAnswerStore store;
            store->SetText(1, 0, f1::line3Business.slot, c.business);
            std::string error;
            ASSERT_TRUE(SaveClientFileAt(*store, file.Path(), error)) << error;
        }
        std::string out, err;
        EXPECT_EQ(RunCli("--dump " + Quoted(file.Path()), out, err), 0) << c.business;
        const std::string total = std::string("\n1/0:41=") + c.total + "\n";
        EXPECT_NE(("\n" + out).find(total), std::string::npos) << c.business << "\n" << out.substr(0, 300);
        if (*c.named) {
            EXPECT_NE(err.find(std::string("2119-Str2Float_0")), std::string::npos) << c.business << err;
            EXPECT_NE(err.find(c.named), std::string::npos) << c.business << err;
        } else {
            EXPECT_EQ(err.find("2119"), std::string::npos) << c.business << err;
        }
    }
}

TEST(Cli, DamagedBytesAreRepairedNamedAndNeverReachTheTerminal)
{
    TemporaryClientFile file;
    std::string bytes = ReadFileBytes(TestDataPath("handwritten-trust.fq6"));
    const size_t name = bytes.find("Zo\xEB");
    ASSERT_NE(name, std::string::npos);
    bytes.insert(name, "\x1B[2J\x07");
    test::WriteFileBytes(file.Path(), bytes);
    std::string out, err;
    EXPECT_EQ(RunCli("--once --dump " + Quoted(file.Path()), out, err), 8);
    EXPECT_EQ(out.find('\x1B'), std::string::npos);
    EXPECT_EQ(out.find('\x07'), std::string::npos);
    EXPECT_NE(out.find("1/0:11=[2JZoë Müller Family Trust — 2016\n"), std::string::npos);
    EXPECT_NE(err.find("3309-"), std::string::npos) << err;
    EXPECT_NE(err.find(file.Path() + ": line 91 held control characters, removed."), std::string::npos) << err;
}

TEST(Cli, WriteSavesTheSettledReturn)
{
    TemporaryClientFile file;
    const std::string written = file.Folder() + "/out.fq6";
    std::string out, err;
    ASSERT_EQ(RunCli("--write " + Quoted(written) + " " + Quoted(TestDataPath("handwritten-trust.fq6")), out, err), 0);
    EXPECT_TRUE(out.empty());
    std::string dumpOfWritten, dumpOfOriginal;
    ASSERT_EQ(RunCli("--once --dump " + Quoted(written), dumpOfWritten, err), 0);
    ASSERT_EQ(RunCli("--dump " + Quoted(TestDataPath("handwritten-trust.fq6")), dumpOfOriginal, err), 0);
    EXPECT_EQ(dumpOfWritten, dumpOfOriginal);
}

TEST(Cli, WriteOntoAWriteProtectedFileExitsWithOneAndKeepsIt)
{
    TemporaryClientFile file;
    const std::string written = file.Folder() + "/out.fq6";
    {
        FILE* f = std::fopen(written.c_str(), "wb");
        std::fputs("kept", f);
        std::fclose(f);
    }
    ASSERT_EQ(chmod(written.c_str(), 0444), 0);
    std::string out, err;
    EXPECT_EQ(RunCli("--write " + Quoted(written) + " " + Quoted(TestDataPath("handwritten-trust.fq6")), out, err), 1);
    EXPECT_NE(err.find("Cannot save " + written + ": the file is write-protected (read-only)."), std::string::npos)
        << err;
    EXPECT_EQ(ReadFileBytes(written), "kept");
}

TEST(Cli, SampleReturnShowsEveryComputedLineOfPageOne)
{
    std::string out, err;
    ASSERT_EQ(RunCli("--dump " + Quoted(std::string(QUORVAN_SOURCE_DIR) + "/examples/sample-trust.fq6"), out, err), 0) << err;
    for (const char* line : {"1/0:16=", "1/0:30=4,620\n", "1/0:31=5,160\n", "1/0:41=9,780\n", "1/0:50=2,900\n",
                             "1/0:51=6,880\n", "1/0:54=100\n", "1/0:57=", "1/0:60=1,500\n", "1/0:67=1,500\n"})
        EXPECT_NE(out.find(line), std::string::npos) << line;
}

}  // namespace
}  // namespace quorvan
