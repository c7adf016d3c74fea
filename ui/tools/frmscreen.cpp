#include "ui/tools/frmscreen.h"

#include "link/msgbox.h"
#include "link/sendcommand.h"
#include "protocol/commandbuffer.h"
#include "protocol/commands.h"
#include "protocol/textbytes.h"
#include "ui/displayline.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int TickMs = 100;
constexpr int GridColumns = 3;

// First write of user screen k: FE, C8+k, line 1 and the end-of-line mark,
// whatever the length of line 1.
QByteArray UserScreenLine1(int screen, const QString &text)
{
    return Cmd::defineScreen(screen) + TextToWire(text) + char(Cmd::EndOfLine);
}

// Second write of a user screen: line 2 and the end of the definition.
QByteArray UserScreenLine2(const QString &text)
{
    return TextToWire(text) + char(Cmd::EndOfText);
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
    auto *grid = new QGridLayout(this);
    for (int screen = 1; screen <= Cmd::UserScreenCount; ++screen)
        grid->addWidget(createScreenFrame(screen), (screen - 1) / GridColumns,
                        (screen - 1) % GridColumns);
    cmdSetScreen = new QPushButton(QStringLiteral("Set User's Screens"), this);
    cmdSetScreen->setObjectName(QStringLiteral("cmdSetScreen"));
    // Beside "Screen 10", alone in the last row.
    grid->addWidget(cmdSetScreen, Cmd::UserScreenCount / GridColumns, 1, Qt::AlignCenter);
    setFixedSize(sizeHint());
}

QGroupBox *frmScreen::createScreenFrame(int screen)
{
    auto *frame = new QGroupBox(QStringLiteral("Screen %1").arg(screen), this);
    auto *column = new QVBoxLayout(frame);
    std::array<QLineEdit *, 2> lines{};
    for (int line = 1; line <= 2; ++line) {
        auto *box = new QLineEdit(frame);
        box->setObjectName(QStringLiteral("txtLine%1%2").arg(screen).arg(line));
        SetUpDisplayText(box, DisplayLineLength);
        column->addWidget(box);
        lines[line - 1] = box;
    }
    m_lines << lines;
    return frame;
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
}

// Starts the upload, or lets one in progress go on where it stands.
void frmScreen::cmdSetScreen_Click()
{
    if (!Timer1->isActive())
        Timer1->start();
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
    MsgBox(this, QStringLiteral("All Screens Set"), QMessageBox::Information);
}

// Both writes of one screen, with the texts as they stood when the tick began.
void frmScreen::SendScreen(int screen)
{
    const auto &lines = m_lines.at(screen - 1);
    const QString line1 = lines[0]->text();
    const QString line2 = lines[1]->text();
    strCommand = UserScreenLine1(screen, line1);
    SendCommand();
    strCommand = UserScreenLine2(line2);
    SendCommand();
}

void frmScreen::SendCommand()
{
    ::SendCommand(MSComm1, this, QMessageBox::Warning, AfterRefusal::CloseWindow);
}
