#include "calibration/definitions.h"

#include "platform/basic.h"
#include "platform/cp1254.h"

#include <QFile>

#include <cmath>

double definitionRowOfLine(const QString& line) {
    return basic::Val(line);
}

bool parseDefinitionLine(DefinitionTable& table, QStringView line, double row) {
    int column = 0;
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = line.indexOf(u';', start);
        if (end < 0)
            return true; // no closing ";": the rest is not a field
        const QStringView field = line.mid(start, end - start);
        start = end + 1;
        if (field.isEmpty())
            continue;
        // Checked as each field is stored, so a line without fields never fails.
        if (!std::isfinite(row))
            return false;
        const double r = basic::roundHalfEven(row);
        if (r < 0 || r >= DefinitionRowCount || column >= DefinitionColumnCount)
            return false;
        QString text = field.toString();
        if (!text.endsWith(QLatin1String("Kg"), Qt::CaseSensitive))
            text += QLatin1String(" Kg");
        table[static_cast<std::size_t>(r)][static_cast<std::size_t>(column)] = text;
        ++column;
    }
}

bool ParseDefinitionLine(Session& s, QStringView line, double row, QStringView mode) {
    if (mode == u"M1")
        return parseDefinitionLine(s.DefinitionTableM1, line, row);
    if (mode == u"M2")
        return parseDefinitionLine(s.DefinitionTableM2, line, row);
    if (mode == u"N")
        return parseDefinitionLine(s.DefinitionTableN, line, row);
    return true;
}

bool loadDefinitionFile(DefinitionTable& table, const QString& path, const DefinitionLinePump& betweenLines) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Read whole and closed at once, so handlers that run between lines never meet an open file.
    const QString text = cp1254::decode(file.readAll());
    file.close();

    qsizetype pos = 0;
    while (pos < text.size()) {
        if (betweenLines)
            betweenLines();
        qsizetype end = pos;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QString line = text.mid(pos, end - pos);
        pos = end;
        if (pos < text.size() && text[pos] == u'\r')
            ++pos;
        if (pos < text.size() && text[pos] == u'\n')
            ++pos;
        if (!parseDefinitionLine(table, line, definitionRowOfLine(line)))
            break;
    }
    return true;
}

bool LoadSGDefinitions(Session& s, const DefinitionLinePump& betweenLines) {
    return loadDefinitionFile(s.DefinitionTableM1, s.AppFolder + SGDefinitionFileName, betweenLines);
}

bool LoadMTDefinitions(Session& s, const DefinitionLinePump& betweenLines) {
    return loadDefinitionFile(s.DefinitionTableM2, s.AppFolder + MTDefinitionFileName, betweenLines);
}

bool LoadNormalDefinitions(Session& s, const DefinitionLinePump& betweenLines) {
    return loadDefinitionFile(s.DefinitionTableN, s.AppFolder + NormalDefinitionFileName, betweenLines);
}
