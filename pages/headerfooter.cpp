#include "pages/headerfooter.h"

#include "pages/editorstate.h"
#include "platform/cp1254.h"

int headerLineKeyDown(int line, int keyCode) {
    if (keyCode == keys::Enter || keyCode == keys::Down)
        return (line + 1) % 4;
    if (keyCode == keys::Up)
        return (line + 3) % 4;
    return -1;
}

int footerLineKeyDown(int line, int keyCode) {
    if (keyCode == keys::Enter || keyCode == keys::Down || keyCode == keys::Up)
        return 1 - line;
    return -1;
}

LineKeyPress headerLineKeyPress(int line, int keyAscii, int textLength) {
    if (keyAscii == keys::Backspace && textLength == 0 && line > 0)
        return {line - 1, false};
    if (keyAscii >= 32 && textLength >= kTicketLineLength)
        return {line < 3 ? line + 1 : -1, true};
    return {};
}

LineKeyPress footerLineKeyPress(int line, int keyAscii, int textLength) {
    if (keyAscii == keys::Backspace && textLength == 0 && line == 1)
        return {0, false};
    if (keyAscii >= 32 && textLength >= kTicketLineLength)
        return {line == 0 ? 1 : -1, true};
    return {};
}

QString labelTextFromFile(const QByteArray& bytes) {
    const QString text = cp1254::decode(bytes);
    QString out;
    out.reserve(text.size() + 2);
    qsizetype start = 0;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            out += text.mid(start, i - start) + QStringLiteral("\r\n");
            i += (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n)
        out += text.mid(start) + QStringLiteral("\r\n");
    return out;
}

QByteArray labelTextFileBytes(const QString& text) {
    QByteArray bytes = cp1254::encode(text);
    if (!bytes.endsWith("\r\n"))
        bytes += "\r\n";
    return bytes;
}

int labelTextLength(const QString& boxText) {
    int length = 0;
    for (qsizetype i = 0; i < boxText.size(); ++i) {
        if (boxText[i] == u'\r' && i + 1 < boxText.size() && boxText[i + 1] == u'\n')
            continue; // counted with its LF
        length += (boxText[i] == u'\n' || boxText[i] == u'\r') ? 2 : 1;
    }
    return length;
}

TagPanelStep tagPanelStep(int width) {
    width += kTagPanelStep;
    if (width > kTagPanelOpenWidth)
        return {kTagPanelOpenWidth, true};
    return {width, false};
}

BoxPlace labelBoxBesidePanel(int panelLeft, int panelWidth) {
    const int left = panelLeft + panelWidth + 50;
    return {left, 8370 - left - 100};
}
