#include "calibration/calibrationprocs.h"

#include "calibration/calibrationregisters.h"
#include "calibration/setuplimits.h"
#include "link/commandcodes.h"
#include "link/frames.h"
#include "link/transaction.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/serialport.h"
#include "session/context.h"
#include "session/mainwidgets.h"
#include "session/session.h"
#include "session/windowservices.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTimer>

// Watches the span prompt (its hiding ends the prompt's wait) and filters the keys of its entry.
class CalibrationProcs::Filter : public QObject {
public:
    explicit Filter(CalibrationProcs& procs) : m_procs(procs) {}

    // Text that comes all at once, pasted, dropped or as a key that types several characters: each
    // character goes through the entry's key filter, and the text stops at the first one refused.
    void typeText10(const QString& text) {
        QLineEdit* box = m_procs.m_ctx.w->Text10;
        typeUntilRefused(text, [this, box](QChar c) {
            if (c.unicode() < 32)
                return false; // no control character: Enter would end the prompt
            const QString before = box->text();
            if (!m_procs.text10Key(0, QString(c))) {
                box->insert(QString(c));
                return true;
            }
            // A first decimal separator types a point; the filter swallows everything else.
            return box->text() != before;
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        MainWidgets* w = m_procs.m_ctx.w;
        if (!w)
            return false;
        if (watched == w->SSPanel8 && event->type() == QEvent::HideToParent) {
            if (m_procs.m_prompt)
                m_procs.m_prompt->quit();
        } else if (watched == w->Text10 && event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            const QString typed = typedText(*key);
            if (typed.size() > 1) {
                typeText10(typed);
                return true;
            }
            return m_procs.text10Key(key->key(), typed);
        }
        return false;
    }

private:
    CalibrationProcs& m_procs;
};

namespace {

constexpr int kOpenAttempts = 10;

} // namespace

CalibrationProcs::CalibrationProcs(AppContext& ctx)
    : m_ctx(ctx), m_choices(ctx.session.DefinitionTableN, ctx.session.DefinitionTableM1, ctx.session.DefinitionTableM2),
      m_filter(std::make_unique<Filter>(*this)) {
    m_shownList.fill(quint64(-1));
    m_shownCompanion.fill(quint64(-1));
    m_ctx.calibration = this;
}

CalibrationProcs::~CalibrationProcs() {
    if (m_ctx.calibration == this)
        m_ctx.calibration = nullptr;
}

void CalibrationProcs::wire() {
    if (m_wired || !m_ctx.w)
        return;
    m_wired = true;
    MainWidgets& w = *m_ctx.w;
    QObject* owner = w.AnaForm;

    // What the user does on the page waits for no device job; the span prompt's answers (below)
    // are what a running calibration itself waits for.
    Session& s = m_ctx.session;
    for (int i = 0; i < SetupChoices::ListCount; ++i)
        QObject::connect(w.Combo4[i], &QComboBox::activated, owner, [this, &s, i](int position) {
            // The lists are not changed under a device job that is filling them (the list shows
            // the model's choice again); a choice made during the live reading is taken when the
            // reading ends.
            unlessDeviceBusy(s, [this, i, position] {
                m_choices.choosePosition(i, position);
                showChoices();
            })();
            if (s.deviceBusy && !s.readingInBackground)
                showChoices();
        });
    for (int i = 1; i <= 4; ++i)
        QObject::connect(w.Combo44[i], &QComboBox::activated, owner, [this, &s, i](int position) {
            unlessDeviceBusy(s, [this, i, position] { Combo44_Click(i, position); })();
            if (s.deviceBusy && !s.readingInBackground)
                showChoices();
        });
    QObject::connect(w.Command1, &QPushButton::clicked, owner, unlessDeviceBusy(s, [this] { Command1_Click(); }));

    for (int i = 0; i < 3; ++i)
        QObject::connect(w.Option1[i], &QRadioButton::clicked, owner,
                         unlessDeviceBusy(s, [this, i] { Option1_Click(i); }));
    QObject::connect(w.SSCommand3, &QPushButton::clicked, owner, unlessDeviceBusy(s, [this] { SSCommand3_Click(); }));
    for (int i = 0; i < 2; ++i)
        QObject::connect(w.SSCommand11[i], &QPushButton::clicked, owner, [this, i] { SSCommand11_Click(i); });
    w.SSPanel8->installEventFilter(m_filter.get());
    w.Text10->installEventFilter(m_filter.get());
    // Pasted or dropped text is typed key by key through the same filter.
    (new InsertGuard(owner))->guard(w.Text10, [filter = m_filter.get()](const QString& text) {
        filter->typeText10(text);
    });

    QObject::connect(w.SSCommand6, &QPushButton::clicked, owner, [this] { SSCommand6_Click(); });

    QObject::connect(w.SSCommand5, &QPushButton::clicked, owner, unlessDeviceBusy(s, [this] { SSCommand5_Click(); }));
    for (int i = 0; i < 2; ++i) {
        QObject::connect(w.Option5[i], &QRadioButton::clicked, owner,
                         unlessDeviceBusy(s, [this, i] { Option5_Click(i); }));
        QObject::connect(w.Option6[i], &QRadioButton::clicked, owner,
                         unlessDeviceBusy(s, [this, i] { Option6_Click(i); }));
    }
    for (int i = 0; i < 4; ++i) {
        QObject::connect(w.Sıfır[i], &QPushButton::toggled, owner, [this, i](bool down) { Sıfır_Click(i, down); });
        QObject::connect(w.FS[i], &QPushButton::toggled, owner, [this, i](bool down) { FS_Click(i, down); });
    }

    // Single-shot: a tick that takes longer than the interval never queues the next one behind it.
    for (QTimer* t : {w.Timer1, w.Timer3, w.Timer4})
        t->setSingleShot(true);
    QObject::connect(w.Timer1, &QTimer::timeout, owner,
                     [this] { tick(m_ctx.w->Timer1, &CalibrationProcs::Timer1_Timer, true); });
    QObject::connect(w.Timer3, &QTimer::timeout, owner,
                     [this] { tick(m_ctx.w->Timer3, &CalibrationProcs::Timer3_Timer, true); });
    // The status refresh locks the window for its read, like any other job.
    QObject::connect(w.Timer4, &QTimer::timeout, owner,
                     [this] { tick(m_ctx.w->Timer4, &CalibrationProcs::Timer4_Timer, false); });

    m_idleRetry = new QTimer(owner);
    m_idleRetry->setSingleShot(true);
    m_idleRetry->setInterval(50);
    QObject::connect(m_idleRetry, &QTimer::timeout, owner, [this] { runPending(); });

    showChoices();
}

// ---------------------------------------------------------------------------------------------
// Device access

bool CalibrationProcs::portOpen() const {
    return m_ctx.port.isOpen();
}

bool CalibrationProcs::openPort(int attempts) {
    for (int i = 0; i < attempts; ++i) {
        if (m_ctx.clock.isShuttingDown())
            return false;
        const int result = m_ctx.link.PortAç();
        if (result == 0)
            return true;
        if (porterror::isFinal(result))
            return false;
        m_ctx.port.close();
    }
    return false;
}

void CalibrationProcs::closePort() {
    if (m_ctx.port.isOpen())
        m_ctx.port.close();
}

void CalibrationProcs::sendDirect(int reg, int count, const QString& kind, const QVariant& data) {
    if (!portOpen())
        return;
    const Session& s = m_ctx.session;
    m_ctx.link.sendFrame(BuildWriteFrame(s.DeviceAddress, reg, count, s.ChecksumOn, kind, data));
}

QString CalibrationProcs::writeAndCollect(int reg, int count, const QString& kind, const QVariant& data, double wait) {
    // A port closed under the job (the window closing, a read error) carries nothing more.
    if (!portOpen())
        return QString();
    sendDirect(reg, count, kind, data);
    if (wait > 0)
        m_ctx.link.WaitSeconds(wait);
    return m_ctx.link.IntOku();
}

QString CalibrationProcs::readAndCollect(int reg, int count, double wait) {
    if (!portOpen())
        return QString();
    const Session& s = m_ctx.session;
    m_ctx.link.sendFrame(BuildReadFrame(s.DeviceAddress, reg, count, s.ChecksumOn));
    if (wait > 0)
        m_ctx.link.WaitSeconds(wait);
    return m_ctx.link.IntOku();
}

bool CalibrationProcs::refused(const QString& answer) const {
    return isErrorAnswer(answer, m_ctx.session.DeviceAddress);
}

void CalibrationProcs::disconnect() {
    if (m_ctx.window)
        m_ctx.window->Image2_Click(1);
    else
        m_ctx.session.Connected = false;
}

void CalibrationProcs::lamp(const QString& colour) {
    if (m_ctx.window)
        m_ctx.window->ışık(colour);
}

void CalibrationProcs::lockTabs(bool locked) {
    m_ctx.w->SSTab1->setEnabled(!locked);
    m_ctx.w->SSPanel11->setEnabled(!locked);
    lamp(locked ? QStringLiteral("sarı") : QStringLiteral("yeşil"));
}

MsgResult CalibrationProcs::box(const QString& message, MsgButtons buttons, MsgIcon icon, const QString& title) {
    // A job cut short by the window closing says nothing more.
    if (m_ctx.clock.isShuttingDown())
        return MsgResult::Cancel;
    return m_ctx.dialogs.messageBox(message, buttons, icon, title);
}

void CalibrationProcs::failureBox(int number, const QString& description) {
    box(QString::number(number) + u':' + description, MsgButtons::Ok, MsgIcon::None);
}

QString CalibrationProcs::text(const QVector<QString>& table, int k) const {
    return MessageTables::at(table, k);
}

void CalibrationProcs::runWhenIdle(std::function<void()> fn) {
    if (!m_ctx.session.deviceBusy) {
        fn();
        return;
    }
    m_pending.push_back(std::move(fn));
    if (m_idleRetry && !m_idleRetry->isActive())
        m_idleRetry->start();
}

void CalibrationProcs::runPending() {
    if (m_pending.empty())
        return;
    if (m_ctx.session.deviceBusy) {
        m_idleRetry->start();
        return;
    }
    std::vector<std::function<void()>> pending;
    pending.swap(m_pending);
    for (auto& fn : pending)
        fn();
}

void CalibrationProcs::tick(QTimer* timer, void (CalibrationProcs::*body)(), bool inBackground) {
    // Armed again at once, so that the timer counts as running during the tick and a stop made
    // meanwhile (a tab change) is seen at its end.
    timer->start();
    Session& s = m_ctx.session;
    if (s.deviceBusy || m_ctx.clock.isShuttingDown())
        return;
    {
        const QScopedValueRollback<bool> background(s.readingInBackground, inBackground);
        (this->*body)();
    }
    runPending();
    // What the user did during the reading, in its order, each as if it came now.
    for (std::function<void()>& action : std::exchange(s.afterBackgroundReading, {}))
        QTimer::singleShot(0, m_ctx.w->AnaForm, std::move(action));
    if (timer->isActive())
        timer->start(); // the next tick counts from the end of this one
}

// ---------------------------------------------------------------------------------------------
// Set-up choices

void CalibrationProcs::showChoices() {
    if (!m_ctx.w)
        return;
    MainWidgets& w = *m_ctx.w;
    auto show = [](QComboBox* combo, const SetupChoices::List& l, quint64& shown) {
        if (!combo)
            return;
        const QSignalBlocker block(combo);
        if (shown != l.revision) {
            if (combo->count() != l.entries.size() || [&] {
                    for (int k = 0; k < l.entries.size(); ++k)
                        if (combo->itemText(k) != l.entries[k])
                            return true;
                    return false;
                }()) {
                combo->clear();
                combo->addItems(l.entries);
            }
            shown = l.revision;
        }
        combo->setCurrentIndex(l.index);
        combo->setEnabled(l.enabled);
    };
    for (int i = 0; i < SetupChoices::ListCount; ++i)
        show(w.Combo4[i], m_choices.list(i), m_shownList[i]);
    for (int i = 1; i <= 4; ++i)
        show(w.Combo44[i], m_choices.companion(i), m_shownCompanion[i]);
}

void CalibrationProcs::ComboKalibDoldur() {
    const MessageTables& t = m_ctx.session.messages;
    m_choices.fillRangeAndMetrological(text(t.CalibText, 5), text(t.CalibText, 6), text(t.CalibText, 7),
                                       text(t.CalibText, 8));
    showChoices();
}

void CalibrationProcs::Combo4_Click(int index) {
    m_choices.Combo4_Click(index);
    showChoices();
}

void CalibrationProcs::Combo44_Click(int index, int position) {
    if (!m_ctx.session.deviceBusy)
        m_choices.Combo44_Click(index, position);
    showChoices();
}

void CalibrationProcs::bombo(int i) {
    m_choices.bombo(i);
    showChoices();
}

void CalibrationProcs::Command1_Click() {
    Session& s = m_ctx.session;
    splitDivision(entryValueText(m_choices.text(2)), s.DivisionIntPart, s.DivisionDecimals);
    m_ctx.w->Command1->setText(s.DivisionIntPart + QStringLiteral(" - ") + s.DivisionDecimals);
}

void CalibrationProcs::prepareSetupRead() {
    MainWidgets& w = *m_ctx.w;
    for (QRadioButton* o : w.Option1)
        setOption(o, false);
    w.SSCommand3->setEnabled(false);
    for (int i = 0; i < SetupChoices::ListCount; ++i)
        m_choices.setEnabled(i, false);
    for (int i = 1; i <= 4; ++i)
        m_choices.setCompanionEnabled(i, false);
    showChoices();
}

void CalibrationProcs::afterLanguageLoad() {
    // The language file captions the run button with its idle text; a run in progress keeps its
    // stop caption.
    if (m_ctx.session.cal.AnalogRunning)
        m_ctx.w->SSCommand5->setText(text(m_ctx.session.messages.StepText, 16));
}

// ---------------------------------------------------------------------------------------------
// Reading the set-up

void CalibrationProcs::AlogDurum(const QString& answer, const QString& address, bool /*checksumOn*/) {
    if (const std::optional<bool> voltage = analogOutputIsVoltage(answer, address))
        m_ctx.session.cal.AnalogOutputIsVoltage = *voltage;
}

// Range record (registers 128..130): range mode, then both capacities, then both divisions, since
// choosing a capacity refills the division list its division is looked up in.
void CalibrationProcs::readRangeRecord(const QString& answer, bool& found) {
    found = false;
    const std::optional<QString> data = setupAnswerData(answer, m_ctx.session.DeviceAddress, 6);
    if (!data)
        return;
    m_choices.chooseIndex(0, byteDecimal(*data, 0));
    const bool capacity1 = m_choices.chooseCode(1, byteHex(*data, 2));
    const bool capacity2 = m_choices.chooseCode(3, byteHex(*data, 4));
    const bool division1 = m_choices.chooseCode(2, byteHex(*data, 3));
    const bool division2 = m_choices.chooseCode(4, byteHex(*data, 5));
    found = capacity1 && capacity2 && division1 && division2;
}

void CalibrationProcs::deriveLimitsFromChoices(bool codesFound, bool tell) {
    Session& s = m_ctx.session;
    // Limits come only from entries this reading chose; entries left over from before would give
    // another scale's limits.
    const std::optional<WeighingLimits> limits =
        codesFound ? deriveLimits(m_choices.text(3), m_choices.text(2)) : std::nullopt;
    if (limits) {
        applyLimits(s, *limits);
        return;
    }
    clearLimits(s);
    if (tell)
        box(text(s.messages.ExtraText, SetupNotInTableText), MsgButtons::Ok, MsgIcon::Exclamation);
}

void CalibrationProcs::TaksimatBul() {
    Session& s = m_ctx.session;
    DeviceBusyGuard guard(s);
    if (!guard.acquired())
        return;
    CalibrationState& cal = s.cal;
    // What the upload writes back must come from the indicator connected now.
    cal.ConfigByte1Text.clear();
    cal.CalibrationRecordPart1.clear();
    cal.CalibrationRecordPart2.clear();
    cal.CalibrationRecordPart3.clear();

    if (!openPort(kOpenAttempts))
        return; // nothing can be read; the limits stay as they were

    const QString load =
        writeAndCollect(CommandRegister, 2, QStringLiteral("Lg"), CmdLoadConfiguration, s.ReadWaitTime);
    if (!load.isEmpty() && refused(load)) {
        closePort();
        return;
    }
    const QString config = readAndCollect(ConfigChunk1Register, 2, 0.3);
    if (const std::optional<QString> data = setupAnswerData(config, s.DeviceAddress, 2)) {
        m_choices.chooseIndex(5, byteDecimal(*data, 0));
        cal.ConfigByte1Text = byteText(*data, 1);
    }
    writeAndCollect(CommandRegister, 2, QStringLiteral("Lg"), CmdLoadCalibration, s.ReadWaitTime);
    const QString range = readAndCollect(RangeRecordRegister, 6, s.ReadWaitTime);
    bool found = false;
    readRangeRecord(range, found);
    closePort();
    showChoices();
    deriveLimitsFromChoices(found, true);
}

void CalibrationProcs::KalibrasyonHost() {
    Session& s = m_ctx.session;
    DeviceBusyGuard guard(s);
    if (!guard.acquired())
        return;
    MainWidgets& w = *m_ctx.w;
    CalibrationState& cal = s.cal;

    w.SSCommand3->setEnabled(false);
    lockTabs(true);
    auto fail = [&](int number, const QString& description) {
        failureBox(number, description);
        closePort();
        lockTabs(false);
    };

    if (!openPort(kOpenAttempts)) {
        fail(porterror::NotOpen, text(s.messages.StepText, 18));
        return;
    }

    const QString hardware = readAndCollect(HardwareStatusRegister, 2, 0.05);
    HWDurumOkuAnswer(hardware);

    const QString type = readAndCollect(AnalogOutputTypeRegister, 2, 0.5);
    AlogDurum(type, s.DeviceAddress, false);
    setOption(w.Option4[1], cal.AnalogOutputIsVoltage);
    setOption(w.Option4[0], !cal.AnalogOutputIsVoltage);

    const QString load =
        writeAndCollect(CommandRegister, 2, QStringLiteral("Lg"), CmdLoadConfiguration, s.ReadWaitTime);
    if (refused(load)) {
        box(text(s.messages.ErrorText, 0), MsgButtons::Ok, MsgIcon::Critical);
        disconnect();
        closePort();
        lockTabs(false);
        return;
    }

    const QString config = readAndCollect(ConfigChunk1Register, 10, 0.3);
    const std::optional<QString> data = setupAnswerData(config, s.DeviceAddress, 10);
    if (!data) {
        fail(ShortAnswerFailure, text(s.messages.ErrorText, 0));
        return;
    }
    m_choices.chooseIndex(5, byteDecimal(*data, 0));
    cal.ConfigByte1Text = byteText(*data, 1);
    cal.CalibrationRecordPart1 = byteText(*data, 2);
    cal.CalibrationRecordPart2 = byteText(*data, 5);
    cal.CalibrationRecordPart3 = byteText(*data, 7);

    writeAndCollect(CommandRegister, 2, QStringLiteral("Lg"), CmdLoadCalibration, s.ReadWaitTime);
    const QString range = readAndCollect(RangeRecordRegister, 6, s.ReadWaitTime);
    bool found = false;
    readRangeRecord(range, found);
    closePort();
    showChoices();
    deriveLimitsFromChoices(found, true);

    w.Command1->setText(s.DivisionIntPart + QStringLiteral(" - ") + s.DivisionDecimals);
    w.Timer3->start();
    lockTabs(false);
    karartust(false);
}
