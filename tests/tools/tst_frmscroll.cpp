// The scrolling-text window through its widgets, writing to a pseudo-terminal.
#include "link/modvariables.h"
#include "link/mscomm.h"
#include "support/msgboxrecorder.h"
#include "support/ptypair.h"
#include "support/testini.h"
#include "ui/tools/frmscroll.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

namespace {

// Types the text key by key; characters beyond ASCII come as the key events
// of a keyboard layout that has them.
void typeInto(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace

class tst_frmScroll : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void scrollWritesTwoParts_data();
    void scrollWritesTwoParts();
    void clearWritesOneByte();
    void closedPortWarnsPerWriteAndCloses_data();
    void closedPortWarnsPerWriteAndCloses();
    void frontKeepsTextsReopeningStartsEmpty();
    void textBoxesTakeFortyPlainCharacters();

private:
    void openPort() { QVERIFY(port->setPortOpen(true)); }
    template<typename T> T *control(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }
    void type(const char *box, const QString &text) { typeInto(control<QLineEdit>(box), text); }
    void click(const char *name) { QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton); }

    std::unique_ptr<PtyPair> pty;
    std::unique_ptr<TestIni> ini;
    std::unique_ptr<MSComm> port;
    std::unique_ptr<MsgBoxRecorder> boxes;
    std::unique_ptr<frmScroll> window;
    std::unique_ptr<QSignalSpy> writes;
};

void tst_frmScroll::init()
{
    ResetVariables();
    pty = std::make_unique<PtyPair>();
    QVERIFY(pty->isValid());
    ini = std::make_unique<TestIni>();
    ini->mapPort(1, pty->slavePath());
    port = std::make_unique<MSComm>();
    boxes = std::make_unique<MsgBoxRecorder>();
    window = std::make_unique<frmScroll>(*port);
    writes = std::make_unique<QSignalSpy>(port.get(), &MSComm::outputWritten);
}

void tst_frmScroll::cleanup()
{
    writes.reset();
    window.reset();
    boxes.reset();
    port.reset();
    ini.reset();
    pty.reset();
}

void tst_frmScroll::scrollWritesTwoParts_data()
{
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2");
    QTest::addColumn<bool>("rightToLeft");
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");

    const QString forty(40, QLatin1Char('x'));
    QTest::newRow("left to right") << "ABC" << "" << false
                                   << QByteArray("\xFE\xD3" "ABC\x0D") << QByteArray("\xFF");
    QTest::newRow("right to left") << "ABC" << "" << true
                                   << QByteArray("\xFE\xD4" "ABC\x0D") << QByteArray("\xFF");
    QTest::newRow("text 1 empty") << "" << "HI" << false
                                  << QByteArray("\xFE\xD3\x0D") << QByteArray("HI\xFF");
    QTest::newRow("text 1 of 39") << forty.left(39) << "" << false
                                  << QByteArray("\xFE\xD3") + forty.left(39).toLatin1() + '\x0D'
                                  << QByteArray("\xFF");
    QTest::newRow("text 1 of 40: no end of line") << forty << "Z" << false
                                                  << QByteArray("\xFE\xD3") + forty.toLatin1()
                                                  << QByteArray("Z\xFF");
    QTest::newRow("text 1 typed too long") << forty + "yyyyy" << "" << false
                                           << QByteArray("\xFE\xD3") + forty.toLatin1()
                                           << QByteArray("\xFF");
    QTest::newRow("text 2 of 40") << "A" << forty << true
                                  << QByteArray("\xFE\xD4" "A\x0D") << forty.toLatin1() + '\xFF';
    QTest::newRow("one byte per character") << QString::fromUtf8("caf\u00e9") << QString::fromUtf8("\u00fc")
                                            << false << QByteArray("\xFE\xD3" "caf\xE9\x0D")
                                            << QByteArray("\xFC\xFF");
}

void tst_frmScroll::scrollWritesTwoParts()
{
    QFETCH(QString, text1);
    QFETCH(QString, text2);
    QFETCH(bool, rightToLeft);
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    openPort();
    window->open();

    type("Text1", text1);
    type("Text2", text2);
    if (rightToLeft)
        click("optRtoL");
    click("cmdScroll");

    QCOMPARE(writes->count(), 2);
    QCOMPARE(writes->at(0).at(0).toByteArray(), first);
    QCOMPARE(writes->at(1).at(0).toByteArray(), second);
    QCOMPARE(pty->readExactly(int(first.size() + second.size())), first + second);
    QCOMPARE(boxes->count(), 0);
}

void tst_frmScroll::clearWritesOneByte()
{
    openPort();
    window->open();
    type("Text1", "ABC");

    click("cmdclrScroll");

    QCOMPARE(writes->count(), 1);
    QCOMPARE(pty->read(), QByteArray("\x0D"));
}

void tst_frmScroll::closedPortWarnsPerWriteAndCloses_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("warnings");
    QTest::addColumn<QByteArray>("lastBuilt");

    QTest::newRow("Scroll") << "cmdScroll" << 2 << QByteArray("two\xFF");
    QTest::newRow("CLEAR") << "cmdclrScroll" << 1 << QByteArray("\x0D");
}

void tst_frmScroll::closedPortWarnsPerWriteAndCloses()
{
    QFETCH(QString, button);
    QFETCH(int, warnings);
    QFETCH(QByteArray, lastBuilt);
    window->open();
    type("Text1", "one");
    type("Text2", "two");

    click(button.toLatin1().constData());

    QCOMPARE(boxes->count(), warnings);
    QCOMPARE(boxes->count("Port Not Open"), warnings);
    for (const MsgBoxRequest &box : boxes->boxes())
        QCOMPARE(box.icon, QMessageBox::Warning);
    QVERIFY(!window->isVisible());
    QVERIFY(!window->isLoaded());
    // The handler ran to its end with the texts the window held.
    QCOMPARE(strCommand, lastBuilt);
    QCOMPARE(writes->count(), 0);
    QVERIFY(pty->readFor(100).isEmpty());
}

void tst_frmScroll::frontKeepsTextsReopeningStartsEmpty()
{
    openPort();
    window->open();
    type("Text1", "one");
    type("Text2", "two");
    click("optRtoL");

    window->open(); // brought to the front: nothing changes
    QCOMPARE(control<QLineEdit>("Text1")->text(), QStringLiteral("one"));
    QVERIFY(control<QRadioButton>("optRtoL")->isChecked());

    window->close();
    window->open();
    QVERIFY(window->isVisible());
    QVERIFY(control<QLineEdit>("Text1")->text().isEmpty());
    QVERIFY(control<QLineEdit>("Text2")->text().isEmpty());
    QVERIFY(control<QRadioButton>("optLtR")->isChecked());
    QCOMPARE(writes->count(), 0); // opening and closing send nothing
}

void tst_frmScroll::textBoxesTakeFortyPlainCharacters()
{
    window->open();
    for (const char *name : {"Text1", "Text2"}) {
        QLineEdit *box = control<QLineEdit>(name);
        // No two-byte character, and no end-of-text byte inside a text.
        typeInto(box, QStringLiteral("A") + QChar(0x20AC) + QChar(0xFF) + QChar(0xE9) +
                          QString(50, QLatin1Char('b')));
        QCOMPARE(box->text(), QString::fromUtf8("A\u00e9") + QString(38, QLatin1Char('b')));
    }
}

QTEST_MAIN(tst_frmScroll)
#include "tst_frmscroll.moc"
