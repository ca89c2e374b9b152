#pragma once

// The work-order grid as assistive technology sees it: a table of cells, each named by its
// column's title, its value the text the grid shows.

#include <map>
#include <utility>

#include <QAccessibleWidget>

#include <tessaro/qt/list_grid_view.hpp>

namespace tessaro::qt_detail {

class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridAccessible(ListGridView* view);
    ~GridAccessible() override;

    ListGridView* view() const;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableInterface: rows and columns 0-based, as Qt counts them.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    int columnCount() const override;
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
    // (row, column), 0-based, to the cell's interface.
    mutable std::map<std::pair<int, int>, QAccessible::Id> cells_;
};

}  // namespace tessaro::qt_detail
