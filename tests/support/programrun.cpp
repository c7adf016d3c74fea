#include "support/programrun.h"

#include <QProcess>
#include <QTest>

ProgramRun RunProgram(const QString &program, const QStringList &arguments, const QByteArray &input,
                      const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    const bool ended =
        QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 30000);
    if (!ended || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
