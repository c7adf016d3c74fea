#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// VantorBoard's command line.
struct BoardOptions
{
    static QString defaultLink() { return QStringLiteral("/tmp/vantorboard"); }

    QString link = defaultLink();
    QString store; // the non-volatile memory file; empty keeps it in memory only
    bool headless = false;
    bool trace = false;
    bool help = false;
    bool version = false;
    int speed = 0; // 9600 or 19200 overrides the stored speed at start; 0 keeps it
    int inputs = 0;
    int voltageCount = 0;
    int currentCount = 0;

    // Reads the arguments (the program name first). Nothing, with error set, when they are wrong.
    static std::optional<BoardOptions> parse(const QStringList &arguments, QString *error);
    static QString helpText();
};
