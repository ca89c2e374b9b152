#pragma once

// The control's own texts in the planner's language. The control speaks English until the host
// installs a translation; what it hands the host (change documents, error texts) stays English.

#include <QLocale>

#include <tessaro/qt/export.hpp>

namespace tessaro {

// Installs the control's translation for the locale's language into the application, in place
// of one installed before, and answers whether the control now speaks that language: English,
// its own, needs no translation; a language it has none for leaves it English and answers false,
// as does a call without a QCoreApplication. Qt's own texts (a dialog's buttons) come with Qt's
// qtbase translation, which the host installs as for any Qt application.
TESSARO_QT_EXPORT bool InstallTranslation(const QLocale& locale);

}  // namespace tessaro
