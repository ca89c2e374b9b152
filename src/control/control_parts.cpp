#include "control/control_parts.hpp"

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/runtime/calendar.hpp>

#include "control/chart_event_sink.hpp"

namespace tessaro {

ControlParts::ControlParts()
    : Look(Surface.ctResSched),
      Plan(Surface.ctResSched),
      PlanConflicts(Surface.ctResSched, Plan),
      Selection(Surface.ctResSched, Plan, Look, Entries),
      Rescheduling({Surface.ctResSched, Plan, Surface.mnuSchedPopUp, Surface.mnuDrag, Look,
                    Selection, Keys, Entries}),
      Loading(
          Surface.ctResSched, {Surface.Box3, Surface.Box1, Surface.Box4, Surface.Box2}, Look, Keys,
          [this](LoadKind kind) { AfterLoad(kind); },
          [this]() -> const PendingChangeMap& { return Rescheduling.Journal().Pending(); }),
      Conflicts(Surface.ctResSched, Plan,
                {Surface.lstConflictWorkOrders, Surface.lstConflictHidden, Surface.CmbConflictTB},
                Selection),
      Details(Surface.ctResSched, Plan, Surface.vaSpread,
              {Surface.TxtWONo, Surface.TxtWOStatus, Surface.TxtOrdNo, Surface.TxtCustNo,
               Surface.TxtReqDt, Surface.TxtPromisedDt, Surface.TxtItemNo, Surface.TxtActStartDate,
               Surface.TxtactEndDate, Surface.TxtWOStTime, Surface.TxtWOEndTime, Surface.TxtWOAct},
              Selection) {
    Entries.SetReport([this] { PublishHostEvents(); });
    // Views hear a command's chart changes once the command stands whole.
    Entries.SetBoundary([this] { Surface.ctResSched.HoldChanges(); },
                        [this] { Surface.ctResSched.ReleaseChanges(); });
    Surface.ApplyDesignSurface();
    ConnectComponents();
    Start();
}

ControlParts::~ControlParts() = default;

void ControlParts::Start() {
    Surface.SaveHeights();
    Loading.StartWindow();
    Surface.ctResSched.SetSettingFlag(73, true);
    Rescheduling.Start();
    SetupChartAppearance();
    Look.InitBarColourTables();
    Look.CreateWOTimeBarStyles();
    Surface.vaSpread.SetGridColumnCount(13);
    Surface.vaSpread.SetGridRowCount(9);
}

void ControlParts::SetupChartAppearance() {
    ScheduleChart& chart = Surface.ctResSched;
    chart.SetSettingFlag(80, true);
    chart.SetSetting(33, 0);
    chart.SetSetting(25, 1);
    chart.SetSetting(29, 0);
    chart.SetSetting(30, 0);
    chart.SetDayNames("Sun;Mon;Tue;Wed;Thu;Fri;Sat;");
    chart.SetTimeScaleFormat("M ,Y");
    chart.SetSetting(82, 65);
    chart.SetSettingFlag(92, true);
    chart.SetRangeStartDay(Loading.WindowStart().Day);
    chart.SetRangeEndDay(Loading.WindowEnd().Day);
    chart.SetSetting(81, 3);
    chart.SetSettingFlag(48, false);
    chart.SetSetting(33, 0);
    chart.SetSetting(49, 6);
    chart.SetSetting(40, 5);
    chart.SetTimeScale(250);
}

void ControlParts::ConnectComponents() {
    chartEvents_ = std::make_unique<ChartEventSink>(*this);
    Surface.ctResSched.SetEventSink(chartEvents_.get());
    Surface.ctToolBar1.SetButtonClickedHandler([this](int16_t position) {
        EntryCounter::Scope entry(Entries);
        Surface.ToolButtonClicked(position);
    });
    Surface.vaSpread.SetCellClickedHandler([this](int32_t column, int32_t row) {
        EntryCounter::Scope entry(Entries);
        Details.GridCellClicked(column, row);
    });
    Surface.lstConflictWorkOrders.SetDoubleClickHandler([this] {
        EntryCounter::Scope entry(Entries);
        Conflicts.EntryDoubleClicked();
    });
    Surface.mnuSchedPopUp.SetItemChosenHandler([this](const std::string& name) {
        EntryCounter::Scope entry(Entries);
        if (name == "miCopy") {
            Rescheduling.Copy();
        } else if (name == "miRefresh") {
            Refresh();
        } else if (name == "miPack") {
            Rescheduling.Pack();
        }
    });
    Surface.mnuDrag.SetItemChosenHandler([this](const std::string& name) {
        EntryCounter::Scope entry(Entries);
        if (name == "miFwdSch") {
            Rescheduling.Paste("F");
        } else if (name == "miBackSch") {
            Rescheduling.Paste("B");
        } else if (name == "miIgnore") {
            Rescheduling.Ignore();
        }
    });
}

void ControlParts::Refresh() {
    EntryCounter::Scope entry(Entries);
    // The planner never loses the chart or the changes to it: a store holding a payload the
    // host had refused, say, puts everything back.
    Rescheduler::SetAside kept = Rescheduling.TakeForReload();
    const DateTime windowStart = Loading.WindowStart();
    const DateTime windowEnd = Loading.WindowEnd();
    ScheduleChart& chart = Surface.ctResSched;
    const int32_t rangeStart = chart.RangeStartDay();
    const int32_t rangeEnd = chart.RangeEndDay();
    ScheduleChart::TakenRows rows = chart.TakeRows();
    try {
        Loading.ReloadStores();
    } catch (...) {
        chart.RestoreRows(std::move(rows));
        Rescheduling.PutBack(std::move(kept));
        Loading.RestoreWindow(windowStart, windowEnd, rangeStart, rangeEnd);
        throw;
    }

    // The plan is the payloads' again: no change, no copy, no history, no grid of an old
    // selection.
    AfterLoad(LoadKind::Rows);
    ListGrid& grid = Surface.vaSpread;
    grid.SetGridCurrentColumn(1);
    grid.SetGridBlockEndColumn(grid.GridColumnCount());
    grid.SetGridCurrentRow(1);
    grid.SetGridBlockEndRow(grid.GridRowCount());
    grid.SetGridBlockMode(true);
    grid.SetGridAction(3);
    grid.SetGridBlockMode(false);
}

void ControlParts::AfterLoad(LoadKind kind) {
    switch (kind) {
        case LoadKind::Rows:
            Rescheduling.AfterRowsLoaded();
            break;
        case LoadKind::Bars:
            Rescheduling.AfterBarsLoaded();
            break;
        case LoadKind::Other:
            Rescheduling.AfterOtherLoad();
            break;
    }
    if (Entries.Depth() == 0) {
        PublishHostEvents();
    }
}

void ControlParts::BarSelected(int16_t row, int16_t bar) {
    const std::optional<std::string> workOrder = Details.ShowBarDetails(row, bar);
    if (workOrder) {
        Rescheduling.Disarm();
    }
    Details.ShowWorkOrderGrid(row, bar, workOrder.value_or(std::string()));
}

void ControlParts::BarChosen(int16_t row, int16_t bar) {
    Rescheduling.EndRowChange();
    if (Surface.ctResSched.TimeBarKind(row, bar) != WorkOrderBarKind) {
        return;
    }
    Rescheduling.Disarm();
    Selection.ChooseActivity(row, bar);
}

void ControlParts::PublishHostEvents() {
    Events.Publish(Entries, Rescheduling, Selection);
}

}  // namespace tessaro
