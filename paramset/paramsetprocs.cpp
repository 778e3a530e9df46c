#include "paramset/paramsetprocs.h"

#include "app/context.h"
#include "app/mainwidgets.h"
#include "app/session.h"
#include "paramset/parameterfile.h"
#include "platform/dialogs.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

const QString kUntitled = QStringLiteral("*.Vlm");

// The largest record a file can hold: the blank size and 31 texts of the longest count.
constexpr qint64 kLargestRecord = kParameterFileBlankSize + 31LL * VarText::kMaxSize;

// Language lines of the two file messages (ExtraText elements 18 and 19).
constexpr int kSaveFailedText = 18;
constexpr int kOpenRefusedText = 19;

} // namespace

void ParamsetProcs::wire() {
    if (m_wired)
        return;
    m_wired = true;
}

void ParamsetProcs::showFileNameInCaption() {
    const Session& s = m_ctx.session;
    QString caption = QStringLiteral("VELMORA v%1.%2").arg(VELMORA_VERSION_MAJOR).arg(VELMORA_VERSION_MINOR);
    if (s.ParamFileName != kUntitled)
        caption += QStringLiteral(" [") + s.ParamFileName + u']';
    if (m_ctx.w && m_ctx.w->AnaForm)
        m_ctx.w->AnaForm->setWindowTitle(caption);
}

bool ParamsetProcs::KayıtEt(int Index) {
    Session& s = m_ctx.session;
    QString path = s.ParamFilePath;
    FilePathParts parts{s.AppFolder, s.ParamFileName};
    if (s.ParamFileName == kUntitled || Index == 4) {
        const QString chosen = m_ctx.dialogs.saveFileName(QString(), s.AppFolder, QString(), s.ParamFileName);
        if (chosen.isEmpty())
            return false;
        path = chosen;
        parts = splitFilePath(chosen);
    }
    if (!parts.name.contains(u'.')) {
        path += QStringLiteral(".vlm");
        parts.name += QStringLiteral(".vlm");
    }

    QSaveFile file(path);
    const QByteArray image = encodeParameterSet(s.CurrentParameterSet);
    if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size() || !file.commit()) {
        file.cancelWriting();
        m_ctx.dialogs.messageBox(MessageTables::at(s.messages.ExtraText, kSaveFailedText) + u'\n' +
                                     QDir::toNativeSeparators(path),
                                 MsgButtons::Ok, MsgIcon::Critical);
        return false;
    }

    s.ParamFilePath = path;
    s.AppFolder = parts.folder;
    s.ParamFileName = parts.name;
    showFileNameInCaption();
    return true;
}

bool ParamsetProcs::readParameterSetFile(const QString& path) {
    Session& s = m_ctx.session;
    std::optional<ParameterSet> record;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        record = decodeParameterSet(file.read(kLargestRecord));
    if (!record) {
        m_ctx.dialogs.messageBox(MessageTables::at(s.messages.ExtraText, kOpenRefusedText) + u'\n' +
                                     QDir::toNativeSeparators(path),
                                 MsgButtons::Ok, MsgIcon::Critical);
        return false;
    }
    s.CurrentParameterSet = *record;
    DosyaDizin(s, path);
    s.ParamFilePath = s.AppFolder + s.ParamFileName;
    showFileNameInCaption();
    return true;
}
