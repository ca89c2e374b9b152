#pragma once

// The chart as assistive technology sees it: a table whose cells are the resource rows, each
// with its bars as children. Rows and bars are interfaces of their own, made when first asked
// for and kept: a bar's by its identity, so that it names the same bar while bars before it
// come and go.

#include <cstdint>

#include <tessaro/qt/schedule_chart_view.hpp>

#include "accessible_parts.hpp"

namespace tessaro::qt_detail {

class ChartAccessible : public ReadOnlyTableAccessible {
public:
    explicit ChartAccessible(ScheduleChartView* view);
    ~ChartAccessible() override;

    ScheduleChartView* view() const;
    // The interfaces of a row (1-based) and of a bar; nullptr for ones that do not exist.
    QAccessibleInterface* rowInterface(int row) const;
    QAccessibleInterface* barInterface(int row, int bar) const;
    // What Announce last said, the chart's description.
    void setAnnouncement(const QString& text) { announcement_ = text; }

    // QAccessibleInterface
    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // QAccessibleTableInterface: one column, a row per resource.
    QAccessibleInterface* cellAt(int row, int column) const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int columnCount() const override { return 1; }
    int rowCount() const override;

private:
    // After rows or bars came or went: the bars' interfaces that name no bar any more go, and
    // assistive technology hears that the table is to be read again.
    void onChartChanged(const ChartChange& change);

    // The model outlives the view, and so this interface, which the view's end takes along.
    ScheduleChart& chart_;
    int subscription_ = 0;
    QString announcement_;
    mutable PartInterfaces<int> rows_;
    // By the bar's identity.
    mutable PartInterfaces<uint64_t> bars_;
};

}  // namespace tessaro::qt_detail
