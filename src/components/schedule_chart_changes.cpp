#include <tessaro/components/schedule_chart.hpp>

#include <algorithm>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

namespace tessaro {

namespace {

using Held = Observable<const ChartChange&>::Held;
using Kind = ChartChange::Kind;

// What a view needs of a command's changes, in the order they were first made.
void Thin(std::vector<Held>& held, const ScheduleChart& chart) {
    const auto change = [](const Held& h) -> const ChartChange& { return std::get<0>(h); };
    const bool rows = std::any_of(held.begin(), held.end(),
                                  [&](const Held& h) { return change(h).What == Kind::Rows; });
    std::set<int16_t> rowsWithBars;
    for (const Held& h : held) {
        if (change(h).What == Kind::Bars) {
            rowsWithBars.insert(change(h).Row);
        }
    }
    std::vector<Held> kept;
    std::set<std::tuple<int, int16_t, int16_t>> seen;
    bool rowsKept = false;
    for (const Held& h : held) {
        ChartChange c = change(h);
        if (rows && (c.What == Kind::Rows || c.What == Kind::Bars || c.What == Kind::Bar)) {
            if (std::exchange(rowsKept, true)) {
                continue;
            }
            c = {Kind::Rows};
        } else if (c.What == Kind::Bar && rowsWithBars.count(c.Row) > 0) {
            continue;
        } else if (c.What == Kind::ShowBar && (c.Row < 1 || c.Row > chart.RowCount() || c.Bar < 1 ||
                                               c.Bar > chart.TimeBarCount(c.Row))) {
            continue;
        }
        if (seen.emplace(static_cast<int>(c.What), c.Row, c.Bar).second) {
            kept.emplace_back(c);
        }
    }
    held = std::move(kept);
}

}  // namespace

void ScheduleChart::ReleaseChanges() {
    Changed.Release([this](std::vector<Held>& held) { Thin(held, *this); });
}

}  // namespace tessaro
