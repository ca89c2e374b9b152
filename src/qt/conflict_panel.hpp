#pragma once

// The plan's conflicts as a panel beside the chart: one line a conflict (kind, resource,
// activities, time in the locale), sortable by each column; a double click asks for the bar.

#include <vector>

#include <QWidget>

#include <tessaro/plan/plan_conflicts.hpp>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace tessaro::qt_detail {

class ConflictPanel : public QWidget {
    Q_OBJECT

public:
    explicit ConflictPanel(QWidget* parent = nullptr);

    // Replaces the lines, keeping the column sorted on: the lines of conflicts that stay are
    // kept, so a drop writes only the lines it changed.
    void setConflicts(const std::vector<PlanConflict>& conflicts);
    QTreeWidget* list() const { return list_; }
    // The conflict a line shows; nullptr for none.
    const PlanConflict* conflictAt(const QTreeWidgetItem* item) const;

    // The time before the activities: the activities' texts are the longest, and their line's
    // tooltip holds them whole when the panel is narrow.
    enum Column { KindColumn, ResourceColumn, TimeColumn, ActivityColumn };

signals:
    // The planner double-clicked the line of this conflict's bar.
    void barRequested(int row, int bar);

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    QLabel* title_;
    QTreeWidget* list_;
    // The conflicts as setConflicts got them last, each beside its line.
    std::vector<PlanConflict> conflicts_;
    std::vector<QTreeWidgetItem*> items_;
};

}  // namespace tessaro::qt_detail
