#include "assets/Assets.h"

#include <cstring>
#include <utility>

#include <QCoreApplication>
#include <QEvent>
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
const QString numberFallbackFile = QStringLiteral(":/taloran/fonts/NotoSans-ExtraCondensedBlack.ttf");
const QString totalsFamily = QStringLiteral("Arial Black");
const QString totalsFallback = QStringLiteral("Noto Sans Black");
const QString totalsFallbackFile = QStringLiteral(":/taloran/fonts/NotoSans-Black.ttf");

bool facesRegistered = false;

// Both bundled faces at once: a face registered after Qt has built its list
// of the system's fonts makes it build the list again at the next text drawn.
void registerBundledFaces()
{
    if (std::exchange(facesRegistered, true))
        return;
    initTaloranAssets();
    QFontDatabase::addApplicationFont(numberFallbackFile);
    QFontDatabase::addApplicationFont(totalsFallbackFile);
}

bool firstPaintSeen = false;
bool facesWanted = false;
// Watches every event until the first paint of the program begins, then
// does what was left for it and removes itself. The bundled faces are
// registered before that paint: registering a face sets up fontconfig, and
// Qt builds its list of the system's fonts at the first text drawn, so both
// wait until the window is on the screen, and the list is built once.
class FirstPaintHook : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !firstPaintSeen) {
            firstPaintSeen = true;
            if (facesWanted)
                registerBundledFaces();
            QCoreApplication::instance()->removeEventFilter(this);
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }
};

// Leaves WANTED's work to the first paint; false when there is no first
// paint to wait for (it has passed, or there is no application), and the
// work is to be done at once.
bool leaveToFirstPaint(bool &wanted)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (firstPaintSeen || !app)
        return false;
    static bool hooked = false;
    if (!std::exchange(hooked, true))
        app->installEventFilter(new FirstPaintHook(app));
    wanted = true;
    return true;
}

// The bundled faces are registered before the first paint.
void registerBundledFacesBeforePaint()
{
    if (!facesRegistered && !leaveToFirstPaint(facesWanted))
        registerBundledFaces();
}

// A font that asks for the family and, when it is not installed, the bundled
// face: Qt chooses between them when the font is first drawn or measured.
// Nothing here reads the system's list of fonts, which takes longer than
// all the rest of start-up.
QFont installedOrBundled(const QString &family, const QString &fallback, qreal points, int weight)
{
    registerBundledFacesBeforePaint();
    QFont font;
    font.setFamilies({family, fallback});
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
    // Decoded once for all the buttons; an image, unlike a pixmap, may
    // outlive the application.
    static QPoint hotSpot;
    static const QImage image = [] {
        initTaloranAssets();
        QFile file(QStringLiteral(":/taloran/hand.cur"));
        return file.open(QIODevice::ReadOnly) ? decodeCursor(file.readAll(), &hotSpot) : QImage();
    }();
    if (image.isNull())
        return QCursor(Qt::PointingHandCursor);
    return QCursor(QPixmap::fromImage(image), hotSpot.x(), hotSpot.y());
}

QIcon clockIcon()
{
    initTaloranAssets();
    QIcon icon;
    // On Windows the .ico's own 16 and 32-pixel pictures, when Qt reads .ico
    // files; elsewhere the PNGs of the same clock, since reading the .ico
    // loads Qt's image plugins, and the icon is decoded before the first
    // window is mapped. No window shows more than 128 pixels of it (an X11
    // window cannot even carry 256), so the 256-pixel picture is not decoded.
#ifdef Q_OS_WIN
    const bool icoReadable = QImageReader::supportedImageFormats().contains("ico");
#else
    const bool icoReadable = false;
#endif
    if (icoReadable)
        icon.addFile(QStringLiteral(":/taloran/clock.ico"));
    for (int size : {16, 32, 48, 64, 128}) {
        if (!icoReadable || size > 32)
            icon.addFile(QStringLiteral(":/taloran/taloran-%1.png").arg(size), QSize(size, size));
    }
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
