#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/ascii.hpp>
#include <tessaro/runtime/automation_error.hpp>
#include <tessaro/runtime/chart_time.hpp>
#include <tessaro/runtime/checked_arithmetic.hpp>

#include "bars/bar_key.hpp"
#include "bars/bar_record_codec.hpp"
#include "bars/work_order_registry.hpp"
#include "loading/field_reading.hpp"
#include "loading/payload_reader.hpp"
#include "runtime/large_block.hpp"

namespace tessaro {

namespace {

// The table columns the bar loader reads, found ignoring letter case ("Flag" and "flag" are
// one column: the status letter is also record field 9).
struct WorkOrderColumns {
    explicit WorkOrderColumns(const RecordTable& table)
        : time_buffer(table.ColumnIndex("time_buffer")),
          timeindays1(table.ColumnIndex("timeindays1")),
          work_order_no(table.ColumnIndex("work_order_no")),
          Flag(table.ColumnIndex("Flag")),
          chkflag(table.ColumnIndex("chkflag")),
          Execute_online(table.ColumnIndex("Execute_online")),
          activitytimetype(table.ColumnIndex("activitytimetype")),
          rsscheduleno(table.ColumnIndex("rsscheduleno")),
          status(table.ColumnIndex("status")),
          item_code(table.ColumnIndex("item_code")),
          sdesc3(table.ColumnIndex("sdesc3")),
          sdesc4(table.ColumnIndex("sdesc4")),
          ReqdDate(table.ColumnIndex("ReqdDate")),
          schdate(table.ColumnIndex("schdate")),
          wo_start_date(table.ColumnIndex("wo_start_date")),
          wo_end_date(table.ColumnIndex("wo_end_date")),
          fromdate(table.ColumnIndex("fromdate")),
          todate(table.ColumnIndex("todate")),
          subactivity_code_mul(table.ColumnIndex("subactivity_code_mul")) {}

    int32_t time_buffer, timeindays1, work_order_no, Flag, chkflag, Execute_online,
        activitytimetype, rsscheduleno, status, item_code, sdesc3, sdesc4, ReqdDate, schdate,
        wo_start_date, wo_end_date, fromdate, todate, subactivity_code_mul;
};

// One sub-activity read and converted, ready to be drawn.
struct PreparedBar {
    int16_t Row = 0;
    ChartTime Start;
    ChartTime End;
    std::string_view WorkOrder;
    // The work order's registry entry: its count is final once every record is read.
    const Vadel_Class1* Entry = nullptr;
    int16_t Position = 0;
    std::string_view Status;
    int16_t FirstStyleKey = 0;
    int16_t SecondStyleKey = 0;
    int16_t ActivityTimeType = 0;
    std::string Record;
};

void PrepareBarFont(ScheduleChart& chart) {
    chart.SetSettingFlag(89, true);
    Font font = chart.TimeBarFont();
    font.Name = "Verdana";
    font.Size = 8;
    chart.SetTimeBarFont(font);
    chart.SetSettingFlag(137, true);
    chart.SetSettingFlag(51, true);
}

void CheckWorkOrderNumber(std::string_view number) {
    if (TrimSpaces(number).empty()) {
        throw BarKeyBlankError();
    }
    if (number.find(kFieldSeparator) != std::string_view::npos) {
        RaiseRuntimeError(RuntimeError::InvalidProcedureCall,
                          "Work order \"" + std::string(number.substr(0, 60)) +
                              "\" holds a \"$\", which bar keys use as their separator.");
    }
}

std::string RecordText(const RecordTable& table, const WorkOrderColumns& c,
                       const PreparedBar& bar) {
    const auto text = [&](int32_t column) { return FieldText(table.Field(column)); };
    BarRecordView record;
    record.work_order_no = text(c.work_order_no);
    record.rsscheduleno = FieldInt32(table.Field(c.rsscheduleno));
    record.status = text(c.status);
    record.StartMinute = CheckedInt16(bar.Start.Minute);
    record.EndMinute = CheckedInt16(bar.End.Minute);
    record.item_code = text(c.item_code);
    record.sdesc3 = text(c.sdesc3);
    record.sdesc4 = text(c.sdesc4);
    record.flag = text(c.Flag);
    record.ReqdDate = text(c.ReqdDate);
    record.schdate = text(c.schdate);
    record.wo_start_date = text(c.wo_start_date);
    record.wo_end_date = text(c.wo_end_date);
    record.fromdate = text(c.fromdate);
    record.todate = text(c.todate);
    record.subactivity_code_mul = FieldInt16(table.Field(c.subactivity_code_mul));
    record.activitytimetype = FieldInt16(table.Field(c.activitytimetype));
    record.timeindays1 = FieldInt32(table.Field(c.timeindays1));
    std::string recordText;
    AssembleBarRecordText(recordText, record);
    return recordText;
}

}  // namespace

void Tessaro_Ctrl::LoadResourceEvents(std::string_view Revxml) {
    PrepareBarFont(ctResSched_);
    Box2_.SetText(Revxml);

    // Every load counts its own sub-activities in a fresh registry, discarded when it ends. A
    // load that fails puts back the registry it found, in which the planner's rebuilt bars are
    // counted, so a refused payload leaves the next rebuild's key as it would have been.
    struct RegistryGuard {
        Tessaro_Ctrl& control;
        std::unique_ptr<WorkOrderRegistry> found;
        bool loaded = false;
        ~RegistryGuard() { control.WorkOrderRegistry_ = loaded ? nullptr : std::move(found); }
    } registryGuard{*this, std::move(WorkOrderRegistry_)};

    PayloadRecords payload = ReadPayloadRecords(Box2_.Text());
    RecordTable table;
    AddColumnsOfElement(table, payload.Elements.front());
    ReadRecords(table, payload.Elements);

    // Every record that will be drawn is read and converted before the first bar is added, so a
    // failing payload leaves the chart as it was. Positions follow the rows first, then the
    // payload order within a row.
    std::vector<PreparedBar, LargeBlockAllocator<PreparedBar>> bars;
    bars.reserve(table.RecordCount());
    Registry().Reserve(table.RecordCount());
    std::optional<WorkOrderColumns> columns;
    int32_t resno = -1;
    const int32_t rows = ctResSched_.RowCount();
    for (int32_t row = 1; row <= rows; ++row) {
        const auto r = static_cast<int16_t>(row);
        const std::size_t firstOfRow = bars.size();
        if (resno < 0) {
            resno = table.ColumnIndex("resno");
        }
        table.Filter(resno, ResourceNumberOfRow(ctResSched_.RowText(r)));
        for (; !table.Eof(); table.MoveNext()) {
            if (!columns) {
                columns.emplace(table);
            }
            const WorkOrderColumns& c = *columns;
            PreparedBar bar;
            bar.Row = r;
            const int32_t start = FieldInt32(table.Field(c.time_buffer));
            const int32_t duration = FieldInt32(table.Field(c.timeindays1));
            bar.Start = ChartTime::FromPayloadSeconds(start);
            bar.End = ChartTime::FromPayloadSeconds(Add32(start, duration));
            bar.WorkOrder = FieldText(table.Field(c.work_order_no));
            bar.Entry = &Registry().Enter(bar.WorkOrder);
            bar.Position = bar.Entry->WOCount;
            CheckWorkOrderNumber(bar.WorkOrder);
            bar.Status = FieldText(table.Field(c.Flag));
            bar.FirstStyleKey = FieldInt16(table.Field(c.chkflag));
            bar.SecondStyleKey = FieldInt16(table.Field(c.Execute_online));
            bar.ActivityTimeType = FieldInt16(table.Field(c.activitytimetype));
            bar.Record = RecordText(table, c, bar);
            bars.push_back(std::move(bar));
        }
        if (ctResSched_.TimeBarCount(r) + (bars.size() - firstOfRow) >
            static_cast<std::size_t>(std::numeric_limits<int16_t>::max())) {
            RaiseRuntimeError(RuntimeError::Overflow, "A chart row holds at most 32767 bars; row " +
                                                          std::to_string(row) +
                                                          " would hold more.");
        }
    }

    std::vector<int16_t> barsBefore(static_cast<std::size_t>(rows) + 1);
    for (int32_t row = 1; row <= rows; ++row) {
        barsBefore[static_cast<std::size_t>(row)] =
            ctResSched_.TimeBarCount(static_cast<int16_t>(row));
    }

    // The registry is complete, so each bar gets its final key at once.
    for (PreparedBar& prepared : bars) {
        std::string key;
        AssembleBarKey(key, prepared.WorkOrder, prepared.Position, prepared.Entry->WOCount);
        const int16_t r = prepared.Row;
        const int16_t bar = ctResSched_.AddTimeBar(r, prepared.Start.Minute, prepared.End.Minute,
                                                   prepared.Start.Day, prepared.End.Day, key);
        ctResSched_.SetTimeBarColour(r, bar, -1);
        ApplyBarStyle(prepared.Status, r, bar, prepared.FirstStyleKey, prepared.SecondStyleKey, 0,
                      prepared.ActivityTimeType);
        ctResSched_.SetTimeBarText(r, bar, ".");
        ctResSched_.SetTimeBarKind(r, bar, WorkOrderBarKind);
        ctResSched_.SetTimeBarTag(r, bar, std::move(prepared.Record));
        ctResSched_.SetTimeBarKey(r, bar, std::move(key));
    }

    // Only the bars that were on the chart before this load can carry an outdated count.
    for (int32_t row = 1; row <= rows; ++row) {
        const auto r = static_cast<int16_t>(row);
        for (int16_t bar = 1; bar <= barsBefore[static_cast<std::size_t>(row)]; ++bar) {
            RefreshBarKeyCount(r, bar);
        }
    }
    registryGuard.loaded = true;
    AfterLoad(LoadKind::Bars);
}

}  // namespace tessaro
