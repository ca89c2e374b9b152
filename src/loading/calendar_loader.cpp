#include <array>
#include <string>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/runtime/automation_error.hpp>
#include "runtime/checked_arithmetic.hpp"

#include "loading/field_reading.hpp"
#include "loading/loading_session.hpp"
#include "loading/payload_table.hpp"
#include "loading/staged_bars.hpp"
#include "runtime/floor_division.hpp"

namespace tessaro {

namespace {

// A calendar entry may carry the first n of these attributes, in any order.
constexpr std::array<FixedColumn, 8> kCalendarColumns{{
    {"avlqty", ColumnType::Int32},
    {"calendar_from", ColumnType::Date},
    {"no_of_buckets1", ColumnType::Int32},
    {"no_of_buckets2", ColumnType::Int32},
    {"resno", ColumnType::Text},
    {"time_buffer", ColumnType::Int32},
    {"timeindays1", ColumnType::Int32},
    {"timetableno", ColumnType::Text},
}};
constexpr int32_t kCalendarFrom = 1;
constexpr int32_t kStartSeconds = 2;
constexpr int32_t kLengthSeconds = 3;
constexpr int32_t kResno = 4;

// The minute of the day reached that many seconds after a midnight: whole days fall away,
// negative seconds count back from midnight, the seconds of the minute are dropped.
int32_t MinuteOfDay(int32_t seconds) {
    return static_cast<int32_t>(FloorMod(seconds, 86400) / 60);
}

// Seconds as whole minutes, an exact half going to the even neighbour.
int32_t RoundedMinutes(int64_t seconds) {
    int64_t minutes = seconds / 60;
    int64_t rest = seconds - minutes * 60;
    if (rest < 0) {
        --minutes;
        rest += 60;
    }
    if (rest > 30 || (rest == 30 && minutes % 2 != 0)) {
        ++minutes;
    }
    return CheckedInt32(minutes);
}

// The entry's times, as an unkeyed calendar bar; its style is set once every entry has been read.
void ReadCalendarBar(const RecordTable& table, ChartBar& bar) {
    const int32_t day = FieldDate(table.Field(kCalendarFrom)).Day;
    const int32_t startMinute = MinuteOfDay(FieldInt32(table.Field(kStartSeconds)));
    // An entry past midnight keeps its day; the chart carries the end into the next day. The
    // length is rounded together with the start (601 and 90 s end at 602, the even neighbour of
    // 602.5), not on its own.
    const int32_t length = FieldInt32(table.Field(kLengthSeconds));
    // A number of the right width that no length takes: an invalid argument, not an overflow.
    if (length < 0) {
        RaiseRuntimeError(RuntimeError::InvalidProcedureCall,
                          "A calendar entry lasts " + std::to_string(length) +
                              " seconds; a length cannot be negative.");
    }
    const int32_t endMinute = RoundedMinutes(int64_t{startMinute} * 60 + length);
    bar.Start = {day, startMinute};
    bar.End = {day, endMinute};
    bar.Kind = CalendarBarKind;
    bar.Colour = -1;
}

}  // namespace

void LoadingSession::LoadCalendarEvents(std::string_view payloadText) {
    PayloadTable payload = KeepAndScanPayload(stores_.Calendars, payloadText, kCalendarColumns);
    RecordTable& table = payload.Table;

    // Every entry that will be drawn is read first, so a failure leaves the chart as it was.
    StagedBars staged;
    const int32_t rows = chart_.RowCount();
    for (int32_t row = 1; row <= rows; ++row) {
        table.Filter(kResno, ResourceNumberOfRow(chart_.RowText(static_cast<int16_t>(row))));
        for (; !table.Eof(); table.MoveNext()) {
            ReadCalendarBar(table, staged.Add());
        }
        staged.EndRow(chart_, row);
    }

    const int16_t style = look_.CalendarBarStyle();
    for (ChartBar& bar : staged.Bars()) {
        bar.Style = style;
    }
    staged.AppendTo(chart_);
    afterLoad_(LoadKind::Other);
}

}  // namespace tessaro
