#include "bars/bar_record_codec.hpp"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <iterator>

#include <tessaro/runtime/automation_error.hpp>
#include "runtime/ascii.hpp"
#include "runtime/conversions.hpp"

#include "bars/field_splitter.hpp"

namespace tessaro {

namespace {

// Eighteen fields.
constexpr std::size_t kRecordSeparators = 17;

// Copies a field without a call for the sizes fields have: a load copies a dozen short fields a
// bar, and calling memcpy for each costs more than the copy. Two moves that overlap cover every
// size from a word to twice a word; neither reads or writes outside the field.
template <typename Word>
inline void CopyOverlapping(char* to, const char* from, std::size_t size) {
    Word head;
    Word tail;
    std::memcpy(&head, from, sizeof head);
    std::memcpy(&tail, from + size - sizeof tail, sizeof tail);
    std::memcpy(to, &head, sizeof head);
    std::memcpy(to + size - sizeof tail, &tail, sizeof tail);
}

inline void CopyShort(char* to, const char* from, std::size_t size) {
    if (size >= 8) {
        if (size <= 16) {
            CopyOverlapping<uint64_t>(to, from, size);
        } else {
            std::memcpy(to, from, size);
        }
    } else if (size >= 4) {
        CopyOverlapping<uint32_t>(to, from, size);
    } else if (size > 0) {
        to[0] = from[0];
        to[size / 2] = from[size / 2];
        to[size - 1] = from[size - 1];
    }
}

// TrimSpaces, without its searches for the fields that need none: a load trims a dozen fields a
// record, nearly all of which start and end with no space.
inline std::string_view Trimmed(std::string_view text) {
    return !text.empty() && text.front() != ' ' && text.back() != ' ' ? text : TrimSpaces(text);
}

// The record is written through a pointer into text sized for the longest record its fields can
// make (every byte escaped, every number at its longest) and cut to length at the end: a load
// writes a hundred thousand records, and appending field by field checks the capacity each time.
class RecordWriter {
public:
    RecordWriter(std::string& text, std::size_t longest) : text_(text) {
        text_.resize(longest);
        at_ = text_.data();
    }
    ~RecordWriter() { text_.resize(static_cast<std::size_t>(at_ - text_.data())); }
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    void Number(int32_t value) {
        // Most record numbers are small (minutes, codes, schedule numbers): those are written
        // digit by digit without the general conversion's set-up.
        if (value >= 0 && value < 10000) {
            const auto v = static_cast<uint32_t>(value);
            const int digits = v < 10 ? 1 : v < 100 ? 2 : v < 1000 ? 3 : 4;
            char* last = at_ + digits - 1;
            switch (digits) {
                case 4:
                    last[-3] = static_cast<char>('0' + v / 1000);
                    [[fallthrough]];
                case 3:
                    last[-2] = static_cast<char>('0' + v / 100 % 10);
                    [[fallthrough]];
                case 2:
                    last[-1] = static_cast<char>('0' + v / 10 % 10);
                    [[fallthrough]];
                default:
                    *last = static_cast<char>('0' + v % 10);
            }
            at_ += digits;
            return;
        }
        at_ = std::to_chars(at_, at_ + kLongestNumber, value).ptr;
    }
    void Text(std::string_view value) { at_ = WriteEscapedField(at_, value); }
    void PlainText(std::string_view value) {
        CopyShort(at_, value.data(), value.size());
        at_ += value.size();
    }
    void Separator() { *at_++ = '$'; }

    static constexpr std::size_t kLongestNumber = 11;  // "-2147483648"

private:
    std::string& text_;
    char* at_;
};

}  // namespace

template <typename Text>
void AssembleBarRecordText(std::string& recordText, const BarRecordOf<Text>& record,
                           bool textsNeedNoEscape) {
    const std::string_view number = Trimmed(record.work_order_no);
    if (number.empty()) {
        throw BarKeyBlankError();
    }
    const std::string_view texts[] = {Trimmed(record.item_code),     Trimmed(record.sdesc3),
                                      Trimmed(record.sdesc4),        Trimmed(record.flag),
                                      Trimmed(record.ReqdDate),      Trimmed(record.schdate),
                                      Trimmed(record.wo_start_date), Trimmed(record.wo_end_date),
                                      Trimmed(record.fromdate),      Trimmed(record.todate)};
    const std::string_view status = record.status;
    // Six numbers and seventeen separators besides the texts, each of which may double.
    const std::size_t growth = textsNeedNoEscape ? 1 : 2;
    std::size_t longest =
        growth * (number.size() + status.size()) + 6 * RecordWriter::kLongestNumber + 17;
    for (const std::string_view text : texts) {
        longest += growth * text.size();
    }
    // The caller's text is reused, so a load writing a record a bar allocates none of its own.
    RecordWriter out(recordText, longest);
    const auto write = [&](std::string_view text) {
        if (textsNeedNoEscape) {
            out.PlainText(text);
        } else {
            out.Text(text);
        }
    };
    write(number);
    out.Separator();
    out.Number(record.rsscheduleno);
    out.Separator();
    write(status);
    out.Separator();
    for (const int32_t value : {int32_t{record.StartMinute}, int32_t{record.EndMinute}}) {
        out.Number(value);
        out.Separator();
    }
    for (const std::string_view text : texts) {
        write(text);
        out.Separator();
    }
    for (const int32_t value :
         {int32_t{record.subactivity_code_mul}, int32_t{record.activitytimetype}}) {
        out.Number(value);
        out.Separator();
    }
    out.Number(record.timeindays1);
}

template void AssembleBarRecordText(std::string&, const BarRecord&, bool);
template void AssembleBarRecordText(std::string&, const BarRecordView&, bool);

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
