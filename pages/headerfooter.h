#pragma once

#include <QByteArray>
#include <QString>

// The header/footer and label-printer text page: the keys of the six ticket lines, the label text
// and its file, and the sliding tag panel.

inline constexpr int kTicketLineLength = 20;
inline constexpr int kEplTypingLimit = 996;      // characters of label text that can be typed
inline constexpr qint64 kEplFileAskAbove = 1000; // bytes; a longer file is loaded only after a Yes

// The line that takes the focus after a key, or -1. Header lines 0..3 go round; the two footer
// lines go to each other.
int headerLineKeyDown(int line, int keyCode);
int footerLineKeyDown(int line, int keyCode);

// A character typed into a ticket line: where the focus goes (-1: stays) and whether the key is
// dropped. Backspace in an empty line goes back a line; a printable key in a full line goes on to
// the next line and is dropped.
struct LineKeyPress {
    int focusLine = -1;
    bool drop = false;
};
LineKeyPress headerLineKeyPress(int line, int keyAscii, int textLength);
LineKeyPress footerLineKeyPress(int line, int keyAscii, int textLength);

// The label text as the box holds it: lines ending in CR LF.
// Reading a label-text file: every line (ended by CR LF, a lone CR or a lone LF, or by the end of
// the file) becomes that line followed by CR LF. Bytes are Windows-1254.
QString labelTextFromFile(const QByteArray& bytes);
// What saving writes: the text followed by CR LF, unless it already ends with one.
QByteArray labelTextFileBytes(const QString& text);

// Characters the box's text counts (a line break counts as its CR LF).
int labelTextLength(const QString& boxText);

// The sliding tag panel: widths in twips.
inline constexpr int kTagPanelClosedWidth = 30;
inline constexpr int kTagPanelOpenWidth = 2205;
inline constexpr int kTagPanelStep = 60;
// One animation step: the panel's next width, and whether it is now fully open.
struct TagPanelStep {
    int width;
    bool done;
};
TagPanelStep tagPanelStep(int width);
// Where the label text box stands beside a panel of that left and width.
struct BoxPlace {
    int left;
    int width;
};
BoxPlace labelBoxBesidePanel(int panelLeft, int panelWidth);
inline constexpr BoxPlace kLabelBoxAlone{240, 8070};
