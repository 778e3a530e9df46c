#include "platform/settingsstore.h"

#include <QSettings>

QtSettingsStore::QtSettingsStore()
    : m_settings(std::make_unique<QSettings>(QStringLiteral("Tarvex"), QStringLiteral("Tarvex"))) {}

QtSettingsStore::QtSettingsStore(const QString& iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

QtSettingsStore::~QtSettingsStore() = default;

static QString keyPath(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

QString QtSettingsStore::value(const QString& section, const QString& key, const QString& fallback) const {
    const QVariant v = m_settings->value(keyPath(section, key));
    if (!v.isValid())
        return fallback;
    // A value edited by hand with commas and no quotes ("19200,E,7,1") comes back as a list; it
    // was meant as the text it reads as.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

bool QtSettingsStore::contains(const QString& section, const QString& key) const {
    return m_settings->contains(keyPath(section, key));
}

void QtSettingsStore::setValue(const QString& section, const QString& key, const QString& value) {
    m_settings->setValue(keyPath(section, key), value);
    m_settings->sync();
}

QString QtSettingsStore::fileName() const {
    return m_settings->fileName();
}

void OverlaySettingsStore::setForThisRun(const QString& section, const QString& key, const QString& value) {
    m_run.insert(keyPath(section, key), value);
}

QString OverlaySettingsStore::value(const QString& section, const QString& key, const QString& fallback) const {
    const auto it = m_run.constFind(keyPath(section, key));
    return it != m_run.constEnd() ? *it : m_base.value(section, key, fallback);
}

bool OverlaySettingsStore::contains(const QString& section, const QString& key) const {
    return m_run.contains(keyPath(section, key)) || m_base.contains(section, key);
}

void OverlaySettingsStore::setValue(const QString& section, const QString& key, const QString& value) {
    // A value the user sets replaces the one of this run and is kept.
    m_run.remove(keyPath(section, key));
    m_base.setValue(section, key, value);
}
