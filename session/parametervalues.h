#pragma once

#include <QString>

#include <array>

// The working values beside the parameter page: what the page's cells cannot hold exactly (the
// raw integers behind the decimal rows, the 16- and 32-bit words, the codes behind choice texts).
// The cell editors, the device decoders and the record copies read and write them; a cleared or
// new page resets them with the cells.
struct ParameterValues {
    // Elements 0..2: the raw integers of rows 18, 20 and 56 (value x 10^decimals, signed, as the
    // indicator holds them). Elements 3..5: work values of the status reading.
    std::array<double, 6> ValueArray{};
    // Elements 0..2: parity texts of serial ports A, B and C (rows 33, 39, 46).
    std::array<QString, 4> TextArray;
    QString Row60Text;
    // Rows 78 and 79. Held as a number; the record keeps the low 16 bits, the page shows them
    // unsigned.
    qint64 Word78 = 0;
    qint64 Word79 = 0;
    // The value last typed on a decimal row, and whether the row editor serves one.
    double EditValue = 0;
    bool DecimalRowEdit = false;
    // Tilt-mode (row 10) and filling-mode (row 27) codes, as read or loaded.
    QString TiltCode;
    QString FillingCode;
    // Raw calibration values behind rows 69-72 and the gravity values of rows 75 and 76.
    qint64 CalRaw1 = 0;
    qint64 CalRaw2 = 0;
    qint64 CalRaw3 = 0;
    qint64 CalRaw4 = 0;
    qint64 CalGravity1 = 0;
    qint64 CalGravity2 = 0;
    // Row 3 holds choice 1: rows 6, 7 and 9 offer their shortened lists.
    bool ConfigFlag0 = false;

    // Forgets every value behind a row of the parameter page (the status work values stay), so an
    // emptied page is never saved or sent with the values it showed before.
    void clearPageValues() {
        const std::array<double, 6> kept = ValueArray;
        *this = ParameterValues{};
        for (int i = 3; i < 6; ++i)
            ValueArray[i] = kept[i];
    }
};
