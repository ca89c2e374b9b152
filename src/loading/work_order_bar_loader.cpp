#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/runtime/automation_error.hpp>
#include <tessaro/runtime/chart_time.hpp>
#include "runtime/ascii.hpp"
#include "runtime/checked_arithmetic.hpp"

#include "bars/bar_key.hpp"
#include "bars/bar_record_codec.hpp"
#include "loading/field_reading.hpp"
#include "loading/loading_session.hpp"
#include "loading/payload_table.hpp"
#include "loading/recorded_activity_check.hpp"
#include "loading/staged_bars.hpp"
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

// What a staged bar still needs from the payload: its key's parts (the count is read from the
// registry entry once every record is counted) and where its record text lies in the run of
// record texts.
struct KeyParts {
    std::string_view WorkOrder;
    const Vadel_Class1* Entry = nullptr;
    int16_t Position = 0;
    std::size_t RecordStart = 0;
    std::size_t RecordSize = 0;
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

// A duration runs forward: a negative one is a number of the right width outside the values a
// duration takes, so it is an invalid argument (5), not an overflow.
void CheckDuration(int32_t seconds) {
    if (seconds < 0) {
        RaiseRuntimeError(RuntimeError::InvalidProcedureCall,
                          "A sub-activity lasts " + std::to_string(seconds) +
                              " seconds; a duration cannot be negative.");
    }
}

// The record fields the bar itself does not need first, read in record order so a failing
// payload names the same field whatever was read before.
void ReadOtherRecordFields(const RecordTable::CurrentRecord& fields, const WorkOrderColumns& c,
                           const ChartBar& bar, BarRecordView& record) {
    const auto text = [&](int32_t column) { return FieldText(fields, column); };
    record.rsscheduleno = FieldInt32(fields, c.rsscheduleno);
    record.status = text(c.status);
    record.StartMinute = CheckedInt16(bar.Start.Minute);
    record.EndMinute = CheckedInt16(bar.End.Minute);
    record.item_code = text(c.item_code);
    record.sdesc3 = text(c.sdesc3);
    record.sdesc4 = text(c.sdesc4);
    record.ReqdDate = text(c.ReqdDate);
    record.schdate = text(c.schdate);
    record.wo_start_date = text(c.wo_start_date);
    record.wo_end_date = text(c.wo_end_date);
    record.fromdate = text(c.fromdate);
    record.todate = text(c.todate);
    record.subactivity_code_mul = FieldInt16(fields, c.subactivity_code_mul);
}

}  // namespace

void LoadingSession::LoadResourceEvents(std::string_view payloadText) {
    PrepareBarFont(chart_);

    // The load's document, table, staged bars and registry are gone when the block ends, so the
    // memory handed back after it includes theirs.
    {
        // Every load counts its own sub-activities in a fresh registry, discarded when it ends. A
        // load that fails puts back the registry it found, in which the planner's rebuilt bars are
        // counted, so a refused payload leaves the next rebuild's key as it would have been.
        struct RegistryGuard {
            WorkOrderKeys& keys;
            std::unique_ptr<WorkOrderRegistry> found;
            bool loaded = false;
            ~RegistryGuard() { keys.PutBackRegistry(loaded ? nullptr : std::move(found)); }
        } registryGuard{keys_, keys_.TakeRegistry()};

        PayloadTable payload = KeepAndScanPayload(stores_.ResourceEvents, payloadText);
        RecordTable& table = payload.Table;

        // Every record that will be drawn is read and converted before the first bar is added, so a
        // failing payload leaves the chart as it was. Positions follow the rows first, then the
        // payload order within a row; so the bars of a row are next to each other here.
        StagedBars staged;
        std::vector<KeyParts, LargeBlockAllocator<KeyParts>> keys;
        // The record texts are written into one run and become the bars' tags only after the
        // payload's table (or document) is released, so the load never holds both at once.
        std::vector<char, LargeBlockAllocator<char>> recordTexts;
        std::string recordText;
        constexpr std::size_t kTypicalRecordSize = 192;
        recordTexts.reserve(table.RecordCount() * kTypicalRecordSize);
        staged.Reserve(table.RecordCount());
        keys.reserve(table.RecordCount());
        keys_.Registry().Reserve(table.RecordCount());
        RecordedActivityCheck recorded(chart_, pendingChanges_());
        std::optional<WorkOrderColumns> columns;
        int32_t resno = -1;
        const int32_t rows = chart_.RowCount();
        for (int32_t row = 1; row <= rows; ++row) {
            const auto r = static_cast<int16_t>(row);
            if (resno < 0) {
                resno = table.ColumnIndex("resno");
            }
            table.Filter(resno, ResourceNumberOfRow(chart_.RowText(r)));
            for (; !table.Eof(); table.MoveNext()) {
                if (!columns) {
                    columns.emplace(table);
                }
                const WorkOrderColumns& c = *columns;
                ChartBar& bar = staged.Add();
                KeyParts& key = keys.emplace_back();
                // Each field is read once: the bar's own values are kept in its record.
                BarRecordView record;
                const RecordTable::CurrentRecord fields(table);
                const int32_t start = FieldInt32(fields, c.time_buffer);
                record.timeindays1 = FieldInt32(fields, c.timeindays1);
                CheckDuration(record.timeindays1);
                bar.Start = ChartTime::FromPayloadSeconds(start);
                bar.End = ChartTime::FromPayloadSeconds(Add32(start, record.timeindays1));
                record.work_order_no = FieldText(fields, c.work_order_no);
                key.WorkOrder = record.work_order_no;
                key.Entry = &keys_.Registry().EnterNumbered(key.WorkOrder);
                key.Position = key.Entry->WOCount;
                CheckWorkOrderNumber(key.WorkOrder);
                record.flag = FieldText(fields, c.Flag);
                const int16_t firstStyleKey = FieldInt16(fields, c.chkflag);
                const int16_t secondStyleKey = FieldInt16(fields, c.Execute_online);
                record.activitytimetype = FieldInt16(fields, c.activitytimetype);
                ReadOtherRecordFields(fields, c, bar, record);
                recorded.Widen(record.work_order_no, record.rsscheduleno, bar.Start, bar.End);
                AssembleBarRecordText(recordText, record, payload.TextsNeedNoEscape);
                key.RecordStart = recordTexts.size();
                key.RecordSize = recordText.size();
                recordTexts.insert(recordTexts.end(), recordText.begin(), recordText.end());
                bar.Text = ".";
                bar.Kind = WorkOrderBarKind;
                look_.SetLoadedLook(bar, record.flag, firstStyleKey, secondStyleKey,
                                    record.activitytimetype);
            }
            staged.EndRow(chart_, row);
        }
        recorded.Check();

        std::vector<int16_t> barsBefore(static_cast<std::size_t>(rows) + 1);
        for (int32_t row = 1; row <= rows; ++row) {
            barsBefore[static_cast<std::size_t>(row)] =
                chart_.TimeBarCount(static_cast<int16_t>(row));
        }

        // The registry is complete, so each bar gets its final key at once, and each row its bars
        // in one append.
        const std::span<ChartBar> bars = staged.Bars();
        for (std::size_t index = 0; index < bars.size(); ++index) {
            const KeyParts& key = keys[index];
            AssembleKeyID(bars[index].Key, key.WorkOrder, key.Position, key.Entry->WOCount);
        }
        chart_.ReserveKeyGroups(static_cast<std::size_t>(keys_.Registry().Count()));
        // From here on nothing reads the document or the table, which point into it.
        payload = PayloadTable();
        for (std::size_t index = 0; index < bars.size(); ++index) {
            bars[index].Tag.assign(recordTexts.data() + keys[index].RecordStart,
                                   keys[index].RecordSize);
        }
        staged.AppendTo(chart_);

        // Only the bars that were on the chart before this load can carry an outdated count. A
        // row may hold 32767 bars, so the counter is wider than a bar number.
        for (int32_t row = 1; row <= rows; ++row) {
            const auto r = static_cast<int16_t>(row);
            const int32_t before = barsBefore[static_cast<std::size_t>(row)];
            for (int32_t bar = 1; bar <= before; ++bar) {
                keys_.RefreshBarKeyCount(chart_, r, static_cast<int16_t>(bar));
            }
        }
        registryGuard.loaded = true;
        afterLoad_(LoadKind::Bars);
    }
    ReturnFreedMemory(payloadText.size());
}

}  // namespace tessaro
