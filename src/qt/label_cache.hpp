#pragma once

// Bar labels measured and laid out once: painting a frame of thousands of labelled bars then
// costs a hash look-up per bar instead of shaping its text again.

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QStaticText>
#include <QString>

namespace tessaro::qt_detail {

class LabelCache {
public:
    struct Entry {
        int width = 0;
        QStaticText text;
    };

    // Forgets every label when the font changes.
    void useFont(const QFont& font) {
        if (font != font_ || entries_.isEmpty()) {
            font_ = font;
            height_ = QFontMetrics(font).height();
            entries_.clear();
        }
    }

    int height() const { return height_; }

    const Entry& get(const QString& text) {
        auto found = entries_.constFind(text);
        if (found == entries_.constEnd()) {
            // A chart has as many labels as activities; beyond that many the cache starts over.
            if (entries_.size() > kMaximumEntries) {
                entries_.clear();
            }
            Entry entry;
            entry.width = QFontMetrics(font_).horizontalAdvance(text);
            entry.text = QStaticText(text);
            entry.text.setTextFormat(Qt::PlainText);
            entry.text.prepare(QTransform(), font_);
            found = entries_.insert(text, entry);
        }
        return *found;
    }

private:
    static constexpr qsizetype kMaximumEntries = 200000;
    QFont font_;
    int height_ = 0;
    QHash<QString, Entry> entries_;
};

}  // namespace tessaro::qt_detail
