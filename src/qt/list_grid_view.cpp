#include <tessaro/qt/list_grid_view.hpp>

#include <algorithm>
#include <cmath>

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <tessaro/qt/conversions.hpp>

#include "chart_palette.hpp"
#include "guarded_call.hpp"

namespace tessaro {

namespace palette = chart_palette;

namespace {

// Pixels between a cell's or a title's edge and its text.
constexpr int kCellPadding = palette::kTextPadding - 2;

}  // namespace

ListGridView::ListGridView(ListGrid& grid, QWidget* parent)
    : QAbstractScrollArea(parent), grid_(grid) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    subscription_ = grid_.Changed.Subscribe([this] { onGridChanged(); });
    relayout();
}

ListGridView::~ListGridView() {
    grid_.Changed.Unsubscribe(subscription_);
}

void ListGridView::onGridChanged() {
    if (layoutOutdated()) {
        relayout();
    }
    // Many cell writes in a row cost one paint.
    viewport()->update();
}

bool ListGridView::layoutOutdated() const {
    if (laidOutRows_ != grid_.GridRowCount() ||
        laidOutWidths_.size() != static_cast<size_t>(grid_.GridColumnCount())) {
        return true;
    }
    for (int32_t column = 1; column <= grid_.GridColumnCount(); ++column) {
        const auto place = static_cast<size_t>(column - 1);
        if (laidOutWidths_[place] != grid_.ColumnWidth(column) ||
            laidOutTitles_[place] != grid_.ColumnTitle(column)) {
            return true;
        }
    }
    return false;
}

void ListGridView::relayout() {
    const QFontMetrics metrics(font());
    rowHeight_ = metrics.height() + 6;
    headerHeight_ = metrics.height() + 8;
    laidOutRows_ = grid_.GridRowCount();
    rowHeaderWidth_ = metrics.horizontalAdvance(QString::number(std::max(laidOutRows_, 99))) +
                      2 * palette::kTextPadding;

    const int digit = metrics.horizontalAdvance(QLatin1Char('0'));
    QFont titleFont = font();
    titleFont.setBold(true);
    const QFontMetrics titleMetrics(titleFont);
    laidOutWidths_.clear();
    laidOutTitles_.clear();
    columnLefts_.assign(1, 0);
    for (int32_t column = 1; column <= grid_.GridColumnCount(); ++column) {
        const double characters = grid_.ColumnWidth(column);
        laidOutWidths_.push_back(characters);
        laidOutTitles_.push_back(grid_.ColumnTitle(column));
        // A column is never narrower than its title: a cut title leaves the planner guessing.
        // Two pixels of slack: eliding measures with fractional advances.
        const int title =
            titleMetrics.horizontalAdvance(toQString(laidOutTitles_.back())) + 2 * kCellPadding + 2;
        const int width = std::max(static_cast<int>(std::lround(characters * digit)) + 5, title);
        columnLefts_.push_back(columnLefts_.back() + width);
    }

    const int dataWidth = std::max(0, viewport()->width() - rowHeaderWidth_);
    horizontalScrollBar()->setRange(0, std::max(0, columnLefts_.back() - dataWidth));
    horizontalScrollBar()->setPageStep(std::max(1, dataWidth));
    horizontalScrollBar()->setSingleStep(std::max(1, digit * 4));
    const int dataHeight = std::max(0, viewport()->height() - headerHeight_);
    verticalScrollBar()->setRange(0, std::max(0, laidOutRows_ * rowHeight_ - dataHeight));
    verticalScrollBar()->setPageStep(std::max(1, dataHeight));
    verticalScrollBar()->setSingleStep(rowHeight_);
}

QSize ListGridView::sizeHint() const {
    return QSize(600, headerHeight_ + rowHeight_ * 6);
}

void ListGridView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

void ListGridView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        relayout();
        viewport()->update();
    }
}

void ListGridView::scrollContentsBy(int /*dx*/, int /*dy*/) {
    viewport()->update();
}

int ListGridView::columnWidth(int column) const {
    if (column < 1 || static_cast<size_t>(column) >= columnLefts_.size()) {
        return 0;
    }
    return columnLefts_[static_cast<size_t>(column)] -
           columnLefts_[static_cast<size_t>(column - 1)];
}

QRect ListGridView::cellRect(int column, int row) const {
    if (column < 1 || column > grid_.GridColumnCount() || row < 1 || row > grid_.GridRowCount() ||
        static_cast<size_t>(column) >= columnLefts_.size()) {
        return {};
    }
    const int left = rowHeaderWidth_ + columnLefts_[static_cast<size_t>(column - 1)] -
                     horizontalScrollBar()->value();
    const int top = headerHeight_ + (row - 1) * rowHeight_ - verticalScrollBar()->value();
    return QRect(left, top, columnWidth(column), rowHeight_);
}

std::pair<int, int> ListGridView::cellAt(const QPoint& pos) const {
    if (pos.x() < rowHeaderWidth_ || pos.y() < headerHeight_) {
        return {0, 0};
    }
    const int x = pos.x() - rowHeaderWidth_ + horizontalScrollBar()->value();
    const int y = pos.y() - headerHeight_ + verticalScrollBar()->value();
    const auto found = std::upper_bound(columnLefts_.begin(), columnLefts_.end(), x);
    const auto column = static_cast<int>(found - columnLefts_.begin());
    const int row = y / rowHeight_ + 1;
    if (column < 1 || column > grid_.GridColumnCount() || row > grid_.GridRowCount()) {
        return {0, 0};
    }
    return {column, row};
}

std::pair<int, int> ListGridView::visibleColumns() const {
    const int left = horizontalScrollBar()->value();
    const int right = left + viewport()->width() - rowHeaderWidth_;
    const auto first = std::upper_bound(columnLefts_.begin(), columnLefts_.end(), left);
    const auto last = std::lower_bound(columnLefts_.begin(), columnLefts_.end(), right);
    return {static_cast<int>(first - columnLefts_.begin()),
            std::min(grid_.GridColumnCount(), static_cast<int>(last - columnLefts_.begin()))};
}

void ListGridView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const auto cell = cellAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && cell.first != 0) {
        qt_detail::runGuarded([&] { grid_.ClickCell(cell.first, cell.second); },
                              [this](int number, const QString& source, const QString& text) {
                                  emit errorRaised(number, source, text);
                              });
    }
    event->accept();
}

void ListGridView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(viewport());
    const auto colours = palette::ChartColours::from(palette());
    const QRect all = viewport()->rect();
    painter.fillRect(all, palette().color(QPalette::Base));
    const QFontMetrics metrics(font());
    const int pad = kCellPadding;

    const int rows = grid_.GridRowCount();
    const int top = verticalScrollBar()->value();
    const int firstRow = top / rowHeight_ + 1;
    const int lastRow = std::min(rows, (top + all.height() - headerHeight_) / rowHeight_ + 1);
    const auto [firstColumn, lastColumn] = visibleColumns();

    const QColor highlight = palette().color(QPalette::Highlight);
    QColor currentRowTint = highlight;
    currentRowTint.setAlpha(48);
    const int currentRow = grid_.GridCurrentRow();
    const int currentColumn = grid_.GridCurrentColumn();
    const bool block = grid_.GridBlockMode();
    const int blockTop = std::min(currentRow, grid_.GridBlockEndRow());
    const int blockBottom = std::max(currentRow, grid_.GridBlockEndRow());
    const int blockLeft = std::min(currentColumn, grid_.GridBlockEndColumn());
    const int blockRight = std::max(currentColumn, grid_.GridBlockEndColumn());

    // Cells.
    painter.save();
    painter.setClipRect(QRect(rowHeaderWidth_, headerHeight_, all.width(), all.height()));
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const QRect cell = cellRect(column, row);
            painter.fillRect(cell, toQColor(grid_.CellBackColour(column, row)));
            const bool inBlock = block && row >= blockTop && row <= blockBottom &&
                                 column >= blockLeft && column <= blockRight;
            if (row == currentRow || inBlock) {
                painter.fillRect(cell, currentRowTint);
            }
            painter.setPen(colours.rowLine);
            painter.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
            painter.drawLine(cell.left(), cell.bottom(), cell.right(), cell.bottom());
            const QString text = displayedText(column, row);
            if (!text.isEmpty()) {
                painter.setPen(toQColor(grid_.CellForeColour(column, row)));
                const QRect textRect = cell.adjusted(pad, 0, -pad, -1);
                painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
                                 metrics.elidedText(text, Qt::ElideRight, textRect.width()));
            }
        }
    }
    const QRect current = cellRect(currentColumn, currentRow);
    if (!current.isEmpty()) {
        painter.setPen(QPen(highlight, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(current.adjusted(1, 1, -1, -1));
    }
    painter.restore();

    // Column titles.
    painter.save();
    painter.setClipRect(QRect(rowHeaderWidth_, 0, all.width(), headerHeight_));
    painter.fillRect(QRect(0, 0, all.width(), headerHeight_), colours.headerBackground);
    QFont titleFont = font();
    titleFont.setBold(true);
    const QFontMetrics titleMetrics(titleFont);
    painter.setFont(titleFont);
    for (int column = firstColumn; column <= lastColumn; ++column) {
        const QRect cell = cellRect(column, 1);
        const QRect title(cell.left(), 0, cell.width(), headerHeight_);
        painter.setPen(colours.border);
        painter.drawLine(title.right(), title.top(), title.right(), title.bottom());
        painter.setPen(colours.headerText);
        const QRect textRect = title.adjusted(pad, 0, -pad, 0);
        painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
                         titleMetrics.elidedText(toQString(grid_.ColumnTitle(column)),
                                                 Qt::ElideRight, textRect.width()));
    }
    painter.restore();

    // Row numbers.
    painter.save();
    painter.setClipRect(QRect(0, headerHeight_, rowHeaderWidth_, all.height()));
    painter.fillRect(QRect(0, headerHeight_, rowHeaderWidth_, all.height()),
                     colours.headerBackground);
    for (int row = firstRow; row <= lastRow; ++row) {
        const QRect number(0, headerHeight_ + (row - 1) * rowHeight_ - top, rowHeaderWidth_,
                           rowHeight_);
        if (row == currentRow) {
            painter.fillRect(number, currentRowTint);
        }
        painter.setPen(colours.border);
        painter.drawLine(number.left(), number.bottom(), number.right(), number.bottom());
        painter.setPen(colours.headerText);
        painter.drawText(number.adjusted(0, 0, -pad, 0), Qt::AlignVCenter | Qt::AlignRight,
                         QString::number(row));
    }
    painter.restore();

    painter.setPen(colours.border);
    painter.fillRect(QRect(0, 0, rowHeaderWidth_, headerHeight_), colours.headerBackground);
    painter.drawLine(0, headerHeight_ - 1, all.width(), headerHeight_ - 1);
    painter.drawLine(rowHeaderWidth_ - 1, 0, rowHeaderWidth_ - 1, all.height());
}

void ListGridView::setCellTextSource(CellTextSource source) {
    cellTextSource_ = std::move(source);
    viewport()->update();
}

QString ListGridView::displayedText(int column, int row) const {
    const QString text = toQString(grid_.CellText(column, row));
    return cellTextSource_ ? cellTextSource_(column, row, text) : text;
}

}  // namespace tessaro
