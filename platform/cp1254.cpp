#include "platform/cp1254.h"

#include <array>
#include <unordered_map>

namespace cp1254 {
namespace {

// 0x80..0x9F; undefined positions keep their C1 control.
constexpr std::array<char16_t, 32> kHigh80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x008E, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178,
};

char16_t unicodeOf(int code) {
    code &= 0xFF;
    if (code < 0x80 ||
        (code >= 0xA0 && code != 0xD0 && code != 0xDD && code != 0xDE && code != 0xF0 && code != 0xFD && code != 0xFE))
        return static_cast<char16_t>(code);
    if (code < 0xA0)
        return kHigh80[code - 0x80];
    switch (code) {
    case 0xD0:
        return 0x011E; // Ğ
    case 0xDD:
        return 0x0130; // İ
    case 0xDE:
        return 0x015E; // Ş
    case 0xF0:
        return 0x011F; // ğ
    case 0xFD:
        return 0x0131; // ı
    case 0xFE:
        return 0x015F; // ş
    }
    return static_cast<char16_t>(code);
}

const std::unordered_map<char16_t, int>& reverseTable() {
    static const std::unordered_map<char16_t, int> table = [] {
        std::unordered_map<char16_t, int> t;
        for (int c = 0; c < 256; ++c)
            t.emplace(unicodeOf(c), c);
        return t;
    }();
    return table;
}

} // namespace

QChar toChar(int code) {
    return QChar(unicodeOf(code));
}

int toCode(QChar c) {
    const auto& t = reverseTable();
    auto it = t.find(c.unicode());
    return it == t.end() ? '?' : it->second;
}

bool representable(QChar c) {
    return reverseTable().count(c.unicode()) != 0;
}

QString decode(const QByteArray& bytes) {
    QString s;
    s.reserve(bytes.size());
    for (char b : bytes)
        s.append(toChar(static_cast<unsigned char>(b)));
    return s;
}

QByteArray encode(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text)
        out.append(static_cast<char>(toCode(c)));
    return out;
}

} // namespace cp1254
