#include "ImageFiles.h"

#include <algorithm>
#include <array>
#include <map>

namespace ImageFiles {
namespace {

void put16(QByteArray &out, quint16 v)
{
    out.append(char(v & 0xff));
    out.append(char(v >> 8));
}

void put32(QByteArray &out, quint32 v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((v >> shift) & 0xff));
}

void put32be(QByteArray &out, quint32 v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char((v >> shift) & 0xff));
}

int stride(int width, int bitCount)
{
    return (width * bitCount + 31) / 32 * 4;
}

// BITMAPINFOHEADER; icon and cursor images declare twice their height (XOR + AND).
void putInfoHeader(QByteArray &out, int width, int height, int bitCount, quint32 imageSize,
                   int pixelsPerMetre)
{
    put32(out, 40);
    put32(out, quint32(width));
    put32(out, quint32(height));
    put16(out, 1);
    put16(out, quint16(bitCount));
    put32(out, 0); // BI_RGB
    put32(out, imageSize);
    put32(out, quint32(pixelsPerMetre));
    put32(out, quint32(pixelsPerMetre));
    put32(out, 0);
    put32(out, 0);
}

QByteArray andMask(int width, int height, const QList<bool> &transparent)
{
    const int rowBytes = stride(width, 1);
    QByteArray out(rowBytes * height, '\0');
    for (int y = 0; y < height; ++y) {
        char *row = out.data() + (height - 1 - y) * rowBytes;
        for (int x = 0; x < width; ++x) {
            if (transparent[y * width + x])
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
    }
    return out;
}

quint32 crc32(const QByteArray &bytes)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    quint32 c = 0xffffffffu;
    for (char b : bytes)
        c = table[(c ^ quint8(b)) & 0xff] ^ (c >> 8);
    return c ^ 0xffffffffu;
}

void putChunk(QByteArray &out, const char *type, const QByteArray &data)
{
    put32be(out, quint32(data.size()));
    const QByteArray typed = QByteArray(type, 4) + data;
    out.append(typed);
    put32be(out, crc32(typed));
}

int channel(QRgb c, int k)
{
    return k == 0 ? qRed(c) : k == 1 ? qGreen(c) : qBlue(c);
}

} // namespace

QByteArray bmp24(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();
    const int rowBytes = stride(w, 24);
    const quint32 imageSize = quint32(rowBytes * h);

    QByteArray out;
    out.reserve(54 + int(imageSize));
    out.append("BM");
    put32(out, 54 + imageSize);
    put32(out, 0);
    put32(out, 54);
    putInfoHeader(out, w, h, 24, imageSize, 3780); // 96 dpi
    for (int y = h - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < w; ++x) {
            row[3 * x] = char(qBlue(line[x]));
            row[3 * x + 1] = char(qGreen(line[x]));
            row[3 * x + 2] = char(qRed(line[x]));
        }
        out.append(row);
    }
    return out;
}

IconImage paletteIconImage(const QList<QRgb> &palette, int bitCount, int width, int height,
                           const QList<quint8> &indexes, const QList<bool> &transparent)
{
    const int entries = 1 << bitCount;
    const int rowBytes = stride(width, bitCount);
    const int perByte = 8 / bitCount;
    QByteArray bits(rowBytes * height, '\0');
    for (int y = 0; y < height; ++y) {
        char *row = bits.data() + (height - 1 - y) * rowBytes;
        for (int x = 0; x < width; ++x) {
            const int shift = 8 - bitCount * (x % perByte + 1);
            row[x / perByte] = char(row[x / perByte] | (indexes[y * width + x] << shift));
        }
    }
    const QByteArray mask = andMask(width, height, transparent);

    IconImage image{width, height, bitCount, {}};
    putInfoHeader(image.data, width, 2 * height, bitCount, quint32(bits.size() + mask.size()), 0);
    for (int i = 0; i < entries; ++i) {
        const QRgb c = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
        image.data.append(char(qBlue(c)));
        image.data.append(char(qGreen(c)));
        image.data.append(char(qRed(c)));
        image.data.append('\0');
    }
    image.data.append(bits);
    image.data.append(mask);
    return image;
}

IconImage argbIconImage(const QImage &source)
{
    const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
    const int w = argb.width();
    const int h = argb.height();
    QByteArray bits;
    QList<bool> transparent(w * h);
    for (int y = h - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < w; ++x)
            put32(bits, line[x]); // little-endian ARGB is B, G, R, A
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            transparent[y * w + x] = qAlpha(argb.pixel(x, y)) == 0;
    }
    const QByteArray mask = andMask(w, h, transparent);

    IconImage image{w, h, 32, {}};
    putInfoHeader(image.data, w, 2 * h, 32, quint32(bits.size() + mask.size()), 0);
    image.data.append(bits);
    image.data.append(mask);
    return image;
}

static QByteArray iconFile(quint16 type, const QList<IconImage> &images, int hotX, int hotY)
{
    QByteArray out;
    put16(out, 0);
    put16(out, type);
    put16(out, quint16(images.size()));
    quint32 offset = quint32(6 + 16 * images.size());
    for (const IconImage &image : images) {
        out.append(char(image.width >= 256 ? 0 : image.width));
        out.append(char(image.height >= 256 ? 0 : image.height));
        out.append(char(image.bitCount < 8 ? 1 << image.bitCount : 0));
        out.append('\0');
        if (type == 2) { // cursor: the hot spot takes the planes and bit count fields
            put16(out, quint16(hotX));
            put16(out, quint16(hotY));
        } else {
            put16(out, 1);
            put16(out, quint16(image.bitCount));
        }
        put32(out, quint32(image.data.size()));
        put32(out, offset);
        offset += quint32(image.data.size());
    }
    for (const IconImage &image : images)
        out.append(image.data);
    return out;
}

QByteArray ico(const QList<IconImage> &images)
{
    return iconFile(1, images, 0, 0);
}

QByteArray cur(const IconImage &image, int hotX, int hotY)
{
    return iconFile(2, {image}, hotX, hotY);
}

QByteArray png(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGBA8888);
    const int w = image.width();
    const int h = image.height();

    QByteArray raw;
    raw.reserve(h * (1 + 4 * w));
    for (int y = 0; y < h; ++y) {
        raw.append('\0'); // filter: none
        raw.append(reinterpret_cast<const char *>(image.constScanLine(y)), 4 * w);
    }

    QByteArray header;
    put32be(header, quint32(w));
    put32be(header, quint32(h));
    header.append(char(8)); // bits per channel
    header.append(char(6)); // RGBA
    header.append(char(0));
    header.append(char(0));
    header.append(char(0));

    QByteArray out("\x89PNG\r\n\x1a\n", 8);
    putChunk(out, "IHDR", header);
    putChunk(out, "IDAT", qCompress(raw, 9).mid(4)); // drop Qt's length prefix: a zlib stream
    putChunk(out, "IEND", {});
    return out;
}

QList<QRgb> medianCutPalette(const QImage &source, int maxColours)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (qAlpha(c) >= 128)
                ++counts[c | 0xff000000u];
        }
    }

    struct Entry { QRgb colour; int count; };
    QList<QList<Entry>> boxes(1);
    for (const auto &[colour, count] : counts)
        boxes[0].append({colour, count});

    auto widest = [](const QList<Entry> &box, int *range) {
        int best = 0;
        *range = -1;
        for (int k = 0; k < 3; ++k) {
            int lo = 255, hi = 0;
            for (const Entry &e : box) {
                lo = std::min(lo, channel(e.colour, k));
                hi = std::max(hi, channel(e.colour, k));
            }
            if (hi - lo > *range) {
                *range = hi - lo;
                best = k;
            }
        }
        return best;
    };

    while (boxes.size() < maxColours) {
        int pick = -1, pickRange = 0;
        for (int i = 0; i < boxes.size(); ++i) {
            int range = 0;
            widest(boxes[i], &range);
            if (boxes[i].size() > 1 && range > pickRange) {
                pick = i;
                pickRange = range;
            }
        }
        if (pick < 0)
            break;
        QList<Entry> box = boxes[pick];
        int range = 0;
        const int k = widest(box, &range);
        std::stable_sort(box.begin(), box.end(), [k](const Entry &a, const Entry &b) {
            return channel(a.colour, k) < channel(b.colour, k);
        });
        int total = 0;
        for (const Entry &e : box)
            total += e.count;
        int split = 1, running = 0;
        for (int i = 0; i < box.size() - 1; ++i) {
            running += box[i].count;
            split = i + 1;
            if (2 * running >= total)
                break;
        }
        boxes[pick] = box.mid(0, split);
        boxes.append(box.mid(split));
    }

    QList<QRgb> palette;
    for (const QList<Entry> &box : boxes) {
        if (box.isEmpty())
            continue;
        qint64 r = 0, g = 0, b = 0, n = 0;
        for (const Entry &e : box) {
            r += qint64(qRed(e.colour)) * e.count;
            g += qint64(qGreen(e.colour)) * e.count;
            b += qint64(qBlue(e.colour)) * e.count;
            n += e.count;
        }
        palette.append(qRgb(int((r + n / 2) / n), int((g + n / 2) / n), int((b + n / 2) / n)));
    }
    return palette;
}

int nearestIndex(const QList<QRgb> &palette, QRgb colour)
{
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < palette.size(); ++i) {
        const int dr = qRed(palette[i]) - qRed(colour);
        const int dg = qGreen(palette[i]) - qGreen(colour);
        const int db = qBlue(palette[i]) - qBlue(colour);
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

} // namespace ImageFiles
