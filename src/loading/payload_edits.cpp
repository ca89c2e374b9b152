#include "loading/payload_edits.hpp"

#include <sstream>

#include <pugixml.hpp>

#include <tessaro/runtime/automation_error.hpp>
#include "runtime/conversions.hpp"

namespace tessaro {

namespace {

pugi::xml_document Parsed(std::string_view text) {
    pugi::xml_document document;
    if (!document.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8) ||
        !document.document_element()) {
        RaiseRuntimeError(RuntimeError::InvalidProcedureCall);
    }
    return document;
}

std::string Text(const pugi::xml_document& document) {
    std::ostringstream text;
    document.save(text, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return text.str();
}

bool OfActivity(const pugi::xml_node& record, std::string_view workOrder, int32_t activity) {
    if (record.attribute("work_order_no").value() != workOrder) {
        return false;
    }
    try {
        return TextToInt32(record.attribute("rsscheduleno").value()) == activity;
    } catch (const AutomationError&) {
        return false;
    }
}

}  // namespace

std::string WithRecordsAdded(std::string_view kept, std::string_view added) {
    if (kept.find_first_not_of(" \t\r\n") == std::string_view::npos) {
        return std::string(added);
    }
    pugi::xml_document document = Parsed(kept);
    const pugi::xml_document more = Parsed(added);
    pugi::xml_node root = document.document_element();
    for (const pugi::xml_node record : more.document_element().children()) {
        root.append_copy(record);
    }
    return Text(document);
}

std::string WithoutActivity(std::string_view kept, std::string_view workOrder, int32_t activity) {
    if (kept.find_first_not_of(" \t\r\n") == std::string_view::npos) {
        return std::string(kept);
    }
    pugi::xml_document document = Parsed(kept);
    pugi::xml_node root = document.document_element();
    for (pugi::xml_node record = root.first_child(); record;) {
        const pugi::xml_node next = record.next_sibling();
        if (OfActivity(record, workOrder, activity)) {
            root.remove_child(record);
        }
        record = next;
    }
    return Text(document);
}

}  // namespace tessaro
