#include "link/modini.h"

#include "link/inifile.h"

#include <QCoreApplication>
#include <QDir>

namespace {

QString &folderOverride()
{
    static QString folder;
    return folder;
}

QString programFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
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
    return IniFolder() + QStringLiteral("vantor.ini");
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
    IniFile::write(IniPath(), section, key, value); // a failed write is not reported
}
