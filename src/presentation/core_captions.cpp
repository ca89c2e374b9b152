#include "core_captions.hpp"

#include <QCoreApplication>

namespace tessaro::qt_detail {
namespace {

// The core's texts as it writes them, misspellings included: they are the look-up keys. lupdate
// reads them from here into the translation files.
constexpr const char* kCaptions[] = {
    // Toolbar buttons.
    QT_TRANSLATE_NOOP("Tessaro", "Hide Mutliline"),
    QT_TRANSLATE_NOOP("Tessaro", "Show Mutliline"),
    QT_TRANSLATE_NOOP("Tessaro", "Zoom In"),
    QT_TRANSLATE_NOOP("Tessaro", "Zoom out"),
    // The two pop-up menus and their entries.
    QT_TRANSLATE_NOOP("Tessaro", "Scheduler"),
    QT_TRANSLATE_NOOP("Tessaro", "Drag"),
    QT_TRANSLATE_NOOP("Tessaro", "Copy"),
    QT_TRANSLATE_NOOP("Tessaro", "Refresh"),
    QT_TRANSLATE_NOOP("Tessaro", "Pack"),
    QT_TRANSLATE_NOOP("Tessaro", "Paste Forward schedule"),
    QT_TRANSLATE_NOOP("Tessaro", "Paste Backward schedule"),
    QT_TRANSLATE_NOOP("Tessaro", "Paste Forward finite schedule"),
    QT_TRANSLATE_NOOP("Tessaro", "Paste Backward finite schedule"),
    QT_TRANSLATE_NOOP("Tessaro", "Ignore"),
    // The surface's labels, the detail frame's and the colour legend's.
    QT_TRANSLATE_NOOP("Tessaro", "Schedule Chart "),
    QT_TRANSLATE_NOOP("Tessaro", "WO No."),
    QT_TRANSLATE_NOOP("Tessaro", "Item No."),
    QT_TRANSLATE_NOOP("Tessaro", "Start Dt"),
    QT_TRANSLATE_NOOP("Tessaro", "Req. Dt"),
    QT_TRANSLATE_NOOP("Tessaro", "WOActivity"),
    QT_TRANSLATE_NOOP("Tessaro", "SO No."),
    QT_TRANSLATE_NOOP("Tessaro", "Cust. Name"),
    QT_TRANSLATE_NOOP("Tessaro", "End Dt"),
    QT_TRANSLATE_NOOP("Tessaro", "Prom. Dt"),
    QT_TRANSLATE_NOOP("Tessaro", "Request"),
    QT_TRANSLATE_NOOP("Tessaro", "Accepted"),
    QT_TRANSLATE_NOOP("Tessaro", "Firmed"),
    QT_TRANSLATE_NOOP("Tessaro", "Released"),
    // The work-order grid's column titles the labels above do not have.
    QT_TRANSLATE_NOOP("Tessaro", "Wo No."),
    QT_TRANSLATE_NOOP("Tessaro", "Status"),
    QT_TRANSLATE_NOOP("Tessaro", "Item"),
    QT_TRANSLATE_NOOP("Tessaro", "Start Date"),
    QT_TRANSLATE_NOOP("Tessaro", "Start Time"),
    QT_TRANSLATE_NOOP("Tessaro", "End Date"),
    QT_TRANSLATE_NOOP("Tessaro", "End Time"),
    QT_TRANSLATE_NOOP("Tessaro", "PP Pos."),
    QT_TRANSLATE_NOOP("Tessaro", "Duration"),
    // The chart's list title and the time header's names, the control's and the chart's own.
    QT_TRANSLATE_NOOP("Tessaro", "Resources"),
    QT_TRANSLATE_NOOP("Tessaro", "Sun;Mon;Tue;Wed;Thu;Fri;Sat;"),
    QT_TRANSLATE_NOOP("Tessaro", "Sunday;Monday;Tuesday;Wednesday;Thursday;Friday;Saturday"),
    QT_TRANSLATE_NOOP("Tessaro",
                      "January,February,March,April,May,June,July,August,September,"
                      "October,November,December"),
};

}  // namespace

QString CoreCaption(const std::string& text) {
    return QCoreApplication::translate("Tessaro", text.c_str());
}

QString ToolbarCaption(const std::string& text) {
    const QString translated = CoreCaption(text);
    if (translated != QString::fromStdString(text)) {
        return translated;
    }
    if (text == "Hide Mutliline") {
        return QCoreApplication::translate("tessaro::ToolbarCaption", "Hide work-order list");
    }
    if (text == "Show Mutliline") {
        return QCoreApplication::translate("tessaro::ToolbarCaption", "Show work-order list");
    }
    return translated;
}

std::string CoreNames(const std::string& names) {
    return CoreCaption(names).toStdString();
}

std::span<const char* const> CoreCaptions() {
    return kCaptions;
}

}  // namespace tessaro::qt_detail
