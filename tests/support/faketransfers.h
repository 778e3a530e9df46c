#pragma once

#include "paramset/devicetransfers.h"

#include <QMap>
#include <QStringList>

#include <functional>

// Stands in for the parameter set's exchanges, so that a panel, the refresh or the deferred read can
// be watched on its own: each call is recorded by name, runs `during` (what the user or the line
// does meanwhile) and returns the result set for it (true unless told otherwise).
class FakeTransfers : public DeviceTransfers {
public:
    using DeviceTransfers::DeviceTransfers;

    QStringList calls;
    QMap<QString, bool> results;
    std::function<void(const QString& call)> during;

    bool ParametreHostOku() override { return run(QStringLiteral("ParametreHostOku")); }
    bool ParametreHostYaz() override { return run(QStringLiteral("ParametreHostYaz")); }
    bool IDOKUHost() override { return run(QStringLiteral("IDOKUHost")); }
    bool readHeaderFromDevice() override { return run(QStringLiteral("readHeaderFromDevice")); }
    bool writeHeaderToDevice() override { return run(QStringLiteral("writeHeaderToDevice")); }
    bool IDYaz() override { return run(QStringLiteral("IDYaz")); }
    bool STPOKUHost() override { return run(QStringLiteral("STPOKUHost")); }
    bool STPYaz() override { return run(QStringLiteral("STPYaz")); }

private:
    bool run(const QString& call) {
        calls << call;
        if (during)
            during(call);
        return results.value(call, true);
    }
};
