#pragma once

#include <QString>

#include <optional>

struct Session;
class SerialPort;
class SettingsStore;

// The six per-user settings, stored as text in section "QM" of the application's store. Each value
// is read on its own: one that is absent or cannot be used falls back to its default and leaves
// the others alone.
namespace settingskeys {
inline const QString Section = QStringLiteral("QM");
inline const QString Port = QStringLiteral("Port");
inline const QString Setting = QStringLiteral("Setting");
inline const QString Adrres = QStringLiteral("Adrres");
inline const QString CSUM = QStringLiteral("CSUM");
inline const QString Dil = QStringLiteral("dil");
inline const QString OkumaZamani = QStringLiteral("OkumaZamanı");
} // namespace settingskeys

namespace settingsdefaults {
inline const QString PortNumber = QStringLiteral("1");
inline const QString PortSettings = QStringLiteral("9600,N,8,1");
inline const QString DeviceAddress = QString();
constexpr bool ChecksumOn = true;
inline const QString LanguageFile = QStringLiteral("English.txt");
constexpr double ReadWaitTime = 0.15;
// Every exchange waits the reading time and the window stays locked meanwhile: a longer one (150
// typed for milliseconds, say) would keep the program locked for hours, from every start.
constexpr double MaxReadWaitTime = 10.0;
} // namespace settingsdefaults

// Parsers of one stored text each; nullopt when the text cannot be used (the caller takes the
// default).
std::optional<QString> parsePortNumber(const QString& stored);       // "3", " 3 " -> "3"; >= 1
std::optional<QString> parsePortSettingsText(const QString& stored); // a settings text the port takes
std::optional<QString> parseDeviceAddress(const QString& stored);    // "" stays "", "5" -> "05", 0..99
std::optional<bool> parseChecksumFlag(const QString& stored);        // "True"/"False", any case; numbers
std::optional<QString> parseLanguageFile(const QString& stored);     // a plain, non-empty file name
// Seconds, "," or "." as the decimal separator, the leading number taken; only a value above 0
// and up to MaxReadWaitTime is a reading time.
std::optional<double> parseReadWaitTime(const QString& stored);
// A reading time typed by the user: the whole text must be the number (no trailing letters).
std::optional<double> parseTypedReadWaitTime(const QString& typed);

// Reads the six settings into the session.
void RegOku(Session& session, const SettingsStore& store);
// The same, then the port's number and settings are taken from them; the port is not opened.
void RegOku(Session& session, const SettingsStore& store, SerialPort& port);
// Port number and settings text of the session onto the port, without opening it.
void configurePort(const Session& session, SerialPort& port);

// Writers of the settings panels.
// Connection panel: "Port", "Setting", "Adrres", "CSUM" from the session.
void storeConnectionSettings(SettingsStore& store, const Session& session);
// Language panel: "dil".
void storeLanguageFile(SettingsStore& store, const QString& languageFile);
// Reading-time key: "OkumaZamanı", the text as typed.
void storeReadWaitTime(SettingsStore& store, const QString& typed);
