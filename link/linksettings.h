#pragma once

#include <QString>
#include <QVector>

// What the protocol layer needs of the program that uses it: the line and address settings, the
// time an answer is waited for, the flag that ends a job, where the log goes, and the few texts of
// the language in use that an exchange shows or decodes into. The program's Session is one; another
// tool talking to the same indicators provides its own.
class LinkSettings {
public:
    virtual ~LinkSettings() = default;

    // The port number ("1" for COM1) and its settings text ("9600,N,8,1").
    virtual QString portNumber() const = 0;
    virtual QString portSettings() const = 0;
    // The indicator's address ("" when frames carry none) and whether they carry a checksum.
    virtual QString deviceAddress() const = 0;
    virtual bool checksumOn() const = 0;
    // Seconds every answer is waited for.
    virtual double readWaitTime() const = 0;

    // A write given up on (or the program closing during one) ends the running job; the job's code
    // tests the flag this raises.
    virtual void requestAbort() = 0;

    // The folder the log file goes to; "" (or a folder that cannot be written) puts it in the
    // per-user data folder.
    virtual QString logFolder() const = 0;

    // The text of the box that asks what to do about a write no send of which was acknowledged.
    virtual QString writeFailedText() const = 0;
    // What a "Tx" answer's text keeps goes by the page in view: 0 (header and footer) drops line
    // feeds and NULs, 6 (status) keeps everything, any other drops line feeds.
    virtual int textFilterSelector() const = 0;
    // The day names a clock answer is decoded with, Monday first, and where its day name goes.
    virtual const QVector<QString>& dayNames() const = 0;
    virtual void setDayNameSuffix(const QString& suffix) = 0;
};
