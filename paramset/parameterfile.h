#pragma once

#include "session/parameterset.h"

#include <QByteArray>
#include <QString>

#include <optional>

struct Session;

// The parameter-set file is the record's byte image and nothing else: the members in order, fixed
// texts as their bytes, variable texts as a 16-bit little-endian byte count and their bytes,
// numbers little-endian, no header, padding or checksum. A blank record is kParameterFileBlankSize
// zero bytes; every byte of the 31 variable texts adds one.
inline constexpr int kParameterFileBlankSize = 6548;

QByteArray encodeParameterSet(const ParameterSet& record);

// The record a file holds, or nothing when the bytes end before the record does (a count that runs
// past the end included). Bytes after the record are ignored.
std::optional<ParameterSet> decodeParameterSet(const QByteArray& bytes);

// A full file path split into its folder (up to and including the last "\" or "/" at or after the
// second character; the first character when there is none) and the name after it.
struct FilePathParts {
    QString folder;
    QString name;
};
FilePathParts splitFilePath(const QString& path);

// Sets AppFolder and ParamFileName from a full path, as splitFilePath splits it.
void DosyaDizin(Session& session, const QString& path);
