#include "paramset/parameterfile.h"

#include "platform/basic.h"
#include "session/session.h"

#include <QtEndian>

#include <cstring>

namespace {

// The order of the members in the file, written once for both directions: io is a Writer over a
// const record or a Reader over a mutable one.
template <class IO, class Record> void walkRecord(IO& io, Record& r) {
    for (auto& line : r.HeaderLines)
        io.fixed(line);
    for (auto& line : r.FooterLines)
        io.fixed(line);
    io.fixed(r.EplText);
    io.number(r.AlignmentFlags.HeaderCentred);
    io.number(r.AlignmentFlags.FooterCentred);

    auto& ids = r.IdMemoryTable;
    for (auto& t : ids.IdTexts)
        io.fixed(t);
    for (auto& t : ids.IdCodes)
        io.fixed(t);
    for (auto& t : ids.IdTitles)
        io.fixed(t);

    auto& sp = r.SetpointTable;
    for (auto* list : {&sp.Setpoint1, &sp.Setpoint2, &sp.Setpoint3})
        for (auto& t : *list)
            io.var(t);
    io.var(r.ClockText);

    auto& cal = r.CalibrationSection;
    for (auto* t : {&cal.RangeModeText, &cal.CalSpare1, &cal.Capacity1Text, &cal.Division1Text, &cal.Capacity2Text,
                    &cal.Division2Text, &cal.Param970Text, &cal.CalByte7Text})
        io.fixed(*t);
    for (auto* v : {&cal.CalRaw1Value, &cal.CalRaw2Value, &cal.CalRaw3Value, &cal.CalRaw4Value, &cal.Param800Value,
                    &cal.CalWord74Value, &cal.CalGravity1Value, &cal.CalGravity2Value})
        io.number(*v);
    io.raw(cal.CalSpareWord);

    auto& head = r.ConfigurationSection.ConfigurationHead;
    for (auto* t : {&head.Param200Text, &head.Param201Text, &head.Param202Text, &head.Param203Text, &head.Param204Text,
                    &head.Param205Text, &head.Param206Text, &head.Param207Text, &head.Param801Text, &head.HeadSpare1,
                    &head.HeadSpare2})
        io.fixed(*t);

    auto& b = r.ConfigurationSection.ConfigurationBody;
    for (auto* t : {&b.Param120Text, &b.BodySpare1, &b.BodySpare2, &b.Param100Text, &b.Param131Text, &b.Param132Text,
                    &b.Param133Text, &b.BodySpare3})
        io.fixed(*t);
    io.number(b.Param101Value);
    io.fixed(b.Param102Text);
    io.number(b.Param104Value);
    for (auto* t : {&b.Param103Text, &b.Param110Text, &b.Param111Text, &b.Param112Text, &b.Param113Text, &b.BodySpare4,
                    &b.Param130Text, &b.Param105Text, &b.BodySpare5})
        io.fixed(*t);
    io.raw(b.BodySpareByte);
    for (auto& port : b.SerialPorts)
        for (auto* t : {&port.ModeField, &port.BaudField, &port.AddressField, &port.HandshakeField, &port.Port024Field,
                        &port.PortSpare1, &port.PortSpare2, &port.PortSpare3, &port.ParityField})
            io.fixed(*t);
    for (auto* t : {&b.Param040Text, &b.Param041Text, &b.Param046Text, &b.Param042Text})
        io.fixed(*t);
    io.number(b.Param045Value);
    for (auto* t : {&b.Param043Text, &b.Param044Text, &b.Param047Text, &b.Param048Text})
        io.fixed(*t);
    io.fixed(b.Param049Text);
    io.fixed(b.BodySpare6);
    io.fixed(b.BodySpare7);
    io.number(b.Param410Word);
    io.number(b.Param420Word);
    for (auto* t : {&b.BodySpare8, &b.BodySpare9, &b.BodySpare10, &b.BarcodeLine2Text, &b.BarcodeLine3Text})
        io.fixed(*t);
    io.raw(b.BodySpareBytes);
    io.fixed(b.DeviceModelText);
    io.fixed(b.DeviceInfoText);

    for (auto& tare : r.PresetTareTable.Tares)
        io.number(tare);
}

class Writer {
public:
    QByteArray out;

    template <int N> void fixed(const FixedText<N>& t) { out.append(t.data(), N); }
    void var(const VarText& t) {
        const QByteArray b = t.bytes.left(VarText::kMaxSize);
        number(quint16(b.size()));
        out.append(b);
    }
    template <size_t N> void raw(const RawBytes<N>& b) { out.append(b.data(), qsizetype(N)); }
    template <class T> void number(T v) {
        char le[sizeof(T)];
        qToLittleEndian(v, le);
        out.append(le, sizeof(T));
    }
};

// Every read checks that its bytes are there; the first one that is not stops the reading.
class Reader {
public:
    explicit Reader(const QByteArray& in) : m_in(in) {}
    bool ok() const { return m_ok; }

    template <int N> void fixed(FixedText<N>& t) {
        if (const char* p = take(N))
            t.setBytes(p);
    }
    void var(VarText& t) {
        quint16 count = 0;
        number(count);
        if (const char* p = take(count))
            t.bytes = QByteArray(p, count);
    }
    template <size_t N> void raw(RawBytes<N>& b) {
        if (const char* p = take(qsizetype(N)))
            std::memcpy(b.data(), p, N);
    }
    template <class T> void number(T& v) {
        if (const char* p = take(sizeof(T)))
            v = qFromLittleEndian<T>(p);
    }

private:
    const char* take(qsizetype n) {
        if (!m_ok || n > m_in.size() - m_pos) {
            m_ok = false;
            return nullptr;
        }
        const char* p = m_in.constData() + m_pos;
        m_pos += n;
        return p;
    }

    const QByteArray& m_in;
    qsizetype m_pos = 0;
    bool m_ok = true;
};

} // namespace

QByteArray encodeParameterSet(const ParameterSet& record) {
    Writer w;
    w.out.reserve(kParameterFileBlankSize);
    walkRecord(w, record);
    return w.out;
}

std::optional<ParameterSet> decodeParameterSet(const QByteArray& bytes) {
    ParameterSet record;
    Reader r(bytes);
    walkRecord(r, record);
    if (!r.ok())
        return std::nullopt;
    return record;
}

FilePathParts splitFilePath(const QString& path) {
    int p = 1;
    for (int i = int(path.size()) - 1; i >= 1; --i) {
        if (path[i] == u'\\' || path[i] == u'/') {
            p = i + 1;
            break;
        }
    }
    return {basic::Left(path, p), basic::Mid(path, p + 1)};
}

void DosyaDizin(Session& session, const QString& path) {
    const FilePathParts parts = splitFilePath(path);
    session.AppFolder = parts.folder;
    session.ParamFileName = parts.name;
}
