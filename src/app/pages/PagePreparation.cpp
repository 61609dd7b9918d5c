// Preparing freshly loaded page controls: their events wired to the window, label fonts
// shrunk, memo fonts set, computed fields locked, and help callouts lifted where they can show.

#include "app/pages/PageBinding.h"

#include "app/pages/FieldEntry.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVariant>

#include <algorithm>

namespace quorvan::app {
namespace {

constexpr char kOverrideWiredProperty[] = "overrideWired";

bool IsHelpName(const QObject* control)
{
    return control->objectName().toUpper().contains(QLatin1String("HELP"));
}

bool IsMemo(const QWidget* w) { return qobject_cast<const QPlainTextEdit*>(w) != nullptr; }

// Plain push buttons; check boxes are buttons too in Qt but are bound as check boxes.
QAbstractButton* AsButton(QWidget* w)
{
    if (qobject_cast<QCheckBox*>(w))
        return nullptr;
    return qobject_cast<QAbstractButton*>(w);
}

// Translates the Qt events of page controls into the window's page events.
class PageEventFilter : public QObject {
public:
    PageEventFilter(PageEvents& events, QObject* parent) : QObject(parent), events_(events)
    {
        setObjectName(QStringLiteral("pageEventFilter"));
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* control = qobject_cast<QWidget*>(watched);
        if (!control)
            return false;
        switch (event->type()) {
        case QEvent::FocusIn:
            events_.ScrollOnEnter(control);
            break;
        case QEvent::FocusOut: {
            // Leaving the window for a menu or another window is not leaving the field.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason
                && (qobject_cast<QLineEdit*>(control) || qobject_cast<QCheckBox*>(control)))
                events_.CalcOnExit(control);
            break;
        }
        case QEvent::MouseButtonDblClick:
            if (control->property(kOverrideWiredProperty).toBool()) {
                events_.OverrideClick(control);
                return true;
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    PageEvents& events_;
};

void PrepareLabel(QLabel* label, double fontShrink)
{
    if (fontShrink == 0)
        return;
    QFont font = label->font();
    if (font.pointSizeF() > 0)
        font.setPointSizeF(std::max(1.0, font.pointSizeF() - fontShrink));
    else if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() - fontShrink)));
    label->setFont(font);
}

void PrepareMemo(QPlainTextEdit* memo, PageEvents& events, QObject* filter)
{
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QFont font(QStringLiteral("Segoe UI"));
    font.setPixelSize(16);
    memo->setFont(font);
    memo->installEventFilter(filter);
    InstallMemoEntryRules(memo);
    QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [&events] { events.ControlChange(); });
}

constexpr char kCalloutsProperty[] = "calloutPanels";

// A Qt widget is clipped to its parent, so a callout panel placed inside its small help button
// could never be seen. It moves to the page root at the same place and the button remembers it.
void DetachCallouts(QAbstractButton* button, QWidget* root)
{
    QList<QObject*> panels = button->property(kCalloutsProperty).value<QList<QObject*>>();
    for (QWidget* child : DirectChildren(button)) {
        if (child->metaObject() != &QFrame::staticMetaObject)
            continue;
        const QPoint at = child->mapTo(root, QPoint(0, 0));
        const bool hidden = child->isHidden();
        child->setParent(root);
        child->move(at);
        child->setHidden(hidden);
        panels.append(child);
    }
    button->setProperty(kCalloutsProperty, QVariant::fromValue(panels));
}

void WireCallouts(QAbstractButton* button, PageEvents& events, QWidget* root)
{
    DetachCallouts(button, root);
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [&events, button] { events.CalloutDispatch(button); });
}

void PrepareButton(QAbstractButton* button, PageEvents& events, QObject* filter, QWidget* root)
{
    if (IsHelpName(button))
        WireCallouts(button, events, root);
    else
        QObject::connect(button, &QAbstractButton::clicked, button,
                         [&events, button] { events.DialogDispatch(button); });
    button->installEventFilter(filter);
}

void PrepareEdit(QLineEdit* edit, PageEvents& events, QObject* filter, QWidget* root)
{
    if (IsHelpName(edit))
        for (QWidget* child : DirectChildren(edit))
            if (QAbstractButton* button = AsButton(child))
                WireCallouts(button, events, root);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [&events] { events.ControlChange(); });
    edit->installEventFilter(filter);
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(edit, &QWidget::customContextMenuRequested, edit, [&events, edit](const QPoint& at) {
        events.ShowPopup(edit, edit->mapToGlobal(at));
    });
    if (StyleIs(edit, kEditOverrideable)) {
        edit->setProperty(kOverrideWiredProperty, true);
        edit->setReadOnly(true);
    }
    if (StyleIs(edit, kEditReadOnly)) {
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
    }
    if (TagOf(edit) / 1000 >= 2 && TagOf(edit) / 1000 <= 5)
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    InstallEntryRules(edit);
    ShadeField(edit);
}

void PrepareCheckBox(QCheckBox* box, PageEvents& events, QObject* filter)
{
    QObject::connect(box, &QCheckBox::toggled, box, [&events] { events.ControlChange(); });
    box->installEventFilter(filter);
}

void PrepareLevel(QWidget* container, PageEvents& events, double fontShrink, QObject* filter, QWidget* root)
{
    for (QWidget* child : DirectChildren(container)) {
        if (!IsMemo(child) && !qobject_cast<QLineEdit*>(child))
            PrepareLevel(child, events, fontShrink, filter, root);
        if (auto* label = qobject_cast<QLabel*>(child))
            PrepareLabel(label, fontShrink);
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(child))
            PrepareMemo(memo, events, filter);
        else if (auto* edit = qobject_cast<QLineEdit*>(child))
            PrepareEdit(edit, events, filter, root);
        else if (auto* box = qobject_cast<QCheckBox*>(child))
            PrepareCheckBox(box, events, filter);
        else if (QAbstractButton* button = AsButton(child))
            PrepareButton(button, events, filter, root);
    }
}

}  // namespace

void PrepareControls(QWidget* container, PageEvents& events, double fontShrink)
{
    auto* filter = new PageEventFilter(events, container);
    PrepareLevel(container, events, fontShrink, filter, container);
    RememberLayoutValues(container);
}

QList<QWidget*> CalloutsOf(QAbstractButton* button)
{
    QList<QWidget*> panels;
    for (QObject* object : button->property(kCalloutsProperty).value<QList<QObject*>>())
        if (auto* panel = qobject_cast<QWidget*>(object))
            panels.append(panel);
    return panels;
}

void ToggleCallouts(QAbstractButton* button)
{
    for (QWidget* panel : CalloutsOf(button)) {
        panel->setHidden(!panel->isHidden());
        if (!panel->isHidden())
            panel->raise();
    }
}

}  // namespace quorvan::app
