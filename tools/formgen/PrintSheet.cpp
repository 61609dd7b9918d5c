#include "PrintSheet.h"

#include "TextMetrics.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

namespace formgen {
namespace {

// A page pixel prints 10.8 twips wide: 1000 pixels make 7.5 inches.
constexpr double kTwipsPerPixel = 10.8;
// The space a row keeps above its text.
constexpr int kRowSlack = 20;
// Screen gaps print at half a point a pixel.
constexpr double kGapPointsPerPixel = 0.5;
// A rule between ruled regions stands at least this far left of the region after it.
constexpr int kDividerClearance = 60;
// A cut line's row: room for its dashes and its 7-point words.
constexpr int kCutRowHeight = 240;

int Twips(int pixels) { return static_cast<int>(std::lround(pixels * kTwipsPerPixel)); }

int TwipsOfPoints(double points) { return static_cast<int>(std::ceil(points * 20.0)); }

bool IsAmount(const Element& e) { return e.type == ElementType::Edit && e.fieldKind >= 2; }

double PointsOf(const Element& e) { return PrintHalfPoints(e) / 2.0; }

}  // namespace

bool IsEntry(const Element& e)
{
    return e.type == ElementType::Edit || e.type == ElementType::CheckBox || e.type == ElementType::Memo ||
           e.type == ElementType::AnswerLabel || e.type == ElementType::WriteIn || e.type == ElementType::Shade;
}

bool HoldsEntries(const SheetRow& row)
{
    for (const SheetCell& cell : row.cells)
        for (const Element* e : cell.elements)
            if (IsEntry(*e))
                return true;
    return false;
}

int ParagraphHeight(const Element& e, int cellWidth)
{
    const double widthPoints = (cellWidth - 2 * kCellPadding) / 20.0;
    switch (e.type) {
    case ElementType::Caption:
        return TwipsOfPoints(PrintedLines(e.text, widthPoints, PointsOf(e), e.bold) * PrintedLineHeight(PointsOf(e)));
    case ElementType::LineNumber:
    case ElementType::BoxLabel:
    case ElementType::Edit:
    case ElementType::AnswerLabel:
    case ElementType::WriteIn:
    case ElementType::Shade: return TwipsOfPoints(PrintedLineHeight(PointsOf(e)));
    case ElementType::Memo: return TwipsOfPoints(std::max(1, e.rect.h / 15) * PrintedLineHeight(PointsOf(e)));
    case ElementType::CheckBox: return TwipsOfPoints(9.5);  // the ink of the box glyph, set at 10 points
    default: return 0;
    }
}

bool WordsFitPrintedCell(const std::string& text, int pixels, double points, bool bold)
{
    const double room = (Twips(pixels) - 2 * kCellPadding) / 20.0;
    std::istringstream words(text);
    std::string word;
    while (words >> word)
        if (PrintedWidth(word, points, bold) > room)
            return false;
    return true;
}

namespace {

// Where a side label stops: at the next band, rule or title, or at its own end mark.
bool EndsSideLabel(const Element& e)
{
    return e.type == ElementType::Band || e.type == ElementType::Rule || e.type == ElementType::SideLabel ||
           e.type == ElementType::SideEnd || e.type == ElementType::ThirdBreak || e.type == ElementType::CutLine;
}

class SheetBuilder {
public:
    SheetBuilder(const PageLayout& layout, bool flowRegions) : layout_(layout), flowRegions_(flowRegions) {}

    Sheet Build(const std::vector<const Element*>& elements)
    {
        std::vector<const Element*> footer;
        std::map<int, std::vector<const Element*>> groups;  // row key -> its elements
        std::vector<int> order;
        std::map<int, int> blockOf;                                // row key -> block
        std::map<int, std::map<int, std::vector<int>>> blockRows;  // block -> region -> row keys
        for (const Element* element : elements) {
            const Element& e = *element;
            if (e.type == ElementType::HelpButton || e.type == ElementType::SheetBreak)
                continue;
            if (e.footer) {
                footer.push_back(&e);
                continue;
            }
            // A rule gets a row of its own, after the other elements of its statement.
            const int key = e.row * 2 + (e.type == ElementType::Rule ? 1 : 0);
            if (groups.find(key) == groups.end()) {
                order.push_back(key);
                if (e.block > 0) {
                    blockOf[key] = e.block;
                    blockRows[e.block][e.region].push_back(key);
                }
            }
            groups[key].push_back(&e);
        }
        std::sort(order.begin(), order.end());

        std::map<int, bool> blockDone;
        for (int key : order) {
            auto inBlock = blockOf.find(key);
            if (inBlock == blockOf.end()) {
                AddRow(groups[key]);
                continue;
            }
            // Side-by-side regions print as one table: its row i holds row i of every region.
            if (blockDone[inBlock->second])
                continue;
            blockDone[inBlock->second] = true;
            const auto& regions = blockRows[inBlock->second];
            if (flowRegions_ && groups[key].front()->flow) {
                AddBlock(regions, groups);
                continue;
            }
            // Row i holds line i of every region. The rules a painted sheet draws between the
            // lines of ruled regions have no row of their own here (the entries' cells carry
            // their rules), and a section's name stands as a bold line where it starts.
            size_t count = 0;
            for (const auto& [region, keys] : regions) {
                std::vector<std::vector<const Element*>> own;
                for (int k : keys) {
                    const std::vector<const Element*>& group = groups[k];
                    const Element& e = *group.front();
                    if (e.ruled && std::all_of(group.begin(), group.end(), [](const Element* g) {
                            return g->type == ElementType::Rule;
                        }))
                        continue;
                    if (e.type == ElementType::SideLabel)
                        own.push_back({&SideLabelLine(e)});
                    else if (e.type != ElementType::SideEnd)
                        own.push_back(group);
                }
                count = std::max(count, own.size());
                regionLines_.push_back(std::move(own));
            }
            const size_t firstRegion = regionLines_.size() - regions.size();
            for (size_t i = 0; i < count; ++i) {
                std::vector<const Element*> merged;
                for (size_t g = firstRegion; g < regionLines_.size(); ++g)
                    if (i < regionLines_[g].size())
                        merged.insert(merged.end(), regionLines_[g][i].begin(), regionLines_[g][i].end());
                AddRow(merged);
            }
        }
        CloseSide();

        std::vector<SheetRow> footerRows;
        std::map<int, std::vector<const Element*>> footerGroups;
        for (const Element* e : footer)
            footerGroups[e->row * 2 + (e->type == ElementType::Rule ? 1 : 0)].push_back(e);
        for (auto& [key, elements] : footerGroups)
            footerRows.push_back(MakeRow(elements));
        int footerHeight = 0;
        for (const SheetRow& row : footerRows)
            footerHeight += row.height;

        const int used = UsedHeight();
        if (used + footerHeight > kSheetBody) {
            // Name the statement whose line is the first to pass the room left above the footer.
            int line = footerRows.empty() ? 0 : footerRows.front().sourceLine;
            int running = 0;
            for (const SheetRow& row : sheet_.rows) {
                running += row.height;
                if (running + footerHeight > kSheetBody) {
                    line = row.sourceLine;
                    break;
                }
            }
            Overflow(line, used + footerHeight);
        }
        sheet_.usedHeight = used + footerHeight;
        if (!footerRows.empty()) {
            // The footer stands at the foot of the sheet, as on the form.
            SheetRow space;
            space.height = kSheetBody - used - footerHeight;
            space.sourceLine = footerRows.front().sourceLine;
            space.cells.push_back({0, kPrintedWidth, {}, CellBorder::None, -1});
            if (space.height > 0)
                sheet_.rows.push_back(space);
            sheet_.rows.insert(sheet_.rows.end(), footerRows.begin(), footerRows.end());
        }
        return sheet_;
    }

private:
    [[noreturn]] void Overflow(int line, int height) const
    {
        std::ostringstream what;
        what.precision(2);
        what << std::fixed << layout_.sourceName << ":" << line << ": the printed page runs to " << height / 1440.0
             << " inches, past the " << kSheetBody / 1440.0
             << " inches of its sheet; shorten the page or lower its printrow";
        throw DescriptionError(what.str());
    }

    void AddRow(const std::vector<const Element*>& elements)
    {
        if (elements.empty())
            return;
        for (const Element* e : elements)
            if (EndsSideLabel(*e))
                CloseSide();
        const Element& first = *elements.front();
        switch (first.type) {
        case ElementType::SideLabel: side_ = {&first, sheet_.rows.size(), sheet_.rows.size()}; return;
        case ElementType::SideEnd: return;
        case ElementType::ThirdBreak: StartNextThird(first); return;
        case ElementType::CutLine: {
            SheetRow row;
            row.sourceLine = first.sourceLine;
            row.cut = &first;
            row.height = kCutRowHeight;
            row.cells.push_back({0, kPrintedWidth, {}, CellBorder::None, -1});
            sheet_.rows.push_back(row);
            return;
        }
        default: break;
        }
        sheet_.rows.push_back(MakeRow(elements));
    }

    // Side-by-side regions whose lines run on each at its own pitch, as a painted sheet sets them:
    // one row as tall as the tallest region.
    void AddBlock(const std::map<int, std::vector<int>>& regions, std::map<int, std::vector<const Element*>>& groups)
    {
        SheetRow block;
        int rightOfRegionBefore = -1;
        for (const auto& [region, keys] : regions) {
            std::vector<SheetRow> rows;
            int height = 0;
            const Element& first = *groups[keys.front()].front();
            // Between the regions, and clear of the text of a region that starts where the one before ends.
            if (first.ruled && rightOfRegionBefore >= 0)
                block.dividers.push_back(std::min((rightOfRegionBefore + Twips(first.regionLeft)) / 2,
                                                  Twips(first.regionLeft) - kDividerClearance));
            rightOfRegionBefore = Twips(first.regionRight);
            for (int key : keys) {
                const Element& e = *groups[key].front();
                if (e.type == ElementType::SideLabel) {
                    block.regionSides.push_back({&e, block.regions.size(), rows.size(), Twips(e.regionLeft)});
                    continue;
                }
                rows.push_back(MakeRow(groups[key]));
                if (e.ruled && rows.back().ruleWidth > 0) {
                    rows.back().height = rows.back().ruleWidth;
                    rows.back().footOfAbove = true;
                }
                height += rows.back().height;
            }
            block.height = std::max(block.height, height);
            if (block.regions.empty() && !rows.empty())
                block.sourceLine = rows.front().sourceLine;
            block.regions.push_back(std::move(rows));
        }
        // The rules of ruled regions meet the rules between them, so the boxes close.
        for (size_t r = 0; r < block.regions.size() && !block.dividers.empty(); ++r)
            for (SheetRow& row : block.regions[r])
                if (row.footOfAbove) {
                    if (r > 0)
                        row.cells.front().left = block.dividers[r - 1];
                    if (r < block.dividers.size())
                        row.cells.front().right = block.dividers[r];
                }
        sheet_.rows.push_back(std::move(block));
    }

    int UsedHeight() const
    {
        int used = 0;
        for (const SheetRow& row : sheet_.rows)
            used += row.height;
        return used;
    }

    void CloseSide()
    {
        if (!side_.label)
            return;
        side_.endRow = sheet_.rows.size();
        if (side_.endRow > side_.firstRow)
            sheet_.sides.push_back(side_);
        side_ = SideSpan();
    }

    // Fills the rest of the current third with space, so what follows starts at the top of the
    // next third of the paper.
    void StartNextThird(const Element& mark)
    {
        const int used = UsedHeight();
        const int top = ++third_ * kSheetThird - kTopMargin;
        if (third_ > 2 || used > top) {
            std::ostringstream what;
            what << layout_.sourceName << ":" << mark.sourceLine << ": "
                 << (third_ > 2 ? "no third of the sheet is left to start"
                                : "the lines above run into the next third of the sheet");
            throw DescriptionError(what.str());
        }
        if (used < top) {
            SheetRow space;
            space.height = top - used;
            space.sourceLine = mark.sourceLine;
            space.cells.push_back({0, kPrintedWidth, {}, CellBorder::None, -1});
            sheet_.rows.push_back(space);
        }
    }

    SheetRow MakeRow(std::vector<const Element*> elements) const
    {
        SheetRow row;
        row.sourceLine = elements.front()->sourceLine;
        for (const Element* e : elements)
            row.sourceLine = std::min(row.sourceLine, e->sourceLine);

        int spacer = 0;
        bool onlyRules = true;
        std::vector<const Element*> placed;
        for (const Element* e : elements) {
            if (e->type == ElementType::Spacer)
                spacer = std::max(spacer, TwipsOfPoints(e->rect.h * kGapPointsPerPixel));
            else if (e->type != ElementType::Rule)
                placed.push_back(e);
            onlyRules = onlyRules && e->type == ElementType::Rule;
        }
        if (onlyRules) {
            const Element* rule = elements.front();
            SheetCell cell;
            cell.left = Twips(rule->rect.x);
            cell.right = std::min(kPrintedWidth, Twips(rule->rect.x + rule->rect.w));
            row.cells.push_back(cell);
            if (cell.right < kPrintedWidth)
                row.cells.push_back({cell.right, kPrintedWidth, {}, CellBorder::None, -1});
            row.ruleWidth = rule->rect.h >= 2 ? 30 : 10;
            row.height = rule->rect.h >= 2 ? 60 : 40;
            return row;
        }

        std::sort(placed.begin(), placed.end(), [](const Element* a, const Element* b) {
            return a->rect.x != b->rect.x ? a->rect.x < b->rect.x : a->rect.y < b->rect.y;
        });
        std::vector<SheetCell> cells;
        for (const Element* e : placed) {
            if (e->type == ElementType::Band) {
                // The black label box is as wide as its printed label needs, so it never wraps.
                const int labelWidth =
                    std::max(Twips(e->labelWidth),
                             TwipsOfPoints(PrintedWidth(e->label, PointsOf(*e), true) + 6) + 2 * kCellPadding);
                SheetCell label{Twips(e->rect.x), Twips(e->rect.x) + labelWidth, {e}, CellBorder::BandLabel, -1};
                SheetCell title{label.right, Twips(e->rect.x + e->rect.w), {e}, CellBorder::Band, -1};
                cells.push_back(label);
                cells.push_back(title);
                continue;
            }
            const int left = Twips(e->rect.x);
            const int right = Twips(e->rect.x + e->rect.w);
            if (!cells.empty() && left < cells.back().right && cells.back().border != CellBorder::Band) {
                cells.back().right = std::max(cells.back().right, right);
                cells.back().elements.push_back(e);
            } else {
                cells.push_back({left, right, {e}, CellBorder::None, -1});
            }
        }
        // Captions reach to the next cell, or to the edge of the page (of their region, where
        // regions keep their own rows), so they have the room the screen gives them; a cell that
        // would pass the page's edge is held at it.
        const Element& front = *elements.front();
        int edgeOfRow = flowRegions_ && front.flow ? std::min(kPrintedWidth, Twips(front.regionRight)) : kPrintedWidth;
        if (flowRegions_ && front.ruled && edgeOfRow < kPrintedWidth)
            edgeOfRow -= kDividerClearance;  // clear of the rule after the region
        for (size_t i = 0; i < cells.size(); ++i) {
            bool text = cells[i].border == CellBorder::None;
            for (const Element* e : cells[i].elements)
                text = text && !IsEntry(*e);
            if (text)
                cells[i].right = i + 1 < cells.size() ? cells[i + 1].left : edgeOfRow;
            cells[i].right = std::min(cells[i].right, kPrintedWidth);
            if (i > 0)
                cells[i].left = std::max(cells[i].left, cells[i - 1].right);
            cells[i].right = std::max(cells[i].right, cells[i].left + 2 * kCellPadding);
        }
        // Gaps between cells become empty cells, so every field keeps its place across the page.
        int edge = 0;
        bool bound = false;
        std::map<std::pair<int, int>, int> captionHeight;  // (block, region) -> tallest caption cell
        for (SheetCell& cell : cells) {
            if (cell.left > edge)
                row.cells.push_back({edge, cell.left, {}, CellBorder::None, -1});
            int height = 0;
            bool captions = cell.border == CellBorder::None;
            for (const Element* e : cell.elements) {
                bound = bound || IsEntry(*e);
                captions = captions && e->type == ElementType::Caption;
                height += cell.border == CellBorder::None ? ParagraphHeight(*e, cell.right - cell.left)
                                                          : BandHeight(*e, cell);
                if (e->type == ElementType::Edit)
                    cell.border = IsAmount(*e) ? CellBorder::Box : CellBorder::Bottom;
                else if (e->type == ElementType::WriteIn)
                    cell.border = CellBorder::Bottom;
                else if (e->type == ElementType::Shade)
                    cell.border = CellBorder::Shaded;
                else if (e->type == ElementType::BoxLabel)
                    cell.border = CellBorder::Box;
            }
            if (captions && !cell.elements.empty()) {
                int& tallest = captionHeight[{cell.elements.front()->block, cell.elements.front()->region}];
                tallest = std::max(tallest, height);
            }
            row.height = std::max(row.height, height);
            row.cells.push_back(cell);
            edge = cell.right;
        }
        // Every row spans the page: a word processor widens a shorter row's last cell to the table's width.
        if (edge < kPrintedWidth)
            row.cells.push_back({edge, kPrintedWidth, {}, CellBorder::None, -1});
        row.height += kRowSlack;
        if (bound)
            row.height = std::max(row.height, TwipsOfPoints(layout_.printRow));
        row.height = std::max(row.height, spacer);
        // In a row of entries a caption hangs so that its last line stands on the row's foot, beside
        // the amounts, and a line number stands level with the first line of its caption. Both
        // hang from the top, so they stay level even where the word processor sets a caption on
        // fewer lines than measured.
        if (bound) {
            for (SheetCell& cell : row.cells) {
                if (cell.elements.empty() || cell.border != CellBorder::None)
                    continue;
                const Element& first = *cell.elements.front();
                if (first.type == ElementType::Caption) {
                    int height = 0;
                    for (const Element* e : cell.elements)
                        height += ParagraphHeight(*e, cell.right - cell.left);
                    cell.drop = std::max(0, row.height - height);
                } else if (first.type == ElementType::LineNumber && cell.elements.size() == 1) {
                    auto caption = captionHeight.find({first.block, first.region});
                    const int own = ParagraphHeight(first, cell.right - cell.left);
                    cell.drop =
                        std::max(0, row.height - std::max(own, caption == captionHeight.end() ? 0 : caption->second));
                }
            }
        }
        return row;
    }

    int BandHeight(const Element& band, const SheetCell& cell) const
    {
        const double size = PointsOf(band);
        if (cell.border == CellBorder::BandLabel)
            return TwipsOfPoints(PrintedLineHeight(size));
        const double width = (cell.right - cell.left - 2 * kCellPadding) / 20.0;
        return TwipsOfPoints(PrintedLines(band.text, width, size, true) * PrintedLineHeight(size));
    }

    // A section's name that a flowing region sets upright, as a bold caption line of the region.
    const Element& SideLabelLine(const Element& label)
    {
        Element line = label;
        line.type = ElementType::Caption;
        line.bold = true;
        line.rect.x = label.rect.x + 4;
        line.rect.w = std::max(1, label.rect.w - 4);
        line.rect.h = 0;
        sheet_.madeLines->push_back(line);
        return sheet_.madeLines->back();
    }

    const PageLayout& layout_;
    const bool flowRegions_;
    std::vector<std::vector<std::vector<const Element*>>> regionLines_;
    Sheet sheet_;
    SideSpan side_;
    int third_ = 0;  // the third of the sheet the rows have reached
};

}  // namespace

int PrintHalfPoints(const Element& e)
{
    switch (e.type) {
    case ElementType::Band: return 18;
    case ElementType::Edit:
    case ElementType::Memo:
    case ElementType::AnswerLabel:
    case ElementType::CheckBox:
    case ElementType::WriteIn:
    case ElementType::Shade: return 16;
    default:
        // Captions print at five sixths of their screen size (9-point captions at 7.5 points),
        // small ones at 7 points, and the few the form sets tighter still at 6.5.
        if (e.tiny)
            return 13;
        return std::max(14, static_cast<int>(std::lround(e.pointSize * 5.0 / 3.0)));
    }
}

Sheet LayOutSheet(const PageLayout& layout) { return LayOutSheets(layout, false).front(); }

std::vector<Sheet> LayOutSheets(const PageLayout& layout, bool flowRegions)
{
    std::vector<std::vector<const Element*>> bySheet(1);
    for (const Element& e : layout.elements) {
        if (e.sheet >= static_cast<int>(bySheet.size()))
            bySheet.resize(e.sheet + 1);
        bySheet[e.sheet].push_back(&e);
    }
    std::vector<Sheet> sheets;
    for (const auto& elements : bySheet)
        sheets.push_back(SheetBuilder(layout, flowRegions).Build(elements));
    return sheets;
}

}  // namespace formgen
