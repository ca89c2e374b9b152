#pragma once

#include <string>

#include <tessaro/components/item_list.hpp>
#include <tessaro/export.hpp>

namespace tessaro {

// A list of strings with an edit text; selecting an item copies it into the text.
class TESSARO_EXPORT ComboBox : public ItemList {
public:
    // Empty at start; removing or clearing items leaves it as it is.
    const std::string& Text() const { return text_; }
    // Free text: it selects no item, even one that matches.
    void SetText(std::string text);

protected:
    bool ListIndexSet() override;

private:
    std::string text_;
};

}  // namespace tessaro
