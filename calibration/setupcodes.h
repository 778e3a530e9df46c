#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <string_view>

// The indicator's capacity and division codes and the values they stand for, as the set-up
// choices show them before any definition file has refilled them.

inline constexpr int CapacityCodeCount = 86; // codes 0..85

// Capacity in kg of each capacity code.
inline constexpr std::array<std::int32_t, CapacityCodeCount> CapacityOfCode = {
    1,      2,      3,      4,      5,      6,      8,      10,     12,     15,     16,     20,     24,
    25,     30,     32,     40,     48,     50,     60,     75,     80,     100,    120,    125,    150,
    160,    200,    240,    250,    300,    320,    400,    480,    500,    600,    750,    800,    1000,
    1200,   1250,   1500,   1600,   2000,   2400,   2500,   3000,   3200,   4000,   4800,   5000,   6000,
    7500,   8000,   10000,  12000,  12500,  15000,  16000,  20000,  24000,  25000,  30000,  32000,  40000,
    48000,  50000,  60000,  75000,  80000,  100000, 120000, 125000, 150000, 160000, 200000, 240000, 250000,
    300000, 320000, 400000, 480000, 500000, 600000, 750000, 800000,
};

struct DivisionChoice {
    int code;
    std::string_view text;    // as shown: "0.001" .. "200"
    std::int32_t thousandths; // the value in thousandths of a kg, for exact arithmetic
    constexpr double value() const { return thousandths / 1000.0; }
};

inline constexpr int FirstDivisionCode = 3;
inline constexpr int LastDivisionCode = 19;

inline constexpr std::array<DivisionChoice, LastDivisionCode - FirstDivisionCode + 1> DivisionChoices = {{
    {3, "0.001", 1},
    {4, "0.002", 2},
    {5, "0.005", 5},
    {6, "0.01", 10},
    {7, "0.02", 20},
    {8, "0.05", 50},
    {9, "0.1", 100},
    {10, "0.2", 200},
    {11, "0.5", 500},
    {12, "1", 1000},
    {13, "2", 2000},
    {14, "5", 5000},
    {15, "10", 10000},
    {16, "20", 20000},
    {17, "50", 50000},
    {18, "100", 100000},
    {19, "200", 200000},
}};

constexpr bool isCapacityCode(int code) {
    return code >= 0 && code < CapacityCodeCount;
}
constexpr bool isDivisionCode(int code) {
    return code >= FirstDivisionCode && code <= LastDivisionCode;
}

// Capacity in kg of a code, 0 for a code outside 0..85.
constexpr std::int32_t capacityForCode(int code) {
    return isCapacityCode(code) ? CapacityOfCode[code] : 0;
}

// The division of a code, nullptr for a code outside 3..19.
constexpr const DivisionChoice* divisionForCode(int code) {
    return isDivisionCode(code) ? &DivisionChoices[code - FirstDivisionCode] : nullptr;
}

// Entries of the capacity and division lists before any refill: "0 - 1 Kg" .. "85 - 800000 Kg" and
// "3 - 0.001" .. "19 - 200" (no unit). Empty for a code outside the table.
inline QString builtInCapacityEntry(int code) {
    if (!isCapacityCode(code))
        return {};
    return QString::number(code) + QStringLiteral(" - ") + QString::number(CapacityOfCode[code]) +
           QStringLiteral(" Kg");
}

inline QString builtInDivisionEntry(int code) {
    const DivisionChoice* d = divisionForCode(code);
    if (!d)
        return {};
    return QString::number(code) + QStringLiteral(" - ") + QLatin1String(d->text.data(), qsizetype(d->text.size()));
}

static_assert(CapacityOfCode[46] == 3000 && CapacityOfCode[85] == 800000);
static_assert(DivisionChoices.back().code == LastDivisionCode);
