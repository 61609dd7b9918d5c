#pragma once
// Zoom of the form pages: the scaling of a loaded page's controls (geometry and fonts) by the
// window's page scale. The page heights the Zoom command sizes the page panel by are the form
// descriptions' (PageHeightOf in store/FormTypes.h).

class QWidget;

namespace quorvan::app {

// Sizes, places and fonts of `page` and every control inside it := their layout values × scale.
// Applying it again starts from the layout values, so scales do not pile up.
void ScalePageControls(QWidget* page, double scale);

}  // namespace quorvan::app
