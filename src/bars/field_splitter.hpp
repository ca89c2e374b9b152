#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessaro {

// Walks the "$"-separated fields of a bar key or bar record. Bar records escape a "$" or "\"
// inside a text field with a "\"; keys carry no escapes.
class FieldSplitter {
public:
    enum class Escapes { None, Backslash };

    FieldSplitter(std::string_view text, Escapes escapes);

    // True when the text holds at least one separator.
    bool HasSeparator() const { return FindSeparator(0) != std::string_view::npos; }

    // The raw text up to the next separator; raises 5 when no separator follows.
    std::string_view Next();

    // The raw text after the last separator taken, as far as the text reaches once its outer
    // spaces are removed (its trailing spaces are not part of the field); raises 5 when the
    // trimmed text ends before the field starts.
    std::string_view Last() const;

    // How many separators lie after the fields taken so far.
    std::size_t SeparatorsLeft() const;

private:
    std::size_t FindSeparator(std::size_t from) const;

    std::string_view text_;
    Escapes escapes_;
    std::size_t position_ = 0;
};

// A "$" or "\" in a text field becomes "\$" or "\\".
void AppendEscapedField(std::string& record, std::string_view field);
// The same written through a pointer with room for twice the field; returns the end written.
char* WriteEscapedField(char* out, std::string_view field);

// Reverses AppendEscapedField; a lone "\" at the end stays as it is.
std::string UnescapedField(std::string_view raw);

}  // namespace tessaro
