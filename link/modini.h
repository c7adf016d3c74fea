#pragma once

#include <QString>

// The panel's settings file vantor.ini in the program's folder.

// The value of the key, cut to 254 characters; empty when missing.
QString ReadIniValue(const QString &section, const QString &key);
// Writes the value; a failed write goes unnoticed and loses the value.
void WriteIniValue(const QString &section, const QString &key, const QString &value);
// The program's folder with exactly one trailing separator.
QString IniFolder();
// IniFolder() + "vantor.ini".
QString IniPath();
// Points the settings file at another folder (tests, portable copies); empty restores the default.
void SetIniFolder(const QString &folder);
