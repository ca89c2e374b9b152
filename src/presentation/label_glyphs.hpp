#pragma once

// The glyphs of the printable ASCII characters in the bar font, looked up once: a label made of
// them is measured by adding advances and drawn as a glyph run, with no text shaping. The first
// frame of a large plant lays out thousands of labels, and shaping each one costs more than
// painting its bar. Any other text goes through Qt's text layout.

#include <array>
#include <optional>

#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QString>

namespace tessaro::qt_detail {

class LabelGlyphs {
public:
    LabelGlyphs() = default;
    explicit LabelGlyphs(const QFont& font);

    // The text's advance in whole pixels, rounded up; nothing when a character has no glyph in
    // the table (outside printable ASCII, or missing from the font).
    std::optional<int> width(const QString& text) const;
    // The text as a run whose origin is the left end of its baseline; only for a text width()
    // measures.
    QGlyphRun run(const QString& text) const;
    // From the top of a line of text to its baseline.
    double ascent() const { return ascent_; }

private:
    static constexpr char16_t kFirst = u' ';
    static constexpr char16_t kLast = u'~';
    static constexpr std::size_t kCount = kLast - kFirst + 1;

    std::optional<std::size_t> slot(QChar c) const;

    QRawFont font_;
    std::array<quint32, kCount> glyphs_{};
    std::array<double, kCount> advances_{};
    double ascent_ = 0;
};

}  // namespace tessaro::qt_detail
