#pragma once

// The chart's legend as assistive technology sees it: a list of what each colour and mark on the
// chart means, one entry per swatch.

#include <vector>

#include <QAccessibleWidget>

namespace tessaro::qt_detail {

class LegendStrip;

class LegendAccessible : public QAccessibleWidget {
public:
    explicit LegendAccessible(LegendStrip* legend);
    ~LegendAccessible() override;

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    LegendStrip* legend() const;

    mutable std::vector<QAccessible::Id> entries_;
};

}  // namespace tessaro::qt_detail
