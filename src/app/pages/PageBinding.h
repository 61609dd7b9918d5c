#pragma once
// Binding between the controls of the page on screen and the answers of that page: a control's
// dynamic properties `tag` (kind * 1000 + slot) and `styleLookup` say what it shows; the
// transfers write answers into controls and controls back into answers.

#include <QColor>
#include <QList>
#include <QPoint>
#include <QString>

#include <string>

class QAbstractButton;
class QLineEdit;
class QObject;
class QWidget;

namespace quorvan {
class TAnswer;
}

namespace quorvan::app {

// Styles of computed fields, as layouts and the program name them.
inline constexpr char kEditOverrideable[] = "EDITOVERRIDEABLE";
inline constexpr char kEditOverridden[] = "EDITOVERRIDDEN";
inline constexpr char kEditReadOnly[] = "EDITREADONLY";
inline constexpr char kCheckBoxOverrideable[] = "CHECKBOXOVERRIDEABLE";
inline constexpr char kCheckBoxOverridden[] = "CHECKBOXOVERRIDDEN";

// Backgrounds that tell the preparer what to type and what the program fills: computed fields
// (EDITREADONLY) are pale blue-grey, guarded ones (EDITOVERRIDEABLE, also while overridden,
// when their text is red) pale cream; entry fields stay white.
inline const QColor kComputedShade{0xE3, 0xE9, 0xF2};
inline const QColor kGuardedShade{0xF5, 0xF0, 0xDC};

// What the page's controls report to the window.
class PageEvents {
public:
    virtual ~PageEvents() = default;
    virtual void CalcOnExit(QWidget* control) = 0;
    virtual void ControlChange() = 0;
    virtual void ScrollOnEnter(QWidget* control) = 0;
    virtual void CalloutDispatch(QAbstractButton* button) = 0;
    virtual void DialogDispatch(QAbstractButton* button) = 0;
    virtual void OverrideClick(QWidget* control) = 0;
    virtual void ShowPopup(QWidget* control, const QPoint& globalPosition) = 0;
};

// The page whose answers the controls show.
struct PageAddress {
    int formType = -1;
    int pageIndex = -1;
};

int TagOf(const QObject* control);
QList<QWidget*> DirectChildren(QWidget* container);
QString StyleOf(const QObject* control);  // upper-cased
bool StyleIs(const QObject* control, const char* style);

// Wires and styles freshly loaded controls: events to `events`, label fonts less `fontShrink`
// points, memo font, read-only and focus rules of the computed fields.
void PrepareControls(QWidget* container, PageEvents& events, double fontShrink);

// Answers of `page` in `store` into every bound control inside `container` (recursively).
// Nothing happens without a container or when `store` lacks the page.
void AnswersToControls(QWidget* container, const TAnswer& store, const PageAddress& page);

// Every bound control inside `container` into the answers of `page` in `store`. True when one of
// them held a value other than the one last exchanged with the answers: a change of the
// preparer's ("1234" typed over "1,234" is none). `changed`, when given, receives those controls.
bool ControlsToAnswers(QWidget* container, TAnswer& store, const PageAddress& page, QList<QWidget*>* changed = nullptr);

// The values a freshly loaded page shows before any answer reaches it count as exchanged.
void RememberLayoutValues(QWidget* container);

// Shows the whole of the edit's text: a figure wider than the field gets a smaller font (never
// cut at its left, as a right-aligned edit would), a figure that fits gets the field's own font.
void FitTextToField(QLineEdit* edit);
// The width the edit gives its text: its contents less frame and margins.
int TextRoom(const QLineEdit* edit);
// The same for every amount field inside `container`, after its fonts changed (the zoom).
void FitAmountFields(QWidget* container);

// The background of a computed or guarded edit by its style; entry fields keep theirs.
void ShadeField(QLineEdit* edit);

// The slot a control binds (an edit's tag less its kind, an estimate box's tag less 1000), or -1.
int SlotOf(const QWidget* control);

// Focuses the first focusable control that binds `slot`; false when there is none.
bool FocusBoundControl(QWidget* container, int slot);

// Focuses the first focusable control (edit, check box, button, memo) whose tag is `tag`.
// Tag -1 matches nothing. True when a control took the focus.
bool FocusTaggedControl(QWidget* container, int tag);

// Shows or hides the callout panels of a help button; one that appears comes to the front.
void ToggleCallouts(QAbstractButton* button);
// The callout panels of a help button.
QList<QWidget*> CalloutsOf(QAbstractButton* button);

// Field texts by kind (tag / 1000).
// The text shown for an answer ("1,235" for 1234.5 in a whole-dollar field).
QString FieldText(int kind, const std::string& answer, bool blankZero);
// The text a field is given when the preparer leaves it; kinds 0 and 1 keep it as typed.
QString ReformatOnExit(int kind, const QString& text);
// The answer stored from a field's text; a percentage "12.50%" is stored as "0.125".
std::string StoredAnswer(int kind, const QString& text);

// Line breaks of a memo are kept in the answer as " | ".
QString MemoTextFromAnswer(const std::string& answer);
std::string AnswerFromMemoText(const QString& text);

}  // namespace quorvan::app
