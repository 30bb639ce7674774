#pragma once

#include <QFont>
#include <QImage>
#include <QList>
#include <QRgb>

// The program's pictures, drawn from code. A scale of 2 draws the same picture
// for a device pixel ratio of 2 (twice the pixels in each direction).
namespace Artwork {

// 800 × 125 background: gradient, blue frame and the five unit words set in wordFont.
QImage background(const QFont &wordFont, int scale);

enum class Glyph { Minimize, More, Close };

// 40 × 40 button tile carrying one glyph.
QImage button(Glyph glyph, int scale);

// The round wall clock at size × size, transparent around the rim.
QImage clock(int size);

// The pointing hand: 32 × 32 indexes into handPalette(), with its transparency mask.
struct HandCursor
{
    QList<quint8> indexes;
    QList<bool> transparent;
};
HandCursor handCursor();
QList<QRgb> handPalette();
constexpr int handHotX = 5;
constexpr int handHotY = 1;

} // namespace Artwork
