// The three reads: what goes out, and what each reply shows in its read-out.

#include "support/mainwindowharness.h"

#include <QAccessible>
#include <QLabel>
#include <QTimer>

class tst_frmMainReads : public QObject
{
    Q_OBJECT

private slots:
    // The read-out texts of every count are the encoders' tests; here each
    // button asks its own question, waits for its reply length and fills its
    // own read-out, also from a zero byte.
    void replyShowsInReadout_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("readout");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("description");

        dataRow("inputs 0", "cmdReadInputs", hex("FE0A"), hex("00"), "inputs", QString("0"),
                "Digital inputs, as last read");
        dataRow("0-10V count 32768", "cmdReadA1", hex("FE0B"), hex("008000"), "analog1",
                QString(" 321.1264V"), "0-10V input, as last read");
        dataRow("0-20mA count 1000", "cmdReadA2", hex("FE0D"), hex("0003E8"), "analog2",
                QString(" 20mA"), "0-20mA input, as last read");
    }

    void replyShowsInReadout()
    {
        QFETCH(QString, button);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, reply);
        QFETCH(QString, readout);
        QFETCH(QString, text);
        QFETCH(QString, description);
        StartedMainWindow run;

        run.click(button);
        QCOMPARE(run.takeWrites(), QList<QByteArray>{request});
        QCOMPARE(run.wire(2), request);
        QCOMPARE(run.port->RThreshold(), reply.size());
        run.board.write(reply);
        QTRY_COMPARE(run.shown(readout), text);
        QCOMPARE(run.port->InBufferCount(), 0);
        // A screen reader says the value, and what the read-out is on request.
        QAccessibleInterface *spoken =
            QAccessible::queryAccessibleInterface(run.find<QLabel>(readout));
        QCOMPARE(spoken->text(QAccessible::Name), text);
        QCOMPARE(spoken->text(QAccessible::Description), description);
        for (const char *other : {"inputs", "analog1", "analog2"}) {
            if (readout != QLatin1String(other))
                QCOMPARE(run.shown(other), QString());
        }
    }

    void replyWaitingIsShownWithinTheWait()
    {
        StartedMainWindow run;
        auto *timer = run.find<QTimer>("Timer1");

        // The board answers as soon as the request goes out: the wait processes
        // the receive event, so the read-out is filled when the click returns.
        QObject context;
        connect(run.port, &MSComm::outputWritten, &context,
                [&] { run.board.write(hex("000032")); });
        run.click("cmdReadA1");
        QCOMPARE(run.shown("analog1"), " .49V");
        QVERIFY(blnTimeUp);
        QVERIFY(!timer->isActive());
        QCOMPARE(intReadKind, qint16(2));
    }

    void shortReplyChangesNothing()
    {
        StartedMainWindow run;
        auto *analog1 = run.find<QLabel>("analog1");

        run.click("cmdReadA1");
        run.board.write(hex("000200"));
        QTRY_COMPARE(analog1->text(), " 5.0176V");
        run.click("cmdReadA1");
        run.board.write(hex("00"));
        QTRY_COMPARE(run.port->InBufferCount(), 1); // arrived, below the threshold
        QCOMPARE(analog1->text(), " 5.0176V");
        QCOMPARE(run.boxes.count(), 0);
    }

    // Bytes waiting when a read's request goes out cannot be its reply: unasked
    // ones, or the short reply of an earlier read. They are dropped, and the
    // read-out shows the reply alone.
    void bytesWaitingBeforeRequestAreDropped_data()
    {
        QTest::addColumn<QString>("earlierButton"); // empty: no read before
        QTest::addColumn<QByteArray>("waiting");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("readout");
        QTest::addColumn<QString>("text");

        dataRow("unasked byte before the first read", "", hex("07"), "cmdReadA1", hex("000200"),
                "analog1", " 5.0176V");
        dataRow("short 0-10V reply, then 0-20mA", "cmdReadA1", hex("0080"), "cmdReadA2",
                hex("0003E8"), "analog2", " 20mA");
        dataRow("short 0-10V reply, then inputs", "cmdReadA1", hex("00"), "cmdReadInputs",
                hex("05"), "inputs", "5");
    }

    void bytesWaitingBeforeRequestAreDropped()
    {
        QFETCH(QString, earlierButton);
        QFETCH(QByteArray, waiting);
        QFETCH(QString, button);
        QFETCH(QByteArray, reply);
        QFETCH(QString, readout);
        QFETCH(QString, text);
        StartedMainWindow run;

        if (!earlierButton.isEmpty())
            run.click(earlierButton);
        run.board.write(waiting);
        QTRY_COMPARE(run.port->InBufferCount(), waiting.size()); // arrived, below the threshold
        run.click(button);
        run.board.write(reply);
        QTRY_COMPARE(run.shown(readout), text);
        QCOMPARE(run.port->InBufferCount(), 0);
    }

    // A partial reply still incomplete when the read's deadline passes is
    // dropped; a late reply of the same kind is then shown whole.
    void partialReplyDroppedAtTheDeadline_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArray>("partial");
        QTest::addColumn<QByteArray>("late");
        QTest::addColumn<QString>("readout");
        QTest::addColumn<QString>("text");
        dataRow("0-10V, one of three bytes", "cmdReadA1", hex("00"), hex("000200"), "analog1",
                " 5.0176V");
        dataRow("0-20mA, two of three bytes", "cmdReadA2", hex("0001"), hex("0003E8"), "analog2",
                " 20mA");
    }

    void partialReplyDroppedAtTheDeadline()
    {
        QFETCH(QString, button);
        QFETCH(QByteArray, partial);
        QFETCH(QByteArray, late);
        QFETCH(QString, readout);
        QFETCH(QString, text);
        StartedMainWindow run;

        run.click(button);
        run.board.write(partial);
        QTRY_COMPARE(run.port->InBufferCount(), partial.size());
        QTRY_COMPARE(run.port->InBufferCount(), 0);
        QCOMPARE(run.shown(readout), QString());
        run.board.write(late);
        QTRY_COMPARE(run.shown(readout), text);
    }

    void unaskedByteAfterReadInputsShows()
    {
        StartedMainWindow run;
        auto *inputs = run.find<QLabel>("inputs");

        run.click("cmdReadInputs");
        run.board.write(hex("05"));
        QTRY_COMPARE(inputs->text(), "5");
        run.board.write(hex("07"));
        QTRY_COMPARE(inputs->text(), "7");
    }

    void readWithPortClosedKeepsOldText()
    {
        StartedMainWindow run;
        run.click("cmdReadA2");
        run.board.write(hex("0003E8"));
        QTRY_COMPARE(run.shown("analog2"), " 20mA");

        run.port->setPortOpen(false);
        run.click("cmdReadA2");
        QCOMPARE(run.boxes.texts(), QStringList{"Port Not Open"});
        QCOMPARE(run.shown("analog2"), " 20mA");
    }
};

QTEST_MAIN(tst_frmMainReads)
#include "tst_frmmain_reads.moc"
