#pragma once

#include <memory>
#include <string>

#include <tessaro/export.hpp>

// A host that reads the document through Dom() includes <pugixml.hpp> itself; Xml() needs none.
namespace pugi {
class xml_document;
}  // namespace pugi

namespace tessaro {

// An XML document the control hands to its host. Copies share one document, so the host may keep
// it while the control goes on.
class TESSARO_EXPORT XmlDocument {
public:
    // An empty document.
    XmlDocument();

    // The serialised document: no declaration and no white space between elements; the empty
    // document gives "".
    std::string Xml() const;

    pugi::xml_document& Dom();
    const pugi::xml_document& Dom() const;

private:
    std::shared_ptr<pugi::xml_document> document_;
};

}  // namespace tessaro
