#include "app/print/TfrmSelectedForms.h"

#include "ui_TfrmSelectedForms.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>

#include <iterator>

namespace quorvan::app {
namespace {

// The Form 1041 tab holds most boxes; they fill two columns, top to bottom.
constexpr int kRowsPerColumn = 13;

}  // namespace

TfrmSelectedForms::TfrmSelectedForms(const PrintSelection& ticks, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TfrmSelectedForms>())
{
    ui_->setupUi(this);
    AddBoxes();
    for (auto& [formType, box] : boxes_)
        box->setChecked(ticks.Ticked(formType));
    ui_->tbctrlMain->setCurrentIndex(0);

    popSelectAll_ = new QAction(QStringLiteral("Select All"), this);
    popSelectAll_->setObjectName(QStringLiteral("popSelectAll"));
    connect(popSelectAll_, &QAction::triggered, this, &TfrmSelectedForms::SelectAllClick);
    // The popup belongs to the tab control and to every tab's panel but Form 1041-A's; that
    // panel must not hand a right click on to the tab control either.
    ui_->tbctrlMain->setContextMenuPolicy(Qt::ActionsContextMenu);
    ui_->tbctrlMain->addAction(popSelectAll_);
    for (QWidget* panel : {ui_->tabForm1041, ui_->tabForm1041ES, ui_->tabForm1041QFT, ui_->tabForm1041T}) {
        panel->setContextMenuPolicy(Qt::ActionsContextMenu);
        panel->addAction(popSelectAll_);
    }
    ui_->tabForm1041A->setContextMenuPolicy(Qt::PreventContextMenu);

    connect(ui_->btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui_->btnPreview, &QPushButton::clicked, this, [this] { done(PreviewResult); });
    connect(ui_->btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui_->btnClearAll, &QPushButton::clicked, this, &TfrmSelectedForms::ClearAllClick);
}

TfrmSelectedForms::~TfrmSelectedForms() = default;

void TfrmSelectedForms::AddBoxes()
{
    QWidget* const panels[] = {ui_->tabForm1041, ui_->tabForm1041A, ui_->tabForm1041ES, ui_->tabForm1041QFT,
                               ui_->tabForm1041T};
    const auto& captions = PrintTabCaptions();
    for (int tab = 0; tab < ui_->tbctrlMain->count() && tab < static_cast<int>(captions.size()); ++tab)
        ui_->tbctrlMain->setTabText(tab, QString::fromStdString(captions[static_cast<size_t>(tab)]));

    int placed[std::size(panels)] = {};
    for (const PrintBox& printBox : PrintBoxes()) {
        QWidget* panel = panels[printBox.tab];
        auto* box = new QCheckBox(QString::fromLatin1(printBox.caption), panel);
        box->setObjectName(QString::fromLatin1(printBox.objectName));
        const int index = placed[printBox.tab]++;
        static_cast<QGridLayout*>(panel->layout())->addWidget(box, index % kRowsPerColumn, index / kRowsPerColumn);
        boxes_[printBox.formType] = box;
    }
    // Boxes stay at the top of short tabs.
    for (QWidget* panel : panels) {
        auto* grid = static_cast<QGridLayout*>(panel->layout());
        grid->setRowStretch(grid->rowCount(), 1);
    }
}

PrintSelection TfrmSelectedForms::Selection() const
{
    PrintSelection selection;
    for (const auto& [formType, box] : boxes_)
        selection.SetTicked(formType, box->isChecked());
    return selection;
}

QCheckBox* TfrmSelectedForms::Box(int formType) const
{
    const auto it = boxes_.find(formType);
    return it == boxes_.end() ? nullptr : it->second;
}

void TfrmSelectedForms::SetOkCaption(const QString& caption)
{
    ui_->btnOk->setText(caption);
}

void TfrmSelectedForms::SetPreviewOffered(bool offered)
{
    ui_->btnPreview->setVisible(offered);
}

void TfrmSelectedForms::SelectAllClick()
{
    SetAll(true);
}

void TfrmSelectedForms::ClearAllClick()
{
    SetAll(false);
}

void TfrmSelectedForms::SetAll(bool ticked)
{
    for (auto& [formType, box] : boxes_)
        box->setChecked(ticked);
}

}  // namespace quorvan::app
