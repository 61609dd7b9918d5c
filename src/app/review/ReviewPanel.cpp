#include "app/review/ReviewPanel.h"

#include "messages/Messages.h"
#include "store/Answers.h"

#include <QApplication>
#include <QHeaderView>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>

namespace quorvan::app {
namespace {

// Tree item data: the index of the finding in Findings(), -1 on group items.
constexpr int kFindingRole = Qt::UserRole + 1;
// While a dialog is open the figures wait; a recalculation inside its event loop must not run.
constexpr int kRetryMilliseconds = 250;

struct Group {
    review::Severity severity;
    const char* title;
    QStyle::StandardPixmap icon;
};
constexpr Group kGroups[] = {{review::Severity::Error, "Errors", QStyle::SP_MessageBoxCritical},
                             {review::Severity::Warning, "Warnings", QStyle::SP_MessageBoxWarning},
                             {review::Severity::Note, "Notes", QStyle::SP_MessageBoxInformation}};

QString Counted(int count, const char* one, const char* many)
{
    if (count == 0)
        return QStringLiteral("no %1").arg(QLatin1String(many));
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

QString ToQt(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

QString CountsText(const review::FindingCounts& counts)
{
    return Counted(counts.errors, "error", "errors") + QStringLiteral(", ") +
           Counted(counts.warnings, "warning", "warnings") + QStringLiteral(", ") + Counted(counts.notes, "note", "notes");
}

ReviewPanel::ReviewPanel(QWidget* parent, std::function<const TAnswer*()> openReturn,
                         std::function<void(const review::Finding&)> activate)
    : QDockWidget(QStringLiteral("Review"), parent), openReturn_(std::move(openReturn)), activate_(std::move(activate))
{
    setObjectName(QStringLiteral("dockReview"));
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::RightDockWidgetArea);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("tvwReviewFindings"));
    list_->setColumnCount(3);
    list_->setHeaderLabels({QStringLiteral("Form"), QStringLiteral("Line"), QStringLiteral("Finding")});
    list_->setRootIsDecorated(true);
    list_->setUniformRowHeights(true);
    list_->setWordWrap(false);
    list_->setColumnWidth(0, 320);
    list_->setColumnWidth(1, 190);
    list_->header()->setStretchLastSection(true);
    list_->setToolTip(QStringLiteral("Double-click a finding to go to its field."));
    setWidget(list_);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) { OnDoubleClick(item); });

    figureTimer_ = new QTimer(this);
    figureTimer_->setSingleShot(true);
    connect(figureTimer_, &QTimer::timeout, this, &ReviewPanel::FigureOverrideNotes);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            ScheduleFigures();
    });
    Rebuild();
}

ReviewPanel::~ReviewPanel() = default;

void ReviewPanel::Refresh()
{
    const TAnswer* store = openReturn_ ? openReturn_() : nullptr;
    std::vector<review::Finding> findings = store ? review::ReviewReturn(*store) : std::vector<review::Finding>();
    if (findings == reviewed_) {
        // The same findings; the computed figures may still have moved with other answers.
        ScheduleFigures();
        return;
    }
    reviewed_ = findings;
    Show(std::move(findings));
    ScheduleFigures();
}

void ReviewPanel::ScheduleFigures()
{
    const bool notes = std::any_of(reviewed_.begin(), reviewed_.end(),
                                   [](const review::Finding& f) { return f.rule == review::kOverrideRule; });
    if (notes && isVisible())
        figureTimer_->start(0);
    else
        figureTimer_->stop();
}

void ReviewPanel::FigureOverrideNotes()
{
    if (MessageShowing() || QApplication::activeModalWidget()) {
        figureTimer_->start(kRetryMilliseconds);
        return;
    }
    const TAnswer* store = openReturn_ ? openReturn_() : nullptr;
    if (!store)
        return;
    std::vector<review::Finding> findings = reviewed_;
    figures_.Figure(*store, findings);
    if (findings != shown_)
        Show(std::move(findings));
}

void ReviewPanel::Show(std::vector<review::Finding> findings)
{
    shown_ = std::move(findings);
    Rebuild();
    if (countsChanged_)
        countsChanged_();
}

void ReviewPanel::Rebuild()
{
    list_->setUpdatesEnabled(false);
    list_->clear();
    if (shown_.empty()) {
        auto* item = new QTreeWidgetItem(list_, {QString(), QString(), QStringLiteral("The review finds nothing to mend.")});
        item->setData(0, kFindingRole, -1);
    }
    for (const Group& group : kGroups) {
        QTreeWidgetItem* parent = nullptr;
        for (size_t i = 0; i < shown_.size(); ++i) {
            const review::Finding& finding = shown_[i];
            if (finding.severity != group.severity)
                continue;
            if (!parent) {
                parent = new QTreeWidgetItem(list_);
                parent->setIcon(0, style()->standardIcon(group.icon));
                parent->setData(0, kFindingRole, -1);
                parent->setFirstColumnSpanned(true);
            }
            auto* item = new QTreeWidgetItem(parent, {ToQt(finding.form), ToQt(finding.line), ToQt(finding.text)});
            item->setData(0, kFindingRole, static_cast<int>(i));
            item->setToolTip(2, ToQt(finding.text));
        }
        if (parent) {
            parent->setText(0, QStringLiteral("%1 (%2)").arg(QLatin1String(group.title)).arg(parent->childCount()));
            parent->setExpanded(true);
        }
    }
    list_->setUpdatesEnabled(true);
}

void ReviewPanel::OnDoubleClick(QTreeWidgetItem* item)
{
    const int index = item ? item->data(0, kFindingRole).toInt() : -1;
    if (index < 0 || index >= static_cast<int>(shown_.size()) || !activate_)
        return;
    // Going to the field recalculates and so rebuilds this list: leave the item's signal first.
    const review::Finding finding = shown_[static_cast<size_t>(index)];
    QTimer::singleShot(0, this, [this, finding] { activate_(finding); });
}

}  // namespace quorvan::app
