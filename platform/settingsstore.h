#pragma once

#include <QHash>
#include <QString>

#include <memory>

class QSettings;

// Named text values of the user, grouped in sections ("QM" for the program's settings, "Ports" for
// the COMn -> device map). Every value is text; the caller parses it.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString value(const QString& section, const QString& key, const QString& fallback) const = 0;
    virtual bool contains(const QString& section, const QString& key) const = 0;
    virtual void setValue(const QString& section, const QString& key, const QString& value) = 0;
};

// The real store: the user's settings of application "Tarvex", or an INI file given by path.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();                                // the user's own settings
    explicit QtSettingsStore(const QString& iniPath); // a given INI file (tests, the simulator)
    ~QtSettingsStore() override;

    QString value(const QString& section, const QString& key, const QString& fallback) const override;
    bool contains(const QString& section, const QString& key) const override;
    void setValue(const QString& section, const QString& key, const QString& value) override;
    QString fileName() const;

private:
    std::unique_ptr<QSettings> m_settings;
};

// A store whose values set with setForThisRun() hold only while the program runs and hide the
// underlying store's ones; everything else reads and writes through. The simulator's port mapping
// of a trial run must not outlive it.
class OverlaySettingsStore : public SettingsStore {
public:
    explicit OverlaySettingsStore(SettingsStore& base) : m_base(base) {}

    void setForThisRun(const QString& section, const QString& key, const QString& value);

    QString value(const QString& section, const QString& key, const QString& fallback) const override;
    bool contains(const QString& section, const QString& key) const override;
    void setValue(const QString& section, const QString& key, const QString& value) override;

private:
    SettingsStore& m_base;
    QHash<QString, QString> m_run;
};
