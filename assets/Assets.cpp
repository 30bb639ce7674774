#include "Assets.h"

#include <cstring>

#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QImageReader>
#include <QtEndian>

// Q_INIT_RESOURCE must be used outside any namespace. In a static library the
// resources are only linked in when something calls it.
static void initResources()
{
    Q_INIT_RESOURCE(taloran);
}

void initTaloranAssets()
{
    static const bool done = [] {
        initResources();
        return true;
    }();
    Q_UNUSED(done);
}

namespace Assets {
namespace {

const QString numberFamily = QStringLiteral("Haettenschweiler");
const QString numberFallback = QStringLiteral("Noto Sans ExtraCondensed Black");
const QString totalsFamily = QStringLiteral("Arial Black");
const QString totalsFallback = QStringLiteral("Noto Sans Black");

void registerBundledFonts()
{
    static const bool done = [] {
        initTaloranAssets();
        QFontDatabase::addApplicationFont(QStringLiteral(":/taloran/fonts/NotoSans-ExtraCondensedBlack.ttf"));
        QFontDatabase::addApplicationFont(QStringLiteral(":/taloran/fonts/NotoSans-Black.ttf"));
        return true;
    }();
    Q_UNUSED(done);
}

QFont installedOrBundled(const QString &family, const QString &fallback, qreal points, int weight)
{
    QFont font;
    if (QFontDatabase::families().contains(family, Qt::CaseInsensitive)) {
        font.setFamily(family);
    } else {
        registerBundledFonts();
        font.setFamily(fallback);
    }
    font.setPointSizeF(points);
    font.setWeight(QFont::Weight(weight));
    return font;
}

// Little-endian fields of the file; 0 past its end.
template<typename T>
T field(const QByteArray &b, qsizetype at)
{
    T value = 0;
    if (at >= 0 && at <= b.size() - qsizetype(sizeof(T)))
        std::memcpy(&value, b.constData() + at, sizeof(T));
    return qFromLittleEndian(value);
}

quint16 u16(const QByteArray &b, qsizetype at)
{
    return field<quint16>(b, at);
}

quint32 u32(const QByteArray &b, qsizetype at)
{
    return field<quint32>(b, at);
}

// Reads the first image of a .cur file with a 1, 4 or 8-bit palette and an
// AND mask (the form our hand cursor is stored in): a null image otherwise.
QImage decodeCursor(const QByteArray &file, QPoint *hotSpot)
{
    if (file.size() < 22 || u16(file, 0) != 0 || u16(file, 2) != 2 || u16(file, 4) < 1)
        return {};
    *hotSpot = QPoint(u16(file, 10), u16(file, 12));
    const quint32 offset = u32(file, 18);
    if (offset > quint32(file.size()) || file.size() - offset < 40)
        return {};
    const QByteArray dib = file.mid(offset);
    const qint32 width = qint32(u32(dib, 4));
    const qint32 height = qint32(u32(dib, 8)) / 2;
    const int bits = u16(dib, 14);
    if (u32(dib, 0) < 40 || width <= 0 || width > 256 || height <= 0 || height > 256
        || (bits != 1 && bits != 4 && bits != 8) || u32(dib, 16) != 0)
        return {};
    const int colours = u32(dib, 32) ? int(qMin<quint32>(u32(dib, 32), 1u << bits)) : 1 << bits;
    const qsizetype paletteAt = u32(dib, 0);
    const qsizetype xorAt = paletteAt + 4 * colours;
    const qsizetype xorStride = (width * bits + 31) / 32 * 4;
    const qsizetype andAt = xorAt + xorStride * height;
    const qsizetype andStride = (width + 31) / 32 * 4;
    if (dib.size() < andAt + andStride * height)
        return {};

    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        const auto *xorRow = reinterpret_cast<const uchar *>(dib.constData() + xorAt
                                                              + (height - 1 - y) * xorStride);
        const auto *andRow = reinterpret_cast<const uchar *>(dib.constData() + andAt
                                                              + (height - 1 - y) * andStride);
        for (int x = 0; x < width; ++x) {
            const int perByte = 8 / bits;
            const int index = (xorRow[x / perByte] >> (8 - bits * (x % perByte + 1))) & ((1 << bits) - 1);
            const bool clear = andRow[x / 8] & (0x80 >> (x % 8));
            QRgb colour = 0;
            if (!clear && index < colours) {
                const qsizetype at = paletteAt + 4 * index;
                colour = qRgb(quint8(dib[at + 2]), quint8(dib[at + 1]), quint8(dib[at]));
            }
            image.setPixel(x, y, colour);
        }
    }
    return image;
}

} // namespace

QPixmap pixmap(const QString &name, qreal devicePixelRatio)
{
    static const QStringList names{QStringLiteral("background"), QStringLiteral("minimize"),
                                   QStringLiteral("more"), QStringLiteral("close")};
    if (!names.contains(name))
        return {};
    initTaloranAssets();
    const bool twice = devicePixelRatio >= 1.5;
    QPixmap picture(QStringLiteral(":/taloran/%1%2.bmp").arg(name, twice ? QStringLiteral("@2x") : QString()));
    picture.setDevicePixelRatio(twice ? 2.0 : 1.0);
    return picture;
}

QCursor handCursor()
{
    initTaloranAssets();
    QFile file(QStringLiteral(":/taloran/hand.cur"));
    QPoint hotSpot;
    const QImage image = file.open(QIODevice::ReadOnly) ? decodeCursor(file.readAll(), &hotSpot) : QImage();
    if (image.isNull())
        return QCursor(Qt::PointingHandCursor);
    return QCursor(QPixmap::fromImage(image), hotSpot.x(), hotSpot.y());
}

QIcon clockIcon()
{
    initTaloranAssets();
    QIcon icon;
    // The .ico holds the 16 and 32-pixel pictures; without Qt's ico reader the
    // PNGs of the same clock stand in for them.
    const bool icoReadable = QImageReader::supportedImageFormats().contains("ico");
    if (icoReadable)
        icon.addFile(QStringLiteral(":/taloran/clock.ico"));
    for (int size : {16, 32, 48, 64, 128}) {
        if (!icoReadable || size > 32)
            icon.addFile(QStringLiteral(":/taloran/taloran-%1.png").arg(size), QSize(size, size));
    }
    icon.addFile(QStringLiteral(":/taloran/taloran.png"), QSize(256, 256));
    return icon;
}

QFont numberFont()
{
    return installedOrBundled(numberFamily, numberFallback, 42, QFont::Medium);
}

QFont totalsFont()
{
    return installedOrBundled(totalsFamily, totalsFallback, 9.75, QFont::Normal);
}

} // namespace Assets
