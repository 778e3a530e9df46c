#include "app/programoptions.h"

#include "platform/settingsstore.h"

#include <QList>
#include <QPair>
#include <QRegularExpression>

const char* const kProgramUsage =
    "usage: velmora [--map-port COMn=DEVICE]...\n"
    "  --map-port COMn=DEVICE  use DEVICE (for example /dev/ttyUSB0 or /dev/pts/3) as port COMn\n"
    "  --help                  show this text\n";

ProgramOptions applyProgramOptions(const QStringList& args, OverlaySettingsStore& store, QString* error) {
    static const QRegularExpression mapping(QStringLiteral("^(COM[1-9][0-9]*)=(.+)$"));
    QList<QPair<QString, QString>> mappings;
    for (int i = 1; i < args.size(); ++i) {
        QString value;
        if (args[i] == QLatin1String("--help") || args[i] == QLatin1String("-h")) {
            return ProgramOptions::Help;
        } else if (args[i] == QLatin1String("--map-port")) {
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("--map-port needs COMn=DEVICE");
                return ProgramOptions::Refused;
            }
            value = args[++i];
        } else if (args[i].startsWith(QLatin1String("--map-port="))) {
            value = args[i].mid(QStringLiteral("--map-port=").size());
        } else {
            *error = QStringLiteral("unknown option %1").arg(args[i]);
            return ProgramOptions::Refused;
        }
        const QRegularExpressionMatch m = mapping.match(value);
        if (!m.hasMatch()) {
            *error = QStringLiteral("--map-port needs COMn=DEVICE, not \"%1\"").arg(value);
            return ProgramOptions::Refused;
        }
        mappings.append({m.captured(1), m.captured(2)});
    }
    for (const auto& [port, device] : mappings)
        store.setForThisRun(QStringLiteral("Ports"), port, device);
    return ProgramOptions::Run;
}
