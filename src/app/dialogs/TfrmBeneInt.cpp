#include "app/dialogs/TfrmBeneInt.h"

#include "ui_TfrmBeneInt.h"

#include "calc/ScheduleK1.h"
#include "messages/Messages.h"
#include "review/QuietMessages.h"
#include "slot/Form1041Page2.h"
#include "store/ContinuationPages.h"

#include <QLocale>

namespace quorvan::app {

QString PercentageText(double share)
{
    return QLocale().toString(share * 100, 'f', 2).trimmed();
}

QString ScaledSharesText()
{
    return QStringLiteral("Together the shares hand out more than line 18; each K-1 carries its part of line 18.");
}

TfrmBeneInt::TfrmBeneInt(TAnswer& store, int beneNo, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TfrmBeneInt>()), store_(store), beneNo_(beneNo)
{
    ui_->setupUi(this);
    connect(ui_->OKBtn, &QPushButton::clicked, this, &TfrmBeneInt::OKBtnClick);
    connect(ui_->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    // A percentage typed or pasted is the one to use; Enter then takes what the dialog shows.
    connect(ui_->edtPercentage, &QLineEdit::textEdited, this, [this] { ui_->rbUsePercentage->setChecked(true); });
    FormCreate();
}

TfrmBeneInt::~TfrmBeneInt() = default;

void TfrmBeneInt::FormCreate()
{
    ui_->lblBeneficiary->setText(QString::fromStdString(BeneficiaryName(store_, beneNo_)));
    // The percentage is a share of distributable net income, Schedule B line 7 of the last run.
    const std::string& dni = store_.Text(ftForm1041Page2, 0, slot::form1041Page2::scheduleBLine7Dni.slot);
    ui_->lblShareOf->setText(
        QStringLiteral("The percentage is this beneficiary's share of the distributable net income "
                       "(Schedule B line 7): %1.")
            .arg(dni.empty() ? QStringLiteral("0") : QString::fromStdString(dni).trimmed()));
    const double share = store_.BeneficiaryInterest.at(static_cast<size_t>(beneNo_));
    if (share < 0) {
        ui_->rbNotApplicable->setChecked(true);
        ui_->edtPercentage->clear();
    } else {
        ui_->rbUsePercentage->setChecked(true);
        ui_->edtPercentage->setText(PercentageText(share));
    }
    ShowScaling(share);
}

// The figures on the K-1s may be below the percentages: the dialog says why and by how much.
void TfrmBeneInt::ShowScaling(double share)
{
    double scale = 1;
    {
        review::QuietMessages quiet;  // the last recalculation showed what the figures hold
        scale = K1ShareScale(store_);
    }
    if (!(scale < 1))
        return;
    QString text = ScaledSharesText();
    if (share > 0)
        text += QStringLiteral(" This beneficiary's %1% is carried as %2%.")
                    .arg(PercentageText(share), PercentageText(share * scale));
    ui_->lblScaled->setText(text);
    ui_->lblScaled->setVisible(true);
}

// An invalid percentage keeps the dialog open with nothing stored.
void TfrmBeneInt::OKBtnClick()
{
    K1Allocation choice = K1Allocation::Unset;
    double percent = 0;
    if (ui_->rbUsePercentage->isChecked()) {
        bool ok = false;
        percent = QLocale().toDouble(ui_->edtPercentage->text().trimmed(), &ok);
        // A share beyond the whole income, or below none, is no allocation.
        if (!ok || !(percent >= 0 && percent <= 100)) {
            ShowMessageByCode(16010);
            ui_->edtPercentage->setFocus();
            return;
        }
        choice = K1Allocation::Percentage;
    } else if (ui_->rbNotApplicable->isChecked()) {
        choice = K1Allocation::OwnValues;
    }
    SetK1Allocation(store_, beneNo_, choice, percent / 100);
    accept();
}

}  // namespace quorvan::app
