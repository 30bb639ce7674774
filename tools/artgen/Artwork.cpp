#include "Artwork.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>

namespace Artwork {
namespace {

struct Colour
{
    double r, g, b;
};

constexpr Colour yellow{0xff, 0xcc, 0x00};
constexpr Colour orange{0xff, 0x99, 0x33};
constexpr Colour tileTop{0xff, 0xdd, 0xa4};
constexpr Colour tileMiddle{0xff, 0xcb, 0x76};
constexpr Colour tileBottom{0xf6, 0xb6, 0x58};

// The frame, outside in: light blue, blue, dark blue.
constexpr std::array<QRgb, 3> frameColours{0xff7fa9ff, 0xff0054ff, 0xff0033a8};

Colour mix(Colour a, Colour b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Ordered (4 × 4 Bayer) dithering hides the steps of a gentle gradient and is
// the same on every run.
QRgb dithered(Colour c, int x, int y)
{
    static constexpr int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const double offset = (bayer[y % 4][x % 4] + 0.5) / 16.0;
    auto channel = [offset](double v) { return std::clamp(int(std::floor(v + offset)), 0, 255); };
    return qRgb(channel(c.r), channel(c.g), channel(c.b));
}

double smoothstep(double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Rings of the frame, each one logical pixel (scale device pixels) wide.
void drawFrame(QImage &image, int scale)
{
    const int w = image.width();
    const int h = image.height();
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int ring = std::min({x, y, w - 1 - x, h - 1 - y}) / scale;
            if (ring < int(frameColours.size()))
                line[x] = frameColours[ring];
        }
    }
}

struct Word
{
    const char *text;
    int left, right; // pixel columns, inclusive
};

constexpr int wordTop = 17;    // first pixel row a word may use
constexpr int wordBottom = 62; // last pixel row a word may use
constexpr std::array<Word, 5> words{{{"Weeks", 72, 192},
                                     {"Days", 262, 345},
                                     {"Hours", 415, 516},
                                     {"Min", 587, 647},
                                     {"Sec", 717, 777}}};

// Outlines are taken at a large unhinted size and scaled down, so the shapes do
// not depend on the rasteriser's hinting or glyph cache.
QList<QPainterPath> wordPaths(const QFont &wordFont)
{
    QFont font(wordFont);
    font.setPixelSize(1000);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoFontMerging);

    QList<QPainterPath> paths;
    double top = 0, bottom = 0;
    for (const Word &word : words) {
        QPainterPath path;
        path.addText(0, 0, font, QString::fromLatin1(word.text));
        top = std::min(top, path.boundingRect().top());
        bottom = std::max(bottom, path.boundingRect().bottom());
        paths.append(path);
    }

    // One size and one baseline for all words: the tallest glyph reaches the
    // top row, the deepest descender the bottom row. A quarter pixel is kept
    // free at each side so that antialiasing stays inside the box. Each word
    // is then stretched a little sideways to fill its own box.
    constexpr double margin = 0.25;
    const double scaleY = (wordBottom + 1 - wordTop - 2 * margin) / (bottom - top);
    const double baseline = wordTop + margin - top * scaleY;
    for (int i = 0; i < paths.size(); ++i) {
        const QRectF bounds = paths[i].boundingRect();
        const double width = words[i].right + 1 - words[i].left - 2 * margin;
        const double scaleX = width / bounds.width();
        QTransform placement;
        placement.translate(words[i].left + margin - bounds.left() * scaleX, baseline);
        placement.scale(scaleX, scaleY);
        paths[i] = placement.map(paths[i]);
    }
    return paths;
}

} // namespace

QImage background(const QFont &wordFont, int scale)
{
    const int w = 800 * scale;
    const int h = 125 * scale;
    QImage image(w, h, QImage::Format_RGB32);

    // Elliptical gradient: yellow in the middle, orange on the ellipse that
    // touches the four edges and everywhere outside it (the corners).
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const double dy = ((y + 0.5) / scale - 62.5) / 62.5;
        for (int x = 0; x < w; ++x) {
            const double dx = ((x + 0.5) / scale - 400.0) / 400.0;
            const double t = smoothstep(std::sqrt(dx * dx + dy * dy));
            line[x] = dithered(mix(yellow, orange, t), x, y);
        }
    }
    drawFrame(image, scale);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    for (const QPainterPath &path : wordPaths(wordFont))
        painter.fillPath(path, Qt::black);
    return image;
}

QImage button(Glyph glyph, int scale)
{
    const int size = 40 * scale;
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const double t = ((y + 0.5) / scale - 3.0) / 34.0;
        const Colour c = t < 0.5 ? mix(tileTop, tileMiddle, smoothstep(2 * t))
                                 : mix(tileMiddle, tileBottom, smoothstep(2 * t - 1));
        for (int x = 0; x < size; ++x)
            line[x] = dithered(c, x, y);
    }
    drawFrame(image, scale);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    switch (glyph) {
    case Glyph::Minimize:
        painter.drawRect(QRect(10, 24, 20, 5));
        break;
    case Glyph::More:
        // Three dots of equal size and spacing, centred like the bar.
        for (int left : {10, 18, 26})
            painter.drawRect(QRect(left, 24, 4, 5));
        break;
    case Glyph::Close: {
        // Two bars corner to corner, cut square at the box so nothing leaks out.
        const QRectF box(11, 11, 18, 18);
        painter.setClipRect(box);
        const double half = 2.4; // half the bar width
        QPainterPath cross;
        cross.setFillRule(Qt::WindingFill);
        const QPointF a = box.topLeft(), b = box.bottomRight();
        const QPointF c = box.topRight(), d = box.bottomLeft();
        const double k = half / std::sqrt(2.0);
        const double e = 4; // reach past the box so the clip gives square ends
        cross.addPolygon(QPolygonF{{a.x() - e + k, a.y() - e - k}, {b.x() + e + k, b.y() + e - k},
                                   {b.x() + e - k, b.y() + e + k}, {a.x() - e - k, a.y() - e + k}});
        cross.addPolygon(QPolygonF{{c.x() + e - k, c.y() - e - k}, {c.x() + e + k, c.y() - e + k},
                                   {d.x() - e + k, d.y() + e + k}, {d.x() - e - k, d.y() + e - k}});
        painter.drawPath(cross);
        break;
    }
    }
    return image;
}

QImage clock(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);
    painter.translate(128, 128);

    const bool small = size <= 24;
    const double rim = 124;
    const double dial = small ? 96 : 104;

    // Grey rim, lit from the top left.
    QLinearGradient rimShade(-rim, -rim, rim, rim);
    rimShade.setColorAt(0, QColor(0xd4, 0xd4, 0xd4));
    rimShade.setColorAt(1, QColor(0x6a, 0x6a, 0x6a));
    painter.setPen(Qt::NoPen);
    painter.setBrush(rimShade);
    painter.drawEllipse(QPointF(0, 0), rim, rim);

    // Light blue dial, a little brighter in the middle.
    QRadialGradient dialShade(QPointF(-20, -30), dial * 1.3);
    dialShade.setColorAt(0, QColor(0xee, 0xf8, 0xff));
    dialShade.setColorAt(1, QColor(0x9c, 0xcf, 0xf4));
    painter.setBrush(dialShade);
    painter.setPen(QPen(QColor(0x55, 0x55, 0x55), small ? 8 : 4));
    painter.drawEllipse(QPointF(0, 0), dial, dial);

    // Orange hour marks; the quarters are longer. Small sizes keep the quarters only.
    const QColor markColour(0xff, 0x80, 0x00);
    for (int hour = 0; hour < 12; ++hour) {
        const bool quarter = hour % 3 == 0;
        if (small && !quarter)
            continue;
        painter.save();
        painter.rotate(hour * 30);
        painter.setPen(QPen(markColour, small ? 22 : quarter ? 14 : 9, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(0, -(dial - 6)), QPointF(0, -(dial - (small ? 34 : quarter ? 30 : 22))));
        painter.restore();
    }

    // Black hands at ten past ten.
    auto hand = [&painter](double angle, double length, double width) {
        painter.save();
        painter.rotate(angle);
        painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(0, 12), QPointF(0, -length));
        painter.restore();
    };
    hand(-55, small ? 50 : 56, small ? 20 : 14); // hour
    hand(60, small ? 80 : 84, small ? 14 : 9);   // minute
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPointF(0, 0), small ? 14 : 11, small ? 14 : 11);
    return image;
}

QList<QRgb> handPalette()
{
    // The standard 16-colour palette.
    return {0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080,
            0xff008080, 0xffc0c0c0, 0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00,
            0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff};
}

HandCursor handCursor()
{
    // '.' transparent, '#' black outline, 'o' white, '+' light grey shade.
    static const char *const rows[32] = {
        "................................",
        ".....##.........................",
        "....#oo#........................",
        "....#oo#........................",
        "....#oo#........................",
        "....#oo#........................",
        "....#oo###......................",
        "....#oo#oo###...................",
        "....#oo#oo#oo###................",
        "....#oo#oo#oo#oo#...............",
        ".##.#oo#oo#oo#oo#...............",
        "#oo##oooooooooo+#...............",
        "#ooo#ooooooooooo#...............",
        ".#oo#ooooooooooo#...............",
        ".#ooooooooooooo+#...............",
        "..#oooooooooooo+#...............",
        "..#oooooooooooo+#...............",
        "...#ooooooooooo+#...............",
        "...#oooooooooo+#................",
        "....#ooooooooo+#................",
        "....#ooooooooo+#................",
        ".....#oooooooo#.................",
        ".....#oooooooo#.................",
        ".....##########.................",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
    };
    HandCursor cursor;
    for (const char *row : rows) {
        for (int x = 0; x < 32; ++x) {
            const char c = row[x];
            cursor.transparent.append(c == '.');
            cursor.indexes.append(c == 'o' ? 15 : c == '+' ? 7 : 0);
        }
    }
    return cursor;
}

} // namespace Artwork
