#pragma once

#include "link/modini.h"
#include "link/modvariables.h"
#include "support/msgboxrecorder.h"
#include "support/ptypair.h"
#include "support/testini.h"
#include "ui/main/frmmain.h"

#include <QAbstractButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

// One run of the main window against a pseudo-terminal that plays the board:
// a fresh settings folder, recorded message boxes, and every write counted.
struct MainWindowHarness
{
    TestIni ini;
    PtyPair board;
    MsgBoxRecorder boxes;
    std::unique_ptr<frmMain> window;
    MSComm *port = nullptr;
    std::unique_ptr<QSignalSpy> writes;

    MainWindowHarness() { ResetVariables(); }

    // Settings file contents, with COM `boardPort` leading to the board.
    void settings(const QByteArray &contents, int boardPort = 1)
    {
        ini.setContents(contents);
        ini.mapPort(boardPort, board.slavePath());
    }

    // Makes the window, runs its start-up and shows it, as the program does.
    frmMain &start()
    {
        window = std::make_unique<frmMain>();
        port = window->findChild<MSComm *>(QStringLiteral("MSComm1"));
        writes = std::make_unique<QSignalSpy>(port, &MSComm::outputWritten);
        window->Form_Load();
        window->show();
        return *window;
    }

    template <typename T> T *find(const QString &name) const
    {
        T *child = window->findChild<T *>(name);
        if (!child)
            qFatal("no control %s", qPrintable(name));
        return child;
    }

    void click(const QString &name) const
    {
        QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton);
    }

    // The writes counted so far, as the bytes of each, and forgets them.
    QList<QByteArray> takeWrites()
    {
        QList<QByteArray> list;
        for (const auto &args : std::as_const(*writes))
            list << args.at(0).toByteArray();
        writes->clear();
        return list;
    }

    // The next count bytes that reached the board.
    QByteArray wire(int count) { return board.readExactly(count); }
    // Whatever reaches the board within a short while (to see that nothing does).
    QByteArray stray() { return board.readFor(30); }
};

// Types any text, one key press per character (keyClicks takes ASCII only).
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

inline QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}
