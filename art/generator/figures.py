# People, horses, thrones, animals and the four suit symbols. Every person is built from
# one set of proportions (7½ heads tall) so the figures of the deck belong together; a
# pose changes where the legs go and the arms reach for given hand positions.
import math

from svg import mix, INK, LINE, circle, ellipse, group, line, n, path, poly, polar, rect, solid

SKIN = '#f1c9a5'
SKIN_DARK = '#d9a57c'
# The deck's people come in five skin tones, handed out in turn (see next_skin).
SKINS = ('#f3d2b3', '#e3b48c', '#c68f63', '#9c6a46', '#6f4a32')
GOLD = '#e9be4a'
GOLD_DARK = '#b8862a'
SILVER = '#d5dbe4'
STEEL = '#9aa3b2'
WOOD = '#8a5a2e'
LEAF = '#5c9c45'


def darker(c, t=0.25):
    return mix(c, '#000000', t)


# --- suit symbols ------------------------------------------------------------------------------

def wand(a, b, width=14, leaves=3, colour=WOOD, leaf=LEAF, knots=True):
    """A living staff from a (foot) to b (top), with leaves budding along it."""
    (x1, y1), (x2, y2) = a, b
    d = 'M%s,%s L%s,%s' % (n(x1), n(y1), n(x2), n(y2))
    out = [solid([('stroke', d, width)], colour)]
    dx, dy = x2 - x1, y2 - y1
    length = math.hypot(dx, dy) or 1
    ux, uy = dx / length, dy / length
    ang = math.degrees(math.atan2(dy, dx))
    if knots:
        for t in (0.35, 0.7):
            cx, cy = x1 + dx * t, y1 + dy * t
            out.append(line((cx - uy * width * 0.45, cy + ux * width * 0.45), (cx + uy * width * 0.45, cy - ux * width * 0.45),
                            darker(colour, 0.4), 2))
    for i in range(leaves):
        t = 0.9 - i * 0.22
        cx, cy = x1 + dx * t, y1 + dy * t
        side = 1 if i % 2 == 0 else -1
        lx, ly = cx - uy * side * width * 0.9, cy + ux * side * width * 0.9
        out.append(ellipse(lx, ly, width * 0.85, width * 0.38, leaf, INK, 2, ang - 40 * side))
    return ''.join(out)


def cup(x, y, h, colour=GOLD, angle=0, spill=None, flowers=None):
    """A chalice standing with its foot on (x, y), h tall; `angle` tips it about the foot."""
    w = h * 0.36
    top = y - h
    bowl = 'M%s,%s L%s,%s Q%s,%s %s,%s L%s,%s Q%s,%s %s,%s Z' % (
        n(x - w), n(top), n(x + w), n(top), n(x + w), n(top + h * 0.5), n(x + w * 0.12), n(top + h * 0.55),
        n(x - w * 0.12), n(top + h * 0.55), n(x - w), n(top + h * 0.5), n(x - w), n(top))
    stem = poly([(x - w * 0.1, top + h * 0.52), (x + w * 0.1, top + h * 0.52), (x + w * 0.1, y - h * 0.12),
                 (x - w * 0.1, y - h * 0.12)])
    foot = 'M%s,%s Q%s,%s %s,%s L%s,%s Q%s,%s %s,%s Z' % (
        n(x - w * 0.15), n(y - h * 0.14), n(x - w * 0.2), n(y - h * 0.03), n(x - w * 0.7), n(y), n(x + w * 0.7), n(y),
        n(x + w * 0.2), n(y - h * 0.03), n(x + w * 0.15), n(y - h * 0.14))
    parts = []
    if spill:
        # liquid running out of the mouth and pooling on the ground, drawn in the cup's frame
        parts.append(path('M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
            n(x - w * 0.9), n(top + 4), n(x - w * 1.2), n(top - h * 0.5), n(x - w * 0.4), n(top - h * 0.8),
            n(x + w * 0.2), n(top - h * 0.3), n(x + w * 0.6), n(top + 4)), spill, INK, 2))
    if flowers:
        for i, fx in enumerate((-0.55, 0, 0.55)):
            parts.append(circle(x + fx * w, top - 6 - (i % 2) * 8, w * 0.32, flowers, INK, 2))
            parts.append(circle(x + fx * w, top - 6 - (i % 2) * 8, w * 0.1, '#f4d04a', INK, 1))
    parts += [path(foot, colour), path(stem, colour), path(bowl, colour),
              path('M%s,%s L%s,%s' % (n(x - w * 0.9), n(top + h * 0.12), n(x + w * 0.9), n(top + h * 0.12)), 'none',
                   darker(colour, 0.35), 2),
              circle(x, y - h * 0.3, w * 0.16, colour, INK, 2)]
    if angle:
        return group(parts, 'rotate(%s %s %s)' % (n(angle), n(x), n(y)))
    return ''.join(parts)


def sword(a, b, width=14, blade=SILVER, hilt=GOLD):
    """A straight sword from the pommel a to the point b."""
    (x1, y1), (x2, y2) = a, b
    dx, dy = x2 - x1, y2 - y1
    length = math.hypot(dx, dy) or 1
    ux, uy = dx / length, dy / length
    px, py = -uy, ux

    def at(t, side=0.0):
        return x1 + dx * t + px * side, y1 + dy * t + py * side

    guard = 0.2
    out = [path(poly([at(guard, width * 0.5), at(0.9, width * 0.5), (x2, y2), at(0.9, -width * 0.5), at(guard, -width * 0.5)]),
                blade)]
    out.append(line(at(guard + 0.03), at(0.88), darker(blade, 0.3), 1.6))
    out.append(path(poly([at(0.04, width * 0.3), at(guard, width * 0.3), at(guard, -width * 0.3), at(0.04, -width * 0.3)]),
                    '#6b3f2a'))
    out.append(path(poly([at(guard - 0.012, width * 1.6), at(guard + 0.012, width * 1.6), at(guard + 0.012, -width * 1.6),
                          at(guard - 0.012, -width * 1.6)]), hilt))
    cx, cy = at(0.02)
    out.append(circle(cx, cy, width * 0.5, hilt))
    return ''.join(out)


def coin(x, y, r, colour=GOLD, star=True):
    out = [circle(x, y, r, colour), circle(x, y, r * 0.8, 'none', INK, max(1.5, r * 0.05))]
    if star:
        ps = [polar(x, y, r * 0.72, -90 + i * 144) for i in range(5)]
        out.append(path(poly(ps), 'none', INK, max(1.5, r * 0.06)))
    return ''.join(out)


# --- people ------------------------------------------------------------------------------------

# Per card: the turn of the skin tones and the figures drawn so far, whose faces the card
# records (make_cards.py marks the main figures' faces in the source).
_turn = [0]
_look = [0]
CARD = [None]  # the card being drawn, for the gradients that model the figures
DRAWN = []


def begin_card(number, card=None):
    CARD[0] = card
    _turn[0] = number * 2
    _look[0] = number * 5
    del DRAWN[:]


def next_look():
    """A number that picks a figure's own head shape, nose, hair and dress details."""
    _look[0] += 7
    return _look[0]


def next_skin():
    t = _turn[0]
    _turn[0] += 3
    return SKINS[t % len(SKINS)]


def limb(points, widths):
    """The outline of a limb through `points` (hip or shoulder first), `widths` its half widths
    there: a tapering shape rather than a tube."""
    left, right = limb_edges(points, widths)
    return smooth(left + list(reversed(right)))


def far_shade(points, offset, width, colour):
    """A band of shade along a limb drawn as a thick line through `points`, on its side away
    from the light (the viewer's right), inside its outline."""
    shade = []
    for k, (x, y) in enumerate(points):
        a, b = points[max(k - 1, 0)], points[min(k + 1, len(points) - 1)]
        dx, dy = b[0] - a[0], b[1] - a[1]
        d = math.hypot(dx, dy) or 1
        nx, ny = -dy / d, dx / d
        if nx < 0:
            nx, ny = -nx, -ny
        shade.append((x + nx * offset, y + ny * offset))
    return path(poly(shade, closed=False), 'none', colour, width)


def limb_edges(points, widths):
    """The two edges of a limb, each from its first point to its last."""
    left, right = [], []
    for i, ((x, y), w) in enumerate(zip(points, widths)):
        a = points[max(i - 1, 0)]
        b = points[min(i + 1, len(points) - 1)]
        dx, dy = b[0] - a[0], b[1] - a[1]
        d = math.hypot(dx, dy) or 1
        nx, ny = -dy / d * w, dx / d * w
        left.append((x + nx, y + ny))
        right.append((x - nx, y - ny))
    return left, right


def leg_edges(hip, knee, ankle, u, outer=-1, full=1.0):
    """A bare leg's two edges from hip to ankle (viewer's left first), shaped rather than
    tapered: the thigh full at the top and narrowing to the knee, the calf swelling below
    it on the outside, the shin slimming to the ankle. `outer` is the side the hip
    is on (-1 the viewer's left); `full` widens the thigh and the calf."""
    # (t along the segment, outer half width, inner half width), in u
    thigh = ((0.0, 0.42, 0.26), (0.2, 0.39, 0.28), (0.5, 0.31, 0.22), (0.78, 0.215, 0.16), (0.93, 0.17, 0.145))
    shin = ((0.0, 0.16, 0.145), (0.12, 0.2, 0.165), (0.28, 0.235, 0.17), (0.45, 0.205, 0.15), (0.65, 0.14, 0.11),
            (0.85, 0.095, 0.08), (1.0, 0.085, 0.075))
    pts, wo, wi = [], [], []
    for a, b, prof in ((hip, knee, thigh), (knee, ankle, shin)):
        for t, o, i in prof:
            pts.append((a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t))
            k = full if t < 0.95 or prof is thigh else 1.0
            wo.append(o * u * k)
            wi.append(i * u * k)
    ones = [1.0] * len(pts)
    left, right = limb_edges(pts, ones)
    out_l, out_r = [], []
    for (x, y), (lx, ly), (rx, ry), o, i in zip(pts, left, right, wo, wi):
        wl, wr = (o, i) if outer < 0 else (i, o)
        out_l.append((x + (lx - x) * wl, y + (ly - y) * wl))
        out_r.append((x + (rx - x) * wr, y + (ry - y) * wr))
    return (out_l, out_r), pts


def arm_shape(shoulder, elbow, wrist, u, centre):
    """A bare arm's outline, shaped like a leg's: the shoulder's round over the upper arm on
    its outer side and the biceps' swell on the inner, narrowing to the elbow, the forearm
    full just below the elbow on the outer side and slimming to the wrist. `centre` is the
    body's middle x, which tells the outer side."""
    upper = ((0.0, 0.27, 0.21), (0.18, 0.275, 0.215), (0.42, 0.225, 0.2), (0.7, 0.185, 0.175), (0.92, 0.155, 0.145))
    fore = ((0.0, 0.15, 0.14), (0.12, 0.185, 0.155), (0.3, 0.19, 0.15), (0.55, 0.15, 0.125), (0.8, 0.115, 0.1),
            (1.0, 0.1, 0.09))
    pts, wo, wi = [], [], []
    for a, b, prof in ((shoulder, elbow, upper), (elbow, wrist, fore)):
        for t, o, i in prof:
            pts.append((a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t))
            wo.append(o * u)
            wi.append(i * u)
    left, right = limb_edges(pts, [1.0] * len(pts))
    # the outer side is the one away from the body at the middle of the upper arm
    k = 2
    outer_left = abs(left[k][0] - centre) > abs(right[k][0] - centre)
    out_l, out_r = [], []
    for (x, y), (lx, ly), (rx, ry), o, i in zip(pts, left, right, wo, wi):
        wl, wr = (o, i) if outer_left else (i, o)
        out_l.append((x + (lx - x) * wl, y + (ly - y) * wl))
        out_r.append((x + (rx - x) * wr, y + (ry - y) * wr))
    return smooth(out_l + list(reversed(out_r)))


def leg_shape(hip, knee, ankle, u, outer=-1, full=1.0):
    (left, right), _ = leg_edges(hip, knee, ankle, u, outer, full)
    return smooth(left + list(reversed(right)))


def smooth(ring):
    """A closed outline through the midpoints of `ring`, its corners rounded off."""
    d = 'M%s,%s' % (n(ring[0][0]), n(ring[0][1]))
    for i in range(1, len(ring)):
        mx, my = (ring[i - 1][0] + ring[i][0]) / 2, (ring[i - 1][1] + ring[i][1]) / 2
        d += ' Q%s,%s %s,%s' % (n(ring[i - 1][0]), n(ring[i - 1][1]), n(mx), n(my))
    return d + ' L%s,%s Z' % (n(ring[-1][0]), n(ring[-1][1]))


def through(pts):
    """A closed outline from pts[0] round to pts[-1], each point in between a control point
    and the curve passing through the midpoints between them."""
    d = 'M%s,%s' % (n(pts[0][0]), n(pts[0][1]))
    for i in range(1, len(pts) - 1):
        mx, my = (pts[i][0] + pts[i + 1][0]) / 2, (pts[i][1] + pts[i + 1][1]) / 2
        d += ' Q%s,%s %s,%s' % (n(pts[i][0]), n(pts[i][1]), n(mx), n(my))
    return d + ' L%s,%s Z' % (n(pts[-1][0]), n(pts[-1][1]))


def _rounded(pts):
    """Path steps from pts[0] (the pen is there) to pts[-1] through the midpoints between
    them, each point in between a control point."""
    d = ''
    for i in range(1, len(pts) - 1):
        mx, my = (pts[i][0] + pts[i + 1][0]) / 2, (pts[i][1] + pts[i + 1][1]) / 2
        if i == len(pts) - 2:
            mx, my = pts[-1]
        d += ' Q%s,%s %s,%s' % (n(pts[i][0]), n(pts[i][1]), n(mx), n(my))
    if len(pts) == 2:
        d += ' L%s,%s' % (n(pts[1][0]), n(pts[1][1]))
    return d


HEIGHTS = {'stand': 7.5, 'walk': 7.5, 'sit': 6.25, 'kneel': 5.6, 'ride': 3.8, 'bust': 3.8}


def _elbow(s, hnd, up, lo, outward):
    c1, c2 = _elbows(s, hnd, up, lo)
    return c1 if (c1[0] - c2[0]) * outward > 0 else c2


def _elbows(s, hnd, up, lo):
    """The two places an elbow can be for the shoulder s and the hand hnd."""
    dx, dy = hnd[0] - s[0], hnd[1] - s[1]
    d = math.hypot(dx, dy)
    d = max(min(d, (up + lo) * 0.999), abs(up - lo) + 0.01)
    cos_a = (up * up + d * d - lo * lo) / (2 * up * d)
    a = math.acos(max(-1, min(1, cos_a)))
    base = math.atan2(dy, dx)
    c1 = (s[0] + up * math.cos(base + a), s[1] + up * math.sin(base + a))
    c2 = (s[0] + up * math.cos(base - a), s[1] + up * math.sin(base - a))
    return c1, c2


class Person:
    """A figure standing (walking, sitting, kneeling, riding) with its feet on (x, y), `h` the
    height it would have standing. For 'ride' (x, y) is the saddle. After `draw`, `hands`
    holds where the two hands are (viewer's left first)."""

    def __init__(self, x, y, h, pose='stand', face='front', dress='robe', cloth='#4a6fb5', cloth2=None,
                 skin=None, hair='#5a3a22', hairstyle=None, hat=None, hat_colour=None, legs='#5a4a3a',
                 shoes='#4a3424', cape=None, beard=False, hands=(None, None), bend=(None, None), behind=(False, False),
                 sleeves=None, pattern=None, belt=None, hem=None, lean=0, reach=None, mood='calm', gaze=None,
                 main=None, grips=('rest', 'rest'), elbows=(None, None), blindfold=False, child=False, stance=None,
                 shadow=None, profile=False, body=None, bow=0, weight=None, tilt=0, loose=False, holds=(None, None)):
        self.x, self.y, self.h = x, y, h
        self.u = h / 7.5
        # 'away-left', 'away-right': seen from behind, turned three-quarters towards that side,
        # the cheek and the ear just showing past the hair
        self.away = {'away-left': -1, 'away-right': 1}.get(face, 0)
        if self.away:
            face = 'back'
            body = body or 'three'
        # the figure's outer contour: heavier than the lines drawn inside it on a large figure
        self.contour = LINE * (1.35 if self.u > 45 else 1.2 if self.u > 25 else 1.05)
        self.pose, self.face, self.dress = pose, face, dress
        self.mood, self.gaze, self.main = mood, gaze, main
        skin = skin or next_skin()
        look = next_look()
        self.look = look
        # not every head alike: its width, the nose, and the hair where the scene leaves it open
        self.head_w = (0.42, 0.45, 0.4, 0.43, 0.41)[look % 5]
        self.nose = look // 5 % 3
        hairstyle = hairstyle or ('short', 'fringe', 'side', 'crop', 'short', 'side')[look % 6]
        self.cloth, self.cloth2 = cloth, cloth2 or darker(cloth, 0.2)
        self.skin, self.hair, self.hairstyle = skin, hair, hairstyle
        self.hat, self.hat_colour = hat, hat_colour
        self.legs, self.shoes, self.cape, self.beard = legs, shoes, cape, beard
        self.hand_targets, self.bend, self.behind = hands, bend, behind
        if dress == 'nude':
            self.cloth = self.cloth2 = cloth = skin
        self.sleeves = sleeves or cloth
        self.pattern, self.belt, self.hem = pattern, belt, hem
        self.lean = lean
        self.loose = loose  # full sleeves of soft cloth, gathered in folds
        # the direction (dx, dy) of a staff or a hilt held in each fist: the wrist turns the
        # fist so the fingers close round it instead of lying across it
        self.holds = holds
        self.top = y - HEIGHTS[pose] * self.u
        # the body turned: 'three' (three-quarter) or 'side' (profile), towards the side it faces
        self.bturn = {'three': 0.5, 'side': 1.0}.get(body, 0.0)
        # a rider whose head is turned to the side sits turned with it: chest and shoulders
        # narrow to a three-quarter view, further still under a head in profile, and the
        # front of the chest comes round towards the side the rider faces
        self.ride_turn = pose == 'ride' and face in ('left', 'right') and self.bturn < 1
        self._fore_only = False
        if self.ride_turn:
            self.bturn = max(self.bturn, 0.82 if profile else 0.62)
        # so does a figure standing or walking with its head in profile, unless the card turns
        # the body full side on: the chest follows the head into a three-quarter view
        self.chest_turn = self.ride_turn or (pose in ('stand', 'walk') and profile and face in ('left', 'right')
                                             and self.bturn < 1 and dress != 'nude')
        if self.chest_turn and not self.ride_turn:
            self.bturn = max(self.bturn, 0.7)
        self.bow = bow  # the upper body bent forward from the hips, in radians
        self.tilt = tilt  # the head tipped about the neck, in degrees (clockwise on the card)
        # standing at ease, the weight on one leg (-1 the viewer's left, 1 the right): that hip
        # rises and swings out over the foot, the shoulder above it drops, the other knee bends
        self.weight = 0
        if pose == 'stand' and stance is None and body != 'side':
            self.weight = weight or (1 if look % 2 else -1)
            if not tilt and not profile:
                # and the head inclines a little towards the standing leg
                self.tilt = self.weight * 3
        self.bdir = self.away or {'left': -1, 'right': 1}.get(face, -1 if gaze and gaze[0] < 0 else 1)
        if self.bturn == 1 and behind == (False, False):
            # side on, the far arm goes behind the body
            self.behind = (self.bdir < 0, self.bdir > 0)
        # a child's head is larger against its body and sits a little higher
        self.hu = self.u * (1.45 if child else 1)
        self.child = child
        self.head = self.B(0, 0.25 if child else 0.55)
        self.shoulders = (self.B(-0.86, 1.6), self.B(0.86, 1.6))
        self.hands = [None, None]
        self.elbows = [None, None]
        self.grips = list(grips)
        self.blindfold = blindfold
        self.profile = profile and face in ('left', 'right')  # the head seen from the side
        self.stance = stance  # 'cross': the free leg bent and crossed behind the other
        # a soft shadow on the ground under a figure that stands, walks, kneels or sits
        self.shadow = shadow if shadow is not None else pose in ('stand', 'walk', 'kneel', 'sit')
        self._leg_paths = []
        self.short = False  # seated in a dress that ends over the knees
        self._bare = []  # the bare legs' outlines, drawn as one shape with the body
        self._leg_edges = []  # standing bare legs: their edges, part of the body's outline
        self._bare_spines = []  # and the lines down their middles
        self._front = ''  # a bare leg drawn in front of the body
        self.elbow_at = elbows  # scene points for arms seen foreshortened, else the arm's own bend
        if reach:
            # hands given as points of the scene: the arms reach for them as far as they can
            self.hand_targets = tuple(None if r is None else ((r[0] - s[0]) / self.u, (r[1] - s[1]) / self.u)
                                      for r, s in zip(reach, self.shoulders))
        self.lap = self.U(self.bdir * 0.9, 3.9) if pose == 'sit' and self.bturn == 1 else self.B(0, 4.0)
        self.chest = (x, self.top + 2.3 * self.u)

    def _lit(self, colour, half=1.3, cx=None, round_=False):
        """`colour` modelled by the light from the viewer's left across the figure: lighter on
        its near side, in shade on the far one (flat where no card is being drawn). `round_`
        turns the form more slowly into a deeper shade, for bare skin."""
        card = CARD[0]
        if card is None:
            return colour
        cx = self.x if cx is None else cx
        w = half * self.u
        if round_:
            return card.linear([(0, mix(colour, '#ffffff', 0.2)), (0.3, mix(colour, '#ffffff', 0.08)), (0.55, colour),
                                (0.8, darker(colour, 0.1)), (1, darker(colour, 0.2))], cx - w, 0, cx + w, 0, 'userSpaceOnUse')
        return card.linear([(0, mix(colour, '#ffffff', 0.16)), (0.45, colour), (1, darker(colour, 0.12))],
                           cx - w, 0, cx + w, 0, 'userSpaceOnUse')

    def U(self, a, b):
        return self.x + a * self.u, self.top + b * self.u

    def B(self, a, b):
        """Like U, for points of the body: a turned body is narrower, shifted a little towards
        the side it faces, its chest standing out in front and its back flatter."""
        k, t = self.bturn, self.bdir
        x = a
        if k:
            x = a * (1 - 0.45 * k) + t * k * 0.1
            if a * t > 0 and 1.4 < b < 3.3:
                x += t * k * 0.14 * math.sin(math.pi * (b - 1.4) / 1.9)
            elif a * t < 0 and b > 3.0:
                x += t * k * 0.08 * min(1.0, b - 3.0)  # the back of the skirt falls in behind
            if self.chest_turn and 1.1 < b < 4.0:
                x += t * k * 0.3 * math.sqrt(max(0.0, 1 - (a / 1.05) ** 2))
        w = self.weight
        if w:
            # the hips swing out over the standing foot and tilt up on its side; the shoulders
            # tilt the other way
            if b > 2.4:
                sway = min(1.0, (b - 2.4) / 1.5) if b < 3.9 else max(0.0, 1 - (b - 3.9) / 3.6)
                x += w * 0.16 * sway
            if 3.0 < b < 5.2:
                b -= w * a * 0.1 * min(1.0, (b - 3.0) / 0.8, (5.2 - b) / 0.8)
            elif 1.1 < b < 2.3:
                b += w * a * 0.09 * min(1.0, (b - 1.1) / 0.3, (2.3 - b) / 0.3)
        return self.U(*self._bowed(x, b))

    def _bowed(self, a, b):
        """A point of the body with the part above the hips bent forward by `bow`."""
        hb = 3.9 if self.pose == 'sit' else 3.8
        if not self.bow or b >= hb:
            return a, b
        c, s_ = math.cos(self.bow), math.sin(self.bow) * self.bdir
        y = b - hb
        return a * c - y * s_, hb + y * c + a * s_

    # body outline for each pose
    def _body(self):
        U = self.U
        u = self.u
        narrow = self.dress == 'nude'
        woman = narrow and self.hairstyle in ('long', 'bun')
        sh = (0.74 if woman else 0.95) if narrow else 0.9
        wa = (0.5 if woman else 0.6) if narrow else 0.6
        # bare: the shoulder's round over the arm, the armpit, the ribcage swelling below it and
        # narrowing to the waist, and the hips below
        chest = [U(-(0.88 if woman else 1.0), 1.7), U(-(0.8 if woman else 0.92), 2.02),
                 U(-(0.76 if woman else 0.87), 2.4)] if narrow else []
        if narrow:
            sh, wa = (0.66, 0.55) if woman else (0.76, 0.6)
        if narrow and self.child:
            # a child: sloping shoulders, a round belly and hardly a waist
            sh, wa, chest = 0.6, 0.9, [U(-0.78, 1.68), U(-0.72, 2.05), U(-0.73, 2.5)]
            if self.face == 'back':
                wa = 0.6  # from behind no belly shows: the back narrows to the waist
        upper = [U(-0.3, 1.2), U(-sh, 1.58 if self._slack() else 1.5)] + chest
        if narrow:
            # bare: the neck's side running down into the slope of the trapezius, the shoulder's
            # round over the arm, the flank under the armpit and the ribcage narrowing to the waist
            if self.face == 'back':
                # from behind: the back broad across the shoulder blades, tapering to the waist
                k = 0.82 if self.child else (0.9 if woman else 1.0)
                prof = tuple((a * k, b) for a, b in ((0.17, 0.8), (0.18, 1.1), (0.46, 1.27), (0.8, 1.38), (0.97, 1.52),
                                                     (0.98, 1.75), (0.88, 2.05), (0.76, 2.4), (0.7, 2.7)))
                wa = min(wa, 0.74 * k)
            elif self.child:
                # the chest small and the belly rounding out below it, wider than the chest
                prof = ((0.16, 0.7), (0.17, 1.05), (0.4, 1.3), (0.68, 1.48), (0.77, 1.72), (0.72, 2.1), (0.74, 2.5))
            elif woman:
                prof = ((0.15, 0.8), (0.16, 1.1), (0.4, 1.28), (0.63, 1.38), (0.78, 1.5), (0.84, 1.7), (0.83, 1.95),
                        (0.77, 2.22), (0.72, 2.55))
            else:
                prof = ((0.17, 0.8), (0.18, 1.1), (0.46, 1.27), (0.78, 1.37), (0.96, 1.5), (1.03, 1.72), (1.0, 1.95),
                        (0.9, 2.22), (0.84, 2.55))
            upper = [U(-a, b) for a, b in prof]
        if self.pose == 'sit':
            pts_l = [U(-0.3, 1.2), U(-sh, 1.5), U(-wa, 3.0), U(-1.15, 3.9), U(-1.2, 6.0)]
            hem_y = 6.0
        elif self.pose == 'kneel' and self.dress in ('nude', 'tunic'):
            pts_l = upper + [U(-wa, 3.0), U(-(0.84 if woman else 0.75), 3.7), U(-0.7, 4.1)]
            hem_y = 4.1
        elif self.pose == 'kneel':
            pts_l = [U(-0.3, 1.2), U(-sh, 1.5), U(-wa, 3.0), U(-0.85, 3.8), U(-1.15, 5.55)]
            hem_y = 5.55
        elif self.pose == 'ride' or self.pose == 'bust':
            pts_l = upper + [U(-wa, 3.0), U(-0.8, 3.85)]
            hem_y = 3.85
        else:
            hem = self.hem or {'robe': 7.25, 'gown': 7.3, 'tunic': 5.0, 'nude': 4.0, 'armour': 4.6}.get(self.dress, 7.2)
            w = {'robe': 1.2, 'gown': 1.45, 'tunic': 1.05, 'nude': 0.62, 'armour': 0.95}.get(self.dress, 1.2)
            if hem < 6:
                w = min(w, 0.6 + hem * 0.09)
            hip = U(-w * (0.95 if woman else 0.85), 3.9)
            if narrow:
                w = 0.76 if woman else 0.64  # the hips run on into the thighs
                hip = U(-(0.86 if woman else 0.68), 3.72)
            skirt = [U(-w, hem)]
            if self.dress in ('robe', 'gown') and hem > 6.5 and not narrow:
                # a long skirt falls from the hips and spreads over the feet, widest at the hem
                flare = 0.12
                hx = w * (0.95 if woman else 0.85)
                skirt = [U(-(hx + (w - hx) * 0.4), 5.6), U(-(w + flare), hem)]
            pts_l = upper + [U(-wa, 3.0), hip] + skirt
            hem_y = hem
        if self.pose == 'sit' and self.bturn == 1:
            return self._sit_side()
        if self._kneels_side_on():
            return self._kneel_side()
        if self.pose == 'sit':
            return self._sit_front(sh, wa)
        mirror = [(2 * self.x - px, py) for px, py in pts_l]
        if narrow and self.weight and self.pose == 'stand':
            # at ease both flanks curve: the waist drawn in on each side; the hip of the free
            # leg, pulled in by the sway, still rounds out below it, and the standing hip
            # swells fuller
            for side, pts in ((-1, pts_l), (1, mirror)):
                out = 0.16 if side != self.weight else 0.06
                (wx, wy), (hx, hy) = pts[-3], pts[-2]
                pts[-3] = (wx - side * 0.05 * u, wy)
                pts[-2] = (hx + side * out * u, hy)
        tb = lambda p: self.B((p[0] - self.x) / u, (p[1] - self.top) / u)
        pts_l = [tb(p) for p in pts_l]
        self._side_r = [tb(p) for p in mirror]
        pts_r = list(reversed(self._side_r))
        self._side = pts_l
        d = 'M%s,%s' % (n(pts_l[0][0]), n(pts_l[0][1]))
        # clothed shoulders square under the cloth; with the arms at rest they slope from the neck
        cq = (0.18, 0.28) if self._slack() else (-0.05, 0.35)
        if narrow:
            # bare skin runs in curves from point to point, no corners
            d += _rounded(pts_l)
        else:
            d += ' Q%s,%s %s,%s' % (n(pts_l[1][0] + cq[0] * u), n(pts_l[1][1] - cq[1] * u), n(pts_l[1][0]), n(pts_l[1][1]))
            for p in pts_l[2:]:
                d += ' L%s,%s' % (n(p[0]), n(p[1]))
        hx0, hy = pts_l[-1]
        tunic = self.dress == 'tunic' and self.pose in ('stand', 'walk') and 4.6 < hem_y < 6
        if self.dress in ('robe', 'gown') and self.pose in ('stand', 'walk') and hem_y > 6.5 and not narrow or tunic:
            # the hem dips and rises where the folds end in it
            (x0, y0), (x1, y1) = pts_l[-1], pts_r[0]
            ym = hy + 0.25 * u
            k = 3 if tunic else 5
            for j in range(k):
                ta, tb = j / k, (j + 1) / k
                qa = lambda t: ((1 - t) ** 2 * x0 + 2 * t * (1 - t) * (x0 + x1) / 2 + t * t * x1,
                                (1 - t) ** 2 * y0 + 2 * t * (1 - t) * ym + t * t * y1)
                bx, by = qa(tb)
                c = qa((ta + tb) / 2)
                d += ' Q%s,%s %s,%s' % (n(c[0]), n(c[1] + (0.12 if j % 2 == 0 else -0.02) * u), n(bx), n(by))
        else:
            d += ' Q%s,%s %s,%s' % (n(self.B(0, 0)[0]), n(hy + (0.6 if narrow else 0.25) * u), n(pts_r[0][0]),
                                    n(pts_r[0][1]))
        if narrow:
            # up the far flank and the neck's side; the line across the neck's top lies under the head
            return d + _rounded(pts_r) + ' Z', hem_y
        for p in pts_r[1:-1]:
            d += ' L%s,%s' % (n(p[0]), n(p[1]))
        d += ' L%s,%s Q%s,%s %s,%s Z' % (n(pts_r[-2][0]), n(pts_r[-2][1]), n(pts_r[-2][0] - cq[0] * u),
                                         n(pts_r[-2][1] - cq[1] * u), n(pts_r[-1][0]), n(pts_r[-1][1]))
        return d, hem_y

    def _bare_outline(self, hem_y):
        """A standing bare figure's outline in one line: down the left flank and the outside
        of the left leg, up its inside to the fork, down the other leg and up the right flank."""
        legs = []
        for left, right in self._leg_edges:
            # each edge as (outer x at the knee, points from hip to ankle)
            legs.append(sorted([left, right], key=lambda e: e[1][0]))
        legs.sort(key=lambda e: e[0][1][0])
        fork = self.B(0, hem_y + 0.15)
        trunk = len(self._side) - 1  # the flank from the neck down to the hip
        ring = self._side[:trunk]
        if len(legs) == 2:
            (lo, li), (ri, ro) = legs
            li, ri = self._parted(li[1:], ri[1:], fork[1])
            ring += lo[1:] + list(reversed(li)) + [fork] + ri + list(reversed(ro[1:]))
        else:
            lo, ro = legs[0]
            ring += lo[1:] + list(reversed(ro[1:]))
        ring += list(reversed(self._side_r[:trunk]))
        return smooth(ring)

    def _parted(self, li, ri, fork_y):
        """The inner edges of two bare legs kept apart below the fork: a narrow gap of the
        ground between them from a little under the groin down to the feet, so each leg reads
        as its own shape. The points above the fork are left out; the outline turns there."""
        u = self.u
        gap = 2 * self.contour + max(2.5, 0.06 * u)

        def x_at(edge, y):
            for (x0, y0), (x1, y1) in zip(edge, edge[1:]):
                if min(y0, y1) <= y <= max(y0, y1) and y0 != y1:
                    return x0 + (x1 - x0) * (y - y0) / (y1 - y0)
            return None

        def apart(edge, other, side):
            out = []
            for x, y in edge:
                if y <= fork_y + 0.05 * u:
                    continue
                ox = x_at(other, y)
                need = gap * min(1.0, (y - fork_y) / (0.35 * u))
                if ox is not None and (ox - x) * side < need:
                    x = (x + ox) / 2 - side * need / 2
                out.append((x, y))
            return out

        return apart(li, ri, 1), apart(ri, li, -1)

    def _sit_front(self, sh, wa):
        """A figure seated facing out: the body down to the hips, the lap spreading wider over
        the thighs that come forward to the knees, and the skirt falling from the knees over
        the shins to the feet, a little flared at the hem."""
        self.short = self.dress in ('tunic', 'armour', 'nude')
        left = [(-0.3, 1.2), (-sh, 1.5), (-sh * 0.98, 1.75), (-wa, 3.0), (-1.0, 3.72), (-1.22, 4.1), (-1.32, 4.38),
                (-1.2, 4.7), (-1.16, 5.3), (-1.22, 5.9), (-1.3, 6.12)]
        hem = [self.B(-0.65, 6.2), self.B(0, 6.16), self.B(0.65, 6.2)]
        hem_y = 6.12
        if self.short:
            # a short dress ends over the knees; the shins go down bare or in hose from there
            left = left[:7] + [(-1.18, 4.66)]
            hem = [self.B(-0.7, 4.84), self.B(0, 4.62), self.B(0.7, 4.84)]
            hem_y = 4.7
        ps = [self.B(a, b) for a, b in left]
        self._side = ps
        self._side_r = [self.B(-a, b) for a, b in left]
        # the hem's corners doubled so they stay sharp; the rest is rounded
        ring = ps + [ps[-1]] + hem + [self._side_r[-1]] + list(reversed(self._side_r))
        return smooth(ring), hem_y

    def _kneels_side_on(self):
        """Kneeling in a long robe, turned to one side."""
        return self.pose == 'kneel' and self.dress in ('robe', 'gown') and self.face in ('left', 'right') and not self.hem

    def _kneel_side(self):
        """A figure kneeling in a long robe, turned to the side it faces: the raised knee
        stands forward with the cloth drawn over the thigh and falling from the knee to the
        ground; behind, the robe runs down over the kneeling leg to the ground."""
        t = self.bdir
        U = self.U
        sh, wa = 0.9, 0.6
        pts = [(-0.3, 1.2), (-sh, 1.5), (-sh * 0.97, 1.8), (-wa, 3.0), (-0.85, 3.9), (-1.0, 4.8), (-1.12, 5.5),
               (-1.14, 5.6), (0.2, 5.64), (1.5, 5.6), (1.54, 5.5), (1.5, 4.7), (1.56, 4.25), (1.3, 3.98), (0.7, 3.85),
               (0.58, 3.0), (sh * 0.97, 1.8), (sh, 1.5), (0.3, 1.2)]
        ps = [U(*self._bowed(t * a, b)) for a, b in pts]
        d = through(ps)
        # the two flanks from the neck down: the back one and the front one
        self._side, self._side_r = ps[:9], list(reversed(ps[9:]))
        return d, 5.6

    def _kneel_folds(self):
        """The robe of a figure kneeling side on: the thigh's top in the light, the cloth hanging
        from the knee in folds, the shade under the knee and down the back, the feet."""
        t, u = self.bdir, self.u
        P = lambda a, b: self.U(*self._bowed(t * a, b))
        Q = lambda a, b: '%s,%s' % (n(P(a, b)[0]), n(P(a, b)[1]))
        fold = darker(self.cloth, 0.3)
        fw = max(1.2, 0.03 * u)
        out = []
        # the thigh's top, lit, from the lap forward to the knee
        out.append(path('M%s Q%s %s Q%s %s Q%s %s Z' % (Q(0.55, 3.95), Q(1.0, 3.92), Q(1.42, 4.08), Q(1.5, 4.26), Q(1.25, 4.3),
                                                       Q(0.9, 4.22), Q(0.55, 3.95)), mix(self.cloth, '#ffffff', 0.16), None, 0))
        # the cloth falling from the knee, in shade under it, and folds hanging to the ground
        out.append(path('M%s Q%s %s L%s L%s Q%s %s Z' % (Q(1.3, 4.32), Q(0.9, 4.4), Q(0.7, 4.9), Q(0.6, 5.58), Q(1.4, 5.58),
                                                        Q(1.45, 4.8), Q(1.3, 4.32)), darker(self.cloth, 0.14), None, 0))
        for a0, a1 in ((1.2, 1.28), (0.95, 0.92), (0.72, 0.62)):
            out.append(path('M%s Q%s %s' % (Q(a0, 4.35), Q(a0 + 0.05 * (1 if a1 > a0 else -1), 5.0), Q(a1, 5.5)), 'none', fold, fw))
        # the crease where the body bends at the hips, and the fold over the kneeling leg behind
        out.append(path('M%s Q%s %s' % (Q(0.5, 3.9), Q(0.1, 4.0), Q(-0.35, 3.75)), 'none', fold, fw))
        out.append(path('M%s Q%s %s' % (Q(-0.6, 4.0), Q(-0.85, 4.8), Q(-0.8, 5.5)), 'none', fold, fw))
        # the back in shade
        out.append(path('M%s Q%s %s L%s Q%s %s Z' % (Q(-0.85, 1.6), Q(-0.55, 3.0), Q(-0.8, 3.9), Q(-1.05, 5.52), Q(-0.8, 4.2),
                                                    Q(-0.5, 3.0)), darker(self.cloth, 0.12), None, 0))
        # the front foot under the hem, the sole of the kneeling leg's foot behind
        fx, fy = P(1.45, 5.6)
        out.append(ellipse(fx + t * 0.12 * u, fy, 0.3 * u, 0.13 * u, self.shoes, INK, 2))
        bx, by = P(-1.2, 5.45)
        out.append(ellipse(bx, by, 0.12 * u, 0.17 * u, darker(self.shoes, 0.2), INK, 2, -t * 20))
        return ''.join(out)

    def _sit_side(self):
        """A figure seated side on: the back upright, the thighs running forward to the knees,
        the skirt falling from them over the shins to the ground."""
        t = self.bdir
        U = self.U
        self.short = self.dress in ('tunic', 'armour', 'nude')
        if self.short:
            # the tunic ends over the knee; the shins go down from there
            pts = [(-0.3, 1.2), (-0.52, 1.5), (-0.45, 2.6), (-0.5, 3.4), (-0.62, 4.15), (-0.45, 4.5), (0.5, 4.55),
                   (1.3, 4.5), (1.5, 4.25), (1.35, 3.85), (0.75, 3.75), (0.42, 3.2), (0.58, 2.4), (0.5, 1.6),
                   (0.3, 1.2)]
        else:
            pts = [(-0.3, 1.2), (-0.52, 1.5), (-0.45, 2.6), (-0.5, 3.4), (-0.62, 4.15), (-0.56, 5.0), (-0.62, 6.0),
                   (0.3, 6.1), (1.5, 6.0), (1.5, 5.0), (1.58, 4.2), (1.35, 3.85), (0.75, 3.75), (0.42, 3.2),
                   (0.58, 2.4), (0.5, 1.6), (0.3, 1.2)]
        ps = [U(*self._bowed(t * a, b)) for a, b in pts]
        d = through(ps)
        self._side = self._side_r = ps
        return d, 4.5 if self.short else 6.0

    def _lap(self):
        """A seated figure's lap facing out: the thighs' tops catch the light in a band across
        the hips, the knees stand forward with the cloth sagging between them, and below them
        the skirt falls in shade over the shins in folds from each knee."""
        U, u = self.B, self.u
        P = lambda a, b: '%s,%s' % (n(U(a, b)[0]), n(U(a, b)[1]))
        cloth = self.cloth
        fold = darker(cloth, 0.38)
        fw = max(1.4, 0.04 * u)
        out = []
        short = self.short
        if not short:
            # under the knees: the shins in the lap's shadow, lighter down the shin bones
            shade = 'M%s Q%s %s Q%s %s L%s Q%s %s Q%s %s Z' % (
                P(-1.24, 4.5), P(-0.65, 4.78), P(0, 4.5), P(0.65, 4.78), P(1.24, 4.5), P(1.2, 6.08), P(0.6, 6.22), P(0, 6.13),
                P(-0.6, 6.22), P(-1.24, 6.08))
            out.append(path(shade, darker(cloth, 0.22), None, 0))
            for s in (-1, 1):
                shin = 'M%s Q%s %s L%s Q%s %s Z' % (P(s * 0.75, 4.75), P(s * 0.6, 4.7), P(s * 0.45, 4.78), P(s * 0.5, 6.1),
                                                     P(s * 0.63, 6.16), P(s * 0.78, 6.1))
                out.append(path(shin, mix(darker(cloth, 0.22), cloth, 0.55), None, 0))
        # the lap: the thighs' tops in the light, from the hips forward to the knees
        lap = 'M%s Q%s %s Q%s %s Q%s %s Q%s %s L%s L%s Q%s %s Q%s %s Z' % (
            P(-1.08, 3.86), P(-0.5, 3.8), P(0, 3.92), P(0.5, 3.8), P(1.08, 3.86), P(1.34, 4.2), P(1.2, 4.47),
            P(0.7, 4.8), P(0.22, 4.56), P(0, 4.5), P(-0.22, 4.56), P(-0.7, 4.8), P(-1.2, 4.47), P(-1.34, 4.2),
            P(-1.08, 3.86))
        out.append(path(lap, self._lit(mix(cloth, '#ffffff', 0.1), 1.4), None, 0))
        for s in (-1, 1):
            # the light on each knee
            kx, ky = U(s * 0.72, 4.45)
            out.append(ellipse(kx, ky, 0.3 * u, 0.12 * u, mix(cloth, '#ffffff', 0.2), None, 0, extra='fill-opacity="0.45"'))
        if not short:
            # the cloth sagging between the knees, in deep shade, with a fold hanging in it
            out.append(path('M%s Q%s %s Q%s %s Q%s %s Z' % (P(-0.3, 4.55), P(-0.12, 5.1), P(0, 5.42), P(0.12, 5.1), P(0.3, 4.55),
                                                         P(0, 4.48), P(-0.3, 4.55)), darker(cloth, 0.32), None, 0))
            out.append(path('M%s Q%s %s' % (P(-0.22, 4.62), P(0, 5.05), P(0.22, 4.62)), 'none', fold, fw))
            # folds falling from each knee to the hem
            for s in (-1, 1):
                for a0, a1, b1 in ((1.0, 1.06, 6.05), (0.55, 0.62, 6.1)):
                    out.append(path('M%s Q%s %s' % (P(s * a0, 4.66), P(s * (a0 + 0.06), 5.3), P(s * a1, b1)), 'none',
                                    darker(cloth, 0.3), fw * 0.8))
                out.append(path('M%s Q%s %s' % (P(s * 0.08, 5.4), P(s * 0.14, 5.8), P(s * 0.2, 6.1)), 'none', darker(cloth, 0.3),
                                fw * 0.8))
        # the crease where the body meets the lap, each knee's front, and the hollow between the thighs
        out.append(path('M%s Q%s %s' % (P(-0.95, 3.84), P(0, 4.0), P(0.95, 3.84)), 'none', fold, fw))
        for s in (-1, 1):
            out.append(path('M%s Q%s %s Q%s %s' % (P(s * 1.3, 4.36), P(s * 1.05, 4.72), P(s * 0.7, 4.72), P(s * 0.32, 4.72),
                                                  P(s * 0.2, 4.56)), 'none', darker(cloth, 0.45), fw * 1.2))
        out.append(path('M%s Q%s %s L%s Z' % (P(-0.05, 3.98), P(0, 4.3), P(-0.12, 4.52), P(0.12, 4.52)), darker(cloth, 0.15),
                        None, 0))
        return ''.join(out)

    def _shade(self, hem_y):
        """The side of the body away from the light (the light falls from the viewer's left)."""
        if self.pose == 'sit' and self.bturn == 1 or self._kneels_side_on():
            return ''
        side = self._side_r[2 if self.dress == 'nude' else 1:]
        mid = self.B(0, 0)[0]
        outer = [(px, py + 0.1 * self.u) for px, py in side[:-1]] + [(side[-1][0], side[-1][1] - 0.1 * self.u)]
        inner = [(mid + (px - mid) * 0.45, py) for px, py in reversed(outer)]
        outer = [(mid + (px - mid) * 0.95, py) for px, py in outer]
        if self.dress == 'nude' and CARD[0] is not None and (self.pose in ('stand', 'walk', 'kneel') or
                                                              self.pose == 'ride' and self.child) and not self.bow \
                and self.face != 'back':
            return ''  # rounded by soft shade instead (see _soft_form, _child_form)
        if self.dress == 'nude':
            # on bare skin only a soft shadow along the far flank
            inner = [(mid + (px - mid) * 0.75, py) for px, py in reversed(outer)]
            return path(poly(outer + inner), darker(self.skin, 0.06), None, 0)
        return path(poly(outer + inner), darker(self.cloth, 0.13), None, 0)

    def _folds(self, hem_y):
        """Two or three folds running down a robe, gown or tunic from the waist to the hem,
        leaning with a stride, and the hem in the cloth's shade."""
        if self.dress not in ('robe', 'gown', 'tunic') or self.pose not in ('stand', 'walk', 'kneel') or \
                hem_y - 3.6 < 0.8:
            return ''
        if self._kneels_side_on():
            return self._kneel_folds()
        u = self.u
        fold = darker(self.cloth, 0.3)
        lean = 0.25 if self.pose == 'walk' else 0
        lean *= 1 if self.face in ('right', 'front') else -1
        out = []
        spread = {'gown': 1.0, 'robe': 0.85, 'tunic': 0.6}[self.dress]
        long_ = self.dress in ('robe', 'gown') and hem_y > 6.5 and self.pose in ('stand', 'walk')
        lines = ((-0.3, 3.3, 0.45), (0.15, 3.5, 0.5), (0.55, 3.4, 0.3))
        if self.dress == 'tunic' and self.pose in ('stand', 'walk') and 4.6 < hem_y < 6:
            # the skirt of a tunic falls from the belt in a few tubes
            long_ = True
            lines = ((-0.45, 3.2, 0.45), (0.0, 3.25, 0.45), (0.45, 3.2, 0.45))
        if long_ and self.dress != 'tunic':
            # a long skirt hangs in tubes from the hips, fanning out to the hem
            lines = ((-0.62, 3.9, 0.4), (-0.3, 3.3, 0.45), (0.05, 3.6, 0.5), (0.38, 3.4, 0.3), (0.7, 4.0, 0.3))
        deep = darker(self.cloth, 0.16)
        for a, b0, k in lines:
            if self.dress == 'tunic' and k < 0.4:
                continue
            p0 = self.B(a * 0.6, b0)
            p1 = self.B(a * spread + lean * 0.5, (b0 + hem_y) / 2)
            p2 = self.B(a * spread * 1.3 + lean, hem_y - 0.15)
            if long_:
                # the fold's shadow on its far side from the light, widening as the tube opens
                q1 = self.B(a * spread + lean * 0.5 + 0.1, (b0 + hem_y) / 2)
                q2 = self.B(a * spread * 1.3 + lean + 0.2, hem_y - 0.12)
                out.append(path('M%s,%s Q%s,%s %s,%s L%s,%s Q%s,%s %s,%s Z' % (
                    n(p0[0]), n(p0[1]), n(p1[0] - 0.04 * u), n(p1[1]), n(p2[0]), n(p2[1]), n(q2[0]), n(q2[1]),
                    n(q1[0]), n(q1[1]), n(p0[0]), n(p0[1])), deep, None, 0, extra='fill-opacity="0.45"'))
            out.append(path('M%s,%s Q%s,%s %s,%s' % (n(p0[0]), n(p0[1]), n(p1[0] - 0.04 * u), n(p1[1]), n(p2[0]), n(p2[1])),
                            'none', fold, max(1.2, 0.03 * u)))
        if self.weight and self.pose == 'stand' and hem_y > 6.2:
            # the bent knee of the free leg pushes the cloth forward: the light on the knee, a
            # fold pulled from it up towards the standing hip, and the cloth falling from it
            w = self.weight
            k = self.B(-w * 0.42, 5.75)
            if CARD[0] is not None and not self.bow:
                glow = CARD[0].radial([(0, (mix(self.cloth, '#ffffff', 0.25), 0.35)), (1, (self.cloth, 0))], k[0], k[1],
                                      0.5 * u)
                out.append(ellipse(k[0], k[1], 0.4 * u, 0.5 * u, glow, None, 0))
            a, b = self.B(-w * 0.5, 6.3), self.B(-w * 0.6, hem_y - 0.2)
            out.append(line(a, b, fold, max(1.2, 0.035 * u)))
        # the hem: a band of shade along the bottom, inside the outline
        (lx, ly), (rx, ry) = self._side[-1], self._side_r[-1]
        h = 0.22 * u
        d = 'M%s,%s Q%s,%s %s,%s L%s,%s Q%s,%s %s,%s Z' % (
            n(lx + 0.06 * u), n(ly - h), n((lx + rx) / 2), n(ly + 0.25 * u - h), n(rx - 0.06 * u), n(ry - h),
            n(rx - 0.03 * u), n(ry - 0.04 * u), n((lx + rx) / 2), n(ly + 0.22 * u), n(lx + 0.03 * u), n(ly - 0.04 * u))
        out.append(path(d, darker(self.cloth, 0.14), None, 0))
        return ''.join(out)

    def _soft_spot(self, centre, rx, ry, colour, opacity, angle=0):
        """A patch of shade or light fading out from its middle to nothing at its edge."""
        g = CARD[0].radial([(0, (colour, opacity)), (0.55, (colour, opacity * 0.55)), (1, (colour, 0))], 0, 0, rx)
        turn = ' rotate(%s)' % n(angle) if angle else ''
        return group([circle(0, 0, rx, g, None, 0)],
                     'translate(%s %s)%s scale(1 %s)' % (n(centre[0]), n(centre[1]), turn, n(ry / rx)))

    def _soft_marks(self):
        """A bare torso seen from the front modelled without lines: a soft shade under each
        collarbone, the chest's two rounds shaded beneath, the belly's round catching the
        light and the navel a small soft mark in it."""
        u, U = self.u, self.B
        woman = self.hairstyle in ('long', 'bun')
        sh = darker(self.skin, 0.45)
        lt = mix(self.skin, '#ffffff', 0.6)
        out = []
        for s in (-1, 1):
            out.append(self._soft_spot(U(s * 0.34, 1.5), 0.24 * u, 0.055 * u, sh, 0.3, -s * 9))
        if not self.child:
            for s in (-1, 1):
                if woman:
                    out.append(self._soft_spot(U(s * 0.34, 2.36), 0.22 * u, 0.08 * u, sh, 0.4))
                    out.append(self._soft_spot(U(s * 0.37, 2.12), 0.16 * u, 0.12 * u, lt, 0.3 if s < 0 else 0.15))
                else:
                    # the lower edge of each side of the chest, rising towards the armpit
                    out.append(self._soft_spot(U(s * 0.4, 2.33), 0.3 * u, 0.1 * u, sh, 0.38, -s * 14))
        out.append(self._soft_spot(U(-0.08, 3.15), 0.4 * u, 0.36 * u, lt, 0.2))
        out.append(self._soft_spot(U(0, 3.38), 0.05 * u, 0.075 * u, sh, 0.6))
        return ''.join(out)

    def _soft_form(self, body_d):
        """A bare body rounded by soft shade kept inside its outline: the light on the near
        shoulder and breast, the shade under the chest, down the far side of the trunk and
        the belly, between the thighs and under the knees."""
        if CARD[0] is None:
            return ''
        u, U = self.u, self.B
        sh = darker(self.skin, 0.45)
        lt = mix(self.skin, '#ffffff', 0.6)
        spots = [self._soft_spot(U(-0.4, 1.9), 0.7 * u, 0.5 * u, lt, 0.18),
                 self._soft_spot(U(0.72, 2.5), 0.4 * u, 1.1 * u, sh, 0.3),
                 self._soft_spot(U(0.4, 3.25), 0.32 * u, 0.6 * u, sh, 0.2)]
        # a light down the near flank
        spots.append(self._soft_spot(U(-0.5, 2.95), 0.22 * u, 0.9 * u, lt, 0.14))
        for spine in self._bare_spines:
            # each leg rounded by a band of shade down its far side, and a shade under the knee
            spots.append(far_shade(spine[1:], 0.1 * u, 0.13 * u, darker(self.skin, 0.09)))
            k = spine[1]
            spots.append(self._soft_spot((k[0] + 0.04 * u, k[1] + 0.14 * u), 0.16 * u, 0.1 * u, sh, 0.18))
        return group(spots, extra='clip-path="%s"' % CARD[0].clip(body_d))

    def _child_form(self, body_d):
        """A bare child's trunk rounded by soft shade inside its outline: the small chest lit on
        the near side, the belly's round catching the light with a soft shade under it, the far
        side turning away, and the folds where the legs join the body only a soft shadow."""
        if CARD[0] is None:
            return ''
        u, U = self.u, self.B
        sh = darker(self.skin, 0.45)
        lt = mix(self.skin, '#ffffff', 0.6)
        spots = [self._soft_spot(U(-0.3, 1.95), 0.45 * u, 0.35 * u, lt, 0.2),
                 self._soft_spot(U(-0.12, 2.95), 0.5 * u, 0.48 * u, lt, 0.26),
                 self._soft_spot(U(0.02, 3.62), 0.55 * u, 0.16 * u, sh, 0.26),
                 self._soft_spot(U(0.66, 2.6), 0.3 * u, 1.0 * u, sh, 0.3)]
        for s in (-1, 1):
            spots.append(self._soft_spot(U(s * 0.42, 3.8), 0.32 * u, 0.1 * u, sh, 0.2, s * 32))
        return group(spots, extra='clip-path="%s"' % CARD[0].clip(body_d))

    def _modelling(self):
        """Bare skin modelled by soft shade only: under the chest, down the far side of the
        belly, between the thighs and round the knees, with a light down the near flank."""
        u, U = self.u, self.B
        woman = self.hairstyle in ('long', 'bun')
        sh = darker(self.skin, 0.35)
        lt = mix(self.skin, '#ffffff', 0.5)
        soft = 'fill-opacity="0.16"'
        out = []
        for s in (-1, 1) if not self.child and CARD[0] is None else ():
            x, y = U(s * 0.34, 2.25 if woman else 2.15)
            out.append(ellipse(x, y + 0.12 * u, 0.3 * u, 0.1 * u, sh, None, 0, extra=soft))
        # the far side of the belly and the hollow of the waist
        a, b, c = U(0.22, 2.6), U(0.42, 3.2), U(0.3, 3.8)
        out.append('' if CARD[0] is not None else path('M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (n(a[0]), n(a[1]), n(b[0] + 0.05 * u), n(b[1]), n(c[0]), n(c[1]),
                                                             n(b[0] - 0.15 * u), n(b[1]), n(a[0]), n(a[1])), sh, None, 0,
                        extra=soft))
        # a light down the near flank
        a, b, c = U(-0.6, 1.8), U(-0.5 if woman else -0.46, 3.0), U(-0.62 if woman else -0.52, 4.1)
        out.append('' if CARD[0] is not None else path('M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
            n(a[0]), n(a[1]), n(b[0] - 0.05 * u), n(b[1]), n(c[0]), n(c[1]), n(b[0] + 0.2 * u), n(b[1]), n(a[0]), n(a[1])),
            lt, None, 0, extra='fill-opacity="0.16"'))
        # the form's own lines, drawn soft and sparing: the chest's lower edge on a man (on a
        # woman the breasts catch the light), the belly's middle, the hips' fold down to the groin
        line_c = darker(self.skin, 0.3)
        quiet = 'stroke-opacity="0.32"'
        lw = max(1.2, 0.025 * u)
        for s in (-1, 1) if not self.child else ():
            if woman and CARD[0] is None:
                x, y = U(s * 0.34, 2.1)
                out.append(ellipse(x - 0.06 * u, y - 0.03 * u, 0.13 * u, 0.09 * u, lt, None, 0, extra='fill-opacity="0.3"'))
            elif not woman and CARD[0] is None:
                a, b, c = U(s * 0.08, 2.12), U(s * 0.42, 2.42), U(s * 0.74, 2.05)
                out.append(path('M%s,%s Q%s,%s %s,%s' % (n(a[0]), n(a[1]), n(b[0]), n(b[1]), n(c[0]), n(c[1])), 'none', line_c,
                                lw, extra=quiet))
            a, b, c = U(s * 0.6, 3.5), U(s * 0.42, 3.85), U(s * 0.14, 4.02)
            out.append(path('M%s,%s Q%s,%s %s,%s' % (n(a[0]), n(a[1]), n(b[0]), n(b[1]), n(c[0]), n(c[1])), 'none', line_c,
                            lw, extra=quiet))
        if not woman and not self.child and CARD[0] is None:
            a, b = U(0, 2.5), U(0, 3.15)
            out.append(line(a, b, line_c, lw * 0.8, extra='stroke-opacity="0.35"'))
        # the far side of the trunk turning away from the light
        if CARD[0] is not None:
            # rounded by soft shade instead (see _soft_form)
            return ''.join(out)
        a, b, c = U(0.7 if woman else 0.82, 1.7), U(0.42 if woman else 0.5, 3.0), U(0.72 if woman else 0.6, 3.8)
        out.append(path('M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (n(a[0]), n(a[1]), n(b[0] - 0.2 * u), n(b[1]), n(c[0]), n(c[1]),
                                                             n(b[0] + 0.1 * u), n(b[1]), n(a[0]), n(a[1])), sh, None, 0,
                        extra='fill-opacity="0.14"'))
        for spine in self._bare_spines:
            # each bare leg rounded by a shade down its far side
            out.append(far_shade(spine[1:], 0.1 * u, 0.13 * u, darker(self.skin, 0.09)))
        knees = [sp[1] for sp in self._bare_spines] or [U(s * 0.27, 5.7) for s in (-1, 1)]
        for k in knees if self.pose != 'kneel' else ():
            # the kneecap rounded by a soft shade under it and on its far side
            out.append(ellipse(k[0] + 0.05 * u, k[1] + 0.1 * u, 0.14 * u, 0.09 * u, sh, None, 0, extra='fill-opacity="0.1"'))
        return ''.join(out)

    def _legs(self, hem_y):
        U = self.B
        u = self.u
        t = self.bdir if self.bturn else 1
        out = []
        if self.pose in ('stand', 'walk') and hem_y < 7.0:
            if self.stance == 'cross':
                feet = [U(-0.15, 7.4), U(-0.55, 6.75)]
                knees = [U(-0.2, 5.7), U(0.75, 5.75)]
            elif self.stance == 'tiptoe':
                # creeping: the back foot lifted on its toes, the front one reaching on tiptoe
                feet = [U(-0.95, 7.2), U(0.8, 7.3)]
                knees = [U(-0.45, 5.8), U(0.7, 5.6)]
            elif self.pose == 'walk' and self.face == 'back':
                # walking away into the picture: the leading foot further off and so higher, the
                # near one pushing off with its heel raised
                a = self.away or 1
                feet, knees = [None, None], [None, None]
                feet[(a + 1) // 2], knees[(a + 1) // 2] = U(a * 0.42, 7.0), U(a * 0.34, 5.55)
                feet[(1 - a) // 2], knees[(1 - a) // 2] = U(-a * 0.36, 7.5), U(-a * 0.2, 5.8)
            elif self.pose == 'walk':
                feet = [U(-0.95, 7.4), U(0.85, 7.4)]
                knees = [U(-0.55, 5.7), U(0.55, 5.7)]
            elif self.weight:
                # the standing leg straight under the body, the free one bent at the knee, its
                # foot set out to the side and a little behind, turned outwards
                w = self.weight
                bare = self.dress == 'nude'
                feet = [None, None]
                knees = [None, None]
                feet[(w + 1) // 2] = U(w * (0.1 if bare else 0.1), 7.42)
                knees[(w + 1) // 2] = U(w * (0.2 if bare else 0.2), 5.72)
                feet[(1 - w) // 2] = U(-w * (0.78 if bare else 0.66), 7.28)
                knees[(1 - w) // 2] = U(-w * (0.42 if bare else 0.3), 5.8)
            elif self.dress == 'nude':
                # bare legs close together, the knees and the feet nearly touching
                feet = [U(-0.3, 7.4), U(0.3, 7.4)]
                knees = [U(-0.25, 5.7), U(0.25, 5.7)]
            else:
                feet = [U(-0.38, 7.4), U(0.38, 7.4)]
                knees = [U(-0.36, 5.7), U(0.36, 5.7)]
            legc = self.skin if self.dress == 'nude' else self.legs
            legs = list(zip((-1, 1), feet, knees))
            if self.stance == 'cross':
                legs.reverse()  # the crossed leg goes behind
            shoes = self.skin if self.dress == 'nude' else self.shoes
            for side, f, k in legs:
                hip = U(side * 0.35, hem_y - 0.6)
                d = 'M%s,%s L%s,%s L%s,%s' % (n(hip[0]), n(hip[1]), n(k[0]), n(k[1]), n(f[0]), n(f[1] - 0.12 * u))
                self._leg_paths.append(d)
                if self.dress == 'nude':
                    # thigh, knee, calf and ankle, one shape with the body (a crossed leg apart)
                    wide = self.hairstyle in ('long', 'bun')
                    hp = U(side * (0.38 if wide else 0.32), hem_y - 0.2)
                    calf = (k[0] + (f[0] - k[0]) * 0.3, k[1] + (f[1] - k[1]) * 0.3)
                    ank = (f[0], f[1] - 0.12 * u)
                    full = 1.25 if self.child else 1.08 if wide else 1.0
                    edges, spine = leg_edges(hp, k, ank, u, side, full)
                    if self.stance == 'cross' and side == legs[0][0]:
                        out.append(solid([('path', smooth(edges[0] + list(reversed(edges[1]))))], legc, INK, self.contour))
                    else:
                        self._bare_spines.append([hp, k, calf, ank])
                        self._leg_edges.append(edges)
                else:
                    # in hose the leg keeps its shape: the knee, the calf's swell and the slim ankle
                    ank = (f[0], f[1] - 0.12 * u)
                    out.append(solid([('path', leg_shape(hip, k, ank, u, side, 1.05))], legc, INK, self.contour))
                    out.append(far_shade([hip, k, ank], 0.1 * u, 0.12 * u, darker(legc, 0.12)))
                toe = side if self.pose != 'walk' else (1 if self.face in ('right', 'front') else -1)
                if self.bturn:
                    toe = t
                if self.stance == 'tiptoe':
                    toe = 1 if self.lean >= 0 else -1
                tilt = 35 * toe if self.stance == 'tiptoe' else 0
                if self.pose == 'walk' and self.face == 'back':
                    out.append(self._heel(f, side != (self.away or 1), shoes))
                    continue
                if self.dress == 'nude':
                    # the foot of the free leg turned out and seen side on, the standing one
                    # turned more towards the viewer
                    k = 0.62 if self.weight and side == self.weight else 0.95
                    out.append(self._bare_foot(f[0], f[1] + 0.08 * u, toe, k, tilt))
                else:
                    out.append(self._shoe(f[0] + toe * 0.12 * u, f[1] - 0.02 * u, toe, shoes, tilt))
        elif self.pose == 'kneel' and hem_y < 5:
            # one knee on the ground, the other raised with its foot set down in front
            legc = self.skin if self.dress == 'nude' else self.legs
            U = lambda a, b: self.U(t * a, b)
            ground_leg = 'M%s,%s L%s,%s L%s,%s' % (n(U(-0.3, 3.9)[0]), n(U(-0.3, 3.9)[1]), n(U(-0.55, 5.45)[0]),
                                                   n(U(-0.55, 5.45)[1]), n(U(-1.3, 5.5)[0]), n(U(-1.3, 5.5)[1]))
            raised_leg = 'M%s,%s L%s,%s L%s,%s' % (n(U(0.3, 3.9)[0]), n(U(0.3, 3.9)[1]), n(U(1.15, 4.3)[0]),
                                                   n(U(1.15, 4.3)[1]), n(U(1.1, 5.45)[0]), n(U(1.1, 5.45)[1]))
            if self.dress == 'nude':
                # the thigh comes down from the body to the knee resting on the ground; the shin
                # runs back from it, seen shortened behind the knee, the toes tucked under; the
                # raised leg stands before it
                far = darker(self.skin, 0.1)
                shin = [U(-0.5, 5.38), U(-0.82, 5.22), U(-1.08, 5.14)]
                # the foot behind on its toes, the heel up under the end of the shin
                ax, ay = U(-1.08, 5.14)
                out.append(self._bare_foot(ax, ay + 0.15 * u, -t, 1.0, -70 * t, far))
                out.append(solid([('path', limb(shin, [0.16 * u, 0.15 * u, 0.1 * u]))], far, INK, self.contour))
                self._bare += [('path', limb([U(-0.3, 3.75), U(-0.44, 4.7), U(-0.5, 5.42)],
                                             [0.32 * u, 0.22 * u, 0.15 * u])),
                               ('circle', *U(-0.5, 5.38), 0.17 * u)]
                self._front = solid([('path', leg_shape(U(0.28, 3.8), U(1.12, 4.3), U(1.1, 5.45), u, t))],
                                    legc, INK, self.contour)
            else:
                out.append(solid([('stroke', ground_leg, 0.5 * u), ('stroke', raised_leg, 0.5 * u)], legc, INK, self.contour))
            fx, fy = U(1.25, 5.52)
            if self.dress == 'nude':
                # the raised leg's foot flat on the ground before the knee, seen from the side
                out.append(self._bare_foot(U(1.1, 0)[0], fy + 0.11 * u, t, 0.95))
            else:
                out.append(ellipse(fx, fy, 0.3 * u, 0.13 * u, self.shoes, INK, 2))
        elif self.pose == 'sit' and self.bturn == 1:
            legc = self.skin if self.dress == 'nude' else self.legs
            for a in (0.85, 1.3):
                if self.short:
                    # the shins from under the knee down to the feet, the far one a little back
                    k0, f0 = self.U(t * (a + 0.05), 4.35), self.U(t * (a - 0.05), 6.0)
                    d = 'M%s,%s L%s,%s' % (n(k0[0]), n(k0[1]), n(f0[0]), n(f0[1]))
                    out.append(solid([('stroke', d, 0.42 * u)], darker(legc, 0.12) if a < 1 else legc))
                px, py = self.U(t * a, 6.08)
                out.append(ellipse(px + t * 0.1 * u, py, 0.3 * u, 0.15 * u, self.shoes, INK, 2))
        elif self.pose == 'sit' and self.short:
            # seated facing out in a short dress: the shins from under the knees to the feet
            legc = self.skin if self.dress == 'nude' else self.legs
            for side in (-1, 1):
                k, f = U(side * 0.66, 4.55), U(side * 0.6, 6.1)
                d = 'M%s,%s L%s,%s' % (n(k[0]), n(k[1]), n(f[0]), n(f[1]))
                out.append(solid([('stroke', d, 0.4 * u)], legc, INK, self.contour))
                out.append(far_shade([k, f], 0.1 * u, 0.13 * u, darker(legc, 0.12)))
                out.append(ellipse(f[0] + side * 0.1 * u, f[1] + 0.1 * u, 0.3 * u, 0.15 * u,
                                   legc if self.dress == 'nude' else self.shoes, INK, 2, side * 12))
        elif self.pose in ('stand', 'walk', 'sit'):
            y = hem_y + 0.08
            sit = self.pose == 'sit'
            for side in (-1, 1):
                # seated, the feet stand apart under the knees, turned a little outwards; standing
                # at ease, the free foot steps out from under the hem
                fx = side * (0.55 if sit else 0.38)
                if self.weight and self.pose == 'stand':
                    fx = self.weight * 0.1 if side == self.weight else -self.weight * 0.5
                px, py = U(fx, y)
                if self.pose == 'walk' and self.face == 'back':
                    a = self.away or 1
                    out.append(self._heel(U(side * 0.26, y - (0.14 if side == a else -0.06)), side != a, self.shoes))
                    continue
                toe = t if self.bturn else side
                out.append(self._shoe(px + toe * (0.1 if sit else 0.05) * u, py, toe, self.shoes, toe * 12 if sit else 0))
        return ''.join(out)

    def _shoe(self, x, y, toe, colour, tilt=0):
        """A shoe seen from the side, pointing `toe` (-1 left, 1 right), centred on (x, y): the
        round heel, the ankle's rise, the instep running down to the toe, the flat sole."""
        u = self.u
        X = lambda a: n(x + toe * a * u)
        Y = lambda b: n(y + b * u)
        d = 'M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
            X(-0.24), Y(0.13), X(-0.36), Y(0.12), X(-0.34), Y(-0.01), X(-0.31), Y(-0.15), X(-0.1), Y(-0.16),
            X(0.08), Y(-0.13), X(0.22), Y(-0.05), X(0.34), Y(0.01), X(0.3), Y(0.1), X(0.27), Y(0.14), X(0.18), Y(0.14))
        out = path(d, colour, INK, 2)
        out += path('M%s,%s L%s,%s' % (X(-0.24), Y(0.08), X(0.26), Y(0.09)), 'none', darker(colour, 0.35), max(1.0, 0.03 * u),
                    extra='stroke-opacity="0.8"')
        out += path('M%s,%s Q%s,%s %s,%s' % (X(-0.18), Y(-0.12), X(-0.05), Y(-0.04), X(0.02), Y(-0.13)), 'none',
                    mix(colour, '#ffffff', 0.25), max(1.0, 0.025 * u))
        if tilt:
            return group([out], 'rotate(%s %s %s)' % (n(tilt), n(x), n(y)))
        return out

    def _bare_foot(self, x, y, toe, k=1.0, tilt=0, skin=None):
        """A bare foot standing on (x, y), the point under the ankle, pointing `toe` (-1 left,
        1 right): the heel's round behind the ankle, the instep running down to the toes, the
        arch lifted off the ground under it and the toes' row at the front, the big toe
        marked. `k` shortens it for a foot turned towards the viewer."""
        u = self.u * (0.9 if self.hairstyle in ('long', 'bun') else 1)
        X = lambda a: n(x + toe * a * k * u)
        Y = lambda b: n(y + b * u)
        P = lambda a, b: '%s,%s' % (X(a), Y(b))
        d = 'M%s Q%s %s Q%s %s Q%s %s Q%s %s L%s Q%s %s Q%s %s Q%s %s Z' % (
            P(0.05, -0.21), P(0.16, -0.15), P(0.32, -0.08), P(0.46, -0.04), P(0.47, 0.0), P(0.47, 0.04), P(0.38, 0.04),
            P(0.3, 0.045), P(0.16, 0.035), P(0.14, 0.03), P(0.04, 0.0), P(-0.06, 0.04), P(-0.18, 0.045), P(-0.19, -0.04),
            P(-0.18, -0.13), P(-0.08, -0.21))
        skin = skin or self.skin
        out = path(d, self._lit(skin, 0.5, x), INK, 2)
        lw = max(1.0, 0.022 * u)
        # the big toe's cleft and the ankle bone, drawn soft; the arch in shade
        out += path('M%s,%s Q%s,%s %s,%s' % (X(0.36), Y(-0.06), X(0.35), Y(-0.01), X(0.38), Y(0.035)), 'none',
                    darker(skin, 0.35), lw, extra='stroke-opacity="0.7"')
        out += path('M%s,%s q%s,%s %s,%s' % (X(-0.04), Y(-0.13), n(toe * k * 0.05 * u), n(0.04 * u), n(toe * k * 0.1 * u), n(0)),
                    'none', darker(skin, 0.3), lw, extra='stroke-opacity="0.5"')
        out += path('M%s,%s Q%s,%s %s,%s Z' % (X(0.02), Y(0.005), X(0.12), Y(-0.05), X(0.24), Y(0.03)), darker(skin, 0.2), None, 0,
                    extra='fill-opacity="0.5"')
        if tilt:
            return group([out], 'rotate(%s %s %s)' % (n(tilt), n(x), n(y - 0.15 * u)))
        return out

    def _heel(self, f, lifted, shoes):
        """A foot seen from behind: the heel of the leading foot, or the sole of the near foot
        pushing off, tipped up towards the viewer."""
        u = self.u
        x, y = f
        if not lifted:
            return ellipse(x, y - 0.06 * u, 0.17 * u, 0.12 * u, shoes, INK, 2)
        return ellipse(x, y - 0.1 * u, 0.16 * u, 0.2 * u, darker(shoes, 0.25), INK, 2) + \
            line((x - 0.1 * u, y - 0.02 * u), (x + 0.1 * u, y - 0.02 * u), mix(shoes, '#ffffff', 0.2), 1.4)

    def _ride_leg(self, direction):
        U = self.U
        u = self.u
        hip = U(0.15 * direction, 3.6)
        knee = U(0.9 * direction, 4.5)
        foot = U(0.55 * direction, 6.1)
        if self.child:
            # a child's leg is short against its body, and round: astride, the thigh comes out
            # of the hip and runs down the horse's side to the knee, the shin hangs below it
            hip = U(0.2 * direction, 3.6)
            knee, foot = U(1.0 * direction, 4.3), U(0.9 * direction, 5.4)
        bare = self.dress == 'nude'
        # the thigh along the saddle, the knee, the calf's swell and the ankle
        at = lambda t: (knee[0] + (foot[0] - knee[0]) * t, knee[1] + (foot[1] - knee[1]) * t)
        spine = [hip, knee, at(0.3), at(0.92)]
        if bare:
            out = []
            if self.child:
                # the far thigh going over the horse's back, foreshortened to the round of the knee
                fk = U(-0.42 * direction, 3.72)
                out.append(solid([('ellipse', fk[0], fk[1], 0.36 * u, 0.3 * u)], darker(self.skin, 0.08), INK, self.contour))
            out.append(solid([('path', leg_shape(hip, knee, at(0.92), u, -direction, 1.2 if self.child else 1.0))], self.skin, INK,
                             self.contour))
        else:
            out = [solid([('path', limb(spine, [0.27 * u, 0.2 * u, 0.21 * u, 0.15 * u]))], self.legs, INK, self.contour),
                   far_shade(spine[1:], 0.09 * u, 0.1 * u, darker(self.legs, 0.12)),
                   # a boot to the middle of the shin
                   solid([('path', limb([at(0.5), at(0.95)], [0.22 * u, 0.17 * u]))], self.shoes, INK, 2)]
        kx, ky = knee
        out.append(path('M%s,%s q%s,%s %s,%s' % (n(kx - direction * 0.1 * u), n(ky - 0.08 * u), n(direction * 0.08 * u),
                                                 n(0.02 * u), n(direction * 0.12 * u), n(0.12 * u)), 'none',
                        darker(self.skin if bare else self.legs, 0.35), max(1.2, 0.03 * u)))
        if bare:
            # the bare foot hanging, its toes dropped a little, under the leg's ankle
            out.insert(0, self._bare_foot(foot[0], foot[1] + 0.14 * u, direction, 0.9, direction * 22))
        else:
            out.append(ellipse(foot[0] + 0.15 * u * direction, foot[1] + 0.05 * u, 0.32 * u, 0.15 * u, self.shoes, INK, 2))
        return ''.join(out)

    def _slack(self):
        """A clothed figure standing or walking with both hands low before it or at its sides,
        joined or resting: its shoulders slope and the upper arms lie against the body."""
        if self.dress in ('nude', 'armour') or self.pose not in ('stand', 'walk') or any(self.behind) \
                or any(self.elbow_at) or self._folded():
            return False
        return all(t is None or (t[1] > 0.6 and abs(t[0]) < 1.6) for t in self.hand_targets)

    def _arm(self, i):
        side = -1 if i == 0 else 1
        s = self.shoulders[i]
        t = self.hand_targets[i]
        if t is None:
            # at rest the arm hangs with the elbow a little bent and the hand by the thigh
            t = (0.24 * side, 2.6) if self.pose != 'sit' else (0.55 * side, 2.4)
        hnd = (s[0] + t[0] * self.u, s[1] + t[1] * self.u)
        slack = self._slack()
        if slack:
            # the arm hangs from a shoulder that slopes, a little in and down from its square
            s = (s[0] - side * 0.12 * self.u, s[1] + 0.16 * self.u)
        if self.elbow_at[i]:
            e = self.elbow_at[i]
        elif self.bend[i] is None:
            # by default a hand below the shoulder lets the elbow hang; a raised one lifts it out
            out = _elbow(s, hnd, 1.45 * self.u, 1.4 * self.u, side)
            low = _elbow(s, hnd, 1.45 * self.u, 1.4 * self.u, -side)
            e = low if hnd[1] > s[1] + 0.3 * self.u and low[1] > out[1] + 0.2 * self.u else out
            hung = self._hanging_elbow(s, hnd, side, 0.04 if slack else 0.18)
            if hung:
                e = hung
            elif hnd[1] < s[1] - 0.1 * self.u:
                e = self._raised_elbow(s, hnd, side)
            elif hnd[1] <= s[1] + 0.3 * self.u:
                # a hand held out about as high as the shoulder: the elbow drops under the arm,
                # never lifted above it like a wing
                e = max(_elbows(s, hnd, 1.45 * self.u, 1.4 * self.u), key=lambda q: q[1])
        else:
            e = _elbow(s, hnd, 1.45 * self.u, 1.4 * self.u, side * self.bend[i])
        # the sleeve stops short of the hand so the wrist shows
        wx, wy = hnd[0] + (e[0] - hnd[0]) * 0.12, hnd[1] + (e[1] - hnd[1]) * 0.12
        if self.grips[i] == 'fist':
            # a closed hand sits further back on its point: the sleeve ends behind it
            fl = math.hypot(e[0] - hnd[0], e[1] - hnd[1]) or 1
            back = min(0.45 * self.u, 0.5 * fl)
            wx, wy = hnd[0] + (e[0] - hnd[0]) * back / fl, hnd[1] + (e[1] - hnd[1]) * back / fl
        self.hands[i] = hnd
        self.elbows[i] = e
        if self.dress == 'nude':
            # a bare arm tapers from the shoulder to the wrist
            u = self.u * (0.88 if self.hairstyle in ('long', 'bun') else 1)
            wu = u * (1.35 if self.child else 1)  # a child's arm is round and full to the wrist
            # the shoulder's round, the upper arm narrowing to the elbow, the forearm's swell
            # below it and the slim wrist
            # the arm grows out of the shoulder's round a little inside the torso's line, so no
            # knob shows above or beside it
            s = (s[0] + (self.x - s[0]) * 0.2, s[1] + 0.1 * u)
            arm = solid([('circle', s[0], s[1] + 0.06 * u, 0.22 * wu),
                         ('path', arm_shape(s, e, (wx, wy), wu, self.x))],
                        self.skin, INK, self.contour) + \
                far_shade([s, e, (wx, wy)], 0.07 * wu, 0.07 * wu, darker(self.skin, 0.08))
            if self.child:
                # the soft crease round a child's plump wrist
                fx, fy = wx + (e[0] - wx) * 0.14, wy + (e[1] - wy) * 0.14
                ang = math.degrees(math.atan2(e[1] - wy, e[0] - wx)) + 90
                arm += path('M%s,%s q%s,%s %s,%s' % (n(fx - 0.09 * wu * math.cos(math.radians(ang))),
                                                    n(fy - 0.09 * wu * math.sin(math.radians(ang))),
                                                    n(0.09 * wu * math.cos(math.radians(ang)) + 0.02 * wu),
                                                    n(0.09 * wu * math.sin(math.radians(ang)) + 0.03 * wu),
                                                    n(0.18 * wu * math.cos(math.radians(ang))),
                                                    n(0.18 * wu * math.sin(math.radians(ang)))),
                            'none', darker(self.skin, 0.3), max(1.0, 0.025 * u), extra='stroke-opacity="0.5"')
            return arm + self.hand(i)
        fold = darker(self.sleeves, 0.32)
        u = self.u
        extra = []
        if self.loose:
            return self._loose_sleeve(i, s, e, (wx, wy), fold) + self.hand(i)
        if self.dress != 'armour':
            # the sleeve creases in the crook of the elbow and ends in a cuff
            ax, ay = s[0] - e[0], s[1] - e[1]
            bx, by = hnd[0] - e[0], hnd[1] - e[1]
            la, lb = math.hypot(ax, ay) or 1, math.hypot(bx, by) or 1
            mx, my = ax / la + bx / lb, ay / la + by / lb  # into the crook
            ml = math.hypot(mx, my)
            if ml > 0.35:
                mx, my = mx / ml, my / ml
                c0 = (e[0] + mx * 0.2 * u, e[1] + my * 0.2 * u)
                extra.append(path('M%s,%s Q%s,%s %s,%s' % (n(c0[0] + ax / la * 0.16 * u), n(c0[1] + ay / la * 0.16 * u),
                                                         n(e[0] + mx * 0.02 * u), n(e[1] + my * 0.02 * u),
                                                         n(c0[0] + bx / lb * 0.16 * u), n(c0[1] + by / lb * 0.16 * u)),
                                  'none', fold, max(1.2, 0.03 * u)))
            px, py = -by / lb, bx / lb
            cx_, cy_ = e[0] + bx * 0.8, e[1] + by * 0.8
            extra.append(line((cx_ + px * 0.17 * u, cy_ + py * 0.17 * u), (cx_ - px * 0.17 * u, cy_ - py * 0.17 * u), fold,
                              max(1.2, 0.03 * u)))
            if u > 25:
                # the cloth's weight: on the upper arm a fold drawn down from the armpit towards
                # the elbow, and under the forearm the sleeve sagging from it
                qx, qy = -ay / la, ax / la
                if qy < 0:
                    qx, qy = -qx, -qy  # towards the lower side
                a0 = (s[0] - ax * 0.25 + qx * 0.13 * u, s[1] - ay * 0.25 + qy * 0.13 * u)
                a1 = (s[0] - ax * 0.75 - qx * 0.04 * u, s[1] - ay * 0.75 - qy * 0.04 * u)
                am = ((a0[0] + a1[0]) / 2 + qx * 0.05 * u, (a0[1] + a1[1]) / 2 + qy * 0.05 * u)
                extra.append(path('M%s,%s Q%s,%s %s,%s' % (n(a0[0]), n(a0[1]), n(am[0]), n(am[1]), n(a1[0]), n(a1[1])),
                                  'none', fold, max(1.2, 0.028 * u), extra='stroke-opacity="0.6"'))
                rx, ry = -by / lb, bx / lb
                if ry < 0:
                    rx, ry = -rx, -ry
                b0 = (e[0] + bx * 0.2 + rx * 0.14 * u, e[1] + by * 0.2 + ry * 0.14 * u)
                b1 = (e[0] + bx * 0.62 + rx * 0.12 * u, e[1] + by * 0.62 + ry * 0.12 * u)
                bm = ((b0[0] + b1[0]) / 2 + rx * 0.08 * u, (b0[1] + b1[1]) / 2 + ry * 0.08 * u)
                extra.append(path('M%s,%s Q%s,%s %s,%s' % (n(b0[0]), n(b0[1]), n(bm[0]), n(bm[1]), n(b1[0]), n(b1[1])),
                                  'none', fold, max(1.2, 0.028 * u), extra='stroke-opacity="0.6"'))
        if self._fore_only:
            # the far arm of a turned body: its upper arm lies behind the chest; only the
            # forearm and the hand come round in front of it
            return solid(self._sleeve(s, e, (wx, wy))[2:], self.sleeves, INK, self.contour) + \
                far_shade([e, (wx, wy)], 0.09 * u, 0.11 * u, darker(self.sleeves, 0.1)) + self.hand(i)
        # the sleeve's far side in shade, away from the light on the viewer's left
        extra.insert(0, far_shade([s, e], 0.12 * u, 0.15 * u, darker(self.sleeves, 0.1)) +
                     far_shade([e, (wx, wy)], 0.09 * u, 0.11 * u, darker(self.sleeves, 0.1)))
        return solid(self._sleeve(s, e, (wx, wy)), self.sleeves, INK, self.contour) + ''.join(extra) + self.hand(i)

    def _sleeve(self, s, e, w):
        """A fitted sleeve as pieces of one shape: full over the shoulder and the upper arm,
        narrowing a little to the elbow and on down the forearm to the wrist."""
        u = self.u * (1.2 if self.child else 1)  # a child's arm is round and full to the wrist
        at = lambda a, b, t: (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t)
        return [('circle', s[0], s[1], 0.24 * u),
                ('path', limb([s, at(s, e, 0.5), e], [0.24 * u, 0.23 * u, 0.205 * u])),
                ('circle', e[0], e[1], 0.205 * u),
                ('path', limb([e, at(e, w, 0.35), at(e, w, 0.75), w], [0.205 * u, 0.19 * u, 0.16 * u, 0.145 * u]))]

    def _loose_sleeve(self, i, s, e, w, fold):
        """A full sleeve of soft cloth from the shoulder to the wrist: the upper arm's part,
        then the forearm's over it, narrowing to the elbow and opening in a bell round the
        wrist; the cloth pulls in long folds towards the elbow and turns into shade on its
        far side."""
        u = self.u
        lw = max(1.2, 0.03 * u)
        out = []
        for a, b, ws, bell in ((s, e, (0.27, 0.23, 0.21), False), (e, w, (0.21, 0.22, 0.26, 0.33), True)):
            dx, dy = b[0] - a[0], b[1] - a[1]
            d = math.hypot(dx, dy) or 1
            ux, uy, px, py = dx / d, dy / d, -dy / d, dx / d
            at = lambda t, o: (a[0] + dx * t + px * o * u, a[1] + dy * t + py * o * u)
            ts = [k / (len(ws) - 1) for k in range(len(ws))]
            pts = [at(t, 0) for t in ts]
            shape = [('path', limb(pts, [x * u for x in ws])), ('circle', a[0], a[1], ws[0] * u)]
            out.append(solid(shape, self.sleeves, INK, self.contour))
            out.append(far_shade(pts, 0.13 * u, 0.14 * u, darker(self.sleeves, 0.1)))
            # long folds pulled from the wide end towards the narrow one
            for o0, o1 in ((-0.14, -0.04), (0.1, 0.02), (0.2, 0.1)) if bell else ((-0.16, 0.06),):
                p0, p1 = (at(0.92, o0), at(0.18, o1)) if bell else (at(0.12, o0), at(0.85, o1))
                c = at(0.55, (o0 + o1) / 2 + 0.05)
                out.append(path('M%s,%s Q%s,%s %s,%s' % (n(p0[0]), n(p0[1]), n(c[0]), n(c[1]), n(p1[0]), n(p1[1])),
                                'none', fold, lw, extra='stroke-opacity="0.75"'))
            if bell:
                # the open end of the sleeve, the inside in shade round the wrist
                out.append(ellipse(b[0] - ux * 0.03 * u, b[1] - uy * 0.03 * u, 0.31 * u, 0.08 * u, darker(self.sleeves, 0.3),
                                   INK, lw, math.degrees(math.atan2(dy, dx)) + 90))
        return ''.join(out)

    def disc_at(self, i, r):
        """Where a disc of radius r (a coin, a plate) held by its rim in hand i has its centre:
        beyond the hand along the forearm."""
        x, y = self.hands[i]
        ex, ey = self.elbows[i] or (x, y - 1)
        d = math.hypot(x - ex, y - ey) or 1
        return x + (x - ex) / d * r * 0.8, y + (y - ey) / d * r * 0.8

    def holding_disc(self, i, centre, r, disc):
        """Hand i holding `disc` (its drawing, centred on `centre`, radius r) by the rim: the
        palm and the fingers behind it, the thumb laid over its edge in front."""
        x, y = self.hands[i]
        cx, cy = centre
        d = math.hypot(x - cx, y - cy) or 1
        ux, uy = (x - cx) / d, (y - cy) / d
        u = self.u * (0.9 if self.hairstyle in ('long', 'bun') else 1)
        # the thumb on the body's side of the hand
        t = -1 if i == 0 else 1
        px, py = -uy * t, ux * t
        if px * (self.x - x) < 0:
            px, py = -px, -py
        rx, ry = cx + ux * r, cy + uy * r
        base = (rx + ux * 0.1 * u + px * 0.1 * u, ry + uy * 0.1 * u + py * 0.1 * u)
        tip = (rx - ux * 0.2 * u + px * 0.03 * u, ry - uy * 0.2 * u + py * 0.03 * u)
        lw = max(1.2, min(2.0, 0.026 * u))
        thumb = solid([('path', limb([base, tip], [0.065 * u, 0.045 * u]))], self.skin, INK, lw)
        nail = ellipse(tip[0] + ux * 0.04 * u, tip[1] + uy * 0.04 * u, 0.03 * u, 0.022 * u, mix(self.skin, '#ffffff', 0.35),
                       darker(self.skin, 0.38), 0.8)
        return self.hand(i, 'rest') + disc + thumb + nail

    def _tipped(self, drawing):
        """Parts of the head tipped by `tilt` about the top of the neck."""
        if not self.tilt or not drawing:
            return drawing
        cx, cy = self.head
        return group([drawing], 'rotate(%s %s %s)' % (n(self.tilt), n(cx), n(cy + 0.5 * self.hu)))

    def _raised_elbow(self, s, hnd, side):
        """Where the elbow goes when the hand is raised above the shoulder: out to the side and
        never below the shoulder, the arm opened to at least 115 degrees. A hand held close is
        reached by an arm coming towards the viewer, so the arm is drawn shortened rather than
        folded into a wing."""
        up, lo = 1.45 * self.u, 1.4 * self.u
        d = math.hypot(hnd[0] - s[0], hnd[1] - s[1])
        open_ = math.sqrt(up * up + lo * lo - 2 * up * lo * math.cos(math.radians(115)))
        k = min(1.0, d / open_) if d > 0 else 1.0
        e = _elbow(s, hnd, up * k, lo * k, side)
        if e[1] > s[1]:
            # the other bend keeps the elbow up where this one would drop it under the shoulder
            f = _elbow(s, hnd, up * k, lo * k, -side)
            if f[1] < e[1]:
                e = f
        return e

    def _hanging_elbow(self, s, hnd, side, out=0.18):
        """Where the elbow hangs when the hand is held in front of the body, below the shoulder:
        the upper arm falls along the side, a little out, and the forearm comes forward to the
        hand, seen shortened. None where the arm is stretched or raised."""
        u = self.u
        dx, dy = (hnd[0] - s[0]) / u, (hnd[1] - s[1]) / u
        if dy < 0.5 or dy > 2.6 or math.hypot(dx, dy) > 2.5:
            return None
        # the upper arm: down, leaning a little outwards and towards the hand
        ax0 = max(-0.6, min(0.6, side * out + 0.22 * dx))
        drop0 = min(1.38, max(0.9, dy * 0.75 + 0.35))
        # a hand close under the shoulder: the elbow moves out and up until the forearm has room
        for k in range(4 if out >= 0.18 else 6):
            ax = ax0 + side * 0.15 * k
            drop = drop0 - 0.12 * k
            e = (s[0] + ax * u, s[1] + math.sqrt(max(0.0, drop * drop - ax * ax * 0.3)) * u)
            fore = math.hypot(hnd[0] - e[0], hnd[1] - e[1]) / u
            if 0.45 < fore <= 1.42:
                return e
        return None

    @staticmethod
    def _wrist_turn(ang, held):
        """How far the wrist bends a fist drawn along a forearm at `ang` degrees so that its
        row of fingers follows a held thing running along `held`, as far as a wrist bends."""
        along = math.degrees(math.atan2(held[1], held[0]))
        best = None
        for want in (along - 90, along + 90):
            d = (want - ang + 180) % 360 - 180
            if best is None or abs(d) < abs(best):
                best = d
        return max(-40.0, min(40.0, best))

    def hand(self, i, grip=None):
        """Hand i drawn along its forearm: 'fist' closed round a held thing (the fingers curled
        in a row of knuckles, the thumb laid over them), 'open' (a palm with spread fingers),
        'point' (the index stretched out), 'rest' (hanging or laid on something, the fingers
        together), 'pray' (palms together)."""
        grip = grip or self.grips[i]
        x, y = self.hands[i]
        ex, ey = self.elbows[i] or (x, y - 1)
        ang = math.degrees(math.atan2(y - ey, x - ex))
        if grip == 'fist' and self.holds[i]:
            # the fist closed round the staff: its middle, not its knuckles, on the staff's line
            ang += self._wrist_turn(ang, self.holds[i])
            f = 1.15 * self.u * (0.9 if self.hairstyle in ('long', 'bun') else 1)
            x += math.cos(math.radians(ang)) * 0.115 * f
            y += math.sin(math.radians(ang)) * 0.115 * f
        # a woman's and a child's hands are a little smaller against the head
        u = self.u * (0.9 if self.hairstyle in ('long', 'bun') else 1)
        # the thumb is on the body's side of the hand
        t = -1 if (i == 0) == (math.cos(math.radians(ang)) >= 0) else 1
        sk = self.skin
        ln = darker(sk, 0.38)
        lw = max(1.2, min(2.0, 0.026 * u))   # the hand's outline
        fw = max(0.8, lw * 0.65)              # the lines between the fingers

        def seg(a, b, w0, w1):
            return ('path', limb([a, b], [w0, w1]))

        def digit(a, b, w):
            """A finger or a thumb from its root a to its tip b: round at the tip."""
            return ('stroke', 'M%s,%s L%s,%s' % (n(a[0]), n(a[1]), n(b[0]), n(b[1])), w)

        def thumb(a, c, b, w):
            """A thumb from its root a past its joint c to its tip b, tapering, its nail at the
            tip: drawn over the rest of the hand."""
            shape = solid([('path', limb([a, c, b], [w * 0.62, w * 0.55, w * 0.44])), ('circle', b[0], b[1], w * 0.44)],
                          sk, INK, lw * 0.85)
            # its root runs into the palm without a line
            shape += circle(a[0] + (c[0] - a[0]) * 0.1, a[1] + (c[1] - a[1]) * 0.1, w * 0.56, sk, None, 0)
            dx, dy = b[0] - c[0], b[1] - c[1]
            d = math.hypot(dx, dy) or 1
            nail = ellipse(b[0] - dx / d * w * 0.12, b[1] - dy / d * w * 0.12, w * 0.3, w * 0.22,
                           mix(sk, '#ffffff', 0.3), None, 0, math.degrees(math.atan2(dy, dx)))
            return shape + nail

        def gaps(xs, ys, x1s):
            """The lines between fingers lying side by side, from x0 to each one's x1."""
            return ''.join(line((x0, y_), (x1, y_), ln, fw) for x0, y_, x1 in zip(xs, ys, x1s))

        if grip == 'fist':
            # the held thing runs through the hand's point, under the curled fingers: the back of
            # the hand towards the wrist, the four fingers closed round in a row of rounded
            # joints, and the thumb laid over the first two
            f = 1.15 * u
            o = -0.085 * f
            fd = 0.074 * f  # a finger's thickness
            ks = [t * (0.111 - j * 0.074) * f for j in range(4)]  # index first, from the thumb's side
            pieces = [('path', limb([(o - 0.2 * f, 0), (o - 0.02 * f, 0), (o + 0.05 * f, 0)], [0.11 * f, 0.145 * f, 0.15 * f])),
                      ('circle', o - 0.2 * f, 0, 0.11 * f)]
            for j, k in enumerate(ks):
                tip = (0.135, 0.14, 0.135, 0.115)[j]
                pieces.append(digit((o + 0.02 * f, k), (o + tip * f, k * 0.96), fd * (0.96 if j < 3 else 0.84)))
            out = [solid(pieces, sk, INK, lw)]
            out.append(gaps([o + 0.05 * f] * 3, [(a + b) / 2 for a, b in zip(ks, ks[1:])],
                            [o + 0.16 * f, o + 0.165 * f, o + 0.15 * f]))
            # the knuckles' ridge across the back of the hand, and the middle joints' fold
            out.append(path('M%s,%s Q%s,%s %s,%s' % (n(o + 0.0 * f), n(-0.14 * f), n(o + 0.04 * f), n(0), n(o + 0.0 * f),
                                                     n(0.14 * f)), 'none', ln, fw))
            out.append(path('M%s,%s Q%s,%s %s,%s' % (n(o + 0.1 * f), n(-0.1 * f), n(o + 0.085 * f), n(0), n(o + 0.1 * f),
                                                     n(0.1 * f)), 'none', ln, fw * 0.7, extra='stroke-opacity="0.6"'))
            out.append(thumb((o - 0.14 * f, t * 0.12 * f), (o - 0.02 * f, t * 0.115 * f), (o + 0.085 * f, t * 0.05 * f),
                             0.1 * f))
        elif grip == 'point':
            # the index stretched out, the other fingers curled under the palm, the thumb laid
            # along the curled middle finger
            fd = 0.062 * u
            palm = [('path', limb([(-0.08 * u, 0), (0.1 * u, 0), (0.17 * u, 0)], [0.1 * u, 0.125 * u, 0.12 * u])),
                    ('circle', -0.08 * u, 0, 0.1 * u)]
            ks = [t * (0.085 - j * 0.062) * u for j in range(4)]
            for j, k in enumerate(ks[1:]):
                palm.append(digit((0.1 * u, k), ((0.25 - 0.02 * j) * u, k * 0.95), fd * (1 if j < 2 else 0.88)))
            palm.append(digit((0.12 * u, ks[0]), (0.46 * u, ks[0] + t * 0.02 * u), fd * 0.95))
            out = [solid(palm, sk, INK, lw)]
            out.append(gaps([0.16 * u] * 3, [(a + b) / 2 for a, b in zip(ks, ks[1:])], [0.3 * u, 0.27 * u, 0.25 * u]))
            out.append(line((0.31 * u, ks[0] - t * 0.02 * u), (0.31 * u, ks[0] + t * 0.015 * u), ln, fw * 0.8))
            out.append(thumb((-0.04 * u, t * 0.12 * u), (0.07 * u, t * 0.1 * u), (0.19 * u, t * 0.03 * u), 0.1 * u))
        elif grip == 'open':
            pieces = [('path', limb([(-0.06 * u, 0), (0.1 * u, 0), (0.2 * u, 0)], [0.12 * u, 0.15 * u, 0.145 * u])),
                      ('circle', -0.06 * u, 0, 0.12 * u)]
            for k, ln_ in zip((-0.11, -0.037, 0.037, 0.11), (0.24, 0.3, 0.28, 0.22)):
                k *= -t
                pieces.append(digit((0.17 * u, k * u), (0.17 * u + ln_ * u, k * 1.4 * u), 0.068 * u))
            out = [solid(pieces, sk, INK, lw)]
            # the palm's creases and the fingers' joints
            out.append(path('M%s,%s q%s,%s %s,%s' % (n(0.02 * u), n(t * 0.06 * u), n(0.08 * u), n(-t * 0.02 * u), n(0.14 * u),
                                                    n(-t * 0.12 * u)), 'none', ln, fw))
            out.append(path('M%s,%s q%s,%s %s,%s' % (n(0.15 * u), n(-t * 0.1 * u), n(0.03 * u), n(t * 0.08 * u), n(0.02 * u),
                                                    n(t * 0.16 * u)), 'none', ln, fw * 0.7, extra='stroke-opacity="0.6"'))
            out.append(thumb((0.0, t * 0.08 * u), (0.1 * u, t * 0.2 * u), (0.2 * u, t * 0.29 * u), 0.1 * u))
        elif grip == 'pray':
            # the palms pressed together seen from the side: the near hand's back, its fingers
            # lying straight along the other's to the joined fingertips, the thumb along them
            out = [solid([('path', limb([(-0.04 * u, 0), (0.18 * u, 0), (0.36 * u, 0), (0.5 * u, 0)],
                                        [0.12 * u, 0.13 * u, 0.1 * u, 0.045 * u])),
                          ('circle', 0.5 * u, 0, 0.045 * u), ('circle', -0.04 * u, 0, 0.12 * u)], sk, INK, lw)]
            for k in (-0.05, 0.0, 0.05):
                out.append(line((0.24 * u, k * u), (0.44 * u - abs(k) * 0.8 * u, k * 0.55 * u), ln, fw))
            out.append(path('M%s,%s Q%s,%s %s,%s' % (n(0.14 * u), n(-0.1 * u), n(0.2 * u), n(0), n(0.14 * u), n(0.1 * u)),
                            'none', ln, fw * 0.8, extra='stroke-opacity="0.6"'))
            out.append(thumb((0.0, t * 0.07 * u), (0.1 * u, t * 0.1 * u), (0.22 * u, t * 0.09 * u), 0.1 * u))
        else:
            # at rest: the fingers together and a little bent, the middle one the longest, the
            # thumb apart along the side
            fd = 0.064 * u
            pieces = [('path', limb([(-0.06 * u, 0), (0.1 * u, 0), (0.19 * u, 0)], [0.1 * u, 0.13 * u, 0.13 * u])),
                      ('circle', -0.06 * u, 0, 0.1 * u)]
            ks = [t * (0.096 - j * 0.064) * u for j in range(4)]
            for j, k in enumerate(ks):
                ln_ = (0.2, 0.23, 0.215, 0.17)[j]
                pieces.append(digit((0.15 * u, k), ((0.15 + ln_) * u, k * 0.86 - t * 0.015 * u), fd * (1 if j < 3 else 0.88)))
            out = [solid(pieces, sk, INK, lw)]
            out.append(gaps([0.2 * u] * 3, [(a + b) / 2 * 0.9 for a, b in zip(ks, ks[1:])], [0.33 * u, 0.34 * u, 0.3 * u]))
            out.append(thumb((-0.02 * u, t * 0.09 * u), (0.08 * u, t * 0.14 * u), (0.19 * u, t * 0.16 * u), 0.1 * u))
        return group(out, 'translate(%s %s) rotate(%s)' % (n(x), n(y), n(ang)))

    def _vary(self, k, lo, hi):
        """A figure's own measure between lo and hi for the feature k, fixed by its look, so
        that faces on one card differ a little in their eyes, brows, nose and mouth."""
        h = ((self.look + 1) * 2654435761 + k * 40503) & 0xffffffff
        h = ((h ^ (h >> 13)) * 1274126177) & 0xffffffff
        return lo + (hi - lo) * ((h >> 8) % 1000) / 999.0

    def _face(self):
        """The eyes, brows, nose and mouth: where the face looks (`face`, `gaze`) and what it
        feels (`mood`)."""
        cx, cy = self.head
        u = self.hu
        # this face's own build: eyes set wider or closer, larger or smaller, rounder or
        # narrower and slanted; brows higher or lower, straighter or arched, heavier or finer;
        # a longer or shorter nose; a wider or narrower mouth set higher or lower
        apart, eye_w, eye_o, tilt = self._vary(1, 0.88, 1.1), self._vary(2, 0.86, 1.14), self._vary(3, 0.8, 1.22), \
            self._vary(4, -0.012, 0.014)
        brow_up, arch, brow_w = self._vary(5, -0.02, 0.03), self._vary(6, -0.01, 0.035), self._vary(7, 0.75, 1.3)
        nose_l, mouth_w, mouth_y = self._vary(10, 0.85, 1.2), self._vary(8, 0.82, 1.2), self._vary(9, -0.025, 0.02)
        w = max(1.6, 0.05 * u)
        f = self.face
        out = []
        if f in ('back', 'hidden'):
            return ''
        if f == 'skull':
            out.append(ellipse(cx - 0.16 * u, cy, 0.11 * u, 0.13 * u, '#1a1418', None, 0))
            out.append(ellipse(cx + 0.16 * u, cy, 0.11 * u, 0.13 * u, '#1a1418', None, 0))
            out.append(path(poly([(cx, cy + 0.12 * u), (cx - 0.06 * u, cy + 0.24 * u), (cx + 0.06 * u, cy + 0.24 * u)]),
                            '#1a1418', None, 0))
            for k in range(-2, 3):
                out.append(line((cx + k * 0.07 * u, cy + 0.32 * u), (cx + k * 0.07 * u, cy + 0.42 * u), INK, w * 0.7))
            out.append(line((cx - 0.2 * u, cy + 0.37 * u), (cx + 0.2 * u, cy + 0.37 * u), INK, w * 0.7))
            return ''.join(out)
        mood = self.mood
        if self.profile:
            return self._profile()
        turn = {'left': -1, 'right': 1}.get(f, 0)
        shift = turn * 0.13 * u
        gx, gy = self.gaze if self.gaze is not None else (turn, {'up': -1, 'down': 1}.get(f, 0))
        ey = cy + (0.05 if f != 'up' else -0.02) * u
        lids = f in ('down', 'closed') or mood == 'rest'  # 'rest': the eyes closed, the face at peace
        large = u > 26  # big enough to draw the eye's white, iris and lids
        # brows: how far the inner and the outer end sit above the eye
        inner, outer = {'calm': (0.12, 0.12), 'joy': (0.15, 0.13), 'grief': (0.2, 0.08), 'fear': (0.22, 0.16),
                        'effort': (0.06, 0.15), 'focus': (0.1, 0.12), 'stern': (0.06, 0.14), 'rest': (0.13, 0.11)}[mood]
        # how open the eye is, and how its upper lid slants (+: drooping at the outer corner)
        open_, droop = {'calm': (0.05, 0.0), 'joy': (0.035, -0.01), 'grief': (0.035, 0.03), 'fear': (0.07, -0.01),
                        'effort': (0.032, 0.0), 'focus': (0.04, 0.0), 'stern': (0.038, -0.015), 'rest': (0.0, 0.0)}[mood]
        open_, droop = open_ * eye_o, droop + tilt
        inner, outer = inner + brow_up, outer + brow_up
        up = max(0.0, -gy) if mood in ('calm', 'joy', 'rest', 'focus') else 0.0
        if up:
            # a quiet face looking up lifts its brows and opens its eyes a little with the
            # gaze; they never draw down towards the eyes, which would read as a frown
            inner, outer = inner + 0.04 * up, outer + 0.03 * up
            open_ *= 1 + 0.2 * up
        lid_c = darker(self.skin, 0.32)
        lw = max(1.2, 0.035 * u)  # the eyes' own lines, finer than the brows
        for s in (-1, 1):
            x = cx + shift + s * 0.17 * apart * u
            far = turn and s == -turn
            if far:
                x += turn * 0.03 * u  # the far eye sits closer to the nose, and looks narrower
            ew = 0.085 * eye_w * u * (0.78 if far else 1)
            if self.blindfold:
                continue
            xi, xo = x - s * ew, x + s * ew  # inner and outer corner
            if lids:
                out.append(path('M%s,%s q%s,%s %s,0' % (n(x - ew), n(ey + 0.02 * u), n(ew),
                                                        n((0.07 if mood != 'grief' else -0.05) * u), n(2 * ew)),
                                'none', INK, w))
                out.append(path('M%s,%s q%s,%s %s,0' % (n(x - ew * 0.8), n(ey + 0.055 * u), n(ew * 0.8),
                                                        n(0.03 * u), n(1.6 * ew)), 'none', lid_c, w * 0.5))
            elif large:
                h = open_ * u
                top_i, top_o = ey - h, ey - h + droop * u
                eye = 'M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
                    n(xi), n(ey), n(x), n((top_i + top_o) / 2 - h * 0.6), n(xo), n(ey + droop * u * 0.3),
                    n(x), n(ey + h * (0.5 if mood == 'joy' else 1.1)), n(xi), n(ey))
                out.append(path(eye, '#fbf7ee', None, 0))
                ir = min(0.036 * u, h * 0.95)
                px = x + gx * 0.03 * u * (0.6 if far else 1)
                out.append(circle(px, ey + gy * 0.012 * u, ir, '#4a3324', None, 0))
                out.append(circle(px, ey + gy * 0.012 * u, ir * 0.5, INK, None, 0))
                # the upper lid, drawn heavier, its crease above it, and a light lower lid
                out.append(path('M%s,%s Q%s,%s %s,%s' % (n(xi), n(ey), n(x), n((top_i + top_o) / 2 - h * 0.6),
                                                         n(xo + s * ew * 0.1), n(ey + droop * u * 0.3 - 0.005 * u)),
                                'none', INK, lw))
                if mood not in ('effort', 'fear'):
                    out.append(path('M%s,%s Q%s,%s %s,%s' % (n(x - s * ew * 0.6), n(top_i - 0.03 * u), n(x),
                                                             n(top_i - h * 0.9 - 0.03 * u), n(x + s * ew * 0.8),
                                                             n(top_o - 0.025 * u)), 'none', lid_c, lw * 0.4))
                if not up:
                    out.append(path('M%s,%s Q%s,%s %s,%s' % (n(x - s * ew * 0.7), n(ey + h * 0.7), n(x),
                                                             n(ey + h * (0.6 if mood == 'joy' else 1.25)), n(xo),
                                                             n(ey + 0.01 * u)), 'none', lid_c, lw * 0.4))
            elif mood == 'fear':
                out.append(ellipse(x, ey, 0.075 * u, 0.07 * u, '#fbf8f0', INK, w * 0.6))
                out.append(circle(x + gx * 0.03 * u, ey + gy * 0.025 * u, 0.03 * u, INK, None, 0))
            elif u > 12:
                # a small face: the eye an almond, dark, under the heavier line of its upper lid,
                # looking where the figure looks
                h = max(open_, 0.055) * u
                ox, oy = gx * 0.02 * u, gy * 0.012 * u
                eye = 'M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
                    n(xi), n(ey), n(x + ox), n(ey + oy - h * 1.4), n(xo), n(ey + droop * u * 0.3),
                    n(x + ox), n(ey + oy + h * 1.1), n(xi), n(ey))
                out.append(path(eye, '#3a2a20', None, 0))
                out.append(path('M%s,%s Q%s,%s %s,%s' % (n(xi), n(ey - 0.01 * u), n(x), n(ey - h * 1.75),
                                                         n(xo + s * ew * 0.2), n(ey + droop * u * 0.3 - 0.01 * u)), 'none', INK,
                                lw * 0.8))
            else:
                out.append(ellipse(x + gx * 0.025 * u, ey + gy * 0.02 * u, 0.045 * u, 0.06 * u, INK, None, 0))
            bi, bo = x - s * 0.08 * u, x + s * 0.1 * u
            out.append(path('M%s,%s Q%s,%s %s,%s' % (n(bi), n(ey - inner * u), n(x),
                                                     n(ey - (max(inner, outer) + 0.03 + arch) * u), n(bo),
                                                     n(ey - outer * u)), 'none', INK, w * 0.85 * brow_w))
            if mood == 'grief' and large:
                # the brow's inner end drawn up into a short furrow
                out.append(line((bi + s * 0.01 * u, ey - (inner + 0.02) * u), (bi + s * 0.03 * u, ey - (inner + 0.08) * u),
                                lid_c, w * 0.45))
        if (mood in ('stern', 'effort', 'focus')) and large and not self.blindfold:
            # a furrow between the brows
            fx = cx + shift + turn * 0.03 * u
            out.append(line((fx - 0.015 * u, ey - 0.09 * u), (fx - 0.01 * u, ey - 0.16 * u), lid_c, w * 0.45))
        if self.blindfold:
            out.append(path('M%s,%s L%s,%s L%s,%s L%s,%s Z' % (
                n(cx - 0.44 * u), n(ey - 0.16 * u), n(cx + 0.44 * u), n(ey - 0.16 * u), n(cx + 0.43 * u), n(ey + 0.09 * u),
                n(cx - 0.43 * u), n(ey + 0.09 * u)), '#f7f4ec', INK, 2))
            out.append(path('M%s,%s q%s,%s %s,%s' % (n(cx + 0.42 * u), n(ey - 0.05 * u), n(0.2 * u), n(0.1 * u), n(0.3 * u),
                                                    n(0.45 * u)), 'none', '#f7f4ec', 0.08 * u))
        nx = cx + shift + turn * 0.02 * u
        nose_c = darker(self.skin, 0.55)
        nd = turn or -0.6
        if self.blindfold:
            # under a blindfold the nose shows only below the cloth: a short soft shade under
            # its tip and down one side, with no line that could read as a moustache
            out.append(path('M%s,%s q%s,%s %s,%s q%s,%s %s,%s Z' % (
                n(nx - 0.06 * u), n(ey + 0.19 * u), n(0.06 * u), n(0.045 * u), n(0.12 * u), n(0),
                n(-0.06 * u), n(0.015 * u), n(-0.12 * u), n(0)), darker(self.skin, 0.4), None, 0,
                extra='fill-opacity="0.7"'))
            out.append(path('M%s,%s l%s,%s l%s,%s Z' % (n(nx + 0.015 * u * nd), n(ey + 0.1 * u), n(0.035 * u * nd),
                                                       n(0.09 * u), n(-0.03 * u * nd), n(0)),
                            darker(self.skin, 0.3), None, 0, extra='fill-opacity="0.45"'))
        elif self.nose == 1:
            # a short rounded nose
            nw = 0.05 * u * (2 - nose_l)  # a shorter nose is the broader
            out.append(path('M%s,%s q%s,%s %s,%s' % (n(nx - nw), n(ey + 0.17 * nose_l * u), n(nw), n(0.05 * u),
                                                    n(2 * nw), n(0)), 'none', nose_c, w * 0.6))
        elif self.nose == 2:
            # a long straight nose
            out.append(path('M%s,%s l%s,%s l%s,%s' % (n(nx), n(ey + 0.02 * u), n(0.03 * u * nd), n(0.2 * nose_l * u),
                                                      n(-0.07 * u * nd), n(0.02 * u)), 'none', nose_c, w * 0.6))
        else:
            out.append(path('M%s,%s l%s,%s l%s,%s' % (n(nx), n(ey + 0.06 * u), n(0.05 * u * nd), n(0.15 * nose_l * u),
                                                      n(-0.06 * u * nd), n(0.02 * u)), 'none', nose_c, w * 0.6))
        my = cy + ((0.34 if f != 'up' else 0.28) + mouth_y) * u
        # turned three-quarter, the mouth sits a little off the middle towards the turn, under
        # the nose's root and well inside the cheek; its far half is foreshortened
        mx = cx + turn * 0.1 * u
        m = mouth_w * u  # the mouth's widths are measured in m
        fl, fr = (0.7 if turn < 0 else 1.0), (0.7 if turn > 0 else 1.0)  # each half's length
        lip = mix(darker(self.skin, 0.2), '#b0484a', 0.35)
        soft = darker(self.skin, 0.3)
        if self.blindfold:
            # the mouth under a blindfold: one short line, a hair lower at its corners when grave
            bend = 0.007 * u if mood in ('grief', 'stern') else 0.0
            out.append(path('M%s,%s q%s,%s %s,0' % (n(mx - 0.08 * m * fl), n(my + bend), n(0.08 * m * fl), n(-2 * bend),
                                                   n(0.08 * m * (fl + fr))), 'none', INK, w * 0.8))
        elif mood == 'joy':
            # a smile opened a little, lifting the cheeks
            out.append(path('M%s,%s q%s,%s %s,0 q%s,%s %s,0 Z' % (n(mx - 0.13 * m), n(my - 0.02 * u), n(0.13 * m), n(0.03 * u),
                                                               n(0.26 * m), n(-0.13 * m), n(0.14 * u), n(-0.26 * m)),
                            '#7a3a36', INK, w * 0.8))
            for s in (-1, 1):
                out.append(circle(cx + shift + s * 0.26 * u, cy + 0.22 * u, 0.07 * u, '#e89a90', None, 0, 'fill-opacity="0.7"'))
                out.append(path('M%s,%s q%s,%s %s,%s' % (n(mx + s * 0.15 * m), n(my - 0.06 * u), n(s * 0.03 * u), n(0.03 * u),
                                                        n(0), n(0.07 * u)), 'none', soft, w * 0.5))
        elif mood == 'grief':
            out.append(path('M%s,%s q%s,%s %s,0' % (n(mx - 0.1 * m), n(my + 0.04 * u), n(0.1 * m), n(-0.07 * u), n(0.2 * m)),
                            'none', INK, w))
            out.append(path('M%s,%s q%s,%s %s,0' % (n(mx - 0.05 * u), n(my + 0.08 * u), n(0.05 * u), n(0.025 * u), n(0.1 * u)),
                            'none', soft, w * 0.55))
            tx = cx + shift + 0.2 * u
            out.append(path('M%s,%s q%s,%s 0,%s q%s,%s 0,%s Z' % (n(tx), n(ey + 0.08 * u), n(-0.04 * u), n(0.07 * u),
                                                                  n(0.1 * u), n(0.04 * u), n(-0.03 * u), n(-0.1 * u)),
                            '#a9d4f5', INK, 1))
        elif mood == 'fear':
            out.append(ellipse(mx, my + 0.01 * u, 0.06 * u, 0.07 * u, '#5a2a2a', INK, w * 0.7))
        elif mood == 'effort':
            out.append(rect(mx - 0.11 * u, my - 0.03 * u, 0.22 * u, 0.07 * u, '#fbf8f0', INK, w * 0.7, r=0.02 * u))
            out.append(line((mx - 0.1 * u, my + 0.005 * u), (mx + 0.1 * u, my + 0.005 * u), soft, w * 0.4))
        elif mood in ('focus', 'stern'):
            dn = 0.025 if mood == 'stern' else 0.01
            out.append(path('M%s,%s Q%s,%s %s,%s' % (n(mx - 0.09 * m * fl), n(my + dn * u), n(mx), n(my - dn * u),
                                                     n(mx + 0.09 * m * fr), n(my + dn * u)), 'none', INK, w))
            out.append(line((mx - 0.04 * u * fl, my + 0.07 * u), (mx + 0.04 * u * fr, my + 0.07 * u), lip, w * 0.4))
        else:
            # a closed mouth at rest: the line between the lips, its corners level with its middle
            # or a hair above it, never drawn down, and the lower lip's shadow
            # (a head tipped to one side would carry one corner down: the mouth is drawn half
            # against the tip, so it still rests level)
            k = 0.1 * m * math.sin(math.radians(self.tilt)) * 0.5
            a, b = 0.1 * m * fl, 0.1 * m * fr
            out.append(path('M%s,%s q%s,%s %s,%s q%s,%s %s,%s' % (n(mx - a), n(my - 0.008 * u + k), n(a / 2),
                                                                n(0.016 * u - k), n(a), n(0.016 * u - k), n(b / 2), n(0),
                                                                n(b), n(-0.016 * u - k)), 'none', INK, w * 0.9))
            out.append(path('M%s,%s q%s,%s %s,0' % (n(mx - 0.05 * u * fl), n(my + 0.065 * u), n(0.05 * u * fl), n(0.02 * u),
                                                   n(0.05 * u * (fl + fr))), 'none', lip, w * (0.25 if up else 0.35)))
        out.append(self._lines_of_age())
        if u > 26 and f not in ('up',) and not up and not self.blindfold:
            # the chin's hollow under the lower lip
            out.append(path('M%s,%s q%s,%s %s,0' % (n(mx - 0.05 * u), n(cy + 0.45 * u), n(0.05 * u), n(-0.025 * u), n(0.1 * u)),
                            'none', soft, w * 0.3))
        return ''.join(out)

    def _profile(self):
        """The face side on (the nose and the lips are in the head's outline): one eye seen from
        the side, its brow, the nostril's wing, the line between the lips and the jaw's edge."""
        cx, cy = self.head
        u = self.hu
        w = max(1.4, 0.045 * u)
        t = 1 if self.face == 'right' else -1
        mood = self.mood
        ey = cy + 0.04 * u
        gx, gy = self.gaze if self.gaze is not None else (t, 0)
        X = lambda a: cx + t * a * u
        soft = darker(self.skin, 0.32)
        out = []
        inner, outer = {'calm': (0.12, 0.12), 'joy': (0.15, 0.13), 'grief': (0.2, 0.08), 'fear': (0.22, 0.16),
                        'effort': (0.06, 0.15), 'focus': (0.1, 0.12), 'stern': (0.06, 0.14), 'rest': (0.13, 0.11)}[mood]
        if self.blindfold:
            out.append(rect(cx - 0.44 * u, ey - 0.14 * u, 0.88 * u, 0.22 * u, '#f7f4ec', INK, 2))
        elif self.face == 'closed' or mood == 'rest' or mood == 'grief' and gy > 0:
            # the closed lid, its lashes and, on a large head, the lid's crease
            out.append(path('M%s,%s Q%s,%s %s,%s' % (n(X(0.24)), n(ey), n(X(0.3)), n(ey + 0.04 * u), n(X(0.35)), n(ey + 0.005 * u)),
                            'none', INK, w))
            if u > 26:
                out.append(path('M%s,%s Q%s,%s %s,%s' % (n(X(0.25)), n(ey - 0.035 * u), n(X(0.3)), n(ey - 0.055 * u), n(X(0.34)),
                                                         n(ey - 0.03 * u)), 'none', soft, w * 0.45))
        else:
            # the eye from the side: a wedge opening towards the front, the iris at its front
            # effort narrows the eye a little, never to a slit: the iris stays in sight
            h = {'fear': 0.06, 'effort': 0.05}.get(mood, 0.045) * u
            eye = 'M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (n(X(0.22)), n(ey), n(X(0.3)), n(ey - h * 1.1), n(X(0.36)),
                                                         n(ey - h * 0.35), n(X(0.31)), n(ey + h * 0.75), n(X(0.22)), n(ey))
            out.append(path(eye, '#fbf7ee', None, 0))
            # the iris towards the front of the opening but clear of the brow's outline, and
            # kept inside the opening when the gaze drops, with its dark pupil
            ix = X(0.32) + gx * 0.004 * u
            iy = ey - h * 0.1 + max(-1.0, min(1.0, gy)) * 0.004 * u
            out.append(ellipse(ix, iy, 0.022 * u, min(0.034 * u, h * 0.85), '#4a3324', None, 0))
            if u > 26:
                out.append(ellipse(ix + t * 0.006 * u, iy, 0.009 * u, min(0.016 * u, h * 0.4), INK, None, 0))
            out.append(path('M%s,%s Q%s,%s %s,%s' % (n(X(0.22)), n(ey), n(X(0.3)), n(ey - h * 1.1), n(X(0.37)), n(ey - h * 0.3)),
                            'none', INK, w * (0.75 if mood == 'effort' else 1)))
            out.append(path('M%s,%s Q%s,%s %s,%s' % (n(X(0.25)), n(ey + h * 0.25), n(X(0.3)), n(ey + h * 0.8), n(X(0.35)),
                                                     n(ey + h * 0.1)), 'none', soft, w * 0.45))
        if not self.blindfold:
            # the brow over the eye, lower at its inner end in anger or effort, raised in fear
            out.append(path('M%s,%s Q%s,%s %s,%s' % (n(X(0.2)), n(ey - (outer + 0.02) * u), n(X(0.3)),
                                                     n(ey - (max(inner, outer) + 0.05) * u), n(X(0.39)),
                                                     n(ey - (inner + 0.02) * u)), 'none', INK, w * 0.9))
        # the nostril's wing and the fold from it towards the mouth
        out.append(path('M%s,%s Q%s,%s %s,%s' % (n(X(0.41)), n(cy + 0.19 * u), n(X(0.37)), n(cy + 0.22 * u), n(X(0.41)),
                                                 n(cy + 0.245 * u)), 'none', soft, w * 0.7))
        # the mouth: the line between the lips, running back from the front
        bend = {'joy': -0.03, 'grief': 0.03, 'stern': 0.015}.get(mood, 0) * u
        my = cy + 0.345 * u
        if mood == 'fear':
            out.append(path('M%s,%s Q%s,%s %s,%s Z' % (n(X(0.405)), n(my - 0.02 * u), n(X(0.35)), n(my + 0.01 * u), n(X(0.41)),
                                                      n(my + 0.04 * u)), '#5a2a2a', INK, w * 0.6))
        else:
            out.append(path('M%s,%s Q%s,%s %s,%s' % (n(X(0.405)), n(my), n(X(0.37)), n(my + bend * 0.3), n(X(0.33)),
                                                     n(my + bend)), 'none', INK, w * 0.9))
        # the chin's curve, and the jaw's edge back to under the ear
        out.append(path('M%s,%s Q%s,%s %s,%s' % (n(X(0.3)), n(cy + 0.53 * u), n(X(0.1)), n(cy + 0.5 * u), n(X(-0.02)),
                                                 n(cy + 0.34 * u)), 'none', soft, w * 0.45, extra='stroke-opacity="0.6"'))
        out.append(self._lines_of_age())
        return ''.join(out)

    def _age(self):
        """2 for an old face (grey or white hair or beard), 1 for a grown man's bearded face,
        0 for the rest."""
        def grey(c):
            if not isinstance(c, str) or len(c) != 7:
                return False
            rgb = [int(c[k:k + 2], 16) for k in (1, 3, 5)]
            return max(rgb) - min(rgb) <= 0x30 and sum(rgb) > 3 * 0xb0
        if grey(self.hair) and self.hairstyle != 'bald' or grey(self.beard):
            return 2
        return 1 if self.beard else 0

    def _lines_of_age(self):
        """The lines a grown or an old face carries, drawn soft: across the forehead, at the eyes'
        outer corners, under the eyes, and from the nose's wings down past the mouth."""
        age = self._age()
        u = self.hu
        if not age or u <= 26 or self.child or self.face in ('back', 'hidden', 'skull'):
            return ''
        cx, cy = self.head
        c = darker(self.skin, 0.34)
        w = max(1.0, 0.022 * u)
        q = 'stroke-opacity="%s"' % ('0.75' if age == 2 else '0.5')
        out = []

        def arc(a, b, m, extra_w=1.0):
            out.append(path('M%s,%s Q%s,%s %s,%s' % (n(a[0]), n(a[1]), n(m[0]), n(m[1]), n(b[0]), n(b[1])), 'none', c,
                            w * extra_w, extra=q))
        if self.profile:
            t = 1 if self.face == 'right' else -1
            X = lambda a: cx + t * a * u
            if age == 2:
                for k in (0, 1):
                    y = cy - (0.27 + 0.07 * k) * u
                    arc((X(0.2), y), (X(0.37), y - 0.01 * u), (X(0.29), y - 0.025 * u))
                for k in (-1, 0, 1):
                    a = (X(0.2), cy + (0.04 + 0.03 * k) * u)
                    out.append(line(a, (X(0.15), cy + (0.04 + 0.05 * k) * u), c, w, extra=q))
            arc((X(0.37), cy + 0.25 * u), (X(0.32), cy + 0.42 * u), (X(0.31), cy + 0.31 * u))
            return ''.join(out)
        turn = {'left': -1, 'right': 1}.get(self.face, 0)
        sx = cx + turn * 0.13 * u
        ey = cy + 0.05 * u
        if age == 2:
            for k in (0, 1):
                y = cy - (0.3 + 0.07 * k) * u
                arc((sx - 0.2 * u, y + 0.01 * u), (sx + 0.2 * u, y + 0.01 * u), (sx, y - 0.03 * u))
        for s in (-1, 1):
            if turn and s == -turn:
                continue
            xo = sx + s * 0.29 * u
            if age == 2:
                for k in (-1, 1):
                    out.append(line((xo, ey + k * 0.015 * u), (xo + s * 0.06 * u, ey + k * 0.045 * u), c, w, extra=q))
                arc((sx + s * 0.1 * u, ey + 0.1 * u), (sx + s * 0.23 * u, ey + 0.08 * u), (sx + s * 0.17 * u, ey + 0.13 * u), 0.8)
            # from the nose's wing down past the mouth's corner
            arc((sx + s * 0.1 * u, cy + 0.24 * u), (sx + s * 0.17 * u, cy + 0.42 * u), (sx + s * 0.18 * u, cy + 0.3 * u))
        return ''.join(out)

    def _profile_outline(self):
        """The head side on: the round of the skull behind, the forehead, the brow, the nose
        standing out, the lips, the chin and the jaw running back under the ear."""
        cx, cy = self.head
        u = self.hu
        t = 1 if self.face == 'right' else -1
        nose = 0.5 + 0.03 * self.nose - (0.03 if self.child else 0)  # how far the nose stands out
        chin = self._vary(11, 0.38, 0.43)
        P = lambda a, b: '%s,%s' % (n(cx + t * a * u), n(cy + b * u))
        return ('M%s C%s %s %s C%s %s %s C%s %s %s Q%s %s L%s Q%s %s L%s Q%s %s L%s Q%s %s Q%s %s Q%s %s '
                'Q%s %s Z') % (
            P(-0.2, 0.46), P(-0.42, 0.4), P(-0.53, 0.2), P(-0.51, -0.06), P(-0.49, -0.42), P(-0.22, -0.57), P(0.06, -0.55),
            P(0.3, -0.53), P(0.41, -0.36), P(0.41, -0.12), P(0.43, -0.02), P(0.39, 0.04), P(nose, 0.2), P(nose + 0.01, 0.25),
            P(0.43, 0.245), P(0.41, 0.255), P(0.45, 0.29), P(0.43, 0.325), P(0.405, 0.345), P(0.44, 0.37), P(0.42, 0.4),
            P(chin - 0.04, 0.43), P(chin, 0.47), P(chin + 0.01, 0.55), P(0.28, 0.56), P(0.0, 0.57), P(-0.2, 0.46))

    def _head_outline(self):
        """The head from the front or three-quarter: a round crown, full cheeks and the jaw
        narrowing to the chin, which turns a little with the face."""
        cx, cy = self.head
        w, h = self.head_w * self.hu, 0.52 * self.hu
        k = {'left': -0.05, 'right': 0.05}.get(self.face, 0) * self.hu
        P = lambda a, b, dx=0.0: '%s,%s' % (n(cx + a * w + dx), n(cy + b * h))
        # each face its own build: cheeks fuller or leaner, the jaw broad or narrow, the chin
        # round or pointed, long or short; a child's face round, a woman's chin finer
        cheek, jaw, chin = self._vary(12, 0.34, 0.5), self._vary(13, 0.48, 0.72), self._vary(14, 0.99, 1.07)
        if self.child:
            cheek, jaw, chin = 0.55, 0.78, 0.97
        elif self.hairstyle in ('long', 'bun'):
            jaw *= 0.88
        return 'M%s C%s %s %s C%s %s %s C%s %s %s C%s %s %s Z' % (
            P(0, -1), P(0.56, -1), P(1, -0.62), P(1, -0.05), P(1, cheek), P(jaw, 0.86, k), P(0, chin, k),
            P(-jaw, 0.86, k), P(-1, cheek), P(-1, -0.05), P(-1, -0.62), P(-0.56, -1), P(0, -1))

    def face_box(self):
        """The eyes-to-mouth rectangle, in the figure's own coordinates."""
        cx, cy = self.head
        u = self.hu
        if self.profile:
            t = 1 if self.face == 'right' else -1
            return min(cx + t * 0.04 * u, cx + t * 0.38 * u), cy - 0.04 * u, 0.34 * u, 0.46 * u
        shift = {'left': -0.13, 'right': 0.13}.get(self.face, 0) * u
        return cx + shift - 0.27 * u, cy - 0.04 * u, 0.54 * u, 0.46 * u

    def _locks(self, locks, X, Y):
        """Lines of the hair's locks, each from (a0, b0) curving out to (a1, b1)."""
        u = self.hu
        if u < 14:
            return ''
        rgb = [int(self.hair[k:k + 2], 16) for k in (1, 3, 5)] if len(self.hair) == 7 else [128] * 3
        dark = sum(rgb) < 3 * 0x40
        # on dark hair the locks catch the light instead of falling into shade
        c = mix(self.hair, '#ffffff', 0.22) if dark else darker(self.hair, 0.35)
        out = []
        for a0, b0, a1, b1 in locks:
            mx, my = (a0 + a1) / 2 + (0.05 if a1 > a0 else -0.05 if a1 < a0 else 0), (b0 + b1) / 2 - 0.04
            out.append('<path d="M%s,%s Q%s,%s %s,%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round"%s/>' % (
                X(a0), Y(b0), X(mx), Y(my), X(a1), Y(b1), c, n(max(1.0, 0.025 * u)),
                ' stroke-opacity="0.6"' if dark else ''))
        return ''.join(out)

    def _beard(self):
        """A beard from the sideburns down the jaw to below the chin, its upper edge along the
        cheek so the mouth shows, a moustache over the upper lip, and its locks."""
        cx, cy = self.head
        u = self.hu
        c = self.beard if isinstance(self.beard, str) else self.hair
        lock = darker(c, 0.3)
        lw = max(1.0, 0.025 * u)
        out = []
        if self.profile:
            t = 1 if self.face == 'right' else -1
            P = lambda a, b: '%s,%s' % (n(cx + t * a * u), n(cy + b * u))
            d = 'M%s Q%s %s Q%s %s Q%s %s Q%s %s Q%s %s Q%s %s Z' % (
                P(0.05, -0.02), P(0.12, 0.2), P(0.28, 0.27), P(0.36, 0.4), P(0.43, 0.44), P(0.47, 0.72), P(0.3, 0.98),
                P(0.1, 0.9), P(-0.02, 0.62), P(-0.12, 0.4), P(-0.04, 0.25), P(-0.02, 0.05), P(0.05, -0.02))
            out.append(path(d, c, INK, 2))
            for a0, b0, a1, b1 in ((0.25, 0.5, 0.28, 0.85), (0.1, 0.42, 0.12, 0.78), (0.36, 0.55, 0.36, 0.8)):
                out.append(path('M%s Q%s %s' % (P(a0, b0), P(a1 + 0.04, (b0 + b1) / 2), P(a1, b1)), 'none', lock, lw))
            out.append(path('M%s Q%s %s Q%s %s Z' % (P(0.43, 0.29), P(0.3, 0.27), P(0.24, 0.37), P(0.34, 0.33), P(0.42, 0.34)),
                            c, INK, 1.6))
            return ''.join(out)
        k = {'left': -0.05, 'right': 0.05}.get(self.face, 0)
        wj = self.head_w / 0.42
        P = lambda a, b: '%s,%s' % (n(cx + (a * wj + k) * u), n(cy + b * u))
        d = ('M%s' + ' Q%s %s' * 8 + ' Z') % (
            P(-0.43, -0.04), P(-0.47, 0.5), P(-0.3, 0.8), P(-0.14, 1.06), P(0, 1.06), P(0.14, 1.06), P(0.3, 0.8),
            P(0.47, 0.5), P(0.43, -0.04), P(0.36, 0.24), P(0.2, 0.26), P(0.08, 0.26), P(0, 0.28), P(-0.08, 0.26),
            P(-0.2, 0.26), P(-0.36, 0.24), P(-0.43, -0.04))
        out.append(path(d, c, INK, 2))
        for a0, b0, a1, b1 in ((-0.25, 0.5, -0.2, 0.88), (0.25, 0.5, 0.2, 0.88), (0, 0.5, 0.02, 0.98), (-0.36, 0.3, -0.3, 0.6),
                               (0.36, 0.3, 0.3, 0.6)):
            out.append(path('M%s Q%s %s' % (P(a0, b0), P((a0 + a1) / 2 + 0.04, (b0 + b1) / 2), P(a1, b1)), 'none', lock, lw))
        # the lips in the beard, then the moustache over the upper one
        out.append(ellipse(cx + k * u + {'left': -0.1, 'right': 0.1}.get(self.face, 0) * u * 0.3, cy + 0.36 * u, 0.13 * u,
                           0.06 * u, mix(self.skin, '#b0484a', 0.2), None, 0))
        out.append(path('M%s Q%s %s Q%s %s Q%s %s Q%s %s Z' % (P(-0.22, 0.4), P(-0.14, 0.27), P(0, 0.3), P(0.14, 0.27),
                                                           P(0.22, 0.4), P(0.1, 0.33), P(0, 0.335), P(-0.1, 0.33),
                                                           P(-0.22, 0.4)), c, INK, 1.6))
        return ''.join(out)

    def _hair_back(self):
        cx, cy = self.head
        u = self.hu
        out = []
        if self.hat == 'halo':
            out.append(circle(cx, cy - 0.1 * u, 0.95 * u, '#f7e3a0', INK, 2))
        if self.hat in ('hood', 'veil'):
            c = self.hat_colour or self.cloth
            hang = 1.6 if self.hat == 'veil' else 0.9
            d = 'M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s L%s,%s Q%s,%s %s,%s Z' % (
                n(cx - 0.62 * u), n(cy + hang * u), n(cx - 0.75 * u), n(cy - 0.85 * u), n(cx), n(cy - 0.78 * u),
                n(cx + 0.75 * u), n(cy - 0.85 * u), n(cx + 0.62 * u), n(cy + hang * u), n(cx), n(cy + (hang + 0.2) * u),
                n(cx), n(cy + (hang + 0.2) * u), n(cx - 0.62 * u), n(cy + hang * u))
            out.append(path(d, c))
        elif self.hairstyle == 'curly':
            # tight curls standing round the crown (round the back of the head, side on)
            t = (1 if self.face == 'right' else -1) if self.profile else 0
            curl = mix(self.hair, '#ffffff', 0.2)
            for k in range(9):
                px, py = polar(cx - t * 0.12 * u, cy - 0.12 * u, 0.47 * u, 175 + k * 23.75 + t * 40)
                out.append(circle(px, py, 0.17 * u, self.hair, INK, 1.8))
                if u > 20:
                    # each curl turning on itself, caught by the light
                    out.append(path('M%s,%s a%s,%s 0 1 1 %s,%s' % (n(px - 0.08 * u), n(py + 0.02 * u), n(0.08 * u), n(0.08 * u),
                                                                 n(0.1 * u), n(0.05 * u)), 'none', curl, max(1.0, 0.025 * u),
                                    extra='stroke-opacity="0.7"'))
        elif self.hairstyle == 'bun':
            t = (1 if self.face == 'right' else -1) if self.profile else 0
            out.append(circle(cx - t * 0.45 * u, cy - (0.66 - 0.3 * abs(t)) * u, 0.22 * u, self.hair, INK, 2))
        elif self.hairstyle == 'long':
            lock = darker(self.hair, 0.3)
            lw = max(1.0, 0.025 * u)
            if self.profile:
                # side on, the hair falls down the back from the crown
                t = 1 if self.face == 'right' else -1
                P = lambda a, b: '%s,%s' % (n(cx + t * a * u), n(cy + b * u))
                d = 'M%s C%s %s %s Q%s %s L%s Q%s %s Z' % (P(0.2, -0.5), P(-0.3, -0.78), P(-0.74, -0.3), P(-0.66, 0.4),
                                                          P(-0.62, 1.3), P(-0.5, 1.8), P(-0.05, 1.6), P(-0.16, 1.0),
                                                          P(-0.08, 0.4))
                out.append(path(d, self.hair))
                for a0, a1 in ((-0.3, -0.25), (-0.5, -0.42)):
                    out.append(path('M%s Q%s %s' % (P(a0, 0.5), P(a0 - 0.06, 1.1), P(a1, 1.6)), 'none', lock, lw))
                return ''.join(out)
            # a mass of hair behind the head and the shoulders, widening as it falls, its ends
            # uneven: locks of different lengths, each tapering to its own tip
            P = lambda a, b: '%s,%s' % (n(cx + a * u), n(cy + b * u))
            tips = [(-0.7, 1.98), (-0.44, 2.1), (-0.14, 2.0), (0.18, 2.12), (0.48, 1.97), (0.72, 1.9)]
            tips = [(a, b + self._vary(20 + j, -0.09, 0.09)) for j, (a, b) in enumerate(tips)]
            d = 'M%s C%s %s %s C%s %s %s' % (P(0, -0.6), P(-0.45, -0.64), P(-0.58, -0.1), P(-0.64, 0.4), P(-0.7, 0.85),
                                           P(-0.88, 1.0), P(-0.88, 1.35))
            prev = (-0.88, 1.35)
            for j, (a, b) in enumerate(tips):
                # the lock's outer edge curves down to its tip, its inner edge back up to the notch
                d += ' Q%s %s' % (P(prev[0] + 0.02, b - 0.2), P(a, b))
                nxt = tips[j + 1][0] if j + 1 < len(tips) else 0.88
                na, nb = ((a + nxt) / 2, b - 0.22) if j + 1 < len(tips) else (0.88, 1.35)
                d += ' Q%s %s' % (P(a + 0.1, b - 0.08), P(na, nb))
                prev = (na, nb)
            d += ' C%s %s %s C%s %s %s Z' % (P(0.88, 1.0), P(0.7, 0.85), P(0.64, 0.4), P(0.58, -0.1), P(0.45, -0.64),
                                            P(0, -0.6))
            out.append(path(d, self._lit(self.hair, 0.9, cx), INK, 2))
            lw = max(1.0, 0.028 * u)
            # the light along the side it comes from, and a few locks falling through the mass
            if u > 14:
                out.append(path('M%s Q%s %s' % (P(-0.58, 0.1), P(-0.76, 0.8), P(-0.66, 1.7)), 'none',
                                mix(self.hair, '#ffffff', 0.35), max(1.5, 0.07 * u), extra='stroke-opacity="0.55"'))
                for a0, a1, b1 in ((-0.5, -0.44, 1.85), (0.52, 0.48, 1.8), (0.64, 0.7, 1.6), (-0.3, -0.14, 1.8), (0.3, 0.18, 1.85)):
                    out.append(path('M%s Q%s %s' % (P(a0, 0.5), P(a0 * 1.15, 1.2), P(a1, b1)), 'none', lock, lw))
        return ''.join(out)

    def _hair_front(self):
        cx, cy = self.head
        u = self.hu
        out = []
        if self.face == 'back' and self.away and self.hat not in ('hood', 'veil'):
            # turned three-quarters away: the hair covers all but the edge of the cheek and the
            # ear on the side the figure turns to
            t = self.away
            out.append(ellipse(cx - t * 0.1 * u, cy - 0.02 * u, 0.4 * u, 0.55 * u, self.hair))
            out.append(path('M%s,%s Q%s,%s %s,%s' % (n(cx + t * 0.3 * u), n(cy + 0.12 * u), n(cx + t * 0.36 * u),
                                                     n(cy + 0.42 * u), n(cx + t * 0.14 * u), n(cy + 0.5 * u)),
                            'none', darker(self.skin, 0.3), 1.4))
            out.append(ellipse(cx + t * 0.28 * u, cy + 0.04 * u, 0.07 * u, 0.12 * u, self.skin, INK, 1.6))
        elif self.face == 'back':
            c = (self.hat_colour or self.cloth) if self.hat in ('hood', 'veil') else self.hair
            out.append(ellipse(cx, cy, 0.44 * u, 0.54 * u, c))
        elif self.profile and self.hat in ('hood', 'veil'):
            # side on, the hood covers the crown and the back of the head and falls to the
            # shoulders, open only round the face
            c = self.hat_colour or self.cloth
            t = 1 if self.face == 'right' else -1
            hang = 1.6 if self.hat == 'veil' else 0.9
            P = lambda a, b: '%s,%s' % (n(cx + t * a * u), n(cy + b * u))
            d = 'M%s Q%s %s Q%s %s L%s L%s Q%s %s Q%s %s Q%s %s Z' % (
                P(0.4, -0.44), P(0.12, -0.9), P(-0.35, -0.76), P(-0.8, -0.5), P(-0.72, 0.1), P(-0.64, hang), P(-0.02, hang + 0.1),
                P(0.02, 0.6), P(-0.03, 0.3), P(-0.08, -0.1), P(0.12, -0.3), P(0.26, -0.42), P(0.4, -0.44))
            out.append(path(d, self._lit(c, 0.7, cx), INK, 2))
            fold = darker(c, 0.3)
            out.append(path('M%s Q%s %s' % (P(0.0, -0.62), P(-0.45, -0.5), P(-0.5, 0.3)), 'none', fold, max(1.2, 0.03 * u)))
            out.append(path('M%s Q%s %s' % (P(-0.12, -0.3), P(-0.3, 0.2), P(-0.28, hang - 0.1)), 'none', fold, max(1.2, 0.03 * u)))
        elif self.profile and self.hat not in ('hood', 'veil', 'helmet') and self.hairstyle != 'bald':
            # side on: the hair over the crown and the back of the head down to the nape, its
            # line running round behind the ear and down in front of it, combed back in locks
            t = 1 if self.face == 'right' else -1
            P = lambda a, b: '%s,%s' % (n(cx + t * a * u), n(cy + b * u))
            d = 'M%s Q%s %s C%s %s %s C%s %s %s Q%s %s L%s Q%s %s L%s Q%s %s Q%s %s Z' % (
                P(0.36, -0.33), P(0.32, -0.62), P(0.02, -0.63), P(-0.36, -0.64), P(-0.61, -0.36), P(-0.58, 0.0),
                P(-0.56, 0.24), P(-0.46, 0.4), P(-0.3, 0.45), P(-0.18, 0.32), P(-0.15, 0.18), P(-0.13, -0.06),
                P(-0.02, -0.16), P(0.07, -0.1), P(0.09, 0.05), P(0.15, -0.15), P(0.22, -0.25), P(0.28, -0.32),
                P(0.36, -0.33))
            out.append(path(d, self._lit(self.hair, 0.6, cx), INK, 2))
            lock = darker(self.hair, 0.35)
            lw = max(1.0, 0.025 * u)
            for a0, b0, a1, b1, a2, b2 in ((0.3, -0.42, 0.0, -0.56, -0.4, -0.4), (0.22, -0.3, -0.05, -0.42, -0.42, -0.16),
                                           (0.05, -0.2, -0.2, -0.3, -0.45, 0.1)):
                out.append(path('M%s Q%s %s' % (P(a0, b0), P(a1, b1), P(a2, b2)), 'none', lock, lw))
            out.append(ellipse(cx - t * 0.04 * u, cy + 0.08 * u, 0.075 * u, 0.13 * u, self.skin, INK, 1.6))
            out.append(path('M%s Q%s %s' % (P(-0.02, 0.02), P(-0.08, 0.08), P(-0.03, 0.15)), 'none', darker(self.skin, 0.35),
                            max(1.0, 0.022 * u)))
        elif self.profile and self.hat not in ('hood', 'veil'):
            # a bald head side on still has its ear
            t = 1 if self.face == 'right' else -1
            P = lambda a, b: '%s,%s' % (n(cx + t * a * u), n(cy + b * u))
            out.append(ellipse(cx - t * 0.04 * u, cy + 0.08 * u, 0.075 * u, 0.13 * u, self.skin, INK, 1.6))
            out.append(path('M%s Q%s %s' % (P(-0.02, 0.02), P(-0.08, 0.08), P(-0.03, 0.15)), 'none', darker(self.skin, 0.35),
                            max(1.0, 0.022 * u)))
        elif self.hat not in ('hood', 'veil', 'helmet') and self.hairstyle in ('fringe', 'side', 'crop') \
                and self.face != 'skull':
            hw = self.head_w / 0.42  # the hair follows the head's width
            X = lambda a: n(cx + a * hw * u)
            Y = lambda b: n(cy + b * u)
            turn = {'left': -1, 'right': 1}.get(self.face, 0) * 0.06
            Xt = lambda a: n(cx + (a * hw + turn) * u)
            if self.hairstyle == 'fringe':
                # a fringe cut above the brows, its edge hanging in locks
                d = 'M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s L%s,%s' % (
                    X(-0.45), Y(0.1), X(-0.5), Y(-0.64), X(0), Y(-0.6), X(0.5), Y(-0.64), X(0.45), Y(0.1),
                    X(0.4), Y(-0.2))
                edge = [0.4, 0.2, 0.0, -0.2, -0.4]
                for a, b in zip(edge, edge[1:]):
                    d += ' Q%s,%s %s,%s' % (Xt((a + b) / 2), Y(-0.12), Xt(b), Y(-0.23))
                d += ' Z'
                locks = [(0.3, -0.45, 0.26, -0.2), (0.1, -0.5, 0.08, -0.22), (-0.1, -0.5, -0.1, -0.22),
                         (-0.3, -0.45, -0.28, -0.2)]
            elif self.hairstyle == 'side':
                # parted on one side and swept across
                d = 'M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
                    X(-0.45), Y(0.12), X(-0.5), Y(-0.62), X(0), Y(-0.6), X(0.5), Y(-0.62), X(0.45), Y(0.14),
                    X(0.36), Y(-0.2), X(0.08), Y(-0.28), X(-0.1), Y(-0.32), X(-0.16), Y(-0.46), X(-0.32), Y(-0.3),
                    X(-0.45), Y(0.12))
                locks = [(-0.16, -0.56, 0.36, -0.28), (-0.1, -0.5, 0.2, -0.33), (-0.2, -0.5, -0.4, -0.1)]
            else:
                # cropped close to the head
                d = 'M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
                    X(-0.43), Y(-0.08), X(-0.46), Y(-0.6), X(0), Y(-0.57), X(0.46), Y(-0.6), X(0.43), Y(-0.08),
                    X(0.32), Y(-0.38), X(0), Y(-0.4), X(-0.32), Y(-0.38), X(-0.43), Y(-0.08))
                locks = [(0.0, -0.55, 0.2, -0.42), (-0.1, -0.55, -0.3, -0.42), (0.25, -0.52, 0.38, -0.3)]
            out.append(path(d, self._lit(self.hair, 0.6, cx), INK, 2))
            out.append(self._locks(locks, X, Y))
        elif self.hat not in ('hood', 'veil', 'helmet') and self.hairstyle in ('long', 'bun') and self.face != 'skull':
            # parted in the middle and drawn back to either side, the forehead showing in an arch
            m = {'left': -0.07, 'right': 0.07}.get(self.face, 0)
            X = lambda a: n(cx + a * u)
            Y = lambda b: n(cy + b * u)
            d = 'M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s L%s,%s L%s,%s Q%s,%s %s,%s Z' % (
                X(-0.47), Y(0.12), X(-0.52), Y(-0.62), X(m), Y(-0.6), X(0.52), Y(-0.62), X(0.47), Y(0.12),
                X(0.36 + m * 0.5), Y(-0.3), X(m + 0.05), Y(-0.42), X(m), Y(-0.38), X(m - 0.05), Y(-0.42),
                X(-0.36 + m * 0.5), Y(-0.3), X(-0.47), Y(0.12))
            out.append(path(d, self._lit(self.hair, 0.6, cx), INK, 2))
            out.append(self._locks([(m + 0.03, -0.5, 0.46, -0.04), (m + 0.03, -0.54, 0.33, -0.38), (m - 0.03, -0.5, -0.46, -0.04),
                                    (m - 0.03, -0.54, -0.33, -0.38), (m, -0.6, m, -0.44)], X, Y))
            if self.hairstyle == 'long' and self.dress == 'nude' and self.face not in ('back', 'up'):
                # on a bare figure the long hair falls forward from behind the ears over each
                # shoulder to the top of the breast, a strand or two in it
                lock = darker(self.hair, 0.3)
                hang = []
                for s in (-1, 1):
                    P = lambda a, b: '%s,%s' % (X(s * a), Y(b))
                    # a lock swelling over the shoulder and parting at its end into two tips of
                    # unequal length; the one on the lit side lighter
                    e = self._vary(30 + s, -0.08, 0.08)
                    d = 'M%s Q%s %s Q%s %s Q%s %s Q%s %s Q%s %s Q%s %s Z' % (
                        P(0.47, 0.05), P(0.7, 0.7), P(0.78, 1.25), P(0.76, 1.7 + e), P(0.66, 1.95 + e), P(0.64, 1.72),
                        P(0.58, 1.6), P(0.56, 1.7 - e), P(0.5, 1.82 - e), P(0.44, 1.0), P(0.41, 0.62), P(0.38, 0.3),
                        P(0.4, 0.08))
                    fill = self._lit(mix(self.hair, '#ffffff', 0.1) if s < 0 else self.hair, 0.7, cx)
                    hang.append(path(d, fill, INK, 2))
                    hang.append(path('M%s Q%s %s' % (P(0.47, 0.3), P(0.6, 1.0), P(0.64, 1.75 + e)), 'none', lock,
                                     max(1.0, 0.025 * u)))
                    hang.append(path('M%s Q%s %s' % (P(0.43, 0.4), P(0.5, 1.1), P(0.52, 1.55)), 'none', lock,
                                     max(1.0, 0.02 * u), extra='stroke-opacity="0.7"'))
                # on a tipped head the locks still hang mostly straight down
                out.append(group(hang, 'rotate(%s %s %s)' % (n(-0.7 * self.tilt), n(cx), n(cy + 0.5 * u)))
                           if self.tilt else ''.join(hang))
        elif self.hat not in ('hood', 'veil', 'helmet') and self.hairstyle != 'bald' and self.face != 'skull':
            d = 'M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
                n(cx - 0.44 * u), n(cy + 0.08 * u), n(cx - 0.5 * u), n(cy - 0.62 * u), n(cx), n(cy - 0.58 * u),
                n(cx + 0.5 * u), n(cy - 0.62 * u), n(cx + 0.44 * u), n(cy + 0.08 * u), n(cx + 0.3 * u), n(cy - 0.3 * u),
                n(cx + 0.05 * u), n(cy - 0.28 * u), n(cx - 0.32 * u), n(cy - 0.28 * u), n(cx - 0.44 * u), n(cy + 0.08 * u))
            out.append(path(d, self._lit(self.hair, 0.6, cx), INK, 2))
            # the parting above the brow, the locks combed from it to either side
            X = lambda a: n(cx + a * u)
            Y = lambda b: n(cy + b * u)
            out.append(self._locks([(0.1, -0.56, 0.42, -0.12), (0.08, -0.56, 0.26, -0.36), (0.04, -0.56, -0.24, -0.36),
                                    (0.02, -0.54, -0.42, -0.12)], X, Y))
        if self.beard:
            out.append(self._beard())
        hat = self.hat
        hc = self.hat_colour
        if hat == 'crown':
            # a band round the brow, curving with the head, five points rising from it, each
            # tipped with a pearl, and stones set in the band
            c = hc or GOLD
            y0 = cy - 0.38 * u
            P = lambda a, b: '%s,%s' % (n(cx + a * u), n(y0 + b * u))
            tips = ((-0.4, -0.3), (-0.2, -0.37), (0.0, -0.44), (0.2, -0.37), (0.4, -0.3))
            d = 'M%s L%s' % (P(-0.47, 0.12), P(-0.46, -0.05))
            for k, (a, b) in enumerate(tips):
                d += ' L%s' % P(a, b)
                if k < 4:
                    va = a + 0.1
                    d += ' L%s' % P(va, -0.02 + 0.04 * (1 - abs(va) / 0.46))
            d += ' L%s L%s Q%s %s Z' % (P(0.46, -0.05), P(0.47, 0.12), P(0, 0.22), P(-0.47, 0.12))
            lw = max(1.4, min(2.4, 0.04 * u))
            out.append(path(d, self._lit(c, 0.5, cx), INK, lw))
            out.append(path('M%s Q%s %s' % (P(-0.46, -0.03), P(0, 0.07), P(0.46, -0.03)), 'none', darker(c, 0.3), lw * 0.7))
            for a, b in tips:
                out.append(circle(cx + a * u, y0 + (b - 0.03) * u, 0.045 * u, '#f7f2e6', INK, lw * 0.6))
            out.append(ellipse(cx, y0 + 0.09 * u, 0.065 * u, 0.045 * u, '#c83e3e', INK, lw * 0.6))
            for s_ in (-1, 1):
                out.append(circle(cx + s_ * 0.26 * u, y0 + 0.07 * u, 0.035 * u, '#3a6fb5', INK, lw * 0.5))
        elif hat == 'laurel':
            for k in range(7):
                px, py = polar(cx, cy - 0.1 * u, 0.5 * u, 200 + k * 23)
                out.append(ellipse(px, py, 0.16 * u, 0.07 * u, hc or LEAF, INK, 1.4, 200 + k * 23 + 60))
        elif hat == 'helmet' and self.profile:
            # side on: the dome over the skull, open at the face, a guard down the nape
            c = hc or STEEL
            t = 1 if self.face == 'right' else -1
            P = lambda a, b: '%s,%s' % (n(cx + t * a * u), n(cy + b * u))
            d = 'M%s C%s %s %s L%s Q%s %s L%s Z' % (P(0.45, -0.12), P(0.47, -0.74), P(-0.58, -0.8), P(-0.57, 0.0),
                                                    P(-0.53, 0.38), P(-0.34, 0.44), P(-0.22, 0.3), P(-0.12, -0.06))
            out.append(path(d, self._lit(c, 0.6, cx), INK, 2))
            out.append(path('M%s L%s Q%s %s L%s Q%s %s Z' % (P(0.45, -0.1), P(0.46, -0.24), P(0.0, -0.32), P(-0.57, -0.12),
                                                            P(-0.57, 0.01), P(0.0, -0.18), P(0.45, -0.1)),
                            darker(c, 0.2), INK, 1.6))
            for a in (0.3, 0.05, -0.25):
                out.append(circle(cx + t * a * u, cy - (0.23 if a > 0 else 0.21) * u, 0.025 * u, mix(c, '#ffffff', 0.4), None, 0))
        elif hat == 'helmet':
            c = hc or STEEL
            d = 'M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
                n(cx - 0.5 * u), n(cy + 0.05 * u), n(cx - 0.5 * u), n(cy - 0.75 * u), n(cx), n(cy - 0.72 * u),
                n(cx + 0.5 * u), n(cy - 0.75 * u), n(cx + 0.5 * u), n(cy + 0.05 * u))
            out.append(path(d, c))
            out.append(rect(cx - 0.5 * u, cy - 0.1 * u, u, 0.14 * u, darker(c, 0.2), INK, 1.6))
        elif hat == 'plume':
            c = hc or '#c83e3e'
            out.append(path('M%s,%s q%s,%s %s,%s q%s,%s %s,%s' % (
                n(cx), n(cy - 0.5 * u), n(0.2 * u), n(-0.9 * u), n(0.9 * u), n(-0.9 * u), n(-0.3 * u), n(0.3 * u),
                n(-0.9 * u), n(0.9 * u)), c, INK, 2))
        elif hat == 'cap':
            c = hc or '#3f7f4a'
            out.append(ellipse(cx + 0.05 * u, cy - 0.45 * u, 0.55 * u, 0.2 * u, c, INK, 2, -8))
            out.append(path('M%s,%s q%s,%s %s,%s' % (n(cx + 0.3 * u), n(cy - 0.55 * u), n(0.3 * u), n(-0.6 * u),
                                                      n(0.8 * u), n(-0.7 * u)), 'none', '#c83e3e', 0.12 * u))
        elif hat == 'beret':
            c = hc or '#3a3a6a'
            out.append(ellipse(cx - 0.08 * u, cy - 0.5 * u, 0.6 * u, 0.2 * u, c, INK, 2, -6))
            out.append(circle(cx - 0.06 * u, cy - 0.7 * u, 0.06 * u, c, INK, 1.4))
        elif hat == 'brim':
            c = hc or '#6b4a30'
            out.append(path('M%s,%s Q%s,%s %s,%s Z' % (n(cx - 0.34 * u), n(cy - 0.42 * u), n(cx), n(cy - 1.05 * u), n(cx + 0.34 * u),
                                                      n(cy - 0.42 * u)), c, INK, 2))
            out.append(ellipse(cx, cy - 0.42 * u, 0.75 * u, 0.13 * u, c, INK, 2))
            out.append(line((cx - 0.32 * u, cy - 0.52 * u), (cx + 0.32 * u, cy - 0.52 * u), darker(c, 0.35), 0.08 * u))
        elif hat == 'turban':
            c = hc or '#f2efe6'
            out.append(path('M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
                n(cx - 0.5 * u), n(cy - 0.28 * u), n(cx - 0.58 * u), n(cy - 0.9 * u), n(cx), n(cy - 0.92 * u),
                n(cx + 0.58 * u), n(cy - 0.9 * u), n(cx + 0.5 * u), n(cy - 0.28 * u), n(cx), n(cy - 0.4 * u),
                n(cx - 0.5 * u), n(cy - 0.28 * u)), c, INK, 2))
            for k in (-1, 1):
                out.append(path('M%s,%s Q%s,%s %s,%s' % (n(cx - 0.48 * u), n(cy - (0.45 + k * 0.12) * u), n(cx), n(cy - (0.75 - k * 0.05) * u),
                                                        n(cx + 0.48 * u), n(cy - (0.45 - k * 0.12) * u)), 'none', darker(c, 0.3), 1.6))
            out.append(circle(cx, cy - 0.55 * u, 0.07 * u, '#c83e3e', INK, 1.2))
        elif hat == 'mitre':
            c = hc or GOLD
            out.append(path(poly([(cx - 0.42 * u, cy - 0.3 * u), (cx - 0.3 * u, cy - 1.1 * u), (cx, cy - 1.4 * u),
                                  (cx + 0.3 * u, cy - 1.1 * u), (cx + 0.42 * u, cy - 0.3 * u)]), c))
        elif hat == 'wreath':
            for k in range(8):
                px, py = polar(cx, cy - 0.25 * u, 0.45 * u, 190 + k * 23)
                out.append(circle(px, py, 0.1 * u, ('#e85a5a', '#f7f2ee', '#f4d04a')[k % 3], INK, 1.2))
        return ''.join(out)

    def draw(self):
        u = self.u
        cx, cy = self.head
        out = []
        if self.shadow:
            out.append(ellipse(self.x, self.y, (1.5 if self.pose in ('sit', 'kneel') else 1.15) * u, 0.22 * u, '#1a1410', None, 0,
                               extra='fill-opacity="0.2"'))
        out.append(self._tipped(self._hair_back()))
        if self.cape:
            top = self.top
            bottom = {'sit': 6.1, 'kneel': 5.6, 'ride': 4.0}.get(self.pose, 7.3)
            k, t = self.bturn, self.bdir
            # a turned figure's cape hangs from its shoulders behind it
            X = lambda a: self.x + (a * (1 - 0.3 * k) - t * k * 0.55) * u
            cb = 1.42 if self._slack() else 1.3  # on the slope of the shoulders
            (l0x, l0y), (r0x, r0y) = self.B(-0.7, cb), self.B(0.7, cb)
            d = 'M%s,%s Q%s,%s %s,%s L%s,%s Q%s,%s %s,%s Z' % (
                n(l0x - t * k * 0.3 * u), n(l0y), n(X(-1.6)), n(top + 4 * u), n(X(-1.45)),
                n(top + bottom * u), n(X(1.45)), n(top + bottom * u), n(X(1.6)), n(top + 4 * u),
                n(r0x - t * k * 0.3 * u), n(r0y))
            out.append(path(d, self._lit(self.cape, 1.8), INK, self.contour))
            # the cape falls in long folds from the shoulders to the hem, inside its edges
            fc = darker(self.cape, 0.3)
            edges = ((l0x - t * k * 0.3 * u, l0y, X(-1.6), X(-1.45), 1), (r0x - t * k * 0.3 * u, r0y, X(1.6), X(1.45), -1))
            for x0, y0, xc, x2, inward in edges:
                y2 = top + bottom * u
                for b0, inset in ((3.4, 0.3), (4.3, 0.62)):
                    if b0 > bottom - 0.8:
                        continue
                    yy = top + b0 * u
                    ts = min((abs((1 - q) ** 2 * y0 + 2 * q * (1 - q) * (top + 4 * u) + q * q * y2 - yy), q)
                             for q in [j / 40.0 for j in range(41)])[1]
                    ex = (1 - ts) ** 2 * x0 + 2 * ts * (1 - ts) * xc + ts * ts * x2
                    sx, fx = ex + inward * inset * u, x2 + inward * inset * 1.1 * u
                    d = 'M%s,%s Q%s,%s %s,%s' % (n(sx), n(yy), n((sx + fx) / 2 - inward * 0.06 * u), n((yy + y2) / 2),
                                                n(fx), n(y2 - 0.1 * u))
                    out.append(path(d, 'none', fc, max(1.2, 0.035 * u)))
        if self.dress == 'nude':
            # a bare arm that reaches out beside the body comes from behind the shoulder
            beside = []
            for i in (0, 1):
                t = self.hand_targets[i] or (0.3 * (2 * i - 1), 2.7)
                beside.append(self.behind[i] or abs(self.shoulders[i][0] + t[0] * self.u - self.x) > 0.55 * self.u)
            self.behind = tuple(beside)
        for i in (0, 1):
            if self.behind[i]:
                out.append(self._arm(i))
        # a body turned to the side: the far arm starts behind the chest. On foot only an arm
        # reaching forward comes round in front; one hanging at the side stays whole
        far = (1 if self.bdir > 0 else 0) if self.chest_turn and not self.loose and self.dress != 'nude' else None
        if far is not None and not self.ride_turn:
            t = self.hand_targets[far]
            if t is None or t[0] * self.bdir < 0.3 + 0.35 * max(0.0, t[1]):
                far = None
        if far is not None and not self.behind[far]:
            out.append(self._arm(far))
        else:
            far = None
        if self.pose == 'ride':
            out.append(self._ride_leg(1 if self.face != 'left' else -1))
        body, hem_y = self._body()
        out.append(self._legs(hem_y))
        # a bare body's outline runs up the sides of the neck; a clothed one has its own neck
        bare_neck = self.dress == 'nude' and self.pose != 'sit'
        if not bare_neck:
            out.append(rect(cx - 0.16 * u, cy + 0.3 * u, 0.32 * u, 0.55 * u, self.skin, INK, 2))
        jaw = ''
        if self.face not in ('back', 'skull'):
            # the shadow the head casts on the neck under the jaw
            l, r = cx - 0.16 * u + 1, cx + 0.16 * u - 1
            jaw = path('M%s,%s L%s,%s L%s,%s Q%s,%s %s,%s Z' % (n(l), n(cy + 0.3 * u), n(r), n(cy + 0.3 * u), n(r),
                                                             n(cy + 0.68 * u), n(cx), n(cy + 0.6 * u), n(l),
                                                             n(cy + 0.64 * u)),
                       darker(self.skin, 0.22), None, 0, extra='fill-opacity="0.7"')
        if not bare_neck:
            out.append(jaw)
        if self.dress == 'nude' and self.pose in ('stand', 'walk', 'kneel'):
            # no seam where the thighs run into the body: body and legs are one shape
            if self._leg_edges:
                body = self._bare_outline(hem_y)
            out.append(solid([('path', body)] + self._bare, self._lit(self.cloth, 1.0, round_=True), INK, self.contour))
            if not self.bow and self.face != 'back':
                out.append(self._soft_form(body))
            out.append(jaw)
            out.append(self._front)
        elif self.dress == 'nude' and self.pose == 'ride':
            # bare astride: the skin rounded like a standing figure's, and softly modelled
            out.append(path(body, self._lit(self.cloth, 1.0, round_=True), INK, self.contour))
            out.append(jaw)
            if self.child and self.face != 'back':
                out.append(self._child_form(body))
        else:
            out.append(path(body, self._lit(self.cloth), INK, self.contour))
            if bare_neck:
                out.append(jaw)
        out.append(self._shade(hem_y))
        out.append(self._folds(hem_y))
        if self.look % 3 == 1 and self.dress in ('robe', 'gown', 'tunic') and self.pose in ('stand', 'walk', 'kneel') \
                and not self.bow and not self._kneels_side_on():
            # a border of darker cloth along the hem
            (lx, ly), (rx, ry) = self._side[-1], self._side_r[-1]
            k = 0.3 * u
            d = 'M%s,%s Q%s,%s %s,%s' % (n(lx + 0.07 * u), n(ly - k), n((lx + rx) / 2), n(ly + 0.25 * u - k),
                                        n(rx - 0.07 * u), n(ry - k))
            out.append(path(d, 'none', darker(self.cloth, 0.3), 0.1 * u))
        if self.dress == 'nude':
            # a few quiet lines model the body: collarbones, the breast's lower curve on a
            # woman, the navel
            soft = darker(self.skin, 0.3)
            U = self.B
            if self.face == 'back':
                # seen from behind: the shoulder blades and the spine's hollow as soft shade, the
                # small of the back
                shade = darker(self.skin, 0.22)
                for s in (-1, 1):
                    # under each blade's lower, inner edge, fading out towards the armpit
                    a, b, c, d = U(s * 0.16, 1.62), U(s * 0.3, 2.3), U(s * 0.66, 2.02), U(s * 0.34, 2.12)
                    out.append(path('M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
                        n(a[0]), n(a[1]), n(b[0]), n(b[1]), n(c[0]), n(c[1]), n(d[0]), n(d[1]), n(a[0]), n(a[1])),
                        shade, None, 0, extra='fill-opacity="0.45"'))
                a, b, c = U(0, 1.45), U(0.02, 2.6), U(0, 3.6)
                out.append(path('M%s,%s Q%s,%s %s,%s' % (n(a[0]), n(a[1]), n(b[0]), n(b[1]), n(c[0]), n(c[1])), 'none', shade,
                                0.12 * u, extra='stroke-opacity="0.35"'))
                out.append(path('M%s,%s Q%s,%s %s,%s' % (n(a[0]), n(a[1] + 0.4 * u), n(b[0]), n(b[1]), n(c[0]), n(c[1])),
                                'none', soft, 1.1, extra='stroke-opacity="0.5"'))
                for s in (-1, 1):
                    d = U(s * 0.14, 3.75)
                    out.append(circle(d[0], d[1], 0.03 * u, soft, None, 0))
                if self.pose in ('stand', 'walk'):
                    # the seat drawn as sparingly: its cleft, the folds under it, the thighs below
                    out.append(line(U(0, 3.9), U(0, 4.25), soft, 1.4, extra='stroke-opacity="0.7"'))
                    for s in (-1, 1):
                        a, b, c = U(s * 0.06, 4.3), U(s * 0.3, 4.44), U(s * 0.52, 4.3)
                        out.append(path('M%s,%s Q%s,%s %s,%s' % (n(a[0]), n(a[1]), n(b[0]), n(b[1]), n(c[0]), n(c[1])),
                                        'none', soft, 1.3, extra='stroke-opacity="0.6"'))
            if self.face != 'back' and CARD[0] is not None:
                out.append(self._soft_marks())
            elif self.face != 'back':
                for s in (-1, 1):
                    a, b = U(s * 0.12, 1.45), U(s * 0.55, 1.38)
                    out.append(line(a, b, soft, 1.4, extra='stroke-opacity="0.55"'))
                if self.hairstyle == 'long':
                    for s in (-1, 1):
                        a = U(s * 0.58, 2.35)
                        out.append(path('M%s,%s q%s,%s %s,%s' % (n(a[0]), n(a[1]), n(-s * 0.18 * u), n(0.2 * u), n(-s * 0.42 * u),
                                                                n(0.02 * u)), 'none', soft, 1.6, extra='stroke-opacity="0.45"'))
                nv = U(0, 3.35)
                out.append(path('M%s,%s q%s,%s 0,%s' % (n(nv[0]), n(nv[1]), n(0.04 * u), n(0.04 * u), n(0.09 * u)), 'none', soft,
                                1.4))
            if self.pose in ('stand', 'walk', 'kneel') and not self.bow and self.face != 'back':
                out.append(self._modelling())
        else:
            (n0x, n0y), (n1x, n1y), (n2x, n2y) = self.B(-0.3, 1.22), self.B(0, 1.6), self.B(0.3, 1.22)
            neck = 'M%s,%s Q%s,%s %s,%s' % (n(n0x), n(n0y), n(n1x), n(n1y), n(n2x), n(n2y))
            if self.face == 'back':
                # from behind the collar runs nearly straight across the nape
                (n1x, n1y) = self.B(0, 1.32)
                neck = 'M%s,%s Q%s,%s %s,%s' % (n(n0x), n(n0y), n(n1x), n(n1y), n(n2x), n(n2y))
            elif self.look % 2 and self.dress != 'armour':
                # a V-shaped neckline
                vx, vy = self.B(0, 1.75)
                neck = 'M%s,%s L%s,%s L%s,%s' % (n(n0x), n(n0y), n(vx), n(vy), n(n2x), n(n2y))
            out.append(path(neck, self.skin, INK, 2))
        if self.pattern:
            out.append(self.pattern(self))
        if self.belt:
            bx, by = self.B(0, 3.0)
            bw = 0.62 * (1 - 0.45 * self.bturn) * u
            out.append(rect(bx - bw, by - 0.1 * u, 2 * bw, 0.2 * u, self.belt, INK, 1.6))
        if self.pose == 'sit' and self.bturn == 1:
            # side on: the thigh's upper line and the fold falling from the knee
            t = self.bdir
            U = self.U
            out.append(path('M%s,%s Q%s,%s %s,%s' % (n(U(t * 0.3, 4.2)[0]), n(U(0, 4.2)[1]), n(U(t * 0.9, 4.05)[0]),
                                                    n(U(0, 4.05)[1]), n(U(t * 1.4, 4.15)[0]), n(U(0, 4.15)[1])),
                            'none', darker(self.cloth, 0.4), 2))
            if not self.short:
                # the skirt falls from the knee in two folds
                for a0, a1 in ((1.05, 0.95), (0.7, 0.62)):
                    out.append(path('M%s,%s Q%s,%s %s,%s' % (n(U(t * a0, 4.45)[0]), n(U(0, 4.45)[1]), n(U(t * (a0 + 0.06), 5.2)[0]),
                                                            n(U(0, 5.2)[1]), n(U(t * a1, 5.9)[0]), n(U(0, 5.9)[1])),
                                    'none', darker(self.cloth, 0.3), 2))
        elif self.pose == 'sit':
            out.append(self._lap())
        if self.pose == 'ride':
            out.append(self._ride_leg(1 if self.face != 'left' else -1))
        head = []
        if self.profile:
            head.append(path(self._profile_outline(), self._lit(self.skin, 0.5, self.head[0]), INK, self.contour))
        elif self.face in ('skull', 'back'):
            head.append(ellipse(cx, cy, self.head_w * self.hu, 0.52 * self.hu, '#f1efe6' if self.face == 'skull' else self.skin))
        else:
            head.append(path(self._head_outline(), self._lit(self.skin, 0.5, self.head[0]), INK, self.contour))
        head.append(self._hair_front())
        features = self._face()
        if features:
            # the face's own group, which the card marks when this is one of its main figures
            DRAWN.append(self)
            head.append('<g data-face="@%d">%s</g>' % (len(DRAWN) - 1, features))
        out.append(self._tipped(''.join(head)))
        if self._folded():
            out.append(self._folded_arms())
            return ''.join(out)
        for i in (0, 1):
            if not self.behind[i]:
                self._fore_only = i == far
                out.append(self._arm(i))
                self._fore_only = False
        return ''.join(out)

    def _folded(self):
        """Clothed arms folded across the chest: each hand reaching over to the other side."""
        t0, t1 = self.hand_targets
        return (self.dress != 'nude' and not self.loose and tuple(self.grips) == ('rest', 'rest') and t0 is not None and t1 is not None and not any(self.behind)
                and not any(self.elbow_at) and t0[0] > 0.9 and t1[0] < -0.9 and 0.4 < t0[1] < 2.0 and 0.4 < t1[1] < 2.0)

    def _folded_arms(self):
        """Arms folded across the chest: the upper arms hang at the sides, the forearms lie
        across the body one over the other, the under one's hand tucked beneath the far upper
        arm with its fingers showing round it, the upper one's hand hidden under the near one."""
        u = self.u
        s0, s1 = self.shoulders
        e0 = (s0[0] - 0.08 * u, s0[1] + 1.25 * u)
        e1 = (s1[0] + 0.08 * u, s1[1] + 1.25 * u)
        w0 = (e1[0] - 0.05 * u, e1[1] + 0.05 * u)
        w1 = (e0[0] + 0.05 * u, e0[1] - 0.52 * u)
        self.hands = [w0, w1]
        self.elbows = [e0, e1]
        cloth = self.sleeves
        fold = darker(cloth, 0.32)
        lw = max(1.2, 0.03 * u)
        out = [solid(self._sleeve(s0, e0, w0), cloth, INK, self.contour),
               far_shade([s0, e0], 0.12 * u, 0.15 * u, darker(cloth, 0.1))]
        # the upper forearm's shadow on the one under it
        out.append(path(poly([(e1[0] - 0.2 * u, e1[1] + 0.2 * u), (w1[0], w1[1] + 0.3 * u)], closed=False), 'none',
                        darker(cloth, 0.3), 0.12 * u, extra='stroke-opacity="0.3"'))
        out.append(solid(self._sleeve(s1, e1, w1), cloth, INK, self.contour))
        out.append(far_shade([s1, e1], 0.12 * u, 0.15 * u, darker(cloth, 0.1)))
        # the near upper arm again over the end of the forearm that tucks under it: its fill and
        # its two edges, no ends
        at = lambda t: (s0[0] + (e0[0] - s0[0]) * t, s0[1] + (e0[1] - s0[1]) * t)
        ts = (0.3, 0.5, 0.7, 0.93)
        ws = [(0.24 + (0.23 - 0.24) * t / 0.5) if t < 0.5 else (0.23 + (0.205 - 0.23) * (t - 0.5) / 0.5) for t in ts]
        left, right = limb_edges([at(t) for t in ts], [w * u for w in ws])
        out.append(path(poly(left + list(reversed(right))), cloth, None, 0))
        c = self.contour
        for edge, ws_ in ((left, 1), (right, -1)):
            lo, ro = limb_edges([at(t) for t in ts], [(w * u + c / 2) * ws_ for w in ws])
            out.append(path(poly(lo, closed=False), 'none', INK, c))
        out.append(far_shade([at(0.3), at(0.93)], 0.12 * u, 0.15 * u, darker(cloth, 0.1)))
        # creases in the crooks of the elbows and where the cloth gathers over the forearms
        for e, w, t in ((e0, w0, 1), (e1, w1, -1)):
            dx, dy = w[0] - e[0], w[1] - e[1]
            d = math.hypot(dx, dy) or 1
            for k in (0.3,):
                cx_, cy_ = e[0] + dx * k, e[1] + dy * k
                px, py = -dy / d * 0.12 * u, dx / d * 0.12 * u
                out.append(path('M%s,%s Q%s,%s %s,%s' % (n(cx_ + px), n(cy_ + py), n(cx_ + dx / d * 0.08 * u), n(cy_ + dy / d * 0.08 * u),
                                                         n(cx_ - px), n(cy_ - py)), 'none', fold, lw, extra='stroke-opacity="0.5"'))
        # the under hand's fingers curled round the outside of the far upper arm
        fx, fy = s1[0] + (e1[0] - s1[0]) * 0.72 + 0.2 * u, s1[1] + (e1[1] - s1[1]) * 0.72
        for k in range(3):
            out.append(ellipse(fx + 0.01 * u * k, fy + (k - 1) * 0.1 * u, 0.085 * u, 0.05 * u, self.skin, INK, max(1.2, 0.025 * u), -10))
        return ''.join(out)


class FaceMark:
    """A face drawn by a scene itself (a creature, not a Person), for the card's record."""

    def __init__(self, box, u, main=True):
        self.box, self.u, self.main = box, u, main

    def face_box(self):
        return self.box


def marked_face(features, box, u, main=True):
    """The features of a face the scene draws itself, in the group the card marks."""
    DRAWN.append(FaceMark(box, u, main))
    return '<g data-face="@%d">%s</g>' % (len(DRAWN) - 1, features)


def held_cup(hand, h, angle=0, colour=GOLD):
    """A chalice held by its stem in the hand at `hand`, tipped by `angle` about its foot; returns
    the drawing and the middle of its rim. The fist drawn after it closes round the stem."""
    a = math.radians(angle)
    hx, hy = hand
    fx, fy = hx - 0.32 * h * math.sin(a), hy + 0.32 * h * math.cos(a)
    rim = (fx + h * math.sin(a), fy - h * math.cos(a))
    return cup(fx, fy, h, colour, angle), rim


def person(*args, **kw):
    p = Person(*args, **kw)
    return p.draw(), p


# --- horses ------------------------------------------------------------------------------------

def curve_through(points, closed=False):
    """A smooth path through `points` (cubic pieces whose tangents run from each point's
    neighbour to the next); `closed` joins the last point back to the first."""
    pts = list(points)
    k = len(pts)
    d = 'M%s,%s' % (n(pts[0][0]), n(pts[0][1]))
    for i in range(k if closed else k - 1):
        p0, p1 = pts[(i - 1) % k if closed else max(i - 1, 0)], pts[i]
        p2 = pts[(i + 1) % k]
        p3 = pts[(i + 2) % k if closed else min(i + 2, k - 1)]
        a = (p1[0] + (p2[0] - p0[0]) / 6, p1[1] + (p2[1] - p0[1]) / 6)
        b = (p2[0] - (p3[0] - p1[0]) / 6, p2[1] - (p3[1] - p1[1]) / 6)
        d += ' C%s,%s %s,%s %s,%s' % (n(a[0]), n(a[1]), n(b[0]), n(b[1]), n(p2[0]), n(p2[1]))
    return d + (' Z' if closed else '')


def folded_foreleg(top, bends, colour, widths=(6.8, 4.0, 4.4, 3.0, 3.7, 2.9)):
    """A horse's foreleg lifted and folded, in the horse's own units: from the elbow `top`
    through the knee, the fetlock and the coronet, `bends` the (angle, length) of the
    forearm, the cannon and the pastern. The forearm is muscled and tapers to a knobbed
    knee, the slim cannon ends in a round fetlock, the hoof shows its sole."""
    pts = [top]
    for ang, ln in bends:
        a = math.radians(ang)
        pts.append((pts[-1][0] + ln * math.cos(a), pts[-1][1] + ln * math.sin(a)))
    elbow, knee, fet, coronet = pts
    w_el, w_kn_in, w_kn, w_can, w_fet, w_pas = widths

    def seg(a, b, wa, wb, bulge=0.0):
        # a tapered piece from a to b, its front (upper) edge swelling by `bulge` a third of the way down
        dx, dy = b[0] - a[0], b[1] - a[1]
        d = math.hypot(dx, dy) or 1
        nx, ny = -dy / d, dx / d
        m = (a[0] + dx * 0.35, a[1] + dy * 0.35)
        wm = wa + (wb - wa) * 0.35
        return 'M%s,%s Q%s,%s %s,%s L%s,%s L%s,%s Z' % (
            n(a[0] - nx * wa), n(a[1] - ny * wa), n(m[0] - nx * (wm + bulge)), n(m[1] - ny * (wm + bulge)),
            n(b[0] - nx * wb), n(b[1] - ny * wb), n(b[0] + nx * wb), n(b[1] + ny * wb), n(a[0] + nx * wa), n(a[1] + ny * wa))
    pieces = [('path', seg(elbow, knee, w_el, w_kn_in, 2.0)), ('circle', knee[0], knee[1], w_kn),
              ('path', seg(knee, fet, w_can, w_can * 0.9)), ('circle', fet[0], fet[1], w_fet),
              ('path', seg(fet, coronet, w_pas, w_pas))]
    out = [solid(pieces, colour, INK, 1.5)]
    # the forearm's muscle: a soft shade down its back edge to the knee, and the line where
    # the muscle gives way to the bony front above the knee
    dx, dy = knee[0] - elbow[0], knee[1] - elbow[1]
    d = math.hypot(dx, dy) or 1
    nx, ny = -dy / d, dx / d
    def at(t, off):
        return elbow[0] + dx * t + nx * off, elbow[1] + dy * t + ny * off
    shade = [at(0.05, w_el * 0.95), at(0.45, w_el * 0.75), at(0.9, w_kn_in * 0.9), at(0.6, w_el * 0.2)]
    out.append(path('M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % tuple(n(v) for q in shade[:3] + [shade[3], shade[0]] for v in q),
                    darker(colour, 0.12), None, 0))
    m0, m1, m2 = at(0.2, -w_el * 0.55), at(0.55, -w_el * 0.15), at(0.8, w_el * 0.15)
    out.append(path('M%s,%s Q%s,%s %s,%s' % (n(m0[0]), n(m0[1]), n(m1[0]), n(m1[1]), n(m2[0]), n(m2[1])), 'none',
                    darker(colour, 0.3), 1.0))
    # the tuft of hair at the back of the fetlock
    fx, fy = fet
    cdx, cdy = fet[0] - knee[0], fet[1] - knee[1]
    cd = math.hypot(cdx, cdy) or 1
    bx, by = -cdy / cd, cdx / cd  # the back of the leg, towards the forearm
    ux_, uy_ = cdx / cd, cdy / cd

    def fp(along, back):
        return fx + ux_ * along + bx * back, fy + uy_ * along + by * back
    # a soft lock: from the back of the fetlock it swells out and ends in a point below it
    t0, t1, tip, t2, t3 = fp(-2.4, w_fet * 0.7), fp(-0.5, w_fet + 2.0), fp(2.6, w_fet + 2.2), fp(1.6, w_fet + 0.6), fp(2.2, w_fet * 0.5)
    out.append(path('M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % tuple(n(v) for q in (t0, t1, tip, t2, t3) for v in q),
                    darker(colour, 0.3), INK, 0.9))
    # the crease inside the bent knee, and the fetlock's round set off from the cannon
    for j, r in ((knee, w_kn), (fet, w_fet)):
        a0 = math.atan2(j[1] - pts[pts.index(j) - 1][1], j[0] - pts[pts.index(j) - 1][0])
        p0 = (j[0] + r * 0.75 * math.cos(a0 + 2.2), j[1] + r * 0.75 * math.sin(a0 + 2.2))
        p1 = (j[0] + r * 0.75 * math.cos(a0 + 3.4), j[1] + r * 0.75 * math.sin(a0 + 3.4))
        out.append(path('M%s,%s Q%s,%s %s,%s' % (n(p0[0]), n(p0[1]), n(j[0]), n(j[1]), n(p1[0]), n(p1[1])), 'none',
                        darker(colour, 0.3), 1.1))
    # the hoof: the wall dark, the sole turned up paler
    dx, dy = coronet[0] - fet[0], coronet[1] - fet[1]
    d = math.hypot(dx, dy) or 1
    ux, uy = dx / d, dy / d
    px, py = -uy, ux
    cx, cy = coronet
    wall = [(cx + px * 3.2, cy + py * 3.2), (cx + ux * 5.6 + px * 4.2, cy + uy * 5.6 + py * 4.2),
            (cx + ux * 5.6 - px * 4.2, cy + uy * 5.6 - py * 4.2), (cx - px * 3.2, cy - py * 3.2)]
    out.append(path(poly(wall), '#3a2e28', INK, 1.5))
    out.append(path(poly([wall[1], wall[2], (cx + ux * 4.2 - px * 2.4, cy + uy * 4.2 - py * 2.4),
                          (cx + ux * 4.2 + px * 2.4, cy + uy * 4.2 + py * 2.4)]), '#8a7a6a', INK, 1.0))
    return ''.join(out)


def horse(x, y, s, direction=1, pose='stand', colour='#f2efe8', mane=None, cloth=None):
    """A horse side on with its hooves on y, facing right for direction 1. `s` scales a body
    about 100 units long. Returns the drawing and the saddle point for a rider."""
    mane = mane or darker(colour, 0.35)
    far = darker(colour, 0.18)
    # each leg: where it leaves the body, the knee (fore) or hock (hind), the fetlock, and
    # the ground under the hoof; the forelegs first
    if pose == 'walk':
        legs_far = [[(28, 6), (25, 40), (23, 60), (26, 68)], [(-28, 6), (-31, 38), (-24, 59), (-19, 67)]]
        legs_near = [[(38, 6), (51, 33), (44, 50), (45, 58)], [(-36, 6), (-47, 38), (-47, 60), (-43, 68)]]
    elif pose == 'gallop':
        legs_far = [[(28, 6), (46, 24), (38, 40), (40, 47)], [(-28, 6), (-42, 30), (-53, 45), (-52, 52)]]
        legs_near = [[(38, 6), (56, 28), (68, 42), (74, 44)], [(-36, 6), (-55, 24), (-70, 34), (-77, 34)]]
    elif pose == 'rear':
        # the forelegs are lifted and folded under the chest (drawn last, below)
        legs_far = [None, [(-30, 6), (-32, 38), (-25, 60), (-21, 68)]]
        legs_near = [None, [(-38, 6), (-47, 40), (-41, 60), (-37, 68)]]
    else:
        legs_far = [[(28, 6), (27, 40), (27, 60), (30, 68)], [(-28, 6), (-34, 38), (-33, 60), (-29, 68)]]
        legs_near = [[(38, 6), (40, 40), (39, 60), (42, 68)], [(-36, 6), (-45, 39), (-43, 60), (-39, 68)]]

    def lerp(a, b, t):
        return a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t

    def leg_spine(pts4, hind):
        # the muscled forearm or gaskin, the bony knee or hock, the slim cannon, the round
        # fetlock and the short pastern down to the coronet
        top, joint, fet, ground_ = pts4
        coronet = lerp(fet, ground_, 0.6)
        spine = [top, lerp(top, joint, 0.5), joint, lerp(joint, fet, 0.5), fet, coronet]
        widths = [9.5, 6.6, 5.0, 3.5, 4.6, 3.3] if hind else [8.5, 6.2, 5.2, 3.6, 4.6, 3.3]
        return spine, widths

    def hoof(pts4, c):
        fet, ground_ = pts4[2], pts4[3]
        top = lerp(fet, ground_, 0.6)
        dx, dy = ground_[0] - top[0], ground_[1] - top[1]
        d = math.hypot(dx, dy) or 1
        px, py = -dy / d, dx / d
        ring = [(top[0] + px * 3.6, top[1] + py * 3.6), (ground_[0] + px * 4.8 + dx / d, ground_[1] + py * 4.8 + dy / d),
                (ground_[0] - px * 4.8 + dx / d, ground_[1] - py * 4.8 + dy / d), (top[0] - px * 3.6, top[1] - py * 3.6)]
        return path(poly(ring), '#3a2e28', INK, 1.5)

    def leg(pts4, c, hind):
        spine, widths = leg_spine(pts4, hind)
        return solid([('path', limb(spine, widths))], c, INK, 1.5) + hoof(pts4, c)

    def leg_marks(pts4, hind):
        # the shade down the back of the leg and the joint's crease, inside the outline
        spine, widths = leg_spine(pts4, hind)
        out = far_shade(spine[1:5], 2.0, 2.2, darker(colour, 0.2))
        (jx, jy), w = spine[2], widths[2]
        out += path('M%s,%s q%s,%s %s,0' % (n(jx - w * 0.6), n(jy + 1), n(w * 0.6), n(2.2), n(w * 1.2)), 'none',
                    darker(colour, 0.35), 1.2)
        return out

    # the neck arched along its crest, the head with its round cheek tapering to the muzzle
    body = [('ellipse', 0, 0, 50, 24),
            ('path', 'M22,-16 Q28,-48 48,-64 Q56,-70 62,-66 Q64,-52 60,-38 Q56,-14 46,12 Z'),
            ('path', 'M50,-64 Q56,-76 66,-74 Q76,-66 88,-50 Q96,-40 92,-34 Q88,-29 80,-31 Q72,-33 66,-37 '
                     'Q58,-36 54,-42 Q48,-52 50,-64 Z'),
            ('path', poly([(58, -71), (61, -85), (65, -72)]))]
    parts = [leg(l, far, i == 1) for i, l in enumerate(legs_far) if l]
    parts.append(path(poly([(53, -69), (54, -82), (59, -71)]), far, INK, 1.5))
    if pose != 'rear':
        parts.append(path('M-46,-10 Q-80,0 -70,58 Q-64,44 -58,52 Q-58,22 -44,4 Z', mane, INK, 2))
    # the near legs grow out of the body: one outline round both
    near = [limb(*leg_spine(l, i == 1)) for i, l in enumerate(legs_near) if l]
    parts.append(solid(body + [('path', d) for d in near], colour, INK, 2))
    parts.append(path('M-44,8 Q0,30 44,10 Q0,20 -44,8 Z', darker(colour, 0.12), None, 0))
    parts += [path(d, colour, None, 0) for d in near]
    parts += [leg_marks(l, i == 1) for i, l in enumerate(legs_near) if l]
    # the mane falling along the crest in locks, the forelock between the ears
    parts.append(path('M20,-20 Q24,-48 46,-66 L57,-72 Q52,-62 47,-56 Q44,-50 40,-48 Q40,-40 35,-36 Q34,-28 29,-24 '
                      'Q28,-18 24,-12 Z', mane, INK, 1.5))
    for d in ('M44,-60 Q40,-52 37,-46', 'M36,-46 Q32,-36 30,-30'):
        parts.append(path(d, 'none', darker(mane, 0.3), 1.2))
    parts.append(path('M57,-72 Q63,-68 64,-60 Q59,-63 55,-67 Z', mane, INK, 1.2))
    parts.append(ellipse(67, -59, 3.2, 2.2, INK, None, 0, -30))
    parts.append(path('M63,-62 q4,-3 8,-1', 'none', darker(colour, 0.35), 1.2))
    parts.append(path('M56,-52 Q52,-42 62,-38', 'none', darker(colour, 0.3), 1.4))
    parts.append(path('M87,-42 q3,-3 5,1', 'none', INK, 1.6))
    parts.append(path('M83,-32 q4,1 8,-1', 'none', darker(colour, 0.4), 1.4))
    parts.append(path('M84,-34 L64,-62 L59,-70 M79,-48 L85,-33', 'none', '#6b3f2a', 2.4))
    if cloth:
        parts.append(path('M-22,-24 Q-2,-30 20,-24 L24,6 Q0,12 -26,6 Z', cloth, INK, 2))
    parts += [hoof(l, colour) for l in legs_near if l]
    if pose == 'rear':
        # the forelegs raised from the chest, each forearm reaching forward, the knee sharply
        # bent and the cannon folded back under it (angles from the horse's front: the body
        # itself is raised 30 degrees)
        for top, bends, c in (((30, 12), ((-30, 25), (100, 20), (140, 6)), far),
                              ((36, 6), ((-58, 30), (74, 21), (112, 6)), colour)):
            parts.append(folded_foreleg(top, [(a + 30, ln) for a, ln in bends], c))
            if c == far:
                # the breast, round and whole, over the far leg's root
                parts.append(path('M26,20.5 Q40,20 50,8 L54,-6 L34,-6 Z', colour, None, 0))
                parts.append(path('M26,21 Q40,20.5 50.5,8', 'none', INK, 2))
        # the near leg's root blends into the chest
        parts.append(ellipse(36, 6, 7, 6, colour, None, 0, 20))
    angle = -30 if pose == 'rear' else 0
    inner = group(parts, 'rotate(%s -30 68)' % n(angle)) if angle else ''.join(parts)
    t = 'translate(%s %s) scale(%s %s)' % (n(x), n(y - 68 * s), n(s * direction), n(s))

    def scene(px, py):
        # a point of the horse's own drawing on the card, through the same transforms
        a = math.radians(angle)
        dx, dy = px + 30, py - 68
        rx, ry = -30 + dx * math.cos(a) - dy * math.sin(a), 68 + dx * math.sin(a) + dy * math.cos(a)
        return x + rx * s * direction, y - 68 * s + ry * s
    drawn = group([inner], t)
    if pose == 'rear':
        # the tail from the top of the rump, falling in locks behind the hind legs and clear of the ground
        (bx, by), root_b = scene(-46, -10), scene(-44, 4)
        k = -direction
        outline = [(0, 0), (30, 16), (40, 70), (38, 130), (34, 182), (24, 164), (14, 176), (10, 150), (0, 158),
                   (-10, 124), (-24, 84), (k * (root_b[0] - bx), root_b[1] - by)]
        drawn += path(curve_through([(bx + k * dx, by + dy) for dx, dy in outline], closed=True), mane, INK, 2)
        for d in ((12, 30, 34, 100, 30, 160), (4, 40, 18, 90, 14, 140)):
            drawn += path('M%s,%s Q%s,%s %s,%s' % (n(bx + k * d[0]), n(by + d[1]), n(bx + k * d[2]), n(by + d[3]),
                                                    n(bx + k * d[4]), n(by + d[5])), 'none', darker(mane, 0.3), 1.4)
    # a soft shadow on the ground under the hooves (none under a horse in the air)
    shadow = '' if pose == 'rear' else ellipse(x + 4 * s * direction, y, 70 * s, 9 * s, '#1a1410', None, 0,
                                                extra='fill-opacity="0.2"')
    return shadow + drawn, {'saddle': scene(-2, -22), 'muzzle': scene(84, -40)}


def rider(hx, hy, h, direction, **kw):
    """A person astride at the saddle point; the near leg hangs along the horse's flank."""
    kw.setdefault('face', 'right' if direction > 0 else 'left')
    return person(hx, hy + 0.25 * h / 7.5, h, pose='ride', **kw)


# --- thrones, benches, stone -------------------------------------------------------------------

def _material(colour):
    """What a throne of `colour` is made of: 'wood' for a saturated brown, 'gilt' for a warm
    pale stone with gold in it, else 'stone'."""
    r, g, b = (int(colour[k:k + 2], 16) for k in (1, 3, 5))
    hi, lo = max(r, g, b), min(r, g, b)
    sat = (hi - lo) / hi if hi else 0
    if sat > 0.35 and r > b and hi < 200:
        return 'wood'
    if r - b >= 40:
        return 'gilt'
    return 'stone'


def _back_outline(x, y, w, h, top, inset=0.0):
    """The throne back's outline, `inset` inside its edge."""
    l, r, k = x - w / 2 + inset, x + w / 2 - inset, inset
    d = 'M%s,%s L%s,%s' % (n(l), n(y), n(l), n(y - h + w * 0.2))
    if top == 'round':
        d += ' A%s,%s 0 0 1 %s,%s' % (n(w / 2 - k), n(max(1.0, w * 0.3 - k)), n(r), n(y - h + w * 0.2))
    elif top == 'pointed':
        d += ' L%s,%s L%s,%s' % (n(x), n(y - h - w * 0.15 + k * 1.6), n(r), n(y - h + w * 0.2))
    else:
        d += ' L%s,%s L%s,%s L%s,%s' % (n(l), n(y - h + k), n(r), n(y - h + k), n(r), n(y - h + w * 0.2))
    return d + ' L%s,%s Z' % (n(r), n(y))


def throne(x, y, w, h, colour='#9a9aa8', trim=GOLD, top='round', seat=None):
    """A throne whose back rises h above the floor y, w wide; a sitter's feet rest on y. The
    seat stands out beside the sitter's hips, the arms come forward on either side at the
    height of the elbows, on posts down to the seat. It is carved: a moulding round the
    back's edge and a sunk panel in it, a panelled front to the seat, the arms ending in
    scrolls, the legs on round feet. What it is made of follows its colour (see _material):
    stone laid in courses, wood with its grain, or pale stone picked out in gold."""
    out = []
    kind = _material(colour)
    card = CARD[0]
    fill = colour
    if card is not None:
        # lit from the upper left
        fill = card.linear([(0, mix(colour, '#ffffff', 0.14)), (0.6, colour), (1, darker(colour, 0.12))],
                           x - w / 2, y - h, x + w / 2, y, 'userSpaceOnUse')
    d = _back_outline(x, y, w, h, top)
    out.append(path(d, fill))
    out.append(path(d, 'none', trim, 4))
    # the moulding just inside the edge: a groove in shade and a ridge in the light
    out.append(path(_back_outline(x, y, w, h, top, 12), 'none', darker(colour, 0.3), 3))
    out.append(path(_back_outline(x, y, w, h, top, 16), 'none', mix(colour, '#ffffff', 0.3), 2))
    # the sunk panel in the middle of the back: its top and left inner sides in shade, the
    # bottom and right ones catching the light
    px0, px1 = x - w / 2 + 30, x + w / 2 - 30
    py0, py1 = y - h + w * 0.2 + 14, y - h * 0.3
    out.append(rect(px0, py0, px1 - px0, py1 - py0, darker(colour, 0.07), darker(colour, 0.32), 2, r=6))
    out.append(path('M%s,%s L%s,%s L%s,%s' % (n(px0 + 4), n(py1 - 4), n(px0 + 4), n(py0 + 4), n(px1 - 4), n(py0 + 4)), 'none',
                    darker(colour, 0.22), 5, extra='stroke-opacity="0.6"'))
    out.append(path('M%s,%s L%s,%s L%s,%s' % (n(px0 + 6), n(py1 - 3), n(px1 - 3), n(py1 - 3), n(px1 - 3), n(py0 + 6)), 'none',
                    mix(colour, '#ffffff', 0.3), 2))
    if kind == 'stone':
        # the stone laid in courses: joints across the frame beside the panel, staggered
        jc = darker(colour, 0.22)
        for k, yy in enumerate(range(int(py1) - 70, int(py0) + 20, -70)):
            for s in (-1, 1):
                a, b = (x - w / 2 + 18, px0 - 2) if s < 0 else (px1 + 2, x + w / 2 - 18)
                out.append(line((a, yy), (b, yy), jc, 1.5, extra='stroke-opacity="0.7"'))
    elif kind == 'wood':
        # the grain running up the frame beside the panel
        gc = darker(colour, 0.25)
        for s in (-1, 1):
            for k in range(2):
                gx = (x - w / 2 + 21 + k * 5) if s < 0 else (x + w / 2 - 21 - k * 5)
                out.append(path('M%s,%s Q%s,%s %s,%s' % (n(gx), n(py1), n(gx + s * 3), n((py0 + py1) / 2), n(gx), n(py0 + 10)),
                                'none', gc, 1.4, extra='stroke-opacity="0.7"'))
    else:
        # pale stone picked out in gold: a gilt bead round the panel
        out.append(rect(px0 - 5, py0 - 5, px1 - px0 + 10, py1 - py0 + 10, 'none', trim, 2.5, r=9))
    seat_c = seat or darker(colour, 0.15)
    sy = y - h * 0.27           # the seat's top, where the sitter's lap rests
    ay = y - h * 0.45           # the arms' top, at the sitter's elbows
    depth = h * 0.045
    # the seat: its top in the light, its front in shade, and the dark under it
    out.append(rect(x - w / 2 + 6, sy + depth * 2, w - 12, y - sy - depth * 2 - 6, darker(colour, 0.45), None, 0))
    out.append(path(poly([(x - w / 2 - 4, sy), (x + w / 2 + 4, sy), (x + w / 2 + 16, sy + depth), (x - w / 2 - 16, sy + depth)]),
                    mix(seat_c, '#ffffff', 0.18), INK, LINE))
    fy, fh = sy + depth, depth * 1.2
    out.append(rect(x - w / 2 - 16, fy, w + 32, fh, darker(seat_c, 0.15), INK, LINE))
    # the seat's front panelled: a sunk rail with a boss at either end
    out.append(rect(x - w / 2 - 2, fy + fh * 0.28, w + 4, fh * 0.44, darker(seat_c, 0.28), None, 0, r=3))
    out.append(line((x - w / 2 - 2, fy + fh * 0.72), (x + w / 2 + 2, fy + fh * 0.72), mix(seat_c, '#ffffff', 0.2), 1.5))
    for s in (-1, 1):
        out.append(circle(x + s * (w / 2 + 6), fy + fh / 2, fh * 0.28, trim if kind != 'stone' else seat_c, INK, 1.5))
    # the legs at the front corners, down to the floor, each with a ring under the seat and a
    # round foot
    for s in (-1, 1):
        lx = x + s * (w / 2 + 2)
        ly0, ly1 = sy + depth * 2.2, y - 4
        out.append(rect(lx - 12, ly0, 24, ly1 - ly0, darker(seat_c, 0.2), INK, LINE))
        out.append(line((lx - 6, ly0 + 8), (lx - 6, ly1 - 16), mix(seat_c, '#ffffff', 0.15), 3))
        out.append(rect(lx - 15, ly0 + 4, 30, 9, darker(seat_c, 0.1), INK, 1.5, r=3))
        out.append(ellipse(lx, ly1 - 4, 16, 9, darker(seat_c, 0.1), INK, 1.5))
    # the arms: a rail from the back forward, a post down to the seat and a scroll turning
    # under at the front
    for s in (-1, 1):
        bx, fx = x + s * (w / 2 - 6), x + s * (w / 2 + 10)
        out.append(rect(fx - 11, ay, 22, sy - ay + 2, darker(seat_c, 0.05), INK, LINE))
        out.append(line((fx - 5, ay + 18), (fx - 5, sy - 4), mix(seat_c, '#ffffff', 0.15), 2.5))
        out.append(path(poly([(bx - 12, ay - 12), (bx + 12, ay - 12), (fx + 15, ay + 4), (fx - 15, ay + 4)]),
                        mix(seat_c, '#ffffff', 0.12), INK, LINE))
        out.append(circle(fx, ay + 2, 16, seat_c, INK, LINE))
        # the scroll: a spiral winding in from the rim to the eye
        pts = []
        for k in range(25):
            a = math.radians(-90 + s * k * 22)
            r = 12 - k * 0.42
            pts.append((fx + r * math.cos(a), ay + 2 + r * math.sin(a)))
        out.append(path(poly(pts, closed=False), 'none', trim if kind != 'stone' else darker(seat_c, 0.4), 2.2))
        out.append(circle(fx, ay + 2, 2.5, trim if kind != 'stone' else darker(seat_c, 0.4), None, 0))
    out.append(rect(x - w / 2 - 22, y - 6, w + 44, 18, darker(colour, 0.25)))
    out.append(line((x - w / 2 - 20, y - 3), (x + w / 2 + 20, y - 3), mix(colour, '#ffffff', 0.15), 2))
    return ''.join(out)


def ram_head(x, y, r, colour='#d8d2c4'):
    """A ram's head from the front: long face, dark muzzle, the horns curling round beside it."""
    horn = darker(colour, 0.12)
    out = []
    for s in (-1, 1):
        d = 'M%s,%s C%s,%s %s,%s %s,%s C%s,%s %s,%s %s,%s' % (
            n(x + s * r * 0.3), n(y - r * 0.6), n(x + s * r * 1.3), n(y - r * 1.2), n(x + s * r * 1.55), n(y + r * 0.2),
            n(x + s * r * 0.95), n(y + r * 0.35), n(x + s * r * 0.6), n(y + r * 0.4), n(x + s * r * 0.6), n(y - r * 0.1),
            n(x + s * r * 0.95), n(y - r * 0.1))
        out.append(solid([('stroke', d, r * 0.32)], horn, INK, max(1.4, r * 0.05)))
        for k in range(3):
            px, py = x + s * r * (0.75 + k * 0.22), y - r * (0.75 - k * 0.3)
            out.append(line((px - s * r * 0.08, py - r * 0.08), (px + s * r * 0.06, py + r * 0.1), darker(horn, 0.3), 1.4))
    out.append(path('M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
        n(x - r * 0.42), n(y - r * 0.45), n(x), n(y - r * 0.75), n(x + r * 0.42), n(y - r * 0.45),
        n(x + r * 0.36), n(y + r * 0.5), n(x), n(y + r * 0.95), n(x - r * 0.36), n(y + r * 0.5), n(x - r * 0.42),
        n(y - r * 0.45)), colour, INK, max(1.5, r * 0.06)))
    out.append(ellipse(x, y + r * 0.68, r * 0.24, r * 0.2, darker(colour, 0.3), None, 0))
    for s in (-1, 1):
        out.append(ellipse(x + s * r * 0.2, y - r * 0.08, r * 0.07, r * 0.05, INK, None, 0))
    return ''.join(out)


def lion_head(x, y, r, mane='#c9822e', face='#e9b65a'):
    """A lion's head seen from the front: a shaggy mane of tufts, ears, a long muzzle."""
    out = []
    ps = []
    for k in range(22):
        a = -90 + k * 360 / 22.0
        rr = r * (1.02 if k % 2 == 0 else 0.8) * (1 + 0.06 * ((k * 7) % 3 - 1))
        ps.append(polar(x, y + r * 0.05, rr, a))
    out.append(path(poly(ps), mane, INK, max(1.5, r * 0.06)))
    out.append(circle(x, y + r * 0.05, r * 0.7, darker(mane, 0.15), None, 0))
    for s in (-1, 1):
        out.append(circle(x + s * r * 0.42, y - r * 0.42, r * 0.15, face, INK, max(1.2, r * 0.04)))
    d = 'M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
        n(x - r * 0.5), n(y - r * 0.2), n(x - r * 0.48), n(y - r * 0.62), n(x), n(y - r * 0.6),
        n(x + r * 0.48), n(y - r * 0.62), n(x + r * 0.5), n(y - r * 0.2), n(x + r * 0.42), n(y + r * 0.55),
        n(x), n(y + r * 0.62), n(x - r * 0.42), n(y + r * 0.55), n(x - r * 0.5), n(y - r * 0.2))
    out.append(path(d, face, INK, max(1.5, r * 0.05)))
    out.append(ellipse(x, y + r * 0.3, r * 0.27, r * 0.22, mix(face, '#ffffff', 0.45), None, 0))
    w = max(1.2, r * 0.05)
    for s in (-1, 1):
        ex = x + s * r * 0.21
        out.append(path('M%s,%s q%s,%s %s,0' % (n(ex - r * 0.09), n(y - r * 0.12), n(r * 0.09), n(-r * 0.07), n(r * 0.18)),
                        'none', INK, w))
        out.append(circle(ex, y - r * 0.08, r * 0.05, INK, None, 0))
    out.append(path('M%s,%s L%s,%s L%s,%s Z' % (n(x - r * 0.12), n(y + r * 0.14), n(x + r * 0.12), n(y + r * 0.14),
                                                n(x), n(y + r * 0.26)), '#4a2e22', INK, w * 0.6))
    out.append(path('M%s,%s L%s,%s M%s,%s q%s,%s %s,%s M%s,%s q%s,%s %s,%s' % (
        n(x), n(y + r * 0.26), n(x), n(y + r * 0.36), n(x), n(y + r * 0.36), n(-r * 0.08), n(r * 0.07), n(-r * 0.17), n(r * 0.02),
        n(x), n(y + r * 0.36), n(r * 0.08), n(r * 0.07), n(r * 0.17), n(r * 0.02)), 'none', INK, w))
    return ''.join(out)


# --- animals -----------------------------------------------------------------------------------

def dog(x, y, s, direction=1, colour='#f2efe8', pose='stand', ears=None):
    """A small dog side on, paws on y, ~60 units long before scaling."""
    ears = ears or darker(colour, 0.3)
    if pose == 'jump':
        legs = ['M18,6 L32,-6', 'M12,8 L26,0', 'M-18,8 L-32,20', 'M-12,8 L-24,22']
        tilt = -18
    elif pose == 'sit':
        legs = ['M14,6 L16,22', 'M8,8 L10,22', 'M-14,10 L-4,22']
        tilt = -30
    else:
        legs = ['M16,6 L18,22', 'M10,8 L10,22', 'M-16,6 L-18,22', 'M-10,8 L-10,22']
        tilt = 0
    pieces = [('ellipse', 0, 0, 24, 11), ('circle', 24, -12, 10), ('path', poly([(26, -16), (42, -10), (40, -4), (26, -4)]))]
    pieces += _paw_legs(legs, 4.2)
    pieces.append(('stroke', 'M-22,-2 Q-34,-10 -32,-24', 4))
    body = solid(pieces, colour, INK, 2)
    ear = path('M20,-20 Q14,-8 18,-2 Q24,-10 24,-20 Z', ears, INK, 1.5)
    eye = circle(27, -14, 1.8, INK, None, 0) + circle(41, -8, 2, INK, None, 0)
    inner = group([body, ear, eye], 'rotate(%s 0 0)' % n(tilt)) if tilt else body + ear + eye
    return group([inner], 'translate(%s %s) scale(%s %s)' % (n(x), n(y - 22 * s), n(s * direction), n(s)))


def _paw_legs(legs, w):
    """Legs given as 'Mx,y Lx,y' from the body to the ground: each tapering from the shoulder
    or thigh to the wrist, on a paw."""
    out = []
    for l in legs:
        (x1, y1), (x2, y2) = [tuple(float(v) for v in p.split(',')) for p in l[1:].split(' L')]
        mid = (x1 + (x2 - x1) * 0.45, y1 + (y2 - y1) * 0.45)
        out.append(('path', limb([(x1, y1), mid, (x2, y2)], [w, w * 0.72, w * 0.6])))
        d = 1 if x2 >= x1 - 4 else -1
        out.append(('ellipse', x2 + d * 1.5, y2, w * 0.95, w * 0.55))
    return out


def lion(x, y, s, direction=1, colour='#e6b35a', mane='#c07a2c'):
    """A lion side on, paws on y, facing right for direction 1, its maned head turned to the
    viewer: shoulders standing over straight forelegs, a deep chest, the belly drawn up to the
    loins, round haunches over hind legs bent back at the hock, broad paws and a tufted tail."""
    far = darker(colour, 0.14)
    line_c = darker(colour, 0.42)
    out = []

    def paw(px, py, c):
        r = [ellipse(px + 3, py - 2.5, 9, 5, c, INK, 2)]
        for t in (1, 5.5, 10):
            r.append(line((px + t - 1, py - 6), (px + t, py - 1), INK, 1.1))
        return ''.join(r)

    def foreleg(dx, c):
        pts = [(30 + dx, -10), (22 + dx, 12), (25 + dx, 23), (28 + dx, 32)]
        return (solid([('path', limb(pts, [12, 8, 6.2, 5.5]))], c, INK, 2) + paw(28 + dx, 36, c)
                + path('M%s,12 q3,4 1,8' % n(19 + dx), 'none', darker(c, 0.25), 1.4))

    def hindleg(dx, c):
        pts = [(-40 + dx, -2), (-32 + dx, 10), (-45 + dx, 23), (-43 + dx, 32)]
        return solid([('path', limb(pts, [13, 7.5, 5.2, 5]))], c, INK, 2) + paw(-44 + dx, 36, c)
    out.append(foreleg(-9, far))
    out.append(hindleg(9, far))
    out.append(hindleg(0, colour))
    out.append(foreleg(0, colour))
    out.append(path('M-52,-10 Q-80,-6 -72,24', 'none', INK, 7))
    out.append(path('M-52,-10 Q-80,-6 -72,24', 'none', colour, 4))
    out.append(ellipse(-72, 27, 5.5, 7, mane, INK, 1.5))
    # withers, a back dipping a little to the loins, the rump, the haunch's back edge, the
    # belly drawn up under the loins and let down to the deep chest, the chest's front
    body = ('M30,-26 Q4,-18 -20,-22 Q-40,-27 -52,-16 Q-60,-4 -54,6 Q-50,12 -42,10 '
            'Q-30,4 -14,5 Q6,8 20,14 Q36,18 44,6 Q52,-6 42,-20 Q38,-26 30,-26 Z')
    out.append(path(body, colour, INK, 2))
    # the far flank and the belly in shade, a light along the back
    out.append(path('M-40,8 Q-28,2 -14,3 Q6,6 22,11 Q10,12 -8,8 Q-26,6 -40,8 Z', far, None, 0))
    out.append(path('M26,-22 Q4,-15 -20,-19 Q-36,-23 -46,-16 Q-34,-18 -20,-15 Q4,-11 26,-22 Z',
                    mix(colour, '#ffffff', 0.35), None, 0))
    # the shoulder blade, the ribs' last curve and the haunch's front over the stifle
    out.append(path('M30,-22 Q18,-6 22,8', 'none', line_c, 1.6))
    out.append(path('M-4,-12 Q2,-2 -4,6', 'none', line_c, 1.2, extra='stroke-opacity="0.6"'))
    out.append(path('M-30,-20 Q-20,-4 -30,6', 'none', line_c, 1.6))
    out.append(lion_head(50, -16, 26, mane, colour))
    return group(out, 'translate(%s %s) scale(%s %s)' % (n(x), n(y - 36 * s), n(s * direction), n(s)))


def rabbit(x, y, s, direction=1, colour='#d8cbb8'):
    pieces = [('ellipse', 0, 0, 16, 11), ('circle', 14, -10, 8), ('ellipse', 12, -26, 3.5, 11, -10),
              ('ellipse', 18, -25, 3.5, 10, 12), ('ellipse', 4, 9, 9, 4)]
    out = [solid(pieces, colour, INK, 1.8), circle(-16, -2, 4.5, '#ffffff', INK, 1.5), circle(17, -11, 1.6, INK, None, 0)]
    return group(out, 'translate(%s %s) scale(%s %s)' % (n(x), n(y - 13 * s), n(s * direction), n(s)))


def cat(x, y, s, direction=1, colour='#26222a'):
    pieces = [('ellipse', 0, 0, 14, 18), ('circle', 4, -22, 10), ('path', poly([(-4, -28), (-2, -40), (4, -31)])),
              ('path', poly([(6, -31), (13, -40), (13, -26)])), ('stroke', 'M-12,12 Q-26,14 -22,-6', 4)]
    out = [solid(pieces, colour, '#0c0a0e', 1.8), circle(1, -23, 1.8, '#f4d04a', None, 0),
           circle(9, -23, 1.8, '#f4d04a', None, 0)]
    return group(out, 'translate(%s %s) scale(%s %s)' % (n(x), n(y - 18 * s), n(s * direction), n(s)))


def fish(x, y, s, angle=0, colour='#6fb0d8'):
    out = [path('M-18,0 Q0,-14 18,0 Q0,14 -18,0 Z M-16,0 L-28,-10 L-28,10 Z', colour, INK, 2),
           circle(10, -2, 2, INK, None, 0)]
    return group(out, 'translate(%s %s) rotate(%s) scale(%s)' % (n(x), n(y), n(angle), n(s)))


def bird(x, y, s, direction=1, colour='#f7f7f2', wings='up'):
    wing = 'M-2,-2 Q-14,-30 -30,-34 Q-18,-14 -12,2 Z' if wings == 'up' else 'M-2,-2 Q-20,8 -34,4 Q-18,-6 -10,-6 Z'
    out = [path('M-22,4 Q-8,-8 12,-4 Q22,-6 26,-2 L32,0 L24,2 Q10,12 -10,8 L-26,14 Z', colour, INK, 2),
           path(wing, colour, INK, 2), circle(20, -3, 1.6, INK, None, 0)]
    return group(out, 'translate(%s %s) scale(%s %s)' % (n(x), n(y), n(s * direction), n(s)))


def wolf(x, y, s, direction=1, colour='#8c8c96'):
    pieces = [('ellipse', 0, 0, 28, 12), ('circle', 26, -14, 11), ('path', poly([(28, -20), (48, -16), (46, -8), (28, -6)])),
              ('path', poly([(20, -22), (22, -36), (28, -24)]))]
    pieces += _paw_legs(('M18,6 L20,24', 'M12,8 L12,24', 'M-18,6 L-20,24', 'M-12,8 L-12,24'), 4.4)
    # a bushy tail and the ruff at the throat
    pieces.append(('path', 'M-26,-4 Q-42,0 -48,20 Q-40,16 -36,18 Q-36,6 -24,4 Z'))
    pieces.append(('path', 'M18,-8 Q22,4 16,10 Q26,6 30,-4 Z'))
    out = [solid(pieces, colour, INK, 2), circle(30, -16, 1.8, INK, None, 0)]
    return group(out, 'translate(%s %s) scale(%s %s)' % (n(x), n(y - 24 * s), n(s * direction), n(s)))


# --- more things the scenes hold or stand among ----------------------------------------------------

def wings(x, y, span, colour='#f2e6d0', tip='#d98c6a', up=True):
    """A pair of wings whose roots meet at (x, y) behind a figure's shoulders."""
    out = []
    for side in (-1, 1):
        lift = -0.55 if up else -0.1
        d = 'M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
            n(x), n(y), n(x + side * span * 0.45), n(y + span * lift * 1.3), n(x + side * span), n(y + span * lift),
            n(x + side * span * 0.8), n(y + span * 0.25), n(x + side * span * 0.45), n(y + span * 0.55),
            n(x + side * span * 0.2), n(y + span * 0.3), n(x), n(y + span * 0.15))
        out.append(path(d, colour))
        for k in range(3):
            t = 0.45 + k * 0.18
            out.append(path('M%s,%s Q%s,%s %s,%s' % (
                n(x + side * span * 0.15), n(y + span * 0.05), n(x + side * span * t * 0.9), n(y + span * (lift + 0.35)),
                n(x + side * span * t * 1.2), n(y + span * (0.3 - k * 0.1))), 'none', tip, 2.2))
    return ''.join(out)


def pillar(x, top, bottom, w, colour='#d8d2c4', capital=None):
    capital = capital or darker(colour, 0.15)
    return ''.join([rect(x - w / 2, top + 24, w, bottom - top - 40, colour),
                    rect(x - w / 2 - 10, top, w + 20, 26, capital),
                    rect(x - w / 2 - 10, bottom - 18, w + 20, 20, capital)])


# Capital letters drawn as strokes in a box 1 wide and 1.4 high, for the few words and
# initials the cards carry (no fonts in the sources).
_LETTERS = {
    'A': ['M0,1.4 L0.5,0 L1,1.4', 'M0.2,0.85 L0.8,0.85'],
    'B': ['M0,0 L0,1.4', 'M0,0 L0.6,0 Q0.95,0 0.95,0.34 Q0.95,0.68 0.6,0.68 L0,0.68',
          'M0.6,0.68 Q1,0.68 1,1.04 Q1,1.4 0.6,1.4 L0,1.4'],
    'J': ['M0.8,0 L0.8,1.05 Q0.8,1.4 0.4,1.4 Q0.05,1.4 0.05,1.05'],
    'O': ['M0.5,0 Q1,0 1,0.7 Q1,1.4 0.5,1.4 Q0,1.4 0,0.7 Q0,0 0.5,0 Z'],
    'R': ['M0,1.4 L0,0 L0.6,0 Q0.95,0 0.95,0.36 Q0.95,0.72 0.6,0.72 L0,0.72', 'M0.5,0.72 L1,1.4'],
    'T': ['M0,0 L1,0', 'M0.5,0 L0.5,1.4'],
    'I': ['M0.5,0 L0.5,1.4'],
    'N': ['M0,1.4 L0,0 L1,1.4 L1,0'],
    'S': ['M0.95,0.2 Q0.8,0 0.5,0 Q0.05,0 0.05,0.35 Q0.05,0.7 0.5,0.7 Q0.95,0.7 0.95,1.05 Q0.95,1.4 0.5,1.4 Q0.15,1.4 0.02,1.15'],
    'D': ['M0,0 L0,1.4 L0.45,1.4 Q1,1.4 1,0.7 Q1,0 0.45,0 Z'],
    'L': ['M0,0 L0,1.4 L0.9,1.4'],
}


def letters(word, x, y, size, colour=INK, width=None, angle=0):
    """A word centred on (x, y), `size` the letter width."""
    width = width or max(2.0, size * 0.16)
    out = []
    k = len(word)
    for i, ch in enumerate(word):
        lx = x + (i - (k - 1) / 2.0) * size * 1.4 - size / 2
        for d in _LETTERS[ch]:
            out.append('<path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round" '
                       'stroke-linejoin="round" transform="translate(%s %s) scale(%s)"/>' % (
                           d, colour, n(width / size), n(lx), n(y - size * 0.7), n(size)))
    if angle:
        return group(out, 'rotate(%s %s %s)' % (n(angle), n(x), n(y)))
    return ''.join(out)


def lemniscate(x, y, w, colour=GOLD, width=5):
    d = 'M%s,%s C%s,%s %s,%s %s,%s C%s,%s %s,%s %s,%s C%s,%s %s,%s %s,%s C%s,%s %s,%s %s,%s' % (
        n(x), n(y), n(x + w * 0.4), n(y - w * 0.45), n(x + w), n(y - w * 0.45), n(x + w), n(y),
        n(x + w), n(y + w * 0.45), n(x + w * 0.4), n(y + w * 0.45), n(x), n(y),
        n(x - w * 0.4), n(y - w * 0.45), n(x - w), n(y - w * 0.45), n(x - w), n(y),
        n(x - w), n(y + w * 0.45), n(x - w * 0.4), n(y + w * 0.45), n(x), n(y))
    return solid([('stroke', d, width)], colour, INK, 1.5)


def scales(x, y, s, colour=GOLD):
    """A balance hanging from a hand at (x, y)."""
    out = [line((x, y), (x, y + 14 * s), INK, 2.5), line((x - 40 * s, y + 14 * s), (x + 40 * s, y + 14 * s), colour, 5)]
    for side in (-1, 1):
        px = x + side * 40 * s
        out.append(line((px, y + 14 * s), (px - 14 * s, y + 50 * s), INK, 1.6))
        out.append(line((px, y + 14 * s), (px + 14 * s, y + 50 * s), INK, 1.6))
        out.append(path('M%s,%s Q%s,%s %s,%s Z' % (n(px - 18 * s), n(y + 50 * s), n(px), n(y + 64 * s), n(px + 18 * s),
                                                  n(y + 50 * s)), colour, INK, 2))
    return ''.join(out)


def lantern(x, y, s, light='#fff2a8'):
    """A lantern hanging from a hand at (x, y), a six-pointed star inside."""
    out = [line((x, y), (x, y + 10 * s), INK, 2), path(poly([(x - 14 * s, y + 14 * s), (x + 14 * s, y + 14 * s), (x, y + 6 * s)]),
                                                      GOLD_DARK, INK, 2)]
    out.append(rect(x - 14 * s, y + 14 * s, 28 * s, 36 * s, light, INK, 2.5, r=3))
    star6 = [polar(x, y + 32 * s, 10 * s if i % 2 == 0 else 5 * s, -90 + i * 30) for i in range(12)]
    out.append(path(poly(star6), '#f7c948', INK, 1.4))
    out.append(rect(x - 16 * s, y + 50 * s, 32 * s, 6 * s, GOLD_DARK, INK, 2))
    return ''.join(out)


def trumpet(a, b, colour=GOLD):
    (x1, y1), (x2, y2) = a, b
    dx, dy = x2 - x1, y2 - y1
    length = math.hypot(dx, dy)
    ang = math.degrees(math.atan2(dy, dx))
    body = [path('M0,-3 L%s,-5 L%s,-18 L%s,18 L%s,5 L0,3 Z' % (n(length * 0.8), n(length), n(length), n(length * 0.8)), colour,
                 INK, 2)]
    return group(body, 'translate(%s %s) rotate(%s)' % (n(x1), n(y1), n(ang)))


def eagle(x, y, s, colour='#8a6a48'):
    out = [wings(x, y, 40 * s, colour, darker(colour, 0.3)), ellipse(x, y + 14 * s, 12 * s, 20 * s, colour),
           circle(x, y - 8 * s, 10 * s, '#f2efe6'), path(poly([(x + 6 * s, y - 10 * s), (x + 16 * s, y - 6 * s), (x + 6 * s, y - 2 * s)]),
                                                          '#f4c04a', INK, 1.5),
           circle(x + 3 * s, y - 10 * s, 1.8 * s, INK, None, 0)]
    return ''.join(out)


def bull_head(x, y, r, colour='#a8743e'):
    out = [path('M%s,%s Q%s,%s %s,%s' % (n(x - r * 0.6), n(y - r * 0.5), n(x - r * 1.4), n(y - r * 0.9), n(x - r * 1.1), n(y - r * 1.5)),
                'none', '#efe6d0', r * 0.22),
           path('M%s,%s Q%s,%s %s,%s' % (n(x + r * 0.6), n(y - r * 0.5), n(x + r * 1.4), n(y - r * 0.9), n(x + r * 1.1), n(y - r * 1.5)),
                'none', '#efe6d0', r * 0.22)]
    out.append(solid([('ellipse', x, y, r * 0.75, r * 0.9), ('ellipse', x - r * 0.9, y - r * 0.4, r * 0.35, r * 0.15, -20),
                      ('ellipse', x + r * 0.9, y - r * 0.4, r * 0.35, r * 0.15, 20)], colour, INK, 2))
    out.append(ellipse(x, y + r * 0.55, r * 0.5, r * 0.35, darker(colour, 0.15), INK, 2))
    out.append(circle(x - r * 0.32, y - r * 0.15, r * 0.08, INK, None, 0))
    out.append(circle(x + r * 0.32, y - r * 0.15, r * 0.08, INK, None, 0))
    return ''.join(out)


def chain(a, b, colour='#8a8f9a'):
    (x1, y1), (x2, y2) = a, b
    k = max(3, int(math.hypot(x2 - x1, y2 - y1) / 12))
    out = []
    ang = math.degrees(math.atan2(y2 - y1, x2 - x1))
    for i in range(k):
        t = (i + 0.5) / k
        out.append(ellipse(x1 + (x2 - x1) * t, y1 + (y2 - y1) * t, 7, 4, 'none', colour, 2.6, ang + (0 if i % 2 else 90) * 0))
    return ''.join(out)


def wheat(x, y, h, colour='#e2b54a'):
    out = [line((x, y), (x + h * 0.08, y - h), '#b89a3a', 2.2)]
    for k in range(5):
        t = 0.6 + k * 0.09
        px, py = x + h * 0.08 * t, y - h * t
        out.append(ellipse(px - 5, py, 6, 3, colour, INK, 1.1, -40))
        out.append(ellipse(px + 5, py, 6, 3, colour, INK, 1.1, 40))
    return ''.join(out)


def sunflower(x, y, r, stem_h=0):
    out = []
    if stem_h:
        out.append(line((x, y), (x, y + stem_h), '#3e7a3a', 5))
    for k in range(12):
        px, py = polar(x, y, r * 0.85, k * 30)
        out.append(ellipse(px, py, r * 0.45, r * 0.18, '#f4c430', INK, 1.4, k * 30))
    out.append(circle(x, y, r * 0.5, '#7a4a1e', INK, 1.6))
    return ''.join(out)
