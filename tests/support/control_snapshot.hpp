#pragma once

// Everything a host or the planner can observe of a control, taken as lines of text, so that a
// test can show an action changed nothing beyond what it may change and name the first line that
// differs.

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/automation_error.hpp>

namespace tessaro::testing {

class ControlSnapshot {
public:
    // The work orders whose registry entries the snapshot asks for (SetBarKeyId is how a host
    // sees the registry: it raises 5 for a work order the registry does not hold).
    ControlSnapshot(Tessaro_Ctrl& control, const std::vector<std::string>& workOrders) {
        TakeWindowAndChart(control);
        TakeBars(control.ctResSched());
        TakeRegistry(control, workOrders);
        TakeChanges(control);
        TakeSurface(control);
        boxes_ = {control.Box1().Text(), control.Box2().Text(), control.Box3().Text(),
                  control.Box4().Text()};
    }

    const std::vector<std::string>& Lines() const { return lines_; }
    // The payload stores Box1 to Box4, kept apart: a failing load still stores its payload.
    const std::array<std::string, 4>& Boxes() const { return boxes_; }

private:
    void Add(std::string line) { lines_.push_back(std::move(line)); }

    static std::string Time(const ChartTime& time) {
        return std::to_string(time.Day) + "+" + std::to_string(time.Minute);
    }

    void TakeWindowAndChart(Tessaro_Ctrl& control) {
        const ScheduleChart& chart = control.ctResSched();
        Add("window " + std::to_string(control.WindowStart().Day) + "." +
            std::to_string(control.WindowStart().SecondOfDay) + " to " +
            std::to_string(control.WindowEnd().Day) + "." +
            std::to_string(control.WindowEnd().SecondOfDay));
        Add("range " + std::to_string(chart.RangeStartDay()) + " to " +
            std::to_string(chart.RangeEndDay()));
        // A setting's last value counts, not how often it was written: the resource and bar
        // loaders write their settings before they read the payload.
        std::map<int32_t, std::string> settings;
        for (const ChartSettingWrite& write : chart.SettingLog()) {
            settings[write.Id] = std::holds_alternative<int32_t>(write.Value)
                                     ? std::to_string(std::get<int32_t>(write.Value))
                                     : std::get<std::string>(write.Value);
        }
        for (const auto& [id, value] : settings) {
            Add("setting " + std::to_string(id) + " = " + value);
        }
        for (const Font* font : {&chart.ListFont(), &chart.TimeBarFont()}) {
            Add("font " + font->Name + " " + std::to_string(font->Size) +
                (font->Bold ? " bold" : ""));
        }
        Add("time scale " + std::to_string(chart.TimeScale()));
        for (int16_t style = 1; style <= chart.StyleCount(); ++style) {
            const BarStyle& s = chart.Style(style);
            Add("style " + std::to_string(style) + ": " + std::to_string(s.Flags) + " " +
                std::to_string(s.Colour) + " " + std::to_string(s.StartMark) + "/" +
                std::to_string(s.StartMarkSize) + " " + std::to_string(s.EndMark) + "/" +
                std::to_string(s.EndMarkSize));
        }
        for (int16_t row = 1; row <= chart.RowCount(); ++row) {
            Add("row " + std::to_string(row) + ": " + chart.RowText(row));
        }
    }

    void TakeBars(const ScheduleChart& chart) {
        for (int16_t row = 1; row <= chart.RowCount(); ++row) {
            for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
                const ChartBar& b = chart.Bar(row, bar);
                Add("bar " + std::to_string(row) + "/" + std::to_string(bar) + ": key " + b.Key +
                    ", " + Time(b.Start) + " to " + Time(b.End) + ", tag " + b.Tag + ", text " +
                    b.Text + ", kind " + std::to_string(b.Kind) + ", colour " +
                    std::to_string(b.Colour) + ", style " + std::to_string(b.Style));
                // The key index must still find the first bar of every key.
                const int16_t foundRow = chart.FindTimeBarRow(b.Key);
                Add("finds " + b.Key + " at " + std::to_string(foundRow) + "/" +
                    std::to_string(chart.FindTimeBarInRow(b.Key, foundRow)));
            }
        }
    }

    void TakeRegistry(Tessaro_Ctrl& control, const std::vector<std::string>& workOrders) {
        for (const std::string& workOrder : workOrders) {
            std::string key = workOrder + "$1$1";
            try {
                Add("registry " + control.SetBarKeyId(key));
            } catch (const AutomationError& error) {
                Add("registry " + workOrder + ": error " + std::to_string(error.Code()));
            }
        }
    }

    void TakeChanges(Tessaro_Ctrl& control) {
        for (const auto& [key, change] : control.PendingChanges()) {
            Add("pending " + key);
        }
        Add("rescheduling " + control.rescheduling().Xml());
    }

    void TakeSurface(Tessaro_Ctrl& control) {
        const WorkOrderSpan& span = control.WorkOrderSpan();
        Add("flags " + std::to_string(control.MovePending()) + " " +
            std::to_string(control.TempBarActive()) + " " + std::to_string(control.PasteArmed()) +
            " " + std::to_string(control.ResizePending()) + " " +
            std::to_string(control.PackInProgress()));
        Add("keys selected " + control.SelectedBarKey() + ", clicked " + control.ClickedBarKey() +
            ", temporary " + control.TempBarKey() + " on " + std::to_string(control.TempBarItem()) +
            ", source " + std::to_string(control.SourceItem()) + "/" +
            std::to_string(control.SourceBarIndex()));
        Add("span " + std::to_string(span.StartDay) + "+" + std::to_string(span.StartMinute) +
            " to " + std::to_string(span.EndDay) + "+" + std::to_string(span.EndMinute));
        Add("last change " + control.LastChangeKey() + ", method " + control.PasteMethod() +
            ", resources " + control.OldResource() + " -> " + control.NewResource() + ", flag " +
            control.ResChangeFlag());
        for (TextBox* box :
             {&control.TxtWONo(), &control.TxtWOStatus(), &control.TxtOrdNo(), &control.TxtCustNo(),
              &control.TxtReqDt(), &control.TxtPromisedDt(), &control.TxtItemNo(),
              &control.TxtActStartDate(), &control.TxtactEndDate(), &control.TxtWOStTime(),
              &control.TxtWOEndTime(), &control.TxtWOAct()}) {
            Add("detail " + box->Text());
        }
        const ListGrid& grid = control.vaSpread();
        for (int32_t row = 1; row <= grid.GridRowCount(); ++row) {
            std::string line = "grid row " + std::to_string(row) + ":";
            for (int32_t column = 1; column <= grid.GridColumnCount(); ++column) {
                line += " " + grid.CellText(column, row) + "/" +
                        std::to_string(grid.CellBackColour(column, row));
            }
            Add(line);
        }
        for (const ItemList* list : {static_cast<const ItemList*>(&control.lstConflictWorkOrders()),
                                     static_cast<const ItemList*>(&control.lstConflictHidden()),
                                     static_cast<const ItemList*>(&control.CmbConflictTB())}) {
            std::string line = "list";
            for (const std::string& item : list->Items()) {
                line += " " + item;
            }
            Add(line + " @" + std::to_string(list->ListIndex()));
        }
    }

    std::vector<std::string> lines_;
    std::array<std::string, 4> boxes_;
};

// Succeeds when the two snapshots hold the same lines; otherwise names the first that differs.
inline ::testing::AssertionResult SameState(const ControlSnapshot& before,
                                            const ControlSnapshot& after) {
    const std::vector<std::string>& a = before.Lines();
    const std::vector<std::string>& b = after.Lines();
    for (std::size_t i = 0; i < a.size() || i < b.size(); ++i) {
        const std::string was = i < a.size() ? a[i] : "(nothing)";
        const std::string is = i < b.size() ? b[i] : "(nothing)";
        if (was != is) {
            return ::testing::AssertionFailure()
                   << "line " << i + 1 << " was\n  " << was.substr(0, 300) << "\nand is\n  "
                   << is.substr(0, 300);
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace tessaro::testing
