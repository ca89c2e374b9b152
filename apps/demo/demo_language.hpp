#pragma once

// The language the demo speaks: the one --lang names, else the locale's (LANG=de_DE.UTF-8).

#include <optional>
#include <string>

namespace tessaro::demo {

// Installs the control's translation for the language and Qt's own (qtbase, for the dialogs'
// buttons) where Qt ships one; a language named here is also the one dates are written in.
// False when the control has no translation for it: the demo stays English then.
bool UseLanguage(const std::optional<std::string>& language);

}  // namespace tessaro::demo
