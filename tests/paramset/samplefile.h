#pragma once

#include "platform/cp1254.h"
#include "session/parameterset.h"

#include <QByteArray>
#include <QString>
#include <QtEndian>

#include <functional>
#include <limits>
#include <vector>

// A parameter-set file laid out by hand from the layout table, not through the codec. Every field
// holds its own value, one the pages show and give back unchanged (aligned header lines, codes
// that name a choice, whole preset tares...); the reserved fields hold bytes that are no text.
struct SampleFile {
    struct Field {
        const char* name;
        int offset;
        int size;
        std::function<QByteArray(const ParameterSet&)> bytesOf; // the member as the record holds it
        bool kept = false; // no page shows it: it goes from an opened file into its next save as it is
    };
    QByteArray bytes;
    int tail = 0; // offset of the calibration section
    std::vector<Field> fields;
};

namespace sample {

template <class T> QByteArray le(T v) {
    QByteArray b(sizeof(T), '\0');
    qToLittleEndian(v, b.data());
    return b;
}
template <int N> QByteArray of(const FixedText<N>& t) {
    return t.bytes();
}
template <size_t N> QByteArray of(const RawBytes<N>& b) {
    return QByteArray(b.data(), qsizetype(N));
}
inline QByteArray of(const VarText& t) {
    return le(quint16(t.bytes.size())) + t.bytes;
}
inline QByteArray of(qint16 v) {
    return le(v);
}
inline QByteArray of(qint32 v) {
    return le(v);
}
inline QByteArray of(double v) {
    return le(v);
}

// text blank-filled (or cut) to n bytes
inline QByteArray fixed(const QString& text, int n) {
    QByteArray b = cp1254::encode(text).left(n);
    return b + QByteArray(n - b.size(), ' ');
}
// n bytes that no text would hold: NUL, C1 controls, undefined code-page positions
inline QByteArray junk(int n, int seed) {
    static const char kBytes[] = {'\0', '\x81', '\x8D', '\x8E', '\x8F', '\x90', '\x9D', '\x9E', '\xFF', '\x01', '\x7F'};
    QByteArray b;
    for (int i = 0; i < n; ++i)
        b.append(kBytes[(i + seed) % int(sizeof kBytes)]);
    return b;
}

} // namespace sample

#define SAMPLE_MEMBER(expr) [](const ParameterSet& r) { return sample::of(r.expr); }

// The first sample (which 1) or the second (which 2), which reaches the branches of the copy rules
// the first leaves: the header centred and the footer left-aligned, a clock text without a day
// name, row 3 on choice 1 (which shortens the lists of rows 6, 7 and 9), and setpoints that show as
// "0" (empty, zero, no number). asSaved gives the file the pages save back: those setpoints as the
// "0" they show.
inline SampleFile makeSampleFile(int which = 1, bool asSaved = false) {
    using namespace sample;
    const bool second = which == 2;
    SampleFile f;
    bool kept = false; // marks the next field put
    auto put = [&f, &kept](const char* name, int offset, const QByteArray& value, auto get) {
        if (f.bytes.size() < offset + value.size())
            f.bytes.resize(offset + value.size(), '\0');
        f.bytes.replace(offset, value.size(), value);
        f.fields.push_back({name, offset, int(value.size()), get, kept});
        kept = false;
    };
    // A field that no page shows, holding bytes that are no text.
    auto reserved = [&](const char* name, int offset, int size, int seed, auto get) {
        kept = true;
        put(name, offset, junk(size, seed), get);
    };

    // One bar centred: "FOOT n" (or "HEAD n") has 14 blanks to share, 7 on each side.
    auto centred = [](const QString& text) { return QByteArray(7, ' ') + fixed(text, 13) + '\0'; };
    for (int i = 0; i < 4; ++i)
        put("HeaderLines", 21 * i,
            second ? centred(QStringLiteral("HEAD %1").arg(i))
                   : fixed(QStringLiteral("HEADER LINE %1").arg(i), 20) + '\0',
            [i](const ParameterSet& r) { return of(r.HeaderLines[i]); });
    for (int i = 0; i < 2; ++i)
        put("FooterLines", 84 + 21 * i,
            second ? fixed(QStringLiteral("FOOTER LINE %1").arg(i), 20) + '\0'
                   : centred(QStringLiteral("FOOT %1").arg(i)),
            [i](const ParameterSet& r) { return of(r.FooterLines[i]); });
    put("EplText", 126, fixed(QStringLiteral("N\r\nA40,30,0,4,1,1,N,\"ŞEKER\"\r\nP1\r\n"), 1000),
        SAMPLE_MEMBER(EplText));
    put("HeaderCentred", 1126, le(qint16(second ? -1 : 0)), SAMPLE_MEMBER(AlignmentFlags.HeaderCentred));
    put("FooterCentred", 1128, le(qint16(second ? 0 : -1)), SAMPLE_MEMBER(AlignmentFlags.FooterCentred));
    for (int k = 0; k < 101; ++k) {
        put("IdTexts", 1130 + 16 * k, fixed(QStringLiteral("ÜRÜN %1").arg(k), 16),
            [k](const ParameterSet& r) { return of(r.IdMemoryTable.IdTexts[k]); });
        put("IdCodes", 2746 + 6 * k, fixed(QString::number(1000 + 7 * k), 6),
            [k](const ParameterSet& r) { return of(r.IdMemoryTable.IdCodes[k]); });
    }
    for (int k = 0; k < 2; ++k)
        put("IdTitles", 3352 + 11 * k, fixed(k ? QStringLiteral("MÜŞTERİ") : QStringLiteral("ÜRÜN"), 11),
            [k](const ParameterSet& r) { return of(r.IdMemoryTable.IdTitles[k]); });

    // Setpoint texts of several lengths; entry 9 of each list is never shown, so it may hold
    // anything (nothing, bytes that are no text, 300 characters).
    int at = 3374;
    for (int j = 0; j < 3; ++j) {
        for (int k = 0; k < 10; ++k) {
            QByteArray text = cp1254::encode(QStringLiteral("%1,%2").arg(j * 1000 + k + 1).arg(k * 11));
            // Texts that hold no number other than 0, shown and saved back as "0".
            if (second && j == 0 && k < 3)
                text = asSaved  ? QByteArray("0")
                       : k == 0 ? QByteArray()
                       : k == 1 ? QByteArray("0,0")
                                : QByteArray("x5");
            if (k == 9) {
                text = j == 0 ? QByteArray() : j == 1 ? junk(7, 3) : QByteArray(300, 'x');
                kept = true;
            }
            put("Setpoint", at, le(quint16(text.size())) + text, [j, k](const ParameterSet& r) {
                const auto& t = r.SetpointTable;
                return of((j == 0 ? t.Setpoint1 : j == 1 ? t.Setpoint2 : t.Setpoint3)[k]);
            });
            at += 2 + int(text.size());
        }
    }
    const QByteArray clock = cp1254::encode(second ? QStringLiteral("01-02-25 \\ 03:04:05")
                                                   : QStringLiteral("14-12-07 \\ 09:05:30 \\ Çarşamba"));
    put("ClockText", at, le(quint16(clock.size())) + clock, SAMPLE_MEMBER(ClockText));
    const int T = f.tail = at + 2 + int(clock.size());

    put("RangeModeText", T + 0, fixed(QStringLiteral("1- Dual range"), 25),
        SAMPLE_MEMBER(CalibrationSection.RangeModeText));
    reserved("CalSpare1", T + 25, 25, 1, SAMPLE_MEMBER(CalibrationSection.CalSpare1));
    put("Capacity1Text", T + 50, fixed("24", 25), SAMPLE_MEMBER(CalibrationSection.Capacity1Text));
    put("Division1Text", T + 75, fixed("3", 25), SAMPLE_MEMBER(CalibrationSection.Division1Text));
    put("Capacity2Text", T + 100, fixed("30", 25), SAMPLE_MEMBER(CalibrationSection.Capacity2Text));
    put("Division2Text", T + 125, fixed("4", 25), SAMPLE_MEMBER(CalibrationSection.Division2Text));
    put("Param970Text", T + 150, fixed("17", 25), SAMPLE_MEMBER(CalibrationSection.Param970Text));
    put("CalByte7Text", T + 175, fixed("255", 25), SAMPLE_MEMBER(CalibrationSection.CalByte7Text));
    put("CalRaw1Value", T + 200, le(qint32(123456)), SAMPLE_MEMBER(CalibrationSection.CalRaw1Value));
    put("CalRaw2Value", T + 204, le(qint32(-2)), SAMPLE_MEMBER(CalibrationSection.CalRaw2Value));
    put("CalRaw3Value", T + 208, le(qint32(65540)), SAMPLE_MEMBER(CalibrationSection.CalRaw3Value));
    put("CalRaw4Value", T + 212, le(std::numeric_limits<qint32>::min()),
        SAMPLE_MEMBER(CalibrationSection.CalRaw4Value));
    put("Param800Value", T + 216, le(qint32(30000)), SAMPLE_MEMBER(CalibrationSection.Param800Value));
    put("CalWord74Value", T + 220, le(qint32(-7)), SAMPLE_MEMBER(CalibrationSection.CalWord74Value));
    put("CalGravity1Value", T + 224, le(qint32(80665)), SAMPLE_MEMBER(CalibrationSection.CalGravity1Value));
    put("CalGravity2Value", T + 228, le(qint32(9)), SAMPLE_MEMBER(CalibrationSection.CalGravity2Value));
    reserved("CalSpareWord", T + 232, 2, 7, SAMPLE_MEMBER(CalibrationSection.CalSpareWord));

    const char* first[] = {"0- Industrial", "1- Multi-interval", "2- ±20%",  "1- ±2%",
                           "3- Automatic",  "2- Continuous",     "2- ±1.0e", "2", // tilt code digit
                           "1- On"};
    // Row 3 on choice 1; rows 6, 7 and 9 on choices its shorter lists keep.
    const char* other[] = {"1- Legal for trade", "1- Multi-interval", "2- ±20%", "1- ±2%", "1- Normal",
                           "2- Continuous",      "1- ±0.5e",          "2",       "1- On"};
    const char* const* head = second ? other : first;
    for (int k = 0; k < 9; ++k)
        put("ConfigurationHead", T + 234 + 25 * k, fixed(QString::fromUtf8(head[k]), 25), [k](const ParameterSet& r) {
            const auto& h = r.ConfigurationSection.ConfigurationHead;
            const FixedText<25>* m[] = {&h.Param200Text, &h.Param201Text, &h.Param202Text,
                                        &h.Param203Text, &h.Param204Text, &h.Param205Text,
                                        &h.Param206Text, &h.Param207Text, &h.Param801Text};
            return of(*m[k]);
        });
    reserved("HeadSpare1", T + 459, 25, 2, SAMPLE_MEMBER(ConfigurationSection.ConfigurationHead.HeadSpare1));
    reserved("HeadSpare2", T + 484, 25, 4, SAMPLE_MEMBER(ConfigurationSection.ConfigurationHead.HeadSpare2));

#define BODY(m) SAMPLE_MEMBER(ConfigurationSection.ConfigurationBody.m)
    put("Param120Text", T + 509, fixed("3 ", 25), BODY(Param120Text));
    reserved("BodySpare1", T + 534, 25, 5, BODY(BodySpare1));
    reserved("BodySpare2", T + 559, 25, 6, BODY(BodySpare2));
    put("Param100Text", T + 584, fixed("2- Checkweighing", 25), BODY(Param100Text));
    put("Param131Text", T + 609, fixed("1- Print", 25), BODY(Param131Text));
    put("Param132Text", T + 634, fixed("3- Hold", 25), BODY(Param132Text));
    put("Param133Text", T + 659, fixed("5- ID entry", 25), BODY(Param133Text));
    reserved("BodySpare3", T + 684, 25, 8, BODY(BodySpare3));
    put("Param101Value", T + 709, le(qint32(-1500)), BODY(Param101Value));
    put("Param102Text", T + 713, fixed("5", 25), BODY(Param102Text));
    put("Param104Value", T + 738, le(qint32(100)), BODY(Param104Value));
    put("Param103Text", T + 742, fixed("7,5", 25), BODY(Param103Text));
    put("Param110Text", T + 767, fixed("1- Locked", 25), BODY(Param110Text));
    put("Param111Text", T + 792, fixed("2- Data hold", 25), BODY(Param111Text));
    put("Param112Text", T + 817, fixed("1- t", 25), BODY(Param112Text));
    put("Param113Text", T + 842, fixed("1- Yes", 25), BODY(Param113Text));
    reserved("BodySpare4", T + 867, 25, 9, BODY(BodySpare4));
    put("Param130Text", T + 892, fixed("3- 30 min", 25), BODY(Param130Text));
    put("Param105Text", T + 917, fixed("1", 25), BODY(Param105Text)); // filling code digit
    reserved("BodySpare5", T + 942, 25, 10, BODY(BodySpare5));
    reserved("BodySpareByte", T + 967, 1, 1, BODY(BodySpareByte));
    // Ports: the written fields hold texts, the others bytes that are no text.
    for (int p = 0; p < 4; ++p) {
        for (int j = 0; j < 9; ++j) {
            const bool written = p < 3 ? (j <= 3 || j == 8 || (p == 2 && j == 4)) : (j == 0 || j == 2);
            kept = !written;
            put("SerialPorts", T + 968 + 225 * p + 25 * j,
                written ? fixed(QStringLiteral("%1- PORT %2 FIELD %3").arg(j).arg(p).arg(j), 25) : junk(25, p + j),
                [p, j](const ParameterSet& r) {
                    const SerialPortBlock& b = r.ConfigurationSection.ConfigurationBody.SerialPorts[p];
                    const FixedText<25>* m[] = {&b.ModeField,      &b.BaudField,    &b.AddressField,
                                                &b.HandshakeField, &b.Port024Field, &b.PortSpare1,
                                                &b.PortSpare2,     &b.PortSpare3,   &b.ParityField};
                    return of(*m[j]);
                });
        }
    }
    put("Param040Text", T + 1868, fixed("4- End of filling", 25), BODY(Param040Text));
    put("Param041Text", T + 1893, fixed("1- Print", 25), BODY(Param041Text));
    put("Param046Text", T + 1918, fixed("2- Extended", 25), BODY(Param046Text));
    put("Param042Text", T + 1943, fixed("1- On", 25), BODY(Param042Text));
    put("Param045Value", T + 1968, le(qint32(500)), BODY(Param045Value));
    put("Param043Text", T + 1972, fixed("3- EAN-13", 25), BODY(Param043Text));
    put("Param044Text", T + 1997, fixed("2- Code 128", 25), BODY(Param044Text));
    put("Param047Text", T + 2022, fixed("10", 25), BODY(Param047Text));
    put("Param048Text", T + 2047, fixed("0- Off", 25), BODY(Param048Text));
    put("Param049Text", T + 2072, fixed("12", 2), BODY(Param049Text));
    reserved("BodySpare6", T + 2074, 25, 11, BODY(BodySpare6));
    reserved("BodySpare7", T + 2099, 25, 12, BODY(BodySpare7));
    put("Param410Word", T + 2124, le(qint16(-1)), BODY(Param410Word));
    put("Param420Word", T + 2126, le(qint16(-3036)), BODY(Param420Word));
    reserved("BodySpare8", T + 2128, 25, 13, BODY(BodySpare8));
    reserved("BodySpare9", T + 2153, 25, 14, BODY(BodySpare9));
    reserved("BodySpare10", T + 2178, 25, 15, BODY(BodySpare10));
    put("BarcodeLine2Text", T + 2203, fixed("BARKOD 2", 25), BODY(BarcodeLine2Text));
    put("BarcodeLine3Text", T + 2228, fixed("BARKOD 3", 25), BODY(BarcodeLine3Text));
    reserved("BodySpareBytes", T + 2253, 9, 16, BODY(BodySpareBytes));
    put("DeviceModelText", T + 2262, fixed("QM2 v1.23", 25), BODY(DeviceModelText));
    put("DeviceInfoText", T + 2287, fixed("SN 104872", 25), BODY(DeviceInfoText));
#undef BODY
    // Whole tares, as the page's editor admits; entry 99 is never shown and keeps a fraction.
    for (int k = 0; k < 100; ++k) {
        kept = k == 99;
        put("Tares", T + 2312 + 8 * k, le(k == 99 ? 0.125 : double(k * 250)),
            [k](const ParameterSet& r) { return of(r.PresetTareTable.Tares[k]); });
    }
    return f;
}

#undef SAMPLE_MEMBER
