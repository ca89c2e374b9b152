#include "bars/bar_record_codec.hpp"

#include <tessaro/runtime/automation_error.hpp>
#include "runtime/ascii.hpp"
#include "runtime/conversions.hpp"

#include "bars/field_splitter.hpp"

namespace tessaro {

namespace {

// Eighteen fields.
constexpr std::size_t kRecordSeparators = 17;

void AppendNumber(std::string& text, int32_t value) {
    text += std::to_string(value);
    text += '$';
}

void AppendText(std::string& text, std::string_view value) {
    AppendEscapedField(text, value);
    text += '$';
}

}  // namespace

template <typename Text>
void AssembleBarRecordText(std::string& recordText, const BarRecordOf<Text>& record) {
    const std::string_view number = TrimSpaces(record.work_order_no);
    if (number.empty()) {
        throw BarKeyBlankError();
    }
    std::string text;
    text.reserve(160);
    AppendText(text, number);
    AppendNumber(text, record.rsscheduleno);
    AppendText(text, record.status);
    AppendNumber(text, record.StartMinute);
    AppendNumber(text, record.EndMinute);
    for (const Text* field : {&record.item_code, &record.sdesc3, &record.sdesc4, &record.flag,
                              &record.ReqdDate, &record.schdate, &record.wo_start_date,
                              &record.wo_end_date, &record.fromdate, &record.todate}) {
        AppendText(text, TrimSpaces(*field));
    }
    AppendNumber(text, record.subactivity_code_mul);
    AppendNumber(text, record.activitytimetype);
    text += std::to_string(record.timeindays1);
    recordText = std::move(text);
}

template void AssembleBarRecordText(std::string&, const BarRecord&);
template void AssembleBarRecordText(std::string&, const BarRecordView&);

void DisassembleBarRecordText(std::string_view recordText, BarRecord& record) {
    FieldSplitter fields(recordText, FieldSplitter::Escapes::Backslash);
    if (recordText.empty() || !fields.HasSeparator()) {
        return;
    }
    record.work_order_no = UnescapedField(fields.Next());
    record.rsscheduleno = TextToInt32(fields.Next());
    record.status = UnescapedField(fields.Next());
    record.StartMinute = TextToInt16(fields.Next());
    record.EndMinute = TextToInt16(fields.Next());
    for (std::string* field : {&record.item_code, &record.sdesc3, &record.sdesc4, &record.flag,
                               &record.ReqdDate, &record.schdate, &record.wo_start_date,
                               &record.wo_end_date, &record.fromdate, &record.todate}) {
        *field = UnescapedField(fields.Next());
    }
    record.subactivity_code_mul = TextToInt16(fields.Next());
    record.activitytimetype = TextToInt16(fields.Next());
    record.timeindays1 = TextToInt32(fields.Last());
}

bool HasBarRecordFields(std::string_view recordText) {
    return FieldSplitter(recordText, FieldSplitter::Escapes::Backslash).SeparatorsLeft() ==
           kRecordSeparators;
}

bool ReadBarRecordActivity(std::string_view recordText, std::string& workOrder,
                           int32_t& scheduleNumber) {
    if (!HasBarRecordFields(recordText)) {
        return false;
    }
    FieldSplitter fields(recordText, FieldSplitter::Escapes::Backslash);
    const std::string_view rawWorkOrder = fields.Next();
    // An escape is never a space: the raw field is blank exactly when the unescaped one is.
    if (TrimSpaces(rawWorkOrder).empty()) {
        return false;
    }
    const std::string_view rawNumber = fields.Next();
    int32_t number = 0;
    try {
        number = TextToInt32(rawNumber);
    } catch (const AutomationError&) {
        return false;
    }
    workOrder = UnescapedField(rawWorkOrder);
    scheduleNumber = number;
    return true;
}

}  // namespace tessaro
