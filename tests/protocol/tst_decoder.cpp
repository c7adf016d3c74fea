// The decoder that names what goes over the wire, for the panel's monitor and
// the board's log: commands in any split, and replies by the read asked for.
#include "protocol/commanddecoder.h"
#include "protocol/replydecoder.h"
#include "support/testdata.h"

#include <QtTest>

class tst_Decoder : public QObject
{
    Q_OBJECT

private slots:
    void commands_data()
    {
        QTest::addColumn<QByteArrayList>("writes");
        QTest::addColumn<QStringList>("descriptions");
        QTest::addColumn<QString>("pending");
        const QByteArray x16(16, 'x');
        dataRow("text around a control code, one write", QByteArrayList{"HI\x0CYO"},
                QStringList{"text \"HI\"", "NewLine", "text \"YO\""}, "");
        dataRow("text ends with its write", QByteArrayList{"AB", "C\""},
                QStringList{"text \"AB\"", "text \"C\\x22\""}, "");
        dataRow("cursor position, a byte a write",
                QByteArrayList{hex("FE"), hex("32"), hex("01"), hex("0F")},
                QStringList{"SetCursorPosition row 1, column 15"}, "");
        dataRow("outputs and auto-off", QByteArrayList{hex("FE2F05FE2900")},
                QStringList{"SetOutputs 5 (Out1 on, Out2 off, Out3 on)", "SetAutoOff 0 s"}, "");
        dataRow("user screen in two writes", QByteArrayList{hex("FED241420D"), "CD\xFF"},
                QStringList{"DefineUserScreen 10 \"AB\" / \"CD\""}, "");
        dataRow("start-up screen, mark after a full line 1 skipped",
                QByteArrayList{hex("FEC8") + x16 + "\rCD\xFF"},
                QStringList{"DefineStartupScreen \"" + x16 + "\" / \"CD\""}, "");
        dataRow("screen cut by a full line 2", QByteArrayList{hex("FEC90D") + x16 + "A"},
                QStringList{"DefineUserScreen 1 \"\" / \"" + x16 + "\" (cut: no end mark)",
                            "text \"A\""},
                "");
        dataRow("scroll waiting for its second text", QByteArrayList{hex("FED448490D")},
                QStringList{}, "ScrollText right to left");
        dataRow("custom characters, 1 and 3 drawn",
                QByteArrayList{hex("FE64") + hex("1F") + QByteArray(15, 0) + hex("01")
                               + QByteArray(47, 0)},
                QStringList{"DefineCustomChar drawn: 1, 3"}, "");
        dataRow("custom character shown", QByteArrayList{hex("07")},
                QStringList{"ShowCustomChar 8"}, "");
        dataRow("repeated prefix, unknown command, lone prefix",
                QByteArrayList{hex("FEFE0AFE99FE")},
                QStringList{"prefix repeated (skipped)", "ReadInputs", "unknown command (skipped)"},
                "prefix");
    }

    void commands()
    {
        QFETCH(QByteArrayList, writes);
        QFETCH(QStringList, descriptions);
        QFETCH(QString, pending);
        CommandDecoder decoder;
        QStringList described;
        QByteArray decodedBytes;
        for (const QByteArray &write : writes) {
            for (const DecodedCommand &command : decoder.feed(write)) {
                described << command.description;
                decodedBytes += command.bytes;
            }
        }
        QCOMPARE(described, descriptions);
        QCOMPARE(decoder.pending(), pending);
        // Every byte is in exactly one command, or in the one still unfinished.
        QVERIFY(writes.join().startsWith(decodedBytes));
        if (pending.isEmpty())
            QCOMPARE(decodedBytes, writes.join());
    }

    void replies_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArrayList>("received");
        QTest::addColumn<QStringList>("descriptions");
        dataRow("0-10V, whole", hex("FE0B"), QByteArrayList{hex("000200")},
                QStringList{"reply to ReadVoltage: count 512,  5.0176V"});
        dataRow("0-20mA, in two pieces", hex("FE0D"), QByteArrayList{hex("0003"), hex("E8")},
                QStringList{"part of the reply to ReadCurrent (2 of 3 bytes)",
                            "reply to ReadCurrent: count 1000,  20mA"});
        dataRow("inputs, then a byte more", hex("FE0A"), QByteArrayList{hex("0507")},
                QStringList{"reply to ReadInputs: 5; not asked for"});
        dataRow("no read asked", hex("FE2F00"), QByteArrayList{hex("07")},
                QStringList{"not asked for"});
    }

    void replies()
    {
        QFETCH(QByteArray, request);
        QFETCH(QByteArrayList, received);
        QFETCH(QStringList, descriptions);
        CommandDecoder commands;
        ReplyDecoder replies;
        for (const DecodedCommand &command : commands.feed(request)) {
            if (command.read != ReadKind::None)
                replies.expect(command.read);
        }
        QStringList described;
        for (const QByteArray &piece : received)
            described << replies.describe(piece);
        QCOMPARE(described, descriptions);
    }
};

QTEST_APPLESS_MAIN(tst_Decoder)
#include "tst_decoder.moc"
