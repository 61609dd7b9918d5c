// The entry rules of page fields: amounts checked as they are typed, nothing typed that a client
// file would turn into "?", no control characters, and the names of pages and lines in messages.

#include "app/pages/FieldEntry.h"

#include "app/pages/PageBinding.h"
#include "files/Cp1252.h"
#include "store/Answers.h"
#include "store/FormTypes.h"

#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QToolTip>
#include <QVariant>

namespace quorvan::app {
namespace {

// Whole-dollar digits a double still holds exactly, with room for the cents.
constexpr int kMaxWholeDigits = 15;

bool IsControlCharacter(char32_t c)
{
    return (c < 0x20 && c != '\t') || (c >= 0x7F && c <= 0x9F);
}

// The one check of what a client file can hold; it asks the writer's own encoder, so the field
// and the file never disagree.
bool ClientFileCanKeep(char32_t c)
{
    return c < 0x80 || FitsCp1252(QString::fromUcs4(&c, 1).toStdString());
}

enum class AmountScan { Invalid, NoDigits, Reads };

// Blanks, "$", a sign ("-" or "("), digits with commas and one point, ")" and, for a
// percentage, "%". "(" closes with ")"; commas only follow a digit of the whole part.
AmountScan ScanAmount(int kind, const QString& text)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < n && text[i] == QLatin1Char(' '))
            ++i;
    };
    skipBlanks();
    bool dollar = false;
    bool sign = false;
    bool parenthesis = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('$') && !dollar) {
            dollar = true;
        } else if ((c == QLatin1Char('-') || c == QLatin1Char('(')) && !sign) {
            sign = true;
            parenthesis = c == QLatin1Char('(');
        } else if (c != QLatin1Char(' ') || !dollar) {
            break;  // blanks may follow the "$" only
        }
    }
    int whole = 0;
    int fraction = 0;
    bool point = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 0x80) {
            if (point)
                ++fraction;
            else if (++whole > kMaxWholeDigits)
                return AmountScan::Invalid;
        } else if (c == QLatin1Char(',') && !point && whole > 0) {
            continue;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
        } else {
            break;
        }
    }
    bool closed = false;
    bool percent = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char(')') && parenthesis && !closed)
            closed = true;
        else if (c == QLatin1Char('%') && kind == 3 && !percent)
            percent = true;
        else
            break;
    }
    skipBlanks();
    if (i != n)
        return AmountScan::Invalid;
    return whole + fraction > 0 ? AmountScan::Reads : AmountScan::NoDigits;
}

QString AmountNote(int kind)
{
    return kind == 3 ? QStringLiteral("A percentage takes digits, one decimal point, a leading minus sign and a % "
                                      "at the end.")
                     : QStringLiteral("An amount takes digits, thousands commas, one decimal point, a leading minus "
                                      "sign or parentheses, and a leading $.");
}

QString UnkeptNote(const QString& characters)
{
    return QStringLiteral("A client file cannot keep %1; use other characters.").arg(characters);
}

void ShowNote(QWidget* field, const QString& note)
{
    field->setProperty("entryNote", note);
    QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), note, field);
}

// Takes the refused characters out of a memo's document, from the end so positions hold.
void CleanMemo(QPlainTextEdit* memo)
{
    const QString text = memo->toPlainText();
    const QList<uint> characters = text.toUcs4();
    QList<QPair<int, int>> cuts;  // document positions: start, length in UTF-16 units
    QString unkept;
    int position = 0;
    for (uint c : characters) {
        const int units = c > 0xFFFF ? 2 : 1;
        const bool control = c != '\n' && IsControlCharacter(c);
        if (control || !ClientFileCanKeep(c)) {
            cuts.append({position, units});
            if (!control)
                unkept += QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1);
        }
        position += units;
    }
    if (cuts.isEmpty())
        return;
    memo->setProperty("cleaning", true);
    QTextCursor cursor(memo->document());
    cursor.beginEditBlock();
    for (auto cut = cuts.crbegin(); cut != cuts.crend(); ++cut) {
        cursor.setPosition(cut->first);
        cursor.setPosition(cut->first + cut->second, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    cursor.endEditBlock();
    memo->setProperty("cleaning", false);
    if (!unkept.isEmpty())
        ShowNote(memo, UnkeptNote(UnencodableCharacters(unkept)));
}

// The answer keeps each line break of a memo as " | ": what would take the answer beyond the
// longest one is cut from the end.
void LimitMemo(QPlainTextEdit* memo)
{
    const QString text = memo->toPlainText();
    qsizetype answerLength = 0;
    qsizetype kept = 0;
    for (; kept < text.size(); ++kept) {
        answerLength += text[kept] == QLatin1Char('\n') ? 3 : 1;
        if (answerLength > static_cast<qsizetype>(kMaxAnswerLength))
            break;
    }
    if (kept == text.size())
        return;
    memo->setProperty("cleaning", true);
    QTextCursor cursor(memo->document());
    cursor.setPosition(static_cast<int>(kept));
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    memo->setProperty("cleaning", false);
    ShowNote(memo, QStringLiteral("A note takes at most %1 characters, a line break counting as three.")
                       .arg(QLocale(QLocale::English).toString(static_cast<qlonglong>(kMaxAnswerLength))));
}

}  // namespace

QString UnencodableCharacters(const QString& text)
{
    return QString::fromStdString(quorvan::UnencodableCharacters(text.toStdString()));
}

QString WithoutControlCharacters(const QString& text)
{
    QString kept;
    kept.reserve(text.size());
    for (QChar c : text)
        if (!IsControlCharacter(c.unicode()))
            kept += c;
    return kept;
}

bool AmountTextReads(int kind, const QString& text)
{
    return text.isEmpty() || ScanAmount(kind, text) == AmountScan::Reads;
}

bool SameEntry(int kind, const QString& a, const QString& b)
{
    if (a == b)
        return true;
    if (kind < 2 || kind > 5 || !AmountTextReads(kind, a) || !AmountTextReads(kind, b))
        return false;
    return ReformatOnExit(kind, a) == ReformatOnExit(kind, b);
}

QValidator::State AmountValidator::validate(QString& input, int&) const
{
    if (input.isEmpty())
        return Acceptable;
    switch (ScanAmount(kind_, input)) {
    case AmountScan::Reads:
        return Acceptable;
    case AmountScan::NoDigits:
        return Intermediate;
    default:
        return Invalid;
    }
}

QValidator::State ClientTextValidator::validate(QString& input, int& position) const
{
    const QString kept = WithoutControlCharacters(input);
    if (kept.size() != input.size()) {
        position -= static_cast<int>(input.left(position).size() - WithoutControlCharacters(input.left(position)).size());
        input = kept;
    }
    const QString unkept = UnencodableCharacters(input);
    if (!unkept.isEmpty()) {
        refused_ = unkept;
        return Invalid;
    }
    return Acceptable;
}

void InstallEntryRules(QLineEdit* edit)
{
    const int kind = TagOf(edit) / 1000;
    if (kind == 1) {
        edit->setMaxLength(static_cast<int>(kMaxAnswerLength));
        auto* validator = new ClientTextValidator(edit);
        edit->setValidator(validator);
        QObject::connect(edit, &QLineEdit::inputRejected, edit, [edit, validator] {
            if (!validator->Refused().isEmpty())
                ShowNote(edit, UnkeptNote(validator->Refused()));
        });
    } else if (kind >= 2 && kind <= 5) {
        edit->setValidator(new AmountValidator(kind, edit));
        QObject::connect(edit, &QLineEdit::inputRejected, edit, [edit, kind] { ShowNote(edit, AmountNote(kind)); });
    }
}

void InstallMemoEntryRules(QWidget* field)
{
    auto* memo = qobject_cast<QPlainTextEdit*>(field);
    if (!memo)
        return;
    QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo] {
        if (!memo->property("cleaning").toBool()) {
            CleanMemo(memo);
            LimitMemo(memo);
        }
    });
}

QString PageName(int formType, int pageIndex)
{
    return QString::fromStdString(PageNameOf(formType, pageIndex));
}

QString FieldPlace(const QWidget* field, int formType, int pageIndex)
{
    const QString line = field->property("line").toString();
    QString place = PageName(formType, pageIndex);
    if (line.isEmpty())
        return place;
    // Line numbers ("4", "15a", "2b(1)") read "line 15a"; a table cell reads "row 3, column (d)".
    const bool numbered = line.front().isDigit() || line.size() <= 2;
    return place + (numbered ? QStringLiteral(", line ") : QStringLiteral(", ")) + line;
}

}  // namespace quorvan::app
