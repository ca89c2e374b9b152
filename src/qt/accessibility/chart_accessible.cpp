#include "chart_accessible.hpp"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

#include <tessaro/bars/bar_description.hpp>

#include "accessibility.hpp"
#include "spoken_texts.hpp"

namespace tessaro::qt_detail {
namespace {

// Presses the key on the chart as the planner would, so an action takes the keyboard's own path.
void PressKey(ScheduleChartView& view, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(&view, &press);
}

// One bar, known by its identity; its row is looked up again whenever it is asked.
class BarAccessible : public ViewPartAccessible<ScheduleChartView>,
                      public QAccessibleActionInterface {
public:
    BarAccessible(ScheduleChartView* view, uint64_t id, int row)
        : ViewPartAccessible(view), id_(id), row_(row) {}

    std::pair<int, int> where() const {
        if (view_ == nullptr) {
            return {0, 0};
        }
        const auto [row, bar] = view_->chart().FindTimeBarById(id_, static_cast<int16_t>(row_));
        if (bar != 0) {
            row_ = row;
        }
        return {row, bar};
    }

    bool isValid() const override { return where().second != 0; }
    QAccessibleInterface* parent() const override {
        const auto* chart = InterfaceOf<ChartAccessible>(view_);
        return chart != nullptr ? chart->rowInterface(where().first) : nullptr;
    }

    QString text(QAccessible::Text t) const override {
        const auto [row, bar] = where();
        if (bar == 0) {
            return {};
        }
        const ScheduleChart& chart = view_->chart();
        switch (t) {
            case QAccessible::Name:
                return SpokenBarName(chart, row, bar);
            case QAccessible::Description: {
                const ScheduleChartView::ChangedActivity* change = view_->changeOf(row, bar);
                return SpokenBarDescription(
                    chart.TimeBarKind(static_cast<int16_t>(row), static_cast<int16_t>(bar)) ==
                        ScheduleChartView::kTemporaryBarKind,
                    view_->isConflicting(row, bar),
                    change != nullptr ? change->summary : QString());
            }
            default:
                return {};
        }
    }
    QRect rect() const override {
        const auto [row, bar] = where();
        return bar == 0 ? QRect() : VisibleOnScreen(*view_, view_->barRect(row, bar));
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    // Press clicks the bar, show-menu opens its pop-up menu, set-focus focuses it.
    QStringList actionNames() const override {
        return {pressAction(), showMenuAction(), setFocusAction()};
    }
    QStringList keyBindingsForAction(const QString& action) const override {
        if (action == pressAction()) {
            return {QStringLiteral("Space")};
        }
        if (action == showMenuAction()) {
            return {QStringLiteral("Shift+F10")};
        }
        return {};
    }
    void doAction(const QString& action) override {
        const auto [row, bar] = where();
        if (bar == 0) {
            return;
        }
        view_->setFocus(Qt::OtherFocusReason);
        view_->setFocusedBar(row, bar);
        if (action == pressAction()) {
            PressKey(*view_, Qt::Key_Space, Qt::NoModifier);
        } else if (action == showMenuAction()) {
            PressKey(*view_, Qt::Key_F10, Qt::ShiftModifier);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        const auto [row, bar] = where();
        if (bar == 0) {
            state.invalid = true;
            return state;
        }
        state.focusable = true;
        state.selectable = true;
        state.focused = view_->hasFocus() && view_->focusedBar() == std::pair{row, bar};
        state.selected =
            GlanceAtBar(view_->chart(), static_cast<int16_t>(row), static_cast<int16_t>(bar))
                .Selected;
        if (rect().isEmpty()) {
            state.invisible = true;
            state.offscreen = true;
        }
        return state;
    }

private:
    uint64_t id_;
    mutable int row_;
};

// One resource row: a cell of the chart's table, its bars its children in their order on the row.
class RowAccessible : public TableCellPartAccessible<ScheduleChartView, ChartAccessible> {
public:
    RowAccessible(ScheduleChartView* view, int row) : TableCellPartAccessible(view), row_(row) {}

    bool isValid() const override {
        return view_ != nullptr && row_ >= 1 && row_ <= view_->chart().RowCount();
    }
    QAccessibleInterface* child(int index) const override {
        const auto* chart = InterfaceOf<ChartAccessible>(view_);
        return chart != nullptr && isValid() ? chart->barInterface(row_, index + 1) : nullptr;
    }
    int childCount() const override {
        return isValid() ? view_->chart().TimeBarCount(static_cast<int16_t>(row_)) : 0;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* bar = dynamic_cast<const BarAccessible*>(child);
        if (bar == nullptr) {
            return -1;
        }
        const auto [row, index] = bar->where();
        return row == row_ && index != 0 ? index - 1 : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        if (!isValid()) {
            return nullptr;
        }
        const ScheduleChartView::BarHit hit =
            view_->barAt(view_->viewport()->mapFromGlobal(QPoint(x, y)));
        return hit && hit.row == row_ ? child(hit.bar - 1) : nullptr;
    }

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && isValid() ? SpokenRowName(view_->chart(), row_)
                                                   : QString();
    }
    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const int middle = view_->pointAt(row_, ChartTime{}).y();
        const int height = view_->rowHeight();
        const QRect band(0, middle - height / 2, view_->viewport()->width(), height);
        return VisibleOnScreen(*view_, band);
    }
    QAccessible::Role role() const override { return QAccessible::Row; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invalid = !isValid();
        state.invisible = state.offscreen = !state.invalid && rect().isEmpty();
        return state;
    }

    // QAccessibleTableCellInterface
    bool isSelected() const override { return false; }
    int columnIndex() const override { return 0; }
    int rowIndex() const override { return row_ - 1; }

private:
    int row_;
};

}  // namespace

ChartAccessible::ChartAccessible(ScheduleChartView* view)
    : ReadOnlyTableAccessible(view, QAccessible::Table), chart_(view->chart()) {
    subscription_ =
        chart_.Changed.Subscribe([this](const ChartChange& change) { onChartChanged(change); });
}

ChartAccessible::~ChartAccessible() {
    chart_.Changed.Unsubscribe(subscription_);
}

void ChartAccessible::onChartChanged(const ChartChange& change) {
    if (change.What != ChartChange::Kind::Rows && change.What != ChartChange::Kind::Bars) {
        return;
    }
    bars_.dropInvalid();
    if (AccessibilityListening()) {
        QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::ModelReset);
        SendAccessibleEvent(event);
    }
}

ScheduleChartView* ChartAccessible::view() const {
    return static_cast<ScheduleChartView*>(widget());
}

QAccessibleInterface* ChartAccessible::rowInterface(int row) const {
    if (row < 1 || row > view()->chart().RowCount()) {
        return nullptr;
    }
    return rows_.get(row, [&] { return new RowAccessible(view(), row); });
}

QAccessibleInterface* ChartAccessible::barInterface(int row, int bar) const {
    const ScheduleChart& chart = view()->chart();
    if (row < 1 || row > chart.RowCount() || bar < 1 ||
        bar > chart.TimeBarCount(static_cast<int16_t>(row))) {
        return nullptr;
    }
    const uint64_t id = chart.TimeBarId(static_cast<int16_t>(row), static_cast<int16_t>(bar));
    return bars_.get(id, [&] { return new BarAccessible(view(), id, row); });
}

QAccessible::Role ChartAccessible::role() const {
    return QAccessible::Table;
}

QString ChartAccessible::text(QAccessible::Text t) const {
    switch (t) {
        case QAccessible::Name: {
            const QString name = view()->accessibleName();
            return name.isEmpty() ? ScheduleChartView::tr("Schedule chart") : name;
        }
        case QAccessible::Description:
            return announcement_.isEmpty() ? view()->accessibleDescription() : announcement_;
        default:
            return QAccessibleWidget::text(t);
    }
}

int ChartAccessible::childCount() const {
    return view()->chart().RowCount();
}

QAccessibleInterface* ChartAccessible::child(int index) const {
    return rowInterface(index + 1);
}

int ChartAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* row = dynamic_cast<const RowAccessible*>(child);
    if (row == nullptr) {
        return -1;
    }
    const QAccessibleTableCellInterface* cell = row;
    return cell->rowIndex() < childCount() ? cell->rowIndex() : -1;
}

QAccessibleInterface* ChartAccessible::childAt(int x, int y) const {
    return rowInterface(view()->rowAt(view()->viewport()->mapFromGlobal(QPoint(x, y))));
}

QAccessibleInterface* ChartAccessible::focusChild() const {
    const auto [row, bar] = view()->focusedBar();
    return view()->hasFocus() ? barInterface(row, bar) : nullptr;
}

QAccessibleInterface* ChartAccessible::cellAt(int row, int column) const {
    return column == 0 ? rowInterface(row + 1) : nullptr;
}

QString ChartAccessible::columnDescription(int) const {
    return ScheduleChartView::tr("Bars");
}

QString ChartAccessible::rowDescription(int row) const {
    return row >= 0 && row < rowCount() ? SpokenRowName(view()->chart(), row + 1) : QString();
}

int ChartAccessible::rowCount() const {
    return view()->chart().RowCount();
}

}  // namespace tessaro::qt_detail
