#pragma once
// One row per form type: the name a preparer reads, whether its zero amounts stay empty, where the
// window's tree, menus and Prior/Next lead, and its box in the print selection. The layout that
// shows a type (Form 8949 boxes B and C show on box A's, E and F on box D's), its page height and
// its focus field come from the form descriptions (tools/formgen writes kLayoutFacts), so adding a
// form type is one row here plus its description.

#include <cstddef>
#include <string>
#include <vector>

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
    const char* pageName;    // the page in the window's messages; "%1" stands for its page number
    bool blankZero;          // zero amounts show and print as an empty field, not "0"
    int priorCode;           // page code Prior leads to, kNoPageTarget, or kContinuationTarget
    int nextCode;
    const char* treeItem;    // navigation tree item selected after display
    const char* menuItem;    // Display menu item (nullptr: in a continuation or group menu)
    const char* menuText;
    const char* treeText;    // caption of its page item in the navigation tree
    const char* printBox;    // check box of the print selection dialog (nullptr: not printed)
    const char* printCaption;  // its caption; "&&" shows as "&"
    int printTab;              // the dialog's tab that holds it
};

// Every row, in the order of the print selection dialog.
const std::vector<const FormTypeRow*>& FormTypeRows();

// The row of `formType`, or nullptr for a type the program does not know.
const FormTypeRow* FindFormType(int formType);

// "Schedule I page 2", "Schedule K-1 of beneficiary 3"; "Page <code>" for a type no page shows.
std::string PageNameOf(int formType, int pageIndex);

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
