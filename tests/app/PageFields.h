#pragma once
// The control that binds a named slot on the page on screen, found by its tag as the window binds
// it, so that window tests name fields as the calculations do (f1::line3Business) and never by a
// control name that spells a slot number.

#include "store/FormTypes.h"
#include "store/SlotRef.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVariant>
#include <QWidget>

namespace quorvan::app::test {

// The slot a control binds (edits: kind × 1000 + slot, check boxes: slot or 1000 + slot for an
// estimate box, memos and answer labels: slot), or -1 for one that binds none.
inline int BoundSlot(const QWidget* control)
{
    const QVariant tag = control->property("tag");
    if (!tag.isValid())
        return -1;
    const int value = tag.toInt();
    if (qobject_cast<const QLineEdit*>(control))
        return value % 1000;
    if (qobject_cast<const QCheckBox*>(control))
        return value >= 1000 ? value - 1000 : value;
    if (qobject_cast<const QPlainTextEdit*>(control) || (qobject_cast<const QLabel*>(control) && value > 0))
        return value;
    return -1;
}

// The control of `field` on `page`, or nullptr when `page` is not a page of the field's form or
// holds no such control.
template <typename Control = QWidget>
Control* FieldOf(QWidget* page, SlotRef field)
{
    if (!page || page->objectName() != QStringLiteral("page%1").arg(LayoutOf(field.formType)))
        return nullptr;
    const QList<Control*> controls = page->findChildren<Control*>();
    for (Control* control : controls)
        if (BoundSlot(control) == field.slot)
            return control;
    return nullptr;
}

}  // namespace quorvan::app::test
