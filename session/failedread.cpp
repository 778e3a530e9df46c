#include "session/failedread.h"

#include "link/transaction.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/serialport.h"
#include "session/context.h"
#include "session/mainwidgets.h"
#include "session/session.h"
#include "session/windowservices.h"

#include <QProgressBar>

namespace {
constexpr int kFailedAnswerText = 0;
}

void leaveHostMode(AppContext& ctx) {
    // Best effort: a port that closed itself on a line error carries nothing.
    if (ctx.port.isOpen())
        ctx.link.HostYazdır(false);
}

bool readFailed(AppContext& ctx, const QString& title) {
    if (!ctx.clock.isShuttingDown())
        ctx.dialogs.messageBox(MessageTables::at(ctx.session.messages.ErrorText, kFailedAnswerText), MsgButtons::Ok,
                               MsgIcon::Critical, title);
    if (ctx.window)
        ctx.window->Image2_Click(1);
    else
        ctx.session.Connected = false;
    if (ctx.w)
        ctx.w->ProgressBar3->hide();
    return false;
}

bool hostReadFailed(AppContext& ctx, const QString& title) {
    leaveHostMode(ctx);
    return readFailed(ctx, title);
}
