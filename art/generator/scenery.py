# The card's frame and the pieces of landscape the scenes are built from. Scene
# coordinates have their origin at the centre of the field, which spans ±288 across and
# ±464 down (backgrounds run on to ±470); the frame is in the card's own 700 × 1240
# coordinates, where the scene is drawn 1.0625 times its size.
from svg import (mix, INK, LINE, circle, ellipse, group, line, n, path, poly, polar, rect, solid)

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
    AIR[:] = [card, None]
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


# The card being drawn and the colour of its sky at the horizon, which the distance takes
# on: far hills, mountains and towns fade into it (set again for every card).
AIR = [None, None]


def shade(c, t=0.2):
    return mix(c, '#1a1420', t)


def light(c, t=0.2):
    return mix(c, '#ffffff', t)


def distance(y):
    """How far away a thing whose foot is at y lies, as the share of the air's colour it takes
    on: nothing at the field's foot, nearly half at the top of the sky."""
    return max(0.0, min(0.5, (330 - y) / 700.0))


def far(colour, y):
    """`colour` seen from the distance of y: paler and nearer the sky's colour at the horizon."""
    if AIR[1] is None:
        return colour
    return mix(colour, AIR[1], distance(y))


def far_line(y):
    """The outline of a distant thing: lighter and thinner the farther it lies."""
    t = distance(y)
    return (mix(INK, AIR[1], t * 1.3) if AIR[1] else INK), BG * (1 - 0.6 * t)


def sky(card, kind='day', horizon=120):
    """The sky, darkest at the top and paling towards a light band along the horizon."""
    top, bottom = SKIES[kind]
    AIR[1] = bottom
    glow = light(bottom, 0.18)
    g = card.linear([(0, top), (0.55, mix(top, bottom, 0.62)), (0.92, bottom), (1, glow)],
                    0, -440, 0, horizon, 'userSpaceOnUse')
    # the air brightest low in the middle, where the light comes through it
    haze = card.radial([(0, (light(bottom, 0.4), 0.45)), (1, (bottom, 0))], 0, horizon, 330)
    return rect(-300, -470, 600, 940, g, None, 0) + rect(-300, horizon - 330, 600, 330, haze, None, 0)


def _rand(seed):
    """A small fixed sequence of numbers in [0, 1) for scattering things the same way on
    every run."""
    state = [seed * 7919 % 2147483647 or 1]

    def nxt():
        state[0] = state[0] * 48271 % 2147483647
        return state[0] / 2147483647.0
    return nxt


def _kind(colour):
    r, g, b = (int(colour[i:i + 2], 16) for i in (1, 3, 5))
    if min(r, g, b) > 200:
        return 'snow'
    if g > r + 6 and g > b:
        return 'grass'
    if r > b + 30:
        return 'earth'
    return 'stone'


def tufts(y, colour, seed=1, x0=-290, x1=290, k=None):
    """What lies on a near ground: tufts of grass on a meadow, pebbles and a few tufts on earth,
    larger the nearer they lie, leaving the middle of the foreground clear for the figures."""
    kind = _kind(colour)
    if kind in ('snow', 'stone') or y > 420:
        return ''
    r = _rand(seed + int(y) * 31)
    out = []
    k = k or (9 if kind == 'grass' else 6)
    dark = shade(colour, 0.35)
    for i in range(k):
        yy = y + 24 + (i + r()) * (450 - y - 24) / k
        near = (yy - y) / max(1.0, 470.0 - y)
        s = 0.55 + 0.9 * near
        # to the sides more than to the middle
        side = -1 if i % 2 else 1
        xx = side * (90 + r() * 170)
        if not x0 < xx < x1:
            continue
        if kind == 'grass' or r() < 0.4:
            blades = []
            for b in (-1, -0.4, 0.2, 0.8):
                h = (10 + 8 * r()) * s
                blades.append('M%s,%s q%s,%s %s,%s' % (n(xx + b * 4 * s), n(yy), n(b * 2 * s), n(-h * 0.6),
                                                        n(b * 6 * s + 1.5), n(-h)))
            out.append(path(' '.join(blades), 'none', dark, 1.4 + 0.8 * near))
        else:
            w = (6 + 6 * r()) * s
            stone = mix(colour, '#b8b0a4', 0.6)
            out.append(ellipse(xx, yy - w * 0.3, w, w * 0.55, stone, shade(colour, 0.5), 1.4))
            out.append(ellipse(xx + w * 0.25, yy - w * 0.15, w * 0.6, w * 0.3, shade(stone, 0.18), None, 0))
    return ''.join(out)


def ground(card, y, colour='#79a85a', colour2=None, curve=0, scatter=True):
    g = card.linear([(0, far(colour, y) if y < 200 else colour), (0.35, colour), (1, colour2 or colour)],
                    0, y, 0, 470, 'userSpaceOnUse')
    d = 'M-300,%s Q0,%s 300,%s L300,470 L-300,470 Z' % (n(y), n(y - curve), n(y))
    out = path(d, g, INK, BG)
    if scatter:
        out += tufts(y + max(0, -curve) * 0.5, colour)
    return out


def shadow(x, y, rx, ry=None):
    """A soft shadow on the ground under something standing on it."""
    ry = ry or rx * 0.16
    return ellipse(x, y, rx, ry, '#1a1410', None, 0, extra='fill-opacity="0.2"')


def track(card, top, bottom, colour='#d8c79a', width=(8, 120)):
    """A path winding from the distance (top: x, y) down to the field's foot (bottom x), narrow
    far off and broad near, to lead the eye into the picture."""
    (tx, ty), bx = top, bottom
    w0, w1 = width
    mx = (tx + bx) / 2.0
    my = (ty + 470) / 2.0
    d = 'M%s,%s C%s,%s %s,%s %s,470 L%s,470 C%s,%s %s,%s %s,%s Z' % (
        n(tx - w0 / 2), n(ty), n(tx - 40), n(my - 40), n(mx - w1 * 0.6 + 60), n(my + 40), n(bx - w1 / 2),
        n(bx + w1 / 2), n(mx + w1 * 0.6 + 60), n(my + 40), n(tx + 40), n(my - 40), n(tx + w0 / 2), n(ty))
    g = card.linear([(0, far(colour, ty)), (1, colour)], 0, ty, 0, 470, 'userSpaceOnUse')
    return path(d, g, shade(colour, 0.35), 1.6)


def hills(y, colour, heights=(60, 90, 50), width=600, x0=-300, ridge=True):
    """A band of rounded hills whose feet lie on y, paler the farther off they lie, their crests
    catching the light and their feet in shade; behind them a lower, paler ridge further off."""
    if ridge and heights and max(heights) >= 25:
        back = tuple(max(h2 * 0.55, 14) + 18 for h2 in reversed(heights))
        ridge_line = hills(y - 14, mix(colour, AIR[1], 0.35) if AIR[1] else colour, back, width + 160, x0 - 80, False)
        return ridge_line + hills(y, colour, heights, width, x0, False)
    k = len(heights)
    step = width / k
    d = 'M%s,%s' % (n(x0), n(y))
    for i, hgt in enumerate(heights):
        a = x0 + i * step
        d += ' Q%s,%s %s,%s' % (n(a + step / 2), n(y - 2 * hgt), n(a + step), n(y))
    d += ' L%s,470 L%s,470 Z' % (n(x0 + width), n(x0))
    c = far(colour, y)
    ink, w = far_line(y)
    card = AIR[0]
    fill = c
    if card is not None:
        top = y - 2 * max(heights) * 0.5
        fill = card.linear([(0, light(c, 0.14)), (0.6, c), (1, shade(c, 0.12))], 0, top, 0, y + 40, 'userSpaceOnUse')
    return path(d, fill, ink, w)


def mountains(y, colour, peaks, snow='#f2f4f8'):
    """Peaks given as (x, height, half width), lit from the left with their right faces in
    shade, paler with distance; snow caps on the taller ones."""
    out = []
    c = far(colour, y - 40)
    ink, w = far_line(y - 40)
    for x, hgt, hw in peaks:
        out.append(path(poly([(x - hw, y), (x, y - hgt), (x + hw, y)]), c, ink, w))
        out.append(path(poly([(x, y - hgt + 2), (x + hw - 3, y - 1), (x + hw * 0.25, y - 1), (x + hw * 0.12, y - hgt * 0.45)]),
                        shade(c, 0.16), None, 0))
        if snow and hgt > 90:
            f = 0.28
            out.append(path(poly([(x - hw * f, y - hgt * (1 - f)), (x, y - hgt), (x + hw * f, y - hgt * (1 - f)),
                                  (x + hw * f * 0.3, y - hgt * (1 - f) + 10), (x - hw * f * 0.2, y - hgt * (1 - f) + 4)]),
                            far(snow, y - 40), ink, 2))
            out.append(path(poly([(x, y - hgt + 1), (x + hw * f - 2, y - hgt * (1 - f)), (x + hw * f * 0.3, y - hgt * (1 - f) + 9),
                                  (x + 1, y - hgt * (1 - f) + 3)]), shade(far(snow, y - 40), 0.12), None, 0))
        out.append(path(poly([(x - hw, y), (x, y - hgt), (x + hw, y)], closed=False), 'none', ink, w))
    return ''.join(out)


def water(card, y, colour='#4f8fd0', colour2='#2f5f9e', y2=470, waves=True):
    """Still or running water from y down to y2: the sky's light caught along its far edge,
    long pale reflections lying on it and small waves nearer by."""
    top = mix(colour, AIR[1], 0.35) if AIR[1] else colour
    g = card.linear([(0, top), (0.25, colour), (1, colour2)], 0, y, 0, y2, 'userSpaceOnUse')
    out = [rect(-300, y, 600, y2 - y, g, INK, BG)]
    gleam = light(top, 0.45)
    r = _rand(int(y) + int(y2))
    depth = y2 - y
    for i in range(5):
        yy = y + 6 + depth * (0.05 + 0.11 * i)
        ln = (40 + 90 * r()) * (1 - 0.12 * i)
        x = -250 + r() * 420
        out.append(line((x, yy), (x + ln, yy), gleam, 1.6 + 0.3 * i, 'stroke-opacity="0.7"'))
    if waves:
        for i in range(7):
            yy = y + 18 + i * (y2 - y) / 7.0
            x = -260 + (i * 97) % 420
            s = 0.6 + 0.6 * i / 6.0
            out.append(path('M%s,%s q%s,%s %s,0 q%s,%s %s,0' % (n(x), n(yy), n(12 * s), n(-7 * s), n(24 * s),
                                                               n(12 * s), n(7 * s), n(24 * s)), 'none', '#d8ecff', 1.6 + 0.8 * s))
    return ''.join(out)


def wave_sea(card, y, colour='#3f78b8', colour2='#22477e', height=22):
    """An open sea from the horizon y down: crests standing up sharp along its far edge, and
    rows of waves below them, small and close far off and larger nearer by, each lit along its
    crest with the trough behind it in shade."""
    top = mix(colour, AIR[1], 0.3) if AIR[1] else colour
    g = card.linear([(0, top), (0.3, colour), (1, colour2)], 0, y, 0, 470, 'userSpaceOnUse')
    r = _rand(int(y) * 3 + int(height))
    d = 'M-300,%s' % n(y + height * 0.5)
    x = -300
    while x < 300:
        w = 2 * height + 16 + 24 * r()
        d += ' q%s,%s %s,%s' % (n(w / 2), n(height * 0.55), n(w), n(-height * 0.05 * (1 if r() < 0.5 else -1)))
        x += w
    d += ' L300,470 L-300,470 Z'
    out = [path(d, g, INK, BG)]
    foam = light(top, 0.55)
    trough = shade(colour, 0.18)
    yy, k = y + max(26, height * 1.1), 0
    while yy < 462:
        near = (yy - y) / max(1.0, 470.0 - y)
        amp = 5 + 10 * near + height * 0.15
        w = 36 + 60 * near
        x = -300 - r() * w
        while x < 300:
            if r() < 0.7:
                out.append(path('M%s,%s q%s,%s %s,0' % (n(x), n(yy), n(w * 0.35), n(-amp), n(w * 0.7)), 'none', foam,
                                1.4 + 1.4 * near))
                out.append(path('M%s,%s q%s,%s %s,0' % (n(x + w * 0.7), n(yy), n(w * 0.15), n(amp * 0.45), n(w * 0.3)),
                                'none', trough, 1.2 + near))
            x += w * (1.1 + 0.5 * r())
        yy += 22 + 46 * near
        k += 1
    return ''.join(out)


def cloud(x, y, w, colour='#f4f6fa', outline=INK):
    """A heaped cloud on a flat base: three to six heaps of different sizes, the highest
    anywhere along it, so no two clouds of a sky are alike. Its crown catches the light from
    the upper left, the underside turns softly grey, and a few lines inside part the heaps."""
    h = w * 0.42
    rnd = _rand(int(abs(x * 13 + y * 7 + w * 3)) + 11)
    k = 3 + int(rnd() * 4)
    peak = rnd()  # where along the cloud the highest heap stands
    lobes = []
    for j in range(k):
        t = (j + 0.5) / k
        a = -0.36 + 0.72 * t + (rnd() - 0.5) * 0.08
        r = (0.28 + 0.26 * max(0.0, 1 - abs(t - peak) * 1.6) + rnd() * 0.1) * (1.15 if k <= 3 else 1.0)
        lobes.append((a, -r * 0.75 - 0.05 + rnd() * 0.06, r))
    base = 'M%s,%s Q%s,%s %s,%s L%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
        n(x - 0.5 * w), n(y + 0.05 * h), n(x - 0.52 * w), n(y + 0.4 * h), n(x - 0.38 * w), n(y + 0.4 * h),
        n(x + 0.38 * w), n(y + 0.4 * h), n(x + 0.52 * w), n(y + 0.4 * h), n(x + 0.5 * w), n(y + 0.05 * h),
        n(x + 0.45 * w), n(y - 0.3 * h), n(x), n(y - 0.3 * h), n(x - 0.45 * w), n(y - 0.3 * h), n(x - 0.5 * w),
        n(y + 0.05 * h))
    pieces = [('path', base)] + [('circle', x + a * w, y + b * h, r * h) for a, b, r in lobes]
    card = AIR[0]
    fill = colour
    if card is not None:
        # lighter on the crown, greyer towards the flat underside
        fill = card.linear([(0, light(colour, 0.35)), (0.55, colour), (1, shade(colour, 0.12))],
                           0, y - 0.9 * h, 0, y + 0.4 * h, 'userSpaceOnUse')
    out = solid(pieces, fill, outline, BG)
    # the heaps parted by short curves where one swells out of the one behind it
    inner = shade(colour, 0.22)
    for (a0, b0, r0), (a1, b1, r1) in zip(lobes, lobes[1:]):
        front, back = ((a0, b0, r0), 1) if r0 < r1 else ((a1, b1, r1), -1)
        fa, fb, fr = front
        cx_, cy_ = x + fa * w, y + fb * h
        d = 'M%s,%s A%s,%s 0 0 %d %s,%s' % (n(cx_ + back * fr * h * 0.5), n(cy_ - fr * h * 0.87), n(fr * h), n(fr * h),
                                            1 if back > 0 else 0, n(cx_ + back * fr * h * 0.98), n(cy_ - fr * h * 0.17))
        out += path(d, 'none', inner, max(1.0, BG * 0.6), extra='stroke-opacity="0.5"')
    a, b, r = max(lobes, key=lambda l: l[2])
    out += ellipse(x + a * w - r * h * 0.3, y + b * h - r * h * 0.45, r * h * 0.42, r * h * 0.2, light(colour, 0.5), None, 0, -25,
                   extra='fill-opacity="0.4"')
    return out


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
    """A tree lit from the upper left: a trunk that forks into boughs under a crown of leafy
    clumps of different sizes, each lit on its upper left and darker underneath, the lower
    clumps in more shade than the upper ones. Small far trees get fewer clumps."""
    r = r or h * 0.36
    crown, trunk = far(crown, y), far(trunk, y)
    ink, lw = far_line(y)
    rnd = _rand(int(abs(x * 3.1 + y * 1.7 + h)) + 1)
    cy = y - h + r
    fork = y - h * 0.3
    w = h * 0.05
    # the trunk, narrowing upwards, parts into a left and a right bough that run up into the crown
    lt, rt = (x - r * 0.5, cy + r * 0.25), (x + r * 0.52, cy + r * 0.2)
    d = 'M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s L%s,%s Q%s,%s %s,%s Q%s,%s %s,%s L%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
        n(x - w), n(y), n(x - w * 0.55), n((y + fork) / 2), n(x - w * 0.75), n(fork),
        n(x - w * 0.9), n(fork - h * 0.08), n(lt[0] - w * 0.3), n(lt[1]), n(lt[0] + w * 0.35), n(lt[1] + w * 0.2),
        n(x - w * 0.05), n(fork - h * 0.06), n(x), n(fork - w * 0.1),
        n(x + w * 0.1), n(fork - h * 0.05), n(rt[0] - w * 0.3), n(rt[1] + w * 0.2), n(rt[0] + w * 0.3), n(rt[1]),
        n(x + w * 0.9), n(fork - h * 0.07), n(x + w * 0.75), n(fork),
        n(x + w * 0.55), n((y + fork) / 2), n(x + w), n(y))
    out = [path(d, trunk, ink, lw)]
    out.append(path('M%s,%s Q%s,%s %s,%s' % (n(x + w * 0.45), n(y - 1), n(x + w * 0.3), n((y + fork) / 2), n(x + w * 0.45),
                                            n(fork - 2)), 'none', shade(trunk, 0.3), max(1.2, w * 0.35)))
    # the clumps (across, down, size) in the crown's radius, from the lowest up: the upper ones
    # lie in front, their shaded lower edges over the clumps below
    layout = [(-0.56, 0.42, 0.36), (0.58, 0.44, 0.34), (-0.84, 0.06, 0.4), (0.86, 0.08, 0.36), (0.02, 0.04, 0.56),
              (-0.5, -0.34, 0.48), (0.5, -0.3, 0.44), (0.0, -0.56, 0.46)]
    if r < 26:
        layout = [(-0.6, 0.3, 0.46), (0.62, 0.32, 0.42), (0, 0.0, 0.6), (0, -0.5, 0.5)]
    clumps = []
    for a, b, k in layout:
        a, b, k = a + (rnd() - 0.5) * 0.12, b + (rnd() - 0.5) * 0.1, k * (0.9 + rnd() * 0.2)
        clumps.append((x + a * r * 1.12, cy + b * r, k * r * 1.05, a + b))
    out.append(solid([('circle', cx, cy_, k) for cx, cy_, k, b in clumps], crown, ink, lw))
    dark = shade(crown, 0.22)
    for cx, cy_, k, b in clumps:
        base = mix(light(crown, 0.1), shade(crown, 0.16), min(1.0, max(0.0, (b + 0.9) / 1.8)))
        # the underside in shade, and on the upper clumps a lit rim on the upper left: crescents
        # left where the clump's middle stops short of them
        out.append(circle(cx + 0.05 * k, cy_ + 0.12 * k, 0.86 * k, shade(base, 0.2), None, 0))
        lit = b < 0.1
        if lit:
            out.append(circle(cx - 0.14 * k, cy_ - 0.16 * k, 0.8 * k, light(base, 0.14), None, 0))
        out.append(circle(cx + (0.0 if lit else -0.12) * k, cy_ + (0.0 if lit else -0.14) * k, (0.72 if lit else 0.78) * k, base, None, 0))
        # a few leaves marked in the mass, pale where it is lit and dark where it is not
        marks = ((-0.45, -0.3, 0.15), (-0.05, -0.45, 0.13), (-0.5, 0.12, 0.12)) if lit else ((-0.3, 0.1, 0.14), (0.2, -0.3, 0.12))
        for p, q, m in marks:
            out.append(path('M%s,%s a%s,%s 0 0 1 %s,0' % (n(cx + p * k), n(cy_ + q * k), n(m * k), n(m * k), n(2 * m * k)),
                            'none', light(base, 0.3) if lit else shade(base, 0.25), max(1.0, k * 0.04)))
        out.append(path('M%s,%s a%s,%s 0 0 0 %s,0' % (n(cx - 0.8 * k), n(cy_ + 0.6 * k), n(k), n(k), n(1.6 * k)),
                        'none', dark, max(1.0, lw * 0.7)))
    return ''.join(out)


def castle(x, y, w, h, colour='#c9c2b4', roof='#a0463c', towers=2, door=True):
    """A small castle: a wall with crenels and towers at the ends, door in the middle; lit from
    the left, the towers' right sides and the wall under its crenels in shade, paler far off."""
    out = []
    colour, roof = far(colour, y), far(roof, y)
    ink, lw = far_line(y)
    dark = shade(colour, 0.2)
    tw = w * 0.22
    k = 5
    step = (w - 2 * tw) / k
    xx = x - w / 2 + tw
    wall = [(x - w / 2 + tw * 0.5, y), (x - w / 2 + tw * 0.5, y - h * 0.6)]
    for i in range(k):
        wall += [(xx + i * step, y - h * 0.6), (xx + i * step, y - h * 0.68), (xx + i * step + step / 2, y - h * 0.68),
                 (xx + i * step + step / 2, y - h * 0.6)]
    wall += [(x + w / 2 - tw * 0.5, y - h * 0.6), (x + w / 2 - tw * 0.5, y)]
    out.append(path(poly(wall), colour, ink, lw))
    out.append(rect(x - w / 2 + tw * 0.5 + 1, y - h * 0.6 + 1, w - tw - 2, h * 0.08, dark, None, 0))
    for i in range(1, 4):
        yy = y - h * 0.6 * i / 4.0
        out.append(line((x - w / 2 + tw * 0.6, yy), (x + w / 2 - tw * 0.6, yy), shade(colour, 0.12), 1))
    ends = [x - w / 2 + tw / 2, x + w / 2 - tw / 2] if towers == 2 else [x]
    for tx in ends:
        out.append(rect(tx - tw / 2, y - h, tw, h, colour, ink, lw))
        out.append(rect(tx + tw * 0.12, y - h + lw / 2, tw * 0.38 - lw / 2, h - lw, dark, None, 0))
        out.append(path(poly([(tx - tw / 2 - 3, y - h), (tx, y - h - tw * 1.1), (tx + tw / 2 + 3, y - h)]), roof, ink, lw))
        out.append(path(poly([(tx, y - h - tw * 1.1 + 2), (tx + tw / 2 + 1, y - h - 1), (tx, y - h - 1)]), shade(roof, 0.2), None, 0))
        out.append(rect(tx - tw * 0.12, y - h * 0.75, tw * 0.24, h * 0.16, '#3a3148', ink, 2, r=tw * 0.1))
    if door:
        dw = w * 0.12
        out.append(path('M%s,%s L%s,%s A%s,%s 0 0 1 %s,%s L%s,%s Z' % (
            n(x - dw / 2), n(y), n(x - dw / 2), n(y - h * 0.3), n(dw / 2), n(dw / 2), n(x + dw / 2), n(y - h * 0.3),
            n(x + dw / 2), n(y)), '#5a3d28', ink, 2))
    return ''.join(out)


def house(x, y, w, h, wall='#e6d6b4', roof='#a4473a'):
    """A house with its gable towards us, the right side wall running back in shade."""
    wall, roof = far(wall, y), far(roof, y)
    ink, lw = far_line(y)
    side = w * 0.3
    out = [path(poly([(x + w / 2, y), (x + w / 2, y - h), (x + w / 2 + side, y - h - side * 0.35), (x + w / 2 + side, y - side * 0.35)]),
                shade(wall, 0.22), ink, lw)]
    out.append(path(poly([(x, y - h - w * 0.45), (x + side, y - h - w * 0.45 - side * 0.35), (x + w / 2 + side + 8, y - h - side * 0.35),
                          (x + w / 2 + 8, y - h)]), shade(roof, 0.22), ink, lw))
    out.append(rect(x - w / 2, y - h, w, h, wall, ink, lw))
    out.append(path(poly([(x - w / 2 - 8, y - h), (x, y - h - w * 0.45), (x + w / 2 + 8, y - h)]), roof, ink, lw))
    out.append(rect(x - w * 0.1, y - h * 0.5, w * 0.2, h * 0.5, '#6b4a30', ink, 2))
    out.append(rect(x + w * 0.2, y - h * 0.8, w * 0.16, w * 0.16, '#f3d77a', ink, 2))
    return ''.join(out)


def tower(x, y, w, h, colour='#b9b3a8', roof=None, windows=1):
    """A round tower lit from the left: its right third in shade."""
    colour = far(colour, y)
    ink, lw = far_line(y)
    out = [rect(x - w / 2, y - h, w, h, colour, ink, lw)]
    out.append(rect(x + w * 0.15, y - h + lw / 2, w * 0.35 - lw / 2, h - lw, shade(colour, 0.2), None, 0))
    out.append(rect(x - w / 2 + lw / 2, y - h + lw / 2, w * 0.18, h - lw, light(colour, 0.2), None, 0))
    if roof:
        roof = far(roof, y)
        out.append(path(poly([(x - w / 2 - 4, y - h), (x, y - h - w * 0.9), (x + w / 2 + 4, y - h)]), roof, ink, lw))
        out.append(path(poly([(x, y - h - w * 0.9 + 2), (x + w / 2 + 2, y - h - 1), (x + w * 0.1, y - h - 1)]),
                        shade(roof, 0.2), None, 0))
    else:
        cw = w / 5.0
        d = 'M%s,%s' % (n(x - w / 2), n(y - h))
        for i in range(3):
            d += ' v-%s h%s v%s h%s' % (n(cw), n(cw), n(cw), n(cw if i < 2 else 0))
        out.append(path(d, colour, ink, lw))
    for i in range(windows):
        out.append(rect(x - w * 0.12, y - h + 20 + i * 40, w * 0.24, 22, '#f3d77a', ink, 2, r=w * 0.12))
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
