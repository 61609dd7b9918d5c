// Checks every generated screen layout against the answer store and the form type table: each
// bound control names a slot that its form types have, every slot the return uses has its control
// with the style its calculation asks for (overrideable, read-only or entry), no slot is bound
// twice, the page's focus control exists, the page has the height the zoom uses and its print
// template names every bound slot. The layouts are read as XML text, without the GUI toolkit.
#include "store/Answers.h"
#include "store/FormTypes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <ostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Control {
    std::string cls;
    std::string name;
    int tag = 0;
    std::string style;
};

struct Layout {
    int width = 0;
    int height = 0;
    std::vector<Control> controls;
    std::vector<std::string> tabStops;
};

// The text between `open` and the next `close` after position `from`, or empty.
std::string Between(const std::string &xml, size_t from, const std::string &open, const std::string &close)
{
    size_t start = xml.find(open, from);
    if (start == std::string::npos)
        return {};
    start += open.size();
    size_t end = xml.find(close, start);
    return end == std::string::npos ? std::string() : xml.substr(start, end - start);
}

bool At(const std::string &xml, size_t pos, const char *text)
{
    return xml.compare(pos, std::char_traits<char>::length(text), text) == 0;
}

// Reads the controls of a layout: every <widget> with its own tag and styleLookup properties, the
// root's size and the tab stops.
Layout ReadLayout(const std::string &xml)
{
    Layout layout;
    std::vector<size_t> open;
    bool rootSized = false;
    for (size_t pos = xml.find('<'); pos != std::string::npos; pos = xml.find('<', pos + 1)) {
        if (At(xml, pos, "<widget class=\"")) {
            Control c;
            c.cls = Between(xml, pos, "class=\"", "\"");
            c.name = Between(xml, pos, "name=\"", "\"");
            layout.controls.push_back(c);
            open.push_back(layout.controls.size() - 1);
        } else if (At(xml, pos, "</widget>")) {
            if (!open.empty())
                open.pop_back();
        } else if (At(xml, pos, "<property name=\"tag\" stdset=\"0\"><number>") && !open.empty()) {
            layout.controls[open.back()].tag = std::stoi(Between(xml, pos, "<number>", "<"));
        } else if (At(xml, pos, "<property name=\"styleLookup\" stdset=\"0\"><string>") && !open.empty()) {
            layout.controls[open.back()].style = Between(xml, pos, "<string>", "<");
        } else if (At(xml, pos, "<width>") && open.size() == 1 && !rootSized) {
            layout.width = std::stoi(Between(xml, pos, "<width>", "<"));
            layout.height = std::stoi(Between(xml, pos, "<height>", "<"));
            rootSized = true;
        } else if (At(xml, pos, "<tabstop>")) {
            layout.tabStops.push_back(Between(xml, pos, "<tabstop>", "<"));
        }
    }
    return layout;
}

std::string ReadFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every layout with the form types it shows, its focus Tag (-1: none) and the page height the zoom
// uses, as the form type table has them from the descriptions.
struct PageRow {
    int layout;
    std::vector<int> types;
    int focusTag;
    int height;
};

std::vector<PageRow> Pages()
{
    std::vector<PageRow> pages;
    for (size_t i = 0; i < quorvan::kLayoutFactCount; ++i) {
        const quorvan::LayoutFacts &facts = quorvan::kLayoutFacts[i];
        if (pages.empty() || pages.back().layout != facts.layout)
            pages.push_back({facts.layout, {}, facts.focusTag, facts.height});
        pages.back().types.push_back(facts.formType);
    }
    return pages;
}

void PrintTo(const PageRow &row, std::ostream *out)
{
    *out << "page" << row.layout << ".psf";
}

// Slots of each layout that the return reads or writes: each must have its control on the page.
// Written as ranges; first and last included.
struct SlotRange {
    int first;
    int last;
};

const std::map<int, std::vector<SlotRange>> kRequiredSlots = {
    // layout, slot ranges
    {1, {{0, 5}, {7, 17}, {19, 21}, {24, 25}, {30, 38}, {40, 72}, {74, 83}, {85, 85}}},
    {2, {{0, 21}, {24, 28}, {31, 31}, {35, 46}, {50, 50}, {52, 52}, {57, 58}, {61, 61}}},
    {3, {{0, 43}}},
    {4, {{0, 23}, {25, 25}, {32, 35}}},
    {28, {{0, 15}}},
    {5, {{0, 41}}},
    {6, {{0, 40}}},
    {7, {{0, 71}}},
    {8, {{0, 101}}},
    {9, {{0, 1}, {5, 6}, {10, 13}, {19, 19}, {29, 35}, {46, 47}, {53, 54}, {92, 93}, {99, 100}, {116, 117}}},
    {10, {{1, 22}, {24, 24}, {26, 26}, {28, 28}, {30, 30}, {32, 36}, {39, 39}, {41, 41}, {43, 43}, {45, 45}, {47, 48}}},
    {11, {{0, 57}}},
    {12, {{0, 18}}},
    {16, {{1, 40}}},
    {13, {{0, 27}}},
    {14, {{0, 6}, {13, 13}, {15, 16}, {18, 26}, {30, 30}, {32, 46}, {49, 50}}},
    {15, {{0, 6}, {9, 61}}},
    {24, {{0, 5}}},
    {18, {{0, 86}}},
    {19, {{0, 87}, {100, 100}, {180, 180}}},
    {20, {{0, 86}}},
    {26, {{0, 86}}},
    {21, {{1, 18}}},
    {22, {{1, 27}, {29, 44}}},
    {23, {{1, 23}}},
    {25, {{1, 14}}},
    {27, {{1, 7}}},
    {29, {{0, 136}}},
    {32, {{0, 136}}},
    {17, {{0, 13}, {20, 59}}},
    {37, {{0, 3}, {10, 30}}},
    {39, {{0, 37}}},
    {35, {{0, 18}, {20, 27}, {30, 70}, {75, 75}, {80, 95}}},
};

// Computed slots of each layout: guarded ones (the preparer may override them) and those written
// on every run. Every other bound slot is an entry.
struct ComputedSlots {
    std::vector<SlotRange> guarded;
    std::vector<SlotRange> always;
};

std::vector<SlotRange> Form8949Results()
{
    std::vector<SlotRange> ranges = {{0, 1}, {133, 136}};
    for (int row = 0; row < 16; ++row)
        ranges.push_back({8 * row + 12, 8 * row + 12});
    return ranges;
}

const std::map<int, ComputedSlots> kComputedSlots = {
    // layout, {guarded}, {always}
    {1, {{{16, 16}, {30, 33}, {35, 35}, {41, 41}, {46, 46}, {48, 49}, {52, 52}, {54, 54}, {56, 59}, {66, 66}, {68, 68}},
         {{50, 51}, {55, 55}, {60, 60}, {67, 67}, {69, 70}, {72, 72}}}},
    {2, {{{1, 1}, {7, 10}, {12, 12}, {14, 18}, {24, 24}, {26, 26}, {38, 38}, {44, 46}, {61, 61}},
         {{2, 2}, {4, 4}, {6, 6}, {13, 13}, {19, 21}, {27, 27}, {37, 37}, {43, 43}}}},
    {3, {{{2, 4}, {33, 34}, {36, 36}, {39, 40}}, {{0, 1}, {5, 5}, {26, 31}, {38, 38}, {41, 41}, {43, 43}}}},
    {4, {{{6, 7}, {10, 10}, {13, 15}, {20, 20}}, {{0, 5}, {9, 9}, {11, 12}, {16, 19}, {21, 23}, {25, 25}, {32, 35}}}},
    {28, {{{2, 2}}, {{0, 1}, {3, 15}}}},
    {5, {{}, {{0, 1}, {4, 16}, {20, 20}, {23, 35}, {41, 41}}}},
    {6, {{{15, 15}}, {{1, 2}, {4, 5}, {7, 8}, {11, 14}, {16, 19}, {21, 40}}}},
    {7, {{{0, 4}, {27, 31}}, {{5, 6}, {22, 26}, {32, 36}, {42, 46}, {52, 61}, {67, 71}}}},
    {8, {{{0, 4}, {79, 79}, {83, 83}, {87, 87}, {91, 91}, {95, 95}}, {{20, 24}, {30, 44}, {60, 74}, {99, 101}}}},
    {9, {{{0, 1}, {5, 6}, {10, 13}, {19, 19}, {29, 39}, {46, 47}, {53, 54}, {66, 66}, {92, 93}, {99, 100}, {112, 112}, {116, 117}}, {}}},
    // The allocation worksheet: each deduction's tax-exempt part and the results.
    {17, {{}, {{25, 25}, {31, 31}, {37, 37}, {43, 43}, {49, 49}, {55, 59}}}},
    {10, {{{1, 5}, {9, 9}}, {{15, 15}, {33, 34}, {36, 36}, {48, 48}}}},
    {11, {{{7, 7}, {11, 11}, {25, 25}, {31, 31}, {54, 57}}, {{35, 36}, {44, 45}, {50, 53}}}},
    {12, {{{0, 0}, {3, 3}, {12, 14}, {18, 18}}, {{4, 6}, {8, 8}, {10, 10}, {15, 15}, {17, 17}}}},
    {16, {{{12, 12}, {23, 23}}, {{1, 1}, {6, 11}, {13, 22}, {24, 40}}}},
    {13, {{{0, 27}}, {}}},
    {14, {{{0, 6}, {16, 16}, {39, 46}}, {{19, 19}, {25, 26}, {30, 30}, {33, 33}, {35, 36}, {38, 38}, {50, 50}}}},
    {15, {{{0, 6}}, {{9, 9}, {61, 61}}}},
    {24, {{{1, 1}}, {{0, 0}, {2, 5}}}},
    {18, {{{0, 3}}, {{86, 86}}}},
    {19, {{{0, 3}}, {{86, 87}}}},
    {20, {{{0, 3}}, {{86, 86}}}},
    {26, {{{0, 3}}, {{86, 86}}}},
    {21, {{{14, 14}, {16, 16}}, {{3, 3}, {6, 6}, {9, 9}, {13, 13}, {15, 15}, {17, 18}}}},
    {22, {{}, {{1, 2}, {5, 27}, {29, 44}}}},
    {23, {{}, {{1, 2}, {4, 23}}}},
    {25, {{}, {{1, 14}}}},
    {27, {{{5, 5}}, {{6, 7}}}},
    {29, {{}, Form8949Results()}},
    {32, {{}, Form8949Results()}},
    // Lines 13 to 17 are the individual's: read-only and left empty.
    {39, {{{5, 6}, {8, 8}, {11, 11}, {18, 20}, {31, 31}, {33, 33}},
          {{0, 1}, {10, 10}, {14, 14}, {17, 17}, {21, 21}, {23, 30}, {32, 32}, {34, 37}}}},
    {35, {{{2, 4}, {7, 7}}, {{0, 1}, {5, 6}, {8, 10}, {20, 27}, {30, 70}}}},
    // Read where the return holds them when printed (print/TaxExemptStatement.h).
    {37, {{}, {{0, 3}, {10, 30}}}},
};

bool InRanges(const std::vector<SlotRange> &ranges, int slot)
{
    for (const SlotRange &range : ranges)
        if (slot >= range.first && slot <= range.last)
            return true;
    return false;
}

// The style a control must carry: overrideable when guarded, read-only when always computed (check
// boxes have no read-only style), none for an entry.
std::string ExpectedStyle(const Control &c, int slot, const ComputedSlots &computed)
{
    const bool box = c.cls == "QCheckBox";
    if (InRanges(computed.guarded, slot))
        return box ? "CHECKBOXOVERRIDEABLE" : "EDITOVERRIDEABLE";
    if (InRanges(computed.always, slot))
        return box ? "" : "EDITREADONLY";
    return "";
}

// The answer slot a control binds, or -1 when it binds none.
int BoundSlot(const Control &c)
{
    if (c.cls == "QLineEdit")
        return c.tag % 1000;
    if (c.cls == "QCheckBox")
        return c.tag >= 1000 ? c.tag - 1000 : c.tag;
    if (c.cls == "QPlainTextEdit" || (c.cls == "QLabel" && c.tag > 0))
        return c.tag;
    return -1;
}

class FormLayouts : public ::testing::TestWithParam<PageRow> {};

TEST_P(FormLayouts, BindsOnlyExistingSlotsOnceAndHasItsFocusControl)
{
    const PageRow &row = GetParam();
    const std::string path = std::string(QUORVAN_BUILD_PSF_DIR) + "/page" + std::to_string(row.layout) + ".psf";
    const std::string xml = ReadFile(path);
    ASSERT_FALSE(xml.empty()) << "missing layout " << path;
    const Layout layout = ReadLayout(xml);
    ASSERT_FALSE(layout.controls.empty());
    EXPECT_EQ(layout.controls.front().cls, "QWidget");
    EXPECT_EQ(layout.height, row.height);
    EXPECT_GT(layout.width, 0);

    std::map<int, std::string> boundBy;
    std::set<std::string> names;
    bool focusFound = false;
    for (const Control &c : layout.controls) {
        EXPECT_TRUE(names.insert(c.name).second) << "name used twice: " << c.name;
        if (c.cls == "QLineEdit") {
            const int kind = c.tag / 1000;
            EXPECT_TRUE(kind >= 1 && kind <= 5) << c.name << " has kind " << kind;
            EXPECT_TRUE(c.style.empty() || c.style == "EDITOVERRIDEABLE" || c.style == "EDITREADONLY")
                << c.name << " style " << c.style;
        }
        if (c.cls == "QCheckBox") {
            EXPECT_TRUE(c.style.empty() || c.style == "CHECKBOXOVERRIDEABLE") << c.name;
        }
        if (c.cls == "QPushButton" && c.name.find("HELP") != std::string::npos) {
            EXPECT_NE(xml.find("name=\"" + c.name + "Callout\""), std::string::npos) << c.name << " has no callout";
        }
        const bool focusable = c.cls == "QLineEdit" || c.cls == "QCheckBox" || c.cls == "QPushButton" ||
                               c.cls == "QPlainTextEdit";
        if (focusable && c.tag == row.focusTag)
            focusFound = true;

        const int slot = BoundSlot(c);
        if (slot < 0)
            continue;
        for (int type : row.types)
            EXPECT_LE(slot, quorvan::kSlotCount[type]) << c.name << " binds slot " << slot << " beyond form type " << type;
        auto [previous, fresh] = boundBy.emplace(slot, c.name);
        EXPECT_TRUE(fresh) << "slot " << slot << " bound by " << previous->second << " and " << c.name;
    }
    const ComputedSlots &computed = kComputedSlots.at(row.layout);
    for (const Control &c : layout.controls) {
        if (c.cls != "QLineEdit" && c.cls != "QCheckBox")
            continue;
        const int slot = BoundSlot(c);
        EXPECT_EQ(c.style, ExpectedStyle(c, slot, computed)) << c.name << " (slot " << slot << ")";
    }

    for (const SlotRange &range : kRequiredSlots.at(row.layout))
        for (int slot = range.first; slot <= range.last; ++slot)
            EXPECT_TRUE(boundBy.count(slot)) << "slot " << slot << " has no control";

    if (row.focusTag >= 0) {
        EXPECT_TRUE(focusFound) << "no control with the focus Tag " << row.focusTag;
    }

    // The print template names every bound slot, and its support file lists them.
    const std::string dataDir = std::string(QUORVAN_BUILD_PSF_DIR) + "/..";
    const std::string rtf = ReadFile(dataDir + "/RTF/page" + std::to_string(row.layout) + ".rtf");
    const std::string support = ReadFile(dataDir + "/DAT/PAGE" + std::to_string(row.layout) + ".DAT");
    ASSERT_FALSE(rtf.empty());
    // The distribution amounts of a K-1 are the preparer's figures for the tier system, shown on
    // screen only.
    const std::set<int> screenOnly = row.layout == 9 ? std::set<int>{118, 119} : std::set<int>{};
    for (const auto &[slot, name] : boundBy) {
        if (screenOnly.count(slot))
            continue;
        bool printed = false;
        for (char type : std::string("*$%&+"))
            printed = printed || rtf.find("/" + std::string(1, type) + std::to_string(slot) + "/") != std::string::npos;
        EXPECT_TRUE(printed) << name << " has no variable in the print template";
    }
    EXPECT_EQ(static_cast<size_t>(std::count(support.begin(), support.end(), '\n')), boundBy.size() - screenOnly.size());

    // Tab goes through the entries only: read-only results are never tab stops.
    std::map<std::string, std::string> styleOf;
    for (const Control &c : layout.controls)
        styleOf[c.name] = c.style;
    for (const std::string &stop : layout.tabStops)
        EXPECT_NE(styleOf[stop], "EDITREADONLY") << stop << " is a read-only tab stop";
}

std::string PageName(const ::testing::TestParamInfo<PageRow> &info)
{
    return "page" + std::to_string(info.param.layout);
}

INSTANTIATE_TEST_SUITE_P(EveryPage, FormLayouts, ::testing::ValuesIn(Pages()), PageName);

// Every form type the window can show has its page: a layout whose facts the program reads, the
// same page height and focus field as the other types of that layout, and its own name.
TEST(FormTypeTable, EveryShownTypeHasItsLayout)
{
    int shown = 0;
    for (int type = 0; type < quorvan::kFormTypes; ++type) {
        const quorvan::FormTypeRow *row = quorvan::FindFormType(type);
        if (!row || !row->treeItem)
            continue;
        ++shown;
        const quorvan::LayoutFacts *facts = quorvan::FindLayoutFacts(type);
        ASSERT_NE(facts, nullptr) << "form type " << type << " has no layout";
        EXPECT_EQ(quorvan::LayoutOf(type), facts->layout);
        EXPECT_EQ(quorvan::PageHeightOf(type), facts->height);
        EXPECT_EQ(quorvan::FocusTagOf(type), facts->focusTag);
        EXPECT_NE(row->name, nullptr) << "form type " << type;
        const std::string psf = std::string(QUORVAN_BUILD_PSF_DIR) + "/page" + std::to_string(facts->layout) + ".psf";
        EXPECT_FALSE(ReadFile(psf).empty()) << psf;
    }
    EXPECT_EQ(shown, 36);
    // Form 8949 boxes B and C show on box A's layout, E and F on box D's.
    EXPECT_EQ(quorvan::LayoutOf(quorvan::ftForm8949C), quorvan::LayoutOf(quorvan::ftForm8949A));
    EXPECT_EQ(quorvan::LayoutOf(quorvan::ftForm8949F), quorvan::LayoutOf(quorvan::ftForm8949D));
    EXPECT_NE(quorvan::LayoutOf(quorvan::ftForm8949A), quorvan::LayoutOf(quorvan::ftForm8949D));
    // A type no page shows keeps the zoom's default height and no focus field.
    EXPECT_EQ(quorvan::PageHeightOf(0), 2000);
    EXPECT_EQ(quorvan::FocusTagOf(-1), -1);
}

} // namespace
