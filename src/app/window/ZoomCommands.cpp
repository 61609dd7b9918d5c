// Zoom and Shrink Font: the page scale with the window sized to it, and the amount by which the
// labels of the form pages are made smaller.

#include "app/window/MainWindow.h"

#include "app/dialogs/TfrmShrinkFont.h"
#include "app/dialogs/TfrmWindowScale.h"
#include "app/help/HelpCommands.h"
#include "app/pages/PageScale.h"
#include "print/HelpPages.h"
#include "store/FormTypes.h"

#include <QAction>
#include <QScreen>
#include <QTreeWidget>

#include <cmath>

namespace quorvan::app {
namespace {

// The margin below a page in the page panel.
constexpr double kPanelMargin = 1.1;
// Window width beyond the tree and the page: scroll bar and frame.
constexpr int kWindowExtraWidth = 24;

}  // namespace

void TfrmMain::ApplyPageScale()
{
    if (!page_)
        return;
    ScalePageControls(page_, state_.PageScale);
    FitAmountFields(page_);
    pnlMainForm_->resize(page_->size());
}

void TfrmMain::ZoomClick()
{
    TfrmWindowScale dialog(state_.PageScale, this);
    if (prompts_->RunDialog(dialog) != QDialog::Accepted)
        return;
    state_.PageScale = dialog.Value();
    ApplyPageScale();
    const int pageWidth = static_cast<int>(state_.BasePageWidth * state_.PageScale);
    resize(TreeView1_->width() + pageWidth + kWindowExtraWidth, height());
    const double panelHeight = PageHeightOf(state_.CurrentFormType) * state_.PageScale * kPanelMargin;
    pnlMainForm_->resize(pnlMainForm_->width(), static_cast<int>(std::lround(panelHeight)));
    if (const QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
}

void TfrmMain::ShrinkFontOnClick()
{
    TfrmShrinkFont dialog(state_.FontShrink, [this] { help_->ShowHelpPage(kHelpShrinkFontPage); }, this);
    const bool ok = prompts_->RunDialog(dialog) == QDialog::Accepted;
    // The choice counts whichever button closed the dialog; only Ok shows the page anew, and
    // it is the page on screen that is shown again (page code 0 has no layout to show).
    state_.FontShrink = dialog.ChosenShrink(state_.FontShrink);
    if (ok && state_.CurrentFormType != -1)
        DisplayCode(state_.CurrentFormType * 100 + state_.CurrentPageIndex);
}

}  // namespace quorvan::app
