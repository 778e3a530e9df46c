#include "app/languagefile.h"

#include "platform/cp1254.h"

#include <QFile>
#include <QFileInfo>

std::optional<QString> LanguageLines::line(int n) const {
    if (!reaches(n))
        return std::nullopt;
    return lines[n - 1];
}

LanguageLines parseLanguageBytes(const QByteArray& bytes) {
    LanguageLines result;
    result.status = LanguageLines::Status::Loaded;
    const QString text = cp1254::decode(bytes);

    QString current;
    bool pendingLine = false; // characters seen since the last line end
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r')) {
            current.append(c);
            pendingLine = true;
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        if (result.lines.size() == MessageTables::kLastLine) {
            result.extraLinesIgnored = true;
            return result;
        }
        result.lines.append(current);
        current.clear();
        pendingLine = false;
    }
    if (pendingLine) {
        if (result.lines.size() == MessageTables::kLastLine)
            result.extraLinesIgnored = true;
        else
            result.lines.append(current);
    }
    return result;
}

LanguageLines readLanguageFile(const QString& path) {
    LanguageLines unreadable;
    if (!QFileInfo(path).isFile())
        return unreadable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return unreadable;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return unreadable;
    return parseLanguageBytes(bytes);
}

QString languageFolder(const QString& programFolder) {
    QString folder = programFolder;
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\')))
        folder += QLatin1Char('/');
    return folder + QStringLiteral("LANGUAGE/");
}

QString languageFilePath(const QString& programFolder, const QString& fileName) {
    return languageFolder(programFolder) + fileName;
}

namespace {

void fillTable(const LanguageLines& file, const MessageTables::Range& range, QVector<QString>& table) {
    for (int n = range.firstLine; n <= range.lastLine; ++n) {
        const int k = n - range.firstLine;
        if (k >= table.size() || !file.reaches(n))
            return; // lines are reached in order, so nothing further is either
        table[k] = file.lines[n - 1];
    }
}

} // namespace

void applyToMessageTables(const LanguageLines& file, MessageTables& tables) {
    if (!file.loaded())
        return;
    fillTable(file, MessageTables::kGridHeadText, tables.GridHeadText);
    fillTable(file, MessageTables::kGridText, tables.GridText);
    fillTable(file, MessageTables::kCfgText, tables.CfgText);
    fillTable(file, MessageTables::kStatusText, tables.StatusText);
    fillTable(file, MessageTables::kStepText, tables.StepText);
    fillTable(file, MessageTables::kSpareText, tables.SpareText);
    fillTable(file, MessageTables::kNoticeText, tables.NoticeText);
    fillTable(file, MessageTables::kWriteText, tables.WriteText);
    fillTable(file, MessageTables::kErrorText, tables.ErrorText);
    fillTable(file, MessageTables::kDayNames, tables.DayNames);
    fillTable(file, MessageTables::kMsgText, tables.MsgText);
    fillTable(file, MessageTables::kCalibText, tables.CalibText);
    fillTable(file, MessageTables::kModelText, tables.ModelText);
    fillTable(file, MessageTables::kExtraText, tables.ExtraText);
    if (const auto title = file.line(MessageTables::kClearBoxTitleLine))
        tables.ClearBoxTitle = *title;
}

QString chooseLanguageFile(const QString& chosen, const QString& current, const QString& folder) {
    // The panel lists the files of the language folder; anything that would lead out of it is not
    // one of them.
    if (chosen.isEmpty() || chosen.contains(QLatin1Char('/')) || chosen.contains(QLatin1Char('\\')) ||
        chosen == QLatin1String(".") || chosen == QLatin1String(".."))
        return current;
    QString dir = folder;
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/')) && !dir.endsWith(QLatin1Char('\\')))
        dir += QLatin1Char('/');
    const QString path = dir + chosen;
    if (!QFileInfo(path).isFile())
        return current;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return current;
    char first;
    if (file.read(&first, 1) != 1) // empty (or unreadable) file
        return current;
    return chosen;
}
