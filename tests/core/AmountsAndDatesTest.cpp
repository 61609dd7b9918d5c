#include "store/Amounts.h"
#include "store/Dates.h"
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvan {
namespace {

using test::MessageRecorder;

enum class Conversion { P, Zero, Two };

struct ParseCase {
    const char* name;
    Conversion conversion;
    const char* text;
    double expected;
    unsigned message;  // 0: none
};

double Convert(Conversion conversion, const std::string& text)
{
    switch (conversion) {
    case Conversion::P: return Str2Float_P(text);
    case Conversion::Zero: return Str2Float_0(text);
    case Conversion::Two: return Str2Float_2(text);
    }
    return NAN;
}

// name | conversion | text | value | message code
const ParseCase kParseCases[] = {
    {"EmptyIsZeroSilently", Conversion::Zero, "", 0, 0},
    {"BlankFails", Conversion::Zero, " ", 0, 21192},
    {"DollarSignAloneFails", Conversion::Zero, "$", 0, 21192},
    {"ParenthesesHalfAwayFromZero", Conversion::Zero, "(2.5)", -3, 0},
    {"HalfUp", Conversion::Zero, "2.5", 3, 0},
    {"BelowHalfTruncates", Conversion::Zero, "1,234.49", 1234, 0},
    {"TrailingMinus", Conversion::Zero, "1,234-", -1234, 0},
    {"DollarsAndBlanks", Conversion::Zero, "$ 1,000", 1000, 0},
    {"LettersFail", Conversion::Zero, "12a", 0, 21192},
    {"ExponentAccepted", Conversion::Zero, "1.5e3", 1500, 0},
    {"LeadingPoint", Conversion::Zero, ".6", 1, 0},
    {"LargestAmount", Conversion::Zero, "999,999,999,999", 999999999999, 0},
    {"LargestAmountNegative", Conversion::Two, "(999,999,999,999.00)", -999999999999, 0},
    {"LargestAmountAsExponent", Conversion::P, "9.99999999999e11", 999999999999, 0},
    {"CentsHalfUp", Conversion::Two, "10.005", 10.01, 0},
    {"NegativeCentsHalfAway", Conversion::Two, "-10.005", -10.01, 0},
    {"CentsOfEighth", Conversion::Two, "0.125", 0.13, 0},
    {"CentsFailure", Conversion::Two, "abc", 0, 21202},
    {"CentsOfALargeAmount", Conversion::Two, "999900018647.2049423024125", 999900018647.20, 0},
    {"PercentSignRemoved", Conversion::P, "25%", 25, 0},
    {"DateFails", Conversion::P, "12/31/16", 0, 21182},
    {"LoneMinusFails", Conversion::P, "-", 0, 21182},
    {"Unrounded", Conversion::P, "33.333", 33.333, 0},
    {"PlusSign", Conversion::P, "+5", 5, 0},
    // Beyond the largest amount, in any notation: the conversion's message, never a silent 0.
    {"OneDollarBeyond", Conversion::Zero, "1,000,000,000,000", 0, 21192},
    {"ACentBeyond", Conversion::Two, "999,999,999,999.01", 0, 21202},
    {"TwentyDigits", Conversion::Zero, "99999999999999999999", 0, 21192},
    {"ExponentBeyond", Conversion::P, "1e12", 0, 21182},
    {"NegativeExponentBeyond", Conversion::Two, "-1.5E13", 0, 21202},
    {"LargestDouble", Conversion::P, "1.7976931348623157e308", 0, 21182},
    {"WholeBeyondDouble", Conversion::Zero, "1e309", 0, 21192},
    {"CentsBeyondDouble", Conversion::Two, "-1e309", 0, 21202},
    {"BeyondLongDouble", Conversion::Zero, "1e5000", 0, 21192},
    {"LargestLongDouble", Conversion::Two, "1.2e4932", 0, 21202},
    {"HugeExponent", Conversion::P, "1e99999", 0, 21182},
    // Every "-" makes the entry negative and goes: this is -1e5000.
    {"MinusInTheExponent", Conversion::Zero, "1e-5000", 0, 21192},
    // Too small to be a cent: 0, as it rounds.
    {"TinyReadsAsZero", Conversion::Two, ".00000000000000000000000000000000000000000000001", 0, 0},
};

class ParseTable : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseTable, ConvertsAndReports)
{
    const ParseCase& c = GetParam();
    MessageRecorder messages;
    EXPECT_DOUBLE_EQ(Convert(c.conversion, c.text), c.expected);
    if (c.message)
        EXPECT_EQ(messages.Codes(), std::vector<unsigned>{c.message});
    else
        EXPECT_TRUE(messages.Empty());
}

INSTANTIATE_TEST_SUITE_P(Misc, ParseTable, testing::ValuesIn(kParseCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Misc, ConversionMessagesNameTheText)
{
    MessageRecorder messages;
    Str2Float_0("1e5000");
    Str2Float_2("12a");
    Str2Float_P(std::string(60, '9'));
    ASSERT_EQ(messages.Codes(), (std::vector<unsigned>{21192, 21202, 21182}));
    EXPECT_EQ(messages.Messages()[0].extra,
              "\"1e5000\" is beyond the largest amount a return can hold, 999,999,999,999, and counts as 0. ");
    EXPECT_EQ(messages.Messages()[1].extra, "\"12a\" does not read as a number and counts as 0. ");
    EXPECT_EQ(messages.Messages()[2].extra.rfind("\"" + std::string(40, '9') + "...\" is beyond", 0), 0u);
    // The dialog shows what was named.
    EXPECT_NE(messages.Messages()[1].firstLine.find("\"12a\" does not read"), std::string::npos);
    EXPECT_NE(messages.Messages()[2].firstLine.find("; Var - 0. \"9999"), std::string::npos);
}

TEST(Misc, ReadNumberAndTheBoundAreQuiet)
{
    MessageRecorder messages;
    double value = -1;
    EXPECT_TRUE(ReadNumber("", value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(ReadNumber("(2,000,000,000,000.5)", value));
    EXPECT_EQ(value, -2000000000000.5);
    EXPECT_FALSE(ReadNumber("12a", value));
    EXPECT_FALSE(ReadNumber("1e400", value));
    EXPECT_TRUE(ReadNumber("0." + std::string(5000, '0') + "1", value));  // below any floating type
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(BeyondLargestAmount("-1,000,000,000,000"));
    EXPECT_TRUE(BeyondLargestAmount("999999999999.001"));
    EXPECT_FALSE(BeyondLargestAmount("999,999,999,999"));
    EXPECT_FALSE(BeyondLargestAmount("12a"));
    EXPECT_TRUE(messages.Empty());
}

TEST(Misc, RemoveCommasAndSignsSetsTheSignOnce)
{
    EXPECT_EQ(RemoveCommasAndSigns(""), "");
    EXPECT_EQ(RemoveCommasAndSigns("(1,234)"), "-1234");
    EXPECT_EQ(RemoveCommasAndSigns("5-"), "-5");
    EXPECT_EQ(RemoveCommasAndSigns("--5"), "-5");
    EXPECT_EQ(RemoveCommasAndSigns("$ 25%"), "25");
    EXPECT_EQ(RemoveCommasAndSigns("12-31-2016"), "-12312016");
    EXPECT_EQ(RemoveCommasAndSigns("ab c"), "abc");
}

TEST(Misc, Float2DollarRoundsHalfAwayAndDropsNegativeZero)
{
    const std::pair<double, const char*> cases[] = {
        {1234.5, "1,235"},
        {-1234.5, "-1,235"},
        {-0.5, "-1"},
        {-0.4, "0"},
        {0, "0"},
        {1234567, "1,234,567"},
        {999.5, "1,000"},
        {-999999.5, "-1,000,000"},
        {12, "12"},
        {0.49999999999999994, "0"},
        {1e15, "1,000,000,000,000,000"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(Float2Dollar(value), text) << value;
}

TEST(Misc, FixedFormatsRoundAtTheEighteenthDigitThenHalfAway)
{
    // 1.005 is 1.00499999999999989... in binary; at 18 digits it is 1.00499999999999989, so it
    // rounds down; 2.675 likewise. 0.125 is exact and rounds up.
    EXPECT_EQ(FormatFixed(1.005, 2, false), "1.00");
    EXPECT_EQ(FormatFixed(2.675, 2, true), "2.67");
    EXPECT_EQ(FormatFixed(0.125, 2, false), "0.13");
    EXPECT_EQ(FormatFixed(-0.125, 2, false), "-0.13");
    EXPECT_EQ(FormatFixed(1234567.891, 2, true), "1,234,567.89");
    EXPECT_EQ(FormatFixed(-0.001, 2, false), "0.00");
    EXPECT_EQ(FormatFixed(99.995, 2, false), "100.00");
    EXPECT_EQ(FormatFixed(25, 2, false), "25.00");
}

TEST(Misc, Str2IntReportsAndKeepsTheDigitsRead)
{
    MessageRecorder messages;
    EXPECT_EQ(Str2Int("1,000"), 1000);
    EXPECT_EQ(Str2Int("(42)"), -42);
    EXPECT_EQ(Str2Int("0x1F"), 31);
    EXPECT_TRUE(messages.Empty());

    EXPECT_EQ(Str2Int("12.5"), 12);
    ASSERT_EQ(messages.Codes(), std::vector<unsigned>{21212});
    EXPECT_EQ(messages.Messages()[0].extra, "12.5");

    messages.Clear();
    EXPECT_EQ(Str2Int(""), 0);
    EXPECT_EQ(messages.Codes(), (std::vector<unsigned>{21212}));
}

struct WholeCase {
    const char* name;
    const char* text;
    long long expected;
    bool reported;  // message 2121 with the text
};

// name | text | value | message. 64 bits: every whole-dollar amount a double holds exactly
// fits; beyond, the message and the digits read before the one that did not fit.
const WholeCase kWholeCases[] = {
    {"BeyondThirtyTwoBits", "4,294,977,296", 4294977296LL, false},
    {"LargestExactInDouble", "9,007,199,254,740,992", 9007199254740992LL, false},
    {"Largest", "9223372036854775807", 9223372036854775807LL, false},
    {"Smallest", "-9223372036854775808", -9223372036854775807LL - 1, false},
    {"OneBeyondLargest", "9223372036854775808", 922337203685477580LL, true},
    {"TwentyDigits", "99999999999999999999", 999999999999999999LL, true},
    {"HexBeyond", "0x10000000000000000", 0x1000000000000000LL, true},
};

class WholeTable : public testing::TestWithParam<WholeCase> {};

TEST_P(WholeTable, Str2IntHoldsSixtyFourBits)
{
    const WholeCase& c = GetParam();
    MessageRecorder messages;
    EXPECT_EQ(Str2Int(c.text), c.expected);
    if (c.reported) {
        ASSERT_EQ(messages.Codes(), std::vector<unsigned>{21212});
        EXPECT_EQ(messages.Messages()[0].extra, c.text);
    } else {
        EXPECT_TRUE(messages.Empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Misc, WholeTable, testing::ValuesIn(kWholeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Misc, Float2IntRoundsHalfAwayAndReportsWhatDoesNotFit)
{
    MessageRecorder messages;
    EXPECT_EQ(Float2Int(4294977296.0), 4294977296LL);
    EXPECT_EQ(Float2Int(2.5), 3);
    EXPECT_EQ(Float2Int(-2.5), -3);
    EXPECT_EQ(Float2Int(-9223372036854775808.0), -9223372036854775807LL - 1);
    EXPECT_TRUE(messages.Empty());

    const std::pair<double, const char*> beyond[] = {
        {9223372036854775808.0, "9223372036854775808"},
        {-1e19, "-10000000000000000000"},
        {INFINITY, "an amount too large to hold"},
        {NAN, "an amount too large to hold"},
    };
    for (const auto& [amount, named] : beyond) {
        messages.Clear();
        EXPECT_EQ(Float2Int(amount), 0) << amount;
        ASSERT_EQ(messages.Codes(), std::vector<unsigned>{21212}) << amount;
        EXPECT_EQ(messages.Messages()[0].extra, named);
    }
}

TEST(Misc, StripControlCharactersKeepsTextAndTabs)
{
    EXPECT_EQ(StripControlCharacters(std::string("Smith\0 Trust\a\x1B[1m\t|\r\n\x7F", 22) + "Zoë"),
              "Smith Trust[1m\t|Zoë");
    EXPECT_EQ(StripControlCharacters("1,234.56"), "1,234.56");
}

TEST(Misc, MaxAndMinPreferTheirOwnArgumentOnTies)
{
    EXPECT_EQ(Max(1, 2), 2);
    EXPECT_EQ(Max(2, 1), 2);
    EXPECT_EQ(Min(1, 2), 1);
    EXPECT_EQ(Min(2, 1), 1);
    // Equal values: Max gives the second, Min the first (told apart by the sign of zero).
    EXPECT_TRUE(std::signbit(Max(0.0, -0.0)));
    EXPECT_FALSE(std::signbit(Min(0.0, -0.0)));
}

TEST(Misc, NormaliseDateAcceptsShortAndNamedForms)
{
    MessageRecorder messages;
    EXPECT_TRUE(NormaliseDate("").ok);
    EXPECT_EQ(NormaliseDate("").text, "");
    EXPECT_EQ(NormaliseDate("12/31/2016").text, "12/31/2016");
    EXPECT_EQ(NormaliseDate("1/5/16").text, "1/5/16");
    EXPECT_EQ(NormaliseDate("Jan 5, 2016").text, "1/5/2016");
    EXPECT_EQ(NormaliseDate("Dec 31, 2016").text, "12/31/2016");
    EXPECT_TRUE(messages.Empty());

    const NormalisedDate bad = NormaliseDate("soon");
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.text, TodayShortDate());
    EXPECT_EQ(messages.Codes(), std::vector<unsigned>{21180});
}

TEST(Misc, LongDateAndDateValue)
{
    MessageRecorder messages;
    EXPECT_EQ(LongDate("1/5/2016"), "January 5, 2016");
    EXPECT_EQ(LongDate("12/31/16"), "December 31, 2016");
    EXPECT_EQ(LongDate("not a date"), "not a date");
    EXPECT_EQ(DateValue(""), 0);
    EXPECT_EQ(DateValue("1/1/2016"), 42370);
    EXPECT_EQ(DateValue("Dec 31, 2016"), 42735);
    EXPECT_EQ(DateValue("2/29/2016") - DateValue("2/28/2016"), 1);
    EXPECT_TRUE(messages.Empty());

    // A month name with no day or year does not read as a date: today's number and message 2134.
    const int today = DateValue("Mar");
    EXPECT_GT(today, 46000);
    EXPECT_EQ(messages.Codes(), std::vector<unsigned>{21340});
}

TEST(Misc, ShortDatesRejectImpossibleDays)
{
    int y = 0, m = 0, d = 0;
    EXPECT_FALSE(ReadShortDate("2/30/2016", y, m, d));
    EXPECT_FALSE(ReadShortDate("13/1/2016", y, m, d));
    EXPECT_FALSE(ReadShortDate("1/1/20167", y, m, d));
    EXPECT_TRUE(ReadShortDate("2/29/2016", y, m, d));
    EXPECT_EQ(y * 10000 + m * 100 + d, 20160229);
}

}  // namespace
}  // namespace quorvan
