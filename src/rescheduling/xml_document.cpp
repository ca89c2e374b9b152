#include <tessaro/rescheduling/xml_document.hpp>

#include <sstream>

#include <pugixml.hpp>

namespace tessaro {

XmlDocument::XmlDocument() : document_(std::make_shared<pugi::xml_document>()) {}

pugi::xml_document& XmlDocument::Dom() {
    return *document_;
}

const pugi::xml_document& XmlDocument::Dom() const {
    return *document_;
}

std::string XmlDocument::Xml() const {
    std::ostringstream text;
    document_->save(text, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return text.str();
}

}  // namespace tessaro
