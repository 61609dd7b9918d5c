#include "RtfWriter.h"

#include "PrintSheet.h"
#include "TextMetrics.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <vector>

namespace formgen {
namespace {

constexpr int kMaxSupportLines = 400;

// RTF text of a caption. "/" is written as \'2f so that no caption can look like a variable to the
// merge, and characters beyond ASCII become \uN? escapes.
std::string RtfText(const std::string& utf8)
{
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        unsigned code = c;
        size_t length = 1;
        if (c >= 0xF0 && i + 3 < utf8.size()) {
            code = ((c & 0x07u) << 18) | ((utf8[i + 1] & 0x3Fu) << 12) | ((utf8[i + 2] & 0x3Fu) << 6) |
                   (utf8[i + 3] & 0x3Fu);
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
std::string Variable(const Element& e)
{
    char type = '*';
    int slot = e.slot;
    switch (e.type) {
    case ElementType::Edit:
        // A loss line's amount stands in the parentheses the form prints, without its sign.
        type = e.fieldKind == 4 ? (e.loss ? '+' : '$') : e.fieldKind == 3 ? '%' : '*';
        break;
    case ElementType::CheckBox: type = '&'; break;
    default: break;
    }
    return "/" + std::string(1, type) + std::to_string(slot) + "/";
}

bool IsVariable(const Element& e)
{
    return e.type == ElementType::Edit || e.type == ElementType::CheckBox || e.type == ElementType::Memo ||
           e.type == ElementType::AnswerLabel;
}

std::string Paragraph(const Element& e, const SheetCell& cell)
{
    std::ostringstream out;
    const int size = PrintHalfPoints(e);
    if (cell.border == CellBorder::BandLabel) {
        out << "\\qc\\fs" << size << "\\b\\cf2 " << RtfText(e.label) << "\\cf0\\b0 ";
        return out.str();
    }
    if (cell.border == CellBorder::Band) {
        out << "\\ql\\fs" << size << "\\b " << RtfText(e.text) << "\\b0 ";
        return out.str();
    }
    const char* align = e.align == Align::Right || (e.type == ElementType::Edit && e.fieldKind >= 2) ? "\\qr"
                        : e.align == Align::Center                                                   ? "\\qc"
                                                                                                     : "\\ql";
    out << align;
    switch (e.type) {
    case ElementType::LineNumber:
    case ElementType::BoxLabel: out << "\\fs" << size << "\\b " << RtfText(e.text) << "\\b0 "; break;
    case ElementType::Caption:
        out << "\\fs" << size << (e.bold ? "\\b " : " ") << RtfText(e.text) << (e.bold ? "\\b0 " : "");
        break;
    case ElementType::WriteIn:
    case ElementType::Shade: out << "\\fs" << size << " "; break;
    default:
        if (e.type == ElementType::Edit && e.loss) {
            // "(" at the box's left, the amount and ")" at its right, as the painted sheet sets them.
            out.str(std::string());
            out << "\\ql\\tqr\\tx" << std::max(0, cell.right - cell.left - 2 * kCellPadding) << "\\fs" << size
                << " (\\tab " << Variable(e) << " )";
            break;
        }
        out << "\\fs" << size << " " << Variable(e);
        break;
    }
    return out.str();
}

// A section's name upright in the margin beside its rows (Form 1041's "Income"): a cell left of
// the page's own, merged down the rows of the section, its rule beside the lines as the painted
// sheet draws it, and a heavier rule above the section.
struct SideCell {
    bool margin = false;  // the sheet has sections named beside them: every row has the cell
    const SideSpan* span = nullptr;
    bool first = false;
    int halfPoints = 18;
};

// The side cell stands in the margin, from here to the left margin.
constexpr int kSideCellLeft = -560;
// Cut lines run nearly from edge to edge of the paper, as on the painted sheet.
constexpr int kCutMargin = 360;
constexpr int kScissorsWidth = 300;
constexpr int kCutRowHeight = 240;

std::string SideCellDefinition(const SideCell& side)
{
    if (!side.margin)
        return std::string();
    if (!side.span)
        return "\\cellx0";
    std::string out = side.first ? "\\clvmgf" : "\\clvmrg";
    out += "\\cltxbtlr\\clvertalc\\clbrdrr\\brdrs\\brdrw10";
    if (side.first)
        out += "\\clbrdrt\\brdrs\\brdrw20";
    return out + "\\cellx0";
}

std::string SideCellText(const SideCell& side)
{
    if (!side.margin)
        return std::string();
    if (!side.first)
        return "\\pard\\intbl\\fs2\\cell\n";
    return "\\pard\\intbl\\qc\\fs" + std::to_string(side.halfPoints) + "\\b " + RtfText(side.span->label->text) +
           "\\b0\\cell\n";
}

// A dashed line across the paper to cut along: scissors at its left, its words in its middle.
void WriteCutRow(std::ostringstream& out, const SheetRow& row)
{
    const int left = kCutMargin - kSideMargin;
    const int right = kPrintedWidth + kSideMargin - kCutMargin;
    const std::string& words = row.cut->text;
    const int half = words.empty() ? 0 : static_cast<int>(std::lround(PrintedWidth(words, 7, false) * 10)) + 100;
    const int middle = (left + right) / 2;
    const std::string dashed = "\\clbrdrb\\brdrdash\\brdrw10\\clvertalb";
    out << "\\trowd\\trgaph20\\trleft" << left << "\\trrh-" << row.height << "\n\\clvertalb\\cellx"
        << left + kScissorsWidth;
    if (words.empty()) {
        out << dashed << "\\cellx" << right << "\n\\pard\\intbl\\fs16 \\u9986?\\cell\n\\pard\\intbl\\fs2\\cell\n";
    } else {
        out << dashed << "\\cellx" << middle - half << "\\clvertalb\\cellx" << middle + half << dashed << "\\cellx"
            << right << "\n\\pard\\intbl\\fs16 \\u9986?\\cell\n\\pard\\intbl\\fs2\\cell\n\\pard\\intbl\\qc\\fs14 "
            << RtfText(words) << "\\cell\n\\pard\\intbl\\fs2\\cell\n";
    }
    out << "\\row\n";
}

// Cells of rows that hold a field stand on the row's foot, so a caption shares the line of its
// amount; other rows (titles, column headings) hang from the top.
void WriteRow(std::ostringstream& out, const SheetRow& row, const SideCell& side)
{
    if (row.cut) {
        WriteCutRow(out, row);
        return;
    }
    // The word processor keeps a table's rows at one indent: where a section is named beside its
    // rows, every row of the sheet starts in the margin.
    out << "\\trowd\\trgaph20\\trleft" << (side.margin ? kSideCellLeft : 0) << "\\trrh-" << row.height;
    const std::string sideDefinition = SideCellDefinition(side);
    const std::string sideText = SideCellText(side);
    // The heavy rule above a section with its name beside it runs across the page.
    const std::string sectionTop = side.span && side.first ? "\\clbrdrt\\brdrs\\brdrw20" : "";
    if (row.ruleWidth > 0) {
        // The first cell carries the rule; the others fill the rest of the page.
        out << sideDefinition;
        for (size_t i = 0; i < row.cells.size(); ++i) {
            if (i == 0 && row.cells[i].left > 0)
                out << sectionTop << "\\cellx" << row.cells[i].left;
            out << sectionTop << (i == 0 ? "\\clbrdrb\\brdrs\\brdrw" + std::to_string(row.ruleWidth) : "")
                << "\\cellx" << row.cells[i].right;
        }
        out << "\n" << sideText;
        for (size_t i = 0; i < row.cells.size() + (row.cells[0].left > 0 ? 1 : 0); ++i)
            out << "\\pard\\intbl\\fs2\\cell\n";
        out << "\\row\n";
        return;
    }
    bool bound = false;
    for (const SheetCell& cell : row.cells)
        for (const Element* e : cell.elements)
            bound = bound || IsVariable(*e) || e->type == ElementType::WriteIn || e->type == ElementType::Shade;
    out << sideDefinition;
    for (const SheetCell& cell : row.cells) {
        out << sectionTop;
        switch (cell.border) {
        case CellBorder::Bottom: out << "\\clbrdrb\\brdrs\\brdrw10"; break;
        case CellBorder::Box: out << "\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10"; break;
        case CellBorder::Shaded: out << "\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clcbpat4"; break;
        case CellBorder::BandLabel:
            out << (sectionTop.empty() ? "\\clbrdrt\\brdrs\\brdrw20" : "") << "\\clbrdrb\\brdrs\\brdrw10\\clcbpat3";
            break;
        case CellBorder::Band:
            out << (sectionTop.empty() ? "\\clbrdrt\\brdrs\\brdrw20" : "") << "\\clbrdrb\\brdrs\\brdrw10";
            break;
        case CellBorder::None: break;
        }
        const bool foot =
            cell.drop < 0 && (bound || cell.border == CellBorder::Band || cell.border == CellBorder::BandLabel);
        out << (foot ? "\\clvertalb" : "\\clvertalt") << "\\cellx" << cell.right;
    }
    out << "\n" << sideText;
    for (const SheetCell& cell : row.cells) {
        out << "\\pard\\intbl";
        if (cell.elements.empty())
            out << "\\fs2";
        if (cell.drop > 0)
            out << "\\sb" << cell.drop;
        for (size_t i = 0; i < cell.elements.size(); ++i)
            out << (i > 0 ? "\\par\\pard\\intbl" : "") << Paragraph(*cell.elements[i], cell);
        out << "\\cell\n";
    }
    out << "\\row\n";
}

// The largest size from 9 points down to 6.5 at which a section's name fits beside its rows.
int SideHalfPoints(const std::string& name, int height)
{
    double points = 9;
    while (points > 6.5 && PrintedWidth(name, points, true) * 20 > height - 2 * kCellPadding)
        points -= 0.5;
    return static_cast<int>(std::lround(points * 2));
}

void WriteSheet(std::ostringstream& out, const Sheet& sheet)
{
    for (size_t r = 0; r < sheet.rows.size(); ++r) {
        SideCell side;
        side.margin = !sheet.sides.empty();
        for (const SideSpan& span : sheet.sides)
            if (r >= span.firstRow && r < span.endRow) {
                int height = 0;
                for (size_t k = span.firstRow; k < span.endRow; ++k)
                    height += sheet.rows[k].height;
                side = {true, &span, r == span.firstRow, SideHalfPoints(span.label->text, height)};
            }
        WriteRow(out, sheet.rows[r], side);
    }
}

}  // namespace

std::string WriteRtfTemplate(const PageLayout& layout)
{
    const std::vector<Sheet> sheets = LayOutSheets(layout, false);
    std::ostringstream out;
    // Colour 1 (red) is no longer used, as every answer prints black, but keeps its place so the
    // numbers of the others stay; colour 2 (white) hides the body marker and letters the
    // part labels on colour 3 (black); colour 4 (grey) shades the boxes that take no entry.
    out << "{\\rtf1\\ansi\\ansicpg1252\\deff0\n"
           "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fnil\\fcharset2 Wingdings;}}\n"
           "{\\colortbl "
           ";\\red255\\green0\\blue0;\\red255\\green255\\blue255;\\red0\\green0\\blue0;\\red217\\green217\\blue217;}\n"
        << "\\paperw" << kSheetWidth << "\\paperh" << kSheetHeight << "\\margl" << kSideMargin << "\\margr"
        << kSideMargin << "\\margt" << kTopMargin << "\\margb" << kBottomMargin << "\\widowctrl\n"
        << "\\pard\\plain\\f0\\fs4\\sl-40\\slmult0\\cf2\\'b7\\cf0\n"
           // The merge puts its page break right after the marker; this \\par closes the
           // paragraph that holds it, so the break is not swallowed by the first table row.
           "\\par\\pard\\plain\\f0\\fs16 \n";
    // The paragraph after a table is one point high, exactly, so it stays on the sheet the
    // table fills; a further sheet of the page starts as the merge starts the next page, with a
    // paragraph that breaks the page before it.
    const char* const sheetEnd = "\\pard\\plain\\f0\\fs2\\sl-20\\slmult0\\par\n";
    for (size_t i = 0; i < sheets.size(); ++i) {
        if (i > 0)
            out << "\\pagebb\\par\\pard\\plain\\f0\\fs16 \n";
        WriteSheet(out, sheets[i]);
        out << sheetEnd;
    }
    out << "}\n";
    return out.str();
}

std::string WriteSupportFile(const PageLayout& layout)
{
    std::ostringstream out;
    int lines = 0;
    for (const Element& e : layout.elements) {
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

}  // namespace formgen
