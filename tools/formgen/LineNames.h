// Names every bound field of a description the way a preparer names it, once for both uses: the
// return review's findings ("line 2b(1)", "Schedule B, line 7", "box 1", "item C", "line 2, row 3,
// column (d)") and the window's messages, which name the line printed beside the field ("15b",
// "row 3, column (d)"), so that neither needs a second description of the forms.
#pragma once

#include "FormDescription.h"
#include "PageLayout.h"

#include <string>
#include <vector>

namespace formgen {

struct LineLabel {
    int layout = 0;
    int slot = 0;
    char kind = 0;         // field kind of the description: d c p t n x e m a
    bool guarded = false;  // computed, may be overridden
    std::string text;
};

std::vector<LineLabel> NameLines(const PageDescription& page);

// Gives each bound field of the screen layout of `page` the line the window's messages name: the
// box label printed before it, else the number of its line; a table cell its row and column.
void NameFieldLines(PageLayout& screen, const PageDescription& page);

// The review's table (review/FieldLabels.h) of every page's labels, sorted by layout and slot.
std::string WriteFieldLabelTable(std::vector<LineLabel> labels);

}  // namespace formgen
