#include "app/dialogs/TfrmMultiple.h"

#include "ui_TfrmMultiple.h"

#include "store/ContinuationPages.h"

#include <algorithm>

namespace quorvan::app {

TfrmMultiple::TfrmMultiple(const TAnswer& store, int formType, QWidget* parent, int current)
    : QDialog(parent), ui_(std::make_unique<Ui::TfrmMultiple>())
{
    ui_->setupUi(this);
    connect(ui_->OKBtn, &QPushButton::clicked, this, &TfrmMultiple::OKBtnClick);
    connect(ui_->CancelBtn, &QPushButton::clicked, this, &TfrmMultiple::CancelBtnClick);
    FormCreate(store, formType, current);
}

TfrmMultiple::~TfrmMultiple() = default;

void TfrmMultiple::FormCreate(const TAnswer& store, int formType, int current)
{
    const int* count = store.CountField(formType);
    maxForms_ = count ? *count : 0;
    const bool beneficiaries = formType == ftScheduleK1;
    for (int i = 0; i < maxForms_; ++i)
        ui_->ComboBox1->addItem(beneficiaries ? QString::fromStdString(BeneficiaryName(store, i))
                                              : QStringLiteral("Continuation Page %1").arg(i + 1));
    ui_->Label2->setText(beneficiaries ? QString() : QStringLiteral("Enter a number between 1 and %1").arg(maxForms_));
    ui_->ComboBox1->setCurrentIndex(current >= 0 && current < maxForms_ ? current : 0);
}

void TfrmMultiple::OKBtnClick()
{
    choice_ = std::max(0, ui_->ComboBox1->currentIndex());
    accept();
}

void TfrmMultiple::CancelBtnClick()
{
    choice_ = 0;
    reject();
}

}  // namespace quorvan::app
