#include "support/windowfixture.h"

#include "app/settings.h"

#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// Catches what the help item would open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

class ConnectionPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(f.start());
        f.connectionPanel().TaksimatBul = [this] {
            ++taksimatCalls;
            // What was stored when the range set-up was read: nothing yet.
            storedPortWhenRead = f.storeValue("Port");
            addressWhenRead = f.session().DeviceAddress;
        };
        f.dialogs.clear();
    }

    void open() { f.connectionPanel().MnAyar_Click(0); }
    // The user picks an entry of a choice box.
    static void choose(QComboBox* box, const QString& text) {
        const int i = box->findText(text);
        ASSERT_GE(i, 0) << qPrintable(text);
        box->setCurrentIndex(i);
        emit box->activated(i);
    }
    bool locked() const {
        return !f.program->w().SSTab1->isEnabled() && !f.program->w().Toolbar1->isEnabled() &&
               !f.program->w().Image2[2]->isHidden();
    }

    WindowFixture f;
    int taksimatCalls = 0;
    QString storedPortWhenRead = QStringLiteral("?");
    QString addressWhenRead;
};

TEST_F(ConnectionPanelTest, OpeningShowsTheSettingsInTheBoxesAndLocksTheWindow) {
    MainWidgets& w = f.w();
    open();
    EXPECT_FALSE(w.SSPanel1->isHidden());
    EXPECT_TRUE(locked());
    EXPECT_EQ(w.Combo6->currentText(), "COM1");
    EXPECT_EQ(w.Combo7->currentText(), "9600");
    EXPECT_EQ(w.Combo9->currentText(), "NONE");
    EXPECT_EQ(w.Combo8->currentText(), "8");
    EXPECT_EQ(w.Combo3->currentText(), "Var");
    EXPECT_EQ(w.Combo2->currentText(), "00");
    EXPECT_EQ(w.Text4[0]->text(), "1");
    EXPECT_EQ(w.Text4[1]->text(), "9600,N,8,1");

    f.connectionPanel().SSCommand7_Click();
    f.session().PortSettings = "19200,O,7,1";
    f.session().ChecksumOn = false;
    f.session().DeviceAddress = "12";
    open();
    EXPECT_EQ(w.Combo7->currentText(), "19200");
    EXPECT_EQ(w.Combo9->currentText(), "ODD");
    EXPECT_EQ(w.Combo8->currentText(), "7");
    EXPECT_EQ(w.Combo3->currentText(), "Yok");
    EXPECT_EQ(w.Combo2->currentText(), "12");
}

TEST_F(ConnectionPanelTest, ParityChoiceSetsTheDataBitsAndOkStoresTheSettings) {
    MainWidgets& w = f.w();
    f.session().DeviceAddress = "00";
    open();
    choose(w.Combo9, "EVEN");
    EXPECT_EQ(w.Combo8->currentText(), "7");
    f.connectionPanel().SSCommand1_Click();
    EXPECT_EQ(f.session().PortSettings, "9600,E,7,1");
    EXPECT_EQ(f.storeValue("Setting"), "9600,E,7,1");
    EXPECT_EQ(f.storeValue("Port"), "1");
    EXPECT_EQ(f.storeValue("Adrres"), "00");
    EXPECT_EQ(f.storeValue("CSUM"), "True");
    EXPECT_TRUE(w.SSPanel1->isHidden());
    EXPECT_FALSE(locked());
    EXPECT_FALSE(w.Image2[0]->isHidden()); // "green" shows red while not connected

    open();
    EXPECT_EQ(w.Combo9->currentText(), "EVEN");
    choose(w.Combo9, "NONE");
    EXPECT_EQ(w.Combo8->currentText(), "8");
    choose(w.Combo9, "ODD");
    EXPECT_EQ(w.Combo8->currentText(), "7");
    choose(w.Combo8, "8"); // the data bits can still be changed afterwards
    choose(w.Combo7, "19200");
    choose(w.Combo3, "Yok");
    emit w.SSCommand1->clicked();
    EXPECT_EQ(f.storeValue("Setting"), "19200,O,8,1");
    EXPECT_EQ(f.storeValue("CSUM"), "False");
    EXPECT_FALSE(f.session().ChecksumOn);
    EXPECT_EQ(taksimatCalls, 0);
}

TEST_F(ConnectionPanelTest, TheRangeSetUpIsReadOnlyWhenTheAddressChangedAndBeforeAnythingIsStored) {
    MainWidgets& w = f.w();
    // No address yet: the panel shows "00", and OK takes that as a new address.
    open();
    f.connectionPanel().SSCommand1_Click();
    EXPECT_EQ(taksimatCalls, 1);
    EXPECT_EQ(storedPortWhenRead, "");
    EXPECT_EQ(addressWhenRead, "00");
    EXPECT_EQ(f.storeValue("Adrres"), "00");

    open();
    f.connectionPanel().SSCommand1_Click();
    EXPECT_EQ(taksimatCalls, 1);

    open();
    choose(w.Combo2, "07");
    f.connectionPanel().SSCommand1_Click();
    EXPECT_EQ(taksimatCalls, 2);
    EXPECT_EQ(addressWhenRead, "07");
    EXPECT_EQ(f.session().DeviceAddress, "07");
    EXPECT_EQ(f.storeValue("Adrres"), "07");
}

TEST_F(ConnectionPanelTest, ASecondOkWhileTheRangeIsReadAndPanelsDuringAJobAreRefused) {
    MainWidgets& w = f.w();
    open();
    choose(w.Combo2, "07");
    // The range read waits with events dispatched; the user presses OK again meanwhile.
    f.connectionPanel().TaksimatBul = [&] {
        ++taksimatCalls;
        f.connectionPanel().SSCommand1_Click();
        EXPECT_FALSE(w.SSPanel1->isHidden()) << "the panel stays until the first OK ends";
    };
    f.connectionPanel().SSCommand1_Click();
    EXPECT_EQ(taksimatCalls, 1);
    EXPECT_TRUE(w.SSPanel1->isHidden());

    {
        DeviceBusyGuard job(f.session());
        w.MnAyar[0]->trigger();
        w.MnAyar[3]->trigger();
    }
    EXPECT_TRUE(w.SSPanel1->isHidden());
    EXPECT_TRUE(w.SSPanel7->isHidden());
}

TEST_F(ConnectionPanelTest, CancelTakesAndStoresNothing) {
    MainWidgets& w = f.w();
    open();
    choose(w.Combo9, "EVEN");
    choose(w.Combo2, "33");
    choose(w.Combo3, "Yok");
    emit w.SSCommand7->clicked();
    EXPECT_TRUE(w.SSPanel1->isHidden());
    EXPECT_FALSE(locked());
    EXPECT_EQ(f.session().PortSettings, "9600,N,8,1");
    EXPECT_EQ(f.session().DeviceAddress, "");
    EXPECT_TRUE(f.session().ChecksumOn);
    EXPECT_FALSE(f.store->contains("QM", "Setting"));
    EXPECT_FALSE(f.store->contains("QM", "Adrres"));
    EXPECT_EQ(taksimatCalls, 0);
}

TEST_F(ConnectionPanelTest, StoredPortAndBaudOutsideTheListsAreShownAndKept) {
    MainWidgets& w = f.w();
    f.session().PortNumber = "7";
    f.session().PortSettings = "115200,N,8,1";
    f.session().DeviceAddress = "00";
    open();
    EXPECT_EQ(w.Combo6->currentText(), "COM7");
    EXPECT_EQ(w.Combo7->currentText(), "115200");
    f.connectionPanel().SSCommand1_Click();
    EXPECT_EQ(f.storeValue("Port"), "7");
    EXPECT_EQ(f.storeValue("Setting"), "115200,N,8,1");

    // The port list follows the ports present each time the panel opens, without doubles.
    f.port.existingPorts = {1, 3};
    open();
    QStringList items;
    for (int i = 0; i < w.Combo6->count(); ++i)
        items << w.Combo6->itemText(i);
    EXPECT_EQ(items, QStringList({"COM1", "COM3", "COM7"}));
    choose(w.Combo6, "COM3");
    f.connectionPanel().SSCommand1_Click();
    EXPECT_EQ(f.session().PortNumber, "3");
    EXPECT_EQ(f.storeValue("Port"), "3");
}

TEST_F(ConnectionPanelTest, OkWithoutAPortChosenKeepsThePortInUse) {
    MainWidgets& w = f.w();
    f.session().PortNumber = "2";
    open();
    w.Combo6->setCurrentIndex(-1);
    f.connectionPanel().SSCommand1_Click();
    EXPECT_EQ(f.session().PortNumber, "2");
    EXPECT_EQ(f.storeValue("Port"), "2");
    EXPECT_EQ(w.Text4[0]->text(), "2");
}

TEST_F(ConnectionPanelTest, ReadingTimeKeyAsksAndKeepsTheOldValueForUnusableAnswers) {
    MainWidgets& w = f.w();
    open();
    auto press = [&](Qt::KeyboardModifiers m) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_S, m);
        QApplication::sendEvent(w.SSCommand1, &key);
    };
    const Qt::KeyboardModifiers all = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

    press(Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_TRUE(f.dialogs.shown.isEmpty());

    f.dialogs.answerInput(QStringLiteral("0,3"));
    press(all);
    ASSERT_EQ(f.dialogs.shown.size(), 1);
    EXPECT_EQ(f.dialogs.shown.value(0).kind, ScriptedDialogs::Shown::Input);
    EXPECT_EQ(f.dialogs.shown.value(0).text, "Reading time?");
    EXPECT_EQ(f.dialogs.shown.value(0).title, "KR and TW");
    EXPECT_DOUBLE_EQ(f.session().ReadWaitTime, 0.3);
    EXPECT_EQ(f.storeValue("OkumaZamanı"), "0,3");

    for (const std::optional<QString>& answer :
         {std::optional<QString>(), std::optional<QString>(""), std::optional<QString>("abc"),
          std::optional<QString>("0"), std::optional<QString>("-1")}) {
        f.dialogs.answerInput(answer);
        press(all);
        EXPECT_DOUBLE_EQ(f.session().ReadWaitTime, 0.3) << qPrintable(answer.value_or("<cancel>"));
        EXPECT_EQ(f.storeValue("OkumaZamanı"), "0,3");
    }
    EXPECT_EQ(f.dialogs.unscripted, 0);
}

TEST_F(ConnectionPanelTest, HelpOpensTheDocumentOfTheLanguageAndIdentificationShowsItsBox) {
    MainWidgets& w = f.w();
    for (int i : {1, 4, 5, 6})
        EXPECT_FALSE(w.MnAyar[i]->isEnabled()) << i;
    EXPECT_TRUE(w.MnAyar[0]->isEnabled());

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    const struct {
        const char* language;
        const char* document;
    } cases[] = {{"Türkçe.txt", "VelmoraTR.pdf"}, {"türkçe.txt", "VelmoraENG.pdf"}, {"English.txt", "VelmoraENG.pdf"}};
    for (const auto& c : cases) {
        f.session().LanguageFile = QString::fromUtf8(c.language);
        f.connectionPanel().MnAyar_Click(4);
        ASSERT_FALSE(catcher.urls.isEmpty());
        EXPECT_EQ(catcher.urls.last().toLocalFile(), f.session().AppFolder + "Help/" + c.document);
    }
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_EQ(catcher.urls.size(), 3);

    f.connectionPanel().MnAyar_Click(6);
    ASSERT_EQ(f.dialogs.messages().size(), 1);
    EXPECT_EQ(f.dialogs.messages().value(0).text, f.session().messages.NoticeText[18]);
    EXPECT_EQ(f.dialogs.messages().value(0).title, f.session().messages.NoticeText[19]);
    EXPECT_EQ(f.dialogs.messages().value(0).buttons, MsgButtons::Ok);
    EXPECT_FALSE(f.session().messages.NoticeText[18].isEmpty());
}

} // namespace

#include "connectionpanel_test.moc"
