// The character generator: the typed-in font table must hold 95 distinct,
// well-formed characters, since a slip in one row is easy to make and hard to see.
#include "lcdfont.h"

#include <QSet>
#include <QtTest>

class tst_BoardFont : public QObject
{
    Q_OBJECT

private slots:
    void printableCharactersAreWellFormed();
    void printableCharactersAreDistinct();
    void knownShapes_data();
    void knownShapes();
};

void tst_BoardFont::printableCharactersAreWellFormed()
{
    for (int code = 0x20; code <= 0x7E; ++code) {
        const Glyph glyph = LcdFont::glyph(quint8(code));
        int dots = 0;
        for (const quint8 row : glyph) {
            QVERIFY2(row <= 0x1F,
                     qPrintable(QStringLiteral("code %1 is wider than 5 dots").arg(code, 0, 16)));
            dots += qPopulationCount(row);
        }
        QVERIFY2(glyph[7] == 0,
                 qPrintable(QStringLiteral("code %1 uses the cursor line").arg(code, 0, 16)));
        QVERIFY2((code == ' ') == (dots == 0),
                 qPrintable(QStringLiteral("code %1").arg(code, 0, 16)));
    }
}

void tst_BoardFont::printableCharactersAreDistinct()
{
    QSet<QByteArray> shapes;
    for (int code = 0x20; code <= 0x7E; ++code) {
        const Glyph glyph = LcdFont::glyph(quint8(code));
        const QByteArray shape(reinterpret_cast<const char *>(glyph.data()),
                               qsizetype(glyph.size()));
        QVERIFY2(!shapes.contains(shape),
                 qPrintable(QStringLiteral("code %1 repeats a shape").arg(code, 0, 16)));
        shapes.insert(shape);
    }
}

void tst_BoardFont::knownShapes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("rows");
    QTest::newRow("A") << int('A') << QByteArray::fromHex("0E1111111F111100");
    QTest::newRow("0") << int('0') << QByteArray::fromHex("0E11131519110E00");
    QTest::newRow("g") << int('g') << QByteArray::fromHex("000F11110F010E00");
    QTest::newRow("~") << int('~') << QByteArray::fromHex("0000081502000000");
    QTest::newRow("full block") << 0xFF << QByteArray::fromHex("1F1F1F1F1F1F1F1F");
    QTest::newRow("0x10 is blank") << 0x10 << QByteArray(8, '\0');
    QTest::newRow("no shape above 0x7E: a box") << 0xE9
                                                << QByteArray::fromHex("001F11111111"
                                                                       "1F00");
}

void tst_BoardFont::knownShapes()
{
    QFETCH(int, code);
    QFETCH(QByteArray, rows);
    const Glyph glyph = LcdFont::glyph(quint8(code));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(glyph.data()), 8), rows);
}

QTEST_APPLESS_MAIN(tst_BoardFont)
#include "tst_boardfont.moc"
