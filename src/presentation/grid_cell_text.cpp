#include "grid_cell_text.hpp"

#include <QDate>

#include "bar_facts.hpp"

namespace tessaro::qt_detail {

QString GridCellNow(const Tessaro_Ctrl& control, int column, int row, const QString& text) {
    // Columns 4 to 7 are the listed activity's start and end date and time as the payload gave
    // them; the control writes them so. A changed activity's record says where it is now (the
    // earliest start and latest end of its bars), and that is what the grid shows.
    constexpr int kWorkOrder = 1;
    constexpr int kStartDate = 4;
    constexpr int kStartTime = 5;
    constexpr int kEndDate = 6;
    constexpr int kEndTime = 7;
    constexpr int kRequired = 10;
    constexpr int kPromised = 11;
    constexpr int kActivity = 12;
    constexpr int kDuration = 13;
    if (column == kRequired || column == kPromised) {
        return LocalPayloadDate(text);
    }
    if (column == kDuration) {
        return DurationText(text);
    }
    if (column < kStartDate || column > kEndTime || text.isEmpty()) {
        return text;
    }
    const bool isDate = column == kStartDate || column == kEndDate;
    const ListGrid& grid = control.vaSpread();
    const auto* change = control.PendingChanges().Find(grid.CellText(kWorkOrder, row) + "$" +
                                                       grid.CellText(kActivity, row));
    if (change == nullptr) {
        return isDate ? LocalPayloadDate(text) : LocalPayloadTime(text);
    }
    const ChartTime at = ChartTime::FromPayloadSeconds(column <= kStartTime ? (*change)->starttime
                                                                            : (*change)->endtime);
    if (isDate) {
        return LocalPayloadDate(
            QDate(1900, 1, 1).addDays(at.Day).toString(QStringLiteral("MM/dd/yyyy")));
    }
    return LocalPayloadTime(QStringLiteral("%1:%2")
                                .arg(at.Minute / 60, 2, 10, QLatin1Char('0'))
                                .arg(at.Minute % 60, 2, 10, QLatin1Char('0')));
}

QString DurationText(const QString& seconds) {
    bool number = false;
    const qlonglong value = seconds.trimmed().toLongLong(&number);
    if (!number || value < 0) {
        return seconds;
    }
    const qlonglong minutes = (value + 30) / 60;
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

std::function<QString(const QString&)> DetailBoxText(const std::string& box) {
    if (box == "TxtActStartDate" || box == "TxtactEndDate" || box == "TxtReqDt" ||
        box == "TxtPromisedDt") {
        return LocalPayloadDate;
    }
    if (box == "TxtWOStTime" || box == "TxtWOEndTime") {
        return LocalPayloadTime;
    }
    return nullptr;
}

}  // namespace tessaro::qt_detail
