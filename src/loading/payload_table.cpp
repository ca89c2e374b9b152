#include "loading/payload_table.hpp"

namespace tessaro {

PayloadTable KeepAndReadPayload(TextStore& store, std::string_view text,
                                std::span<const FixedColumn> columns) {
    store.SetText(text);
    PayloadTable payload{ReadPayloadRecords(store.Text()), RecordTable()};
    if (columns.empty()) {
        AddColumnsOfElement(payload.Table, payload.Records.Elements.front());
    } else {
        AddFixedColumns(payload.Table, columns);
    }
    ReadRecords(payload.Table, payload.Records.Elements);
    return payload;
}

}  // namespace tessaro
