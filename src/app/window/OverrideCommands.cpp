// Overrides of computed answers: which of Override and Cancel Override the window offers for the
// field that has the focus, the toggle itself, and the slide-in and pulse of the bar buttons.

#include "app/window/MainWindow.h"

#include "app/pages/FieldEntry.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QGraphicsOpacityEffect>
#include <QLineEdit>
#include <QPropertyAnimation>
#include <QSequentialAnimationGroup>

namespace quorvan::app {
namespace {

constexpr int kEffectMilliseconds = 2000;
constexpr char kSlideName[] = "slideIn";
constexpr char kPulseName[] = "pulse";

void SetTextColour(QWidget* w, Qt::GlobalColor colour)
{
    QPalette palette = w->palette();
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::WindowText, colour);
    w->setPalette(palette);
}

// A bar button that appears slides in from the right edge of its own place in the bar; it never
// passes over another button.
void SlideIn(QAbstractButton* button)
{
    QWidget* place = button->parentWidget();
    auto* slide = button->findChild<QPropertyAnimation*>(QLatin1String(kSlideName), Qt::FindDirectChildrenOnly);
    if (!slide) {
        slide = new QPropertyAnimation(button, "pos", button);
        slide->setObjectName(QLatin1String(kSlideName));
        slide->setDuration(kEffectMilliseconds);
    }
    slide->stop();
    slide->setStartValue(QPoint(place ? place->width() : button->width(), 0));
    slide->setEndValue(QPoint(0, 0));
    slide->start();
}

// A slide cut short by hiding must not leave the button out of its place.
void EndSlide(QAbstractButton* button)
{
    if (auto* slide = button->findChild<QPropertyAnimation*>(QLatin1String(kSlideName), Qt::FindDirectChildrenOnly))
        slide->stop();
    button->move(0, 0);
}

// The toolbar icon fades in over and over; `delay` before the first time.
void Pulse(QAbstractButton* icon, int delay, bool on)
{
    auto* pulse = icon->findChild<QSequentialAnimationGroup*>(QLatin1String(kPulseName), Qt::FindDirectChildrenOnly);
    if (!pulse && !on)
        return;
    if (!pulse) {
        auto* effect = new QGraphicsOpacityEffect(icon);
        icon->setGraphicsEffect(effect);
        pulse = new QSequentialAnimationGroup(icon);
        pulse->setObjectName(QLatin1String(kPulseName));
        if (delay > 0)
            pulse->addPause(delay);
        auto* fade = new QPropertyAnimation(effect, "opacity");
        fade->setStartValue(0.0);
        fade->setEndValue(1.0);
        fade->setDuration(kEffectMilliseconds);
        fade->setLoopCount(-1);
        pulse->addAnimation(fade);
    }
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(icon->graphicsEffect());
    if (on) {
        if (pulse->state() != QAbstractAnimation::Running) {
            effect->setEnabled(true);
            pulse->start();
        }
    } else {
        pulse->stop();
        effect->setEnabled(false);  // a hidden pulse must not leave the icon half faded
    }
}

void ShowBarButton(QAbstractButton* button, bool visible, bool animate)
{
    const bool appears = visible && button->isHidden();
    button->setVisible(visible);
    if (appears && animate)
        SlideIn(button);
    else if (!visible)
        EndSlide(button);
}

}  // namespace

void TfrmMain::ShowOverrideButtons(bool offerOverride, bool offerCancel)
{
    MainCommands& c = commands_;
    const bool animate = !state_.SkipAnimations;
    ShowBarButton(c.cbtnOverride, offerOverride, animate);
    ShowBarButton(c.cbtnSmlOverride, offerOverride, animate);
    ShowBarButton(c.cbtnCancelOverride, offerCancel, animate);
    ShowBarButton(c.cbtnSmlCancelOverride, offerCancel, animate);
    Pulse(c.cbtnOverride, kEffectMilliseconds, offerOverride && animate);
    Pulse(c.cbtnCancelOverride, 0, offerCancel && animate);
}

void TfrmMain::OfferOverride(bool offerOverride, bool offerCancel)
{
    ShowOverrideButtons(offerOverride, offerCancel);
    commands_.popOverride->setVisible(offerOverride);
    commands_.popDontOverride->setVisible(offerCancel);
}

void TfrmMain::SetOverride(QWidget* control)
{
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        if (StyleIs(edit, kEditOverrideable) || StyleIs(edit, kEditOverridden))
            OfferOverride(edit->isReadOnly(), !edit->isReadOnly());
        else
            OfferOverride(false, false);
    } else if (qobject_cast<QCheckBox*>(control)) {
        OfferOverride(StyleIs(control, kCheckBoxOverrideable), StyleIs(control, kCheckBoxOverridden));
    }
}

void TfrmMain::OverrideClick()
{
    QWidget* control = focusWidget();
    if (!control || !page_ || !page_->isAncestorOf(control) || !store_)
        return;
    int slot = -1;
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        const bool cancel = StyleIs(edit, kEditOverridden);
        edit->setProperty("styleLookup", QString::fromLatin1(cancel ? kEditOverrideable : kEditOverridden));
        edit->setReadOnly(cancel);
        SetTextColour(edit, cancel ? Qt::black : Qt::red);
        slot = TagOf(edit) % 1000;
    } else if (qobject_cast<QCheckBox*>(control)) {
        const bool cancel = StyleIs(control, kCheckBoxOverridden);
        control->setProperty("styleLookup", QString::fromLatin1(cancel ? kCheckBoxOverrideable : kCheckBoxOverridden));
        slot = TagOf(control);
    } else {
        return;
    }

    const int type = state_.CurrentFormType;
    const int page = state_.CurrentPageIndex;
    bool overridden = false;
    // A check box of an estimate ("EST") carries its slot + 1000 and has no flag of its own.
    if (slot >= 0 && slot < static_cast<int>(store_->PageAt(type, page).Objects.size())) {
        overridden = !store_->OvRide(type, page, slot);
        store_->SetOvRide(type, page, slot, overridden);
    }
    ShowOverrideButtons(!overridden, overridden);

    history_->BeginStep(
        StepHere((overridden ? QStringLiteral("Override of %1") : QStringLiteral("Cancel Override of %1"))
                     .arg(FieldPlace(control, type, page)),
                 slot));
    commands_.mnuInvisible->setProperty(kTagProperty, 0);
    CompleteCalc();
    ShowAnswers();
    AnswersChanged();
    UpdateMenuItems();
    control->setFocus();
}

}  // namespace quorvan::app
