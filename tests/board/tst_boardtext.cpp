// Text, control codes and the cursor commands of the board model.
#include "boardmodel.h"
#include "boardtestbytes.h"

#include <QtTest>

class tst_BoardText : public QObject
{
    Q_OBJECT

private slots:
    void display_data();
    void display();
    void cursorStyles_data();
    void cursorStyles();
    void customCodesPrintAsTheirCode();
};

void tst_BoardText::display_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("row0");
    QTest::addColumn<QString>("row1");
    QTest::addColumn<int>("cursorRow");
    QTest::addColumn<int>("cursorColumn");

    const QByteArray clear = Bytes({0x0D});
    dataRow("text advances", clear + "Hello", Padded("Hello"), Padded(""), 0, 5);
    dataRow("17th character wraps to row 1", clear + "ABCDEFGHIJKLMNOPQ", "ABCDEFGHIJKLMNOP",
            Padded("Q"), 1, 1);
    dataRow("32 characters wrap back to row 0", clear + QByteArray(32, 'x') + "Y",
            "Y" + QString(15, 'x'), QString(16, 'x'), 0, 1);
    dataRow("NewLine starts row 1", clear + QByteArray("AB\x0C") + "CD", Padded("AB"), Padded("CD"),
            1, 2);
    dataRow("ClearDisplay blanks and homes", clear + QByteArray("AB\x0C") + "CD\x0D", Padded(""),
            Padded(""), 0, 0);
    dataRow("Ctrl08 steps back without erasing", clear + QByteArray("AB\x08") + "C", Padded("AC"),
            Padded(""), 0, 2);
    dataRow("Ctrl08 at the start goes to the end of row 1", clear + QByteArray("\x08") + "Z",
            Padded(""), QString(15, ' ') + "Z", 0, 0);
    dataRow("Ctrl0B homes without clearing", clear + QByteArray("AB\x0B") + "C", Padded("CB"),
            Padded(""), 0, 1);
    dataRow("Ctrl0E and Ctrl0F do nothing", clear + QByteArray("A\x0E\x0F") + "B", Padded("AB"),
            Padded(""), 0, 2);
    dataRow("SetCursorPosition row before column", clear + Bytes({0xFE, 0x32, 1, 15}) + "XY",
            Padded("Y"), QString(15, ' ') + "X", 0, 1);
    dataRow("position off the display is ignored",
            clear + "AB" + Bytes({0xFE, 0x32, 2, 0, 0xFE, 0x32, 0, 16}) + "C", Padded("ABC"),
            Padded(""), 0, 3);
    dataRow("DeleteRow 0 blanks row 0 only",
            clear + QByteArray("AB\x0C") + "CD" + Bytes({0xFE, 0x2D, 0}), Padded(""), Padded("CD"),
            1, 2);
    dataRow("DeleteRow 1", clear + QByteArray("AB\x0C") + "CD" + Bytes({0xFE, 0x2D, 1}),
            Padded("AB"), Padded(""), 1, 2);
    dataRow("DeleteRow 2 is ignored", clear + QByteArray("AB\x0C") + "CD" + Bytes({0xFE, 0x2D, 2}),
            Padded("AB"), Padded("CD"), 1, 2);
    dataRow("DeleteColumn blanks both rows",
            clear + QByteArray("ABC\x0C") + "DEF" + Bytes({0xFE, 0x2E, 1}), Padded("A C"),
            Padded("D F"), 1, 3);
    dataRow("DeleteColumn 15 and 16",
            clear + QByteArray(32, '#') + Bytes({0xFE, 0x2E, 15, 0xFE, 0x2E, 16}),
            QString(15, '#') + " ", QString(15, '#') + " ", 0, 0);
    dataRow("Latin-1 text is kept byte for byte", clear + "\xE9\xFC",
            QString::fromLatin1("\xE9\xFC").leftJustified(16), Padded(""), 0, 2);
}

void tst_BoardText::display()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, row0);
    QFETCH(QString, row1);
    QFETCH(int, cursorRow);
    QFETCH(int, cursorColumn);
    BoardModel model;
    QVERIFY(model.feed(input).isEmpty());
    QCOMPARE(Row(model, 0), row0);
    QCOMPARE(Row(model, 1), row1);
    QCOMPARE(model.state().row, cursorRow);
    QCOMPARE(model.state().column, cursorColumn);
}

void tst_BoardText::cursorStyles_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("style");
    QTest::newRow("CursorUnderline") << Bytes({0xFE, 0x01}) << int(CursorStyle::Underline);
    QTest::newRow("CursorBlockBlink") << Bytes({0xFE, 0x02}) << int(CursorStyle::BlockBlink);
    QTest::newRow("CursorHide after underline")
        << Bytes({0xFE, 0x01, 0xFE, 0x03}) << int(CursorStyle::Hidden);
    QTest::newRow("text keeps the style")
        << Bytes({0xFE, 0x02}) + "abc\x0D" << int(CursorStyle::BlockBlink);
}

void tst_BoardText::cursorStyles()
{
    QFETCH(QByteArray, input);
    QFETCH(int, style);
    BoardModel model;
    model.feed(input);
    QCOMPARE(int(model.state().cursor), style);
}

// The eight custom characters are codes 0 to 7 on the display; a zero byte is an ordinary
// character.
void tst_BoardText::customCodesPrintAsTheirCode()
{
    BoardModel model;
    model.feed(Bytes({0x0D, 0, 1, 2, 3, 4, 5, 6, 7}));
    for (int code = 0; code < 8; ++code)
        QCOMPARE(model.state().display.at(0, code), quint8(code));
    QCOMPARE(model.state().column, 8);
}

QTEST_APPLESS_MAIN(tst_BoardText)
#include "tst_boardtext.moc"
