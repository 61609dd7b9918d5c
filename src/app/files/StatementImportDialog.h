#pragma once
// File > Import...: what a broker's or bank's data file would add to the return and where,
// shown before anything changes. Import accepts the dialog; the window then carries the plan out.

#include "files/StatementImport.h"

#include <QDialog>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace quorvan::app {

class StatementImportDialog : public QDialog {
    Q_OBJECT
public:
    // `store` is read only, to figure the plan; `path` is the data file.
    StatementImportDialog(const TAnswer& store, const QString& path, QWidget* parent = nullptr);

    // The plan shown, with the check box as it stands.
    const PreparedImport& Prepared() const { return prepared_; }
    bool Itemize() const;
    QString Preview() const;

private:
    void Plan();

    const TAnswer& store_;
    std::string bytes_;
    std::string unreadable_;
    QString path_;
    PreparedImport prepared_;
    QPlainTextEdit* preview_;
    QCheckBox* itemize_;
    QPushButton* import_;
};

// The preview's text: the counts by Form 8949 box, the Schedule D lines with the amounts they
// grow by, the continuation pages, the duplicates skipped, or the problems that refuse the file.
QString ImportPreviewText(const PreparedImport& prepared);

}  // namespace quorvan::app
