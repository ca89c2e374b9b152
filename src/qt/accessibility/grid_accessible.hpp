#pragma once

// The work-order grid as assistive technology sees it: a table of cells, each named by its
// column's title, its value the text the grid shows.

#include <utility>

#include <tessaro/qt/list_grid_view.hpp>

#include "accessible_parts.hpp"

namespace tessaro::qt_detail {

class GridAccessible : public ReadOnlyTableAccessible {
public:
    explicit GridAccessible(ListGridView* view);

    ListGridView* view() const;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // QAccessibleTableInterface: rows and columns 0-based, as Qt counts them; the current row
    // is the selected one.
    QAccessibleInterface* cellAt(int row, int column) const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedRows() const override;
    bool isRowSelected(int row) const override;

private:
    // By (row, column), 0-based.
    mutable PartInterfaces<std::pair<int, int>> cells_;
};

}  // namespace tessaro::qt_detail
