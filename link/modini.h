#pragma once

#include "link/inikeys.h"

#include <QString>
#include <functional>
#include <optional>

// The panel's settings file vantor.ini.

// Where the settings live, chosen once at start-up.
struct IniLocation
{
    QString folder;   // with exactly one trailing separator
    QString seedPath; // read in place of the file until the first write makes it; may be empty
    QString fileName = Ini::FileName;
    QString path() const { return folder + fileName; }
};

// A build tree or a portable copy keeps its settings beside the program. An
// installed program (under /usr/, or in a folder it cannot write) keeps them in
// the user's folder; while the user has no copy yet, one beside the program is
// read and seeds the user's copy at the first write.
IniLocation ChooseIniLocation(const QString &programFolder, bool programFolderWritable,
                              const QString &userFolder);

struct IniWriteFailure
{
    QString path;
    QString reason;
};
using IniWriteFailureHandler = std::function<void(const IniWriteFailure &)>;

// The value of the key, cut to 254 characters; empty when missing.
QString ReadIniValue(const QString &section, const QString &key);
// Why the settings file is there but cannot be read (it then reads as empty
// and is never replaced); nothing when it reads or does not exist.
std::optional<QString> IniReadProblem();
// True when the value, written to the settings file as it is now, would read
// back exactly (no line break, within the length a value keeps, in the file's
// encoding).
bool IniKeepsValue(const QString &section, const QString &key, const QString &value);
// Writes the value; a write that fails leaves the file as it was and is handed
// to the failure handler.
void WriteIniValue(const QString &section, const QString &key, const QString &value);
// Writes the value only when the file holds another one: choices kept this
// way leave the file alone while they do not change.
void KeepIniValue(const QString &section, const QString &key, const QString &value);
// Called with every failed write; an empty handler lets them pass silently.
void SetIniWriteFailureHandler(IniWriteFailureHandler handler);
// The folder of the settings file with exactly one trailing separator.
QString IniFolder();
// IniFolder() + "vantor.ini".
QString IniPath();
// Points the settings file at another folder or location (tests, portable
// copies); an empty folder restores the one chosen at start-up.
void SetIniFolder(const QString &folder);
void SetIniLocation(const IniLocation &location);
// Points the settings file at a file of any name (a script's own settings).
void SetIniFile(const QString &path);
