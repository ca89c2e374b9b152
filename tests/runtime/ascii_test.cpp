#include "runtime/ascii.hpp"

#include <gtest/gtest.h>

#include <string>

namespace tessaro {
namespace {

// The word-wise hash and equality agree with the byte-wise comparison for every length around
// the word sizes: texts equal ignoring ASCII letter case are equal and hash alike, and a change
// of any one byte (a letter's case aside) makes them differ. Bytes past 0x7F whose low bits
// spell a capital, and the neighbours of the letters, are not letters.
TEST(AsciiCaseInsensitiveTest, WordWiseComparisonAgreesWithByteWise) {
    const AsciiCaseInsensitiveHash hash;
    const AsciiCaseInsensitiveEqual equal;
    const std::string alphabet = "AZaz@[`{0-$\xC1\xDA\xE1\xFA";
    for (std::size_t size = 0; size <= 25; ++size) {
        std::string text;
        for (std::size_t i = 0; i < size; ++i) {
            text += "Wo-1z9Qx"[i % 8];
        }
        std::string flipped = text;
        for (char& c : flipped) {
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            } else {
                c = AsciiLower(c);
            }
        }
        EXPECT_TRUE(equal(text, flipped)) << text;
        EXPECT_EQ(hash(text), hash(flipped)) << text;
        EXPECT_FALSE(equal(text, text + "a")) << text;
        for (std::size_t place = 0; place < size; ++place) {
            for (const char other : alphabet) {
                std::string changed = text;
                changed[place] = other;
                const bool same = AsciiEqualIgnoringCase(text, changed);
                EXPECT_EQ(equal(text, changed), same) << text << " / " << changed;
                EXPECT_EQ(equal(changed, text), same) << text << " / " << changed;
                if (same) {
                    EXPECT_EQ(hash(text), hash(changed)) << text << " / " << changed;
                }
            }
        }
    }
}

}  // namespace
}  // namespace tessaro
