# The card's frame and the pieces of landscape the scenes are built from. Scene
# coordinates have their origin at the centre of the field, which spans ±288 across and
# ±464 down (backgrounds run on to ±470); the frame is in the card's own 700 × 1240
# coordinates, where the scene is drawn 1.0625 times its size.
from svg import (INK, LINE, circle, group, line, n, path, poly, polar, rect, solid)

GOLD = '#e4c062'
GOLD_LIGHT = '#f6de96'
GOLD_DEEP = '#a87e2c'
SURROUND = '#0d0b14'
BAND = '#141730'
BAND_LIGHT = '#171a37'

FIELD = (44, 127, 612, 986)  # four fifths of the card's height
BG = 2.2  # the landscape's outline: lighter than the figures' so they stand in front of it
FIELD_CENTRE = (350, 620)
SCALE = 1.0625  # card pixels to a scene unit


def frame_start(card):
    """The dark rounded surround with its two gold rims; returns the field's clip."""
    card.add(rect(0, 0, 700, 1240, SURROUND, None, 0))
    bg = card.linear([(0, BAND_LIGHT), (0.5, BAND), (1, BAND_LIGHT)])
    card.add(rect(12, 12, 676, 1216, bg, None, 0, r=44))
    card.add(rect(22, 22, 656, 1196, 'none', GOLD, 5, r=32))
    card.add(rect(31, 31, 638, 1178, 'none', GOLD_DEEP, 2.4, r=24))
    x, y, w, h = FIELD
    top_y = (31 + y) / 2.0
    for cx in (x + 30, x + w - 30):
        card.add(path(poly([(cx, top_y - 11), (cx + 6.6, top_y), (cx, top_y + 11), (cx - 6.6, top_y)]),
                      GOLD, None, 0))
    d = 'M%s,%s h%s a16,16 0 0 1 16,16 v%s a16,16 0 0 1 -16,16 h%s a16,16 0 0 1 -16,-16 v%s ' \
        'a16,16 0 0 1 16,-16 Z' % (n(x + 16), n(y), n(w - 32), n(h - 32), n(-(w - 32)), n(-(h - 32)))
    return card.clip(d), d


def frame_end(card, field_d):
    card.add(path(field_d, 'none', GOLD, 3.5))


def scene(card, clip, items):
    cx, cy = FIELD_CENTRE
    inner = group(items, 'translate(%s %s) scale(%g)' % (n(cx), n(cy), SCALE))
    card.add('<g clip-path="%s">%s</g>' % (clip, inner))


# --- sky and ground ---------------------------------------------------------------------------

SKIES = {
    'day': ('#8fc6ea', '#d9eef7'),
    'gold': ('#f3c45a', '#fbe9b0'),
    'dusk': ('#3b4b8c', '#e9a87c'),
    'night': ('#0f1838', '#33407a'),
    'grey': ('#7d8594', '#c3c7cf'),
    'storm': ('#3d4250', '#7f8594'),
    'dawn': ('#6d84c4', '#f6d29a'),
    'dark': ('#12121c', '#2c2c40'),
}


def sky(card, kind='day', horizon=120):
    top, bottom = SKIES[kind]
    g = card.linear([(0, top), (1, bottom)], 0, -440, 0, horizon, 'userSpaceOnUse')
    return rect(-300, -470, 600, 940, g, None, 0)


def ground(card, y, colour='#79a85a', colour2=None, curve=0):
    g = card.linear([(0, colour), (1, colour2 or colour)], 0, y, 0, 470, 'userSpaceOnUse')
    d = 'M-300,%s Q0,%s 300,%s L300,470 L-300,470 Z' % (n(y), n(y - curve), n(y))
    return path(d, g, INK, BG)


def hills(y, colour, heights=(60, 90, 50), width=600, x0=-300):
    """A band of rounded hills whose feet lie on y."""
    k = len(heights)
    step = width / k
    d = 'M%s,%s' % (n(x0), n(y))
    for i, hgt in enumerate(heights):
        a = x0 + i * step
        d += ' Q%s,%s %s,%s' % (n(a + step / 2), n(y - 2 * hgt), n(a + step), n(y))
    d += ' L%s,470 L%s,470 Z' % (n(x0 + width), n(x0))
    return path(d, colour, INK, BG)


def mountains(y, colour, peaks, snow='#f2f4f8'):
    """Peaks given as (x, height, half width); snow caps on the taller ones."""
    out = []
    for x, hgt, hw in peaks:
        out.append(path(poly([(x - hw, y), (x, y - hgt), (x + hw, y)]), colour, INK, BG))
        if snow and hgt > 90:
            f = 0.28
            out.append(path(poly([(x - hw * f, y - hgt * (1 - f)), (x, y - hgt), (x + hw * f, y - hgt * (1 - f)),
                                  (x + hw * f * 0.3, y - hgt * (1 - f) + 10), (x - hw * f * 0.2, y - hgt * (1 - f) + 4)]),
                            snow, INK, 2))
    return ''.join(out)


def water(card, y, colour='#4f8fd0', colour2='#2f5f9e', y2=470, waves=True):
    g = card.linear([(0, colour), (1, colour2)], 0, y, 0, y2, 'userSpaceOnUse')
    out = [rect(-300, y, 600, y2 - y, g, INK, BG)]
    if waves:
        for i in range(7):
            yy = y + 18 + i * (y2 - y) / 7.0
            x = -260 + (i * 97) % 420
            out.append(path('M%s,%s q12,-7 24,0 q12,7 24,0' % (n(x), n(yy)), 'none', '#d8ecff', 2.2))
    return ''.join(out)


def wave_sea(card, y, colour='#3f78b8', colour2='#22477e', height=22):
    """A rough sea: a scalloped top edge over deep water."""
    g = card.linear([(0, colour), (1, colour2)], 0, y, 0, 470, 'userSpaceOnUse')
    d = 'M-300,%s' % n(y)
    x = -300
    while x < 300:
        d += ' q20,%s 40,0' % n(-height)
        x += 40
    d += ' L300,470 L-300,470 Z'
    out = [path(d, g, INK, BG)]
    for i in range(5):
        yy = y + 30 + i * 40
        for x in range(-270 + (i % 2) * 40, 280, 90):
            out.append(path('M%s,%s q15,-10 30,0' % (n(x), n(yy)), 'none', '#cfe3f7', 2.2))
    return ''.join(out)


def cloud(x, y, w, colour='#f4f6fa', outline=INK):
    h = w * 0.42
    pieces = [('ellipse', x, y, w * 0.5, h * 0.45),
              ('circle', x - w * 0.22, y - h * 0.25, h * 0.42),
              ('circle', x + w * 0.08, y - h * 0.42, h * 0.52),
              ('circle', x + w * 0.3, y - h * 0.12, h * 0.38)]
    return solid(pieces, colour, outline, BG)


def sun(card, x, y, r, face=False, rays=16):
    out = []
    for i in range(rays):
        a = i * 360.0 / rays
        r2 = r * (1.55 if i % 2 == 0 else 1.32)
        p1 = polar(x, y, r * 0.95, a - 7)
        p2 = polar(x, y, r2, a)
        p3 = polar(x, y, r * 0.95, a + 7)
        out.append(path(poly([p1, p2, p3]), '#f7c948', INK, 2))
    g = card.radial([(0, '#fff3b8'), (1, '#f5b731')], x, y, r)
    out.append(circle(x, y, r, g))
    if face:
        s = r / 40.0
        out.append(path('M%s,%s q%s,%s %s,0 M%s,%s q%s,%s %s,0' % (
            n(x - 18 * s), n(y - 6 * s), n(6 * s), n(-6 * s), n(12 * s),
            n(x + 6 * s), n(y - 6 * s), n(6 * s), n(-6 * s), n(12 * s)), 'none', INK, 2.2))
        out.append(path('M%s,%s q%s,%s %s,0' % (n(x - 12 * s), n(y + 12 * s), n(12 * s), n(10 * s), n(24 * s)),
                        'none', INK, 2.2))
    return ''.join(out)


def star(x, y, r, points=8, fill='#fff6c8', inner=0.42, rot=-90, width=2):
    ps = []
    for i in range(points * 2):
        rr = r if i % 2 == 0 else r * inner
        ps.append(polar(x, y, rr, rot + i * 180.0 / points))
    return path(poly(ps), fill, INK, width)


def moon(x, y, r, phase=0.55, fill='#f5efc8', face=True):
    """A crescent opening to the right; with `face` a quiet profile on its inner curve."""
    d = 'M%s,%s A%s,%s 0 1 0 %s,%s A%s,%s 0 1 1 %s,%s Z' % (
        n(x), n(y - r), n(r), n(r), n(x), n(y + r), n(r * phase + r * 0.2), n(r), n(x), n(y - r))
    out = [path(d, fill, INK, BG)]
    if face:
        out.append(path('M%s,%s l%s,%s' % (n(x - r * 0.2), n(y - r * 0.1), n(r * 0.14), n(0)), 'none', INK, 2))
    return ''.join(out)


def rain(x0, x1, y0, y1, step=34, colour='#c9d6e8'):
    out = []
    k = 0
    y = y0
    while y < y1:
        x = x0 + (k * 23) % step
        while x < x1:
            out.append(line((x, y), (x - 8, y + 26), colour, 2.4))
            x += step
        y += 48
        k += 1
    return ''.join(out)


def tree(x, y, h, crown='#4f8a45', trunk='#7a5230', r=None):
    r = r or h * 0.36
    out = [path(poly([(x - h * 0.05, y), (x - h * 0.035, y - h * 0.6), (x + h * 0.035, y - h * 0.6), (x + h * 0.05, y)]),
                trunk, INK, BG)]
    out.append(solid([('circle', x, y - h + r, r), ('circle', x - r * 0.62, y - h + r * 1.45, r * 0.72),
                      ('circle', x + r * 0.62, y - h + r * 1.45, r * 0.72)], crown, INK, BG))
    return ''.join(out)


def castle(x, y, w, h, colour='#c9c2b4', roof='#a0463c', towers=2, door=True):
    """A small castle: a wall with crenels and towers at the ends, door in the middle."""
    out = []
    tw = w * 0.22
    wall = [(x - w / 2, y), (x - w / 2, y - h * 0.6)]
    k = 5
    step = (w - 2 * tw) / k
    xx = x - w / 2 + tw
    wall = [(x - w / 2 + tw * 0.5, y), (x - w / 2 + tw * 0.5, y - h * 0.6)]
    for i in range(k):
        wall += [(xx + i * step, y - h * 0.6), (xx + i * step, y - h * 0.68), (xx + i * step + step / 2, y - h * 0.68),
                 (xx + i * step + step / 2, y - h * 0.6)]
    wall += [(x + w / 2 - tw * 0.5, y - h * 0.6), (x + w / 2 - tw * 0.5, y)]
    out.append(path(poly(wall), colour, INK, BG))
    ends = [x - w / 2 + tw / 2, x + w / 2 - tw / 2] if towers == 2 else [x]
    for tx in ends:
        out.append(rect(tx - tw / 2, y - h, tw, h, colour, INK, BG))
        out.append(path(poly([(tx - tw / 2 - 3, y - h), (tx, y - h - tw * 1.1), (tx + tw / 2 + 3, y - h)]), roof, INK, BG))
        out.append(rect(tx - tw * 0.12, y - h * 0.75, tw * 0.24, h * 0.16, '#3a3148', INK, 2, r=tw * 0.1))
    if door:
        dw = w * 0.12
        out.append(path('M%s,%s L%s,%s A%s,%s 0 0 1 %s,%s L%s,%s Z' % (
            n(x - dw / 2), n(y), n(x - dw / 2), n(y - h * 0.3), n(dw / 2), n(dw / 2), n(x + dw / 2), n(y - h * 0.3),
            n(x + dw / 2), n(y)), '#5a3d28', INK, 2))
    return ''.join(out)


def house(x, y, w, h, wall='#e6d6b4', roof='#a4473a'):
    out = [rect(x - w / 2, y - h, w, h, wall, INK, BG)]
    out.append(path(poly([(x - w / 2 - 8, y - h), (x, y - h - w * 0.45), (x + w / 2 + 8, y - h)]), roof, INK, BG))
    out.append(rect(x - w * 0.1, y - h * 0.5, w * 0.2, h * 0.5, '#6b4a30', INK, 2))
    out.append(rect(x + w * 0.2, y - h * 0.8, w * 0.16, w * 0.16, '#f3d77a', INK, 2))
    return ''.join(out)


def tower(x, y, w, h, colour='#b9b3a8', roof=None, windows=1):
    out = [rect(x - w / 2, y - h, w, h, colour, INK, BG)]
    if roof:
        out.append(path(poly([(x - w / 2 - 4, y - h), (x, y - h - w * 0.9), (x + w / 2 + 4, y - h)]), roof, INK, BG))
    else:
        cw = w / 5.0
        d = 'M%s,%s' % (n(x - w / 2), n(y - h))
        for i in range(3):
            d += ' v-%s h%s v%s h%s' % (n(cw), n(cw), n(cw), n(cw if i < 2 else 0))
        out.append(path(d, colour, INK, BG))
    for i in range(windows):
        out.append(rect(x - w * 0.12, y - h + 20 + i * 40, w * 0.24, 22, '#f3d77a', INK, 2, r=w * 0.12))
    return ''.join(out)


def bridge(x, y, w, h=26, colour='#a89c88'):
    d = 'M%s,%s L%s,%s L%s,%s L%s,%s Q%s,%s %s,%s Z' % (
        n(x - w / 2), n(y), n(x - w / 2 + 10), n(y - h), n(x + w / 2 - 10), n(y - h), n(x + w / 2), n(y),
        n(x), n(y - h * 1.2), n(x - w / 2), n(y))
    return path(d, colour, INK, BG)


def flowers(xs, y, colours=('#e85a5a', '#f4d04a', '#f7f2ee'), r=7, stem='#3e7a3a', seed=1):
    out = []
    for i, x in enumerate(xs):
        c = colours[(i * 7 + seed) % len(colours)]
        yy = y + ((i * 13 + seed * 5) % 17) - 8
        out.append(line((x, yy), (x, yy + 26), stem, 2.4))
        for k in range(5):
            px, py = polar(x, yy, r * 0.8, k * 72)
            out.append(circle(px, py, r * 0.55, c, INK, 1.2))
        out.append(circle(x, yy, r * 0.4, '#f7c948', INK, 1.2))
    return ''.join(out)


def rose(x, y, r, fill='#f7f2ee'):
    out = [circle(x, y, r, fill, INK, 2)]
    out.append(path('M%s,%s a%s,%s 0 1 1 %s,%s' % (n(x - r * 0.45), n(y), n(r * 0.45), n(r * 0.45), n(r * 0.7), n(r * 0.2)),
                    'none', INK, 1.6))
    return ''.join(out)


def rainbow(cx, cy, r, width=30):
    cols = ['#e5534b', '#f39a3d', '#f4d04a', '#63b05a', '#4f8fd0', '#7a5bb0']
    out = []
    w = width / len(cols)
    for i, c in enumerate(cols):
        rr = r - i * w
        out.append(path('M%s,%s A%s,%s 0 0 1 %s,%s' % (n(cx - rr), n(cy), n(rr), n(rr), n(cx + rr), n(cy)),
                        'none', c, w + 0.6))
    return ''.join(out)


def lightning(points, fill='#f7e05a'):
    return path(poly(points), fill, INK, LINE)


def drops(x, y, k, spread, colour='#7fb5ea'):
    out = []
    for i in range(k):
        out.append(path('M%s,%s q-5,9 0,12 q5,-3 0,-12 Z' % (n(x + (i - k / 2) * spread), n(y + (i % 2) * 9)),
                        colour, INK, 1.4))
    return ''.join(out)
