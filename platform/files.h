#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Reads a whole file; nothing when it cannot be opened or read.
std::optional<QByteArray> readWholeFile(const QString& path);
// Writes a whole file through a temporary file that replaces it only when complete: an existing
// file is either the old one or the whole new one, never a cut one.
bool writeWholeFile(const QString& path, const QByteArray& bytes);
