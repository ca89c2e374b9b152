#include "bars/field_splitter.hpp"

#include <algorithm>
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

char* WriteEscapedField(char* out, std::string_view field) {
    // The runs between separators and escapes are copied whole, found with memchr: a host may
    // send fields of megabytes, which a byte-by-byte copy crawls through in a debug build.
    if (field.empty()) {
        return out;  // an empty view may hold no pointer, which memchr must not be given
    }
    const char* from = field.data();
    const char* const end = from + field.size();
    const auto next = [&end](const char* at, char c) {
        const void* found = std::memchr(at, c, static_cast<std::size_t>(end - at));
        return found != nullptr ? static_cast<const char*>(found) : end;
    };
    const char* separator = next(from, kSeparator);
    const char* escape = next(from, kEscape);
    while (true) {
        const char* special = std::min(separator, escape);
        out = std::copy(from, special, out);
        if (special == end) {
            return out;
        }
        *out++ = kEscape;
        *out++ = *special;
        from = special + 1;
        if (special == separator) {
            separator = next(from, kSeparator);
        } else {
            escape = next(from, kEscape);
        }
    }
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
