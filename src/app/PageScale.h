#pragma once
// Zoom of the form pages: the page heights the Zoom command sizes the page panel by, and the
// scaling of a loaded page's controls (geometry and fonts) by the window's page scale.

class QWidget;

namespace quorvan::app {

// Height of the page panel at scale 1 for a form type, before the 10% margin; -1 (no page
// shown) and every type without its own height give 2000.
int PageHeightFor(int formType);

// Sizes, places and fonts of `page` and every control inside it := their layout values × scale.
// Applying it again starts from the layout values, so scales do not pile up.
void ScalePageControls(QWidget* page, double scale);

}  // namespace quorvan::app
