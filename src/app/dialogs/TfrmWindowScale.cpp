#include "app/dialogs/TfrmWindowScale.h"

#include "ui_TfrmWindowScale.h"

#include <cmath>

namespace quorvan::app {
namespace {

// The track bar moves in steps of one percent.
constexpr int kStepsPerUnit = 100;

}  // namespace

QString ScalePercentText(double scale)
{
    return QString::number(static_cast<long long>(std::llround(scale * 100))) + QLatin1Char('%');
}

TfrmWindowScale::TfrmWindowScale(double pageScale, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TfrmWindowScale>())
{
    ui_->setupUi(this);
    ui_->TrackBar1->setRange(0, 2 * kStepsPerUnit);
    ui_->TrackBar1->setPageStep(kStepsPerUnit / 10);
    connect(ui_->TrackBar1, &QSlider::valueChanged, this, &TfrmWindowScale::ShowValue);
    connect(ui_->OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui_->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    SetValue(pageScale);
    ShowValue();
}

TfrmWindowScale::~TfrmWindowScale() = default;

double TfrmWindowScale::Value() const
{
    return static_cast<double>(ui_->TrackBar1->value()) / kStepsPerUnit;
}

void TfrmWindowScale::SetValue(double scale)
{
    ui_->TrackBar1->setValue(static_cast<int>(std::lround(scale * kStepsPerUnit)));
}

void TfrmWindowScale::ShowValue()
{
    ui_->lblValue->setText(ScalePercentText(Value()));
}

}  // namespace quorvan::app
