#include "platform/files.h"

#include <QFile>
#include <QSaveFile>

std::optional<QByteArray> readWholeFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool writeWholeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile f(path);
    // Unbuffered, so that a write that fails (a full disk) is seen here: a buffered one would fail
    // only in commit's flush, which then still puts the cut file in place of the old one.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}
