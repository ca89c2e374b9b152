#pragma once

// The bar record is a work-order bar's tag: its eighteen fields joined by "$". A "$" or "\" in a
// text field is written "\$" or "\\", so every text the host sent comes back intact.

#include <string>
#include <string_view>

#include <tessaro/bars/bar_record.hpp>

namespace tessaro {

// Raises BarKeyBlankError and leaves the text unchanged when the work-order number is blank.
// The number and fields 6 to 15 are trimmed of spaces; the status is kept as it is. The text is
// written in place, so the record's fields must not point into it.
template <typename Text>
void AssembleBarRecordText(std::string& recordText, const BarRecordOf<Text>& record);

// Leaves every field unchanged for an empty text or one without "$". Fields are written in
// record order, so a failure leaves the earlier ones set: a record with fewer than seventeen
// separators raises 5 after the fields it holds, a numeric field that is empty or not a number
// raises 13, one outside its width 6.
void DisassembleBarRecordText(std::string_view recordText, BarRecord& record);

}  // namespace tessaro
