#include "paramset/recordcopy.h"

#include "link/textroutines.h"
#include "pages/gridpage.h"
#include "paramset/blocks.h"
#include "platform/basic.h"
#include "session/session.h"

#include <cmath>
#include <vector>

namespace {

// A whole value reduced to its low `bits` bits, read back as a signed number.
std::optional<qint64> wrapped(double value, int bits) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double range = std::ldexp(1.0, bits);
    double m = std::fmod(basic::roundHalfEven(value), range);
    if (m < 0)
        m += range;
    const auto u = quint64(m);
    return qint64(u >= (quint64(1) << (bits - 1)) ? qint64(u) - qint64(range) : qint64(u));
}

QString cellOf(const GridPage& page, int row) {
    return page.TextMatrix(row, 1);
}

// The text of a stored number: plain signed decimal.
QString decimal(qint64 v) {
    return QString::number(v);
}

QString gravityText(qint64 v) {
    const QString t = decimal(v);
    return t.size() > 1 ? QStringLiteral("9,") + t : t;
}

// Members filled from a cell and shown in it as they stand, by row.
template <class Record> auto textRows(Record& r) {
    auto& cal = r.CalibrationSection;
    auto& h = r.ConfigurationSection.ConfigurationHead;
    auto& b = r.ConfigurationSection.ConfigurationBody;
    auto& p = b.SerialPorts;
    using Member = decltype(&cal.RangeModeText);
    return std::vector<std::pair<int, Member>>{
        {62, &cal.RangeModeText}, {63, &cal.Capacity1Text},   {64, &cal.Division1Text},  {65, &cal.Capacity2Text},
        {66, &cal.Division2Text}, {67, &cal.Param970Text},    {68, &cal.CalByte7Text},   {3, &h.Param200Text},
        {4, &h.Param201Text},     {5, &h.Param202Text},       {6, &h.Param203Text},      {7, &h.Param204Text},
        {8, &h.Param205Text},     {9, &h.Param206Text},       {11, &h.Param801Text},     {13, &b.Param120Text},
        {14, &b.Param100Text},    {15, &b.Param131Text},      {16, &b.Param132Text},     {17, &b.Param133Text},
        {19, &b.Param102Text},    {21, &b.Param103Text},      {22, &b.Param110Text},     {23, &b.Param111Text},
        {24, &b.Param112Text},    {25, &b.Param113Text},      {26, &b.Param130Text},     {29, &p[0].ModeField},
        {30, &p[0].BaudField},    {31, &p[0].HandshakeField}, {32, &p[0].AddressField},  {35, &p[1].ModeField},
        {36, &p[1].BaudField},    {37, &p[1].HandshakeField}, {38, &p[1].AddressField},  {41, &p[2].ModeField},
        {42, &p[2].BaudField},    {43, &p[2].HandshakeField}, {44, &p[2].AddressField},  {45, &p[2].Port024Field},
        {48, &p[3].ModeField},    {49, &p[3].AddressField},   {51, &b.Param040Text},     {52, &b.Param041Text},
        {53, &b.Param042Text},    {54, &b.Param043Text},      {55, &b.Param044Text},     {57, &b.Param046Text},
        {58, &b.Param047Text},    {59, &b.Param048Text},      {80, &b.BarcodeLine2Text}, {81, &b.BarcodeLine3Text},
        {82, &b.DeviceModelText}, {83, &b.DeviceInfoText},
    };
}

} // namespace

std::optional<qint32> Whole32(double value) {
    const auto v = wrapped(value, 32);
    return v ? std::optional<qint32>(qint32(*v)) : std::nullopt;
}

std::optional<qint32> Whole32(const QString& text) {
    const auto v = codeValue(text);
    return v ? Whole32(*v) : std::nullopt;
}

std::optional<qint16> Whole16(double value) {
    const auto v = wrapped(value, 16);
    return v ? std::optional<qint16>(qint16(*v)) : std::nullopt;
}

void ParametreKaydet(ParameterSet& r, const GridPage& page, Session& s) {
    ParameterValues& v = s.param;
    auto& cal = r.CalibrationSection;
    auto& b = r.ConfigurationSection.ConfigurationBody;
    auto store32 = [](qint32& member, std::optional<qint32> value) {
        if (value)
            member = *value;
    };

    const QString clock = cellOf(page, 1) + s.DayNameSuffix;
    if (!clock.isEmpty())
        r.ClockText.assign(trimBlanks(clock));
    for (const auto& [row, member] : textRows(r))
        member->assign(cellOf(page, row));

    store32(cal.CalRaw1Value, Whole32(double(v.CalRaw1)));
    store32(cal.CalRaw2Value, Whole32(double(v.CalRaw2)));
    store32(cal.CalRaw3Value, Whole32(double(v.CalRaw3)));
    store32(cal.CalRaw4Value, Whole32(double(v.CalRaw4)));
    store32(cal.Param800Value, Whole32(cellOf(page, 73)));
    store32(cal.CalWord74Value, Whole32(cellOf(page, 74)));
    store32(cal.CalGravity1Value, Whole32(double(v.CalGravity1)));
    store32(cal.CalGravity2Value, Whole32(double(v.CalGravity2)));

    v.TiltCode = basic::Left(cellOf(page, 10), 1);
    r.ConfigurationSection.ConfigurationHead.Param207Text.assign(v.TiltCode);
    v.FillingCode = basic::Left(cellOf(page, 27), 1);
    b.Param105Text.assign(v.FillingCode);
    store32(b.Param101Value, Whole32(v.ValueArray[0]));
    store32(b.Param104Value, Whole32(v.ValueArray[1]));
    store32(b.Param045Value, Whole32(v.ValueArray[2]));
    for (int p = 0; p < 3; ++p) {
        v.TextArray[p] = cellOf(page, p == 0 ? 33 : p == 1 ? 39 : 46);
        b.SerialPorts[p].ParityField.assign(v.TextArray[p]);
    }
    v.Row60Text = cellOf(page, 60);
    b.Param049Text.assign(v.Row60Text);
    if (const auto w = Whole16(double(v.Word78)))
        b.Param410Word = *w;
    if (const auto w = Whole16(double(v.Word79)))
        b.Param420Word = *w;
}

void ParametreOku(const ParameterSet& r, GridPage& page, Session& s) {
    ParameterValues& v = s.param;
    const auto& cal = r.CalibrationSection;
    const auto& b = r.ConfigurationSection.ConfigurationBody;
    const GridPage::Batch batch(page);
    auto cell = [&page](int row, const QString& text) { page.setTextMatrix(row, 1, text); };

    // The clock text is the row-1 date/time, then " \ " and the day name. The first "\" stands
    // after the date, so the search for the day name's starts at character 11.
    const QString clock = r.ClockText.text();
    const qsizetype p = clock.indexOf(u'\\', 10);
    if (p >= 0) {
        cell(1, clock.left(p - 1));
        s.DayNameSuffix = clock.mid(p - 1);
    } else {
        cell(1, clock);
        s.DayNameSuffix.clear();
    }
    for (const auto& [row, member] : textRows(r))
        cell(row, member->text());

    qint64* raw[] = {&v.CalRaw1, &v.CalRaw2, &v.CalRaw3, &v.CalRaw4};
    const qint32 rawValues[] = {cal.CalRaw1Value, cal.CalRaw2Value, cal.CalRaw3Value, cal.CalRaw4Value};
    for (int k = 0; k < 4; ++k) {
        *raw[k] = rawValues[k];
        cell(69 + k, ikile(double(rawValues[k])));
    }
    cell(73, decimal(cal.Param800Value));
    cell(74, decimal(cal.CalWord74Value));
    v.CalGravity1 = cal.CalGravity1Value;
    cell(75, gravityText(v.CalGravity1));
    v.CalGravity2 = cal.CalGravity2Value;
    cell(76, gravityText(v.CalGravity2));

    v.ConfigFlag0 = cellOf(page, 3).startsWith(u'1');
    v.TiltCode = r.ConfigurationSection.ConfigurationHead.Param207Text.text();
    if (const auto code = codeValue(v.TiltCode))
        cell(10, TiltYaz(*code, s.messages));
    v.FillingCode = b.Param105Text.text();
    if (const auto code = codeValue(v.FillingCode))
        cell(27, FillingYaz(*code, s.messages));
    const qint32 raws[] = {b.Param101Value, b.Param104Value, b.Param045Value};
    const int rawRows[] = {18, 20, 56};
    for (int k = 0; k < 3; ++k) {
        v.ValueArray[k] = raws[k];
        cell(rawRows[k], FormatLikeMaximum(v.ValueArray[k], s));
    }
    for (int p = 0; p < 3; ++p) {
        v.TextArray[p] = b.SerialPorts[p].ParityField.text();
        cell(p == 0 ? 33 : p == 1 ? 39 : 46, v.TextArray[p]);
    }
    v.Row60Text = b.Param049Text.text();
    cell(60, v.Row60Text);
    v.Word78 = b.Param410Word;
    cell(78, QString::number(quint16(b.Param410Word)));
    v.Word79 = b.Param420Word;
    cell(79, QString::number(quint16(b.Param420Word)));
}

void SetpointKaydı(ParameterSet& r, const GridPage& page) {
    auto& t = r.SetpointTable;
    for (int row = 1; row < page.Rows() && row <= SetpointFields::kCount; ++row) {
        t.Setpoint1[row - 1].assign(page.TextMatrix(row, 1));
        t.Setpoint2[row - 1].assign(page.TextMatrix(row, 2));
        t.Setpoint3[row - 1].assign(page.TextMatrix(row, 3));
    }
}

void SetpointOku(const ParameterSet& r, GridPage& page) {
    const auto& t = r.SetpointTable;
    const GridPage::Batch batch(page);
    for (int row = 1; row < page.Rows() && row <= SetpointFields::kCount; ++row) {
        int col = 1;
        for (const auto* list : {&t.Setpoint1, &t.Setpoint2, &t.Setpoint3}) {
            const QString s = (*list)[row - 1].text();
            page.setTextMatrix(row, col++, basic::Val(CommaToPoint(s)) == 0 ? QStringLiteral("0") : s);
        }
    }
}

void PDaraKaydı(ParameterSet& r, const GridPage& page) {
    for (int row = 1; row < page.Rows() && row <= PresetTareFields::kCount; ++row)
        r.PresetTareTable.Tares[row - 1] = basic::Val(page.TextMatrix(row, 1));
}

void PDaraOku(const ParameterSet& r, GridPage& page) {
    const GridPage::Batch batch(page);
    for (int row = 1; row < page.Rows() && row <= PresetTareFields::kCount; ++row)
        page.setTextMatrix(row, 1, basic::Str(r.PresetTareTable.Tares[row - 1]));
}

void idMemoriesToRecord(ParameterSet& r, const GridPage& page) {
    auto& ids = r.IdMemoryTable;
    for (int row = 1; row < page.Rows() && row <= IdMemoryFields::kCount; ++row) {
        ids.IdCodes[row - 1].assign(page.TextMatrix(row, 1));
        ids.IdTexts[row - 1].assign(page.TextMatrix(row, 2));
    }
}

void idMemoriesFromRecord(const ParameterSet& r, GridPage& page) {
    const auto& ids = r.IdMemoryTable;
    const GridPage::Batch batch(page);
    for (int row = 1; row < page.Rows() && row <= IdMemoryFields::kCount; ++row) {
        page.setTextMatrix(row, 1, ids.IdCodes[row - 1].text());
        page.setTextMatrix(row, 2, trimTrailingBlanks(ids.IdTexts[row - 1].text()));
    }
}

QString AlignText(int width, const QString& text, const QString& mode) {
    const bool known = mode == QLatin1String("SAG") || mode == QLatin1String("SOL") || mode == QLatin1String("ORTA");
    if (!known)
        return QString();
    const int d = width - int(text.size());
    if (d <= 0)
        return text;
    if (mode == QLatin1String("SAG"))
        return QString(d, u' ') + text;
    if (mode == QLatin1String("SOL"))
        return text + QString(d, u' ');
    const int a = int(basic::roundHalfEven(d / 2.0));
    return QString(a, u' ') + text + QString(d - a, u' ');
}

FixedText<21> ticketLine(const QString& text, bool centred) {
    FixedText<21> line;
    line.assign(AlignText(20, text, centred ? QStringLiteral("ORTA") : QStringLiteral("SOL")) + QChar(0));
    return line;
}
