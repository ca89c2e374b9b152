#include <tessaro/rescheduling/xml_document.hpp>

#include <sstream>

namespace tessaro {

XmlDocument::XmlDocument() : document_(std::make_shared<pugi::xml_document>()) {}

std::string XmlDocument::Xml() const {
    std::ostringstream text;
    document_->save(text, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return text.str();
}

}  // namespace tessaro
