#include "files/ClientFile.h"
#include "files/Cp1252.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041QFT.h"
#include "slot/Interest.h"
#include "slot/ScheduleK1.h"
#include "store/Amounts.h"
#include "store/Answers.h"
#include "support/FilesTempHome.h"
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace quorvan {
namespace {

namespace f1 = quorvan::slot::form1041Page1;
namespace interest = quorvan::slot::interest;
namespace qft = quorvan::slot::form1041QFT;
namespace k1 = quorvan::slot::scheduleK1;

using test::MessageRecorder;
using test::ReadFileBytes;
using test::TempHome;
using test::TestDataPath;
using test::WriteFileBytes;

std::string Written(TAnswer& store)
{
    std::ostringstream out(std::ios::binary);
    EXPECT_TRUE(WriteClientFile(store, out));
    return out.str();
}

bool ReadBytes(TAnswer& store, const std::string& bytes)
{
    std::istringstream in(bytes, std::ios::binary);
    return ReadClientFile(store, in);
}

std::vector<std::string> Lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// Line numbers (0-based) of the head of a client file.
constexpr size_t kFirstCountLine = 3;
constexpr size_t kFirstShareLine = kFirstCountLine + 40;

TEST(ClientFile, RealsHaveTheFixedTwentyThreeCharacterForm)
{
    const std::pair<double, const char*> cases[] = {
        {20.07, " 2.00700000000000E+0001"}, {-1, "-1.00000000000000E+0000"},
        {0.25, " 2.50000000000000E-0001"},  {0, " 0.00000000000000E+0000"},
        {-0.0, " 0.00000000000000E+0000"},  {0.125, " 1.25000000000000E-0001"},
        {1.0 / 3, " 3.33333333333333E-0001"}, {123456789012345678.0, " 1.23456789012346E+0017"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(FormatFileReal(value), text) << value;
        EXPECT_EQ(FormatFileReal(value).size(), 23u);
    }
}

TEST(ClientFile, BlankReturnWritesPageZeroOfEveryFormType)
{
    TAnswer store;
    const std::vector<std::string> lines = Lines(Written(store));
    size_t expected = 64;
    for (int t = 0; t < kFormTypes; ++t)
        expected += 1 + 2 * (kSlotCount[t] + 1);
    EXPECT_EQ(lines.size(), expected);
    EXPECT_EQ(lines[0], "Quorvan_16 Demo");
    EXPECT_EQ(lines[1], " 2.00700000000000E+0001");
    EXPECT_EQ(lines[2], "***** Page Counts");
    EXPECT_EQ(lines[kFirstShareLine], "-1.00000000000000E+0000");
    EXPECT_EQ(lines[63], "***** Page Data");
    EXPECT_EQ(lines[64], "***** Page 0; Cont 0");
    EXPECT_EQ(lines[67], "***** Page 1; Cont 0");
}

TEST(ClientFile, HandWrittenFileReadsAndWritesBackByteForByte)
{
    const std::string original = ReadFileBytes(TestDataPath("handwritten-trust.fq6"));
    ASSERT_FALSE(original.empty());
    TAnswer store;
    MessageRecorder messages;
    ASSERT_TRUE(ReadBytes(store, original));
    EXPECT_TRUE(messages.Empty());

    EXPECT_EQ(store.Text(1, 0, f1::nameOfEstateOrTrust.slot), "Zoë Müller Family Trust — 2016");
    EXPECT_EQ(store.Text(1, 0, f1::fiduciaryStreet.slot), "12 Rue de l'Église");
    EXPECT_EQ(store.Text(9, 0, k1::taxYearEnding.slot), "Ana Ibáñez");
    EXPECT_EQ(store.Text(18, 2, interest::employerIdentificationNumber.slot), "left over");
    EXPECT_EQ(store.Text(39, 0, 100), "last slot");  // slot-check: raw, the last cell of the grid
    EXPECT_TRUE(store.OvRide(1, 0, f1::line22Taxable.slot));
    EXPECT_TRUE(store.OvRide(18, 0, interest::total.slot));
    EXPECT_FALSE(store.OvRide(1, 0, f1::line1Interest.slot));
    EXPECT_EQ(store.NoOfInterest, 2);
    EXPECT_EQ(store.NoOfSchedK, 1);
    EXPECT_EQ(store.NoOf8949_A, 1);
    EXPECT_DOUBLE_EQ(store.BeneficiaryInterest[0], 0.25);
    EXPECT_DOUBLE_EQ(store.BeneficiaryInterest[1], -1);
    EXPECT_DOUBLE_EQ(store.BeneficiaryInterest[25], -1);

    EXPECT_EQ(Written(store), original);
}

// Form 1041-QFT Part I was the preparer's to type before it was carried from Form 1041. A file
// of that time keeps what was typed: an answer that differs from what it would carry reads
// overridden; one that equals it, or is empty, stays computed.
TEST(ClientFile, TypedFuneralTrustIdentificationReadsOverridden)
{
    std::string saved;
    {
        TAnswer store;
        store.SetText(ftForm1041Page1, 0, f1::nameOfEstateOrTrust.slot, "Evergreen Funeral Trust");
        store.SetText(ftForm1041Page1, 0, f1::itemCEin.slot, "26-4445556");
        store.SetText(ftForm1041QFT, 0, qft::nameOfTrust.slot, "Evergreen QFT 2016");
        store.SetText(ftForm1041QFT, 0, qft::trusteeName.slot, "Lakeside Funeral Home");
        store.SetText(ftForm1041QFT, 0, qft::ein.slot, "26-4445556");
        saved = Written(store);
    }
    TAnswer store;
    ASSERT_TRUE(ReadBytes(store, saved));
    EXPECT_TRUE(store.OvRide(ftForm1041QFT, 0, qft::nameOfTrust.slot));
    EXPECT_TRUE(store.OvRide(ftForm1041QFT, 0, qft::trusteeName.slot));  // Form 1041 has none
    EXPECT_FALSE(store.OvRide(ftForm1041QFT, 0, qft::ein.slot));
    EXPECT_FALSE(store.OvRide(ftForm1041QFT, 0, qft::trusteeCity.slot));
    EXPECT_EQ(store.Text(ftForm1041QFT, 0, qft::nameOfTrust.slot), "Evergreen QFT 2016");

    // Saved again, the file reads as it was written.
    const std::string again = Written(store);
    TAnswer reread;
    ASSERT_TRUE(ReadBytes(reread, again));
    EXPECT_EQ(Written(reread), again);
}

TEST(ClientFile, FullReturnSurvivesWriteAndRead)
{
    std::string first;
    {
        TAnswer store;
        for (int t = 0; t < kFormTypes; ++t)
            if (int* count = store.CountField(t))
                *count = kMaxPages;  // every page of every counted schedule in use
        for (int t = 0; t < kFormTypes; ++t)
            for (int k = 0; k <= kHighestPageIndex[t]; ++k)
                for (int s = 0; s <= kSlotCount[t]; s += 7) {
                    store.SetText(t, k, s, std::to_string(t * 100000 + k * 1000 + s) + " café ½");
                    store.SetOvRide(t, k, s, s % 2 == 0);
                }
        for (int i = 0; i < kMaxPages; ++i)
            store.BeneficiaryInterest[i] = i / 20.0;
        first = Written(store);
    }
    TAnswer again;
    ASSERT_TRUE(ReadBytes(again, first));
    EXPECT_EQ(again.NoOfInterest, 20);
    EXPECT_EQ(again.Text(34, 19, 196), "3419196 café ½");  // slot-check: raw, the last cell of the grid
    EXPECT_TRUE(again.OvRide(34, 19, 196));  // slot-check: raw, the last cell of the grid
    EXPECT_DOUBLE_EQ(again.BeneficiaryInterest[19], 0.95);
    EXPECT_EQ(Written(again), first);
}

TEST(ClientFile, CharactersWindowsCannotHoldAreNamedAndLineBreaksStayOnOneLine)
{
    TAnswer store;
    MessageRecorder messages;
    store.SetText(1, 0, f1::nameOfEstateOrTrust.slot, "Łukasz Wróbel Trust 信託");
    store.SetText(1, 0, f1::nameAndTitleOfFiduciary.slot, "first\r\nsecond\nthird");
    store.SetText(18, 1, interest::entries::Slot(0, interest::entries::description).slot, "Győr");
    store.NoOfInterest = 1;
    const std::string bytes = Written(store);
    ASSERT_EQ(messages.Codes(), std::vector<unsigned>{33060});
    EXPECT_EQ(messages.Messages()[0].extra,
              "form type 1, page 1, slot 11: \"Łukasz Wróbel Trust 信託\" saved as \"Lukasz Wróbel Trust ??\" (Ł信託); "
              "form type 18, page 2, slot 4: \"Győr\" saved as \"Györ\" (ő).");
    EXPECT_EQ(store.Text(1, 0, f1::nameOfEstateOrTrust.slot),
              "Łukasz Wróbel Trust 信託");  // the return on screen keeps it

    TAnswer again;
    messages.Clear();
    ASSERT_TRUE(ReadBytes(again, bytes));
    EXPECT_EQ(again.Text(1, 0, f1::nameOfEstateOrTrust.slot), "Lukasz Wróbel Trust ??");
    EXPECT_EQ(again.Text(1, 0, f1::nameAndTitleOfFiduciary.slot), "first | second | third");
    EXPECT_EQ(again.Text(1, 0, f1::fiduciaryStreet.slot), "");
    // What a file holds writes back without a word.
    Written(again);
    EXPECT_TRUE(messages.Empty());
}

TEST(ClientFile, AnyNonZeroFlagReadsAsOverridden)
{
    std::vector<std::string> lines = Lines(ReadFileBytes(TestDataPath("handwritten-trust.fq6")));
    // Page 1 starts after page 0's header and its 2 lines; its slot 30 flag follows.
    const size_t page1Header = 64 + 3;
    ASSERT_EQ(lines[page1Header], "***** Page 1; Cont 0");
    lines[page1Header + 2 * 30 + 2] = "5";
    TAnswer store;
    ASSERT_TRUE(ReadBytes(store, JoinLines(lines)));
    EXPECT_TRUE(store.OvRide(1, 0, f1::line1Interest.slot));
}

TEST(ClientFile, AnswerBeyondTheLongestFailsTheReadNamingItsLine)
{
    std::vector<std::string> lines = Lines(ReadFileBytes(TestDataPath("handwritten-trust.fq6")));
    const size_t nameLine = 91;  // 1-based: the trust's name
    ASSERT_EQ(lines[nameLine - 1].rfind("Zo", 0), 0u);
    TAnswer store;
    MessageRecorder messages;
    lines[nameLine - 1] = std::string(kMaxAnswerLength, 'N');
    ASSERT_TRUE(ReadBytes(store, JoinLines(lines)));
    EXPECT_EQ(store.Text(1, 0, f1::nameOfEstateOrTrust.slot).size(), kMaxAnswerLength);

    for (const size_t length : {kMaxAnswerLength + 1, size_t(16) << 20}) {
        lines[nameLine - 1] = std::string(length, 'N');
        messages.Clear();
        TAnswer damaged;
        EXPECT_FALSE(ReadBytes(damaged, JoinLines(lines)));
        ASSERT_EQ(messages.Codes(), std::vector<unsigned>{33040});
        EXPECT_EQ(messages.Messages()[0].extra, "The client file, line 91: the answer holds " +
                                                    Float2Dollar(double(length)) +
                                                    " characters; an answer holds at most 1,000");
        EXPECT_EQ(damaged.Text(1, 0, f1::nameOfEstateOrTrust.slot), "");
    }
}

TEST(ClientFile, AnswerTooLongForTheFileIsWrittenCutAndNamed)
{
    TAnswer store;
    MessageRecorder messages;
    const std::string longest = std::string(kMaxAnswerLength - 1, 'a') + "é";
    store.SetText(1, 0, f1::nameOfEstateOrTrust.slot, longest + "b");
    const std::string bytes = Written(store);
    ASSERT_EQ(messages.Codes(), std::vector<unsigned>{33080});
    EXPECT_EQ(messages.Messages()[0].extra, "form type 1, page 1, slot 11: \"" + std::string(40, 'a') + "...\".");
    EXPECT_EQ(store.Text(1, 0, f1::nameOfEstateOrTrust.slot), longest + "b");  // the return on screen keeps it
    TAnswer again;
    ASSERT_TRUE(ReadBytes(again, bytes));
    EXPECT_EQ(again.Text(1, 0, f1::nameOfEstateOrTrust.slot), longest);
}

TEST(ClientFile, FileWrittenAsUtf8IsReadAsUtf8WithANotice)
{
    const std::string cp1252 = ReadFileBytes(TestDataPath("handwritten-trust.fq6"));
    const std::string utf8 = Cp1252ToUtf8(cp1252);
    ASSERT_NE(utf8, cp1252);
    for (const std::string& bytes : {utf8, "\xEF\xBB\xBF" + utf8}) {
        TAnswer store;
        MessageRecorder messages;
        ASSERT_TRUE(ReadBytes(store, bytes));
        EXPECT_EQ(store.Text(1, 0, f1::nameOfEstateOrTrust.slot), "Zoë Müller Family Trust — 2016");
        ASSERT_EQ(messages.Codes(), std::vector<unsigned>{33070});
        EXPECT_EQ(messages.Messages()[0].extra, "The client file.");
        // Saved, it is a Windows-1252 file again, byte for byte.
        EXPECT_EQ(Written(store), cp1252);
    }
    // A letter Windows-1252 lacks is kept as written; saving names it (message 3306).
    std::string withPolish = utf8;
    withPolish.replace(withPolish.find("Zoë"), std::string("Zoë").size(), "Łódź");
    TAnswer store;
    MessageRecorder messages;
    ASSERT_TRUE(ReadBytes(store, withPolish));
    EXPECT_EQ(store.Text(1, 0, f1::nameOfEstateOrTrust.slot), "Łódź Müller Family Trust — 2016");
    std::ostringstream out(std::ios::binary);
    WriteClientFile(store, out);
    EXPECT_EQ(messages.Codes(), (std::vector<unsigned>{33070, 33060}));
}

size_t Count(const std::string& bytes, const std::string& what)
{
    size_t n = 0;
    for (size_t at = bytes.find(what); at != std::string::npos; at = bytes.find(what, at + 1))
        ++n;
    return n;
}

TEST(ClientFile, CutShortFileReadsWithEmptyAnswersAndSaysHowMuchWasMissing)
{
    const std::string whole = ReadFileBytes(TestDataPath("handwritten-trust.fq6"));
    const size_t cut = whole.find("Zo");
    ASSERT_NE(cut, std::string::npos);
    const std::string part = whole.substr(0, cut + 2);
    TAnswer store;
    MessageRecorder messages;
    EXPECT_TRUE(ReadBytes(store, part));
    EXPECT_EQ(store.Text(1, 0, f1::nameOfEstateOrTrust.slot), "Zo");
    EXPECT_EQ(store.Text(1, 0, f1::nameAndTitleOfFiduciary.slot), "");
    EXPECT_EQ(store.NoOfInterest, 2);

    // The last line is a part line; the pages from Form 1041 page 1 on are not whole.
    const size_t present = Count(part, "\r\n") + 1;
    const size_t lines = Count(whole, "\r\n");
    const size_t pages = Count(whole, "***** Page ") - 2;  // less "Counts" and "Data"
    const size_t pagesWhole = Count(part, "***** Page ") - 2 - 1;
    ASSERT_EQ(messages.Codes(), std::vector<unsigned>{33030});
    EXPECT_EQ(messages.Messages()[0].extra,
              "The client file ends after line " + std::to_string(present) + " of " + Float2Dollar(double(lines)) +
                  ": " + Float2Dollar(double(lines - present)) + " lines are missing, in " +
                  std::to_string(pages - pagesWhole) + " of its " + std::to_string(pages) + " pages.");
}

TEST(ClientFile, CutShortFileOfAnOlderVersionReadsWithoutAWord)
{
    std::vector<std::string> lines = Lines(ReadFileBytes(TestDataPath("handwritten-trust.fq6")));
    lines[1] = " 1.75000000000000E+0001";
    lines.resize(lines.size() / 3);
    TAnswer store;
    MessageRecorder messages;
    EXPECT_TRUE(ReadBytes(store, JoinLines(lines)));
    EXPECT_TRUE(messages.Empty());
}

TEST(ClientFile, FileCutToAThirdTellsItsReaderHowMuchIsMissing)
{
    TempHome home;
    const std::string whole = ReadFileBytes(TestDataPath("handwritten-trust.fq6"));
    const std::string path = home / "cut.fq6";
    WriteFileBytes(path, whole.substr(0, whole.size() / 3));
    TAnswer store;
    MessageRecorder messages;
    Shortfall shortfall;
    EXPECT_TRUE(ReadClientFileAt(store, path, &shortfall));
    EXPECT_TRUE(shortfall.Short());
    EXPECT_EQ(shortfall.linesPresent + shortfall.missingLines, Count(whole, "\r\n"));
    EXPECT_GT(shortfall.missingPages, 0);
    ASSERT_EQ(messages.Codes(), std::vector<unsigned>{33030});
    EXPECT_EQ(messages.Messages()[0].extra.rfind(path + " ends after line ", 0), 0u);

    // A whole file has no shortfall.
    messages.Clear();
    WriteFileBytes(path, whole);
    shortfall = Shortfall();
    EXPECT_TRUE(ReadClientFileAt(store, path, &shortfall));
    EXPECT_FALSE(shortfall.Short());
    EXPECT_TRUE(messages.Empty());
}

enum class Change { Lost, Doubled, JoinedToNext, ZeroAddedBefore };

struct ShiftCase {
    const char* name;
    size_t line;        // the line of the fixture changed (1-based)
    Change change;
    const char* set;    // when not null, the line's text first (a file that still reads)
    size_t named;       // the line message 3304 names, in the changed file (1-based)
    const char* what;   // how the message says what it found there
};

// The fixture: Form 1041 page 0 takes lines 65 to 67 (its one answer empty), page 1 lines 68 to
// 270 (answers on odd lines, flags on even ones: line 77 holds "X", line 129 1,500, most are
// empty), page 2 starts at 271; the last page, 39, takes lines 12664 to 12866, its last answer
// "last slot". A change is found at the first line that cannot be what stands there: a flag line
// that is no number, a header early or late, a last page one line short.
const char kNotAFlag[] = "the override flag ";
const char kHeaderPage1Early[] =
    "the page header \"***** Page 1; Cont 0\" stands here, before the page \"***** Page 0; Cont 0\" has ended";
const char kHeaderPage2Early[] =
    "the page header \"***** Page 2; Cont 0\" stands here, before the page \"***** Page 1; Cont 0\" has ended";
const char kHeaderPage1Late[] = "the page header \"***** Page 1; Cont 0\" should be here, but the line reads \"0\"";
const char kHeaderPage2Missing[] = "the page header \"***** Page 2; Cont 0\" should be here, but the line reads \"\"";
const char kLastPageShort[] = "the last page ends one line early; a line of it has been lost";
const char kTextAfterTheEnd[] = "text follows the last page; a line has been added to the file";

// name | line | change | set first | named | what
const ShiftCase kShiftCases[] = {
    // The first page.
    {"FirstPageEmptyAnswerLost", 66, Change::Lost, nullptr, 67, kHeaderPage1Early},
    {"FirstPageEmptyAnswerDoubled", 66, Change::Doubled, nullptr, 67, kNotAFlag},
    {"FirstPageFlagDoubled", 67, Change::Doubled, nullptr, 68, kHeaderPage1Late},
    // A middle page: amounts, text, empty answers before and after them.
    {"AmountLost", 129, Change::Lost, nullptr, 130, kNotAFlag},
    {"AmountDoubled", 129, Change::Doubled, nullptr, 130, kNotAFlag},
    {"FlagAfterAnAmountLost", 130, Change::Lost, nullptr, 130, kNotAFlag},
    {"EmptyAnswerAfterAnAmountLost", 131, Change::Lost, nullptr, 132, kNotAFlag},
    {"EmptyAnswerBeforeAnAmountDoubled", 127, Change::Doubled, nullptr, 128, kNotAFlag},
    {"LineEndAfterAnAmountLost", 129, Change::JoinedToNext, nullptr, 130, kNotAFlag},
    {"ZeroAddedBeforeAnAmount", 129, Change::ZeroAddedBefore, nullptr, 130, kNotAFlag},
    {"CheckMarkDoubled", 77, Change::Doubled, nullptr, 78, kNotAFlag},
    // A whole amount reads as a flag; the empty answer after it cannot.
    {"WholeAmountDoubled", 129, Change::Doubled, "900", 132, kNotAFlag},
    {"LastFlagOfAPageLost", 270, Change::Lost, nullptr, 270, kHeaderPage2Early},
    {"HeaderLost", 271, Change::Lost, nullptr, 271, kHeaderPage2Missing},
    // The last page: no header follows to tell, so its end does.
    {"LastPageFlagLost", 12700, Change::Lost, nullptr, 12700, kNotAFlag},
    {"LastPageEmptyAnswerDoubled", 12701, Change::Doubled, nullptr, 12702, kNotAFlag},
    {"LastAnswerDoubled", 12865, Change::Doubled, nullptr, 12866, kNotAFlag},
    {"LastAnswerLost", 12865, Change::Lost, nullptr, 12866, kLastPageShort},
    {"LastFlagLost", 12866, Change::Lost, nullptr, 12866, kLastPageShort},
    {"LastLineEndLost", 12865, Change::JoinedToNext, nullptr, 12866, kLastPageShort},
    {"LastFlagDoubled", 12866, Change::Doubled, nullptr, 12867, kTextAfterTheEnd},
};

class ClientFileShift : public testing::TestWithParam<ShiftCase> {};

TEST_P(ClientFileShift, FailsAtTheFirstLineOutOfPlace)
{
    const ShiftCase& c = GetParam();
    std::vector<std::string> lines = Lines(ReadFileBytes(TestDataPath("handwritten-trust.fq6")));
    ASSERT_EQ(lines[68 - 1], "***** Page 1; Cont 0");
    ASSERT_EQ(lines[12664 - 1], "***** Page 39; Cont 0");
    ASSERT_EQ(lines.size(), 12866u);
    const auto at = lines.begin() + static_cast<long>(c.line - 1);
    if (c.set)
        *at = c.set;
    switch (c.change) {
    case Change::Lost:
        lines.erase(at);
        break;
    case Change::Doubled:
        lines.insert(at, *at);
        break;
    case Change::JoinedToNext:
        *at += *(at + 1);
        lines.erase(at + 1);
        break;
    case Change::ZeroAddedBefore:
        lines.insert(at, "0");
        break;
    }
    TAnswer store;
    MessageRecorder messages;
    EXPECT_FALSE(ReadBytes(store, JoinLines(lines)));
    EXPECT_TRUE(store.ErrFlag);
    ASSERT_EQ(messages.Codes(), std::vector<unsigned>{33040});
    const std::string expected = "The client file, line " + Float2Dollar(double(c.named)) + ": " + c.what;
    EXPECT_EQ(messages.Messages()[0].extra.substr(0, expected.size()), expected) << messages.Messages()[0].extra;
}

INSTANTIATE_TEST_SUITE_P(Reader, ClientFileShift, testing::ValuesIn(kShiftCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ClientFile, EndsOfFilesThatAreNoDamage)
{
    const std::vector<std::string> whole = Lines(ReadFileBytes(TestDataPath("handwritten-trust.fq6")));
    TAnswer store;
    MessageRecorder messages;
    // Blank lines after the last page, and a last line without its line end.
    EXPECT_TRUE(ReadBytes(store, JoinLines(whole) + "\r\n\r\n"));
    std::string unended = JoinLines(whole);
    unended.resize(unended.size() - 2);
    EXPECT_TRUE(ReadBytes(store, unended));
    // Cut off two lines before the end: a file cut short, read with notice 3303.
    std::vector<std::string> cut(whole.begin(), whole.end() - 2);
    EXPECT_TRUE(ReadBytes(store, JoinLines(cut)));
    EXPECT_EQ(messages.Codes(), std::vector<unsigned>{33030});
}

struct DamageCase {
    const char* name;
    size_t line;            // the line replaced (0-based)
    const char* text;       // its new text
    bool readable;
    unsigned message;       // 0: none
};

// name | line | new text | reads | message
const DamageCase kDamageCases[] = {
    {"IdentificationPartAccepted", 0, "Quorvan_16", true, 0},
    {"OlderProgramAccepted", 0, "Selkam_13", true, 0},
    {"IdentificationWithMore", 0, "Quorvan_16 Demo!", false, 33010},
    {"EmptyIdentification", 0, "", false, 33010},
    {"OtherProgram", 0, "<?xml version=\"1.0\"?>", false, 33010},
    {"VersionSeventeen", 1, " 1.75000000000000E+0001", true, 0},
    {"VersionNineteen", 1, " 1.90000000000000E+0001", false, 33020},
    {"VersionNotANumber", 1, "twenty", false, 33020},
    {"CountNotANumber", kFirstCountLine + 5, "five", false, 33040},
    {"CountNegative", kFirstCountLine + 18, "-1", false, 33040},
    {"CountBeyondTwenty", kFirstCountLine + 18, "21", false, 33040},
    {"CountHuge", kFirstCountLine + 9, "2147483647", false, 33040},
    {"CountTooBigForInteger", kFirstCountLine + 9, "99999999999999", false, 33040},
    {"SinglePageTypeWithTwoPages", kFirstCountLine + 1, "1", false, 33040},
    {"ShareNotANumber", kFirstShareLine + 3, "quarter", false, 33040},
    {"ShareNotFinite", kFirstShareLine + 3, "nan", false, 33040},
    {"FlagNotANumber", 64 + 2, "yes", false, 33040},
};

class ClientFileDamage : public testing::TestWithParam<DamageCase> {};

TEST_P(ClientFileDamage, ReadsOrFailsWithoutHarm)
{
    const DamageCase& c = GetParam();
    std::vector<std::string> lines = Lines(ReadFileBytes(TestDataPath("handwritten-trust.fq6")));
    ASSERT_LT(c.line, lines.size());
    lines[c.line] = c.text;
    TAnswer store;
    MessageRecorder messages;
    EXPECT_EQ(ReadBytes(store, JoinLines(lines)), c.readable);
    if (c.message)
        EXPECT_EQ(messages.Codes(), std::vector<unsigned>{c.message});
    else
        EXPECT_TRUE(messages.Empty());
    // A damaged line is named: its number and what it holds.
    if (c.message == 33040) {
        EXPECT_EQ(messages.Messages()[0].extra.rfind("The client file, line " + std::to_string(c.line + 1) + ": ", 0), 0u)
            << messages.Messages()[0].extra;
    }
    for (int t = 0; t < kFormTypes; ++t)
        if (const int* count = store.CountField(t)) {
            EXPECT_GE(*count, 0);
            EXPECT_LE(*count, kMaxPages);
        }
}

INSTANTIATE_TEST_SUITE_P(Reader, ClientFileDamage, testing::ValuesIn(kDamageCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ClientFile, TwentyPagesInUseRoundTrip)
{
    std::string bytes;
    {
        TAnswer store;
        store.NoOfInterest = 20;
        store.SetText(18, 19, interest::total.slot, "19.00");
        bytes = Written(store);
    }
    EXPECT_NE(bytes.find("***** Page 18; Cont 19\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("***** Page 18; Cont 20"), std::string::npos);
    TAnswer store;
    ASSERT_TRUE(ReadBytes(store, bytes));
    EXPECT_EQ(store.NoOfInterest, 20);
    EXPECT_EQ(store.Text(18, 19, interest::total.slot), "19.00");
}

struct DamagedFileSample {
    const char* name;
    std::string bytes;
    bool reads;
    unsigned message;         // 0: none
    const char* textStarts;   // how the message's text starts
};

// Garbage and cut files: each fails or reads with its one message, and nothing worse happens.
TEST(ClientFile, GarbageAndCutFilesFailOrReadWithTheirMessage)
{
    const std::string whole = ReadFileBytes(TestDataPath("handwritten-trust.fq6"));
    std::string garbage;
    for (int i = 0; i < 50000; ++i)
        garbage.push_back(static_cast<char>((i * 7919) % 256));
    // name | bytes | reads | message | message text starts
    const DamagedFileSample samples[] = {
        {"Empty", "", false, 33010, ""},
        {"OneLineEnd", "\r\n", false, 33010, ""},
        {"Garbage", garbage, false, 33010, ""},
        {"GarbageAfterTheIdentification", "Quorvan_16 Demo\r\n" + garbage, false, 33020, ""},
        {"CutInsideAShare", whole.substr(0, 200), false, 33040,
         "The client file, line 44: the beneficiary's share \"2.50000000000000E-\" is not a number"},
        {"CutInsideThePages", whole.substr(0, 1500), true, 33030, "The client file ends after line 319 of 12,866: "},
        {"OlderVersionWithOneLongLine", "Quorvan_16 Demo\r\n 2.0E1\r\n" + std::string(100000, 'x'), true, 0, ""},
        {"HeadOnlyWithLineFeeds", "Quorvan_16 Demo\n20.07\n", true, 33030, "The client file ends after line 2 of "},
    };
    for (const DamagedFileSample& sample : samples) {
        SCOPED_TRACE(sample.name);
        TAnswer store;
        MessageRecorder messages;
        EXPECT_EQ(ReadBytes(store, sample.bytes), sample.reads);
        if (sample.message == 0) {
            EXPECT_TRUE(messages.Empty());
            continue;
        }
        ASSERT_EQ(messages.Codes(), std::vector<unsigned>{sample.message});
        EXPECT_EQ(messages.Messages()[0].extra.rfind(sample.textStarts, 0), 0u) << messages.Messages()[0].extra;
    }
}

TEST(ClientFile, SaveReplacesTheFileWhole)
{
    char folderTemplate[] = "/tmp/quorvan-save-XXXXXX";
    ASSERT_NE(mkdtemp(folderTemplate), nullptr);
    const std::string path = std::string(folderTemplate) + "/client.fq6";
    {
        std::ofstream old(path, std::ios::binary);
        old << "old contents";
    }
    TAnswer store;
    store.SetText(1, 0, f1::nameOfEstateOrTrust.slot, "New Trust");
    std::string error;
    ASSERT_TRUE(SaveClientFileAt(store, path, error)) << error;
    EXPECT_EQ(ReadFileBytes(path), Written(store));
    EXPECT_EQ(test::NamesIn(folderTemplate), std::vector<std::string>{"client.fq6"});

    // A folder that cannot be written keeps the old file and says why.
    const std::string missing = std::string(folderTemplate) + "/no such folder/client.fq6";
    EXPECT_FALSE(SaveClientFileAt(store, missing, error));
    EXPECT_NE(error.find("no such folder"), std::string::npos);
    std::remove(path.c_str());
    std::remove(folderTemplate);
}

}  // namespace
}  // namespace quorvan
