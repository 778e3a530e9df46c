#include "app/settings.h"

#include "link/textroutines.h"
#include "platform/basic.h"
#include "platform/serialport.h"
#include "platform/settingsstore.h"
#include "session/session.h"

#include <cmath>

using namespace settingskeys;

std::optional<QString> parsePortNumber(const QString& stored) {
    bool ok = false;
    const int n = stored.trimmed().toInt(&ok);
    if (!ok || n < 1)
        return std::nullopt;
    return QString::number(n);
}

std::optional<QString> parsePortSettingsText(const QString& stored) {
    const QString t = stored.trimmed();
    if (!parsePortSettings(t, nullptr))
        return std::nullopt;
    return t;
}

std::optional<QString> parseDeviceAddress(const QString& stored) {
    const QString t = stored.trimmed();
    if (t.isEmpty())
        return QString();
    if (t.size() > 2)
        return std::nullopt;
    for (QChar c : t)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    // Always two digits: "0" and "00" must both read as "no address field" wherever the text is
    // compared rather than converted.
    return QStringLiteral("%1").arg(t.toInt(), 2, 10, QLatin1Char('0'));
}

std::optional<bool> parseChecksumFlag(const QString& stored) {
    const QString t = stored.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    // A Boolean written as a number: 0 is false, anything else true.
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (ok && std::isfinite(v))
        return v != 0;
    return std::nullopt;
}

std::optional<QString> parseLanguageFile(const QString& stored) {
    if (stored.trimmed().isEmpty() || stored.contains(QLatin1Char('/')) || stored.contains(QLatin1Char('\\')))
        return std::nullopt;
    return stored;
}

std::optional<double> parseReadWaitTime(const QString& stored) {
    const double v = basic::Val(CommaToPoint(stored));
    if (!std::isfinite(v) || v <= 0 || v > settingsdefaults::MaxReadWaitTime)
        return std::nullopt;
    return v;
}

std::optional<double> parseTypedReadWaitTime(const QString& typed) {
    bool ok = false;
    const double v = CommaToPoint(typed.trimmed()).toDouble(&ok);
    if (!ok || !std::isfinite(v) || v <= 0 || v > settingsdefaults::MaxReadWaitTime)
        return std::nullopt;
    return v;
}

void RegOku(Session& session, const SettingsStore& store) {
    auto read = [&](const QString& key) { return store.value(Section, key, QString()); };

    session.PortNumber = parsePortNumber(read(Port)).value_or(settingsdefaults::PortNumber);
    session.PortSettings = parsePortSettingsText(read(Setting)).value_or(settingsdefaults::PortSettings);
    session.DeviceAddress = parseDeviceAddress(read(Adrres)).value_or(settingsdefaults::DeviceAddress);
    session.ChecksumOn = parseChecksumFlag(read(CSUM)).value_or(settingsdefaults::ChecksumOn);
    session.LanguageFile = parseLanguageFile(read(Dil)).value_or(settingsdefaults::LanguageFile);
    session.ReadWaitTime = parseReadWaitTime(read(OkumaZamani)).value_or(settingsdefaults::ReadWaitTime);
}

void RegOku(Session& session, const SettingsStore& store, SerialPort& port) {
    RegOku(session, store);
    configurePort(session, port);
}

void configurePort(const Session& session, SerialPort& port) {
    port.setCommPort(session.PortNumber.toInt());
    port.setSettings(session.PortSettings);
}

void storeConnectionSettings(SettingsStore& store, const Session& session) {
    store.setValue(Section, Port, session.PortNumber);
    store.setValue(Section, Setting, session.PortSettings);
    store.setValue(Section, Adrres, session.DeviceAddress);
    store.setValue(Section, CSUM, session.ChecksumOn ? QStringLiteral("True") : QStringLiteral("False"));
}

void storeLanguageFile(SettingsStore& store, const QString& languageFile) {
    store.setValue(Section, Dil, languageFile);
}

void storeReadWaitTime(SettingsStore& store, const QString& typed) {
    store.setValue(Section, OkumaZamani, typed);
}
