#pragma once

#include "link/serialdevices.h"

#include <QDialog>
#include <QTimer>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// "Choose Device": the serial devices present (path, description,
// manufacturer, serial number, USB vendor:product), kept up to date while
// the dialog is open as devices are plugged and unplugged, and a field for
// any other path (a link, a pseudo-terminal). "Choose" hands over the path in
// the field, as typed, once it is fit to be the port's device (see
// CheckDeviceChoice); otherwise the operator is told why and the dialog stays
// open. Picking a device puts its path there. Shown with present(), which
// returns at once, so the main window and tests go on meanwhile. Object
// names: lstDevices, txtDevice, cmdChoose, cmdCancel.
class DeviceChooser : public QDialog
{
    Q_OBJECT

public:
    static constexpr int RefreshMs = 1000;

    explicit DeviceChooser(QWidget *parent = nullptr);

    // Opens the dialog for the port, with the device it leads to now in the field.
    void present(int port, const QString &device);

signals:
    void deviceChosen(const QString &device);

private:
    void createControls();
    void initConnections();
    void refreshList();
    void showDevices(const QList<SerialDevice> &devices);
    void lstDevices_Select();
    void cmdChoose_Click();

    QLabel *lblPrompt = nullptr;
    QTreeWidget *lstDevices = nullptr;
    QLineEdit *txtDevice = nullptr;
    QPushButton *cmdChoose = nullptr;
    QPushButton *cmdCancel = nullptr;
    QTimer m_refresh;
    QList<SerialDevice> m_shown;
    int m_port = 0;
};
