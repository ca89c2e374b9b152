#include <tessaro/qt/translation.hpp>

#include <memory>

#include <QCoreApplication>
#include <QPointer>
#include <QTranslator>

namespace tessaro {
namespace {

// The translation the control installed last. The application owns it, so a translator never
// outlives the application it is installed in.
QPointer<QTranslator>& Installed() {
    static QPointer<QTranslator> installed;
    return installed;
}

}  // namespace

bool InstallTranslation(const QLocale& locale) {
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr) {
        return false;
    }
    if (QPointer<QTranslator>& previous = Installed(); previous != nullptr) {
        QCoreApplication::removeTranslator(previous);
        delete previous;
    }
    if (locale.language() == QLocale::English || locale.language() == QLocale::C) {
        return true;
    }
    // The translations are embedded in the library, one per language (:/i18n/tessaro_de.qm).
    auto translator = std::make_unique<QTranslator>(application);
    if (!translator->load(locale, QStringLiteral("tessaro"), QStringLiteral("_"),
                          QStringLiteral(":/i18n"))) {
        return false;
    }
    QCoreApplication::installTranslator(translator.get());
    Installed() = translator.release();
    return true;
}

}  // namespace tessaro
