#include "view_commands.hpp"

#include <QApplication>
#include <QDateTime>
#include <QMenu>
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

bool MoveActivity(TessaroWidget& chart, const QString& key, int hours, const QString& resource) {
    Tessaro_Ctrl& ctrl = chart.control();
    ScheduleChart& schedule = ctrl.ctResSched();
    const std::string wanted = key.toStdString();
    const int16_t row = schedule.FindTimeBarRow(wanted);
    const int16_t bar = row > 0 ? schedule.FindTimeBarInRow(wanted, row) : 0;
    if (bar == 0) {
        return false;
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
        return false;
    }
    int16_t target = tempRow;
    for (int r = 1; r <= schedule.RowCount() && !resource.isEmpty(); ++r) {
        if (toQString(schedule.RowColumnText(static_cast<int16_t>(r), 1)) == resource) {
            target = static_cast<int16_t>(r);
        }
    }
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
