#pragma once
// The print selection dialog "Print Selected Forms": one check box per printable form, on five
// tabs, opened with the ticks it is given; Select All (popup menu), Clear All, and the ticks read
// back as a selection when the preparer presses Preview/Print or Print Preview.

#include "print/FormSelect.h"

#include <QDialog>

#include <map>
#include <memory>

class QAction;
class QCheckBox;

namespace Ui {
class TfrmSelectedForms;
}

namespace quorvan::app {

class TfrmSelectedForms : public QDialog {
    Q_OBJECT
public:
    // The dialog's result when the preparer presses Print Preview.
    static constexpr int PreviewResult = 2;

    explicit TfrmSelectedForms(const PrintSelection& ticks, QWidget* parent = nullptr);
    ~TfrmSelectedForms() override;

    // The ticks as they stand.
    PrintSelection Selection() const;
    // The box that prints `formType`, or nullptr.
    QCheckBox* Box(int formType) const;
    // "Preview/Print", or the command the ticks are for.
    void SetOkCaption(const QString& caption);
    // Shows or hides the Print Preview button (shown at first).
    void SetPreviewOffered(bool offered);

    void SelectAllClick();
    void ClearAllClick();

private:
    void AddBoxes();
    void SetAll(bool ticked);

    std::unique_ptr<Ui::TfrmSelectedForms> ui_;
    QAction* popSelectAll_ = nullptr;
    std::map<int, QCheckBox*> boxes_;  // by form type
};

}  // namespace quorvan::app
