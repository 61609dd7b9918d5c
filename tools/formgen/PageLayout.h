// Turns a page description into positioned page elements: captions, line numbers, bands, edits,
// check boxes, memos, answer labels and help buttons, each with its place on the page. The screen
// layout and the print template are both written from this list, so they always agree.
#pragma once

#include "FormDescription.h"

#include <string>
#include <vector>

namespace formgen {

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

enum class ElementType {
    Caption,      // static text
    LineNumber,   // the form's line number at the left margin
    BoxLabel,     // the line number printed in the box left of an amount
    Band,         // a part heading: black label box and bold title
    Rule,         // a horizontal line across the region
    Edit,         // single-line field bound to a slot
    CheckBox,     // check box bound to a slot (estimate boxes add 1000 to the tag)
    Memo,         // multi-line text bound to a slot
    AnswerLabel,  // read-only text showing a slot
    HelpButton,   // "?" button with its callout text
    Spacer,       // vertical space between lines (a gap); nothing is drawn
    WriteIn,      // an underlined space to sign or write in by hand, bound to nothing
    Shade,        // a shaded box where the form takes no entry, bound to nothing
    // Painted sheets only: marks that take no room of their own.
    SheetBreak,  // the next statements go on a further sheet (the back of Schedule K-1)
    ThirdBreak,  // the next statements start at the top of the next third of the sheet
    CutLine,     // a dashed line across the sheet to cut along, with its text
    SideLabel,   // a section's name, printed upright beside its lines, up to the next band, rule or side
    SideEnd,     // ends the side label before it
};

enum class Align { Left, Center, Right, LeftMiddle };

struct Element {
    ElementType type = ElementType::Caption;
    Rect rect;
    std::string text;    // caption, line number, band title, help text
    std::string label;   // band label box text ("Part I")
    int labelWidth = 0;  // width of the band's black label box
    int fieldKind = 0;   // edits: 1 text, 2 cents, 3 percent, 4 whole dollars, 5 count
    int slot = -1;
    bool estimate = false;  // check box that shows "EST" while ticked
    std::string style;      // "EDITOVERRIDEABLE", "EDITREADONLY", "CHECKBOXOVERRIDEABLE" or ""
    int pointSize = 9;
    bool bold = false;
    bool tiny = false;  // a small caption the form sets smaller still on paper
    bool wrap = false;
    Align align = Align::Left;
    std::string name;     // unique control name on the page
    int row = 0;          // elements of one line of the form share a row number (print rows)
    int block = 0;        // side-by-side regions: the number of their block (0 outside any)
    int region = 0;       // and the region within it, counted from 0
    std::string line;     // bound fields: the form's line ("15b"), or a table cell's "row 3, column (d)",
                          // given by NameFieldLines (LineNames.h) on the screen layout
    int sourceLine = 0;   // the description line of the statement that placed it
    bool footer = false;  // printed at the foot of the sheet
    bool loss = false;    // an amount the form prints in parentheses: a loss, entered without its sign
    int tableRow = -1;    // the cells of one row of a table share this number; -1 outside tables
    int sheet = 0;        // painted sheets: the sheet it stands on, from 0
    bool flow = false;    // in side-by-side regions whose lines a painted sheet sets each at its own pitch
    bool ruled = false;   // in flowing regions a painted sheet rules as a grid of boxes
    int regionLeft = 0;   // the left edge of its region (pixels)
    int regionRight = 0;  // the right edge of its region (pixels)

    int Tag() const;  // the binding code the program reads
};

struct PageLayout {
    std::string sourceName;  // the description file, for messages
    int layoutNumber = 0;
    int width = 0;
    int height = 0;
    int focusTag = -1;
    double printRow = 12;           // printed height in points of a line that holds a field
    std::vector<Element> elements;  // in reading order, which is also the tab order
};

// Lays out the statements for the screen or for paper: each medium skips the statements marked
// for the other one. Errors: throws DescriptionError naming the source line of a statement it
// cannot place.
PageLayout LayOutPage(const PageDescription& page, Medium medium = Medium::Screen);

}  // namespace formgen
