#include "paramset/devicetransfers.h"

#include "link/commandcodes.h"
#include "link/frames.h"
#include "link/textroutines.h"
#include "link/transaction.h"
#include "pages/gridlayout.h"
#include "pages/gridpage.h"
#include "pages/pagesprocs.h"
#include "paramset/blocks.h"
#include "paramset/devicerecords.h"
#include "platform/basic.h"
#include "platform/cp1254.h"
#include "platform/dialogs.h"
#include "platform/serialport.h"
#include "session/context.h"
#include "session/failedread.h"
#include "session/mainwidgets.h"
#include "session/session.h"
#include "session/windowservices.h"

#include <vector>

namespace {

// Message lines: ErrorText(0) a failed answer, StatusText(2) its title where one is shown, and the
// ExtraText elements of the writes that are refused before anything is sent.
constexpr int kFailedAnswerTitle = 2;
constexpr int kSetpointRefusedText = 37;
constexpr int kByteRowRefusedText = 38;
constexpr int kLabelTooLongText = 39;
constexpr int kClockNotValidText = 40;

const QString kLg = QStringLiteral("Lg");
const QString kBy = QStringLiteral("By");

// Send-panel boxes.
constexpr int kSendHeader = 0;
constexpr int kSendSetpoints = 3;
constexpr int kSendCalibration = 5;
constexpr int kSendConfigJmp = 6;
constexpr int kSendConfigNrm = 7;
constexpr int kSendClock = 8;

// Rows of the parameter page that the read hides: for a first-model indicator, and always.
constexpr int kSecondModelRows[] = {1, 14, 18, 19, 20, 21, 27, 52, 54, 55};
constexpr int kNeverShownRows[] = {22, 62, 63, 64, 65, 66, 68, 74};

void setProgress(QProgressBar* bar, int value) {
    if (value > bar->maximum())
        bar->setMaximum(value);
    bar->setValue(value);
}

} // namespace

// ---- Shared steps ----

Session& DeviceTransfers::session() {
    return m_ctx.session;
}

DeviceLink& DeviceTransfers::link() {
    return m_ctx.link;
}

MainWidgets& DeviceTransfers::widgets() {
    return *m_ctx.w;
}

bool DeviceTransfers::aborted() const {
    return m_ctx.session.AbortRequested;
}

QString DeviceTransfers::command(int code, double wait) {
    return link().writeExchange(CommandRegister, 2, kLg, code, wait);
}

bool DeviceTransfers::refuse(int extraText, const QString& detail) {
    QString text = MessageTables::at(session().messages.ExtraText, extraText);
    if (!detail.isEmpty())
        text += u'\n' + detail;
    m_ctx.dialogs.messageBox(text, MsgButtons::Ok, MsgIcon::Critical);
    return false;
}

void DeviceTransfers::showProgress3(int value) {
    QProgressBar* bar = widgets().ProgressBar3;
    bar->setRange(0, 10);
    bar->setValue(value);
    bar->show();
}

// ---- Values the indicator cannot hold ----

bool DeviceTransfers::ticked(int box) const {
    const QCheckBox* b = m_ctx.w->SSCheck2[box];
    return b->isChecked() && b->isEnabled() && !b->isHidden();
}

bool DeviceTransfers::checkWrites() {
    if (ticked(kSendHeader) && !m_ctx.w->Option3[0]->isChecked() && !labelTextFits(nullptr))
        return false;
    if (ticked(kSendSetpoints) && !setpointsFit(nullptr))
        return false;
    return byteRowsFit();
}

bool DeviceTransfers::byteRowsFit() {
    const GridPage& page = *m_ctx.Grid1[GridParameters];
    const ParameterValues& values = session().param;
    QList<int> outOfRange;
    if (ticked(kSendCalibration))
        outOfRange += calibrationWrites(page, values).rowsOutOfByteRange;
    if (ticked(kSendConfigJmp))
        outOfRange += configJmpWrites(page).rowsOutOfByteRange;
    if (ticked(kSendConfigNrm))
        outOfRange += configNrmWrites(page, values).rowsOutOfByteRange;
    if (outOfRange.isEmpty())
        return true;
    QStringList rows;
    for (int r : outOfRange)
        rows << page.TextMatrix(r, 0).trimmed() + QStringLiteral(": ") + page.TextMatrix(r, 1);
    return refuse(kByteRowRefusedText, rows.join(u'\n'));
}

bool DeviceTransfers::setpointsFit(std::vector<std::array<qint32, 3>>* records) {
    const SetpointFields& table = session().CurrentParameterSet.SetpointTable;
    const int decimals = int(session().DivisionDecimals.size());
    const int last = qMin(m_ctx.Grid1[GridSetpoints]->Rows() - 1, SetpointFields::kCount);
    for (int n = 0; n < last; ++n) {
        std::array<qint32, 3> values{};
        for (int k = 0; k < 3; ++k) {
            const VarText& entry = k == 0 ? table.Setpoint1[n] : k == 1 ? table.Setpoint2[n] : table.Setpoint3[n];
            const std::optional<qint32> v = setpointValue(entry.text(), decimals);
            if (!v)
                return refuse(kSetpointRefusedText,
                              QStringLiteral("%1 / %2: %3").arg(n + 1).arg(k + 1).arg(entry.text()));
            values[k] = *v;
        }
        if (records)
            records->push_back(values);
    }
    return true;
}

bool DeviceTransfers::labelTextFits(QString* text) {
    const QString t = labelTextToSend(m_ctx.pages->eplText());
    if (cp1254::encode(t).size() > kLabelTextBytes)
        return refuse(kLabelTooLongText);
    if (text)
        *text = t;
    return true;
}

// ---- Parameter page ----

bool DeviceTransfers::ParametreHostOku() {
    Session& s = session();
    DeviceLink& dl = link();
    MainWidgets& w = widgets();
    GridPage& page = *m_ctx.Grid1[GridParameters];

    dl.HostYazdır(true);
    m_ctx.pages->hideEditors(GridParameters); // the date/time panel too
    if (!s.isQM2())
        for (int r : kSecondModelRows)
            page.setRowHeight(r, 0);
    for (int r : kNeverShownRows)
        page.setRowHeight(r, 0);
    showProgress3(0);
    w.ProgressBar1->setRange(0, 15);
    w.ProgressBar1->setValue(0);

    // Every answer is checked whole before any of it reaches the page; a failed one ends the read
    // with the indicator told to leave host mode.
    auto fail = [this] { return hostReadFailed(m_ctx); };

    if (!link().acknowledged(command(CmdLoadClock, s.ReadWaitTime), 2))
        return fail();
    w.ProgressBar1->setValue(1);
    const QString clock = dl.readExchange(kClockRegister, kClockBytes, s.ReadWaitTime);
    w.ProgressBar1->setValue(2);
    if (!link().answerData(clock, kClockBytes))
        return fail();
    page.setTextMatrix(1, 1, dl.DecodeAnswer(clock, QStringLiteral("Tarih")).toText());
    w.ProgressBar1->setValue(3);
    showProgress3(2);

    const QString calibrationAck = command(CmdLoadCalibration);
    w.ProgressBar1->setValue(4);
    showProgress3(3);
    if (!link().acknowledged(calibrationAck, 2))
        return fail();
    w.ProgressBar1->setValue(5);
    const QString calibration = dl.readExchange(kCalibrationBlockRegister, kCalibrationBlockBytes, s.ReadWaitTime);
    w.ProgressBar1->setValue(6);
    showProgress3(4);
    if (!CalibrasyonYerleştir(calibration, s.DeviceAddress, s.ChecksumOn, page, s, dl.logSink()))
        return fail();
    w.ProgressBar1->setValue(7);
    showProgress3(5);

    const QString configurationAck = command(CmdLoadConfiguration);
    w.ProgressBar1->setValue(8);
    if (!link().acknowledged(configurationAck, 2))
        return fail();
    QString first = dl.readExchange(kConfigurationBlockRegister, kConfigHalfBytes, 0.2);
    if (!ConfigurationYerleştir(first, s.DeviceAddress, s.ChecksumOn, dl.logSink()))
        return fail();
    QString second = dl.readExchange(kConfigSecondHalfRegister, kConfigHalfBytes, 0.2);
    w.ProgressBar1->setValue(9);
    showProgress3(6);
    if (!ConfigurationYerleştir(second, s.DeviceAddress, s.ChecksumOn, dl.logSink()))
        return fail();
    w.ProgressBar1->setValue(10);
    if (!ConfigurationYerleş(first + second, page, s))
        return fail();
    w.ProgressBar1->setValue(11);
    showProgress3(7);

    const QString version = dl.readExchange(kVersionTextRegister, kIdentTextBytes, 0.2);
    w.ProgressBar1->setValue(12);
    showProgress3(8);
    if (!link().answerData(version, kIdentTextBytes))
        return fail();
    const QString model = dl.DecodeAnswer(version, QStringLiteral("Tx")).toText();
    QString modelName;
    if (model.left(3) == QLatin1String("QM1"))
        modelName = MessageTables::at(s.messages.ModelText, 0);
    else if (model.left(3) == QLatin1String("QM2"))
        modelName = MessageTables::at(s.messages.ModelText, 1);
    page.setTextMatrix(82, 1, modelName + model.mid(3));
    w.ProgressBar1->setValue(13);
    showProgress3(9);

    const QString info = dl.readExchange(kInfoTextRegister, kIdentTextBytes, 0.2);
    w.ProgressBar1->setValue(14);
    if (!link().answerData(info, kIdentTextBytes))
        return fail();
    const QString infoText = dl.DecodeAnswer(info, QStringLiteral("Tx")).toText();
    page.setTextMatrix(83, 1, infoText.left(qMax<qsizetype>(0, infoText.size() - 1)));
    w.ProgressBar1->setValue(15);
    showProgress3(10);
    w.ProgressBar3->hide();

    // Only a page read whole may be sent back as calibration or configuration.
    for (int k : {kSendCalibration, kSendConfigJmp, kSendConfigNrm})
        w.SSCheck2[k]->setEnabled(true);
    dl.HostYazdır(false);
    return true;
}

bool DeviceTransfers::ParametreHostYaz() {
    Session& s = session();
    DeviceLink& dl = link();
    MainWidgets& w = widgets();
    GridPage& page = *m_ctx.Grid1[GridParameters];
    const bool clockGroup = ticked(kSendClock);
    const bool calibrationGroup = ticked(kSendCalibration);
    const bool jmpGroup = ticked(kSendConfigJmp);
    const bool nrmGroup = ticked(kSendConfigNrm);
    if (!byteRowsFit())
        return false;
    const BlockWrites calibration = calibrationWrites(page, s.param);
    const BlockWrites jmp = configJmpWrites(page);
    const BlockWrites nrm = configNrmWrites(page, s.param);

    QProgressBar* bar = w.ProgressBar2;
    auto step = [bar](int value) { setProgress(bar, value); };
    auto write = [&](const RegisterWrite& rw) {
        dl.CihazaGönder(s.DeviceAddress, rw.firstRegister, rw.byteCount, s.ChecksumOn, kBy, rw.data);
    };
    auto store = [&](int code) { dl.CihazaGönder(s.DeviceAddress, CommandRegister, 2, s.ChecksumOn, kLg, code); };
    // After an abort nothing more is written or committed; the indicator still leaves host mode.
    auto abortWrite = [this] {
        leaveHostMode(m_ctx);
        return false;
    };

    if (clockGroup) {
        const std::optional<QString> payload = ClockPayload(page.TextMatrix(1, 1));
        if (!payload) {
            refuse(kClockNotValidText, page.TextMatrix(1, 1));
        } else {
            dl.CihazaGönder(s.DeviceAddress, kClockRegister, kClockBytes, s.ChecksumOn, kBy, *payload);
            if (aborted())
                return abortWrite();
            step(1);
            store(CmdStoreClock);
            if (aborted())
                return abortWrite();
            step(2);
        }
    }

    if (calibrationGroup) {
        w.Label6->setText(MessageTables::at(s.messages.WriteText, 0));
        bar->setRange(0, 20);
        bar->setValue(0);
        command(CmdHostModeOn, s.ReadWaitTime);
        if (aborted())
            return abortWrite();
        step(7);
        for (int k = 0; k < calibration.writes.size(); ++k) {
            write(calibration.writes[k]);
            if (aborted())
                return abortWrite();
            step(k == 0 ? 15 : k == 1 ? 20 : 16);
        }
        store(CmdStoreCalibration);
        if (aborted())
            return abortWrite();
        step(17);
        command(CmdHostModeOff, s.ReadWaitTime);
    }

    if (jmpGroup) {
        if (aborted())
            return abortWrite();
        w.Label6->setText(MessageTables::at(s.messages.WriteText, 1));
        bar->setRange(0, 15);
        bar->setValue(0);
        command(CmdHostModeOn, s.ReadWaitTime);
        if (aborted())
            return abortWrite();
        step(9);
        for (const RegisterWrite& rw : jmp.writes) {
            write(rw);
            if (aborted())
                return abortWrite();
        }
        step(10);
        store(CmdStoreConfigJmp);
        if (aborted())
            return abortWrite();
        step(15);
        command(CmdHostModeOff, s.ReadWaitTime);
    }

    if (nrmGroup) {
        if (aborted())
            return abortWrite();
        dl.HostYazdır(true);
        if (aborted())
            return abortWrite();
        w.Label6->setText(MessageTables::at(s.messages.WriteText, 2));
        bar->setRange(0, 55);
        step(16);
        if (nrm.row21Text)
            page.setTextMatrix(21, 1, *nrm.row21Text);
        for (int k = 0; k < nrm.writes.size(); ++k) {
            write(nrm.writes[k]);
            if (aborted())
                return abortWrite();
            // The port-B write leaves one more answer on the line, which is taken and dropped.
            if (nrm.writes[k].firstRegister == 171)
                dl.IntOku();
            step(bar->value() + 4);
        }
        store(CmdStoreConfigNrm);
        if (aborted())
            return abortWrite();
        step(49);
        dl.WaitSeconds(s.ReadWaitTime);
        step(51);
        dl.HostYazdır(false);
    }
    return true;
}

// ---- ID memories and titles ----

std::optional<QString> DeviceTransfers::readIdTitle(int number) {
    Session& s = session();
    DeviceLink& dl = link();
    // Each answer is checked whole before the next frame goes out, as for the records.
    if (!link().acknowledged(dl.writeExchange(kIdTitleRegister, kSelectorBytes, kBy, selectorData(number)),
                             kSelectorBytes))
        return std::nullopt;
    if (!link().acknowledged(command(CmdLoadIdHeader), 2))
        return std::nullopt;
    const QString answer = dl.readExchange(kIdTitleRegister, kIdTitleBytes, s.ReadWaitTime);
    showProgress3(0);
    if (!link().answerData(answer, kIdTitleBytes))
        return std::nullopt;
    return TrimAtNul(dl.DecodeAnswer(answer, QStringLiteral("IDB")).toText());
}

bool DeviceTransfers::IDOKUHost() {
    Session& s = session();
    DeviceLink& dl = link();
    MainWidgets& w = widgets();
    GridPage& page = *m_ctx.Grid1[GridIdMemories];

    command(CmdHostModeOn, s.ReadWaitTime);
    m_ctx.pages->hideEditors(GridIdMemories);
    showProgress3(0);
    const int last = page.Rows() - 1;
    w.ProgressBar1->setRange(0, qMax(0, last));
    w.ProgressBar1->setValue(0);

    // A title that does not come whole fails the read like a record: its box keeps its text.
    bool ok = true;
    for (int title = 0; title < 2 && ok; ++title) {
        if (const std::optional<QString> text = readIdTitle(title))
            (title == 0 ? w.Text6 : w.Text8)->setText(*text);
        else
            ok = readFailed(m_ctx);
    }

    int counter = 0;
    for (int i = 1; i <= last && ok; ++i) {
        if (aborted())
            break;
        if (i % 10 == 0 && ++counter < 10)
            showProgress3(counter);
        w.ProgressBar1->setValue(i);

        const QString selected =
            dl.writeExchange(kIdRecordRegister, kSelectorBytes, kBy, selectorData(idNumberOfRow(i)));
        if (aborted())
            break;
        if (!link().acknowledged(selected, kSelectorBytes)) {
            ok = readFailed(m_ctx);
            break;
        }
        const QString loaded = command(CmdLoadIdRecord);
        if (aborted())
            break;
        if (!link().acknowledged(loaded, 2)) {
            ok = readFailed(m_ctx);
            break;
        }
        dl.sendFrame(BuildReadFrame(s.DeviceAddress, kIdRecordRegister, kIdRecordBytes, s.ChecksumOn));
        if (aborted())
            break;
        dl.WaitSeconds(0.01);
        const QString answer = dl.IntOku();
        if (!link().answerData(answer, kIdRecordBytes)) {
            ok = readFailed(m_ctx);
            break;
        }
        const IdMemory memory = idMemoryOf(dl.DecodeAnswer(answer, QStringLiteral("ID")).toText());
        if (aborted())
            break;
        page.setTextMatrix(i, 1, memory.code);
        page.setTextMatrix(i, 2, memory.name);
        if (i <= 2) {
            w.Text11[2 * (i - 1)]->setText(memory.code);
            w.Text11[2 * (i - 1) + 1]->setText(memory.name);
        }
    }
    showProgress3(10);
    w.ProgressBar3->hide();
    command(CmdHostModeOff, s.ReadWaitTime);
    return ok && !aborted();
}

bool DeviceTransfers::IDYaz() {
    Session& s = session();
    DeviceLink& dl = link();
    MainWidgets& w = widgets();
    const IdMemoryFields& ids = s.CurrentParameterSet.IdMemoryTable;
    const int last = qMin(m_ctx.Grid1[GridIdMemories]->Rows() - 1, IdMemoryFields::kCount);

    command(CmdHostModeOn, s.ReadWaitTime);
    w.ProgressBar2->setRange(0, qMax(0, last));
    w.ProgressBar2->setValue(0);

    auto store = [&](int code) { dl.CihazaGönder(s.DeviceAddress, CommandRegister, 2, s.ChecksumOn, kLg, code); };
    bool done = !aborted();
    for (int r = 1; r <= last && done; ++r) {
        w.ProgressBar2->setValue(r);
        const int number = idNumberOfRow(r);
        dl.WaitSeconds(s.ReadWaitTime);
        dl.CihazaGönder(s.DeviceAddress, kIdRecordRegister, kIdRecordBytes, s.ChecksumOn, kBy,
                        idRecordData(number, ids.IdCodes[r - 1].text(), ids.IdTexts[r - 1].bytes()));
        if (aborted())
            done = false;
        else
            store(CmdStoreIdRecord);
        if (aborted())
            done = false;
    }
    for (int title = 0; title < 2 && done; ++title) {
        const QLineEdit* box = title == 0 ? w.Text6 : w.Text8;
        dl.writeExchange(kIdTitleRegister, kIdTitleBytes, kBy, idTitleData(title, box->text()), s.ReadWaitTime);
        if (aborted())
            done = false;
        else
            command(CmdStoreIdHeader, 0.2);
        if (aborted())
            done = false;
    }
    if (done)
        dl.WaitSeconds(1);
    command(CmdHostModeOff, s.ReadWaitTime);
    return done;
}

// ---- Setpoints ----

bool DeviceTransfers::STPOKUHost() {
    Session& s = session();
    DeviceLink& dl = link();
    MainWidgets& w = widgets();
    GridPage& page = *m_ctx.Grid1[GridSetpoints];

    dl.HostYazdır(true);
    m_ctx.pages->hideEditors(GridSetpoints);
    showProgress3(0);
    const int last = page.Rows() - 1;
    w.ProgressBar1->setRange(0, qMax(0, last));
    w.ProgressBar1->setValue(0);

    auto fail = [this] { return hostReadFailed(m_ctx); };
    for (int r = 1; r <= last && !aborted(); ++r) {
        w.ProgressBar1->setValue(r);
        if (r < 11)
            showProgress3(r);
        const QString selected = dl.writeExchange(kSetpointRecordRegister, kSelectorBytes, kBy, selectorData(r - 1));
        if (aborted())
            break;
        if (!link().acknowledged(selected, kSelectorBytes))
            return fail();
        const QString loaded = command(CmdLoadSetpoint);
        if (aborted())
            break;
        if (!link().acknowledged(loaded, 2))
            return fail();
        const QString answer = dl.readExchange(kSetpointRecordRegister, kSetpointRecordBytes, s.ReadWaitTime);
        if (aborted())
            break;
        if (!link().answerData(answer, kSetpointRecordBytes))
            return fail();
        const QStringList values = dl.DecodeAnswer(answer, QStringLiteral("STP")).toText().split(QChar(0x00B0));
        if (aborted())
            break;
        for (int k = 1; k <= 3; ++k) {
            const double v = k <= values.size() ? basic::Val(values[k - 1]) : 0;
            page.setTextMatrix(r, k, InsertDecimalComma(basic::Str(SetPointFormül(v)), s));
        }
    }
    w.ProgressBar3->hide();
    dl.HostYazdır(false);
    return !aborted();
}

bool DeviceTransfers::STPYaz() {
    Session& s = session();
    DeviceLink& dl = link();
    MainWidgets& w = widgets();
    SetpointFields& table = s.CurrentParameterSet.SetpointTable;
    const int last = qMin(m_ctx.Grid1[GridSetpoints]->Rows() - 1, SetpointFields::kCount);
    auto column = [&table](int k, int n) -> VarText& {
        return k == 0 ? table.Setpoint1[n] : k == 1 ? table.Setpoint2[n] : table.Setpoint3[n];
    };

    std::vector<std::array<qint32, 3>> records;
    if (!setpointsFit(&records))
        return false;

    dl.HostYazdır(true);
    w.ProgressBar2->setRange(0, qMax(0, last));
    w.ProgressBar2->setValue(0);
    bool done = !aborted();
    for (int r = 1; r <= last && done; ++r) {
        const int n = r - 1;
        w.ProgressBar2->setValue(r);
        for (int k = 0; k < 3; ++k)
            if (column(k, n).bytes.isEmpty())
                column(k, n).assign(QStringLiteral("0"));
        dl.CihazaGönder(s.DeviceAddress, kSetpointRecordRegister, kSetpointRecordBytes, s.ChecksumOn, kBy,
                        setpointRecordData(n, records[size_t(n)]));
        if (aborted())
            done = false;
        else
            dl.CihazaGönder(s.DeviceAddress, CommandRegister, 2, s.ChecksumOn, kLg, CmdStoreSetpoint);
        if (aborted())
            done = false;
    }
    dl.HostYazdır(false);
    return done;
}

// ---- Ticket lines and label text ----

bool DeviceTransfers::readHeaderFromDevice() {
    Session& s = session();
    DeviceLink& dl = link();
    MainWidgets& w = widgets();
    auto fail = [this](const QString& title = QString()) { return hostReadFailed(m_ctx, title); };

    dl.HostYazdır(true);
    if (w.Option3[0]->isChecked()) {
        w.ProgressBar1->setRange(0, 10);
        w.ProgressBar1->setValue(0);
        dl.sendFrame(BuildWriteFrame(s.DeviceAddress, CommandRegister, 2, s.ChecksumOn, kLg, CmdLoadHeader));
        w.ProgressBar1->setValue(1);
        showProgress3(1);
        dl.WaitSeconds(0.05);
        if (!link().acknowledged(dl.IntOku(), 2))
            return fail(MessageTables::at(s.messages.StatusText, kFailedAnswerTitle));
        w.ProgressBar1->setValue(3);
        showProgress3(3);
        for (const TicketLine& line : kTicketLines) {
            const QString answer = dl.readExchange(line.firstRegister, line.bytes, s.ReadWaitTime);
            const std::optional<QString> data = link().answerData(answer, line.bytes);
            if (!data)
                return fail();
            QLineEdit* box = line.footer ? w.DipNot[line.index] : w.Baslık[line.index];
            box->setText(ticketLineText(*data));
            setProgress(w.ProgressBar1, w.ProgressBar1->value() + 1);
            showProgress3(w.ProgressBar1->value());
        }
        w.ProgressBar1->setValue(10);
        showProgress3(10);
    } else {
        showProgress3(1);
        w.ProgressBar1->setRange(0, 126);
        w.ProgressBar1->setValue(0);
        // The text is shown once it has been read whole; a failed read leaves the box as it was.
        QString text;
        int reg = kLabelTextRegister;
        int counter = 0;
        for (int pass = 1; pass <= kLabelTextBytes / kLabelReadPiece; ++pass) {
            if (pass % 25 == 0 && (counter += 2) < 11)
                showProgress3(counter);
            w.ProgressBar1->setValue(w.ProgressBar1->value() + 1);
            const std::optional<QString> data =
                link().answerData(dl.readExchange(reg, kLabelReadPiece), kLabelReadPiece);
            if (!data)
                return fail();
            const QString piece = bytesText(*data);
            text += TrimAtNul(piece);
            if (HasNul(piece))
                break;
            reg += kLabelReadPiece;
        }
        m_ctx.pages->setEplText(text);
    }
    w.ProgressBar3->hide();
    dl.HostYazdır(false);
    return true;
}

bool DeviceTransfers::writeHeaderToDevice() {
    Session& s = session();
    DeviceLink& dl = link();
    MainWidgets& w = widgets();
    auto send = [&](int reg, int bytes, const QString& hex) {
        dl.CihazaGönder(s.DeviceAddress, reg, bytes, s.ChecksumOn, kBy, hex);
    };
    auto store = [&](int code) { dl.CihazaGönder(s.DeviceAddress, CommandRegister, 2, s.ChecksumOn, kLg, code); };
    auto hexOf = [](const QByteArray& bytes) {
        QString out;
        for (char c : bytes)
            out += ZeroPad(2, basic::Hex(quint8(c)));
        return out;
    };

    if (w.Option3[0]->isChecked()) {
        dl.HostYazdır(true);
        ParameterSet& record = s.CurrentParameterSet;
        const QString nuls(20, QChar(0));
        for (int k = 0; k < 2; ++k)
            if (w.DipNot[k]->text().isEmpty())
                record.FooterLines[k].assign(nuls);
        for (int k = 0; k < 4; ++k)
            if (w.Baslık[k]->text().isEmpty())
                record.HeaderLines[k].assign(nuls);
        w.ProgressBar2->setRange(0, 10);
        w.ProgressBar2->setValue(0);
        bool done = !aborted();
        for (const TicketLine& line : kTicketLines) {
            if (!done)
                break;
            setProgress(w.ProgressBar2, w.ProgressBar2->value() + 1);
            const auto& member = line.footer ? record.FooterLines[line.index] : record.HeaderLines[line.index];
            const QString text = hexOf(member.bytes().left(20));
            send(line.firstRegister, line.bytes, line.bytes == 20 ? text : QStringLiteral("00") + text + "00");
            if (aborted()) {
                done = false;
                break;
            }
        }
        if (done) {
            setProgress(w.ProgressBar2, w.ProgressBar2->value() + 1);
            store(CmdStoreHeader);
            done = !aborted();
            if (done)
                w.ProgressBar2->setValue(10);
        }
        dl.HostYazdır(false);
        return done;
    }

    QString text;
    if (!labelTextFits(&text))
        return false;
    dl.HostYazdır(true);
    if (aborted()) {
        leaveHostMode(m_ctx);
        return false;
    }
    w.ProgressBar2->setValue(0);
    m_ctx.pages->setEplText(text);
    const QStringList pieces = labelTextPieces(text);
    w.ProgressBar2->setRange(0, int(pieces.size()) + 1);
    int reg = kLabelTextRegister;
    for (const QString& piece : pieces) {
        w.ProgressBar2->setValue(w.ProgressBar2->value() + 1);
        send(reg, kLabelWritePiece, piece);
        reg += kLabelWritePiece;
        if (aborted()) {
            leaveHostMode(m_ctx);
            return false;
        }
    }
    store(CmdStoreEpl);
    const bool done = !aborted();
    dl.HostYazdır(false);
    return done;
}
