// A window's send routine when the port is closed: the warning with the
// window's icon, and the closing of a tool window.
#include "link/modvariables.h"
#include "link/mscomm.h"
#include "support/msgboxrecorder.h"
#include "ui/sendcommand.h"

#include <QWidget>
#include <QtTest>

class tst_SendCommand : public QObject
{
    Q_OBJECT

private slots:
    void init() { ResetVariables(); }

    void refusals_data()
    {
        QTest::addColumn<int>("icon");
        QTest::addColumn<bool>("closes");
        QTest::newRow("main window: exclamation, stays") << int(QMessageBox::Warning) << false;
        QTest::newRow("tool window: exclamation, closes") << int(QMessageBox::Warning) << true;
        QTest::newRow("tool window: information, closes") << int(QMessageBox::Information) << true;
    }

    void refusals()
    {
        QFETCH(int, icon);
        QFETCH(bool, closes);
        MSComm port; // never opened
        MsgBoxRecorder boxes;
        QWidget window;
        window.show();
        strCommand = "HELLO";
        SendCommand(port, &window, QMessageBox::Icon(icon),
                    closes ? AfterRefusal::CloseWindow : AfterRefusal::StayOpen);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.boxes().at(0).text, QStringLiteral("Port Not Open"));
        QCOMPARE(int(boxes.boxes().at(0).icon), icon);
        QCOMPARE(boxes.boxes().at(0).buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(window.isVisible(), !closes);
        QCOMPARE(strCommand, QByteArray("HELLO"));
    }
};

QTEST_MAIN(tst_SendCommand)
#include "tst_sendcommand.moc"
