#pragma once

// What the widget tests share: mouse gestures driven through QTest and pixel access (and the
// recording chart event sink of every chart test).

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QPoint>
#include <QTest>
#include <QWidget>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

#include "support/recording_sink.hpp"

namespace tessaro::testing {

// A colour as the control writes it: red + 256 * green + 65536 * blue.
constexpr int32_t Rgb(int r, int g, int b) {
    return r + 256 * g + 65536 * b;
}

// Presses at `from`, moves there in steps (so the drag distance is crossed on the way) and
// releases at `to`.
inline void DragMouse(QWidget* target, QPoint from, QPoint to, int steps = 8) {
    QTest::mousePress(target, Qt::LeftButton, {}, from);
    for (int i = 1; i <= steps; ++i) {
        QTest::mouseMove(target, from + (to - from) * i / steps);
    }
    QTest::mouseRelease(target, Qt::LeftButton, {}, to);
}

// Shows the widget at the size the widget tests use and waits until it has the focus; false
// when the window never became active.
inline bool ShowActive(QWidget* widget) {
    widget->resize(1400, 860);
    widget->show();
    widget->activateWindow();
    return QTest::qWaitForWindowActive(widget);
}

// What the widget paints now, in its own coordinates.
inline QImage Snapshot(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The pop-up menu on screen with that title; nullptr when none is.
inline QMenu* VisibleMenu(const QString& title) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* menu = qobject_cast<QMenu*>(widget);
        if (menu != nullptr && menu->isVisible() && menu->title() == title) {
            return menu;
        }
    }
    return nullptr;
}

// Where the copy's temporary bar stands, as (row, bar); (0, 0) when no copy is pending.
inline std::pair<int16_t, int16_t> TemporaryBarOf(const Tessaro_Ctrl& control) {
    const ScheduleChart& chart = control.ctResSched();
    const int16_t row = chart.FindTimeBarRow(control.TempBarKey());
    for (int32_t bar = 1; row > 0 && bar <= chart.TimeBarCount(row); ++bar) {
        if (chart.TimeBarKind(row, static_cast<int16_t>(bar)) == TemporaryBarKind) {
            return {row, static_cast<int16_t>(bar)};
        }
    }
    return {0, 0};
}

inline void CloseMenus() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* menu = qobject_cast<QMenu*>(widget)) {
            menu->close();
        }
    }
}

}  // namespace tessaro::testing
