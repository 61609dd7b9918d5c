#include "TfrmErrorDlg.h"

#include "ui_TfrmErrorDlg.h"

#include <QApplication>

namespace quorvan::app {

TfrmErrorDlg::TfrmErrorDlg(const TMessage& message, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                          | Qt::WindowTitleHint),
      ui_(std::make_unique<Ui::TfrmErrorDlg>())
{
    ui_->setupUi(this);
    setFixedSize(size());
    TheErrNo = message.code;
    TheErrStr = QString::fromStdString(message.extra);
    AddedInstructCode = message.instruction;
    setProperty("tag", message.number);
    setWindowTitle(QString::fromStdString(message.caption));
    ui_->MessageLbl->setText(QString::fromStdString(message.firstLine));
    ui_->MessageLbl2->setText(QString::fromStdString(message.secondLine));
    sound_ = message.sound;
    connect(ui_->btnOk, &QPushButton::clicked, this, &QDialog::accept);
}

TfrmErrorDlg::~TfrmErrorDlg() = default;

void TfrmErrorDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (sound_)
        QApplication::beep();
}

}  // namespace quorvan::app
