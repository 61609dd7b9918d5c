#include "RtfWriter.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <vector>

namespace formgen {
namespace {

// A page is 1000 pixels wide and prints 7.5 inches wide (letter paper, half-inch margins).
constexpr double kTwipsPerPixel = 10.8;
constexpr int kMaxSupportLines = 400;

int Twips(int pixels)
{
    return static_cast<int>(pixels * kTwipsPerPixel + 0.5);
}

// RTF text of a caption. "/" is written as \'2f so that no caption can look like a variable to the
// merge, and characters beyond ASCII become \uN? escapes.
std::string RtfText(const std::string &utf8)
{
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        unsigned code = c;
        size_t length = 1;
        if (c >= 0xF0 && i + 3 < utf8.size()) {
            code = ((c & 0x07u) << 18) | ((utf8[i + 1] & 0x3Fu) << 12) | ((utf8[i + 2] & 0x3Fu) << 6) | (utf8[i + 3] & 0x3Fu);
            length = 4;
        } else if (c >= 0xE0 && i + 2 < utf8.size()) {
            code = ((c & 0x0Fu) << 12) | ((utf8[i + 1] & 0x3Fu) << 6) | (utf8[i + 2] & 0x3Fu);
            length = 3;
        } else if (c >= 0xC0 && i + 1 < utf8.size()) {
            code = ((c & 0x1Fu) << 6) | (utf8[i + 1] & 0x3Fu);
            length = 2;
        }
        i += length;
        if (code == '\\' || code == '{' || code == '}') {
            out += '\\';
            out += static_cast<char>(code);
        } else if (code == '/') {
            out += "\\'2f";
        } else if (code == '\n') {
            out += "\\line ";
        } else if (code < 0x80) {
            out += static_cast<char>(code);
        } else {
            int signedCode = code > 0x7FFF ? static_cast<int>(code) - 0x10000 : static_cast<int>(code);
            out += "\\u" + std::to_string(signedCode) + "?";
        }
    }
    return out;
}

// The merge's variable for a bound control: "/", its type character, the slot, "/".
std::string Variable(const Element &e)
{
    char type = '*';
    int slot = e.slot;
    switch (e.type) {
    case ElementType::Edit:
        type = e.fieldKind == 4 ? '$' : e.fieldKind == 3 ? '%' : '*';
        break;
    case ElementType::CheckBox:
        type = '&';
        break;
    default:
        break;
    }
    return "/" + std::string(1, type) + std::to_string(slot) + "/";
}

bool IsVariable(const Element &e)
{
    return e.type == ElementType::Edit || e.type == ElementType::CheckBox || e.type == ElementType::Memo ||
           e.type == ElementType::AnswerLabel;
}

std::string CellText(const Element &e)
{
    std::ostringstream out;
    // Printed, the page is narrower than on screen: 9-point captions print at 7 points.
    int halfPoints = std::max(12, static_cast<int>(e.pointSize * 1.6 + 0.5));
    switch (e.type) {
    case ElementType::Band:
        out << "\\fs18\\b " << RtfText(e.label) << "\\tab " << RtfText(e.text) << "\\b0 ";
        break;
    case ElementType::LineNumber:
    case ElementType::BoxLabel:
        out << "\\fs" << halfPoints << "\\b " << RtfText(e.text) << "\\b0 ";
        break;
    case ElementType::Caption:
        out << "\\fs" << halfPoints << (e.bold ? "\\b " : " ") << RtfText(e.text) << (e.bold ? "\\b0 " : "");
        break;
    default:
        out << "\\fs16 " << Variable(e);
        break;
    }
    return out.str();
}

const char *CellAlignment(const Element &e)
{
    if (e.align == Align::Right || (e.type == ElementType::Edit && e.fieldKind >= 2))
        return "\\qr";
    if (e.align == Align::Center)
        return "\\qc";
    return "\\ql";
}

struct Cell {
    int left = 0;
    int right = 0;
    std::vector<const Element *> elements;
};

// One table row per line of the form. Elements that overlap across the line (a title block's
// subtitles under its title) share a cell, one paragraph each.
void WriteRow(std::ostringstream &out, std::vector<const Element *> elements)
{
    std::sort(elements.begin(), elements.end(), [](const Element *a, const Element *b) {
        return a->rect.x != b->rect.x ? a->rect.x < b->rect.x : a->rect.y < b->rect.y;
    });
    std::vector<Cell> cells;
    for (const Element *e : elements) {
        if (!cells.empty() && e->rect.x < cells.back().right) {
            cells.back().right = std::max(cells.back().right, e->rect.x + e->rect.w);
            cells.back().elements.push_back(e);
        } else {
            cells.push_back({e->rect.x, e->rect.x + e->rect.w, {e}});
        }
    }
    // Text cells reach to the next cell, so captions have the room the screen gives them; other
    // gaps become empty cells so every field keeps its place across the page.
    for (size_t i = 0; i + 1 < cells.size(); ++i) {
        bool text = true;
        for (const Element *e : cells[i].elements)
            text = text && !IsVariable(*e);
        if (text)
            cells[i].right = cells[i + 1].left;
    }
    out << "\\trowd\\trgaph20\\trleft0";
    int edge = 0;
    std::vector<std::pair<int, const Cell *>> boundaries;
    for (const Cell &cell : cells) {
        if (cell.left > edge)
            boundaries.push_back({cell.left, nullptr});
        boundaries.push_back({cell.right, &cell});
        edge = cell.right;
    }
    for (const auto &[right, cell] : boundaries) {
        const bool field = cell && cell->elements.size() == 1 && IsVariable(*cell->elements.front()) &&
                           cell->elements.front()->type == ElementType::Edit;
        const bool band = cell && cell->elements.front()->type == ElementType::Band;
        if (field)
            out << "\\clbrdrb\\brdrs\\brdrw10";
        if (band)
            out << "\\clbrdrt\\brdrs\\brdrw20\\clbrdrb\\brdrs\\brdrw10";
        out << "\\cellx" << Twips(right);
    }
    out << "\n";
    for (const auto &[right, cell] : boundaries) {
        (void)right;
        out << "\\pard\\intbl";
        if (cell) {
            bool first = true;
            for (const Element *e : cell->elements) {
                if (!first)
                    out << "\\par\\pard\\intbl";
                out << CellAlignment(*e) << " " << CellText(*e);
                first = false;
            }
        }
        out << "\\cell\n";
    }
    out << "\\row\n";
}

} // namespace

std::string WriteRtfTemplate(const PageLayout &layout)
{
    std::ostringstream out;
    // Colour 1 shows overridden answers; colour 2 (white) hides the body marker.
    out << "{\\rtf1\\ansi\\ansicpg1252\\deff0\n"
           "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fnil\\fcharset2 Wingdings;}}\n"
           "{\\colortbl ;\\red255\\green0\\blue0;\\red255\\green255\\blue255;}\n"
           "\\paperw12240\\paperh15840\\margl720\\margr720\\margt720\\margb720\\widowctrl\n"
           "\\pard\\plain\\f0\\fs4\\cf2\\'b7\\cf0\n"
           // The merge puts its page break right after the marker; this \\par closes the
           // paragraph that holds it, so the break is not swallowed by the first table row.
           "\\par\\pard\\plain\\f0\\fs16 \n";
    std::map<int, std::vector<const Element *>> rows;
    std::vector<int> order;
    std::map<int, int> blockOf; // row -> side-by-side block, for rows inside one
    std::map<int, std::map<int, std::vector<int>>> blockRows; // block -> region -> its rows in order
    for (const Element &e : layout.elements) {
        if (e.type == ElementType::HelpButton)
            continue;
        if (rows.find(e.row) == rows.end()) {
            order.push_back(e.row);
            if (e.block > 0) {
                blockOf[e.row] = e.block;
                blockRows[e.block][e.region].push_back(e.row);
            }
        }
        std::vector<const Element *> &row = rows[e.row];
        if (e.type != ElementType::Rule)
            row.push_back(&e);
    }
    std::map<int, bool> blockDone;
    for (int row : order) {
        auto inBlock = blockOf.find(row);
        if (inBlock == blockOf.end()) {
            if (rows[row].empty())
                out << "\\pard\\plain\\f0\\fs4\\brdrb\\brdrs\\brdrw15\\par\n";
            else
                WriteRow(out, rows[row]);
            continue;
        }
        // Side-by-side regions print as one table: its row i holds row i of every region.
        if (blockDone[inBlock->second])
            continue;
        blockDone[inBlock->second] = true;
        const auto &regions = blockRows[inBlock->second];
        size_t count = 0;
        for (const auto &[region, regionRows] : regions)
            count = std::max(count, regionRows.size());
        for (size_t i = 0; i < count; ++i) {
            std::vector<const Element *> merged;
            for (const auto &[region, regionRows] : regions)
                if (i < regionRows.size())
                    merged.insert(merged.end(), rows[regionRows[i]].begin(), rows[regionRows[i]].end());
            if (!merged.empty())
                WriteRow(out, merged);
        }
    }
    out << "\\pard\\plain\\f0\\fs16\\par\n}\n";
    return out.str();
}

std::string WriteSupportFile(const PageLayout &layout)
{
    std::ostringstream out;
    int lines = 0;
    for (const Element &e : layout.elements) {
        if (!IsVariable(e))
            continue;
        const int kind = e.type == ElementType::Edit ? e.fieldKind : e.type == ElementType::CheckBox ? 6 : 1;
        out << e.slot << ' ' << e.rect.x << ' ' << e.rect.y << ' ' << e.rect.w << ".0 " << e.rect.h << ".0 "
            << e.pointSize << ".0 " << kind << "\r\n";
        ++lines;
    }
    if (lines > kMaxSupportLines)
        throw DescriptionError("layout " + std::to_string(layout.layoutNumber) + " has " + std::to_string(lines) +
                               " printed fields, more than a support file holds");
    return out.str();
}

} // namespace formgen
