#pragma once
// Paints one sheet of a painted layout with the ink of its page: rules, fills, captions, dot
// leaders, upright side labels, cut lines, and the answers in their fields. The painter's
// coordinates must be twips of the sheet (TwipsTransform gives them for any target).

#include "print/PaintedPage.h"

#include <QRectF>
#include <QTransform>

#include <vector>

class QPainter;

namespace quorvan::render {

// The transform that maps a whole Letter sheet in twips onto `target` (device coordinates).
QTransform TwipsTransform(const QRectF& target);

// Paints `sheet` with `ink` (one entry per item, as InkOfSheet gives it) in twips.
void PaintSheet(QPainter& painter, const PaintedSheet& sheet, const std::vector<FieldInk>& ink);

}  // namespace quorvan::render
