// The return review in the window: the Review panel with its menu item and buttons, the counts
// in the status bar, going to the field of a finding, and the question before printing a return
// the review finds errors in.

#include "app/window/MainWindow.h"

#include "app/review/ReviewPanel.h"
#include "review/Review.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QStatusBar>

namespace quorvan::app {
namespace {

// Errors the print question lists before it says how many more there are.
constexpr int kErrorsListed = 5;

// The control of the page on screen that shows `slot`: an edit (tag kind * 1000 + slot), a check
// box (slot, or 1000 + slot for an estimate box), a memo or an answer label (slot).
QWidget* ControlOfSlot(QWidget* page, int slot)
{
    for (QWidget* control : page->findChildren<QWidget*>()) {
        const QVariant tagValue = control->property("tag");
        if (!tagValue.isValid())
            continue;
        const int tag = tagValue.toInt();
        if (qobject_cast<QLineEdit*>(control) ? tag >= 1000 && tag % 1000 == slot
            : qobject_cast<QCheckBox*>(control) ? tag == slot || tag == 1000 + slot
            : qobject_cast<QPlainTextEdit*>(control) || qobject_cast<QLabel*>(control) ? tag == slot && tag > 0
                                                                                        : false)
            return control;
    }
    return nullptr;
}

QString ToQt(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

void TfrmMain::BuildReviewPanel()
{
    review_ = new ReviewPanel(
        this, [this]() -> const TAnswer* { return store_.get(); },
        [this](const review::Finding& finding) { GoToFinding(finding); });
    addDockWidget(Qt::BottomDockWidgetArea, review_);
    review_->hide();
    review_->SetCountsChanged([this] { ShowReviewCounts(); });

    lblReviewCounts_ = new QLabel(this);
    lblReviewCounts_->setObjectName(QStringLiteral("lblReviewCounts"));
    statusBar()->addPermanentWidget(lblReviewCounts_);

    QAction* panelShown = review_->toggleViewAction();
    commands_.mnuReview->setChecked(false);
    connect(commands_.mnuReview, &QAction::triggered, this, [this](bool checked) { review_->setVisible(checked); });
    connect(panelShown, &QAction::toggled, commands_.mnuReview, &QAction::setChecked);
    for (QAbstractButton* button : {commands_.cbtnReview, commands_.cbtnSmlReview})
        connect(button, &QAbstractButton::clicked, this, [this] { review_->setVisible(review_->isHidden()); });
    ShowReviewCounts();
}

void TfrmMain::ReviewAfterCalculate()
{
    if (review_)
        review_->Refresh();
}

void TfrmMain::ShowReviewCounts()
{
    if (lblReviewCounts_)
        lblReviewCounts_->setText(QStringLiteral("Review: ") + CountsText(review_->Counts()));
}

bool TfrmMain::ConfirmPrintWithReviewErrors()
{
    if (!store_)
        return true;
    CommitEditedField();
    std::vector<review::Finding> errors;
    for (review::Finding& finding : review::ReviewReturn(*store_))
        if (finding.severity == review::Severity::Error)
            errors.push_back(std::move(finding));
    if (errors.empty())
        return true;

    QString text = errors.size() == 1 ? QStringLiteral("The review finds an error in this return:\n")
                                      : QStringLiteral("The review finds %1 errors in this return:\n").arg(errors.size());
    for (size_t i = 0; i < errors.size() && i < kErrorsListed; ++i)
        text += QStringLiteral("\n- %1, %2: %3").arg(ToQt(errors[i].form), ToQt(errors[i].line), ToQt(errors[i].text));
    if (errors.size() > kErrorsListed)
        text += QStringLiteral("\n- and %1 more.").arg(errors.size() - kErrorsListed);
    text += QStringLiteral("\n\nPrint it anyway, or go back to the return? The Review panel lists every finding.");
    if (prompts_->AskProceed(this, QStringLiteral("Review"), text, QStringLiteral("Print Anyway"),
                             QStringLiteral("Go Back")))
        return true;
    review_->show();
    review_->raise();
    return false;
}

void TfrmMain::GoToFinding(const review::Finding& finding)
{
    if (!store_ || closed_)
        return;
    const review::FieldAddress& field = finding.field;
    const int* count = store_->CountField(field.formType);
    if (field.page < 0 || field.page >= kMaxPages || (count && field.page >= std::max(*count, 1)) ||
        (!count && field.page != 0))
        return;  // the page has gone out of use since the review
    if (state_.CurrentFormType != field.formType || state_.CurrentPageIndex != field.page)
        DisplayCode(field.formType * 100 + field.page);
    if (!page_)
        return;
    QWidget* control = ControlOfSlot(page_, field.slot);
    if (!control)
        return;
    if (control->isEnabled() && control->focusPolicy() != Qt::NoFocus) {
        control->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            edit->selectAll();
    }
    VertScrollBox1_->ensureWidgetVisible(control, 50, VertScrollBox1_->viewport()->height() / 3);
}

}  // namespace quorvan::app
