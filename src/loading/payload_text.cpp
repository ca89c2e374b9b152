#include "loading/payload_text.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include <tessaro/runtime/automation_error.hpp>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tessaro {

namespace {

[[noreturn]] void RaiseUnreadableText(std::string description) {
    RaiseRuntimeError(RuntimeError::InvalidProcedureCall, std::move(description));
}

// True when none of the eight bytes is NUL or above 0x7F. Payloads are mostly ASCII, and a
// hundred megabytes are checked a word at a time.
bool PlainAscii(uint64_t word) {
    constexpr uint64_t kOnes = 0x0101010101010101;
    constexpr uint64_t kHighBits = 0x8080808080808080;
    return (word & kHighBits) == 0 && ((word - kOnes) & ~word & kHighBits) == 0;
}

// Whether any of the eight bytes is `c`: the word XOR `c` in every byte has a zero byte.
bool HoldsByte(uint64_t word, char c) {
    constexpr uint64_t kOnes = 0x0101010101010101;
    constexpr uint64_t kHighBits = 0x8080808080808080;
    const uint64_t match = word ^ (kOnes * static_cast<unsigned char>(c));
    return ((match - kOnes) & ~match & kHighBits) != 0;
}

// The length of the UTF-8 character the bytes start with, 0 when they start none. The ranges
// of the second byte keep out overlong forms, surrogates and code points past U+10FFFF.
std::size_t Utf8CharacterLength(const unsigned char* bytes, std::size_t available) {
    const unsigned char lead = bytes[0];
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead == 0xE0) {
        length = 3;
        low = 0xA0;
    } else if (lead == 0xED) {
        length = 3;
        high = 0x9F;
    } else if (lead >= 0xE1 && lead <= 0xEF) {
        length = 3;
    } else if (lead == 0xF0) {
        length = 4;
        low = 0x90;
    } else if (lead == 0xF4) {
        length = 4;
        high = 0x8F;
    } else if (lead >= 0xF1 && lead <= 0xF3) {
        length = 4;
    } else {
        return 0;
    }
    if (available < length || bytes[1] < low || bytes[1] > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (bytes[i] < 0x80 || bytes[i] > 0xBF) {
            return 0;
        }
    }
    return length;
}

bool IsNameByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == ':' || c == '-' || c == '.' || static_cast<unsigned char>(c) >= 0x80;
}

bool IsPredefinedEntity(std::string_view name) {
    return name == "lt" || name == "gt" || name == "amp" || name == "apos" || name == "quot";
}

constexpr uint32_t kPastUnicode = 0x110000;

// At a "&#": the length of the character reference there when it names a character the control
// reads, otherwise 0 with `written` set to as much of it as was written.
std::size_t CharacterReferenceLength(std::string_view text, std::string_view& written) {
    std::size_t place = 2;
    const bool hex = place < text.size() && text[place] == 'x';
    place += hex ? 1 : 0;
    const std::size_t firstDigit = place;
    uint32_t code = 0;
    for (; place < text.size(); ++place) {
        const char c = text[place];
        uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<uint32_t>(c - '0');
        } else if (hex && c >= 'a' && c <= 'f') {
            digit = static_cast<uint32_t>(c - 'a' + 10);
        } else if (hex && c >= 'A' && c <= 'F') {
            digit = static_cast<uint32_t>(c - 'A' + 10);
        } else {
            break;
        }
        // Any number past Unicode is as unreadable as the first one.
        code = std::min(code * (hex ? 16 : 10) + digit, kPastUnicode);
    }
    const bool ended = place < text.size() && text[place] == ';';
    const bool character = code != 0 && code < kPastUnicode && (code < 0xD800 || code > 0xDFFF);
    if (place > firstDigit && ended && character) {
        return place + 1;
    }
    written = text.substr(0, ended ? place + 1 : place);
    return 0;
}

}  // namespace

bool CheckPayloadText(std::string_view text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t place = 0;
    bool escapable = false;
#if defined(__SSE2__)
    // "$" (0x24) and "&" (0x26) are one byte with bit 1 set; "\" is looked for on its own.
    const __m128i bit1 = _mm_set1_epi8(0x02);
    const __m128i dollarOrAmpersand = _mm_set1_epi8(0x26);
    const __m128i backslash = _mm_set1_epi8('\\');
    __m128i escapables = _mm_setzero_si128();
    const auto escapablesOf = [&](__m128i chunk) {
        return _mm_or_si128(_mm_cmpeq_epi8(_mm_or_si128(chunk, bit1), dollarOrAmpersand),
                            _mm_cmpeq_epi8(chunk, backslash));
    };
#endif
    while (place < size) {
#if defined(__SSE2__)
        // Thirty-two bytes at a time: no byte is NUL (their minimum is not 0) and none has its
        // high bit set (their union has none).
        if (size - place >= 32) {
            const auto* at = reinterpret_cast<const __m128i*>(bytes + place);
            const __m128i first = _mm_loadu_si128(at);
            const __m128i second = _mm_loadu_si128(at + 1);
            const __m128i nul = _mm_cmpeq_epi8(_mm_min_epu8(first, second), _mm_setzero_si128());
            if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(first, second), nul)) == 0) {
                escapables = _mm_or_si128(escapables,
                                          _mm_or_si128(escapablesOf(first), escapablesOf(second)));
                place += 32;
                continue;
            }
        }
#endif
        uint64_t word = 0;
        if (size - place >= sizeof word) {
            std::memcpy(&word, bytes + place, sizeof word);
            if (PlainAscii(word)) {
                escapable = escapable || HoldsByte(word, '$') || HoldsByte(word, '\\') ||
                            HoldsByte(word, '&');
                place += sizeof word;
                continue;
            }
        }
        if (bytes[place] == 0) {
            RaiseUnreadableText("The payload holds a NUL character at byte " +
                                std::to_string(place + 1) + ".");
        }
        if (bytes[place] < 0x80) {
            escapable =
                escapable || bytes[place] == '$' || bytes[place] == '\\' || bytes[place] == '&';
            ++place;
            continue;
        }
        const std::size_t length = Utf8CharacterLength(bytes + place, size - place);
        if (length == 0) {
            RaiseUnreadableText("The payload is not UTF-8 text: byte " + std::to_string(place + 1) +
                                " starts no character.");
        }
        place += length;
    }
#if defined(__SSE2__)
    escapable = escapable || _mm_movemask_epi8(escapables) != 0;
#endif
    return !escapable;
}

std::string_view FindUnreadableReference(std::string_view text) {
    for (auto amp = text.find('&'); amp != std::string_view::npos; amp = text.find('&', amp + 1)) {
        const std::string_view rest = text.substr(amp);
        if (rest.size() > 1 && rest[1] == '#') {
            std::string_view written;
            if (CharacterReferenceLength(rest, written) == 0) {
                return written;
            }
            continue;
        }
        std::size_t end = 1;
        while (end < rest.size() && IsNameByte(rest[end])) {
            ++end;
        }
        if (end > 1 && end < rest.size() && rest[end] == ';' &&
            !IsPredefinedEntity(rest.substr(1, end - 1))) {
            return rest.substr(0, end + 1);
        }
    }
    return {};
}

}  // namespace tessaro
