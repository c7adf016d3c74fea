// The command encoders and the conversions every window relies on.
#include "protocol/commandbuffer.h"
#include "protocol/merrowfunc.h"
#include "protocol/readouts.h"
#include "protocol/textbytes.h"
#include "support/testdata.h"

#include <QtTest>

using Encoder = void (*)(quint8);
Q_DECLARE_METATYPE(std::optional<quint8>)
Q_DECLARE_METATYPE(Encoder)
Q_DECLARE_METATYPE(TextPlace)

class tst_Encoders : public QObject
{
    Q_OBJECT

private slots:
    void init() { strCommand.clear(); }

    void selectorTable_data();
    void selectorTable();
    void codesOutsideTheirRangeLeaveTheBuffer_data();
    void codesOutsideTheirRangeLeaveTheBuffer();
    void parameterEncoders_data();
    void parameterEncoders();
    void cursorPositionPutsRowBeforeColumn();

    void textToByte_data();
    void textToByte();
    void textGoesOutAsLatin1();
    void wireTextRule_data();
    void wireTextRule();

    void analogReadouts_data();
    void analogReadouts();
    void shortRepliesHaveNoReadout();
    void inputsReadout();
};

void tst_Encoders::selectorTable_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("11 Ctrl0B") << 11 << QByteArray("\x0B");
    QTest::newRow("12 ClearDisplay") << 12 << QByteArray("\x0D");
    QTest::newRow("13 NewLine") << 13 << QByteArray("\x0C");
    QTest::newRow("14 Ctrl08") << 14 << QByteArray("\x08");
    QTest::newRow("15 Ctrl0E") << 15 << QByteArray("\x0E");
    QTest::newRow("16 Ctrl0F") << 16 << QByteArray("\x0F");
    QTest::newRow("17 CursorUnderline") << 17 << QByteArray("\xFE\x01");
    QTest::newRow("18 CursorBlockBlink") << 18 << QByteArray("\xFE\x02");
    QTest::newRow("19 CursorHide") << 19 << QByteArray("\xFE\x03");
    QTest::newRow("20 BacklightOn") << 20 << QByteArray("\xFE\x06");
    QTest::newRow("21 BacklightOff") << 21 << QByteArray("\xFE\x07");
    QTest::newRow("22 GraphModeOn") << 22 << QByteArray("\xFE\x04");
    QTest::newRow("23 Code23") << 23 << QByteArray("\xFE\x05");
    QTest::newRow("24 GraphModeOff") << 24 << QByteArray("\xFE\x08");
    QTest::newRow("25 Code25") << 25 << QByteArray("\xFE\x09");
    QTest::newRow("26 ReadInputs") << 26 << QByteArray("\xFE\x0A");
    QTest::newRow("27 ReadVoltage") << 27 << QByteArray("\xFE\x0B");
    QTest::newRow("28 Code28") << 28 << QByteArray("\xFE\x0C");
    QTest::newRow("29 ReadCurrent") << 29 << QByteArray("\xFE\x0D");
}

void tst_Encoders::selectorTable()
{
    QFETCH(int, code);
    QFETCH(QByteArray, bytes);
    if (code <= 25)
        merrowfunc::BuildCommand(qint16(code));
    else
        merrowfunc::BuildReadRequest(qint16(code));
    QCOMPARE(strCommand, bytes);
}

void tst_Encoders::codesOutsideTheirRangeLeaveTheBuffer_data()
{
    QTest::addColumn<bool>("readRequest");
    QTest::addColumn<int>("code");
    QTest::newRow("command 10") << false << 10;
    QTest::newRow("command 26 belongs to the reads") << false << 26;
    QTest::newRow("command -1") << false << -1;
    QTest::newRow("read 25 belongs to the commands") << true << 25;
    QTest::newRow("read 30") << true << 30;
    QTest::newRow("read 32767") << true << 32767;
}

void tst_Encoders::codesOutsideTheirRangeLeaveTheBuffer()
{
    QFETCH(bool, readRequest);
    QFETCH(int, code);
    strCommand = QByteArray("\xFE\x29\x1E");
    if (readRequest)
        merrowfunc::BuildReadRequest(qint16(code));
    else
        merrowfunc::BuildCommand(qint16(code));
    QCOMPARE(strCommand, QByteArray("\xFE\x29\x1E"));
}

void tst_Encoders::parameterEncoders_data()
{
    QTest::addColumn<Encoder>("encoder");
    QTest::addColumn<int>("n");
    QTest::addColumn<QByteArray>("bytes");
    dataRow("brightness 128", Encoder(&merrowfunc::BuildBrightness), 128,
            QByteArray("\xFE\x28\x80"));
    dataRow("auto-off 0 keeps the zero byte", Encoder(&merrowfunc::BuildAutoOff), 0,
            QByteArray("\xFE\x29\x00", 3));
    dataRow("show screen 10", Encoder(&merrowfunc::BuildShowScreen), 10,
            QByteArray("\xFE\x2A\x0A"));
    dataRow("graph left to right 80", Encoder(&merrowfunc::BuildGraphLeftToRight), 80,
            QByteArray("\xFE\x2B\x50"));
    dataRow("graph right to left 255", Encoder(&merrowfunc::BuildGraphRightToLeft), 255,
            QByteArray("\xFE\x2C\xFF"));
    dataRow("delete row 0", Encoder(&merrowfunc::BuildDeleteRow), 0, QByteArray("\xFE\x2D\x00", 3));
    dataRow("delete column 15", Encoder(&merrowfunc::BuildDeleteColumn), 15,
            QByteArray("\xFE\x2E\x0F"));
    dataRow("outputs 1 and 3", Encoder(&merrowfunc::BuildOutputs), 5, QByteArray("\xFE\x2F\x05"));
}

void tst_Encoders::parameterEncoders()
{
    QFETCH(Encoder, encoder);
    QFETCH(int, n);
    QFETCH(QByteArray, bytes);
    strCommand = "left over from an earlier command";
    encoder(quint8(n));
    QCOMPARE(strCommand, bytes);
}

void tst_Encoders::cursorPositionPutsRowBeforeColumn()
{
    merrowfunc::BuildCursorPosition(1, 15);
    QCOMPARE(strCommand, QByteArray("\xFE\x32\x01\x0F"));
    merrowfunc::BuildCursorPosition(0, 0);
    QCOMPARE(strCommand, QByteArray("\xFE\x32\x00\x00", 4));
}

void tst_Encoders::textToByte_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<quint8>>("byte");
    const std::optional<quint8> none;
    QTest::newRow("zero") << "0" << std::optional<quint8>(0);
    QTest::newRow("top of the range") << "255" << std::optional<quint8>(255);
    QTest::newRow("surrounding blanks") << "  15 " << std::optional<quint8>(15);
    QTest::newRow("plus sign") << "+7" << std::optional<quint8>(7);
    QTest::newRow("1.5 rounds to even 2") << "1.5" << std::optional<quint8>(2);
    QTest::newRow("2.5 rounds to even 2") << "2.5" << std::optional<quint8>(2);
    QTest::newRow("3.5 rounds to even 4") << "3.5" << std::optional<quint8>(4);
    QTest::newRow("2.51 rounds up") << "2.51" << std::optional<quint8>(3);
    QTest::newRow("leading point") << ".5" << std::optional<quint8>(0);
    QTest::newRow("255.4 stays in range") << "255.4" << std::optional<quint8>(255);
    QTest::newRow("255.5 rounds to 256") << "255.5" << none;
    QTest::newRow("small negative rounds to 0") << "-0.4" << std::optional<quint8>(0);
    QTest::newRow("negative") << "-1" << none;
    QTest::newRow("256") << "256" << none;
    QTest::newRow("empty") << "" << none;
    QTest::newRow("blanks only") << "   " << none;
    QTest::newRow("letters") << "abc" << none;
    QTest::newRow("trailing letters") << "12a" << none;
    QTest::newRow("comma as separator") << "1,5" << none;
    QTest::newRow("two numbers") << "1 2" << none;
    QTest::newRow("hexadecimal") << "0x10" << none;
    QTest::newRow("exponent") << "1e2" << none;
    QTest::newRow("huge") << "99999999999999999999999" << none;
}

void tst_Encoders::textToByte()
{
    QFETCH(QString, text);
    QFETCH(std::optional<quint8>, byte);
    QCOMPARE(TextToByte(text), byte);
}

void tst_Encoders::textGoesOutAsLatin1()
{
    QCOMPARE(TextToWire(QStringLiteral("HELLO"), TextPlace::Free), QByteArray("HELLO"));
    QCOMPARE(TextToWire(QString::fromUtf8("Gr\u00fc\u00df 25\u00b0"), TextPlace::Definition),
             QByteArray("Gr\xFC\xDF 25\xB0"));
    QCOMPARE(TextToWire(QString(), TextPlace::Free), QByteArray());
}

// Every Latin-1 character goes out as its byte, custom characters and glyphs
// included; only what breaks the framing is left out, and named.
void tst_Encoders::wireTextRule_data()
{
    QTest::addColumn<TextPlace>("place");
    QTest::addColumn<QByteArray>("leftOut");
    dataRow("free text", TextPlace::Free, hex("FE"));
    dataRow("a line of a definition", TextPlace::Definition, hex("0DFEFF"));
}

void tst_Encoders::wireTextRule()
{
    QFETCH(TextPlace, place);
    QFETCH(QByteArray, leftOut);
    QString every;
    QByteArray kept;
    for (int code = 0; code <= 0xFF; ++code) {
        every += QChar(code);
        if (!leftOut.contains(char(code)))
            kept += char(code);
    }
    QCOMPARE(TextToWire(every + QString::fromUtf8("\u20ac"), place), kept);
    QCOMPARE(UnsendableCodes(every + QString::fromUtf8("\u20ac"), place),
             QString::fromLatin1(leftOut.toHex(' ').toUpper()) + " 20AC");
}

void tst_Encoders::analogReadouts_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("volts");
    QTest::addColumn<QString>("milliamps");
    dataRow("0", 0, " 0V", " 0mA");
    dataRow("50", 50, " .49V", " 1mA");
    dataRow("512", 512, " 5.0176V", " 10.24mA");
    dataRow("1000", 1000, " 9.8V", " 20mA");
    dataRow("1023", 1023, " 10.0254V", " 20.46mA");
    dataRow("1", 1, " .0098V", " .02mA");
    dataRow("32767", 32767, " 321.1166V", " 655.34mA");
    dataRow("32768 is not negative", 32768, " 321.1264V", " 655.36mA");
    dataRow("65535", 65535, " 642.243V", " 1310.7mA");
}

void tst_Encoders::analogReadouts()
{
    QFETCH(int, count);
    QFETCH(QString, volts);
    QFETCH(QString, milliamps);
    QByteArray reply(3, '\0');
    reply[0] = char(0x55); // not part of the value
    reply[1] = char(count >> 8);
    reply[2] = char(count & 0xFF);
    QCOMPARE(VoltageText(reply), std::optional<QString>(volts));
    QCOMPARE(CurrentText(reply), std::optional<QString>(milliamps));
}

void tst_Encoders::shortRepliesHaveNoReadout()
{
    QVERIFY(!VoltageText(QByteArray("\x00\x02", 2)));
    QVERIFY(!CurrentText(QByteArray()));
    QVERIFY(!InputsText(QByteArray()));
}

void tst_Encoders::inputsReadout()
{
    QCOMPARE(InputsText(QByteArray("\x05")), std::optional<QString>(QStringLiteral("5")));
    QCOMPARE(InputsText(QByteArray("\x00", 1)), std::optional<QString>(QStringLiteral("0")));
    QCOMPARE(InputsText(QByteArray("\xFF\x01")), std::optional<QString>(QStringLiteral("255")));
}

QTEST_APPLESS_MAIN(tst_Encoders)
#include "tst_encoders.moc"
