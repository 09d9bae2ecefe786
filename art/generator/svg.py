# The SVG writer every card goes through: numbers printed one way, gradients collected
# per card, and the outline-then-fill drawing of flat shapes that gives the deck its line.
import math

INK = '#2b1d14'  # the outline of every drawn thing
LINE = 3.0       # its width on the 700 px card


def n(v):
    """A coordinate as it is written into the file: at most one decimal, no '-0'."""
    s = '%.1f' % v
    if s.endswith('.0'):
        s = s[:-2]
    return '0' if s == '-0' else s


def pts(points):
    return ' '.join('%s,%s' % (n(x), n(y)) for x, y in points)


def poly(points, closed=True):
    d = 'M' + ' L'.join('%s,%s' % (n(x), n(y)) for x, y in points)
    return d + (' Z' if closed else '')


def polar(cx, cy, r, deg):
    a = math.radians(deg)
    return cx + r * math.cos(a), cy + r * math.sin(a)


def _stops(stops):
    """A gradient's stops: each (offset, colour) or (offset, (colour, opacity))."""
    s = ''
    for o, c in stops:
        if isinstance(c, tuple):
            s += '<stop offset="%s" stop-color="%s" stop-opacity="%s"/>' % (n(o), c[0], n(c[1]))
        else:
            s += '<stop offset="%s" stop-color="%s"/>' % (n(o), c)
    return s


class Card:
    """One card's SVG: a list of elements and the gradients they use."""

    def __init__(self, number):
        self.number = number
        self.defs = []
        self.body = []
        self._ids = 0

    def uid(self, stem):
        self._ids += 1
        return '%s%d' % (stem, self._ids)

    def add(self, element):
        self.body.append(element)

    def linear(self, stops, x1=0, y1=0, x2=0, y2=1, units='objectBoundingBox'):
        gid = self.uid('g')
        s = _stops(stops)
        self.defs.append('<linearGradient id="%s" x1="%s" y1="%s" x2="%s" y2="%s" gradientUnits="%s">%s'
                         '</linearGradient>' % (gid, n(x1), n(y1), n(x2), n(y2), units, s))
        return 'url(#%s)' % gid

    def radial(self, stops, cx, cy, r):
        gid = self.uid('g')
        s = _stops(stops)
        self.defs.append('<radialGradient id="%s" cx="%s" cy="%s" r="%s" gradientUnits="userSpaceOnUse">%s'
                         '</radialGradient>' % (gid, n(cx), n(cy), n(r), s))
        return 'url(#%s)' % gid

    def clip(self, d):
        cid = self.uid('c')
        self.defs.append('<clipPath id="%s"><path d="%s"/></clipPath>' % (cid, d))
        return 'url(#%s)' % cid

    def text(self):
        out = ['<?xml version="1.0" encoding="UTF-8"?>',
               '<svg xmlns="http://www.w3.org/2000/svg" width="700" height="1240" viewBox="0 0 700 1240">',
               '<defs>'] + self.defs + ['</defs>'] + self.body + ['</svg>', '']
        return '\n'.join(out)


# --- element strings -------------------------------------------------------------------------

# The colour `t` of the way from `a` to `b` ('#rrggbb').
def mix(a, b, t):
    ca = [int(a[i:i + 2], 16) for i in (1, 3, 5)]
    cb = [int(b[i:i + 2], 16) for i in (1, 3, 5)]
    return '#%02x%02x%02x' % tuple(int(round(ca[i] + (cb[i] - ca[i]) * t)) for i in range(3))


def path(d, fill='none', stroke=INK, width=LINE, extra=''):
    s = '<path d="%s" fill="%s"' % (d, fill)
    if stroke and width:
        s += ' stroke="%s" stroke-width="%s" stroke-linejoin="round" stroke-linecap="round"' % (stroke, n(width))
    return s + (' ' + extra if extra else '') + '/>'


def line(a, b, stroke=INK, width=LINE, extra=''):
    return path('M%s,%s L%s,%s' % (n(a[0]), n(a[1]), n(b[0]), n(b[1])), 'none', stroke, width, extra)


def circle(cx, cy, r, fill, stroke=INK, width=LINE, extra=''):
    s = '<circle cx="%s" cy="%s" r="%s" fill="%s"' % (n(cx), n(cy), n(r), fill)
    if stroke and width:
        s += ' stroke="%s" stroke-width="%s"' % (stroke, n(width))
    return s + (' ' + extra if extra else '') + '/>'


def ellipse(cx, cy, rx, ry, fill, stroke=INK, width=LINE, rot=0, extra=''):
    s = '<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="%s"' % (n(cx), n(cy), n(rx), n(ry), fill)
    if stroke and width:
        s += ' stroke="%s" stroke-width="%s"' % (stroke, n(width))
    if rot:
        s += ' transform="rotate(%s %s %s)"' % (n(rot), n(cx), n(cy))
    return s + (' ' + extra if extra else '') + '/>'


def rect(x, y, w, h, fill, stroke=INK, width=LINE, r=0, extra=''):
    s = '<rect x="%s" y="%s" width="%s" height="%s" fill="%s"' % (n(x), n(y), n(w), n(h), fill)
    if r:
        s += ' rx="%s"' % n(r)
    if stroke and width:
        s += ' stroke="%s" stroke-width="%s" stroke-linejoin="round"' % (stroke, n(width))
    return s + (' ' + extra if extra else '') + '/>'


def group(items, transform=None, extra=''):
    head = '<g'
    if transform:
        head += ' transform="%s"' % transform
    if extra:
        head += ' ' + extra
    return head + '>' + ''.join(items) + '</g>'


def solid(pieces, fill, outline=INK, width=LINE):
    """Pieces that read as one shape: every piece outlined first, then every piece filled,
    so the overlaps inside show no line. A piece is ('path', d), ('circle', cx, cy, r),
    ('ellipse', cx, cy, rx, ry[, rot]) or ('stroke', d, w) for a thick line."""
    under, over = [], []
    for p in pieces:
        kind = p[0]
        if kind == 'path':
            under.append(path(p[1], outline, outline, width * 2))
            over.append(path(p[1], fill, None, 0))
        elif kind == 'circle':
            under.append(circle(p[1], p[2], p[3] + width, outline, None, 0))
            over.append(circle(p[1], p[2], p[3], fill, None, 0))
        elif kind == 'ellipse':
            rot = p[5] if len(p) > 5 else 0
            under.append(ellipse(p[1], p[2], p[3] + width, p[4] + width, outline, None, 0, rot))
            over.append(ellipse(p[1], p[2], p[3], p[4], fill, None, 0, rot))
        elif kind == 'stroke':
            under.append(path(p[1], 'none', outline, p[2] + width * 2))
            over.append(path(p[1], 'none', fill, p[2]))
    return ''.join(under + over)
