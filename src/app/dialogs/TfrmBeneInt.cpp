#include "app/dialogs/TfrmBeneInt.h"

#include "ui_TfrmBeneInt.h"

#include "calc/AllocationWorksheet.h"
#include "calc/ScheduleK1.h"
#include "messages/Messages.h"
#include "review/QuietMessages.h"
#include "slot/Form1041Page2.h"
#include "slot/ScheduleK1.h"
#include "store/Amounts.h"
#include "store/ContinuationPages.h"
#include "store/ScopedOpenReturn.h"

#include <QLocale>

#include <algorithm>
#include <exception>
#include <numeric>

namespace quorvan::app {

QString PercentageText(double share)
{
    return QLocale().toString(share * 100, 'f', 2).trimmed();
}

QString ScaledSharesText()
{
    return QStringLiteral("Together the shares hand out more than line 18; each K-1 carries its part of line 18.");
}

namespace {

namespace k1 = slot::scheduleK1;

bool HoldsDistributionAmounts(const TAnswer& store, int k)
{
    for (SlotRef amount : {k1::incomeRequiredToBeDistributed, k1::otherAmountsDistributed})
        if (store.Text(ftScheduleK1, k, amount.slot).find_first_not_of(' ') != std::string::npos)
            return true;
    return false;
}

QString Dollars(double amount)
{
    return QString::fromStdString(Float2Dollar(amount));
}

// What beneficiary `k` takes of distributable net income while the tier system sets the shares
// (a K-1 holds distribution amounts, or a simple trust with the allocation worksheet in use);
// `shown` is false while the percentages set them. Dollars, unrounded.
struct TierShare {
    bool shown = false;
    bool ownAmounts = false;   // this K-1 holds distribution amounts
    bool anyAmounts = false;   // some K-1 does (else a simple trust's percentages of accounting income)
    double required = 0;       // its income required to be distributed
    double other = 0;          // its other amounts distributed
    double amount = 0;         // its share of every class together
    double distributable = 0;  // distributable net income, every class
};

TierShare FigureTierShare(TAnswer& store, int k)
{
    ClassAllocation a;
    {
        review::QuietMessages quiet;  // the last recalculation showed what the figures hold
        const ScopedOpenReturn reading(store);
        try {
            a = FigureClassAllocation();
        } catch (const std::exception&) {
            return {};
        }
    }
    if (!a.inUse || !a.tiers || k < 0 || static_cast<size_t>(k) >= a.beneficiaries.size())
        return {};
    TierShare share;
    share.shown = true;
    share.ownAmounts = HoldsDistributionAmounts(store, k);
    for (int page = 0; page < static_cast<int>(a.beneficiaries.size()); ++page)
        share.anyAmounts = share.anyAmounts || HoldsDistributionAmounts(store, page);
    share.required = Str2Float_0(store.Text(ftScheduleK1, k, k1::incomeRequiredToBeDistributed.slot));
    share.other = Str2Float_0(store.Text(ftScheduleK1, k, k1::otherAmountsDistributed.slot));
    const ClassAmounts& mine = a.beneficiaries[static_cast<size_t>(k)];
    share.amount = std::accumulate(mine.begin(), mine.end(), 0.0);
    share.distributable = std::accumulate(a.afterCharity.begin(), a.afterCharity.end(), 0.0);
    return share;
}

}  // namespace

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
    ShowTierShare();
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

// While the tier system sets the shares the dialog shows the share it gives beside the percentage,
// which stays as stored.
void TfrmBeneInt::ShowTierShare()
{
    const TierShare tier = FigureTierShare(store_, beneNo_);
    if (!tier.shown)
        return;
    ui_->edtTierShare->setText(PercentageText(tier.distributable > 0 ? tier.amount / tier.distributable : 0));
    ui_->lblTierShare->setVisible(true);
    ui_->edtTierShare->setVisible(true);
    const QString takes = QStringLiteral("%1 of the distributable net income of %2")
                              .arg(Dollars(tier.amount), Dollars(tier.distributable));
    const QString unused =
        QStringLiteral(" The percentage is kept; it is not used while a K-1 holds distribution amounts.");
    QString text;
    if (tier.ownAmounts)
        text = QStringLiteral("Income required to be distributed of %1 and other amounts of %2 on this K-1 give "
                              "this beneficiary %3.")
                   .arg(Dollars(tier.required), Dollars(tier.other), takes) + unused;
    else if (tier.anyAmounts)
        text = QStringLiteral("Other K-1s hold distribution amounts and this one none: it carries %1.").arg(takes) +
               unused;
    else
        text = QStringLiteral("A simple trust distributes its accounting income: this beneficiary's percentage of "
                              "it gives %1.")
                   .arg(takes);
    ui_->lblTierNote->setText(text);
    ui_->lblTierNote->setVisible(true);
    // The note takes lines of its own: the dialog grows to keep its fields their height.
    resize(width(), std::max(height(), sizeHint().height()));
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
