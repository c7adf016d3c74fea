#include "link/modini.h"

#include "link/inifile.h"
#include "link/inikeys.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString &folderOverride()
{
    static QString folder;
    return folder;
}

// A build tree or a portable copy keeps its settings beside the executable.
// An installed program (a system folder, or one the user cannot write) keeps
// them in the user's configuration folder instead.
bool isPortableFolder(const QString &folder)
{
    return QFileInfo(folder).isWritable() && !folder.startsWith(QLatin1String("/usr/"));
}

QString programFolder()
{
    if (!QCoreApplication::instance())
        return QDir::currentPath();
    QString folder = QCoreApplication::applicationDirPath();
    if (isPortableFolder(folder))
        return folder;
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

} // namespace

QString IniFolder()
{
    QString folder = folderOverride().isEmpty() ? programFolder() : folderOverride();
    if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QDir::separator()))
        folder += QLatin1Char('/');
    return folder;
}

QString IniPath()
{
    return IniFolder() + Ini::FileName;
}

void SetIniFolder(const QString &folder)
{
    folderOverride() = folder;
}

QString ReadIniValue(const QString &section, const QString &key)
{
    return IniFile::read(IniPath(), section, key);
}

void WriteIniValue(const QString &section, const QString &key, const QString &value)
{
    if (folderOverride().isEmpty())
        QDir().mkpath(IniFolder()); // the user's configuration folder may not exist yet
    IniFile::write(IniPath(), section, key, value); // a failed write is not reported
}
