#include "label_glyphs.hpp"

#include <cmath>
#include <optional>

#include <QFont>
#include <QFontMetricsF>
#include <QString>

#include <gtest/gtest.h>

namespace tessaro::qt_detail {
namespace {

// The table measures what Qt's text layout measures, to the pixel a label needs to choose the
// text that fits, and leaves every other text to that layout.
TEST(LabelGlyphs, MeasuresPlainLabelsAsTheTextLayoutDoesAndLeavesOthersToIt) {
    for (const QFont& font : {QFont("DejaVu Sans", 8), QFont("DejaVu Sans", 11, QFont::Bold)}) {
        const LabelGlyphs glyphs(font);
        const QFontMetricsF metrics(font);
        for (const QString text : {"WO-24001 / 10", "10", "Copy of WO-24001 / 10", "a b~!{}"}) {
            const std::optional<int> width = glyphs.width(text);
            ASSERT_TRUE(width.has_value()) << text.toStdString();
            EXPECT_NEAR(*width, std::ceil(metrics.horizontalAdvance(text)), 1.0)
                << text.toStdString();
            const QGlyphRun run = glyphs.run(text);
            ASSERT_EQ(run.glyphIndexes().size(), text.size());
            EXPECT_EQ(run.positions().front().x(), 0.0);
        }
        EXPECT_EQ(glyphs.width(QString()), 0);
        for (const QString& text : {QString::fromUtf8("Ölwanne"), QStringLiteral("tab\there")}) {
            EXPECT_FALSE(glyphs.width(text).has_value()) << text.toStdString();
        }
    }
}

}  // namespace
}  // namespace tessaro::qt_detail
