#pragma once

// The steps every loader opens with: keep the payload in its store, parse the kept copy, and read
// its records into a table.

#include <span>
#include <string_view>

#include <tessaro/components/text_store.hpp>

#include "loading/fixed_columns.hpp"
#include "loading/payload_reader.hpp"
#include "loading/record_table.hpp"

namespace tessaro {

// The table's text fields point into the records' document, or into the kept text and the
// decoded values when the records were read straight from the text: all live and go together.
struct PayloadTable {
    PayloadRecords Records;
    RecordTable Table;
    DecodedValues Decoded;
    // Set by KeepAndScanPayload: see PayloadValues.
    bool TextsNeedNoEscape = false;
};

// With no fixed columns, the first record's attributes name the columns. Raises what reading the
// payload raises; the store keeps the text even then.
PayloadTable KeepAndReadPayload(TextStore& store, std::string_view text,
                                std::span<const FixedColumn> columns = {});

// The same records and errors, read straight from the kept text where it takes the plain form:
// no document is left for the loader to keep.
PayloadTable KeepAndScanPayload(TextStore& store, std::string_view text,
                                std::span<const FixedColumn> columns = {});

}  // namespace tessaro
