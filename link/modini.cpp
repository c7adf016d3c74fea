#include "link/modini.h"

#include "link/inifile.h"
#include "link/safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <optional>

namespace {

struct IniState
{
    std::optional<IniLocation> chosen;
    std::optional<IniLocation> override;
    IniWriteFailureHandler onFailure;
};

IniState &state()
{
    static IniState current;
    return current;
}

QString withSeparator(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QDir::separator()))
        folder += QLatin1Char('/');
    return folder;
}

// Chosen at the first use, which is the main window's start-up, and kept for
// the run: a folder that turns read-only later does not move the file.
IniLocation defaultLocation()
{
    if (!QCoreApplication::instance())
        return {withSeparator(QDir::currentPath()), {}};
    auto &chosen = state().chosen;
    if (!chosen) {
        const QString folder = QCoreApplication::applicationDirPath();
        chosen =
            ChooseIniLocation(folder, QFileInfo(folder).isWritable(),
                              QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    }
    return *chosen;
}

IniLocation location()
{
    const auto &override = state().override;
    return override ? *override : defaultLocation();
}

} // namespace

IniLocation ChooseIniLocation(const QString &programFolder, bool programFolderWritable,
                              const QString &userFolder)
{
    IniLocation beside{withSeparator(programFolder), {}};
    if (programFolderWritable && !beside.folder.startsWith(QLatin1String("/usr/")))
        return beside;
    IniLocation user{withSeparator(userFolder), {}};
    if (!QFileInfo::exists(user.path()) && QFileInfo(beside.path()).isFile())
        user.seedPath = beside.path();
    return user;
}

QString IniFolder()
{
    return location().folder;
}

QString IniPath()
{
    return location().path();
}

void SetIniFolder(const QString &folder)
{
    SetIniLocation({folder.isEmpty() ? QString() : withSeparator(folder), {}});
}

void SetIniFile(const QString &path)
{
    const QFileInfo file(path);
    SetIniLocation({withSeparator(file.absolutePath()), {}, file.fileName()});
}

void SetIniLocation(const IniLocation &location)
{
    if (location.folder.isEmpty())
        state().override.reset();
    else
        state().override = location;
}

std::optional<QString> IniReadProblem()
{
    const IniLocation where = location();
    return IniFile::readProblem(where.path(), where.seedPath);
}

bool IniKeepsValue(const QString &section, const QString &key, const QString &value)
{
    const IniLocation where = location();
    const QString source =
        QFileInfo::exists(where.path()) || where.seedPath.isEmpty() ? where.path() : where.seedPath;
    const SafeFile::Contents current =
        QFileInfo::exists(source) ? SafeFile::read(source) : SafeFile::Contents();
    const auto updated = IniFile::withValue(current.bytes, section, key, value);
    return updated && IniFile::valueIn(*updated, section, key) == value;
}

QString ReadIniValue(const QString &section, const QString &key)
{
    const IniLocation where = location();
    return IniFile::read(where.path(), section, key, where.seedPath);
}

void WriteIniValue(const QString &section, const QString &key, const QString &value)
{
    const IniLocation where = location();
    if (!state().override)
        QDir().mkpath(where.folder); // the user's configuration folder may not exist yet
    const auto written = IniFile::write(where.path(), section, key, value, where.seedPath);
    if (!written && state().onFailure)
        state().onFailure({where.path(), written.error});
}

void KeepIniValue(const QString &section, const QString &key, const QString &value)
{
    if (ReadIniValue(section, key) != value)
        WriteIniValue(section, key, value);
}

void SetIniWriteFailureHandler(IniWriteFailureHandler handler)
{
    state().onFailure = std::move(handler);
}
