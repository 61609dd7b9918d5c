#pragma once
// The Shrink Font dialog: the amount, in half points from 0 to 3, by which the labels of the
// form pages are made smaller, and a "?" button that opens the help page on it.

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class TfrmShrinkFont;
}

namespace quorvan::app {

class TfrmShrinkFont : public QDialog {
    Q_OBJECT
public:
    // `fontShrink` in points; `openHelp` runs when the "?" button is pressed.
    TfrmShrinkFont(double fontShrink, std::function<void()> openHelp, QWidget* parent = nullptr);
    ~TfrmShrinkFont() override;

    // The amount the list selects (0.5 points per item), or `current` when nothing is selected.
    double ChosenShrink(double current) const;

private:
    std::unique_ptr<Ui::TfrmShrinkFont> ui_;
    std::function<void()> openHelp_;
};

}  // namespace quorvan::app
