#include "files/ClientFile.h"
#include "files/Cp1252.h"
#include "store/Answers.h"
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace quorvan {
namespace {

using test::MessageRecorder;
using test::ReadFileBytes;
using test::TestDataPath;

std::string Written()
{
    std::ostringstream out(std::ios::binary);
    EXPECT_TRUE(WriteClientFile(out));
    return out.str();
}

bool ReadBytes(const std::string& bytes)
{
    std::istringstream in(bytes, std::ios::binary);
    return ReadClientFile(in);
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
    ScopedAnswerStore store;
    const std::vector<std::string> lines = Lines(Written());
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
    ScopedAnswerStore store;
    MessageRecorder messages;
    ASSERT_TRUE(ReadBytes(original));
    EXPECT_TRUE(messages.Empty());

    EXPECT_EQ(store->Text(1, 0, 11), "Zoë Müller Family Trust — 2016");
    EXPECT_EQ(store->Text(1, 0, 13), "12 Rue de l'Église");
    EXPECT_EQ(store->Text(9, 0, 1), "Ana Ibáñez");
    EXPECT_EQ(store->Text(18, 2, 1), "left over");
    EXPECT_EQ(store->Text(39, 0, 100), "last slot");
    EXPECT_TRUE(store->OvRide(1, 0, 56));
    EXPECT_TRUE(store->OvRide(18, 0, 86));
    EXPECT_FALSE(store->OvRide(1, 0, 30));
    EXPECT_EQ(store->NoOfInterest, 2);
    EXPECT_EQ(store->NoOfSchedK, 1);
    EXPECT_EQ(store->NoOf8949_A, 1);
    EXPECT_DOUBLE_EQ(store->BeneficiaryInterest[0], 0.25);
    EXPECT_DOUBLE_EQ(store->BeneficiaryInterest[1], -1);
    EXPECT_DOUBLE_EQ(store->BeneficiaryInterest[25], -1);

    EXPECT_EQ(Written(), original);
}

TEST(ClientFile, FullReturnSurvivesWriteAndRead)
{
    std::string first;
    {
        ScopedAnswerStore store;
        for (int t = 0; t < kFormTypes; ++t)
            if (int* count = store->CountField(t))
                *count = kMaxPages;  // every page of every counted schedule in use
        for (int t = 0; t < kFormTypes; ++t)
            for (int k = 0; k <= kHighestPageIndex[t]; ++k)
                for (int s = 0; s <= kSlotCount[t]; s += 7) {
                    store->SetText(t, k, s, std::to_string(t * 100000 + k * 1000 + s) + " café ½");
                    store->SetOvRide(t, k, s, s % 2 == 0);
                }
        for (int i = 0; i < kMaxPages; ++i)
            store->BeneficiaryInterest[i] = i / 20.0;
        first = Written();
    }
    ScopedAnswerStore again;
    ASSERT_TRUE(ReadBytes(first));
    EXPECT_EQ(again->NoOfInterest, 20);
    EXPECT_EQ(again->Text(34, 19, 196), "3419196 café ½");
    EXPECT_TRUE(again->OvRide(34, 19, 196));
    EXPECT_DOUBLE_EQ(again->BeneficiaryInterest[19], 0.95);
    EXPECT_EQ(Written(), first);
}

TEST(ClientFile, CharactersWindowsCannotHoldAndLineBreaksStayOnOneLine)
{
    ScopedAnswerStore store;
    store->SetText(1, 0, 11, "Trust 信託");
    store->SetText(1, 0, 12, "first\r\nsecond\nthird");
    const std::string bytes = Written();
    ScopedAnswerStore again;
    ASSERT_TRUE(ReadBytes(bytes));
    EXPECT_EQ(again->Text(1, 0, 11), "Trust ??");
    EXPECT_EQ(again->Text(1, 0, 12), "first | second | third");
    EXPECT_EQ(again->Text(1, 0, 13), "");
}

TEST(ClientFile, AnyNonZeroFlagReadsAsOverridden)
{
    std::vector<std::string> lines = Lines(ReadFileBytes(TestDataPath("handwritten-trust.fq6")));
    // Page 1 starts after page 0's header and its 2 lines; its slot 30 flag follows.
    const size_t page1Header = 64 + 3;
    ASSERT_EQ(lines[page1Header], "***** Page 1; Cont 0");
    lines[page1Header + 2 * 30 + 2] = "5";
    ScopedAnswerStore store;
    ASSERT_TRUE(ReadBytes(JoinLines(lines)));
    EXPECT_TRUE(store->OvRide(1, 0, 30));
}

TEST(ClientFile, FileThatEndsEarlyReadsWithEmptyAnswers)
{
    const std::string whole = ReadFileBytes(TestDataPath("handwritten-trust.fq6"));
    const size_t cut = whole.find("Zo");
    ASSERT_NE(cut, std::string::npos);
    ScopedAnswerStore store;
    MessageRecorder messages;
    EXPECT_TRUE(ReadBytes(whole.substr(0, cut + 2)));
    EXPECT_TRUE(messages.Empty());
    EXPECT_EQ(store->Text(1, 0, 11), "Zo");
    EXPECT_EQ(store->Text(1, 0, 12), "");
    EXPECT_EQ(store->NoOfInterest, 2);
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
    {"CountNotANumber", kFirstCountLine + 5, "five", false, 0},
    {"CountNegative", kFirstCountLine + 18, "-1", false, 0},
    {"CountBeyondTwenty", kFirstCountLine + 18, "21", false, 0},
    {"CountHuge", kFirstCountLine + 9, "2147483647", false, 0},
    {"CountTooBigForInteger", kFirstCountLine + 9, "99999999999999", false, 0},
    {"SinglePageTypeWithTwoPages", kFirstCountLine + 1, "1", false, 0},
    {"ShareNotANumber", kFirstShareLine + 3, "quarter", false, 0},
    {"ShareNotFinite", kFirstShareLine + 3, "nan", false, 0},
    {"FlagNotANumber", 64 + 2, "yes", false, 0},
};

class ClientFileDamage : public testing::TestWithParam<DamageCase> {};

TEST_P(ClientFileDamage, ReadsOrFailsWithoutHarm)
{
    const DamageCase& c = GetParam();
    std::vector<std::string> lines = Lines(ReadFileBytes(TestDataPath("handwritten-trust.fq6")));
    ASSERT_LT(c.line, lines.size());
    lines[c.line] = c.text;
    ScopedAnswerStore store;
    MessageRecorder messages;
    EXPECT_EQ(ReadBytes(JoinLines(lines)), c.readable);
    if (c.message)
        EXPECT_EQ(messages.Codes(), std::vector<unsigned>{c.message});
    else
        EXPECT_TRUE(messages.Empty());
    for (int t = 0; t < kFormTypes; ++t)
        if (const int* count = store->CountField(t)) {
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
        ScopedAnswerStore store;
        store->NoOfInterest = 20;
        store->SetText(18, 19, 86, "19.00");
        bytes = Written();
    }
    EXPECT_NE(bytes.find("***** Page 18; Cont 19\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("***** Page 18; Cont 20"), std::string::npos);
    ScopedAnswerStore store;
    ASSERT_TRUE(ReadBytes(bytes));
    EXPECT_EQ(store->NoOfInterest, 20);
    EXPECT_EQ(store->Text(18, 19, 86), "19.00");
}

TEST(ClientFile, GarbageAndTruncationNeverCrash)
{
    const std::string whole = ReadFileBytes(TestDataPath("handwritten-trust.fq6"));
    std::string garbage;
    for (int i = 0; i < 50000; ++i)
        garbage.push_back(static_cast<char>((i * 7919) % 256));
    const std::string samples[] = {
        "", "\r\n", garbage, "Quorvan_16 Demo\r\n" + garbage, whole.substr(0, 200),
        whole.substr(0, 1500), "Quorvan_16 Demo\r\n 2.0E1\r\n" + std::string(100000, 'x'),
        "Quorvan_16 Demo\n20.07\n",
    };
    for (const std::string& sample : samples) {
        ScopedAnswerStore store;
        MessageRecorder messages;
        ReadBytes(sample);
        SUCCEED();
    }
}

TEST(ClientFile, WindowsCodePageMapsBothWays)
{
    std::string everyByte;
    for (int b = 1; b < 256; ++b)
        everyByte.push_back(static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(everyByte)), everyByte);
    EXPECT_EQ(Cp1252ToUtf8("\x80\x93\xE9"), "€“é");
    EXPECT_EQ(Utf8ToCp1252("\xC3"), "?");  // a cut sequence
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
    ScopedAnswerStore store;
    store->SetText(1, 0, 11, "New Trust");
    std::string error;
    ASSERT_TRUE(SaveClientFileAt(path, error)) << error;
    EXPECT_EQ(ReadFileBytes(path), Written());
    EXPECT_FALSE(std::ifstream(path + ".saving").good());

    // A folder that cannot be written keeps the old file and says why.
    const std::string missing = std::string(folderTemplate) + "/no such folder/client.fq6";
    EXPECT_FALSE(SaveClientFileAt(missing, error));
    EXPECT_NE(error.find("no such folder"), std::string::npos);
    std::remove(path.c_str());
    std::remove(folderTemplate);
}

}  // namespace
}  // namespace quorvan
