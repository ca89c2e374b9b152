#pragma once

// What the chart's and the grid's accessible interfaces share: the interface Qt made for a view,
// a rect of a view's viewport on screen, the interfaces of the view's parts that are no objects
// of their own (bars, rows, cells), kept by key for as long as the view's, and the read-only
// table both views are to assistive technology.

#include <map>
#include <utility>

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QRect>
#include <QWindow>

namespace tessaro::qt_detail {

// The interface Qt made for the object if it is an Interface; nullptr otherwise.
template <typename Interface>
Interface* InterfaceOf(QObject* object) {
    return object == nullptr
               ? nullptr
               : dynamic_cast<Interface*>(QAccessible::queryAccessibleInterface(object));
}

// The part of `local` (viewport coordinates) in sight, on screen; empty when none of it is.
QRect VisibleOnScreen(const QAbstractScrollArea& view, const QRect& local);

// A part of a view that is no object of its own: it belongs to the view's window, takes no text
// from assistive technology and has no children unless it says otherwise.
template <typename View>
class ViewPartAccessible : public QAccessibleInterface {
public:
    explicit ViewPartAccessible(View* view) : view_(view) {}

    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return view_ != nullptr ? view_->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

protected:
    // Null once the view is gone: the part is no longer valid then.
    QPointer<View> view_;
};

// A cell of a table: a child of the table, one row and one column wide, without header cells.
template <typename View, typename Table>
class TableCellPartAccessible : public ViewPartAccessible<View>,
                                public QAccessibleTableCellInterface {
public:
    using ViewPartAccessible<View>::ViewPartAccessible;

    QAccessibleInterface* parent() const override { return table(); }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return InterfaceOf<Table>(this->view_); }
};

// The interfaces of a view's parts by their key, registered with Qt when first asked for and
// deleted with the view's interface.
template <typename Key>
class PartInterfaces {
public:
    PartInterfaces() = default;
    PartInterfaces(const PartInterfaces&) = delete;
    PartInterfaces& operator=(const PartInterfaces&) = delete;
    ~PartInterfaces() {
        for (const auto& [key, id] : ids_) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }

    // The part's interface; make() makes it (a new interface Qt then owns) when there is none.
    template <typename Make>
    QAccessibleInterface* get(const Key& key, Make make) {
        auto found = ids_.find(key);
        if (found == ids_.end()) {
            found = ids_.emplace(key, QAccessible::registerAccessibleInterface(make())).first;
        }
        return QAccessible::accessibleInterface(found->second);
    }

    // Deletes the interfaces that no longer name a part.
    void dropInvalid() {
        for (auto part = ids_.begin(); part != ids_.end();) {
            const QAccessibleInterface* named = QAccessible::accessibleInterface(part->second);
            if (named == nullptr || !named->isValid()) {
                QAccessible::deleteAccessibleInterface(part->second);
                part = ids_.erase(part);
            } else {
                ++part;
            }
        }
    }

private:
    std::map<Key, QAccessible::Id> ids_;
};

// A table assistive technology reads but selects nothing in: no caption or summary, no cell or
// column selected (nor a row, unless the table says so), and selection requests refused.
class ReadOnlyTableAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    using QAccessibleWidget::QAccessibleWidget;

    void* interface_cast(QAccessible::InterfaceType type) override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedRows() const override { return {}; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}
};

}  // namespace tessaro::qt_detail
