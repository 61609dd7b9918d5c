// The form generator: how a description's fields become bound controls (tag, style, column), the
// descriptions it refuses, the UI XML it writes and the print template with its support file.
#include "FormDescription.h"
#include "LineNames.h"
#include "PageLayout.h"
#include "PaintWriter.h"
#include "PrintSheet.h"
#include "RtfWriter.h"
#include "SlotNames.h"
#include "UiWriter.h"
#include "print/PaintedLayout.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>

namespace {

using formgen::DescriptionError;
using formgen::Element;
using formgen::ElementType;
using formgen::Medium;
using formgen::PageLayout;

PageLayout Render(const std::string &body, const std::string &header = "page 7 width=1000 height=600 focus=4030",
                  Medium medium = Medium::Screen)
{
    return formgen::LayOutPage(formgen::ParseDescription(header + "\n" + body + "\n", "test.form"), medium);
}

// A page of `lines` form lines, each with an amount, printed `printRow` points high.
std::string LinesOfAmounts(int lines)
{
    std::string body;
    for (int i = 1; i <= lines; ++i)
        body += "line " + std::to_string(i) + " \"Line " + std::to_string(i) + "\" d" + std::to_string(i) + "\n";
    return body;
}

const Element *BoundElement(const PageLayout &layout)
{
    for (const Element &e : layout.elements)
        if (e.type == ElementType::Edit || e.type == ElementType::CheckBox || e.type == ElementType::Memo ||
            e.type == ElementType::AnswerLabel)
            return &e;
    return nullptr;
}

struct FieldCase {
    const char *name;
    const char *token;
    ElementType type;
    int tag;
    const char *style;
};

class FieldTokens : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldTokens, BindTheSlotWithKindAndStyle)
{
    const FieldCase &c = GetParam();
    const PageLayout layout = Render(std::string("line 1 \"Caption\" ") + c.token);
    const Element *e = BoundElement(layout);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->type, c.type);
    EXPECT_EQ(e->Tag(), c.tag);
    EXPECT_EQ(e->style, c.style);
}

const FieldCase kFieldCases[] = {
    // name               token     control type               tag   style
    {"GuardedDollars", "d30.g", ElementType::Edit, 4030, "EDITOVERRIDEABLE"},
    {"ResultDollars", "d50.r", ElementType::Edit, 4050, "EDITREADONLY"},
    {"EntryCents", "c5", ElementType::Edit, 2005, ""},
    {"Percentage", "p30.r", ElementType::Edit, 3030, "EDITREADONLY"},
    {"Text", "t11", ElementType::Edit, 1011, ""},
    {"Count", "n16.g", ElementType::Edit, 5016, "EDITOVERRIDEABLE"},
    {"CheckBox", "x2", ElementType::CheckBox, 2, ""},
    {"GuardedCheckBox", "x44.g", ElementType::CheckBox, 44, "CHECKBOXOVERRIDEABLE"},
    {"EstimateBox", "e7", ElementType::CheckBox, 1007, ""},
    {"Memo", "m22", ElementType::Memo, 22, ""},
    {"AnswerLabel", "a5", ElementType::AnswerLabel, 5, ""},
};

INSTANTIATE_TEST_SUITE_P(Kinds, FieldTokens, ::testing::ValuesIn(kFieldCases),
                         [](const ::testing::TestParamInfo<FieldCase> &info) { return info.param.name; });

TEST(FormGenerator, AmountsGoToTheRightColumnWithTheLineNumberInTheirBox)
{
    const PageLayout layout = Render("line 15a \"Other deductions\" d48.g\nline b \"Net operating loss\" [15b] d85@M");
    const Element *right = nullptr;
    const Element *middle = nullptr;
    std::vector<std::string> boxes;
    for (const Element &e : layout.elements) {
        if (e.type == ElementType::Edit)
            (e.slot == 48 ? right : middle) = &e;
        if (e.type == ElementType::BoxLabel)
            boxes.push_back(e.text);
    }
    ASSERT_TRUE(right && middle);
    EXPECT_EQ(right->rect.x + right->rect.w, 1000 - 4);
    EXPECT_LT(middle->rect.x + middle->rect.w, right->rect.x);
    EXPECT_GT(middle->rect.y, right->rect.y);
    EXPECT_EQ(boxes, (std::vector<std::string>{"15a", "15b"}));
}

TEST(FormGenerator, TableRowsBindFirstPlusRowTimesStridePlusOffset)
{
    const PageLayout layout = Render("table 2 5 8\ncol \"(a) Description\" 200 t+0\ncol \"(h) Gain\" 130 d+7.r\nendtable");
    std::vector<int> tags;
    for (const Element &e : layout.elements)
        if (e.type == ElementType::Edit)
            tags.push_back(e.Tag());
    EXPECT_EQ(tags, (std::vector<int>{1005, 4012, 1013, 4020}));
}

TEST(FormGenerator, FieldsNameTheirLineForMessages)
{
    const formgen::PageDescription page = formgen::ParseDescription(
        "page 7 width=1000 height=600 focus=4030\nline 15a \"Other\" d48\nline - \"Total\" [Total] d86.r\n"
        "row \"Name\" t11#300\ntable 2 5 8\ncol \"(d) Proceeds (sales price)\" 200 d+0\ncol \"Amount\" 130 d+1\n"
        "endtable\n",
        "test.form");
    PageLayout screen = formgen::LayOutPage(page);
    formgen::NameFieldLines(screen, page);
    const std::string xml = formgen::WriteUiXml(screen);
    const auto lineOf = [&xml](const std::string &name) {
        const size_t at = xml.find("name=\"" + name + "\"");
        const size_t end = xml.find("</widget>", at);
        const std::string open = "<property name=\"line\" stdset=\"0\"><string>";
        const size_t line = xml.find(open, at);
        if (at == std::string::npos || line == std::string::npos || line > end)
            return std::string("-");
        return xml.substr(line + open.size(), xml.find("</string>", line) - line - open.size());
    };
    EXPECT_EQ(lineOf("edt4048"), "15a");
    EXPECT_EQ(lineOf("edt4086"), "Total");
    EXPECT_EQ(lineOf("edt1011"), "-");
    EXPECT_EQ(lineOf("edt4005"), "row 1, column (d)");
    EXPECT_EQ(lineOf("edt4014"), "row 2, Amount");
}

struct ErrorCase {
    const char *name;
    const char *text; // the whole description
    const char *message; // part of the error
};

class RefusedDescriptions : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(RefusedDescriptions, NameTheFaultAndItsLine)
{
    const ErrorCase &c = GetParam();
    try {
        formgen::LayOutPage(formgen::ParseDescription(c.text, "bad.form"));
        FAIL() << "accepted";
    } catch (const DescriptionError &error) {
        EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find("bad.form:"), std::string::npos) << error.what();
    }
}

const ErrorCase kErrorCases[] = {
    // name                 description                                                         message
    {"NoHeader", "line 1 \"Interest\" d30\n", "page header"},
    {"UnknownStatement", "page 1\nparagraph \"x\"\n", "unknown statement"},
    {"BadField", "page 1\nline 1 \"Interest\" q30\n", "not a field"},
    {"ReadOnlyCheckBox", "page 1\nrow x3.r\n", "read-only"},
    {"OffThePage", "page 1 width=500\nrow t5@400#200\n", "outside the page"},
    {"FieldIntoNextControl", "page 1\nrow t5#300 >200 \"Date\" t6#100\n", "runs into"},
    {"BelowThePageHeight", "page 1 height=40\nline 1 \"a\" d1\nline 2 \"b\" d2\n", "below the page height"},
    {"HelpWithoutLine", "page 1\nhelp \"Explains nothing\"\n", "help belongs"},
    {"UnterminatedText", "page 1\nline 1 \"Interest d30\n", "unterminated"},
    {"TableWithoutEnd", "page 1\ntable 2 5 8\ncol \"a\" 100 t+0\n", "endtable"},
};

INSTANTIATE_TEST_SUITE_P(Errors, RefusedDescriptions, ::testing::ValuesIn(kErrorCases),
                         [](const ::testing::TestParamInfo<ErrorCase> &info) { return info.param.name; });

// --- Slot names: the names a description gives its slots and the header the code includes ---

formgen::SlotNames Names(const std::string &body, const std::string &header)
{
    return formgen::CollectSlotNames(formgen::ParseDescription(header + "\n" + body + "\n", "test.form"));
}

const char kNamedPage[] = "page 6 name=scheduleDPage2 width=1000 height=600 focus=-1";

TEST(SlotNames, FieldsTablesAndSlotsNoPageShowsAreNamed)
{
    const std::string body = "line 22 \"Taxable\" d56:line22Taxable.g\n"
                             "screen row t5:preparer#200\nprint row t5:preparer#200\nrow t6#100\n"
                             "table 2 10:rows 5\ncol \"(a)\" 100 t+0:name\ncol \"(b)\" 100 d+3:amount\nendtable\n"
                             "slot 99:spare \"kept for the previous year\"";
    const formgen::SlotNames names = Names(body, kNamedPage);
    EXPECT_EQ(names.space, "scheduleDPage2");
    ASSERT_EQ(names.slots.size(), 3u);  // in slot order; the unnamed t6 has none
    EXPECT_EQ(names.slots[0].name, "preparer");
    EXPECT_EQ(names.slots[0].slot, 5);
    EXPECT_EQ(names.slots[1].name, "line22Taxable");
    EXPECT_EQ(names.slots[1].kind, 'd');
    EXPECT_EQ(names.slots[2].name, "spare");
    EXPECT_EQ(names.slots[2].slot, 99);
    EXPECT_EQ(names.slots[2].note, "kept for the previous year");
    ASSERT_EQ(names.tables.size(), 1u);
    EXPECT_EQ(names.tables[0].name, "rows");
    EXPECT_EQ(names.tables[0].first, 10);
    EXPECT_EQ(names.tables[0].stride, 5);
    EXPECT_EQ(names.tables[0].rows, 2);
    ASSERT_EQ(names.tables[0].columns.size(), 2u);
    EXPECT_EQ(names.tables[0].columns[1].name, "amount");
    EXPECT_EQ(names.tables[0].columns[1].slot, 3);

    // A name changes nothing on the page: the field binds its slot with its kind and style.
    const PageLayout layout = Render("line 22 \"Taxable\" d56:line22Taxable.g", kNamedPage);
    const Element *e = BoundElement(layout);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->Tag(), 4056);
    EXPECT_EQ(e->style, "EDITOVERRIDEABLE");
}

TEST(SlotNames, HeaderNamesSlotRefsForOneFormTypeAndSlotNumbersForSeveral)
{
    const std::string body =
        "line 22 \"Taxable\" d56:line22Taxable\ntable 2 10:rows 5\ncol \"(b)\" 100 d+3:amount\nendtable";
    const std::string one = formgen::WriteSlotHeader(Names(body, kNamedPage), "forms/page6.form");
    EXPECT_NE(one.find("namespace quorvan::slot::scheduleDPage2 {"), std::string::npos) << one;
    EXPECT_NE(one.find("constexpr int kFormType = 6;"), std::string::npos) << one;
    EXPECT_NE(one.find("constexpr SlotRef line22Taxable{kFormType, 56};"), std::string::npos) << one;
    EXPECT_NE(one.find("constexpr int amount = 3;"), std::string::npos) << one;
    EXPECT_NE(one.find("constexpr SlotRef Slot(int row, int column)"), std::string::npos) << one;
    EXPECT_EQ(formgen::HeaderStem("scheduleDPage2"), "ScheduleDPage2");

    const std::string several = formgen::WriteSlotHeader(
        Names(body, "page 29 name=form8949ShortTerm types=29,30,31 width=1000 height=600 focus=-1"), "p.form");
    EXPECT_EQ(several.find("kFormType"), std::string::npos) << several;
    EXPECT_NE(several.find("constexpr int line22Taxable = 56;"), std::string::npos) << several;
    EXPECT_NE(several.find("constexpr int Slot(int row, int column)"), std::string::npos) << several;
}

const ErrorCase kNameErrorCases[] = {
    // name                 description                                                         message
    {"NameForTwoSlots", "line 1 \"a\" d1:total\nline 2 \"b\" d2:total\n", "stands for slots 1 and 2"},
    {"TwoNamesForASlot", "screen row t5:first#100\nprint row t5:second#100\n", "is named first and second"},
    {"SlotNoPageShowsIsShown", "row t5:spare#100\nslot 5:spare \"why\"\n", "is on the page"},
    {"SlotNoPageShowsWithoutWhy", "slot 5:spare\n", "slot <number>:<name>"},
    {"ColumnNameOfATableWithoutName", "table 2 10 5\ncol \"a\" 100 t+0:name\nendtable\n", "table without a name"},
    {"NameThatIsNoName", "row t5:9lives#100\n", "not a field"},
};

class RefusedNames : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(RefusedNames, NameTheFaultAndItsLine)
{
    const ErrorCase &c = GetParam();
    try {
        const formgen::PageDescription page =
            formgen::ParseDescription(std::string(kNamedPage) + "\n" + c.text, "bad.form");
        formgen::LayOutPage(page);
        formgen::CollectSlotNames(page);
        FAIL() << "accepted";
    } catch (const DescriptionError &error) {
        EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find("bad.form:"), std::string::npos) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Errors, RefusedNames, ::testing::ValuesIn(kNameErrorCases),
                         [](const ::testing::TestParamInfo<ErrorCase> &info) { return info.param.name; });

TEST(SlotNames, NamedFieldOnAPageWithoutANameIsRefused)
{
    EXPECT_THROW(Names("row t5:preparer#100", "page 6 width=1000 height=600 focus=-1"), DescriptionError);
}

TEST(FormGenerator, UiXmlEscapesTextAndTabsOnlyThroughEntries)
{
    const std::string xml = formgen::WriteUiXml(
        Render("line 1 \"Gains & losses <net>\" d30.g\nhelp \"Line 1 & more\"\nline 2 \"Total\" d31.r\nline 3 \"Other\" d32"));
    EXPECT_NE(xml.find("Gains &amp; losses &lt;net&gt;"), std::string::npos);
    EXPECT_NE(xml.find("<property name=\"focusTag\" stdset=\"0\"><number>4030</number>"), std::string::npos);
    EXPECT_NE(xml.find("<tabstop>edt4030</tabstop>\n  <tabstop>edt4032</tabstop>"), std::string::npos);
    EXPECT_EQ(xml.find("<tabstop>edt4031</tabstop>"), std::string::npos);
    EXPECT_NE(xml.find("name=\"btnHELP1Callout\""), std::string::npos);
    EXPECT_NE(xml.find("Line 1 &amp; more"), std::string::npos);
}

TEST(FormGenerator, PrintTemplateHoldsOneVariablePerBoundControl)
{
    const PageLayout layout =
        Render("line 1 \"Print/Type & {name}\" t78@200#200 x2 p30.r@600#80 d41.g\nline 2 \"Total\" m22#300 c5");
    const std::string rtf = formgen::WriteRtfTemplate(layout);
    for (const char *variable : {"/*78/", "/&2/", "/%30/", "/$41/", "/*5/", "/*22/"})
        EXPECT_NE(rtf.find(variable), std::string::npos) << variable;
    // No caption can pass for a variable, braces in captions stay text.
    EXPECT_NE(rtf.find("Print\\'2fType & \\{name\\}"), std::string::npos);
    // What the merge relies on: the body marker, Wingdings for check boxes, the closing brace.
    EXPECT_NE(rtf.find("\\'b7"), std::string::npos);
    EXPECT_NE(rtf.find("Wingdings"), std::string::npos);
    EXPECT_EQ(rtf[rtf.find_last_not_of("\r\n ")], '}');

    // The support file: a line of three integers, three reals and an integer per variable.
    std::istringstream support(formgen::WriteSupportFile(layout));
    std::string line;
    int lines = 0;
    while (std::getline(support, line)) {
        std::istringstream fields(line);
        int slot = 0, x = 0, y = 0, kind = 0;
        double w = 0, h = 0, size = 0;
        EXPECT_TRUE(static_cast<bool>(fields >> slot >> x >> y >> w >> h >> size >> kind)) << line;
        ++lines;
    }
    EXPECT_EQ(lines, 6);
}

TEST(FormGenerator, PrintTemplateSetsLossLinesAndRuledRegionsAsThePaintedSheetDoes)
{
    // Schedule D line 20 above a small Schedule K-1: Part I beside the boxes of Part III.
    const std::string rtf = formgen::WriteRtfTemplate(
        Render("line 20 \"Loss\" loss d15\ncolumns 0:480 490:510 flow ruled\nrow \"A\"\nrow t5#300\nrule\n"
               "paint side \"For IRS Use Only\"\ncolumn\nline 1 \"Interest income\"\nrow d29@100#150\npaint rule\n"
               "endcolumns",
               "page 7 width=1000 height=900", Medium::Print));
    // The form's parentheses around the loss, which prints without its sign.
    EXPECT_NE(rtf.find("(\\tab /+15/ )"), std::string::npos);
    EXPECT_EQ(rtf.find("/$15/"), std::string::npos);
    // Row i holds line i of each region: the rules between a ruled region's lines take no row of
    // their own, and the name set upright beside the boxes stands as a bold line.
    const auto rowOf = [&rtf](const std::string& text) {
        const size_t at = rtf.find(text);
        return at == std::string::npos ? std::string() : rtf.substr(rtf.rfind("\\trowd", at), rtf.find("\\row\n", at) - rtf.rfind("\\trowd", at));
    };
    EXPECT_NE(rowOf("Interest income").find(" A\\"), std::string::npos) << rowOf("Interest income");
    EXPECT_NE(rowOf("/$29/").find("/*5/"), std::string::npos) << rowOf("/$29/");
    EXPECT_NE(rtf.find("\\b For IRS Use Only"), std::string::npos);
    EXPECT_EQ(rtf.find("cltxbtlr"), std::string::npos);
}

TEST(FormGenerator, PrintedPageThatWouldRunOntoASecondSheetIsRefusedAtTheLineThatPassesTheFoot)
{
    // Lines of 12 points: as many fit as the sheet's body holds, the next one is named.
    const int fitting = formgen::kSheetBody / 240;
    const std::string header = "page 7 width=1000 height=9000 printrow=12";
    EXPECT_NO_THROW(formgen::WriteRtfTemplate(Render(LinesOfAmounts(fitting), header, Medium::Print)));
    try {
        formgen::WriteRtfTemplate(Render(LinesOfAmounts(fitting + 5), header, Medium::Print));
        FAIL() << "a page longer than its sheet was accepted";
    } catch (const DescriptionError &error) {
        // Line 1 is the page header, so the n-th form line stands on line n + 1.
        const std::string expected = "test.form:" + std::to_string(fitting + 2) + ":";
        EXPECT_NE(std::string(error.what()).find(expected), std::string::npos) << error.what();
    }
}

TEST(FormGenerator, FooterStandsAtTheFootOfTheSheet)
{
    const PageLayout layout =
        Render("line 1 \"Interest\" d30\nfooter \"Cat. No. 11370H\"", "page 1 height=600", Medium::Print);
    const formgen::Sheet sheet = formgen::LayOutSheet(layout);
    int height = 0;
    for (const formgen::SheetRow &row : sheet.rows)
        height += row.height;
    EXPECT_EQ(height, formgen::kSheetBody);
    std::string lastRow;
    for (const formgen::SheetCell &cell : sheet.rows.back().cells)
        for (const Element *e : cell.elements)
            lastRow += e->text;
    EXPECT_EQ(lastRow, "Cat. No. 11370H");
}

TEST(FormGenerator, ScreenAndPrintStatementsShowOnTheirMediumOnly)
{
    const std::string body = "line 1 \"Interest\" d30\nscreen text \"Type the payers on page 2.\"\n"
                             "print text \"Attach a statement.\"";
    const std::string xml = formgen::WriteUiXml(Render(body));
    const std::string rtf = formgen::WriteRtfTemplate(Render(body, "page 7 width=1000 height=600", Medium::Print));
    EXPECT_NE(xml.find("Type the payers"), std::string::npos);
    EXPECT_EQ(xml.find("Attach a statement"), std::string::npos);
    EXPECT_NE(rtf.find("Attach a statement"), std::string::npos);
    EXPECT_EQ(rtf.find("Type the payers"), std::string::npos);
    EXPECT_NE(rtf.find("/$30/"), std::string::npos);
}

} // namespace

// --- Painted sheets: the layout the print engine paints, read back as the program reads it ---

quorvan::PaintedLayout Painted(const std::string &body, const std::string &header = "page 7 width=1000 height=900")
{
    quorvan::PaintedLayout layout;
    std::string error;
    const std::string text = formgen::WritePaintedLayout(Render(body, header, Medium::Paint));
    EXPECT_TRUE(quorvan::ParsePaintedLayout(text, layout, error)) << error << "\n" << text;
    return layout;
}

const quorvan::PaintedItem *FindItem(const quorvan::PaintedSheet &sheet, quorvan::PaintedKind kind,
                                     const std::string &text = "", int slot = -1)
{
    for (const quorvan::PaintedItem &item : sheet.items)
        if (item.kind == kind && (text.empty() || item.text == text) && (slot < 0 || item.slot == slot))
            return &item;
    return nullptr;
}

TEST(PaintedSheets, CaptionsLeadByDotsToTheAmountsTheirLinesEndIn)
{
    using quorvan::PaintedKind;
    const quorvan::PaintedLayout layout =
        Painted("line 1 \"Interest income\" d30\nline 2 \"Add lines 1 and 2 ▶\" d31.r\n"
                "line 3 \"Capital loss carryover\" loss d32\nline 4 \"Name\" t33#300");
    ASSERT_EQ(layout.layout, 7);
    ASSERT_EQ(layout.sheets.size(), 1u);
    const quorvan::PaintedSheet &sheet = layout.sheets[0];

    const auto *caption = FindItem(sheet, PaintedKind::Text, "Interest income");
    const auto *amount = FindItem(sheet, PaintedKind::Field, "", 30);
    ASSERT_TRUE(caption && amount);
    EXPECT_EQ(amount->fieldKind, 'd');
    EXPECT_EQ(amount->align, quorvan::PaintedAlign::Right);
    EXPECT_EQ(caption->baseline, amount->baseline) << "a caption's line stands beside its amount";
    const quorvan::PaintedItem *leader = nullptr;
    for (const auto &item : sheet.items)
        if (item.kind == PaintedKind::Leader && item.baseline == caption->baseline)
            leader = &item;
    ASSERT_NE(leader, nullptr);
    EXPECT_GT(leader->left, caption->left + 600) << "the dots start after the caption's words";
    EXPECT_LT(leader->right, amount->left) << "and stop before the box of the amount";

    // A pointer that ends a caption moves past the dots, up to the box.
    const auto *total = FindItem(sheet, PaintedKind::Text, "Add lines 1 and 2");
    const auto *pointer = FindItem(sheet, PaintedKind::Text, "▶");
    ASSERT_TRUE(total && pointer);
    EXPECT_EQ(pointer->align, quorvan::PaintedAlign::Right);
    EXPECT_EQ(pointer->baseline, total->baseline);

    EXPECT_TRUE(FindItem(sheet, PaintedKind::Field, "", 32)->loss);
    EXPECT_FALSE(amount->loss);
    // A text field on a rule takes no dots.
    const auto *name = FindItem(sheet, PaintedKind::Text, "Name");
    for (const auto &item : sheet.items)
        EXPECT_FALSE(item.kind == PaintedKind::Leader && item.baseline == name->baseline);
}

TEST(PaintedSheets, TableRowsShareANumberAndMarkTheirEntries)
{
    const quorvan::PaintedLayout layout =
        Painted("table 2 10 5\ncol \"(d)\" 100 d+0\ncol \"(h)\" 100 d+1.r\nendtable");
    const auto &sheet = layout.sheets.at(0);
    const auto *d0 = FindItem(sheet, quorvan::PaintedKind::Field, "", 10);
    const auto *h0 = FindItem(sheet, quorvan::PaintedKind::Field, "", 11);
    const auto *d1 = FindItem(sheet, quorvan::PaintedKind::Field, "", 15);
    ASSERT_TRUE(d0 && h0 && d1);
    EXPECT_EQ(d0->tableRow, h0->tableRow);
    EXPECT_NE(d0->tableRow, d1->tableRow);
    EXPECT_TRUE(d0->entry);
    EXPECT_FALSE(h0->entry);
}

TEST(PaintedSheets, ANarrowHeadingPrintsSmallerRatherThanBreakAWord)
{
    // Form 8949's column (f): "instructions" is a little wider than the column at 7 points.
    const quorvan::PaintedLayout layout = Painted("table 1 10 3\ncol \"(a) Description of property\" 230 t+0\n"
                                                  "col \"(f) Code(s) from instructions\" 76 t+1\n"
                                                  "col \"(g) Amount of adjustment\" 120 d+2\nendtable");
    const auto &sheet = layout.sheets.at(0);
    const auto *word = FindItem(sheet, quorvan::PaintedKind::Text, "instructions");
    ASSERT_NE(word, nullptr) << "the word stands whole on its line";
    EXPECT_EQ(word->size, 13);
    EXPECT_EQ(FindItem(sheet, quorvan::PaintedKind::Text, "(a) Description of property")->size, 14);
}

TEST(PaintedSheets, APartLabelStandsInItsBoxBesideTheFirstLineOfItsTitle)
{
    using quorvan::PaintedKind;
    const quorvan::PaintedLayout layout =
        Painted("columns 0:500 500:500\nband \"Part I\" \"Short\"\ncolumn\n"
                "band \"Part III\" \"Beneficiary's Share of Current Year Income, Deductions, Credits, and Other Items\"\n"
                "endcolumns");
    const auto &sheet = layout.sheets.at(0);
    const auto *part3 = FindItem(sheet, PaintedKind::Text, "Part III");
    const auto *first = FindItem(sheet, PaintedKind::Text, "Beneficiary's Share of Current Year Income,");
    const auto *second = FindItem(sheet, PaintedKind::Text, "Deductions, Credits, and Other Items");
    ASSERT_TRUE(part3 && first && second);
    EXPECT_EQ(part3->baseline, first->baseline);
    EXPECT_GT(second->baseline, first->baseline);
    // A title of one line in the taller row stands on the row's foot with its label.
    EXPECT_EQ(FindItem(sheet, PaintedKind::Text, "Part I")->baseline, FindItem(sheet, PaintedKind::Text, "Short")->baseline);
    EXPECT_EQ(FindItem(sheet, PaintedKind::Text, "Short")->baseline, second->baseline);
    // Each black box is one line high and holds its label.
    int boxes = 0;
    for (const auto &item : sheet.items)
        if (item.kind == PaintedKind::Fill && item.size == 0) {
            ++boxes;
            EXPECT_LT(item.bottom - item.top, second->baseline - first->baseline + 20);
            const int label = item.left < 5000 ? FindItem(sheet, PaintedKind::Text, "Part I")->baseline : part3->baseline;
            EXPECT_TRUE(item.top < label && label < item.bottom);
        }
    EXPECT_EQ(boxes, 2);
}

TEST(PaintedSheets, RuledRegionsReadAsAGridOfBoxes)
{
    using quorvan::PaintedKind;
    // Schedule K-1 in small: Part I beside the boxes of Part III, each box closed by a rule.
    const quorvan::PaintedLayout layout = Painted("columns 0:480 490:510 flow ruled\nrow \"A\"\nrow t5#300\n"
                                                  "rule\npaint side \"For IRS Use Only\"\ncolumn\n"
                                                  "line 1 \"Interest income\"\nrow d29@100#150\npaint rule\n"
                                                  "line 2 \"Ordinary dividends\"\nrow d30@100#150\npaint rule\n"
                                                  "endcolumns\nrow \"After\"");
    const auto &sheet = layout.sheets.at(0);
    const auto *box1 = FindItem(sheet, PaintedKind::Field, "", 29);
    const auto *box2 = FindItem(sheet, PaintedKind::Field, "", 30);
    const auto *after = FindItem(sheet, PaintedKind::Text, "After");
    ASSERT_TRUE(box1 && box2 && after);
    const int regionLeft = 720 + 5292;  // 490 pixels of 10.8 twips from the margin

    const quorvan::PaintedItem *divider = nullptr;
    std::vector<const quorvan::PaintedItem *> underBox1;
    for (const auto &item : sheet.items) {
        if (item.kind != PaintedKind::Rule)
            continue;
        if (item.left == item.right && item.left > 720 + 5184 && item.left < regionLeft)
            divider = &item;
        if (item.top == item.bottom && item.top > box1->baseline && item.top < box2->baseline - 200 &&
            item.right > box1->left)
            underBox1.push_back(&item);
    }
    ASSERT_NE(divider, nullptr) << "a rule parts the regions";
    EXPECT_LT(divider->top, box1->baseline);
    EXPECT_GT(divider->bottom, box2->baseline);
    EXPECT_LT(divider->bottom, after->baseline);
    ASSERT_EQ(underBox1.size(), 1u) << "the box's rule is the foot of its amount, drawn once";
    EXPECT_LE(underBox1[0]->left, regionLeft);

    const auto *side = FindItem(sheet, PaintedKind::Side, "For IRS Use Only");
    ASSERT_NE(side, nullptr);
    EXPECT_GT(side->left, 720) << "inside its region, not in the margin";
    EXPECT_EQ(side->bottom, divider->bottom) << "down to the foot of the block";

    EXPECT_THROW(Render("columns 0:500 500:500 ruled"), DescriptionError);
    EXPECT_THROW(Render("columns 0:500 500:500\npaint side \"Income\"", "page 7 height=900", Medium::Paint),
                 DescriptionError);
}

TEST(PaintedSheets, SideLabelsThirdsCutLinesAndFurtherSheetsStandOnPaperOnly)
{
    using quorvan::PaintedKind;
    const std::string body = "paint side \"Income\"\nline 1 \"Interest\" d1\nline 2 \"Dividends\" d2\n"
                             "paint endside\nline 3 \"Other\" d3\n"
                             "paint third\npaint cut \"Detach here\"\nrow \"Voucher 2\"\n"
                             "paint sheet\nrow \"Codes on the back\"";
    const quorvan::PaintedLayout layout = Painted(body);
    ASSERT_EQ(layout.sheets.size(), 2u);
    const auto &front = layout.sheets[0];

    const auto *side = FindItem(front, PaintedKind::Side, "Income");
    ASSERT_NE(side, nullptr);
    EXPECT_LT(side->left, 720) << "in the margin, left of the line numbers";
    EXPECT_LT(side->top, FindItem(front, PaintedKind::Text, "Interest")->baseline);
    EXPECT_GT(side->bottom, FindItem(front, PaintedKind::Text, "Dividends")->baseline);
    EXPECT_LT(side->bottom, FindItem(front, PaintedKind::Text, "Other")->baseline);

    const auto *cut = FindItem(front, PaintedKind::Cut, "Detach here");
    ASSERT_NE(cut, nullptr);
    EXPECT_NEAR(cut->top, quorvan::kSheetHeightTwips / 3, 200) << "the second third starts with its cut line";
    EXPECT_GT(FindItem(front, PaintedKind::Text, "Voucher 2")->baseline, cut->top);
    EXPECT_NE(FindItem(layout.sheets[1], PaintedKind::Text, "Codes on the back"), nullptr);
    EXPECT_EQ(FindItem(front, PaintedKind::Text, "Codes on the back"), nullptr);

    // The screen has none of it.
    const std::string xml = formgen::WriteUiXml(Render(body));
    EXPECT_EQ(xml.find("Detach here"), std::string::npos);
    EXPECT_EQ(xml.find(">Income<"), std::string::npos);

    // The word processor's template carries the same sheets: the back on a sheet of its own, the
    // cut line dashed at the top of the second third, the section's name in a cell beside its
    // lines, merged down them and set upright.
    const std::string rtf = formgen::WriteRtfTemplate(Render(body, "page 7 width=1000 height=900", Medium::Print));
    const size_t back = rtf.find("\\pagebb");
    ASSERT_NE(back, std::string::npos);
    EXPECT_EQ(rtf.find("\\pagebb", back + 1), std::string::npos) << "two sheets, one break";
    const std::string firstSheet = rtf.substr(0, back);
    EXPECT_NE(rtf.find("Codes on the back", back), std::string::npos);
    EXPECT_EQ(firstSheet.find("Codes on the back"), std::string::npos);
    const size_t cutRow = firstSheet.rfind("\\trowd", firstSheet.find("Detach here"));
    ASSERT_NE(cutRow, std::string::npos);
    EXPECT_NE(firstSheet.find("\\brdrdash", cutRow), std::string::npos);
    int above = 0;  // the rows' exact heights down to the cut line, from the top margin
    const std::regex height(R"(\\trrh-(\d+))");
    for (auto it = std::sregex_iterator(firstSheet.begin(), firstSheet.begin() + static_cast<long>(cutRow), height);
         it != std::sregex_iterator(); ++it)
        above += std::stoi((*it)[1]);
    EXPECT_NEAR(formgen::kTopMargin + above, quorvan::kSheetHeightTwips / 3, 100);
    const size_t sideCell = firstSheet.find("\\clvmgf\\cltxbtlr");
    ASSERT_NE(sideCell, std::string::npos);
    EXPECT_LT(firstSheet.find("Income", sideCell), firstSheet.find("Interest"));
    EXPECT_LT(firstSheet.find("\\clvmrg", sideCell), firstSheet.find("Dividends")) << "merged down to line 2";
    EXPECT_GT(firstSheet.find("\\clvmrg", firstSheet.find("Dividends")), firstSheet.find("Other")) << "line 3 stands outside it";

    // A sheet has three thirds.
    EXPECT_THROW(formgen::WritePaintedLayout(
                     Render("paint third\npaint third\npaint third", "page 7 height=900", Medium::Paint)),
                 DescriptionError);
    EXPECT_THROW(Render("screen side \"Income\""), DescriptionError);
}

TEST(PaintedSheets, FlowingRegionsSetTheirLinesEachAtItsOwnPitch)
{
    using quorvan::PaintedKind;
    const std::string regions = "row \"a\"\nrow \"b\"\ncolumn\nrow \"c\\nc2\\nc3\"\nrow \"d\"\nendcolumns";
    const auto baseline = [](const quorvan::PaintedLayout &layout, const char *text) {
        return FindItem(layout.sheets.at(0), PaintedKind::Text, text)->baseline;
    };
    const quorvan::PaintedLayout flowing = Painted("columns 0:500 500:500 flow\n" + regions);
    EXPECT_LT(baseline(flowing, "b"), baseline(flowing, "c3")) << "b follows a, whatever stands beside it";
    EXPECT_GT(baseline(flowing, "d"), baseline(flowing, "c3"));
    // Without flow, line i of each region shares a row, as in the RTF template.
    const quorvan::PaintedLayout shared = Painted("columns 0:500 500:500\n" + regions);
    EXPECT_GT(baseline(shared, "b"), baseline(shared, "c3"));
    EXPECT_EQ(baseline(shared, "b"), baseline(shared, "d"));
}
