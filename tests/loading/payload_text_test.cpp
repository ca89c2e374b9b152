#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "loading/payload_text.hpp"
#include "support/error_code.hpp"

namespace tessaro {
namespace {

using namespace std::string_literals;

// Text -> 0 when it may be loaded, 5 when it is refused.
TEST(PayloadText, CharactersAtTheEdgesOfUtf8) {
    struct Case {
        const char* name;
        std::string text;
        int32_t error;
    } cases[] = {
        {"empty", "", 0},
        {"ASCII controls", "\x01\t\n\x7f", 0},
        {"U+0080", "\xc2\x80", 0},
        {"U+07FF", "\xdf\xbf", 0},
        {"U+0800", "\xe0\xa0\x80", 0},
        {"U+D7FF", "\xed\x9f\xbf", 0},
        {"U+E000", "\xee\x80\x80", 0},
        {"U+FFFF", "\xef\xbf\xbf", 0},
        {"U+10000", "\xf0\x90\x80\x80", 0},
        {"U+10FFFF", "\xf4\x8f\xbf\xbf", 0},
        {"NUL", "\0"s, 5},
        {"continuation byte alone", "\x80", 5},
        {"overlong two bytes", "\xc1\xbf", 5},
        {"overlong three bytes", "\xe0\x9f\xbf", 5},
        {"overlong four bytes", "\xf0\x8f\xbf\xbf", 5},
        {"first surrogate", "\xed\xa0\x80", 5},
        {"last surrogate", "\xed\xbf\xbf", 5},
        {"past U+10FFFF", "\xf4\x90\x80\x80", 5},
        {"lead byte F5", "\xf5\x80\x80\x80", 5},
        {"lead byte FF", "\xff", 5},
        {"cut short at the end", "ab\xe6\x97", 5},
        {"ASCII where a continuation belongs", "\xe6\x97x", 5},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ErrorCode([&] { CheckPayloadText(c.text); }), c.error) << c.name;
    }
}

// A long ASCII text is checked thirty-two and eight bytes at a time: a NUL or a bad byte is found
// at every place of a block or a word, and a good character across two of them passes.
TEST(PayloadText, EveryPlaceOfALongTextIsChecked) {
    const std::string plain(72, 'a');
    EXPECT_EQ(ErrorCode([&] { CheckPayloadText(plain); }), 0);
    for (std::size_t place = 0; place < plain.size(); ++place) {
        for (const char bad : {'\0', '\xff', '\x80'}) {
            std::string text = plain;
            text[place] = bad;
            EXPECT_EQ(ErrorCode([&] { CheckPayloadText(text); }), 5)
                << place << " " << static_cast<int>(bad);
        }
        if (place + 4 <= plain.size()) {
            std::string text = plain;
            text.replace(place, 4, "\xf0\x9f\x94\xa9");
            EXPECT_EQ(ErrorCode([&] { CheckPayloadText(text); }), 0) << place;
        }
    }
}

// The check also says whether a text holds a "$", "\\" or "&", at any place of a block, a word
// or a character read alone (after a character that is not ASCII).
TEST(PayloadText, NotesEveryCharacterABarRecordEscapes) {
    const std::string plain = std::string(72, 'a') + "\xc3\xa9" + std::string(9, '%');
    EXPECT_TRUE(CheckPayloadText(plain));
    for (std::size_t place = 0; place < plain.size(); ++place) {
        if (plain[place] == '\xc3' || plain[place] == '\xa9') {
            continue;
        }
        for (const char escapable : {'$', '\\', '&'}) {
            std::string text = plain;
            text[place] = escapable;
            EXPECT_FALSE(CheckPayloadText(text)) << place << " " << escapable;
        }
        std::string text = plain;
        text[place] = '\'';  // 0x27: one bit from "&"
        EXPECT_TRUE(CheckPayloadText(text)) << place;
    }
}

// Text -> the first reference the control cannot read, "" when it reads them all.
TEST(PayloadText, ReferencesTheControlCannotRead) {
    struct Case {
        std::string_view text;
        std::string_view unreadable;
    } cases[] = {
        {"plain", ""},
        {"&lt;&gt;&amp;&apos;&quot;", ""},
        {"A & B", ""},
        {"&amp", ""},
        {"&;", ""},
        {"&a b;", ""},
        {"&#65;&#x41;&#X;", "&#"},
        {"&#1;&#xD7FF;&#xE000;&#x10FFFF;&#1114111;", ""},
        {"&#0000065;", ""},
        {"x&lol;y", "&lol;"},
        {"&AMP;", "&AMP;"},
        {"&n\xc3\xa4me;", "&n\xc3\xa4me;"},
        {"&#0;", "&#0;"},
        {"&#x0;", "&#x0;"},
        {"&#xD800;", "&#xD800;"},
        {"&#xDFFF;", "&#xDFFF;"},
        {"&#x110000;", "&#x110000;"},
        {"&#1114112;", "&#1114112;"},
        {"&#99999999999999999999;", "&#99999999999999999999;"},
        {"&#;", "&#;"},
        {"&#x;", "&#x;"},
        {"&#xZZ;", "&#x"},
        {"&#65", "&#65"},
        {"&#", "&#"},
        {"&amp;&#36;&x;&#0;", "&x;"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindUnreadableReference(c.text), c.unreadable) << c.text;
    }
}

}  // namespace
}  // namespace tessaro
