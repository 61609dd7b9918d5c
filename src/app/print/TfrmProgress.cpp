#include "app/print/TfrmProgress.h"

#include "ui_TfrmProgress.h"

#include <QCoreApplication>

namespace quorvan::app {

TfrmProgress::TfrmProgress(const QString& text, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), ui_(std::make_unique<Ui::TfrmProgress>())
{
    ui_->setupUi(this);
    ui_->lblProgress->setText(text);
}

TfrmProgress::~TfrmProgress() = default;

void TfrmProgress::KeepAlive()
{
    // Input is left out: the search must not be re-entered by a click while it runs.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace quorvan::app
