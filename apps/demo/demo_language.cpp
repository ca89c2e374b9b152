#include "demo_language.hpp"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <tessaro/qt/translation.hpp>

namespace tessaro::demo {

bool UseLanguage(const std::optional<std::string>& language) {
    if (language) {
        QLocale::setDefault(QLocale(QString::fromStdString(*language)));
    }
    const QLocale locale;
    auto* qtbase = new QTranslator(QCoreApplication::instance());
    if (qtbase->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qtbase);
    } else {
        delete qtbase;
    }
    return InstallTranslation(locale);
}

}  // namespace tessaro::demo
