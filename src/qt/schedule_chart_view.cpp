#include <tessaro/qt/schedule_chart_view.hpp>

#include <algorithm>
#include <cmath>
#include <limits>

#include <QEvent>
#include <QFontMetrics>
#include <QResizeEvent>
#include <QScrollBar>

#include <tessaro/qt/conversions.hpp>

#include "bar_index.hpp"
#include "bar_marks.hpp"
#include "chart_palette.hpp"
#include "frame_bars.hpp"
#include "label_cache.hpp"

namespace tessaro {

using qt_detail::ChartBarIndex;

namespace {

// Coordinates handed to Qt stay well inside int even for bars far off screen.
constexpr double kCoordinateLimit = 1.0e7;

int ClampedCoordinate(double value) {
    return static_cast<int>(std::lround(std::clamp(value, -kCoordinateLimit, kCoordinateLimit)));
}

}  // namespace

ScheduleChartView::ScheduleChartView(ScheduleChart& chart, QWidget* parent)
    : QAbstractScrollArea(parent),
      chart_(chart),
      index_(std::make_unique<ChartBarIndex>(kWorkOrderBarKind)),
      colours_(std::make_unique<chart_palette::ChartColours>(
          chart_palette::ChartColours::from(palette()))),
      labels_(std::make_unique<qt_detail::LabelCache>()),
      marks_(std::make_unique<qt_detail::BarMarks>()),
      frameBars_(std::make_unique<qt_detail::FrameBars>()) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);

    // The horizontal scroll bar runs under the chart only; the list keeps its place.
    scrollSpacer_ = new QWidget(this);
    scrollSpacer_->setObjectName(QStringLiteral("listScrollSpacer"));
    addScrollBarWidget(scrollSpacer_, Qt::AlignLeft);

    subscription_ =
        chart_.Changed.Subscribe([this](const ChartChange& change) { onChartChanged(change); });
    remeasureRows();
    relayout();
}

ScheduleChartView::~ScheduleChartView() {
    chart_.Changed.Unsubscribe(subscription_);
}

// ---- Model notifications ----

void ScheduleChartView::onChartChanged(const ChartChange& change) {
    using Kind = ChartChange::Kind;
    if (change.What == Kind::Rows || change.What == Kind::Bars || change.What == Kind::Bar) {
        changesDirty_ = true;
    }
    switch (change.What) {
        case Kind::Rows:
            index_->markAllDirty();
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
            if (lastClicked_.row == change.Row) {
                lastClicked_ = {};
            }
            if (dragState_ != DragState::Idle && !barExists(gesture_.row, gesture_.bar)) {
                cancelGesture();
            }
            break;
        case Kind::Bar:
            index_->markRowDirty(change.Row);
            break;
        case Kind::Appearance:
            relayout();
            break;
        case Kind::ShowBar:
            scrollToBar(change.Row, change.Bar);
            break;
        case Kind::Styles:
        case Kind::Redraw:
            break;
        case Kind::Container:
            // Height and hint text belong to the hosting widget and the tooltip.
            return;
    }
    // Many changes in a row cost one paint: update() only marks the viewport dirty.
    viewport()->update();
}

// ---- Layout ----

double ScheduleChartView::dpiScale() const {
    return logicalDpiX() / 96.0;
}

double ScheduleChartView::fitDayWidth() const {
    const int width = viewport()->width() - layout_.listWidth - 1;
    const int64_t days = int64_t{std::max(chart_.RangeStartDay(), chart_.RangeEndDay())} -
                         chart_.RangeStartDay() + 1;
    return std::max(1.0, static_cast<double>(width) / static_cast<double>(days));
}

double ScheduleChartView::wantedDayWidth() const {
    // A scale of 0 or below (the toolbar zoomed out past its last step) shows the whole window.
    return chart_.TimeScale() >= 1 ? chart_.TimeScale() * dpiScale() : fitDayWidth();
}

QSize ScheduleChartView::frameSize() const {
    return frame_ ? frame_->size : viewport()->size();
}

int ScheduleChartView::scrollX() const {
    return frame_ ? frame_->scrollX : horizontalScrollBar()->value();
}

int ScheduleChartView::scrollY() const {
    return frame_ ? frame_->scrollY : verticalScrollBar()->value();
}

void ScheduleChartView::remeasureRows() {
    layout_.listFont = toQFont(chart_.ListFont());
    layout_.columnWidths.clear();
    for (int row = 1; row <= chart_.RowCount(); ++row) {
        measureRow(row);
    }
}

void ScheduleChartView::measureRow(int row) {
    if (row < 1 || row > chart_.RowCount()) {
        return;
    }
    const QFontMetrics metrics(layout_.listFont);
    const QStringList columns = toQString(chart_.RowText(static_cast<int16_t>(row))).split(';');
    if (layout_.columnWidths.size() < static_cast<size_t>(columns.size())) {
        layout_.columnWidths.resize(static_cast<size_t>(columns.size()), 0);
    }
    for (qsizetype c = 0; c < columns.size(); ++c) {
        int& width = layout_.columnWidths[static_cast<size_t>(c)];
        // Two pixels of slack: eliding measures with fractional advances.
        width = std::max(width, metrics.horizontalAdvance(columns[c].trimmed()) + 2);
    }
}

void ScheduleChartView::relayout() {
    Layout& l = layout_;
    const double scale = dpiScale();

    if (toQFont(chart_.ListFont()) != l.listFont) {
        remeasureRows();
    }
    // The time header keeps a modest size even when the list is set large and bold.
    l.headerFont = l.listFont;
    l.headerFont.setBold(false);
    l.headerFont.setPointSizeF(std::min(l.listFont.pointSizeF(), 9.0));
    l.barFont = toQFont(chart_.TimeBarFont());

    const QFontMetrics listMetrics(l.listFont);
    const QFontMetrics barMetrics(l.barFont);
    const QFontMetrics headerMetrics(l.headerFont);
    l.rowHeight = std::max({listMetrics.height() + 10, barMetrics.height() + 10,
                            static_cast<int>(std::lround(22 * scale))});
    l.headerRowHeight = headerMetrics.height() + 8;

    // The list is as wide as its columns, within a third of the view.
    const int padding = chart_palette::kTextPadding * 2;
    int wanted = headerMetrics.horizontalAdvance(toQString(chart_.ListColumnTitle())) + padding;
    int columnsWidth = 0;
    for (const int width : l.columnWidths) {
        columnsWidth +=
            std::min(width, static_cast<int>(chart_palette::kListColumnCap * scale)) + padding;
    }
    wanted = std::max({wanted, columnsWidth, static_cast<int>(std::lround(110 * scale))});
    const int limit = std::max(static_cast<int>(std::lround(110 * scale)), viewport()->width() / 3);
    l.listWidth = std::min(wanted, limit);

    const TimeAxis oldAxis = l.axis;
    const double dayWidth = wantedDayWidth();
    l.axis = TimeAxis(chart_.RangeStartDay(), chart_.RangeEndDay(), dayWidth);
    // A third header row of hours appears once an hour is wide enough for its number.
    const double hourWidth = dayWidth / 24;
    l.headerRows = hourWidth >= headerMetrics.horizontalAdvance(QStringLiteral("00")) + 8 ? 3 : 2;
    l.headerHeight = l.headerRows * l.headerRowHeight;

    // Zooming keeps the moment at the left edge where it was.
    double keepMinute = std::numeric_limits<double>::quiet_NaN();
    if (oldAxis.dayWidth() != l.axis.dayWidth() || oldAxis.firstDay() != l.axis.firstDay()) {
        keepMinute = horizontalScrollBar()->value() / oldAxis.minuteWidth() +
                     static_cast<double>(oldAxis.firstDay()) * TimeAxis::kMinutesPerDay;
    }
    syncScrollBars(keepMinute);
    if (oldAxis.dayWidth() != l.axis.dayWidth()) {
        emit zoomChanged();
    }
}

void ScheduleChartView::syncScrollBars(double keepMinuteAtLeft) {
    const QRect chart = chartArea();
    const double total = std::ceil(layout_.axis.totalWidth());
    const int width = std::max(0, chart.width());
    const int horizontalMax = static_cast<int>(
        std::clamp(total - width, 0.0, static_cast<double>(std::numeric_limits<int>::max() / 2)));
    QScrollBar* horizontal = horizontalScrollBar();
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
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, static_cast<int>(std::max<int64_t>(0, rowsHeight - height)));
    vertical->setPageStep(std::max(1, height));
    vertical->setSingleStep(layout_.rowHeight);

    scrollSpacer_->setFixedWidth(layout_.listWidth);
}

QSize ScheduleChartView::sizeHint() const {
    return QSize(640, 320);
}

QSize ScheduleChartView::minimumSizeHint() const {
    return QSize(layout_.listWidth + 60, layout_.headerHeight + layout_.rowHeight * 2);
}

void ScheduleChartView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    relayout();
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
        relayout();
        viewport()->update();
    }
}

void ScheduleChartView::scrollContentsBy(int /*dx*/, int /*dy*/) {
    // Header and list stay put while the rows move, so the whole viewport is repainted.
    viewport()->update();
}

// ---- Geometry ----

QRect ScheduleChartView::chartArea() const {
    const QRect all(QPoint(0, 0), frameSize());
    return QRect(QPoint(layout_.listWidth + 1, layout_.headerHeight), all.bottomRight());
}

QRect ScheduleChartView::listArea() const {
    return QRect(0, 0, layout_.listWidth, frameSize().height());
}

int ScheduleChartView::rowTop(int row) const {
    return layout_.headerHeight + (row - 1) * layout_.rowHeight - scrollY();
}

double ScheduleChartView::minuteX(int64_t absoluteMinute) const {
    return chartArea().left() + layout_.axis.x(absoluteMinute) - scrollX();
}

QRect ScheduleChartView::spanRect(int row, int64_t start, int64_t end, int32_t kind) const {
    const int left = ClampedCoordinate(minuteX(std::min(start, end)));
    const int right = std::max(left + 1, ClampedCoordinate(minuteX(std::max(start, end))));
    const int top = rowTop(row);
    if (kind == kCalendarBarKind) {
        return QRect(left, top, right - left, layout_.rowHeight - 1);
    }
    const int margin = std::max(3, layout_.rowHeight / 5);
    return QRect(left, top + margin, right - left, layout_.rowHeight - 2 * margin);
}

bool ScheduleChartView::barExists(int row, int bar) const {
    return row >= 1 && row <= chart_.RowCount() && bar >= 1 &&
           bar <= chart_.TimeBarCount(static_cast<int16_t>(row));
}

QRect ScheduleChartView::barRect(int row, int bar) const {
    if (!barExists(row, bar)) {
        return {};
    }
    const ChartBar& b = chart_.Bar(static_cast<int16_t>(row), static_cast<int16_t>(bar));
    return spanRect(row, b.Start.AbsoluteMinutes(), b.End.AbsoluteMinutes(), b.Kind);
}

QPoint ScheduleChartView::pointAt(int row, const ChartTime& time) const {
    return QPoint(ClampedCoordinate(minuteX(time.AbsoluteMinutes())),
                  rowTop(row) + layout_.rowHeight / 2);
}

int ScheduleChartView::rowAt(const QPoint& pos) const {
    if (pos.y() < layout_.headerHeight || pos.y() >= frameSize().height()) {
        return 0;
    }
    const int offset = pos.y() - layout_.headerHeight + scrollY();
    const int row = offset / layout_.rowHeight + 1;
    return row <= chart_.RowCount() ? row : 0;
}

ChartTime ScheduleChartView::timeAt(const QPoint& pos) const {
    const double offset = pos.x() - chartArea().left() + scrollX();
    return TimeAxis::timeOf(layout_.axis.minuteAt(offset));
}

std::pair<int, int> ScheduleChartView::visibleRows() const {
    const int count = chart_.RowCount();
    const QRect chart = chartArea();
    if (count == 0 || chart.height() <= 0) {
        return {1, 0};
    }
    const int top = scrollY();
    const int first = top / layout_.rowHeight + 1;
    const int last = std::min(count, (top + chart.height() - 1) / layout_.rowHeight + 1);
    return {first, last};
}

std::pair<int64_t, int64_t> ScheduleChartView::visibleMinutes() const {
    const double left = scrollX();
    const double right = left + chartArea().width();
    return {layout_.axis.minuteAt(left) - 1, layout_.axis.minuteAt(right) + 1};
}

ScheduleChartView::BarHit ScheduleChartView::barAt(const QPoint& pos) const {
    const int row = rowAt(pos);
    if (row == 0 || !chartArea().contains(pos)) {
        return {};
    }
    const int grip = static_cast<int>(std::lround(kEdgeGrip * dpiScale()));
    const double offset = pos.x() - chartArea().left() + scrollX();
    const int64_t from = layout_.axis.minuteAt(offset - grip) - 1;
    const int64_t to = layout_.axis.minuteAt(offset + grip) + 1;
    BarHit best;
    bool bestIsCalendar = true;
    const auto& rowIndex = index_->row(chart_, static_cast<int16_t>(row));
    rowIndex.forEachIn(from, to, [&](const qt_detail::RowBarIndex::Entry& entry) {
        const ChartBar& b = chart_.Bar(static_cast<int16_t>(row), entry.bar);
        const bool calendar = b.Kind == kCalendarBarKind;
        const QRect rect = spanRect(row, entry.start, entry.end, b.Kind);
        BarPart part = BarPart::None;
        if (calendar) {
            part = rect.contains(pos) ? BarPart::Body : BarPart::None;
        } else if (pos.y() >= rect.top() && pos.y() <= rect.bottom()) {
            // Short bars keep a body in the middle to grab.
            const int reach = std::min(grip, std::max(1, rect.width() / 3));
            if (std::abs(pos.x() - rect.left()) <= reach) {
                part = BarPart::StartEdge;
            } else if (std::abs(pos.x() - (rect.right() + 1)) <= reach) {
                part = BarPart::EndEdge;
            } else if (rect.contains(pos)) {
                part = BarPart::Body;
            }
        }
        if (part == BarPart::None) {
            return;
        }
        // Work-order bars win over calendar blocks; among equals the later bar is on top.
        const bool better = best.bar == 0 || (bestIsCalendar && !calendar) ||
                            (bestIsCalendar == calendar && entry.bar > best.bar);
        if (better) {
            best = {row, entry.bar, part};
            bestIsCalendar = calendar;
        }
    });
    return best;
}

// ---- Scrolling ----

int32_t ScheduleChartView::firstVisibleDay() const {
    return TimeAxis::timeOf(layout_.axis.minuteAt(scrollX())).Day;
}

void ScheduleChartView::scrollToDay(int32_t day) {
    const double x = layout_.axis.x(int64_t{day} * TimeAxis::kMinutesPerDay);
    horizontalScrollBar()->setValue(ClampedCoordinate(std::ceil(x)));
}

void ScheduleChartView::scrollToRow(int row) {
    if (row < 1 || row > chart_.RowCount()) {
        return;
    }
    QScrollBar* vertical = verticalScrollBar();
    const int top = (row - 1) * layout_.rowHeight;
    const int height = chartArea().height();
    if (top < vertical->value()) {
        vertical->setValue(top);
    } else if (top + layout_.rowHeight > vertical->value() + height) {
        vertical->setValue(top + layout_.rowHeight - height);
    }
}

void ScheduleChartView::scrollToBar(int row, int bar) {
    if (!barExists(row, bar)) {
        return;
    }
    scrollToRow(row);
    const ChartBar& b = chart_.Bar(static_cast<int16_t>(row), static_cast<int16_t>(bar));
    const double start = layout_.axis.x(b.Start);
    const double end = layout_.axis.x(b.End);
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

}  // namespace tessaro
