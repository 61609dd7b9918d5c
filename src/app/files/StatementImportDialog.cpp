#include "app/files/StatementImportDialog.h"

#include "files/RegularFile.h"
#include "store/Amounts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvan::app {

namespace {

QString Dollars(long long cents) { return QString::fromStdString(Float2Dollar(static_cast<double>(cents) / 100.0)); }

QString Pages(int rows, int pagesAfter, const QString& what)
{
    return QStringLiteral("%1: %2 row%3 (%4 page%5 in use after the import)")
        .arg(what)
        .arg(rows)
        .arg(rows == 1 ? "" : "s")
        .arg(pagesAfter)
        .arg(pagesAfter == 1 ? "" : "s");
}

}  // namespace

QString ImportPreviewText(const PreparedImport& prepared)
{
    const ImportPlan& plan = prepared.plan;
    QStringList lines;
    if (plan.Refused()) {
        lines << QStringLiteral("This file cannot be imported; nothing will change:");
        lines << QString::fromStdString(ProblemList(plan.problems)).trimmed();
        return lines.join('\n');
    }
    for (int b = 0; b < 6; ++b)
        if (plan.rowsByBox[b] > 0)
            lines << Pages(plan.rowsByBox[b], plan.pagesByBox[b],
                           QStringLiteral("Form 8949 box %1").arg(QChar('A' + b)));
    const auto summed = [&lines](const SummedSales& line, const char* name) {
        if (line.count > 0)
            lines << QStringLiteral("Schedule D line %1: %2 sale%3 summed, proceeds %4 and cost %5 added")
                         .arg(QLatin1String(name))
                         .arg(line.count)
                         .arg(line.count == 1 ? "" : "s")
                         .arg(Dollars(line.proceeds), Dollars(line.cost));
    };
    summed(plan.line1a, "1a");
    summed(plan.line8a, "8a");
    if (!plan.interestRows.empty())
        lines << Pages(static_cast<int>(plan.interestRows.size()), plan.interestPages,
                       QStringLiteral("Interest schedule"));
    if (!plan.dividendRows.empty())
        lines << Pages(static_cast<int>(plan.dividendRows.size()), plan.dividendPages,
                       QStringLiteral("Dividend schedule"));
    if (plan.typedQualifiedKept > 0)
        lines << QStringLiteral("Form 1041 line 2b: the %1 of qualified dividends typed there kept as a dividend row, "
                                "as the line is figured from the rows from now on")
                     .arg(QString::fromStdString(Float2Dollar(static_cast<double>(plan.typedQualifiedKept) / 100.0)));
    if (plan.duplicates > 0)
        lines << QStringLiteral("Already in the return, skipped: %1").arg(plan.duplicates);
    if (plan.Empty())
        lines << QStringLiteral("Nothing to add.");
    return lines.join('\n');
}

StatementImportDialog::StatementImportDialog(const TAnswer& store, const QString& path, QWidget* parent)
    : QDialog(parent), store_(store), path_(path)
{
    setObjectName(QStringLiteral("StatementImportDialog"));
    setWindowTitle(QStringLiteral("Import %1").arg(QFileInfo(path).fileName()));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("What the file adds to the return:"), this));
    preview_ = new QPlainTextEdit(this);
    preview_->setObjectName(QStringLiteral("txtPreview"));
    preview_->setReadOnly(true);
    preview_->setMinimumSize(560, 220);
    layout->addWidget(preview_);
    itemize_ =
        new QCheckBox(QStringLiteral("&List every sale on Form 8949 (none summed on Schedule D line 1a or 8a)"), this);
    itemize_->setObjectName(QStringLiteral("chkItemize"));
    layout->addWidget(itemize_);
    auto* buttons = new QDialogButtonBox(this);
    import_ = buttons->addButton(QStringLiteral("&Import"), QDialogButtonBox::AcceptRole);
    import_->setObjectName(QStringLiteral("btnImport"));
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(itemize_, &QCheckBox::toggled, this, [this] { Plan(); });
    // The file is read once; the check box only plans it again.
    if (!ReadRegularFile(path.toStdString(), kMaxStatementFileBytes, bytes_, unreadable_) && unreadable_.empty())
        unreadable_ = "cannot be read";
    Plan();
}

bool StatementImportDialog::Itemize() const { return itemize_->isChecked(); }

QString StatementImportDialog::Preview() const { return preview_->toPlainText(); }

void StatementImportDialog::Plan()
{
    if (!unreadable_.empty()) {
        prepared_ = PreparedImport{};
        prepared_.plan.problems.push_back({0, "the file " + unreadable_});
    } else {
        prepared_ = PrepareImportOf(store_, bytes_, Itemize());
    }
    prepared_.path = path_.toStdString();
    preview_->setPlainText(ImportPreviewText(prepared_));
    import_->setEnabled(!prepared_.Refused() && !prepared_.plan.Empty());
}

}  // namespace quorvan::app
