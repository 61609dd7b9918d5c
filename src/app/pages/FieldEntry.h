#pragma once
// What a page field lets the preparer type: an amount field only what reads as an amount, a
// text field only characters a client file (Windows-1252) can keep, and no field a control
// character. Also the words that name a field in a message ("Form 1041 page 1, line 4").

#include <QString>
#include <QValidator>

class QLineEdit;
class QWidget;

namespace quorvan::app {

// The characters of `text` that a client file cannot keep, each once, in order of appearance.
QString UnencodableCharacters(const QString& text);

// `text` without control characters: those below 32 except tab, DEL and the C1 controls.
QString WithoutControlCharacters(const QString& text);

// True when the text of an amount field of `kind` (2 cents, 3 percentage, 4 whole dollars,
// 5 count) reads as an amount: blanks around it, an optional "$", a leading "-" or "(" with its
// ")", digits with thousands commas (at most 15 before the point), one decimal point, and for a
// percentage a "%" at the end. The empty text reads, as 0.
bool AmountTextReads(int kind, const QString& text);

// Two texts of a field of `kind` that leave the same answer: equal texts, or amounts that the
// field shows alike once it is left ("1234" and "1,234"; "" and "0").
bool SameEntry(int kind, const QString& a, const QString& b);

// Amount fields: a character that cannot belong to an amount is refused as it is typed.
class AmountValidator : public QValidator {
public:
    AmountValidator(int kind, QObject* parent) : QValidator(parent), kind_(kind) {}
    State validate(QString& input, int& position) const override;

private:
    int kind_;
};

// Text fields: control characters are dropped; a character a client file cannot keep is refused
// and remembered, so that the field can say which one it was.
class ClientTextValidator : public QValidator {
public:
    explicit ClientTextValidator(QObject* parent) : QValidator(parent) {}
    State validate(QString& input, int& position) const override;
    // The characters the last refused input held that a client file cannot keep.
    QString Refused() const { return refused_; }

private:
    mutable QString refused_;
};

// Gives a bound edit the validator of its kind (tag / 1000: 1 text, 2 to 5 amounts) and a note
// beside the field whenever the validator refuses what was typed or pasted. A text field takes at
// most kMaxAnswerLength characters. (An amount beyond kLargestAmount reads here; leaving the field
// refuses it, naming the field.)
void InstallEntryRules(QLineEdit* edit);

// Memos have no validator: characters a client file cannot keep and control characters are taken
// out as they arrive, with the same note, and so is text beyond the longest answer.
void InstallMemoEntryRules(QWidget* memo);

// "Form 1041 page 1, line 4": the page's name and, where the layout gives it, the field's line.
QString FieldPlace(const QWidget* field, int formType, int pageIndex);

// The page's name in messages: "Form 1041 page 1", "Schedule K-1 (beneficiary 2)".
QString PageName(int formType, int pageIndex);

}  // namespace quorvan::app
