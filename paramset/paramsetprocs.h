#pragma once

#include <QString>

#include <array>
#include <functional>

struct AppContext;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

// The procedures of the parameter set: the record and its file, the copies between pages and
// record, the read and send panels, the deferred parameter read, the refresh of the page in view
// and the File menu. The exchanges themselves are DeviceTransfers'.
class ParamsetProcs {
public:
    explicit ParamsetProcs(AppContext& ctx) : m_ctx(ctx) {}
    virtual ~ParamsetProcs() = default;

    // Connects the File menu, the panels' controls and the deferred-read timer to their procedures.
    void wire();

    // Saves CurrentParameterSet as the File menu asks: Index 3 save, 4 save as. Asks for a name for
    // save as and while the set is untitled; a name without "." gets ".vlm". buildRecord, when
    // given, runs once the name is known and before the write, so that a cancelled dialog changes
    // nothing at all. The file is written whole to a temporary file that then replaces the old one;
    // a failed write is reported and changes nothing (old file, folder, name, path, caption).
    // True when the file was written.
    bool KayıtEt(int Index, const std::function<void()>& buildRecord = {});

    // Reads a parameter-set file into CurrentParameterSet and makes it the current file (folder,
    // name, path, caption). A file that cannot be read or holds no complete record is refused with a
    // message and changes nothing. The pages are not touched: showParameterSet shows the record.
    bool readParameterSetFile(const QString& path);

    // The pages to the record, in the order Save, Save As and the send panel run them: header and
    // footer lines with their alignment and the label text; ID memories and titles; setpoints;
    // preset tares; the parameter page with its working values.
    void fillRecordFromPages();
    void BaslıkKaydı();
    void IDKaydı();
    void SetpointKaydı();
    void PDaraKaydı();
    void ParametreKaydet();

    // The record to the pages after an open, in the same order, then the boxes without the blanks
    // the record pads them with (a centred line also without its leading ones, so that saving it
    // again centres the same text to the same bytes).
    void showParameterSet();
    void BaslıkOku();
    void IDOKU();
    void SetpointOku();
    void ParametreOku();
    void PDaraOku();

    // The window caption for the current file: "VELMORA v1.0 [name]", or without the bracket
    // while the set is untitled.
    void showFileNameInCaption();

    // The File menu (and the toolbar buttons that stand for its items): 0 new, 1 open, 3 save,
    // 4 save as, 8 the send panel, 9 the read panel, 11 exit; any other index does nothing.
    void MnDosya_Click(int Index);

    // The read panel's buttons: 0 reads the ticked groups, 1 cancels. Cancel while the read runs
    // only asks it to stop; the read's own end restores the window.
    void SSCommand2_Click(int Index);
    // The send panel's buttons: 0 writes the ticked groups and then the parameter groups, 1 cancels.
    void SSCommand4_Click(int Index);

    // The deferred read of the parameter page, a moment after its tab was entered for a new read.
    void Timer2_Timer();

    // Reads the page in view from the indicator. Refused with a message while not connected; does
    // nothing while a device job runs or a panel has the window locked.
    void RefKatmaOlum();

    // After a calibration run the indicator's calibration and range set-up are newer than the
    // parameter page's: the calibration and configuration (Jmp) send choices are withdrawn until the
    // page is read or opened again, so a choice left ticked cannot write the old values back.
    void withdrawCalibrationSendChoices();

protected:
    AppContext& m_ctx;
    bool m_wired = false;

private:
    // Opens the port for a job, trying up to `attempts` times without a box in between; the last
    // failure is told once. A port that is missing, held by another program or refuses its
    // settings is not tried again.
    bool openPortForJob(int attempts);
    void closePort();
    // Centres a panel in the window, shows it and brings it to the front.
    void showPanel(QWidget* panel);
    // A panel button pressed while not connected (start) or while a job runs: told or passed on to
    // the job as a stop request. True when nothing more is to be done.
    bool pressAnsweredWithoutJob(int Index);
    // A choice of a panel that counts: ticked, offered (enabled) and shown.
    static bool chosen(const QCheckBox* box);
    // The end of every read-panel and send-panel press, and of the refresh.
    void readPanelEnding();
    void sendPanelEnding();
    void panelEnding(QWidget* panel, const std::array<QPushButton*, 2>& commands, QProgressBar* bar, QLabel* caption);
    // One read group of the read panel (0 header/footer, 1 ID memories, 2 setpoints,
    // 3 parameters, 4 status); false when the read failed and no further group should run.
    bool runReadGroup(int group);

    // File menu items.
    void newParameterSet();
    void openParameterSet();
    // Save and save as: the record is built from the pages only once a file name is known.
    void saveParameterSet(int Index);
    void openSendPanel();
    void openReadPanel();
    // Reads the hardware status before the send panel opens; false when the port never opened
    // (the window is then unlocked again).
    bool readHardwareStatusForSendPanel();
    void wireFileMenu();
    void wirePanels();
};
