# The major arcana, one function per card: it returns the scene's elements in field
# coordinates (origin at the field's centre, ±288 across, ±464 down).
import math

from figures import (Person, GOLD, GOLD_DARK, LEAF, SKIN, SKINS, WOOD, bird, bull_head, chain, coin, cup, darker, dog, eagle,
                     far_shade, held_cup, horse, lantern, leg_edges, leg_shape, lemniscate, letters, limb, lion, lion_head, marked_face, mix, person, pillar,
                     ram_head, rider, scales, smooth, sunflower, sword, throne, trumpet, wand, wheat, wings)
from scenery import (castle, cloud, flowers, ground, hills, lightning, moon, mountains,
                     rose, sky, star, sun, tower, tree, water, wave_sea)
from svg import INK, LINE, circle, ellipse, group, line, n, path, poly, polar, rect, solid

SCENES = {}


def card(number):
    def register(fn):
        SCENES[number] = fn
        return fn
    return register


def jug(x, y, s, angle, colour='#d98c4a'):
    """A pitcher held by its handle at (x, y), tipped by `angle`; returns the drawing and its
    spout. The hand drawn after it closes round the handle."""
    body = [path('M-14,-22 L14,-22 L12,-12 Q24,4 14,22 L-14,22 Q-24,4 -12,-12 Z', colour, INK, 2),
            path('M-9,-8 Q-14,6 -9,18', 'none', darker(colour, 0.2), 3),
            path('M13,-16 Q30,-16 24,8', 'none', INK, 4),
            path('M-14,-22 L-22,-28 L-10,-24 Z', colour, INK, 2)]
    a = math.radians(angle)

    def at(px, py):
        px, py = px * s, py * s
        return px * math.cos(a) - py * math.sin(a), px * math.sin(a) + py * math.cos(a)
    hx, hy = at(25, -6)
    x, y = x - hx, y - hy
    sx, sy = at(-20, -27)
    spout = (x + sx, y + sy)
    return group(body, 'translate(%s %s) rotate(%s) scale(%s)' % (n(x), n(y), n(angle), n(s))), spout


def stream(a, b, bend=0.0, width=7, colour='#a9d4f5'):
    (x1, y1), (x2, y2) = a, b
    mx, my = (x1 + x2) / 2 + bend, (y1 + y2) / 2
    d = 'M%s,%s Q%s,%s %s,%s' % (n(x1), n(y1), n(mx), n(my), n(x2), n(y2))
    return solid([('stroke', d, width)], colour, INK, 1.5)


def seated_at(x, y, h, a, b):
    """A point of a seated figure (feet on (x, y), `h` its standing height) in body units:
    where an elbow or a hand goes when the scene sets the arm itself."""
    u = h / 7.5
    return x + a * u, y - 6.25 * u + b * u


class Kneeling(Person):
    """A bare figure kneeling on one knee, its body turned a little: the thigh straight down to
    the knee on the ground, the shin lying back along it to the tucked toes; the other thigh
    runs forward to the raised knee and the shin stands down from it to the foot."""

    def _legs(self, hem_y):
        u = self.u
        t = self.bdir if self.bturn else 1
        U = lambda a, b: self.U(t * a, b)
        far = darker(self.skin, 0.1)
        knee = U(-0.36, 5.4)
        shin = [knee, U(-0.95, 5.4), U(-1.5, 5.44)]
        out = [solid([('path', limb(shin, [0.17 * u, 0.15 * u, 0.085 * u]))], far, INK, self.contour),
               ellipse(*U(-1.66, 5.42), 0.2 * u, 0.085 * u, far, INK, 2, t * 20)]
        self._bare += [('path', limb([U(-0.3, 3.75), U(-0.34, 4.6), knee], [0.34 * u, 0.25 * u, 0.17 * u])),
                       ('circle', knee[0], knee[1], 0.17 * u)]
        self.knee_down = knee
        self.foot_in = U(1.32, 5.5)
        self._front = solid([('path', leg_shape(U(0.3, 3.82), U(1.3, 4.32), U(1.26, 5.42), u, t))], self.skin, INK,
                            self.contour)
        self._front += ellipse(self.foot_in[0], self.foot_in[1], 0.3 * u, 0.12 * u, self.skin, INK, 2)
        return ''.join(out)


def hair_behind(p, card):
    """Long hair falling in a mass from the crown behind the shoulders to the middle of the
    back, lit on the viewer's left, with a few darker locks through it."""
    cx, cy = p.head
    hu, u = p.hu, p.u
    (lx, ly), (rx, ry) = p.shoulders
    low = ly + 1.35 * u
    ring = [(cx - 0.2 * hu, cy - 0.62 * hu), (cx - 0.66 * hu, cy - 0.2 * hu), (cx - 0.84 * hu, cy + 0.7 * hu),
            (lx - 0.26 * u, ly - 0.02 * u), (lx - 0.24 * u, ly + 0.9 * u), (lx + 0.1 * u, low),
            (lx + 0.4 * u, low - 0.12 * u), (cx, low + 0.06 * u), (rx - 0.4 * u, low - 0.1 * u), (rx - 0.1 * u, low + 0.04 * u),
            (rx + 0.22 * u, ry + 0.9 * u), (rx + 0.24 * u, ry - 0.02 * u), (cx + 0.84 * hu, cy + 0.7 * hu),
            (cx + 0.66 * hu, cy - 0.2 * hu), (cx + 0.2 * hu, cy - 0.62 * hu)]
    w = rx - lx + 0.4 * u
    fill = card.linear([(0, mix(p.hair, '#fff6d8', 0.45)), (0.3, p.hair), (1, darker(p.hair, 0.32))],
                       lx - 0.2 * u, 0, lx - 0.2 * u + w, 0, 'userSpaceOnUse')
    out = [path(smooth(ring), fill, INK, 2)]
    lock = darker(p.hair, 0.35)
    for sd in (-1, 1):
        sx = lx if sd < 0 else rx
        for k, a in enumerate((0.1, 0.32)):
            x0 = sx - sd * a * u
            out.append(path('M%s,%s q%s,%s %s,%s' % (n(x0), n(ly - 0.1 * u), n(sd * 0.1 * u), n(0.6 * u), n(-sd * 0.04 * u),
                                                      n((1.15 + 0.12 * k) * u)), 'none', lock, 1.6))
    # the light caught along the lit side
    out.append(path('M%s,%s q%s,%s %s,%s' % (n(lx + 0.1 * u), n(ly + 0.1 * u), n(-0.08 * u), n(0.5 * u), n(0.06 * u),
                                              n(1.0 * u)), 'none', mix(p.hair, '#ffffff', 0.6), 2.2))
    return ''.join(out)


def front_locks(p):
    """A lock on each side slipping forward over the shoulder and down over the breast,
    winding a little and tapering to its tip, its lit edge towards the viewer's left."""
    cx, cy = p.head
    hu, u = p.hu, p.u
    out = []
    for i, sd in ((0, -1), (1, 1)):
        sx, sy = p.shoulders[i]
        pts = [(cx + sd * 0.55 * hu, cy + 0.15 * hu), (sx - sd * 0.3 * u, sy - 0.06 * u), (sx - sd * 0.4 * u, sy + 0.4 * u),
               (sx - sd * 0.3 * u, sy + 0.8 * u), (sx - sd * 0.4 * u, sy + 1.2 * u)]
        out.append(solid([('path', limb(pts, [0.03 * hu, 0.1 * u, 0.1 * u, 0.07 * u, 0.01 * u]))],
                         p.hair if sd < 0 else darker(p.hair, 0.12), INK, 1.6))
        q = [(x - 0.035 * u, y) for x, y in pts[1:4]]
        out.append(path('M%s,%s Q%s,%s %s,%s' % (n(q[0][0]), n(q[0][1]), n(q[1][0]), n(q[1][1]), n(q[2][0]), n(q[2][1])),
                        'none', mix(p.hair, '#ffffff', 0.45), 1.4))
    return ''.join(out)


def rills(x0, y0):
    """Water landing at (x0, y0) on the bank: a shallow spill and, from its edge, five thin
    streams running off over the grass down the slope to the right, lying on the ground.
    Each has its own length, breadth and winding, broader as it comes nearer; two of them
    run into a neighbour partway down. Blue-white with a darker edge."""
    spill = 'M%s,%s q20,-10 42,-4 q18,6 2,13 q-22,7 -44,1 q-14,-5 0,-10 Z' % (n(x0 - 22), n(y0 - 2))
    # (direction, length, broadest half width, bends along it, phase, sway, the rill and the
    # point on it where it joins)
    runs = ((18, 84, 2.6, 1.1, 0.4, 6, None), (38, 150, 4.4, 1.7, 2.3, 12, None), (60, 96, 2.0, 1.3, 4.2, 9, (1, 5)),
            (80, 160, 3.6, 1.0, 0.9, 16, None), (106, 112, 2.4, 2.1, 3.0, 9, (3, 6)))
    courses = []
    for k, (angle, length, wide, bends, phase, sway, _) in enumerate(runs):
        a = math.radians(angle)
        dx, dy = math.cos(a), math.sin(a)
        x, y = x0 + 18 - 10 * k, y0 + 2 + 2.4 * k
        pts = []
        for j in range(10):
            t = j / 9
            wob = sway * (0.3 + t) * math.sin(t * math.pi * bends + phase) - sway * 0.3 * math.sin(phase)
            pts.append((x + dx * length * t - dy * wob, y + dy * length * t + dx * wob * 0.6))
        courses.append(pts)
    out = []
    for k, (angle, length, wide, bends, phase, sway, into) in enumerate(runs):
        pts = courses[k]
        if into is not None:
            # bend the lower part of its course round to meet the other rill
            tx, ty = courses[into[0]][into[1]]
            pts = [(x + (tx - pts[-1][0]) * (j / 9) ** 2, y + (ty - pts[-1][1]) * (j / 9) ** 2)
                   for j, (x, y) in enumerate(pts)]
        ws = [wide * (0.45 + 0.55 * j / 9) * (1 + 0.18 * math.sin(j * 1.9 + k)) for j in range(9)] + [0.6]
        out.insert(0 if into is not None else len(out), path(limb(pts, ws), '#e3f1fc', '#4a7fb6', 1.3))
    out.append(path(spill, '#cfe6fa', '#4f86bd', 1.6))
    return ''.join(out)


@card(17)
def la_estrella(c):
    out = [sky(c, 'night', 80)]
    out.append(mountains(60, '#4b5a86', [(200, 110, 120), (60, 80, 110), (-190, 130, 140)], snow='#d9def0'))
    out.append(ground(c, 60, '#6f9e5a', '#4f7e42', curve=10))
    out.append(tree(215, 90, 190, '#3f7a3c'))
    out.append(bird(205, -40, 0.9, -1, '#f2efe6', 'down'))
    g = c.linear([(0, '#6fb2e8'), (1, '#356fb0')])
    dy = 70  # the figure and the pool stand lower and larger in the field
    out.append(ellipse(-170, 262 + dy, 175, 85, g))
    out.append(path('M-128,%s q14,-6 28,0 M-218,%s q14,-6 28,0 M-198,%s q14,-6 28,0' % (255 + dy, 290 + dy, 232 + dy), 'none',
                    '#d8ecff', 2.2))
    # the eight stars: one great one above the figure, seven around it
    out.append(star(0, -300, 78, 8, '#fbe37a', 0.38))
    for x, y in [(-200, -360), (-120, -190), (-235, -250), (200, -360), (125, -190), (235, -250), (0, -150)]:
        out.append(star(x, y, 30, 8, '#fff8d8', 0.4))
    # she kneels on her left knee on the bank, her right foot in the pool, her body upright and
    # turned a little towards the water, looking down at it
    p = Kneeling(40, 270 + dy, 470, pose='kneel', dress='nude', face='left', body='three', gaze=(-0.5, 0.8), mood='calm',
                 hairstyle='long', hair='#e0b45a', hands=((-1.15, 1.95), (1.2, 1.9)), grips=('fist', 'fist'))
    out.append(hair_behind(p, c))
    body = p.draw()
    # the jug in her right hand pours into the pool, the one in her left onto the land, where
    # the water parts into five rills running off across the grass behind her foot
    jl, sl = jug(*p.hands[0], 1.45, -95, '#c96f3c')
    jr, sr = jug(*p.hands[1], 1.45, 105)
    x0, y0 = sr[0] + 12, 238 + dy
    out.append(rills(x0, y0 + 4))
    out.append(stream(sr, (x0, y0 - 3), 16))
    # the foot in the pool stands in the water to the ankle, behind its rings
    fx, fy = p.foot_in
    out.append(body)
    out.append(front_locks(p))
    out.append(ellipse(fx, fy + 2, 40, 12, '#4f8fcc', None, 0, extra='fill-opacity="0.75"'))
    out.append(ellipse(fx, fy + 4, 44, 11, 'none', '#d8ecff', 2.2))
    out.append(stream(sl, (sl[0] - 30, 250 + dy), -22))
    out += [jl, jr]
    out.append(p.hand(0, 'fist'))
    out.append(p.hand(1, 'fist'))
    # rings spread where the stream meets the pool
    out.append(ellipse(sl[0] - 30, 255 + dy, 26, 7, 'none', '#d8ecff', 2.2))
    return out


@card(13)
def la_muerte(c):
    out = [sky(c, 'dawn', 60)]
    out.append(sun(c, 200, 50, 48, rays=14))
    out.append(ground(c, 40, '#8d9a6a', '#6b7a4e'))
    out.append(water(c, 40, '#7aa8d8', '#5c88bd', 90))
    out.append(tower(145, 40, 42, 170, '#c9c2b4'))
    out.append(tower(255, 40, 42, 170, '#c9c2b4'))
    hb, hp = horse(112, 372, 2.34, -1, 'walk', '#f2efe8', '#c9c4ba', cloth='#26222c')
    out.append(hb)
    sx, sy = hp['saddle']
    rb, r = rider(sx, sy, 290, -1, face='skull', skin='#ece8dc', cloth='#2b2a33', sleeves='#3b3a45', legs='#3b3a45',
                  shoes='#1c1b22', hat='plume', hat_colour='#c83e3e', hands=((-1.3, 0.2), (-1.4, 1.6)),
                  hairstyle='bald', grips=('fist', 'fist'))
    # the banner's pole goes behind the rider's fist; the flag flies over his head
    hx, hy = r.hands[0]
    pole_top = (hx + 22, hy - 300)
    out.append(line((hx - 3, hy + 80), pole_top, '#6b4a30', 7))
    flag = 'M%s,%s L%s,%s Q%s,%s %s,%s L%s,%s Q%s,%s %s,%s Z' % (
        n(pole_top[0]), n(pole_top[1]), n(pole_top[0] - 150), n(pole_top[1] + 10), n(pole_top[0] - 130),
        n(pole_top[1] + 70), n(pole_top[0] - 160), n(pole_top[1] + 130), n(pole_top[0] - 8), n(pole_top[1] + 140),
        n(pole_top[0] - 4), n(pole_top[1] + 70), n(pole_top[0]), n(pole_top[1]))
    out.append(path(flag, '#1e1c24'))
    rx0, ry0 = pole_top[0] - 75, pole_top[1] + 70
    for k in range(5):
        px, py = polar(rx0, ry0, 22, -90 + k * 72)
        out.append(circle(px, py, 15, '#f5f2ea', INK, 1.6))
    out.append(circle(rx0, ry0, 10, '#f4d04a', INK, 1.6))
    out.append(rb)
    out.append(line(r.hands[1], hp['muzzle'], '#6b3f2a', 2.4))
    # before the horse: a bishop pleading with joined hands, a maiden turning away, a child who
    # looks up at the rider unafraid, a fallen king
    b, bp = person(-235, 330, 330, face='right', profile=True, mood='grief', gaze=(1, -0.6), cloth='#e8c95a', cape='#c24a3a',
                   hat='mitre', hairstyle='bald', beard='#e9e6de', reach=((-190, 130), (-190, 130)), grips=('pray', 'pray'))
    out.append(b)
    k, kp = person(-150, 398, 250, pose='kneel', face='left', mood='grief', cloth='#f2efe6', hairstyle='long',
                   hair='#d9a24a', hat='wreath', hands=((0.85, 1.2), (-0.3, 1.6)))
    out.append(k)
    ch, chp = person(-50, 352, 190, face='right', mood='calm', gaze=(1, -1), child=True, dress='tunic', cloth='#6fb2e8',
                     legs='#f2efe6', hair='#e0b040', reach=((0, 250), None), grips=('open', 'rest'))
    out.append(ch)
    out.append(flowers([-2], 236, r=6, seed=1))
    # the king lies fallen on his back in the foreground, clear of the hooves: his robe lies
    # over his legs, one arm flung out on the ground, his crown rolled away beside his head
    kx, ky = -232, 406
    kg = Striding(kx + 262, ky, 262, shadow=False, face='right', profile=True, mood='rest', dress='tunic', cloth='#a3353a',
                  legs='#8f2e33', shoes='#3a2a22', beard='#d9d4c8', hairstyle='bald', belt=GOLD,
                  hands=((0.1, 2.1), (-0.7, -2.0)), grips=('rest', 'open'),
                  stride=((0.12, (0.6, 5.55), (0.3, 7.28), 0), (-0.12, (0.0, 5.65), (-0.05, 7.32), 0)))
    out.append(ellipse(kx + 120, ky + 6, 150, 14, '#1a1410', None, 0, extra='fill-opacity="0.22"'))
    # his royal mantle spread on the ground under him, edged with ermine
    out.append(path('M%s,%s Q%s,%s %s,%s L%s,%s Q%s,%s %s,%s Z' % (
        n(kx + 30), n(ky - 6), n(kx + 6), n(ky + 44), n(kx + 56), n(ky + 48), n(kx + 206), n(ky + 50), n(kx + 236),
        n(ky + 42), n(kx + 218), n(ky + 6)), '#5a3a78', INK, 2))
    out.append(path('M%s,%s Q%s,%s %s,%s' % (n(kx + 34), n(ky + 43), n(kx + 130), n(ky + 49), n(kx + 210), n(ky + 45)), 'none',
                    '#f4f1e8', 6))
    for j in range(7):
        out.append(circle(kx + 52 + j * 25, ky + 45.5 + (1 if j % 2 else 0), 1.6, INK, None, 0))
    out.append(group([kg.draw()], 'rotate(-90 %s %s)' % (n(kx + 262), n(ky))))
    # his head lies at the rotated place of the standing head; the crown beside it
    hx, hy = kg.head
    hx, hy = kx + 262 + (hy - ky), ky - (hx - kx - 262)
    crown = poly([(-20, 0), (-16, -20), (-8, -8), (0, -24), (8, -8), (16, -20), (20, 0)])
    out.append(group([path(crown, GOLD, INK, 2), ellipse(0, 0, 20, 4, GOLD_DARK, INK, 1.6),
                      circle(0, -24, 3, '#c83e3e', INK, 1)], 'translate(%s %s) rotate(-34)' % (n(hx - 26), n(hy + 40))))
    return out


class Striding(Person):
    """A figure whose legs the scene sets one by one: `stride` lists each leg, the far one first,
    as (hip across, knee, foot, the foot's tilt in degrees) in body units, the hip at the hem's
    height; a tilted foot is lifted off the ground, its toe pointing down."""

    def __init__(self, *args, stride=(), lift=None, **kw):
        self.stride = stride
        # a tunic's hem: (back corner, front corner) in body units, so the skirt swings back
        # with the stride and rides up over a raised thigh
        self.lift = lift
        super().__init__(*args, **kw)

    def _body(self):
        d, hem_y = super()._body()
        if not self.lift or self.dress != 'tunic' or self.pose not in ('stand', 'walk'):
            return d, hem_y
        u = self.u
        t = self.bdir if self.bturn else 1
        back, front = [self.B(t * a, b) for a, b in self.lift]
        if t > 0:
            self._side[-1], self._side_r[-1] = back, front
        else:
            self._side[-1], self._side_r[-1] = front, back
        pts_l, pts_r = self._side, list(reversed(self._side_r))
        d = 'M%s,%s Q%s,%s %s,%s' % (n(pts_l[0][0]), n(pts_l[0][1]), n(pts_l[1][0] - 0.05 * u), n(pts_l[1][1] - 0.35 * u),
                                     n(pts_l[1][0]), n(pts_l[1][1]))
        for p in pts_l[2:]:
            d += ' L%s,%s' % (n(p[0]), n(p[1]))
        # the hem from corner to corner, sagging between them where the cloth hangs free,
        # dipping and rising where the folds end in it
        (x0, y0), (x1, y1) = pts_l[-1], pts_r[0]
        ym = max(y0, y1) + 0.2 * u
        q = lambda s_: ((1 - s_) ** 2 * x0 + 2 * s_ * (1 - s_) * (x0 + x1) / 2 + s_ * s_ * x1,
                        (1 - s_) ** 2 * y0 + 2 * s_ * (1 - s_) * ym + s_ * s_ * y1)
        for j in range(3):
            (bx, by), (cx, cy) = q((j + 1) / 3), q((j + 0.5) / 3)
            d += ' Q%s,%s %s,%s' % (n(cx), n(cy + (0.12 if j % 2 == 0 else -0.02) * u), n(bx), n(by))
        for p in pts_r[1:-1]:
            d += ' L%s,%s' % (n(p[0]), n(p[1]))
        d += ' Q%s,%s %s,%s Z' % (n(pts_r[-2][0] + 0.05 * u), n(pts_r[-2][1] - 0.35 * u), n(pts_r[-1][0]), n(pts_r[-1][1]))
        return d, hem_y

    def _folds(self, hem_y):
        out = super()._folds(hem_y)
        if not self.lift or self.dress != 'tunic':
            return out
        # the cloth drawn tight from the belt over the raised thigh, in a long fold
        t = self.bdir if self.bturn else 1
        a, b, e = self.B(t * 0.2, 3.75), self.B(t * 0.75, 4.15), self.B(t * 1.32, 4.62)
        return out + path('M%s,%s Q%s,%s %s,%s' % (n(a[0]), n(a[1]), n(b[0]), n(b[1]), n(e[0]), n(e[1])), 'none',
                          darker(self.cloth, 0.3), max(1.2, 0.03 * self.u))

    def _legs(self, hem_y):
        if not self.stride:
            return super()._legs(hem_y)
        U, u = self.B, self.u
        t = self.bdir if self.bturn else 1
        out = []
        for k, (hip_a, knee, foot, tilt) in enumerate(self.stride):
            hip, kn, f = U(hip_a, hem_y - 0.6), U(*knee), U(*foot)
            legc = self.legs if k else darker(self.legs, 0.08)
            d = 'M%s,%s Q%s,%s %s,%s L%s,%s' % (n(hip[0]), n(hip[1]), n(kn[0]), n(kn[1]), n(kn[0]), n(kn[1]), n(f[0]),
                                               n(f[1] - 0.12 * u))
            out.append(solid([('stroke', d, 0.44 * u)], legc, INK, self.contour))
            out.append(far_shade([hip, kn, (f[0], f[1] - 0.12 * u)], 0.11 * u, 0.15 * u, darker(legc, 0.12)))
            a = math.radians(tilt * t)
            out.append(ellipse(f[0] + math.cos(a) * t * 0.12 * u, f[1] - 0.05 * u + math.sin(a) * t * 0.12 * u, 0.3 * u,
                               0.14 * u, self.shoes, INK, 2, tilt * t))
        return ''.join(out)


@card(22)
def el_loco(c):
    out = [sky(c, 'gold', 120)]
    out.append(sun(c, 190, -320, 56, rays=16))
    out.append(mountains(160, '#9aa6c6', [(-180, 230, 150), (40, 180, 150), (230, 260, 120)], snow='#fafafa'))
    out.append(path('M-300,200 L300,200 L300,470 L-300,470 Z', '#a9c4e2', INK, LINE))
    # the cliff's edge comes to his front foot; beyond it the drop
    # the rock face falling away under the edge, and the ground up to the edge
    out.append(path('M84,262 L112,300 L104,350 L122,400 L112,470 L80,470 Z', '#6f5e46', INK, 2))
    cliff = 'M-300,190 Q-60,170 70,208 L84,262 L96,306 L90,347 L80,392 L100,470 L-300,470 Z'
    out.append(path(cliff, c.linear([(0, '#b8a482'), (1, '#8a7658')])))
    out.append(path('M-300,190 Q-60,170 70,208 L62,232 Q-80,210 -300,230 Z', '#7fae5a', INK, LINE))
    out.append(flowers([-260, -230, -200], 210, seed=2))

    def flowered(p):
        items = []
        for i, (a, b) in enumerate([(-0.5, 2.2), (0.4, 2.7), (-0.2, 3.6), (0.6, 3.9), (-0.6, 4.3), (0.1, 4.6)]):
            x, y = p.U(a, b)
            items.append(circle(x, y, 0.13 * p.u, ('#e05a4a', '#3f7f4a', '#f4d04a')[i % 3], INK, 1.2))
        return ''.join(items)

    # he stands with one foot at the very edge, the other lifted in his stride over the drop,
    # his face raised to the sky
    p = Striding(62, 336, 420, pose='walk', face='right', gaze=(0.6, -1), tilt=-20, body='three', mood='joy', dress='tunic',
                 cloth='#f3efe2', legs='#f2d36a', shoes='#e0a030', hair='#b5773a', hat='cap', hat_colour='#3f7f4a',
                 cape='#c2453a', hands=((0.55, 0.95), (1.15, 0.75)), pattern=flowered, belt='#c2a04a', shadow=False,
                 grips=('fist', 'fist'), holds=((-0.45, -1), None),
                 stride=((0.35, (1.3, 5.3), (1.3, 6.72), 36), (-0.35, (-0.2, 5.75), (-0.05, 7.4), 0)),
                 lift=((-1.36, 5.16), (1.56, 4.74)))
    out.append(ellipse(46, 338, 50, 10, '#1a1410', None, 0, extra='fill-opacity="0.2"'))
    body = p.draw()
    (lx, ly), (rx, ry) = p.hands
    # the staff in his right hand lies over his right shoulder, the bundle hanging from its
    # end behind him
    sx, sy = p.shoulders[0]
    over = (sx + 0.02 * p.u, sy - 0.3 * p.u)
    dx, dy = over[0] - lx, over[1] - ly
    d = math.hypot(dx, dy)
    stick_end = (lx + dx / d * 3.3 * p.u, ly + dy / d * 3.3 * p.u)
    bx, by = stick_end[0] + 4, stick_end[1] + 30
    out.append(line((stick_end[0] - 2, stick_end[1]), (bx - 4, by - 20), INK, 2))
    out.append(body)
    out.append(ellipse(bx, by, 30, 26, '#9b3b3b', INK, 2.5, -10))
    out.append(path('M%s,%s l-8,-14 l16,2 Z' % (n(bx - 2), n(by - 22)), '#9b3b3b', INK, 2))
    out.append(path('M%s,%s q10,6 20,0' % (n(bx - 14), n(by + 4)), 'none', darker('#9b3b3b', 0.3), 2))
    out.append(line((lx - dx / d * 0.5 * p.u, ly - dy / d * 0.5 * p.u), stick_end, WOOD, 8))
    out.append(p.hand(0, 'fist'))
    # the white rose held up in his left hand
    out.append(line((rx + 4, ry + 6), (rx + 10, ry - 38), '#3f7a3c', 3))
    out.append(rose(rx + 10, ry - 44, 13))
    out.append(p.hand(1, 'fist'))
    # the little dog leaps at his heels
    out.append(dog(-70, 330, 1.7, 1, '#f4f2ec', 'jump'))
    return out



def garden_border(y, seed=0):
    """Roses and lilies along the foot of a scene."""
    out = []
    for i, x in enumerate(range(-280, 300, 44)):
        if (i + seed) % 2:
            out.append(rose(x, y + (i % 3) * 6, 15, '#d8475a'))
        else:
            out.append(line((x, y + 30), (x, y - 10), '#3e7a3a', 3))
            out.append(path('M%s,%s l-10,-18 l10,6 l10,-6 Z' % (n(x), n(y - 8)), '#f7f4ec', INK, 1.6))
    return ''.join(out)


@card(1)
def el_mago(c):
    out = [sky(c, 'gold', 300)]
    out.append(path('M-300,-470 L-300,-340 Q-150,-300 0,-340 Q150,-300 300,-340 L300,-470 Z', '#4e8a44', INK, LINE))
    for x in range(-270, 300, 50):
        out.append(rose(x, -340 + (x % 100 == 0) * 10, 14, '#d8475a'))
    body, p = person(0, 330, 560, face='front', mood='focus', hairstyle='curly', cloth='#f4f1e8', cape='#c2453a', hair='#3a2418',
                     hands=((-0.5, -1.8), (0.45, 2.9)), belt='#4e8a44', grips=('fist', 'point'))
    out.append(body)
    # the wand raised to the sky in his right hand, the left pointing to the earth
    hx, hy = p.hands[0]
    out.append(wand((hx + 4, hy + 40), (hx - 10, hy - 85), 12, 0, '#f4f1e8', knots=False))
    out.append(p.hand(0, 'fist'))
    out.append(p.hand(1, 'point'))
    out.append(lemniscate(p.head[0], p.top - 45, 42))
    # the table with the four tools
    out.append(rect(-270, 180, 540, 40, '#a86a38', INK, LINE))
    out.append(rect(-250, 220, 40, 230, '#8a5430'))
    out.append(rect(210, 220, 40, 230, '#8a5430'))
    out.append(cup(-190, 180, 110))
    out.append(sword((-120, 168), (60, 150), 12))
    out.append(wand((70, 172), (230, 160), 12, 2))
    out.append(coin(170, 135, 40))
    out.append(garden_border(420))
    return out


def pomegranate(x, y, r=16):
    """A pomegranate: the round fruit with its little crown, lit on its upper left."""
    return (path('M%s,%s l-6,-9 l4,1 l2,-5 l2,5 l4,-1 l-6,9 Z' % (n(x), n(y - r + 3)), '#a8333a', INK, 1.6)
            + circle(x, y, r, '#c2453a', INK, 2)
            + path('M%s,%s a%s,%s 0 0 1 %s,%s' % (n(x - r * 0.6), n(y - r * 0.1), n(r * 0.6), n(r * 0.6), n(r * 0.5), n(-r * 0.5)),
                   'none', '#e88a7a', 2.4))


def small_pomegranate(x, y, r):
    """A little pomegranate for a pattern on cloth: the fruit, its crown and two leaves."""
    k = r / 8
    return (path('M%s,%s q%s,%s %s,%s q%s,%s %s,%s Z' % (n(x), n(y - r), n(-9 * k), n(-2 * k), n(-13 * k), n(-9 * k), n(8 * k),
                                                      n(-1 * k), n(13 * k), n(9 * k)), '#7e9e4e', '#3e5a26', 0.8)
            + path('M%s,%s q%s,%s %s,%s q%s,%s %s,%s Z' % (n(x), n(y - r), n(9 * k), n(-2 * k), n(13 * k), n(-9 * k), n(-8 * k),
                                                        n(-1 * k), n(-13 * k), n(9 * k)), '#7e9e4e', '#3e5a26', 0.8)
            + path('M%s,%s l%s,%s l%s,%s l%s,%s l%s,%s Z' % (n(x - 3.5 * k), n(y - r + 1), n(-1 * k), n(-5 * k), n(3 * k), n(2 * k),
                                                          n(2 * k), n(-4 * k), n(2 * k), n(7 * k)), '#a8333a', INK, 0.8)
            + circle(x, y, r, '#c2453a', INK, 1.1)
            + circle(x - 0.35 * r, y - 0.35 * r, 0.28 * r, '#e88a7a', None))


@card(2)
def la_sacerdotisa(c):
    out = [sky(c, 'night', 300)]
    # the veil of pomegranates hung between the pillars
    out.append(rect(-200, -330, 400, 560, '#5a7d3e'))
    for y in range(-300, 230, 70):
        for x in range(-170, 200, 80):
            xx = x + (40 if (y // 70) % 2 else 0)
            if xx < 190:
                out.append(pomegranate(xx, y))
            # a palm leaf between each pair of fruit
            lx = xx + 40
            if -190 < lx < 190:
                out.append(path('M%s,%s q-10,-14 0,-30 q10,16 0,30 Z' % (n(lx), n(y + 14)), '#7e9e4e', '#3e5a26', 1.4))
                out.append(line((lx, y + 14), (lx, y - 12), '#3e5a26', 1.2))
    out.append(wave_sea(c, 230, '#5a8ad0', '#2f5f9e', 12))
    out.append(pillar(-220, -380, 400, 70, '#2a2830', '#3a3842'))
    out.append(pillar(220, -380, 400, 70, '#f2efe6'))
    out.append(letters('B', -220, -250, 34, '#f2efe6', 5))
    out.append(letters('J', 220, -250, 34, INK, 5))
    # the cube of stone she sits on: its top in the light, its front and its side in shade
    out.append(rect(-120, 244, 240, 156, '#c9c2b4'))
    out.append(path(poly([(-120, 244), (120, 244), (140, 226), (-100, 226)]), '#e2ddd2', INK, LINE))
    out.append(path(poly([(120, 244), (140, 226), (140, 382), (120, 400)]), darker('#c9c2b4', 0.2), INK, LINE))
    body, p = person(0, 400, 470, pose='sit', face='front', mood='calm', dress='gown', cloth='#3f6db0', hat='veil',
                     hat_colour='#f2efe6', hands=((0.6, 1.7), (-0.5, 1.9)), grips=('fist', 'rest'))
    out.append(body)
    cx, cy = p.head
    # the horned crown: a full moon between two crescents
    out.append(circle(cx, cy - 0.85 * p.u, 0.3 * p.u, '#f5efc8'))
    out.append(path('M%s,%s q-%s,-%s -%s,-%s' % (n(cx - 0.3 * p.u), n(cy - 0.7 * p.u), n(0.3 * p.u), n(0.1 * p.u), n(0.45 * p.u),
                                                  n(0.55 * p.u)), 'none', '#f5efc8', 6))
    out.append(path('M%s,%s q%s,-%s %s,-%s' % (n(cx + 0.3 * p.u), n(cy - 0.7 * p.u), n(0.3 * p.u), n(0.1 * p.u), n(0.45 * p.u),
                                                n(0.55 * p.u)), 'none', '#f5efc8', 6))
    chx, chy = p.chest
    out.append(line((chx, chy - 20), (chx, chy + 30), '#f2efe6', 6))
    out.append(line((chx - 20, chy - 2), (chx + 20, chy - 2), '#f2efe6', 6))
    # the scroll in her lap
    lx, ly = p.hands[1]
    out.append(group([rect(-50, -14, 100, 28, '#f4ecd0', INK, 2, r=8), line((-30, 0), (30, 0), '#8a7a5a', 2)],
                     'translate(%s %s) rotate(-35)' % (n(lx + 20), n(ly + 12))))
    out.append(p.hand(0, 'fist'))
    # the crescent moon at her feet, lying on its back
    out.append(group([moon(0, 0, 40, 0.6, '#f5efc8', False)], 'translate(0 412) rotate(-90)'))
    return out


@card(3)
def la_emperatriz(c):
    out = [sky(c, 'gold', 80)]
    for x in (-250, -150, 180, 260):
        out.append(tree(x, 60, 230, '#3f7a3c'))
    out.append(path('M120,60 Q150,-60 170,-200 L200,-200 Q190,-60 180,60 Z', '#8ec6ee', INK, 2))
    # the fall's water streaming down in white threads, foaming where it meets the ground
    for k, t in enumerate((0.25, 0.5, 0.75)):
        out.append(path('M%s,-196 Q%s,-60 %s,56' % (n(170 + 30 * t), n(150 + 40 * t), n(120 + 60 * t)), 'none', '#e8f4fc', 2,
                        extra='stroke-dasharray="%s 10"' % (18 + k * 6)))
    for x, r in ((118, 12), (136, 15), (156, 14), (176, 12), (192, 10)):
        out.append(circle(x, 60, r, '#f4f8fc', INK, 1.6))
    out.append(ground(c, 60, '#8ab85a', '#6a9a44'))
    out.append(path('M140,60 Q120,200 250,470 L300,470 L300,300 Q210,200 200,60 Z', '#6fb2e8', INK, 2))
    # her couch: a cushion at her back, a deep seat cushion under her lap, the base below
    out.append(rect(-160, 70, 240, 190, '#b83c33', INK, LINE, r=60))
    out.append(rect(-190, 300, 300, 80, darker('#c2453a', 0.25), INK, LINE, r=10))
    out.append(rect(-200, 222, 320, 88, '#c2453a', INK, LINE, r=36))
    out.append(path('M-180,240 Q-40,228 100,240', 'none', mix('#c2453a', '#ffffff', 0.3), 5))
    body, p = person(-40, 380, 470, pose='sit', face='front', mood='joy', dress='gown', cloth='#f4f1e8', hair='#c28a3a',
                     hairstyle='long', hat='laurel', hands=((-0.6, 2.2), (0.8, 0.0)), grips=('rest', 'fist'),
                     holds=(None, (0.053, -1)))
    out.append(body)
    # the gown patterned with small pomegranates, each on a sprig of two leaves, strewn
    # loosely rather than in rows: a few on the bodice, more across the lap, and down the
    # skirt leaning outward with the folds as it spreads; each a little bigger or smaller
    for a, b, size, tilt in ((-0.3, 2.36, 0.95, -12), (0.24, 2.52, 0.85, 10), (-0.04, 2.96, 1.05, 4),
                             (-0.62, 3.36, 0.9, -18), (0.46, 3.3, 1.1, 14), (-0.18, 3.66, 0.8, -6),
                             (0.9, 3.82, 0.85, 22), (-0.94, 3.92, 1.0, -24), (0.22, 4.06, 1.05, 8),
                             (-0.5, 4.46, 0.9, -14), (0.56, 4.56, 0.95, 16), (-0.06, 4.92, 1.1, -3),
                             (-0.68, 5.26, 0.85, -20), (0.44, 5.38, 0.8, 12)):
        x, y = p.U(a - 0.05, b)
        out.append(group([small_pomegranate(x, y, 0.11 * size * p.u)], 'rotate(%s %s %s)' % (tilt, n(x), n(y))))
    cx, cy = p.head
    for k in range(12):
        px, py = polar(cx, cy - 0.1 * p.u, 0.85 * p.u, 195 + k * 13.6)
        out.append(star(px, py, 9, 6, '#f7e3a0', 0.45, width=1.2))
    hx, hy = p.hands[1]
    out.append(line((hx + 4, hy + 60), (hx + 14, hy - 130), GOLD, 7))
    out.append(circle(hx + 14, hy - 140, 14, GOLD))
    out.append(p.hand(1, 'fist'))
    # the heart-shaped shield with the sign of Venus, leaning against the couch
    sx, sy = -190, 296
    heart = ('M0,62 C-38,34 -74,8 -74,-24 C-74,-54 -44,-68 -20,-60 C-8,-56 0,-46 0,-38 '
             'C0,-46 8,-56 20,-60 C44,-68 74,-54 74,-24 C74,8 38,34 0,62 Z')
    out.append(group([path(heart, '#d8a84a', INK, LINE),
                      group([path(heart, 'none', '#f2cf7a', 4)], 'scale(0.84)'),
                      circle(0, -18, 15, 'none', INK, 5), line((0, -3), (0, 32), INK, 5), line((-12, 16), (12, 16), INK, 5)],
                     'translate(%s %s) rotate(-6)' % (n(sx), n(sy))))
    # the field of ripe wheat before her: a golden band of the crop, a back row of ears and
    # a taller front row, heads heavy and leaning this way and that
    out.append(path('M-300,470 L-300,350 Q-220,340 -140,348 Q-40,356 60,346 Q120,340 150,350 Q170,420 226,470 Z', '#d9a845'))
    for k in range(9):
        out.append(line((-290 + k * 50, 470), (-286 + k * 50, 372), '#b8862e', 1.6))
    for row, (y, h, step, x0) in enumerate(((428, 88, 24, -292), (478, 122, 30, -280))):
        x = x0
        while x < (150 if row else 170):
            lean = ((x * 7) % 5 - 2) * 3
            out.append(group([wheat(0, 0, h + (x % 3) * 6, '#e8b440' if row else '#d39a36')],
                             'translate(%s %s) rotate(%s)' % (n(x), n(y), n(lean))))
            x += step
    return out


@card(4)
def el_emperador(c):
    out = [sky(c, 'gold', 100)]
    out.append(mountains(120, '#c8703a', [(-200, 260, 150), (0, 200, 150), (210, 280, 140)], snow=None))
    out.append(ground(c, 120, '#b8683a', '#9a5230'))
    out.append(path('M-60,120 Q-40,250 -90,470 L-40,470 Q10,250 -20,120 Z', '#7fb5ea', INK, 2))
    out.append(throne(0, 400, 380, 600, '#a9a49a', '#8a8478', 'square'))
    for x, y in [(-150, -160), (150, -160), (-200, 80), (200, 80)]:
        out.append(ram_head(x, y, 30))
    # the elbows hang at his sides; the forearms come forward, the ankh sceptre upright in his
    # right hand, the orb in his left
    at = lambda a, b: seated_at(0, 400, 500, a, b)
    body, p = person(0, 400, 500, pose='sit', face='front', mood='stern', dress='gown', cloth='#b8302e', cape='#c2453a',
                     hat='crown', beard='#f2efe6', hair='#f2efe6', legs='#9aa3b2', reach=(at(-1.38, 2.2), at(1.45, 2.45)),
                     elbows=(at(-1.05, 3.1), at(1.05, 3.12)), grips=('fist', 'fist'), holds=((0, -1), None))
    out.append(body)
    lx, ly = p.hands[0]
    rx, ry = p.hands[1]
    out.append(circle(rx + 4, ry - 22, 22, GOLD))
    out.append(line((rx + 4, ry - 44), (rx + 4, ry - 60), INK, 3))
    out.append(line((lx, ly + 40), (lx, ly - 110), GOLD, 8))
    out.append(circle(lx, ly - 128, 20, 'none', GOLD, 7))
    out.append(line((lx - 20, ly - 100), (lx + 20, ly - 100), GOLD, 7))
    out.append(p.hand(0, 'fist'))
    out.append(p.hand(1, 'fist'))
    out.append(ram_head(p.chest[0], p.chest[1] - 10, 20, GOLD))
    return out


@card(5)
def el_sumo_sacerdote(c):
    out = [rect(-300, -470, 600, 940, '#9a9488', None, 0)]
    out.append(pillar(-210, -400, 330, 80, '#b9b3a8'))
    out.append(pillar(210, -400, 330, 80, '#b9b3a8'))
    out.append(rect(-300, 330, 600, 130, '#c9c2b4'))
    out.append(rect(-140, -250, 280, 560, '#6a6458', INK, LINE, r=20))
    out.append(throne(0, 330, 250, 500, '#7a7266', GOLD, 'round'))
    # the right hand raised in blessing from an elbow hanging at his side; the left holds the
    # triple cross with the forearm brought forward
    at = lambda a, b: seated_at(0, 330, 500, a, b)
    body, p = person(0, 330, 500, pose='sit', face='front', mood='calm', dress='gown', cloth='#b8302e', cape='#f2efe6',
                     hat='mitre', hat_colour=GOLD, beard='#d9d4c8', hair='#d9d4c8', reach=(at(-1.2, 1.35), at(1.35, 2.7)),
                     elbows=(at(-1.3, 2.75), at(1.05, 3.1)), grips=('rest', 'fist'), holds=(None, (0, -1)))
    out.append(body)
    cx, cy = p.head
    for k in range(3):
        out.append(line((cx - 0.42 * p.u + k * 0.05 * p.u, cy - (0.55 + k * 0.28) * p.u),
                        (cx + 0.42 * p.u - k * 0.05 * p.u, cy - (0.55 + k * 0.28) * p.u), INK, 2))
    lx, ly = p.hands[0]
    out.append(line((lx, ly - 4), (lx - 6, ly - 34), p.skin, 7))
    out.append(line((lx + 8, ly - 4), (lx + 6, ly - 32), p.skin, 7))
    rx, ry = p.hands[1]
    out.append(line((rx, ry + 140), (rx, ry - 260), GOLD, 8))
    for k, w in enumerate((34, 26, 18)):
        out.append(line((rx - w, ry - 200 - k * 28), (rx + w, ry - 200 - k * 28), GOLD, 8))
    out.append(p.hand(1, 'fist'))
    # the crossed keys at his feet
    for a, metal in ((-28, GOLD), (28, '#d5dbe4')):
        side = 1 if a > 0 else -1
        # the bow below, a trefoil of rings; the shaft; the bit with its wards at the top
        key = [solid([('stroke', 'M0,-56 L0,40', 7), ('circle', 0, 54, 14), ('circle', -12, 62, 8), ('circle', 12, 62, 8)],
                     metal, INK, 2),
               circle(0, 54, 6, '#c9c2b4', INK, 1.6),
               path('M0,-58 L%s,-58 L%s,-50 L%s,-50 L%s,-42 L%s,-42 L%s,-34 L0,-34 Z' % tuple(
                   n(side * v) for v in (20, 20, 14, 14, 20, 20)), metal, INK, 2)]
        out.append(group(key, 'translate(0 376) rotate(%s)' % a))
    # the two kneeling disciples, seen from behind
    out.append(person(-150, 470, 300, pose='kneel', face='back', mood='calm', cloth='#c2453a', hairstyle='short', hair='#4a2e1e',
                      pattern=lambda q: ''.join(rose(*q.U(a, b), 0.3 * q.u, '#e85a5a') for a, b in
                                                [(-0.4, 2.4), (0.3, 3.4), (-0.2, 4.4)]))[0])
    out.append(person(150, 470, 300, pose='kneel', face='back', mood='calm', cloth='#4a6fb5', hairstyle='short', hair='#c28a3a',
                      pattern=lambda q: ''.join(path('M%s,%s l-8,-14 l8,5 l8,-5 Z' % (n(x), n(y)), '#f7f4ec', INK, 1.4)
                                                for x, y in [q.U(-0.3, 2.5), q.U(0.4, 3.5), q.U(-0.1, 4.5)]))[0])
    return out


def feather(base, angle, length, width, colour, shaft, lw=1.0):
    """One feather from its quill at `base`, pointing along `angle` (degrees): a blade swelling
    past its middle to a rounded tip, the shaft drawn down it."""
    a = math.radians(angle)
    ux, uy = math.cos(a), math.sin(a)
    nx, ny = -uy, ux
    bx, by = base
    tx, ty = bx + ux * length, by + uy * length
    mx, my = bx + ux * length * 0.6, by + uy * length * 0.6
    d = 'M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
        n(bx), n(by), n(mx + nx * width * 1.3), n(my + ny * width * 1.3), n(tx), n(ty),
        n(mx - nx * width * 1.3), n(my - ny * width * 1.3), n(bx), n(by))
    return path(d, colour, INK, 1.6 * lw) + line((bx + ux * 6, by + uy * 6), (bx + ux * length * 0.85, by + uy * length * 0.85),
                                                 shaft, 1.4 * lw)


def feathered_wings(x, y, reach, rise, colours=('#b8332e', '#e0703a', '#f2b04a'), band='#f6d27a', drop=1.0, lw=1.0):
    """A great pair of wings spread from the shoulders at (x, y): each leading edge arches up
    and out to `reach` across and `rise` above, the long flight feathers hang from it and fan
    out towards the tip, the shorter rows and the coverts lie over them nearer the bone."""
    out = []
    long_c, mid_c, short_c = colours
    for side in (-1, 1):
        root = (x + side * 30, y)
        ctrl = (x + side * reach * 0.42, y - rise * 1.45)
        tip = (x + side * reach, y - rise * 0.95)

        def edge(t):
            return ((1 - t) ** 2 * root[0] + 2 * (1 - t) * t * ctrl[0] + t * t * tip[0],
                    (1 - t) ** 2 * root[1] + 2 * (1 - t) * t * ctrl[1] + t * t * tip[1])

        def pointing(t):
            # near the body the feathers hang down and a little in; at the tip they sweep out
            deg = 98 - 50 * t ** 1.3
            return deg if side > 0 else 180 - deg
        rows = ((long_c, 15, lambda t: (95 + 100 * t * (1 - 0.4 * t)) * drop, 14),
                (mid_c, 12, lambda t: (62 + 60 * t) * drop, 13),
                (short_c, 10, lambda t: (34 + 26 * t) * drop, 10))
        for colour, count, length, width in rows:
            shaft = darker(colour, 0.3)
            for k in range(count):
                t = k / (count - 1)
                out.append(feather(edge(t), pointing(t), length(t), width, colour, shaft, lw))
        # the bone of the wing along its leading edge, its coverts scalloped under it
        d = 'M%s,%s Q%s,%s %s,%s' % (n(root[0]), n(root[1]), n(ctrl[0]), n(ctrl[1]), n(tip[0]), n(tip[1]))
        out.append(solid([('stroke', d, 16)], band, INK, 2 * lw))
        for k in range(1, 12):
            px, py = edge(k / 12)
            out.append(path('M%s,%s q%s,10 %s,0' % (n(px - 8), n(py + 4), n(8), n(16)), 'none', darker(band, 0.3), 1.6 * lw))
    return ''.join(out)


def fire_tree(x, y, h):
    """The tree of flames: a bare trunk forking into branches, each leaf a tongue of fire."""
    out = []
    trunk = '#6b4a30'
    top = y - h * 0.55
    out.append(solid([('stroke', 'M%s,%s Q%s,%s %s,%s' % (n(x), n(y), n(x - 6), n((y + top) / 2), n(x), n(top)), 20)], trunk))
    ends = [(-95, -0.95), (-70, -1.18), (-30, -1.32), (12, -1.35), (50, -1.22), (84, -0.98)]
    for dx, k in ends:
        ex, ey = x + dx, top + k * h * 0.32
        out.append(solid([('stroke', 'M%s,%s Q%s,%s %s,%s' % (n(x), n(top + 10), n(x + dx * 0.3), n(ey + 20), n(ex), n(ey)), 7)],
                         trunk, INK, 2))
    # twelve flames, set on the branches' tips and along them
    spots = [(x + dx, top + k * h * 0.32) for dx, k in ends]
    spots += [(x + dx * 0.55, top + k * h * 0.32 * 0.72 + 8) for dx, k in ends]
    for i, (fx, fy) in enumerate(spots):
        out.append(flame(fx, fy + 6, 0.42 + 0.06 * (i % 3), 1 if i % 2 else -1))
    return ''.join(out)


def serpent_on_tree(x, y, top, trunk_w):
    """The serpent wound round a trunk from near its foot at (x, y) up to `top`, each turn
    crossing the trunk's front and going round behind it; from the last turn its neck rises
    clear of the trunk to the right and the head turns back to the left."""
    green, belly = '#5a9a3a', '#c8d86a'
    out = []
    w = trunk_w / 2 + 5
    yy = y
    while yy - 34 > top:
        d = 'M%s,%s Q%s,%s %s,%s' % (n(x - w), n(yy), n(x), n(yy - 6), n(x + w), n(yy - 24))
        out.append(solid([('stroke', d, 9)], green, INK, 2))
        out.append(path(d, 'none', belly, 2, extra='stroke-dasharray="3 7"'))
        yy -= 34
    head = (x + 14, top - 64)
    neck = 'M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s' % (n(x - w), n(yy + 10), n(x + 6), n(yy - 4), n(x + w + 6), n(yy - 22),
                                                 n(x + w + 26), n(top - 40), n(head[0] + 12), n(head[1] + 4))
    out.append(solid([('stroke', neck, 9)], green, INK, 2))
    out.append(path(neck, 'none', belly, 2, extra='stroke-dasharray="3 7"'))
    out.append(ellipse(head[0], head[1], 15, 9, green, INK, 2, 12))
    out.append(circle(head[0] - 5, head[1] - 3, 2, INK, None, 0))
    out.append(path('M%s,%s l-10,3 l-5,-4 m5,4 l-5,5' % (n(head[0] - 14), n(head[1] + 1)), 'none', '#c2453a', 1.6))
    return ''.join(out)


@card(6)
def los_enamorados(c):
    out = [sky(c, 'day', 150)]
    out.append(sun(c, 0, -370, 50))
    # the mountain's peak rises between the two under the angel's cloud
    out.append(mountains(200, '#9a8a78', [(0, 168, 100)], snow=None))
    out.append(ground(c, 170, '#8ab85a', '#6a9a44'))
    out.append(feathered_wings(0, -236, 172, 150))
    angel, ap = person(0, -90, 420, pose='bust', face='down', mood='calm', cloth='#7a5bb0', hair='#e9a23a', hairstyle='long',
                       hands=((-2.55, 0.75), (2.55, 0.75)), grips=('open', 'open'))
    out.append(angel)
    out.append(cloud(0, -34, 390, '#f2f4f8'))
    # the tree of flames behind the man, the tree of knowledge behind the woman with the
    # serpent round its trunk
    out.append(fire_tree(-200, 300, 420))
    out.append(tree(238, 300, 330, '#3f7a3c'))
    for px, py in [(200, 20), (262, 40), (222, -8), (278, 110), (190, 100), (252, 150)]:
        out.append(circle(px, py, 11, '#d83a3a', INK, 1.5))
        out.append(path('M%s,%s q3,-8 8,-9' % (n(px), n(py - 10)), 'none', '#3e6a2a', 2))
    out.append(serpent_on_tree(238, 286, 130, 26))
    # the man turned to the woman, both his hands a little open towards her at his hips; the
    # woman looks up at the angel
    man, mp = person(-150, 400, 420, face='right', profile=True, body='three', mood='calm', dress='nude', hair='#5a3a22',
                     weight=-1, hands=((0.5, 2.3), (0.85, 2.15)), grips=('open', 'open'))
    wom, wp = person(150, 400, 400, face='left', gaze=(-0.3, -1), tilt=10, body='three', mood='calm', dress='nude', hair='#c28a3a',
                     hairstyle='long', weight=1, hands=((-0.55, 2.2), (0.05, 2.55)), grips=('open', 'rest'))
    out += [man, wom]
    return out


@card(7)
def el_carro(c):
    out = [sky(c, 'gold', 100)]
    out.append(castle(-150, 100, 200, 140, '#d7cfbf', '#6a5a8a'))
    out.append(castle(170, 100, 180, 120, '#d7cfbf', '#6a5a8a'))
    out.append(water(c, 100, '#7fb5ea', '#5c88bd', 140))
    out.append(ground(c, 140, '#c8b47a', '#a8945a'))
    stone, lit_stone = '#d7cfbf', '#ece6da'
    # the chariot: a cube of stone seen a little from above, its front a square face and its
    # top running back to a narrower far edge; the eye stands at the driver's chest, so the
    # canopy's underside runs back the other way
    fw, ftop, fbot = 145, 40, 222          # the front face: half its width, its top and bottom
    bw, btop = 118, -4                     # the far edge of the top
    cw, cband, cback = 168, (-390, -350), (134, -326)  # the canopy: front band, far edge
    out.append(ellipse(0, fbot + 6, 230, 22, '#1a1410', None, 0, extra='fill-opacity="0.22"'))
    # the far posts and the canopy's underside, strewn with stars
    for s in (-1, 1):
        out.append(rect(s * bw - 8, cback[1], 16, btop - cback[1], darker(stone, 0.12), INK, 2))
    under = [(-cw, cband[1]), (cw, cband[1]), (cback[0], cback[1]), (-cback[0], cback[1])]
    out.append(path(poly(under), '#2f5a98', INK, 2.4))
    for k, x in enumerate(range(-120, 121, 40)):
        out.append(star(x, cband[1] + 11 + (k % 2) * 6, 6, 6, '#fff3b0', 0.45, width=1))
    # the top of the cube, the cab's floor sunk inside its rim
    top = [(-fw, ftop), (fw, ftop), (bw, btop), (-bw, btop)]
    out.append(path(poly(top), lit_stone, INK, LINE))
    out.append(path(poly([(-fw + 18, ftop - 5), (fw - 18, ftop - 5), (bw - 14, btop + 6), (-bw + 14, btop + 6)]),
                    darker(stone, 0.35), INK, 2))
    body, p = person(0, fbot - 4, 490, face='front', mood='stern', dress='armour', cloth='#9aa3b2', sleeves='#9aa3b2', hat='crown',
                     hair='#c28a3a', hands=((-0.4, 2.3), (0.6, 1.2)), grips=('rest', 'fist'), holds=(None, (0.035, -1)),
                     shadow=False)
    out.append(body)
    rx, ry = p.hands[1]
    out.append(line((rx - 3, ry + 90), (rx + 5, ry - 150), INK, 12))
    out.append(line((rx - 3, ry + 90), (rx + 5, ry - 150), GOLD, 7))
    out.append(circle(rx + 5.4, ry - 161, 13, GOLD))
    out.append(p.hand(1, 'fist'))
    # the armour: a square on the breastplate, crescent moons with faces on the shoulders, a
    # belt of signs
    chx, chy = p.chest
    out.append(rect(chx - 27, chy - 25, 54, 50, '#e8d48a', INK, 2))
    out.append(rect(chx - 17, chy - 15, 34, 30, 'none', GOLD_DARK, 2))
    for i, sx in enumerate((-1, 1)):
        mx, my = p.shoulders[i]
        out.append(moon(mx + sx * 4, my - 2, 19, 0.55, '#f5efc8', True))
    for b in (3.55, 4.1):
        (ax, ay), (bx_, by_) = p.B(-0.7, b), p.B(0.7, b)
        out.append(path('M%s,%s Q%s,%s %s,%s' % (n(ax), n(ay), n((ax + bx_) / 2), n(ay + 9), n(bx_), n(by_)), 'none',
                        darker('#9aa3b2', 0.35), 2.6))
    bx, by = p.B(0, 3.0)
    out.append(rect(bx - 0.6 * p.u, by - 10, 1.2 * p.u, 20, GOLD, INK, 2))
    for k in range(-2, 3):
        out.append(circle(bx + k * 18, by, 4.5, '#c2453a', None, 0))
    # the near posts from the front corners up to the canopy's band
    for s in (-1, 1):
        out.append(rect(s * fw - 10, cband[1], 20, ftop - cband[1], stone, INK, 2))
        out.append(line((s * fw - 4, cband[1] + 4), (s * fw - 4, ftop - 4), lit_stone, 3))
    out.append(rect(-cw, cband[0], 2 * cw, cband[1] - cband[0], '#3f6db0', INK, LINE))
    for x in range(-132, 133, 44):
        out.append(star(x, (cband[0] + cband[1]) / 2, 12, 6, '#fff3b0', 0.45, width=1.2))
    # the wheels at the cube's sides, half hidden behind it
    for s in (-1, 1):
        x, y = s * (fw + 8), fbot - 30
        out.append(circle(x, y, 50, '#a86a38'))
        for k in range(8):
            out.append(line(polar(x, y, 14, k * 45), polar(x, y, 46, k * 45), darker('#a86a38', 0.35), 3))
        out.append(circle(x, y, 13, GOLD, INK, 2))
    # the front face: the winged disc over the shield
    out.append(rect(-fw, ftop, 2 * fw, fbot - ftop, c.linear([(0, lit_stone), (1, stone)]), INK, LINE))
    out.append(rect(-fw, fbot - 30, 2 * fw, 30, darker(stone, 0.12), INK, LINE))
    out.append(path('M-46,96 L46,96 L0,140 Z', '#c2453a', INK, 2))
    out.append(wings(0, 86, 62, '#6fb2e8', '#3f6db0', up=False))
    out.append(circle(0, 86, 13, GOLD, INK, 2))
    # the two sphinxes, black and white, lying before the chariot and turned apart
    for x, col in ((-138, '#2a2830'), (138, '#f2efe6')):
        d = -1 if x < 0 else 1
        out.append(ellipse(x + d * 4, 440, 140, 14, '#1a1410', None, 0, -d * 6, extra='fill-opacity="0.2"'))
        out.append(sphinx(x, 442, 1.45, d, col, tilt=7))
    return out


def sphinx(x, y, s, direction, colour, cloth=None, face=None, tilt=0):
    """A sphinx lying at rest in three-quarter view, its front towards the viewer and to the
    side `direction`: the head and the chest upright above the forelegs stretched out before
    it, the neck flowing from the chest into the back, the back long and low to the haunch at
    the far end with the hind paw tucked under it, the tail brought round along the ground;
    the woman's head in a striped headcloth whose lappets fall on the chest. Belly on y;
    `tilt` lifts the far end, seen from a little above."""
    dark_body = colour == '#2a2830'
    other = cloth or ('#4a6fb5' if not dark_body else '#f4c430')
    line_c = INK if not dark_body else '#0e0c10'
    shade = darker(colour, 0.2) if not dark_body else '#18161c'
    lit = mix(colour, '#ffffff', 0.3) if not dark_body else '#4e4a58'
    inner = darker(colour, 0.5) if not dark_body else lit
    skin = face or (SKINS[4] if dark_body else SKIN)
    out = []
    # the far foreleg, in shade
    out.append(solid([('path', limb([(22, -30), (40, -10), (50, 2)], [10, 7, 6])), ('ellipse', 57, 3, 11, 5.5, 15)],
                     shade, line_c, 2))
    # the body: the rump rounding up into the long low back, the withers and the neck rising to
    # the head, the throat running down into the upright chest, the belly along the ground
    body = ('M-98,-28 Q-104,-64 -76,-70 Q-36,-64 6,-70 Q20,-74 28,-90 L48,-94 Q60,-76 57,-56 Q58,-34 46,-20 '
            'L-50,-20 Q-92,-16 -98,-28 Z')
    out.append(solid([('path', body), ('ellipse', -70, -42, 28, 24, -8), ('ellipse', -40, -20, 18, 5.5),
                      ('path', limb([(42, -40), (60, -12), (72, 4)], [13, 9, 7])), ('ellipse', 80, 6, 13, 6, 15)],
                     colour, line_c, 2))
    # the far flank in shade under the back; the light along the back and down the chest
    out.append(path('M-48,-24 Q-20,-40 20,-36 Q32,-30 34,-22 Z', shade, None, 0, extra='fill-opacity="0.6"'))
    out.append(path('M-72,-64 Q-34,-60 4,-65', 'none', lit, 3))
    out.append(path('M53,-62 Q56,-46 50,-32', 'none', lit, 3))
    # the haunch's round, the elbow, the paws' toes
    out.append(path('M-46,-22 Q-40,-50 -66,-64', 'none', inner, 2))
    out.append(path('M38,-48 Q52,-36 46,-22', 'none', inner, 2))
    for t in (82, 87, 92):
        out.append(line((t - 4, 2), (t - 1, 9), line_c, 1.2))
    for t in (-30, -25):
        out.append(line((t, -25), (t + 1, -16), line_c, 1.2))
    # the tail from the rump along the ground before the haunch, its tuft by the hind paw
    out.append(solid([('stroke', 'M-96,-26 Q-106,-6 -82,-8 Q-60,-10 -56,-14', 4.4)], colour, line_c, 1.8))
    out.append(path('M-58,-19 Q-46,-18 -44,-14 Q-48,-9 -58,-10 Q-54,-14 -58,-19 Z', shade, line_c, 1.6))
    if tilt:
        out = [group(out, 'rotate(%s 46 -20)' % n(tilt))]
    # the headcloth behind the face; its lappets fall before the shoulders onto the chest
    hx, hy = 46, -100
    head = []
    cloth_d = 'M%s Q%s %s L%s L%s L%s L%s L%s L%s L%s L%s Z' % tuple(
        '%s,%s' % (n(hx + a), n(hy + b)) for a, b in ((-17, -25), (0, -32), (17, -25), (21, 9), (30, 31), (15, 33), (10, 11),
                                                      (-10, 11), (-15, 33), (-30, 31), (-21, 9)))
    head.append(path(cloth_d, other, INK, 2))
    for k in range(8):
        yy = -17 + k * 6
        outer = 17 + (yy + 25) / 34 * 4 if yy < 9 else 21 + (yy - 9) / 22 * 9
        inner = 11 if yy < 11 else 10 + (yy - 11) / 22 * 5
        for side in (-1, 1):
            head.append(line((hx + side * (inner + 1), hy + yy), (hx + side * (outer - 1.5), hy + yy + 1), darker(other, 0.35), 1.8))
    head.append(path('M%s,%s L%s,%s L%s,%s L%s,%s Z' % (n(hx - 6), n(hy + 11), n(hx - 6), n(hy + 19), n(hx + 6), n(hy + 19),
                                                    n(hx + 6), n(hy + 11)), skin, INK, 1.6))
    head.append(ellipse(hx, hy, 10, 13, skin, INK, 2))
    head.append(path('M%s,%s Q%s,%s %s,%s L%s,%s Q%s,%s %s,%s Z' % (n(hx - 13), n(hy - 8), n(hx), n(hy - 20), n(hx + 13), n(hy - 8),
                                                                n(hx + 12), n(hy - 3), n(hx), n(hy - 10), n(hx - 12), n(hy - 3)),
                    other, INK, 1.6))
    out.append(group(head, 'translate(%s %s) scale(1.3) translate(%s %s)' % (n(hx), n(hy), n(-hx), n(-hy))))
    # the face is drawn unmirrored, whichever way the body lies
    inner_g = group(out, 'translate(%s %s) scale(%s %s)' % (n(x), n(y), n(s * direction), n(s)))
    s2 = s * 1.3
    fx, fy = x + direction * hx * s, y + hy * s
    eye = INK if not dark_body else '#0e0c10'
    feats = [ellipse(fx - 4 * s2, fy, 1.6 * s2, 1.2 * s2, eye, None, 0),
             ellipse(fx + 4 * s2, fy, 1.6 * s2, 1.2 * s2, eye, None, 0),
             line((fx, fy + 1.5 * s2), (fx - 0.8 * s2, fy + 4.5 * s2), darker(skin, 0.45), 1.4),
             line((fx - 3 * s2, fy + 7.2 * s2), (fx + 3 * s2, fy + 7.2 * s2), INK, 1.6)]
    return inner_g + ''.join(feats)


@card(8)
def la_fuerza(c):
    out = [sky(c, 'gold', 120)]
    out.append(mountains(140, '#6a7ab0', [(60, 200, 140)]))
    out.append(ground(c, 130, '#8ab85a', '#6a9a44'))
    # the lion's head, which her hands close gently
    lx0, ly0, ls = 84, 380, 2.45
    jx, jy = lx0 - 50 * ls, ly0 - 36 * ls - 16 * ls
    # she bends over the lion from behind it, one hand on its mane and the other at its jaw
    body, p = person(-122, 452, 500, face='down', dress='gown', cloth='#f4f1e8', hair='#c28a3a', hairstyle='long',
                     hat='wreath', mood='calm', gaze=(0.6, 1), bow=0.42, reach=((jx - 10, jy - 58), (jx - 16, jy + 52)),
                     grips=('open', 'open'), loose=True)
    out.append(body)
    out.append(lemniscate(p.head[0] - 0.3 * p.u, p.head[1] - 1.25 * p.u, 40))
    out.append(lion(lx0, ly0, ls, -1, '#e6b35a', '#c07a2c'))
    # the garland of roses round her waist, its end running to the lion's neck behind its head
    pts = [p.B(-0.66, 3.0), p.B(0, 3.25), p.B(0.66, 3.0)]
    (ax, ay), (mx, my), (bx, by) = pts
    belt = 'M%s,%s Q%s,%s %s,%s' % (n(ax), n(ay), n(mx), n(my + 0.15 * p.u), n(bx), n(by))
    out.insert(-1, path('M%s,%s Q%s,%s %s,%s' % (n(bx), n(by), n(bx + 10), n(jy), n(jx + 40), n(jy + 30)), 'none', '#3e7a3a', 6))
    out.append(path(belt, 'none', '#3e7a3a', 6))
    for t in (0.1, 0.3, 0.5, 0.7, 0.9):
        rx = (1 - t) ** 2 * ax + 2 * t * (1 - t) * mx + t * t * bx
        ry = (1 - t) ** 2 * ay + 2 * t * (1 - t) * (my + 0.15 * p.u) + t * t * by
        out.append(rose(rx, ry, 9, '#d8475a'))
    # the tongue lolling from the corner of the mouth she closes
    out.append(path('M%s,%s q-12,1 -14,14 q1,8 9,5 q7,-5 8,-17 Z' % (n(jx - 8), n(jy + 34)), '#d8576a', INK, 2))
    out.append(line((jx - 14, jy + 38), (jx - 17, jy + 46), darker('#d8576a', 0.25), 1.4))
    out += [p.hand(0, 'open'), p.hand(1, 'open')]
    out.append(flowers([-250, -210, 220, 260], 420, seed=4))
    return out


@card(9)
def el_ermitano(c):
    out = [sky(c, 'night', 300)]
    for x, y in [(-220, -380), (-120, -300), (180, -360), (230, -250), (60, -400)]:
        out.append(star(x, y, 6, 4, '#fff6c8', 0.4, width=1))
    out.append(path('M-300,300 L-80,170 L40,230 L300,120 L300,470 L-300,470 Z', '#e8ecf4', INK, LINE))
    out.append(path('M-300,360 L-120,280 L100,330 L300,260 L300,470 L-300,470 Z', '#c9d0dc', INK, LINE))
    body, p = person(0, 250, 600, face='down', mood='calm', dress='robe', cloth='#8a8f9a', cape='#6f7480', hat='hood',
                     hat_colour='#8a8f9a', beard='#f2efe6', hands=((-1.2, 0.5), (0.5, 1.4)), grips=('fist', 'fist'),
                     holds=(None, (0.024, -1)))
    out.append(body)
    # the staff in his left hand, the lantern held out in his right, its light around it
    rx, ry = p.hands[1]
    out.append(line((rx - 4, ry - 200), (rx + 10, 260), '#c8a050', 9))
    out.append(p.hand(1, 'fist'))
    lx, ly = p.hands[0]
    light = c.radial([(0, ('#fff6c8', 0.85)), (1, ('#fff6c8', 0.0))], lx, ly + 50, 120)
    out.append(circle(lx, ly + 50, 120, light, None, 0))
    out.append(lantern(lx, ly, 1.7))
    out.append(p.hand(0, 'fist'))
    return out


def tarot_wheel(x, y, r):
    """The wheel: an outer ring lettered T A R O, an inner ring with the four signs of the
    elements between them, eight spokes and a hub."""
    rim = '#e9a23a'
    out = [circle(x, y, r, rim), circle(x, y, r * 0.97, 'none', darker(rim, 0.2), 3),
           circle(x, y, r * 0.78, '#6fb2e8', INK, 2), circle(x, y, r * 0.62, 'none', INK, 2),
           circle(x, y, r * 0.2, rim, INK, 2), circle(x, y, r * 0.08, darker(rim, 0.25), INK, 2)]
    for k in range(8):
        a = k * 45
        out.append(solid([('stroke', 'M%s,%s L%s,%s' % tuple(n(v) for v in polar(x, y, r * 0.2, a) + polar(x, y, r * 0.62, a)),
                           7)], '#f2efe6', INK, 2))
    for word, a in (('T', -90), ('A', 0), ('R', 90), ('O', 180)):
        px, py = polar(x, y, r * 0.89, a)
        out.append(letters(word, px, py + 4, r * 0.1, INK, 3.5))
        # the rim's studs between the letters
        for da in (-22.5, 22.5):
            sx, sy = polar(x, y, r * 0.89, a + 45 + da)
            out.append(circle(sx, sy, r * 0.025, darker(rim, 0.3), None, 0))
    # the signs of the elements in the inner ring: water, earth, air, fire
    s = r * 0.06
    for k, a in enumerate((-67.5, 22.5, 112.5, 202.5)):
        px, py = polar(x, y, r * 0.7, a)
        tri = [(px - s, py - s * 0.7), (px + s, py - s * 0.7), (px, py + s)] if k % 2 == 0 else \
            [(px - s, py + s * 0.7), (px + s, py + s * 0.7), (px, py - s)]
        out.append(path(poly(tri), 'none', INK, 2.2))
        if k in (1, 2):
            bar = py + (s * 0.2 if k == 1 else -s * 0.2)
            out.append(line((px - s * 0.7, bar), (px + s * 0.7, bar), INK, 2.2))
    return ''.join(out)


@card(10)
def la_rueda(c):
    out = [sky(c, 'day', 300)]
    for x, y, w in [(-200, -330, 180), (200, -330, 180), (-200, 330, 180), (200, 330, 180)]:
        out.append(cloud(x, y + 20, w + 40, '#f2f4f8'))
    out.append(tarot_wheel(0, 20, 210))
    # the serpent going down on the left: its tail at the top, the slim body winding down
    # beside the rim in two S-bends, the head at the foot turned in to the wheel; a darker
    # back, a pale belly and the scales only hinted on the back
    yellow = '#d9ad3c'
    back = darker(yellow, 0.38)
    pts, ws, nrm = [], [], []
    count = 36
    for k in range(count + 1):
        t = k / count
        pts.append((-249 + 32 * math.sin(t * 4 * math.pi + 0.4) * (0.6 + 0.4 * t), -214 + t * 404))
        ws.append(0.5 + 7.3 * min(1.0, t * 1.6) ** 0.8 - (1.0 if t > 0.95 else 0.0))
    for k, (x, y) in enumerate(pts):
        (ax, ay), (bx, by) = pts[max(k - 1, 0)], pts[min(k + 1, count)]
        d = math.hypot(bx - ax, by - ay) or 1
        nrm.append(((by - ay) / d, -(bx - ax) / d))
    out.append(solid([('path', limb(pts, ws))], yellow, INK, 1.8))
    # the back: a darker band along the left of the body
    band = [(x + nx * w * 0.32, y + ny * w * 0.32) for (x, y), (nx, ny), w in zip(pts, nrm, ws)]
    out.append(path(limb(band[1:-1], [w * 0.5 for w in ws[1:-1]]), back, None, 0))
    # the pale belly along the right edge
    belly = [(x - nx * w * 0.6, y - ny * w * 0.6) for (x, y), (nx, ny), w in zip(pts[3:-1], nrm[3:-1], ws[3:-1])]
    out.append(path(poly(belly, closed=False), 'none', mix(yellow, '#ffffff', 0.55), 1.8))
    # a few scales hinted on the back
    for k in range(6, count - 1, 3):
        (x, y), (nx, ny), w = band[k], nrm[k], ws[k]
        tx, ty = -ny, nx
        out.append(path('M%s,%s L%s,%s L%s,%s' % (n(x + nx * w * 0.3 - tx * 2), n(y + ny * w * 0.3 - ty * 2), n(x + tx * 1.5),
                                                  n(y + ty * 1.5), n(x - nx * w * 0.3 - tx * 2), n(y - ny * w * 0.3 - ty * 2)),
                        'none', mix(yellow, '#ffffff', 0.3), 1.0, extra='stroke-opacity="0.7"'))
    # the head: a flat wedge turned in towards the wheel, the eye, the forked tongue
    x1, y1 = pts[-1]
    ang = 20
    head = [path('M-6,-10 Q10,-14 26,-6 Q32,0 26,6 Q10,13 -6,10 Z', yellow, INK, 2),
            path('M-4,-8 Q10,-12 25,-5 Q12,-6 -4,-3 Z', back, None, 0),
            circle(13, -4, 2.4, INK, None, 0),
            path('M30,1 l10,0 l5,-4 m-5,4 l5,4', 'none', '#c2453a', 1.6)]
    out.append(group(head, 'translate(%s %s) rotate(%s) scale(0.78)' % (n(x1 - 2), n(y1 + 2), n(ang))))
    out.append(body_jackal(224, 260))
    # the sphinx with its sword on top
    out.append(sword((42, -204), (58, -392), 9))
    out.append(sphinx(-10, -188, 1.05, 1, '#5a8ad0', '#e9a23a', SKINS[1]))
    # the four winged creatures with their books
    out.append(small_wings(-210, -318, 0.3))
    out.append(person(-210, -260, 160, pose='bust', face='down', mood='calm', cloth='#f2efe6', hair='#e9a23a')[0])
    out.append(open_book(-210, -266, 0.9))
    out.append(eagle(210, -350, 1.6))
    out.append(open_book(210, -296, 0.9))
    out.append(small_wings(-210, 308, 0.3))
    out.append(bull_head(-210, 320, 40))
    out.append(open_book(-210, 372, 0.9))
    out.append(small_wings(210, 308, 0.3))
    out.append(lion_head(210, 320, 40))
    out.append(open_book(210, 372, 0.9))
    return out


def small_wings(x, y, k):
    """A creature's feathered wings, the great wings drawn at `k` of their size."""
    return group([feathered_wings(0, 0, 130, 160, ('#d8c6a8', '#ebdfca', '#f8f2e6'), '#e6d6b0', 1.0, 1 / k * 0.55)],
                 'translate(%s %s) scale(%s)' % (n(x), n(y), n(k)))


def open_book(x, y, s):
    """An open book seen from the front and a little above, its red cover showing under the
    pages."""
    out = [path('M-34,-2 L-34,20 Q-16,15 0,22 Q16,15 34,20 L34,-2 Q16,-6 0,2 Q-16,-6 -34,-2 Z', '#b8332e', INK, 2),
           path('M0,0 Q-14,-8 -30,-4 L-30,14 Q-14,10 0,18 Z', '#f8f2e2', INK, 1.6),
           path('M0,0 Q14,-8 30,-4 L30,14 Q14,10 0,18 Z', '#f8f2e2', INK, 1.6)]
    for k in range(3):
        out.append(path('M-25,%s Q-14,%s -5,%s M5,%s Q14,%s 25,%s' % (n(1 + k * 4), n(-2 + k * 4), n(4 + k * 4), n(4 + k * 4),
                                                                  n(-2 + k * 4), n(1 + k * 4)), 'none', '#a89a80', 1.2))
    return group(out, 'translate(%s %s) scale(%s)' % (n(x), n(y), n(s)))


def body_jackal(x, y):
    """Anubis rising on the wheel's right: a red-skinned body and a black jackal's head, long
    snout and tall ears."""
    out = [path('M%s,%s L%s,%s Q%s,%s %s,%s L%s,%s Z' % (n(x - 34), n(y), n(x - 26), n(y - 130), n(x), n(y - 150), n(x + 26),
                                                        n(y - 130), n(x + 34), n(y)), '#c2453a')]
    out.append(path('M%s,%s l-30,40 M%s,%s l24,44' % (n(x - 24), n(y - 120), n(x + 24), n(y - 120)), 'none', '#c2453a', 0) +
               solid([('stroke', 'M%s,%s L%s,%s L%s,%s' % (n(x - 24), n(y - 122), n(x - 52), n(y - 80), n(x - 40), n(y - 40)), 14)],
                     '#c2453a', INK, 2))
    out.append(solid([('ellipse', x, y - 168, 22, 24), ('path', poly([(x - 8, y - 178), (x - 56, y - 164), (x - 54, y - 154),
                                                                     (x - 6, y - 150)])),
                      ('path', poly([(x - 4, y - 184), (x + 2, y - 226), (x + 12, y - 186)])),
                      ('path', poly([(x + 8, y - 182), (x + 18, y - 222), (x + 22, y - 180)]))], '#26222a'))
    out.append(path('M%s,%s L%s,%s' % (n(x - 54), n(y - 158), n(x - 30), n(y - 156)), 'none', '#8a8f9a', 1.4))
    out.append(circle(x - 10, y - 172, 2.6, '#f4d04a', None, 0))
    out.append(rect(x - 30, y - 98, 60, 10, GOLD, INK, 1.6))
    return ''.join(out)


@card(11)
def la_justicia(c):
    out = [rect(-300, -470, 600, 940, '#b8a888', None, 0)]
    out.append(rect(-200, -380, 400, 660, '#7a5bb0'))
    out.append(pillar(-230, -400, 330, 60, '#a9a49a'))
    out.append(pillar(230, -400, 330, 60, '#a9a49a'))
    out.append(rect(-300, 330, 600, 130, '#c9c2b4'))
    out.append(throne(0, 330, 300, 560, '#a9a49a', GOLD, 'square'))
    # the sword upright in her right hand, the scales hanging from her left, both elbows
    # at her sides and the forearms raised to what they hold
    at = lambda a, b: seated_at(0, 330, 500, a, b)
    body, p = person(0, 330, 500, pose='sit', face='front', mood='stern', dress='gown', cloth='#c2302e', cape='#4e8a44',
                     hat='crown', hair='#8a5a2a', hairstyle='long', reach=(at(-0.98, 2.3), at(1.85, 2.15)),
                     elbows=(at(-1.18, 3.08), at(1.28, 3.0)), grips=('fist', 'fist'), holds=((0, -1), None))
    out.append(body)
    lx, ly = p.hands[0]
    out.append(sword((lx, ly + 30), (lx, ly - 230), 16))
    out.append(p.hand(0, 'fist'))
    rx, ry = p.hands[1]
    out.append(scales(rx, ry, 1.25))
    out.append(p.hand(1, 'fist'))
    return out


def living_beam(a, b, width, colour=WOOD):
    """A rough length of living wood: bark lines, a knot, leaves sprouting along it."""
    (x1, y1), (x2, y2) = a, b
    d = 'M%s,%s L%s,%s' % (n(x1), n(y1), n(x2), n(y2))
    out = [solid([('stroke', d, width)], colour)]
    dx, dy = x2 - x1, y2 - y1
    length = math.hypot(dx, dy)
    ux, uy = dx / length, dy / length
    for k in range(int(length // 40)):
        t = (k + 0.5) * 40 / length
        cx, cy = x1 + dx * t, y1 + dy * t
        off = ((k * 7) % 5 - 2) * width * 0.12
        out.append(line((cx - ux * 12 - uy * off, cy - uy * 12 + ux * off), (cx + ux * 10 - uy * off, cy + uy * 10 + ux * off),
                        darker(colour, 0.35), 2))
    return ''.join(out)


def sprig(x, y, angle, length, leaves=4, colour=LEAF):
    """A green shoot from (x, y) along `angle` (degrees), its leaves in pairs along it."""
    a = math.radians(angle)
    ux, uy = math.cos(a), math.sin(a)
    out = [line((x, y), (x + ux * length, y + uy * length), '#5a7a2e', 3)]
    for k in range(leaves):
        t = 0.35 + 0.65 * k / max(1, leaves - 1)
        px, py = x + ux * length * t, y + uy * length * t
        side = 1 if k % 2 else -1
        if k == leaves - 1:
            side = 0
        la = angle + side * 45
        lx, ly = px + math.cos(math.radians(la)) * 10, py + math.sin(math.radians(la)) * 10
        out.append(ellipse(lx, ly, 12, 5.5, colour, INK, 1.4, la))
    return ''.join(out)


class HangedFigure(Person):
    """The hanged man drawn upright, to be turned head down: one leg straight (it hangs from
    the rope at its ankle), the other bent at the knee out to the side with its shin crossing
    behind the straight leg, the foot showing past it, so the legs make a figure four; hose
    up to the belt, and the tunic's skirt fallen over the body towards the head."""

    def _body(self):
        super()._body()
        B = self.B
        left = [B(-0.3, 1.2), B(-0.9, 1.5), B(-0.74, 2.3), B(-0.62, 3.15)]
        self._side = left
        self._side_r = [B(-a, b) for a, b in ((-0.3, 1.2), (-0.9, 1.5), (-0.74, 2.3), (-0.62, 3.15))]
        d = 'M%s,%s Q%s,%s %s,%s' % (n(left[0][0]), n(left[0][1]), n(left[1][0] + 0.05 * self.u), n(left[1][1] - 0.35 * self.u),
                                     n(left[1][0]), n(left[1][1]))
        d += ''.join(' L%s,%s' % (n(x), n(y)) for x, y in left[2:] + list(reversed(self._side_r[2:])))
        d += ' L%s,%s Q%s,%s %s,%s Z' % (n(self._side_r[1][0]), n(self._side_r[1][1]), n(self._side_r[1][0] - 0.05 * self.u),
                                        n(self._side_r[1][1] - 0.35 * self.u), n(self._side_r[0][0]), n(self._side_r[0][1]))
        return d, 3.15

    def _legs(self, hem_y):
        B, u = self.B, self.u
        hose = self.legs
        straight = B(-0.28, 3.8), B(-0.2, 5.62), B(-0.15, 7.22)
        bent = B(0.32, 3.9), B(1.5, 5.25), B(-0.2, 5.95)
        self.foot = straight[2]
        out = [self._shoe(*B(-0.6, 6.0), -1, self.shoes, -15)]
        hips = smooth([B(-0.66, 2.95), B(0.66, 2.95), B(0.68, 3.5), B(0.55, 3.95), B(0, 4.05), B(-0.55, 3.95), B(-0.68, 3.5)])
        out.append(solid([('path', hips), ('path', leg_shape(*bent, u, 1, 0.95)), ('path', leg_shape(*straight, u, -1, 0.95))],
                         hose, INK, self.contour))
        # the straight leg's edges where the shin passes behind it
        (l_edge, r_edge), _ = leg_edges(*straight, u, -1, 0.95)
        for edge in (l_edge, r_edge):
            cut = [p for p in edge if 5.3 * u < p[1] - self.top < 6.6 * u]
            out.append(path(poly(cut, closed=False), 'none', INK, 2.4))
        shade = darker(hose, 0.09)
        for hip, knee, ankle in (bent, straight):
            mid = ((knee[0] + ankle[0]) / 2, (knee[1] + ankle[1]) / 2)
            thigh_end = (hip[0] + (knee[0] - hip[0]) * 0.75, hip[1] + (knee[1] - hip[1]) * 0.75)
            out.append(far_shade([hip, thigh_end], 0.14 * u, 0.1 * u, shade))
            if ankle is straight[2]:
                out.append(far_shade([knee, mid, ankle], 0.1 * u, 0.08 * u, shade))
            # the kneecap
            kx, ky = knee
            out.append(path('M%s,%s q%s,%s %s,0' % (n(kx - 0.1 * u), n(ky - 0.04 * u), n(0.1 * u), n(0.09 * u), n(0.2 * u)),
                            'none', darker(hose, 0.3), max(1.4, 0.03 * u)))
        # the fold of the seat between the thighs
        a, b = B(0, 3.75), B(0.05, 4.22)
        out.append(line(a, b, darker(hose, 0.3), 2, extra='stroke-opacity="0.7"'))
        fx, fy = self.foot
        out.append(self._shoe(fx - 0.1 * u, fy + 0.16 * u, -1, self.shoes))
        return ''.join(out)


def fallen_skirt(p):
    """The tunic's skirt turned over, hanging from the belt down the body towards the head of
    a figure drawn upright to be turned over: widening to its hem, its folds fanning out."""
    B, u = p.B, p.u
    cloth = p.cloth
    hem = [B(-1.2, 1.95), B(-0.78, 1.78), B(-0.36, 1.92), B(0.06, 1.76), B(0.48, 1.9), B(0.86, 1.77), B(1.2, 1.95)]
    d = 'M%s,%s' % (n(B(-0.66, 3.08)[0]), n(B(-0.66, 3.08)[1]))
    c = B(-1.08, 2.6)
    d += ' Q%s,%s %s,%s' % (n(c[0]), n(c[1]), n(hem[0][0]), n(hem[0][1]))
    for i in range(1, len(hem)):
        (x0, y0), (x1, y1) = hem[i - 1], hem[i]
        d += ' Q%s,%s %s,%s' % (n((x0 + x1) / 2), n((y0 + y1) / 2 + (0.09 if i % 2 else -0.05) * u), n(x1), n(y1))
    c = B(1.08, 2.6)
    d += ' Q%s,%s %s,%s Z' % (n(c[0]), n(c[1]), n(B(0.66, 3.08)[0]), n(B(0.66, 3.08)[1]))
    out = [path(d, p._lit(cloth, 1.5), INK, p.contour)]
    # the lining's shade along the hem, and the folds from the belt into the hem's hollows
    out.append(path(poly([(x, y + 0.12 * u) for x, y in hem] + [(x, y) for x, y in reversed(hem)]), darker(cloth, 0.22), None, 0))
    fold = darker(cloth, 0.3)
    for a0, a1 in ((-0.36, -0.78), (-0.1, -0.36), (0.14, 0.06), (0.38, 0.48), (0.56, 0.86)):
        s, e = B(a0 * 0.9, 3.0), B(a1, 1.86)
        m = B((a0 + a1) / 2, 2.45)
        out.append(path('M%s,%s Q%s,%s %s,%s' % (n(s[0]), n(s[1]), n(m[0]), n(m[1]), n(e[0]), n(e[1])), 'none', fold,
                        max(1.4, 0.03 * u)))
    return ''.join(out)


@card(12)
def el_colgado(c):
    out = [sky(c, 'day', 400)]
    out.append(hills(380, '#9cc27a', (30, 50, 20)))
    out.append(ground(c, 380, '#8ab85a', '#6a9a44'))
    # the living tau: an upright trunk with its roots, a beam across its top, both in leaf
    out.append(path('M-26,380 q-30,30 -70,40 l10,6 q40,-6 60,-24 q0,30 -10,50 l12,0 q10,-30 24,-50 q20,20 60,26 '
                    'l6,-8 q-40,-12 -56,-40 Z', WOOD, INK, 2))
    out.append(living_beam((0, 390), (0, -320), 50))
    out.append(living_beam((-250, -330), (250, -330), 46))
    # shoots in leaf along the beam's top and ends and from the trunk
    for x, a in ((-236, -120), (-190, -80), (-120, -100), (-60, -75), (70, -105), (130, -80), (200, -100), (240, -60)):
        out.append(sprig(x, -350, a, 44, 4))
    for x, a in ((-210, 110), (-150, 80), (160, 100), (215, 70)):
        out.append(sprig(x, -312, a, 34, 3))
    # the figure drawn upright, standing on the straight leg with the other crossed behind its
    # knee and the arms behind the back, then turned head down about the field's centre: the
    # straight leg hangs from the beam, the bent one makes the figure four
    h = 560
    p = HangedFigure(0, 300, h, face='front', mood='calm', dress='tunic', cloth='#3f6db0', hat='halo', hair='#e0b040',
                     legs='#c2453a', shoes='#e0b040', stance='cross', hem=4.75, hands=((0.55, 2.25), (-0.55, 2.25)),
                     behind=(True, True), elbows=((-1.0 * h / 7.5, 300 - 4.6 * h / 7.5), (1.0 * h / 7.5, 300 - 4.6 * h / 7.5)),
                     belt='#e0b040', shadow=False, pattern=fallen_skirt)
    body = p.draw()
    u = p.u
    hx, hy = -p.head[0], -p.head[1]
    # the light about his head, bright against the sky
    out.append(circle(hx, hy + 0.1 * u, 2.1 * u, c.radial([(0, ('#fff6c8', 0.95)), (0.55, ('#fff1b0', 0.6)),
                                                            (1, ('#fff1b0', 0))], hx, hy + 0.1 * u, 2.1 * u), None, 0))
    for k in range(16):
        a = k * 22.5
        out.append(line(polar(hx, hy + 0.1 * u, 1.15 * u, a), polar(hx, hy + 0.1 * u, (1.55 if k % 2 else 1.35) * u, a),
                        '#f4c430', 3))
    out.append(group([body], 'rotate(180 0 0)'))
    # the rope: wound round the beam, down to two turns about the ankle
    fx, fy = 0.15 * u, -300
    rope = '#d8b868'
    out.append(solid([('stroke', 'M%s,%s L%s,%s' % (n(fx), n(-334), n(fx), n(fy + 18)), 6)], rope, INK, 1.5))
    for dx in (-7, 7):
        out.append(solid([('stroke', 'M%s,%s L%s,%s' % (n(fx + dx - 5), n(-351), n(fx + dx + 5), n(-310)), 5)], rope,
                         INK, 1.5))
    for y in (fy + 10, fy + 22):
        out.append(solid([('stroke', 'M%s,%s L%s,%s' % (n(fx - 0.26 * u), n(y + 5), n(fx + 0.26 * u), n(y - 5)), 5)],
                         rope, INK, 1.5))
    return out


@card(14)
def la_templanza(c):
    out = [sky(c, 'day', 150)]
    out.append(mountains(120, '#8a9ac0', [(200, 180, 120)], snow=None))
    out.append(sun(c, 200, -80, 34, rays=12))
    out.append(ground(c, 120, '#8ab85a', '#6a9a44'))
    out.append(path('M-60,470 Q40,300 150,200 Q180,150 200,60 L212,60 Q200,160 170,220 Q80,320 20,470 Z', '#e8d8a8', INK, 2))
    g = c.linear([(0, '#6fb2e8'), (1, '#356fb0')])
    out.append(ellipse(-195, 392, 160, 66, g))
    out.append(feathered_wings(-20, -96, 158, 195, ('#b8332e', '#d85a3a', '#f0a040'), '#f6c27a', 1.05))
    p = Person(-20, 400, 580, face='down', mood='calm', dress='robe', cloth='#f4f1e8', hair='#e0b040', hairstyle='long',
               hat='halo', hands=((-1.05, 1.05), (0.75, 2.3)), grips=('fist', 'fist'), weight=1, hem=6.85)
    p.legs = p.shoes = p.skin  # barefoot
    body = p.draw()
    # one foot on the land, the other set in the pool to the ankle, the water ringed round it
    fx, fy = p.B(-0.66, 7.28)
    fx += 0.05 * p.u
    out.append(body)
    out.append(ellipse(fx, fy + 0.02 * p.u, 0.42 * p.u, 0.12 * p.u, '#4f8fcc', None, 0, extra='fill-opacity="0.8"'))
    out.append(ellipse(fx, fy + 0.02 * p.u, 0.5 * p.u, 0.14 * p.u, 'none', '#d8ecff', 2.2))
    out.append(ellipse(fx - 0.1 * p.u, fy + 0.05 * p.u, 0.66 * p.u, 0.2 * p.u, 'none', '#d8ecff', 1.6, extra='stroke-opacity="0.7"'))
    chx, chy = p.chest
    out.append(rect(chx - 22, chy - 26, 44, 44, '#f4f1e8', INK, 2))
    out.append(path(poly([(chx - 14, chy + 10), (chx + 14, chy + 10), (chx, chy - 16)]), '#f0a040', INK, 2))
    # water runs from the raised cup, tipped towards the other, into the lowered one; each
    # hand closes round a stem
    high, mouth = held_cup(p.hands[0], 78, 62)
    low, rim = held_cup(p.hands[1], 78, -8)
    out += [high, low]
    mouth = (mouth[0] + 6, mouth[1] + 18)
    out.append(solid([('stroke', 'M%s,%s Q%s,%s %s,%s' % (n(mouth[0]), n(mouth[1]), n(rim[0] - 20), n(mouth[1] - 30),
                                                        n(rim[0] - 4), n(rim[1] + 6)), 7)], '#9fd0f4', INK, 1.2))
    for hi in (0, 1):
        out.append(p.hand(hi, 'fist'))
    for x in (-262, -232):
        out.append(line((x, 330), (x, 280), '#3e7a3a', 3))
        out.append(path('M%s,%s l-12,-16 l12,6 l12,-6 Z' % (n(x), n(282)), '#e8c44a', INK, 1.4))
    return out


DEVIL_HIDE = '#6d6b52'   # the creature's skin: olive-grey, nothing human
DEVIL_FUR = '#3f3429'
DEVIL_WING = '#3a2c40'


def bat_wing(side):
    """A bat's wing on the viewer's `side`: finger bones fanning from the wrist, the membrane
    scalloped between their tips."""
    root, low = (side * 45, -175), (side * 55, -60)
    wrist = (side * 150, -305)
    tips = [(side * 266, -350), (side * 272, -220), (side * 240, -100), (side * 160, -48)]
    d = 'M%s,%s L%s,%s L%s,%s' % (n(root[0]), n(root[1]), n(wrist[0]), n(wrist[1]), n(tips[0][0]), n(tips[0][1]))
    prev = tips[0]
    for t in tips[1:] + [low]:
        mx, my = (prev[0] + t[0]) / 2, (prev[1] + t[1]) / 2
        # each scallop bows in towards the wrist
        cx, cy = mx + (wrist[0] - mx) * 0.28, my + (wrist[1] - my) * 0.28
        d += ' Q%s,%s %s,%s' % (n(cx), n(cy), n(t[0]), n(t[1]))
        prev = t
    d += ' Z'
    out = [path(d, DEVIL_WING, INK, LINE)]
    for t in tips:
        out.append(line(wrist, t, '#1e1620', 5))
    out.append(line(root, wrist, '#1e1620', 8))
    out.append(path(poly([(wrist[0], wrist[1]), (wrist[0] + side * 6, wrist[1] - 26), (wrist[0] + side * 14, wrist[1] - 2)]),
                    '#e9e0c8', INK, 1.6))
    return ''.join(out)


def goat_leg(side):
    """A goat's hind leg for a creature squatting on a block: thigh out, the hock bent back, the
    cloven hoof gripping the block's front edge."""
    hip, knee, hock, hoof = (side * 40, 30), (side * 112, 58), (side * 92, 140), (side * 112, 196)
    out = [solid([('stroke', 'M%s,%s L%s,%s' % (n(hip[0]), n(hip[1]), n(knee[0]), n(knee[1])), 52),
                  ('stroke', 'M%s,%s L%s,%s' % (n(knee[0]), n(knee[1]), n(hock[0]), n(hock[1])), 32),
                  ('stroke', 'M%s,%s L%s,%s' % (n(hock[0]), n(hock[1]), n(hoof[0]), n(hoof[1] - 10)), 20)], DEVIL_FUR)]
    # shaggy fur along the thigh and the back of the shin
    tufts = 'M%s,%s' % (n(side * 62), n(72))
    for k in range(5):
        x, y = side * (70 + k * 9), 74 + k * 14
        tufts += ' l%s,%s l%s,%s' % (n(side * 12), n(-4), n(-side * 4), n(10))
    out.append(path(tufts, 'none', '#2a221c', 2))
    for k in range(3):
        x, y = side * (100 + k * 8), 30 + k * 10
        out.append(path('M%s,%s l%s,%s l%s,%s' % (n(x), n(y), n(side * 10), n(-8), n(-side * 2), n(12)), 'none', '#2a221c', 2))
    for dx in (-7, 7):
        out.append(path(poly([(hoof[0] + dx - 7, hoof[1] - 12), (hoof[0] + dx + 7, hoof[1] - 12), (hoof[0] + dx + 9, hoof[1] + 6),
                              (hoof[0] + dx - 9, hoof[1] + 6)]), '#1a1614', INK, 2))
    return ''.join(out)


@card(15)
def el_diablo(c):
    out = [rect(-300, -470, 600, 940, '#141018', None, 0)]
    out.append(circle(0, -150, 300, c.radial([(0, ('#5a3a4a', 0.9)), (1, ('#141018', 0))], 0, -150, 300), None, 0))
    ps = [polar(0, -400, 34, 90 + i * 144) for i in range(5)]
    out.append(path(poly(ps), 'none', '#f2efe6', 5))
    out += [bat_wing(-1), bat_wing(1)]
    # the half cube he squats on, the ring the chains hang from
    out.append(rect(-125, 60, 250, 150, '#2a2830', '#5a5060', LINE))
    out.append(circle(0, 120, 12, '#8a8f9a', INK, 2))
    # torso: wiry, ribbed, the hide of no human
    torso = 'M-72,-190 Q-80,-120 -50,-50 L-58,40 Q0,58 58,40 L50,-50 Q80,-120 72,-190 Q0,-210 -72,-190 Z'
    out.append(path(torso, DEVIL_HIDE))
    for k in range(3):
        y = -150 + k * 22
        out.append(path('M%s,%s q24,8 34,-4 M%s,%s q-24,8 -34,-4' % (-44, y, 44, y), 'none', darker(DEVIL_HIDE, 0.35), 2))
    out.append(path('M-40,-10 Q0,8 40,-10', 'none', darker(DEVIL_HIDE, 0.35), 2))
    out += [goat_leg(-1), goat_leg(1)]
    # the raised right hand, open; the lowered left holding the torch flame down
    arm = 'M-66,-178 L-150,-206 L-150,-286'
    out.append(solid([('stroke', arm, 30)], DEVIL_HIDE))
    palm = [('ellipse', -150, -300, 22, 24)]
    for k, dx in enumerate((-16, -5, 6, 16)):
        palm.append(('stroke', 'M%s,%s L%s,%s' % (-150 + dx, -310, -150 + dx * 1.3, -348 + abs(k - 1.5) * 6), 9))
    palm.append(('stroke', 'M-170,-294 L-190,-318', 10))
    out.append(solid(palm, DEVIL_HIDE, INK, 2))
    out.append(line((-150, -306), (-150, -288), darker(DEVIL_HIDE, 0.35), 1.6))
    out.append(line((-160, -296), (-140, -296), darker(DEVIL_HIDE, 0.35), 1.6))
    torch_top, torch_end = (118, -40), (168, 44)
    out.append(solid([('stroke', 'M66,-178 L134,-104 L122,-30', 30)], DEVIL_HIDE))
    out.append(line(torch_top, torch_end, '#6b4a30', 12))
    out.append(path('M%s,%s q-26,8 -14,44 q8,-18 18,-10 q6,-22 22,-4 q2,-30 -26,-30 Z' % (n(torch_end[0]), n(torch_end[1])),
                    '#f08a2c', INK, 2))
    out.append(path('M%s,%s q-10,6 -4,22 q6,-10 12,-4 q0,-14 -8,-18 Z' % (n(torch_end[0] + 2), n(torch_end[1] + 8)), '#f7d35a', None, 0))
    out.append(solid([('ellipse', 122, -30, 22, 19, 60), ('ellipse', 108, -38, 10, 7, 20)], DEVIL_HIDE, INK, 2))
    # the goat's head: long face, the horns curling back, pointed ears, a tuft of beard
    hx, hy = 0, -262
    for s in (-1, 1):
        out.append(solid([('path', 'M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
            n(hx + s * 18), n(hy - 40), n(hx + s * 40), n(hy - 110), n(hx + s * 105), n(hy - 100),
            n(hx + s * 120), n(hy - 70), n(hx + s * 100), n(hy - 60), n(hx + s * 55), n(hy - 80),
            n(hx + s * 36), n(hy - 30)))], '#d8ccae', INK, 2.4))
        for k in range(3):
            out.append(path('M%s,%s l%s,%s' % (n(hx + s * (50 + k * 18)), n(hy - 98 + k * 6), n(s * 6), n(12)), 'none',
                            '#9a8e70', 2))
        out.append(path('M%s,%s L%s,%s L%s,%s Z' % (n(hx + s * 34), n(hy - 22), n(hx + s * 92), n(hy - 30), n(hx + s * 36),
                                                   n(hy - 4)), DEVIL_HIDE, INK, 2.4))
    out.append(path('M%s,%s Q%s,%s %s,%s L%s,%s Q%s,%s %s,%s Z' % (
        n(hx - 40), n(hy - 40), n(hx), n(hy - 70), n(hx + 40), n(hy - 40), n(hx + 22), n(hy + 52), n(hx), n(hy + 66),
        n(hx - 22), n(hy + 52)), DEVIL_HIDE, INK, LINE))
    out.append(path('M%s,%s L%s,%s L%s,%s Z' % (n(hx - 16), n(hy + 50), n(hx + 16), n(hy + 50), n(hx), n(hy + 104)),
                    '#2a221c', INK, 2))
    feats = []
    for s in (-1, 1):
        ex = hx + s * 17
        feats.append(path('M%s,%s L%s,%s L%s,%s Z' % (n(ex - 10), n(hy - 8), n(ex + 10), n(hy - 8), n(ex + s * 8), n(hy + 2)),
                          '#f4c430', INK, 1.6))
        feats.append(line((ex, hy - 9), (ex, hy + 0), INK, 2.4))
        feats.append(line((hx + s * 5, hy - 12), (hx + s * 30, hy - 24), INK, 4))
    feats.append(path('M%s,%s l-6,14 l12,0 Z' % (n(hx), n(hy + 24)), '#2a221c', INK, 1.6))
    feats.append(line((hx - 12, hy + 46), (hx + 12, hy + 46), INK, 2.4))
    out.append(marked_face(''.join(feats), (hx - 28, hy - 18, 56, 68), 520 / 7.5))
    # the chained pair, horned and tailed, the chains loose about their necks
    for x, hair_c, longhair, sk in ((-200, '#1e1a18', 'short', SKINS[4]), (200, '#c28a3a', 'long', SKINS[0])):
        s = -1 if x < 0 else 1
        tail = 'M%s,%s q%s,40 %s,80' % (n(x - s * 10), n(310), n(-s * 50), n(-s * 30))
        out.append(solid([('stroke', tail, 8)], sk, INK, 2))
        f, fp = person(x, 430, 320, face='down', dress='nude', skin=sk, hair=hair_c, hairstyle=longhair)
        out.append(f)
        out.append(chain((0, 130), (x * 0.86, fp.top + 1.25 * fp.u)))
        fx, fy = fp.head
        for side in (-1, 1):
            out.append(path('M%s,%s q%s,-10 %s,-20' % (n(fx + side * 12), n(fy - 22), n(side * 2), n(side * 8)), 'none',
                            '#e9e0c8', 5))
        out.append(path('M%s,%s q%s,-14 %s,-8' % (n(x - s * 22), n(fp.top + 4.6 * fp.u), n(-s * 14), n(-s * 30)), 'none',
                        '#f08a2c' if x < 0 else '#6a9a44', 5))
    return out


def flame(x, y, s, lean=1):
    """A tongue of fire rising from (x, y), blown to one side."""
    outer = 'M-16,0 Q-30,-30 -8,-52 Q-4,-30 4,-40 Q0,-64 20,-86 Q14,-54 24,-36 Q30,-14 16,0 Z'
    inner = 'M-8,0 Q-16,-20 -2,-34 Q2,-20 8,-26 Q10,-12 8,0 Z'
    return group([path(outer, '#f08a2c', INK, 2), path(inner, '#f7d35a', None, 0)],
                 'translate(%s %s) scale(%s %s)' % (n(x), n(y), n(s * lean), n(s)))


@card(16)
def la_torre(c):
    out = [rect(-300, -470, 600, 940, '#121420', None, 0)]
    for x, y, w in [(-200, -380, 200), (180, -350, 240)]:
        out.append(cloud(x, y, w, '#3a3d4e'))
    # the crag: faces lit from the left, in shade on the right
    out.append(path('M-300,470 L-170,262 L-110,240 L-40,262 L60,236 L140,262 L200,300 L300,470 Z', '#5e5e6e', INK, LINE))
    out.append(path('M-300,470 L-170,262 L-110,240 L-120,330 L-200,470 Z', '#7a7a8c', None, 0))
    out.append(path('M60,236 L140,262 L200,300 L300,470 L180,470 L120,330 Z', '#4a4a58', None, 0))
    for d in ('M-110,240 L-120,330 L-200,470', 'M60,236 L120,330 L180,470', 'M-40,262 L-20,360 L-60,470'):
        out.append(path(d, 'none', '#3a3a46', 2))
    # the tower of stone, its far side in shade, its courses of masonry
    out.append(rect(-90, -250, 180, 510, '#b9b3a8'))
    out.append(rect(40, -250, 50, 510, darker('#b9b3a8', 0.16), None, 0))
    for k, y in enumerate(range(-216, 260, 34)):
        out.append(line((-88, y), (88, y), darker('#b9b3a8', 0.25), 1.6))
        for x in range(-80 + (k % 2) * 30, 90, 60):
            out.append(line((x, y), (x, min(y + 34, 258)), darker('#b9b3a8', 0.25), 1.6))
    out.append(rect(-90, -250, 180, 510, 'none', INK, LINE))
    # three windows, fire bursting out of each and blowing sideways
    for k, (x, y) in enumerate(((-36, -170), (30, -50), (-30, 80))):
        side = 1 if k % 2 else -1
        out.append(path('M%s,%s L%s,%s Q%s,%s %s,%s L%s,%s Z' % (n(x - 20), n(y + 56), n(x - 20), n(y + 14), n(x), n(y - 14),
                                                               n(x + 20), n(y + 14), n(x + 20), n(y + 56)), '#3a1a14', INK, 2))
        out.append(flame(x + side * 8, y + 50, 1.15 + k * 0.1, side))
        out.append(flame(x + side * 34, y + 34, 0.8, side))
    # the battlements broken open at the top, and the fire rising from it
    out.append(path('M-100,-250 L-96,-286 L-70,-286 L-70,-272 L-40,-272 L-36,-292 L-10,-280 L20,-296 L34,-272 L64,-272 L64,-286 '
                    'L96,-286 L100,-250 Z', '#a9a396', INK, LINE))
    for x, k, s in ((-75, -1, 1.5), (-30, 1, 1.9), (25, -1, 1.7), (75, 1, 1.4)):
        out.append(flame(x, -280, s, k))
    # the crown blown from the top
    out.append(group([path(poly([(-60, 0), (-52, -40), (-30, -18), (0, -50), (30, -18), (52, -40), (60, 0)]), GOLD),
                      rect(-60, -4, 120, 16, GOLD, INK, LINE), circle(0, 4, 6, '#c83e3e', INK, 1.5),
                      circle(-34, 4, 5, '#3f6db0', INK, 1.5), circle(34, 4, 5, '#3f6db0', INK, 1.5)],
                     'translate(-150 -340) rotate(-35)'))
    # the lightning strikes the tower's top
    out.append(lightning([(200, -480), (250, -480), (160, -380), (196, -380), (14, -258), (110, -352), (74, -352)]))
    # the two cast down head first, their arms flung out, their legs apart
    f1, _ = person(-170, -10, 300, pose='walk', shadow=False, face='front', mood='fear', dress='tunic', cloth='#c2453a', hat='crown',
                   legs='#4a6fb5', hands=((-1.5, -0.6), (1.3, -1.3)), grips=('open', 'open'))
    f2, _ = person(180, 130, 280, pose='walk', shadow=False, face='front', mood='fear', dress='robe', hem=6.6, cloth='#4a6fb5',
                   hair='#c28a3a', hairstyle='long', hands=((-1.4, -1.2), (1.5, -0.5)), grips=('open', 'open'))
    out.append(group([f1], 'rotate(150 -170 -150)'))
    out.append(group([f2], 'rotate(200 180 0)'))
    # the twenty-two drops of fire falling on either side
    for k in range(22):
        side = -1 if k % 2 else 1
        x = side * (130 + (k * 37) % 150)
        y = -420 + (k * 53) % 620
        if -260 < x < -110 and -300 < y < 20 or 120 < x < 260 and -160 < y < 160:
            y += 200 if y < 200 else -500
        out.append(path('M%s,%s q-7,10 0,16 q7,-6 0,-16 Z' % (n(x), n(y)), '#f7c948', INK, 1.2))
    return out


def howler(x, y, s, direction, colour, kind):
    """A dog or a wolf sitting back on its haunches, seen from the side and facing `direction`,
    its head thrown back and its jaws open in a howl; paws on y. The wolf has pricked ears laid
    back, a ruff and a brush of a tail; the dog hanging ears and a thin tail."""
    shade = darker(colour, 0.18)
    pale = mix(colour, '#ffffff', 0.35)
    line_c = darker(colour, 0.45)
    out = []
    # the tail, lying along the ground behind the haunch
    if kind == 'wolf':
        out.append(path('M-58,-22 Q-88,-20 -104,-2 Q-96,-4 -88,0 Q-70,-4 -54,-6 Z', shade, INK, 2))
        out.append(path('M-90,-8 l-6,4 M-80,-12 l-6,6', 'none', line_c, 1.4))
    else:
        out.append(solid([('stroke', 'M-58,-22 Q-86,-18 -92,-36 Q-94,-46 -86,-52', 5)], colour, INK, 2))
    # the far foreleg and hind foot, in shade
    out.append(solid([('path', limb([(2, -64), (3, -34), (6, -6)], [8, 6, 5])), ('ellipse', 10, -4, 9, 4.5)], shade, INK, 2))
    # the body in one outline: the back rising steeply from the rump to the withers and on up
    # the stretched neck, the chest before it, the round haunch, the long hind foot flat on the
    # ground and the near foreleg straight down from the shoulder
    body = ('M-66,-24 Q-64,-70 -24,-100 Q-16,-130 2,-150 L30,-138 Q26,-112 22,-96 Q32,-80 28,-62 Q24,-40 12,-26 '
            'L-24,-8 Q-56,-2 -66,-24 Z')
    out.append(solid([('path', body), ('ellipse', -34, -28, 32, 25, -10), ('ellipse', -12, -5, 22, 5.5),
                      ('path', limb([(14, -70), (16, -36), (20, -6)], [9, 6.5, 5.5])), ('ellipse', 25, -4, 9.5, 4.8)],
                     colour, INK, 2))
    out.append(path('M24,-86 Q30,-64 20,-38 Q12,-52 14,-80 Z', pale, None, 0))
    if kind == 'wolf':
        out.append(path('M22,-98 l6,-4 l-6,-6 l8,-4 l-6,-7 l8,-5 l-6,-6 L26,-136 L14,-104 Z', pale, None, 0))
    out.append(path('M-60,-34 Q-50,-56 -26,-52 Q-8,-48 -4,-30', 'none', line_c, 1.8))
    out.append(path('M-48,-10 Q-30,-18 -14,-10', 'none', shade, 3))
    out.append(path('M8,-60 Q10,-30 13,-9', 'none', line_c, 1.8))
    out.append(path('M22,-94 Q14,-108 4,-112', 'none', line_c, 1.4))
    for t in (-2, 3, 8, 20, 25, 30):
        out.append(line((t, -8), (t + 1, -1), INK, 1.1))
    head = []
    # muzzle along +x, turned up by the group's rotation; the jaws part in the howl
    head.append(path('M8,3 L33,2 Q34,10 28,12 L6,12 Z', darker(colour, 0.08), INK, 2))
    head.append(path('M6,3 L34,1 L28,10 Z', '#7a2430', None, 0))
    head.append(path('M-14,-2 Q-12,-16 2,-16 Q12,-15 20,-9 L40,-5 Q42,0 38,2 L6,4 Q-6,10 -12,6 Z', colour, INK, 2))
    head.append(path('M4,-13 Q14,-12 22,-7', 'none', pale, 2.4))
    head.append(ellipse(39, -3, 3.6, 2.8, '#1e1a18', None, 0))
    head.append(path('M-2,-8 q4,-3 8,0', 'none', INK, 2))  # the eye shut as it howls
    if kind == 'wolf':
        head.append(path('M-12,-10 L-30,-24 L-20,-4 Z', colour, INK, 2))
        head.append(path('M-16,-10 L-26,-19 L-19,-7 Z', darker(colour, 0.3), None, 0))
    else:
        head.append(path('M-8,-12 Q-24,-10 -24,10 Q-18,14 -12,10 Q-10,-2 -2,-6 Z', darker(colour, 0.3), INK, 2))
    out.append(group(head, 'translate(14 -146) rotate(-58)'))
    return group(out, 'translate(%s %s) scale(%s %s)' % (n(x), n(y), n(s * direction), n(s)))


def crayfish(x, y, s, angle=0, colour='#d8573a'):
    """A crayfish seen from above, head towards -y: the carapace, the jointed tail and its fan,
    two great claws reaching forward, the walking legs and long feelers."""
    dark = darker(colour, 0.3)
    out = []
    for k in (-1, 1):
        out.append(path('M%s,-30 Q%s,-70 %s,-96' % (n(k * 5), n(k * 20), n(k * 44)), 'none', INK, 1.6))
        for j in range(3):
            out.append(path('M%s,%s l%s,%s l%s,%s' % (n(k * 10), n(-12 + j * 8), n(k * 14), n(4), n(k * 4), n(10)), 'none',
                            INK, 2.2))
        # the arm and the claw, its two fingers open
        out.append(solid([('stroke', 'M%s,-22 Q%s,-34 %s,-46' % (n(k * 10), n(k * 24), n(k * 22)), 6)], colour, INK, 1.8))
        out.append(path('M%s,-44 Q%s,-60 %s,-82 Q%s,-72 %s,-62 Q%s,-68 %s,-78 Q%s,-54 %s,-44 Z' % (
            n(k * 16), n(k * 12), n(k * 20), n(k * 26), n(k * 26), n(k * 30), n(k * 34), n(k * 36), n(k * 28)),
            colour, INK, 1.8))
    out.append(ellipse(0, -14, 13, 22, colour, INK, 2))
    out.append(path('M-8,-20 Q0,-14 8,-20', 'none', dark, 1.6))
    for k in range(5):
        yy = 10 + k * 10
        w = 11 - k * 1.2
        out.append(path('M%s,%s Q0,%s %s,%s L%s,%s Q0,%s %s,%s Z' % (n(-w), n(yy - 2), n(yy + 3), n(w), n(yy - 2), n(w - 0.8),
                                                                 n(yy + 8), n(yy + 13), n(-w + 0.8), n(yy + 8)), colour, INK, 1.6))
    out.append(path('M0,60 L-14,74 Q0,80 14,74 Z', colour, INK, 1.6))
    out.append(circle(-6, -34, 2.4, INK, None, 0))
    out.append(circle(6, -34, 2.4, INK, None, 0))
    return group(out, 'translate(%s %s) rotate(%s) scale(%s)' % (n(x), n(y), n(angle), n(s)))


@card(18)
def la_luna(c):
    out = [sky(c, 'night', 200)]
    out.append(circle(0, -300, 110, c.radial([(0, ('#fff6c8', 0.6)), (1, ('#fff6c8', 0))], 0, -300, 140), None, 0))
    out.append(circle(0, -300, 80, '#f5efc8'))
    out.append(path('M10,-360 A60,60 0 1 1 10,-240 A80,80 0 0 0 10,-360 Z', '#e6dca0', INK, 2))
    out.append(path('M-30,-318 q10,-6 20,0 M-24,-270 q14,8 26,0 M-16,-310 l-6,22 l8,2', 'none', INK, 2.4))
    for k, (x, y) in enumerate([(-60, -170), (-20, -150), (30, -160), (70, -175), (-100, -190)]):
        out.append(path('M%s,%s q-7,12 0,16 q7,-4 0,-16 Z' % (n(x), n(y)), '#f7c948', INK, 1.4))
    out.append(mountains(60, '#6a7ab0', [(-40, 200, 140), (130, 150, 120)], snow='#d9def0'))
    out.append(ground(c, 60, '#5a8a4a', '#3f6a36'))
    out.append(tower(-210, 150, 80, 260, '#b9b3a8'))
    out.append(tower(210, 150, 80, 260, '#b9b3a8'))
    # the path from the pool's edge winding away between the towers to the mountains'
    # foot, narrowing as it goes
    spine = [(16, 372), (-22, 300), (20, 232), (-4, 184), (62, 150), (-36, 118), (44, 92), (-6, 74), (22, 61)]
    half = [74, 40, 26, 18, 13, 9, 6, 4, 2.5]
    left, right = [], []
    for i, ((x, y), w) in enumerate(zip(spine, half)):
        (ax, ay), (bx, by) = spine[max(0, i - 1)], spine[min(len(spine) - 1, i + 1)]
        d = math.hypot(bx - ax, by - ay)
        nx, ny = -(by - ay) / d, (bx - ax) / d
        left.append((x + nx * w, y + ny * w))
        right.append((x - nx * w, y - ny * w))
    out.append(path(smooth([left[0]] + left + list(reversed(right)) + [right[0]]), '#d8c89a', INK, 2))
    out.append(path(smooth([(x + 0.35 * (lx - x), y + 0.35 * (ly - y)) for (x, y), (lx, ly) in zip(spine, right)][:6] +
                           list(reversed([(x + 0.1 * (lx - x), y + 0.1 * (ly - y)) for (x, y), (lx, ly) in zip(spine, right)][:6]))),
                    darker('#d8c89a', 0.12), None, 0))
    # the wolf and the dog sit on either side of the path, turned to each other, and howl up
    # at the moon
    out.append(ellipse(-140, 318, 78, 9, '#1a1410', None, 0, extra='fill-opacity="0.25"'))
    out.append(ellipse(150, 318, 78, 9, '#1a1410', None, 0, extra='fill-opacity="0.25"'))
    out.append(howler(-128, 318, 1.5, 1, '#8c8c96', 'wolf'))
    out.append(howler(146, 318, 1.4, -1, '#d8b888', 'dog'))
    g = c.linear([(0, '#4f8fd0'), (1, '#2f5f9e')])
    out.append(path('M-300,340 Q0,310 300,340 L300,470 L-300,470 Z', g, INK, LINE))
    # the crayfish climbing out of the pool onto the foot of the path, its tail still in
    # the water
    out.append(crayfish(14, 318, 1.05, -8))
    out.append(path('M-22,346 Q14,336 50,346', 'none', '#9fc8f0', 3))
    out.append(path('M-10,356 Q14,350 40,356', 'none', '#9fc8f0', 2.2, extra='stroke-opacity="0.8"'))
    for x, y in ((-180, 400), (120, 420), (-60, 440), (220, 380)):
        out.append(path('M%s,%s q14,-6 28,0 t28,0' % (n(x), n(y)), 'none', '#7fb0e4', 2))
    return out


@card(19)
def el_sol(c):
    out = [sky(c, 'day', 100)]
    out.append(sun(c, 0, -260, 110, face=True, rays=20))
    out.append(rect(-300, 20, 600, 130, '#c9a878'))
    for y in (62, 106):
        for x in range(-300, 300, 60):
            out.append(line((x + (30 if y == 106 else 0), y - 42), (x + (30 if y == 106 else 0), y), darker('#c9a878', 0.3), 2))
        out.append(line((-300, y), (300, y), darker('#c9a878', 0.3), 2))
    for x in (-220, -120, 120, 220):
        out.append(sunflower(x, -10, 36, 40))
    out.append(ground(c, 150, '#8ab85a', '#6a9a44'))
    hb, hp = horse(-16, 430, 2.9, 1, 'walk', '#f4f2ec', '#d9d4c8')
    out.append(hb)
    sx, sy = hp['saddle']
    cp = BareRider(sx, sy + 0.25 * 285 / 7.5, 285, pose='ride', dress='nude', face='front', mood='joy', child=True,
                   hair='#e0b040', hat='wreath', hands=((-1.75, -1.0), (1.85, -0.85)), grips=('fist', 'open'),
                   holds=((-0.12, -1), None))
    # both arms raised and opened in joy, bent at the elbows, the upper arms out and a little down
    (s0x, s0y), (s1x, s1y) = cp.shoulders
    cp.elbow_at = ((s0x - 1.02 * cp.u, s0y + 0.38 * cp.u), (s1x + 1.02 * cp.u, s1y + 0.4 * cp.u))
    out.append(cp.draw())
    lx, ly = cp.hands[0]
    # the staff upright in the raised fist, the red banner streaming back from its top in waves
    tx, ty = lx + 8, ly - 190
    out.append(line((lx - 2, ly + 45), (tx, ty), WOOD, 6))
    k = 0.82
    banner = 'M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s L%s,%s L%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % tuple(
        n(tx + a * k) if j % 2 == 0 else n(ty + a * k) for j, a in enumerate((
            0, 2, -45, -26, -90, 2, -130, 28, -175, 10, -150, 48, -180, 86, -128, 104, -88, 78, -45, 52, -3, 76)))
    out.append(path(banner, '#d8473a', INK, 2))
    # the cloth's folds where it turns
    out.append(path('M%s,%s Q%s,%s %s,%s M%s,%s Q%s,%s %s,%s' % tuple(
        n(tx + a * k) if j % 2 == 0 else n(ty + a * k) for j, a in enumerate((
            -90, 6, -95, 40, -88, 74, -40, -4, -36, 24, -44, 50))), 'none', darker('#d8473a', 0.25), 2.4))
    out.append(cp.hand(0, 'fist'))
    return out


class BareRider(Person):
    """A bare child astride, facing the viewer, drawn in one outline: the flanks run down
    into the hips, the far thigh rounds over the horse's back, and the near leg comes out of
    the hip along the flank to the knee and hangs from it, the foot pointing down."""

    def _ride_leg(self, direction):
        # called once behind the body and once in front of it: only the front's marks are drawn
        if not getattr(self, '_near', None):
            return ''
        U, u = self.U, self.u
        hip, knee, ankle = self._near
        out = [far_shade([knee, ((knee[0] + ankle[0]) / 2, (knee[1] + ankle[1]) / 2), ankle], 0.08 * u, 0.09 * u,
                         darker(self.skin, 0.08))]
        kx, ky = knee
        out.append(path('M%s,%s q%s,%s %s,%s' % (n(kx - direction * 0.1 * u), n(ky - 0.08 * u), n(direction * 0.08 * u),
                                                 n(0.02 * u), n(direction * 0.12 * u), n(0.12 * u)), 'none',
                        darker(self.skin, 0.35), max(1.2, 0.03 * u)))
        # the fold of the hip where the near thigh leaves the body, and the far thigh's round
        sh = darker(self.skin, 0.3)
        for a, b, c in ((U(0.62 * direction, 3.25), U(0.3 * direction, 3.62), U(0.0, 3.92)),
                        (U(-0.66 * direction, 3.5), U(-0.5 * direction, 3.8), U(-0.2 * direction, 3.98))):
            out.append(path('M%s,%s Q%s,%s %s,%s' % (n(a[0]), n(a[1]), n(b[0]), n(b[1]), n(c[0]), n(c[1])), 'none', sh,
                            max(1.2, 0.03 * u), extra='stroke-opacity="0.7"'))
        fx, fy = ankle
        out.append(ellipse(fx + 0.1 * u * direction, fy + 0.16 * u, 0.28 * u, 0.13 * u, self.skin, INK, 2, 62 * direction))
        return ''.join(out)

    def _body(self):
        super()._body()
        U, u = self.U, self.u
        d = 1 if self.face != 'left' else -1
        hip, knee, ankle = U(0.28 * d, 3.5), U(0.98 * d, 4.2), U(0.86 * d, 5.25)
        self._near = hip, knee, ankle
        (under, over), _ = leg_edges(hip, knee, ankle, u, -d, 1.25)
        if d < 0:
            under, over = over, under
        # the flank nearest the far thigh, down past the hip into the far thigh over the back,
        # round the seat to the fork; the near leg's under side down to the ankle and its
        # upper side back up to the other flank
        far = [U(-0.84 * d, 3.45), U(-1.12 * d, 3.68), U(-1.32 * d, 3.96), U(-1.2 * d, 4.2), U(-0.8 * d, 4.16),
               U(-0.2 * d, 4.06)]
        side = self._side[:-1] if d > 0 else self._side_r[:-1]
        other = self._side_r[:-2] if d > 0 else self._side[:-2]
        ring = side + far + under[1:] + list(reversed(over[1:])) + list(reversed(other))
        if d < 0:
            ring.reverse()
        return smooth(ring), 3.85


@card(20)
def el_juicio(c):
    out = [sky(c, 'day', 200)]
    out.append(mountains(220, '#e8ecf4', [(-200, 200, 120), (200, 220, 120)], snow=None))
    out.append(water(c, 220, '#6fa4d8', '#3f6db0'))
    # the angel leans out of the clouds towards the risen, the trumpet at the lips slanting
    # down to the right, the flag with the cross hanging from it
    h, y0 = 520, -40
    u = h / 7.5
    k = h / 440
    top = y0 - 3.8 * u
    out.append(feathered_wings(0, top + 1.45 * u, 182, 160, ('#d8cdbd', '#ebe5d9', '#f8f5ee'), '#e6d6b0'))
    mouth = (0.42 * u, top + 0.55 * u + 0.34 * u)
    bell = (mouth[0] + 188 * k, mouth[1] + 142 * k)

    def along(t):
        return mouth[0] + (bell[0] - mouth[0]) * t, mouth[1] + (bell[1] - mouth[1]) * t
    angel, ap = person(0, y0, h, pose='bust', face='right', profile=True, gaze=(1, 0.6), body='three', mood='calm',
                       cloth='#4a6fb5', hair='#e0b040', hairstyle='long', reach=(along(0.3), along(0.58)), grips=('fist', 'fist'),
                       elbows=((-40 * k, top + 2.9 * u), (75 * k, top + 2.75 * u)))
    out.append(angel)
    # the clouds he leans from: a low bank across the sky under his breast, not a wall
    for x, y, w in ((-190, 4, 230), (180, 10, 240), (-10, -6, 250)):
        out.append(cloud(x, y, w, '#eef0f6'))
    # the banner hangs from the trumpet itself, its top edge along the tube, the cloth falling
    # in a soft wave below and the red cross on it
    (ax, ay), (bx, by) = along(0.6), along(0.96)
    drop = 78
    cloth = 'M%s,%s L%s,%s L%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
        n(ax), n(ay), n(bx), n(by), n(bx + 4), n(by + drop), n(bx - 0.25 * (bx - ax)), n(by + drop - 12),
        n((ax + bx) / 2), n((ay + by) / 2 + drop + 4), n(ax + 0.2 * (bx - ax)), n(ay + drop + 18), n(ax - 4), n(ay + drop))
    out.append(path(cloth, '#f4f1e8', INK, 2))
    mx, my = (ax + bx) / 2, (ay + by) / 2
    out.append(line((mx, my + 4), (mx, my + drop), '#c2453a', 8))
    out.append(line((ax + 8, my + 0.42 * drop), (bx - 8, my + 0.42 * drop), '#c2453a', 8))
    out.append(path('M%s,%s q6,20 2,%s' % (n(ax + 0.3 * (bx - ax)), n(ay + 0.3 * (by - ay) + 8), n(drop - 14)), 'none',
                    darker('#f4f1e8', 0.2), 2))
    out.append(trumpet(mouth, bell))
    out += [ap.hand(0, 'fist'), ap.hand(1, 'fist')]
    # the risen rise from open coffins afloat on the sea, seen from the hips up over the
    # coffins' sides: a woman and a man with their arms lifted and opened in wonder, a child
    # between them seen from behind, its coffin a little further off
    wood = '#8a6242'
    risen = ((-180, 388, 86, 360, SKINS[1], 'long', '#8a5a2a',
              dict(face='right', gaze=(0.6, -1), tilt=8, hands=((-0.8, -1.1), (0.75, -1.3)))),
             (0, 344, 62, 260, SKINS[2], 'short', '#6a4426',
              dict(face='back', child=True, hands=((-1.05, -0.8), (1.05, -0.8)))),
             (180, 388, 86, 375, SKINS[3], 'short', '#3a2418',
              dict(face='left', gaze=(-0.6, -1), tilt=-8, hands=((-0.75, -1.3), (0.8, -1.1)))))
    for x, rim, half, h, skin, style, hair, kw in sorted(risen, key=lambda r: r[1]):
        back, depth = rim - 0.3 * half, 0.62 * half
        # seen from a little above and off to one side: the back edge slides towards the middle
        # of the card, so the outer side turned that way shows beside the front board
        side = 0 if x == 0 else (1 if x < 0 else -1)
        shift = side * 0.2 * half
        bl, br = x - 0.88 * half + shift, x + 0.88 * half + shift
        opening = [(x - half, rim), (x + half, rim), (br, back), (bl, back)]
        # the open box: its dark inside, the inner back wall and the far inner side lit by the
        # sky, then the figure, then the front board and the outer side over the hips
        out.append(path(poly(opening), '#3e2a1c', INK, 2))
        out.append(path(poly([(bl, back), (br, back), (br, back + 0.2 * half), (bl, back + 0.2 * half)]), darker(wood, 0.15)))
        if side:
            fx, bx = (x - half, bl) if side > 0 else (x + half, br)
            out.append(path(poly([(fx, rim), (bx, back), (bx, back + 0.2 * half), (fx + side * 0.08 * half, rim)]),
                            darker(wood, 0.3)))
        f, fp = person(x, rim + 3.9 * h / 7.5, h, mood='joy', dress='nude', skin=skin, hair=hair, hairstyle=style,
                       grips=('open', 'open'), **kw)
        keep = poly([(x - 3 * half, -470), (x + 3 * half, -470), (x + 3 * half, rim), (x - 3 * half, rim)])
        out.append(group([f], extra='clip-path="%s"' % c.clip(keep)))
        out.append(path(poly(opening), 'none', INK, 2))
        if side:
            nx, bx = (x + half, br) if side > 0 else (x - half, bl)
            out.append(path(poly([(nx, rim), (bx, back), (bx, back + 0.86 * depth), (nx - side * 0.05 * half, rim + depth)]),
                            darker(wood, 0.3), INK, LINE))
        out.append(path(poly([(x - half, rim), (x + half, rim), (x + 0.95 * half, rim + depth), (x - 0.95 * half, rim + depth)]),
                        wood, INK, LINE))
        out.append(line((x - 0.97 * half, rim + 0.5 * depth), (x + 0.97 * half, rim + 0.5 * depth), darker(wood, 0.3), 2))
        out.append(line((x - 0.98 * half, rim + 5), (x + 0.98 * half, rim + 5), mix(wood, '#ffffff', 0.25), 2))
        # the sea lapping at the box
        wy = rim + depth - 4
        for k in (-1, 1):
            out.append(path('M%s,%s q%s,-6 %s,0 t%s,0' % (n(x + k * (half + 4) - 14 * (1 - k)), n(wy), n(7), n(14), n(14)),
                            'none', '#d8ecff', 2.2))
        out.append(path('M%s,%s q%s,6 %s,0' % (n(x - 0.8 * half), n(wy + 6), n(0.8 * half), n(1.6 * half)), 'none',
                        '#d8ecff', 2.2))
    return out


@card(21)
def el_mundo(c):
    out = [sky(c, 'day', 300)]
    out.append(ellipse(0, 0, 170, 300, 'none', '#3f7a3c', 34))
    for k in range(36):
        a = k * 10
        px, py = 170 * math.cos(math.radians(a)), 300 * math.sin(math.radians(a))
        out.append(ellipse(px, py, 16, 7, LEAF, INK, 1.4, a + 90 + (30 if k % 2 else -30)))
    for y in (-300, 300):
        # the red ribbon binding the wreath: a bow of two loops and two tails
        out.append(path('M0,%s q-34,-22 -40,0 q6,22 40,0 q34,-22 40,0 q-6,22 -40,0 Z' % y, '#d8473a', INK, 2))
        out.append(path('M-4,%s q-10,20 -22,30 M4,%s q10,20 22,30' % (y + 2, y + 2), 'none', '#d8473a', 6))
        out.append(circle(0, y, 7, '#b83a30', INK, 2))
    body, p = person(0, 240, 440, face='left', mood='calm', gaze=(-1, 0), dress='nude', hair='#8a5a2a', hairstyle='long',
                     hands=((-1.2, -0.6), (0.9, 2.6)), stance='cross', shadow=False, grips=('fist', 'fist'))
    dancer = [body]
    u = p.u
    # the violet scarf: over one shoulder, across the breast, once round the hips, its end
    # fluttering out behind her in a narrowing ribbon
    pts = [(-0.58, 1.45), (0.05, 2.2), (0.55, 3.1), (0.5, 3.85), (-0.05, 4.3), (-0.7, 4.05), (-1.3, 3.75), (-1.85, 3.95),
           (-2.3, 3.7), (-2.6, 3.25)]
    pts = [(a * u, p.top + b * u) for a, b in pts]
    ws = [0.1 * u, 0.16 * u, 0.17 * u, 0.15 * u, 0.17 * u, 0.15 * u, 0.15 * u, 0.17 * u, 0.13 * u, 0.04 * u]
    violet = '#7a5bb0'
    dancer.append(solid([('path', limb(pts, ws))], violet, INK, 2))
    dancer.append(path(poly(pts[1:-1], closed=False), 'none', darker(violet, 0.3), 2))
    dancer.append(far_shade(pts[5:], 0.1 * u, 0.08 * u, darker(violet, 0.18)))
    for hi, (hx, hy) in enumerate(p.hands):
        dancer.append(wand((hx - 10, hy + 50), (hx + 10, hy - 50), 8, 0, '#f4f1e8', knots=False))
        dancer.append(p.hand(hi, 'fist'))
    # in mid-step: the whole figure leans into the dance
    out.append(group(dancer, 'rotate(-7 0 0)'))
    for x, y in ((-210, -350), (210, -350), (-210, 350), (210, 350)):
        out.append(cloud(x, y + 40, 170, '#eef0f6'))
    out.append(person(-210, -270, 150, pose='bust', face='down', cloth='#f2efe6', hair='#e9a23a')[0])
    out.append(eagle(210, -350, 1.5))
    out.append(bull_head(-210, 340, 42))
    out.append(lion_head(210, 340, 42))
    return out
