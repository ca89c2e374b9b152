#include "resource_search.hpp"

#include <tessaro/qt/conversions.hpp>

namespace tessaro::qt_detail {

int FindResourceRow(const ScheduleChart& chart, const QString& text, int after) {
    const QString wanted = text.trimmed();
    const int rows = chart.RowCount();
    if (wanted.isEmpty() || rows == 0) {
        return 0;
    }
    const int from = after >= 1 && after <= rows ? after : 0;
    for (int step = 1; step <= rows; ++step) {
        const int row = (from + step - 1) % rows + 1;
        const auto r = static_cast<int16_t>(row);
        for (const int16_t column : {int16_t{1}, int16_t{2}}) {
            if (toQString(chart.RowColumnText(r, column)).contains(wanted, Qt::CaseInsensitive)) {
                return row;
            }
        }
    }
    return 0;
}

}  // namespace tessaro::qt_detail
