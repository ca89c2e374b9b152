#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QAbstractScrollArea>
#include <QPoint>
#include <QRect>
#include <QString>

#include <tessaro/components/list_grid.hpp>
#include <tessaro/qt/export.hpp>

namespace tessaro {

// The work-order grid as a Qt widget: column titles, row numbers, cell texts in their back and
// fore colours, the current row highlighted. A click on a cell calls the model's ClickCell; the
// model makes the cell current and runs the control's handler. Only the cells on screen are
// painted. Positions are in the coordinates of viewport(), where mouse events arrive.
class TESSARO_QT_EXPORT ListGridView : public QAbstractScrollArea {
    Q_OBJECT

public:
    // The model must outlive the view.
    explicit ListGridView(ListGrid& grid, QWidget* parent = nullptr);
    ~ListGridView() override;

    ListGrid& grid() const;

    // Where the cell is painted (also when scrolled out of sight); empty outside the grid.
    QRect cellRect(int column, int row) const;
    // The cell under the point as (column, row); (0, 0) over the titles, the row numbers or
    // past the last cell.
    std::pair<int, int> cellAt(const QPoint& pos) const;
    // A column's width on screen: its width in characters times the width of a digit, widened
    // when its title would not fit.
    int columnWidth(int column) const;
    int rowHeight() const;
    int headerHeight() const;
    int rowHeaderWidth() const;

    QSize sizeHint() const override;

    // What a cell shows: the model's text, or what the source makes of it (a host that knows
    // more than the grid's model, such as an activity's times after a move). Without a source,
    // the model's text.
    using CellTextSource = std::function<QString(int column, int row, const QString& text)>;
    void setCellTextSource(CellTextSource source);
    QString displayedText(int column, int row) const;

signals:
    // The cell-click handler raised an error.
    void errorRaised(int number, const QString& source, const QString& description);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

}  // namespace tessaro
