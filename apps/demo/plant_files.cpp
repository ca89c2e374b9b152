#include "plant_files.hpp"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace tessaro::demo {

PlantFiles FilesIn(const QString& folder) {
    const QDir dir(folder);
    return {dir.filePath(QStringLiteral("header.xml")),
            dir.filePath(QStringLiteral("resources.xml")),
            dir.filePath(QStringLiteral("calendars.xml")),
            dir.filePath(QStringLiteral("workorders.xml"))};
}

std::optional<std::string> ReadWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll().toStdString();
}

bool WriteWholeFile(const QString& path, const std::string& content) {
    // A save that fails half-way leaves the earlier document whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const auto size = static_cast<qint64>(content.size());
    return file.write(content.data(), size) == size && file.commit();
}

}  // namespace tessaro::demo
