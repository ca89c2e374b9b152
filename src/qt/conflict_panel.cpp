#include "conflict_panel.hpp"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "conflict_texts.hpp"

namespace tessaro::qt_detail {
namespace {

// A line and the conflict it shows. Its texts are written when first shown or compared: a plant's
// thousands of lines cost their items, not their dates in the locale. Sorts the time column by
// the conflict's start, every other column by its text then time.
class ConflictItem : public QTreeWidgetItem {
public:
    explicit ConflictItem(PlanConflict shown)
        : conflict(std::move(shown)),
          startMinute(ChartTimeOfPlan(conflict.Start).AbsoluteMinutes()) {}

    QVariant data(int column, int role) const override {
        if ((role == Qt::DisplayRole || role == Qt::ToolTipRole) && column >= 0 && column < 4) {
            if (!texts_) {
                const ConflictLine line = DescribeConflict(conflict);
                texts_ = Texts{{line.kind, line.resource, line.time, line.activities}, line.line()};
            }
            return role == Qt::ToolTipRole ? texts_->whole
                                           : texts_->columns[static_cast<std::size_t>(column)];
        }
        return QTreeWidgetItem::data(column, role);
    }

    // The texts are written again in the language now spoken when next shown.
    void forgetTexts() { texts_.reset(); }

    bool operator<(const QTreeWidgetItem& other) const override {
        const int column = treeWidget() != nullptr ? treeWidget()->header()->sortIndicatorSection()
                                                   : ConflictPanel::TimeColumn;
        return before(static_cast<const ConflictItem&>(other), column);
    }

    bool before(const ConflictItem& other, int column) const {
        if (column != ConflictPanel::TimeColumn) {
            const int byText = text(column).localeAwareCompare(other.text(column));
            if (byText != 0) {
                return byText < 0;
            }
        }
        return startMinute < other.startMinute;
    }

    const PlanConflict conflict;
    const int64_t startMinute;

private:
    struct Texts {
        std::array<QString, 4> columns;
        QString whole;
    };
    mutable std::optional<Texts> texts_;
};

std::size_t HashOf(const PlanConflict& c) {
    std::size_t hash = std::hash<std::string>{}(c.Activity.WorkOrder);
    const auto mix = [&hash](std::size_t value) {
        hash ^= value + 0x9e3779b97f4a7c15ULL + (hash << 6) + (hash >> 2);
    };
    mix(std::hash<std::string>{}(c.Other.WorkOrder));
    mix(static_cast<std::size_t>(c.Kind));
    mix(static_cast<std::size_t>(c.Activity.Activity));
    mix(static_cast<std::size_t>(c.Other.Activity));
    mix(static_cast<std::size_t>(c.Row) << 16 ^ static_cast<std::size_t>(c.Bar));
    mix(static_cast<std::size_t>(c.Start.time_since_epoch().count()));
    mix(static_cast<std::size_t>(c.End.time_since_epoch().count()));
    return hash;
}

// Past this many lines gone or new, writing the list again and sorting it once costs less than
// taking lines out and putting them in their places one by one (each moves those after it).
constexpr std::size_t kLinesChangedOneByOne = 256;

}  // namespace

ConflictPanel::ConflictPanel(QWidget* parent)
    : QWidget(parent), title_(new QLabel(this)), list_(new QTreeWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(title_);
    layout->addWidget(list_);
    list_->setColumnCount(4);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAlternatingRowColors(true);
    // The panel sorts its lines itself: the view's own sorting sorts every line again when one
    // is added, and measures the lines' texts each time it is switched.
    QHeaderView* header = list_->header();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(TimeColumn, Qt::AscendingOrder);
    connect(header, &QHeaderView::sortIndicatorChanged, list_,
            [this](int column, Qt::SortOrder order) { list_->sortItems(column, order); });
    header->setStretchLastSection(true);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(ActivityColumn, QHeaderView::Stretch);
    // Columns fit the lines in sight: measuring thousands of lines' texts after each change would
    // cost more than the change.
    header->setResizeContentsPrecision(0);
    title_->setBuddy(list_);
    connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        if (const PlanConflict* conflict = conflictAt(item)) {
            emit barRequested(conflict->Row, conflict->Bar);
        }
    });
    retranslate();
}

void ConflictPanel::setConflicts(const std::vector<PlanConflict>& conflicts) {
    // The control gives its conflicts in one order, so a drop changes a stretch of the list: the
    // lines before and after it stay as they are.
    const std::size_t oldSize = conflicts_.size();
    const std::size_t newSize = conflicts.size();
    std::size_t prefix = 0;
    while (prefix < oldSize && prefix < newSize && conflicts_[prefix] == conflicts[prefix]) {
        ++prefix;
    }
    if (prefix == oldSize && prefix == newSize) {
        return;
    }
    std::size_t suffix = 0;
    while (suffix < oldSize - prefix && suffix < newSize - prefix &&
           conflicts_[oldSize - 1 - suffix] == conflicts[newSize - 1 - suffix]) {
        ++suffix;
    }
    const std::size_t oldEnd = oldSize - suffix;
    const std::size_t newEnd = newSize - suffix;
    // Within the stretch, the lines of conflicts that stay are kept too.
    std::unordered_multimap<std::size_t, QTreeWidgetItem*> lines;
    lines.reserve(oldEnd - prefix);
    for (std::size_t i = prefix; i < oldEnd; ++i) {
        lines.emplace(HashOf(conflicts_[i]), items_[i]);
    }
    std::vector<QTreeWidgetItem*> stretch;
    std::vector<std::size_t> added;
    for (std::size_t i = prefix; i < newEnd; ++i) {
        auto [from, to] = lines.equal_range(HashOf(conflicts[i]));
        while (from != to &&
               !(static_cast<ConflictItem*>(from->second)->conflict == conflicts[i])) {
            ++from;
        }
        if (from != to) {
            stretch.push_back(from->second);
            lines.erase(from);
        } else {
            stretch.push_back(nullptr);
            added.push_back(i);
        }
    }
    QHeaderView* header = list_->header();
    const int column = header->sortIndicatorSection();
    const Qt::SortOrder order = header->sortIndicatorOrder();
    if (lines.size() > kLinesChangedOneByOne || added.size() > kLinesChangedOneByOne) {
        list_->clear();
        conflicts_ = conflicts;
        items_.clear();
        QList<QTreeWidgetItem*> items;
        items.reserve(static_cast<qsizetype>(conflicts_.size()));
        for (const PlanConflict& conflict : conflicts_) {
            items_.push_back(new ConflictItem(conflict));
            items.append(items_.back());
        }
        list_->addTopLevelItems(items);
        list_->sortItems(column, order);
        retranslate();
        return;
    }
    for (const auto& [hash, item] : lines) {
        delete item;
    }
    // Each new line where the order puts it.
    for (const std::size_t i : added) {
        auto* item = new ConflictItem(conflicts[i]);
        int first = 0;
        int last = list_->topLevelItemCount();
        while (first < last) {
            const int middle = first + (last - first) / 2;
            const auto& there = static_cast<const ConflictItem&>(*list_->topLevelItem(middle));
            const bool before = order == Qt::AscendingOrder ? item->before(there, column)
                                                            : there.before(*item, column);
            if (before) {
                last = middle;
            } else {
                first = middle + 1;
            }
        }
        list_->insertTopLevelItem(first, item);
        stretch[i - prefix] = item;
    }
    const auto at = [prefix](auto& v) { return v.begin() + static_cast<std::ptrdiff_t>(prefix); };
    conflicts_.erase(at(conflicts_), conflicts_.begin() + static_cast<std::ptrdiff_t>(oldEnd));
    conflicts_.insert(at(conflicts_), conflicts.begin() + static_cast<std::ptrdiff_t>(prefix),
                      conflicts.begin() + static_cast<std::ptrdiff_t>(newEnd));
    items_.erase(at(items_), items_.begin() + static_cast<std::ptrdiff_t>(oldEnd));
    items_.insert(at(items_), stretch.begin(), stretch.end());
    retranslate();
}

const PlanConflict* ConflictPanel::conflictAt(const QTreeWidgetItem* item) const {
    if (item == nullptr) {
        return nullptr;
    }
    return &static_cast<const ConflictItem*>(item)->conflict;
}

void ConflictPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        // The kinds are translated texts too: every line is written again.
        for (int i = 0; i < list_->topLevelItemCount(); ++i) {
            static_cast<ConflictItem*>(list_->topLevelItem(i))->forgetTexts();
        }
        list_->sortItems(list_->header()->sortIndicatorSection(),
                         list_->header()->sortIndicatorOrder());
        list_->viewport()->update();
        retranslate();
    }
    QWidget::changeEvent(event);
}

void ConflictPanel::retranslate() {
    title_->setText(conflicts_.empty() ? tr("&Conflicts: none")
                                       : tr("&Conflicts (%1)").arg(conflicts_.size()));
    list_->setHeaderLabels({tr("Kind"), tr("Resource"), tr("Time"), tr("Activities")});
    list_->setAccessibleName(tr("Conflicts"));
}

}  // namespace tessaro::qt_detail
