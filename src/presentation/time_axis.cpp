#include <tessaro/qt/time_axis.hpp>

#include <algorithm>
#include <cmath>

#include <tessaro/qt/conversions.hpp>

namespace tessaro {
namespace {

int64_t FloorDiv(int64_t value, int64_t divisor) {
    const int64_t quotient = value / divisor;
    return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

// Below this many pixels a snap step is too fine to aim at with the mouse.
constexpr double kMinimumSnapPixels = 4.0;

}  // namespace

TimeAxis::TimeAxis(int32_t firstDay, int32_t lastDay, double dayWidth)
    : firstDay_(firstDay),
      lastDay_(std::max(firstDay, lastDay)),
      dayWidth_(std::isfinite(dayWidth) ? std::max(1.0, dayWidth) : 1.0) {}

double TimeAxis::x(int64_t absoluteMinute) const {
    const int64_t fromStart = absoluteMinute - int64_t{firstDay_} * kMinutesPerDay;
    // Multiplied before divided: whole days land on whole pixels exactly.
    return static_cast<double>(fromStart) * dayWidth_ / kMinutesPerDay;
}

int64_t TimeAxis::minuteAt(double offset) const {
    return int64_t{firstDay_} * kMinutesPerDay +
           static_cast<int64_t>(std::floor(offset * kMinutesPerDay / dayWidth_));
}

int32_t TimeAxis::snapMinutes() const {
    for (const int32_t step : {1, 5}) {
        if (step * minuteWidth() >= kMinimumSnapPixels) {
            return step;
        }
    }
    return 15;
}

int64_t TimeAxis::snap(int64_t absoluteMinute) const {
    const int64_t step = snapMinutes();
    return FloorDiv(absoluteMinute + step / 2, step) * step;
}

ChartTime TimeAxis::timeOf(int64_t absoluteMinute) {
    const int64_t day = FloorDiv(absoluteMinute, kMinutesPerDay);
    return ChartTime{static_cast<int32_t>(day),
                     static_cast<int32_t>(absoluteMinute - day * kMinutesPerDay)};
}

int TimeAxis::weekday(int32_t day) {
    const int64_t shifted = int64_t{day} + 1;
    return static_cast<int>(shifted - FloorDiv(shifted, 7) * 7);
}

QString listEntry(const std::string& list, char separator, int index) {
    size_t begin = 0;
    for (int i = 0; i < index; ++i) {
        const size_t found = list.find(separator, begin);
        if (found == std::string::npos) {
            return {};
        }
        begin = found + 1;
    }
    const size_t end = list.find(separator, begin);
    return toQString(std::string_view(list).substr(
        begin, end == std::string::npos ? std::string::npos : end - begin));
}

QString formatMonthCaption(const std::string& format, const std::string& monthNames, int32_t year,
                           int32_t month) {
    QString caption;
    for (const char c : format) {
        switch (c) {
            case 'M':
                caption += listEntry(monthNames, ',', month - 1).trimmed();
                break;
            case 'm':
                caption += QString::number(month);
                break;
            case 'Y':
                caption += QString::number(year);
                break;
            case 'y':
                caption += QStringLiteral("%1").arg(((year % 100) + 100) % 100, 2, 10, QChar('0'));
                break;
            default:
                caption += QChar::fromLatin1(c);
                break;
        }
    }
    return caption;
}

}  // namespace tessaro
