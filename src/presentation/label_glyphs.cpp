#include "label_glyphs.hpp"

#include <cmath>

#include <QFontMetricsF>
#include <QList>
#include <QPointF>

namespace tessaro::qt_detail {

LabelGlyphs::LabelGlyphs(const QFont& font)
    : font_(QRawFont::fromFont(font)), ascent_(QFontMetricsF(font).ascent()) {
    if (!font_.isValid()) {
        return;
    }
    QString characters;
    for (char16_t c = kFirst; c <= kLast; ++c) {
        characters.append(QChar(c));
    }
    const QList<quint32> glyphs = font_.glyphIndexesForString(characters);
    if (glyphs.size() != static_cast<qsizetype>(kCount)) {
        font_ = QRawFont();
        return;
    }
    const QList<QPointF> advances = font_.advancesForGlyphIndexes(glyphs);
    for (std::size_t i = 0; i < kCount; ++i) {
        glyphs_[i] = glyphs[static_cast<qsizetype>(i)];
        advances_[i] = advances[static_cast<qsizetype>(i)].x();
    }
}

std::optional<std::size_t> LabelGlyphs::slot(QChar c) const {
    const char16_t code = c.unicode();
    if (code < kFirst || code > kLast) {
        return std::nullopt;
    }
    const std::size_t index = code - kFirst;
    // Glyph 0 is the font's "missing" box: such a character needs a fallback font.
    if (glyphs_[index] == 0) {
        return std::nullopt;
    }
    return index;
}

std::optional<int> LabelGlyphs::width(const QString& text) const {
    if (!font_.isValid()) {
        return std::nullopt;
    }
    double advance = 0;
    for (const QChar c : text) {
        const std::optional<std::size_t> index = slot(c);
        if (!index) {
            return std::nullopt;
        }
        advance += advances_[*index];
    }
    return static_cast<int>(std::ceil(advance));
}

QGlyphRun LabelGlyphs::run(const QString& text) const {
    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(text.size());
    positions.reserve(text.size());
    double x = 0;
    for (const QChar c : text) {
        const std::size_t index = slot(c).value_or(0);
        glyphs.append(glyphs_[index]);
        positions.append(QPointF(x, 0));
        x += advances_[index];
    }
    QGlyphRun run;
    run.setRawFont(font_);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    return run;
}

}  // namespace tessaro::qt_detail
