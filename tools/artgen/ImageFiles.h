#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

// Writers for the picture formats the program ships. Each writes a fixed,
// fully specified byte layout so that the same pixels always give the same file.
namespace ImageFiles {

// A 24-bit, bottom-up BMP with a BITMAPINFOHEADER; alpha is ignored.
QByteArray bmp24(const QImage &image);

// One image of a Windows cursor or icon, as it is stored in the file.
struct IconImage
{
    int width = 0;
    int height = 0;
    int bitCount = 0;       // 4, 8 or 32
    QByteArray data;        // BITMAPINFOHEADER, palette, XOR bits, AND mask
};

// A palette image (4 or 8 bits per pixel) with a 1-bit AND mask. Pixels whose
// mask bit is set are transparent; their colour index must be black.
IconImage paletteIconImage(const QList<QRgb> &palette, int bitCount, int width, int height,
                           const QList<quint8> &indexes, const QList<bool> &transparent);

// A 32-bit BGRA image with alpha, plus the AND mask older readers expect.
IconImage argbIconImage(const QImage &image);

// An .ico file holding the images in the given order.
QByteArray ico(const QList<IconImage> &images);

// A .cur file holding one image with its hot spot.
QByteArray cur(const IconImage &image, int hotX, int hotY);

// An 8-bit RGBA PNG (filter "none", zlib level 9).
QByteArray png(const QImage &image);

// A palette of at most maxColours colours for the opaque pixels of an image
// (median cut, deterministic), and the index of the nearest entry for a colour.
QList<QRgb> medianCutPalette(const QImage &image, int maxColours);
int nearestIndex(const QList<QRgb> &palette, QRgb colour);

} // namespace ImageFiles
