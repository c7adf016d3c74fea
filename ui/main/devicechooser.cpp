#include "ui/main/devicechooser.h"

#include "link/devicechoice.h"
#include "ui/msgbox.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

DeviceChooser::DeviceChooser(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"DeviceChooser"_s);
    setWindowTitle(u"Choose Device"_s);
    m_refresh.setInterval(RefreshMs);
    createControls();
    initConnections();
}

void DeviceChooser::createControls()
{
    auto *layout = new QVBoxLayout(this);
    lblPrompt = new QLabel(this);
    layout->addWidget(lblPrompt);
    lstDevices = new QTreeWidget(this);
    lstDevices->setObjectName(u"lstDevices"_s);
    lstDevices->setAccessibleName(u"Serial devices present"_s);
    lstDevices->setRootIsDecorated(false);
    lstDevices->setHeaderLabels(
        {u"Device"_s, u"Description"_s, u"Manufacturer"_s, u"Serial number"_s, u"USB ID"_s});
    lstDevices->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(lstDevices);
    auto *pathLabel = new QLabel(u"&Path of the device:"_s, this);
    layout->addWidget(pathLabel);
    txtDevice = new QLineEdit(this);
    txtDevice->setObjectName(u"txtDevice"_s);
    txtDevice->setAccessibleName(u"Path of the device"_s);
    pathLabel->setBuddy(txtDevice);
    layout->addWidget(txtDevice);
    auto *buttons = new QDialogButtonBox(this);
    cmdChoose = buttons->addButton(u"Choose"_s, QDialogButtonBox::AcceptRole);
    cmdChoose->setObjectName(u"cmdChoose"_s);
    cmdCancel = buttons->addButton(QDialogButtonBox::Cancel);
    cmdCancel->setObjectName(u"cmdCancel"_s);
    layout->addWidget(buttons);
    resize(640, 320);
}

void DeviceChooser::initConnections()
{
    connect(&m_refresh, &QTimer::timeout, this, &DeviceChooser::refreshList);
    connect(this, &QDialog::finished, &m_refresh, &QTimer::stop);
    connect(lstDevices, &QTreeWidget::itemSelectionChanged, this,
            &DeviceChooser::lstDevices_Select);
    connect(lstDevices, &QTreeWidget::itemDoubleClicked, this, &DeviceChooser::cmdChoose_Click);
    connect(txtDevice, &QLineEdit::textChanged, this,
            [this](const QString &text) { cmdChoose->setEnabled(!text.trimmed().isEmpty()); });
    connect(cmdChoose, &QPushButton::clicked, this, &DeviceChooser::cmdChoose_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void DeviceChooser::present(int port, const QString &device)
{
    m_port = port;
    lblPrompt->setText(u"Serial devices present; the one chosen becomes COM %1:"_s.arg(port));
    txtDevice->setText(device);
    refreshList();
    m_refresh.start();
    open();
}

void DeviceChooser::refreshList()
{
    const QList<SerialDevice> devices = PresentSerialDevices();
    if (devices != m_shown)
        showDevices(devices);
}

// Rebuilt only when the devices change, keeping the device picked, if it is still there.
void DeviceChooser::showDevices(const QList<SerialDevice> &devices)
{
    const QList<QTreeWidgetItem *> picked = lstDevices->selectedItems();
    const QString pickedPath = picked.isEmpty() ? QString() : picked.first()->text(0);
    const QSignalBlocker quiet(lstDevices); // the field keeps its text meanwhile
    lstDevices->clear();
    for (const SerialDevice &device : devices) {
        auto *item =
            new QTreeWidgetItem(lstDevices, {device.path, device.description, device.manufacturer,
                                             device.serialNumber, device.usbId});
        item->setSelected(device.path == pickedPath);
    }
    m_shown = devices;
}

void DeviceChooser::lstDevices_Select()
{
    const QList<QTreeWidgetItem *> picked = lstDevices->selectedItems();
    if (!picked.isEmpty())
        txtDevice->setText(picked.first()->text(0));
}

// Blanks at the ends of the path are part of it: a device name may have them.
void DeviceChooser::cmdChoose_Click()
{
    const QString device = txtDevice->text();
    if (device.trimmed().isEmpty())
        return;
    const DeviceChoiceCheck check = CheckDeviceChoice(device, m_port);
    if (check.verdict == DeviceChoiceCheck::Refuse) {
        MsgBox(this, check.message, QMessageBox::Warning);
        return;
    }
    if (check.verdict == DeviceChoiceCheck::AskFirst
        && MsgBox(this, check.message, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
                  QMessageBox::No)
               != QMessageBox::Yes)
        return;
    accept();
    emit deviceChosen(device);
}
