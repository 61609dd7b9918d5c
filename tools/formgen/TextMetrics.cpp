#include "TextMetrics.h"

#include <vector>

namespace formgen {
namespace {

// Advance widths in thousandths of an em of the characters 32 to 126, regular and bold, as the
// face's metric tables give them.
constexpr short kRegular[95] = {278,  278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,
                                556,  556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,
                                1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,
                                667,  778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,
                                333,  556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,
                                556,  556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};
constexpr short kBold[95] = {278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278,
                             556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611,
                             975, 722, 722, 722, 722, 667, 611, 778, 722, 278, 556, 722, 611, 833, 722, 778,
                             667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 333, 278, 333, 584, 556,
                             333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889, 611, 611,
                             611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584};

// A little above the tables, for rounding in the word processor's layout.
constexpr double kSafety = 1.005;

unsigned NextCodePoint(const std::string& text, size_t& i)
{
    const unsigned char c = static_cast<unsigned char>(text[i]);
    int length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (i + length > text.size())
        length = 1;
    unsigned code = length == 1 ? c : c & (0x3F >> (length - 1));
    for (int k = 1; k < length; ++k)
        code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
    i += length;
    return code;
}

int Thousandths(unsigned code, bool bold)
{
    if (code >= 32 && code <= 126)
        return (bold ? kBold : kRegular)[code - 32];
    switch (code) {
    case 0x2013: return 556;  // en dash
    case 0x2018:
    case 0x2019: return bold ? 278 : 222;
    case 0x201C:
    case 0x201D: return bold ? 500 : 333;
    case 0x2022: return 350;  // bullet
    case 0x00A7: return 556;  // section sign
    case 0x00A0: return 278;  // no-break space
    case 0x25B6: return 780;  // the form's pointer, set from a fallback face
    default: return 1000;
    }
}

// Width of a run of blanks in thousandths of an em. A word processor sets a second blank and
// every further one wider than the first (measured: 0.9 em for two, 0.45 em more for each after).
long SpaceRun(int blanks, bool bold)
{
    if (blanks <= 0)
        return 0;
    if (blanks == 1)
        return Thousandths(' ', bold);
    return 900 + 450L * (blanks - 2);
}

std::vector<std::string> SplitParagraphs(const std::string& text)
{
    std::vector<std::string> paragraphs;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        paragraphs.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return paragraphs;
        start = end + 1;
    }
}

}  // namespace

double PrintedWidth(const std::string& utf8, double pointSize, bool bold)
{
    long total = 0;
    int spaces = 0;
    for (size_t i = 0; i <= utf8.size();) {
        const unsigned code = i < utf8.size() ? NextCodePoint(utf8, i) : (++i, 0u);
        if (code == ' ') {
            ++spaces;
            continue;
        }
        total += SpaceRun(spaces, bold);
        spaces = 0;
        if (code != 0)
            total += Thousandths(code, bold);
    }
    return total * pointSize / 1000.0 * kSafety;
}

std::vector<std::string> BreakLines(const std::string& utf8, double widthPoints, double pointSize, bool bold)
{
    std::vector<std::string> lines;
    for (const std::string& paragraph : SplitParagraphs(utf8)) {
        std::string line;
        double used = 0;
        bool lineEmpty = true;
        size_t pos = 0;
        while (pos < paragraph.size() || lineEmpty) {
            // A word and the run of blanks before it; a line may break at any run.
            size_t wordStart = paragraph.find_first_not_of(' ', pos);
            if (wordStart == std::string::npos)
                wordStart = paragraph.size();
            size_t wordEnd = paragraph.find(' ', wordStart);
            if (wordEnd == std::string::npos)
                wordEnd = paragraph.size();
            const double gap = SpaceRun(static_cast<int>(wordStart - pos), bold) * pointSize / 1000.0 * kSafety;
            std::string word = paragraph.substr(wordStart, wordEnd - wordStart);
            double width = PrintedWidth(word, pointSize, bold);
            if (!lineEmpty && used + gap + width > widthPoints) {
                lines.push_back(line);
                line.clear();
                used = 0;
                lineEmpty = true;
            }
            if (lineEmpty && width > widthPoints && widthPoints > 0) {
                // A word longer than the column is broken between its characters.
                std::string part;
                for (size_t i = 0; i < word.size();) {
                    const size_t start = i;
                    NextCodePoint(word, i);
                    const std::string character = word.substr(start, i - start);
                    if (!part.empty() && PrintedWidth(part + character, pointSize, bold) > widthPoints) {
                        lines.push_back(part);
                        part.clear();
                    }
                    part += character;
                }
                word = part;
                width = PrintedWidth(word, pointSize, bold);
            }
            if (!lineEmpty)
                line += paragraph.substr(pos, wordStart - pos);
            line += word;
            used += (lineEmpty ? 0 : gap) + width;
            lineEmpty = false;
            pos = wordEnd;
        }
        lines.push_back(line);
    }
    return lines;
}

int PrintedLines(const std::string& utf8, double widthPoints, double pointSize, bool bold)
{
    return static_cast<int>(BreakLines(utf8, widthPoints, pointSize, bold).size());
}

double PrintedLineHeight(double pointSize) { return pointSize * 1.15; }

}  // namespace formgen
