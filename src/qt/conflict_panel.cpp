#include "conflict_panel.hpp"

#include <utility>

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "conflict_texts.hpp"

namespace tessaro::qt_detail {
namespace {

constexpr int kIndexRole = Qt::UserRole;
constexpr int kSortRole = Qt::UserRole + 1;

// Sorts the time column by the conflict's start, every other column by its text then time.
class ConflictItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    bool operator<(const QTreeWidgetItem& other) const override {
        const int column = treeWidget() != nullptr ? treeWidget()->sortColumn() : 0;
        const qint64 mine = data(0, kSortRole).toLongLong();
        const qint64 theirs = other.data(0, kSortRole).toLongLong();
        if (column != ConflictPanel::TimeColumn) {
            const int byText = text(column).localeAwareCompare(other.text(column));
            if (byText != 0) {
                return byText < 0;
            }
        }
        return mine < theirs;
    }
};

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
    list_->setSortingEnabled(true);
    list_->sortByColumn(TimeColumn, Qt::AscendingOrder);
    list_->header()->setStretchLastSection(true);
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(ActivityColumn, QHeaderView::Stretch);
    title_->setBuddy(list_);
    connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        if (const PlanConflict* conflict = conflictAt(item)) {
            emit barRequested(conflict->Row, conflict->Bar);
        }
    });
    retranslate();
}

void ConflictPanel::setConflicts(const std::vector<PlanConflict>& conflicts) {
    if (conflicts == conflicts_) {
        return;
    }
    conflicts_ = conflicts;
    const bool sorting = list_->isSortingEnabled();
    list_->setSortingEnabled(false);
    list_->clear();
    for (size_t i = 0; i < conflicts_.size(); ++i) {
        const ConflictLine line = DescribeConflict(conflicts_[i]);
        auto* item =
            new ConflictItem(list_, {line.kind, line.resource, line.time, line.activities});
        item->setData(0, kIndexRole, static_cast<qulonglong>(i));
        item->setData(0, kSortRole, static_cast<qlonglong>(line.startMinute));
        for (int column = 0; column < 4; ++column) {
            item->setToolTip(column, line.line());
        }
    }
    list_->setSortingEnabled(sorting);
    retranslate();
}

const PlanConflict* ConflictPanel::conflictAt(const QTreeWidgetItem* item) const {
    if (item == nullptr) {
        return nullptr;
    }
    const auto index = item->data(0, kIndexRole).toULongLong();
    return index < conflicts_.size() ? &conflicts_[index] : nullptr;
}

void ConflictPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        // The kinds are translated texts too: every line is written again.
        const std::vector<PlanConflict> kept = std::move(conflicts_);
        conflicts_.clear();
        setConflicts(kept);
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
