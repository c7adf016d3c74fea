// The port and speed menus and the menu entries that open the tool windows
// (the traffic monitor among them).

#include "ui/main/frmmain.h"

#include "link/modvariables.h"
#include "link/serialsettings.h"
#include "ui/custom/frmcustom.h"
#include "ui/main/toolwindowentry.h"
#include "ui/msgbox.h"
#include "ui/tools/frmconfig.h"
#include "ui/tools/frmgraph.h"
#include "ui/tools/frmscreen.h"
#include "ui/tools/frmscroll.h"
#include "ui/traffic/frmtraffic.h"

#include <QAction>
#include <QActionGroup>

using namespace Qt::StringLiterals;

namespace {

const QString PortError = u"COM Port Error"_s;

} // namespace

// Puts the check mark on the item whose data() is index, and only there.
void frmMain::CheckMenuItem(QActionGroup *group, int index)
{
    for (QAction *item : group->actions())
        item->setChecked(item->data().toInt() == index);
}

void frmMain::mnuPort_Click(int index)
{
    if (MSComm1.PortOpen())
        MSComm1.setPortOpen(false);
    CheckMenuItem(mnuPort, index);
    strCommPort = QString::number(index);
    // The new port stays chosen (and is saved at exit) even when it cannot be opened.
    if (!MSComm1.setCommPort(index) || !MSComm1.setPortOpen(true))
        MsgBox(this, PortError, QMessageBox::Warning);
}

void frmMain::mnuBaudRate_Click(int index)
{
    CheckMenuItem(mnuBaudRate, index);
    strCommSettings = index == 0 ? Settings9600 : Settings19200;
    if (MSComm1.PortOpen())
        MSComm1.setPortOpen(false);
    MSComm1.setSettings(strCommSettings);
    // Also opens a port that was closed before; one that cannot be reopened
    // stays closed, and the operator is told as for a port choice.
    if (!MSComm1.setPortOpen(true))
        MsgBox(this, PortError, QMessageBox::Warning);
}

void frmMain::mnuTraffic_Click()
{
    mnuTraffic->open();
}

void frmMain::mnuConfig_Click()
{
    mnuConfig->open();
}

void frmMain::mnuScreen_Click()
{
    mnuScreen->open();
}

void frmMain::mnuCustom_Click()
{
    mnuCustom->open();
}

void frmMain::mnuScroll_Click()
{
    mnuScroll->open();
}

void frmMain::mnuGraph_Click()
{
    mnuGraph->open();
}

void frmMain::CloseToolWindows()
{
    for (ToolWindowEntry *entry : std::as_const(m_toolEntries))
        entry->closeWindow();
}

void frmMain::DeleteToolWindows()
{
    for (ToolWindowEntry *entry : std::as_const(m_toolEntries))
        delete entry->window();
}

// Each entry is enabled once its window can be made; the windows belong to this
// window, so none outlives it.
void frmMain::WireToolWindows()
{
    mnuConfig->setMaker([this] { return new frmConfig(MSComm1, this); });
    mnuScreen->setMaker([this] { return new frmScreen(MSComm1, this); });
    mnuCustom->setMaker([this] { return new frmCustom(MSComm1, this); });
    mnuScroll->setMaker([this] { return new frmScroll(MSComm1, this); });
    mnuGraph->setMaker([this] { return new frmGraph(MSComm1, this); });
    mnuTraffic->setMaker([this] { return new frmTraffic(*m_traffic, this); });
}
