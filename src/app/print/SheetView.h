#pragma once
// The sheets of the painted forms one under the other, as the print preview shows them. A sheet is
// painted when it first comes into view (and again after a zoom), so the first sheet shows at
// once however many follow it.

#include <QAbstractScrollArea>
#include <QPixmap>

#include <map>
#include <memory>

namespace quorvan::render {
class PaintedDocument;
}  // namespace quorvan::render

namespace quorvan::app {

class SheetView : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum class ZoomMode { FitWidth, WholePage, Custom };

    explicit SheetView(QWidget* parent = nullptr);

    void SetDocument(std::shared_ptr<const render::PaintedDocument> document);
    int SheetCount() const;

    // The sheet at the top of the view, from 0; GoToPage brings a sheet's top into view.
    int CurrentPage() const { return current_; }
    void GoToPage(int page);

    ZoomMode Mode() const { return mode_; }
    void SetMode(ZoomMode mode);
    // The scale of the sheets on screen (1 = actual size); setting it leaves the fitted views.
    double Zoom() const;
    void SetZoom(double zoom);

    // Whether sheet `index` has been painted for the screen yet.
    bool SheetPainted(int index) const;

signals:
    void currentPageChanged(int page);
    void zoomChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QSizeF SheetSizeAt(double zoom) const;  // pixels
    QRectF SheetRect(int index) const;      // in the content, pixels
    void Relayout();
    void FollowScroll();
    const QPixmap& Painted(int index, const QSize& size);

    std::shared_ptr<const render::PaintedDocument> document_;
    ZoomMode mode_ = ZoomMode::FitWidth;
    double customZoom_ = 1.0;
    int current_ = 0;
    bool jumping_ = false;
    std::map<int, QPixmap> painted_;  // sheets painted at the current size
    QSize paintedSize_;
};

}  // namespace quorvan::app
