#include "RtfWriter.h"

#include "PrintSheet.h"

#include <algorithm>
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
    case ElementType::Edit: type = e.fieldKind == 4 ? '$' : e.fieldKind == 3 ? '%' : '*'; break;
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
    default: out << "\\fs" << size << " " << Variable(e); break;
    }
    return out.str();
}

// Cells of rows that hold a field stand on the row's foot, so a caption shares the line of its
// amount; other rows (titles, column headings) hang from the top.
void WriteRow(std::ostringstream& out, const SheetRow& row)
{
    out << "\\trowd\\trgaph20\\trleft0\\trrh-" << row.height;
    if (row.ruleWidth > 0) {
        // The first cell carries the rule; the others fill the rest of the page.
        for (size_t i = 0; i < row.cells.size(); ++i) {
            if (i == 0 && row.cells[i].left > 0)
                out << "\\cellx" << row.cells[i].left;
            out << (i == 0 ? "\\clbrdrb\\brdrs\\brdrw" + std::to_string(row.ruleWidth) : "") << "\\cellx"
                << row.cells[i].right;
        }
        out << "\n";
        for (size_t i = 0; i < row.cells.size() + (row.cells[0].left > 0 ? 1 : 0); ++i)
            out << "\\pard\\intbl\\fs2\\cell\n";
        out << "\\row\n";
        return;
    }
    bool bound = false;
    for (const SheetCell& cell : row.cells)
        for (const Element* e : cell.elements)
            bound = bound || IsVariable(*e) || e->type == ElementType::WriteIn || e->type == ElementType::Shade;
    for (const SheetCell& cell : row.cells) {
        switch (cell.border) {
        case CellBorder::Bottom: out << "\\clbrdrb\\brdrs\\brdrw10"; break;
        case CellBorder::Box: out << "\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10"; break;
        case CellBorder::Shaded: out << "\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clcbpat4"; break;
        case CellBorder::BandLabel: out << "\\clbrdrt\\brdrs\\brdrw20\\clbrdrb\\brdrs\\brdrw10\\clcbpat3"; break;
        case CellBorder::Band: out << "\\clbrdrt\\brdrs\\brdrw20\\clbrdrb\\brdrs\\brdrw10"; break;
        case CellBorder::None: break;
        }
        const bool foot =
            cell.drop < 0 && (bound || cell.border == CellBorder::Band || cell.border == CellBorder::BandLabel);
        out << (foot ? "\\clvertalb" : "\\clvertalt") << "\\cellx" << cell.right;
    }
    out << "\n";
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

}  // namespace

std::string WriteRtfTemplate(const PageLayout& layout)
{
    const Sheet sheet = LayOutSheet(layout);
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
    for (const SheetRow& row : sheet.rows)
        WriteRow(out, row);
    // The paragraph after the table is one point high, exactly, so it stays on the sheet the
    // table fills; the paragraph that carries the merge's page break takes its height.
    out << "\\pard\\plain\\f0\\fs2\\sl-20\\slmult0\\par\n}\n";
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
