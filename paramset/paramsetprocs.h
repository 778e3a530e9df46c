#pragma once

#include <QString>

struct AppContext;

// The procedures of the parameter set: the record and its file, the copies between pages and
// record, the transfers to and from the indicator, the read and send panels and the File menu.
class ParamsetProcs {
public:
    explicit ParamsetProcs(AppContext& ctx) : m_ctx(ctx) {}
    virtual ~ParamsetProcs() = default;

    // Connects the File menu and the panels' controls to their procedures.
    void wire();

    // Saves CurrentParameterSet as the File menu asks: Index 3 save, 4 save as. Asks for a name for
    // save as and while the set is untitled; a name without "." gets ".vlm". The file is written
    // whole to a temporary file that then replaces the old one. A cancelled dialog changes nothing;
    // a failed write is reported and changes nothing (old file, folder, name, path, caption).
    // True when the file was written.
    bool KayıtEt(int Index);

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

protected:
    AppContext& m_ctx;
    bool m_wired = false;
};
