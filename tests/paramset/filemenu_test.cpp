#include "pages/gridlayout.h"
#include "paramset/parameterfile.h"
#include "paramset/samplefile.h"
#include "support/userinput.h"
#include "support/windowfixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The File menu over a whole window: what each item does to the pages, the record, the file names
// and the caption.
class FileMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fx.start(QStringLiteral("QM2")));
        ASSERT_TRUE(dir.isValid());
        fx.program->app.quitProgram = [this] { ++quits; };
        QFile f(path(QStringLiteral("sample.vlm")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(makeSampleFile().bytes);
    }
    ParamsetProcs& procs() { return fx.program->paramset; }
    Session& s() { return fx.session(); }
    MainWidgets& w() { return fx.w(); }
    GridPage& grid(int n) { return *fx.program->ctx.Grid1[n]; }
    QString caption() { return w().AnaForm->windowTitle(); }
    QString path(const QString& name) { return dir.filePath(name); }
    QByteArray record() { return encodeParameterSet(s().CurrentParameterSet); }
    bool parameterSendChoicesOffered() {
        return w().SSCheck2[5]->isEnabled() && w().SSCheck2[6]->isEnabled() && w().SSCheck2[7]->isEnabled();
    }

    WindowFixture fx;
    QTemporaryDir dir;
    int quits = 0;
};

TEST_F(FileMenuTest, NewEmptiesEverythingButThePresetTares) {
    // The empty page of start-up is no more a parameter set than the one New leaves.
    EXPECT_FALSE(parameterSendChoicesOffered());
    fx.dialogs.answerFile(path(QStringLiteral("sample.vlm")));
    procs().MnDosya_Click(1);
    ASSERT_EQ(caption(), QStringLiteral("VELMORA v1.0 [sample.vlm]"));
    ASSERT_FALSE(w().Baslık[2]->text().isEmpty());
    ASSERT_EQ(grid(GridPresetTares).TextMatrix(99, 1), QStringLiteral("24500"));
    ASSERT_FALSE(grid(GridIdMemories).TextMatrix(2, 1).isEmpty());
    ASSERT_FALSE(grid(GridSetpoints).TextMatrix(1, 1).isEmpty());
    ASSERT_FALSE(grid(GridParameters).TextMatrix(3, 1).isEmpty());
    ASSERT_EQ(s().param.Word78, -1);
    ASSERT_FALSE(s().DayNameSuffix.isEmpty());
    for (int k : {5, 6, 7})
        w().SSCheck2[k]->setChecked(true);

    procs().MnDosya_Click(0);
    EXPECT_EQ(caption(), QStringLiteral("VELMORA v1.0"));
    EXPECT_EQ(s().ParamFileName, QStringLiteral("*.Vlm"));
    EXPECT_EQ(record(), encodeParameterSet(ParameterSetBlank));
    for (QLineEdit* box : {w().Baslık[2], w().DipNot[1], w().Text6, w().Text8, w().Text11[1]})
        EXPECT_TRUE(box->text().isEmpty());
    EXPECT_TRUE(w().EPL->toPlainText().isEmpty());
    EXPECT_TRUE(w().Toolbar2Button[1][2]->isChecked()) << "both bars back to left";
    EXPECT_FALSE(w().Toolbar2Button[1][1]->isChecked());
    EXPECT_TRUE(grid(GridIdMemories).TextMatrix(2, 1).isEmpty());
    EXPECT_TRUE(grid(GridSetpoints).TextMatrix(1, 1).isEmpty());
    EXPECT_TRUE(grid(GridParameters).TextMatrix(3, 1).isEmpty());
    EXPECT_FALSE(grid(GridParameters).TextMatrix(3, 0).isEmpty()) << "labels stay";
    EXPECT_EQ(grid(GridPresetTares).TextMatrix(99, 1), QStringLiteral("24500"));

    // Nothing behind the emptied parameter page survives to be saved or sent.
    EXPECT_EQ(s().param.Word78, 0);
    EXPECT_EQ(s().param.ValueArray[0], 0);
    EXPECT_TRUE(s().param.TiltCode.isEmpty());
    EXPECT_TRUE(s().DayNameSuffix.isEmpty());
    EXPECT_FALSE(parameterSendChoicesOffered());
    EXPECT_FALSE(w().SSCheck2[6]->isChecked());

    // Opening a set offers them again.
    fx.dialogs.answerFile(path(QStringLiteral("sample.vlm")));
    procs().MnDosya_Click(1);
    EXPECT_TRUE(parameterSendChoicesOffered());
}

TEST_F(FileMenuTest, CancelledOpenChangesNothingAndTheBackupFolderLeadsToItsParent) {
    fx.dialogs.answerFile(path(QStringLiteral("sample.vlm")));
    procs().MnDosya_Click(1);
    w().Baslık[0]->setText(QStringLiteral("EDITED"));
    s().AppFolder = path(QStringLiteral("BACKUP/"));
    const QByteArray before = record();
    const QString name = s().ParamFileName, file = s().ParamFilePath, title = caption();

    fx.dialogs.clear();
    procs().MnDosya_Click(1); // the scripted dialog is cancelled
    ASSERT_EQ(fx.dialogs.shown.size(), 1);
    EXPECT_EQ(fx.dialogs.shown.value(0).text, dir.path() + u'/') << "the dialog starts above the backup folder";
    EXPECT_EQ(s().AppFolder, path(QStringLiteral("BACKUP/")));
    EXPECT_EQ(s().ParamFileName, name);
    EXPECT_EQ(s().ParamFilePath, file);
    EXPECT_EQ(caption(), title);
    EXPECT_EQ(record(), before);
    EXPECT_EQ(w().Baslık[0]->text(), QStringLiteral("EDITED"));
    EXPECT_TRUE(fx.dialogs.messages().isEmpty());
}

TEST_F(FileMenuTest, SaveTakesThePagesAndNamesTheFile) {
    // Untitled: Save asks for a name and writes what the pages show.
    w().Baslık[1]->setText(QStringLiteral("FROM THE PAGE"));
    fx.dialogs.answerFile(path(QStringLiteral("mine")));
    procs().MnDosya_Click(3);
    EXPECT_EQ(caption(), QStringLiteral("VELMORA v1.0 [mine.vlm]"));
    QFile saved(path(QStringLiteral("mine.vlm")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const auto written = decodeParameterSet(saved.readAll());
    ASSERT_TRUE(written.has_value());
    EXPECT_TRUE(written->HeaderLines[1].text().startsWith(QStringLiteral("FROM THE PAGE")));

    // Named: Save writes without asking; Save As always asks.
    fx.dialogs.clear();
    procs().MnDosya_Click(3);
    EXPECT_TRUE(fx.dialogs.shown.isEmpty());
    procs().MnDosya_Click(4); // cancelled
    ASSERT_EQ(fx.dialogs.shown.size(), 1);
    EXPECT_EQ(fx.dialogs.shown.value(0).kind, ScriptedDialogs::Shown::Save);
    EXPECT_EQ(caption(), QStringLiteral("VELMORA v1.0 [mine.vlm]"));
}

// The record and the working values beside the page are built only once a name was chosen: a
// cancelled Save As, or a cancelled Save of an untitled set, changes nothing.
TEST_F(FileMenuTest, CancelledSaveLeavesTheRecordAndTheWorkingValues) {
    fx.dialogs.answerFile(path(QStringLiteral("sample.vlm")));
    procs().MnDosya_Click(1);
    const QByteArray opened = record();
    const QString tilt = s().param.TiltCode, filling = s().param.FillingCode;
    ASSERT_EQ(tilt, QStringLiteral("2") + QString(24, u' ')) << "as the file keeps it";
    w().Baslık[1]->setText(QStringLiteral("NOT SAVED"));
    grid(GridParameters).setTextMatrix(73, 1, QStringLiteral("12345"));

    procs().MnDosya_Click(4); // cancelled
    ASSERT_EQ(fx.dialogs.shown.size(), 2);
    EXPECT_EQ(record(), opened);
    EXPECT_EQ(s().param.TiltCode, tilt);
    EXPECT_EQ(s().param.FillingCode, filling);

    procs().MnDosya_Click(0);
    w().Baslık[1]->setText(QStringLiteral("NOT SAVED"));
    procs().MnDosya_Click(3); // untitled: asks, cancelled
    EXPECT_EQ(record(), encodeParameterSet(ParameterSetBlank));

    // A chosen name builds the record from the pages.
    fx.dialogs.answerFile(path(QStringLiteral("named.vlm")));
    procs().MnDosya_Click(3);
    EXPECT_TRUE(s().CurrentParameterSet.HeaderLines[1].text().startsWith(QStringLiteral("NOT SAVED")));
}

TEST_F(FileMenuTest, EveryItemKeepsItsShortcutAndRunsFromIt) {
    const std::pair<int, QKeySequence> keys[] = {{0, QKeySequence(Qt::CTRL | Qt::Key_F5)},
                                                 {1, QKeySequence(Qt::CTRL | Qt::Key_F4)},
                                                 {3, QKeySequence(Qt::CTRL | Qt::Key_F2)},
                                                 {4, QKeySequence(Qt::CTRL | Qt::Key_F3)},
                                                 {8, QKeySequence(Qt::Key_F6)},
                                                 {9, QKeySequence(Qt::Key_F7)},
                                                 {11, QKeySequence(Qt::CTRL | Qt::Key_Q)}};
    // A language load replaces the captions, never the keys.
    ASSERT_TRUE(fx.program->app.diloku());
    for (const auto& [item, key] : keys)
        EXPECT_EQ(w().MnDosya[item]->shortcut(), key) << item;

    s().ParamFileName = QStringLiteral("x.vlm");
    w().MnDosya[0]->trigger();
    EXPECT_EQ(s().ParamFileName, QStringLiteral("*.Vlm"));
    for (int item : {1, 3, 4}) {
        fx.dialogs.clear();
        w().MnDosya[item]->trigger();
        ASSERT_EQ(fx.dialogs.shown.size(), 1) << item;
        EXPECT_EQ(fx.dialogs.shown.value(0).kind,
                  item == 1 ? ScriptedDialogs::Shown::Open : ScriptedDialogs::Shown::Save);
    }
    w().MnDosya[9]->trigger();
    EXPECT_FALSE(w().SSPanel2->isHidden());
    w().SSCommand2[1]->click();
    w().MnDosya[8]->trigger();
    EXPECT_FALSE(w().SSPanel3->isHidden());
    w().SSCommand4[1]->click();
    w().MnDosya[11]->trigger();
    EXPECT_EQ(quits, 1);
}

// A connect arms a read of the parameter and calibration pages on their entry. A set opened from a
// file stays on the parameter page whether the connect came before the open or after it, and the
// calibration page still reads; New and every read the technician asks for (read panel, refresh,
// F5) end that. A cancelled or refused Open changes nothing, the pending read included.
TEST_F(FileMenuTest, AnOpenedSetStaysOnTheParameterPageWhicheverCameFirst) {
    {
        QFile notes(path(QStringLiteral("notes.txt")));
        ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
        notes.write("Parametre listesi\r\n");
    }
    auto readFrom = [this](int reg) {
        for (const SimIndicator::Frame& f : fx.indicator.frames)
            if (!f.write && f.firstRegister == reg)
                return true;
        return false;
    };
    // The parameter read is the one that asks for the info text.
    auto parameterPageRead = [&] { return readFrom(204); };
    // The deferred read of the parameter page runs once the tab change is over.
    auto letDeferredReadRun = [this] { fx.letDeferredReadRun(); };
    // A click on a tab, from the header page; true when the parameter page was read.
    auto enter = [&](int tab) {
        w().SSTab1->setCurrentIndex(0);
        fx.indicator.clearLog();
        w().SSTab1->setCurrentIndex(tab);
        letDeferredReadRun();
        return parameterPageRead();
    };
    // From the header page, so that the connect reads no page of its own.
    auto toggleConnection = [this](bool connected) {
        w().SSTab1->setCurrentIndex(0);
        w().connect->trigger();
        ASSERT_EQ(s().Connected, connected);
    };
    // File > Open; an empty name cancels the dialog.
    auto open = [this](const QString& name) {
        fx.dialogs.clear();
        fx.dialogs.answerFile(name.isEmpty() ? QString() : path(name));
        w().MnDosya[1]->trigger();
        ASSERT_EQ(fx.dialogs.shown.value(0).kind, ScriptedDialogs::Shown::Open);
    };
    auto pressF5 = [this] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
        QCoreApplication::sendEvent(w().Grid1[GridParameters], &press);
    };
    const QString sample = QStringLiteral("sample.vlm");

    // Connect, then open.
    toggleConnection(true);
    open(sample);
    const QByteArray opened = record();
    EXPECT_FALSE(enter(4));
    EXPECT_EQ(s().param.Word78, -1);
    procs().fillRecordFromPages();
    EXPECT_EQ(record(), opened);
    enter(5);
    EXPECT_TRUE(readFrom(128)) << "the calibration page reads on its entry";
    // A refresh of the calibration page is no read of the parameter page.
    w().Toolbar1Button[11]->trigger();
    toggleConnection(false);
    toggleConnection(true);
    EXPECT_FALSE(enter(4));

    // Open, then connect; a cancelled or a refused Open leaves the opened set as it is.
    toggleConnection(false);
    w().MnDosya[0]->trigger();
    open(sample);
    toggleConnection(true);
    open(QString());
    open(QStringLiteral("notes.txt"));
    ASSERT_EQ(fx.dialogs.messages().size(), 1) << "the refused file is named";
    EXPECT_FALSE(enter(4));
    EXPECT_FALSE(enter(4));
    procs().fillRecordFromPages();
    EXPECT_EQ(record(), opened);

    // New empties the page: the read still pending reads it on its entry.
    w().MnDosya[0]->trigger();
    EXPECT_TRUE(enter(4));
    // So does the toolbar's clear on the parameter page, once it is confirmed: the next connect
    // reads the page on its entry.
    for (const MsgResult answer : {MsgResult::No, MsgResult::Yes}) {
        open(sample);
        w().SSTab1->setCurrentIndex(4);
        fx.dialogs.answerMessage(answer);
        w().Toolbar1Button[10]->trigger();
        toggleConnection(false);
        toggleConnection(true);
        EXPECT_EQ(enter(4), answer == MsgResult::Yes);
    }

    // With nothing opened, a cancelled or refused Open leaves the read pending.
    toggleConnection(false);
    toggleConnection(true);
    open(QString());
    open(QStringLiteral("notes.txt"));
    EXPECT_TRUE(enter(4));

    // The refresh button and F5 read the page in view over an opened set.
    open(sample);
    EXPECT_FALSE(enter(4));
    fx.indicator.clearLog();
    w().Toolbar1Button[11]->trigger();
    letDeferredReadRun();
    EXPECT_TRUE(parameterPageRead()) << "refresh";
    open(sample);
    toggleConnection(false);
    toggleConnection(true);
    EXPECT_FALSE(enter(4));
    fx.indicator.clearLog();
    pressF5();
    letDeferredReadRun();
    EXPECT_TRUE(parameterPageRead()) << "F5";

    // The read panel's parameter read ends it too: the next connect reads the page on its entry.
    open(sample);
    w().MnDosya[9]->trigger();
    for (int k = 0; k < 5; ++k)
        w().SSCheck1[k]->setChecked(k == 3);
    fx.indicator.clearLog();
    w().SSCommand2[0]->click();
    ASSERT_TRUE(parameterPageRead());
    toggleConnection(false);
    toggleConnection(true);
    EXPECT_TRUE(enter(4));
}

// The label text goes back to the file and to the indicator with the bytes it came with, though
// the box shows a no-break space as a blank and a lone CR or LF as a line break; once edited it is
// taken from the box.
TEST_F(FileMenuTest, AnUneditedLabelTextKeepsItsBytes) {
    const QByteArray text("N\r\nA40,30,0,4,1,1,N,\"A\xA0"
                          "B\"\rA40,60,0,4,1,1,N,\"C\"\nP1\r\n");
    QByteArray bytes = makeSampleFile().bytes;
    bytes.replace(126, text.size(), text);
    QFile f(path(QStringLiteral("label.vlm")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();

    fx.connection().Image2_Click(0);
    ASSERT_TRUE(s().Connected);
    fx.dialogs.answerFile(path(QStringLiteral("label.vlm")));
    procs().MnDosya_Click(1);
    ASSERT_TRUE(w().EPL->toPlainText().contains(QStringLiteral("A B")));
    fx.dialogs.answerFile(path(QStringLiteral("copy.vlm")));
    procs().MnDosya_Click(4);
    auto saved = [this] {
        QFile copy(path(QStringLiteral("copy.vlm")));
        return copy.open(QIODevice::ReadOnly) ? copy.readAll() : QByteArray();
    };
    EXPECT_TRUE(saved() == bytes);

    setOption(w().Option3[1], true);
    procs().MnDosya_Click(8);
    for (QCheckBox* box : w().SSCheck2)
        box->setChecked(false);
    w().SSCheck2[0]->setChecked(true);
    fx.dialogs.clear();
    w().SSCommand4[0]->click();
    EXPECT_TRUE(fx.dialogs.messages().isEmpty());
    EXPECT_TRUE(fx.indicator.committed(SimIndicator::Block::LabelText).startsWith(text + '\0'));
    procs().MnDosya_Click(3);
    EXPECT_TRUE(saved() == bytes) << "the send left the text as it was";

    w().EPL->moveCursor(QTextCursor::End);
    w().EPL->insertPlainText(QStringLiteral("P2"));
    procs().MnDosya_Click(3);
    EXPECT_TRUE(s().CurrentParameterSet.EplText.bytes().startsWith(
        "N\r\nA40,30,0,4,1,1,N,\"A B\"\r\nA40,60,0,4,1,1,N,\"C\"\r\nP1\r\nP2 "));
}

// The second sample reaches what the first leaves. Its centred header comes back with the centre
// button alone pressed, its clock without a day name and its setpoints that hold no number other
// than 0 come back as shown, and row 3 on choice 1 shortens the lists of rows 6, 7 and 9; saved under
// a name typed without ".vlm" in a folder whose name has a dot, it is the file the pages show. An
// emptied parameter page leaves the clock text of the set to the next save.
TEST_F(FileMenuTest, TheSecondSampleOpensAndSavesAsItIsShown) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("my.sets")));
    {
        QFile f(path(QStringLiteral("second.vlm")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(makeSampleFile(2).bytes);
    }
    fx.program->window.show();
    auto open = [this](const QString& name) {
        fx.dialogs.answerFile(path(name));
        w().MnDosya[1]->trigger();
    };
    // The length of the list a click on the row's value cell offers.
    auto listOfRow = [this](int row) {
        clickCell(w().Grid1[GridParameters], row, 1);
        return w().Combo1->isHidden() ? -1 : w().Combo1->count();
    };
    auto saved = [this](const QString& name) {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };

    // The first sample before it, so that nothing of it (its day name) stays behind.
    w().SSTab1->setCurrentIndex(4);
    open(QStringLiteral("sample.vlm"));
    EXPECT_EQ((QList<int>{listOfRow(6), listOfRow(7), listOfRow(9)}), (QList<int>{3, 4, 5}));
    // From another page, which the open clears instead of this one.
    w().SSTab1->setCurrentIndex(0);
    open(QStringLiteral("second.vlm"));
    EXPECT_TRUE(w().Toolbar2Button[0][1]->isChecked());
    EXPECT_FALSE(w().Toolbar2Button[0][2]->isChecked());
    EXPECT_FALSE(w().Toolbar2Button[1][1]->isChecked());
    EXPECT_TRUE(w().Toolbar2Button[1][2]->isChecked());
    EXPECT_EQ(w().Baslık[3]->text(), QStringLiteral("HEAD 3"));
    EXPECT_EQ(w().DipNot[1]->text(), QStringLiteral("FOOTER LINE 1"));
    EXPECT_EQ(grid(GridParameters).TextMatrix(1, 1), QStringLiteral("01-02-25 \\ 03:04:05"));
    EXPECT_TRUE(s().DayNameSuffix.isEmpty());
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(grid(GridSetpoints).TextMatrix(r, 1), QStringLiteral("0")) << r;
    EXPECT_EQ(grid(GridSetpoints).TextMatrix(4, 1), QStringLiteral("4,33"));

    fx.dialogs.answerFile(path(QStringLiteral("my.sets/copy")));
    w().MnDosya[4]->trigger();
    EXPECT_EQ(caption(), QStringLiteral("VELMORA v1.0 [copy.vlm]"));
    EXPECT_TRUE(saved(QStringLiteral("my.sets/copy.vlm")) == makeSampleFile(2, true).bytes);

    // Only now, as a click shows its choice in the cell.
    w().SSTab1->setCurrentIndex(4);
    EXPECT_EQ((QList<int>{listOfRow(6), listOfRow(7), listOfRow(9)}), (QList<int>{2, 2, 2}));

    fx.dialogs.answerMessage(MsgResult::Yes);
    w().Toolbar1Button[10]->trigger();
    ASSERT_TRUE(grid(GridParameters).TextMatrix(1, 1).isEmpty());
    w().MnDosya[3]->trigger();
    const auto record = decodeParameterSet(saved(QStringLiteral("my.sets/copy.vlm")));
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->ClockText.text(), QStringLiteral("01-02-25 \\ 03:04:05"));
}

// A set opened from its file goes to the indicator whole through the send panel, and reading it
// back through the read panel into emptied pages shows the file's values again.
TEST_F(FileMenuTest, AnOpenedSetIsSentToTheIndicatorAndReadBack) {
    fx.connection().Image2_Click(0);
    ASSERT_TRUE(s().Connected);
    fx.dialogs.answerFile(path(QStringLiteral("sample.vlm")));
    procs().MnDosya_Click(1);
    setOption(w().Option3[0], true);                       // ticket printer: the header group sends the ticket lines
    w().Baslık[1]->setText(QStringLiteral("EDITED LINE")); // the record is built from the pages

    procs().MnDosya_Click(8);
    ASSERT_FALSE(w().SSPanel3->isHidden());
    for (QCheckBox* box : w().SSCheck2)
        box->setChecked(box->isEnabled());
    fx.indicator.clearLog();
    fx.dialogs.clear();
    w().SSCommand4[0]->click();
    EXPECT_TRUE(fx.dialogs.messages().isEmpty());
    ASSERT_TRUE(s().Connected);
    // Every group was committed by its store code.
    for (int code : {4, 16, 11, 2, 6, 13, 9, 8})
        EXPECT_TRUE(fx.indicator.commands.contains(code)) << code;
    EXPECT_TRUE(fx.indicator.committed(SimIndicator::Block::TicketLines).contains("HEADER LINE 2"));
    EXPECT_TRUE(fx.indicator.committed(SimIndicator::Block::TicketLines).contains("EDITED LINE"));

    // Emptied pages, then the read panel brings the set back from the indicator.
    procs().MnDosya_Click(0);
    ASSERT_TRUE(grid(GridIdMemories).TextMatrix(2, 1).isEmpty());
    procs().MnDosya_Click(9);
    for (int k = 0; k < 5; ++k)
        w().SSCheck1[k]->setChecked(true);
    w().SSCommand2[0]->click();
    EXPECT_TRUE(fx.dialogs.messages().isEmpty());
    EXPECT_EQ(w().Baslık[1]->text().trimmed(), QStringLiteral("EDITED LINE"));
    EXPECT_EQ(w().Baslık[2]->text().trimmed(), QStringLiteral("HEADER LINE 2"));
    EXPECT_EQ(w().Text6->text().trimmed(), QStringLiteral("ÜRÜN"));
    EXPECT_EQ(grid(GridIdMemories).TextMatrix(2, 1).trimmed(), QStringLiteral("1007"));
    EXPECT_EQ(grid(GridIdMemories).TextMatrix(101, 2).trimmed(), QStringLiteral("ÜRÜN 100"));
    // Setpoints come back with the decimals of the connected scale's division (0.005).
    EXPECT_EQ(grid(GridSetpoints).TextMatrix(9, 3), QStringLiteral("2009,880"));
    EXPECT_EQ(grid(GridParameters).TextMatrix(1, 1), QStringLiteral("14-12-07 \\ 09:05:30"));
    EXPECT_EQ(s().param.ValueArray[0], -1500);
    EXPECT_EQ(s().param.Word78, -1);
    EXPECT_TRUE(parameterSendChoicesOffered()) << "a complete read offers them again";
}

} // namespace
