#include "chart_keys.hpp"

namespace tessaro::qt_detail {

namespace {

constexpr int64_t kHour = 60;
constexpr int64_t kDay = 24 * kHour;

}  // namespace

BarFocus FocusedBar(const ScheduleChart& chart, const ChartKeyboard& keys) {
    if (keys.focusId == 0) {
        return {};
    }
    const auto [row, bar] =
        chart.FindTimeBarById(keys.focusId, static_cast<int16_t>(keys.focusRow));
    if (bar != 0) {
        return {row, bar};
    }
    return NearestWorkOrderBar(chart, keys.focusRow, keys.focusStart, keys.focusEnd);
}

bool SetFocusedBar(ChartKeyboard& keys, const ScheduleChart& chart, BarFocus focus) {
    const uint64_t before = keys.focusId;
    if (focus.row < 1 || focus.row > chart.RowCount() || focus.bar < 1 ||
        focus.bar > chart.TimeBarCount(static_cast<int16_t>(focus.row))) {
        focus = {};
    }
    keys.focusId =
        focus ? chart.TimeBarId(static_cast<int16_t>(focus.row), static_cast<int16_t>(focus.bar))
              : 0;
    keys.focusRow = focus.row;
    if (focus) {
        const ChartBar& bar =
            chart.Bar(static_cast<int16_t>(focus.row), static_cast<int16_t>(focus.bar));
        keys.focusStart = bar.Start.AbsoluteMinutes();
        keys.focusEnd = bar.End.AbsoluteMinutes();
    }
    return keys.focusId != before;
}

ChartKeyCommand DecodeChartKey(int key, Qt::KeyboardModifiers modifiers,
                               const ChartKeyContext& context) {
    using Kind = ChartKeyCommand::Kind;
    modifiers &= ~Qt::KeypadModifier;
    const bool plain = modifiers == Qt::NoModifier;
    const auto step = [&](FocusStep to) {
        return plain ? ChartKeyCommand{Kind::Step, to} : ChartKeyCommand{};
    };
    const auto moveCopy = [](int64_t minutes, int rows) {
        return ChartKeyCommand{Kind::MoveCopy, FocusStep::Next, minutes, rows};
    };
    switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Right: {
            const int64_t direction = key == Qt::Key_Right ? 1 : -1;
            if (context.onCopy && (plain || modifiers == Qt::ShiftModifier)) {
                return moveCopy(direction * (plain ? kHour : kDay), 0);
            }
            return step(direction > 0 ? FocusStep::Next : FocusStep::Previous);
        }
        case Qt::Key_Up:
        case Qt::Key_Down: {
            const int direction = key == Qt::Key_Down ? 1 : -1;
            if (context.onCopy && modifiers == Qt::AltModifier) {
                return moveCopy(0, direction);
            }
            return step(direction > 0 ? FocusStep::Down : FocusStep::Up);
        }
        case Qt::Key_Home:
        case Qt::Key_End:
            return step(key == Qt::Key_Home ? FocusStep::RowStart : FocusStep::RowEnd);
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            return step(key == Qt::Key_PageUp ? FocusStep::PageUp : FocusStep::PageDown);
        case Qt::Key_Space:
            if (!plain || !context.focus || context.holdingCopy) {
                return {};
            }
            return {Kind::Click};
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (context.holdingCopy) {
                return {Kind::DropCopy};
            }
            if (!plain || !context.focus || !context.onWorkOrder) {
                return {};
            }
            return {Kind::DoubleClick};
        case Qt::Key_Escape:
            return context.onCopy ? ChartKeyCommand{Kind::EndCopy} : ChartKeyCommand{};
        case Qt::Key_F10:
        case Qt::Key_Menu:
            if ((key == Qt::Key_F10 && modifiers != Qt::ShiftModifier) || !context.focus ||
                context.holdingCopy) {
                return {};
            }
            return {Kind::OpenMenu};
        default:
            return {};
    }
}

}  // namespace tessaro::qt_detail
