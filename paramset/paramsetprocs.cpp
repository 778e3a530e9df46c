#include "paramset/paramsetprocs.h"

#include "link/textroutines.h"
#include "pages/gridlayout.h"
#include "pages/pagesprocs.h"
#include "paramset/parameterfile.h"
#include "paramset/recordcopy.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "session/context.h"
#include "session/mainwidgets.h"
#include "session/session.h"

#include <QDir>
#include <QFile>
#include <QSignalBlocker>

namespace {

const QString kUntitled = QStringLiteral("*.Vlm");

// The largest record a file can hold: the blank size and 31 texts of the longest count.
constexpr qint64 kLargestRecord = kParameterFileBlankSize + 31LL * VarText::kMaxSize;

// Language lines of the two file messages (ExtraText elements 18 and 19).
constexpr int kSaveFailedText = 18;
constexpr int kOpenRefusedText = 19;

void setTextQuietly(QLineEdit* box, const QString& text) {
    const QSignalBlocker block(box);
    box->setText(text);
}

} // namespace

void ParamsetProcs::wire() {
    if (m_wired)
        return;
    m_wired = true;
    wireFileMenu();
    wirePanels();
}

void ParamsetProcs::showFileNameInCaption() {
    const Session& s = m_ctx.session;
    QString caption = QStringLiteral("VELMORA v%1.%2").arg(VELMORA_VERSION_MAJOR).arg(VELMORA_VERSION_MINOR);
    if (s.ParamFileName != kUntitled)
        caption += QStringLiteral(" [") + s.ParamFileName + u']';
    if (m_ctx.w && m_ctx.w->AnaForm)
        m_ctx.w->AnaForm->setWindowTitle(caption);
}

bool ParamsetProcs::KayıtEt(int Index, const std::function<void()>& buildRecord) {
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

    if (buildRecord)
        buildRecord();
    if (!writeWholeFile(path, encodeParameterSet(s.CurrentParameterSet))) {
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

void ParamsetProcs::fillRecordFromPages() {
    BaslıkKaydı();
    IDKaydı();
    SetpointKaydı();
    PDaraKaydı();
    ParametreKaydet();
}

void ParamsetProcs::BaslıkKaydı() {
    MainWidgets& w = *m_ctx.w;
    ParameterSet& r = m_ctx.session.CurrentParameterSet;
    const bool headerCentred = w.Toolbar2Button[0][1]->isChecked();
    for (int i = 0; i < 4; ++i)
        r.HeaderLines[i] = ticketLine(w.Baslık[i]->text(), headerCentred);
    r.AlignmentFlags.HeaderCentred = headerCentred ? -1 : 0;
    const bool footerCentred = w.Toolbar2Button[1][1]->isChecked();
    for (int i = 0; i < 2; ++i)
        r.FooterLines[i] = ticketLine(w.DipNot[i]->text(), footerCentred);
    r.AlignmentFlags.FooterCentred = footerCentred ? -1 : 0;
    // A label text not edited since it was opened or read keeps its bytes.
    r.EplText.assign(m_ctx.pages->eplText());
}

void ParamsetProcs::IDKaydı() {
    ParameterSet& r = m_ctx.session.CurrentParameterSet;
    r.IdMemoryTable.IdTitles[0].assign(m_ctx.w->Text6->text());
    r.IdMemoryTable.IdTitles[1].assign(m_ctx.w->Text8->text());
    idMemoriesToRecord(r, *m_ctx.Grid1[GridIdMemories]);
}

void ParamsetProcs::SetpointKaydı() {
    ::SetpointKaydı(m_ctx.session.CurrentParameterSet, *m_ctx.Grid1[GridSetpoints]);
}

void ParamsetProcs::PDaraKaydı() {
    ::PDaraKaydı(m_ctx.session.CurrentParameterSet, *m_ctx.Grid1[GridPresetTares]);
}

void ParamsetProcs::ParametreKaydet() {
    ParameterSet& r = m_ctx.session.CurrentParameterSet;
    ::ParametreKaydet(r, *m_ctx.Grid1[GridParameters], m_ctx.session);
    r.IdMemoryTable.IdTitles[0].assign(m_ctx.w->Text6->text());
    r.IdMemoryTable.IdTitles[1].assign(m_ctx.w->Text8->text());
}

void ParamsetProcs::showParameterSet() {
    BaslıkOku();
    IDOKU();
    SetpointOku();
    ParametreOku();
    PDaraOku();

    // The boxes hold the bare texts; the fixed fields of the record arrive blank-padded.
    MainWidgets& w = *m_ctx.w;
    const ParameterSet& r = m_ctx.session.CurrentParameterSet;
    GridPage& ids = *m_ctx.Grid1[GridIdMemories];
    for (int k = 0; k < 4; ++k) {
        // Each quick box stands for a cell of ID rows 1 and 2 and keeps it in step.
        const QString text = trimTrailingBlanks(w.Text11[k]->text());
        setTextQuietly(w.Text11[k], text);
        ids.setTextMatrix(k / 2 + 1, k % 2 + 1, text);
    }
    auto bare = [](const QString& line, bool centred) { return centred ? trimBlanks(line) : trimTrailingBlanks(line); };
    for (int k = 0; k < 4; ++k)
        setTextQuietly(w.Baslık[k], bare(w.Baslık[k]->text(), r.AlignmentFlags.HeaderCentred != 0));
    for (int k = 0; k < 2; ++k)
        setTextQuietly(w.DipNot[k], bare(w.DipNot[k]->text(), r.AlignmentFlags.FooterCentred != 0));
    {
        const QSignalBlocker block(w.EPL);
        m_ctx.pages->setEplText(trimTrailingBlanks(m_ctx.pages->eplText()));
    }
    setTextQuietly(w.Text6, trimTrailingBlanks(w.Text6->text()));
    setTextQuietly(w.Text8, trimTrailingBlanks(w.Text8->text()));
}

void ParamsetProcs::BaslıkOku() {
    MainWidgets& w = *m_ctx.w;
    const ParameterSet& r = m_ctx.session.CurrentParameterSet;
    for (int i = 0; i < 4; ++i)
        setTextQuietly(w.Baslık[i], r.HeaderLines[i].text().left(20));
    for (int i = 0; i < 2; ++i)
        setTextQuietly(w.DipNot[i], r.FooterLines[i].text().left(20));
    {
        const QSignalBlocker block(w.EPL);
        m_ctx.pages->setEplText(r.EplText.text());
    }
    // Button 1 (centre) is pressed for any flag but 0, button 2 (left) for any flag but -1.
    const qint16 flags[] = {r.AlignmentFlags.HeaderCentred, r.AlignmentFlags.FooterCentred};
    for (int bar = 0; bar < 2; ++bar) {
        for (int button : {1, 2}) {
            QAction* action = w.Toolbar2Button[bar][button];
            const QSignalBlocker block(action);
            action->setChecked(button == 1 ? flags[bar] != 0 : qint16(~flags[bar]) != 0);
        }
    }
}

void ParamsetProcs::IDOKU() {
    MainWidgets& w = *m_ctx.w;
    const IdMemoryFields& ids = m_ctx.session.CurrentParameterSet.IdMemoryTable;
    setTextQuietly(w.Text6, ids.IdTitles[0].text());
    setTextQuietly(w.Text8, ids.IdTitles[1].text());
    for (int i = 0; i < 2; ++i) {
        setTextQuietly(w.Text11[2 * i], ids.IdCodes[i].text());
        setTextQuietly(w.Text11[2 * i + 1], trimTrailingBlanks(ids.IdTexts[i].text()));
    }
    idMemoriesFromRecord(m_ctx.session.CurrentParameterSet, *m_ctx.Grid1[GridIdMemories]);
}

void ParamsetProcs::SetpointOku() {
    ::SetpointOku(m_ctx.session.CurrentParameterSet, *m_ctx.Grid1[GridSetpoints]);
}

void ParamsetProcs::ParametreOku() {
    const ParameterSet& r = m_ctx.session.CurrentParameterSet;
    ::ParametreOku(r, *m_ctx.Grid1[GridParameters], m_ctx.session);
    setTextQuietly(m_ctx.w->Text6, r.IdMemoryTable.IdTitles[0].text());
    setTextQuietly(m_ctx.w->Text8, r.IdMemoryTable.IdTitles[1].text());
}

void ParamsetProcs::PDaraOku() {
    ::PDaraOku(m_ctx.session.CurrentParameterSet, *m_ctx.Grid1[GridPresetTares]);
}
