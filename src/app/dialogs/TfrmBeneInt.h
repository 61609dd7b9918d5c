#pragma once
// The K-1 allocation dialog: the share of the return's income items one beneficiary's Schedule
// K-1 receives, or "Not applicable" when the preparer enters that beneficiary's amounts.

#include "store/Answers.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TfrmBeneInt;
}

namespace quorvan::app {

class TfrmBeneInt : public QDialog {
    Q_OBJECT
public:
    // `beneNo` is the K-1 page index of the beneficiary; Ok stores into `store`.
    TfrmBeneInt(TAnswer& store, int beneNo, QWidget* parent = nullptr);
    ~TfrmBeneInt() override;

    int BeneNo() const { return beneNo_; }

private:
    void FormCreate();
    void ShowScaling(double share);
    void ShowTierShare();
    void OKBtnClick();

    std::unique_ptr<Ui::TfrmBeneInt> ui_;
    TAnswer& store_;
    int beneNo_;
};

// The percentage the dialog shows for a share: 0.25 gives "25.00".
QString PercentageText(double share);

// What the dialog says when the shares are carried below their percentages.
QString ScaledSharesText();

}  // namespace quorvan::app
