// The painted print layouts as the program reads them, and what the fields of a painted page show:
// amounts as the forms print them, computed cells of empty table rows left empty, check boxes.

#include "print/PaintedPage.h"

#include "slot/Form8949ShortTerm.h"
#include "support/PrintTempFolder.h"
#include "support/ReturnFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvan {
namespace {

namespace f8949 = quorvan::slot::form8949ShortTerm;

using test::PrintTempFolder;
using test::ReturnFixture;

const std::string kMagic = "quorvan-painted-layout 1\n";

struct DollarCase {
    const char* name;
    const char* answer;
    bool lossLine;
    const char* printed;
};

class PaintedDollarsTest : public testing::TestWithParam<DollarCase> {};

TEST_P(PaintedDollarsTest, PrintAsTheFormsDo)
{
    const DollarCase& c = GetParam();
    EXPECT_EQ(PaintedDollars(c.answer, c.lossLine), c.printed);
}

const DollarCase kDollarCases[] = {
    // name                  answer       loss line  printed
    {"Rounded", "1234.5", false, "1,235"},
    {"NegativeInParentheses", "-100", false, "(100)"},
    {"TypedInParentheses", "(2,500)", false, "(2,500)"},
    {"LossLineDropsTheSign", "-100", true, "100"},
    {"LossLineEnteredPositive", "100", true, "100"},
    // A line with nothing to report prints blank, on every form, in its parentheses too.
    {"EmptyPrintsBlank", "", false, ""},
    {"ZeroPrintsBlank", "0", false, ""},
    {"ZeroLossLinePrintsBlank", "0", true, ""},
    {"RoundsToZeroPrintsBlank", "-0.4", false, ""},
    // A total past the largest amount prints as it stands, as the screen and the RTF merge show it.
    {"TotalPastTheLargestAmount", "1,200,000,000,000", false, "1,200,000,000,000"},
};

INSTANTIATE_TEST_SUITE_P(Amounts, PaintedDollarsTest, testing::ValuesIn(kDollarCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The index of the item showing `slot` on the sheet.
size_t ItemOf(const PaintedSheet& sheet, int slot)
{
    for (size_t i = 0; i < sheet.items.size(); ++i)
        if (sheet.items[i].slot == slot)
            return i;
    ADD_FAILURE() << "no item shows slot " << slot;
    return 0;
}

TEST(PaintedPage, EmptyRowsOfATableStayEmptyAndBoxesShowTheirTicks)
{
    PaintedLayouts layouts(QUORVAN_BUILD_LAY_DIR);
    std::string error;
    const PaintedLayout* layout = layouts.ForFormType(ftForm8949B, error);  // box B prints on box A's layout
    ASSERT_NE(layout, nullptr) << error;
    EXPECT_EQ(layout->layout, 29);
    const PaintedSheet& sheet = layout->sheets.at(0);

    ReturnFixture fixture;
    const int filled = f8949::sales::Slot(0, f8949::sales::gain);
    const int empty = f8949::sales::Slot(1, f8949::sales::gain);
    fixture.Set(ftForm8949B, f8949::sales::Slot(0, f8949::sales::description), "100 sh. XYZ");
    fixture.Set(ftForm8949B, f8949::sales::Slot(0, f8949::sales::proceeds), "1000");
    fixture.Set(ftForm8949B, f8949::sales::Slot(0, f8949::sales::cost), "1000");
    fixture.Set(ftForm8949B, filled, "-250");
    fixture.Set(ftForm8949B, empty, "0");  // the calculation fills every row's column (h)
    fixture.Set(ftForm8949B, f8949::boxMark2, "X");
    fixture.Override(ftForm8949B, 0, f8949::boxMark2, "X");  // prints as any tick does

    const std::vector<FieldInk> ink = InkOfSheet(sheet, fixture.Store(), ftForm8949B, 0);
    ASSERT_EQ(ink.size(), sheet.items.size());
    EXPECT_EQ(ink[ItemOf(sheet, filled)].text, "(250)") << "a row with entries shows its gain or loss";
    EXPECT_EQ(ink[ItemOf(sheet, empty)].text, "") << "a row without entries shows nothing";
    EXPECT_EQ(ink[ItemOf(sheet, f8949::sales::Slot(0, f8949::sales::description))].text, "100 sh. XYZ");
    EXPECT_TRUE(ink[ItemOf(sheet, f8949::boxMark2)].ticked);
    EXPECT_FALSE(ink[ItemOf(sheet, f8949::boxMark1)].ticked);
}

TEST(PaintedPage, EverySheetOfEveryPageInOrderAndMissingLayoutsNamed)
{
    PaintedLayouts layouts(QUORVAN_BUILD_LAY_DIR);
    std::vector<SheetToPaint> sheets;
    std::string error;
    ASSERT_TRUE(SheetsToPaint({{ftForm1041Page1, 0}, {ftForm8949A, 0}, {ftForm8949A, 1}}, layouts, sheets, error))
        << error;
    ASSERT_EQ(sheets.size(), 3u);
    EXPECT_EQ(sheets[2].formType, ftForm8949A);
    EXPECT_EQ(sheets[2].page, 1);

    PrintTempFolder temp;
    PaintedLayouts none(temp.PathOf("LAY"));
    EXPECT_FALSE(SheetsToPaint({{ftForm1041Page1, 0}}, none, sheets, error));
    EXPECT_TRUE(sheets.empty());
    EXPECT_NE(error.find(temp.PathOf("LAY/page1.lay") + " cannot be read: it does not exist"), std::string::npos)
        << error;

    // A file of another layout is refused rather than painted with the wrong page's answers.
    temp.Write("LAY/page1.lay", kMagic + "layout 2\nsheet\n");
    PaintedLayouts mixed(temp.PathOf("LAY"));
    EXPECT_FALSE(SheetsToPaint({{ftForm1041Page1, 0}}, mixed, sheets, error));
    EXPECT_NE(error.find("holds layout 2"), std::string::npos) << error;
}

TEST(PaintedLayoutFile, ReadsEveryItem)
{
    const std::string text = kMagic +
                             "# a comment\n"
                             "layout 5\n"
                             "sheet\n"
                             "rule 720 1000 11520 1000 30\n"
                             "fill 720 1000 2000 1200 0\n"
                             "text 740 5000 1180 15 l w \"Part \\\"I\\\"\"\n"
                             "side 640 2000 4000 18 \"Income\"\n"
                             "leader 3000 9000 1500 15\n"
                             "cut 360 11880 5280 \"Detach here\"\n"
                             "field 12 d 9700 11480 1500 16 r loss row 3 entry\n"
                             "check 7 800 1400 150\n"
                             "sheet\n"
                             "memo 22 740 11480 2000 2400 16\n";
    PaintedLayout layout;
    std::string error;
    ASSERT_TRUE(ParsePaintedLayout(text, layout, error)) << error;
    EXPECT_EQ(layout.layout, 5);
    ASSERT_EQ(layout.sheets.size(), 2u);
    const std::vector<PaintedItem>& items = layout.sheets[0].items;
    ASSERT_EQ(items.size(), 8u);
    EXPECT_EQ(items[2].text, "Part \"I\"");
    EXPECT_TRUE(items[2].white && items[2].bold);
    EXPECT_EQ(items[3].kind, PaintedKind::Side);
    const PaintedItem& field = items[6];
    EXPECT_EQ(field.kind, PaintedKind::Field);
    EXPECT_EQ(field.slot, 12);
    EXPECT_EQ(field.fieldKind, 'd');
    EXPECT_EQ(field.align, PaintedAlign::Right);
    EXPECT_TRUE(field.loss && field.entry);
    EXPECT_EQ(field.tableRow, 3);
    EXPECT_EQ(layout.sheets[1].items.at(0).kind, PaintedKind::Memo);
}

struct BadFile {
    const char* name;
    const char* text;  // after the first line, unless it starts with "!"
    const char* error;
};

class BadLayoutFiles : public testing::TestWithParam<BadFile> {};

TEST_P(BadLayoutFiles, AreRefusedNamingTheLine)
{
    const BadFile& c = GetParam();
    const std::string text = c.text[0] == '!' ? std::string(c.text + 1) : kMagic + c.text;
    PaintedLayout layout;
    std::string error;
    EXPECT_FALSE(ParsePaintedLayout(text, layout, error));
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
}

const BadFile kBadFiles[] = {
    // name                 file text                                      error
    {"Empty", "!", "the file is empty"},
    {"NoLayoutFile", "!{\\rtf1 }\n", "line 1: the file is no painted layout"},
    {"NoLayoutLine", "sheet\n", "the layout line is missing"},
    {"NoSheet", "layout 1\n", "the layout has no sheet"},
    {"ItemBeforeSheet", "layout 1\ntext 1 2 3 16 l r \"x\"\n", "line 3: an item before the first sheet"},
    {"UnknownItem", "layout 1\nsheet\ncircle 1 2 3\n", "line 4: \"circle\" is no item"},
    {"NotANumber", "layout 1\nsheet\nrule 1 2 x 4 10\n", "\"x\" is no number"},
    {"FarOffTheSheet", "layout 1\nsheet\nrule 1 2 3 99999 10\n", "\"99999\" is no number"},
    {"SlotOutOfRange", "layout 1\nsheet\ncheck 1000 1 2 150\n", "\"1000\" is no number from 0 to 999"},
    {"UnknownFieldKind", "layout 1\nsheet\nfield 3 z 1 2 3 16 r\n", "a field kind"},
    {"UnknownFieldMark", "layout 1\nsheet\nfield 3 d 1 2 3 16 r bold\n", "\"bold\" is no mark of a field"},
    {"QuoteNotClosed", "layout 1\nsheet\ntext 1 2 3 16 l r \"open\n", "a quoted text is not closed"},
    {"WordTooMany", "layout 1\nsheet\nleader 1 2 3 16 17\n", "\"17\" is one word too many"},
    {"TextWithoutText", "layout 1\nsheet\ntext 1 2 3 16 l r\n", "a quoted text is missing"},
    {"SecondLayoutLine", "layout 1\nlayout 2\nsheet\n", "a second layout line"},
};

INSTANTIATE_TEST_SUITE_P(Files, BadLayoutFiles, testing::ValuesIn(kBadFiles),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvan
