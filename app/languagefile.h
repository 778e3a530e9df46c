#pragma once

#include "session/messagetables.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The texts of one language file: one text per line, the 1-based line number is the key. Lines
// past the last one that has a place are dropped, so whatever a file holds, at most
// MessageTables::kLastLine texts come out of it.
struct LanguageLines {
    enum class Status {
        Loaded,     // the file was read (it may hold fewer lines than there are places)
        Unreadable, // missing, not a file, or not readable: nothing may change
    };

    QStringList lines; // lines[0] is line 1
    Status status = Status::Unreadable;
    bool extraLinesIgnored = false; // the file went on past the last line that has a place

    bool loaded() const { return status == Status::Loaded; }
    // True when the file reached line n (1-based).
    bool reaches(int n) const { return n >= 1 && n <= lines.size(); }
    // Text of line n, or nothing when the file did not reach it. Callers that caption a control
    // leave the control's text alone when there is nothing.
    std::optional<QString> line(int n) const;
};

// Splits raw file bytes into texts: Windows-1254, a line ends with CR LF or a lone CR, the line end
// is not part of the text, nothing is trimmed, an empty line is an empty text; a last line without
// a line end still counts. A lone LF is an ordinary character of its line.
LanguageLines parseLanguageBytes(const QByteArray& bytes);

// Reads a language file whole; a missing or unreadable file gives Status::Unreadable and no lines.
LanguageLines readLanguageFile(const QString& path);

// "LANGUAGE" folder under the program folder, with a trailing "/". programFolder may or may not end
// in a separator.
QString languageFolder(const QString& programFolder);

// Full path of a language file in that folder.
QString languageFilePath(const QString& programFolder, const QString& fileName);

// Puts every line the file reached into its table element (element k of a table whose first line
// is F is line F + k) and line 57 into ClearBoxTitle. Elements whose line the file did not reach
// keep what an earlier load put there; an unreadable file changes nothing.
void applyToMessageTables(const LanguageLines& file, MessageTables& tables);

// The language panel's OK: given the name chosen in the panel, the language file in use and the
// language folder, returns the name to store and load. Only a non-empty file that exists in the
// folder is taken; an empty name, a name that is not a plain file name, a missing, unreadable or
// empty file keeps the current language, so no name of a file that is not there is ever stored.
QString chooseLanguageFile(const QString& chosen, const QString& current, const QString& folder);
