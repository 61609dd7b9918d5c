#include "app/pages/CalloutNotes.h"

#include "app/pages/PageBinding.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace quorvan::app {

CalloutNotes::CalloutNotes(QObject* parent) : QObject(parent)
{
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FocusMoved(now); });
}

CalloutNotes::~CalloutNotes() { qApp->removeEventFilter(this); }

void CalloutNotes::Toggle(QAbstractButton* button)
{
    if (button != button_)
        CloseAll();
    ToggleCallouts(button);
    open_.clear();
    button_ = nullptr;
    for (QWidget* panel : CalloutsOf(button))
        if (!panel->isHidden())
            open_.append(panel);
    if (!open_.isEmpty())
        button_ = button;
}

void CalloutNotes::CloseAll()
{
    for (const QPointer<QWidget>& panel : open_)
        if (panel)
            panel->hide();
    open_.clear();
    button_ = nullptr;
}

bool CalloutNotes::AnyOpen() const
{
    for (const QPointer<QWidget>& panel : open_)
        if (panel && !panel->isHidden())
            return true;
    return false;
}

bool CalloutNotes::IsOnNotesOrButton(const QWidget* widget) const
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (w == button_)
            return true;
        for (const QPointer<QWidget>& panel : open_)
            if (w == panel)
                return true;
    }
    return false;
}

// Another field, or no field of this program (the window left): the notes are done with. A "?"
// inside a field keeps its notes while its field has the focus.
void CalloutNotes::FocusMoved(QWidget* now)
{
    if (!AnyOpen())
        return;
    if (now && (IsOnNotesOrButton(now) || (button_ && now == button_->parentWidget())))
        return;
    CloseAll();
}

bool CalloutNotes::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && AnyOpen()) {
        // The press reaches the window's surface first, then the widget under the mouse.
        auto* widget = qobject_cast<QWidget*>(watched);
        // A press the widget under the mouse leaves goes on to its parents: judged once, there.
        auto* press = static_cast<QMouseEvent*>(event);
        const bool judged = press->timestamp() == judgedPress_ && press->globalPosition() == judgedAt_;
        if (widget && !judged) {
            judgedPress_ = press->timestamp();
            judgedAt_ = press->globalPosition();
            if (!IsOnNotesOrButton(widget))
                CloseAll();
        }
    } else if (event->type() == QEvent::KeyPress && AnyOpen() &&
               static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        CloseAll();
        return true;
    }
    return false;
}

}  // namespace quorvan::app
