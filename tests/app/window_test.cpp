#include "app/program.h"
#include "app/programoptions.h"
#include "app/startupdialog.h"
#include "app/widgetdialogs.h"
#include "calibration/definitions.h"
#include "pages/gridlayout.h"
#include "platform/clock.h"
#include "platform/cp1254.h"
#include "platform/dialogs.h"
#include "platform/qtserialport.h"
#include "platform/settingsstore.h"
#include "sim/simindicator.h"
#include "sim/simport.h"
#include "support/programfolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

bool visible(const QWidget* w) {
    return w && !w->isHidden();
}

// A whole program over the simulated indicator, scripted dialogs, a virtual clock and an INI store
// in a temporary folder that also serves as the program folder.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(makeProgramFolder(dir.path()));
        store = std::make_unique<QtSettingsStore>(dir.filePath(QStringLiteral("settings.ini")));
        port = std::make_unique<SimPort>(indicator, clock);
    }

    void TearDown() override { program.reset(); }

    Program& build() {
        program = std::make_unique<Program>(*port, clock, dialogs, *store, dir.path());
        program->app.quitProgram = [this] { ++quits; };
        return *program;
    }

    // Runs start-up; once the dialog waits for the model, atWait runs and then model button
    // `button` is pressed (or, for -1, the dialog is closed).
    bool start(int button, const std::function<void(StartupDialog&)>& atWait = {}) {
        if (!program)
            build();
        QTimer poll;
        poll.setInterval(0);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            StartupDialog* form1 = program->app.startupDialog();
            if (!form1 || form1->widgets().SSPanel7->isHidden())
                return;
            poll.stop();
            if (atWait)
                atWait(*form1);
            if (button >= 0)
                form1->widgets().SSCommand6[button]->click();
            else
                form1->close();
        });
        poll.start();
        return program->app.Form_Load();
    }

    void writeLanguageFile(const QString& name, const QStringList& lines) {
        QFile f(dir.filePath(QStringLiteral("LANGUAGE/") + name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QByteArray bytes;
        for (const QString& l : lines)
            bytes += cp1254::encode(l) + "\r\n";
        f.write(bytes);
    }

    // 418 lines, line n reading "L<n>", with replacements.
    QStringList numberedLines(int count = 418) {
        QStringList lines;
        for (int n = 1; n <= count; ++n)
            lines << QStringLiteral("L%1").arg(n);
        return lines;
    }

    void pressKey(Qt::Key key, QWidget* target = nullptr) {
        QWidget* to = target ? target : program->w().Baslık[0];
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(to, &press);
    }

    MainWidgets& w() { return program->w(); }
    Session& session() { return program->session; }

    QTemporaryDir dir;
    std::unique_ptr<QtSettingsStore> store;
    VirtualClock clock;
    ScriptedDialogs dialogs;
    SimIndicator indicator;
    std::unique_ptr<SimPort> port;
    std::unique_ptr<Program> program;
    int quits = 0;
};

// ---------------------------------------------------------------------------------------------
// Start-up and model choice

TEST_F(WindowTest, SecondModelButtonChoosesQM2AndShowsItsFeatures) {
    ASSERT_TRUE(start(1));
    EXPECT_EQ(session().ModelName, QStringLiteral("QM2"));
    EXPECT_EQ(program->app.startupDialog(), nullptr) << "the start-up dialog is unloaded";

    EXPECT_TRUE(w().SSTab1->isTabVisible(1));
    EXPECT_FALSE(w().SSTab1->isTabVisible(2)) << "preset tares stay hidden for both models";
    EXPECT_TRUE(w().SSTab1->isTabVisible(3));
    const QList<QWidget*> features{w().SSCheck2[1],    w().SSCheck2[3],    w().SSCheck2[8], w().SSCheck1[1],
                                   w().SSCheck1[2],    w().Option3[0],     w().Option3[1],  w().EPL,
                                   w().SSCommand10[0], w().SSCommand10[1], w().SSPanel6,    w().Command2};
    for (QWidget* c : features)
        EXPECT_TRUE(visible(c)) << c->metaObject()->className();
    // The pages were laid out again once the model was known: the second model's rows show.
    EXPECT_FALSE(program->window.pages()[GridParameters].isRowHidden(14));
    EXPECT_EQ(program->window.pages()[GridParameters].TextMatrix(1, 0).left(6), QStringLiteral("[140] "));
    EXPECT_FALSE(program->window.pages()[GridStatus].isRowHidden(11));

    // Hiding the second model's features touches exactly those controls (and the two tabs).
    QHash<QWidget*, bool> before;
    for (QWidget* c : program->window.findChildren<QWidget*>())
        before.insert(c, c->isHidden());
    program->app.QM2DeğilseGizle(false);
    QList<QWidget*> changed;
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        if (it.key()->isHidden() != it.value() && !w().SSTab1->tabBar()->isAncestorOf(it.key()) &&
            !std::count(w().TabPage.begin(), w().TabPage.end(), it.key()))
            changed << it.key();
    EXPECT_EQ(QSet<QWidget*>(changed.begin(), changed.end()), QSet<QWidget*>(features.begin(), features.end()));
}

TEST_F(WindowTest, FirstModelButtonChoosesQM1AndHidesTheSecondModelsFeatures) {
    ASSERT_TRUE(start(0));
    EXPECT_EQ(session().ModelName, QStringLiteral("QM1"));
    EXPECT_FALSE(w().SSTab1->isTabVisible(1));
    EXPECT_FALSE(w().SSTab1->isTabVisible(2));
    EXPECT_FALSE(w().SSTab1->isTabVisible(3));
    for (QWidget* c : std::initializer_list<QWidget*>{
             w().SSCheck2[1], w().SSCheck2[3], w().SSCheck2[8], w().SSCheck1[1], w().SSCheck1[2], w().Option3[0],
             w().Option3[1], w().EPL, w().SSCommand10[0], w().SSCommand10[1], w().SSPanel6, w().Command2})
        EXPECT_FALSE(visible(c)) << c->metaObject()->className();
    // Choices that are not the second model's stay.
    EXPECT_TRUE(visible(w().SSCheck2[0]));
    EXPECT_TRUE(visible(w().SSCheck1[0]));
}

TEST_F(WindowTest, StartUpFillsListsCaptionAndFolders) {
    ASSERT_TRUE(start(1));
    ASSERT_EQ(w().Combo2->count(), 100);
    EXPECT_EQ(w().Combo2->itemText(0), QStringLiteral("00"));
    EXPECT_EQ(w().Combo2->itemText(7), QStringLiteral("07"));
    EXPECT_EQ(w().Combo2->itemText(99), QStringLiteral("99"));
    EXPECT_EQ(program->window.windowTitle(), QStringLiteral("VELMORA v1.0"));
    EXPECT_EQ(session().ParamFileName, QStringLiteral("*.Vlm"));
    EXPECT_TRUE(session().AppFolder.endsWith(QLatin1Char('/')));
    EXPECT_FALSE(session().AppFolder.endsWith(QStringLiteral("//")));
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("BACKUP"))).exists());
    // The simulated line offers COM1 only.
    ASSERT_EQ(w().Combo6->count(), 1);
    EXPECT_EQ(w().Combo6->itemText(0), QStringLiteral("COM1"));
    // Calibration choices from the language file.
    ASSERT_EQ(w().Combo4[0]->count(), 2);
    EXPECT_EQ(w().Combo4[0]->itemText(0), session().messages.CalibText[5]);
    EXPECT_EQ(w().Combo4[5]->itemText(1), session().messages.CalibText[8]);
    // Filled, not chosen; a language load keeps a choice made since.
    EXPECT_EQ(w().Combo4[0]->currentIndex(), -1);
    EXPECT_EQ(w().Combo4[5]->currentIndex(), -1);
    w().Combo4[5]->setCurrentIndex(1); // as the user chooses
    emit w().Combo4[5]->activated(1);
    ASSERT_TRUE(program->app.diloku());
    EXPECT_EQ(w().Combo4[5]->currentIndex(), 1);
    // The definition files of the program folder, each in its own table.
    Session files;
    files.AppFolder = session().ProgramFolder;
    ASSERT_TRUE(LoadSGDefinitions(files) && LoadMTDefinitions(files) && LoadNormalDefinitions(files));
    EXPECT_NE(files.DefinitionTableM1, files.DefinitionTableM2);
    EXPECT_EQ(session().DefinitionTableM1, files.DefinitionTableM1);
    EXPECT_EQ(session().DefinitionTableM2, files.DefinitionTableM2);
    EXPECT_EQ(session().DefinitionTableN, files.DefinitionTableN);
    // Nothing was sent: start-up only lists the ports.
    EXPECT_TRUE(port->outputs.isEmpty());
    EXPECT_FALSE(port->isOpen());
    EXPECT_FALSE(w().Timer4->isActive());
}

TEST_F(WindowTest, RestartKeepsTheModelAndDoesNotDuplicateLists) {
    ASSERT_TRUE(start(0));
    // RESTART stands where the user can click it; only the diagnostic button lies outside.
    program->window.show();
    w().SSTab1->setCurrentIndex(5);
    QWidget* page = w().TabPage[5];
    EXPECT_TRUE(page->rect().contains(w().Command3->geometry())) << page->width() << "x" << page->height();
    EXPECT_FALSE(page->rect().intersects(w().Command1->geometry()));
    for (QWidget* other : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (other != w().Command3 && !other->isHidden()) {
            EXPECT_FALSE(other->geometry().intersects(w().Command3->geometry())) << qPrintable(other->objectName());
        }
    w().Command3->click(); // returns at once: the model is known
    program->window.hide();
    EXPECT_EQ(session().ModelName, QStringLiteral("QM1"));
    EXPECT_EQ(w().Combo2->count(), 100);
    EXPECT_EQ(w().Combo6->count(), 1);
    EXPECT_EQ(w().Combo4[0]->count(), 2);
    EXPECT_FALSE(w().SSTab1->isTabVisible(3));
}

TEST_F(WindowTest, ClosingTheStartUpDialogWithoutAModelEndsTheProgram) {
    EXPECT_FALSE(start(-1));
    EXPECT_TRUE(session().ModelName.isEmpty());
    EXPECT_EQ(program->app.startupDialog(), nullptr);
}

TEST_F(WindowTest, StartUpDialogShowsVersionAndExpands) {
    bool checked = false;
    ASSERT_TRUE(start(1, [&](StartupDialog& form1) {
        StartupWidgets& f = form1.widgets();
        EXPECT_EQ(f.Label3->text(), QStringLiteral("v1.0 r21"));
        ASSERT_EQ(f.Line7.size(), 28);
        EXPECT_TRUE(visible(f.Line7[27]));
        const int compact = f.SSPanel7->height();
        form1.Command1_Click();
        EXPECT_GT(f.SSPanel7->height(), compact);
        EXPECT_GE(f.SSPanel7->height(), f.Label5[4]->geometry().bottom()) << "the last hint line shows when expanded";
        form1.Command1_Click();
        EXPECT_EQ(f.SSPanel7->height(), compact);
        checked = true;
    }));
    EXPECT_TRUE(checked);
}

TEST_F(WindowTest, MissingLanguageFileLeavesDesignCaptionsAndButtonsStillChoose) {
    store->setValue(QStringLiteral("QM"), QStringLiteral("dil"), QStringLiteral("Klingon.txt"));
    QString first, second;
    ASSERT_TRUE(start(1, [&](StartupDialog& form1) {
        first = form1.widgets().SSCommand6[0]->text();
        second = form1.widgets().SSCommand6[1]->text();
    }));
    EXPECT_EQ(first, QStringLiteral("TAMAM"));
    EXPECT_EQ(second, QStringLiteral("İPTAL"));
    EXPECT_EQ(session().ModelName, QStringLiteral("QM2"));
    EXPECT_EQ(w().SSTab1->tabText(0), QStringLiteral("Başlık ve Dip Not"));
}

// ---------------------------------------------------------------------------------------------
// Window-wide keys

TEST_F(WindowTest, F5ReadsOnEveryOtherPressAndNeverDuringAJob) {
    ASSERT_TRUE(start(1));
    // Not connected: every refresh says so, which counts them.
    auto reads = [&] { return dialogs.messages().size(); };
    for (int i = 0; i < 4; ++i)
        pressKey(Qt::Key_F5);
    EXPECT_EQ(reads(), 2);

    // While another job runs, F5 neither reads nor re-arms.
    {
        DeviceBusyGuard job(session());
        pressKey(Qt::Key_F5);
        pressKey(Qt::Key_F5);
    }
    EXPECT_EQ(reads(), 2);
    pressKey(Qt::Key_F5);
    EXPECT_EQ(reads(), 3);
}

TEST_F(WindowTest, EscClosesPanelsAndUnlocksTheWindow) {
    ASSERT_TRUE(start(1));
    program->app.lockWindow();
    program->window.showPanel(w().SSPanel1);
    w().ProgressBar3->show();
    w().SSCommand2[0]->setEnabled(false);
    EXPECT_TRUE(visible(w().Image2[2]));

    pressKey(Qt::Key_Escape);
    EXPECT_FALSE(visible(w().SSPanel1));
    EXPECT_FALSE(visible(w().ProgressBar3));
    EXPECT_TRUE(session().AbortRequested);
    EXPECT_TRUE(w().SSTab1->isEnabled());
    EXPECT_TRUE(w().SSPanel11->isEnabled());
    EXPECT_TRUE(w().Toolbar1->isEnabled());
    EXPECT_TRUE(w().MnDosya1->menuAction()->isEnabled());
    EXPECT_TRUE(w().MnAyar1->menuAction()->isEnabled());
    EXPECT_TRUE(w().connect->isEnabled());
    EXPECT_TRUE(w().SSCommand2[0]->isEnabled());
    // Green is shown red while not connected.
    EXPECT_TRUE(visible(w().Image2[0]));
    EXPECT_FALSE(visible(w().Image2[1]));
    EXPECT_FALSE(visible(w().Image2[2]));
}

TEST_F(WindowTest, EscDuringASendWithProgressDoesNothing) {
    ASSERT_TRUE(start(1));
    program->app.lockWindow();
    program->window.showPanel(w().SSPanel3);
    w().ProgressBar2->setMaximum(20);
    w().ProgressBar2->setValue(3);

    pressKey(Qt::Key_Escape);
    pressKey(Qt::Key_F5);
    EXPECT_TRUE(visible(w().SSPanel3));
    EXPECT_FALSE(session().AbortRequested);
    EXPECT_FALSE(w().SSTab1->isEnabled());
    EXPECT_TRUE(dialogs.messages().isEmpty()) << "no refresh was asked for";

    // At 0 the send panel no longer holds the keys back.
    w().ProgressBar2->setValue(0);
    pressKey(Qt::Key_Escape);
    EXPECT_FALSE(visible(w().SSPanel3));
    EXPECT_TRUE(session().AbortRequested);
}

TEST_F(WindowTest, EscDuringADeviceJobOnlyAsksItToStop) {
    ASSERT_TRUE(start(1));
    DeviceBusyGuard job(session());
    program->app.lockWindow();
    program->window.showPanel(w().SSPanel2);

    pressKey(Qt::Key_Escape);
    EXPECT_TRUE(session().AbortRequested);
    EXPECT_TRUE(visible(w().SSPanel2)) << "the job's own end closes its panel";
    EXPECT_FALSE(w().SSTab1->isEnabled());
    EXPECT_FALSE(w().Toolbar1->isEnabled());
    EXPECT_TRUE(visible(w().Image2[2]));
}

// ---------------------------------------------------------------------------------------------
// One device job at a time

// The language panel from the Settings menu while a connect waits for its answer.
TEST_F(WindowTest, TheSettingsMenuCannotOpenThePanelDuringAConnect) {
    ASSERT_TRUE(start(1));
    bool lockedThroughout = false;
    clock.onWait = [&](double) {
        clock.onWait = nullptr;
        w().MnAyar[3]->trigger();
        w().SSCommand8->click();
        lockedThroughout = !w().SSTab1->isEnabled() && visible(w().Image2[2]);
    };
    emit w().Image2[0]->clicked();
    EXPECT_TRUE(lockedThroughout);
    EXPECT_TRUE(session().Connected);
    EXPECT_FALSE(visible(w().SSPanel7));
    EXPECT_TRUE(visible(w().Image2[1]));
    EXPECT_TRUE(w().MnAyar1->menuAction()->isEnabled());
}

// Esc and closing the window aside, nothing the user triggers reaches a running job: every
// enabled menu item, toolbar and panel button, the lamp, the language list and the keys are
// refused where they are triggered. Only the answers a job itself waits for are let through.
TEST_F(WindowTest, NoUserActionReachesARunningDeviceJob) {
    ASSERT_TRUE(start(1));
    emit w().Image2[0]->clicked();
    ASSERT_TRUE(session().Connected);
    const QSet<QObject*> answersAJobWaitsFor{w().SSCommand2[1], w().SSCommand4[1], w().SSCommand11[0],
                                             w().SSCommand11[1], w().Label17};
    w().Combo9->setCurrentIndex(0); // ODD, which would choose 7 data bits
    w().Combo8->setCurrentText(QStringLiteral("8"));
    dialogs.clear();
    indicator.clearLog();
    const int opens = port->openCalls;
    auto storedSettings = [this] {
        QFile ini(dir.filePath(QStringLiteral("settings.ini")));
        return ini.open(QIODevice::ReadOnly) ? ini.readAll() : QByteArray();
    };
    const QByteArray settings = storedSettings();

    {
        DeviceBusyGuard job(session());
        program->app.ışık(QStringLiteral("sarı"));
        QList<QAction*> actions{w().connect};
        for (QAction* a : w().MnDosya)
            actions << a;
        for (QAction* a : w().MnAyar)
            actions << a;
        for (QAction* a : w().Toolbar1Button)
            actions << a;
        for (const auto& bar : w().Toolbar2Button)
            for (QAction* a : bar)
                actions << a;
        for (QAction* a : actions)
            if (a && a->isEnabled())
                a->trigger();
        // Tool buttons are the toolbars' actions above (and Qt's own scroll and overflow buttons).
        for (QAbstractButton* b : program->window.findChildren<QAbstractButton*>())
            if (b->isEnabled() && !answersAJobWaitsFor.contains(b) && !qobject_cast<QToolButton*>(b))
                b->click();
        for (ClickLabel* l : program->window.findChildren<ClickLabel*>())
            if (!answersAJobWaitsFor.contains(l))
                emit l->clicked();
        emit w().File1->itemDoubleClicked(nullptr);
        emit w().Combo9->activated(0);
        pressKey(Qt::Key_F5);
        QKeyEvent settingKey(QEvent::KeyPress, Qt::Key_S, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        QCoreApplication::sendEvent(w().SSCommand1, &settingKey);
    }

    EXPECT_TRUE(session().Connected);
    EXPECT_TRUE(visible(w().Image2[2])) << "the window was unlocked under the job";
    for (QWidget* panel : {w().SSPanel1, w().SSPanel2, w().SSPanel3, w().SSPanel7})
        EXPECT_FALSE(visible(panel)) << qPrintable(panel->objectName());
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(port->openCalls, opens);
    EXPECT_TRUE(indicator.frames.isEmpty());
    EXPECT_EQ(w().Combo8->currentText(), QStringLiteral("8"));
    EXPECT_EQ(storedSettings(), settings);
}

TEST_F(WindowTest, OtherKeysPassThrough) {
    ASSERT_TRUE(start(1));
    QLineEdit* box = w().Baslık[0];
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QCoreApplication::sendEvent(box, &press);
    EXPECT_EQ(box->text(), QStringLiteral("a"));
    EXPECT_FALSE(session().AbortRequested);
}

// ---------------------------------------------------------------------------------------------
// Window size and closing

TEST_F(WindowTest, WindowKeepsItsSizeAndIsNeverMaximised) {
    ASSERT_TRUE(start(1));
    MainWindow& win = program->window;
    win.show();
    const QSize fixed = MainWindow::clientSize();
    EXPECT_EQ(win.size(), fixed);
    win.resize(900, 800);
    EXPECT_EQ(win.size(), fixed);
    win.setWindowState(Qt::WindowMaximized);
    QCoreApplication::processEvents();
    EXPECT_FALSE(win.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(win.size(), fixed);
    // Pop-up panels stand in the middle.
    win.showPanel(w().SSPanel2);
    const QRect r = w().SSPanel2->geometry();
    EXPECT_NEAR(r.center().x(), win.width() / 2, 1);
    EXPECT_NEAR(r.center().y(), win.height() / 2, 1);
    win.hide();
}

TEST_F(WindowTest, ClosingTheWindowEndsTheProgramAndItsWaits) {
    ASSERT_TRUE(start(1));
    ASSERT_TRUE(port->open().ok());
    w().Timer4->start();
    program->window.show();
    program->window.close();
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(clock.isShuttingDown());
    EXPECT_FALSE(port->isOpen());
    EXPECT_FALSE(w().Timer4->isActive());
    // A wait that a job would make afterwards returns without taking time.
    const double before = clock.now();
    clock.waitSeconds(5);
    EXPECT_EQ(clock.now(), before);
}

TEST_F(WindowTest, SpanWeightPromptCloses) {
    ASSERT_TRUE(start(1));
    w().SSPanel8->show();
    w().Text10->setText(QStringLiteral("12.5"));
    emit w().Label17->clicked();
    EXPECT_TRUE(w().Text10->text().isEmpty());
    EXPECT_FALSE(visible(w().SSPanel8));
}

// ---------------------------------------------------------------------------------------------
// Language captions

TEST_F(WindowTest, LanguageLinesCaptionTheirControls) {
    QStringList lines = numberedLines();
    lines[383 - 1] = QStringLiteral("HALVORN");
    writeLanguageFile(QStringLiteral("Test.txt"), lines);
    store->setValue(QStringLiteral("QM"), QStringLiteral("dil"), QStringLiteral("Test.txt"));
    bool picture = false, label = true;
    ASSERT_TRUE(start(1, [&](StartupDialog& form1) {
        picture = visible(form1.widgets().Image1);
        label = visible(form1.widgets().Label4);
        EXPECT_EQ(form1.widgets().SSCommand6[1]->text(), QStringLiteral("L367"));
        EXPECT_EQ(form1.widgets().Label5[2]->text(), QStringLiteral("L357"));
    }));
    EXPECT_TRUE(picture);
    EXPECT_FALSE(label);

    EXPECT_EQ(session().messages.ClearBoxTitle, QStringLiteral("L57"));

    // Every caption line, on every control it names.
    using Text = std::function<QString()>;
    auto text = [](auto* c) -> Text { return [c] { return c->text(); }; };
    auto title = [](auto* c) -> Text { return [c] { return c->title(); }; };
    auto caption = [](PanelFrame* c) -> Text { return [c] { return c->caption(); }; };
    auto tip = [](QAction* c) -> Text { return [c] { return c->toolTip(); }; };
    auto tab = [this](int i) -> Text { return [this, i] { return w().SSTab1->tabText(i); }; };
    const MainWidgets& m = w();
    const QList<std::pair<int, Text>> captions{
        {1, title(m.MnDosya1)},
        {2, text(m.MnDosya[0])},
        {3, text(m.MnDosya[1])},
        {4, text(m.MnDosya[3])},
        {5, text(m.MnDosya[4])},
        {6, text(m.MnDosya[8])},
        {7, text(m.MnDosya[9])},
        {8, text(m.MnDosya[11])},
        {9, title(m.MnAyar1)},
        {10, text(m.MnAyar[0])},
        {11, text(m.MnAyar[1])},
        {12, text(m.MnAyar[3])},
        {13, text(m.MnAyar[4])},
        {14, text(m.MnAyar[6])},
        {15, caption(m.SSPanel7)},
        {16, text(m.Option2[0])},
        {17, text(m.Option2[1])},
        {18, text(m.SSCommand9)},
        {18, text(m.SSCommand11[0])},
        {19, text(m.SSCommand8)},
        {20, caption(m.SSPanel2)},
        {21, text(m.SSCheck1[0])},
        {22, text(m.SSCheck1[1])},
        {23, text(m.SSCheck1[2])},
        {24, text(m.SSCheck1[4])},
        {25, text(m.SSCheck1[5])},
        {26, text(m.SSCheck1[3])},
        {27, text(m.SSCheck1[6])},
        {28, text(m.SSCommand2[0])},
        {29, text(m.SSCommand2[1])},
        {29, text(m.SSCommand11[1])},
        {30, caption(m.SSPanel3)},
        {31, text(m.SSCheck2[0])},
        {32, text(m.SSCheck2[1])},
        {33, text(m.SSCheck2[2])},
        {34, text(m.SSCheck2[3])},
        {35, text(m.SSCheck2[4])},
        {36, text(m.SSCheck2[8])},
        {37, text(m.SSCheck2[5])},
        {38, text(m.SSCheck2[6])},
        {39, text(m.SSCheck2[7])},
        {40, text(m.SSCommand4[0])},
        {41, text(m.SSCommand4[1])},
        {41, text(m.SSCommand7)},
        {42, caption(m.SSPanel1)},
        {43, text(m.Label2[0])},
        {44, text(m.Label2[1])},
        {45, text(m.Label2[2])},
        {46, text(m.SSCommand1)},
        {47, text(m.Label1[0])},
        {48, text(m.Label1[1])},
        {49, text(m.Label8[0])},
        {50, text(m.Label8[1])},
        {51, title(m.Frame1)},
        {52, title(m.Frame3)},
        {53, title(m.Frame2)},
        {54, text(m.Label3[0])},
        {55, text(m.Label3[5])},
        {56, text(m.Label3[6])},
        {57, text(m.Label3[9])},
        {58, text(m.Label3[7])},
        {59, text(m.Label3[8])},
        {60, text(m.Option1[0])},
        {61, text(m.Option1[1])},
        {62, text(m.Option1[2])},
        {63, text(m.Label4)},
        {63, text(m.SSCommand5)},
        {63, text(m.SSCommand3)},
        {63, text(m.Label7)},
        {64, caption(m.SSPanel4)},
        {64, text(m.Option6[0])},
        {65, caption(m.SSPanel5)},
        {65, text(m.Option6[1])},
        {66, text(m.Label3[1])},
        {66, text(m.Label3[4])},
        {67, text(m.Label3[2])},
        {67, text(m.Label3[3])},
        {68, tab(0)},
        {69, tab(1)},
        {70, tab(2)},
        {71, tab(3)},
        {72, tab(4)},
        {73, tab(5)},
        {74, tab(6)},
        {280, text(m.SSCommand6)},
        {280, title(m.Frame6)},
        {301, tip(m.Toolbar2Button[0][1])},
        {301, tip(m.Toolbar2Button[1][1])},
        {302, tip(m.Toolbar2Button[0][2])},
        {302, tip(m.Toolbar2Button[1][2])},
        {307, text(m.Label2[3])},
        {308, text(m.Label13)},
    };
    for (const auto& [line, shown] : captions)
        EXPECT_EQ(shown(), QStringLiteral("L%1").arg(line)) << "line " << line;

    // Derived captions after the last line.
    EXPECT_EQ(w().Toolbar1Button[1]->toolTip(), QStringLiteral("L288"));
    EXPECT_EQ(w().Toolbar1Button[10]->toolTip(), QStringLiteral("L294"));
    EXPECT_EQ(w().Toolbar1Button[11]->toolTip(), QStringLiteral("L324"));
    EXPECT_EQ(w().Label16->text(), QStringLiteral("L364"));
    EXPECT_EQ(w().Frame12->title(), QStringLiteral("L380"));
    EXPECT_EQ(w().Frame9[4]->title(), QStringLiteral("L372"));
    EXPECT_EQ(w().SSPanel10->caption(), QStringLiteral("L378"));
    EXPECT_TRUE(w().Label15->text().startsWith(QStringLiteral("L341\r\nL342\r\n")));
    EXPECT_TRUE(w().Label15->text().endsWith(QStringLiteral("L352\r\nL353")));
    EXPECT_TRUE(w().Label14->text().startsWith(QStringLiteral("[N]\r\n[G]\r\n")));
    EXPECT_TRUE(w().Label14->text().endsWith(QStringLiteral("[5]\r\n[6]")));
    EXPECT_EQ(w().connect->text(), QStringLiteral("L376"));
}

TEST_F(WindowTest, EveryLoadCaptionsConnectByTheConnection) {
    ASSERT_TRUE(start(1));
    session().Connected = true;
    ASSERT_TRUE(program->app.diloku());
    EXPECT_EQ(w().connect->text(), session().messages.ExtraText[9]);
    session().Connected = false;
    ASSERT_TRUE(program->app.diloku());
    EXPECT_EQ(w().connect->text(), session().messages.ExtraText[8]);
}

TEST_F(WindowTest, LinesPastTheLastOneAreIgnoredAndTheLoadCompletes) {
    ASSERT_TRUE(start(1));
    QStringList lines = numberedLines(420);
    writeLanguageFile(QStringLiteral("Long.txt"), lines);
    session().LanguageFile = QStringLiteral("Long.txt");
    EXPECT_TRUE(program->app.diloku());
    EXPECT_EQ(w().SSTab1->tabText(0), QStringLiteral("L68")) << "lines 1-418 are applied";
    EXPECT_EQ(w().Label16->text(), QStringLiteral("L364")) << "the steps after the last line run";
    EXPECT_EQ(session().messages.ExtraText[50], QStringLiteral("L418"));
}

// ---------------------------------------------------------------------------------------------
// Language panel

TEST_F(WindowTest, LanguagePanelListsFilesAndLocksTheWindow) {
    ASSERT_TRUE(start(1));
    program->app.openLanguagePanel();
    program->app.SSCommand8_Click();
    program->app.openLanguagePanel(); // a second opening does not add the names again
    ASSERT_EQ(w().File1->count(), 2);
    EXPECT_EQ(w().Combo5->count(), 2);
    EXPECT_EQ(w().Combo5->currentText(), QStringLiteral("English.txt"));
    EXPECT_TRUE(visible(w().SSPanel7));
    EXPECT_TRUE(w().Option2[0]->isChecked());
    EXPECT_FALSE(w().SSTab1->isEnabled());
    EXPECT_FALSE(w().Toolbar1->isEnabled());
    EXPECT_FALSE(w().MnDosya1->menuAction()->isEnabled());
    EXPECT_TRUE(visible(w().Image2[2]));

    // Cancel changes nothing and unlocks.
    w().Combo5->setEditText(QStringLiteral("Türkçe.txt"));
    program->app.SSCommand8_Click();
    EXPECT_FALSE(visible(w().SSPanel7));
    EXPECT_TRUE(w().SSTab1->isEnabled());
    EXPECT_EQ(session().LanguageFile, QStringLiteral("English.txt"));
    EXPECT_FALSE(store->contains(QStringLiteral("QM"), QStringLiteral("dil")));
}

TEST_F(WindowTest, LanguagePanelOkLoadsAndStoresTheChosenFile) {
    ASSERT_TRUE(start(1));
    EXPECT_EQ(w().SSTab1->tabText(0), QStringLiteral("Header and Footer"));
    program->app.openLanguagePanel();
    w().Combo5->setEditText(QStringLiteral("Türkçe.txt"));
    program->app.SSCommand9_Click();
    EXPECT_EQ(session().LanguageFile, QStringLiteral("Türkçe.txt"));
    EXPECT_EQ(store->value(QStringLiteral("QM"), QStringLiteral("dil"), QString()), QStringLiteral("Türkçe.txt"));
    EXPECT_EQ(w().SSTab1->tabText(0), QStringLiteral("Başlık ve Dip Not"));
    EXPECT_FALSE(visible(w().SSPanel7));
    EXPECT_TRUE(w().SSTab1->isEnabled());

    // A double click takes the file under the pointer.
    program->app.openLanguagePanel();
    const auto items = w().File1->findItems(QStringLiteral("English.txt"), Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1);
    w().File1->setCurrentItem(items.front());
    program->app.File1_DblClick();
    EXPECT_EQ(session().LanguageFile, QStringLiteral("English.txt"));
    EXPECT_EQ(w().SSTab1->tabText(0), QStringLiteral("Header and Footer"));
}

TEST_F(WindowTest, LanguagePanelKeepsTheLanguageForAMissingOrEmptyChoice) {
    ASSERT_TRUE(start(1));
    writeLanguageFile(QStringLiteral("Empty.txt"), {});
    QFile(dir.filePath(QStringLiteral("LANGUAGE/Empty.txt"))).resize(0);
    for (const QString& choice : {QStringLiteral("Nope.txt"), QString(), QStringLiteral("Empty.txt")}) {
        program->app.openLanguagePanel();
        w().Combo5->setEditText(choice);
        program->app.SSCommand9_Click();
        EXPECT_EQ(session().LanguageFile, QStringLiteral("English.txt")) << qPrintable(choice);
        EXPECT_NE(store->value(QStringLiteral("QM"), QStringLiteral("dil"), QString()), choice);
        EXPECT_EQ(w().SSTab1->tabText(0), QStringLiteral("Header and Footer"));
        EXPECT_FALSE(visible(w().SSPanel7));
    }
}

// ---------------------------------------------------------------------------------------------
// Command line and dialogs at the end of the program

TEST(ProgramOptionsTest, MapPortPointsThePortsForThisRunOnly) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("s.ini"));
    {
        QtSettingsStore user(ini);
        // A mapping kept for the same port gives way to the command line's, for this run only.
        user.setValue(QStringLiteral("Ports"), QStringLiteral("COM1"), QStringLiteral("/dev/ttyS0"));
        OverlaySettingsStore store(user);
        QString error;
        ASSERT_EQ(
            applyProgramOptions({QStringLiteral("velmora"), QStringLiteral("--map-port"),
                                 QStringLiteral("COM1=/dev/pts/7"), QStringLiteral("--map-port=COM12=/dev/ttyUSB0")},
                                store, &error),
            ProgramOptions::Run);
        const QtSerialPort port(store);
        EXPECT_EQ(port.deviceFor(1), QStringLiteral("/dev/pts/7"));
        EXPECT_EQ(store.value(QStringLiteral("Ports"), QStringLiteral("COM12"), QString()),
                  QStringLiteral("/dev/ttyUSB0"));
        EXPECT_EQ(applyProgramOptions({QStringLiteral("velmora")}, store, &error), ProgramOptions::Run);
        // The program's own settings still go to the user's store.
        store.setValue(QStringLiteral("QM"), QStringLiteral("Port"), QStringLiteral("2"));
    }
    QtSettingsStore nextRun(ini);
    EXPECT_EQ(nextRun.value(QStringLiteral("Ports"), QStringLiteral("COM1"), QString()), QStringLiteral("/dev/ttyS0"));
    EXPECT_FALSE(nextRun.contains(QStringLiteral("Ports"), QStringLiteral("COM12")));
    EXPECT_EQ(nextRun.value(QStringLiteral("QM"), QStringLiteral("Port"), QString()), QStringLiteral("2"));
}

TEST(ProgramOptionsTest, BadOptionsAreRefusedAndNothingIsWritten) {
    QTemporaryDir dir;
    QtSettingsStore user(dir.filePath(QStringLiteral("s.ini")));
    OverlaySettingsStore store(user);
    for (const QStringList& args :
         {QStringList{QStringLiteral("v"), QStringLiteral("--map-port")},
          QStringList{QStringLiteral("v"), QStringLiteral("--map-port"), QStringLiteral("/dev/pts/1")},
          QStringList{QStringLiteral("v"), QStringLiteral("--map-port"), QStringLiteral("COM0=/dev/x")},
          QStringList{QStringLiteral("v"), QStringLiteral("--map-port"), QStringLiteral("COM2=")},
          QStringList{QStringLiteral("v"), QStringLiteral("--map-port=COM3=/dev/a"), QStringLiteral("--sim")}}) {
        QString error;
        EXPECT_EQ(applyProgramOptions(args, store, &error), ProgramOptions::Refused)
            << qPrintable(args.join(QLatin1Char(' ')));
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_FALSE(store.contains(QStringLiteral("Ports"), QStringLiteral("COM3")));
}

TEST(WidgetDialogsTest, BoxesOpenOverTheProgramsWindow) {
    QWidget window;
    window.show();
    WidgetDialogs dialogs;
    dialogs.setOwner(&window);
    QWidget* parent = nullptr;
    QTimer answer;
    answer.setInterval(0);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            answer.stop();
            parent = box->parentWidget();
            box->button(QMessageBox::Ok)->click();
        }
    });
    answer.start();
    EXPECT_EQ(dialogs.messageBox(QStringLiteral("!"), MsgButtons::Ok, MsgIcon::None, QString()), MsgResult::Ok);
    EXPECT_EQ(parent, &window);
}

// An untitled set is suggested as "*.Vlm": pressing Save on that, or on any name with a wildcard,
// wrote a file of that very name and left the set untitled.
TEST(WidgetDialogsTest, AWildcardIsNeverTheNameOfASavedFile) {
    QTemporaryDir dir;
    WidgetDialogs dialogs;
    QStringList offered;
    QTimer answer;
    answer.setInterval(0);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* name = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
        if (!name)
            return;
        answer.stop();
        offered << name->text();
        if (offered.size() == 1) {
            name->setText(QStringLiteral("*.Vlm"));
            QMetaObject::invokeMethod(dialog, "accept");
            answer.start(); // the dialog is to come again
        } else {
            dialog->reject();
        }
    });
    answer.start();
    EXPECT_TRUE(dialogs.saveFileName(QString(), dir.path(), QString(), QStringLiteral("*.Vlm")).isEmpty());
    EXPECT_EQ(offered, QStringList({QString(), QString()}));
    EXPECT_FALSE(QFile::exists(QDir(dir.path()).filePath(QStringLiteral("*.Vlm"))));
}

TEST(WidgetDialogsTest, NothingIsShownOnceTheProgramEnds) {
    VirtualClock clock;
    clock.shutdown();
    WidgetDialogs dialogs(&clock);
    // Each returns at once instead of waiting for a click, with the answer that changes nothing.
    EXPECT_EQ(dialogs.messageBox(QStringLiteral("?"), MsgButtons::YesNo, MsgIcon::Question, QString()), MsgResult::No);
    EXPECT_EQ(dialogs.messageBox(QStringLiteral("!"), MsgButtons::AbortRetryIgnore, MsgIcon::Critical, QString()),
              MsgResult::Abort);
    EXPECT_FALSE(dialogs.inputBox(QStringLiteral("?"), QString(), QStringLiteral("1")).has_value());
    EXPECT_TRUE(dialogs.openFileName(QString(), QString(), QString()).isEmpty());
    EXPECT_TRUE(dialogs.saveFileName(QString(), QString(), QString(), QStringLiteral("a.vlm")).isEmpty());
}

} // namespace
