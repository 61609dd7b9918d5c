#pragma once
// The Review panel: the findings of the return review under Errors, Warnings and Notes with their
// form and line, following every recalculation. A double-click hands the finding to the window,
// which shows its field. The computed figures of overridden answers are figured once the window
// is idle, as they take a recalculation of a copy of the return each.

#include "review/OverrideFigures.h"
#include "review/Review.h"

#include <QDockWidget>

#include <functional>
#include <vector>

class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace quorvan {
class TAnswer;
}

namespace quorvan::app {

class ReviewPanel : public QDockWidget {
    Q_OBJECT
public:
    // `openReturn` gives the answer store of the open return (or null); `activate` is called
    // with the finding the preparer double-clicked.
    ReviewPanel(QWidget* parent, std::function<const TAnswer*()> openReturn,
                std::function<void(const review::Finding&)> activate);
    ~ReviewPanel() override;

    // Reviews the open return after a recalculation; without a store the list empties.
    void Refresh();
    const std::vector<review::Finding>& Findings() const { return shown_; }
    review::FindingCounts Counts() const { return review::CountFindings(shown_); }
    // Called whenever the counts may have changed.
    void SetCountsChanged(std::function<void()> changed) { countsChanged_ = std::move(changed); }

    QTreeWidget* List() { return list_; }
    // Figures the computed figures of the override notes now (what the idle timer does).
    void FigureOverrideNotes();

private:
    void Show(std::vector<review::Finding> findings);
    void Rebuild();
    void OnDoubleClick(QTreeWidgetItem* item);
    void ScheduleFigures();

    std::function<const TAnswer*()> openReturn_;
    std::function<void(const review::Finding&)> activate_;
    std::function<void()> countsChanged_;
    QTreeWidget* list_ = nullptr;
    QTimer* figureTimer_ = nullptr;
    std::vector<review::Finding> reviewed_;  // as the rules give them
    std::vector<review::Finding> shown_;     // with the computed figures once figured
    review::OverrideFigures figures_;
};

// "2 errors, 1 warning, no notes".
QString CountsText(const review::FindingCounts& counts);

}  // namespace quorvan::app
