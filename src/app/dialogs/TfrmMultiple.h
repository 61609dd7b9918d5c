#pragma once
// The continuation page chooser: lists the pages in use of one continuation type (for Schedule
// K-1 the beneficiaries' names) and gives the chosen 0-based page index.

#include "store/Answers.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TfrmMultiple;
}

namespace quorvan::app {

class TfrmMultiple : public QDialog {
    Q_OBJECT
public:
    // `current` is the page the list opens on (the one on screen); the first when it is not in use.
    TfrmMultiple(const TAnswer& store, int formType, QWidget* parent = nullptr, int current = 0);
    ~TfrmMultiple() override;

    // Number of pages offered: the type's count of pages in use.
    int MaxForms() const { return maxForms_; }
    // The selected index after Ok, 0 after Cancel.
    int Choice() const { return choice_; }

private:
    void FormCreate(const TAnswer& store, int formType, int current);
    void OKBtnClick();
    void CancelBtnClick();

    std::unique_ptr<Ui::TfrmMultiple> ui_;
    int maxForms_ = 0;
    int choice_ = 0;
};

}  // namespace quorvan::app
