#include <array>
#include <string>

#include <pugixml.hpp>

#include <tessaro/runtime/automation_error.hpp>

#include "loading/field_reading.hpp"
#include "loading/loading_session.hpp"
#include "loading/payload_table.hpp"

namespace tessaro {

namespace {

// A header record may carry the first n of these attributes, in any order.
constexpr std::array<FixedColumn, 11> kHeaderColumns{{
    {"dep", ColumnType::Text},
    {"fromresno", ColumnType::Text},
    {"fromtimeperiod", ColumnType::Date},
    {"guid", ColumnType::Text},
    {"hdncompanycode", ColumnType::Text},
    {"item_code1", ColumnType::Text},
    {"production_cont", ColumnType::Text},
    {"save_template", ColumnType::Text},
    {"toresno", ColumnType::Text},
    {"totimeperiod", ColumnType::Date},
    {"wo_no", ColumnType::Text},
}};
constexpr int32_t kFromTimePeriod = 2;
constexpr int32_t kToTimePeriod = 9;

}  // namespace

void LoadingSession::LoadScheduleTime(std::string_view payloadText) {
    PayloadTable payload = KeepAndReadPayload(stores_.ScheduleTime, payloadText, kHeaderColumns);
    RecordTable& table = payload.Table;

    // Only the first record sets the window; both ends are read before either is written.
    table.MoveFirst();
    const DateTime start = FieldDate(table.Field(kFromTimePeriod));
    const DateTime end = FieldDate(table.Field(kToTimePeriod));
    if (end < start) {
        RaiseRuntimeError(RuntimeError::InvalidProcedureCall,
                          "The planning window ends before it starts.");
    }
    windowStart_ = start;
    windowEnd_ = end;
    chart_.SetRangeStartDay(start.Day);
    chart_.SetRangeEndDay(end.Day);
    headerPayload_ = std::move(payload.Records);
    afterLoad_(LoadKind::Other);
}

}  // namespace tessaro
