#include "app/print/PageToolBar.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMainWindow>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace quorvan::app {
namespace {

QAction* ToolAction(QToolBar* bar, const char* name, const QString& text, QStyle::StandardPixmap icon,
                    const QKeySequence& shortcut = {})
{
    QAction* action = bar->addAction(bar->style()->standardIcon(icon), text);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setToolTip(QStringLiteral("%1 (%2)").arg(text, shortcut.toString(QKeySequence::NativeText)));
    }
    return action;
}

QAction* Styled(QToolBar* bar, QAction* action, Qt::ToolButtonStyle style)
{
    if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action)))
        button->setToolButtonStyle(style);
    return action;
}

}  // namespace

PageToolBar AddPageToolBar(QMainWindow& window, bool offerWordProcessor)
{
    PageToolBar tools;
    QToolBar* bar = window.addToolBar(QStringLiteral("Preview"));
    tools.bar = bar;
    bar->setObjectName(QStringLiteral("tbrPreview"));
    bar->setMovable(false);

    tools.print = Styled(
        bar, ToolAction(bar, "btnPrint", QStringLiteral("Print..."), QStyle::SP_DialogApplyButton, QKeySequence::Print),
        Qt::ToolButtonTextBesideIcon);
    tools.saveAsPdf = Styled(bar,
                             ToolAction(bar, "btnSaveAsPdf", QStringLiteral("Save as PDF..."),
                                        QStyle::SP_DialogSaveButton, QKeySequence::Save),
                             Qt::ToolButtonTextBesideIcon);
    if (offerWordProcessor)
        tools.openInWordProcessor =
            Styled(bar,
                   ToolAction(bar, "btnOpenInWordProcessor", QStringLiteral("Open in Word Processor"),
                              QStyle::SP_FileDialogContentsView),
                   Qt::ToolButtonTextBesideIcon);
    bar->addSeparator();

    tools.priorPage = ToolAction(bar, "btnPriorPage", QStringLiteral("Previous Page"), QStyle::SP_ArrowUp,
                                 QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    tools.page = new QSpinBox(bar);
    tools.page->setObjectName(QStringLiteral("spnPage"));
    tools.page->setRange(1, 1);
    tools.page->setKeyboardTracking(false);
    tools.page->setAccessibleName(QStringLiteral("Page"));
    bar->addWidget(tools.page);
    tools.pageCount = new QLabel(bar);
    tools.pageCount->setObjectName(QStringLiteral("lblPageCount"));
    tools.pageCount->setContentsMargins(4, 0, 4, 0);
    bar->addWidget(tools.pageCount);
    tools.nextPage = ToolAction(bar, "btnNextPage", QStringLiteral("Next Page"), QStyle::SP_ArrowDown,
                                QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    bar->addSeparator();

    // The style has no magnifier icons: the zoom buttons read a minus and a plus.
    tools.zoomOut =
        ToolAction(bar, "btnZoomOut", QStringLiteral("Zoom Out"), QStyle::SP_ArrowLeft, QKeySequence::ZoomOut);
    tools.zoomOut->setIconText(QStringLiteral("\u2212"));
    Styled(bar, tools.zoomOut, Qt::ToolButtonTextOnly);
    tools.zoom = new QLabel(bar);
    tools.zoom->setObjectName(QStringLiteral("lblZoom"));
    tools.zoom->setMinimumWidth(48);
    tools.zoom->setAlignment(Qt::AlignCenter);
    bar->addWidget(tools.zoom);
    tools.zoomIn = ToolAction(bar, "btnZoomIn", QStringLiteral("Zoom In"), QStyle::SP_ArrowRight, QKeySequence::ZoomIn);
    tools.zoomIn->setIconText(QStringLiteral("+"));
    Styled(bar, tools.zoomIn, Qt::ToolButtonTextOnly);
    // The two fitted views are a choice; a zoom step leaves both.
    tools.fitWidth =
        Styled(bar, ToolAction(bar, "btnFitWidth", QStringLiteral("Fit Width"), QStyle::SP_TitleBarMaxButton),
               Qt::ToolButtonTextOnly);
    tools.wholePage =
        Styled(bar, ToolAction(bar, "btnWholePage", QStringLiteral("Whole Page"), QStyle::SP_TitleBarNormalButton),
               Qt::ToolButtonTextOnly);
    for (QAction* fit : {tools.fitWidth, tools.wholePage})
        fit->setCheckable(true);

    return tools;
}

void ShowPageCount(const PageToolBar& bar, int pages)
{
    bar.page->setRange(1, std::max(pages, 1));
    bar.pageCount->setText(QStringLiteral("of %1").arg(pages));
}

}  // namespace quorvan::app
