#include <limits>
#include <string>
#include <vector>

#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/automation_error.hpp>

#include "loading/field_reading.hpp"
#include "loading/payload_reader.hpp"

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

void Tessaro_Ctrl::LoadResource(std::string_view Resxml) {
    PrepareResourceList(ctResSched_);
    Box1_.SetText(Resxml);

    PayloadRecords payload = ReadPayloadRecords(Box1_.Text());
    RecordTable table;
    AddColumnsOfElement(table, payload.Elements.front());
    ReadRecords(table, payload.Elements);

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
        text += ';';
        text += FieldText(table.Field(shortdesc));
        rowTexts.push_back(std::move(text));
    }

    ctResSched_.ClearRows();
    AfterLoad(LoadKind::Rows);
    for (std::string& text : rowTexts) {
        ctResSched_.AddRow(std::move(text));
    }
    ResourceDocument_ = std::move(payload.Document);
}

}  // namespace tessaro
