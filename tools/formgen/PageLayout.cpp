#include "PageLayout.h"

#include "FieldToken.h"
#include "PrintSheet.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <set>

namespace formgen {

int Element::Tag() const
{
    switch (type) {
    case ElementType::Edit: return fieldKind * 1000 + slot;
    case ElementType::CheckBox: return estimate ? 1000 + slot : slot;
    case ElementType::Memo:
    case ElementType::AnswerLabel: return slot;
    default: return 0;
    }
}

namespace {

// Geometry of a column region, in page pixels. Captions are set at 9 points; DejaVu Sans, the
// usual Linux stand-in for the form's face, averages a little under 7 pixels a character there.
constexpr double kCharWidth = 6.45;
constexpr int kTextLineHeight = 15;
constexpr int kFieldHeight = 22;
constexpr int kAmountWidth = 130;
constexpr int kBoxLabelWidth = 34;
constexpr int kCaptionIndent = 52;
constexpr int kGap = 6;

struct Region {
    int x = 0;
    int width = 0;
    int RightColumn() const { return x + width - 4 - kAmountWidth; }
    int MiddleColumn() const { return RightColumn() - kBoxLabelWidth - 8 - kAmountWidth; }
};

int CharCount(const std::string& text)
{
    // UTF-8 continuation bytes do not start a character.
    int chars = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80)
            ++chars;
    return chars;
}

double CharWidth(int pointSize, bool bold) { return kCharWidth * pointSize / 9.0 * (bold ? 1.14 : 1.0); }

int TextWidth(const std::string& text, int pointSize = 9, bool bold = false)
{
    return static_cast<int>(std::ceil(CharCount(text) * CharWidth(pointSize, bold) * 1.06)) + 10;
}

// Lines a caption needs at the given width (words never split).
int WrappedLines(const std::string& text, int width, int pointSize = 9, bool bold = false)
{
    const double perChar = CharWidth(pointSize, bold) * 1.06;
    const double available = width - 10;
    int lines = 0;
    size_t start = 0;
    for (;;) {
        size_t end = text.find('\n', start);
        std::string paragraph = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        double lineWidth = 0;
        ++lines;
        size_t pos = 0;
        while (pos < paragraph.size()) {
            size_t wordEnd = paragraph.find(' ', pos);
            if (wordEnd == std::string::npos)
                wordEnd = paragraph.size();
            double word = CharCount(paragraph.substr(pos, wordEnd - pos)) * perChar;
            if (lineWidth > 0 && lineWidth + perChar + word > available) {
                ++lines;
                lineWidth = word;
            } else {
                lineWidth += (lineWidth > 0 ? perChar : 0) + word;
            }
            pos = wordEnd + 1;
        }
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

class LayoutBuilder {
public:
    LayoutBuilder(const PageDescription& page, Medium medium) : page_(page), medium_(medium)
    {
        layout_.sourceName = page.sourceName;
        layout_.printRow = page.printRow;
        layout_.layoutNumber = page.layoutNumber;
        layout_.width = page.width;
        layout_.height = page.height;
        layout_.focusTag = page.focusTag;
        region_ = {0, page.width};
        y_ = 8;
    }

private:
    [[noreturn]] void Fail(int line, const std::string& what) const
    {
        throw DescriptionError(page_.sourceName + ":" + std::to_string(line) + ": " + what);
    }

    const std::string& Text(const Statement& s, size_t i) const
    {
        if (i >= s.args.size() || !s.args[i].quoted)
            Fail(s.sourceLine, s.keyword + " expects a quoted text as argument " + std::to_string(i + 1));
        return s.args[i].text;
    }

    int Number(const Statement& s, const std::string& value) const
    {
        try {
            size_t used = 0;
            int n = std::stoi(value, &used);
            if (used == value.size())
                return n;
        } catch (const std::exception&) {
        }
        Fail(s.sourceLine, "not a number: " + value);
    }

    Element& Add(Element e, const std::string& prefix)
    {
        if (e.rect.x < 0 || e.rect.x + e.rect.w > page_.width)
            Fail(currentLine_, "\"" + e.text + "\" runs outside the page (x " + std::to_string(e.rect.x) + ", width " +
                                   std::to_string(e.rect.w) + ")");
        std::string base = prefix + (e.slot >= 0 ? std::to_string(e.Tag()) : std::to_string(++counter_[prefix]));
        std::string name = base;
        for (int n = 2; names_.count(name); ++n)
            name = base + "_" + std::to_string(n);
        names_.insert(name);
        e.name = name;
        e.row = rowCounter_;
        e.sourceLine = currentLine_;
        e.footer = footer_;
        e.sheet = sheet_;
        e.regionLeft = region_.x;
        e.regionRight = region_.x + region_.width;
        e.flow = flowColumns_ && !columns_.empty();
        e.ruled = e.flow && ruledColumns_;
        if (!columns_.empty()) {
            e.block = blockCounter_;
            e.region = static_cast<int>(columnIndex_);
        }
        layout_.elements.push_back(e);
        return layout_.elements.back();
    }

    Element& AddCaption(Rect r, const std::string& text, int size = 9, bool bold = false, Align align = Align::Left)
    {
        Element e;
        e.type = ElementType::Caption;
        e.rect = r;
        e.text = text;
        e.pointSize = size;
        e.bold = bold;
        e.wrap = true;
        e.align = align;
        return Add(e, "lbl");
    }

    // A field token (see FieldToken.h) with the kind's own place and size where it gives none.
    FieldToken ParseField(const Statement& s, const std::string& token) const
    {
        FieldToken f;
        if (!ReadFieldToken(token, f))
            Fail(s.sourceLine, "not a field: " + token);
        if (f.position.empty() && (f.kind == 'd' || f.kind == 'c') && f.width == 0)
            f.position = "R";
        if (f.width == 0) {
            switch (f.kind) {
            case 'd':
            case 'c': f.width = kAmountWidth; break;
            case 'p': f.width = 80; break;
            case 'n': f.width = 60; break;
            case 'x': f.width = 20; break;
            case 'e': f.width = 50; break;
            case 'm': f.width = 400; break;
            case 'a': f.width = 160; break;
            default: f.width = 240; break;
            }
        }
        if (f.height == 0)
            f.height = f.kind == 'm' ? 60 : (f.kind == 'x' ? 20 : kFieldHeight);
        return f;
    }

    int FieldX(const FieldToken& f, int cursor) const
    {
        if (f.position == "R")
            return region_.RightColumn();
        if (f.position == "M")
            return region_.MiddleColumn();
        if (!f.position.empty())
            return region_.x + std::stoi(f.position);
        return cursor;
    }

    Element& AddField(const Statement& s, const FieldToken& f, Rect r)
    {
        Element e;
        e.slot = f.slot;
        e.rect = r;
        std::string prefix;
        switch (f.kind) {
        case 'x':
        case 'e':
            e.type = ElementType::CheckBox;
            e.estimate = f.kind == 'e';
            if (f.style == 'g')
                e.style = "CHECKBOXOVERRIDEABLE";
            else if (f.style == 'r')
                Fail(s.sourceLine, "check boxes have no read-only style");
            prefix = "cbx";
            break;
        case 'm':
            e.type = ElementType::Memo;
            prefix = "memo";
            break;
        case 'a':
            e.type = ElementType::AnswerLabel;
            prefix = "lblAnswer";
            break;
        default:
            e.type = ElementType::Edit;
            e.fieldKind = std::string("tcpdn").find(f.kind) + 1;
            e.style = f.style == 'g' ? "EDITOVERRIDEABLE" : f.style == 'r' ? "EDITREADONLY" : "";
            e.align = (f.kind == 'd' || f.kind == 'c' || f.kind == 'p' || f.kind == 'n') ? Align::Right : Align::Left;
            prefix = "edt";
            break;
        }
        if ((e.type == ElementType::Memo || e.type == ElementType::AnswerLabel) && f.style)
            Fail(s.sourceLine, "memos and answer labels have no style");
        if (f.slot > 999)
            Fail(s.sourceLine, "slot out of range");
        return Add(e, prefix);
    }

    // A line of the form: optional line number, captions and fields flowing from the left, amounts
    // in the middle and right columns with the line number repeated in the box before them.
    void PlaceRow(const Statement& s, size_t first, const std::string& lineNumber)
    {
        struct Item {
            enum { Caption, BoxLabel, Move, Field, Bold, Small, Tiny, Centered, Height, Loss } kind;
            std::string text;
            FieldToken field;
            ElementType empty = ElementType::Edit;  // WriteIn or Shade: a place bound to nothing
        };
        std::vector<Item> items;
        for (size_t i = first; i < s.args.size(); ++i) {
            const Token& t = s.args[i];
            if (t.quoted)
                items.push_back({Item::Caption, t.text, {}});
            else if (t.text.size() > 2 && t.text.front() == '[' && t.text.back() == ']')
                items.push_back({Item::BoxLabel, t.text.substr(1, t.text.size() - 2), {}});
            else if (t.text.size() > 1 && t.text[0] == '>')
                items.push_back({Item::Move, t.text.substr(1), {}});
            else if (t.text.rfind("h=", 0) == 0)
                items.push_back({Item::Height, t.text.substr(2), {}});
            else if (t.text == "bold")
                items.push_back({Item::Bold, "", {}});
            else if (t.text == "small")
                items.push_back({Item::Small, "", {}});
            else if (t.text == "tiny")
                items.push_back({Item::Tiny, "", {}});
            else if (t.text == "centered")
                items.push_back({Item::Centered, "", {}});
            else if (t.text == "loss")
                items.push_back({Item::Loss, "", {}});
            else if (t.text.rfind("blank", 0) == 0)
                items.push_back({Item::Field, "", ParseField(s, "t0" + t.text.substr(5)), ElementType::WriteIn});
            else if (t.text.rfind("shade", 0) == 0)
                items.push_back({Item::Field, "", ParseField(s, "t0" + t.text.substr(5)), ElementType::Shade});
            else
                items.push_back({Item::Field, "", ParseField(s, t.text)});
        }

        const int top = y_;
        int height = page_.rowHeight;
        for (const Item& item : items)
            if (item.kind == Item::Height)
                height = Number(s, item.text);
        if (!lineNumber.empty()) {
            Element e;
            e.type = ElementType::LineNumber;
            e.rect = {region_.x + 4, top + 6, 30, 18};
            e.text = lineNumber;
            e.bold = true;
            Add(e, "lblLine");
        }
        lastRowTop_ = top;
        lastRowLeft_ = page_.width;
        lastRowRight_ = 0;
        const size_t firstElement = layout_.elements.size();

        int cursor = region_.x + kCaptionIndent;
        std::string pendingBox;
        bool bold = false;
        bool small = false;
        bool tiny = false;
        bool centered = false;
        bool loss = false;
        for (size_t i = 0; i < items.size(); ++i) {
            Item& item = items[i];
            switch (item.kind) {
            case Item::Height: break;
            case Item::Loss: loss = true; break;
            case Item::Bold: bold = true; break;
            case Item::Small: small = true; break;
            case Item::Tiny: small = tiny = true; break;
            case Item::Centered: centered = true; break;
            case Item::Move: cursor = region_.x + Number(s, item.text); break;
            case Item::BoxLabel: pendingBox = item.text; break;
            case Item::Caption: {
                // The caption may run up to the next placed field, or to the region's edge.
                int limit = region_.x + region_.width - 4;
                for (size_t j = i + 1; j < items.size(); ++j) {
                    if (items[j].kind == Item::Move) {
                        limit = region_.x + Number(s, items[j].text) - kGap;
                        break;
                    }
                    if (items[j].kind == Item::Field && !items[j].field.position.empty()) {
                        int x = FieldX(items[j].field, cursor);
                        bool boxed = items[j].field.position == "R" || items[j].field.position == "M" ||
                                     (j > 0 && items[j - 1].kind == Item::BoxLabel);
                        limit = x - (boxed ? kBoxLabelWidth + 2 : kGap);
                        break;
                    }
                }
                int size = small ? 8 : 9;
                int natural = TextWidth(item.text, size, bold);
                int width = std::max(20, std::min(natural, limit - cursor));
                // A centred caption (a column heading) takes the room up to what follows it.
                if (centered)
                    width = std::max(width, limit - cursor);
                int lines = WrappedLines(item.text, width, size, bold);
                int h = lines * (size == 8 ? 13 : kTextLineHeight) + 4;
                AddCaption({cursor, top + 6, width, h}, item.text, size, bold, centered ? Align::Center : Align::Left)
                    .tiny = tiny;
                height = std::max(height, h + 6);
                cursor += width + kGap;
                bold = small = tiny = centered = false;
                break;
            }
            case Item::Field: {
                const FieldToken& f = item.field;
                int x = FieldX(f, cursor);
                bool column = f.position == "R" || f.position == "M";
                std::string box = !pendingBox.empty() ? pendingBox : (column ? lineNumber : "");
                if (!box.empty()) {
                    Element e;
                    e.type = ElementType::BoxLabel;
                    e.rect = {x - kBoxLabelWidth - 2, top + 7, kBoxLabelWidth, 18};
                    e.text = box;
                    e.bold = true;
                    e.pointSize = 8;
                    e.align = Align::Center;
                    Add(e, "lblBox");
                }
                pendingBox.clear();
                if (!column && f.position.empty()) {
                    // A field in the flow must end before whatever the line places further right.
                    for (size_t j = i + 1; j < items.size(); ++j) {
                        int next = -1;
                        if (items[j].kind == Item::Move)
                            next = region_.x + Number(s, items[j].text);
                        else if (items[j].kind == Item::Field && !items[j].field.position.empty())
                            next = FieldX(items[j].field, cursor) -
                                   (j > 0 && items[j - 1].kind == Item::BoxLabel ? kBoxLabelWidth : 0);
                        if (next < 0)
                            continue;
                        if (x + f.width > next)
                            Fail(s.sourceLine, "field " + std::string(1, f.kind) + std::to_string(f.slot) +
                                                   " runs into what follows it (ends at " +
                                                   std::to_string(x + f.width) + ", next at " + std::to_string(next) +
                                                   ")");
                        break;
                    }
                    if (x + f.width > region_.x + region_.width)
                        Fail(s.sourceLine, "field runs outside its region");
                }
                int fy = top + (f.kind == 'x' || f.kind == 'e' ? 5 : 3);
                if (item.empty != ElementType::Edit) {
                    Element e;
                    e.type = item.empty;
                    e.rect = {x, fy, f.width, f.height};
                    Add(e, "rule");
                } else {
                    if (loss && (f.kind != 'd' && f.kind != 'c'))
                        Fail(s.sourceLine, "loss goes before an amount");
                    AddField(s, f, {x, fy, f.width, f.height}).loss = loss;
                    loss = false;
                }
                height = std::max(height, f.height + 4);
                cursor = x + f.width + kGap;
                break;
            }
            }
        }
        for (size_t i = firstElement; i < layout_.elements.size(); ++i) {
            const Element& e = layout_.elements[i];
            if (e.type == ElementType::LineNumber)
                continue;
            lastRowLeft_ = std::min(lastRowLeft_, e.rect.x);
            lastRowRight_ = std::max(lastRowRight_, e.rect.x + e.rect.w);
        }
        y_ = top + height;
    }

    void PlaceTitle(const Statement& s)
    {
        const std::string& form = Text(s, 0);
        const std::string& title = Text(s, 1);
        const std::string& year = Text(s, 2);
        std::string right = s.args.size() > 3 ? Text(s, 3) : "";
        const int top = y_;
        const int left = region_.x;
        const int w = region_.width;
        // A long form name ("SCHEDULE D (Form 1041)") is set smaller, on the lines the description breaks it into.
        int formSize = TextWidth(form, 18, true) <= 150 && form.find('\n') == std::string::npos ? 18 : 12;
        AddCaption({left + 4, top, 150, 58}, form, formSize, true);
        const int titleHeight = WrappedLines(title, w - 330, 13, true) * 21 + 4;
        AddCaption({left + 160, top, w - 330, titleHeight}, title, 13, true, Align::Center);
        AddCaption({left + w - 160, top, 156, 44}, year, 22, true, Align::Right);
        int rightBottom = top + 44;
        if (!right.empty()) {
            const int lines = WrappedLines(right, 156, 8);
            AddCaption({left + w - 160, top + 44, 156, lines * 13 + 3}, right, 8, false, Align::Right);
            rightBottom += lines * 13 + 3;
        }
        int subtitleY = top + std::max(34, titleHeight + 2);
        // Further quoted texts after the fourth go under the title, centred.
        for (size_t i = 4; i < s.args.size(); ++i) {
            int lines = WrappedLines(Text(s, i), w - 330, 8);
            AddCaption({left + 160, subtitleY, w - 330, lines * 13 + 2}, Text(s, i), 8, false, Align::Center);
            subtitleY += lines * 13 + 2;
        }
        y_ = std::max({top + 62, subtitleY + 4, rightBottom + 2});
        AddRule();
    }

    void AddRule(int thickness = 2)
    {
        Element e;
        e.type = ElementType::Rule;
        e.rect = {region_.x, y_, region_.width, thickness};
        Add(e, "rule");
        y_ += thickness + 2;
    }

    void PlaceBand(const Statement& s)
    {
        Element e;
        e.type = ElementType::Band;
        e.label = Text(s, 0);
        e.text = s.args.size() > 1 ? Text(s, 1) : "";
        int labelWidth = std::max(80, TextWidth(e.label, 9, true) + 12);
        int textWidth = region_.width - labelWidth - 8;
        int lines = WrappedLines(e.text, textWidth, 9, true);
        int h = std::max(22, lines * kTextLineHeight + 6);
        e.rect = {region_.x, y_ + 2, region_.width, h};
        e.bold = true;
        e.labelWidth = labelWidth;
        Add(e, "band");
        y_ += h + 4;
    }

    void PlaceParagraph(const Statement& s, int size, bool bold, Align align)
    {
        const std::string& text = Text(s, 0);
        int indent = 4;
        if (s.args.size() > 1 && !s.args[1].quoted)
            indent = Number(s, s.args[1].text);
        int width = region_.width - indent - 4;
        int lines = WrappedLines(text, width, size, bold);
        int lineHeight = size <= 8 ? 13 : size <= 9 ? kTextLineHeight : size + 8;
        int h = lines * lineHeight + 4;
        AddCaption({region_.x + indent, y_ + 2, width, h}, text, size, bold, align);
        y_ += h + 4;
    }

    void PlaceHelp(const Statement& s)
    {
        if (lastRowTop_ < 0)
            Fail(s.sourceLine, "help belongs to the line before it");
        Element e;
        e.type = ElementType::HelpButton;
        e.text = Text(s, 0);
        // Beside the line number when the line leaves room there, else after the line's last control.
        int x = lastRowLeft_ >= region_.x + kCaptionIndent ? region_.x + 34 : lastRowRight_ + 6;
        if (x + 16 > region_.x + region_.width)
            Fail(s.sourceLine, "no room for the help button on the line above");
        e.rect = {x, lastRowTop_ + 5, 16, 16};
        Add(e, "btnHELP");
    }

    // A grid of rows x columns; column c of row r binds slot first + r * stride + offset.
    void PlaceTable(const Statement& s, size_t& index)
    {
        if (s.args.size() < 3)
            Fail(s.sourceLine, "table <rows> <first slot> <stride> [row height]");
        int rows = Number(s, s.args[0].text);
        int first = 0;
        std::string tableName;
        if (!ReadNamedNumber(s.args[1].text, first, tableName))
            Fail(s.sourceLine, "not a first slot: " + s.args[1].text);
        int stride = Number(s, s.args[2].text);
        int rowHeight = s.args.size() > 3 ? Number(s, s.args[3].text) : page_.rowHeight;
        struct Column {
            std::string header;
            int width;
            FieldToken field;
        };
        std::vector<Column> columns;
        const auto& statements = page_.statements;
        for (++index; index < statements.size() && statements[index].keyword != "endtable"; ++index) {
            const Statement& c = statements[index];
            if (c.keyword != "col" || c.args.size() < 3)
                Fail(c.sourceLine, "col \"<header>\" <width> <kind>+<offset>[.style]");
            // A cell: <kind>+<offset>[.<style>], the offset counted from the row's first slot.
            const std::string& cell = c.args[2].text;
            const size_t plus = cell.find('+');
            if (plus != 1 || std::string("dcptnxa").find(cell[0]) == std::string::npos)
                Fail(c.sourceLine, "not a table cell: " + cell);
            Column col;
            col.header = Text(c, 0);
            col.width = Number(c, c.args[1].text);
            col.field = ParseField(c, cell.substr(0, 1) + cell.substr(2));
            columns.push_back(col);
        }
        if (index >= statements.size())
            Fail(s.sourceLine, "table without endtable");

        int headerHeight = 0;
        for (const Column& c : columns)
            headerHeight = std::max(headerHeight, WrappedLines(c.header, c.width, 8, true) * 13 + 6);
        int x = region_.x + 4;
        for (const Column& c : columns) {
            Element& heading = AddCaption({x, y_, c.width, headerHeight}, c.header, 8, true, Align::Center);
            // A heading with a word wider than its printed column prints smaller, as the forms set
            // their narrow headings, so that no word of it is broken ("(f) Code(s) from instructions").
            heading.tiny = !WordsFitPrintedCell(c.header, c.width, PrintHalfPoints(heading) / 2.0, true);
            x += c.width + 2;
        }
        y_ += headerHeight + 2;
        for (int r = 0; r < rows; ++r) {
            ++rowCounter_;
            x = region_.x + 4;
            for (const Column& c : columns) {
                FieldToken f = c.field;
                f.slot = first + r * stride + c.field.slot;
                AddField(s, f, {x, y_ + 1, c.width, std::min(rowHeight - 2, kFieldHeight)}).tableRow = rowCounter_;
                x += c.width + 2;
            }
            y_ += rowHeight;
        }
        y_ += 4;
    }

    // The marks of painted sheets: they take no room on the page they are laid out on; the sheet
    // builder (PrintSheet.h) gives them their place.
    void PlaceMark(const Statement& s)
    {
        // A section's name may also stand upright inside a flowing region, beside the rest of it
        // (Schedule K-1, "For IRS Use Only").
        if (!columns_.empty() && !(s.keyword == "side" && flowColumns_))
            Fail(s.sourceLine, s.keyword + " stands outside side-by-side columns (side: or in flowing ones)");
        Element e;
        if (s.keyword == "sheet") {
            e.type = ElementType::SheetBreak;
            ++sheet_;
        } else if (s.keyword == "third") {
            e.type = ElementType::ThirdBreak;
        } else if (s.keyword == "cut") {
            e.type = ElementType::CutLine;
            e.text = s.args.empty() ? std::string() : Text(s, 0);
            e.pointSize = 8;
        } else if (s.keyword == "side") {
            e.type = ElementType::SideLabel;
            e.text = Text(s, 0);
            e.bold = true;
        } else {
            e.type = ElementType::SideEnd;
        }
        e.rect = {region_.x, y_, region_.width, 0};
        Add(e, "mark");
    }

    void Place(const Statement& s)
    {
        currentLine_ = s.sourceLine;
        ++rowCounter_;
        const std::string& k = s.keyword;
        if (k == "title") {
            PlaceTitle(s);
        } else if (k == "band") {
            PlaceBand(s);
        } else if (k == "head") {
            PlaceParagraph(s, 10, true, Align::Left);
        } else if (k == "text") {
            PlaceParagraph(s, 8, false, Align::Left);
        } else if (k == "center") {
            PlaceParagraph(s, 8, false, Align::Center);
        } else if (k == "gap") {
            const int gap = s.args.empty() ? 8 : Number(s, s.args[0].text);
            Element e;
            e.type = ElementType::Spacer;
            e.rect = {region_.x, y_, region_.width, gap};
            Add(e, "gap");
            y_ += gap;
        } else if (k == "rule") {
            AddRule(1);
        } else if (k == "line") {
            if (s.args.empty() || s.args[0].quoted)
                Fail(s.sourceLine, "line <number> ...");
            PlaceRow(s, 1, s.args[0].text == "-" ? "" : s.args[0].text);
        } else if (k == "row") {
            PlaceRow(s, 0, "");
        } else if (k == "footer") {
            if (!columns_.empty())
                Fail(s.sourceLine, "a footer stands outside side-by-side columns");
            footer_ = true;
            PlaceRow(s, 0, "");
            footer_ = false;
        } else if (k == "help") {
            PlaceHelp(s);
        } else if (k == "columns") {
            columns_.clear();
            flowColumns_ = false;
            ruledColumns_ = false;
            for (const Token& t : s.args) {
                if (t.text == "flow" || t.text == "ruled") {
                    (t.text == "flow" ? flowColumns_ : ruledColumns_) = true;
                    continue;
                }
                size_t colon = t.text.find(':');
                if (colon == std::string::npos)
                    Fail(s.sourceLine, "columns <x>:<width> ... [flow [ruled]]");
                columns_.push_back({Number(s, t.text.substr(0, colon)), Number(s, t.text.substr(colon + 1))});
            }
            if (columns_.empty())
                Fail(s.sourceLine, "columns needs at least one column");
            if (ruledColumns_ && !flowColumns_)
                Fail(s.sourceLine, "ruled columns must flow");
            ++blockCounter_;
            columnTop_ = y_;
            columnBottom_ = y_;
            columnIndex_ = 0;
            region_ = columns_[0];
        } else if (k == "column") {
            if (columns_.empty() || columnIndex_ + 1 >= columns_.size())
                Fail(s.sourceLine, "no further column");
            columnBottom_ = std::max(columnBottom_, y_);
            region_ = columns_[++columnIndex_];
            y_ = columnTop_;
        } else if (k == "endcolumns") {
            if (columns_.empty())
                Fail(s.sourceLine, "endcolumns without columns");
            y_ = std::max(columnBottom_, y_);
            columns_.clear();
            region_ = {0, page_.width};
        } else if (k == "table") {
            PlaceTable(s, currentIndex_);
        } else if (k == "sheet" || k == "third" || k == "cut" || k == "side" || k == "endside") {
            PlaceMark(s);
        } else if (k == "slot") {
            // A slot no page shows: it is named for the code, and placed nowhere.
        } else {
            Fail(s.sourceLine, "unknown statement: " + k);
        }
    }

public:
    void Run()
    {
        for (currentIndex_ = 0; currentIndex_ < page_.statements.size(); ++currentIndex_) {
            const Statement& s = page_.statements[currentIndex_];
            if (s.ShowsOn(medium_))
                Place(s);
            else if (s.keyword == "table")
                SkipTable();
        }
    }
    // A table marked for the other medium: its columns and end are skipped with it.
    void SkipTable()
    {
        const auto& statements = page_.statements;
        while (currentIndex_ < statements.size() && statements[currentIndex_].keyword != "endtable")
            ++currentIndex_;
    }

    PageLayout Result()
    {
        // The screen page's height is the zoom table's; the printed sheet is checked by its own measure.
        if (medium_ == Medium::Screen && y_ > page_.height)
            Fail(page_.statements.empty() ? 0 : page_.statements.back().sourceLine,
                 "content runs to " + std::to_string(y_) + ", below the page height " + std::to_string(page_.height));
        return layout_;
    }

private:
    const PageDescription& page_;
    const Medium medium_;
    PageLayout layout_;
    bool footer_ = false;
    Region region_;
    int y_ = 0;
    int lastRowTop_ = -1;
    int lastRowLeft_ = 0;
    int lastRowRight_ = 0;
    std::vector<Region> columns_;
    size_t columnIndex_ = 0;
    int columnTop_ = 0;
    int columnBottom_ = 0;
    size_t currentIndex_ = 0;
    int currentLine_ = 0;
    int rowCounter_ = 0;
    int blockCounter_ = 0;
    int sheet_ = 0;
    bool flowColumns_ = false;
    bool ruledColumns_ = false;
    std::map<std::string, int> counter_;
    std::set<std::string> names_;
};

}  // namespace

PageLayout LayOutPage(const PageDescription& page, Medium medium)
{
    LayoutBuilder builder(page, medium);
    builder.Run();
    return builder.Result();
}

}  // namespace formgen
