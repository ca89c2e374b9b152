// Reading arbitrary text into a record table straight from the text gives what reading it through
// the document gives: the same columns and fields, or the same error, for typed columns and for
// the columns of the first record.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.hpp"
#include "support/payload_reading.hpp"

using namespace tessaro;
using namespace tessaro::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = AsText(data, size);
    for (const PayloadColumns columns : {PayloadColumns::OfTable, PayloadColumns::OfFirstRecord}) {
        FUZZ_CHECK(testing::ReadStraight(text, columns) ==
                   testing::ReadThroughDocument(text, columns));
    }
    return 0;
}
