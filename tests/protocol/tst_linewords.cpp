// A line of the line language split into words as a shell would, and words
// quoted into a line that splits back into exactly them: what a program
// forwarding a command to the port's owner relies on.
#include "protocol/line/linewords.h"
#include "support/testdata.h"

#include <QtTest>

class tst_LineWords : public QObject
{
    Q_OBJECT

private slots:
    void split_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("words");
        dataRow("blanks and quotes", "text 'a b' \"c\\\"d\" e\\ f",
                QStringList{"text", "a b", "c\"d", "e f"});
        dataRow("empty words", "text '' \"\"", QStringList{"text", "", ""});
        dataRow("ANSI-C quotes", "text $'a\\tb\\x01\\'\\\\'", QStringList{"text", "a\tb\x01'\\"});
        dataRow("comment", "  # text a", QStringList());
    }

    void split()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, words);
        QString error;
        QCOMPARE(LineWords(line, &error), std::optional<QStringList>(words));
    }

    void quotedWordsSplitBack()
    {
        const QStringList words{"plain",       "a b",      "it's",
                                "\\1\\x41",    "",         "\"",
                                "line\nbreak", "\x7F\x01", QString::fromUtf8("\u00e9t\u00e9"),
                                "$'x'"};
        QString error;
        QCOMPARE(LineWords(QuotedLine(words), &error), std::optional<QStringList>(words));
    }

    void unclosedQuoteIsAnError()
    {
        QString error;
        QVERIFY(!LineWords("text 'a", &error));
        QVERIFY(!LineWords("text $'a", &error));
        QVERIFY(error.contains("not closed"));
    }
};

QTEST_APPLESS_MAIN(tst_LineWords)
#include "tst_linewords.moc"
