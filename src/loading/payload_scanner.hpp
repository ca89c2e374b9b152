#pragma once

// Reading a flat payload straight into a record table: one root element, one element per record,
// the record's fields as its attributes. Building a document first and reading its attributes
// back out costs about twice the parse; this reads each value once, where it lies in the text.
//
// The scanner reads a plain form of the payload only (an XML declaration, comments, white space,
// attributes in double or single quotes, the five predefined entities and character references)
// and gives up on anything else, so that the document reader decides every payload it does not
// take, with its errors and its leniencies.

#include <memory>
#include <string_view>
#include <vector>

#include "loading/record_table.hpp"

namespace tessaro {

// Which columns the records fill: those the table has already, or one text column per attribute
// of the first record (named without prefix, in its order).
enum class PayloadColumns { OfTable, OfFirstRecord };

// The values whose entity or character references were resolved, kept while the table that
// points into them lives; the other values point into the payload text itself.
class DecodedValues {
public:
    // Room for a value of at most `bytes` bytes, valid until the object is destroyed.
    char* Room(std::size_t bytes);
    // Hands back the end of the last room that the value did not use.
    void GiveBack(std::size_t bytes) {
        next_ -= bytes;
        free_ += bytes;
    }

private:
    std::vector<std::unique_ptr<char[]>> blocks_;
    char* next_ = nullptr;
    std::size_t free_ = 0;
};

// Fills the table with one record per record element, as the document reader would. Returns
// false, leaving the table as it was given, for a payload outside the plain form, and for one the
// document reader refuses or whose records it refuses (so that it raises the error); the text's
// characters are checked by the caller. Text fields point into `text` or into `decoded`.
bool ScanPayloadRecords(RecordTable& table, std::string_view text, PayloadColumns columns,
                        DecodedValues& decoded);

}  // namespace tessaro
