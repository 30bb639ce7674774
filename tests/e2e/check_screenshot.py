#!/usr/bin/env python3
"""Checks a screen capture of the main window against the committed artwork.

Usage: check_screenshot.py ASSETS SCALE BEFORE AFTER X Y WIDTH HEIGHT

BEFORE and AFTER are captures of the whole screen taken before the widget
started and while it shows its window, whose top-left corner lies at X, Y
and whose size (from the window system) is WIDTH x HEIGHT device pixels.
SCALE is the device pixel ratio, 1 or 2. Every coordinate below is in the
window's logical pixels and is multiplied by SCALE when read.

Outside the five number labels the window must show the background and
button pictures of the matching size pixel for pixel; inside the labels,
black digits pushed to the right edge; and around the window, the screen
as it was. Prints every fault found and exits 1 if there was any.
"""

import subprocess
import sys

WIDTH, HEIGHT = 800, 125
LABELS = {  # name: (x, y, width, height)
    "lblWeeks": (8, 5, 57, 73),
    "lblDays": (197, 5, 57, 73),
    "lblHrs": (352, 5, 57, 73),
    "lblMin": (523, 5, 57, 73),
    "lblSec": (653, 5, 57, 73),
}
ONE_DIGIT = ("lblWeeks", "lblDays")  # they read 1 and 6; the others two digits
BUTTONS = {  # picture: (x, y); each 40 x 40, above the labels
    "minimize": (652, 77),
    "more": (696, 77),
    "close": (740, 77),
}
GLYPHS = {  # picture: the box its black glyph lies in, x0, y0, x1, y1 inclusive
    "minimize": (10, 24, 29, 28),
    "more": (10, 24, 29, 28),
    "close": (11, 11, 28, 28),
}
FRAME = [(0x7F, 0xA9, 0xFF), (0x00, 0x54, 0xFF)]  # outer ring, second ring
YELLOW, ORANGE, TILE = (0xFF, 0xCC, 0x00), (0xFF, 0x99, 0x33), (0xFF, 0xCB, 0x76)
EXACT = 2  # per channel: the pictures are drawn unscaled on a 24-bit screen


class Image:
    def __init__(self, path):
        ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"],
                             check=True, capture_output=True).stdout
        fields, pos = [], 0
        while len(fields) < 4:  # magic, width, height, maximum value
            while ppm[pos:pos + 1].isspace():
                pos += 1
            if ppm[pos:pos + 1] == b"#":
                pos = ppm.index(b"\n", pos)
                continue
            end = pos
            while not ppm[end:end + 1].isspace():
                end += 1
            fields.append(ppm[pos:end])
            pos = end
        if fields[0] != b"P6" or fields[3] != b"255":
            raise ValueError(f"{path}: unexpected image data {fields}")
        self.width, self.height = int(fields[1]), int(fields[2])
        self.data = ppm[pos + 1:pos + 1 + 3 * self.width * self.height]

    def px(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.data[i:i + 3])


def near(a, b, tolerance):
    return all(abs(p - q) <= tolerance for p, q in zip(a, b))


def hexc(c):
    return "%02X%02X%02X" % c


def dark(c):
    return max(c) < 0x50


class Checker:
    def __init__(self, assets, scale, before, after, x, y, w, h):
        self.s = scale
        self.faults = []
        suffix = "@2x" if scale == 2 else ""
        self.back = Image(f"{assets}/background{suffix}.bmp")
        self.tiles = {name: Image(f"{assets}/{name}{suffix}.bmp") for name in BUTTONS}
        self.plain_back = Image(f"{assets}/background.bmp")
        self.before, self.after = Image(before), Image(after)
        self.x, self.y, self.w, self.h = x, y, w, h

    def fault(self, text):
        self.faults.append(text)

    def shot(self, x, y):
        """A device pixel of the window."""
        return self.after.px(self.x + x, self.y + y)

    def expected(self, x, y):
        """What the pictures put at a device pixel of the window."""
        for name, (bx, by) in BUTTONS.items():
            tx, ty = x - bx * self.s, y - by * self.s
            if 0 <= tx < 40 * self.s and 0 <= ty < 40 * self.s:
                return self.tiles[name].px(tx, ty)
        return self.back.px(x, y)

    def in_label(self, x, y):
        """Whether a device pixel lies in a label and no button covers it."""
        if any(0 <= x - bx * self.s < 40 * self.s and 0 <= y - by * self.s < 40 * self.s
               for bx, by in BUTTONS.values()):
            return False
        return any(0 <= x - lx * self.s < lw * self.s and 0 <= y - ly * self.s < lh * self.s
                   for lx, ly, lw, lh in LABELS.values())

    def geometry(self):
        s = self.s
        if (self.w, self.h) != (WIDTH * s, HEIGHT * s):
            self.fault(f"window is {self.w} x {self.h}, expected {WIDTH * s} x {HEIGHT * s}")
        for picture, size in [(self.back, (WIDTH * s, HEIGHT * s))] + \
                [(t, (40 * s, 40 * s)) for t in self.tiles.values()]:
            if (picture.width, picture.height) != size:
                self.fault(f"artwork is {picture.width} x {picture.height}, expected {size}")
        if (self.x < 1 or self.y < 1 or self.x + self.w >= self.after.width
                or self.y + self.h >= self.after.height):
            self.fault(f"window at {self.x},{self.y} is not wholly inside the screen")
        return not self.faults

    def outside(self):
        """The ring of screen pixels just around the window is untouched."""
        ring = [(self.x - 1 + i, self.y - 1) for i in range(self.w + 2)]
        ring += [(self.x - 1 + i, self.y + self.h) for i in range(self.w + 2)]
        ring += [(self.x - 1, self.y + j) for j in range(self.h)]
        ring += [(self.x + self.w, self.y + j) for j in range(self.h)]
        changed = [(px, py) for px, py in ring if self.after.px(px, py) != self.before.px(px, py)]
        if changed:
            px, py = changed[0]
            self.fault(f"{len(changed)} screen pixels around the window changed, first at "
                       f"{px},{py}: {hexc(self.before.px(px, py))} -> {hexc(self.after.px(px, py))}")

    def frame(self):
        """The rings of the frame, each `scale` device pixels wide, in exact colours."""
        s, w, h = self.s, self.w, self.h
        dark_blue = self.plain_back.px(2, HEIGHT // 2)
        rings = FRAME + [dark_blue]
        for ring, colour in enumerate(rings):
            for d in range(ring * s, (ring + 1) * s):
                edges = {
                    "top": [(x, d) for x in range(d, w - d)],
                    "bottom": [(x, h - 1 - d) for x in range(d, w - d)],
                    "left": [(d, y) for y in range(d, h - d)],
                    "right": [(w - 1 - d, y) for y in range(d, h - d)],
                }
                for edge, points in edges.items():
                    bad = [p for p in points if not near(self.shot(*p), colour, EXACT)]
                    if bad:
                        self.fault(f"frame ring {ring + 1} ({hexc(colour)}) on the {edge} edge: "
                                   f"{len(bad)} pixels differ, e.g. {bad[0]} is {hexc(self.shot(*bad[0]))}")
        inside = self.shot(3 * s, 3 * s)
        if any(near(inside, c, 16) for c in rings):
            self.fault(f"the frame is wider than 3 pixels: {hexc(inside)} at 3,3")

    def gradient(self):
        """Yellow in the middle of the window, orange in its corners inside the frame."""
        s = self.s
        points = [("centre", (409 * s + 2, 62 * s), YELLOW, 8)]
        for name, (x, y) in {"top-left": (3, 3), "top-right": (796, 3),
                             "bottom-left": (3, 121), "bottom-right": (796, 121)}.items():
            points.append((name, (x * s, y * s), ORANGE, 12))
        for name, (x, y), colour, tolerance in points:
            got = self.shot(x, y)
            if not near(got, colour, tolerance):
                self.fault(f"{name} pixel {x},{y} is {hexc(got)}, expected near {hexc(colour)}")
            if not near(got, self.back.px(x, y), EXACT):
                self.fault(f"{name} pixel {x},{y} is {hexc(got)}, the picture has {hexc(self.back.px(x, y))}")

    def pictures(self):
        """Every pixel outside the labels is the artwork's own."""
        bad, total = [], 0
        for y in range(self.h):
            for x in range(self.w):
                if self.in_label(x, y):
                    continue
                total += 1
                if not near(self.shot(x, y), self.expected(x, y), EXACT):
                    bad.append((x, y))
        if bad:
            x, y = bad[0]
            self.fault(f"{len(bad)} of {total} pixels outside the labels differ from the artwork, "
                       f"first at {x},{y}: {hexc(self.shot(x, y))} instead of {hexc(self.expected(x, y))}")
        print(f"  {total - len(bad)} of {total} pixels outside the labels match the artwork")

    def sharp(self):
        """At twice the size the twice-size artwork is shown, not the small one enlarged."""
        if self.s != 2:
            return
        differ = same_as_small = 0
        for y in range(self.h):
            for x in range(self.w):
                if self.in_label(x, y):
                    continue
                small = self.plain_back.px(x // 2, y // 2)
                if near(small, self.back.px(x, y), 8) or self.expected(x, y) != self.back.px(x, y):
                    continue
                differ += 1
                if near(self.shot(x, y), small, EXACT):
                    same_as_small += 1
        print(f"  {differ} background pixels tell the two artworks apart; "
              f"{same_as_small} show the enlarged small one")
        if differ < 1000 or same_as_small > differ // 10:
            self.fault(f"the window does not show the twice-size artwork: of {differ} telling "
                       f"pixels {same_as_small} match the small picture enlarged")

    def buttons(self):
        """Tile colour around each glyph and black inside its box."""
        s = self.s
        for name, (bx, by) in BUTTONS.items():
            x0, y0, x1, y1 = GLYPHS[name]
            box = [(bx * s + x, by * s + y) for y in range(y0 * s, (y1 + 1) * s)
                   for x in range(x0 * s, (x1 + 1) * s)]
            black = sum(1 for p in box if self.shot(*p) == (0, 0, 0) or dark(self.shot(*p)))
            if black < len(box) // 4:
                self.fault(f"{name} button: only {black} of {len(box)} glyph box pixels are black")
            stray = [(x, y) for y in range(3 * s, 37 * s) for x in range(3 * s, 37 * s)
                     if not (x0 * s <= x < (x1 + 1) * s and y0 * s <= y < (y1 + 1) * s)
                     and dark(self.shot(bx * s + x, by * s + y))]
            if stray:
                self.fault(f"{name} button: {len(stray)} dark pixels outside the glyph box, e.g. {stray[0]}")
            for tx, ty in [(6, 6), (33, 6), (6, 33), (33, 33), (20, 6)]:
                got = self.shot((bx + tx) * s, (by + ty) * s)
                if not near(got, TILE, 48):
                    self.fault(f"{name} button: tile pixel {tx},{ty} is {hexc(got)}, not near {hexc(TILE)}")
            for ring, colour in enumerate(FRAME):
                got = self.shot(bx * s + ring * s, (by + 20) * s)
                if not near(got, colour, EXACT):
                    self.fault(f"{name} button: frame ring {ring + 1} is {hexc(got)}, expected {hexc(colour)}")
            print(f"  {name}: {black} of {len(box)} glyph box pixels black")

    def labels(self):
        """Black digits in every label, against artwork that has none there."""
        s = self.s
        widths = {}
        for name, (lx, ly, lw, lh) in LABELS.items():
            points = [(x, y) for y in range(ly * s, (ly + lh) * s) for x in range(lx * s, (lx + lw) * s)
                      if self.in_label(x, y)]
            in_artwork = sum(1 for p in points if dark(self.back.px(*p)))
            ink = [p for p in points if dark(self.shot(*p))]
            darkest = min((self.shot(*p) for p in points), key=sum)
            print(f"  {name}: {len(ink)} of {len(points)} pixels dark (artwork: {in_artwork}), "
                  f"darkest {hexc(darkest)}")
            if in_artwork:
                self.fault(f"{name}: the artwork itself has {in_artwork} dark pixels in the label box")
            if len(ink) < len(points) // 20:
                self.fault(f"{name}: only {len(ink)} of {len(points)} pixels dark, no digits drawn")
                continue
            if not near(darkest, (0, 0, 0), 16):
                self.fault(f"{name}: the digits are {hexc(darkest)}, not black")
            left = min(x for x, _ in ink) - lx * s
            right = (lx + lw) * s - 1 - max(x for x, _ in ink)
            widths[name] = lw * s - left - right
            print(f"    digits span {left}..{lw * s - 1 - right} of 0..{lw * s - 1}")
            if right > 8 * s:
                self.fault(f"{name}: digits end {right / s:.0f} pixels short of the right edge")
            if name in ONE_DIGIT and left < lw * s // 2:
                self.fault(f"{name}: a single digit reaches {left / s:.0f} pixels from the left edge")
        if len(widths) == len(LABELS):
            single = max(widths[n] for n in ONE_DIGIT)
            double = min(w for n, w in widths.items() if n not in ONE_DIGIT)
            if single * 3 > double * 2:
                self.fault(f"one digit is {single} pixels wide, two digits {double}: "
                           "the labels do not show 1, 6, 20, 46 and 21")


def main(argv):
    if len(argv) != 9:
        sys.exit(__doc__)
    assets, scale, before, after = argv[1], int(argv[2]), argv[3], argv[4]
    x, y, w, h = map(int, argv[5:9])
    checker = Checker(assets, scale, before, after, x, y, w, h)
    if checker.geometry():
        for check in (checker.outside, checker.frame, checker.gradient, checker.pictures,
                      checker.sharp, checker.buttons, checker.labels):
            check()
    for text in checker.faults:
        print(f"FAULT: {text}")
    return 1 if checker.faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
