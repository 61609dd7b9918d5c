#include "print/PaintedLayout.h"

#include "files/Folders.h"
#include "files/RegularFile.h"
#include "store/FormTypes.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace quorvan {

const char* const kPaintedLayoutFolder = "LAY";

namespace {

constexpr char kMagic[] = "quorvan-painted-layout 1";
// A layout holds a few thousand short lines; anything far larger is no layout of ours.
constexpr size_t kMaxLayoutBytes = 8u << 20;
constexpr int kMaxSlot = 999;

struct Word {
    std::string text;
    bool quoted = false;
};

// Splits a line into words and quoted texts. False when a quote is not closed.
bool SplitWords(const std::string& line, std::vector<Word>& words)
{
    words.clear();
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
            continue;
        }
        Word word;
        if (line[i] == '"') {
            word.quoted = true;
            for (++i;; ++i) {
                if (i >= line.size())
                    return false;
                if (line[i] == '\\' && i + 1 < line.size()) {
                    word.text += line[++i];
                    continue;
                }
                if (line[i] == '"')
                    break;
                word.text += line[i];
            }
            ++i;
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
                word.text += line[i++];
        }
        words.push_back(word);
    }
    return true;
}

class LineReader {
public:
    LineReader(const std::vector<Word>& words, std::string& error) : words_(words), error_(error) {}

    // The next word as a whole number from `low` to `high`.
    bool Number(int& value, int low = -kSheetHeightTwips, int high = 2 * kSheetHeightTwips)
    {
        if (next_ >= words_.size() || words_[next_].quoted)
            return Fail("a number is missing");
        const std::string& text = words_[next_++].text;
        char* end = nullptr;
        const long number = std::strtol(text.c_str(), &end, 10);
        if (text.empty() || *end != '\0' || number < low || number > high)
            return Fail("\"" + text + "\" is no number from " + std::to_string(low) + " to " + std::to_string(high));
        value = static_cast<int>(number);
        return true;
    }
    bool Text(std::string& text)
    {
        if (next_ >= words_.size() || !words_[next_].quoted)
            return Fail("a quoted text is missing");
        text = words_[next_++].text;
        return true;
    }
    bool Align(PaintedAlign& align)
    {
        const std::string word = next_ < words_.size() ? words_[next_++].text : std::string();
        if (word == "l" || word == "c" || word == "r") {
            align = word == "l" ? PaintedAlign::Left : word == "c" ? PaintedAlign::Center : PaintedAlign::Right;
            return true;
        }
        return Fail("an alignment (l, c or r) is missing");
    }
    bool Style(PaintedItem& item)
    {
        const std::string word = next_ < words_.size() ? words_[next_++].text : std::string();
        if (word != "r" && word != "b" && word != "w")
            return Fail("a style (r, b or w) is missing");
        item.bold = word != "r";
        item.white = word == "w";
        return true;
    }
    bool FieldKind(char& kind)
    {
        const std::string word = next_ < words_.size() ? words_[next_++].text : std::string();
        if (word.size() != 1 || std::strchr("tcpdna", word[0]) == nullptr)
            return Fail("a field kind (t, c, p, d, n or a) is missing");
        kind = word[0];
        return true;
    }
    // What may follow a field: loss, row <n>, entry.
    bool FieldMarks(PaintedItem& item)
    {
        while (next_ < words_.size()) {
            const std::string& word = words_[next_++].text;
            if (word == "loss")
                item.loss = true;
            else if (word == "entry")
                item.entry = true;
            else if (word == "row") {
                if (!Number(item.tableRow, 0, std::numeric_limits<int>::max()))
                    return false;
            } else
                return Fail("\"" + word + "\" is no mark of a field");
        }
        return true;
    }
    bool End() { return next_ == words_.size() || Fail("\"" + words_[next_].text + "\" is one word too many"); }

private:
    bool Fail(const std::string& what)
    {
        error_ = what;
        return false;
    }

    const std::vector<Word>& words_;
    std::string& error_;
    size_t next_ = 1;
};

bool ReadItem(const std::vector<Word>& words, PaintedItem& item, std::string& error)
{
    LineReader in(words, error);
    const std::string& kind = words.front().text;
    constexpr int kSizeLimit = 200;  // half-points: 100-point text at most
    if (kind == "rule") {
        item.kind = PaintedKind::Rule;
        return in.Number(item.left) && in.Number(item.top) && in.Number(item.right) && in.Number(item.bottom) &&
               in.Number(item.size, 1, 400) && in.End();
    }
    if (kind == "fill") {
        item.kind = PaintedKind::Fill;
        return in.Number(item.left) && in.Number(item.top) && in.Number(item.right) && in.Number(item.bottom) &&
               in.Number(item.size, 0, 255) && in.End();
    }
    if (kind == "text") {
        item.kind = PaintedKind::Text;
        return in.Number(item.left) && in.Number(item.right) && in.Number(item.baseline) &&
               in.Number(item.size, 1, kSizeLimit) && in.Align(item.align) && in.Style(item) && in.Text(item.text) &&
               in.End();
    }
    if (kind == "side") {
        item.kind = PaintedKind::Side;
        item.bold = true;
        return in.Number(item.left) && in.Number(item.top) && in.Number(item.bottom) &&
               in.Number(item.size, 1, kSizeLimit) && in.Text(item.text) && in.End();
    }
    if (kind == "leader") {
        item.kind = PaintedKind::Leader;
        return in.Number(item.left) && in.Number(item.right) && in.Number(item.baseline) &&
               in.Number(item.size, 1, kSizeLimit) && in.End();
    }
    if (kind == "cut") {
        item.kind = PaintedKind::Cut;
        return in.Number(item.left) && in.Number(item.right) && in.Number(item.top) && in.Text(item.text) && in.End();
    }
    if (kind == "field") {
        item.kind = PaintedKind::Field;
        return in.Number(item.slot, 0, kMaxSlot) && in.FieldKind(item.fieldKind) && in.Number(item.left) &&
               in.Number(item.right) && in.Number(item.baseline) && in.Number(item.size, 1, kSizeLimit) &&
               in.Align(item.align) && in.FieldMarks(item);
    }
    if (kind == "check") {
        item.kind = PaintedKind::Check;
        return in.Number(item.slot, 0, kMaxSlot) && in.Number(item.left) && in.Number(item.top) &&
               in.Number(item.size, 1, 1440) && in.End();
    }
    if (kind == "memo") {
        item.kind = PaintedKind::Memo;
        return in.Number(item.slot, 0, kMaxSlot) && in.Number(item.left) && in.Number(item.right) &&
               in.Number(item.top) && in.Number(item.bottom) && in.Number(item.size, 1, kSizeLimit) && in.End();
    }
    error = "\"" + kind + "\" is no item of a layout";
    return false;
}

}  // namespace

bool ParsePaintedLayout(const std::string& text, PaintedLayout& layout, std::string& error)
{
    layout = PaintedLayout();
    bool haveLayout = false;
    int lineNumber = 0;
    std::vector<Word> words;
    size_t start = 0;
    const auto fail = [&](const std::string& what) {
        error = "line " + std::to_string(lineNumber) + ": " + what;
        return false;
    };
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (lineNumber == 1) {
            if (line != kMagic && line != std::string(kMagic) + "\r")
                return fail("the file is no painted layout (it starts with \"" + std::string(kMagic) + "\")");
            continue;
        }
        if (!SplitWords(line, words))
            return fail("a quoted text is not closed");
        if (words.empty() || words.front().text[0] == '#')
            continue;
        if (words.front().text == "layout") {
            LineReader in(words, error);
            if (haveLayout || !in.Number(layout.layout, 1, 99) || !in.End())
                return fail(haveLayout ? "a second layout line" : error);
            haveLayout = true;
            continue;
        }
        if (words.front().text == "sheet") {
            if (words.size() != 1)
                return fail("sheet stands alone");
            layout.sheets.emplace_back();
            continue;
        }
        if (layout.sheets.empty())
            return fail("an item before the first sheet");
        PaintedItem item;
        if (!ReadItem(words, item, error))
            return fail(error);
        layout.sheets.back().items.push_back(std::move(item));
    }
    if (lineNumber == 0)
        return fail("the file is empty");
    if (!haveLayout)
        return fail("the layout line is missing");
    if (layout.sheets.empty())
        return fail("the layout has no sheet");
    return true;
}

PaintedLayouts::PaintedLayouts(std::string folder) : folder_(std::move(folder)) {}

const PaintedLayout* PaintedLayouts::ForFormType(int formType, std::string& error)
{
    const int number = LayoutOf(formType);
    const auto known = layouts_.find(number);
    if (known != layouts_.end())
        return &known->second;
    const std::string path = JoinPath(folder_, "page" + std::to_string(number) + ".lay");
    std::string bytes;
    std::string problem;
    if (!ReadRegularFile(path, kMaxLayoutBytes, bytes, problem)) {
        error = "The print layout " + path + " cannot be read: it " + problem + ".";
        return nullptr;
    }
    PaintedLayout layout;
    if (!ParsePaintedLayout(bytes, layout, problem)) {
        error = "The print layout " + path + " is damaged (" + problem + ").";
        return nullptr;
    }
    if (layout.layout != number) {
        error = "The print layout " + path + " holds layout " + std::to_string(layout.layout) + ".";
        return nullptr;
    }
    return &layouts_.emplace(number, std::move(layout)).first->second;
}

}  // namespace quorvan
