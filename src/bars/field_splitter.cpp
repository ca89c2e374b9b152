#include "bars/field_splitter.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include <tessaro/runtime/automation_error.hpp>
#include "runtime/ascii.hpp"

namespace tessaro {

namespace {
constexpr char kSeparator = '$';
constexpr char kEscape = '\\';
}  // namespace

FieldSplitter::FieldSplitter(std::string_view text, Escapes escapes)
    : text_(text), escapes_(escapes) {}

std::size_t FieldSplitter::FindSeparator(std::size_t from) const {
    if (escapes_ == Escapes::None) {
        return text_.find(kSeparator, from);
    }
    for (std::size_t i = from; i < text_.size(); ++i) {
        if (text_[i] == kEscape) {
            ++i;
        } else if (text_[i] == kSeparator) {
            return i;
        }
    }
    return std::string_view::npos;
}

std::string_view FieldSplitter::Next() {
    const std::size_t separator = FindSeparator(position_);
    if (separator == std::string_view::npos) {
        RaiseRuntimeError(RuntimeError::InvalidProcedureCall);
    }
    const std::string_view field = text_.substr(position_, separator - position_);
    position_ = separator + 1;
    return field;
}

std::string_view FieldSplitter::Last() const {
    // The length counts from the text without its outer spaces, so leading spaces of the text
    // shorten the last field from its end.
    const std::size_t trimmedLength = TrimSpaces(text_).size();
    if (trimmedLength < position_) {
        RaiseRuntimeError(RuntimeError::InvalidProcedureCall);
    }
    return text_.substr(position_, trimmedLength - position_);
}

std::size_t FieldSplitter::SeparatorsLeft() const {
    const std::string_view rest = text_.substr(std::min(position_, text_.size()));
    // Most records escape nothing: their separators are counted without looking at escapes.
    if (escapes_ == Escapes::None || rest.find(kEscape) == std::string_view::npos) {
        return static_cast<std::size_t>(std::count(rest.begin(), rest.end(), kSeparator));
    }
    std::size_t count = 0;
    for (std::size_t at = FindSeparator(position_); at != std::string_view::npos;
         at = FindSeparator(at + 1)) {
        ++count;
    }
    return count;
}

void AppendEscapedField(std::string& record, std::string_view field) {
    const std::size_t start = record.size();
    record.resize(start + 2 * field.size());
    char* const end = WriteEscapedField(record.data() + start, field);
    record.resize(static_cast<std::size_t>(end - record.data()));
}

namespace {

// Whether any byte of the word is `c`: the word XOR `c` in every byte has a zero byte.
template <typename Word>
bool WordHolds(Word word, char c) {
    constexpr Word kOnes = static_cast<Word>(~Word{0}) / 0xFF;
    constexpr Word kHighBits = kOnes * 0x80;
    const Word match = word ^ static_cast<Word>(kOnes * static_cast<unsigned char>(c));
    return ((match - kOnes) & ~match & kHighBits) != 0;
}

template <typename Word>
bool NeedsNoEscape(const char* at, Word& word) {
    std::memcpy(&word, at, sizeof word);
    return !WordHolds(word, kSeparator) && !WordHolds(word, kEscape);
}

// Copies a field of at least four bytes that holds no byte to escape, in words; returns the
// end written, or nullptr (having written only a clean beginning) when a byte needs an escape.
char* WritePlainField(char* out, const char* from, const char* end) {
    const auto size = static_cast<std::size_t>(end - from);
    if (size < 8) {
        // Two words that overlap cover four to seven bytes.
        uint32_t head = 0;
        uint32_t tail = 0;
        if (!NeedsNoEscape(from, head) || !NeedsNoEscape(end - 4, tail)) {
            return nullptr;
        }
        std::memcpy(out, &head, sizeof head);
        std::memcpy(out + size - 4, &tail, sizeof tail);
        return out + size;
    }
    const char* const start = from;
    uint64_t word = 0;
    for (; end - from > 8; from += 8) {
        if (!NeedsNoEscape(from, word)) {
            return nullptr;
        }
        std::memcpy(out + (from - start), &word, sizeof word);
    }
    // The last word ends with the field, overlapping the one before it.
    if (!NeedsNoEscape(end - 8, word)) {
        return nullptr;
    }
    std::memcpy(out + size - 8, &word, sizeof word);
    return out + size;
}

}  // namespace

char* WriteEscapedField(char* out, std::string_view field) {
    const char* from = field.data();
    const char* const end = from + field.size();
    // A load writes a dozen short fields a bar, nearly all without a byte to escape.
    if (field.size() >= 4) {
        if (char* const written = WritePlainField(out, from, end)) {
            return written;
        }
    }
    // Otherwise byte by byte, skipping a word at a time where none needs an escape: a host may
    // send fields of megabytes, which a byte-by-byte copy crawls through in a debug build.
    while (from != end) {
        uint64_t word = 0;
        if (end - from >= 8 && NeedsNoEscape(from, word)) {
            std::memcpy(out, &word, sizeof word);
            out += sizeof word;
            from += sizeof word;
            continue;
        }
        if (*from == kSeparator || *from == kEscape) {
            *out++ = kEscape;
        }
        *out++ = *from++;
    }
    return out;
}

std::string UnescapedField(std::string_view raw) {
    std::string field;
    field.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == kEscape && i + 1 < raw.size()) {
            ++i;
        }
        field += raw[i];
    }
    return field;
}

}  // namespace tessaro
