#include "PaintWriter.h"

#include "PrintSheet.h"
#include "QuotedText.h"
#include "TextMetrics.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

namespace formgen {
namespace {

// The face's ascent in ems, and where a baseline stands in a line 1.15 ems high: the ascent
// plus half the line's room beyond ascent and descent (0.905 + 0.212 ems).
constexpr double kBaselineEms = 0.905 + (1.15 - 1.117) / 2;
// In a row of entries every last line stands this far above the row's foot, captions and answers
// alike, so they share one baseline whatever their sizes.
constexpr int kFootBaseline = 35;
// Room between a caption's last word and its dot leader, and the least leader worth printing.
constexpr int kLeaderGap = 60;
constexpr int kShortestLeader = 240;
// The strip in the left margin that holds a section's upright name, and the rule beside it.
constexpr int kSideBaseline = 640;
constexpr int kSideRule = 700;
// Inside a region: from the region's left edge.
constexpr int kRegionSideBaseline = 200;
constexpr int kRegionSideRule = 260;
// The room a row of the template keeps beyond its text.
constexpr int kRowSlack = 20;
// Cut lines run nearly from edge to edge of the paper.
constexpr int kCutMargin = 360;
// A check box's side: the ink of a 10-point ballot box.
constexpr int kCheckSide = 150;
const std::string kPointer = "\xE2\x96\xB6";  // ▶

int Twips(double points) { return static_cast<int>(std::lround(points * 20.0)); }

double PointsOf(const Element& e) { return PrintHalfPoints(e) / 2.0; }

int LineTwips(double points) { return Twips(PrintedLineHeight(points)); }

int BaselineBelow(int lineTop, double points) { return lineTop + Twips(points * kBaselineEms); }

char AlignLetter(const Element& e)
{
    if (e.align == Align::Right || (e.type == ElementType::Edit && e.fieldKind >= 2))
        return 'r';
    return e.align == Align::Center ? 'c' : 'l';
}

char FieldLetter(const Element& e)
{
    if (e.type == ElementType::AnswerLabel)
        return 'a';
    static const char kinds[] = "tcpdn";
    return e.fieldKind >= 1 && e.fieldKind <= 5 ? kinds[e.fieldKind - 1] : 't';
}

// The last printed line of a caption cell, kept back until the row knows whether a dot leader
// follows it.
struct LastLine {
    size_t item = 0;  // its index among the sheet's text items
    std::string text;
    int left = 0, right = 0, baseline = 0;
    double points = 0;
    bool bold = false;
    char align = 'l';
};

class SheetWriter {
public:
    explicit SheetWriter(const Sheet& sheet) : sheet_(sheet) {}

    std::string Write()
    {
        std::vector<int> tops;
        int y = kTopMargin;
        for (const SheetRow& row : sheet_.rows) {
            tops.push_back(y);
            Row(row, y);
            y += row.height;
        }
        tops.push_back(y);
        for (const SideSpan& side : sheet_.sides)
            SideLabel(side.label->text, tops[side.firstRow], tops[side.endRow], kSideBaseline, kSideRule, true);
        std::ostringstream out;
        out << "sheet\n";
        for (const std::string* part : {&fills_, &rules_})
            out << *part;
        for (const std::string& text : texts_)
            out << text;
        return out.str();
    }

private:
    void Rule(int x1, int y1, int x2, int y2, int weight)
    {
        rules_ += "rule " + std::to_string(x1) + " " + std::to_string(y1) + " " + std::to_string(x2) + " " +
                  std::to_string(y2) + " " + std::to_string(weight) + "\n";
    }

    void Fill(int left, int top, int right, int bottom, int grey)
    {
        fills_ += "fill " + std::to_string(left) + " " + std::to_string(top) + " " + std::to_string(right) + " " +
                  std::to_string(bottom) + " " + std::to_string(grey) + "\n";
    }

    size_t Text(int left, int right, int baseline, double points, char align, char style, const std::string& text)
    {
        std::ostringstream line;
        line << "text " << left << " " << right << " " << baseline << " " << std::lround(points * 2) << " " << align
             << " " << style << " " << QuotedText(text) << "\n";
        texts_.push_back(line.str());
        return texts_.size() - 1;
    }

    // One row from `top`; a row whose foot a rule below it draws (`footed`) draws none of its own.
    void Row(const SheetRow& row, int top, bool footed = false)
    {
        const int bottom = top + row.height;
        for (size_t r = 0; r < row.regions.size(); ++r) {
            const std::vector<SheetRow>& region = row.regions[r];
            std::vector<int> tops;
            int y = top;
            for (size_t k = 0; k < region.size(); ++k) {
                tops.push_back(y);
                Row(region[k], y, k + 1 < region.size() && region[k + 1].footOfAbove);
                y += region[k].height;
            }
            tops.push_back(y);
            for (const RegionSide& side : row.regionSides)
                if (side.region == r) {
                    const int left = kSideMargin + side.left;
                    SideLabel(side.label->text, tops[side.firstRow], bottom, left + kRegionSideBaseline,
                              left + kRegionSideRule, false);
                }
        }
        for (int x : row.dividers)
            Rule(kSideMargin + x, top, kSideMargin + x, bottom, 10);
        if (row.cut) {
            texts_.push_back("cut " + std::to_string(kCutMargin) + " " + std::to_string(kSheetWidth - kCutMargin) +
                             " " + std::to_string(top + row.height / 2) + " " + QuotedText(row.cut->text) + "\n");
            return;
        }
        if (row.ruleWidth > 0) {
            const SheetCell& cell = row.cells.front();
            // Inside its own row, so it never touches the text of the row above.
            const int y = bottom - row.ruleWidth / 2;
            Rule(kSideMargin + cell.left, y, kSideMargin + cell.right, y, row.ruleWidth);
            return;
        }
        const bool entries = HoldsEntries(row);
        std::vector<LastLine> lastLines(row.cells.size());
        std::vector<bool> captionCell(row.cells.size(), false);
        for (size_t i = 0; i < row.cells.size(); ++i) {
            if (row.cells[i].border == CellBorder::BandLabel && i + 1 < row.cells.size()) {
                Band(row.cells[i], row.cells[i + 1], top, bottom);
                ++i;
                continue;
            }
            captionCell[i] = Cell(row.cells[i], top, bottom, entries, footed, lastLines[i]);
        }
        if (entries)
            Leaders(row, captionCell, lastLines);
    }

    // Writes one cell; true when it holds captions only (a dot leader may follow its last line).
    bool Cell(const SheetCell& cell, int top, int bottom, bool entries, bool footed, LastLine& last)
    {
        const int left = kSideMargin + cell.left;
        const int right = kSideMargin + cell.right;
        switch (cell.border) {
        case CellBorder::Bottom:
            if (!footed)
                Rule(left, bottom, right, bottom, 10);
            break;
        case CellBorder::Shaded: Fill(left, top, right, bottom, 217); [[fallthrough]];
        case CellBorder::Box:
            Rule(left, top, left, bottom, 10);
            if (!footed)
                Rule(left, bottom, right, bottom, 10);
            break;
        case CellBorder::BandLabel:
        case CellBorder::Band:  // painted with their pair (Band below)
        case CellBorder::None: break;
        }
        if (cell.elements.empty())
            return false;
        int total = 0;
        for (const Element* e : cell.elements)
            total += ParagraphHeight(*e, cell.right - cell.left);
        bool captions = cell.border == CellBorder::None;
        for (const Element* e : cell.elements)
            captions = captions && e->type == ElementType::Caption;
        // Entries stand on the row's foot, and so does the last line of a caption that hangs
        // beside them; line numbers hang level with their caption's first line.
        const bool foot = entries && (cell.drop < 0 || captions);
        // Text that hangs from the top of a row keeps the row's slack above it, clear of a rule
        // that ends the row before.
        int y = cell.drop < 0 && entries ? bottom - total : top + (entries ? std::max(cell.drop, 0) : kRowSlack);
        for (const Element* e : cell.elements) {
            const int height = ParagraphHeight(*e, cell.right - cell.left);
            Paragraph(*e, left + kCellPadding, right - kCellPadding, y, foot ? y + height : -1, last);
            y += height;
        }
        return captions;
    }

    // A part heading: a heavy rule above it, inside its row so clear of the line above; the title's
    // lines standing on the rule below; and the black label box level with the title's first line,
    // as the forms set "Part III" beside a title of two lines.
    void Band(const SheetCell& labelCell, const SheetCell& titleCell, int top, int bottom)
    {
        const Element& band = *titleCell.elements.front();
        const double points = PointsOf(band);
        const int left = kSideMargin + labelCell.left;
        const int middle = kSideMargin + titleCell.left;
        const int right = kSideMargin + titleCell.right;
        Rule(left, top + 10, right, top + 10, 20);
        Rule(left, bottom, right, bottom, 10);
        const std::vector<std::string> lines =
            BreakLines(band.text, (titleCell.right - titleCell.left - 2 * kCellPadding) / 20.0, points, true);
        const int firstTop = bottom - static_cast<int>(lines.size()) * LineTwips(points);
        Fill(left, std::max(firstTop, top), middle, std::min(firstTop + LineTwips(points), bottom), 0);
        Text(left + kCellPadding, middle - kCellPadding, BaselineBelow(firstTop, points), points, 'c', 'w', band.label);
        int lineTop = firstTop;
        for (const std::string& line : lines) {
            Text(middle + kCellPadding, right - kCellPadding, BaselineBelow(lineTop, points), points, 'l', 'b', line);
            lineTop += LineTwips(points);
        }
    }

    // One paragraph from `top`; one that stands on a foot (`foot` >= 0) has its last line there.
    void Paragraph(const Element& e, int left, int right, int top, int foot, LastLine& last)
    {
        const double points = PointsOf(e);
        const std::vector<std::string> lines = e.type == ElementType::Caption
                                                   ? BreakLines(e.text, (right - left) / 20.0, points, e.bold)
                                                   : std::vector<std::string>(1);
        const int baseline = foot >= 0 ? foot - kFootBaseline - static_cast<int>(lines.size() - 1) * LineTwips(points)
                                       : BaselineBelow(top, points);
        switch (e.type) {
        case ElementType::Caption: {
            for (size_t i = 0; i < lines.size(); ++i) {
                const int lineBaseline = baseline + static_cast<int>(i) * LineTwips(points);
                const char style = e.bold ? 'b' : 'r';
                const size_t item = Text(left, right, lineBaseline, points, AlignLetter(e), style, lines[i]);
                last = {item, lines[i], left, right, lineBaseline, points, e.bold, AlignLetter(e)};
            }
            break;
        }
        case ElementType::LineNumber:
        case ElementType::BoxLabel: Text(left, right, baseline, points, AlignLetter(e), 'b', e.text); break;
        case ElementType::Edit:
        case ElementType::AnswerLabel: {
            std::ostringstream field;
            field << "field " << e.slot << " " << FieldLetter(e) << " " << left << " " << right << " " << baseline
                  << " " << PrintHalfPoints(e) << " " << AlignLetter(e);
            if (e.loss)
                field << " loss";
            if (e.tableRow >= 0)
                field << " row " << e.tableRow << (e.style.empty() ? " entry" : "");
            texts_.push_back(field.str() + "\n");
            break;
        }
        case ElementType::Memo:
            texts_.push_back("memo " + std::to_string(e.slot) + " " + std::to_string(left) + " " +
                             std::to_string(right) + " " + std::to_string(top) + " " +
                             std::to_string(top + ParagraphHeight(e, right - left + 2 * kCellPadding)) + " " +
                             std::to_string(PrintHalfPoints(e)) + "\n");
            break;
        case ElementType::CheckBox: {
            // The box stands on the line's baseline, as the capital letters of its caption do.
            const int boxTop =
                (foot >= 0 ? foot - kFootBaseline : top + ParagraphHeight(e, right - left + 2 * kCellPadding) - 20) +
                10 - kCheckSide;
            texts_.push_back("check " + std::to_string(e.slot) + " " + std::to_string(left) + " " +
                             std::to_string(boxTop) + " " + std::to_string(kCheckSide) + "\n");
            break;
        }
        default: break;
        }
    }

    // Dots from a caption's last word to the box of its amount, as the forms print them; a
    // pointer that ends the caption moves to the end of the dots.
    void Leaders(const SheetRow& row, const std::vector<bool>& captionCell, const std::vector<LastLine>& lastLines)
    {
        for (size_t i = 0; i < row.cells.size(); ++i) {
            if (!captionCell[i] || lastLines[i].align != 'l')
                continue;
            size_t next = i + 1;
            while (next < row.cells.size() && row.cells[next].elements.empty())
                ++next;
            if (next >= row.cells.size() || row.cells[next].border != CellBorder::Box)
                continue;
            // Only to a box of the caption's own region: side-by-side regions are separate forms' parts.
            const Element& from = *row.cells[i].elements.front();
            const Element& to = *row.cells[next].elements.front();
            if (from.block != to.block || from.region != to.region)
                continue;
            const LastLine& last = lastLines[i];
            std::string text = last.text;
            int right = kSideMargin + row.cells[next].left - kLeaderGap;
            const bool pointer = text.size() > kPointer.size() &&
                                 text.compare(text.size() - kPointer.size(), kPointer.size(), kPointer) == 0;
            if (pointer) {
                text.erase(text.size() - kPointer.size());
                while (!text.empty() && text.back() == ' ')
                    text.pop_back();
                const int pointerWidth = Twips(PrintedWidth(kPointer, last.points, last.bold));
                right = last.right - pointerWidth;
            }
            const int left = last.left + Twips(PrintedWidth(text, last.points, last.bold)) + kLeaderGap;
            if (right - left < kShortestLeader)
                continue;
            if (pointer) {
                const char style = last.bold ? 'b' : 'r';
                std::ostringstream line;
                line << "text " << last.left << " " << last.right << " " << last.baseline << " "
                     << std::lround(last.points * 2) << " l " << style << " " << QuotedText(text) << "\n";
                texts_[last.item] = line.str();
                Text(last.left, last.right, last.baseline, last.points, 'r', style, kPointer);
                right -= kLeaderGap;
            }
            texts_.push_back("leader " + std::to_string(left) + " " + std::to_string(right) + " " +
                             std::to_string(last.baseline) + " " + std::to_string(std::lround(last.points * 2)) + "\n");
        }
    }

    // A section's name upright beside its lines (in the margin, or at the left of its region), in
    // the largest size that fits their height, and a rule between it and the lines; in the margin
    // a heavier rule above the section parts it from the one before, as the band did in the template.
    void SideLabel(const std::string& name, int top, int bottom, int baseline, int rule, bool partRule)
    {
        double points = 9;
        const int room = bottom - top - 2 * kCellPadding;
        while (points > 6.5 && Twips(PrintedWidth(name, points, true)) > room)
            points -= 0.5;
        Rule(rule, top, rule, bottom, 10);
        if (partRule)
            Rule(rule, top + 10, kSideMargin + kPrintedWidth, top + 10, 20);
        texts_.push_back("side " + std::to_string(baseline) + " " + std::to_string(top) + " " + std::to_string(bottom) +
                         " " + std::to_string(std::lround(points * 2)) + " " + QuotedText(name) + "\n");
    }

    const Sheet& sheet_;
    std::string fills_;
    std::string rules_;
    std::vector<std::string> texts_;
};

}  // namespace

std::string WritePaintedLayout(const PageLayout& layout)
{
    std::ostringstream out;
    out << "quorvan-painted-layout 1\n"
        << "# Generated by tools/formgen from forms/page" << layout.layoutNumber << ".form; not edited by hand.\n"
        << "layout " << layout.layoutNumber << "\n";
    for (const Sheet& sheet : LayOutSheets(layout, true))
        out << SheetWriter(sheet).Write();
    return out.str();
}

}  // namespace formgen
