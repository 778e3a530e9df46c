#include "platform/serialport.h"

#include <QStringList>

bool parsePortSettings(const QString& text, PortSettingsValue* out) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    bool ok = false;
    PortSettingsValue v;
    v.baud = parts[0].trimmed().toInt(&ok);
    if (!ok || v.baud <= 0)
        return false;
    const QString p = parts[1].trimmed().toUpper();
    if (p.size() != 1 || !QStringLiteral("NEOMS").contains(p))
        return false;
    v.parity = char(p[0].unicode());
    v.dataBits = parts[2].trimmed().toInt(&ok);
    if (!ok || v.dataBits < 5 || v.dataBits > 8)
        return false;
    const QString stop = parts[3].trimmed();
    if (stop == QLatin1String("1"))
        v.stopBits = 1;
    else if (stop == QLatin1String("2"))
        v.stopBits = 2;
    else if (stop == QLatin1String("1.5"))
        v.stopBits = 3;
    else
        return false;
    if (out)
        *out = v;
    return true;
}
