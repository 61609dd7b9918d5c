#pragma once
// The painted print layout of a form page: the sheets tools/formgen computes from the same page
// description as the screen layout and the RTF template, written to "LAY/page<N>.lay" and read
// here for the print engine (src/render), which paints them with the answers of a page.
// Positions are twips (1/1440 inch) from the top left corner of a US Letter sheet.
//
// The file: UTF-8 text, one item a line, numbers as integers, a text quoted with \" and \\; a
// line that starts with "#" is a comment:
//   quorvan-painted-layout 1
//   layout <N>
//   sheet                                           starts the next sheet (at least one)
//   rule <x1> <y1> <x2> <y2> <weight>               a line <weight> twips wide
//   fill <left> <top> <right> <bottom> <grey>       a box, grey 0 (black) to 255 (white)
//   text <left> <right> <baseline> <size> <align> <style> "<text>"
//   side <x> <top> <bottom> <size> "<text>"         upright, reading upward, centred; baseline at x
//   leader <left> <right> <baseline> <size>         dots from left to right
//   cut <left> <right> <y> "<text>"                 a dashed line to cut along, its words in its middle
//   field <slot> <kind> <left> <right> <baseline> <size> <align> [loss] [row <n>] [entry]
//   check <slot> <left> <top> <side>
//   memo <slot> <left> <right> <top> <bottom> <size>
// size: half-points; align: l, c or r; style: r regular, b bold, w bold in white; kind: t text,
// c cents, p percentage, d whole dollars, n count, a an answer shown as text. A field marked loss
// stands in the parentheses the form prints; fields of one table row share a row number, and
// entry marks the cells the preparer fills there (the others are computed).

#include <map>
#include <string>
#include <vector>

namespace quorvan {

constexpr int kSheetWidthTwips = 12240;
constexpr int kSheetHeightTwips = 15840;
// The folder of the painted layouts below the program's data folder.
extern const char* const kPaintedLayoutFolder;  // "LAY"

enum class PaintedKind { Rule, Fill, Text, Side, Leader, Cut, Field, Check, Memo };
enum class PaintedAlign { Left, Center, Right };

struct PaintedItem {
    PaintedKind kind = PaintedKind::Text;
    // Rule: from (left, top) to (right, bottom). Fill, memo: the box. Text, field, leader: the
    // room from left to right, and the baseline. Side: baseline at left, from top to bottom.
    // Cut: from left to right at top. Check: the box from (left, top), `size` on each side.
    int left = 0, top = 0, right = 0, bottom = 0, baseline = 0;
    int size = 0;  // half-points of text; twips of a rule's weight or a check box's side; grey of a fill
    PaintedAlign align = PaintedAlign::Left;
    bool bold = false;
    bool white = false;
    std::string text;
    // Fields, check boxes and memos.
    int slot = -1;
    char fieldKind = 't';
    bool loss = false;
    int tableRow = -1;
    bool entry = false;
};

struct PaintedSheet {
    std::vector<PaintedItem> items;
};

struct PaintedLayout {
    int layout = 0;
    std::vector<PaintedSheet> sheets;
};

// Reads the text of a layout file. Errors: false with `error` naming the line and what is wrong.
bool ParsePaintedLayout(const std::string& text, PaintedLayout& layout, std::string& error);

// The painted layouts of a data folder, each read once when first asked for.
class PaintedLayouts {
public:
    explicit PaintedLayouts(std::string folder);  // the "LAY" folder

    // The layout that prints `formType` (Form 8949 boxes B and C print box A's, E and F box D's).
    // Errors: nullptr with `error` naming the file and why it cannot be used.
    const PaintedLayout* ForFormType(int formType, std::string& error);
    const std::string& Folder() const { return folder_; }

private:
    std::string folder_;
    std::map<int, PaintedLayout> layouts_;
};

}  // namespace quorvan
