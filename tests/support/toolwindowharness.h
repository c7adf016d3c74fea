#pragma once

#include "link/mscomm.h"
#include "support/msgboxrecorder.h"
#include "support/ptypair.h"
#include "support/testini.h"
#include "support/widgetdriver.h"
#include "support/writelog.h"
#include "ui/toolwindow.h"

#include <QAbstractButton>
#include <memory>

// One tool window against a pseudo-terminal that plays the board: a fresh
// settings folder, a port whose every number leads to the board, the message
// boxes recorded, and every write of the window's port logged. The port starts
// closed; the variables start reset.
class ToolWindowHarness
{
public:
    ToolWindowHarness();

    // The window on the port, made at the first call.
    template <typename T> T &window()
    {
        if (!tool)
            tool = std::make_unique<T>(port);
        return static_cast<T &>(*tool);
    }
    bool openPort() { return port.setPortOpen(true); }

    template <typename T = QAbstractButton> T *find(const QString &name) const
    {
        return child<T>(tool.get(), name);
    }
    void click(const QString &name) const;
    // Replaces the text of the named box or picker by typing.
    void type(const QString &name, const QString &text) const;
    // The next count bytes that reach the board; for none, whatever comes
    // within a short while.
    QByteArray wire(qsizetype count)
    {
        return count ? board.readExactly(int(count)) : board.readFor(100);
    }
    // The boxes shown so far, each as "warning: text" or "information: text".
    QStringList shownBoxes() const;

    TestIni ini;
    PtyPair board;
    MSComm port;
    MsgBoxRecorder boxes;
    WriteLog writes{&port};
    std::unique_ptr<ToolWindow> tool; // goes first, while the rest still exists
};
