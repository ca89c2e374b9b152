// The two splitters of the control on arbitrary text: the bar key ("number$position$count",
// DisAssembleKeyID) and the bar record (eighteen "$"-separated fields with "\" escapes,
// DisAssembleBarRecord over src/bars/bar_record_codec).
// Where a split succeeds, assembling its parts and splitting again gives the same parts.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include <tessaro/bars/bar_record.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/automation_error.hpp>
#include "runtime/ascii.hpp"

#include "bars/bar_record_codec.hpp"
#include "fuzz_support.hpp"

using namespace tessaro;
using namespace tessaro::fuzzing;

namespace {

// The errors a split may raise: 5 for a missing separator, 13 and 6 for a bad number.
bool IsSplitError(const AutomationError& error) {
    return error.Code() == 5 || error.Code() == 6 || error.Code() == 13;
}

void CheckKey(Tessaro_Ctrl& control, const std::string& key) {
    const std::string kUnset = "\x01unset";
    std::string number = kUnset;
    int16_t position = -7;
    int16_t count = -7;
    try {
        control.DisAssembleKeyID(key, number, position, count);
    } catch (const AutomationError& error) {
        FUZZ_CHECK(IsSplitError(error));
        // A key with one "$" raises 5 once the number is set.
        if (std::count(key.begin(), key.end(), '$') == 1) {
            FUZZ_CHECK(error.Code() == 5 && number == key.substr(0, key.find('$')));
        }
        return;
    }
    // A blank key or one without "$" changes nothing.
    if (TrimSpaces(key).empty() || key.find('$') == std::string::npos) {
        FUZZ_CHECK(number == kUnset && position == -7 && count == -7);
        return;
    }
    // Two separators at least; what follows a third one may be cut off with the text's leading
    // spaces (FieldSplitter::Last).
    FUZZ_CHECK(std::count(key.begin(), key.end(), '$') >= 2);

    std::string assembled = kUnset;
    try {
        control.AssembleKeyID(assembled, number, position, count);
    } catch (const AutomationError& error) {
        // Only a blank number refuses, leaving the key unchanged.
        FUZZ_CHECK(error.Number() == kBarKeyBlankErrorNumber && TrimSpaces(number).empty() &&
                   assembled == kUnset);
        return;
    }
    std::string again;
    int16_t positionAgain = 0;
    int16_t countAgain = 0;
    try {
        control.DisAssembleKeyID(assembled, again, positionAgain, countAgain);
    } catch (const AutomationError&) {
        FUZZ_CHECK(false);
    }
    FUZZ_CHECK(again == TrimSpaces(number) && positionAgain == position && countAgain == count);
}

// What assembling keeps of a record: the number and fields 6 to 15 lose their outer spaces.
BarRecord Assembled(BarRecord record) {
    for (std::string* field :
         {&record.work_order_no, &record.item_code, &record.sdesc3, &record.sdesc4, &record.flag,
          &record.ReqdDate, &record.schdate, &record.wo_start_date, &record.wo_end_date,
          &record.fromdate, &record.todate}) {
        *field = std::string(TrimSpaces(*field));
    }
    return record;
}

BarRecord SentinelRecord() {
    BarRecord record;
    record.work_order_no = "\x01unset";
    record.rsscheduleno = -7;
    record.todate = "\x01unset";
    record.timeindays1 = -7;
    return record;
}

void CheckRecord(const std::string& text) {
    BarRecord record = SentinelRecord();
    try {
        DisassembleBarRecordText(text, record);
    } catch (const AutomationError& error) {
        FUZZ_CHECK(IsSplitError(error));
        return;
    }
    // An empty text or one without "$" changes nothing.
    if (text.find('$') == std::string::npos) {
        FUZZ_CHECK(record == SentinelRecord());
        return;
    }

    std::string assembled = "\x01unset";
    try {
        AssembleBarRecordText(assembled, record);
    } catch (const AutomationError& error) {
        FUZZ_CHECK(error.Number() == kBarKeyBlankErrorNumber &&
                   TrimSpaces(record.work_order_no).empty() && assembled == "\x01unset");
        return;
    }
    FUZZ_CHECK(CountRecordSeparators(assembled) == 17);
    BarRecord again;
    try {
        DisassembleBarRecordText(assembled, again);
    } catch (const AutomationError&) {
        FUZZ_CHECK(false);
    }
    FUZZ_CHECK(again == Assembled(record));

    // The assembled text is the record's one form: assembling again gives it back.
    std::string reassembled;
    AssembleBarRecordText(reassembled, again);
    FUZZ_CHECK(reassembled == assembled);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Tessaro_Ctrl control;
    const std::string text(AsText(data, size));
    CheckKey(control, text);
    CheckRecord(text);
    return 0;
}
