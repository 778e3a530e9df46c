#pragma once

#include <QString>
#include <QStringList>

class OverlaySettingsStore;

// The program's command line: "--map-port COMn=DEVICE" (or "--map-port=COMn=DEVICE"), any number
// of times, points port COMn at DEVICE (section "Ports", key "COMn" of the store) for this run
// only. args[0] is the program itself. False, with the reason in *error, for anything else;
// nothing is set then.
bool applyProgramOptions(const QStringList& args, OverlaySettingsStore& store, QString* error);

extern const char* const kProgramUsage;
