#pragma once

// A planner at work on a loaded plant, one gesture per step, each chosen by a source of numbers
// (a seeded generator in tests, the input bytes in a fuzz target): right-clicks, Copy, drags of
// the temporary bar in time and across rows, drags and edge drags of any bar, paste forward and
// backward, Ignore, Pack, removals, clicks, grid clicks, conflict look-ups, toolbar buttons,
// Refresh and reloads; and the host's own steps between them: a veto, accepting the changes,
// adding, updating and removing an activity. Each step says what it did, so a failure can show the
// session.

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

#include "support/plan_agreement.hpp"
#include "support/typed_plant.hpp"

namespace tessaro::testing {

// The four payloads of a plant, as a host hands them over.
struct PlantTexts {
    std::string header, resources, calendars, workOrders;
};

inline void LoadPlant(Tessaro_Ctrl& control, const PlantTexts& plant) {
    control.LoadScheduleTime(plant.header);
    control.LoadResource(plant.resources);
    control.LoadCalendarEvents(plant.calendars);
    control.LoadResourceEvents(plant.workOrders);
}

// A host's veto: 0 lets everything happen, 1 refuses moving started work, 2 refuses everything.
inline ChangeVeto VetoOfKind(uint32_t kind) {
    if (kind == 0) {
        return {};
    }
    return [kind](const ProposedChange& change) -> std::optional<std::string> {
        for (const ProposedChange::Move& move : change.Moves) {
            if (kind == 2 || move.Status == "Started") {
                return move.Activity.WorkOrder + " stays";
            }
        }
        return std::nullopt;
    };
}

class PlannerSession {
public:
    // Returns a number in 0..bound-1 (bound >= 1).
    using Pick = std::function<uint32_t(uint32_t)>;

    PlannerSession(Tessaro_Ctrl& control, const PlantTexts& plant, Pick pick)
        : control_(control), plant_(plant), pick_(std::move(pick)) {}

    // Plays one gesture. A gesture the control refuses raises its AutomationError; Gesture()
    // still says what was tried.
    void Step() {
        gesture_ = "nothing";
        baseline_ = {};
        Play(pick_(kGestures));
    }

    // What the last step did to the plan changes are measured from, unless it was refused: all
    // of it (the host accepted the changes, or the plant was loaded again), or one activity the
    // host added, updated or removed. A listener that throws hears a step once it stands whole,
    // so a step it stopped did this too.
    struct Baseline {
        bool Whole = false;
        std::optional<ActivityId> Activity;
    };
    const Baseline& BaselineChange() const { return baseline_; }

    const std::string& Gesture() const { return gesture_; }
    // The activities whose copy had an edge dragged: a copy moved inward is shorter than they were.
    const std::set<ActivityId>& ShortenedCopies() const { return shortened_; }

    static constexpr uint32_t kGestures = 26;

private:
    struct Place {
        int16_t row;
        int16_t bar;
    };

    std::string Where(Place p) const {
        const ChartBar& bar = chart_.Bar(p.row, p.bar);
        return std::to_string(p.row) + "/" + std::to_string(p.bar) + " (kind " +
               std::to_string(bar.Kind) + ", key " + bar.Key + ", " + Time(bar.Start) + " to " +
               Time(bar.End) + ")";
    }

    static std::string Time(const ChartTime& time) {
        return std::to_string(time.Day) + "+" + std::to_string(time.Minute);
    }

    std::optional<Place> AnyBar() {
        if (chart_.RowCount() == 0) {
            return std::nullopt;
        }
        const auto row = static_cast<int16_t>(1 + pick_(static_cast<uint32_t>(chart_.RowCount())));
        const int16_t bars = chart_.TimeBarCount(row);
        if (bars == 0) {
            return std::nullopt;
        }
        return Place{row, static_cast<int16_t>(1 + pick_(static_cast<uint32_t>(bars)))};
    }

    // A bar of that kind anywhere on the chart (all of them weigh the same).
    std::optional<Place> BarOfKind(int32_t kind, int16_t onlyRow = 0) const {
        std::vector<Place> bars;
        for (int16_t row = 1; row <= chart_.RowCount(); ++row) {
            if (onlyRow != 0 && row != onlyRow) {
                continue;
            }
            for (int16_t bar = 1; bar <= chart_.TimeBarCount(row); ++bar) {
                if (kind == 0 ? chart_.TimeBarKind(row, bar) != TemporaryBarKind
                              : chart_.TimeBarKind(row, bar) == kind) {
                    bars.push_back({row, bar});
                }
            }
        }
        if (bars.empty()) {
            return std::nullopt;
        }
        return bars[pick_(static_cast<uint32_t>(bars.size()))];
    }

    std::optional<Place> TemporaryBar() const {
        for (int16_t row = 1; row <= chart_.RowCount(); ++row) {
            for (int16_t bar = 1; bar <= chart_.TimeBarCount(row); ++bar) {
                if (chart_.TimeBarKind(row, bar) == TemporaryBarKind) {
                    return Place{row, bar};
                }
            }
        }
        return std::nullopt;
    }

    int16_t AnyRow() { return static_cast<int16_t>(1 + pick_(chart_.RowCount())); }

    // A start near the bar's own: up to two days either way, on a quarter hour.
    ChartTime NearStart(Place p) {
        const ChartTime start = chart_.Bar(p.row, p.bar).Start;
        return {start.Day + static_cast<int32_t>(pick_(5)) - 2,
                static_cast<int32_t>(pick_(96)) * 15};
    }

    void Drag(Place p, int16_t targetRow) {
        const ChartTime start = NearStart(p);
        gesture_ =
            "drag " + Where(p) + " to row " + std::to_string(targetRow) + " at " + Time(start);
        chart_.DragBar(p.row, p.bar, targetRow, start.Day, start.Minute);
    }

    // Moves one edge inward, outward or past the other edge, within its day or across days.
    void EdgeDrag(Place p) {
        const ChartBar bar = chart_.Bar(p.row, p.bar);
        if (bar.Kind == TemporaryBarKind) {
            if (const std::optional<ActivityId> copied = ActivityOfTag(bar.Tag)) {
                shortened_.insert(*copied);
            }
        }
        const bool startEdge = pick_(2) == 0;
        const int64_t length = bar.End.AbsoluteMinutes() - bar.Start.AbsoluteMinutes();
        const char* const kWays[] = {"inward", "outward", "past the other edge"};
        const uint32_t way = pick_(3);
        int64_t shift = 0;  // minutes towards the bar's end
        switch (way) {
            case 0:
                shift = length > 1 ? 1 + static_cast<int64_t>(pick_(static_cast<uint32_t>(
                                             std::min<int64_t>(length - 1, 4000))))
                                   : 0;
                break;
            case 1:
                shift = -1 - static_cast<int64_t>(pick_(3000));
                break;
            default:
                shift = length + 1 + static_cast<int64_t>(pick_(3000));
                break;
        }
        const ChartTime from = startEdge ? bar.Start : bar.End;
        const int64_t to = from.AbsoluteMinutes() + (startEdge ? shift : -shift);
        const auto day = static_cast<int32_t>(to >= 0 ? to / 1440 : -((-to + 1439) / 1440));
        const auto minute = static_cast<int32_t>(to - int64_t{day} * 1440);
        gesture_ = std::string(startEdge ? "start" : "end") + " edge of " + Where(p) + " " +
                   kWays[way] + " to " + std::to_string(day) + "+" + std::to_string(minute);
        if (startEdge) {
            chart_.DragBarStart(p.row, p.bar, day, minute);
        } else {
            chart_.DragBarEnd(p.row, p.bar, day, minute);
        }
    }

    void Play(uint32_t gesture) {
        std::optional<Place> p;
        switch (gesture) {
            case 0:
            case 1:
                if ((p = BarOfKind(WorkOrderBarKind))) {
                    gesture_ = "copy " + Where(*p);
                    // Now and then with other picked activities, which its drop moves too.
                    PickActivities(gesture == 1 ? *p : std::optional<Place>());
                    chart_.RightClickBar(p->row, p->bar);
                    control_.miCopy_Click();
                }
                break;
            case 2:
            case 3:
                if ((p = TemporaryBar())) {
                    Drag(*p, p->row);
                }
                break;
            case 4:
                if ((p = TemporaryBar())) {
                    Drag(*p, AnyRow());
                }
                break;
            case 5:
                if ((p = pick_(2) == 0 ? BarOfKind(WorkOrderBarKind)
                                       : BarOfKind(CalendarBarKind))) {
                    Drag(*p, pick_(2) == 0 ? p->row : AnyRow());
                }
                break;
            case 6:
                if ((p = pick_(2) == 0 ? TemporaryBar() : AnyBar())) {
                    EdgeDrag(*p);
                }
                break;
            case 7:
                if (const auto temporary = TemporaryBar()) {
                    if ((p = BarOfKind(0, temporary->row))) {
                        const bool forward = pick_(2) == 0;
                        gesture_ = std::string("paste ") + (forward ? "forward" : "backward") +
                                   " on " + Where(*p);
                        chart_.RightClickBar(p->row, p->bar);
                        forward ? control_.miFwdSch_Click() : control_.miBackSch_Click();
                    }
                }
                break;
            case 8:
                gesture_ = "Ignore";
                if ((p = TemporaryBar()) && pick_(2) == 0) {
                    gesture_ = "right-click the temporary bar, Ignore";
                    chart_.RightClickBar(p->row, p->bar);
                }
                control_.miIgnore_Click();
                break;
            case 9:
                if (!TemporaryBar() && (p = BarOfKind(WorkOrderBarKind))) {
                    gesture_ = "pack from " + Where(*p);
                    chart_.RightClickBar(p->row, p->bar);
                    control_.miPack_Click();
                }
                break;
            case 10:
                if ((p = pick_(3) == 0 ? TemporaryBar() : AnyBar())) {
                    const bool confirmed = pick_(4) != 0;
                    gesture_ = std::string(confirmed ? "confirmed" : "unconfirmed") +
                               " removal of " + Where(*p);
                    chart_.RequestBarRemoval(p->row, p->bar, confirmed);
                }
                break;
            case 11:
                if ((p = AnyBar())) {
                    gesture_ = "right-click " + Where(*p);
                    chart_.RightClickBar(p->row, p->bar);
                }
                break;
            case 12:
                if ((p = AnyBar())) {
                    gesture_ = "click " + Where(*p);
                    chart_.ClickBar(p->row, p->bar);
                }
                break;
            case 13:
                if ((p = AnyBar())) {
                    gesture_ = "double-click " + Where(*p);
                    chart_.DoubleClickBar(p->row, p->bar);
                }
                break;
            case 14: {
                const auto row = static_cast<int32_t>(
                    1 + pick_(static_cast<uint32_t>(control_.vaSpread().GridRowCount()) + 1));
                gesture_ = "grid click on row " + std::to_string(row);
                control_.GridCellClicked(1, row);
                break;
            }
            case 15:
                if ((p = AnyBar())) {
                    gesture_ = "conflicts of " + Where(*p) + ", double-click the list";
                    int16_t row = p->row;
                    int16_t bar = p->bar;
                    control_.ConflictTimeBars(row, bar);
                    ListBox& list = control_.lstConflictWorkOrders();
                    if (list.ListCount() > 0) {
                        list.SelectItem(
                            static_cast<int32_t>(pick_(static_cast<uint32_t>(list.ListCount()))));
                        control_.lstConflictWorkOrders_DblClick();
                    }
                }
                break;
            case 16: {
                const auto button = static_cast<int16_t>(1 + pick_(4));
                gesture_ = "toolbar button " + std::to_string(button);
                control_.ToolButtonClicked(button);
                break;
            }
            case 17:
                if ((p = AnyBar())) {
                    gesture_ = "hover " + Where(*p);
                    chart_.HoverBar(p->row, p->bar);
                }
                break;
            case 18:
                gesture_ = "Refresh";
                baseline_.Whole = true;
                control_.miRefresh_Click();
                break;
            case 19:
                gesture_ = "undo";
                control_.Undo();
                break;
            case 20:
                gesture_ = "redo";
                control_.Redo();
                break;
            case 21:
                HostVeto();
                break;
            case 22:
                gesture_ = "the host accepts the changes";
                baseline_.Whole = true;
                control_.AcceptChanges();
                break;
            case 23:
            case 24:
                HostEdit(gesture == 23);
                break;
            default:
                baseline_.Whole = true;
                if (pick_(2) == 0) {
                    gesture_ = "reload the four payloads";
                    LoadPlant(control_, plant_);
                } else {
                    // The same plant as a host of today hands it over: as values.
                    gesture_ = "load the plant as values";
                    if (!typed_) {
                        typed_ = ReadTypedPlant(plant_.header, plant_.resources, plant_.calendars,
                                                plant_.workOrders);
                    }
                    typed_->LoadInto(control_);
                }
                break;
        }
    }

    // The copied bar's activity and up to two others, or none.
    void PickActivities(const std::optional<Place>& copied) {
        std::vector<ActivityKey> picked;
        for (uint32_t i = 0, more = copied ? 1 + pick_(3) : 0; i < more; ++i) {
            const std::optional<Place> p = i == 0 ? copied : BarOfKind(WorkOrderBarKind);
            if (!p) {
                continue;
            }
            if (const std::optional<ActivityId> id =
                    ActivityOfTag(chart_.TimeBarTag(p->row, p->bar))) {
                picked.push_back({id->WorkOrder, static_cast<int32_t>(id->Schedule)});
                if (i > 0) {
                    gesture_ += " with " + id->Name();
                }
            }
        }
        control_.SetPickedActivities(picked);
    }

    void HostVeto() {
        const uint32_t kind = pick_(3);
        gesture_ = "the host's veto " + std::to_string(kind);
        control_.SetChangeVeto(VetoOfKind(kind));
    }

    // Updates the activity of a work-order bar with one sub-activity per bar, each on a row and
    // day near its own; or takes it out; or adds a new activity of one sub-activity.
    void HostEdit(bool update) {
        const std::optional<Place> p = BarOfKind(WorkOrderBarKind);
        const std::optional<ActivityId> id =
            p ? ActivityOfTag(chart_.TimeBarTag(p->row, p->bar)) : std::nullopt;
        if (!id || TemporaryBar()) {
            return;
        }
        const ActivityKey key{id->WorkOrder, static_cast<int32_t>(id->Schedule)};
        const std::optional<PlanActivity> activity = control_.Activity(key);
        if (!activity) {
            return;
        }
        if (!update) {
            if (pick_(2) == 0) {
                gesture_ = "the host removes " + id->Name();
                baseline_.Activity = id;
                control_.RemoveActivity(key);
                return;
            }
            const ActivityId added{id->WorkOrder + "-N" + std::to_string(pick_(1000)), 10};
            gesture_ = "the host adds " + added.Name();
            baseline_.Activity = added;
            control_.AddSubActivities(
                std::vector{SubActivityLike(activity->Bars.front(), added.WorkOrder, 10)});
            return;
        }
        std::vector<PlannedSubActivity> replacement;
        for (const ActivityBar& bar : activity->Bars) {
            replacement.push_back(SubActivityLike(bar, key.WorkOrder, key.Activity));
        }
        gesture_ = "the host updates " + id->Name() + " with " +
                   std::to_string(replacement.size()) + " sub-activities";
        baseline_.Activity = id;
        control_.UpdateActivity(key, replacement);
    }

    // A sub-activity of the bar's length and record, a day either way and on any row.
    PlannedSubActivity SubActivityLike(const ActivityBar& bar, const std::string& workOrder,
                                       int32_t activity) {
        PlannedSubActivity s;
        s.Resource = chart_.RowColumnText(AnyRow(), 1);
        s.WorkOrder = workOrder;
        s.Activity = activity;
        s.SubActivity = bar.Record.subactivity_code_mul;
        s.Start = bar.Start + std::chrono::days{static_cast<int>(pick_(3)) - 1};
        s.Duration = bar.End - bar.Start;
        s.Status = bar.Record.status;
        s.Flag = bar.Record.flag;
        s.ItemCode = bar.Record.item_code;
        s.RequiredDate = s.PromisedDate = s.WorkOrderStart = s.WorkOrderEnd =
            std::chrono::floor<std::chrono::days>(s.Start);
        return s;
    }

    Tessaro_Ctrl& control_;
    ScheduleChart& chart_ = control_.ctResSched();
    const PlantTexts& plant_;
    Pick pick_;
    std::string gesture_ = "none yet";
    std::set<ActivityId> shortened_;
    Baseline baseline_;
    std::optional<TypedPlant> typed_;
};

}  // namespace tessaro::testing
