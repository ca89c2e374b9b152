#pragma once

// Reading a payload: the XML text becomes a document whose root's child elements are the
// records; their attributes fill the loader's table.

#include <memory>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "loading/payload_scanner.hpp"
#include "loading/record_table.hpp"
#include "runtime/large_block.hpp"

namespace tessaro {

struct PayloadRecords {
    // The copy of the payload the document was parsed in; its names and values point into it.
    std::unique_ptr<LargeCharBuffer> Text;
    std::unique_ptr<pugi::xml_document> Document;
    // The root's child elements in document order; white space, comments and processing
    // instructions among them are dropped.
    std::vector<pugi::xml_node> Elements;
};

// Raises 5 for text that is not well-formed XML (the empty text included), holds a NUL character
// or is not UTF-8; for a document type; for text outside the root or among its children; for a
// root without child elements; and for a record attribute holding an entity reference other than
// the five XML predefines or a character reference to NUL or past Unicode.
PayloadRecords ReadPayloadRecords(std::string_view text);

// One text column per attribute of the element, named by the attribute's name without prefix,
// in document order. Raises 5 when two names are equal ignoring case.
void AddColumnsOfElement(RecordTable& table, pugi::xml_node element);

// Adds one record per element: an element with n attributes fills columns 0..n-1 from its
// attributes named as those columns in lower case, in any order; the other columns stay Null.
// Raises 5 for an element with more attributes than the table has columns or one that lacks a
// name it is read by, and the column's conversion error (13, 6) for a value that does not
// convert; the description names the record and the attribute.
void ReadRecords(RecordTable& table, const std::vector<pugi::xml_node>& elements);

// What a table read from a payload points into, besides the payload text: the values with
// references resolved, or the document when the payload was read through one.
struct PayloadValues {
    DecodedValues Decoded;
    PayloadRecords Records;
    // Whether the payload holds no "$", "\\" or "&", so no text read from it needs an escape in
    // a bar record.
    bool TextsNeedNoEscape = false;
};

// Reads the payload's records into the table (into its columns, or into one text column per
// attribute of the first record), with the errors of ReadPayloadRecords, AddColumnsOfElement and
// ReadRecords. The text must stay as it is while the table is read.
PayloadValues ReadPayloadTable(RecordTable& table, std::string_view text, PayloadColumns columns);

// The same through the document only, which is returned for the table to point into.
PayloadRecords ReadPayloadDocument(RecordTable& table, std::string_view text,
                                   PayloadColumns columns);

}  // namespace tessaro
