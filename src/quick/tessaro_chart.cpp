#include "tessaro_chart.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QFile>
#include <QGuiApplication>
#include <QPalette>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QSaveFile>
#include <QUrl>

#include <tessaro/bars/chart_conventions.hpp>
#include <tessaro/qt/conversions.hpp>
#include <tessaro/runtime/calendar.hpp>

#include "activity_texts.hpp"
#include "chart_measures.hpp"
#include "core_captions.hpp"
#include "guarded_call.hpp"
#include "tessaro_chart_private.hpp"

namespace tessaro {

namespace {

std::string ReadFile(const QString& path, bool& ok) {
    QFile file(path);
    ok = file.open(QIODevice::ReadOnly);
    return ok ? file.readAll().toStdString() : std::string();
}

QString LocalPath(const QString& file) {
    const QUrl url(file);
    return url.isLocalFile() ? url.toLocalFile() : file;
}

}  // namespace

template <typename Call>
bool TessaroChart::Private::guarded(Call&& call) {
    return qt_detail::runGuarded(std::forward<Call>(call),
                                 [this](int number, const QString& source, const QString& text) {
                                     emit q->errorRaised(number, source, text);
                                 });
}

TessaroChart::Private::Private(TessaroChart& item)
    : q(&item),
      control(std::make_unique<Tessaro_Ctrl>()),
      chart(control->ctResSched()),
      index(std::make_unique<qt_detail::ChartBarIndex>(WorkOrderBarKind)),
      colours(std::make_unique<chart_palette::ChartColours>(
          chart_palette::ChartColours::from(QGuiApplication::palette()))),
      labels(std::make_unique<qt_detail::LabelCache>()),
      marks(std::make_unique<qt_detail::BarMarks>()),
      frameBars(std::make_unique<qt_detail::FrameBars>()),
      loads(std::make_unique<qt_detail::LoadStrips>()) {
    clock.start();
}

TessaroChart::Private::~Private() = default;

TessaroChart::TessaroChart(QQuickItem* parent)
    : QQuickPaintedItem(parent), d(std::make_unique<Private>(*this)) {
    setAcceptedMouseButtons(Qt::LeftButton | Qt::RightButton);
    setAcceptTouchEvents(true);
    setAcceptHoverEvents(true);
    setActiveFocusOnTab(true);
    setFlag(ItemIsFocusScope, false);
    setOpaquePainting(true);
    d->holdTimer.setSingleShot(true);
    QObject::connect(&d->holdTimer, &QTimer::timeout, this, [this] { d->holdElapsed(); });
    // About one step a frame while a flick carries the chart on.
    d->flickTimer.setInterval(16);
    QObject::connect(&d->flickTimer, &QTimer::timeout, this, [this] { d->flickStep(); });

    Tessaro_Ctrl& control = *d->control;
    d->chartSubscription = d->chart.Changed.Subscribe(
        [this](const ChartChange& change) { d->onChartChanged(change); });
    d->pendingSubscription = control.PendingChangesChanged().Subscribe([this](int) {
        d->outlinesDirty = true;
        update();
        emit pendingChangesChanged();
    });
    d->selectionSubscription =
        control.SelectedWorkOrderChanged().Subscribe([this](const std::string& workOrder) {
            d->selectedWorkOrder = toQString(workOrder);
            emit selectedWorkOrderChanged();
        });
    d->undoSubscription =
        control.UndoAvailableChanged().Subscribe([this](bool) { emit canUndoChanged(); });
    d->redoSubscription =
        control.RedoAvailableChanged().Subscribe([this](bool) { emit canRedoChanged(); });
    for (const auto& [caption, box] : d->detailBoxes()) {
        d->detailSubscriptions.emplace_back(
            box, box->Changed.Subscribe([this] { emit detailsChanged(); }));
    }
    d->subscribeMenu(control.mnuSchedPopUp());
    d->subscribeMenu(control.mnuDrag());
    qt_detail::MeasureRows(d->layout, d->chart);
    d->relayout();
}

TessaroChart::~TessaroChart() {
    Tessaro_Ctrl& control = *d->control;
    d->chart.Changed.Unsubscribe(d->chartSubscription);
    control.PendingChangesChanged().Unsubscribe(d->pendingSubscription);
    control.SelectedWorkOrderChanged().Unsubscribe(d->selectionSubscription);
    control.UndoAvailableChanged().Unsubscribe(d->undoSubscription);
    control.RedoAvailableChanged().Unsubscribe(d->redoSubscription);
    for (const auto& [menu, id] : d->menuSubscriptions) {
        menu->Shown.Unsubscribe(id);
    }
    for (const auto& [box, id] : d->detailSubscriptions) {
        box->Changed.Unsubscribe(id);
    }
}

Tessaro_Ctrl& TessaroChart::control() {
    return *d->control;
}

// ---- Layout ----

double TessaroChart::Private::dpiScale() const {
    // Qt Quick works in device-independent pixels: 96 logical dots an inch.
    return 1.0;
}

qt_detail::ChartGeometry TessaroChart::Private::geometry() const {
    return {layout, QSize(static_cast<int>(q->width()), static_cast<int>(q->height())), scrollX,
            scrollY, chart.RowCount()};
}

void TessaroChart::Private::relayout() {
    const TimeAxis oldAxis = layout.axis;
    qt_detail::LayOutChart(layout, chart, dpiScale(), static_cast<int>(q->width()));
    if (oldAxis.dayWidth() != layout.axis.dayWidth() ||
        oldAxis.firstDay() != layout.axis.firstDay()) {
        // Zooming keeps the moment at the left edge where it was.
        const double minute = scrollX / oldAxis.minuteWidth() +
                              static_cast<double>(oldAxis.firstDay()) * TimeAxis::kMinutesPerDay;
        scrollX = qt_detail::ClampedCoordinate(
            (minute - static_cast<double>(layout.axis.firstDay()) * TimeAxis::kMinutesPerDay) *
            layout.axis.minuteWidth());
    }
    clampScroll();
    if (oldAxis.dayWidth() != layout.axis.dayWidth()) {
        emit q->zoomChanged();
    }
    notifyContentSize();
}

void TessaroChart::Private::notifyContentSize() {
    const int width = q->contentWidth();
    const int height = q->contentHeight();
    const QRect area = geometry().chartArea();
    if (width != lastContentWidth || height != lastContentHeight || area != lastChartArea) {
        lastContentWidth = width;
        lastContentHeight = height;
        lastChartArea = area;
        emit q->contentSizeChanged();
    }
}

bool TessaroChart::Private::barExists(int row, int bar) const {
    return row >= 1 && row <= chart.RowCount() && bar >= 1 &&
           bar <= chart.TimeBarCount(static_cast<int16_t>(row));
}

QRect TessaroChart::Private::paintedBarRect(int row, int bar) const {
    return qt_detail::PaintedBarRect(geometry(), chart, *index, row, bar, subLanes);
}

qt_detail::BarUnderPoint TessaroChart::Private::barAt(const QPointF& pos, int grip) const {
    return qt_detail::FindBarAt(geometry(), chart, *index, pos.toPoint(), grip, subLanes);
}

void TessaroChart::Private::revealBar(int row, int bar) {
    if (!barExists(row, bar)) {
        return;
    }
    const QRect area = geometry().chartArea();
    const ChartBar& b = chart.Bar(static_cast<int16_t>(row), static_cast<int16_t>(bar));
    const int top = (row - 1) * layout.rowHeight;
    int y = scrollY;
    if (top < y) {
        y = top;
    } else if (top + layout.rowHeight > y + area.height()) {
        y = top + layout.rowHeight - area.height();
    }
    const double start = layout.axis.x(b.Start);
    const double end = layout.axis.x(b.End);
    int x = scrollX;
    const bool startVisible = start >= x && start < x + area.width();
    const bool endVisible = end > x && end <= x + area.width();
    if (!startVisible || (!endVisible && end - start <= area.width())) {
        // A little of what comes before stays in sight, for orientation.
        x = qt_detail::ClampedCoordinate(start - area.width() / 8.0);
    }
    scrollTo(x, y);
}

// ---- What the frame marks beyond the bars ----

qt_detail::ConflictsOfRows TessaroChart::Private::conflictsOfRows(int firstRow, int lastRow) const {
    const auto row = [this](int r) {
        return static_cast<int16_t>(std::clamp(r, 0, static_cast<int>(chart.RowCount())));
    };
    qt_detail::ConflictsOfRows asked{firstRow, lastRow, {}};
    qt_detail::runGuarded(
        [&] { asked.conflicts = control->PlanConflictsOfRows(row(firstRow), row(lastRow)); },
        [this](int number, const QString& source, const QString& text) {
            emit q->errorRaised(number, source, text);
        });
    return asked;
}

const std::vector<PlanConflict>& TessaroChart::Private::conflictsInSight() {
    const auto [first, last] = geometry().visibleRows();
    return planConflicts.of(first, std::max(first, last),
                            [this](int from, int to) { return conflictsOfRows(from, to); });
}

const std::vector<PlanConflict>& TessaroChart::Private::allConflicts() {
    return planConflicts.of(1, std::max<int>(1, chart.RowCount()),
                            [this](int from, int to) { return conflictsOfRows(from, to); });
}

const std::vector<qt_detail::LinkLine>& TessaroChart::Private::selectedLinks() {
    return links.of(chart, lastClicked.first, lastClicked.second, [this](const std::string& order) {
        std::vector<qt_detail::LinkLine> lines;
        guarded([&] { lines = qt_detail::PrecedenceLinksOf(*control, order); });
        return lines;
    });
}

void TessaroChart::Private::clampScroll() {
    const QRect area = geometry().chartArea();
    const double total = std::ceil(layout.axis.totalWidth());
    const int maxX =
        static_cast<int>(std::clamp(total - std::max(0, area.width()), 0.0,
                                    static_cast<double>(std::numeric_limits<int>::max() / 2)));
    const int64_t rowsHeight = int64_t{chart.RowCount()} * layout.rowHeight;
    const int maxY =
        static_cast<int>(std::max<int64_t>(0, rowsHeight - std::max(0, area.height())));
    scrollX = std::clamp(scrollX, 0, maxX);
    scrollY = std::clamp(scrollY, 0, maxY);
}

void TessaroChart::Private::scrollTo(int x, int y) {
    const QPoint before(scrollX, scrollY);
    scrollX = x;
    scrollY = y;
    clampScroll();
    if (before != QPoint(scrollX, scrollY)) {
        emit q->scrolled();
        q->update();
    }
}

void TessaroChart::Private::onChartChanged(const ChartChange& change) {
    using Kind = ChartChange::Kind;
    if (change.What == Kind::Rows || change.What == Kind::Bars || change.What == Kind::Bar) {
        outlinesDirty = true;
        planConflicts.markDirty();
        links.markDirty();
        // The bar under the mouse may have gone or changed: its tooltip is found again.
        clearHover();
    }
    switch (change.What) {
        case Kind::Rows:
            index->markAllDirty();
            loads->markAllDirty();
            lastClicked = {0, 0};
            cancel();
            if (change.Row == 0) {
                qt_detail::MeasureRows(layout, chart);
            } else {
                qt_detail::MeasureRow(layout, chart, change.Row);
            }
            relayout();
            break;
        case Kind::Bars:
            index->markRowDirty(change.Row);
            loads->markRowDirty(change.Row);
            if (lastClicked.first == change.Row) {
                lastClicked = {0, 0};
            }
            if (state == State::Moving || state == State::Pressed) {
                if (drag.bar > chart.TimeBarCount(static_cast<int16_t>(drag.row))) {
                    cancel();
                }
            }
            break;
        case Kind::Bar:
            index->markRowDirty(change.Row);
            loads->markRowDirty(change.Row);
            break;
        case Kind::Appearance:
            relayout();
            break;
        case Kind::ShowBar:
            revealBar(change.Row, change.Bar);
            break;
        case Kind::Styles:
        case Kind::Redraw:
            break;
        case Kind::Container:
            return;
    }
    q->update();
}

void TessaroChart::geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) {
    QQuickPaintedItem::geometryChange(newGeometry, oldGeometry);
    d->relayout();
    update();
}

// ---- Properties ----

int TessaroChart::pendingChanges() const {
    return static_cast<int>(d->control->Changes().size());
}

QString TessaroChart::selectedWorkOrder() const {
    return d->selectedWorkOrder;
}

bool TessaroChart::canUndo() const {
    return d->control->CanUndo();
}

bool TessaroChart::canRedo() const {
    return d->control->CanRedo();
}

QDateTime TessaroChart::nowTime() const {
    if (!d->now) {
        return {};
    }
    const CivilDate date = DateFromDayNumber(d->now->Day);
    return QDateTime(QDate(date.Year, date.Month, date.Day),
                     QTime(d->now->Minute / 60, d->now->Minute % 60));
}

void TessaroChart::setNowTime(const QDateTime& now) {
    std::optional<ChartTime> time;
    if (now.isValid()) {
        time = ChartTime{DayNumber(now.date().year(), now.date().month(), now.date().day()),
                         now.time().hour() * 60 + now.time().minute()};
    }
    const auto same = [](const std::optional<ChartTime>& a, const std::optional<ChartTime>& b) {
        return a.has_value() == b.has_value() &&
               (!a || (a->Day == b->Day && a->Minute == b->Minute));
    };
    if (same(time, d->now)) {
        return;
    }
    d->now = time;
    emit nowTimeChanged();
    update();
}

double TessaroChart::dayWidth() const {
    return d->layout.axis.dayWidth();
}

int TessaroChart::rowHeight() const {
    return d->layout.rowHeight;
}

int TessaroChart::contentX() const {
    return d->scrollX;
}

void TessaroChart::setContentX(int x) {
    d->scrollTo(x, d->scrollY);
}

int TessaroChart::contentY() const {
    return d->scrollY;
}

void TessaroChart::setContentY(int y) {
    d->scrollTo(d->scrollX, y);
}

int TessaroChart::contentWidth() const {
    return qt_detail::ClampedCoordinate(std::ceil(d->layout.axis.totalWidth()));
}

int TessaroChart::contentHeight() const {
    return static_cast<int>(std::min<int64_t>(int64_t{d->chart.RowCount()} * d->layout.rowHeight,
                                              std::numeric_limits<int>::max()));
}

QRectF TessaroChart::chartArea() const {
    return QRectF(d->geometry().chartArea());
}

bool TessaroChart::flicking() const {
    return d->flickTimer.isActive();
}

bool TessaroChart::subLanes() const {
    return d->subLanes;
}

void TessaroChart::setSubLanes(bool on) {
    if (d->subLanes != on) {
        d->subLanes = on;
        d->clearHover();
        emit subLanesChanged();
        update();
    }
}

bool TessaroChart::loadStrips() const {
    return d->loadStrips;
}

void TessaroChart::setLoadStrips(bool on) {
    if (d->loadStrips != on) {
        d->loadStrips = on;
        emit loadStripsChanged();
        update();
    }
}

QString TessaroChart::hoverText() const {
    return d->hoverText;
}

QRectF TessaroChart::hoverRect() const {
    return d->hoverRect;
}

std::pair<int, int> TessaroChart::focusedBar() const {
    const qt_detail::BarFocus focus = d->focusedBar();
    return {focus.row, focus.bar};
}

std::pair<int, int> TessaroChart::lastClickedBar() const {
    return d->lastClicked;
}

// ---- Host calls ----

QString TessaroChart::loadPlant(const QString& header, const QString& resources,
                                const QString& calendars, const QString& workOrders) {
    QString error;
    const bool loaded = qt_detail::runGuarded(
        [&] {
            d->control->LoadScheduleTime(header.toStdString());
            d->control->LoadResource(resources.toStdString());
            d->control->LoadCalendarEvents(calendars.toStdString());
            d->control->LoadResourceEvents(workOrders.toStdString());
        },
        [&](int, const QString&, const QString& description) { error = description; });
    if (loaded) {
        d->scrollTo(0, 0);
    }
    return loaded ? QString() : (error.isEmpty() ? QStringLiteral("not loaded") : error);
}

QString TessaroChart::loadPlantFolder(const QString& path) {
    const QString folder = LocalPath(path);
    QStringList texts;
    for (const char* name : {"header.xml", "resources.xml", "calendars.xml", "workorders.xml"}) {
        bool ok = false;
        const QString file = folder + QLatin1Char('/') + QLatin1String(name);
        texts.push_back(QString::fromStdString(ReadFile(file, ok)));
        if (!ok) {
            return tr("Cannot read %1").arg(file);
        }
    }
    return loadPlant(texts[0], texts[1], texts[2], texts[3]);
}

void TessaroChart::undo() {
    d->guarded([&] { d->control->Undo(); });
}

void TessaroChart::redo() {
    d->guarded([&] { d->control->Redo(); });
}

void TessaroChart::acceptChanges() {
    d->guarded([&] { d->control->AcceptChanges(); });
    emit pendingChangesChanged();
}

QString TessaroChart::changesXml() {
    QString xml;
    d->guarded([&] { xml = toQString(d->control->ChangesXml()); });
    return xml;
}

bool TessaroChart::saveChanges(const QString& file) {
    // A save that fails half-way leaves the earlier document whole.
    QSaveFile out(LocalPath(file));
    if (!out.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray bytes = changesXml().toUtf8();
    return out.write(bytes) == bytes.size() && out.commit();
}

std::vector<std::pair<QString, TextBox*>> TessaroChart::Private::detailBoxes() const {
    Tessaro_Ctrl& c = *control;
    return {{tr("Work order"), &c.TxtWONo()},         {tr("Activity"), &c.TxtWOAct()},
            {tr("Status"), &c.TxtWOStatus()},         {tr("Item"), &c.TxtItemNo()},
            {tr("Start date"), &c.TxtActStartDate()}, {tr("End date"), &c.TxtactEndDate()},
            {tr("Start time"), &c.TxtWOStTime()},     {tr("End time"), &c.TxtWOEndTime()}};
}

QVariantList TessaroChart::details() const {
    QVariantList details;
    for (const auto& [caption, box] : d->detailBoxes()) {
        details.push_back(QVariantMap{{QStringLiteral("caption"), caption},
                                      {QStringLiteral("text"), toQString(box->Text())}});
    }
    return details;
}

QRectF TessaroChart::barRect(int row, int bar) const {
    if (!d->barExists(row, bar)) {
        return {};
    }
    return QRectF(d->paintedBarRect(row, bar));
}

bool TessaroChart::clickBar(int row, int bar) {
    if (!d->barExists(row, bar)) {
        return false;
    }
    d->focusBar({row, bar}, false);
    return d->click(row, bar);
}

void TessaroChart::setFocusedBar(int row, int bar) {
    d->focusBar({row, bar}, true);
}

QString TessaroChart::toolTipAt(double x, double y) const {
    const qt_detail::BarUnderPoint hit = d->barAt(QPointF(x, y), 0);
    if (hit.bar == 0) {
        return {};
    }
    QString text;
    qt_detail::runGuarded([&] { text = qt_detail::BarToolTip(*d->control, hit.row, hit.bar); },
                          [](int, const QString&, const QString&) {});
    return text;
}

// ---- Pop-up menus ----

void TessaroChart::Private::subscribeMenu(PopupMenu& model) {
    menuSubscriptions.emplace_back(&model,
                                   model.Shown.Subscribe([this, &model] { showMenu(model); }));
}

void TessaroChart::Private::showMenu(PopupMenu& model) {
    QVariantList entries;
    for (const MenuItem& item : model.Items()) {
        if (!item.Visible()) {
            continue;
        }
        entries.push_back(
            QVariantMap{{QStringLiteral("name"), toQString(item.Name())},
                        {QStringLiteral("caption"), qt_detail::CoreCaption(item.Caption())},
                        {QStringLiteral("enabled"), item.Enabled()},
                        {QStringLiteral("separator"), item.IsSeparator()}});
    }
    // The item brings its own Qt Quick Controls menu when it lives in a QML engine; a host may
    // also answer menuRequested itself.
    if (menu == nullptr) {
        if (QQmlEngine* engine = qmlEngine(q)) {
            QQmlComponent component(engine, QUrl(QStringLiteral("qrc:/Tessaro/ChartMenu.qml")));
            menu = component.createWithInitialProperties(
                {{QStringLiteral("parent"), QVariant::fromValue(q)},
                 {QStringLiteral("chart"), QVariant::fromValue(q)}});
            if (menu != nullptr) {
                menu->setParent(q);
            } else {
                qWarning("TessaroChart: %s", qPrintable(component.errorString()));
            }
        }
    }
    emit q->menuRequested(toQString(model.Name()), qt_detail::CoreCaption(model.Caption()), entries,
                          menuPos.x(), menuPos.y());
}

void TessaroChart::chooseMenuItem(const QString& menu, const QString& item) {
    Tessaro_Ctrl& c = *d->control;
    PopupMenu& model = menu == QStringLiteral("mnuDrag") ? c.mnuDrag() : c.mnuSchedPopUp();
    d->guarded([&] { model.Choose(item.toStdString()); });
}

}  // namespace tessaro
