#include "loading/payload_table.hpp"

namespace tessaro {

PayloadTable KeepAndReadPayload(TextStore& store, std::string_view text,
                                std::span<const FixedColumn> columns) {
    store.SetText(text);
    PayloadTable payload;
    payload.Records = ReadPayloadRecords(store.Text());
    if (columns.empty()) {
        AddColumnsOfElement(payload.Table, payload.Records.Elements.front());
    } else {
        AddFixedColumns(payload.Table, columns);
    }
    ReadRecords(payload.Table, payload.Records.Elements);
    return payload;
}

PayloadTable KeepAndScanPayload(TextStore& store, std::string_view text,
                                std::span<const FixedColumn> columns) {
    store.SetText(text);
    PayloadTable payload;
    AddFixedColumns(payload.Table, columns);
    PayloadValues values =
        ReadPayloadTable(payload.Table, store.Text(),
                         columns.empty() ? PayloadColumns::OfFirstRecord : PayloadColumns::OfTable);
    payload.Records = std::move(values.Records);
    payload.Decoded = std::move(values.Decoded);
    return payload;
}

}  // namespace tessaro
