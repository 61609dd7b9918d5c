#include "app/print/SheetView.h"

#include "render/PaintedDocument.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace quorvan::app {
namespace {

constexpr int kMargin = 12;   // around the sheets
constexpr int kSpacing = 12;  // between two sheets
constexpr double kSheetInches[2] = {8.5, 11.0};

}  // namespace

SheetView::SheetView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("sheetView"));
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(20);
    horizontalScrollBar()->setSingleStep(20);
}

void SheetView::SetDocument(std::shared_ptr<const render::PaintedDocument> document)
{
    document_ = std::move(document);
    painted_.clear();
    current_ = 0;
    Relayout();
    viewport()->update();
}

int SheetView::SheetCount() const { return document_ ? document_->SheetCount() : 0; }

QSizeF SheetView::SheetSizeAt(double zoom) const
{
    const double dpiX = logicalDpiX() > 0 ? logicalDpiX() : 96;
    const double dpiY = logicalDpiY() > 0 ? logicalDpiY() : 96;
    return QSizeF(kSheetInches[0] * dpiX * zoom, kSheetInches[1] * dpiY * zoom);
}

double SheetView::Zoom() const
{
    const QSizeF actual = SheetSizeAt(1.0);
    const double byWidth = (viewport()->width() - 2.0 * kMargin) / actual.width();
    const double byHeight = (viewport()->height() - 2.0 * kMargin) / actual.height();
    switch (mode_) {
    case ZoomMode::FitWidth: return std::max(byWidth, 0.05);
    case ZoomMode::WholePage: return std::max(std::min(byWidth, byHeight), 0.05);
    case ZoomMode::Custom: break;
    }
    return customZoom_;
}

void SheetView::SetMode(ZoomMode mode)
{
    const int page = current_;
    mode_ = mode;
    Relayout();
    GoToPage(page);
    emit zoomChanged();
}

void SheetView::SetZoom(double zoom)
{
    const int page = current_;
    mode_ = ZoomMode::Custom;
    customZoom_ = zoom;
    Relayout();
    GoToPage(page);
    emit zoomChanged();
}

QRectF SheetView::SheetRect(int index) const
{
    const QSizeF size = SheetSizeAt(Zoom());
    const double contentWidth = std::max<double>(viewport()->width(), size.width() + 2 * kMargin);
    return QRectF(QPointF((contentWidth - size.width()) / 2, kMargin + index * (size.height() + kSpacing)), size);
}

void SheetView::Relayout()
{
    const QSizeF size = SheetSizeAt(Zoom());
    const int count = SheetCount();
    const double height = 2 * kMargin + count * size.height() + std::max(count - 1, 0) * kSpacing;
    const double width = size.width() + 2 * kMargin;
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setRange(0, std::max(0, static_cast<int>(std::ceil(height)) - viewport()->height()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, std::max(0, static_cast<int>(std::ceil(width)) - viewport()->width()));
}

void SheetView::GoToPage(int page)
{
    if (page < 0 || page >= SheetCount())
        return;
    jumping_ = true;
    verticalScrollBar()->setValue(static_cast<int>(SheetRect(page).top()) - kMargin);
    jumping_ = false;
    if (page != current_) {
        current_ = page;
        emit currentPageChanged(page);
    }
    viewport()->update();
}

void SheetView::FollowScroll()
{
    if (jumping_ || SheetCount() == 0)
        return;
    // The sheet that holds the line a third down the view.
    const double line = verticalScrollBar()->value() + viewport()->height() / 3.0;
    const double pitch = SheetSizeAt(Zoom()).height() + kSpacing;
    const int page = std::clamp(static_cast<int>((line - kMargin) / pitch), 0, SheetCount() - 1);
    if (page != current_) {
        current_ = page;
        emit currentPageChanged(page);
    }
}

void SheetView::scrollContentsBy(int dx, int dy)
{
    QAbstractScrollArea::scrollContentsBy(dx, dy);
    FollowScroll();
    viewport()->update();
}

void SheetView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    const int page = current_;
    Relayout();
    if (mode_ != ZoomMode::Custom) {
        GoToPage(page);
        emit zoomChanged();  // a fitted sheet changes its scale with the view
    }
}

bool SheetView::SheetPainted(int index) const { return painted_.count(index) > 0; }

const QPixmap& SheetView::Painted(int index, const QSize& size)
{
    if (size != paintedSize_) {
        painted_.clear();
        paintedSize_ = size;
    }
    auto known = painted_.find(index);
    if (known != painted_.end())
        return known->second;
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::white);
    {
        QPainter painter(&pixmap);
        document_->Paint(painter, index, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    return painted_.emplace(index, std::move(pixmap)).first->second;
}

void SheetView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    if (!document_)
        return;
    const QPointF scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const QRectF visible = QRectF(event->rect()).translated(scroll);
    for (int index = 0; index < SheetCount(); ++index) {
        const QRectF sheet = SheetRect(index);
        if (sheet.top() > visible.bottom())
            break;
        if (!sheet.intersects(visible))
            continue;
        const QRectF onScreen = sheet.translated(-scroll);
        painter.fillRect(onScreen.translated(2, 2), QColor(0, 0, 0, 80));  // a shadow under the sheet
        painter.drawPixmap(onScreen.topLeft(), Painted(index, sheet.size().toSize()));
    }
}

}  // namespace quorvan::app
