#include "grid_accessible.hpp"

#include <tessaro/qt/conversions.hpp>

namespace tessaro::qt_detail {
namespace {

class CellAccessible : public TableCellPartAccessible<ListGridView, GridAccessible> {
public:
    CellAccessible(ListGridView* view, int row, int column)
        : TableCellPartAccessible(view), row_(row), column_(column) {}

    bool isValid() const override {
        return view_ != nullptr && row_ < view_->grid().GridRowCount() &&
               column_ < view_->grid().GridColumnCount();
    }

    QString text(QAccessible::Text t) const override {
        if (!isValid()) {
            return {};
        }
        switch (t) {
            case QAccessible::Name:
                return toQString(view_->grid().ColumnTitle(column_ + 1)).trimmed();
            case QAccessible::Value:
                return view_->displayedText(column_ + 1, row_ + 1);
            default:
                return {};
        }
    }
    QRect rect() const override {
        return isValid() ? VisibleOnScreen(*view_, view_->cellRect(column_ + 1, row_ + 1))
                         : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invalid = !isValid();
        state.readOnly = true;
        state.selectable = true;
        state.selected = isSelected();
        state.invisible = state.offscreen = !state.invalid && rect().isEmpty();
        return state;
    }

    bool isSelected() const override {
        return isValid() && view_->grid().GridCurrentRow() == row_ + 1;
    }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }

private:
    int row_;
    int column_;
};

}  // namespace

GridAccessible::GridAccessible(ListGridView* view)
    : ReadOnlyTableAccessible(view, QAccessible::Table) {}

ListGridView* GridAccessible::view() const {
    return static_cast<ListGridView*>(widget());
}

int GridAccessible::rowCount() const {
    return view()->grid().GridRowCount();
}

int GridAccessible::columnCount() const {
    return view()->grid().GridColumnCount();
}

int GridAccessible::childCount() const {
    return rowCount() * columnCount();
}

QAccessibleInterface* GridAccessible::cellAt(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
        return nullptr;
    }
    return cells_.get({row, column}, [&] { return new CellAccessible(view(), row, column); });
}

QAccessibleInterface* GridAccessible::child(int index) const {
    const int columns = columnCount();
    return columns > 0 && index >= 0 ? cellAt(index / columns, index % columns) : nullptr;
}

int GridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* cell = dynamic_cast<const CellAccessible*>(child);
    if (cell == nullptr || !cell->isValid()) {
        return -1;
    }
    const QAccessibleTableCellInterface* at = cell;
    return at->rowIndex() * columnCount() + at->columnIndex();
}

QAccessibleInterface* GridAccessible::childAt(int x, int y) const {
    const auto [column, row] = view()->cellAt(view()->viewport()->mapFromGlobal(QPoint(x, y)));
    return column > 0 && row > 0 ? cellAt(row - 1, column - 1) : nullptr;
}

QString GridAccessible::columnDescription(int column) const {
    return column >= 0 && column < columnCount()
               ? toQString(view()->grid().ColumnTitle(column + 1)).trimmed()
               : QString();
}

QString GridAccessible::rowDescription(int row) const {
    return row >= 0 && row < rowCount() ? QString::number(row + 1) : QString();
}

int GridAccessible::selectedRowCount() const {
    const int current = view()->grid().GridCurrentRow();
    return current >= 1 && current <= rowCount() ? 1 : 0;
}

QList<int> GridAccessible::selectedRows() const {
    return selectedRowCount() == 1 ? QList<int>{view()->grid().GridCurrentRow() - 1} : QList<int>{};
}

bool GridAccessible::isRowSelected(int row) const {
    return view()->grid().GridCurrentRow() == row + 1;
}

}  // namespace tessaro::qt_detail
