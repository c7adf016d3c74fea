#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// A real program run to its end, as a script runs it.
struct ProgramRun
{
    int exitCode = -1; // -1: it crashed or did not end in time
    QString out;
    QString err;
};

// Runs the program with the input on its standard input (then closed), Qt
// events processed meanwhile, as the program may need this process: a panel
// it talks to, a server it asks.
ProgramRun
RunProgram(const QString &program, const QStringList &arguments, const QByteArray &input = {},
           const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
