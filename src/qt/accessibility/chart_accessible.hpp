#pragma once

// The chart as assistive technology sees it: a table whose cells are the resource rows, each
// with its bars as children. Rows and bars are interfaces of their own, made when first asked
// for and kept: a bar's by its identity, so that it names the same bar while bars before it
// come and go.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include <QAccessibleWidget>
#include <QPointer>

#include <tessaro/qt/schedule_chart_view.hpp>

namespace tessaro::qt_detail {

class ChartAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
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
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableInterface: one column, a row per resource.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    int columnCount() const override { return 1; }
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    // After rows or bars came or went: the bars' interfaces that name no bar any more go, and
    // assistive technology hears that the table is to be read again.
    void onChartChanged(const ChartChange& change);

    // The model outlives the view, and so this interface, which the view's end takes along.
    ScheduleChart& chart_;
    int subscription_ = 0;
    QString announcement_;
    mutable std::vector<QAccessible::Id> rows_;
    mutable std::unordered_map<uint64_t, QAccessible::Id> bars_;
};

}  // namespace tessaro::qt_detail
