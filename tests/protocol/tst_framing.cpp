// The byte layouts of the commands the windows frame from texts and patterns.
#include "protocol/commands.h"
#include "protocol/customchars.h"
#include "protocol/textframes.h"
#include "support/testdata.h"

#include <QtTest>

namespace {

QByteArrayList pieces(const TwoTextCommand &command)
{
    return {command.command, command.first, command.second};
}

} // namespace

class tst_Framing : public QObject
{
    Q_OBJECT

private slots:
    void twoTextCommands_data()
    {
        QTest::addColumn<QByteArrayList>("built");
        QTest::addColumn<QByteArrayList>("expected");
        const QString full16 = QStringLiteral("0123456789ABCDEF");
        const QString full40 = QString(40, u'x');
        dataRow("start-up, short line 1 ends with 0D", pieces(StartupScreenCommand("AB", "CD")),
                QByteArrayList{hex("FEC8"), "AB\r", "CD\xFF"});
        dataRow("start-up, full line 1 has no 0D", pieces(StartupScreenCommand(full16, "")),
                QByteArrayList{hex("FEC8"), full16.toLatin1(), "\xFF"});
        dataRow("user screen 10", pieces(UserScreenCommand(10, "AB", "CD")),
                QByteArrayList{hex("FED2"), "AB\r", "CD\xFF"});
        dataRow("user screen, full line 1 still ends with 0D",
                pieces(UserScreenCommand(1, full16, "")),
                QByteArrayList{hex("FEC9"), full16.toLatin1() + '\r', "\xFF"});
        dataRow("scroll right to left, empty text 2",
                pieces(ScrollCommand(ScrollDirection::RightToLeft, "HI", "")),
                QByteArrayList{hex("FED4"), "HI\r", "\xFF"});
        dataRow("scroll left to right, full text 1 has no 0D",
                pieces(ScrollCommand(ScrollDirection::LeftToRight, full40, "y")),
                QByteArrayList{hex("FED3"), full40.toLatin1(), "y\xFF"});
        dataRow("Latin-1 text, one byte a character",
                pieces(UserScreenCommand(2, QString::fromUtf8("\u00e9t\u00e9"), "")),
                QByteArrayList{hex("FECA"), "\xE9t\xE9\r", "\xFF"});
    }

    void twoTextCommands()
    {
        QFETCH(QByteArrayList, built);
        QFETCH(QByteArrayList, expected);
        QCOMPARE(built, expected);
    }

    void displayLines_data()
    {
        QTest::addColumn<QString>("line1");
        QTest::addColumn<QByteArray>("first");
        dataRow("short line 1 ends with NewLine", "HELLO", QByteArray("HELLO\x0C"));
        dataRow("empty line 1 is NewLine alone", "", QByteArray("\x0C"));
        dataRow("full line 1 has no NewLine", "0123456789ABCDEF", QByteArray("0123456789ABCDEF"));
    }

    void displayLines()
    {
        QFETCH(QString, line1);
        QFETCH(QByteArray, first);
        const TwoLineText text = DisplayLinesText(line1, "WORLD");
        QCOMPARE(text.first, first);
        QCOMPARE(text.second, QByteArray("WORLD"));
    }

    void customCharacters()
    {
        CustomCharSet chars{};
        chars[0].fill(0x1F);
        chars[7][7] = 0x01;
        QByteArray expected = hex("FE64") + QByteArray(8, '\x1F') + QByteArray(55, '\0') + '\x01';
        QCOMPARE(CustomCharsCommand(chars), expected);
        QCOMPARE(ShowCustomCharCommand(0), QByteArray(1, '\0'));
        QCOMPARE(ShowCustomCharCommand(7), hex("07"));
    }

    void deviceSpeed_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("9600") << 9600 << hex("FE1E");
        QTest::newRow("19200") << 19200 << hex("FE1F");
        QTest::newRow("another speed has no command") << 4800 << QByteArray();
    }

    void deviceSpeed()
    {
        QFETCH(int, speed);
        QFETCH(QByteArray, bytes);
        QCOMPARE(Cmd::deviceBaud(speed), bytes);
    }
};

QTEST_APPLESS_MAIN(tst_Framing)
#include "tst_framing.moc"
