#include "legend_accessible.hpp"

#include "accessible_parts.hpp"
#include "surface_widgets.hpp"

namespace tessaro::qt_detail {
namespace {

class EntryAccessible : public ViewPartAccessible<LegendStrip> {
public:
    EntryAccessible(LegendStrip* legend, int entry) : ViewPartAccessible(legend), entry_(entry) {}

    bool isValid() const override { return view_ != nullptr && entry_ < view_->captions().size(); }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(view_);
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && isValid() ? view_->captions().at(entry_) : QString();
    }
    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect swatch = view_->swatchRect(entry_);
        return QRect(view_->mapToGlobal(swatch.topLeft()), swatch.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invalid = !isValid();
        state.readOnly = true;
        return state;
    }

private:
    int entry_;
};

}  // namespace

LegendAccessible::LegendAccessible(LegendStrip* legend)
    : QAccessibleWidget(legend, QAccessible::List) {}

LegendAccessible::~LegendAccessible() {
    for (const QAccessible::Id id : entries_) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

LegendStrip* LegendAccessible::legend() const {
    return static_cast<LegendStrip*>(widget());
}

QString LegendAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
        return LegendStrip::tr("Legend");
    }
    return QAccessibleWidget::text(t);
}

int LegendAccessible::childCount() const {
    return static_cast<int>(legend()->captions().size());
}

QAccessibleInterface* LegendAccessible::child(int index) const {
    if (index < 0 || index >= childCount()) {
        return nullptr;
    }
    while (entries_.size() <= static_cast<size_t>(index)) {
        entries_.push_back(QAccessible::registerAccessibleInterface(
            new EntryAccessible(legend(), static_cast<int>(entries_.size()))));
    }
    return QAccessible::accessibleInterface(entries_[static_cast<size_t>(index)]);
}

int LegendAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (QAccessible::accessibleInterface(entries_[i]) == child) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

QAccessibleInterface* LegendAccessible::childAt(int x, int y) const {
    const QPoint at = legend()->mapFromGlobal(QPoint(x, y));
    for (int i = 0; i < childCount(); ++i) {
        if (legend()->swatchRect(i).contains(at)) {
            return child(i);
        }
    }
    return nullptr;
}

}  // namespace tessaro::qt_detail
