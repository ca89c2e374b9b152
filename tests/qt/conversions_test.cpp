#include <tessaro/qt/conversions.hpp>

#include <QFontInfo>

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(ConversionsTest, RgbNumbersAreRedFirst) {
    const struct {
        int32_t rgb;
        QColor colour;
    } cases[] = {
        {0, QColor(0, 0, 0)},          {255, QColor(255, 0, 0)},
        {65280, QColor(0, 255, 0)},    {16711680, QColor(0, 0, 255)},
        {4755712, QColor(0, 145, 72)}, {16777215, QColor(255, 255, 255)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toQColor(c.rgb), c.colour) << c.rgb;
        EXPECT_EQ(toRgbNumber(c.colour), c.rgb) << c.rgb;
    }
    // Bits above the colour are ignored.
    EXPECT_EQ(toQColor(0x01000000 | 255), QColor(255, 0, 0));
}

TEST(ConversionsTest, TwipsBecomePixelsAtTheLogicalDpi) {
    const struct {
        double twips;
        double dpi;
        int pixels;
    } cases[] = {
        {1440, 96, 96},    // an inch
        {15, 96, 1},       // the usual twip-to-pixel ratio
        {7, 96, 0},        // under half a pixel
        {8, 96, 1},        // over half a pixel
        {14415, 96, 961},  // the chart's design width
        {1440, 144, 144},  // a 150% screen
        {15, 192, 2},      // a 200% screen
        {-30, 96, -2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(twipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
    }
}

TEST(ConversionsTest, FontsKeepSizeAndWeightAndFindAnInstalledFamily) {
    const struct {
        Font font;
    } cases[] = {
        {{"MS Sans Serif", 8.25, false}},
        {{"Verdana", 8.25, true}},
        {{"Arial", 12, true}},
        {{"No Such Family", 10, false}},
    };
    for (const auto& c : cases) {
        const QFont font = toQFont(c.font);
        EXPECT_DOUBLE_EQ(font.pointSizeF(), c.font.Size) << c.font.Name;
        EXPECT_EQ(font.bold(), c.font.Bold) << c.font.Name;
        EXPECT_EQ(font.families().front().toStdString(), c.font.Name);
        EXPECT_FALSE(QFontInfo(font).family().isEmpty()) << c.font.Name;
    }
    EXPECT_DOUBLE_EQ(toQFont({"Arial", 0, false}).pointSizeF(), 8.25);
}

TEST(ConversionsTest, ModelTextIsUtf8) {
    EXPECT_EQ(toQString("Stra\xc3\x9f"
                        "e"),
              QString::fromUtf8("Stra\xc3\x9f"
                                "e"));
    EXPECT_EQ(toQString(std::string_view("abc", 2)), QStringLiteral("ab"));
}

}  // namespace
}  // namespace tessaro
