#include "ctl/servelaunch.h"

#include "ctl/ctloutput.h"
#include "protocol/line/lineresult.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace {

QString ServeProgram()
{
    const QDir here(QCoreApplication::applicationDirPath());
    const QString beside = here.filePath(QStringLiteral("vantorctl-serve"));
    if (QFileInfo(beside).isExecutable())
        return beside;
    return QDir::cleanPath(here.filePath(QStringLiteral(VANTOR_SERVE_FROM_BIN "/vantorctl-serve")));
}

} // namespace

int ExecServe(const QStringList &arguments)
{
    const QString program = ServeProgram();
    std::vector<QByteArray> words{QFile::encodeName(program)};
    for (const QString &argument : arguments)
        words.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    execv(argv.front(), argv.data());
    PrintError(QStringLiteral("%1 cannot be run: %2")
                   .arg(program, QString::fromLocal8Bit(std::strerror(errno))));
    return StatusPortNotOpened;
}
