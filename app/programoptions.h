#pragma once

#include <QString>
#include <QStringList>

class OverlaySettingsStore;

enum class ProgramOptions { Run, Help, Refused };

// The program's command line: "--map-port COMn=DEVICE" (or "--map-port=COMn=DEVICE"), any number
// of times, points port COMn at DEVICE (section "Ports", key "COMn" of the store) for this run
// only; "--help" (or "-h") asks for the usage. args[0] is the program itself. Refused, with the
// reason in *error, for anything else. Nothing is set unless the result is Run.
ProgramOptions applyProgramOptions(const QStringList& args, OverlaySettingsStore& store, QString* error);

extern const char* const kProgramUsage;
