#pragma once

#include "platform/cp1254.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstring>

// A text of exactly N characters, kept as the N bytes it has in the parameter-set file (one
// code-page-1254 byte per character). The bytes are the value: whatever a file held, NULs and
// bytes that are no text included, comes back unchanged. Blank is N NUL bytes.
template <int N> class FixedText {
public:
    static constexpr int kSize = N;

    // All N characters, trailing blanks and NULs included.
    QString text() const { return cp1254::decode(bytes()); }
    // Cut to N characters or filled with blanks on the right.
    void assign(const QString& t) {
        const QByteArray b = cp1254::encode(t.left(N));
        m_bytes.fill(' ');
        std::memcpy(m_bytes.data(), b.constData(), size_t(b.size()));
    }
    QByteArray bytes() const { return QByteArray(m_bytes.data(), N); }
    // Exactly N bytes from p.
    void setBytes(const char* p) { std::memcpy(m_bytes.data(), p, N); }
    const char* data() const { return m_bytes.data(); }

    friend bool operator==(const FixedText&, const FixedText&) = default;

private:
    std::array<char, N> m_bytes{};
};

// A text of any length up to 65535 characters (its file form carries a 16-bit byte count). Empty
// when blank.
struct VarText {
    static constexpr int kMaxSize = 0xFFFF;
    QByteArray bytes;

    QString text() const { return cp1254::decode(bytes); }
    void assign(const QString& t) { bytes = cp1254::encode(t.left(kMaxSize)); }

    friend bool operator==(const VarText&, const VarText&) = default;
};

// Reserved bytes: never written by the program, carried from an opened file into its next save.
template <int N> using RawBytes = std::array<char, N>;

struct SerialPortBlock {
    FixedText<25> ModeField;
    FixedText<25> BaudField;
    FixedText<25> AddressField;
    FixedText<25> HandshakeField;
    FixedText<25> Port024Field;
    FixedText<25> PortSpare1;
    FixedText<25> PortSpare2;
    FixedText<25> PortSpare3;
    FixedText<25> ParityField;
    friend bool operator==(const SerialPortBlock&, const SerialPortBlock&) = default;
};

struct AlignmentFlagFields {
    qint16 HeaderCentred = 0; // -1 centred, 0 left
    qint16 FooterCentred = 0;
    friend bool operator==(const AlignmentFlagFields&, const AlignmentFlagFields&) = default;
};

struct IdMemoryFields {
    static constexpr int kCount = 101;
    std::array<FixedText<16>, kCount> IdTexts;
    std::array<FixedText<6>, kCount> IdCodes;
    std::array<FixedText<11>, 2> IdTitles;
    friend bool operator==(const IdMemoryFields&, const IdMemoryFields&) = default;
};

struct SetpointFields {
    static constexpr int kCount = 10;
    std::array<VarText, kCount> Setpoint1;
    std::array<VarText, kCount> Setpoint2;
    std::array<VarText, kCount> Setpoint3;
    friend bool operator==(const SetpointFields&, const SetpointFields&) = default;
};

struct CalibrationFields {
    FixedText<25> RangeModeText;
    FixedText<25> CalSpare1;
    FixedText<25> Capacity1Text;
    FixedText<25> Division1Text;
    FixedText<25> Capacity2Text;
    FixedText<25> Division2Text;
    FixedText<25> Param970Text;
    FixedText<25> CalByte7Text;
    qint32 CalRaw1Value = 0;
    qint32 CalRaw2Value = 0;
    qint32 CalRaw3Value = 0;
    qint32 CalRaw4Value = 0;
    qint32 Param800Value = 0;
    qint32 CalWord74Value = 0;
    qint32 CalGravity1Value = 0;
    qint32 CalGravity2Value = 0;
    RawBytes<2> CalSpareWord{};
    friend bool operator==(const CalibrationFields&, const CalibrationFields&) = default;
};

struct ConfigurationHeadFields {
    FixedText<25> Param200Text;
    FixedText<25> Param201Text;
    FixedText<25> Param202Text;
    FixedText<25> Param203Text;
    FixedText<25> Param204Text;
    FixedText<25> Param205Text;
    FixedText<25> Param206Text;
    FixedText<25> Param207Text; // the tilt-mode code digit
    FixedText<25> Param801Text;
    FixedText<25> HeadSpare1;
    FixedText<25> HeadSpare2;
    friend bool operator==(const ConfigurationHeadFields&, const ConfigurationHeadFields&) = default;
};

struct ConfigurationBodyFields {
    FixedText<25> Param120Text;
    FixedText<25> BodySpare1;
    FixedText<25> BodySpare2;
    FixedText<25> Param100Text;
    FixedText<25> Param131Text;
    FixedText<25> Param132Text;
    FixedText<25> Param133Text;
    FixedText<25> BodySpare3;
    qint32 Param101Value = 0; // raw: displayed value x 10^decimals
    FixedText<25> Param102Text;
    qint32 Param104Value = 0;
    FixedText<25> Param103Text;
    FixedText<25> Param110Text;
    FixedText<25> Param111Text;
    FixedText<25> Param112Text;
    FixedText<25> Param113Text;
    FixedText<25> BodySpare4;
    FixedText<25> Param130Text;
    FixedText<25> Param105Text; // the filling-mode code digit
    FixedText<25> BodySpare5;
    RawBytes<1> BodySpareByte{};
    std::array<SerialPortBlock, 4> SerialPorts;
    FixedText<25> Param040Text;
    FixedText<25> Param041Text;
    FixedText<25> Param046Text;
    FixedText<25> Param042Text;
    qint32 Param045Value = 0;
    FixedText<25> Param043Text;
    FixedText<25> Param044Text;
    FixedText<25> Param047Text;
    FixedText<25> Param048Text;
    FixedText<2> Param049Text;
    FixedText<25> BodySpare6;
    FixedText<25> BodySpare7;
    qint16 Param410Word = 0; // the page shows it unsigned
    qint16 Param420Word = 0;
    FixedText<25> BodySpare8;
    FixedText<25> BodySpare9;
    FixedText<25> BodySpare10;
    FixedText<25> BarcodeLine2Text;
    FixedText<25> BarcodeLine3Text;
    RawBytes<9> BodySpareBytes{};
    FixedText<25> DeviceModelText;
    FixedText<25> DeviceInfoText;
    friend bool operator==(const ConfigurationBodyFields&, const ConfigurationBodyFields&) = default;
};

struct ConfigurationFields {
    ConfigurationHeadFields ConfigurationHead;
    ConfigurationBodyFields ConfigurationBody;
    friend bool operator==(const ConfigurationFields&, const ConfigurationFields&) = default;
};

struct PresetTareFields {
    static constexpr int kCount = 100;
    std::array<double, kCount> Tares{};
    // Compared bit for bit, so a stored NaN equals itself.
    friend bool operator==(const PresetTareFields& a, const PresetTareFields& b) {
        return std::memcmp(a.Tares.data(), b.Tares.data(), sizeof(a.Tares)) == 0;
    }
};

// The whole parameter set of one indicator; its file is its byte image (paramset/parameterfile.h).
// A default-constructed record is the blank one: every fixed text all NULs, every variable text
// empty, every number 0.
struct ParameterSet {
    std::array<FixedText<21>, 4> HeaderLines; // 20 aligned characters and a NUL
    std::array<FixedText<21>, 2> FooterLines;
    FixedText<1000> EplText;
    AlignmentFlagFields AlignmentFlags;
    IdMemoryFields IdMemoryTable;
    SetpointFields SetpointTable;
    VarText ClockText; // row-1 date/time followed by the day-name suffix
    CalibrationFields CalibrationSection;
    ConfigurationFields ConfigurationSection;
    PresetTareFields PresetTareTable;
    friend bool operator==(const ParameterSet&, const ParameterSet&) = default;
};

// File > New copies it over the current record; nothing writes it.
inline const ParameterSet ParameterSetBlank{};
