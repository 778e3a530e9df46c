#pragma once

#include <QString>

struct AppContext;

// How a read ends when an answer fails, whichever page it reads for: the indicator is told to
// leave host mode (when the port still carries the line), the failed-answer box is shown (with
// the title given, if any, and nothing said once the window is closing), the connection dropped
// and the toolbar's progress bar hidden.

// Host mode off, as far as the port can still carry it.
void leaveHostMode(AppContext& ctx);
// The failed-answer box, the disconnect, the progress bar hidden; false, for the caller to return.
bool readFailed(AppContext& ctx, const QString& title = QString());
// Both, in that order: the usual end of a read in host mode.
bool hostReadFailed(AppContext& ctx, const QString& title = QString());
