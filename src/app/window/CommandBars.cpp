// The icon toolbar (36 x 36 buttons) and the labelled button bar below it. Every button has a
// place of its own in its bar that it keeps while hidden, so that no button ever moves under the
// mouse when others appear or go, and no two labels overlap.

#include "app/commands/Commands.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QWidget>

namespace quorvan::app {
namespace {

// The button's own place in the bar, the size of the button; the button sits at its origin.
void PutInPlace(QWidget* bar, QAbstractButton* button)
{
    auto* place = new QWidget(bar);
    place->setObjectName(button->objectName() + QStringLiteral("Place"));
    button->ensurePolished();  // its style sheet counts in its size
    const QSize size = button->sizeHint().expandedTo(button->minimumSize()).boundedTo(button->maximumSize());
    button->setParent(place);
    button->setFixedSize(size);
    button->move(0, 0);
    place->setFixedSize(size);
    bar->layout()->addWidget(place);
}

QAbstractButton* IconButton(QWidget* bar, const char* name, QStyle::StandardPixmap icon, const QString& tip)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(bar->style()->standardIcon(icon));
    button->setIconSize(QSize(28, 28));
    button->setFixedSize(36, 36);
    button->setAutoRaise(true);
    button->setToolTip(tip);
    button->setFocusPolicy(Qt::NoFocus);
    PutInPlace(bar, button);
    return button;
}

QAbstractButton* CaptionButton(QWidget* bar, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setFlat(true);
    button->setFixedHeight(19);
    button->setFocusPolicy(Qt::NoFocus);
    button->setStyleSheet(QStringLiteral("QPushButton { padding: 0 10px; border: none; }"
                                         "QPushButton:hover { background: #d8e4f2; }"));
    PutInPlace(bar, button);
    return button;
}

QWidget* Bar(QWidget* parent, const char* name, int height)
{
    auto* bar = new QWidget(parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setFixedHeight(height);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(2);
    return bar;
}

}  // namespace

void BuildCommandBars(QWidget* parent, MainCommands& c)
{
    c.pnlToolBar = Bar(parent, "pnlToolBar", 39);
    c.pnlToolBar->setStyleSheet(QStringLiteral("#pnlToolBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                                               " stop:0 #fbfcfe, stop:1 #dfe7f1); }"));
    c.cbtnNew = IconButton(c.pnlToolBar, "cbtnNew", QStyle::SP_FileIcon, QStringLiteral("New"));
    c.cbtnOpen = IconButton(c.pnlToolBar, "cbtnOpen", QStyle::SP_DialogOpenButton, QStringLiteral("Open"));
    c.cbtnSave = IconButton(c.pnlToolBar, "cbtnSave", QStyle::SP_DialogSaveButton, QStringLiteral("Save"));
    c.cbtnPrint = IconButton(c.pnlToolBar, "cbtnPrint", QStyle::SP_FileDialogContentsView, QStringLiteral("Preview/Print"));
    // Icon only: the labelled bar has no room left on the narrowest screens.
    c.cbtnPrintPreview = IconButton(c.pnlToolBar, "cbtnPrintPreview", QStyle::SP_FileDialogInfoView,
                                    QStringLiteral("Print Preview"));
    c.cbtnPrior = IconButton(c.pnlToolBar, "cbtnPrior", QStyle::SP_ArrowBack, QStringLiteral("Prior"));
    c.cbtnNext = IconButton(c.pnlToolBar, "cbtnNext", QStyle::SP_ArrowForward, QStringLiteral("Next"));
    c.cbtnRefresh = IconButton(c.pnlToolBar, "cbtnRefresh", QStyle::SP_BrowserReload, QStringLiteral("Refresh"));
    c.cbtnOverride = IconButton(c.pnlToolBar, "cbtnOverride", QStyle::SP_DialogApplyButton, QStringLiteral("Override"));
    c.cbtnCancelOverride = IconButton(c.pnlToolBar, "cbtnCancelOverride", QStyle::SP_DialogCancelButton,
                                      QStringLiteral("Cancel Override"));
    c.cbtnKinWk = IconButton(c.pnlToolBar, "cbtnKinWk", QStyle::SP_FileDialogDetailedView, QStringLiteral("Alloc"));
    c.cbtnReview = IconButton(c.pnlToolBar, "cbtnReview", QStyle::SP_MessageBoxWarning, QStringLiteral("Review"));
    c.cbtnExit = IconButton(c.pnlToolBar, "cbtnExit", QStyle::SP_DialogCloseButton, QStringLiteral("Exit"));
    static_cast<QHBoxLayout*>(c.pnlToolBar->layout())->addStretch();

    c.pnlCaptionButtonBar = Bar(parent, "pnlCaptionButtonBar", 19);
    c.pnlCaptionButtonBar->setStyleSheet(QStringLiteral("#pnlCaptionButtonBar { background: #eef2f7; }"));
    c.cbtnSmlNew = CaptionButton(c.pnlCaptionButtonBar, "cbtnSmlNew", QStringLiteral("New"));
    c.cbtnSmlOpen = CaptionButton(c.pnlCaptionButtonBar, "cbtnSmlOpen", QStringLiteral("Open"));
    c.cbtnSmlSave = CaptionButton(c.pnlCaptionButtonBar, "cbtnSmlSave", QStringLiteral("Save"));
    c.cbtnSmlPrint = CaptionButton(c.pnlCaptionButtonBar, "cbtnSmlPrint", QStringLiteral("Preview/Print"));
    c.cbtnSmlPrior = CaptionButton(c.pnlCaptionButtonBar, "cbtnSmlPrior", QStringLiteral("Prior"));
    c.cbtnSmlNext = CaptionButton(c.pnlCaptionButtonBar, "cbtnSmlNext", QStringLiteral("Next"));
    c.cbtnSmlRefresh = CaptionButton(c.pnlCaptionButtonBar, "cbtnSmlRefresh", QStringLiteral("Refresh"));
    c.cbtnSmlOverride = CaptionButton(c.pnlCaptionButtonBar, "cbtnSmlOverride", QStringLiteral("Override"));
    c.cbtnSmlCancelOverride = CaptionButton(c.pnlCaptionButtonBar, "cbtnSmlCancelOverride",
                                            QStringLiteral("Cancel Override"));
    c.cbtnSmlKinWk = CaptionButton(c.pnlCaptionButtonBar, "cbtnSmlKinWk", QStringLiteral("Alloc"));
    c.cbtnSmlReview = CaptionButton(c.pnlCaptionButtonBar, "cbtnSmlReview", QStringLiteral("Review"));
    c.cbtnSmlExit = CaptionButton(c.pnlCaptionButtonBar, "cbtnSmlExit", QStringLiteral("Exit"));
    static_cast<QHBoxLayout*>(c.pnlCaptionButtonBar->layout())->addStretch();
}

}  // namespace quorvan::app
