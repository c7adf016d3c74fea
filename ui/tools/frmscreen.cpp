#include "ui/tools/frmscreen.h"

#include "link/mscomm.h"
#include "protocol/commandbuffer.h"
#include "protocol/commands.h"
#include "protocol/textframes.h"
#include "ui/fixedform.h"
#include "ui/msgbox.h"
#include "ui/sendcommand.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimer>

namespace {

constexpr int TickMs = 100;

// The frames stand in a grid of three columns, screen 1 at the top left, with
// "Set User's Screens" in the cell after "Screen 10".
constexpr int GridColumns = 3;
constexpr int GridRows = 4;
constexpr int Margin = 8;
constexpr int FrameWidth = 152;
constexpr int FrameHeight = 88;
constexpr QSize ButtonSize(136, 28);

QRect CellRect(int cell)
{
    return {Margin + (cell % GridColumns) * (FrameWidth + Margin),
            Margin + (cell / GridColumns) * (FrameHeight + Margin), FrameWidth, FrameHeight};
}

QRect CentredIn(const QRect &cell, QSize size)
{
    QRect centred(QPoint(), size);
    centred.moveCenter(cell.center());
    return centred;
}

} // namespace

frmScreen::frmScreen(MSComm &port, QWidget *parent)
    : ToolWindow(parent), MSComm1(port), Timer1(new QTimer(this))
{
    setObjectName(QStringLiteral("frmScreen"));
    setWindowTitle(QStringLiteral("User's Defined Screens"));
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(TickMs);
    createControls();
    initConnections();
}

void frmScreen::createControls()
{
    for (int screen = 1; screen <= Cmd::UserScreenCount; ++screen)
        createScreenFrame(screen);
    cmdSetScreen =
        makeButton(this, QStringLiteral("cmdSetScreen"), QStringLiteral("Set User's Screens"),
                   CentredIn(CellRect(Cmd::UserScreenCount), ButtonSize));
    setFixedSize(Margin + GridColumns * (FrameWidth + Margin),
                 Margin + GridRows * (FrameHeight + Margin));
}

void frmScreen::createScreenFrame(int screen)
{
    auto *frame = makeFrame(this, QStringLiteral("fraScreen%1").arg(screen),
                            QStringLiteral("Screen %1").arg(screen), CellRect(screen - 1));
    std::array<QLineEdit *, 2> lines{};
    for (int line = 1; line <= 2; ++line) {
        lines[line - 1] =
            makeTextBox(frame, QStringLiteral("txtLine%1%2").arg(screen).arg(line),
                        QStringLiteral("Line %1").arg(line), {12, 26 + 30 * (line - 1), 128, 24},
                        DisplayLineLength, TextPlace::Definition);
    }
    m_lines << lines;
}

void frmScreen::initConnections()
{
    connect(cmdSetScreen, &QPushButton::clicked, this, &frmScreen::cmdSetScreen_Click);
    connect(Timer1, &QTimer::timeout, this, &frmScreen::Timer1_Timer);
}

void frmScreen::Form_Load()
{
    for (const auto &lines : std::as_const(m_lines)) {
        lines[0]->clear();
        lines[1]->clear();
    }
}

// Closing ends an upload in progress; the next one starts again at screen 1.
void frmScreen::Form_Unload()
{
    Timer1->stop();
    m_step = 0;
    m_upload.reset();
}

// Starts the upload, or lets one in progress go on where it stands.
void frmScreen::cmdSetScreen_Click()
{
    if (!Timer1->isActive())
        Timer1->start();
    if (!m_upload)
        m_upload.emplace(MSComm1.activity());
}

// One screen per tick. The timer is off while the tick runs, so no tick can
// start inside the event loop of a message box this tick shows.
void frmScreen::Timer1_Timer()
{
    if (m_ticking)
        return;
    const QScopedValueRollback<bool> ticking(m_ticking, true);
    Timer1->stop();
    if (!BoardTakesCommand(MSComm1, this)) {
        m_step = 0; // a board that takes nothing ends the upload; the next starts again
        m_upload.reset();
        return;
    }
    const int screen = ++m_step;
    if (screen <= Cmd::UserScreenCount)
        SendScreen(screen);
    if (!isLoaded())
        return; // a refused write closed the window, which ended the upload
    if (screen < Cmd::UserScreenCount) {
        Timer1->start();
        return;
    }
    m_step = 0;
    m_upload.reset();
    MsgBox(this, QStringLiteral("All Screens Set"), QMessageBox::Information);
}

// Both writes of one screen, with the texts as they stood when the tick began.
void frmScreen::SendScreen(int screen)
{
    const auto &lines = m_lines.at(screen - 1);
    const TwoTextCommand definition = UserScreenCommand(screen, lines[0]->text(), lines[1]->text());
    strCommand = definition.command + definition.first;
    SendCommand();
    strCommand = definition.second;
    SendCommand();
}

void frmScreen::SendCommand()
{
    ::SendCommand(MSComm1, this, QMessageBox::Warning, AfterRefusal::CloseWindow);
}
