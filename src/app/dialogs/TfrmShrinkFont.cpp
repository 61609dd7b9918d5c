#include "app/dialogs/TfrmShrinkFont.h"

#include "ui_TfrmShrinkFont.h"

namespace quorvan::app {
namespace {

constexpr double kStep = 0.5;  // points per list item

}  // namespace

TfrmShrinkFont::TfrmShrinkFont(double fontShrink, std::function<void()> openHelp, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TfrmShrinkFont>()), openHelp_(std::move(openHelp))
{
    ui_->setupUi(this);
    connect(ui_->cbtnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui_->cbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui_->btnHelp, &QPushButton::clicked, this, [this] {
        if (openHelp_)
            openHelp_();
    });
    const int row = static_cast<int>(fontShrink / kStep);
    if (row >= 0 && row < ui_->ListBox1->count())
        ui_->ListBox1->setCurrentRow(row);
}

TfrmShrinkFont::~TfrmShrinkFont() = default;

double TfrmShrinkFont::ChosenShrink(double current) const
{
    const int row = ui_->ListBox1->currentRow();
    return row >= 0 && ui_->ListBox1->currentItem() && ui_->ListBox1->currentItem()->isSelected() ? kStep * row
                                                                                                  : current;
}

}  // namespace quorvan::app
