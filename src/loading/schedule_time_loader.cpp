#include <array>
#include <string>

#include <tessaro/control/tessaro_ctrl.hpp>

#include "loading/field_reading.hpp"
#include "loading/fixed_columns.hpp"
#include "loading/payload_reader.hpp"

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

void Tessaro_Ctrl::LoadScheduleTime(std::string_view Hdrxml) {
    Box3_.SetText(Hdrxml);

    PayloadRecords payload = ReadPayloadRecords(Box3_.Text());
    RecordTable table;
    AddFixedColumns(table, kHeaderColumns);
    ReadRecords(table, payload.Elements);

    // Only the first record sets the window; both ends are read before either is written.
    table.MoveFirst();
    const DateTime start = FieldDate(table.Field(kFromTimePeriod));
    const DateTime end = FieldDate(table.Field(kToTimePeriod));
    WindowStart_ = start;
    WindowEnd_ = end;
    ctResSched_.SetRangeStartDay(start.Day);
    ctResSched_.SetRangeEndDay(end.Day);
    HeaderDocument_ = std::move(payload.Document);
    AfterLoad(LoadKind::Other);
}

}  // namespace tessaro
