#include "render/SheetPainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace quorvan::render {
namespace {

// Twips a half-point holds: fonts are sized in the painter's units.
constexpr int kTwipsPerHalfPoint = 10;
// Dot leaders: one dot every 5 points, on a grid of the sheet, so the dots of lines above each
// other stand in columns as on the forms.
constexpr double kLeaderPitch = 100;
// An answer wider than its field is set smaller, down to this share of its size.
constexpr double kSmallestShrink = 0.6;

// The captions' face: Liberation Sans has Arial's widths, which the generator broke the lines
// by; characters it lacks (the pointer, the scissors) come from the system's fallback faces.
QFont FaceOf(int halfPoints, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Helvetica"),
                      QStringLiteral("DejaVu Sans")});
    font.setPixelSize(std::max(1, halfPoints * kTwipsPerHalfPoint));
    font.setBold(bold);
    font.setKerning(false);
    // Unhinted, the widths scale exactly with the sheet, on screen as on paper.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

class Painter {
public:
    explicit Painter(QPainter& painter) : painter_(painter) {}

    void Paint(const PaintedSheet& sheet, const std::vector<FieldInk>& ink)
    {
        for (size_t i = 0; i < sheet.items.size(); ++i) {
            static const FieldInk kNoInk;
            const PaintedItem& item = sheet.items[i];
            const FieldInk& itemInk = i < ink.size() ? ink[i] : kNoInk;
            switch (item.kind) {
            case PaintedKind::Rule: Rule(item); break;
            case PaintedKind::Fill:
                painter_.fillRect(QRectF(item.left, item.top, item.right - item.left, item.bottom - item.top),
                                  QColor(item.size, item.size, item.size));
                break;
            case PaintedKind::Text:
                Text(item, QString::fromStdString(item.text), item.white ? Qt::white : Qt::black, item.size);
                break;
            case PaintedKind::Side: Side(item); break;
            case PaintedKind::Leader: Leader(item); break;
            case PaintedKind::Cut: Cut(item); break;
            case PaintedKind::Field: Field(item, itemInk); break;
            case PaintedKind::Check: Check(item, itemInk); break;
            case PaintedKind::Memo: Memo(item, itemInk); break;
            }
        }
    }

private:
    const QFont& Font(int halfPoints, bool bold)
    {
        const auto key = std::make_pair(halfPoints, bold);
        auto known = fonts_.find(key);
        if (known == fonts_.end())
            known = fonts_.emplace(key, FaceOf(halfPoints, bold)).first;
        return known->second;
    }

    void Rule(const PaintedItem& item)
    {
        QPen pen(Qt::black, item.size, Qt::SolidLine, Qt::FlatCap);
        painter_.setPen(pen);
        painter_.drawLine(QPointF(item.left, item.top), QPointF(item.right, item.bottom));
    }

    // Text on a baseline, aligned in the room from left to right.
    void Text(const PaintedItem& item, const QString& text, const QColor& colour, int halfPoints, double right = -1)
    {
        if (text.isEmpty())
            return;
        const QFont& font = Font(halfPoints, item.bold);
        painter_.setFont(font);
        painter_.setPen(colour);
        const double end = right >= 0 ? right : item.right;
        const double width = QFontMetricsF(font).horizontalAdvance(text);
        double x = item.left;
        if (item.align == PaintedAlign::Right)
            x = end - width;
        else if (item.align == PaintedAlign::Center)
            x = (item.left + end - width) / 2;
        painter_.drawText(QPointF(x, item.baseline), text);
    }

    void Side(const PaintedItem& item)
    {
        const QString text = QString::fromStdString(item.text);
        const QFont& font = Font(item.size, true);
        const double width = QFontMetricsF(font).horizontalAdvance(text);
        painter_.save();
        painter_.translate(item.left, (item.top + item.bottom) / 2.0);
        painter_.rotate(-90);  // reading upward, as the forms set a section's name beside its lines
        painter_.setFont(font);
        painter_.setPen(Qt::black);
        painter_.drawText(QPointF(-width / 2, 0), text);
        painter_.restore();
    }

    void Leader(const PaintedItem& item)
    {
        const double radius = item.size * 0.4;
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(Qt::black);
        for (double x = std::ceil(item.left / kLeaderPitch) * kLeaderPitch; x + radius <= item.right; x += kLeaderPitch)
            painter_.drawEllipse(QPointF(x, item.baseline - radius), radius, radius);
        painter_.setBrush(Qt::NoBrush);
    }

    // A dashed line across the sheet, with scissors at its start and its words in its middle.
    void Cut(const PaintedItem& item)
    {
        constexpr int kHalfPoints = 14;
        constexpr double kGap = 80;
        const QFont& font = Font(kHalfPoints, false);
        const QFontMetricsF metrics(font);
        const QString scissors = QStringLiteral("\u2702");
        const QString words = QString::fromStdString(item.text);
        const double baseline = item.top + metrics.ascent() / 2 - metrics.descent() / 2;
        painter_.setFont(font);
        painter_.setPen(Qt::black);
        painter_.drawText(QPointF(item.left, baseline), scissors);
        const double start = item.left + metrics.horizontalAdvance(scissors) + kGap;
        const double middle = (item.left + item.right) / 2.0;
        const double half = words.isEmpty() ? 0 : metrics.horizontalAdvance(words) / 2 + kGap;
        QPen pen(Qt::black, 10, Qt::CustomDashLine, Qt::FlatCap);
        pen.setDashPattern({8, 6});  // in widths of the pen: 80 twips of dash, 60 of gap
        painter_.setPen(pen);
        if (words.isEmpty()) {
            painter_.drawLine(QPointF(start, item.top), QPointF(item.right, item.top));
            return;
        }
        painter_.drawLine(QPointF(start, item.top), QPointF(middle - half, item.top));
        painter_.drawLine(QPointF(middle + half, item.top), QPointF(item.right, item.top));
        painter_.setPen(Qt::black);
        painter_.drawText(QPointF(middle - half + kGap, baseline), words);
    }

    // The answer in its field; one too wide is set smaller rather than run into its neighbour.
    void Field(const PaintedItem& item, const FieldInk& ink)
    {
        const QColor colour(Qt::black);
        double right = item.right;
        if (item.loss) {
            // The form prints the parentheses; the loss stands in them without its sign.
            const QFont& font = Font(item.size, false);
            painter_.setFont(font);
            painter_.setPen(Qt::black);
            const QFontMetricsF metrics(font);
            painter_.drawText(QPointF(item.left, item.baseline), QStringLiteral("("));
            right -= metrics.horizontalAdvance(QStringLiteral(")"));
            painter_.drawText(QPointF(right, item.baseline), QStringLiteral(")"));
            right -= metrics.horizontalAdvance(QStringLiteral(" "));
        }
        const QString text = QString::fromStdString(ink.text);
        if (text.isEmpty())
            return;
        int size = item.size;
        const double room = right - item.left;
        while (size > item.size * kSmallestShrink && QFontMetricsF(Font(size, false)).horizontalAdvance(text) > room)
            --size;
        Text(item, text, colour, size, right);
    }

    // A ticked box holds an "X", as a preparer marks it by hand; as a letter it also reads back
    // from the PDF's text.
    void Check(const PaintedItem& item, const FieldInk& ink)
    {
        const QRectF box(item.left, item.top, item.size, item.size);
        painter_.setPen(QPen(Qt::black, 10));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(box);
        if (!ink.ticked)
            return;
        const QFont& font = Font(item.size / kTwipsPerHalfPoint, true);
        const QFontMetricsF metrics(font);
        const QString mark = QStringLiteral("X");
        painter_.setFont(font);
        painter_.setPen(Qt::black);
        const QRectF glyph = metrics.tightBoundingRect(mark);
        painter_.drawText(QPointF(box.center().x() - glyph.center().x(), box.center().y() - glyph.center().y()), mark);
    }

    void Memo(const PaintedItem& item, const FieldInk& ink)
    {
        if (ink.text.empty())
            return;
        painter_.setFont(Font(item.size, false));
        painter_.setPen(Qt::black);
        painter_.drawText(QRectF(item.left, item.top, item.right - item.left, item.bottom - item.top),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, QString::fromStdString(ink.text));
    }

    QPainter& painter_;
    std::map<std::pair<int, bool>, QFont> fonts_;
};

}  // namespace

QTransform TwipsTransform(const QRectF& target)
{
    QTransform transform;
    transform.translate(target.x(), target.y());
    transform.scale(target.width() / kSheetWidthTwips, target.height() / kSheetHeightTwips);
    return transform;
}

void PaintSheet(QPainter& painter, const PaintedSheet& sheet, const std::vector<FieldInk>& ink)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    Painter(painter).Paint(sheet, ink);
    painter.restore();
}

}  // namespace quorvan::render
