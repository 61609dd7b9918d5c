#pragma once
// The small progress window shown while a long step runs on the GUI thread: a caption line and
// a bar that only says "still working". Shown without a modal loop; the caller closes it.

#include <QDialog>

#include <memory>

namespace Ui {
class TfrmProgress;
}

namespace quorvan::app {

class TfrmProgress : public QDialog {
    Q_OBJECT
public:
    explicit TfrmProgress(const QString& text, QWidget* parent = nullptr);
    ~TfrmProgress() override;

    // Lets the window paint and the bar move while the caller keeps the GUI thread busy.
    void KeepAlive();

private:
    std::unique_ptr<Ui::TfrmProgress> ui_;
};

}  // namespace quorvan::app
