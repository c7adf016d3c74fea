// The port and speed menus and the menu entries that open the tool windows
// (the traffic monitor and the plot window among them).

#include "ui/main/frmmain.h"

#include "link/modvariables.h"
#include "link/serialsettings.h"
#include "ui/custom/frmcustom.h"
#include "ui/main/toolwindowentry.h"
#include "ui/msgbox.h"
#include "ui/plot/frmplot.h"
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

// The port left is closed and no longer waited for. The new port stays chosen
// (and is saved at exit) even when it cannot be opened; its device, read from
// the settings file now, is waited for when it is not there.
void frmMain::mnuPort_Click(int index)
{
    m_speedFollow.cancel();
    m_watch.leave();
    CheckMenuItem(mnuPort, index);
    strCommPort = QString::number(index);
    m_devices.choose(index);
    TellUnreadableSettings();
    if (!MSComm1.setCommPort(index) || !m_watch.open())
        TellPortError();
}

void frmMain::mnuBaudRate_Click(int index)
{
    m_speedFollow.cancel();
    CheckMenuItem(mnuBaudRate, index);
    strCommSettings = index == 0 ? Settings9600 : Settings19200;
    if (MSComm1.PortOpen())
        MSComm1.setPortOpen(false);
    MSComm1.setSettings(strCommSettings);
    // Also opens a port that was closed before; one that cannot be reopened
    // stays closed, and the operator is told as for a port choice.
    if (!m_watch.open())
        TellPortError();
}

// "COM Port Error" as it always was, with the device and why it failed below it.
void frmMain::TellPortError()
{
    MsgBoxRequest box;
    box.parent = this;
    box.text = PortError;
    box.icon = QMessageBox::Warning;
    box.informativeText =
        OpenFailureText(MSComm1.DeviceName(), MSComm1.LastOpenFailure(), MSComm1.errorString());
    MsgBox(box);
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

void frmMain::mnuPlotInputs_Click()
{
    mnuPlotInputs->open();
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
    mnuConfig->setMaker([this] {
        auto *config = new frmConfig(MSComm1, this);
        connect(config, &frmConfig::deviceSpeedSent, this, &frmMain::DeviceSpeedSent);
        return config;
    });
    mnuScreen->setMaker([this] { return new frmScreen(MSComm1, this); });
    mnuCustom->setMaker([this] { return new frmCustom(MSComm1, this); });
    mnuScroll->setMaker([this] { return new frmScroll(MSComm1, this); });
    mnuGraph->setMaker([this] { return new frmGraph(MSComm1, this); });
    mnuTraffic->setMaker([this] { return new frmTraffic(*m_traffic, this); });
    mnuPlotInputs->setMaker([this] { return new frmPlot(m_reads, this); });
}
