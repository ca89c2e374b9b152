#pragma once

// Bar labels measured and laid out once: painting a frame of thousands of labelled bars then
// costs a look-up per bar instead of shaping its text again, and no text is built for a bar whose
// activity was labelled before. Labels of plain ASCII are measured and drawn from the font's
// glyph table without shaping at all.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QPointF>
#include <QStaticText>
#include <QString>

#include "label_glyphs.hpp"

namespace tessaro::qt_detail {

class LabelCache {
public:
    // A label is measured when its activity is first asked for and laid out only once a bar
    // shows it; most activities show one of theirs.
    class Entry {
    public:
        Entry() = default;
        Entry(const QString& text, const QFont& font, const LabelGlyphs& glyphs) : text_(text) {
            const std::optional<int> measured = glyphs.width(text);
            simple_ = measured.has_value();
            width_ = simple_ ? *measured : QFontMetrics(font).horizontalAdvance(text);
        }

        int width() const { return width_; }

        // Draws the label in the painter's pen with its top left corner at (x, top).
        void draw(QPainter& painter, int x, int top, const QFont& font, const LabelGlyphs& glyphs) {
            if (simple_) {
                if (!run_) {
                    run_ = glyphs.run(text_);
                }
                painter.drawGlyphRun(QPointF(x, top + glyphs.ascent()), *run_);
                return;
            }
            if (!laidOut_) {
                laidOut_.emplace(text_);
                laidOut_->setTextFormat(Qt::PlainText);
                laidOut_->prepare(QTransform(), font);
            }
            painter.setFont(font);
            painter.drawStaticText(x, top, *laidOut_);
        }

    private:
        int width_ = 0;
        bool simple_ = false;
        QString text_;
        std::optional<QGlyphRun> run_;
        std::optional<QStaticText> laidOut_;
    };

    // What a bar may say of its activity, longest first ("WO-24001 / 10", "WO-24001", "10"): it
    // shows the first that fits. Empty texts are left out.
    struct ActivityLabels {
        std::array<Entry, 3> candidates;
        int count = 0;
    };

    // Which activity a bar names, and whether it is the planner's copy of it.
    struct Activity {
        std::string_view workOrder;
        int32_t number = 0;
        bool copy = false;
    };

    // Forgets every label when the font changes.
    void useFont(const QFont& font) {
        if (font != font_ || !measured_) {
            font_ = font;
            height_ = QFontMetrics(font).height();
            glyphs_ = LabelGlyphs(font);
            activities_.clear();
            measured_ = true;
        }
    }

    int height() const { return height_; }

    void draw(QPainter& painter, Entry& label, int x, int top) const {
        label.draw(painter, x, top, font_, glyphs_);
    }

    // The labels of the activity, made by `texts` (the candidates, longest first) when the
    // activity is first asked for.
    template <typename MakeTexts>
    ActivityLabels& activity(const Activity& key, MakeTexts&& texts) {
        // Found without copying the work order: no allocation for a label seen before.
        auto found = activities_.find(key);
        if (found == activities_.end()) {
            // A chart has as many labels as activities; beyond that many the cache starts over.
            if (activities_.size() > kMaximumEntries) {
                activities_.clear();
            }
            ActivityLabels labels;
            for (const QString& text : std::array<QString, 3>(texts())) {
                if (!text.isEmpty()) {
                    labels.candidates[static_cast<size_t>(labels.count++)] =
                        Entry(text, font_, glyphs_);
                }
            }
            found = activities_
                        .emplace(StoredActivity{std::string(key.workOrder), key.number, key.copy},
                                 std::move(labels))
                        .first;
        }
        return found->second;
    }

private:
    struct StoredActivity {
        std::string workOrder;
        int32_t number = 0;
        bool copy = false;

        operator Activity() const { return {workOrder, number, copy}; }
    };

    struct ActivityHash {
        using is_transparent = void;
        size_t operator()(const Activity& key) const {
            return std::hash<std::string_view>()(key.workOrder) * 31 +
                   static_cast<size_t>(key.number) * 2 + (key.copy ? 1 : 0);
        }
        size_t operator()(const StoredActivity& key) const { return (*this)(Activity(key)); }
    };

    struct ActivityEqual {
        using is_transparent = void;
        bool operator()(const Activity& a, const Activity& b) const {
            return a.workOrder == b.workOrder && a.number == b.number && a.copy == b.copy;
        }
    };

    static constexpr size_t kMaximumEntries = 200000;
    QFont font_;
    LabelGlyphs glyphs_;
    int height_ = 0;
    bool measured_ = false;
    std::unordered_map<StoredActivity, ActivityLabels, ActivityHash, ActivityEqual> activities_;
};

}  // namespace tessaro::qt_detail
