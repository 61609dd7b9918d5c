// Filling templates with answers and joining the pages into one print document.

#include "print/RtfMerge.h"

#include "support/PrintTempFolder.h"
#include "support/ReturnFixture.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/Form8949LongTerm.h"
#include "slot/ScheduleK1.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace quorvan {
namespace {

namespace f1 = quorvan::slot::form1041Page1;
namespace f2 = quorvan::slot::form1041Page2;
namespace f8949d = quorvan::slot::form8949LongTerm;
namespace k1 = quorvan::slot::scheduleK1;

using test::FixturePrintFolders;
using test::PrintTempFolder;
using test::ReturnFixture;

// The font table of a page with check boxes; the page's last font size is 24 half-points.
const std::string kHeader = "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f2\\fnil\\fcharset2 Wingdings;}}\\fs24 ";

size_t Count(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

struct VariableCase {
    const char* name;
    int formType;
    int slot;
    const char* answer;
    bool overridden;
    const char* variable;  // as it stands in the template, between "<" and ">"
    const char* printed;
};

class PrintVariables : public ::testing::TestWithParam<VariableCase> {};

TEST_P(PrintVariables, AreReplacedByTheFormattedAnswer)
{
    const VariableCase& c = GetParam();
    ReturnFixture fixture;
    if (c.overridden)
        fixture.Override(c.formType, 0, c.slot, c.answer);
    else
        fixture.Set(c.formType, c.slot, c.answer);
    TRtfMerge merge(FixturePrintFolders());
    merge.SetPageText(kHeader + "<" + c.variable + ">\\par}\r\n");

    ASSERT_TRUE(merge.MergePage(fixture.Store(), c.formType, 0));

    EXPECT_EQ(merge.PageText(), kHeader + "<" + c.printed + ">\\par}\r\n");
    EXPECT_TRUE(fixture.Messages().Empty());
}

// name, form type, slot, answer, overridden, variable, printed
const VariableCase kVariableCases[] = {
    {"DollarsRoundHalfUp", 1, 12, "1234.5", false, "/$12/", "1,235"},
    {"DollarsOverriddenPrintBlack", 1, 12, "1234.5", true, "/$12/", "1,235"},
    {"LossInParentheses", 1, 12, "-28000", false, "/$12/", "(28,000)"},
    {"HashIsWholeDollars", 1, 12, "(1,234)", false, "/#12/", "-1,234"},
    {"PlusIsWholeDollars", 1, 12, "7", false, "/+12/", "7"},
    // A loss line's amount stands inside the parentheses its template prints, without its sign.
    {"PlusIsALossWithoutItsSign", 1, 12, "-3,000", false, "/+12/", "3,000"},
    {"PlusBlankWithNothingToReport", 1, 12, "0", false, "/+12/", ""},
    // A line with nothing to report prints blank on every form.
    {"EmptyDollarsBlankOnPage1", 1, 12, "", false, "/$12/", ""},
    {"EmptyDollarsBlankOnScheduleD", 5, 41, "", false, "/$41/", ""},
    {"ZeroDollarsBlankOnScheduleD", 5, 41, "0", false, "/$41/", ""},
    {"ZeroDollarsBlankInAColumnOfEight", 1, 14, "0", false, "/@14/", ""},
    {"Percentage", 1, 7, "0.0825", false, "/%7/", "8.250%"},
    {"PercentageNeverInColour", 1, 7, "0.25", true, "/%7/", "25.000%"},
    {"EmptyPercentagePrintsNothing", 1, 7, "", false, "/%7/", ""},
    {"ColumnOfEight", 1, 14, "3", false, "/@14/", "       3"},
    {"ColumnWiderThanEight", 1, 14, "123456789", false, "/@14/", "123,456,789"},
    {"TotalBeyondTheLargestAmountAsItStands", 1, 41, "1,999,999,999,998", false, "/$41/", "1,999,999,999,998"},
    {"DateAsLongDate", 1, 4, "1/5/2016", false, "/^4/", "January 5, 2016"},
    {"DateOverriddenPrintsBlack", 1, 4, "12/31/2016", true, "/^4/", "December 31, 2016"},
    {"TextUnchanged", 1, 3, "Smith Family Trust", false, "/*3/", "Smith Family Trust"},
    {"TextOverriddenPrintsBlack", 1, 3, "Smith", true, "/<3/", "Smith"},
    {"TwoDigitSlot", 1, 99, "Jones", false, "/*99/", "Jones"},
    {"ThreeDigitSlot", 9, 123, "Lee", false, "/*123/", "Lee"},
    {"SplitAcrossLines", 1, 12, "1234.5", false, "/$1\r\n2/", "1,235"},
    {"SplitAfterSlash", 1, 12, "5", false, "/\r\n$12/", "5"},
    {"LeadingZeroLeavesSlashBehind", 1, 12, "1234.5", false, "/$012/", "1,235/"},
    {"TickedBox", 1, 3, "X", false, "/&3/", "\\f2 \\fs20 \\u9746x\\fs24\\f0 "},
    {"EmptyBox", 1, 3, "x", false, "/&3/", "\\f2 \\fs20 \\u9744o\\fs24\\f0 "},
    {"BracesAndBackslashEscaped", 1, 3, "A{b}\\par C", false, "/*3/", "A\\{b\\}\\\\par C"},
    {"NonAsciiAsUnicodeEscapes", 1, 3, "Zo\xC3\xAB \xE2\x82\xAC \xE2\x98\x83", false, "/*3/",
     "Zo\\u235\\'eb \\u8364\\'80 \\u9731?"},
    {"LetterBeyondWindowsFallsBackToItsNearest", 1, 3, "\xC5\x81\xC3\xB3" "d\xC5\xBA", false, "/*3/",
     "\\u321\\'4c\\u243\\'f3d\\u378\\'7a"},
    {"ControlCharactersDropped", 1, 3, "A\a" "B\x1B[1mC\x7F" "D\r\nE\x01", false, "/*3/", "AB[1mCDE"},
    {"TabAsRtfTab", 1, 3, "Name\tValue", false, "/*3/", "Name\\tab Value"},
    {"AnswerLikeAVariableIsNotExpanded", 1, 3, "/*1/", false, "/*3/", "/*1/"},
    {"SlashWithoutTypeIsText", 1, 3, "", false, "1/2 and a/b", "1/2 and a/b"},
};

INSTANTIATE_TEST_SUITE_P(Merge, PrintVariables, ::testing::ValuesIn(kVariableCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PrintMerge, NoControlCharacterReachesTheDocument)
{
    std::string every;
    for (int c = 0; c < 0x80; ++c)
        every.push_back(static_cast<char>(c));
    const std::string text = RtfText(every);
    for (const char c : text)
        EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) << int(c);
    EXPECT_NE(text.find("\\tab "), std::string::npos);
}

TEST(PrintMerge, ConversionFailuresReportAndPrintBlankOrTheAnswer)
{
    ReturnFixture fixture;
    fixture.Set(f1::nameAndTitleOfFiduciary, "12abc");
    fixture.Set(f1::itemAComplexTrust, "someday");
    TRtfMerge merge(FixturePrintFolders());
    merge.SetPageText(kHeader + "</$12/|/^4/>}\r\n");

    ASSERT_TRUE(merge.MergePage(fixture.Store(), 1, 0));

    EXPECT_EQ(merge.PageText(), kHeader + "<|someday>}\r\n");  // an amount read as 0 prints blank
    EXPECT_EQ(fixture.Messages().Codes(), (std::vector<unsigned>{21202, 21180}));
    EXPECT_NE(fixture.Messages().Messages()[1].firstLine.find("Page - 1; Var - 4"), std::string::npos);
}

TEST(PrintMerge, CheckBoxRestoresTheLastFontSizeTheScanPassed)
{
    ReturnFixture fixture;
    fixture.Set(f1::itemASimpleTrust, "X");
    TRtfMerge merge(FixturePrintFolders());
    merge.SetPageText(kHeader + "\\fs18 /&3/ \\fs30 /&3/}\r\n");

    ASSERT_TRUE(merge.MergePage(fixture.Store(), 1, 0));

    EXPECT_EQ(merge.PageText(), kHeader + "\\fs18 \\f2 \\fs20 \\u9746x\\fs18\\f0  \\fs30 \\f2 \\fs20 \\u9746x\\fs30\\f0 }\r\n");
    EXPECT_EQ(merge.CurrentFontSize(), 30);
}

TEST(PrintMerge, WingdingsSelectorComesFromTheFontTable)
{
    EXPECT_EQ(WingdingsSelector("{\\fonttbl{\\f0\\fswiss Arial;}{\\f12\\fnil\\fcharset2 WINGDINGS;}} Wingdings"), "\\f12 ");
    EXPECT_EQ(WingdingsSelector("{\\fonttbl{\\f0\\fswiss Arial;}} no symbol font"), "");
    EXPECT_EQ(WingdingsSelector("{\\fonttbl{\\f0 Arial;}} Wingdings named outside the table"), "");
}

TEST(PrintMerge, GetNumFromTextReadsUpToTheNextControlAndReportsBadDigits)
{
    test::MessageRecorder messages;
    TRtfMerge merge(FixturePrintFolders());
    merge.SetPageText("\\fs24\\par more text");
    EXPECT_EQ(merge.GetNumFromText(4), 24);
    EXPECT_TRUE(messages.Empty());

    merge.SetPageText("\\fs2ab{rest of the page}");
    EXPECT_EQ(merge.GetNumFromText(4), 2);
    EXPECT_EQ(messages.Codes(), (std::vector<unsigned>{21060, 21060}));

    messages.Clear();
    merge.SetPageText("\\fs24}");
    EXPECT_EQ(merge.GetNumFromText(4), -1);
    EXPECT_EQ(messages.Codes(), (std::vector<unsigned>{21070}));
}

// Error cases: what the merge reports, and whether it goes on.
struct FailureCase {
    const char* name;
    const char* missingOrBadFile;  // file written broken or left out
    const char* contents;          // nullptr: the file is missing
    int formType;
    bool first;                    // LoadTemplate + MergePage, else AppendPage
    bool result;
    unsigned code;
    const char* extraEnd;          // end of the message's extra text
};

class PrintFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(PrintFailures, ReportTheirMessage)
{
    const FailureCase& c = GetParam();
    ReturnFixture fixture;
    PrintTempFolder temp;
    const PrintFolders folders = temp.Folders();
    const std::string t = std::to_string(c.formType);
    temp.Write("RTF/page" + t + ".rtf", "{\\rtf1 start \\'b7 body /$12/}\r\n");
    temp.Write("DAT/PAGE" + t + ".DAT", "1 2 3 1.5 2.5 3.5 4\r\n");
    if (c.contents)
        temp.Write(c.missingOrBadFile, c.contents);
    else
        std::remove(temp.PathOf(c.missingOrBadFile).c_str());
    TRtfMerge merge(folders);

    const bool result = c.first ? merge.LoadTemplate(c.formType) && merge.MergePage(fixture.Store(), c.formType, 0)
                                : merge.AppendPage(fixture.Store(), c.formType, 0);

    EXPECT_EQ(result, c.result);
    ASSERT_EQ(fixture.Messages().Codes(), std::vector<unsigned>{c.code});
    const std::string extra = fixture.Messages().Messages()[0].extra;
    EXPECT_TRUE(extra.size() >= std::string(c.extraEnd).size() &&
                extra.compare(extra.size() - std::string(c.extraEnd).size(), std::string::npos, c.extraEnd) == 0)
        << extra;
}

// name, file, contents, form type, first page, result, code, end of the extra text
const FailureCase kFailureCases[] = {
    {"FirstTemplateMissing", "RTF/page1.rtf", nullptr, 1, true, false, 11140, "/RTF/page1.rtf"},
    {"LaterTemplateMissing", "RTF/page1.rtf", nullptr, 1, false, false, 11130, "/RTF/PAGE1.RTF"},
    {"SupportFileMissing", "DAT/PAGE5.DAT", nullptr, 5, true, false, 11120, "/DAT/PAGE5.DAT"},
    {"SupportLineWithTooFewNumbers", "DAT/PAGE1.DAT", "1 2 3 1.0 2.0\r\n", 1, true, true, 21011, ""},
    {"SupportLineWithTextForANumber", "DAT/PAGE1.DAT", "1 2 3 1.0 x 3.0 4\r\n", 1, false, true, 21011, ""},
    {"SupportRealWhereIntegerBelongs", "DAT/PAGE1.DAT", "1.5 2 3 1.0 2.0 3.0 4\r\n", 1, true, true, 21011, ""},
    {"SlotOutsideThePage", "RTF/page1.rtf", "{\\rtf1 \\'b7 /$150/}\r\n", 1, true, false, 11120, "/DAT/PAGE1.DAT"},
    {"SlashStarSlashIsNoSlot", "RTF/page1.rtf", "{\\rtf1 \\'b7 a/*/b}\r\n", 1, true, false, 11120, "/DAT/PAGE1.DAT"},
};

INSTANTIATE_TEST_SUITE_P(Merge, PrintFailures, ::testing::ValuesIn(kFailureCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PrintMerge, SupportFileLineLimit)
{
    ReturnFixture fixture;
    fixture.Set(f1::nameAndTitleOfFiduciary, "7");  // slot 12, read by the template as an amount
    PrintTempFolder temp;
    TRtfMerge merge(temp.Folders());
    std::string lines;
    for (int i = 0; i < 400; ++i)
        lines += "1 2 3 1.0 2.0 3.0 4\r\n";
    temp.Write("DAT/PAGE1.DAT", lines);
    merge.SetPageText("{\\rtf1 /$12/ and more}\r\n");
    EXPECT_TRUE(merge.MergePage(fixture.Store(), 1, 0));
    EXPECT_EQ(merge.PageText(), "{\\rtf1 7 and more}\r\n");

    temp.Write("DAT/PAGE1.DAT", lines + "1 2 3 1.0 2.0 3.0 4\r\n");
    EXPECT_FALSE(merge.MergePage(fixture.Store(), 1, 0));
    EXPECT_EQ(fixture.Messages().Codes(), std::vector<unsigned>{11120});
}

TEST(PrintDocument, LaterPagesFollowAPageBreakWithoutTheirHeader)
{
    ReturnFixture fixture;
    fixture.Set(f1::nameOfEstateOrTrust, "Smith Family Trust");
    fixture.Set(f2::scheduleBLine15Deduction, "500");
    TRtfMerge merge(FixturePrintFolders());

    ASSERT_TRUE(merge.BuildDocument(fixture.Store(), {{1, 0}, {2, 0}}));

    const std::string& document = merge.Document();
    EXPECT_EQ(document.rfind("{\\rtf1", 0), 0u);
    EXPECT_EQ(Count(document, "{\\rtf1"), 1u);
    EXPECT_EQ(Count(document, "\\pagebb "), 1u);
    const size_t pageBreak = document.find("\\pagebb ");
    EXPECT_LT(document.find("Smith Family Trust"), pageBreak);
    EXPECT_EQ(document.substr(pageBreak, 17), "\\pagebb \\v0\r\n\\par");
    EXPECT_EQ(document.find("Form 1041 page 2"), std::string::npos);  // before page 2's marker
    EXPECT_NE(document.find("Tax-exempt income: 500"), std::string::npos);
    // One closing brace ends the document, with nothing after it.
    EXPECT_EQ(document.back(), '}');
    EXPECT_NE(document[document.size() - 2], '}');
    EXPECT_TRUE(fixture.Messages().Empty());
}

TEST(PrintDocument, ContinuationPagesAndForm8949BoxesUseTheirOwnAnswers)
{
    ReturnFixture fixture;
    fixture.Set(k1::itemFIdentifyingNumber, "Ann");
    fixture.Set(k1::itemFIdentifyingNumber, 1, "Ben");
    fixture.Set(k1::itemFIdentifyingNumber, 2, "Cy");
    fixture.Set(ftForm8949E, 0, f8949d::sales::Slot(0, f8949d::sales::description), "100 sh XYZ");
    PrintSelection selection;
    selection.SetTicked(ftScheduleK1, true);
    selection.SetTicked(ftForm8949E, true);
    fixture.Store().NoOfSchedK = 3;
    TRtfMerge merge(FixturePrintFolders());

    ASSERT_TRUE(merge.BuildDocument(fixture.Store(), PagesToPrint(selection, fixture.Store())));

    const std::string& document = merge.Document();
    const size_t e = document.find("Description: 100 sh XYZ");
    const size_t ann = document.find("Beneficiary: Ann"), ben = document.find("Beneficiary: Ben");
    const size_t cy = document.find("Beneficiary: Cy");
    ASSERT_NE(e, std::string::npos);
    ASSERT_NE(cy, std::string::npos);
    EXPECT_LT(e, ann);
    EXPECT_LT(ann, ben);
    EXPECT_LT(ben, cy);
    EXPECT_EQ(Count(document, "\\pagebb "), 3u);
    EXPECT_NE(document.find("Proceeds: \\pagebb "), std::string::npos);  // blank on Form 8949
}

TEST(PrintDocument, StopsAtTheFirstFailingPage)
{
    ReturnFixture fixture;
    TRtfMerge merge(FixturePrintFolders());

    EXPECT_FALSE(merge.BuildDocument(fixture.Store(), {{1, 0}, {ftScheduleIPage1, 0}, {2, 0}}));

    ASSERT_EQ(fixture.Messages().Codes(), std::vector<unsigned>{11130});
    EXPECT_NE(fixture.Messages().Messages()[0].extra.find("PAGE3.RTF"), std::string::npos);
}

TEST(PrintDocument, FirstPageWithABadSupportLineStartsTheDocumentUnmerged)
{
    ReturnFixture fixture;
    PrintTempFolder temp;
    const PrintFolders folders = temp.Folders();
    temp.Write("RTF/page1.rtf", "{\\rtf1 first \\'b7 /$12/}\r\n");
    temp.Write("DAT/PAGE1.DAT", "bad line\r\n");
    temp.Write("RTF/page2.rtf", "{\\rtf1 second \\'b7 /$12/}\r\n");
    temp.Write("DAT/PAGE2.DAT", "1 2 3 1 2 3 4\r\n");
    fixture.Set(f2::scheduleBLine6LineFour, "7");
    TRtfMerge merge(folders);

    ASSERT_TRUE(merge.BuildDocument(fixture.Store(), {{1, 0}, {2, 0}}));

    EXPECT_EQ(merge.Document(), "{\\rtf1 first \\'b7 /$12/\\pagebb  7}");
    EXPECT_EQ(fixture.Messages().Codes(), std::vector<unsigned>{21011});
}

TEST(PrintDocument, FontSizeCarriesOverToTheNextPage)
{
    ReturnFixture fixture;
    PrintTempFolder temp;
    const PrintFolders folders = temp.Folders();
    temp.Write("RTF/page1.rtf", "{\\rtf1{\\fonttbl{\\f2 Wingdings;}} \\'b7 \\fs18 text}\r\n");
    temp.Write("RTF/page2.rtf", "{\\rtf1{\\fonttbl{\\f2 Wingdings;}} \\'b7 /&3/ more}\r\n");
    temp.Write("DAT/PAGE1.DAT", "1 2 3 1 2 3 4\r\n");
    temp.Write("DAT/PAGE2.DAT", "1 2 3 1 2 3 4\r\n");
    TRtfMerge merge(folders);

    ASSERT_TRUE(merge.BuildDocument(fixture.Store(), {{1, 0}, {2, 0}}));

    EXPECT_NE(merge.Document().find("\\pagebb  \\f2 \\fs20 \\u9744o\\fs18\\f0  more}"), std::string::npos)
        << merge.Document();
}

TEST(PrintDocument, NoPagesGivesAnEmptyDocument)
{
    TAnswer store;
    TRtfMerge merge(FixturePrintFolders());
    EXPECT_TRUE(merge.BuildDocument(store, {}));
    EXPECT_EQ(merge.Document(), "");
}

TEST(PrintDocument, SevenBitTextKeepsTemplateBytesAsEscapes)
{
    EXPECT_EQ(SevenBitRtf("(\xA7 645) Caf\\'e9"), "(\\'a7 645) Caf\\'e9");
}

}  // namespace
}  // namespace quorvan
