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
#include "core_captions.hpp"
#include "guarded_call.hpp"

namespace tessaro {

namespace palette = chart_palette;

namespace {

// Pixels between a cell's or a title's edge and its text.
constexpr int kCellPadding = palette::kTextPadding - 2;

}  // namespace

struct TESSARO_QT_NO_EXPORT ListGridView::Private {
    explicit Private(ListGrid& grid) : grid_(grid) {}

    // True when columns, widths or rows differ from what the layout was made for.
    bool layoutOutdated() const;

    ListGrid& grid_;
    CellTextSource cellTextSource_;
    int subscription_ = 0;
    // Left edge of each column from the first data column, one more entry than columns.
    std::vector<int> columnLefts_;
    std::vector<double> laidOutWidths_;
    std::vector<std::string> laidOutTitles_;
    int laidOutRows_ = -1;
    int rowHeight_ = 20;
    int headerHeight_ = 22;
    int rowHeaderWidth_ = 32;
};

bool ListGridView::Private::layoutOutdated() const {
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

ListGridView::ListGridView(ListGrid& grid, QWidget* parent)
    : QAbstractScrollArea(parent), d(std::make_unique<Private>(grid)) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    d->subscription_ = d->grid_.Changed.Subscribe([this] { onGridChanged(); });
    relayout();
}

ListGridView::~ListGridView() {
    d->grid_.Changed.Unsubscribe(d->subscription_);
}

void ListGridView::onGridChanged() {
    if (d->layoutOutdated()) {
        relayout();
    }
    // Many cell writes in a row cost one paint.
    viewport()->update();
}

void ListGridView::relayout() {
    const QFontMetrics metrics(font());
    d->rowHeight_ = metrics.height() + 6;
    d->headerHeight_ = metrics.height() + 8;
    d->laidOutRows_ = d->grid_.GridRowCount();
    d->rowHeaderWidth_ = metrics.horizontalAdvance(QString::number(std::max(d->laidOutRows_, 99))) +
                         2 * palette::kTextPadding;

    const int digit = metrics.horizontalAdvance(QLatin1Char('0'));
    QFont titleFont = font();
    titleFont.setBold(true);
    const QFontMetrics titleMetrics(titleFont);
    d->laidOutWidths_.clear();
    d->laidOutTitles_.clear();
    d->columnLefts_.assign(1, 0);
    for (int32_t column = 1; column <= d->grid_.GridColumnCount(); ++column) {
        const double characters = d->grid_.ColumnWidth(column);
        d->laidOutWidths_.push_back(characters);
        d->laidOutTitles_.push_back(d->grid_.ColumnTitle(column));
        // A column is never narrower than its title: a cut title leaves the planner guessing.
        // Two pixels of slack: eliding measures with fractional advances.
        const int title =
            titleMetrics.horizontalAdvance(qt_detail::CoreCaption(d->laidOutTitles_.back())) +
            2 * kCellPadding + 2;
        const int width = std::max(static_cast<int>(std::lround(characters * digit)) + 5, title);
        d->columnLefts_.push_back(d->columnLefts_.back() + width);
    }

    const int dataWidth = std::max(0, viewport()->width() - d->rowHeaderWidth_);
    horizontalScrollBar()->setRange(0, std::max(0, d->columnLefts_.back() - dataWidth));
    horizontalScrollBar()->setPageStep(std::max(1, dataWidth));
    horizontalScrollBar()->setSingleStep(std::max(1, digit * 4));
    const int dataHeight = std::max(0, viewport()->height() - d->headerHeight_);
    verticalScrollBar()->setRange(0, std::max(0, d->laidOutRows_ * d->rowHeight_ - dataHeight));
    verticalScrollBar()->setPageStep(std::max(1, dataHeight));
    verticalScrollBar()->setSingleStep(d->rowHeight_);
}

QSize ListGridView::sizeHint() const {
    return QSize(600, d->headerHeight_ + d->rowHeight_ * 6);
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
    if (column < 1 || static_cast<size_t>(column) >= d->columnLefts_.size()) {
        return 0;
    }
    return d->columnLefts_[static_cast<size_t>(column)] -
           d->columnLefts_[static_cast<size_t>(column - 1)];
}

QRect ListGridView::cellRect(int column, int row) const {
    if (column < 1 || column > d->grid_.GridColumnCount() || row < 1 ||
        row > d->grid_.GridRowCount() || static_cast<size_t>(column) >= d->columnLefts_.size()) {
        return {};
    }
    const int left = d->rowHeaderWidth_ + d->columnLefts_[static_cast<size_t>(column - 1)] -
                     horizontalScrollBar()->value();
    const int top = d->headerHeight_ + (row - 1) * d->rowHeight_ - verticalScrollBar()->value();
    return QRect(left, top, columnWidth(column), d->rowHeight_);
}

std::pair<int, int> ListGridView::cellAt(const QPoint& pos) const {
    if (pos.x() < d->rowHeaderWidth_ || pos.y() < d->headerHeight_) {
        return {0, 0};
    }
    const int x = pos.x() - d->rowHeaderWidth_ + horizontalScrollBar()->value();
    const int y = pos.y() - d->headerHeight_ + verticalScrollBar()->value();
    const auto found = std::upper_bound(d->columnLefts_.begin(), d->columnLefts_.end(), x);
    const auto column = static_cast<int>(found - d->columnLefts_.begin());
    const int row = y / d->rowHeight_ + 1;
    if (column < 1 || column > d->grid_.GridColumnCount() || row > d->grid_.GridRowCount()) {
        return {0, 0};
    }
    return {column, row};
}

std::pair<int, int> ListGridView::visibleColumns() const {
    const int left = horizontalScrollBar()->value();
    const int right = left + viewport()->width() - d->rowHeaderWidth_;
    const auto first = std::upper_bound(d->columnLefts_.begin(), d->columnLefts_.end(), left);
    const auto last = std::lower_bound(d->columnLefts_.begin(), d->columnLefts_.end(), right);
    return {static_cast<int>(first - d->columnLefts_.begin()),
            std::min(d->grid_.GridColumnCount(), static_cast<int>(last - d->columnLefts_.begin()))};
}

void ListGridView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const auto cell = cellAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && cell.first != 0) {
        qt_detail::runGuarded([&] { d->grid_.ClickCell(cell.first, cell.second); },
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

    const int rows = d->grid_.GridRowCount();
    const int top = verticalScrollBar()->value();
    const int firstRow = top / d->rowHeight_ + 1;
    const int lastRow = std::min(rows, (top + all.height() - d->headerHeight_) / d->rowHeight_ + 1);
    const auto [firstColumn, lastColumn] = visibleColumns();

    const QColor highlight = palette().color(QPalette::Highlight);
    QColor currentRowTint = highlight;
    currentRowTint.setAlpha(48);
    const int currentRow = d->grid_.GridCurrentRow();
    const int currentColumn = d->grid_.GridCurrentColumn();
    const bool block = d->grid_.GridBlockMode();
    const int blockTop = std::min(currentRow, d->grid_.GridBlockEndRow());
    const int blockBottom = std::max(currentRow, d->grid_.GridBlockEndRow());
    const int blockLeft = std::min(currentColumn, d->grid_.GridBlockEndColumn());
    const int blockRight = std::max(currentColumn, d->grid_.GridBlockEndColumn());

    // Cells.
    painter.save();
    painter.setClipRect(QRect(d->rowHeaderWidth_, d->headerHeight_, all.width(), all.height()));
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const QRect cell = cellRect(column, row);
            painter.fillRect(cell, toQColor(d->grid_.CellBackColour(column, row)));
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
                painter.setPen(toQColor(d->grid_.CellForeColour(column, row)));
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
    painter.setClipRect(QRect(d->rowHeaderWidth_, 0, all.width(), d->headerHeight_));
    painter.fillRect(QRect(0, 0, all.width(), d->headerHeight_), colours.headerBackground);
    QFont titleFont = font();
    titleFont.setBold(true);
    const QFontMetrics titleMetrics(titleFont);
    painter.setFont(titleFont);
    for (int column = firstColumn; column <= lastColumn; ++column) {
        const QRect cell = cellRect(column, 1);
        const QRect title(cell.left(), 0, cell.width(), d->headerHeight_);
        painter.setPen(colours.border);
        painter.drawLine(title.right(), title.top(), title.right(), title.bottom());
        painter.setPen(colours.headerText);
        const QRect textRect = title.adjusted(pad, 0, -pad, 0);
        painter.drawText(
            textRect, Qt::AlignVCenter | Qt::AlignLeft,
            titleMetrics.elidedText(qt_detail::CoreCaption(d->grid_.ColumnTitle(column)),
                                    Qt::ElideRight, textRect.width()));
    }
    painter.restore();

    // Row numbers.
    painter.save();
    painter.setClipRect(QRect(0, d->headerHeight_, d->rowHeaderWidth_, all.height()));
    painter.fillRect(QRect(0, d->headerHeight_, d->rowHeaderWidth_, all.height()),
                     colours.headerBackground);
    for (int row = firstRow; row <= lastRow; ++row) {
        const QRect number(0, d->headerHeight_ + (row - 1) * d->rowHeight_ - top,
                           d->rowHeaderWidth_, d->rowHeight_);
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
    painter.fillRect(QRect(0, 0, d->rowHeaderWidth_, d->headerHeight_), colours.headerBackground);
    painter.drawLine(0, d->headerHeight_ - 1, all.width(), d->headerHeight_ - 1);
    painter.drawLine(d->rowHeaderWidth_ - 1, 0, d->rowHeaderWidth_ - 1, all.height());
}

void ListGridView::setCellTextSource(CellTextSource source) {
    d->cellTextSource_ = std::move(source);
    viewport()->update();
}

QString ListGridView::displayedText(int column, int row) const {
    const QString text = toQString(d->grid_.CellText(column, row));
    return d->cellTextSource_ ? d->cellTextSource_(column, row, text) : text;
}

ListGrid& ListGridView::grid() const {
    return d->grid_;
}

int ListGridView::rowHeight() const {
    return d->rowHeight_;
}

int ListGridView::headerHeight() const {
    return d->headerHeight_;
}

int ListGridView::rowHeaderWidth() const {
    return d->rowHeaderWidth_;
}

}  // namespace tessaro
