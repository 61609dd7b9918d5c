#include "PageBinding.h"

#include "PageTable.h"
#include "store/Answers.h"
#include "store/Misc.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVariant>

#include <algorithm>

namespace quorvan::app {
namespace {

constexpr char kOverrideWiredProperty[] = "overrideWired";
const QColor kBlack(0, 0, 0, 255);
const QColor kRed(255, 0, 0, 255);

QList<QWidget*> DirectChildren(QWidget* container)
{
    return container->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
}

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

void SetTextColour(QWidget* w, const QColor& colour)
{
    QPalette palette = w->palette();
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::WindowText, colour);
    w->setPalette(palette);
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

bool HasStore()
{
    return Answers && Answers->PAnsw;
}

bool PageExists(const PageAddress& page)
{
    if (!HasStore() || page.formType < 0 || page.formType >= kFormTypes || page.pageIndex < 0
        || page.pageIndex >= kMaxPages)
        return false;
    return Answers->PAnsw->Page[page.formType][page.pageIndex] != nullptr;
}

// Slots the layout names but the page lacks read as empty and are never written.
bool SlotExists(const PageAddress& page, int slot)
{
    return slot >= 0 && slot < static_cast<int>(Answers->PageAt(page.formType, page.pageIndex).Strings.size());
}

std::string AnswerAt(const PageAddress& page, int slot)
{
    return SlotExists(page, slot) ? Answers->Text(page.formType, page.pageIndex, slot) : std::string();
}

bool OverriddenAt(const PageAddress& page, int slot)
{
    return SlotExists(page, slot) && Answers->OvRide(page.formType, page.pageIndex, slot);
}

void PutAnswer(const PageAddress& page, int slot, std::string text)
{
    if (SlotExists(page, slot))
        Answers->SetText(page.formType, page.pageIndex, slot, std::move(text));
}

void ShowEdit(QLineEdit* edit, const PageAddress& page)
{
    const int tag = TagOf(edit);
    const int kind = tag / 1000;
    const int slot = tag % 1000;
    if (kind >= 1 && kind <= 5)
        edit->setText(FieldText(kind, AnswerAt(page, slot), IsBlankZeroType(page.formType)));
    if (StyleIs(edit, kEditOverrideable) || StyleIs(edit, kEditOverridden)) {
        const bool overridden = OverriddenAt(page, slot);
        edit->setProperty("styleLookup", QString::fromLatin1(overridden ? kEditOverridden : kEditOverrideable));
        edit->setReadOnly(!overridden);
        SetTextColour(edit, overridden ? kRed : kBlack);
    }
}

void ShowCheckBox(QCheckBox* box, const PageAddress& page)
{
    const int tag = TagOf(box);
    if (tag < 1000) {
        box->setChecked(AnswerAt(page, tag) == "X");
    } else {
        const bool checked = AnswerAt(page, tag - 1000) == "X";
        box->setChecked(checked);
        box->setText(checked ? QStringLiteral("EST") : QString());
    }
    if (StyleIs(box, kCheckBoxOverrideable) || StyleIs(box, kCheckBoxOverridden))
        box->setProperty("styleLookup",
                         QString::fromLatin1(OverriddenAt(page, tag) ? kCheckBoxOverridden : kCheckBoxOverrideable));
}

void ShowLevel(QWidget* container, const PageAddress& page)
{
    for (QWidget* child : DirectChildren(container)) {
        if (auto* label = qobject_cast<QLabel*>(child)) {
            if (TagOf(label) != 0)
                label->setText(QString::fromStdString(AnswerAt(page, TagOf(label))));
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(child)) {
            memo->setPlainText(MemoTextFromAnswer(AnswerAt(page, TagOf(memo))));
            continue;
        } else if (auto* edit = qobject_cast<QLineEdit*>(child)) {
            ShowEdit(edit, page);
        } else if (auto* box = qobject_cast<QCheckBox*>(child)) {
            ShowCheckBox(box, page);
        }
        ShowLevel(child, page);
    }
}

void StoreLevel(QWidget* container, const PageAddress& page)
{
    for (QWidget* child : DirectChildren(container)) {
        if (auto* edit = qobject_cast<QLineEdit*>(child)) {
            const int tag = TagOf(edit);
            const int kind = tag / 1000;
            if (kind >= 1 && kind <= 5)
                PutAnswer(page, tag % 1000, StoredAnswer(kind, edit->text()));
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(child)) {
            PutAnswer(page, TagOf(memo), AnswerFromMemoText(memo->toPlainText()));
            continue;
        } else if (auto* box = qobject_cast<QCheckBox*>(child)) {
            const int tag = TagOf(box);
            PutAnswer(page, tag > 999 ? tag - 1000 : tag, box->isChecked() ? "X" : "");
        }
        StoreLevel(child, page);
    }
}

bool CanTakeFocus(QWidget* w)
{
    if (w->focusPolicy() == Qt::NoFocus)
        return false;
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w) || IsMemo(w);
}

}  // namespace

int TagOf(const QObject* control)
{
    return control->property("tag").toInt();
}

QString StyleOf(const QObject* control)
{
    return control->property("styleLookup").toString().toUpper();
}

bool StyleIs(const QObject* control, const char* style)
{
    return StyleOf(control) == QLatin1String(style);
}

void PrepareControls(QWidget* container, PageEvents& events, double fontShrink)
{
    auto* filter = new PageEventFilter(events, container);
    PrepareLevel(container, events, fontShrink, filter, container);
}

void AnswersToControls(QWidget* container, const PageAddress& page)
{
    if (container && PageExists(page))
        ShowLevel(container, page);
}

void ControlsToAnswers(QWidget* container, const PageAddress& page)
{
    if (container && PageExists(page))
        StoreLevel(container, page);
}

bool FocusTaggedControl(QWidget* container, int tag)
{
    if (!container || tag == -1)
        return false;
    for (QWidget* child : DirectChildren(container)) {
        if (FocusTaggedControl(child, tag))
            return true;
        if (CanTakeFocus(child) && TagOf(child) == tag && child->property("tag").isValid()) {
            child->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return false;
}

void ToggleCallouts(QAbstractButton* button)
{
    for (QObject* object : button->property(kCalloutsProperty).value<QList<QObject*>>()) {
        auto* panel = qobject_cast<QWidget*>(object);
        if (!panel)
            continue;
        panel->setHidden(!panel->isHidden());
        if (!panel->isHidden())
            panel->raise();
    }
}

QString FieldText(int kind, const std::string& answer, bool blankZero)
{
    switch (kind) {
    case 1:
    case 5:
        return QString::fromStdString(answer);
    case 2:
    case 3:
    case 4:
        if (blankZero && Str2Float_2(answer) == 0)
            return QString();
        if (kind == 2)
            return QString::fromStdString(FormatFixed(Str2Float_2(answer), 2, true));
        if (kind == 3)
            return QString::fromStdString(FormatFixed(Str2Float_P(answer) * 100, 2, false)) + '%';
        return QString::fromStdString(FormatFixed(Str2Float_0(answer), 0, true));
    default:
        return QString();
    }
}

QString ReformatOnExit(int kind, const QString& text)
{
    const std::string typed = text.toStdString();
    switch (kind) {
    case 2:
        return QString::fromStdString(FormatFixed(Str2Float_2(typed), 2, true));
    case 3:
        return QString::fromStdString(FormatFixed(Str2Float_P(typed), 2, false)) + '%';
    case 4:
    case 5:
        return QString::fromStdString(FormatFixed(Str2Float_0(typed), 0, true));
    default:
        return text;
    }
}

std::string StoredAnswer(int kind, const QString& text)
{
    if (kind != 3)
        return text.toStdString();
    // The percentage sign the field shows is dropped with the last character.
    const double percent = Str2Float_P(text.left(std::max<qsizetype>(0, text.size() - 1)).toStdString());
    return QString::number(percent / 100, 'g', 15).toStdString();
}

QString MemoTextFromAnswer(const std::string& answer)
{
    return QString::fromStdString(answer).replace(QLatin1String(" | "), QLatin1String("\n"));
}

std::string AnswerFromMemoText(const QString& text)
{
    QString answer = text;
    answer.replace(QLatin1String("\r\n"), QLatin1String(" | "));
    answer.replace(QLatin1Char('\n'), QLatin1String(" | "));
    return answer.toStdString();
}

}  // namespace quorvan::app
