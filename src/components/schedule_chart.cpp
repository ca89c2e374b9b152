#include <tessaro/components/schedule_chart.hpp>

#include <algorithm>
#include <limits>
#include <utility>

#include "runtime/checked_arithmetic.hpp"

#include "components/schedule_chart_storage.hpp"

namespace tessaro {

using chart_detail::KeyGroup;
using chart_detail::MakeTime;
using chart_detail::RaiseInvalidArgument;

ScheduleChart::ScheduleChart() = default;
ScheduleChart::~ScheduleChart() = default;

// ---- Rows ----

int16_t ScheduleChart::RowCount() const {
    return static_cast<int16_t>(rows_.size());
}

void ScheduleChart::ClearRows() {
    rows_.clear();
    keyIndex_.clear();
    conflictCursor_ = {};
    NotifyContent({ChartChange::Kind::Rows});
}

ScheduleChart::TakenRows::TakenRows() = default;
ScheduleChart::TakenRows::~TakenRows() = default;
ScheduleChart::TakenRows::TakenRows(TakenRows&&) noexcept = default;
ScheduleChart::TakenRows& ScheduleChart::TakenRows::operator=(TakenRows&&) noexcept = default;

ScheduleChart::TakenRows ScheduleChart::TakeRows() {
    TakenRows taken;
    taken.rows_ = std::move(rows_);
    taken.keyIndex_ = std::move(keyIndex_);
    ClearRows();
    return taken;
}

void ScheduleChart::RestoreRows(TakenRows rows) {
    rows_ = std::move(rows.rows_);
    keyIndex_ = std::move(rows.keyIndex_);
    conflictCursor_ = {};
    NotifyContent({ChartChange::Kind::Rows});
}

int16_t ScheduleChart::AddRow(std::string text) {
    const int16_t index = CheckedInt16(static_cast<int64_t>(rows_.size()) + 1);
    rows_.push_back(Row{std::move(text), {}});
    NotifyContent({ChartChange::Kind::Rows, index});
    return index;
}

ScheduleChart::Row& ScheduleChart::RowAt(int16_t row) {
    if (row < 1 || row > RowCount()) {
        RaiseInvalidArgument();
    }
    return rows_[static_cast<size_t>(row - 1)];
}

const ScheduleChart::Row& ScheduleChart::RowAt(int16_t row) const {
    return const_cast<ScheduleChart*>(this)->RowAt(row);
}

const std::string& ScheduleChart::RowText(int16_t row) const {
    return RowAt(row).text;
}

std::string ScheduleChart::RowColumnText(int16_t row, int16_t column) const {
    const std::string& text = RowAt(row).text;
    if (column < 1) {
        RaiseInvalidArgument();
    }
    size_t begin = 0;
    for (int16_t c = 1; c < column; ++c) {
        const size_t separator = text.find(';', begin);
        if (separator == std::string::npos) {
            return {};
        }
        begin = separator + 1;
    }
    const size_t end = text.find(';', begin);
    return text.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

// ---- Bars ----

int16_t ScheduleChart::TimeBarCount(int16_t row) const {
    return static_cast<int16_t>(RowAt(row).bars.size());
}

ScheduleChart::StoredBar& ScheduleChart::At(int16_t row, int16_t bar) {
    Row& r = RowAt(row);
    if (bar < 1 || static_cast<size_t>(bar) > r.bars.size()) {
        RaiseInvalidArgument();
    }
    return *r.bars[static_cast<size_t>(bar - 1)];
}

const ScheduleChart::StoredBar& ScheduleChart::At(int16_t row, int16_t bar) const {
    return const_cast<ScheduleChart*>(this)->At(row, bar);
}

uint64_t ScheduleChart::TimeBarId(int16_t row, int16_t bar) const {
    return At(row, bar).id;
}

std::pair<int16_t, int16_t> ScheduleChart::FindTimeBarById(uint64_t id, int16_t rowHint) const {
    if (id == 0) {
        return {0, 0};
    }
    if (const auto where = Locate(id, rowHint)) {
        return {where->row, where->bar};
    }
    // Only a bar that changed rows (or went) is looked for further. The counter is wider than a
    // row number, so that it can pass the last of 32767 rows.
    const int32_t rows = RowCount();
    for (int32_t row = 1; row <= rows; ++row) {
        if (row == rowHint) {
            continue;
        }
        if (const auto where = Locate(id, static_cast<int16_t>(row))) {
            return {where->row, where->bar};
        }
    }
    return {0, 0};
}

const ChartBar& ScheduleChart::Bar(int16_t row, int16_t bar) const {
    return At(row, bar);
}

int16_t ScheduleChart::AppendBar(int16_t row, std::unique_ptr<StoredBar> stored) {
    Row& r = RowAt(row);
    const int16_t index = CheckedInt16(static_cast<int64_t>(r.bars.size()) + 1);
    stored->row = row;
    stored->position = index - 1;
    StoredBar& ref = *stored;
    r.bars.push_back(std::move(stored));
    IndexKey(ref);
    return index;
}

std::unique_ptr<ScheduleChart::StoredBar> ScheduleChart::DetachBar(int16_t row, int16_t bar) {
    At(row, bar);
    auto& bars = RowAt(row).bars;
    const auto place = bars.begin() + (bar - 1);
    std::unique_ptr<StoredBar> stored = std::move(*place);
    bars.erase(place);
    for (size_t i = static_cast<size_t>(bar - 1); i < bars.size(); ++i) {
        bars[i]->position = static_cast<int32_t>(i);
    }
    UnindexKey(*stored);
    return stored;
}

int16_t ScheduleChart::AddTimeBar(int16_t row, int32_t startMinute, int32_t endMinute,
                                  int32_t startDay, int32_t endDay, std::string key) {
    RowAt(row);
    auto stored = std::make_unique<StoredBar>();
    stored->Start = MakeTime(startDay, startMinute);
    stored->End = MakeTime(endDay, endMinute);
    stored->Key = std::move(key);
    stored->id = nextBarId_++;
    const int16_t index = AppendBar(row, std::move(stored));
    NotifyBar(row, index);
    return index;
}

int16_t ScheduleChart::AddUnkeyedTimeBar(int16_t row, int32_t startMinute, int32_t endMinute,
                                         int32_t startDay, int32_t endDay) {
    return AddTimeBar(row, startMinute, endMinute, startDay, endDay, {});
}

void ScheduleChart::RemoveTimeBar(int16_t row, int16_t bar) {
    DetachBar(row, bar);
    NotifyContent({ChartChange::Kind::Bars, row});
}

void ScheduleChart::MoveTimeBar(int16_t row, int16_t bar, int32_t startMinute, int32_t endMinute,
                                int32_t startDay, int32_t endDay) {
    StoredBar& stored = At(row, bar);
    SetTimes(stored, MakeTime(startDay, startMinute), MakeTime(endDay, endMinute));
    RaiseBarChanged(row, bar);
}

void ScheduleChart::SetTimes(StoredBar& stored, ChartTime start, ChartTime end) {
    stored.Start = start;
    stored.End = end;
    NotifyBar(stored.row, static_cast<int16_t>(stored.position + 1));
}

void ScheduleChart::RaiseBarChanged(int16_t row, int16_t bar) {
    if (sink_ != nullptr) {
        sink_->BarChanged(row, bar);
    }
}

const std::string& ScheduleChart::TimeBarKey(int16_t row, int16_t bar) const {
    return At(row, bar).Key;
}

void ScheduleChart::SetTimeBarKey(int16_t row, int16_t bar, std::string key) {
    StoredBar& stored = At(row, bar);
    if (stored.Key == key) {
        return;
    }
    UnindexKey(stored);
    stored.Key = std::move(key);
    IndexKey(stored);
}

void ScheduleChart::IndexKey(StoredBar& stored) {
    if (!stored.Key.empty()) {
        const std::string_view group = KeyGroup(stored.Key);
        auto found = keyIndex_.find(group);
        if (found == keyIndex_.end()) {
            found = keyIndex_.emplace(std::string(group), std::vector<StoredBar*>{}).first;
        }
        found->second.push_back(&stored);
    }
}

void ScheduleChart::UnindexKey(StoredBar& stored) {
    if (stored.Key.empty()) {
        return;
    }
    const auto found = keyIndex_.find(KeyGroup(stored.Key));
    if (found == keyIndex_.end()) {
        return;
    }
    std::erase(found->second, &stored);
    if (found->second.empty()) {
        keyIndex_.erase(found);
    }
}

const std::string& ScheduleChart::TimeBarTag(int16_t row, int16_t bar) const {
    return At(row, bar).Tag;
}

void ScheduleChart::SetTimeBarTag(int16_t row, int16_t bar, std::string tag) {
    StoredBar& stored = At(row, bar);
    if (stored.Tag == tag) {
        return;
    }
    stored.Tag = std::move(tag);
    NotifyBar(row, bar);
}

int32_t ScheduleChart::TimeBarKind(int16_t row, int16_t bar) const {
    return At(row, bar).Kind;
}

void ScheduleChart::SetTimeBarKind(int16_t row, int16_t bar, int32_t kind) {
    At(row, bar).Kind = kind;
    NotifyBar(row, bar);
}

int16_t ScheduleChart::TimeBarStyle(int16_t row, int16_t bar) const {
    return At(row, bar).Style;
}

void ScheduleChart::SetTimeBarStyle(int16_t row, int16_t bar, int16_t style) {
    StoredBar& stored = At(row, bar);
    if (style != 0) {
        Style(style);
    }
    stored.Style = style;
    NotifyBar(row, bar);
}

int32_t ScheduleChart::TimeBarColour(int16_t row, int16_t bar) const {
    return At(row, bar).Colour;
}

void ScheduleChart::SetTimeBarColour(int16_t row, int16_t bar, int32_t colour) {
    At(row, bar).Colour = colour;
    NotifyBar(row, bar);
}

const std::string& ScheduleChart::TimeBarText(int16_t row, int16_t bar) const {
    return At(row, bar).Text;
}

void ScheduleChart::SetTimeBarText(int16_t row, int16_t bar, std::string text) {
    At(row, bar).Text = std::move(text);
    NotifyBar(row, bar);
}

int32_t ScheduleChart::TimeBarStartDay(int16_t row, int16_t bar) const {
    return At(row, bar).Start.Day;
}

int32_t ScheduleChart::TimeBarStartMinute(int16_t row, int16_t bar) const {
    return At(row, bar).Start.Minute;
}

int32_t ScheduleChart::TimeBarEndDay(int16_t row, int16_t bar) const {
    return At(row, bar).End.Day;
}

int32_t ScheduleChart::TimeBarEndMinute(int16_t row, int16_t bar) const {
    return At(row, bar).End.Minute;
}

void ScheduleChart::SetTimeBarStartDay(int16_t row, int16_t bar, int32_t day) {
    StoredBar& stored = At(row, bar);
    SetTimes(stored, MakeTime(day, stored.Start.Minute), stored.End);
    RaiseBarChanged(row, bar);
}

void ScheduleChart::SetTimeBarStartMinute(int16_t row, int16_t bar, int32_t minute) {
    StoredBar& stored = At(row, bar);
    SetTimes(stored, MakeTime(stored.Start.Day, minute), stored.End);
    RaiseBarChanged(row, bar);
}

void ScheduleChart::SetTimeBarEndDay(int16_t row, int16_t bar, int32_t day) {
    StoredBar& stored = At(row, bar);
    SetTimes(stored, stored.Start, MakeTime(day, stored.End.Minute));
    RaiseBarChanged(row, bar);
}

void ScheduleChart::SetTimeBarEndMinute(int16_t row, int16_t bar, int32_t minute) {
    StoredBar& stored = At(row, bar);
    SetTimes(stored, stored.Start, MakeTime(stored.End.Day, minute));
    RaiseBarChanged(row, bar);
}

// ---- Search ----

int16_t ScheduleChart::FindTimeBarRow(std::string_view key) const {
    if (key.empty()) {
        return 0;
    }
    const auto found = keyIndex_.find(KeyGroup(key));
    if (found == keyIndex_.end()) {
        return 0;
    }
    const StoredBar* first = nullptr;
    for (const StoredBar* candidate : found->second) {
        if (candidate->Key == key &&
            (first == nullptr || std::pair(candidate->row, candidate->position) <
                                     std::pair(first->row, first->position))) {
            first = candidate;
        }
    }
    return first == nullptr ? 0 : first->row;
}

int16_t ScheduleChart::FindTimeBarInRow(std::string_view key, int16_t row) const {
    if (key.empty() || row == 0) {
        return 0;
    }
    RowAt(row);
    const auto found = keyIndex_.find(KeyGroup(key));
    if (found == keyIndex_.end()) {
        return 0;
    }
    int32_t best = std::numeric_limits<int32_t>::max();
    for (const StoredBar* candidate : found->second) {
        if (candidate->row == row && candidate->Key == key) {
            best = std::min(best, candidate->position);
        }
    }
    return best == std::numeric_limits<int32_t>::max() ? 0 : static_cast<int16_t>(best + 1);
}

std::vector<std::pair<int16_t, int16_t>> ScheduleChart::FindTimeBarsInKeyGroup(
    std::string_view group) const {
    std::vector<std::pair<int16_t, int16_t>> bars;
    if (group.empty()) {
        return bars;
    }
    const auto found = keyIndex_.find(group);
    if (found == keyIndex_.end()) {
        return bars;
    }
    for (const StoredBar* candidate : found->second) {
        bars.emplace_back(candidate->row, static_cast<int16_t>(candidate->position + 1));
    }
    std::sort(bars.begin(), bars.end());
    return bars;
}

int16_t ScheduleChart::FirstConflictingTimeBar(int16_t row, int16_t bar, int16_t searchRow) {
    At(row, bar);
    RowAt(searchRow);
    conflictCursor_ = {row, bar, searchRow, 0};
    return NextConflictingTimeBar(row, bar, searchRow);
}

int16_t ScheduleChart::NextConflictingTimeBar(int16_t row, int16_t bar, int16_t searchRow) {
    const StoredBar& searched = At(row, bar);
    const Row& candidates = RowAt(searchRow);
    if (conflictCursor_.row != row || conflictCursor_.bar != bar ||
        conflictCursor_.searchRow != searchRow) {
        conflictCursor_ = {row, bar, searchRow, 0};
    }
    for (size_t i = static_cast<size_t>(conflictCursor_.last); i < candidates.bars.size(); ++i) {
        const StoredBar& other = *candidates.bars[i];
        if (&other == &searched) {
            continue;
        }
        // Half-open spans: an empty span overlaps nothing, touching ends do not overlap.
        if (std::max(searched.Start, other.Start) < std::min(searched.End, other.End)) {
            conflictCursor_.last = static_cast<int16_t>(i + 1);
            return conflictCursor_.last;
        }
    }
    conflictCursor_.last = static_cast<int16_t>(candidates.bars.size());
    return 0;
}

// ---- Display requests ----

void ScheduleChart::ShowTimeBar(int16_t row, int16_t bar) {
    At(row, bar);
    lastShown_ = {row, bar};
    Changed.Notify({ChartChange::Kind::ShowBar, row, bar});
}

void ScheduleChart::RedrawChart() {
    ++redrawCount_;
    Changed.Notify({ChartChange::Kind::Redraw});
}

void ScheduleChart::CancelRowChange() {
    if (rowChangeDepth_ == 0) {
        RaiseInvalidArgument();
    }
    rowChangeCancelled_ = true;
}

}  // namespace tessaro
