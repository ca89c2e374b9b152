#include "resource_finder.hpp"

#include <QEvent>
#include <QKeyEvent>

#include <tessaro/qt/schedule_chart_view.hpp>

#include "resource_search.hpp"

namespace tessaro::qt_detail {

ResourceFinder::ResourceFinder(ScheduleChartView& view, QWidget* parent)
    : QLineEdit(parent), view_(view) {
    setClearButtonEnabled(true);
    connect(this, &QLineEdit::textEdited, this, [this] { find(0); });
    // The clear button empties the field without an edit.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty()) {
            view_.setHighlightedRow(0);
        }
    });
    retranslate();
}

void ResourceFinder::find(int after) {
    const int row = FindResourceRow(view_.chart(), text(), after);
    view_.setHighlightedRow(row);
    if (row != 0) {
        view_.scrollToRow(row);
    }
    // A text no resource holds shows in the field itself, without a dialog in the way.
    QPalette shown = palette();
    shown.setColor(QPalette::Text, row == 0 && !text().trimmed().isEmpty()
                                       ? QColor(Qt::red).darker(120)
                                       : QPalette().color(QPalette::Text));
    setPalette(shown);
}

void ResourceFinder::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            find(view_.highlightedRow());
            event->accept();
            return;
        case Qt::Key_Escape:
            if (!text().isEmpty()) {
                clear();
                find(0);
                event->accept();
                return;
            }
            break;
        default:
            break;
    }
    QLineEdit::keyPressEvent(event);
}

void ResourceFinder::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
    QLineEdit::changeEvent(event);
}

void ResourceFinder::retranslate() {
    setPlaceholderText(tr("Find resource"));
    setToolTip(
        tr("Type part of a resource's code or description; Enter finds the next, Escape "
           "clears"));
    setAccessibleName(tr("Find resource"));
}

}  // namespace tessaro::qt_detail
