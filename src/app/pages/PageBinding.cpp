// Transfers between the page's controls and the answers of its page, and the field texts by kind.

#include "app/pages/PageBinding.h"

#include "app/pages/FieldEntry.h"
#include "app/pages/PageScale.h"
#include "app/pages/PageTable.h"
#include "store/Amounts.h"
#include "store/Answers.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVariant>

#include <algorithm>

namespace quorvan::app {
namespace {

const QColor kBlack(0, 0, 0, 255);
const QColor kRed(255, 0, 0, 255);

// What the program last put into a control, or took from it into the answers: a control whose
// value differs from it holds a change of the preparer's.
constexpr char kExchangedValue[] = "exchangedValue";

// A figure wider than its field is shown whole in a smaller font, down to this size; the font the
// field had is kept beside the fitted one, so that a shorter figure gets it back.
constexpr double kSmallestFittedPoints = 5;
constexpr double kFitStepPoints = 0.5;
constexpr char kNaturalFont[] = "naturalFont";
constexpr char kFittedFont[] = "fittedFont";
// The blank a line edit leaves on each side of its text inside its contents.
constexpr int kLineEditTextMargin = 2;

void SetTextColour(QWidget* w, const QColor& colour)
{
    QPalette palette = w->palette();
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::WindowText, colour);
    w->setPalette(palette);
}

void Remember(QWidget* control, const QVariant& value)
{
    control->setProperty(kExchangedValue, value);
}

// True when the edit's text leaves another answer than the one last exchanged with the store.
bool EditChanged(QLineEdit* edit, int kind)
{
    const QVariant exchanged = edit->property(kExchangedValue);
    return exchanged.isValid() && !SameEntry(kind, exchanged.toString(), edit->text());
}

bool ValueChanged(QWidget* control, const QVariant& now)
{
    const QVariant exchanged = control->property(kExchangedValue);
    return exchanged.isValid() && exchanged != now;
}

bool PageExists(const TAnswer& store, const PageAddress& page)
{
    if (!store.PAnsw || page.formType < 0 || page.formType >= kFormTypes || page.pageIndex < 0
        || page.pageIndex >= kMaxPages)
        return false;
    return store.PAnsw->Page[page.formType][page.pageIndex] != nullptr;
}

// The page the controls are bound to, in its store; the page exists. Slots the layout names but
// the page lacks read as empty and are never written.
template <typename Store>
struct BoundPage {
    Store& store;
    PageAddress address;

    bool SlotExists(int slot) const
    {
        return slot >= 0 && slot < static_cast<int>(store.PageAt(address.formType, address.pageIndex).Strings.size());
    }
    std::string AnswerAt(int slot) const
    {
        return SlotExists(slot) ? store.Text(address.formType, address.pageIndex, slot) : std::string();
    }
    bool OverriddenAt(int slot) const
    {
        return SlotExists(slot) && store.OvRide(address.formType, address.pageIndex, slot);
    }
    void PutAnswer(int slot, std::string text) const
    {
        if (SlotExists(slot))
            store.SetText(address.formType, address.pageIndex, slot, std::move(text));
    }
};

using ShownPage = BoundPage<const TAnswer>;
using StoredPage = BoundPage<TAnswer>;

void ShowEdit(QLineEdit* edit, const ShownPage& page)
{
    const int tag = TagOf(edit);
    const int kind = tag / 1000;
    const int slot = tag % 1000;
    if (kind >= 1 && kind <= 5) {
        edit->setText(FieldText(kind, page.AnswerAt(slot), IsBlankZeroType(page.address.formType)));
        Remember(edit, edit->text());
        if (kind >= 2)
            FitTextToField(edit);
    }
    if (StyleIs(edit, kEditOverrideable) || StyleIs(edit, kEditOverridden)) {
        const bool overridden = page.OverriddenAt(slot);
        edit->setProperty("styleLookup", QString::fromLatin1(overridden ? kEditOverridden : kEditOverrideable));
        edit->setReadOnly(!overridden);
        SetTextColour(edit, overridden ? kRed : kBlack);
        ShadeField(edit);
    }
}

void ShowCheckBox(QCheckBox* box, const ShownPage& page)
{
    const int tag = TagOf(box);
    if (tag < 1000) {
        box->setChecked(page.AnswerAt(tag) == "X");
    } else {
        const bool checked = page.AnswerAt(tag - 1000) == "X";
        box->setChecked(checked);
        box->setText(checked ? QStringLiteral("EST") : QString());
    }
    Remember(box, box->isChecked());
    if (StyleIs(box, kCheckBoxOverrideable) || StyleIs(box, kCheckBoxOverridden))
        box->setProperty("styleLookup",
                         QString::fromLatin1(page.OverriddenAt(tag) ? kCheckBoxOverridden : kCheckBoxOverrideable));
}

void ShowLevel(QWidget* container, const ShownPage& page)
{
    for (QWidget* child : DirectChildren(container)) {
        if (auto* label = qobject_cast<QLabel*>(child)) {
            if (TagOf(label) != 0)
                label->setText(QString::fromStdString(page.AnswerAt(TagOf(label))));
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(child)) {
            memo->setPlainText(MemoTextFromAnswer(page.AnswerAt(TagOf(memo))));
            Remember(memo, memo->toPlainText());
            continue;
        } else if (auto* edit = qobject_cast<QLineEdit*>(child)) {
            ShowEdit(edit, page);
        } else if (auto* box = qobject_cast<QCheckBox*>(child)) {
            ShowCheckBox(box, page);
        }
        ShowLevel(child, page);
    }
}

// Stores the controls; those whose value the preparer changed go into `changed`.
void StoreLevel(QWidget* container, const StoredPage& page, QList<QWidget*>& changed)
{
    for (QWidget* child : DirectChildren(container)) {
        if (auto* edit = qobject_cast<QLineEdit*>(child)) {
            const int tag = TagOf(edit);
            const int kind = tag / 1000;
            // A field left as it was shown is not written back: its text is only the answer's
            // formatting (a blank amount shown as 0, cents rounded to dollars), and writing it
            // would change an answer nobody touched.
            const bool everShown = edit->property(kExchangedValue).isValid();
            if (kind >= 1 && kind <= 5 && (!everShown || EditChanged(edit, kind))) {
                if (everShown)
                    changed.append(edit);
                page.PutAnswer(tag % 1000, StoredAnswer(kind, edit->text()));
                Remember(edit, edit->text());
            }
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(child)) {
            if (ValueChanged(memo, memo->toPlainText()))
                changed.append(memo);
            page.PutAnswer(TagOf(memo), AnswerFromMemoText(memo->toPlainText()));
            Remember(memo, memo->toPlainText());
            continue;
        } else if (auto* box = qobject_cast<QCheckBox*>(child)) {
            const int tag = TagOf(box);
            if (ValueChanged(box, box->isChecked()))
                changed.append(box);
            page.PutAnswer(tag > 999 ? tag - 1000 : tag, box->isChecked() ? "X" : "");
            Remember(box, box->isChecked());
        }
        StoreLevel(child, page, changed);
    }
}

bool CanTakeFocus(QWidget* w)
{
    if (w->focusPolicy() == Qt::NoFocus)
        return false;
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w) || qobject_cast<QPlainTextEdit*>(w);
}

}  // namespace

QList<QWidget*> DirectChildren(QWidget* container)
{
    return container->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
}

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

void AnswersToControls(QWidget* container, const TAnswer& store, const PageAddress& page)
{
    if (container && PageExists(store, page))
        ShowLevel(container, ShownPage{store, page});
}

bool ControlsToAnswers(QWidget* container, TAnswer& store, const PageAddress& page, QList<QWidget*>* changed)
{
    if (!container || !PageExists(store, page))
        return false;
    QList<QWidget*> found;
    StoreLevel(container, StoredPage{store, page}, found);
    if (changed)
        *changed = found;
    return !found.isEmpty();
}

void RememberLayoutValues(QWidget* container)
{
    for (QWidget* child : DirectChildren(container)) {
        if (auto* edit = qobject_cast<QLineEdit*>(child))
            Remember(edit, edit->text());
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(child))
            Remember(memo, memo->toPlainText());
        else if (auto* box = qobject_cast<QCheckBox*>(child))
            Remember(box, box->isChecked());
        RememberLayoutValues(child);
    }
}

int TextRoom(const QLineEdit* edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    const QMargins margins = edit->textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * kLineEditTextMargin;
}

void FitTextToField(QLineEdit* edit)
{
    QFont natural = edit->font();
    const QVariant fitted = edit->property(kFittedFont);
    if (fitted.isValid() && fitted.value<QFont>() == natural)
        natural = edit->property(kNaturalFont).value<QFont>();  // the font is still our own fit
    const int room = TextRoom(edit);
    const QString text = edit->text();
    QFont font = natural;
    if (QFontMetrics(font).horizontalAdvance(text) > room && font.pointSizeF() > 0) {
        // The zoom scales the layout's font: it must never take the smaller one for it.
        KeepLayoutFont(edit, natural);
        while (font.pointSizeF() > kSmallestFittedPoints && QFontMetrics(font).horizontalAdvance(text) > room)
            font.setPointSizeF(std::max(kSmallestFittedPoints, font.pointSizeF() - kFitStepPoints));
    }
    if (font == natural) {
        edit->setProperty(kFittedFont, QVariant());
    } else {
        edit->setProperty(kNaturalFont, natural);
        edit->setProperty(kFittedFont, font);
    }
    if (edit->font() != font)
        edit->setFont(font);
}

void FitAmountFields(QWidget* container)
{
    if (!container)
        return;
    for (QLineEdit* edit : container->findChildren<QLineEdit*>())
        if (TagOf(edit) / 1000 >= 2 && TagOf(edit) / 1000 <= 5)
            FitTextToField(edit);
}

void ShadeField(QLineEdit* edit)
{
    QColor shade;
    if (StyleIs(edit, kEditReadOnly))
        shade = kComputedShade;
    else if (StyleIs(edit, kEditOverrideable) || StyleIs(edit, kEditOverridden))
        shade = kGuardedShade;
    else
        return;
    QPalette palette = edit->palette();
    if (palette.color(QPalette::Base) == shade)
        return;
    palette.setColor(QPalette::Base, shade);
    edit->setPalette(palette);
}

int SlotOf(const QWidget* control)
{
    const QVariant tag = control->property("tag");
    if (!tag.isValid())
        return -1;
    const int value = tag.toInt();
    if (qobject_cast<const QLineEdit*>(control))
        return value % 1000;
    if (qobject_cast<const QCheckBox*>(control))
        return value >= 1000 ? value - 1000 : value;
    if (qobject_cast<const QPlainTextEdit*>(control))
        return value;
    return -1;
}

bool FocusBoundControl(QWidget* container, int slot)
{
    if (!container || slot < 0)
        return false;
    for (QWidget* child : DirectChildren(container)) {
        if (FocusBoundControl(child, slot))
            return true;
        if (CanTakeFocus(child) && SlotOf(child) == slot) {
            child->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return false;
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

QString FieldText(int kind, const std::string& answer, bool blankZero)
{
    switch (kind) {
    case 1:
    case 5:
        return QString::fromStdString(answer);
    case 2:
    case 3:
    case 4:
        if (BeyondLargestAmount(answer)) {
            // A total past the largest amount shows as it stands; the lines that read it have
            // said that they count it as 0.
            double value = 0;
            ReadNumber(answer, value);
            return QString::fromStdString(FormatFixed(kind == 3 ? value * 100 : value, kind == 4 ? 0 : 2, kind != 3)) +
                   (kind == 3 ? QStringLiteral("%") : QString());
        }
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
    // Commas typed anywhere are the preparer's grouping: the field shows the figure they make at
    // once, so "1,20" becoming 120 is seen. (An answer read from a file takes commas in groups of
    // three only: there nobody sees it happen.)
    std::string typed = text.toStdString();
    typed.erase(std::remove(typed.begin(), typed.end(), ','), typed.end());
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
        return WithoutControlCharacters(text).toStdString();
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
    return WithoutControlCharacters(answer).toStdString();
}

}  // namespace quorvan::app
