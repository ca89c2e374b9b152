#include "grid_accessible.hpp"

#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <tessaro/qt/conversions.hpp>

namespace tessaro::qt_detail {
namespace {

GridAccessible* GridOf(ListGridView* view) {
    return view == nullptr
               ? nullptr
               : dynamic_cast<GridAccessible*>(QAccessible::queryAccessibleInterface(view));
}

class CellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    CellAccessible(ListGridView* view, int row, int column)
        : view_(view), row_(row), column_(column) {}

    bool isValid() const override {
        return view_ != nullptr && row_ < view_->grid().GridRowCount() &&
               column_ < view_->grid().GridColumnCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return view_ != nullptr ? view_->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override { return GridOf(view_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

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
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect visible =
            view_->cellRect(column_ + 1, row_ + 1).intersected(view_->viewport()->rect());
        return visible.isEmpty()
                   ? QRect()
                   : QRect(view_->viewport()->mapToGlobal(visible.topLeft()), visible.size());
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
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override {
        return isValid() && view_->grid().GridCurrentRow() == row_ + 1;
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return GridOf(view_); }

private:
    QPointer<ListGridView> view_;
    int row_;
    int column_;
};

}  // namespace

GridAccessible::GridAccessible(ListGridView* view) : QAccessibleWidget(view, QAccessible::Table) {}

GridAccessible::~GridAccessible() {
    for (const auto& [cell, id] : cells_) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

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
    auto found = cells_.find({row, column});
    if (found == cells_.end()) {
        found = cells_
                    .emplace(std::pair{row, column}, QAccessible::registerAccessibleInterface(
                                                         new CellAccessible(view(), row, column)))
                    .first;
    }
    return QAccessible::accessibleInterface(found->second);
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

void* GridAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) {
        return static_cast<QAccessibleTableInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
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
