#include "LineNames.h"

#include "FieldToken.h"
#include "QuotedText.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

namespace formgen {
namespace {

using Field = FieldToken;

bool ParseField(const std::string& token, Field& field) { return ReadFieldToken(token, field); }

bool AllLower(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

std::string LeadingDigits(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
        ++i;
    return text.substr(0, i);
}

// "A  Check all that apply:" and "A" name item A of a form's heading.
std::string ItemLetter(const std::string& caption)
{
    if (caption.empty() || caption[0] < 'A' || caption[0] > 'H')
        return {};
    if (caption.size() == 1 || caption.compare(1, 2, "  ") == 0)
        return caption.substr(0, 1);
    return {};
}

// "a  Total for year" and "c 28% rate gain" are sub-lines a and c of the line above.
std::string SubLineLetter(const std::string& caption)
{
    if (caption.size() > 3 && caption[0] >= 'a' && caption[0] <= 'z' && caption[1] == ' ' &&
        (caption[2] == ' ' || std::isupper(static_cast<unsigned char>(caption[2])) ||
         std::isdigit(static_cast<unsigned char>(caption[2]))))
        return caption.substr(0, 1);
    return {};
}

// Words of a row that change how the caption after them looks, not what it says.
bool CaptionModifier(const std::string& token)
{
    return token == "bold" || token == "small" || token == "tiny" || token == "centered";
}

// The caption that follows token `a` of a row, past any modifiers; empty when a field comes first.
std::string CaptionAfter(const std::vector<Token>& args, size_t a)
{
    for (size_t next = a + 1; next < args.size(); ++next) {
        if (args[next].quoted)
            return args[next].text;
        if (!CaptionModifier(args[next].text))
            break;
    }
    return {};
}

// A caption as a short name: up to its first parenthesis, colon or sentence end, at most 60
// characters cut at a word.
std::string ShortCaption(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    // The heading of the tax year reads "For calendar year 2016 or fiscal year beginning ..., 2016,
    // and ending ...": its two fields are the beginning and the ending of the year.
    if (text.find("year beginning") != std::string::npos)
        return "tax year beginning";
    if (text.find("and ending") != std::string::npos)
        return "tax year ending";
    if (std::none_of(text.begin(), text.end(), [](unsigned char c) { return std::isalpha(c); }))
        return {};
    for (const char* stop : {" (", ":", " $"}) {
        const size_t at = text.find(stop);
        if (at != std::string::npos && at > 0)
            text.erase(at);
    }
    // A sentence ends at a full stop before a capital ("Ch. 7" goes on).
    for (size_t at = text.find(". "); at != std::string::npos; at = text.find(". ", at + 1))
        if (at + 2 < text.size() && std::isupper(static_cast<unsigned char>(text[at + 2]))) {
            text.erase(at);
            break;
        }
    while (!text.empty() && (text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    if (text.size() > 60) {
        const size_t blank = text.rfind(' ', 60);
        text.erase(blank == std::string::npos ? 60 : blank);
    }
    return text;
}

// "(d) Amount of estimated tax payment" -> "column (d)"; a header without a letter is used whole.
std::string ColumnName(const std::string& header)
{
    if (header.size() > 2 && header[0] == '(') {
        const size_t close = header.find(')');
        if (close != std::string::npos && close < 5)
            return "column " + header.substr(0, close + 1);
    }
    return ShortCaption(header);
}

// A table column as the window's messages name it: "(d) Proceeds (sales price)" is "column (d)",
// a header without a letter is used whole.
std::string ShortColumnName(const std::string& header)
{
    const size_t close = header.find(')');
    if (header.size() > 2 && header[0] == '(' && close != std::string::npos && close <= 4)
        return "column " + header.substr(0, close + 1);
    return header;
}

class PageNamer {
public:
    PageNamer(int layout, std::vector<LineLabel>& out) : layout_(layout), out_(out) {}

    void Run(const PageDescription& page)
    {
        const auto& statements = page.statements;
        for (size_t i = 0; i < statements.size(); ++i) {
            const Statement& s = statements[i];
            const std::string& k = s.keyword;
            onScreen_ = s.ShowsOn(Medium::Screen);
            if (k == "band") {
                const std::string& name = s.args.empty() ? std::string() : s.args[0].text;
                const bool names =
                    name.rfind("Schedule ", 0) == 0 || name == "Other Information" || name.rfind("Voucher", 0) == 0;
                section_ = names ? name : std::string();
                ResetContext();
            } else if (k == "columns" || k == "column" || k == "endcolumns") {
                ResetContext();
            } else if (k == "line") {
                Line(s);
            } else if (k == "row") {
                Row(s, 0, std::string(), std::string());  // a row without a number belongs to the line above
            } else if (k == "footer") {
                Footer(s);
            } else if (k == "table") {
                Table(statements, i);
            }
        }
    }

private:
    void ResetContext()
    {
        line_.clear();
        item_.clear();
        lastCaption_.clear();
        headers_.clear();
    }

    void Line(const Statement& s)
    {
        const std::string number = s.args.empty() ? std::string() : s.args[0].text;
        if (number != "-") {
            if (AllLower(number) && !base_.empty()) {
                line_ = base_ + number;
            } else {
                line_ = number;
                base_ = LeadingDigits(number);
            }
            item_.clear();
        } else {
            for (size_t a = 1; a < s.args.size(); ++a) {
                const std::string letter = s.args[a].quoted ? SubLineLetter(s.args[a].text) : std::string();
                if (!letter.empty() && !base_.empty()) {
                    line_ = base_ + letter;
                    break;
                }
            }
        }
        Row(s, 1, line_, number == "-" ? std::string() : number);
    }

    // A footer's fields are named for the window only, by the box before them.
    void Footer(const Statement& s)
    {
        std::string pendingBox;
        for (const Token& t : s.args) {
            Field field;
            if (!t.quoted && t.text.size() > 2 && t.text.front() == '[' && t.text.back() == ']')
                pendingBox = t.text.substr(1, t.text.size() - 2);
            else if (!t.quoted && ParseField(t.text, field) && onScreen_)
                shortLines_[field.slot] = pendingBox;
            if (!t.quoted && (ParseField(t.text, field) || IsEmptyPlace(t.text)))
                pendingBox.clear();
        }
    }

    // `line` is the line the row belongs to, `number` the number its statement prints ("" for a
    // row or "line -").
    void Row(const Statement& s, size_t first, const std::string& line, const std::string& number)
    {
        // A row of captions alone at set places heads the columns of the rows below it.
        bool headerRow = true;
        int x = -1;
        std::map<int, std::string> headers;
        for (size_t a = first; a < s.args.size(); ++a) {
            const Token& t = s.args[a];
            if (t.quoted) {
                if (x >= 0)
                    headers[x] = t.text;
            } else if (t.text.size() > 1 && t.text[0] == '>') {
                x = std::atoi(t.text.c_str() + 1);
            } else if (!CaptionModifier(t.text) && t.text.rfind("h=", 0) != 0) {
                headerRow = false;
            }
        }
        if (headerRow && !headers.empty())
            headers_ = headers;

        std::string box;
        std::string nearest;
        std::string pendingBox;  // the box label printed before the next field: its line on screen
        for (size_t a = first; a < s.args.size(); ++a) {
            const Token& t = s.args[a];
            if (!t.quoted && IsEmptyPlace(t.text))
                pendingBox.clear();
            if (t.quoted) {
                const std::string item = ItemLetter(t.text);
                if (!item.empty()) {
                    item_ = item;
                    nearest.clear();
                    continue;
                }
                std::string caption = ShortCaption(t.text);
                // "Page [ ] of [ ]": a short connecting word names its field with the caption before.
                const bool connector =
                    caption.size() <= 3 &&
                    std::none_of(caption.begin(), caption.end(), [](unsigned char c) { return std::isupper(c); });
                if (connector && !caption.empty() && !nearest.empty())
                    caption = nearest + " " + caption;
                if (caption.empty())
                    continue;
                nearest = caption;
                if (SubLineLetter(t.text).empty())
                    lastCaption_ = nearest;
                continue;
            }
            if (t.text.size() > 2 && t.text.front() == '[' && t.text.back() == ']') {
                box = t.text.substr(1, t.text.size() - 2);
                pendingBox = box;
                if (std::none_of(box.begin(), box.end(), [](unsigned char c) { return std::isalnum(c); }))
                    box.clear();  // "[$]" marks the amount, not a line
                continue;
            }
            Field field;
            if (!ParseField(t.text, field))
                continue;
            std::string text;
            if (!box.empty())
                text = std::isdigit(static_cast<unsigned char>(box[0])) ? LineWord() + box : box;
            else if (!line.empty())
                text = LineWord() + line;
            else if (!item_.empty())
                text = "item " + item_;
            else if (!line_.empty())
                text = LineWord() + line_;
            else if (!nearest.empty())
                text = nearest;
            else
                text = lastCaption_;
            const bool numbered = !box.empty() || !line.empty() || !item_.empty() || !line_.empty();
            const std::string header = HeaderAt(field.position);
            if (!header.empty())
                text = numbered ? text + ", " + header : header;
            if (!section_.empty() && !text.empty())
                text = section_ + ", " + text;
            const bool checkBox = field.kind == 'x' || field.kind == 'e';
            const std::string caption = CaptionAfter(s.args, a);
            if (checkBox && numbered && !caption.empty())
                text += ", " + ShortCaption(caption);
            Add(field, text);
            if (onScreen_)
                shortLines_[field.slot] = pendingBox.empty() ? number : pendingBox;
            pendingBox.clear();
            // A box label names its line for the rest of the row ("[18c]" before three columns);
            // a check box's label belongs to that box alone.
            if (checkBox)
                box.clear();
        }
    }

    void Table(const std::vector<Statement>& statements, size_t& i)
    {
        const Statement& s = statements[i];
        onScreen_ = s.ShowsOn(Medium::Screen);
        const int rows = std::stoi(s.args.at(0).text);
        int first = 0;
        std::string tableName;
        ReadNamedNumber(s.args.at(1).text, first, tableName);
        const int stride = std::stoi(s.args.at(2).text);
        std::vector<std::pair<std::string, Field>> columns;
        for (++i; i < statements.size() && statements[i].keyword != "endtable"; ++i) {
            const Statement& c = statements[i];
            const std::string cell = c.args.at(2).text;  // <kind>+<offset>[.style]
            Field field;
            if (!ParseField(cell.substr(0, 1) + cell.substr(2), field))
                continue;
            columns.emplace_back(c.args.at(0).text, field);
        }
        const std::string prefix = line_.empty() ? std::string() : LineWord() + line_ + ", ";
        for (int r = 0; r < rows; ++r)
            for (const auto& [header, cell] : columns) {
                Field field = cell;
                field.slot = first + r * stride + cell.slot;
                Add(field, prefix + "row " + std::to_string(r + 1) + ", " + ColumnName(header));
                if (onScreen_)
                    shortLines_[field.slot] = "row " + std::to_string(r + 1) + ", " + ShortColumnName(header);
            }
    }

    // The name of the column a field at `position` stands in; columns that share a heading
    // ("Throwback year ending" five times) are told apart by their place.
    std::string HeaderAt(const std::string& position) const
    {
        if (position.empty() || !std::isdigit(static_cast<unsigned char>(position[0])))
            return {};
        const int x = std::stoi(position);
        for (const auto& [at, header] : headers_) {
            if (std::abs(at - x) > 4)
                continue;
            int place = 0, same = 0;
            for (const auto& [otherAt, other] : headers_)
                if (other == header) {
                    ++same;
                    if (otherAt <= at)
                        ++place;
                }
            const std::string name = ColumnName(header);
            return same > 1 ? name + " " + std::to_string(place) : name;
        }
        return {};
    }

    // Schedule K-1 numbers its lines as boxes.
    std::string LineWord() const { return layout_ == 9 ? "box " : "line "; }

    // A slot that both media show is named where it first stands: the screen statements come
    // first, and a painted copy further down (the vouchers' own thirds) must not rename it.
    void Add(const Field& field, const std::string& text)
    {
        if (named_.insert(field.slot).second)
            out_.push_back({layout_, field.slot, field.kind, field.style == 'g', text});
    }

    // "blank" and "shade": places bound to nothing; the box label before them is theirs.
    static bool IsEmptyPlace(const std::string& token)
    {
        return token.rfind("blank", 0) == 0 || token.rfind("shade", 0) == 0;
    }

public:
    // The line each field of the screen page names in the window's messages, by slot.
    const std::map<int, std::string>& ShortLines() const { return shortLines_; }

private:
    int layout_;
    std::vector<LineLabel>& out_;
    bool onScreen_ = true;
    std::map<int, std::string> shortLines_;
    std::string section_;
    std::set<int> named_;
    std::string line_;
    std::string base_;
    std::string item_;
    std::string lastCaption_;
    std::map<int, std::string> headers_;
};

}  // namespace

std::string WriteFieldLabelTable(std::vector<LineLabel> labels)
{
    std::sort(labels.begin(), labels.end(), [](const LineLabel& a, const LineLabel& b) {
        return std::tie(a.layout, a.slot) < std::tie(b.layout, b.slot);
    });
    // A slot bound twice on a page (none is, the layout test sees to it) keeps its first name.
    labels.erase(
        std::unique(labels.begin(), labels.end(),
                    [](const LineLabel& a, const LineLabel& b) { return a.layout == b.layout && a.slot == b.slot; }),
        labels.end());
    std::ostringstream out;
    out << "// Generated by tools/formgen from forms/*.form; not edited by hand.\n"
           "#include \"review/FieldLabels.h\"\n\n"
           "namespace quorvan::review {\n\n"
           "const FieldLabel kFieldLabels[] = {\n";
    for (const LineLabel& l : labels)
        out << "    {" << l.layout << ", " << l.slot << ", '" << l.kind << "', " << (l.guarded ? "true" : "false")
            << ", " << QuotedText(l.text) << "},\n";
    out << "};\nconst std::size_t kFieldLabelCount = " << labels.size() << ";\n\n}  // namespace quorvan::review\n";
    return out.str();
}

std::vector<LineLabel> NameLines(const PageDescription& page)
{
    std::vector<LineLabel> labels;
    PageNamer(page.layoutNumber, labels).Run(page);
    return labels;
}

void NameFieldLines(PageLayout& screen, const PageDescription& page)
{
    std::vector<LineLabel> labels;
    PageNamer namer(page.layoutNumber, labels);
    namer.Run(page);
    for (Element& e : screen.elements) {
        const bool bound = e.type == ElementType::Edit || e.type == ElementType::CheckBox ||
                           e.type == ElementType::Memo || e.type == ElementType::AnswerLabel;
        const auto line = bound ? namer.ShortLines().find(e.slot) : namer.ShortLines().end();
        e.line = line == namer.ShortLines().end() ? std::string() : line->second;
    }
}

}  // namespace formgen
