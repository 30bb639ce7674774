#include "assets/Assets.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImageReader>
#include <QPaintEvent>
#include <QProcess>
#include <QtEndian>

// The committed artwork, cursor and icon: that artgen still produces them (byte
// for byte, or pixel for pixel where the drawing is antialiased), that their formats are the ones the program and Windows expect,
// that the pictures carry their colours and glyphs where the window layout
// puts them, and that the helpers the windows use load them right.

namespace {

const QDir assetsDir(QStringLiteral(ASSETS_SOURCE_DIR));

const QStringList generatedFiles{
    "background.bmp", "background@2x.bmp", "minimize.bmp", "minimize@2x.bmp",
    "more.bmp",       "more@2x.bmp",       "close.bmp",    "close@2x.bmp",
    "hand.cur",       "clock.ico",         "taloran.png",  "taloran-16.png",
    "taloran-32.png", "taloran-48.png",    "taloran-64.png", "taloran-128.png"};

// Drawn antialiased: Qt's raster engine picks its SIMD code by the CPU at run
// time, and the edges round a little differently from one CPU to another.
const QStringList antialiasedFiles{"clock.ico",      "taloran.png",    "taloran-16.png",
                                   "taloran-32.png", "taloran-48.png", "taloran-64.png",
                                   "taloran-128.png"};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint16 u16(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

quint32 u32(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

bool near(QRgb actual, QRgb expected, int tolerance)
{
    return qAbs(qRed(actual) - qRed(expected)) <= tolerance
        && qAbs(qGreen(actual) - qGreen(expected)) <= tolerance
        && qAbs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

QString hex(QRgb c)
{
    return QStringLiteral("#%1").arg(c & 0xffffff, 6, 16, QLatin1Char('0'));
}

// Black, or nearly: glyph ink (antialiased edges are lighter than this).
bool ink(QRgb c)
{
    return qRed(c) < 96 && qGreen(c) < 96 && qBlue(c) < 96;
}

// The first image of an .ico or .cur file.
struct DirEntry
{
    int width, height, colours, planesOrHotX, bitsOrHotY;
    quint32 bytes, offset;
};

DirEntry dirEntry(const QByteArray &file, int i)
{
    const qsizetype at = 6 + 16 * i;
    return {quint8(file[at]) ? quint8(file[at]) : 256, quint8(file[at + 1]) ? quint8(file[at + 1]) : 256,
            quint8(file[at + 2]), u16(file, at + 4), u16(file, at + 6), u32(file, at + 8), u32(file, at + 12)};
}

// The three frame rings, outside in, one logical pixel each.
void checkFrame(const QImage &image, int scale)
{
    const QRgb outer = 0x7fa9ff, middle = 0x0054ff;
    const int w = image.width(), h = image.height();
    for (const QPoint &edge : {QPoint(0, h / 2), QPoint(w / 2, 0), QPoint(w - 1, h / 3), QPoint(w / 3, h - 1)}) {
        const QPoint inward(edge.x() == 0 ? 1 : edge.x() == w - 1 ? -1 : 0,
                            edge.y() == 0 ? 1 : edge.y() == h - 1 ? -1 : 0);
        for (int i = 0; i < 3 * scale; ++i) {
            const QPoint p = edge + inward * i;
            const QRgb c = image.pixel(p);
            const QString where = QStringLiteral("(%1, %2) %3").arg(p.x()).arg(p.y()).arg(hex(c));
            if (i / scale == 0)
                QVERIFY2(near(c, outer, 0), qPrintable(where));
            else if (i / scale == 1)
                QVERIFY2(near(c, middle, 0), qPrintable(where));
            else // a darker blue than the middle line
                QVERIFY2(qBlue(c) > 2 * qMax(qRed(c), qGreen(c)) && qBlue(c) < 0xff && qGreen(c) < 0x54,
                         qPrintable(where));
        }
    }
}

// Every picture in both files, decoded: the same sizes, and each channel of
// each pixel (alpha too) within 2 of the committed one. Premultiplied, as it is
// drawn: a nearly transparent pixel's own colour is only its rounding.
void comparePictures(const QString &generatedPath, const QString &committedPath)
{
    QImageReader generated(generatedPath), committed(committedPath);
    QCOMPARE(generated.imageCount(), committed.imageCount());
    for (int i = 0; i < qMax(1, committed.imageCount()); ++i) {
        QVERIFY(generated.jumpToImage(i) || i == 0);
        QVERIFY(committed.jumpToImage(i) || i == 0);
        const QImage a = generated.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage b = committed.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QVERIFY2(!b.isNull(), qPrintable(committed.errorString()));
        QCOMPARE(a.size(), b.size());
        for (int y = 0; y < b.height(); ++y) {
            for (int x = 0; x < b.width(); ++x) {
                const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                if (!near(p, q, 2) || qAbs(qAlpha(p) - qAlpha(q)) > 2)
                    QFAIL(qPrintable(QStringLiteral("picture %1 (%2, %3): %4/%5, committed %6/%7; "
                                                    "run the update_artwork target")
                                         .arg(i).arg(x).arg(y).arg(hex(p)).arg(qAlpha(p))
                                         .arg(hex(q)).arg(qAlpha(q))));
            }
        }
    }
}

} // namespace

class TestAssets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void generatorReproducesCommittedFiles_data();
    void generatorReproducesCommittedFiles();
    void generatorWritesNothingElse();

    void bitmapFormat_data();
    void bitmapFormat();
    void cursorFormat();
    void iconFormat();

    void backgroundColours_data();
    void backgroundColours();
    void unitWordsFillTheirBoxes_data();
    void unitWordsFillTheirBoxes();
    void buttonTiles_data();
    void buttonTiles();

    void pixmapSizes_data();
    void pixmapSizes();
    void handCursor();
    void clockIcon();
    void setUpRegistersFaces();

private:
    QTemporaryDir m_generated;
};

void TestAssets::initTestCase()
{
    QVERIFY(m_generated.isValid());
#ifdef ARTGEN_PATH
    QProcess artgen;
    artgen.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    artgen.start(QStringLiteral(ARTGEN_PATH), {m_generated.path()});
    QVERIFY2(artgen.waitForFinished(-1), qPrintable(artgen.errorString()));
    QCOMPARE(artgen.exitStatus(), QProcess::NormalExit);
    QCOMPARE(artgen.exitCode(), 0);
#endif
}

void TestAssets::generatorReproducesCommittedFiles_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &name : generatedFiles)
        QTest::newRow(qPrintable(name)) << name;
}

void TestAssets::generatorReproducesCommittedFiles()
{
#ifndef ARTGEN_PATH
    QSKIP("The artwork is drawn by artgen and compared on Linux, where it is made");
#endif
    QFETCH(QString, name);
    const QByteArray generated = readAll(QDir(m_generated.path()).filePath(name));
    const QByteArray committed = readAll(assetsDir.filePath(name));
    QVERIFY2(!generated.isEmpty(), "artgen did not write it");
    QVERIFY2(!committed.isEmpty(), "not committed in assets/");
    if (antialiasedFiles.contains(name)) {
        comparePictures(QDir(m_generated.path()).filePath(name), assetsDir.filePath(name));
        return;
    }
    QCOMPARE(generated.size(), committed.size());
    if (generated != committed) {
        qsizetype first = 0;
        while (generated[first] == committed[first])
            ++first;
        QFAIL(qPrintable(QStringLiteral("differs from byte %1 on; run the update_artwork target").arg(first)));
    }
}

void TestAssets::generatorWritesNothingElse()
{
#ifndef ARTGEN_PATH
    QSKIP("The artwork is drawn by artgen and compared on Linux, where it is made");
#endif
    QStringList written = QDir(m_generated.path()).entryList(QDir::Files);
    QStringList expected = generatedFiles;
    written.sort();
    expected.sort();
    QCOMPARE(written, expected);
}

void TestAssets::bitmapFormat_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("bytes");
    QTest::newRow("background") << "background.bmp" << 800 << 125 << 300054;
    QTest::newRow("background@2x") << "background@2x.bmp" << 1600 << 250 << 1200054;
    for (const char *button : {"minimize", "more", "close"}) {
        QTest::newRow(button) << QStringLiteral("%1.bmp").arg(button) << 40 << 40 << 4854;
        QTest::newRow(qPrintable(QStringLiteral("%1@2x").arg(button)))
            << QStringLiteral("%1@2x.bmp").arg(button) << 80 << 80 << 19254;
    }
}

void TestAssets::bitmapFormat()
{
    QFETCH(QString, name);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, bytes);
    const QByteArray file = readAll(assetsDir.filePath(name));
    QCOMPARE(file.size(), bytes);
    QCOMPARE(file.left(2), QByteArray("BM"));
    QCOMPARE(u32(file, 2), quint32(bytes));
    QCOMPARE(u32(file, 10), 54u);            // pixels right after the headers
    QCOMPARE(u32(file, 14), 40u);            // BITMAPINFOHEADER
    QCOMPARE(qint32(u32(file, 18)), width);
    QCOMPARE(qint32(u32(file, 22)), height); // positive: bottom-up
    QCOMPARE(u16(file, 26), 1);
    QCOMPARE(u16(file, 28), 24);
    QCOMPARE(u32(file, 30), 0u);             // uncompressed
    QCOMPARE(QImage(assetsDir.filePath(name)).size(), QSize(width, height));
}

void TestAssets::cursorFormat()
{
    const QByteArray file = readAll(assetsDir.filePath("hand.cur"));
    QVERIFY(file.size() > 22);
    QCOMPARE(u16(file, 2), 2); // cursor
    QCOMPARE(u16(file, 4), 1); // one image
    const DirEntry e = dirEntry(file, 0);
    QCOMPARE(e.width, 32);
    QCOMPARE(e.height, 32);
    QCOMPARE(e.colours, 16);
    QCOMPARE(QPoint(e.planesOrHotX, e.bitsOrHotY), QPoint(5, 1));
    QCOMPARE(e.offset, 22u);
    const qsizetype xorBytes = 32 * 16, andBytes = 32 * 4;
    QCOMPARE(qsizetype(e.bytes), 40 + 16 * 4 + xorBytes + andBytes);
    QCOMPARE(qsizetype(e.offset + e.bytes), file.size());

    const QByteArray dib = file.mid(e.offset);
    QCOMPARE(u32(dib, 4), 32u);
    QCOMPARE(u32(dib, 8), 64u); // colour bits and mask
    QCOMPARE(u16(dib, 14), 4);

    // The mask has both kinds of pixel, transparent pixels are black in the
    // colour bits (so nothing is inverted on screen), and the hot spot is on the hand.
    const qsizetype xorAt = 40 + 64, andAt = xorAt + xorBytes;
    auto index = [&](int x, int y) {
        return (quint8(dib[xorAt + (31 - y) * 16 + x / 2]) >> (x % 2 ? 0 : 4)) & 0xf;
    };
    auto clear = [&](int x, int y) { return (quint8(dib[andAt + (31 - y) * 4 + x / 8]) & (0x80 >> (x % 8))) != 0; };
    int opaque = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (clear(x, y))
                QCOMPARE(index(x, y), 0);
            else
                ++opaque;
        }
    }
    QVERIFY(opaque > 100 && opaque < 600);
    QVERIFY(!clear(5, 1));
    QVERIFY(clear(5, 0));
    QVERIFY(clear(0, 0));
}

void TestAssets::iconFormat()
{
    const QByteArray file = readAll(assetsDir.filePath("clock.ico"));
    QVERIFY(file.size() > 6 + 3 * 16);
    QCOMPARE(u16(file, 2), 1); // icon
    QCOMPARE(u16(file, 4), 3);
    const QList<QPair<int, int>> expected{{16, 8}, {32, 8}, {32, 32}};
    for (int i = 0; i < 3; ++i) {
        const DirEntry e = dirEntry(file, i);
        const int size = expected[i].first, bits = expected[i].second;
        QCOMPARE(e.width, size);
        QCOMPARE(e.height, size);
        QCOMPARE(e.bitsOrHotY, bits);
        QVERIFY(qsizetype(e.offset + e.bytes) <= file.size());
        const QByteArray dib = file.mid(e.offset, e.bytes);
        QCOMPARE(u32(dib, 4), quint32(size));
        QCOMPARE(u32(dib, 8), quint32(2 * size));
        QCOMPARE(u16(dib, 14), bits);
        const qsizetype palette = bits == 8 ? 256 * 4 : 0;
        const qsizetype maskStride = (size + 31) / 32 * 4;
        QCOMPARE(qsizetype(e.bytes), 40 + palette + size * size * bits / 8 + maskStride * size);
    }

    if (!QImageReader::supportedImageFormats().contains("ico"))
        QSKIP("Qt's ico reader is not available");
    QImageReader reader(assetsDir.filePath("clock.ico"));
    QCOMPARE(reader.imageCount(), 3);
    QList<QSize> sizes;
    QImage image;
    for (int i = 0; i < reader.imageCount(); ++i) { // the ico reader does not advance by itself
        QVERIFY(reader.jumpToImage(i));
        QVERIFY(reader.read(&image));
        sizes.append(image.size());
    }
    QCOMPARE(sizes, (QList<QSize>{{16, 16}, {32, 32}, {32, 32}}));
    // The 32-bit image is a round clock: clear corners, opaque middle.
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(16, 16)), 255);
}

void TestAssets::backgroundColours_data()
{
    QTest::addColumn<int>("scale");
    QTest::newRow("1x") << 1;
    QTest::newRow("2x") << 2;
}

void TestAssets::backgroundColours()
{
    QFETCH(int, scale);
    const QImage image(assetsDir.filePath(scale == 1 ? "background.bmp" : "background@2x.bmp"));
    QCOMPARE(image.size(), QSize(800, 125) * scale);
    checkFrame(image, scale);

    // Yellow in the middle, orange at the corners and edges just inside the frame.
    const QRgb yellow = 0xffcc00, orange = 0xff9933;
    QVERIFY2(near(image.pixel(400 * scale, 62 * scale), yellow, 4), qPrintable(hex(image.pixel(400 * scale, 62 * scale))));
    for (const QPoint &p : {QPoint(3, 3), QPoint(796, 3), QPoint(3, 121), QPoint(796, 121), QPoint(3, 62),
                            QPoint(796, 62), QPoint(400, 3), QPoint(400, 121)}) {
        const QRgb c = image.pixel(p * scale);
        QVERIFY2(near(c, orange, 4), qPrintable(QStringLiteral("(%1, %2) %3").arg(p.x()).arg(p.y()).arg(hex(c))));
    }
}

void TestAssets::unitWordsFillTheirBoxes_data()
{
    QTest::addColumn<int>("scale");
    QTest::newRow("1x") << 1;
    QTest::newRow("2x") << 2;
}

void TestAssets::unitWordsFillTheirBoxes()
{
    QFETCH(int, scale);
    const QImage image(assetsDir.filePath(scale == 1 ? "background.bmp" : "background@2x.bmp"));
    const QList<QRect> boxes{QRect(QPoint(72, 17), QPoint(192, 62)), QRect(QPoint(262, 17), QPoint(345, 62)),
                             QRect(QPoint(415, 17), QPoint(516, 62)), QRect(QPoint(587, 17), QPoint(647, 62)),
                             QRect(QPoint(717, 17), QPoint(777, 62))};
    auto boxOf = [&](QPoint device) {
        const QPoint logical(device.x() / scale, device.y() / scale);
        for (int i = 0; i < boxes.size(); ++i) {
            if (boxes[i].contains(logical))
                return i;
        }
        return -1;
    };

    // Inside the frame the gradient keeps red at full strength, so any pixel
    // with less red is glyph ink or its antialiased edge.
    QList<QRect> inkBounds(boxes.size());
    QList<int> inkCount(boxes.size());
    for (int y = 3 * scale; y < image.height() - 3 * scale; ++y) {
        for (int x = 3 * scale; x < image.width() - 3 * scale; ++x) {
            const QRgb c = image.pixel(x, y);
            if (qRed(c) == 0xff)
                continue;
            const int box = boxOf({x, y});
            QVERIFY2(box >= 0, qPrintable(QStringLiteral("mark outside the word boxes at (%1, %2)").arg(x).arg(y)));
            if (ink(c)) {
                inkBounds[box] |= QRect(x / scale, y / scale, 1, 1);
                ++inkCount[box];
            }
        }
    }
    // The words are big: each spans its box's width, they share one size
    // whose tallest letters reach the top row, and the descender of the y in
    // "Days" reaches the bottom row.
    int top = INT_MAX;
    for (int i = 0; i < boxes.size(); ++i) {
        top = qMin(top, inkBounds[i].top());
        const QString which = QStringLiteral("word %1: ink %2,%3 %4x%5").arg(i).arg(inkBounds[i].x())
                                  .arg(inkBounds[i].y()).arg(inkBounds[i].width()).arg(inkBounds[i].height());
        QVERIFY2(inkBounds[i].left() <= boxes[i].left() + 1, qPrintable(which));
        QVERIFY2(inkBounds[i].right() >= boxes[i].right() - 1, qPrintable(which));
        QVERIFY2(inkBounds[i].top() <= boxes[i].top() + 4, qPrintable(which));
        QVERIFY2(inkBounds[i].height() >= 30, qPrintable(which));
        QVERIFY2(inkCount[i] > boxes[i].width() * boxes[i].height() * scale * scale / 5, qPrintable(which));
    }
    QCOMPARE(top, 17);
    QCOMPARE(inkBounds[1].bottom(), 62);
}

void TestAssets::buttonTiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("glyphBox");
    QTest::addColumn<QList<QPoint>>("solid"); // pixels that must be glyph ink
    QTest::addColumn<QList<QPoint>>("clear"); // pixels in the box that must not be
    for (int scale : {1, 2}) {
        const QString suffix = scale == 1 ? QString() : QStringLiteral("@2x");
        QTest::newRow(qPrintable("minimize" + suffix))
            << "minimize" + suffix << QRect(QPoint(10, 24), QPoint(29, 28))
            << QList<QPoint>{{10, 24}, {29, 28}, {20, 26}} << QList<QPoint>{};
        QTest::newRow(qPrintable("more" + suffix))
            << "more" + suffix << QRect(QPoint(10, 24), QPoint(29, 28))
            << QList<QPoint>{{10, 24}, {12, 26}, {19, 26}, {27, 28}, {29, 24}}
            << QList<QPoint>{{15, 26}, {16, 26}, {23, 26}, {24, 26}};
        QTest::newRow(qPrintable("close" + suffix))
            << "close" + suffix << QRect(QPoint(11, 11), QPoint(28, 28))
            << QList<QPoint>{{11, 11}, {28, 28}, {28, 11}, {11, 28}, {19, 19}, {20, 20}}
            << QList<QPoint>{{19, 12}, {12, 19}, {27, 19}, {19, 27}};
    }
}

void TestAssets::buttonTiles()
{
    QFETCH(QString, name);
    QFETCH(QRect, glyphBox);
    QFETCH(QList<QPoint>, solid);
    QFETCH(QList<QPoint>, clear);
    const QImage image(assetsDir.filePath(name + ".bmp"));
    const int scale = image.width() / 40;
    QCOMPARE(image.size(), QSize(40, 40) * scale);
    checkFrame(image, scale);

    // Light orange tile, a little lighter at the top and darker at the bottom.
    const QRgb middle = image.pixel(5 * scale, 20 * scale);
    QVERIFY2(near(middle, 0xffcb76, 8), qPrintable(hex(middle)));
    QVERIFY(qGreen(image.pixel(5 * scale, 4 * scale)) > qGreen(middle));
    QVERIFY(qGreen(image.pixel(5 * scale, 35 * scale)) < qGreen(middle));

    // The glyph is black and lies wholly inside its box.
    const QRect deviceBox(glyphBox.topLeft() * scale, glyphBox.size() * scale);
    for (int y = 3 * scale; y < 37 * scale; ++y) {
        for (int x = 3 * scale; x < 37 * scale; ++x) {
            if (!deviceBox.contains(x, y))
                QVERIFY2(qRed(image.pixel(x, y)) > 0xe0, qPrintable(QStringLiteral("mark at (%1, %2)").arg(x).arg(y)));
        }
    }
    for (const QPoint &p : solid) {
        for (const QPoint &d : {QPoint(0, 0), QPoint(scale - 1, scale - 1)}) {
            const QRgb c = image.pixel(p * scale + d);
            QVERIFY2(c == qRgb(0, 0, 0), qPrintable(QStringLiteral("(%1, %2) %3").arg(p.x()).arg(p.y()).arg(hex(c))));
        }
    }
    for (const QPoint &p : clear)
        QVERIFY2(!ink(image.pixel(p * scale)), qPrintable(QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y())));
}

void TestAssets::pixmapSizes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QSize>("logical");
    QTest::addColumn<qreal>("pictureRatio");
    for (qreal ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
        const qreal pictureRatio = ratio >= 1.5 ? 2.0 : 1.0;
        const QByteArray tag = QByteArray::number(ratio);
        QTest::newRow("background " + tag) << "background" << ratio << QSize(800, 125) << pictureRatio;
        for (const char *button : {"minimize", "more", "close"})
            QTest::newRow(button + (" " + tag)) << button << ratio << QSize(40, 40) << pictureRatio;
    }
    QTest::newRow("unknown name") << "hand" << 1.0 << QSize() << 1.0;
}

void TestAssets::pixmapSizes()
{
    QFETCH(QString, name);
    QFETCH(qreal, ratio);
    QFETCH(QSize, logical);
    QFETCH(qreal, pictureRatio);
    const QPixmap pixmap = Assets::pixmap(name, ratio);
    if (!logical.isValid()) {
        QVERIFY(pixmap.isNull());
        return;
    }
    QVERIFY(!pixmap.isNull());
    QCOMPARE(pixmap.devicePixelRatio(), pictureRatio);
    QCOMPARE(pixmap.deviceIndependentSize().toSize(), logical);
    QCOMPARE(pixmap.size(), logical * pictureRatio);
}

void TestAssets::handCursor()
{
    const QCursor cursor = Assets::handCursor();
    QCOMPARE(cursor.shape(), Qt::BitmapCursor);
    QCOMPARE(cursor.hotSpot(), QPoint(5, 1));
    const QImage image = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), QSize(32, 32));
    QCOMPARE(image.pixel(5, 1), qRgb(0, 0, 0));   // outline at the finger tip
    QCOMPARE(image.pixel(5, 3), qRgb(255, 255, 255)); // white finger
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(31, 31)), 0);
}

void TestAssets::clockIcon()
{
    const QIcon icon = Assets::clockIcon();
    QVERIFY(!icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (const QSize &size : {QSize(16, 16), QSize(32, 32), QSize(128, 128)})
        QVERIFY2(sizes.contains(size), qPrintable(QStringLiteral("%1 px").arg(size.width())));
    const QImage small = icon.pixmap(QSize(16, 16)).toImage();
    QCOMPARE(small.size(), QSize(16, 16));
    QCOMPARE(qAlpha(small.pixel(0, 0)), 0);
    QVERIFY(qAlpha(small.pixel(8, 8)) > 0);
}

void TestAssets::setUpRegistersFaces()
{
    struct Expected { QFont font; QStringList families; qreal points; int weight; };
    const QList<Expected> fonts{
        {Assets::numberFont(), {"Haettenschweiler", "Noto Sans ExtraCondensed Black"}, 42, QFont::Medium},
        {Assets::totalsFont(), {"Arial Black", "Noto Sans Black"}, 9.75, QFont::Normal}};

    Assets::setUp();
    QCoreApplication::processEvents();

    const QStringList installed = QFontDatabase::families();
    for (const Expected &e : fonts) {
        QCOMPARE(e.font.families(), e.families);
        QCOMPARE(e.font.pointSizeF(), e.points);
        QCOMPARE(e.font.weight(), e.weight);
        // The face is really there, not a substitute: the named one when
        // installed, else the bundled one.
        const QFontInfo info(e.font);
        const QString expected = installed.contains(e.families[0], Qt::CaseInsensitive) ? e.families[0]
                                                                                        : e.families[1];
        QVERIFY2(info.family().compare(expected, Qt::CaseInsensitive) == 0, qPrintable(info.family()));
    }
}

TALORAN_TEST_MAIN(TestAssets)
#include "test_assets.moc"
