#pragma once

#include <QDir>
#include <QFile>
#include <QString>

// A program folder for a whole-program test: the shipped language files under "LANGUAGE" and the
// three definition files, copied from the source tree.
inline bool makeProgramFolder(const QString& folder) {
    const QString src = QStringLiteral(VELMORA_SOURCE_DIR);
    QDir().mkpath(folder + QStringLiteral("/LANGUAGE"));
    bool ok = true;
    const QDir lang(src + QStringLiteral("/LANGUAGE"));
    for (const QString& f : lang.entryList({QStringLiteral("*.txt")}, QDir::Files)) {
        QFile::remove(folder + QStringLiteral("/LANGUAGE/") + f);
        ok &= QFile::copy(lang.filePath(f), folder + QStringLiteral("/LANGUAGE/") + f);
    }
    for (const char* f : {"Normal.txt", "SGMetrolojik.txt", "MTMetrolojik.txt"}) {
        const QString to = folder + QLatin1Char('/') + QLatin1String(f);
        QFile::remove(to);
        ok &= QFile::copy(src + QStringLiteral("/definitions/") + QLatin1String(f), to);
    }
    return ok;
}
