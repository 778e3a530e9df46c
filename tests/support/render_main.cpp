// Renders the start-up dialog, every tab of the main window and the pop-up panels, for both models
// and both shipped languages, to PNG files: a way to look at the screens without a display.
//   velmora-render [--output FOLDER]   (default: ./render)

#include "app/program.h"
#include "app/startupdialog.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/settingsstore.h"
#include "sim/simindicator.h"
#include "sim/simport.h"
#include "support/programfolder.h"
#include "support/userinput.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

int g_written = 0;

const char* const kUsage = "usage: velmora-render [--output FOLDER]   (default: ./render)\n";

void save(QWidget* w, const QString& path) {
    QCoreApplication::processEvents();
    if (w->grab().save(path)) {
        ++g_written;
        std::printf("%s\n", qPrintable(path));
    } else {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    }
}

// Clicks a cell of a grid as the user would, so the page places its editors over it.
void clickGridCell(QTableView* view, int pageRow, int col, bool twice = false) {
    view->scrollTo(view->model()->index(pageRow - 1, col));
    QCoreApplication::processEvents();
    clickCell(view, pageRow, col, twice);
}

// Each page with its editor placed over a cell, as a click puts it there.
void saveEditors(Program& program, const QString& prefix, bool qm2) {
    MainWindow& window = program.window;
    MainWidgets& w = program.w();
    w.SSTab1->setCurrentIndex(4);
    clickGridCell(w.Grid1[2], 5, 1);
    save(&window, prefix + QStringLiteral("tab4-Combo1.png"));
    w.Combo1->showPopup();
    save(w.Combo1->view()->window(), prefix + QStringLiteral("tab4-Combo1-list.png"));
    w.Combo1->hidePopup();
    clickGridCell(w.Grid1[2], 32, 1);
    typeKeys(w.Text1, QStringLiteral("12"));
    save(&window, prefix + QStringLiteral("tab4-Text1.png"));
    if (qm2) {
        clickGridCell(w.Grid1[2], 1, 1, true);
        save(&window, prefix + QStringLiteral("tab4-SSPanel9.png"));
        program.pages.Image1_Click(1);

        w.SSTab1->setCurrentIndex(1);
        clickGridCell(w.Grid1[0], 5, 1);
        typeKeys(w.Text2, QStringLiteral("1234"));
        save(&window, prefix + QStringLiteral("tab1-Text2-Text3.png"));
        w.SSTab1->setCurrentIndex(3);
        clickGridCell(w.Grid1[1], 2, 1);
        save(&window, prefix + QStringLiteral("tab3-Text5.png"));
    }
    // The preset-tare page is never shown to the user; its editor is pictured all the same.
    w.SSTab1->setTabVisible(2, true);
    w.SSTab1->setCurrentIndex(2);
    clickGridCell(w.Grid1[4], 3, 1);
    save(&window, prefix + QStringLiteral("tab2-Text7.png"));
    w.SSTab1->setTabVisible(2, false);
    if (qm2) {
        w.SSTab1->setCurrentIndex(0);
        w.Option3[1]->setChecked(true);
        program.pages.setEplText(QStringLiteral("N\r\nA50,10,0,3,1,1,N,\"[N]\"\r\nP1\r\n"));
        save(&window, prefix + QStringLiteral("tab0-EPL.png"));
        w.Option3[0]->setChecked(true);
    }
}

} // namespace

int main(int argc, char** argv) {
    // Only an explicit output option names the folder: whatever else a caller passes (a test
    // runner's own options, for one) must not become a folder.
    QString out;
    for (int i = 1; i < argc; ++i) {
        const QByteArray a = argv[i];
        if (a == "--output" && i + 1 < argc && out.isEmpty())
            out = QString::fromLocal8Bit(argv[++i]);
        else if (a.startsWith("--output=") && a.size() > 9 && out.isEmpty())
            out = QString::fromLocal8Bit(a.mid(9));
        else if (a == "--help" || a == "-h") {
            std::printf("%s", kUsage);
            return 0;
        } else {
            std::fprintf(stderr, "velmora-render: unknown option %s\n%s", argv[i], kUsage);
            return 2;
        }
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (out.isEmpty())
        out = QDir::currentPath() + QStringLiteral("/render");
    QDir().mkpath(out);

    QTemporaryDir folder;
    if (!folder.isValid() || !makeProgramFolder(folder.path())) {
        std::fprintf(stderr, "could not prepare a program folder\n");
        return 1;
    }

    const struct {
        const char* file;
        const char* tag;
    } languages[] = {{"English.txt", "en"}, {"Türkçe.txt", "tr"}};

    for (const auto& lang : languages) {
        for (int model = 0; model < 2; ++model) {
            QtSettingsStore store(folder.path() + QStringLiteral("/settings-%1-%2.ini").arg(lang.tag).arg(model));
            store.setValue(QStringLiteral("QM"), QStringLiteral("dil"), QString::fromUtf8(lang.file));
            VirtualClock clock;
            ScriptedDialogs dialogs;
            SimIndicator indicator(model == 0 ? SimIndicator::Model::QM1 : SimIndicator::Model::QM2);
            SimPort port(indicator, clock);
            Program program(port, clock, dialogs, store, folder.path());
            const QString prefix = out + QStringLiteral("/%1-%2-").arg(lang.tag, model == 0 ? "qm1" : "qm2");

            // Pictures of the dialog once it waits for the model, then the model button.
            QTimer poll;
            poll.setInterval(0);
            QObject::connect(&poll, &QTimer::timeout, [&] {
                StartupDialog* form1 = program.app.startupDialog();
                if (!form1 || form1->widgets().SSPanel7->isHidden())
                    return;
                poll.stop();
                if (model == 0) {
                    save(form1, out + QStringLiteral("/%1-startup.png").arg(lang.tag));
                    form1->Command1_Click();
                    save(form1, out + QStringLiteral("/%1-startup-expanded.png").arg(lang.tag));
                    form1->Command1_Click();
                }
                form1->widgets().SSCommand6[model]->click();
            });
            poll.start();
            if (!program.app.Form_Load())
                return 1;

            MainWindow& window = program.window;
            MainWidgets& w = program.w();
            window.show();
            for (int tab = 0; tab < 7; ++tab) {
                if (!w.SSTab1->isTabVisible(tab))
                    continue; // not shown for this model
                w.SSTab1->setCurrentIndex(tab);
                save(&window, prefix + QStringLiteral("tab%1.png").arg(tab));
            }
            saveEditors(program, prefix, model == 1);
            if (model == 1) {
                // The pop-up panels, once per language.
                w.SSTab1->setCurrentIndex(0);
                // The settings panels as their menu items open them, filled.
                program.connectionPanel.MnAyar_Click(0);
                save(&window, prefix + QStringLiteral("SSPanel1.png"));
                program.connectionPanel.SSCommand7_Click();
                program.app.openLanguagePanel();
                save(&window, prefix + QStringLiteral("SSPanel7.png"));
                program.app.SSCommand8_Click();
                for (PanelFrame* panel : {w.SSPanel2, w.SSPanel3, w.SSPanel10}) {
                    window.showPanel(panel);
                    save(&window, prefix + panel->objectName() + QStringLiteral(".png"));
                    panel->hide();
                }
                w.SSTab1->setCurrentIndex(5);
                w.SSPanel8->show();
                w.SSPanel8->raise();
                save(&window, prefix + QStringLiteral("SSPanel8.png"));
                w.SSPanel8->hide();
            }
            window.hide();
        }
    }
    std::printf("%d pictures written to %s\n", g_written, qPrintable(out));
    return g_written > 0 ? 0 : 1;
}
