#pragma once

// The find field over the resource list: as the planner types, the first resource whose code or
// description holds the text comes into sight, tinted; Enter goes on to the next, Escape clears.

#include <QLineEdit>

namespace tessaro {
class ScheduleChartView;
}  // namespace tessaro

namespace tessaro::qt_detail {

class ResourceFinder : public QLineEdit {
    Q_OBJECT

public:
    ResourceFinder(ScheduleChartView& view, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Finds from the row after `after`; 0 starts at the top.
    void find(int after);
    void retranslate();

    ScheduleChartView& view_;
};

}  // namespace tessaro::qt_detail
