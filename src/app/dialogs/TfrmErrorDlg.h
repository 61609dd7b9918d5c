#pragma once
// The message dialog: the numbered message on its first line, the advice of its instruction on
// the second, an "Ok" button; captioned "Help On This Item" for notices, else "Error Dialog"
// with the alert sound. A message too long for the dialog's fixed size makes it taller.

#include "messages/Messages.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TfrmErrorDlg;
}

namespace quorvan::app {

class TfrmErrorDlg : public QDialog {
    Q_OBJECT
public:
    TfrmErrorDlg(const TMessage& message, QWidget* parent = nullptr);
    ~TfrmErrorDlg() override;

    unsigned AddedInstructCode = 0;
    unsigned TheErrNo = 0;
    QString TheErrStr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void GrowToShowWholeText();

    std::unique_ptr<Ui::TfrmErrorDlg> ui_;
    bool sound_ = false;
};

}  // namespace quorvan::app
