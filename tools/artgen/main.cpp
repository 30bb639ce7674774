// artgen: draws the program's pictures and writes them into a folder.
//   artgen [--font FILE] OUTPUT_FOLDER
// The output is committed in assets/; a unit test checks that this program
// still produces exactly those files.

#include "Artwork.h"
#include "ImageFiles.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QTextStream>

namespace {

const QString defaultFontFile =
    QStringLiteral("/usr/share/fonts/truetype/noto/NotoSans-ExtraCondensedBlack.ttf");
const QString wordFamily = QStringLiteral("Noto Sans ExtraCondensed Black");

bool write(const QDir &folder, const QString &name, const QByteArray &bytes)
{
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        QTextStream(stderr) << "artgen: cannot write " << file.fileName() << '\n';
        return false;
    }
    return true;
}

QByteArray clockIcon()
{
    QList<ImageFiles::IconImage> images;
    for (int size : {16, 32}) {
        // 256 colours: index 0 is black, used by the transparent pixels too.
        const QImage image = Artwork::clock(size).convertToFormat(QImage::Format_ARGB32);
        QList<QRgb> palette = ImageFiles::medianCutPalette(image, 255);
        palette.prepend(qRgb(0, 0, 0));
        QList<quint8> indexes;
        QList<bool> transparent;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QRgb c = image.pixel(x, y);
                const bool clear = qAlpha(c) < 128;
                transparent.append(clear);
                indexes.append(clear ? 0 : quint8(ImageFiles::nearestIndex(palette, c)));
            }
        }
        images.append(ImageFiles::paletteIconImage(palette, 8, size, size, indexes, transparent));
    }
    images.append(ImageFiles::argbIconImage(Artwork::clock(32)));
    return ImageFiles::ico(images);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QStringList args = app.arguments().mid(1);
    QString fontFile = defaultFontFile;
    if (args.size() == 3 && args[0] == QLatin1String("--font")) {
        fontFile = args[1];
        args = args.mid(2);
    }
    if (args.size() != 1) {
        QTextStream(stderr) << "usage: artgen [--font FILE] OUTPUT_FOLDER\n";
        return 2;
    }
    const QDir out(args[0]);
    if (!QDir().mkpath(out.path())) {
        QTextStream(stderr) << "artgen: cannot create " << out.path() << '\n';
        return 1;
    }

    const int fontId = QFontDatabase::addApplicationFont(fontFile);
    if (fontId < 0 || !QFontDatabase::applicationFontFamilies(fontId).contains(wordFamily)) {
        QTextStream(stderr) << "artgen: cannot load " << wordFamily << " from " << fontFile
                            << " (Debian package fonts-noto-extra)\n";
        return 1;
    }
    const QFont wordFont(wordFamily);

    bool ok = true;
    for (int scale : {1, 2}) {
        const QString suffix = scale == 1 ? QString() : QStringLiteral("@2x");
        ok &= write(out, "background" + suffix + ".bmp",
                    ImageFiles::bmp24(Artwork::background(wordFont, scale)));
        ok &= write(out, "minimize" + suffix + ".bmp",
                    ImageFiles::bmp24(Artwork::button(Artwork::Glyph::Minimize, scale)));
        ok &= write(out, "more" + suffix + ".bmp",
                    ImageFiles::bmp24(Artwork::button(Artwork::Glyph::More, scale)));
        ok &= write(out, "close" + suffix + ".bmp",
                    ImageFiles::bmp24(Artwork::button(Artwork::Glyph::Close, scale)));
    }

    const Artwork::HandCursor hand = Artwork::handCursor();
    ok &= write(out, "hand.cur",
                ImageFiles::cur(ImageFiles::paletteIconImage(Artwork::handPalette(), 4, 32, 32,
                                                             hand.indexes, hand.transparent),
                                Artwork::handHotX, Artwork::handHotY));
    ok &= write(out, "clock.ico", clockIcon());

    // Launcher icons: the 256-pixel one is the main one.
    ok &= write(out, "taloran.png", ImageFiles::png(Artwork::clock(256)));
    for (int size : {16, 32, 48, 64, 128})
        ok &= write(out, QStringLiteral("taloran-%1.png").arg(size),
                    ImageFiles::png(Artwork::clock(size)));
    return ok ? 0 : 1;
}
