#pragma once
// The Zoom dialog: a track bar from 0 to 200 percent for the page scale, with the value shown
// as a whole percent below it.

#include <QDialog>

#include <memory>

namespace Ui {
class TfrmWindowScale;
}

namespace quorvan::app {

class TfrmWindowScale : public QDialog {
    Q_OBJECT
public:
    // `pageScale`: 1.0 is 100 percent.
    explicit TfrmWindowScale(double pageScale, QWidget* parent = nullptr);
    ~TfrmWindowScale() override;

    // The track bar's value, a scale from 0 to 2.
    double Value() const;
    void SetValue(double scale);

private:
    void ShowValue();

    std::unique_ptr<Ui::TfrmWindowScale> ui_;
};

// The zoom label's text: 0.755 gives "76%".
QString ScalePercentText(double scale);

}  // namespace quorvan::app
