#include "app/dialogs/TfrmErrorDlg.h"

#include "ui_TfrmErrorDlg.h"

#include <QApplication>
#include <QLabel>

#include <algorithm>

namespace quorvan::app {

TfrmErrorDlg::TfrmErrorDlg(const TMessage& message, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                          | Qt::WindowTitleHint),
      ui_(std::make_unique<Ui::TfrmErrorDlg>())
{
    ui_->setupUi(this);
    TheErrNo = message.code;
    TheErrStr = QString::fromStdString(message.extra);
    AddedInstructCode = message.instruction;
    setProperty("tag", message.number);
    setWindowTitle(QString::fromStdString(message.caption));
    ui_->MessageLbl->setText(QString::fromStdString(message.firstLine));
    ui_->MessageLbl2->setText(QString::fromStdString(message.secondLine));
    GrowToShowWholeText();
    setFixedSize(size());
    sound_ = message.sound;
    connect(ui_->btnOk, &QPushButton::clicked, this, &QDialog::accept);
}

TfrmErrorDlg::~TfrmErrorDlg() = default;

// A message longer than its line's room (a long path, the texts a message names) makes the dialog
// taller, the lines below moving down, rather than being cut off; a short one keeps the layout.
void TfrmErrorDlg::GrowToShowWholeText()
{
    int grown = 0;
    for (QLabel* label : {ui_->MessageLbl, ui_->MessageLbl2}) {
        label->move(label->x(), label->y() + grown);
        const int needed = label->heightForWidth(label->width());
        const int more = std::max(0, needed - label->height());
        label->resize(label->width(), label->height() + more);
        grown += more;
    }
    if (grown == 0)
        return;
    ui_->btnOk->move(ui_->btnOk->x(), ui_->btnOk->y() + grown);
    ui_->Panel1->resize(ui_->Panel1->width(), ui_->Panel1->height() + grown);
    resize(width(), height() + grown);
}

void TfrmErrorDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (sound_)
        QApplication::beep();
}

}  // namespace quorvan::app
