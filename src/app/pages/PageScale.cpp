#include "app/pages/PageScale.h"

#include <QFont>
#include <QList>
#include <QRect>
#include <QSize>
#include <QVariant>
#include <QWidget>

#include <cmath>

namespace quorvan::app {
namespace {

constexpr char kBaseGeometry[] = "layoutGeometry";
constexpr char kBaseFont[] = "layoutFont";
constexpr char kBaseMinimum[] = "layoutMinimumSize";
constexpr char kBaseMaximum[] = "layoutMaximumSize";

int Scaled(int v, double scale)
{
    return static_cast<int>(std::lround(v * scale));
}

QRect Scaled(const QRect& r, double scale)
{
    return {Scaled(r.x(), scale), Scaled(r.y(), scale), Scaled(r.width(), scale), Scaled(r.height(), scale)};
}

// A size limit scales; "no limit" stays no limit.
QSize ScaledLimit(const QSize& size, double scale)
{
    const auto s = [scale](int v) { return v >= QWIDGETSIZE_MAX ? v : Scaled(v, scale); };
    return {s(size.width()), s(size.height())};
}

// Every control keeps its own font at the scale, also one that takes its font from the page:
// under the page's style sheet a font set on the page does not reach the fields.
void RememberLayout(QWidget* w)
{
    if (!w->property(kBaseGeometry).isValid()) {
        w->setProperty(kBaseGeometry, w->geometry());
        w->setProperty(kBaseMinimum, w->minimumSize());
        w->setProperty(kBaseMaximum, w->maximumSize());
    }
    if (!w->property(kBaseFont).isValid())
        w->setProperty(kBaseFont, w->font());
}

void ApplyScale(QWidget* w, double scale)
{
    // Limits first: a page's fixed size would otherwise hold it at its layout size.
    w->setMinimumSize(ScaledLimit(w->property(kBaseMinimum).toSize(), scale));
    w->setMaximumSize(ScaledLimit(w->property(kBaseMaximum).toSize(), scale));
    w->setGeometry(Scaled(w->property(kBaseGeometry).toRect(), scale));
    const QVariant base = w->property(kBaseFont);
    if (!base.isValid())
        return;
    QFont font = base.value<QFont>();
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * scale))));
    else if (font.pointSizeF() > 0)
        font.setPointSizeF(std::max(1.0, font.pointSizeF() * scale));
    w->setFont(font);
}

}  // namespace

void KeepLayoutFont(QWidget* control, const QFont& font)
{
    if (!control->property(kBaseFont).isValid())
        control->setProperty(kBaseFont, font);
}

void ScalePageControls(QWidget* page, double scale)
{
    if (!page)
        return;
    const bool neverScaled = !page->property(kBaseGeometry).isValid();
    if (neverScaled && scale == 1.0)
        return;
    QList<QWidget*> controls = page->findChildren<QWidget*>();
    // Every layout value is read before any is changed: a parent's new font reaches children.
    RememberLayout(page);
    for (QWidget* w : controls)
        RememberLayout(w);
    ApplyScale(page, scale);
    for (QWidget* w : controls)
        ApplyScale(w, scale);
}

}  // namespace quorvan::app
