#pragma once

#include "link/modini.h"
#include "link/modvariables.h"
#include "support/msgboxrecorder.h"
#include "support/ptylink.h"
#include "support/ptypair.h"
#include "support/testini.h"
#include "support/widgetdriver.h"
#include "support/writelog.h"
#include "ui/main/frmmain.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTest>
#include <memory>

// One run of the main window against a pseudo-terminal that plays the board:
// a fresh settings folder, recorded message boxes, and every write logged.
struct MainWindowHarness
{
    // COM 1 at 9600 bps, brightness 50, auto-off 30: a start-up that sends nothing.
    static inline const QByteArray BoardOnCom1 =
        "[Settings]\nCommPort=1\nSetting=9600,n,8,1\n[Backlight]\nLevel=50\nAutoOff=30\n";

    TestIni ini;
    PtyPair board;
    MsgBoxRecorder boxes;
    std::unique_ptr<frmMain> window;
    MSComm *port = nullptr;
    std::unique_ptr<WriteLog> writes;

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
        port = find<MSComm>(QStringLiteral("MSComm1"));
        writes = std::make_unique<WriteLog>(port);
        window->Form_Load();
        window->show();
        return *window;
    }
    template <typename T> T *find(const QString &name) const
    {
        return child<T>(window.get(), name);
    }
    void click(const QString &name) const { clickButton(window.get(), name); }
    // Replaces the text of the named box or picker by typing.
    void type(const QString &name, const QString &text) const { retype(find<QWidget>(name), text); }
    // The text the named label shows: a status bar part, a read-out.
    QString shown(const QString &label) const { return find<QLabel>(label)->text(); }

    // The writes logged so far, as the bytes of each, and forgets them.
    QList<QByteArray> takeWrites() { return writes->take(); }
    // The next count bytes that reached the board.
    QByteArray wire(int count) { return board.readExactly(count); }
    // Whatever reaches the board within a short while (to see that nothing does).
    QByteArray stray() { return board.readFor(30); }
};

// The usual run: COM 1 leads to the board, and start-up has sent nothing.
struct StartedMainWindow : MainWindowHarness
{
    StartedMainWindow()
    {
        settings(BoardOnCom1);
        start();
    }
};

// The usual run, with COM 1 leading to the board through a symbolic link that
// a test can re-point: unplug and plug the board. The board may also be
// missing when the panel starts.
struct LinkedMainWindow : MainWindowHarness
{
    enum Board
    {
        Plugged,
        Unplugged
    };
    PtyLink device;

    explicit LinkedMainWindow(Board board = Plugged)
    {
        if (board == Unplugged)
            device.unplug();
        ini.setContents(BoardOnCom1);
        ini.mapPort(1, device.path());
        start();
    }
};
