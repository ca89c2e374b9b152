#include "loading/payload_table.hpp"

namespace tessaro {

namespace {

PayloadColumns ColumnsOf(std::span<const FixedColumn> columns) {
    return columns.empty() ? PayloadColumns::OfFirstRecord : PayloadColumns::OfTable;
}

}  // namespace

PayloadTable KeepAndReadPayload(TextStore& store, std::string_view text,
                                std::span<const FixedColumn> columns) {
    store.SetText(text);
    PayloadTable payload;
    AddFixedColumns(payload.Table, columns);
    payload.Records = ReadPayloadDocument(payload.Table, store.View(), ColumnsOf(columns));
    return payload;
}

PayloadTable KeepAndScanPayload(TextStore& store, std::string_view text,
                                std::span<const FixedColumn> columns) {
    store.SetText(text);
    PayloadTable payload;
    AddFixedColumns(payload.Table, columns);
    PayloadValues values = ReadPayloadTable(payload.Table, store.View(), ColumnsOf(columns));
    payload.Records = std::move(values.Records);
    payload.Decoded = std::move(values.Decoded);
    payload.TextsNeedNoEscape = values.TextsNeedNoEscape;
    return payload;
}

}  // namespace tessaro
