#include "app/appprocs.h"

#include "app/connection.h"
#include "app/languagefile.h"
#include "app/mainwindow.h"
#include "app/settings.h"
#include "app/startupdialog.h"
#include "calibration/calibrationprocs.h"
#include "calibration/definitions.h"
#include "link/transaction.h"
#include "pages/gridlayout.h"
#include "pages/pagesprocs.h"
#include "paramset/paramsetprocs.h"
#include "platform/clock.h"
#include "platform/serialport.h"
#include "session/context.h"
#include "session/mainwidgets.h"
#include "session/session.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QSignalBlocker>

namespace {

void dispatchEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void setMenuEnabled(QMenu* menu, bool enabled) {
    if (!menu)
        return;
    menu->setEnabled(enabled);
    menu->menuAction()->setEnabled(enabled);
}

bool shown(const QWidget* w) {
    return w && !w->isHidden();
}

QString withSlash(QString folder) {
    if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\')))
        folder += QLatin1Char('/');
    return folder;
}

} // namespace

AppProcs::AppProcs(AppContext& ctx, MainWindow& window) : m_ctx(ctx), m_window(window) {
    quitProgram = [] { QCoreApplication::quit(); };
    m_ctx.app = this;
    window.setProcs(this);
}

AppProcs::~AppProcs() {
    m_window.setProcs(nullptr);
    if (m_ctx.app == this)
        m_ctx.app = nullptr;
    if (m_form1)
        m_ctx.form1 = nullptr;
}

QString AppProcs::programFolder() const {
    if (!m_ctx.session.ProgramFolder.isEmpty())
        return withSlash(m_ctx.session.ProgramFolder);
    return withSlash(QCoreApplication::applicationDirPath());
}

// ---------------------------------------------------------------------------------------------
// Start-up

bool AppProcs::Form_Load() {
    Session& s = m_ctx.session;
    MainWidgets& w = *m_ctx.w;
    const QString folder = programFolder();

    // 1. The backup folder the File menu knows by name; an existing one is no error.
    QDir().mkpath(folder + QStringLiteral("BACKUP"));

    // 2. The start-up dialog, modeless.
    bool closedByUser = false;
    m_form1 = std::make_unique<StartupDialog>(s);
    QObject::connect(m_form1.get(), &StartupDialog::closedByUser, m_form1.get(),
                     [&closedByUser] { closedByUser = true; });
    m_ctx.form1 = &m_form1->widgets();
    m_form1->show();

    // 3.-5. Port list, settings, language.
    fillPortList();
    RegOku(s, m_ctx.store, m_ctx.port);
    diloku();

    // 6., 7. The model panel; wait (without spinning) until a model button is pressed. Closing the
    // dialog instead ends the program.
    m_form1->widgets().SSPanel7->show();
    if (s.ModelName.isEmpty()) {
        QEventLoop loop;
        auto quit = [&loop] { loop.quit(); };
        QObject::connect(m_form1.get(), &StartupDialog::modelChosen, &loop, quit);
        QObject::connect(m_form1.get(), &StartupDialog::closedByUser, &loop, quit);
        QObject::connect(&m_ctx.clock, &Clock::shuttingDown, &loop, quit);
        while (s.ModelName.isEmpty() && !closedByUser && !m_ctx.clock.isShuttingDown())
            loop.exec();
    }
    if (s.ModelName.isEmpty()) {
        m_form1->unload();
        m_ctx.form1 = nullptr;
        m_form1.reset();
        return false;
    }

    // 8. Calibration choices.
    if (m_ctx.calibration)
        m_ctx.calibration->ComboKalibDoldur();

    // 9. Device addresses "00".."99" (refilled, not appended, on a restart).
    {
        const QSignalBlocker block(w.Combo2);
        w.Combo2->clear();
        for (int i = 0; i < 100; ++i)
            w.Combo2->addItem(QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')));
    }

    // 10. The preset-tare page stays hidden for both models.
    w.SSTab1->setTabVisible(2, false);

    // 11.-13.
    s.AppFolder = folder;
    s.ParamFileName = QStringLiteral("*.Vlm");
    m_window.setWindowTitle(QStringLiteral("VELMORA v%1.%2").arg(VELMORA_VERSION_MAJOR).arg(VELMORA_VERSION_MINOR));

    // 14. Definition tables; a missing file leaves its table empty.
    LoadSGDefinitions(s, dispatchEvents);
    LoadMTDefinitions(s, dispatchEvents);
    LoadNormalDefinitions(s, dispatchEvents);

    // 15., 16. Grid layouts and visibility for the chosen model.
    for (int n = 0; n < 5; ++n)
        gridDüzen(n);
    QM2DeğilseGizle(s.isQM2());

    // 17.
    m_form1->unload();
    m_ctx.form1 = nullptr;
    m_form1.reset();
    return true;
}

void AppProcs::Command3_Click() {
    Form_Load();
}

void AppProcs::fillPortList() {
    const QStringList ports = m_ctx.link.Portkontrol();
    QComboBox* combo = m_ctx.w->Combo6;
    const QSignalBlocker block(combo);
    combo->clear();
    combo->addItems(ports);
}

void AppProcs::QM2DeğilseGizle(bool show) {
    MainWidgets& w = *m_ctx.w;
    w.SSCheck2[1]->setVisible(show);
    w.SSCheck2[3]->setVisible(show);
    w.SSCheck2[8]->setVisible(show);
    w.SSCheck1[1]->setVisible(show);
    w.SSCheck1[2]->setVisible(show);
    w.Option3[0]->setVisible(show);
    w.Option3[1]->setVisible(show);
    w.EPL->setVisible(show);
    w.SSCommand10[0]->setVisible(show);
    w.SSCommand10[1]->setVisible(show);
    w.SSTab1->setTabVisible(1, show);
    w.SSTab1->setTabVisible(3, show);
    w.SSPanel6->setVisible(show);
    w.Command2->setVisible(show);
}

void AppProcs::gridDüzen(int n) {
    if (n < 0 || n >= 5 || !m_ctx.Grid1[n])
        return;
    const GridLayoutEffects effects = GridDüzen(n, *m_ctx.Grid1[n], m_ctx.session);
    // A grid laid out again shows no editor until a cell is chosen.
    if (m_ctx.pages)
        m_ctx.pages->hideEditors(n);
    if (effects.hideDateTimePanel)
        m_ctx.w->SSPanel9->hide();
}

// ---------------------------------------------------------------------------------------------
// Keys, closing

void AppProcs::Form_KeyDown(int keyCode, int shift) {
    MainWidgets& w = *m_ctx.w;
    Session& s = m_ctx.session;
    // During a timer's repeated reading Esc and F5 wait for its end, as clicks do.
    if ((keyCode == 27 || keyCode == 116) &&
        deferWhileReading(s, [this, keyCode, shift] { Form_KeyDown(keyCode, shift); }))
        return;
    // While a send is under way neither key does anything, except that Esc asks the send to stop
    // (a stopped group is never committed).
    const bool sending = shown(w.SSPanel3) && w.ProgressBar2->value() > 0;
    if (sending && !(keyCode == 27 && s.deviceBusy))
        return;

    if (keyCode == 27) {
        // A running job (an analog-output run too, between its exchanges) only learns that it
        // should stop; its own end unlocks the window.
        if (s.deviceBusy || s.cal.AnalogRunning) {
            s.AbortRequested = true;
            return;
        }
        w.ProgressBar3->hide();
        w.SSPanel1->hide();
        w.SSPanel2->hide();
        w.SSPanel3->hide();
        w.SSPanel7->hide();
        setMenuEnabled(w.MnAyar1, true);
        w.connect->setEnabled(true);
        s.AbortRequested = true;
        setMenuEnabled(w.MnDosya1, true);
        w.SSTab1->setEnabled(true);
        w.SSPanel11->setEnabled(true);
        ışık(QStringLiteral("yeşil"));
        w.Toolbar1->setEnabled(true);
        w.SSCommand2[0]->setEnabled(true);
        w.SSCommand4[0]->setEnabled(true);
        return;
    }

    if (keyCode == 116) {
        // One device job at a time: F5 while another runs does nothing, not even re-arm. The
        // page read takes the busy guard itself.
        if (s.deviceBusy)
            return;
        if (!s.F5ReadToggle) {
            RefKatmaOlum();
            s.F5ReadToggle = true;
        } else {
            s.F5ReadToggle = false;
        }
    }
}

void AppProcs::RefKatmaOlum() {
    if (m_ctx.paramset)
        m_ctx.paramset->RefKatmaOlum();
}

void AppProcs::Form_QueryUnload() {
    // Waits return at once from here on, so a job interrupted by the close runs out quickly.
    m_ctx.clock.shutdown();
    if (m_ctx.port.isOpen())
        m_ctx.port.close();
    if (m_ctx.w) {
        for (QTimer* t : {m_ctx.w->Timer1, m_ctx.w->Timer2, m_ctx.w->Timer3, m_ctx.w->Timer4, m_ctx.w->Açıklama})
            t->stop();
    }
    if (m_form1)
        m_form1->hide();
    if (quitProgram)
        quitProgram();
}

void AppProcs::Label17_Click() {
    m_ctx.w->Text10->clear();
    m_ctx.w->SSPanel8->hide();
}

// ---------------------------------------------------------------------------------------------
// Window lock and lamp

void AppProcs::lockWindow() {
    MainWidgets& w = *m_ctx.w;
    setMenuEnabled(w.MnAyar1, false);
    w.connect->setEnabled(false);
    setMenuEnabled(w.MnDosya1, false);
    w.SSTab1->setEnabled(false);
    w.SSPanel11->setEnabled(false);
    ışık(QStringLiteral("sarı"));
    w.Toolbar1->setEnabled(false);
}

void AppProcs::unlockWindow() {
    MainWidgets& w = *m_ctx.w;
    setMenuEnabled(w.MnAyar1, true);
    w.connect->setEnabled(true);
    setMenuEnabled(w.MnDosya1, true);
    w.SSTab1->setEnabled(true);
    w.SSPanel11->setEnabled(true);
    ışık(QStringLiteral("yeşil"));
    w.Toolbar1->setEnabled(true);
}

void AppProcs::ışık(const QString& colour) {
    if (m_ctx.connection)
        m_ctx.connection->ışık(colour);
}

// ---------------------------------------------------------------------------------------------
// Language file

bool AppProcs::diloku() {
    Session& s = m_ctx.session;
    const LanguageLines file = readLanguageFile(languageFilePath(programFolder(), s.LanguageFile));
    if (!file.loaded())
        return false;
    for (int n = 1; n <= file.lines.size(); ++n) {
        dispatchEvents();
        applyCaption(n, file.lines[n - 1]);
        dispatchEvents();
    }
    applyToMessageTables(file, s.messages);
    // Lines past the last one that has a place were left out by the reader; the load is complete.
    afterLanguageLoad();
    return true;
}

void AppProcs::applyCaption(int line, const QString& text) {
    MainWidgets& w = *m_ctx.w;
    auto setTabText = [&](int tab) { w.SSTab1->setTabText(tab, text); };
    switch (line) {
    case 1:
        w.MnDosya1->setTitle(text);
        break;
    case 2:
        w.MnDosya[0]->setText(text);
        break;
    case 3:
        w.MnDosya[1]->setText(text);
        break;
    case 4:
        w.MnDosya[3]->setText(text);
        break;
    case 5:
        w.MnDosya[4]->setText(text);
        break;
    case 6:
        w.MnDosya[8]->setText(text);
        break;
    case 7:
        w.MnDosya[9]->setText(text);
        break;
    case 8:
        w.MnDosya[11]->setText(text);
        break;
    case 9:
        w.MnAyar1->setTitle(text);
        break;
    case 10:
        w.MnAyar[0]->setText(text);
        break;
    case 11:
        w.MnAyar[1]->setText(text);
        break;
    case 12:
        w.MnAyar[3]->setText(text);
        break;
    case 13:
        w.MnAyar[4]->setText(text);
        break;
    case 14:
        w.MnAyar[6]->setText(text);
        break;
    case 15:
        w.SSPanel7->setCaption(text);
        break;
    case 16:
        w.Option2[0]->setText(text);
        break;
    case 17:
        w.Option2[1]->setText(text);
        break;
    case 18:
        w.SSCommand9->setText(text);
        w.SSCommand11[0]->setText(text);
        break;
    case 19:
        w.SSCommand8->setText(text);
        break;
    case 20:
        w.SSPanel2->setCaption(text);
        break;
    case 21:
        w.SSCheck1[0]->setText(text);
        break;
    case 22:
        w.SSCheck1[1]->setText(text);
        break;
    case 23:
        w.SSCheck1[2]->setText(text);
        break;
    case 24:
        w.SSCheck1[4]->setText(text);
        break;
    case 25:
        w.SSCheck1[5]->setText(text);
        break;
    case 26:
        w.SSCheck1[3]->setText(text);
        break;
    case 27:
        w.SSCheck1[6]->setText(text);
        break;
    case 28:
        w.SSCommand2[0]->setText(text);
        break;
    case 29:
        w.SSCommand2[1]->setText(text);
        w.SSCommand11[1]->setText(text);
        break;
    case 30:
        w.SSPanel3->setCaption(text);
        break;
    case 31:
    case 32:
    case 33:
    case 34:
    case 35:
        w.SSCheck2[line - 31]->setText(text);
        break;
    case 36:
        w.SSCheck2[8]->setText(text);
        break;
    case 37:
    case 38:
    case 39:
        w.SSCheck2[line - 32]->setText(text);
        break;
    case 40:
        w.SSCommand4[0]->setText(text);
        break;
    case 41:
        w.SSCommand4[1]->setText(text);
        w.SSCommand7->setText(text);
        break;
    case 42:
        w.SSPanel1->setCaption(text);
        break;
    case 43:
    case 44:
    case 45:
        w.Label2[line - 43]->setText(text);
        break;
    case 46:
        w.SSCommand1->setText(text);
        break;
    case 47:
    case 48:
        w.Label1[line - 47]->setText(text);
        break;
    case 49:
    case 50:
        w.Label8[line - 49]->setText(text);
        break;
    case 51:
        w.Frame1->setTitle(text);
        break;
    case 52:
        w.Frame3->setTitle(text);
        break;
    case 53:
        w.Frame2->setTitle(text);
        break;
    case 54:
        w.Label3[0]->setText(text);
        break;
    case 55:
        w.Label3[5]->setText(text);
        break;
    case 56:
        w.Label3[6]->setText(text);
        break;
    case 57:
        w.Label3[9]->setText(text);
        m_ctx.session.messages.ClearBoxTitle = text;
        break;
    case 58:
        w.Label3[7]->setText(text);
        break;
    case 59:
        w.Label3[8]->setText(text);
        break;
    case 60:
    case 61:
    case 62:
        w.Option1[line - 60]->setText(text);
        break;
    case 63:
        w.Label4->setText(text);
        w.SSCommand5->setText(text);
        w.SSCommand3->setText(text);
        w.Label7->setText(text);
        break;
    case 64:
        w.SSPanel4->setCaption(text);
        w.Option6[0]->setText(text);
        break;
    case 65:
        w.SSPanel5->setCaption(text);
        w.Option6[1]->setText(text);
        break;
    case 66:
        w.Label3[1]->setText(text);
        w.Label3[4]->setText(text);
        break;
    case 67:
        w.Label3[2]->setText(text);
        w.Label3[3]->setText(text);
        break;
    case 68:
    case 69:
    case 70:
    case 71:
    case 72:
    case 73:
    case 74:
        setTabText(line - 68);
        break;
    case 280:
        w.SSCommand6->setText(text);
        w.Frame6->setTitle(text);
        break;
    case 301:
        w.Toolbar2Button[0][1]->setToolTip(text);
        w.Toolbar2Button[1][1]->setToolTip(text);
        break;
    case 302:
        w.Toolbar2Button[0][2]->setToolTip(text);
        w.Toolbar2Button[1][2]->setToolTip(text);
        break;
    // The checksum label is the one connection-panel label no other line names; line 44 already
    // captions the settings label.
    case 307:
        w.Label2[3]->setText(text);
        break;
    case 308:
        w.Label13->setText(text);
        break;
    default:
        break;
    }
}

void AppProcs::afterLanguageLoad() {
    MainWidgets& w = *m_ctx.w;
    const MessageTables& t = m_ctx.session.messages;
    auto at = [](const QVector<QString>& table, int k) { return MessageTables::at(table, k); };

    // 1., 2.
    if (m_ctx.calibration) {
        m_ctx.calibration->ComboKalibDoldur();
        m_ctx.calibration->afterLanguageLoad();
    }
    w.Label16->setText(at(t.CalibText, 9));
    w.Label18->setText(at(t.CalibText, 10));

    // 3. Toolbar tooltips; the toolbar finds a pressed button by them.
    const int buttons[7] = {1, 2, 4, 5, 7, 8, 10};
    for (int i = 0; i < 7; ++i)
        w.Toolbar1Button[buttons[i]]->setToolTip(at(t.NoticeText, 7 + i));
    w.Toolbar1Button[11]->setToolTip(at(t.MsgText, 3));

    // 4.-6.
    w.Label2[4]->setText(at(t.MsgText, 0));
    w.Label2[5]->setText(at(t.MsgText, 1));
    w.Option3[0]->setText(at(t.MsgText, 4));
    w.Option3[1]->setText(at(t.MsgText, 5));
    w.Frame5->setTitle(at(t.MsgText, 6));
    w.SSCommand10[0]->setText(at(t.MsgText, 9));
    w.SSCommand10[1]->setText(at(t.MsgText, 10));

    // 7. Tag legend: each tag on the line of its meaning.
    static const QString tags = QStringLiteral("[N][G][T][D][I][C][A][1][2][3][4][5]");
    QString tagText;
    QString meaning;
    for (int i = 0; i < 12; ++i) {
        meaning += at(t.MsgText, 20 + i) + QStringLiteral("\r\n");
        tagText += tags.mid(3 * i, 3) + QStringLiteral("\r\n");
    }
    meaning += at(t.MsgText, 32);
    tagText += QStringLiteral("[6]");
    w.Label15->setText(meaning);
    w.Label14->setText(tagText);

    // 8.
    const QString tagTip = at(t.MsgText, 33);
    w.SSPanel6->setToolTip(tagTip);
    w.Label14->setToolTip(tagTip);
    w.Label15->setToolTip(tagTip);
    w.Command2->setToolTip(tagTip);

    // 9.-11.
    for (int i = 0; i < 5; ++i)
        w.Frame9[i]->setTitle(at(t.ExtraText, i));
    w.Label21[0]->setText(at(t.GridHeadText, 1));
    w.Label21[1]->setText(at(t.GridHeadText, 2));
    w.Frame12->setTitle(at(t.ExtraText, 12));
    w.Frame8->setTitle(at(t.ExtraText, 13));
    w.Frame13->setTitle(at(t.ExtraText, 14));

    // 12. The Connect item tells which way it goes, so it follows the connection, not the load.
    w.connect->setText(at(t.ExtraText, m_ctx.session.Connected ? 9 : 8));
    w.Image2[0]->setToolTip(at(t.ExtraText, 8));
    w.Image2[1]->setToolTip(at(t.ExtraText, 9));

    // 13.-15.
    w.SSPanel10->setCaption(at(t.ExtraText, 10));
    applyStartupTexts();
    w.Frame10->setTitle(at(t.MsgText, 23));
    w.Frame11->setTitle(at(t.MsgText, 24));

    // 17.
    for (int n = 0; n < 5; ++n)
        gridDüzen(n);
}

void AppProcs::applyStartupTexts() {
    if (!m_form1)
        return;
    const MessageTables& t = m_ctx.session.messages;
    StartupWidgets& f = m_form1->widgets();
    for (int i = 0; i < 5; ++i)
        f.Label5[i]->setText(MessageTables::at(t.CalibText, i));
    f.SSCommand6[0]->setText(MessageTables::at(t.ModelText, 0));
    f.SSCommand6[1]->setText(MessageTables::at(t.ModelText, 1));
    const QString brand = MessageTables::at(t.ExtraText, 15);
    f.Label4->setText(brand);
    m_form1->showBrandPicture(brand == QStringLiteral("HALVORN"));
    f.Label6->setText(MessageTables::at(t.ExtraText, 16));
}

// ---------------------------------------------------------------------------------------------
// Language panel

void AppProcs::openLanguagePanel() {
    MainWidgets& w = *m_ctx.w;
    Session& s = m_ctx.session;
    dispatchEvents();
    s.AppFolder = programFolder();

    // The list is read afresh each time and replaces what the boxes held.
    const QStringList names = QDir(languageFolder(programFolder()))
                                  .entryList({QStringLiteral("*.txt")}, QDir::Files | QDir::Readable, QDir::Name);
    w.File1->clear();
    w.File1->addItems(names);
    {
        const QSignalBlocker block(w.Combo5);
        w.Combo5->clear();
        w.Combo5->addItems(names);
        w.Combo5->setEditText(s.LanguageFile);
    }

    lockWindow();
    w.SSPanel7->setEnabled(true);
    m_window.showPanel(w.SSPanel7);
    setOption(w.Option2[0], true);
}

void AppProcs::SSCommand9_Click() {
    MainWidgets& w = *m_ctx.w;
    Session& s = m_ctx.session;
    const QString folder = languageFolder(programFolder());
    // An empty, missing or unreadable choice keeps the language in use.
    s.LanguageFile = chooseLanguageFile(w.Combo5->currentText(), s.LanguageFile, folder);
    // Only the name of a file that is there is stored.
    if (QFileInfo(languageFilePath(programFolder(), s.LanguageFile)).isFile())
        storeLanguageFile(m_ctx.store, s.LanguageFile);
    diloku();
    w.SSPanel7->hide();
    unlockWindow();
}

void AppProcs::SSCommand8_Click() {
    m_ctx.w->SSPanel7->hide();
    unlockWindow();
}

void AppProcs::File1_DblClick() {
    MainWidgets& w = *m_ctx.w;
    // The file double-clicked is the one chosen.
    if (QListWidgetItem* item = w.File1->currentItem())
        w.Combo5->setEditText(item->text());
    SSCommand9_Click();
}

// ---------------------------------------------------------------------------------------------

void AppProcs::wire() {
    if (m_wired)
        return;
    m_wired = true;
    MainWidgets& w = *m_ctx.w;
    Session& s = m_ctx.session;
    QObject::connect(w.MnAyar[3], &QAction::triggered, &m_window, unlessDeviceBusy(s, [this] { openLanguagePanel(); }));
    QObject::connect(w.SSCommand9, &QPushButton::clicked, &m_window,
                     unlessDeviceBusy(s, [this] { SSCommand9_Click(); }));
    QObject::connect(w.SSCommand8, &QPushButton::clicked, &m_window,
                     unlessDeviceBusy(s, [this] { SSCommand8_Click(); }));
    QObject::connect(w.File1, &QListWidget::itemDoubleClicked, &m_window,
                     unlessDeviceBusy(s, [this] { File1_DblClick(); }));
    QObject::connect(w.Command3, &QPushButton::clicked, &m_window, unlessDeviceBusy(s, [this] { Command3_Click(); }));
    // The span-weight prompt is answered while the calibration job waits for it.
    QObject::connect(w.Label17, &ClickLabel::clicked, &m_window, [this] { Label17_Click(); });
}
