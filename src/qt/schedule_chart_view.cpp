#include <tessaro/qt/schedule_chart_view.hpp>

#include <algorithm>
#include <cmath>
#include <limits>

#include <QEvent>
#include <QResizeEvent>
#include <QScrollBar>

#include <tessaro/qt/conversions.hpp>

#include "accessibility/accessibility.hpp"
#include "bar_hit.hpp"
#include "chart_measures.hpp"
#include "schedule_chart_view_private.hpp"

namespace tessaro {

using qt_detail::ClampedCoordinate;

ScheduleChartView::ScheduleChartView(ScheduleChart& chart, QWidget* parent)
    : QAbstractScrollArea(parent), d(std::make_unique<Private>(*this, chart)) {
    qt_detail::InstallAccessibility();
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);

    // The horizontal scroll bar runs under the chart only; the list keeps its place.
    d->scrollSpacer_ = new QWidget(this);
    d->scrollSpacer_->setObjectName(QStringLiteral("listScrollSpacer"));
    addScrollBarWidget(d->scrollSpacer_, Qt::AlignLeft);

    d->subscription_ = d->chart_.Changed.Subscribe(
        [this](const ChartChange& change) { d->onChartChanged(change); });
    d->remeasureRows();
    d->relayout();
}

ScheduleChartView::~ScheduleChartView() {
    d->chart_.Changed.Unsubscribe(d->subscription_);
}

// ---- Model notifications ----

void ScheduleChartView::Private::onChartChanged(const ChartChange& change) {
    using Kind = ChartChange::Kind;
    if (change.What == Kind::Rows || change.What == Kind::Bars || change.What == Kind::Bar) {
        changesDirty_ = true;
        planConflicts_.markDirty();
        links_.markDirty();
    }
    switch (change.What) {
        case Kind::Rows:
            index_->markAllDirty();
            loads_->markAllDirty();
            lastClicked_ = {};
            cancelGesture();
            if (change.Row == 0) {
                remeasureRows();
            } else {
                measureRow(change.Row);
            }
            relayout();
            break;
        case Kind::Bars:
            index_->markRowDirty(change.Row);
            loads_->markRowDirty(change.Row);
            if (lastClicked_.row == change.Row) {
                lastClicked_ = {};
            }
            if (dragState_ != DragState::Idle && !barExists(gesture_.row, gesture_.bar)) {
                cancelGesture();
            }
            break;
        case Kind::Bar:
            index_->markRowDirty(change.Row);
            loads_->markRowDirty(change.Row);
            break;
        case Kind::Appearance:
            relayout();
            break;
        case Kind::ShowBar:
            q->scrollToBar(change.Row, change.Bar);
            break;
        case Kind::Styles:
        case Kind::Redraw:
            break;
        case Kind::Container:
            // Height and hint text belong to the hosting widget and the tooltip.
            return;
    }
    // Many changes in a row cost one paint: update() only marks the viewport dirty.
    q->viewport()->update();
}

// ---- Layout ----

double ScheduleChartView::Private::dpiScale() const {
    return q->logicalDpiX() / 96.0;
}

double ScheduleChartView::fitDayWidth() const {
    return qt_detail::FitDayWidth(d->layout_, d->chart_, viewport()->width());
}

double ScheduleChartView::Private::wantedDayWidth() const {
    return qt_detail::WantedDayWidth(layout_, chart_, dpiScale(), q->viewport()->width());
}

qt_detail::ChartGeometry ScheduleChartView::Private::chartGeometry() const {
    return {layout_, q->viewport()->size(), q->horizontalScrollBar()->value(),
            q->verticalScrollBar()->value(), chart_.RowCount()};
}

void ScheduleChartView::Private::remeasureRows() {
    qt_detail::MeasureRows(layout_, chart_);
}

void ScheduleChartView::Private::measureRow(int row) {
    qt_detail::MeasureRow(layout_, chart_, row);
}

void ScheduleChartView::Private::relayout() {
    qt_detail::ChartLayout& l = layout_;
    const TimeAxis oldAxis = l.axis;
    qt_detail::LayOutChart(l, chart_, dpiScale(), q->viewport()->width());

    // Zooming keeps the moment at the left edge where it was.
    double keepMinute = std::numeric_limits<double>::quiet_NaN();
    if (oldAxis.dayWidth() != l.axis.dayWidth() || oldAxis.firstDay() != l.axis.firstDay()) {
        keepMinute = q->horizontalScrollBar()->value() / oldAxis.minuteWidth() +
                     static_cast<double>(oldAxis.firstDay()) * TimeAxis::kMinutesPerDay;
    }
    syncScrollBars(keepMinute);
    if (oldAxis.dayWidth() != l.axis.dayWidth()) {
        emit q->zoomChanged();
    }
}

void ScheduleChartView::Private::syncScrollBars(double keepMinuteAtLeft) {
    const QRect chart = q->chartArea();
    const double total = std::ceil(layout_.axis.totalWidth());
    const int width = std::max(0, chart.width());
    const int horizontalMax = static_cast<int>(
        std::clamp(total - width, 0.0, static_cast<double>(std::numeric_limits<int>::max() / 2)));
    QScrollBar* horizontal = q->horizontalScrollBar();
    horizontal->setRange(0, horizontalMax);
    horizontal->setPageStep(std::max(1, width));
    horizontal->setSingleStep(std::clamp(static_cast<int>(layout_.axis.dayWidth() / 4), 4, 200));
    if (!std::isnan(keepMinuteAtLeft)) {
        const double x = (keepMinuteAtLeft -
                          static_cast<double>(layout_.axis.firstDay()) * TimeAxis::kMinutesPerDay) *
                         layout_.axis.minuteWidth();
        horizontal->setValue(ClampedCoordinate(x));
    }

    const int height = std::max(0, chart.height());
    const int64_t rowsHeight = int64_t{chart_.RowCount()} * layout_.rowHeight;
    QScrollBar* vertical = q->verticalScrollBar();
    vertical->setRange(0, static_cast<int>(std::max<int64_t>(0, rowsHeight - height)));
    vertical->setPageStep(std::max(1, height));
    vertical->setSingleStep(layout_.rowHeight);

    scrollSpacer_->setFixedWidth(layout_.listWidth);
}

QSize ScheduleChartView::sizeHint() const {
    return QSize(640, 320);
}

QSize ScheduleChartView::minimumSizeHint() const {
    return QSize(d->layout_.listWidth + 60, d->layout_.headerHeight + d->layout_.rowHeight * 2);
}

void ScheduleChartView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    d->relayout();
}

void ScheduleChartView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void ScheduleChartView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void ScheduleChartView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        d->relayout();
        viewport()->update();
    }
}

void ScheduleChartView::scrollContentsBy(int /*dx*/, int /*dy*/) {
    // Header and list stay put while the rows move, so the whole viewport is repainted.
    viewport()->update();
}

// ---- Geometry ----

QRect ScheduleChartView::chartArea() const {
    return d->chartGeometry().chartArea();
}

QRect ScheduleChartView::listArea() const {
    return d->chartGeometry().listArea();
}

QRect ScheduleChartView::Private::spanRect(int row, int64_t start, int64_t end,
                                           int32_t kind) const {
    return chartGeometry().spanRect(row, start, end, kind == kCalendarBarKind);
}

bool ScheduleChartView::Private::barExists(int row, int bar) const {
    return row >= 1 && row <= chart_.RowCount() && bar >= 1 &&
           bar <= chart_.TimeBarCount(static_cast<int16_t>(row));
}

QRect ScheduleChartView::Private::paintedBarRect(const qt_detail::ChartGeometry& geometry, int row,
                                                 int bar) const {
    return qt_detail::PaintedBarRect(geometry, chart_, *index_, row, bar, subLanes_);
}

QRect ScheduleChartView::barRect(int row, int bar) const {
    if (!d->barExists(row, bar)) {
        return {};
    }
    return d->paintedBarRect(d->chartGeometry(), row, bar);
}

void ScheduleChartView::setSubLanes(bool on) {
    if (d->subLanes_ != on) {
        d->subLanes_ = on;
        viewport()->update();
    }
}

bool ScheduleChartView::subLanes() const {
    return d->subLanes_;
}

void ScheduleChartView::setLoadStrips(bool on) {
    if (d->loadStrips_ != on) {
        d->loadStrips_ = on;
        viewport()->update();
    }
}

bool ScheduleChartView::loadStrips() const {
    return d->loadStrips_;
}

QRect ScheduleChartView::loadStripRect(int row) const {
    if (!d->loadStrips_ || row < 1 || row > d->chart_.RowCount()) {
        return {};
    }
    const qt_detail::ChartGeometry geometry = d->chartGeometry();
    return qt_detail::LoadStripRect(
        QRect(0, geometry.rowTop(row), d->layout_.listWidth, d->layout_.rowHeight), d->dpiScale());
}

QPoint ScheduleChartView::pointAt(int row, const ChartTime& time) const {
    const qt_detail::ChartGeometry g = d->chartGeometry();
    return QPoint(ClampedCoordinate(g.minuteX(time.AbsoluteMinutes())),
                  g.rowTop(row) + d->layout_.rowHeight / 2);
}

int ScheduleChartView::rowAt(const QPoint& pos) const {
    return d->chartGeometry().rowAt(pos);
}

ChartTime ScheduleChartView::timeAt(const QPoint& pos) const {
    return d->chartGeometry().timeAt(pos);
}

ScheduleChartView::BarHit ScheduleChartView::barAt(const QPoint& pos) const {
    const int grip = static_cast<int>(std::lround(kEdgeGrip * d->dpiScale()));
    const qt_detail::BarUnderPoint found =
        qt_detail::FindBarAt(d->chartGeometry(), d->chart_, *d->index_, pos, grip, d->subLanes_);
    switch (found.part) {
        case qt_detail::BarZone::None:
            return {};
        case qt_detail::BarZone::Body:
            return {found.row, found.bar, BarPart::Body};
        case qt_detail::BarZone::StartEdge:
            return {found.row, found.bar, BarPart::StartEdge};
        case qt_detail::BarZone::EndEdge:
            return {found.row, found.bar, BarPart::EndEdge};
    }
    return {};
}

// ---- Scrolling ----

int32_t ScheduleChartView::firstVisibleDay() const {
    return TimeAxis::timeOf(d->layout_.axis.minuteAt(d->chartGeometry().scrollX)).Day;
}

void ScheduleChartView::scrollToDay(int32_t day) {
    const double x = d->layout_.axis.x(int64_t{day} * TimeAxis::kMinutesPerDay);
    horizontalScrollBar()->setValue(ClampedCoordinate(std::ceil(x)));
}

void ScheduleChartView::scrollToRow(int row) {
    if (row < 1 || row > d->chart_.RowCount()) {
        return;
    }
    QScrollBar* vertical = verticalScrollBar();
    const int top = (row - 1) * d->layout_.rowHeight;
    const int height = chartArea().height();
    if (top < vertical->value()) {
        vertical->setValue(top);
    } else if (top + d->layout_.rowHeight > vertical->value() + height) {
        vertical->setValue(top + d->layout_.rowHeight - height);
    }
}

void ScheduleChartView::scrollToBar(int row, int bar) {
    if (!d->barExists(row, bar)) {
        return;
    }
    scrollToRow(row);
    const ChartBar& b = d->chart_.Bar(static_cast<int16_t>(row), static_cast<int16_t>(bar));
    const double start = d->layout_.axis.x(b.Start);
    const double end = d->layout_.axis.x(b.End);
    QScrollBar* horizontal = horizontalScrollBar();
    const int width = chartArea().width();
    const bool startVisible = start >= horizontal->value() && start < horizontal->value() + width;
    const bool endVisible = end > horizontal->value() && end <= horizontal->value() + width;
    if (!startVisible || (!endVisible && end - start <= width)) {
        // A little of what comes before stays in sight, for orientation.
        horizontal->setValue(ClampedCoordinate(start - width / 8.0));
    }
    viewport()->update();
}

// ---- Plain reads ----

ScheduleChart& ScheduleChartView::chart() const {
    return d->chart_;
}

int ScheduleChartView::rowHeight() const {
    return d->layout_.rowHeight;
}

int ScheduleChartView::headerHeight() const {
    return d->layout_.headerHeight;
}

int ScheduleChartView::listWidth() const {
    return d->layout_.listWidth;
}

double ScheduleChartView::dayWidth() const {
    return d->layout_.axis.dayWidth();
}

const TimeAxis& ScheduleChartView::timeAxis() const {
    return d->layout_.axis;
}

std::optional<ChartTime> ScheduleChartView::nowTime() const {
    return d->now_;
}

ScheduleChartView::DragState ScheduleChartView::dragState() const {
    return d->dragState_;
}

std::pair<int, int> ScheduleChartView::lastClickedBar() const {
    return {d->lastClicked_.row, d->lastClicked_.bar};
}

int ScheduleChartView::lastPaintedBarCount() const {
    return d->lastPaintedBarCount_;
}

}  // namespace tessaro
