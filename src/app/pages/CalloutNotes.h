#pragma once
// The notes a "?" button of a page shows: at most one button's notes are open at a time, and
// they close on Escape, on a click anywhere but on them or their button, and when the focus
// leaves for another field or the window.

#include <QList>
#include <QObject>
#include <QPointF>
#include <QPointer>

class QAbstractButton;
class QWidget;

namespace quorvan::app {

class CalloutNotes : public QObject {
    Q_OBJECT
public:
    explicit CalloutNotes(QObject* parent = nullptr);
    ~CalloutNotes() override;

    // Flips the notes of a "?" button; notes of another button that were open close.
    void Toggle(QAbstractButton* button);
    void CloseAll();
    bool AnyOpen() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsOnNotesOrButton(const QWidget* widget) const;
    void FocusMoved(QWidget* now);

    QPointer<QAbstractButton> button_;
    quint64 judgedPress_ = 0;  // the time and place of the last press judged
    QPointF judgedAt_;
    QList<QPointer<QWidget>> open_;
};

}  // namespace quorvan::app
