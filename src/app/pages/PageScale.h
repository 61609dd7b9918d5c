#pragma once
// Zoom of the form pages: the scaling of a loaded page's controls (geometry and fonts) by the
// window's page scale. The page heights the Zoom command sizes the page panel by are the form
// descriptions' (PageHeightOf in store/FormTypes.h).

class QFont;
class QWidget;

namespace quorvan::app {

// Sizes, places and fonts of `page` and every control inside it := their layout values × scale.
// Applying it again starts from the layout values, so scales do not pile up.
void ScalePageControls(QWidget* page, double scale);

// `font` is the control's font at the page's present scale: the layout value the zoom scales from
// is taken from it unless the control has one already. Called before a control's font is changed
// for another reason, so the zoom never takes that font for the layout's.
void KeepLayoutFont(QWidget* control, const QFont& font);

}  // namespace quorvan::app
