#include <limits>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include <tessaro/runtime/automation_error.hpp>

#include "loading/field_reading.hpp"
#include "loading/loading_session.hpp"
#include "loading/payload_table.hpp"

namespace tessaro {

namespace {

// The row settings the resource list needs, written before the payload is read.
void PrepareResourceList(ScheduleChart& chart) {
    chart.SetSettingFlag(120, true);
    chart.SetSetting(13, 2);
    chart.SetSetting(11, 2);
    Font font = chart.ListFont();
    font.Size = 12;
    font.Bold = true;
    chart.SetListFont(font);
}

}  // namespace

void LoadingSession::LoadResource(std::string_view payloadText) {
    PrepareResourceList(chart_);
    PayloadTable payload = KeepAndReadPayload(stores_.Resources, payloadText);
    RecordTable& table = payload.Table;

    // Every row text is built before the old rows go, so a resource that fails leaves the chart
    // as it was.
    if (table.RecordCount() > static_cast<std::size_t>(std::numeric_limits<int16_t>::max())) {
        RaiseRuntimeError(RuntimeError::Overflow,
                          "The chart holds at most 32767 resources; the payload has " +
                              std::to_string(table.RecordCount()) + ".");
    }
    const int32_t resno = table.ColumnIndex("resno");
    const int32_t shortdesc = table.ColumnIndex("shortdesc");
    std::vector<std::string> rowTexts;
    rowTexts.reserve(table.RecordCount());
    for (table.MoveFirst(); !table.Eof(); table.MoveNext()) {
        std::string text(FieldText(table.Field(resno)));
        // The row's columns are split at ";": a resource number holding one would be read back
        // as a shorter number, and its work orders and calendars would find no row.
        if (text.find(';') != std::string::npos) {
            RaiseRuntimeError(RuntimeError::InvalidProcedureCall,
                              "Resource \"" + text.substr(0, 60) +
                                  "\" holds a \";\", which separates a row's columns.");
        }
        text += ';';
        text += FieldText(table.Field(shortdesc));
        rowTexts.push_back(std::move(text));
    }

    chart_.ClearRows();
    afterLoad_(LoadKind::Rows);
    chart_.AddRows(std::move(rowTexts));
    resourcePayload_ = std::move(payload.Records);
}

}  // namespace tessaro
