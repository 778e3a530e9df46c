#pragma once

#include "session/controls.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QVector>

#include <array>

class GridViewBinder;

// The controls of the main window, by the names the procedures use. Control arrays are indexed as
// the window numbers them; an element the window does not have is nullptr. Every control exists
// from construction on (the window builds them all), hidden where the design starts it hidden.
struct MainWidgets {
    QMainWindow* AnaForm = nullptr;

    // Menus. MnDosya: 0 new, 1 open, 2 separator, 3 save, 4 save as, 7 separator, 8 send,
    // 9 read, 10 separator, 11 exit (5 and 6 do not exist). MnAyar: 0 connection settings,
    // 1 program settings, 3 language, 4 help (F1), 5 separator, 6 identification (2 does not exist).
    QMenu* MnDosya1 = nullptr;
    std::array<QAction*, 12> MnDosya{};
    QMenu* MnAyar1 = nullptr;
    std::array<QAction*, 7> MnAyar{};
    QAction* connect = nullptr; // top-level Connect / Disconnect item

    // Band under the menu: main toolbar, overall progress bar, status lamp.
    PanelFrame* SSPanel11 = nullptr;
    QToolBar* Toolbar1 = nullptr;
    // Toolbar1 buttons by 1-based position: 1 new, 2 open, 4 save, 5 save as, 7 send, 8 read,
    // 10 clear page, 11 refresh; 3, 6 and 9 are separators. Element 0 is unused.
    std::array<QAction*, 12> Toolbar1Button{};
    QProgressBar* ProgressBar3 = nullptr;
    std::array<ClickLabel*, 3> Image2{}; // lamp: 0 red, 1 green, 2 yellow

    // Tab control: 0 header/footer, 1 ID memories, 2 preset tares, 3 setpoints, 4 parameters,
    // 5 calibration, 6 status. TabPage[i] is the page widget of tab i.
    QTabWidget* SSTab1 = nullptr;
    std::array<QWidget*, 7> TabPage{};

    // The five grids: 0 ID memories, 1 setpoints, 2 parameters, 3 status, 4 preset tares.
    std::array<QTableView*, 5> Grid1{};
    // Keep each view and its GridPage in step and carry the grid events (click, current cell
    // moved, scrolled, focus, keys) to the page procedures.
    std::array<GridViewBinder*, 5> Grid1Binder{};

    // Tab 0: header/footer and label-printer text.
    std::array<QLabel*, 2> Label1{};     // "BAŞLIK", "DİPNOT"
    std::array<QLineEdit*, 4> Baslık{};  // header lines, 20 characters
    std::array<QLineEdit*, 2> DipNot{};  // footer lines, 20 characters
    std::array<QToolBar*, 2> Toolbar2{}; // alignment bars: 0 header, 1 footer
    // Toolbar2Button[bar][1] centre, [bar][2] left (checkable); [bar][0] unused.
    std::array<std::array<QAction*, 3>, 2> Toolbar2Button{};
    std::array<QRadioButton*, 2> Option3{}; // printer kind: 0 ticket, 1 label printer
    QPlainTextEdit* EPL = nullptr;
    std::array<QPushButton*, 2> SSCommand10{}; // load, save the label text
    QPushButton* Command2 = nullptr;           // side panel toggle
    PanelFrame* SSPanel6 = nullptr;            // label-printer tag list (slides open)
    QLabel* Label14 = nullptr;                 // tags
    QLabel* Label15 = nullptr;                 // their meanings

    // Tab 1: ID memories. Text2/Text3 float over Grid1[0] (children of its viewport).
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QGroupBox* Frame8 = nullptr;        // ID titles: Label8 with Text6, Text8
    std::array<QLabel*, 2> Label8{};    // ID title captions
    QLineEdit* Text6 = nullptr;         // ID title 0
    QLineEdit* Text8 = nullptr;         // ID title 1
    QGroupBox* Frame12 = nullptr;       // current IDs: lines "ID 1", "ID 2" of Text11
    std::array<QLabel*, 2> Label21{};   // column captions "Number", "Name"
    std::array<QLineEdit*, 4> Text11{}; // 0 ID1 number, 1 ID1 name, 2 ID2 number, 3 ID2 name
    QGroupBox* Frame13 = nullptr;       // ID memories: holds Grid1[0]

    // Tab 2: preset tares. Text7 floats over Grid1[4].
    QLineEdit* Text7 = nullptr;

    // Tab 3: setpoints. Text5 float over Grid1[1].
    std::array<QLineEdit*, 3> Text5{};

    // Tab 4: parameters. Combo1/Text1/DTPicker1 float over Grid1[2] (children of its viewport);
    // DTPicker1 are never shown, they only mark a position.
    QComboBox* Combo1 = nullptr;
    QLineEdit* Text1 = nullptr;
    std::array<QDateTimeEdit*, 2> DTPicker1{};
    // Date/time panel, a child of the parameter page (TabPage[4]), over the grid.
    PanelFrame* SSPanel9 = nullptr;
    QGroupBox* Frame10 = nullptr;        // date
    QGroupBox* Frame11 = nullptr;        // time
    std::array<QGroupBox*, 6> Frame9{};  // dd mm yy hh mm ss
    std::array<QLineEdit*, 6> Text13{};  // the six two-digit boxes
    std::array<ClickLabel*, 2> Image1{}; // 0 OK, 1 Cancel

    // Tab 5: calibration.
    std::array<QRadioButton*, 2> Option5{}; // 0 weight calibration, 1 analog-output calibration
    QGroupBox* Frame1 = nullptr;            // calibration procedure
    std::array<QRadioButton*, 3> Option1{}; // 0 general, 1 zero, 2 span
    QPushButton* SSCommand3 = nullptr;      // calibration start
    QLabel* Label4 = nullptr;               // calibration step display
    ShapeWidget* Shape3 = nullptr;          // calibration lamp
    QGroupBox* Frame3 = nullptr;            // calibration parameters
    // Label3: 0 working mode, 1/2 fast/slow (zero panel), 3/4 slow/fast (full-scale panel),
    // 5/6 capacity/division range 1, 7/8 range 2, 9 metrological.
    std::array<QLabel*, 10> Label3{};
    // Combo4: 0 range mode, 1/2 capacity/division range 1, 3/4 range 2, 5 metrological.
    // Combo44[1..4]: the companions shown to the user (entries without codes); Combo4[1..4]
    // lie hidden beneath them. Combo44[0] is unused.
    std::array<QComboBox*, 6> Combo4{};
    std::array<QComboBox*, 5> Combo44{};
    QGroupBox* Frame6 = nullptr;            // live weight
    QPushButton* SSCommand6 = nullptr;      // read the indicator's value
    QLabel* Label9 = nullptr;               // value
    QLabel* Label10 = nullptr;              // unit
    QLabel* Label11 = nullptr;              // over/under range text
    ShapeWidget* Shape7 = nullptr;          // live weight lamp
    QGroupBox* Frame2 = nullptr;            // analog-output calibration
    QGroupBox* Frame5 = nullptr;            // analog output type
    std::array<QRadioButton*, 2> Option4{}; // 0 4-20 mA, 1 0-10 VDC
    std::array<QRadioButton*, 2> Option6{}; // 0 zero, 1 full scale
    PanelFrame* SSPanel4 = nullptr;         // zero adjustment
    PanelFrame* SSPanel5 = nullptr;         // full-scale adjustment
    std::array<QPushButton*, 4> Sıfır{};    // checkable: 0 +100, 1 -100, 2 +5, 3 -5
    std::array<QPushButton*, 4> FS{};       // checkable, same meaning
    QPushButton* SSCommand5 = nullptr;      // analog run start/stop
    QLabel* Label7 = nullptr;               // analog-output display
    ShapeWidget* Shape4 = nullptr;          // analog-output lamp
    QPushButton* Command1 = nullptr;        // diagnostic, outside the visible area
    QPushButton* Command3 = nullptr;        // restart, outside the visible area
    // Span-weight prompt, over the calibration page.
    PanelFrame* SSPanel8 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label18 = nullptr;
    QLineEdit* Text10 = nullptr;
    std::array<QPushButton*, 2> SSCommand11{}; // 0 OK, 1 cancel
    ClickLabel* Label17 = nullptr;             // "X"

    // Connection settings panel (centred pop-up).
    PanelFrame* SSPanel1 = nullptr;
    std::array<QLabel*, 6> Label2{};   // port, settings, address, checksum, data bits, parity
    QComboBox* Combo6 = nullptr;       // COM port
    QComboBox* Combo7 = nullptr;       // baud rate
    QComboBox* Combo9 = nullptr;       // parity
    QComboBox* Combo8 = nullptr;       // data bits
    QComboBox* Combo2 = nullptr;       // device address "00".."99"
    QComboBox* Combo3 = nullptr;       // checksum "Yok"/"Var"
    std::array<QLineEdit*, 2> Text4{}; // working fields (never shown): port number, settings text
    QPushButton* SSCommand1 = nullptr; // OK
    QPushButton* SSCommand7 = nullptr; // cancel

    // Read-from-indicator panel (centred pop-up).
    PanelFrame* SSPanel2 = nullptr;
    std::array<QCheckBox*, 7> SSCheck1{};
    std::array<QPushButton*, 2> SSCommand2{}; // 0 start, 1 cancel
    QLabel* Label5 = nullptr;                 // step caption
    QProgressBar* ProgressBar1 = nullptr;

    // Send-to-indicator panel (centred pop-up).
    PanelFrame* SSPanel3 = nullptr;
    std::array<QCheckBox*, 9> SSCheck2{};
    std::array<QPushButton*, 2> SSCommand4{}; // 0 start, 1 cancel
    QLabel* Label6 = nullptr;                 // step caption
    QProgressBar* ProgressBar2 = nullptr;

    // Language panel (centred pop-up).
    PanelFrame* SSPanel7 = nullptr;
    std::array<QRadioButton*, 3> Option2{};
    QComboBox* Combo5 = nullptr;       // chosen file name (editable)
    QListWidget* File1 = nullptr;      // *.txt files of the language folder
    QLabel* Label13 = nullptr;         // hint
    QPushButton* SSCommand9 = nullptr; // OK
    QPushButton* SSCommand8 = nullptr; // cancel

    // Wait panel shown while connecting.
    PanelFrame* SSPanel10 = nullptr;

    // Timers, all stopped at start: 1 analog adjustment repeat (100 ms), 2 deferred parameter read
    // (10 ms, single shot), 3 live weight (100 ms), 4 status refresh (5000 ms), Açıklama side panel
    // animation (5 ms).
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;
    QTimer* Timer4 = nullptr;
    QTimer* Açıklama = nullptr;
};

// The start-up dialog Form1.
struct StartupWidgets {
    QDialog* Form1 = nullptr;
    PanelFrame* SSPanel7 = nullptr;           // model panel
    std::array<QPushButton*, 2> SSCommand6{}; // 0 first model, 1 second model
    QPushButton* Command1 = nullptr;          // expand toggle "> > >"
    ShapeWidget* Shape3 = nullptr;            // frame inside the model panel
    std::array<QLabel*, 5> Label5{};          // hint lines
    std::array<QRadioButton*, 2> Option1{};   // "Qm1", "Qm2" (read by nothing)
    QLabel* Label3 = nullptr;                 // version
    QLabel* Label4 = nullptr;                 // brand text
    QLabel* Image1 = nullptr;                 // brand picture
    QLabel* Label6 = nullptr;                 // welcome line
    QVector<QFrame*> Line7;                   // decorative lines 0..27
};

// Sets a radio button's state; clearing one leaves its group with no choice, which an exclusive
// group would otherwise refuse.
void setOption(QRadioButton* option, bool checked);
