// Lays out a page for one US Letter sheet: each line of the form becomes a table row whose cells
// stand where the screen page has its controls, as tall as its captions need in the printed font,
// with the footer at the foot of the sheet. A page that would run onto a second sheet is refused.
#pragma once

#include "PageLayout.h"

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

struct SheetRow {
    std::vector<SheetCell> cells;  // left to right, gaps included
    int height = 0;                // twips; the row is exactly this tall
    int sourceLine = 0;
    int ruleWidth = 0;  // a rule: the width of its line in twips (0 for other rows)
};

struct Sheet {
    std::vector<SheetRow> rows;  // top to bottom, the footer last
    int usedHeight = 0;          // twips taken by rows other than the space above the footer
};

// The printed font size of an element in half-points.
int PrintHalfPoints(const Element& e);

// The sheet's cells point into the layout, which must outlive it.
// Errors: throws DescriptionError naming the description line whose row runs past the sheet.
Sheet LayOutSheet(const PageLayout& layout);
Sheet LayOutSheet(PageLayout&&) = delete;

}  // namespace formgen
