// Lays out a page for one US Letter sheet: each line of the form becomes a table row whose cells
// stand where the screen page has its controls, as tall as its captions need in the printed font,
// with the footer at the foot of the sheet. A page that would run onto a second sheet is refused.
#pragma once

#include "PageLayout.h"

#include <deque>
#include <memory>
#include <vector>

namespace formgen {

// Letter paper in twips (1/1440 inch). The side margins leave the 7.5 inches the page's 1000
// pixels print on.
constexpr int kSheetWidth = 12240;
constexpr int kSheetHeight = 15840;
constexpr int kSideMargin = 720;
constexpr int kTopMargin = 504;
constexpr int kBottomMargin = 504;
constexpr int kPrintedWidth = kSheetWidth - 2 * kSideMargin;

// Room kept free on every sheet for the paragraphs around the page's table: the body marker on
// the first page and the paragraph that carries the page break to the next.
constexpr int kSheetReserve = 120;

// The height the rows of one sheet may take.
constexpr int kSheetBody = kSheetHeight - kTopMargin - kBottomMargin - kSheetReserve;

enum class CellBorder { None, Bottom, Box, Shaded, Band, BandLabel };

struct SheetCell {
    int left = 0;  // twips from the left margin
    int right = 0;
    std::vector<const Element*> elements;  // one paragraph each, top to bottom; none for a gap
    CellBorder border = CellBorder::None;
    // In a row of entries, captions and line numbers hang from the top of their cells this many
    // twips down, so a caption's last line stands on the row's foot and its line number beside
    // its first line; -1 for cells that stand on the foot (entries) or rows without entries.
    int drop = -1;
};

struct SheetRow;

// A section's name upright inside a flowing region (Schedule K-1, "For IRS Use Only"): beside the
// region's rows from `firstRow` to the foot of their block.
struct RegionSide {
    const Element* label = nullptr;
    size_t region = 0;
    size_t firstRow = 0;
    int left = 0;  // the region's left edge, twips from the left margin
};

struct SheetRow {
    std::vector<SheetCell> cells;  // left to right, gaps included
    int height = 0;                // twips; the row is exactly this tall
    int sourceLine = 0;
    int ruleWidth = 0;             // a rule: the width of its line in twips (0 for other rows)
    const Element* cut = nullptr;  // a cut line across the sheet
    // Side-by-side regions whose rows run each at its own pitch (painted sheets only): the rows of
    // each region from the top of this one; `cells` is then empty.
    std::vector<std::vector<SheetRow>> regions;
    // Ruled regions (`columns ... flow ruled`): the rules between them, twips from the left margin,
    // from the top of the block to its foot.
    std::vector<int> dividers;
    std::vector<RegionSide> regionSides;
    // A rule of a ruled region: it stands at the foot of the row above, whose boxes then draw no
    // foot rules of their own, so that the region reads as a grid of boxes.
    bool footOfAbove = false;
};

// A section's name printed upright beside rows [firstRow, endRow) of its sheet.
struct SideSpan {
    const Element* label = nullptr;
    size_t firstRow = 0;
    size_t endRow = 0;
};

struct Sheet {
    std::vector<SheetRow> rows;  // top to bottom, the footer last
    int usedHeight = 0;          // twips taken by rows other than the space above the footer
    std::vector<SideSpan> sides;
    // Lines the sheet makes of its own, which its rows point into (a flowing region's upright
    // section name, set as a caption where regions share the template's rows).
    std::shared_ptr<std::deque<Element>> madeLines = std::make_shared<std::deque<Element>>();
};

// Thirds of a painted sheet (vouchers) begin this far down the paper, in twips.
constexpr int kSheetThird = kSheetHeight / 3;

// Cell padding left and right (the RTF row's \trgaph).
constexpr int kCellPadding = 20;

// The printed font size of an element in half-points.
int PrintHalfPoints(const Element& e);

// Bound controls, and the spaces written in by hand, make a row of the form's entries.
bool IsEntry(const Element& e);
// A row of entries: its cells stand on the row's foot, unless they hang (SheetCell::drop).
bool HoldsEntries(const SheetRow& row);
// The height in twips one element takes as a paragraph of a cell of the given width.
int ParagraphHeight(const Element& e, int cellWidth);
// Whether every word of `text` fits on a line of the printed cell of a control `pixels` wide,
// so the word processor and the painted sheet break it between words only.
bool WordsFitPrintedCell(const std::string& text, int pixels, double points, bool bold);

// The sheet's cells point into the layout, which must outlive it.
// Errors: throws DescriptionError naming the description line whose row runs past the sheet.
Sheet LayOutSheet(const PageLayout& layout);
Sheet LayOutSheet(PageLayout&&) = delete;

// Every sheet of a painted layout, the first one first (`sheet` statements start the others).
// With `flowRegions` side-by-side regions of `columns ... flow` keep their own rows
// (SheetRow::regions) instead of sharing the template's rows, where row i holds line i of every
// region.
// Errors: as LayOutSheet, and a row that runs into the next third of its sheet after `third`.
std::vector<Sheet> LayOutSheets(const PageLayout& layout, bool flowRegions);
std::vector<Sheet> LayOutSheets(PageLayout&&, bool) = delete;

}  // namespace formgen
