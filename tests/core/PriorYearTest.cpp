#include "files/PriorYear.h"

#include "files/ClientFile.h"
#include "files/Cp1252.h"
#include "files/Folders.h"
#include "slot/Form1041Page1.h"
#include "slot/Interest.h"
#include "store/Amounts.h"
#include "store/Answers.h"
#include "support/FilesTempHome.h"
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace quorvan {
namespace {

namespace f1 = quorvan::slot::form1041Page1;
namespace interest = quorvan::slot::interest;

using test::MessageRecorder;
using test::ReadFileBytes;
using test::RunCli;
using test::TempHome;
using test::TestDataPath;

// estate.fq5 was written by hand from the file layout. It holds one K-1 (pages 0 and 1), two
// interest pages in use (pages 0 to 2), one Form 8949 box A page, and a share of 0.25.
const char* const kFixture = "estate.fq5";

struct Slot {
    int formType;
    int page;
    int slot;
    const char* text;  // after the import
    bool overridden;
};

// After the import the old year's amounts are empty; names, identities and flags stay.
// form type page slot  text after import         overridden
const Slot kImported[] = {
    {1,  0,   0,   "Kept slot 0",                false},
    {1,  0,   11,  "Estate of José Núñez",       false},
    {1,  0,   29,  "kept 29",                    false},
    {1,  0,   30,  "",                           false},
    {1,  0,   45,  "",                           true},
    {1,  0,   72,  "",                           false},
    {1,  0,   73,  "kept 73",                    false},
    {1,  0,   100, "kept 100",                   false},
    {2,  0,   0,   "",                           false},
    {2,  0,   60,  "",                           false},
    {2,  0,   61,  "kept 61",                    false},
    {9,  0,   28,  "Beneficiary One",            false},
    {9,  0,   29,  "",                           false},
    {9,  0,   119, "",                           false},
    {9,  0,   120, "kept 120",                   false},
    {9,  1,   29,  "unused page keeps",          false},
    {13, 0,   3,   "voucher kept",               false},
    {14, 0,   12,  "kept 12",                    false},
    {14, 0,   13,  "",                           false},
    {18, 0,   4,   "kept 4",                     false},
    {18, 0,   5,   "",                           false},
    {18, 0,   6,   "First Bank",                 false},
    {18, 0,   7,   "",                           false},
    {18, 0,   85,  "",                           false},
    {18, 0,   86,  "kept 86",                    false},
    {18, 1,   5,   "",                           true},
    {18, 2,   5,   "beyond use",                 false},
    {24, 0,   5,   "1041-V kept",                false},
    {29, 0,   0,   "",                           false},
    {29, 0,   136, "",                           false},
    {29, 0,   137, "kept 137",                   false},
};

void ExpectImported(const TAnswer& store, const char* how)
{
    for (const Slot& s : kImported) {
        EXPECT_EQ(store.Text(s.formType, s.page, s.slot), s.text)
            << how << " [" << s.formType << "/" << s.page << ":" << s.slot << "]";
        EXPECT_EQ(store.OvRide(s.formType, s.page, s.slot), s.overridden)
            << how << " flag [" << s.formType << "/" << s.page << ":" << s.slot << "]";
    }
    EXPECT_EQ(store.NoOfSchedK, 1) << how;
    EXPECT_EQ(store.NoOfInterest, 2) << how;
    EXPECT_EQ(store.NoOf8949_A, 1) << how;
    EXPECT_EQ(store.BeneficiaryInterest[0], 0.25) << how;
    EXPECT_EQ(store.BeneficiaryInterest[1], -1) << how;
}

std::string FixtureWithHead(const std::string& identification, const std::string& version)
{
    std::string bytes = ReadFileBytes(TestDataPath(kFixture));
    const size_t lineTwo = bytes.find("\r\n") + 2;
    const size_t lineThree = bytes.find("\r\n", lineTwo) + 2;
    return identification + "\r\n" + version + "\r\n" + bytes.substr(lineThree);
}

TEST(PriorYearTest, ImportKeepsIdentitiesAndEmptiesLastYearsAmounts)
{
    MessageRecorder messages;
    ScopedAnswerStore store;
    ASSERT_TRUE(ReadPriorYearFileAt(*store, TestDataPath(kFixture)));
    EXPECT_TRUE(messages.Empty());
    ExpectImported(*store, "read");
}

TEST(PriorYearTest, IdentificationAndVersionChecks)
{
    struct Case {
        const char* name;
        const char* identification;
        const char* version;
        bool accepted;
        unsigned message;  // 0: none
    };
    // name                    line 1              line 2                       accepted  message
    const Case cases[] = {
        {"last year's text",     "Quorvan_15",       " 1.90700000000000E+0001",   true,  0},
        {"part of it",           "Quorvan",          " 1.90700000000000E+0001",   true,  0},
        {"version 19.5",         "Quorvan_15",       " 1.95000000000000E+0001",   true,  0},
        {"version 20.07",        "Quorvan_15",       " 2.00700000000000E+0001",   true,  0},
        {"this year's file",     "Quorvan_16 Demo",  " 2.00700000000000E+0001",   false, 33010},
        {"longer than the text", "Quorvan_15 Demo",  " 1.90700000000000E+0001",   false, 33010},
        {"empty first line",     "",                 " 1.90700000000000E+0001",   false, 33010},
        {"version 18.0",         "Quorvan_15",       " 1.80000000000000E+0001",   false, 33020},
        {"version 17.5 (older)", "Quorvan_15",       " 1.75000000000000E+0001",   false, 33020},
        {"version 21",           "Quorvan_15",       " 2.10000000000000E+0001",   false, 33020},
        {"version not a number", "Quorvan_15",       "nineteen",                  false, 33020},
    };
    for (const Case& c : cases) {
        MessageRecorder messages;
        ScopedAnswerStore store;
        std::istringstream in(FixtureWithHead(c.identification, c.version), std::ios::binary);
        EXPECT_EQ(ReadPriorYearFile(*store, in), c.accepted) << c.name;
        EXPECT_EQ(messages.Codes(), c.message ? std::vector<unsigned>{c.message} : std::vector<unsigned>{})
            << c.name;
    }
}

TEST(PriorYearTest, DamagedPageDataFailsNamingTheLine)
{
    std::string bytes = ReadFileBytes(TestDataPath(kFixture));
    const size_t header = bytes.find("***** Page 2; Cont 0\r\n");
    ASSERT_NE(header, std::string::npos);
    // Slot 0 of Form 1041 page 2 is "2,500"; its flag line follows.
    const size_t flag = bytes.find("2,500\r\n0\r\n", header) + 7;
    bytes[flag] = 'x';

    MessageRecorder messages;
    ScopedAnswerStore store;
    std::istringstream in(bytes, std::ios::binary);
    EXPECT_FALSE(ReadPriorYearFile(*store, in, "estate.fq5"));
    ASSERT_EQ(messages.Codes(), std::vector<unsigned>{33040});
    const size_t line = static_cast<size_t>(std::count(bytes.begin(), bytes.begin() + static_cast<long>(flag), '\n')) + 1;
    EXPECT_EQ(messages.Messages()[0].extra,
              "estate.fq5, line " + Float2Dollar(static_cast<double>(line)) + ": the override flag \"x\" is not a number");
    EXPECT_TRUE(store->ErrFlag);
}

TEST(PriorYearTest, LineLostOrAddedFailsAtTheFirstLineOutOfPlace)
{
    const std::string whole = ReadFileBytes(TestDataPath(kFixture));
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = whole.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(whole.substr(start, end - start));
    ASSERT_EQ(lines[271 - 1], "***** Page 2; Cont 0");
    ASSERT_EQ(lines[272 - 1], "2,500");
    struct Case {
        size_t line;  // 1-based
        bool lost;    // else doubled
        size_t named;
        const char* what;
    };
    // line | lost | named | what
    const Case cases[] = {
        {272, false, 273, "the override flag \"2,500\" is not a number"},
        {272, true, 273, "the override flag \"\" is not a number"},
        {lines.size(), true, lines.size(), "the last page ends one line early; a line of it has been lost"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> changed = lines;
        if (c.lost)
            changed.erase(changed.begin() + static_cast<long>(c.line - 1));
        else
            changed.insert(changed.begin() + static_cast<long>(c.line - 1), changed[c.line - 1]);
        std::string bytes;
        for (const std::string& line : changed)
            bytes += line + "\r\n";
        MessageRecorder messages;
        ScopedAnswerStore store;
        std::istringstream in(bytes, std::ios::binary);
        EXPECT_FALSE(ReadPriorYearFile(*store, in, "estate.fq5")) << c.line;
        ASSERT_EQ(messages.Codes(), std::vector<unsigned>{33040});
        EXPECT_EQ(messages.Messages()[0].extra,
                  "estate.fq5, line " + Float2Dollar(static_cast<double>(c.named)) + ": " + c.what);
    }
}

TEST(PriorYearTest, FileWrittenAsUtf8ImportsWithANotice)
{
    MessageRecorder messages;
    ScopedAnswerStore store;
    std::istringstream in(Cp1252ToUtf8(ReadFileBytes(TestDataPath(kFixture))), std::ios::binary);
    ASSERT_TRUE(ReadPriorYearFile(*store, in, "estate.fq5"));
    EXPECT_EQ(messages.Codes(), std::vector<unsigned>{33070});
    ExpectImported(*store, "read as UTF-8");
}

TEST(PriorYearTest, CurrentYearNameComesFromThePriorYearName)
{
    struct Case {
        const char* clientFolder;
        const char* priorYearPath;
        const char* expected;
    };
    // client-file folder      prior-year file                  current-year file
    const Case cases[] = {
        {"/h/Files",             "/old/estate.fq5",              "/h/Files/estate.fq6"},
        {"/h/Files/",            "/old/estate.FQ5",              "/h/Files/estate.fq6"},
        {"/h/Files",             "/old.dir/smith.trust.fq5",     "/h/Files/smith.trust.fq6"},
        {"/h/Files",             "/old.dir/noextension",         "/h/Files/noextension.fq6"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CurrentYearFileName(c.clientFolder, c.priorYearPath), c.expected) << c.priorYearPath;
}

TEST(PriorYearTest, ToolImportsAndWritesTheCurrentYearFile)
{
    TempHome home;
    const std::string written = home / "estate.fq6";
    std::string out, err;
    ASSERT_EQ(RunCli("--prior-year --write '" + written + "' '" + TestDataPath(kFixture) + "'", out, err), 0)
        << err;

    MessageRecorder messages;
    ScopedAnswerStore store;
    ASSERT_TRUE(ReadClientFileAt(*store, written));
    EXPECT_EQ(ReadFileBytes(written).substr(0, 17), "Quorvan_16 Demo\r\n");
    // Answers no calculator writes, and an overridden amount that stays empty and overridden.
    EXPECT_EQ(store->Text(1, 0, f1::nameOfEstateOrTrust.slot), "Estate of José Núñez");
    EXPECT_EQ(store->Text(18, 0, interest::entries::Slot(1, interest::entries::description).slot), "First Bank");
    EXPECT_EQ(store->Text(1, 0, f1::line12FiduciaryFees.slot), "");
    EXPECT_TRUE(store->OvRide(1, 0, f1::line12FiduciaryFees.slot));
    EXPECT_EQ(store->NoOfInterest, 2);
}

TEST(PriorYearTest, ToolRefusesAThisYearFileAsPriorYear)
{
    TempHome home;
    const std::string thisYear = home / "current.fq6";
    {
        ScopedAnswerStore store;
        std::string error;
        ASSERT_TRUE(SaveClientFileAt(*store, thisYear, error)) << error;
    }
    std::string out, err;
    EXPECT_EQ(RunCli("--prior-year '" + thisYear + "'", out, err), 1);
    EXPECT_NE(err.find("3301"), std::string::npos) << err;
    EXPECT_EQ(RunCli("'" + thisYear + "'", out, err), 0) << err;
}

}  // namespace
}  // namespace quorvan
