#include "calibration/definitions.h"

#include "platform/basic.h"
#include "platform/cp1254.h"

#include <QFile>

#include <cmath>

double definitionRowOfLine(const QString& line) {
    return basic::Val(line);
}

void parseDefinitionLine(DefinitionTable& table, QStringView line, double row) {
    // Checked before anything is stored: a row that cannot be placed leaves the table alone.
    if (!std::isfinite(row))
        return;
    const double r = basic::roundHalfEven(row);
    if (r < 0 || r >= DefinitionRowCount)
        return;
    auto& cells = table[static_cast<std::size_t>(r)];

    int column = 0;
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = line.indexOf(u';', start);
        if (end < 0)
            return; // no closing ";": the rest is not a field
        const QStringView field = line.mid(start, end - start);
        start = end + 1;
        if (field.isEmpty())
            continue;
        if (column >= DefinitionColumnCount)
            return; // a ninth field has nowhere to go
        QString text = field.toString();
        if (!text.endsWith(QLatin1String("Kg"), Qt::CaseSensitive))
            text += QLatin1String(" Kg");
        cells[static_cast<std::size_t>(column)] = text;
        ++column;
    }
}

void ParseDefinitionLine(Session& s, QStringView line, double row, QStringView mode) {
    if (mode == u"M1")
        parseDefinitionLine(s.DefinitionTableM1, line, row);
    else if (mode == u"M2")
        parseDefinitionLine(s.DefinitionTableM2, line, row);
    else if (mode == u"N")
        parseDefinitionLine(s.DefinitionTableN, line, row);
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
        parseDefinitionLine(table, line, definitionRowOfLine(line));
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
