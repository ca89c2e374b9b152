#pragma once

// The four payload files of a plant and reading and writing whole files.

#include <optional>
#include <string>

#include <QString>

namespace tessaro::demo {

// The four payloads of a plant, in the order the control loads them.
struct PlantFiles {
    QString header;
    QString resources;
    QString calendars;
    QString workOrders;
};

// The files a plant folder holds under their usual names; whether they exist is not checked.
PlantFiles FilesIn(const QString& folder);

// nullopt when the file cannot be opened.
std::optional<std::string> ReadWholeFile(const QString& path);

// Replaces the file's content; false when it cannot be written.
bool WriteWholeFile(const QString& path, const std::string& content);

}  // namespace tessaro::demo
