#pragma once
// What the window knows about each form type it can show: the layout file, the Prior and Next
// targets, the control that takes the focus after display and the tree item to select, all read
// from the form type table of the core (store/FormTypes.h).

#include "store/FormTypes.h"

#include <QString>

namespace quorvan::app {

constexpr int kNoTarget = kNoPageTarget;
constexpr int kNoFocusTag = -1;

struct PageInfo {
    int formType = -1;
    int layoutNumber = -1;       // pageN.psf; boxes B/C use A's layout, E/F use D's
    int focusTag = kNoFocusTag;  // control focused after display
    bool hasPrior = false;
    bool hasNext = false;
    bool continuation = false;   // Prior/Next walk the pages in use of the type
    int priorCode = kNoTarget;   // fixed targets (page codes) of single-page types
    int nextCode = kNoTarget;
    QString treeItem;            // object name of the tree item selected after display
};

// The entry of a form type; formType -1 in the result when the type cannot be shown.
PageInfo PageInfoFor(int formType);

// The page codes Prior and Next lead to from a page; kNoTarget when there is none.
int PriorCode(int formType, int pageIndex);
int NextCode(int formType, int pageIndex);

}  // namespace quorvan::app
