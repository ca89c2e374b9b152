#include "view_commands.hpp"

#include <optional>

#include <QApplication>
#include <QDateTime>
#include <QMenu>
#include <QMouseEvent>
#include <QPalette>
#include <QStyleFactory>

#include <tessaro/qt.hpp>
#include <tessaro/tessaro.hpp>

#include "dark_palette.hpp"

namespace tessaro::demo {

void UseDarkPalette() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(DarkPalette());
}

bool SetNowLine(TessaroWidget& chart, const QString& isoTime) {
    const QDateTime at = QDateTime::fromString(isoTime, Qt::ISODate);
    if (!at.isValid()) {
        return false;
    }
    chart.chartView()->setNowTime(
        ChartTime{DayNumber(at.date().year(), at.date().month(), at.date().day()),
                  at.time().hour() * 60 + at.time().minute()});
    return true;
}

namespace {

struct PendingCopy {
    int16_t row = 0;
    int16_t bar = 0;
    // The row of the resource asked for, the copy's own otherwise.
    int16_t target = 0;
};

// Clicks the bar with the key, copies its activity and finds the copy's temporary bar.
std::optional<PendingCopy> CopyActivity(TessaroWidget& chart, const QString& key,
                                        const QString& resource) {
    Tessaro_Ctrl& ctrl = chart.control();
    ScheduleChart& schedule = ctrl.ctResSched();
    const std::string wanted = key.toStdString();
    const int16_t row = schedule.FindTimeBarRow(wanted);
    const int16_t bar = row > 0 ? schedule.FindTimeBarInRow(wanted, row) : 0;
    if (bar == 0) {
        return std::nullopt;
    }
    schedule.ClickBar(row, bar);
    schedule.RightClickBar(row, bar);
    ctrl.mnuSchedPopUp().Choose("miCopy");
    // The menu the right-click opened is not wanted in a picture.
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMenu*>(widget) != nullptr) {
            widget->close();
        }
    }
    const std::string temporaryKey = ctrl.TempBarKey();
    const int16_t tempRow = schedule.FindTimeBarRow(temporaryKey);
    const int16_t temp = tempRow > 0 ? schedule.FindTimeBarInRow(temporaryKey, tempRow) : 0;
    if (temp == 0) {
        return std::nullopt;
    }
    PendingCopy copy{tempRow, temp, tempRow};
    for (int r = 1; r <= schedule.RowCount() && !resource.isEmpty(); ++r) {
        if (toQString(schedule.RowColumnText(static_cast<int16_t>(r), 1)) == resource) {
            copy.target = static_cast<int16_t>(r);
        }
    }
    return copy;
}

void SendMouse(QWidget* port, QEvent::Type type, const QPoint& pos, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(pos), QPointF(port->mapToGlobal(pos)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(port, &event);
}

}  // namespace

bool HoldCopyDrag(TessaroWidget& chart, const QString& key, int hours, const QString& resource) {
    const std::optional<PendingCopy> copy = CopyActivity(chart, key, resource);
    if (!copy) {
        return false;
    }
    ScheduleChartView* view = chart.chartView();
    view->scrollToBar(copy->row, copy->bar);
    QApplication::processEvents();
    QWidget* port = view->viewport();
    const QPoint from = view->barRect(copy->row, copy->bar).center();
    const QPoint to(from.x() + static_cast<int>(view->dayWidth() * hours / 24.0),
                    view->pointAt(copy->target, ChartTime{}).y());
    SendMouse(port, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    for (int i = 1; i <= 8; ++i) {
        SendMouse(port, QEvent::MouseMove, from + (to - from) * i / 8, Qt::NoButton,
                  Qt::LeftButton);
    }
    return view->dragState() == ScheduleChartView::DragState::MovingBar;
}

bool MoveActivity(TessaroWidget& chart, const QString& key, int hours, const QString& resource) {
    const std::optional<PendingCopy> pending = CopyActivity(chart, key, resource);
    if (!pending) {
        return false;
    }
    ScheduleChart& schedule = chart.control().ctResSched();
    const int16_t tempRow = pending->row;
    const int16_t temp = pending->bar;
    const int16_t target = pending->target;
    const ChartBar& copy = schedule.Bar(tempRow, temp);
    const ChartTime start = TimeAxis::timeOf(copy.Start.AbsoluteMinutes() + int64_t{hours} * 60);
    schedule.DragBar(tempRow, temp, target, start.Day, start.Minute);
    // The moved activity, clicked so that its details show.
    for (int r = 1; r <= schedule.RowCount(); ++r) {
        for (int b = 1; b <= schedule.TimeBarCount(static_cast<int16_t>(r)); ++b) {
            if (chart.chartView()->changeOf(r, b) != nullptr) {
                schedule.ClickBar(static_cast<int16_t>(r), static_cast<int16_t>(b));
                return true;
            }
        }
    }
    return false;
}

bool ExportChart(TessaroWidget& chart, const QString& path) {
    return path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) ? chart.exportChartPdf(path)
                                                                      : chart.exportChartPng(path);
}

}  // namespace tessaro::demo
