// The line server on real sockets, its clients real second processes: answers
// in order, one a line; clients of another user, one too many, and clients
// that break a bound turned away while the others are served; whatever stands
// at the socket's path replaced without being followed, a live owner kept.
#include "service/lineclient.h"
#include "service/lineserver.h"
#include "support/childprocess.h"
#include "support/rawsocketclient.h"
#include "support/testdata.h"

#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Bounds for a test gone wrong, never reached when it goes right.
constexpr int WaitMs = 30000;
const QString CutOffQuestion = QStringLiteral("cut off?");

// A server that answers each line "echo <line>" from the event loop, as an
// owner busy with its port would; "big" gets 32 KiB, "cut off?" whether a
// client has been cut off yet. It counts the lines handed on and not yet
// answered, and notes each client's label.
class EchoServer : public QObject
{
public:
    EchoServer() : path(folder.filePath(QStringLiteral("board.sock")))
    {
        connect(&server, &LineServer::lineReceived, this, &EchoServer::take);
        connect(&server, &LineServer::clientCutOff, this, [this] { cutOff = true; });
    }

    bool listen() { return server.listen(path, &error); }

    QTemporaryDir folder;
    const QString path;
    LineServer server;
    QString error;
    int mostUnanswered = 0;
    QSet<QString> labels;
    bool cutOff = false;

private:
    void take(quint64 client, const QString &line)
    {
        mostUnanswered = std::max(mostUnanswered, ++m_unanswered[client]);
        labels.insert(server.clientLabel(client));
        QTimer::singleShot(0, this, [this, client, line] {
            --m_unanswered[client];
            server.answer(client, answerTo(line));
        });
    }

    QString answerTo(const QString &line) const
    {
        if (line == QLatin1String("big"))
            return QString(32 * 1024, QLatin1Char('x'));
        if (line == CutOffQuestion)
            return cutOff ? QStringLiteral("yes") : QStringLiteral("no");
        return QStringLiteral("echo ") + line;
    }

    QHash<quint64, int> m_unanswered;
};

// A well-behaved client in a child: asks each line in turn; 0 when every
// answer is the echo of its line.
std::function<int()> askInTurn(const QString &path, const QStringList &lines)
{
    return [path, lines] {
        LineClient client;
        if (!client.connectTo(path, WaitMs))
            return 100;
        int wrong = 0;
        for (const QString &line : lines)
            wrong += client.ask(line, WaitMs, nullptr) != QStringLiteral("echo ") + line;
        return wrong;
    };
}

// A client in a child that keeps asking until the server has cut another
// client off, so that it is served all through the other's misdeeds.
int askUntilCutOff(const QString &path)
{
    LineClient client;
    if (!client.connectTo(path, WaitMs))
        return 100;
    for (;;) {
        const std::optional<QString> answer = client.ask(CutOffQuestion, WaitMs, nullptr);
        if (answer != QLatin1String("no"))
            return answer == QLatin1String("yes") ? 0 : 1;
    }
}

int modeOf(const QString &path)
{
    struct stat info = {};
    ::lstat(QFile::encodeName(path).constData(), &info);
    return int(info.st_mode);
}

} // namespace

class tst_LineServer : public QObject
{
    Q_OBJECT

private slots:
    void answersComeInOrderOnePerLine_data()
    {
        QTest::addColumn<QByteArray>("sent"); // at once by each client; '#' is its number
        QTest::addColumn<QByteArrayList>("answers");
        QByteArray many;
        QByteArrayList manyAnswers;
        for (int n = 0; n < 200; ++n) {
            many += "text # " + QByteArray::number(n) + '\n';
            manyAnswers += "echo text # " + QByteArray::number(n);
        }
        dataRow("one line", QByteArray("text #\n"), QByteArrayList{"echo text #"});
        dataRow("200 lines at once", many, manyAnswers);
        dataRow("lines ending in CR LF", QByteArray("a #\r\nb #\r\n"),
                QByteArrayList{"echo a #", "echo b #"});
        dataRow("UTF-8", QByteArray("text \"Grüße #\" \"✓\"\n"),
                QByteArrayList{"echo text \"Grüße #\" \"✓\""});
        dataRow("an empty line", QByteArray("\n#\n"), QByteArrayList{"echo ", "echo #"});
    }

    void answersComeInOrderOnePerLine()
    {
        QFETCH(QByteArray, sent);
        QFETCH(QByteArrayList, answers);
        EchoServer echo;
        QVERIFY2(echo.listen(), qPrintable(echo.error));
        QSet<QString> labels;
        QList<pid_t> clients;
        for (const char number : {'1', '2', '3'}) {
            clients.append(StartChild([&] {
                RawSocketClient client(echo.path);
                QByteArrayList expected = answers;
                for (QByteArray &answer : expected)
                    answer.replace('#', number);
                return client.send(QByteArray(sent).replace('#', number))
                               && client.receiveLines(int(expected.size())) == expected
                           ? 0
                           : 1;
            }));
            labels.insert(QStringLiteral("tst_lineserver %1").arg(clients.last()));
        }
        for (const pid_t client : clients)
            QCOMPARE(WaitForChildServing(client), 0);
        QCOMPARE(echo.mostUnanswered, 1); // one line of a client at a time
        QCOMPARE(echo.labels, labels);    // program and pid of each
    }

    void clientOfAnotherUserIsRefused()
    {
        if (::geteuid() != 0)
            QSKIP("Running a client as another user needs root");
        EchoServer echo;
        QVERIFY2(echo.listen(), qPrintable(echo.error));
        // The way through the files opened, so that only the server's own
        // check of the peer stands in the way.
        QVERIFY(::chmod(QFile::encodeName(echo.folder.path()), 0711) == 0);
        QVERIFY(::chmod(QFile::encodeName(echo.path), 0666) == 0);
        QSignalSpy lines(&echo.server, &LineServer::lineReceived);
        QSignalSpy counts(&echo.server, &LineServer::clientCountChanged);

        const pid_t other = StartChild([&] {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                return 100;
            LineClient client;
            if (!client.connectTo(echo.path, WaitMs))
                return 101;
            return client.ask(QStringLiteral("text a"), WaitMs, nullptr) ? 1 : 0;
        });
        QCOMPARE(WaitForChildServing(other), 0);
        QCOMPARE(lines.count(), 0);
        QCOMPARE(counts.count(), 0);
        QCOMPARE(WaitForChildServing(StartChild(askInTurn(echo.path, {"text b"}))), 0);
    }

    void clientOverTheLimitIsTurnedAway()
    {
        EchoServer echo;
        QVERIFY2(echo.listen(), qPrintable(echo.error));
        std::vector<std::unique_ptr<QLocalSocket>> clients;
        for (int n = 0; n < LineServer::MaxClients; ++n) {
            clients.push_back(std::make_unique<QLocalSocket>());
            clients.back()->connectToServer(echo.path);
        }
        QTRY_COMPARE(echo.server.clientCount(), LineServer::MaxClients);

        const pid_t extra = StartChild([&] {
            LineClient client;
            return client.connectTo(echo.path, WaitMs)
                           && client.ask(QStringLiteral("text a"), WaitMs, nullptr)
                                  == QLatin1String(LineServer::TooManyClients)
                       ? 0
                       : 1;
        });
        QCOMPARE(WaitForChildServing(extra), 0);
        QCOMPARE(echo.server.clientCount(), LineServer::MaxClients);

        clients.pop_back(); // one leaves, and there is room again
        QTRY_COMPARE(echo.server.clientCount(), LineServer::MaxClients - 1);
        QCOMPARE(WaitForChildServing(StartChild(askInTurn(echo.path, {"text b"}))), 0);
    }

    void badClientIsCutOff_data()
    {
        QTest::addColumn<QByteArray>("sent"); // at once, no answer ever read
        QTest::addColumn<QString>("why");
        dataRow("a line over 64 KiB", QByteArray(LineServer::MaxLineBytes + 2, 'x'),
                QStringLiteral("a line over 64 KiB"));
        dataRow("a flood of lines", QByteArray("text flood\n").repeated(20000),
                QStringLiteral("too many lines waiting to be handled"));
        dataRow("answers never read", QByteArray("big\n").repeated(LineServer::MaxWaitingLines - 1),
                QStringLiteral("over 1 MiB of answers not read"));
    }

    void badClientIsCutOff()
    {
        QFETCH(QByteArray, sent);
        QFETCH(QString, why);
        EchoServer echo;
        QVERIFY2(echo.listen(), qPrintable(echo.error));
        QSignalSpy cutOff(&echo.server, &LineServer::clientCutOff);
        const pid_t good = StartChild([&] { return askUntilCutOff(echo.path); });
        QTRY_COMPARE(echo.server.clientCount(), 1);

        const pid_t bad = StartChild([&] {
            RawSocketClient client(echo.path);
            client.send(sent); // fails once the server has had enough
            return client.waitForHangUp(WaitMs) ? 0 : 1;
        });
        QCOMPARE(WaitForChildServing(bad), 0);
        QCOMPARE(WaitForChildServing(good), 0);
        QCOMPARE(cutOff.count(), 1);
        QCOMPARE(cutOff.at(0).at(1).toString(), why);
        QTRY_COMPARE(echo.server.clientCount(), 0);
    }

    void whatStandsAtThePathIsReplaced_data()
    {
        QTest::addColumn<QString>("kind");
        dataRow("nothing", QStringLiteral("nothing"));
        dataRow("the socket of a killed owner", QStringLiteral("stale"));
        dataRow("a symbolic link", QStringLiteral("link"));
        dataRow("a regular file", QStringLiteral("file"));
    }

    void whatStandsAtThePathIsReplaced()
    {
        QFETCH(QString, kind);
        EchoServer echo;
        const QString target = echo.folder.filePath(QStringLiteral("target"));
        QFile(target).open(QIODevice::WriteOnly);
        const int targetMode = modeOf(target);
        if (kind == QLatin1String("stale"))
            WaitForChild(StartChild([&] {
                LineServer owner;
                owner.listen(echo.path, nullptr);
                return ::raise(SIGKILL);
            }));
        else if (kind == QLatin1String("link"))
            QVERIFY(QFile::link(target, echo.path));
        else if (kind == QLatin1String("file"))
            QVERIFY(QFile::copy(target, echo.path));
        QCOMPARE(modeOf(echo.path) != 0, kind != QLatin1String("nothing"));
        LineClient client; // finds nobody there, at once
        QVERIFY(!client.connectTo(echo.path, -1));
        QVERIFY(client.errorString().startsWith(QStringLiteral("Nobody serves on ") + echo.path));

        QVERIFY2(echo.listen(), qPrintable(echo.error));
        QCOMPARE(modeOf(echo.path), S_IFSOCK | 0600);
        QCOMPARE(modeOf(target), targetMode); // a link's target untouched
        QCOMPARE(WaitForChildServing(StartChild(askInTurn(echo.path, {"text a"}))), 0);
        echo.server.close();
        QVERIFY(!QFile::exists(echo.path));
    }

    void liveOwnerKeepsItsSocket()
    {
        EchoServer owner;
        QVERIFY2(owner.listen(), qPrintable(owner.error));
        LineServer second;
        QString error;
        QVERIFY(!second.listen(owner.path, &error));
        QCOMPARE(error, owner.path + QStringLiteral(" is already served by another program"));
        QCOMPARE(WaitForChildServing(StartChild(askInTurn(owner.path, {"text a"}))), 0);
    }
};

QTEST_GUILESS_MAIN(tst_LineServer)
#include "tst_lineserver.moc"
