// Graph mode, bar graphs and the custom characters of the board model.
#include "boardmodel.h"
#include "boardtestbytes.h"
#include "lcdfont.h"

#include <QtTest>

namespace {

QByteArray RowCodes(const BoardModel &model, int row)
{
    const auto &cells = model.state().display.rows[size_t(row)];
    return QByteArray(reinterpret_cast<const char *>(cells.data()), qsizetype(cells.size()));
}

QByteArray Blanks(int count)
{
    return QByteArray(count, ' ');
}

Glyph Filled(quint8 row)
{
    Glyph glyph;
    glyph.fill(row);
    return glyph;
}

// 64 bytes: character n has every row set to n + 1, with junk in the top bits.
QByteArray CustomCharData()
{
    QByteArray data;
    for (int n = 0; n < 8; ++n)
        data += QByteArray(8, char(0xE0 | (n + 1)));
    return data;
}

} // namespace

class tst_BoardGraph : public QObject
{
    Q_OBJECT

private slots:
    void bars_data();
    void bars();
    void customCharacters();
    void graphModeSwapsTheRamCharacters();
    void customDataTakesExactly64Bytes();
};

void tst_BoardGraph::bars_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("row");
    QTest::addColumn<QByteArray>("codes");
    const QByteArray on = Bytes({0x0D, 0xFE, 0x04});
    auto at = [](int row, int column) { return Bytes({0xFE, 0x32, row, column}); };
    auto right = [](int length) { return Bytes({0xFE, 0x2B, length}); };
    auto left = [](int length) { return Bytes({0xFE, 0x2C, length}); };
    const QByteArray xs = QByteArray(32, 'x');

    dataRow("12 columns to the right", on + at(0, 0) + right(12), 0,
            Bytes({0xFF, 0xFF, 1}) + Blanks(13));
    dataRow("80 columns fill the row", on + at(0, 0) + right(80), 0, QByteArray(16, char(0xFF)));
    dataRow("clipped at the end of the row", on + at(0, 10) + right(80), 0,
            Blanks(10) + QByteArray(6, char(0xFF)));
    dataRow("rest of the row to the right is blanked", on + xs + at(1, 4) + right(3), 1,
            QByteArray("xxxx") + Bytes({2}) + Blanks(11));
    dataRow("other row untouched", on + xs + at(1, 4) + right(3), 0, QByteArray(16, 'x'));
    dataRow("7 columns to the left from column 15", on + at(0, 15) + left(7), 0,
            Blanks(14) + Bytes({5, 0xFF}));
    dataRow("to the left blanks towards column 0", on + xs + at(0, 2) + left(5), 0,
            Blanks(2) + Bytes({0xFF}) + QByteArray(13, 'x'));
    dataRow("one column to the left", on + at(0, 0) + left(1), 0, Bytes({4}) + Blanks(15));
    dataRow("length 0 clears from the cursor", on + xs + at(0, 8) + right(0), 0,
            QByteArray(8, 'x') + Blanks(8));
    dataRow("no bar outside graph mode", Bytes({0x0D}) + xs + at(0, 0) + right(12), 0,
            QByteArray(16, 'x'));
    dataRow("no bar after GraphModeOff", on + Bytes({0xFE, 0x08}) + xs + at(0, 0) + right(12), 0,
            QByteArray(16, 'x'));
}

void tst_BoardGraph::bars()
{
    QFETCH(QByteArray, input);
    QFETCH(int, row);
    QFETCH(QByteArray, codes);
    BoardModel model;
    model.feed(input);
    QCOMPARE(RowCodes(model, row), codes);
}

void tst_BoardGraph::customCharacters()
{
    BoardModel model;
    model.feed(Bytes({0x0D, 0xFE, 0x64}) + CustomCharData());
    for (int n = 0; n < 8; ++n)
        QCOMPARE(model.glyph(quint8(n)), Filled(quint8(n + 1)));
    // 0x09 and 0x0A are no control codes: they show RAM characters 1 and 2, as the controller
    // mirrors them.
    QCOMPARE(model.glyph(0x09), Filled(2));
    QCOMPARE(model.glyph(0x0A), Filled(3));
    QCOMPARE(model.glyph('A'), LcdFont::glyph('A'));
}

void tst_BoardGraph::graphModeSwapsTheRamCharacters()
{
    BoardModel model;
    model.feed(Bytes({0xFE, 0x64}) + CustomCharData() + Bytes({0xFE, 0x04}));
    QCOMPARE(model.glyph(0), Filled(0x10)); // leftmost column
    QCOMPARE(model.glyph(3), Filled(0x1E)); // four columns from the left
    QCOMPARE(model.glyph(4), Filled(0x01)); // rightmost column
    QCOMPARE(model.glyph(7), Filled(0x0F));
    model.feed(Bytes({0xFE, 0x08}));
    QCOMPARE(model.glyph(0), Filled(1));
}

// The data bytes may be anything, prefix and end marks included; the 65th byte is text again.
void tst_BoardGraph::customDataTakesExactly64Bytes()
{
    BoardModel model;
    QByteArray data(64, char(0xFE));
    data[8] = char(0x0D);
    data[9] = char(0xFF);
    model.feed(Bytes({0x0D, 0xFE, 0x64}) + data + "Z");
    QCOMPARE(Row(model, 0), Padded("Z"));
    QCOMPARE(model.glyph(0), Filled(0x1E));
    QCOMPARE(model.glyph(1)[0], quint8(0x0D));
    QCOMPARE(model.glyph(1)[1], quint8(0x1F));
}

QTEST_APPLESS_MAIN(tst_BoardGraph)
#include "tst_boardgraph.moc"
