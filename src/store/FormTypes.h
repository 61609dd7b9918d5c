#pragma once
// One row per form type: the name a preparer reads, whether its zero amounts stay empty, and where
// the window's tree, menus and Prior/Next lead. The page layout that shows a type (Form 8949 boxes
// B and C show on box A's, E and F on box D's), its page height and its focus field come from the
// form descriptions (tools/formgen writes kLayoutFacts), so adding a form type is one row here plus
// its description.

#include <cstddef>

namespace quorvan {

// What the page descriptions fix about each form type they show; generated, by layout.
struct LayoutFacts {
    int formType;
    int layout;
    int height;    // page height at 100 % zoom, pixels
    int focusTag;  // the control focused after display; -1: none
};
extern const LayoutFacts kLayoutFacts[];
extern const std::size_t kLayoutFactCount;

constexpr int kNoPageTarget = -1;
constexpr int kContinuationTarget = 0;  // Prior/Next walk the pages in use of the type

struct FormTypeRow {
    int formType;
    const char* name;        // the form page in the preparer's words ("Schedule D")
    bool blankZero;          // zero amounts show and print as an empty field, not "0"
    int priorCode;           // page code Prior leads to, kNoPageTarget, or kContinuationTarget
    int nextCode;
    const char* treeItem;    // navigation tree item selected after display
    const char* menuItem;    // Display menu item (nullptr: in a continuation or group menu)
    const char* menuText;
    const char* treeText;    // caption of its page item in the navigation tree
};

// The row of `formType`, or nullptr for a type no page shows.
const FormTypeRow* FindFormType(int formType);

// Layout of `formType`: its own number, but 29 for Form 8949 boxes B and C and 32 for E and F.
int LayoutOf(int formType);

// Zero amounts of these types show and print empty.
bool IsBlankZeroType(int formType);

// The page height of the type's layout at 100 %, 2000 for a type without a layout.
int PageHeightOf(int formType);

// The focus Tag of the type's layout, -1 for none.
int FocusTagOf(int formType);

// The layout facts of `formType`, or nullptr for a type no page shows.
const LayoutFacts* FindLayoutFacts(int formType);

}  // namespace quorvan
