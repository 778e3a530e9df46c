#include "pages/datetimepanel.h"

#include "link/textroutines.h"
#include "platform/basic.h"

ClockBoxes clockBoxesFromCell(const QString& cell) {
    ClockBoxes b;
    for (int i = 0; i < 3; ++i) {
        b[i] = basic::Mid(cell, 3 * i + 1, 2);
        b[i + 3] = basic::Mid(cell, 3 * i + 12, 2);
    }
    return b;
}

ClockBoxes clockBoxesForToday(const QDate& today) {
    return {
        QString::number(today.day()), QString::number(today.month()), basic::Right(QString::number(today.year()), 2),
        QStringLiteral("00"),         QStringLiteral("00"),           QStringLiteral("00")};
}

bool clockBoxesValid(const ClockBoxes& boxes) {
    int v[6];
    for (int i = 0; i < 6; ++i) {
        for (QChar c : boxes[i]) {
            if (c < u'0' || c > u'9')
                return false;
        }
        v[i] = boxes[i].isEmpty() ? 0 : boxes[i].toInt();
    }
    const int day = v[0], month = v[1], year = v[2];
    if (year < 1 || month < 1 || month > 12 || !QDate::isValid(2000 + year, month, day))
        return false;
    return v[3] <= 23 && v[4] <= 59 && v[5] <= 59;
}

QString clockCellText(const ClockBoxes& boxes) {
    QString parts[6];
    for (int i = 0; i < 6; ++i)
        parts[i] = boxes[i].isEmpty() ? QStringLiteral("00") : ZeroPad(2, boxes[i]);
    return parts[0] + u'-' + parts[1] + u'-' + parts[2] + QStringLiteral(" \\ ") + parts[3] + u':' + parts[4] + u':' +
           parts[5];
}
