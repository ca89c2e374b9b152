#pragma once

// The bar record is a work-order bar's tag: its eighteen fields joined by "$". A "$" or "\" in a
// text field is written "\$" or "\\", so every text the host sent comes back intact.

#include <cstdint>
#include <string>
#include <string_view>

#include <tessaro/bars/bar_record.hpp>

namespace tessaro {

// Raises BarKeyBlankError and leaves the text unchanged when the work-order number is blank.
// The number and fields 6 to 15 are trimmed of spaces; the status is kept as it is. The text is
// written in place, so the record's fields must not point into it. A caller that knows no text
// field holds a "$" or "\\" (a loader whose payload holds none) says so, and the texts are
// copied without looking for them.
template <typename Text>
void AssembleBarRecordText(std::string& recordText, const BarRecordOf<Text>& record,
                           bool textsNeedNoEscape = false);

// Leaves every field unchanged for an empty text or one without "$". Fields are written in
// record order, so a failure leaves the earlier ones set: a record with fewer than seventeen
// separators raises 5 after the fields it holds, a numeric field that is empty or not a number
// raises 13, one outside its width 6.
void DisassembleBarRecordText(std::string_view recordText, BarRecord& record);

// The record's eighteen fields separated exactly: seventeen separators, none of them escaped.
// Says nothing of whether its number fields convert.
bool HasBarRecordFields(std::string_view recordText);

// The two fields that name a record's activity, its work order (unescaped, untrimmed) and its
// schedule number, read without the rest: what a view needs for every bar in sight. False, and
// both left as they are, when the text does not hold eighteen fields, the work order is blank or
// the schedule number does not convert; later number fields are not converted.
bool ReadBarRecordActivity(std::string_view recordText, std::string& workOrder,
                           int32_t& scheduleNumber);

}  // namespace tessaro
