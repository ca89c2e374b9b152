#pragma once

// What the widget tests share: a chart event sink that records (and may react), mouse gestures
// driven through QTest, and pixel access.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QPoint>
#include <QTest>
#include <QWidget>

#include <tessaro/components/schedule_chart_events.hpp>

namespace tessaro::testing {

// Records every chart notification as "Name row,bar[,extra]" and lets a test react inside one.
class RecordingSink : public ScheduleChartEvents {
public:
    std::vector<std::string> log;
    std::function<void(const std::string& name, int16_t row, int16_t bar)> react;

    void BarChanging(int16_t row, int16_t bar, int16_t mode) override {
        Record("BarChanging", row, bar, std::to_string(mode));
    }
    void BarRowChanging(int16_t sourceRow, int16_t bar, int16_t targetRow) override {
        Record("BarRowChanging", sourceRow, bar, std::to_string(targetRow));
    }
    void BarChanged(int16_t row, int16_t bar) override { Record("BarChanged", row, bar); }
    void BarClick(int16_t row, int16_t bar) override { Record("BarClick", row, bar); }
    void BarSelected(int16_t row, int16_t bar) override { Record("BarSelected", row, bar); }
    void BarChosen(int16_t row, int16_t bar) override { Record("BarChosen", row, bar); }
    void BarRightClick(int16_t row, int16_t bar) override { Record("BarRightClick", row, bar); }
    void BarHovered(int16_t row, int16_t bar) override { Record("BarHovered", row, bar); }
    void BarRemoveRequest(int16_t row, int16_t bar, bool confirmed) override {
        Record("BarRemoveRequest", row, bar, confirmed ? "yes" : "no");
    }
    void GestureFlagsSet() override { log.push_back("GestureFlagsSet"); }

private:
    void Record(const std::string& name, int16_t row, int16_t bar, const std::string& extra = {}) {
        std::string entry = name + " " + std::to_string(row) + "," + std::to_string(bar);
        if (!extra.empty()) {
            entry += "," + extra;
        }
        log.push_back(entry);
        if (react) {
            react(name, row, bar);
        }
    }
};

// Presses at `from`, moves there in steps (so the drag distance is crossed on the way) and
// releases at `to`.
inline void DragMouse(QWidget* target, QPoint from, QPoint to, int steps = 8) {
    QTest::mousePress(target, Qt::LeftButton, {}, from);
    for (int i = 1; i <= steps; ++i) {
        QTest::mouseMove(target, from + (to - from) * i / steps);
    }
    QTest::mouseRelease(target, Qt::LeftButton, {}, to);
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

inline void CloseMenus() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* menu = qobject_cast<QMenu*>(widget)) {
            menu->close();
        }
    }
}

}  // namespace tessaro::testing
