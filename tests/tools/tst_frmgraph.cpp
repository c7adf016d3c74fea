// The bar-graph window through its widgets, writing to a pseudo-terminal.
#include "link/modvariables.h"
#include "link/mscomm.h"
#include "support/msgboxrecorder.h"
#include "support/ptypair.h"
#include "support/testini.h"
#include "ui/tools/frmgraph.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

namespace {
const QByteArray GraphModeOn("\xFE\x04");
const QByteArray GraphModeOff("\xFE\x08");
} // namespace

class tst_frmGraph : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void openingAndClosingSwitchGraphMode();
    void drawWritesCursorThenBar_data();
    void drawWritesCursorThenBar();
    void directionChangesOnlyTheCodeByte();
    void unconvertibleTextSendsNothing_data();
    void unconvertibleTextSendsNothing();
    void openingWithPortClosedWarnsTwice();
    void drawWithPortClosedWarnsThreeTimes();
    void frontKeepsValuesReopeningRebuildsDefaults();

private:
    void openPort() { QVERIFY(port->setPortOpen(true)); }
    template<typename T> T *control(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }
    QComboBox *picker(const char *name) const { return control<QComboBox>(name); }
    void type(const char *name, const QString &text)
    {
        QLineEdit *edit = picker(name)->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    void click(const char *name) { QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton); }
    QByteArray written(int index) const { return writes->at(index).at(0).toByteArray(); }
    void verifyDefaults() const;

    std::unique_ptr<PtyPair> pty;
    std::unique_ptr<TestIni> ini;
    std::unique_ptr<MSComm> port;
    std::unique_ptr<MsgBoxRecorder> boxes;
    std::unique_ptr<frmGraph> window;
    std::unique_ptr<QSignalSpy> writes;
};

void tst_frmGraph::init()
{
    ResetVariables();
    pty = std::make_unique<PtyPair>();
    QVERIFY(pty->isValid());
    ini = std::make_unique<TestIni>();
    ini->mapPort(1, pty->slavePath());
    port = std::make_unique<MSComm>();
    boxes = std::make_unique<MsgBoxRecorder>();
    window = std::make_unique<frmGraph>(*port);
    writes = std::make_unique<QSignalSpy>(port.get(), &MSComm::outputWritten);
}

void tst_frmGraph::cleanup()
{
    writes.reset();
    window.reset();
    boxes.reset();
    port.reset();
    ini.reset();
    pty.reset();
}

void tst_frmGraph::verifyDefaults() const
{
    QCOMPARE(picker("cboRow")->count(), 2);
    QCOMPARE(picker("cboColumn")->count(), 16);
    QCOMPARE(picker("cboLength")->count(), 80);
    QCOMPARE(picker("cboColumn")->itemText(15), QStringLiteral("15"));
    QCOMPARE(picker("cboLength")->itemText(79), QStringLiteral("80"));
    QCOMPARE(picker("cboRow")->currentText(), QStringLiteral("0"));
    QCOMPARE(picker("cboColumn")->currentText(), QStringLiteral("0"));
    QCOMPARE(picker("cboLength")->currentText(), QStringLiteral("1"));
    QVERIFY(control<QRadioButton>("optLeft")->isChecked());
    QVERIFY(!control<QRadioButton>("optRight")->isChecked());
}

void tst_frmGraph::openingAndClosingSwitchGraphMode()
{
    openPort();
    window->open();
    QVERIFY(window->isVisible());
    verifyDefaults();
    QCOMPARE(pty->readExactly(2), GraphModeOn);

    window->close();

    QCOMPARE(writes->count(), 2);
    QCOMPARE(written(1), GraphModeOff);
    QCOMPARE(pty->readExactly(2), GraphModeOff);
    QCOMPARE(boxes->count(), 0);
}

void tst_frmGraph::drawWritesCursorThenBar_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("length");
    QTest::addColumn<bool>("rightToLeft");
    QTest::addColumn<QByteArray>("cursor");
    QTest::addColumn<QByteArray>("bar");

    // An empty text leaves the picker at its default.
    QTest::newRow("defaults") << "" << "" << "" << false
                              << QByteArray("\xFE\x32\x00\x00", 4) << QByteArray("\xFE\x2B\x01");
    QTest::newRow("far corner, right to left") << "1" << "15" << "80" << true
                                               << QByteArray("\xFE\x32\x01\x0F") << QByteArray("\xFE\x2C\x50");
    QTest::newRow("length beyond the list") << "" << "" << "100" << false
                                            << QByteArray("\xFE\x32\x00\x00", 4) << QByteArray("\xFE\x2B\x64");
    QTest::newRow("blanks, halves to even") << " 1 " << "2.5" << "3.5" << false
                                            << QByteArray("\xFE\x32\x01\x02") << QByteArray("\xFE\x2B\x04");
    QTest::newRow("byte range ends") << "255" << "0" << "0" << true
                                     << QByteArray("\xFE\x32\xFF\x00", 4) << QByteArray("\xFE\x2C\x00", 3);
}

void tst_frmGraph::drawWritesCursorThenBar()
{
    QFETCH(QString, row);
    QFETCH(QString, column);
    QFETCH(QString, length);
    QFETCH(bool, rightToLeft);
    QFETCH(QByteArray, cursor);
    QFETCH(QByteArray, bar);
    openPort();
    window->open();
    QCOMPARE(pty->readExactly(2), GraphModeOn);

    const std::pair<const char *, QString> typed[] = {{"cboRow", row}, {"cboColumn", column}, {"cboLength", length}};
    for (const auto &[name, text] : typed) {
        if (!text.isEmpty())
            type(name, text);
    }
    if (rightToLeft)
        click("optRight");
    click("cmdDraw");

    QCOMPARE(writes->count(), 3);
    QCOMPARE(written(1), cursor);
    QCOMPARE(written(2), bar);
    QCOMPARE(pty->readExactly(int(cursor.size() + bar.size())), cursor + bar);
    QCOMPARE(boxes->count(), 0);
}

void tst_frmGraph::directionChangesOnlyTheCodeByte()
{
    openPort();
    window->open();
    type("cboLength", "7");

    click("cmdDraw");
    click("optRight");
    click("cmdDraw");
    click("optLeft");
    click("cmdDraw");

    QCOMPARE(writes->count(), 7);
    const QByteArray cursor("\xFE\x32\x00\x00", 4);
    for (int write : {1, 3, 5})
        QCOMPARE(written(write), cursor);
    QCOMPARE(written(2), QByteArray("\xFE\x2B\x07"));
    QCOMPARE(written(4), QByteArray("\xFE\x2C\x07"));
    QCOMPARE(written(6), QByteArray("\xFE\x2B\x07"));
}

void tst_frmGraph::unconvertibleTextSendsNothing_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("named");

    QTest::newRow("length letters") << "cboLength" << "abc" << "Length";
    QTest::newRow("length empty") << "cboLength" << "" << "Length";
    QTest::newRow("length 256") << "cboLength" << "256" << "Length";
    QTest::newRow("length 255.5 rounds to 256") << "cboLength" << "255.5" << "Length";
    QTest::newRow("row negative") << "cboRow" << "-1" << "Row";
    QTest::newRow("row exponent") << "cboRow" << "1e1" << "Row";
    QTest::newRow("column 300") << "cboColumn" << "300" << "Column";
    QTest::newRow("column two numbers") << "cboColumn" << "1 2" << "Column";
}

void tst_frmGraph::unconvertibleTextSendsNothing()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, named);
    openPort();
    window->open();
    QCOMPARE(pty->readExactly(2), GraphModeOn);
    const QByteArray name = field.toLatin1();
    type(name.constData(), text);

    click("cmdDraw");

    QCOMPARE(writes->count(), 1);
    QVERIFY(pty->readFor(100).isEmpty());
    QCOMPARE(boxes->count(), 1);
    const MsgBoxRequest &box = boxes->boxes().first();
    QVERIFY2(box.text.startsWith(named) && box.text.contains(QLatin1String("0 to 255")), qPrintable(box.text));
    QCOMPARE(box.icon, QMessageBox::Warning);

    // The window stays open and draws once the text is mended.
    QVERIFY(window->isVisible());
    type(name.constData(), QStringLiteral("1"));
    click("cmdDraw");
    QCOMPARE(writes->count(), 3);
    QCOMPARE(boxes->count(), 1);
}

void tst_frmGraph::openingWithPortClosedWarnsTwice()
{
    window->open();

    QCOMPARE(boxes->count(), 2); // GraphModeOn refused, then GraphModeOff on closing
    QCOMPARE(boxes->count("Port Not Open"), 2);
    for (const MsgBoxRequest &box : boxes->boxes())
        QCOMPARE(box.icon, QMessageBox::Information);
    QVERIFY(!window->isVisible());
    QVERIFY(!window->isLoaded());
    QCOMPARE(writes->count(), 0);

    // Once the port is open, the next opening works as usual.
    openPort();
    window->open();
    QVERIFY(window->isVisible());
    QCOMPARE(pty->readExactly(2), GraphModeOn);
    QCOMPARE(boxes->count(), 2);
}

void tst_frmGraph::drawWithPortClosedWarnsThreeTimes()
{
    openPort();
    window->open();
    QCOMPARE(pty->readExactly(2), GraphModeOn);
    type("cboRow", "1");
    type("cboColumn", "15");
    type("cboLength", "80");
    click("optRight");
    QVERIFY(port->setPortOpen(false));

    click("cmdDraw");

    // Cursor refused, GraphModeOff of the closing refused, the bar refused.
    QCOMPARE(boxes->count(), 3);
    QCOMPARE(boxes->count("Port Not Open"), 3);
    QVERIFY(!window->isVisible());
    QVERIFY(!window->isLoaded());
    QCOMPARE(writes->count(), 1);
    // The bar was built with the direction and length the window held.
    QCOMPARE(strCommand, QByteArray("\xFE\x2C\x50"));
}

void tst_frmGraph::frontKeepsValuesReopeningRebuildsDefaults()
{
    openPort();
    window->open();
    type("cboRow", "1");
    type("cboLength", "100");
    click("optRight");

    window->open(); // brought to the front: nothing rebuilt, nothing sent
    QCOMPARE(writes->count(), 1);
    QCOMPARE(picker("cboLength")->currentText(), QStringLiteral("100"));
    QCOMPARE(picker("cboLength")->count(), 80);
    QVERIFY(control<QRadioButton>("optRight")->isChecked());

    window->close();
    window->open();
    verifyDefaults();
    QCOMPARE(writes->count(), 3);
    QCOMPARE(written(2), GraphModeOn);
}

QTEST_MAIN(tst_frmGraph)
#include "tst_frmgraph.moc"
