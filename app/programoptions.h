#pragma once

#include <QString>
#include <QStringList>

class SettingsStore;

// The program's command line: "--map-port COMn=DEVICE" (or "--map-port=COMn=DEVICE"), any number
// of times, points port COMn at DEVICE by writing section "Ports", key "COMn" of the settings store
// before start-up. args[0] is the program itself. False, with the reason in *error, for anything
// else; nothing is written then.
bool applyProgramOptions(const QStringList& args, SettingsStore& store, QString* error);

extern const char* const kProgramUsage;
