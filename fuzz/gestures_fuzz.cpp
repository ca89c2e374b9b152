// Decodes bytes into a planner's session on the sample plant (right-clicks, menu commands,
// drags, edge drags, clicks, grid clicks, conflict queries, removals, toolbar buttons, and the
// planner's gestures of tests/support/planner_session.hpp: Copy, drags of the temporary bar in
// time and across rows, paste, Ignore, removal of the temporary bar, edges dragged past the other
// edge, Refresh and reloads) and checks after every step that nothing but a documented error
// escaped, every bar's minutes lie in a day, every work-order bar's tag splits into its eighteen
// fields and its key names the record's work order, at most one temporary bar exists, the
// rescheduling document is well-formed XML with one Rescheduleinfo per pending change, the
// conflicts the control keeps are those of the chart and, when no copy is pending, the chart and
// the changes agree on every loaded activity.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

#include "fuzz_support.hpp"
#include "support/conflict_agreement.hpp"
#include "support/plan_agreement.hpp"
#include "support/planner_session.hpp"

namespace {

using tessaro::fuzzing::ReadSample;

struct VetoFailure {};

class Session {
public:
    Session(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool More() const { return next_ < size_; }

    void Step() {
        reloaded_ = false;
        try {
            const uint8_t gesture = Byte() % 34;
            if (gesture < 17) {
                Gesture(gesture);
            } else {
                planner_.Step();
                reloaded_ = planner_.BaselineChange().Whole;
                if (planner_.BaselineChange().Activity) {
                    agreement_.Reload(control_, *planner_.BaselineChange().Activity);
                }
            }
        } catch (const tessaro::AutomationError& error) {
            // A refused gesture is fine; what it leaves is checked below.
            FUZZ_CHECK(tessaro::fuzzing::IsDocumentedError(error));
            reloaded_ = false;
        } catch (const VetoFailure&) {
            // A host's veto that throws refuses the command, which changes nothing.
            reloaded_ = false;
        }
        if (reloaded_) {
            // The plan is the kept payloads' again (with the host's own edits of them), or the
            // host accepted the changes: changes are measured from where the plan stands.
            agreement_ = tessaro::testing::PlanAgreement(control_);
            shortened_.clear();
        }
        // A step that changed neither the chart nor the changes leaves what was checked last.
        if (std::exchange(changed_, false)) {
            CheckInvariants();
            CheckAgreement();
            CheckConflicts();
        }
    }

private:
    // The sample plant's header and resources with its first calendar entries and work-order
    // records, split activities among them: a session is played on a fresh load, so that an
    // input replays alone, and a smaller plant lets it play several times as many inputs.
    static const tessaro::testing::PlantTexts& Plant() {
        static const tessaro::testing::PlantTexts plant{
            ReadSample("header.xml"), ReadSample("resources.xml"),
            tessaro::fuzzing::SampleExcerpt("calendars.xml", "calendars", 64),
            tessaro::fuzzing::SampleExcerpt("workorders.xml", "workorders", 64)};
        return plant;
    }

    // The agreement's snapshot is taken from the control as the load leaves it.
    static const tessaro::Tessaro_Ctrl& Loaded(tessaro::Tessaro_Ctrl& control) {
        tessaro::testing::LoadPlant(control, Plant());
        return control;
    }

    uint8_t Byte() { return next_ < size_ ? data_[next_++] : 0; }

    // A number below bound from one byte, or two when one cannot reach it.
    uint32_t Pick(uint32_t bound) {
        uint32_t value = Byte();
        if (bound > 256) {
            value |= uint32_t{Byte()} << 8;
        }
        return value % bound;
    }

    // An edge of the copy moved inward leaves it shorter than its activity was.
    void NoteShortened(int16_t row, int16_t bar) {
        const tessaro::ChartBar& shown = chart_.Bar(row, bar);
        if (shown.Kind == tessaro::TemporaryBarKind) {
            if (const auto copied = tessaro::testing::ActivityOfTag(shown.Tag)) {
                shortened_.insert(*copied);
            }
        }
    }

    void CheckAgreement() {
        std::set<tessaro::testing::ActivityId> shortened = shortened_;
        shortened.insert(planner_.ShortenedCopies().begin(), planner_.ShortenedCopies().end());
        const std::vector<std::string> violations = agreement_.Violations(control_, shortened);
        for (const std::string& violation : violations) {
            std::fprintf(stderr, "Chart and changes disagree (last planner gesture: %s): %s\n",
                         planner_.Gesture().c_str(), violation.c_str());
        }
        FUZZ_CHECK(violations.empty());
    }

    // The conflicts the control keeps are those a full search of the chart finds, for the plan
    // and for a few rows (which rows comes from where the input is, so no byte is spent on it).
    void CheckConflicts() {
        const auto first = static_cast<int16_t>(1 + next_ % (chart_.RowCount() + 1u));
        const std::vector<std::string> disagreements = tessaro::testing::ConflictDisagreements(
            control_, first, static_cast<int16_t>(first + 4));
        for (const std::string& disagreement : disagreements) {
            std::fprintf(stderr, "Kept conflicts disagree (last planner gesture: %s): %s\n",
                         planner_.Gesture().c_str(), disagreement.c_str());
        }
        FUZZ_CHECK(disagreements.empty());
    }

    bool PickBar(int16_t& row, int16_t& bar) {
        if (chart_.RowCount() == 0) {
            return false;
        }
        row = static_cast<int16_t>(1 + Byte() % chart_.RowCount());
        const int16_t bars = chart_.TimeBarCount(row);
        if (bars == 0) {
            return false;
        }
        bar = static_cast<int16_t>(1 + Byte() % bars);
        return true;
    }

    void Gesture(uint8_t gesture) {
        static const char* const kScheduler[] = {"miCopy", "miRefresh", "miPack"};
        static const char* const kDrag[] = {"miFwdSch", "miBackSch", "miFwdFinSch", "miBackFinSch",
                                            "miIgnore"};
        int16_t row = 0;
        int16_t bar = 0;
        switch (gesture) {
            case 0:
                if (PickBar(row, bar))
                    chart_.RightClickBar(row, bar);
                break;
            case 1: {
                const char* command = kScheduler[Byte() % 3];
                control_.mnuSchedPopUp().Choose(command);
                reloaded_ = std::strcmp(command, "miRefresh") == 0;
                break;
            }
            case 2:
                control_.mnuDrag().Choose(kDrag[Byte() % 5]);
                break;
            case 3:
                if (PickBar(row, bar)) {
                    const auto target = static_cast<int16_t>(1 + Byte() % chart_.RowCount());
                    const int32_t day =
                        chart_.Bar(row, bar).Start.Day + static_cast<int8_t>(Byte());
                    chart_.DragBar(row, bar, target, day, Byte() * 6);
                }
                break;
            case 4:
                if (PickBar(row, bar)) {
                    NoteShortened(row, bar);
                    chart_.DragBarStart(row, bar, chart_.Bar(row, bar).Start.Day + Byte() % 3 - 1,
                                        Byte() * 6);
                }
                break;
            case 5:
                if (PickBar(row, bar)) {
                    NoteShortened(row, bar);
                    chart_.DragBarEnd(row, bar, chart_.Bar(row, bar).End.Day + Byte() % 3 - 1,
                                      Byte() * 6);
                }
                break;
            case 6:
                if (PickBar(row, bar))
                    chart_.ClickBar(row, bar);
                break;
            case 7:
                if (PickBar(row, bar))
                    chart_.DoubleClickBar(row, bar);
                break;
            case 8:
                control_.vaSpread().ClickCell(1, 1 + Byte() % 9);
                break;
            case 9:
                if (PickBar(row, bar)) {
                    if (Byte() % 2 == 0) {
                        control_.ConflictTimeBars(row, bar);
                    } else {
                        control_.CheckConflictTest(row, bar);
                    }
                }
                break;
            case 10: {
                tessaro::ListBox& list = control_.lstConflictWorkOrders();
                if (list.ListCount() > 0) {
                    list.SelectItem(Byte() % list.ListCount());
                    list.DoubleClick();
                }
                break;
            }
            case 11:
                if (PickBar(row, bar))
                    chart_.RequestBarRemoval(row, bar, Byte() % 2 == 0);
                break;
            case 12:
                if (PickBar(row, bar))
                    chart_.HoverBar(row, bar);
                break;
            case 13: {
                tessaro::Toolbar& toolbar = control_.ctToolBar1();
                if (toolbar.ButtonCount() > 0) {
                    toolbar.PressButton(static_cast<int16_t>(1 + Byte() % toolbar.ButtonCount()));
                }
                break;
            }
            case 14:
                chart_.RaiseGestureFlagsSet();
                break;
            case 15:
                SetVeto(Byte() % 4);
                break;
            default:
                // The host saved the changes: where the plan stands is where changes start.
                control_.AcceptChanges();
                agreement_ = tessaro::testing::PlanAgreement(control_);
                changed_ = true;
                shortened_.clear();
                break;
        }
    }

    // The planner session's vetoes (0 to 2), or 3: a veto that throws.
    void SetVeto(int kind) {
        if (kind < 3) {
            control_.SetChangeVeto(tessaro::testing::VetoOfKind(static_cast<uint32_t>(kind)));
            return;
        }
        control_.SetChangeVeto([](const tessaro::ProposedChange&) -> std::optional<std::string> {
            throw VetoFailure{};
        });
    }

    void CheckInvariants() {
        int temporaryBars = 0;
        for (int16_t row = 1; row <= chart_.RowCount(); ++row) {
            for (int16_t bar = 1; bar <= chart_.TimeBarCount(row); ++bar) {
                const tessaro::ChartBar& shown = chart_.Bar(row, bar);
                tessaro::fuzzing::CheckBarTimes(shown);
                temporaryBars += shown.Kind == tessaro::TemporaryBarKind;
                // The check depends on the tag and key alone; most bars keep theirs from step
                // to step, so each pair is checked once.
                if (shown.Kind == tessaro::WorkOrderBarKind &&
                    checkedBars_.insert(shown.Tag + '\0' + shown.Key).second) {
                    tessaro::fuzzing::CheckWorkOrderBar(shown);
                }
            }
        }
        // One temporary bar for the copy, and one for each activity copied with it; those go
        // with the copy.
        const auto companions = static_cast<int>(control_.CompanionCopyBars().size());
        FUZZ_CHECK(temporaryBars <= 1 + companions);
        FUZZ_CHECK(companions == 0 || !control_.TempBarKey().empty());

        pugi::xml_document output;
        FUZZ_CHECK(output.load_string(control_.rescheduling().Xml().c_str()));
        const pugi::xml_node saveres = output.document_element();
        FUZZ_CHECK(std::strcmp(saveres.name(), "Saveres") == 0);
        int32_t changes = 0;
        for (pugi::xml_node info : saveres.children()) {
            FUZZ_CHECK(std::strcmp(info.name(), "Rescheduleinfo") == 0);
            ++changes;
        }
        FUZZ_CHECK(changes == control_.PendingChanges().Count());
    }

    const uint8_t* data_;
    size_t size_;
    size_t next_ = 0;
    tessaro::Tessaro_Ctrl control_;
    std::unordered_set<std::string> checkedBars_;
    std::set<tessaro::testing::ActivityId> shortened_;
    tessaro::ScheduleChart& chart_ = control_.ctResSched();
    const tessaro::testing::PlanAgreement payload_{Loaded(control_)};
    tessaro::testing::PlanAgreement agreement_ = payload_;
    bool reloaded_ = false;
    bool changed_ = true;
    const int chartListener_ =
        chart_.Changed.Subscribe([this](const tessaro::ChartChange&) { changed_ = true; });
    const int changesListener_ =
        control_.PendingChangesChanged().Subscribe([this](int) { changed_ = true; });
    tessaro::testing::PlannerSession planner_{control_, Plant(),
                                              [this](uint32_t bound) { return Pick(bound); }};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Session session(data, size);
    while (session.More()) {
        session.Step();
    }
    return 0;
}
