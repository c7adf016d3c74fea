// Stored screens, the start-up screen, SaveSettings, power cycles and the store file.
#include "boardmodel.h"
#include "boardstore.h"
#include "boardtestbytes.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray UserScreen(int k, const QByteArray &line1, const QByteArray &line2)
{
    return Bytes({0xFE, 0xC8 + k}) + line1 + Bytes({0x0D}) + line2 + Bytes({0xFF});
}

} // namespace

class tst_BoardScreens : public QObject
{
    Q_OBJECT

private slots:
    void definitions_data();
    void definitions();
    void showScreenOutOfRangeIsIgnored();
    void powerCycleShowsTheStoredStartup();
    void saveSettingsKeepsTheWorkingState();
    void speedCommands_data();
    void speedCommands();
    void storeFileRoundTrip();
    void storeFileDamagedEntriesKeepFactoryValues();
    void storeFileMissing();
};

// Each definition, then ShowScreen (0 = start-up screen), gives the two rows.
void tst_BoardScreens::definitions_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("show");
    QTest::addColumn<QString>("row0");
    QTest::addColumn<QString>("row1");
    const QByteArray sixteen = "ABCDEFGHIJKLMNOP";
    dataRow("user screen 10", UserScreen(10, "AB", "CD"), 10, Padded("AB"), Padded("CD"));
    dataRow("user screen 1, empty lines", "junk" + UserScreen(1, "", ""), 1, Padded(""),
            Padded(""));
    dataRow("user screen with full line 1 and its 0D", UserScreen(3, sixteen, "xy"), 3,
            QString::fromLatin1(sixteen), Padded("xy"));
    dataRow("start-up screen with full line 1, no 0D",
            Bytes({0xFE, 0xC8}) + sixteen + "L2" + Bytes({0xFF}), 0, QString::fromLatin1(sixteen),
            Padded("L2"));
    dataRow("start-up screen, short line 1",
            Bytes({0xFE, 0xC8}) + "Hi" + Bytes({0x0D}) + "there" + Bytes({0xFF}), 0, Padded("Hi"),
            Padded("there"));
    dataRow("screens do not overwrite each other",
            UserScreen(2, "two", "2") + UserScreen(5, "five", "5"), 2, Padded("two"), Padded("2"));
    dataRow("split over many writes is one definition",
            Bytes({0xFE, 0xCA}) + "ab" + Bytes({0x0D}) + "cd" + Bytes({0xFF}), 2, Padded("ab"),
            Padded("cd"));
}

void tst_BoardScreens::definitions()
{
    QFETCH(QByteArray, input);
    QFETCH(int, show);
    QFETCH(QString, row0);
    QFETCH(QString, row1);
    BoardModel model;
    for (const char byte : input) // one byte per write: the split carries no meaning
        model.feed(&byte, 1);
    model.feed(Bytes({0x0D, 'z', 0xFE, 0x2A, show}));
    QCOMPARE(Row(model, 0), row0);
    QCOMPARE(Row(model, 1), row1);
    QCOMPARE(model.state().row, 0);
    QCOMPARE(model.state().column, 0);
}

void tst_BoardScreens::showScreenOutOfRangeIsIgnored()
{
    BoardModel model;
    model.feed(Bytes({0x0D}) + "keep" + Bytes({0xFE, 0x2A, 11, 0xFE, 0x2A, 0xFF}));
    QCOMPARE(Row(model, 0), Padded("keep"));
}

void tst_BoardScreens::powerCycleShowsTheStoredStartup()
{
    BoardModel model;
    model.feed(Bytes({0xFE, 0xC8}) + "Hello" + Bytes({0x0D}) + "World" + Bytes({0xFF}));
    model.feed(Bytes({0xFE, 0x28, 90, 0xFE, 0x20})); // brightness 90, saved
    model.feed(Bytes({0x0D, 0xFE, 0x28, 250, 0xFE, 0x2F, 7, 0xFE, 0x04, 0xFE, 0x32, 1, 3})
               + "text");
    model.powerCycle();
    QCOMPARE(Row(model, 0), Padded("Hello"));
    QCOMPARE(Row(model, 1), Padded("World"));
    QCOMPARE(int(model.state().brightness), 90);
    QCOMPARE(int(model.state().outputs), 0);
    QVERIFY(!model.state().graphMode);
    QCOMPARE(model.state().row, 0);
    QCOMPARE(model.state().column, 0);
}

// SaveSettings copies the working settings; without it a power cycle forgets them.
// Screen definitions are stored as they arrive.
void tst_BoardScreens::saveSettingsKeepsTheWorkingState()
{
    BoardModel model;
    model.feed(Bytes({0xFE, 0x28, 60, 0xFE, 0x29, 30, 0xFE, 0x07, 0xFE, 0x02, 0xFE, 0x64})
               + QByteArray(64, char(0x15)));
    const quint64 before = model.storedRevision();
    model.feed(Bytes({0xFE, 0x20}));
    QVERIFY(model.storedRevision() > before);
    model.feed(Bytes({0xFE, 0x28, 222, 0xFE, 0x06}) + UserScreen(4, "kept", "too"));
    model.powerCycle();
    const BoardState &state = model.state();
    QCOMPARE(int(state.brightness), 60);
    QCOMPARE(int(state.autoOff), 30);
    QVERIFY(!state.backlight);
    QCOMPARE(state.cursor, CursorStyle::BlockBlink);
    QCOMPARE(model.glyph(5)[0], quint8(0x15));
    model.feed(Bytes({0xFE, 0x2A, 4}));
    QCOMPARE(Row(model, 0), Padded("kept"));
}

void tst_BoardScreens::speedCommands_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("now");
    QTest::addColumn<int>("afterPowerCycle");
    QTest::newRow("factory speed") << QByteArray() << 9600 << 9600;
    QTest::newRow("19200 at once, forgotten unsaved") << Bytes({0xFE, 0x1F}) << 19200 << 9600;
    QTest::newRow("19200 saved") << Bytes({0xFE, 0x1F, 0xFE, 0x20}) << 19200 << 19200;
    QTest::newRow("back to 9600") << Bytes({0xFE, 0x1F, 0xFE, 0x20, 0xFE, 0x1E}) << 9600 << 19200;
}

void tst_BoardScreens::speedCommands()
{
    QFETCH(QByteArray, input);
    QFETCH(int, now);
    QFETCH(int, afterPowerCycle);
    BoardModel model;
    model.feed(input);
    QCOMPARE(model.state().baud, now);
    model.powerCycle();
    QCOMPARE(model.state().baud, afterPowerCycle);
}

void tst_BoardScreens::storeFileRoundTrip()
{
    QTemporaryDir dir;
    BoardStore store(dir.filePath(QStringLiteral("board.nv")));
    BoardModel model;
    model.feed(Bytes({0xFE, 0xC8}) + "\xE9t\xE9" + Bytes({0x0D, 0, 0xFF})
               + UserScreen(10, "ten", "10"));
    model.feed(Bytes({0xFE, 0x28, 77, 0xFE, 0x29, 5, 0xFE, 0x01, 0xFE, 0x1F, 0xFE, 0x64})
               + QByteArray(64, char(9)));
    model.feed(Bytes({0xFE, 0x20}));
    QVERIFY2(store.save(model.stored()), qPrintable(store.errorString()));
    const auto loaded = store.load();
    QVERIFY(loaded.has_value());
    QVERIFY(*loaded == model.stored());
    BoardModel restarted(*loaded);
    QCOMPARE(Row(restarted, 0), QString::fromLatin1("\xE9t\xE9").leftJustified(16));
    QCOMPARE(restarted.state().display.at(1, 0), quint8(0));
    QCOMPARE(restarted.state().baud, 19200);
    QCOMPARE(int(restarted.state().brightness), 77);
}

void tst_BoardScreens::storeFileDamagedEntriesKeepFactoryValues()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("board.nv"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("brightness=999\nautooff=12\nbaud=4800\ncursor=sideways\nstartup=4142\n"
               "screen2="
               + QByteArray(32, 'x').toHex() + "\ngarbage line\n");
    file.close();
    const auto loaded = BoardStore(path).load();
    QVERIFY(loaded.has_value());
    const BoardSettings factory;
    QCOMPARE(int(loaded->brightness), int(factory.brightness));
    QCOMPARE(int(loaded->autoOff), 12);
    QCOMPARE(loaded->baud, factory.baud);
    QCOMPARE(loaded->cursor, factory.cursor);
    QVERIFY(loaded->startup == factory.startup);
    QCOMPARE(loaded->screens[1].rowText(1), std::string(16, 'x'));
}

void tst_BoardScreens::storeFileMissing()
{
    QTemporaryDir dir;
    QVERIFY(!BoardStore(dir.filePath(QStringLiteral("none"))).load().has_value());
    BoardStore unwritable(dir.filePath(QStringLiteral("no/such/folder/board.nv")));
    QVERIFY(!unwritable.save(BoardSettings()));
    QVERIFY(!unwritable.errorString().isEmpty());
}

QTEST_APPLESS_MAIN(tst_BoardScreens)
#include "tst_boardscreens.moc"
