# The minor arcana, one function per card, like the majors.
import math

from figures import (GOLD, GOLD_DARK, LEAF, SKIN, WOOD, curve_through, limb, marked_face, next_skin, bird, bull_head, cat, coin, cup, darker, dog, fish, horse,
                     held_cup, lion_head, person, rabbit, ram_head, rider, scales, sunflower, sword, throne, wand, wings)
from scenery import (bridge, castle, cloud, flowers, ground, hills, house, moon, mountains, rain, rainbow, rose, sky,
                     shadow, sun, tower, track, tree, water, wave_sea)
from svg import INK, LINE, circle, ellipse, group, line, n, path, poly, polar, rect, solid

SCENES = {}

BASTOS, COPAS, ESPADAS, OROS = 23, 37, 51, 65


def card(number):
    def register(fn):
        SCENES[number] = fn
        return fn
    return register


def heart(x, y, s, fill='#c8303a'):
    d = 'M%s,%s C%s,%s %s,%s %s,%s C%s,%s %s,%s %s,%s Z' % (
        n(x), n(y + s), n(x - s * 1.5), n(y + s * 0.1), n(x - s * 0.9), n(y - s * 1.0), n(x), n(y - s * 0.45),
        n(x + s * 0.9), n(y - s * 1.0), n(x + s * 1.5), n(y + s * 0.1), n(x), n(y + s))
    return path(d, fill, INK, 4)


def standing_cup(x, y, h, **kw):
    """A chalice standing on the ground at (x, y), its soft shadow falling away from the light."""
    return shadow(x + 0.07 * h, y, 0.32 * h, 0.055 * h) + cup(x, y, h, **kw)


def spilled_cup(x, y, h, direction, liquid):
    """A cup lying on the ground y with its foot at x, mouth towards `direction`, its wine run
    out in a pool beyond the mouth."""
    axis = y - h * 0.36
    out = [ellipse(x + direction * (h + 30), y - 8, 52, 14, liquid, INK, 2)]
    out.append(cup(x, axis, h, angle=90 * direction))
    return ''.join(out)


@card(COPAS + 4)
def cinco_de_copas(c):
    out = [sky(c, 'grey', 40)]
    out.append(cloud(-160, -330, 200, '#9aa0ac'))
    out.append(cloud(150, -280, 240, '#a9aeb8'))
    out.append(hills(40, '#7c8a72', (30, 50, 30)))
    out.append(water(c, 40, '#6d8fb8', '#58789f', 120))
    out.append(house(250, 40, 80, 60, '#d8ccb4', '#6a5a6e'))
    out.append(bridge(180, 110, 150, 40))
    out.append(ground(c, 110, '#7d8b62', '#5d6b48'))
    # the cloaked mourner, bent, facing the spilled cups
    body, p = person(70, 360, 500, face='left', profile=True, gaze=(-1, 1), body='three', bow=0.38, mood='grief', dress='robe',
                     cloth='#1f1d24', hat='hood', hat_colour='#1f1d24', sleeves='#1f1d24', cape='#2a2730', behind=(True, True))
    out.append(body)
    out.append(spilled_cup(-10, 330, 110, -1, '#b3263a'))
    out.append(spilled_cup(40, 385, 110, -1, '#3f8f4a'))
    out.append(spilled_cup(-40, 435, 110, -1, '#b3263a'))
    out.append(standing_cup(176, 390, 126))
    out.append(standing_cup(236, 430, 116))
    return out


@card(ESPADAS + 2)
def tres_de_espadas(c):
    out = [sky(c, 'storm', 440)]
    for x, y, w in [(-180, -360, 260), (140, -330, 300), (-30, -240, 220), (200, 300, 220), (-200, 320, 240)]:
        out.append(cloud(x, y, w, '#8a8f9c'))
    out.append(rain(-290, 290, -470, 470))
    out.append(heart(0, 30, 190))
    out.append(sword((0, -330), (0, 330), 20))
    out.append(sword((-230, -250), (190, 270), 20))
    out.append(sword((230, -250), (-190, 270), 20))
    return out


@card(OROS + 12)
def reina_de_oros(c):
    out = [sky(c, 'gold', 60)]
    out.append(mountains(60, '#8ea0c0', [(-220, 120, 120), (200, 150, 130)]))
    out.append(ground(c, 60, '#7fb05a', '#5a8d42'))
    # the arch of roses over the throne
    out.append(path('M-260,380 L-260,-220 Q-260,-400 0,-400 Q260,-400 260,-220 L260,380', 'none', '#3e7a3a', 16))
    # roses and leaves in turn along the arch itself, all of it inside the field
    for k in range(21):
        t = k / 10.0
        side, q = (-1, t) if t <= 1 else (1, 2 - t)
        # the quadratic from the post's top (side·260, -220) through (side·260, -400) to (0, -400)
        px = (1 - q) ** 2 * side * 260 + 2 * q * (1 - q) * side * 260
        py = (1 - q) ** 2 * -220 + 2 * q * (1 - q) * -400 + q * q * -400
        dx, dy = 2 * (1 - q) * 0 + 2 * q * (0 - side * 260), 2 * (1 - q) * (-180) + 2 * q * 0
        a = math.degrees(math.atan2(dy, dx))
        if k % 2 == 0:
            out.append(circle(px, py, 14, '#d8475a', INK, 2))
        else:
            out.append(ellipse(px, py, 12, 6, LEAF, INK, 1.5, a))
    for y in range(-180, 380, 60):
        for x in (-260, 260):
            out.append(circle(x, y, 12, '#d8475a' if (y // 60) % 2 else '#f2eee6', INK, 2))
    out.append(throne(0, 360, 300, 560, '#b7b0a2', GOLD, 'round'))
    # fruit and a goat's head on the throne
    for x, y, col in [(-110, -140, '#e8a23a'), (110, -140, '#e8a23a'), (-80, -180, '#c84a3a'), (80, -180, '#c84a3a')]:
        out.append(circle(x, y, 16, col, INK, 2))
    out.append(ram_head(0, -190, 24))
    # the coin in her lap, held by its rim in both hands
    u = 500 / 7.5
    centre, r = (0, 370 - 6.25 * u + 3.75 * u), 0.75 * u
    body, p = person(0, 370, 500, pose='sit', face='down', mood='calm', dress='gown', cloth='#b8453e', cape='#4e7d4a',
                     hat='crown', hair='#4a2e1e', hairstyle='long', reach=rim_points(centre, r, 0.2))
    out.append(body)
    out.append(coin_in_hands(p, centre, r))
    out.append(flowers([-230, -190, -150, 150, 190, 230], 400, seed=3))
    out.append(rabbit(170, 420, 2.2, -1))
    return out


def salamander(x, y, s, angle=0, colour='#2b1d14', eye=None, flip=False):
    """A small lizard seen from above, about 60·s long, its head towards `angle` (degrees,
    0 = right): a blunt head, four splayed legs with toes, the tail curled back on itself
    (to the left of its run, or to the right with `flip`)."""
    f = -1 if flip else 1
    out, pieces = [], []
    # the legs: out from the shoulders and the hips, bent at the elbow and the knee, the toes
    # spread on the ground
    for bx, ex, fx, side in ((9, 11, 17, -1), (9, 11, 17, 1), (-10, -10, -16, -1), (-10, -10, -16, 1)):
        ey, fy = side * 10, side * 13
        pieces.append(('path', limb([(bx, 0), (ex, ey), (fx, fy)], [2.6, 2.1, 1.6])))
        for t in (-40, 0, 40):
            tx, ty = polar(fx, fy, 4.2, math.degrees(math.atan2(fy - ey, fx - ex)) + t)
            pieces.append(('stroke', 'M%s,%s L%s,%s' % (n(fx), n(fy), n(tx), n(ty)), 1.3))
    # the blunt head, the body swelling at the belly, and the tail tapering into its curl
    spine = [(21, 0), (17, 0), (11, 0), (3, 0.5), (-6, 0.5), (-13, 0.8), (-20, 1.5), (-27, 1.5),
             (-33, -1.5 * f), (-36, -7 * f), (-33, -13 * f), (-27, -14 * f), (-23, -10 * f), (-25, -6.5 * f)]
    widths = [4.4, 3.6, 3.8, 5.4, 5.8, 4.8, 3.4, 2.6, 2.1, 1.7, 1.4, 1.1, 0.9, 0.5]
    pieces += [('path', limb(spine, widths)), ('ellipse', 22, 0, 6.2, 4.8)]
    out.append(solid(pieces, colour, INK, 0.9))
    if eye:
        for side in (-1, 1):
            out.append(circle(21, side * 2.8, 1.3, eye, None, 0))
        # spots down the back
        for sx, sy in ((6, -1.6), (-2, 1.8), (-9, -1.2), (-17, 1.2)):
            out.append(circle(sx, sy, 1.3, darker(colour, 0.45), None, 0))
    return group(out, 'translate(%s %s) rotate(%s) scale(%s)' % (n(x), n(y), n(angle), n(s)))


def salamanders(p):
    """Salamanders worked into a robe: small black lizards at different turns."""
    items = []
    for a, b, r, fl in [(-0.35, 2.2, -60, False), (0.32, 2.85, 200, True), (-0.25, 3.55, -20, True)]:
        x, y = p.U(a, b)
        items.append(salamander(x, y, p.u * 0.0085, r, '#2b1d14', flip=fl))
    return ''.join(items)


@card(BASTOS + 11)
def caballo_de_bastos(c):
    out = [sky(c, 'gold', 300)]
    out.append(sun(c, -215, -370, 34, rays=12))
    # the pyramids low on the far horizon
    for x, h, w in [(-235, 60, 56), (-160, 42, 40), (225, 66, 60)]:
        out.append(path(poly([(x - w, 300), (x, 300 - h), (x + w, 300)]), '#d9b26a', INK, 2.4))
        out.append(path(poly([(x, 300 - h), (x + w, 300), (x + w * 0.4, 300)]), '#c29a55', INK, 1.6))
    out.append(ground(c, 296, '#e8c88a', '#d0aa68', curve=8))
    # the horse rears up across the field, forelegs high, its hind hooves on the sand
    out.append(shadow(30, 422, 140))
    hb, hp = horse(-66, 418, 3.3, -1, 'rear', '#c8743a', '#5a3018', '#d8b04a')
    out.append(hb)
    sx, sy = hp['saddle']
    rb, r = rider(sx, sy, 400, -1, profile=True, body='three', mood='effort', cloth='#f0c64a', sleeves='#aab3c2', legs='#aab3c2', shoes='#6b7586',
                  hat='helmet', hat_colour='#aab3c2', hands=((-0.9, 0.8), (0.75, -1.5)), pattern=salamanders,
                  cape='#d7572f', grips=('fist', 'fist'), holds=(None, (30, -330)))
    out.append(rb)
    plume = 'M%s,%s q-10,-40 30,-60 q-10,30 20,40 q-30,0 -50,20 Z' % (n(r.head[0] + 6), n(r.head[1] - 0.6 * r.u))
    out.append(path(plume, '#e0552f'))
    hx, hy = r.hands[1]
    out.append(wand((hx - 14, hy + 150), (hx + 18, hy - 200), 18, 4))
    out.append(r.hand(1, 'fist'))
    out.append(line(r.hands[0], hp['muzzle'], '#5a3018', 2.4))
    out.append(hand_over(r, 0))  # the reins in his fist
    return out


def sefirot(cx, top, dx, dy):
    """The ten points of the tree of life: three pillars, the middle one holding four."""
    return [(cx, top), (cx - dx, top + dy * 0.5), (cx + dx, top + dy * 0.5), (cx - dx, top + dy * 1.5),
            (cx + dx, top + dy * 1.5), (cx, top + dy * 2), (cx - dx, top + dy * 2.5), (cx + dx, top + dy * 2.5),
            (cx, top + dy * 3), (cx, top + dy * 4)]


@card(OROS + 9)
def diez_de_oros(c):
    out = [sky(c, 'day', 80)]
    out.append(castle(80, 90, 230, 170, '#d7cfbf', '#a0463c'))
    out.append(house(-130, 90, 90, 70))
    out.append(ground(c, 80, '#a9a28e', '#8a836e'))
    # the archway: a pillar and a round arch across the scene
    out.append(path('M-300,-470 L300,-470 L300,470 L200,470 L200,-120 A120,150 0 0 0 -200,-120 L-200,470 L-300,470 Z',
                    '#c9bda4'))
    for y in range(-455, 470, 70):
        out.append(line((200, y), (300, y), darker('#c9bda4', 0.25), 2))
        out.append(line((-300, y), (-200, y), darker('#c9bda4', 0.25), 2))
    # the family under the arch
    m, mp = person(60, 330, 420, face='right', profile=True, body='three', mood='calm', dress='tunic', cloth='#b53a3a', legs='#3a4a8a', hair='#4a2e1e',
                   hands=((-0.4, 2.6), (0.6, 2.4)), cape='#d8a84a')
    w, wp = person(160, 340, 390, face='left', profile=True, body='three', mood='calm', dress='gown', cloth='#3f6db0', hair='#b5773a', hairstyle='long',
                   hands=((-0.9, 0.8), (0.4, 2.4)))
    ch, chp = person(218, 380, 210, child=True, face='left', profile=True, body='three', mood='calm', dress='tunic', cloth='#e8c95a', legs='#7a5a3a', hair='#b5773a',
                     hands=((-0.4, 2.3), (0.3, 2.4)))
    out += [w, m, ch]
    # the old man, seated, stroking a greyhound
    o, op = person(-200, 420, 380, pose='sit', face='right', profile=True, body='three', mood='calm', cloth='#5a4a8a', cape='#c8843c', beard='#f2efe6',
                   hair='#f2efe6', hairstyle='short', hands=((0.5, 2.3), (1.6, 1.8)), pattern=grapes)
    out.append(rect(-270, 300, 140, 120, '#9a8a70'))
    out.append(o)
    out.append(dog(-20, 430, 2.6, -1, '#e9e4d8'))
    out.append(dog(-60, 445, 2.3, -1, '#d8cfc0', 'sit'))
    for x, y in sefirot(0, -395, 150, 85):
        out.append(coin(x, y, 34))
    return out


def grapes(p):
    items = []
    for a, b in [(-0.5, 2.3), (0.4, 2.6), (-0.3, 3.4), (0.6, 4.6), (-0.7, 5.2)]:
        x, y = p.U(a, b)
        for dx, dy in [(-4, 0), (4, 0), (0, 6), (-8, -6), (0, -6), (8, -6)]:
            items.append(circle(x + dx * p.u / 50, y + dy * p.u / 50, p.u * 0.09, '#7a3a8a', INK, 1))
    return ''.join(items)



def butterfly(x, y, s, colour='#8ab0e0'):
    return group([ellipse(-8, -6, 9, 7, colour, INK, 1.4, -30), ellipse(8, -6, 9, 7, colour, INK, 1.4, 30),
                  ellipse(-6, 6, 6, 5, colour, INK, 1.4, 20), ellipse(6, 6, 6, 5, colour, INK, 1.4, -20),
                  line((0, -10), (0, 10), INK, 2)], 'translate(%s %s) scale(%s)' % (n(x), n(y), n(s)))


def inside(a, b, half_width):
    """The stretch a-b shortened at either end so that it stays within ±half_width across."""
    def pull(p, q):
        if abs(p[0]) <= half_width:
            return p
        edge = math.copysign(half_width, p[0])
        t = (edge - q[0]) / (p[0] - q[0])
        return q[0] + (p[0] - q[0]) * t, q[1] + (p[1] - q[1]) * t
    return pull(a, b), pull(b, a)


def hand_over(p, i):
    """Fist i drawn again over the thing it holds (a staff, a hilt, a stem, the reins): the figure
    was drawn with that hand closed (`grips`), so the held thing passes under the curled fingers."""
    return p.hand(i, 'fist')


def coin_in_hand(p, i, r, **kw):
    """A coin held up by its rim in hand i, the thumb over its edge; returns the drawing and the
    coin's centre."""
    centre = p.disc_at(i, r)
    return p.holding_disc(i, centre, r, coin(*centre, r, **kw)), centre


def rim_points(centre, r, below=0.35):
    """Where two hands hold a coin of radius r by its rim on either side, a little below its
    middle (viewer's left first)."""
    cx, cy = centre
    a = math.asin(below)
    return [(cx + side * 0.8 * r * math.cos(a), cy + 0.8 * r * below) for side in (-1, 1)]


def coin_in_hands(p, centre, r, **kw):
    """A coin held by its rim in both hands, the fingers behind it and both thumbs over its edge."""
    second = p.holding_disc(1, centre, r, '')
    # the second hand is already drawn with the body, behind the coin: only its thumb comes over
    thumb = second[len(p.hand(1, 'rest')):]
    return p.holding_disc(0, centre, r, coin(*centre, r, **kw)) + thumb


def mix_light(colour, t=0.18):
    """`colour` lightened towards white by t."""
    a = [int(colour[k:k + 2], 16) for k in (1, 3, 5)]
    return '#%02x%02x%02x' % tuple(round(v + (255 - v) * t) for v in a)


def upright_sword(p, i, length, width):
    """A sword held point up in hand i, the fist closed over its grip."""
    x, y = p.hands[i]
    return sword((x, y + 30), (x, y - length), width) + hand_over(p, i)


def seated_court(c, sky_kind, horizon, ground_col, throne_col, cloth, cape, hat, hands, face='front', beard=None,
                 hair='#5a3a22', hairstyle='short', pattern=None, x=0, feet=380, h=500, throne_w=320, throne_h=560,
                 top='round', backdrop=None, ground_fn=None, grips=('rest', 'rest')):
    out = [sky(c, sky_kind, horizon)]
    if backdrop:
        out += backdrop
    out.append(ground_fn(c) if ground_fn else ground(c, horizon, ground_col, darker(ground_col, 0.15)))
    out.append(throne(x, feet, throne_w, throne_h, throne_col, GOLD, top))
    body, p = person(x, feet, h, pose='sit', face=face, dress='gown', cloth=cloth, cape=cape, hat=hat, beard=beard,
                     hair=hair, hairstyle=hairstyle, hands=hands, pattern=pattern, grips=grips)
    return out, body, p


# Bastos ------------------------------------------------------------------------------------------

def pyramids(y):
    out = []
    for x, h, w in [(-190, 120, 110), (-60, 80, 80), (200, 140, 120)]:
        out.append(path(poly([(x - w, y), (x, y - h), (x + w, y)]), '#d9b26a', INK, LINE))
        out.append(path(poly([(x, y - h), (x + w, y), (x + w * 0.4, y)]), '#c29a55', INK, 2))
    return ''.join(out)


@card(BASTOS + 10)
def sota_de_bastos(c):
    out = [sky(c, 'gold', 160), pyramids(170), ground(c, 160, '#e8c88a', '#d0aa68', 10)]
    body, p = person(-40, 400, 600, face='right', profile=True, body='three', mood='calm', dress='tunic', cloth='#f0c64a', legs='#c2453a', shoes='#8a5a2e',
                     hat='cap', hat_colour='#c2453a', pattern=salamanders, cape='#d7572f', hands=((1.85, 1.7), (0.5, 0.1)),
                     belt='#8a5a2e', grips=('fist', 'fist'))
    out.append(body)
    (lx, ly), (rx, ry) = p.hands
    # the staff runs through both fists
    dx, dy = rx - lx, ry - ly
    out.append(wand((lx - dx * 1.7, ly - dy * 1.7), (rx + dx * 1.3, ry + dy * 1.3), 18, 4))
    out += [hand_over(p, 0), hand_over(p, 1)]
    return out


@card(BASTOS + 12)
def reina_de_bastos(c):
    back = [mountains(120, '#c8a070', [(-200, 120, 140), (200, 150, 140)], None)]
    out, body, p = seated_court(c, 'gold', 120, '#d8b070', '#a9a6a4', '#f0c64a', '#d7572f', 'crown',
                                ((-1.0, 1.0), (0.5, 1.2)), hair='#c28a3a', hairstyle='long', backdrop=back, grips=('fist', 'fist'))
    for x in (-130, 130):
        out.append(lion_head(x, -120, 34))
    out.append(sunflower(0, -190, 36))
    out.append(body)
    (lx, ly), (rx, ry) = p.hands
    out.append(wand((lx, ly + 110), (lx - 10, ly - 210), 16, 3))
    out.append(hand_over(p, 0))
    out.append(line((rx, ry), (rx + 20, ry - 50), '#3e7a3a', 4))
    out.append(sunflower(rx + 22, ry - 64, 26))
    out.append(hand_over(p, 1))
    out.append(cat(0, 440, 2.4, 1))
    return out


@card(BASTOS + 13)
def rey_de_bastos(c):
    back = [pyramids(140)]
    out, body, p = seated_court(c, 'gold', 140, '#d8b070', '#9e9a9c', '#d7572f', '#f0c64a', 'crown',
                                ((-0.9, 1.5), (0.6, 0.6)), beard='#5a3a22', backdrop=back, pattern=salamanders, grips=('rest', 'fist'))
    # lions at the corners of the throne's back and a salamander carved between them
    for x in (-120, 120):
        out.append(lion_head(x, -150, 28))
    out.append(salamander(0, -150, 1.7, 0, '#3a2a1e', eye='#e9be4a'))
    out.append(body)
    rx, ry = p.hands[1]
    out.append(wand((rx, ry + 120), (rx + 6, ry - 230), 18, 4))
    out.append(hand_over(p, 1))
    # a live salamander on the ground at his feet
    out.append(shadow(-192, 424, 44, 7))
    out.append(salamander(-190, 420, 1.35, -12, '#d0552c', eye=INK))
    return out


# Copas -------------------------------------------------------------------------------------------

@card(COPAS + 10)
def sota_de_copas(c):
    out = [sky(c, 'day', 120), wave_sea(c, 120, '#5a8ad0', '#2f5f9e', 16), ground(c, 330, '#d8c89a', '#c8b47a')]

    def flowered(q):
        return ''.join(rose(*q.U(a, b), 0.2 * q.u, '#f2efe6') for a, b in
                       [(-0.5, 2.2), (0.4, 2.6), (-0.3, 3.3), (0.5, 4.0), (-0.5, 4.4), (0.1, 4.7)])

    body, p = person(-30, 420, 600, hairstyle='curly', face='right', body='three', mood='joy', dress='tunic', cloth='#6fb2e8', legs='#d8473a', shoes='#8a5a2e',
                     hat='turban', hat_colour='#4a6fb5', pattern=flowered, cape='#d8473a', hands=((0.9, 1.4), (1.6, 0.6)), grips=('rest', 'fist'))
    out.append(body)
    (lx, ly), (rx, ry) = p.hands
    drawn, (mx, my) = held_cup((rx, ry), 130)
    out.append(drawn)
    out.append(fish(mx + 10, my + 20, 2.2, -60, '#6fb0d8'))
    out += [hand_over(p, 1)]
    return out


@card(COPAS + 11)
def caballo_de_copas(c):
    out = [sky(c, 'day', 120), cloud(-150, -340, 210), cloud(170, -250, 150),
           mountains(110, '#8a9ac0', [(-200, 190, 130), (40, 140, 110), (230, 120, 90)]),
           hills(120, '#7fae5a', (50, 70, 40)), ground(c, 150, '#8ab85a', '#6a9a44')]
    # the river he rides towards, winding down from the hills to his right
    river = c.linear([(0, '#a8d0f0'), (1, '#4f8fd0')], 0, 150, 0, 470, 'userSpaceOnUse')
    out.append(path('M200,150 Q150,260 215,360 Q250,420 230,470 L300,470 L300,380 Q250,300 232,150 Z', river, INK, 2))
    for y, x0, w in ((220, 190, 18), (300, 205, 26), (400, 245, 30)):
        out.append(line((x0, y), (x0 + w, y), '#e8f4fc', 2))
    # a tall white horse at a walk, the knight astride in proportion to it
    hb, hp = horse(-56, 440, 2.95, 1, 'walk', '#f4f2ec', '#d9d4c8', cloth='#4a6fb5')
    out.append(hb)
    sx, sy = hp['saddle']
    rb, r = rider(sx, sy, 440, 1, profile=True, body='three', mood='calm', cloth='#4a6fb5', sleeves='#9aa3b2', legs='#9aa3b2', hat='helmet',
                  pattern=lambda q: ''.join(fish(*q.U(a, b), 0.6, 0, '#d8473a') for a, b in [(-0.3, 2.4), (0.3, 3.2)]),
                  hands=((0.9, 1.2), (1.9, 0.4)), grips=('fist', 'fist'))
    out.append(rb)
    hx, hy = r.head
    out.append(wings(hx, hy - 0.52 * r.u, 0.56 * r.u, '#f2efe6', '#9aa3b2'))
    rx, ry = r.hands[1]
    out.append(held_cup((rx, ry), 110)[0])
    out.append(hand_over(r, 1))
    out.append(line(r.hands[0], hp['muzzle'], '#6b3f2a', 2.4))
    out.append(hand_over(r, 0))  # the reins in his fist
    return out


@card(COPAS + 12)
def reina_de_copas(c):
    out = [sky(c, 'day', 150), wave_sea(c, 150, '#5a8ad0', '#2f5f9e', 10)]
    out.append(path('M-300,300 Q-100,280 60,300 Q200,320 300,300 L300,470 L-300,470 Z', '#d8c89a', INK, LINE))
    for x in range(-260, 300, 70):
        out.append(ellipse(x, 330 + (x % 3) * 10, 14, 8, '#a8a49a', INK, 2))
    out.append(throne(-30, 360, 300, 540, '#d8d2c4', GOLD, 'round'))
    for x in (-120, 60):
        out.append(person(x, -120, 80, pose='bust', face='front', mood='calm', cloth='#d8d2c4', hair='#e0b040')[0])
    out.append(path('M-60,-190 q30,-50 60,0 q-30,30 -60,0 Z', '#f2c0d0', INK, 2))
    body, p = person(-30, 360, 500, pose='sit', face='right', profile=True, body='three', mood='calm', dress='gown', cloth='#f2efe6', cape='#6fb2e8', hat='crown',
                     hair='#c28a3a', hairstyle='long', hands=((1.9, 1.6), (0.9, 1.1)), grips=('rest', 'fist'))
    out.append(body)
    # the covered cup held by its stem, the other hand steadying its foot
    drawn, (cx, top) = held_cup(p.hands[1], 150)
    out.append(drawn)
    out.append(path('M%s,%s q%s,-%s %s,0 Z' % (n(cx - 28), n(top), n(28), n(50), n(56)), GOLD, INK, 2))
    out.append(circle(cx, top - 40, 8, GOLD, INK, 2))
    for dx in (-44, 44):
        out.append(wings(cx + dx * 0.6, top + 70, 16, GOLD, GOLD_DARK, up=False))
    out.append(hand_over(p, 1))
    return out


@card(COPAS + 13)
def rey_de_copas(c):
    out = [sky(c, 'grey', 80), wave_sea(c, 80, '#4f7fbf', '#22477e', 26)]
    # the ship on one side, the leaping fish on the other
    out.append(path('M150,60 L270,60 L250,95 L170,95 Z', '#8a5a2e', INK, 2))
    out.append(line((210, 60), (210, -40), INK, 3))
    out.append(path('M212,-36 L212,50 L260,50 Z', '#f2efe6', INK, 2))
    out.append(fish(-220, 30, 2.4, -50, '#d8784a'))
    out.append(rect(-150, 230, 300, 200, '#b9b3a8'))
    out.append(throne(0, 350, 300, 560, '#b9b3a8', GOLD, 'square'))
    body, p = person(0, 350, 500, pose='sit', face='front', mood='calm', dress='gown', cloth='#4a6fb5', cape='#e0b040', hat='crown',
                     beard='#8a5a2a', hair='#8a5a2a', hands=((-0.6, 1.9), (0.9, 1.2)), grips=('fist', 'fist'))
    out.append(body)
    (lx, ly), (rx, ry) = p.hands
    out.append(held_cup((lx, ly), 90)[0])
    out.append(hand_over(p, 0))
    out.append(line((rx, ry + 70), (rx, ry - 150), GOLD, 8))
    out.append(circle(rx, ry - 160, 14, GOLD))
    out.append(hand_over(p, 1))
    out.append(fish(p.chest[0], p.chest[1], 0.9, -90, GOLD))
    return out


# Espadas -----------------------------------------------------------------------------------------

CLOUD_SETS = (
    ((-190, -340, 200), (150, -280, 240), (-40, -180, 180)),
    ((-170, -300, 260), (170, -390, 180), (80, -170, 150), (-230, -150, 120)),
    ((-80, -380, 230), (200, -250, 160), (-220, -230, 180)),
    ((-200, -370, 170), (110, -330, 220), (235, -170, 130), (-60, -200, 130)),
)


def windy_sky(c, kind='day'):
    """Clouds driven by the wind, laid out differently on each card, and the gusts between them."""
    out = [sky(c, kind, 200)]
    k = c.number % len(CLOUD_SETS)
    for x, y, w in CLOUD_SETS[k]:
        out.append(cloud(x, y, w, '#e4e8f0'))
    for i, y in enumerate((-240, -110)):
        x = -270 + ((k + i) * 70) % 160
        out.append(path('M%s,%s q60,-20 120,0 t120,0' % (n(x), n(y)), 'none', '#f4f6fa', 4))
    return out


def wind_tree(x, y, h, lean, crown='#5a8a48'):
    """A slender tree bent by the wind, its crown streaming out to the side it leans."""
    trunk = 'M%s,%s Q%s,%s %s,%s' % (n(x), n(y), n(x - lean * 0.1), n(y - h * 0.5), n(x + lean * 0.6), n(y - h * 0.8))
    out = [solid([('stroke', trunk, max(4, h * 0.05))], '#6a5a4a', INK, 1.8)]
    out.append(solid([('ellipse', x + lean * 0.75, y - h * 0.86, h * 0.26, h * 0.14, math.degrees(math.atan2(-h * 0.2, lean)) * 0.3),
                      ('ellipse', x + lean * 1.0, y - h * 0.78, h * 0.16, h * 0.09, 10)], crown, INK, 1.8))
    return ''.join(out)


@card(ESPADAS + 10)
def sota_de_espadas(c):
    out = windy_sky(c)
    out.append(hills(200, '#7fae5a', (80, 40, 60)))
    for x, y in [(-200, -60), (-150, -90), (180, -120)]:
        out.append(bird(x, y, 0.6, 1, '#2b1d14'))
    out.append(ground(c, 260, '#8ab85a', '#6a9a44', 60))
    body, p = person(0, 420, 600, face='left', profile=True, body='three', mood='focus', dress='tunic', cloth='#9a7ad0', legs='#d8473a', shoes='#8a5a2e',
                     hair='#8a5a2a', hands=((-0.2, 1.4), (0.7, -1.0)), belt='#e0b040', cape='#d8473a', grips=('rest', 'fist'))
    out.append(body)
    rx, ry = p.hands[1]
    out.append(sword((rx - 6, ry + 30), (rx + 60, ry - 290), 16))
    out.append(hand_over(p, 1))
    return out


def torn_cloud(x, y, w, colour='#d8dce6'):
    """A cloud torn by a gale blowing to the right: a ragged head upwind and long tatters
    streaming off it downwind."""
    h = w * 0.2
    top = [(-0.5, 0.1), (-0.44, -0.55), (-0.3, -0.9), (-0.14, -0.7), (0.02, -0.95), (0.2, -0.5), (0.42, -0.42),
           (0.62, -0.2), (0.5, 0.0), (0.78, 0.08), (0.58, 0.3), (0.9, 0.45), (0.52, 0.55), (0.66, 0.8), (0.3, 0.62),
           (0.0, 0.7), (-0.3, 0.55), (-0.46, 0.4)]
    shape = curve_through([(x + a * w, y + b * h) for a, b in top], closed=True)
    out = [path(shape, colour, INK, 2.0)]
    # the streaks the wind draws out of it
    for a0, b0, a1, b1 in ((-0.2, -0.2, 0.4, -0.05), (-0.1, 0.25, 0.55, 0.35)):
        out.append(path('M%s,%s Q%s,%s %s,%s' % (n(x + a0 * w), n(y + b0 * h), n(x + (a0 + a1) / 2 * w), n(y + (b0 + b1) / 2 * h - 4),
                                                  n(x + a1 * w), n(y + b1 * h)), 'none', darker(colour, 0.15), 1.6))
    return ''.join(out)


def streaming_tail(c, drawn, x, y, s, direction, colour):
    """A galloping horse (see `horse`) with its hanging tail cut away, above and below the
    stretched near hind leg, and drawn again streaming straight out behind."""
    def at(px, py):
        return x + px * s * direction, y - 68 * s + py * s
    above = [(-47, -18), (-52.5, -2), (-52, 5.5), (-51.2, 9.2), (-59.3, 18.9), (-65.3, 24.7), (-71.8, 27.9),
             (-75.5, 29.2), (-110, 36), (-110, -18)]
    below = [(-52, 31), (-54, 37), (-59.5, 46), (-59.5, 59), (-110, 59), (-110, 42), (-80, 41.2), (-68.2, 40.2),
             (-59.6, 33.4)]
    if direction < 0:
        above, below = above[::-1], below[::-1]
    keep = 'M-400,-600 L-400,600 L400,600 L400,-600 Z ' + poly([at(*q) for q in above]) + ' ' + poly([at(*q) for q in below])
    t = 'translate(%s %s) scale(%s %s)' % (n(x), n(y - 68 * s), n(s * direction), n(s))
    tail = curve_through([(-45, -12), (-62, -17), (-80, -16), (-98, -10), (-90, -6), (-102, -1), (-84, 0), (-92, 5),
                          (-72, 3), (-56, 2), (-46, 0)], closed=True)
    hair = [path(tail, colour, INK, 1.8)]
    for d in ('M-52,-8 Q-70,-11 -88,-8', 'M-56,-3 Q-72,-3 -86,1'):
        hair.append(path(d, 'none', darker(colour, 0.2), 1))
    return group([drawn], extra='clip-path="%s"' % c.clip(keep)) + group(hair, t)


def tossed_bird(x, y, s, angle):
    """A small dark bird seen far off, its wings up, tumbling in the wind."""
    d = 'M-12,2 Q-7,-7 0,1 Q7,-7 12,2 Q7,-3 0,4 Q-7,-3 -12,2 Z'
    return group([path(d, '#2a2630', INK, 1)], 'translate(%s %s) rotate(%s) scale(%s)' % (n(x), n(y), n(angle), n(s)))


@card(ESPADAS + 11)
def caballo_de_espadas(c):
    # a plain under a gale from the left: the clouds torn into streamers, the trees bowed and
    # the birds scattered before it
    out = [sky(c, 'storm', 200)]
    for x, y, w in ((-150, -400, 300), (140, -330, 260), (-60, -230, 220), (190, -170, 160)):
        out.append(torn_cloud(x, y, w))
    for x, y in ((-270, -300), (-250, -130), (-80, -330), (0, -110)):
        out.append(path('M%s,%s q60,-16 120,0 t130,-4' % (n(x), n(y)), 'none', '#e6e9f0', 3))
    for x, y, s_, a in ((-220, -200, 1.2, 20), (-170, -250, 0.9, -15), (60, -260, 1.1, 35), (110, -210, 0.8, -30),
                        (240, -280, 1.0, 10), (20, -380, 0.8, 50), (250, -80, 0.9, -20)):
        out.append(tossed_bird(x, y, s_, a))
    out.append(hills(170, '#8a9a7a', (30, 60, 40)))
    out.append(ground(c, 160, '#9ab08a', '#6f8a5e', 30))
    for x, h in ((-250, 170), (-190, 130), (200, 190), (258, 140)):
        out.append(wind_tree(x, 165, h, 70))
    # the horse at full stretch
    hx, hy, hs = 10, 420, 2.6
    hb, hp = horse(hx, hy, hs, -1, 'gallop', '#f4f2ec', '#d9d4c8', cloth='#7a5bb0')
    out.append(streaming_tail(c, hb, hx, hy, hs, -1, '#d9d4c8'))
    sx, sy = hp['saddle']
    # the rider leans into the charge, the sword raised high above his head
    rb, r = rider(sx, sy, 320, -1, profile=True, body='three', mood='effort', cloth='#7a5bb0', sleeves='#9aa3b2', legs='#9aa3b2',
                  hat='helmet', cape='#c2453a', bow=0.45, hands=((-0.5, -2.3), (-1.0, 1.0)), grips=('fist', 'fist'))
    out.append(rb)
    plume = 'M%s,%s q24,-24 66,-18 q-24,14 -58,38 Z' % (n(r.head[0]), n(r.head[1] - 0.6 * r.u))
    out.append(path(plume, '#c2453a'))
    lx, ly = r.hands[0]
    out.append(sword((lx + 16, ly + 26), (lx - 120, ly - 220), 16))
    out.append(hand_over(r, 0))
    out.append(line(r.hands[1], hp['muzzle'], '#6b3f2a', 2.4))
    out.append(hand_over(r, 1))  # the reins in his fist
    return out


@card(ESPADAS + 12)
def reina_de_espadas(c):
    out = windy_sky(c)
    out.append(hills(260, '#8aa0b8', (20, 40, 25)))
    out.append(cloud(150, 210, 260, '#e4e8f0'))
    out.append(ground(c, 260, '#8ab85a', '#6a9a44', 20))
    out.append(throne(-60, 400, 260, 560, '#b9b3a8', GOLD, 'round'))
    for x, y in [(-20, -110), (-100, -60), (-60, -160)]:
        out.append(butterfly(x, y, 1.6))
    # side on, turned to the right: the sword upright in her right hand, her forearm laid
    # forward over her lap; her left hand raised open beyond it as if to bid someone come
    x, feet, h = -60, 400, 500
    u = h / 7.5
    top = feet - 6.25 * u
    body, p = person(x, feet, h, pose='sit', face='right', profile=True, body='side', mood='stern', dress='gown',
                     cloth='#d8d2e8', cape='#6fb2e8', hat='crown', hair='#5a3a22', hairstyle='long',
                     reach=((x + 1.3 * u, top + 3.15 * u), (x + 2.0 * u, top + 0.95 * u)),
                     elbows=((x + 0.25 * u, top + 3.05 * u), (x + 1.35 * u, top + 2.25 * u)),
                     grips=('fist', 'open'), holds=((0, -1), None))
    out.append(body)
    out.append(upright_sword(p, 0, 300, 16))
    return out


@card(ESPADAS + 13)
def rey_de_espadas(c):
    out = windy_sky(c)
    out.append(ground(c, 260, '#8ab85a', '#6a9a44', 20))
    for x, h in ((-235, 170), (-195, 130), (225, 190), (262, 140)):
        out.append(path('M%s,265 Q%s,%s %s,%s Q%s,%s %s,265 Z' % (n(x - 18), n(x - 22), n(265 - h * 0.6), n(x), n(265 - h),
                                                                 n(x + 22), n(265 - h * 0.6), n(x + 18)), '#3f6a44', INK, 2))
        out.append(path('M%s,260 Q%s,%s %s,%s' % (n(x + 6), n(x + 14), n(265 - h * 0.55), n(x + 2), n(265 - h * 0.9)),
                        'none', darker('#3f6a44', 0.3), 2))
    out.append(throne(0, 400, 320, 600, '#b9b3a8', GOLD, 'square'))
    for x, y in [(-100, -150), (100, -150)]:
        out.append(butterfly(x, y, 1.8))
    for x in (-40, 40):
        out.append(moon(x, -190, 20, 0.6, '#f5efc8', False))
    body, p = person(0, 400, 520, pose='sit', face='front', mood='stern', dress='gown', cloth='#4a6fb5', cape='#7a5bb0', hat='crown',
                     beard='#5a3a22', hands=((-0.6, 2.0), (0.8, 0.7)), grips=('rest', 'fist'))
    out.append(body)
    out.append(upright_sword(p, 1, 270, 18))
    return out


# Oros --------------------------------------------------------------------------------------------

@card(OROS + 10)
def sota_de_oros(c):
    horizon = 40
    out = [sky(c, 'day', horizon), cloud(-150, -360, 200), cloud(170, -300, 160),
           mountains(horizon, '#8ea0c0', [(190, 90, 120)], None),
           hills(horizon, '#8fb468', (14, 22, 12), ridge=False), ground(c, horizon, '#9ac868', '#7aa84a')]
    # the ploughed field on the right, its furrows running back to the horizon
    field = [(-10, horizon + 5), (300, horizon + 5), (300, 236), (70, 236)]
    soil = c.linear([(0, '#b08a5a'), (1, '#8a6238')], 0, horizon, 0, 236, 'userSpaceOnUse')
    out.append(path(poly(field), soil, INK, 2))
    furrows = []
    vx, vy = 120, horizon - 24
    for k in range(-6, 14):
        bx = 70 + k * 34
        t = (horizon + 5 - vy) / (236.0 - vy)
        top = (vx + (bx - vx) * t, horizon + 5)
        furrows.append(line(top, (bx, 236), '#5a3e24', 1.2 + 1.6 * min(1, abs(bx - vx) / 200.0)))
        furrows.append(line((top[0] - 1, horizon + 5), (bx - 9, 236), '#d2ae78', 1.4, 'stroke-opacity="0.7"'))
    out.append(group(furrows, extra='clip-path="%s"' % c.clip(poly(field))))
    out.append(path(poly(field), 'none', INK, 2))
    # the grove on the left
    for x, y, h, col in ((-275, 60, 180, '#3f7a3c'), (-215, 50, 160, '#4f8a45'), (-245, 110, 190, '#4f8a45'),
                         (-160, 70, 140, '#3f7a3c')):
        out.append(tree(x, y, h, col))
    for y in range(300, 460, 55):
        out.append(flowers(list(range(-270 + (y % 3) * 20, 280, 80)), y, seed=y))
    # he lifts the coin in both hands before his face and gazes at it: the hands on its rim, the
    # far one low on the left, the near one under it, each forearm pointing in at the middle so
    # the fingers lie behind the coin
    centre, r = (150, -108), 56
    grip = [(centre[0] + 0.8 * r * math.cos(math.radians(a)), centre[1] + 0.8 * r * math.sin(math.radians(a)))
            for a in (150, 80)]
    body, p = person(-30, 440, 600, face='right', profile=True, body='three', gaze=(1, -0.35), mood='focus', dress='tunic',
                     cloth='#4e8a44', legs='#a86a38', shoes='#6b4a30', hat='beret', hat_colour='#c2453a', cape='#e0b040',
                     reach=grip, elbows=((33, 4), (113, 42)))
    out.append(body)
    out.append(coin_in_hands(p, centre, r))
    return out


@card(OROS + 11)
def caballo_de_oros(c):
    # the ploughed field runs back to a low horizon, a hedge along it and trees beyond
    horizon = -120
    out = [sky(c, 'gold', horizon), hills(horizon, '#9aa87a', (10, 18, 8, 14), ridge=False)]
    for x, h in ((-250, 70), (-205, 52), (-90, 46), (150, 64), (205, 80), (262, 58)):
        out.append(tree(x, horizon + 2, h, '#4f7a3c'))
    out.append(ground(c, horizon, '#a07a4c', '#6a4a2e', scatter=False))
    hedge = 'M-300,%s' % n(horizon + 8)
    for k in range(25):
        x = -300 + k * 25
        hedge += ' Q%s,%s %s,%s' % (n(x + 12.5), n(horizon - 16 - (k * 7) % 9), n(x + 25), n(horizon - 2))
    hedge += ' L300,%s Z' % n(horizon + 8)
    out.append(path(hedge, '#3f6234', INK, 1.8))
    # the furrows run towards a point on the horizon, each ridge catching the light on its left
    vx, vy, near = 100, horizon - 40, horizon + 10
    for k in range(-14, 13):
        bx = vx + k * 90
        t = (near - vy) / (480.0 - vy)
        top = (vx + (bx - vx) * t, near)
        w = min(1, abs(k) / 6.0 + 0.25)
        out.append(line(top, (bx, 480), '#5a3e24', 1 + 2.4 * w))
        out.append(line((top[0] - 1, near), (bx - 20, 480), '#c8a26c', 1 + 1.6 * w, 'stroke-opacity="0.7"'))
    # a heavy dark horse standing square and still, the knight astride in proportion to it
    hb, hp = horse(-36, 440, 3.0, 1, 'stand', '#2e2a2e', '#16141a', cloth='#c2453a')
    out.append(hb)
    sx, sy = hp['saddle']
    # turned with his head towards the coin he holds up before him, the reins in his other fist
    rb, r = rider(sx, sy, 480, 1, profile=True, body='three', mood='focus', gaze=(1, -0.6), cloth='#c2453a',
                  sleeves='#9aa3b2', legs='#9aa3b2', hat='helmet', hands=((1.2, 2.0), (1.35, -1.25)), grips=('fist', 'rest'))
    out.append(rb)
    hx, hy = r.head
    out.append(path('M%s,%s q-20,-30 0,-50 q20,20 0,50 Z' % (n(hx), n(hy - 0.5 * r.u)), LEAF, INK, 2))
    out.append(coin_in_hand(r, 1, 42)[0])
    return out


@card(OROS + 13)
def rey_de_oros(c):
    out = [sky(c, 'gold', 100), castle(185, 100, 190, 170, '#d7cfbf', '#a0463c'), ground(c, 100, '#7fae5a', '#5a8d42')]
    # a wall behind the throne and the vines of his garden running over it
    out.append(rect(-300, 20, 600, 80, '#c9bda4', INK, 2.2))
    out.append(rect(-300, 20, 600, 12, '#ddd2bc', INK, 2.2))
    # a throne of pale carved stone, bulls' heads on its crest and on its arms, so it stands
    # out behind the dark-robed king
    stone = '#e2d2a4'
    out.append(throne(0, 400, 360, 610, stone, GOLD_DARK, 'square'))
    out.append(rect(-130, -160, 260, 330, darker(stone, 0.1), darker(stone, 0.35), 2, r=10))
    out.append(rect(150, -210, 30, 610, darker(stone, 0.14), None, 0))
    for x in (-135, 135):
        out.append(bull_head(x, -165, 42, '#b07a3e'))
    for x in (-182, 182):
        out.append(bull_head(x, 138, 26, '#b07a3e'))
    # vines with leaves and grapes over the wall and at his feet
    for x0, y0, d in ((-300, -120, 1), (300, -80, -1)):
        out.append(path('M%s,%s q%s,60 %s,140 q%s,40 %s,100' % (n(x0), n(y0), n(d * 50), n(d * 40), n(d * 30), n(d * 20)),
                        'none', '#4e6a2a', 5))
        for k in range(4):
            lx, ly = x0 + d * (18 + k * 12), y0 + 40 + k * 55
            out.append(ellipse(lx, ly, 16, 9, LEAF, INK, 1.6, d * 30 + k * 20))
        out.append(grape_bunch(x0 + d * 45, y0 + 150, 1.5))
    for x in range(-270, 300, 60):
        out.append(grape_bunch(x, 430, 1.6))
    body, p = person(0, 400, 520, pose='sit', face='front', mood='calm', dress='gown', cloth='#2e2a3a', cape='#5a3a78', hat='crown',
                     beard='#3a2418', hair='#3a2418', hands=((-0.5, 2.0), (0.9, 0.9)), pattern=grapes, grips=('rest', 'fist'))
    out.append(body)
    rx, ry = p.hands[1]
    out.append(coin_in_hand(p, 0, 50)[0])
    out.append(line((rx, ry + 80), (rx, ry - 170), GOLD, 8))
    out.append(circle(rx, ry - 180, 16, GOLD))
    out.append(hand_over(p, 1))
    return out


def grape_bunch(x, y, s):
    items = [path('M0,-18 q6,-10 14,-12', 'none', '#3e7a3a', 2.4)]
    for dx, dy in [(-8, -8), (0, -8), (8, -8), (-4, 0), (4, 0), (0, 8)]:
        items.append(circle(dx, dy, 5, '#7a3a8a', INK, 1.2))
    return group(items, 'translate(%s %s) scale(%s)' % (n(x), n(y), n(s)))


# --- the pips: shared bits -------------------------------------------------------------------------

def hand_from_cloud(x, y, side=-1, grip_up=True, fist=True):
    """A cloud at (x, y) with a hand reaching out of it towards the middle; returns the
    drawing and the point the hand grips. With `fist` the fingers close round an upright
    shaft through that point, drawn before the hand: four fingers laid one above the other
    on the near side, the thumb folded over them."""
    hx = x - side * 70
    out = [solid([('stroke', 'M%s,%s L%s,%s' % (n(x), n(y + 10), n(hx + side * 14), n(y + 2)), 30)], '#f4f1e8', INK, 2)]
    out.append(cloud(x + side * 20, y + 20, 200, '#eef0f6'))
    if not fist:
        out.append(ellipse(hx, y, 24, 28, SKIN))
        out.append(path('M%s,%s q%s,-6 %s,4' % (n(hx - side * 10), n(y - 12), n(-side * 16), n(-side * 22)), 'none', INK, 2))
        return ''.join(out), (hx - side * 8, y)
    knuckle = darker(SKIN, 0.22)
    hand = []
    hand.append(rect(hx - 22 + side * 6, y - 30, 44, 58, SKIN, INK, 2.4, r=14))
    for k in range(4):
        fy = y - 20 + k * 13.5
        hand.append(ellipse(hx - side * 6, fy, 21 - k * 1.5, 7.5, SKIN, INK, 1.8))
        hand.append(path('M%s,%s q%s,%s %s,0' % (n(hx - side * 20), n(fy + 1), n(-side * 4), n(3), n(-side * 2)), 'none', knuckle, 1.4))
    hand.append(solid([('stroke', 'M%s,%s Q%s,%s %s,%s' % (n(hx + side * 14), n(y + 2), n(hx + side * 4), n(y - 26),
                                                         n(hx - side * 12), n(y - 24)), 11)], SKIN, INK, 1.8))
    out.append(group(hand, 'translate(%s %s) scale(1.3) translate(%s %s)' % (n(hx), n(y), n(-hx), n(-y))))
    return ''.join(out), (hx - side * 4, y)


def sea_ships(c, y, k=2):
    out = []
    for i in range(k):
        x = -150 + i * 200
        out.append(path('M%s,%s L%s,%s L%s,%s L%s,%s Z' % (n(x - 40), n(y), n(x + 40), n(y), n(x + 30), n(y + 22), n(x - 30), n(y + 22)),
                        '#8a5a2e', INK, 2))
        out.append(line((x, y), (x, y - 70), INK, 3))
        out.append(path('M%s,%s L%s,%s L%s,%s Z' % (n(x + 2), n(y - 66), n(x + 2), n(y - 8), n(x + 40), n(y - 8)), '#f2efe6', INK, 2))
    return ''.join(out)


def planted_wand(x, y, h, lean=0, leaves=3):
    return wand((x, y), (x + lean, y - h), 16, leaves)


# Bastos ------------------------------------------------------------------------------------------

@card(BASTOS)
def as_de_bastos(c):
    out = [sky(c, 'day', 150), mountains(150, '#8a9ac0', [(-180, 130, 120), (180, 160, 130)]),
           ground(c, 150, '#8ab85a', '#6a9a44')]
    # the castle on its rise to the right, clear of the wand, which ends in the air above the land
    out.append(castle(226, 260, 112, 100, '#d7cfbf', '#a0463c'))
    out.append(path('M-300,300 Q-60,280 40,340 Q120,400 300,380 L300,420 Q120,440 40,380 Q-60,320 -300,340 Z', '#6fb2e8', INK, 2))
    h, (gx, gy) = hand_from_cloud(200, -30, 1)
    out.append(wand((gx - 16, gy + 220), (gx + 10, gy - 320), 34, 6))
    out.append(h)
    for x, y in [(-60, -250), (40, -300), (-20, 100)]:
        out.append(ellipse(x, y, 16, 7, LEAF, INK, 1.5, 40))
    return out


@card(BASTOS + 1)
def dos_de_bastos(c):
    # from the castle's battlements: the sea far off, the land between, the parapet before him
    out = [sky(c, 'day', 20), cloud(150, -380, 170), wave_sea(c, 20, '#5a8ad0', '#2f5f9e', 6),
           hills(90, '#8ab85a', (30, 20, 40)), ground(c, 110, '#8ab85a', '#6a9a44', scatter=False)]
    out.append(house(-200, 150, 50, 36))
    out.append(tree(-130, 150, 60))
    out.append(house(210, 140, 40, 30))
    out.append(track(c, (-40, 112), 120, '#d8c89a', (6, 110)))
    body, p = person(-20, 330, 460, face='right', profile=True, body='three', mood='focus', cloth='#c2453a', cape='#8a5a2e', hat='brim',
                     hat_colour='#6b4a30', hair='#5a3a22', hands=((-1.0, 1.3), (1.2, 0.8)), shadow=False, grips=('fist', 'rest'))
    out.append(body)
    lx, ly = p.hands[0]
    out.append(planted_wand(lx, 330, 470, -6))
    out.append(hand_over(p, 0))
    # the globe held up in his other hand, its lands towards him
    gx, gy = p.disc_at(1, 30)
    globe = circle(gx, gy, 30, '#4f8fd0') + path('M%s,%s q15,-15 30,0 q-10,15 -30,0' % (n(gx - 14), n(gy - 6)), '#6a9a44',
                                                  INK, 1.6)
    out.append(p.holding_disc(1, (gx, gy), 30, globe))
    # the parapet he stands behind, lit from the left, the second staff fixed in a bracket on it
    wall = c.linear([(0, '#cdc6b8'), (1, '#9a9488')], -300, 0, 300, 0, 'userSpaceOnUse')
    d = 'M-300,470 L-300,250'
    for x in range(-300, 300, 60):
        d += ' L%s,250 L%s,222 L%s,222 L%s,250' % (n(x + 8), n(x + 8), n(x + 38), n(x + 38))
    d += ' L300,250 L300,470 Z'
    out.append(path(d, wall, INK, LINE))
    for k, y in enumerate(range(290, 470, 40)):
        out.append(line((-300, y), (300, y), '#8a8478', 1.4))
        for x in range(-300 + (k % 2) * 40, 300, 80):
            out.append(line((x, y - 40), (x, y), '#8a8478', 1.4))
    out.append(planted_wand(225, 440, 640, 0))
    out.append(rect(205, 262, 40, 16, '#5a5048', INK, 2))
    return out


@card(BASTOS + 2)
def tres_de_bastos(c):
    out = [sky(c, 'gold', -40), wave_sea(c, -40, '#e8b060', '#c8903a', 8)]
    out.append(mountains(-40, '#b48a5a', [(-240, 80, 110), (250, 60, 90)], snow=None))
    # his ships out at sea, to both sides of him and clear of him, where he watches them
    for x, y, k in ((-178, 90, 0.85), (95, 5, 0.55), (150, 150, 1.1)):
        out.append(group([sea_ships(c, 0, 1)], 'translate(%s %s) scale(%s)' % (n(x + 150 * k), n(y), n(k))))
    # the cliff he stands on, its face in shade towards us
    out.append(path('M-300,290 Q-120,255 60,270 Q200,280 300,262 L300,470 L-300,470 Z', '#a8845a', INK, LINE))
    out.append(path('M-300,330 Q-60,300 300,310 L300,470 L-300,470 Z', darker('#a8845a', 0.15), None, 0))
    out.append(planted_wand(-235, 450, 500, 6))
    out.append(planted_wand(235, 450, 500, -6))
    body, p = person(-40, 440, 500, face='away-right', cloth='#c2453a', cape='#3f7a3c', hair='#5a3a22', hands=((-0.2, 2.6), (0.7, 1.0)), grips=('rest', 'fist'))
    out.append(body)
    rx, ry = p.hands[1]
    out.append(planted_wand(rx, 450, 500, 0))
    out.append(hand_over(p, 1))
    return out

@card(BASTOS + 3)
def cuatro_de_bastos(c):
    out = [sky(c, 'gold', 150), castle(0, 150, 260, 200, '#d7cfbf', '#a0463c'), ground(c, 150, '#d8c07a', '#b8a05a'),
           track(c, (0, 152), 30, '#eadcae', (30, 230))]
    for x in (-160, 20, 140):
        out.append(person(x - 40, 240, 150, face='front', mood='joy', cloth=('#4a6fb5', '#c2453a', '#6a9a44')[(x // 60) % 3],
                          hands=((-0.8, -0.6), (0.8, -0.6)))[0])
    # the two women come out of the gate beyond the garlanded staves, bouquets raised high
    f1, p1 = person(-38, 330, 360, face='front', mood='joy', dress='gown', cloth='#7a5bb0', hair='#c28a3a', hairstyle='long',
                    hands=((-0.5, -1.0), (0.6, 1.6)), grips=('fist', 'rest'))
    f2, p2 = person(48, 330, 360, face='front', mood='joy', dress='gown', cloth='#c2453a', hair='#5a3a22', hairstyle='bun',
                    hands=((-0.6, 1.6), (0.5, -1.0)), grips=('rest', 'fist'))
    out += [f1, f2]
    for p, i in ((p1, 0), (p2, 1)):
        hx, hy = p.hands[i]
        out.append(flowers([hx - 10, hx, hx + 10], hy - 30, r=6, seed=i))
        out.append(hand_over(p, i))
    posts = (-252, -152, 152, 252)
    for x in posts:
        out.append(planted_wand(x, 450, 610, 0, 2))
    # the garland hung in swags from staff to staff, flowers strung along it
    d = 'M%s,-150' % n(posts[0])
    for x0, x1 in zip(posts, posts[1:]):
        d += ' Q%s,%s %s,-150' % (n((x0 + x1) / 2), n(-150 + 0.55 * (x1 - x0) * 0.5), n(x1))
    out.append(path(d, 'none', '#4e8a44', 16))
    k = 0
    for x0, x1 in zip(posts, posts[1:]):
        sag = 0.55 * (x1 - x0) * 0.5
        steps = max(3, int((x1 - x0) / 26))
        for j in range(1, steps):
            t = j / float(steps)
            x = x0 + (x1 - x0) * t
            y = -150 + 2 * t * (1 - t) * sag
            out.append(circle(x, y + 4, 8, ('#d8475a', '#f4d04a', '#f2efe6')[k % 3], INK, 1.2))
            k += 1
    return out


@card(BASTOS + 4)
def cinco_de_bastos(c):
    out = [sky(c, 'day', 200), hills(210, '#9cc27a', (30, 50, 30)), ground(c, 200, '#8ab85a', '#6a9a44', 30)]
    # five youths in a mock fight, every staff swung its own way: one raised overhead, one
    # thrust low, one upright, two clashing across the middle; no two meet at one point
    people = [(-165, 300, 380, '#7a5bb0', 'right', (-0.9, -0.5), (0.7, -0.9), 0.5, 1.3),
              (10, 255, 350, '#c2453a', 'left', (0.7, 2.8), (-0.5, 1.3), 0.4, 1.1),
              (172, 300, 380, '#e0b040', 'left', (-0.7, 1.9), (-0.95, 0.1), 0.6, 0.9),
              (-120, 445, 470, '#4a6fb5', 'right', (-0.4, 3.1), (1.0, 1.7), 0.5, 1.6),
              (130, 445, 470, '#6a9a44', 'left', (0.9, 2.3), (-0.6, 2.0), 0.3, 1.9)]
    for i, (x, y, h, col, face, h0, h1, back, ahead) in enumerate(people):
        u = h / 7.5
        top = y - h
        first = (x + h0[0] * u, top + h0[1] * u)
        second = (x + h1[0] * u, top + h1[1] * u)
        dx, dy = second[0] - first[0], second[1] - first[1]
        left_first = first[0] <= second[0]
        body, p = person(x, y, h, pose='walk', face=face, mood='effort' if i % 2 else 'stern', dress='tunic', cloth=col,
                         legs=darker(col, 0.4), hair=('#5a3a22', '#c28a3a', '#1e1a18')[i % 3],
                         reach=(first, second) if left_first else (second, first), grips=('fist', 'fist'))
        out.append(body)
        a = (first[0] - dx * back, first[1] - dy * back)
        b = (second[0] + dx * ahead, second[1] + dy * ahead)
        out.append(wand(*inside(a, b, 270), 12, 2))
        out += [p.hand(0, 'fist'), p.hand(1, 'fist')]
    return out

@card(BASTOS + 5)
def seis_de_bastos(c):
    out = [sky(c, 'day', 200), cloud(-170, -380, 170), cloud(170, -250, 130), hills(210, '#9cc27a', (30, 50, 30)),
           ground(c, 200, '#8ab85a', '#6a9a44')]

    def walker(x, y, h, col, face, hair, staff_x, lean=0.0, reach_up=8.4, **kw):
        """One of the crowd walking with the horse, cheering, a staff held upright in one fist at
        staff_x (the hand on that side of the figure), the other arm hanging."""
        u = h / 7.5
        i = 0 if staff_x < x else 1
        reach = [None, None]
        reach[i] = (staff_x, y - 4.55 * u)
        other = (x + (0.55 if i == 0 else -0.55) * u, y - 3.6 * u)
        reach[1 - i] = other
        body, q = person(x, y, h, pose='walk', face=face, profile=True, body='three', mood='joy', gaze=(1 if face == 'right' else -1, -0.4),
                         dress='tunic', cloth=col, hair=hair, reach=tuple(reach),
                         grips=tuple('fist' if k == i else 'rest' for k in (0, 1)),
                         holds=tuple((lean, -1) if k == i else None for k in (0, 1)), **kw)
        hx, hy = q.hands[i]
        return body + wand((hx - lean * 2.2 * u, hy + 2.2 * u), (hx + lean * reach_up * u, hy - reach_up * u), 13, 2) + \
            q.hand(i, 'fist')

    # the crowd walks on beside and behind the horse, so the horse passes before them and no
    # staff crosses it: three at its tail, and two behind it, their legs showing between its
    # legs, their staves raised over its back and beyond its neck
    out.append(walker(135, 396, 240, '#8a6a9a', 'right', '#3a2418', 168, 0.03, 9.0, main=False))  # his face behind its neck
    out.append(walker(-70, 398, 245, '#3f8a86', 'right', '#2e2018', -42, -0.03, 8.0))
    out.append(walker(-128, 402, 255, '#e0b040', 'right', '#6a4a2a', -98, 0.04, 8.8))
    out.append(walker(-187, 412, 265, '#c2453a', 'right', '#5a3a22', -158, -0.02, 8.1))
    out.append(walker(-238, 424, 275, '#4a6fb5', 'right', '#3a2418', -208, 0.03, 8.5, hairstyle='curly'))
    hb, hp = horse(20, 445, 2.3, 1, 'walk', '#f4f2ec', '#d9d4c8', cloth='#3f7a3c')
    out.append(hb)
    sx, sy = hp['saddle']
    # the victor, crowned with laurel, rides through the crowd holding up his staff with the
    # victor's wreath tied to its top
    rb, r = rider(sx, sy, 330, 1, profile=True, body='three', mood='joy', cloth='#c2453a', legs='#4a6fb5', hat='laurel', hair='#5a3a22',
                  hands=((1.1, 1.5), (0.9, -0.2)), grips=('fist', 'fist'), holds=(None, (0.05, -1)))
    out.append(rb)
    lx, ly = r.hands[1]
    top = (lx + 16, ly - 340)
    out.append(wand((lx - 4, ly + 70), top, 16, 2))
    wx, wy = top[0] - 1, top[1] + 42
    out.append(circle(wx, wy, 30, 'none', LEAF, 10))
    for k in range(10):
        px, py = polar(wx, wy, 30, k * 36)
        out.append(ellipse(px, py, 9, 4, LEAF, INK, 1.2, k * 36 + 70))
    # the ribbons the wreath is tied with
    out.append(path('M%s,%s q-10,16 -34,22 M%s,%s q-4,20 -26,34' % (n(wx - 4), n(wy + 30), n(wx + 2), n(wy + 30)), 'none',
                    '#c2453a', 4))
    out.append(hand_over(r, 1))
    out.append(line(r.hands[0], hp['muzzle'], '#6b3f2a', 2.4))
    out.append(hand_over(r, 0))  # the reins in his fist
    return out


@card(BASTOS + 6)
def siete_de_bastos(c):
    out = [sky(c, 'day', 100), cloud(-170, -360, 190), cloud(170, -300, 150),
           hills(120, '#6a9a44', (30, 90, 40)), ground(c, 330, '#7a8a4a', '#5a6a3a')]
    # he holds the height; the slope falls away to the right below him
    out.append(path('M-300,470 L-300,250 Q-120,215 40,236 Q110,250 150,330 Q175,400 160,470 Z', '#8ab85a', INK, LINE))
    out.append(path('M40,238 Q110,252 150,330 Q175,400 160,470 L110,470 Q125,390 100,320 Q80,270 40,238 Z',
                    darker('#8ab85a', 0.18), None, 0))
    body, p = person(-110, 250, 500, pose='walk', face='right', profile=True, body='three', mood='effort', gaze=(1, 1), dress='tunic',
                     cloth='#4e8a44', legs='#c28a3a', shoes='#6b4a30', hair='#5a3a22', reach=((-130, -118), (-22, -172)),
                     grips=('fist', 'fist'))
    out.append(body)
    (lx, ly), (rx, ry) = p.hands
    # his staff held high across his body in both fists, the forward end raised to ward off
    # the staves below
    dx, dy = rx - lx, ry - ly
    out.append(wand((lx - 0.9 * dx, ly - 0.9 * dy), (rx + 1.5 * dx, ry + 1.5 * dy), 16, 2))
    out += [hand_over(p, 0), hand_over(p, 1)]
    # six staves thrust up at him from below the edge, each at its own slant, their tips short of him
    for foot, tip in (((35, 500), (-15, 105)), ((95, 500), (35, 25)), ((150, 500), (80, 85)), ((205, 500), (115, -15)),
                      ((260, 500), (170, 50)), ((310, 430), (215, -40))):
        out.append(wand(foot, tip, 14, 1))
    return out


@card(BASTOS + 7)
def ocho_de_bastos(c):
    out = [sky(c, 'day', 240), hills(240, '#8ab85a', (40, 60, 30)), ground(c, 280, '#8ab85a', '#6a9a44')]
    out.append(path('M-300,360 Q0,330 300,370 L300,400 Q0,360 -300,390 Z', '#6fb2e8', INK, 2))
    out.append(castle(-190, 300, 100, 80, '#d7cfbf', '#a0463c'))
    # eight staves in flight, all of them whole inside the field
    for i in range(8):
        x0 = -245 + i * 28
        y0 = -330 + i * 60
        out.append(wand((x0, y0), (x0 + 250, y0 + 166), 16, 2))
    return out


@card(BASTOS + 8)
def nueve_de_bastos(c):
    out = [sky(c, 'day', 200), hills(210, '#9cc27a', (40, 30, 50)), ground(c, 200, '#8ab85a', '#6a9a44')]
    # the eight staves planted behind him like a palisade, no two quite alike
    for i in range(8):
        out.append(planted_wand(-255 + i * 70 + (i % 3) * 4, 384 - (i % 2) * 8, 560 + (i * 37) % 70, (i % 3 - 1) * 7, 2))
    out.append(ground(c, 380, '#aba596', '#8a857a', 12))
    # wounded and wary: bandaged head, a sidelong look, leaning on his wand held before him
    body, p = person(-70, 430, 560, hairstyle='curly', face='right', mood='stern', gaze=(1, 0), dress='tunic', cloth='#4a6fb5',
                     legs='#8a5a2e', shoes='#5a3e24', hair='#5a3a22', reach=((40, 110), (46, 190)), grips=('fist', 'fist'),
                     belt='#8a5a2e')
    out.append(body)
    hx, hy = p.head
    u = p.u
    out.append(path('M%s,%s Q%s,%s %s,%s' % (n(hx - 0.46 * u), n(hy - 0.12 * u), n(hx), n(hy - 0.5 * u), n(hx + 0.46 * u),
                                            n(hy - 0.12 * u)), 'none', '#f2efe6', 0.2 * u))
    out.append(path('M%s,%s l%s,%s' % (n(hx - 0.44 * u), n(hy - 0.1 * u), n(-0.2 * u), n(0.3 * u)), 'none', '#f2efe6', 0.1 * u))
    out.append(planted_wand(56, 446, 640, -22, 3))
    out += [hand_over(p, 0), hand_over(p, 1)]
    return out


@card(BASTOS + 9)
def diez_de_bastos(c):
    out = [sky(c, 'day', 160), hills(170, '#9cc27a', (30, 50, 30)), ground(c, 160, '#c8b47a', '#a8945a', scatter=False),
           track(c, (150, 175), -60, '#ddd0a4', (14, 200)), house(200, 175, 110, 90), tree(110, 172, 110, '#4f8a45')]
    # bowed under his load, walking up the path to the house, his arms wrapped round the
    # staves he carries before him, their tops fanned out ahead of his head
    fx, fy = -120, 440
    body, p = person(fx, fy, 540, pose='walk', face='right', profile=True, body='three', bow=0.48, mood='effort', gaze=(1, 1.0),
                     dress='tunic', cloth='#c2453a', legs='#e0b040', shoes='#6b4a30', hair='#5a3a22',
                     reach=((fx + 120, fy - 300), (fx + 150, fy - 250)), grips=('fist', 'fist'))
    u = p.u
    out.append(body)
    for i in range(10):
        k = i - 4.5
        foot = (fx + 1.25 * u + k * 6, fy - 2.2 * u + abs(k) * 3)
        tip = (fx + 3.8 * u + k * 21, fy - 8.0 * u - (i % 3) * 10 + abs(k) * 5)
        out.append(wand(foot, tip, 13, 1))
    out += [p.hand(0, 'fist'), p.hand(1, 'fist')]
    return out


# Copas -------------------------------------------------------------------------------------------

def falling_stream(c, lip, side, reach, drop, rise, breaks):
    """Water poured over a cup's lip at `lip`, thrown out towards `side` (-1 left, 1 right):
    a ribbon that leaves the lip almost level, widens as it falls on its curve and, past
    `breaks` (0..1 of the fall), comes apart into drops before it lands `drop` below the lip and
    `reach` out from it, where it splashes up from the pool."""
    x0, y0 = lip

    def at(t):
        return x0 + side * reach * t, y0 - rise * t + (drop + rise) * t * t

    def normal(t):
        dx, dy = side * reach, -rise + 2 * (drop + rise) * t
        k = math.hypot(dx, dy)
        return -dy / k, dx / k
    water_c, edge = '#b4dcf6', '#4a8ccc'
    steps = [breaks * k / 14.0 for k in range(15)]
    half = [3 + 8 * (t / breaks) ** 0.8 for t in steps]
    half[-1] = 1.5
    left = [(at(t)[0] + normal(t)[0] * w, at(t)[1] + normal(t)[1] * w) for t, w in zip(steps, half)]
    right = [(at(t)[0] - normal(t)[0] * w, at(t)[1] - normal(t)[1] * w) for t, w in zip(steps, half)]
    out = [path(curve_through(left + list(reversed(right)), closed=True), water_c, edge, 1.6, 'fill-opacity="0.92"')]
    # the light running down the stream on its outer side
    glint = [(at(t)[0] + normal(t)[0] * w * 0.35 * side, at(t)[1] + normal(t)[1] * w * 0.35 * side)
             for t, w in zip(steps[1:-3], half[1:-3])]
    out.append(path(curve_through(glint), 'none', '#ffffff', 2.2, 'stroke-opacity="0.85"'))
    # the drops it breaks into, longer along the fall, one about every 30 units of the fall and
    # scattered a little to either side
    k = 0
    t = breaks + 0.03
    while t < 0.985:
        (x, y), (nx, ny) = at(t), normal(t)
        off = (-1) ** k * (2 + 3 * (k % 3))
        dx, dy = side * reach, -rise + 2 * (drop + rise) * t
        a = math.degrees(math.atan2(dy, dx))
        r = 6 - 0.8 * (k % 3)
        out.append(ellipse(x + nx * off, y + ny * off, r * 1.8, r, water_c, edge, 1.4, a))
        k += 1
        t += 30.0 / math.hypot(dx, dy)
    # the splash where it lands: rings on the pool and a crown of drops thrown up
    lx, ly = at(1.0)
    out.append(ellipse(lx, ly + 4, 34, 8, 'none', '#dff0fb', 2.2, extra='stroke-opacity="0.8"'))
    out.append(ellipse(lx, ly + 6, 54, 12, 'none', '#dff0fb', 1.4, extra='stroke-opacity="0.5"'))
    for s in (-1, 1):
        out.append(path('M%s,%s q%s,%s %s,%s' % (n(lx + s * 6), n(ly), n(s * 4), n(-12), n(s * 16), n(-20)), 'none', '#eef8ff', 3))
        for j, (ox, oy) in enumerate(((14, -30), (26, -16), (34, -4))):
            out.append(circle(lx + s * ox, ly + oy, 3.2 - 0.6 * j, '#eef8ff', edge, 1))
    return ''.join(out)


@card(COPAS)
def as_de_copas(c):
    out = [sky(c, 'day', 300), water(c, 300, '#4f8fd0', '#2f5f9e')]
    for x, y in ((-115, 410), (-10, 352), (150, 396), (-270, 376)):
        out.append(ellipse(x, y, 30, 10, LEAF, INK, 2))
        out.append(path('M%s,%s l-12,-20 l12,6 l12,-6 Z' % (n(x), n(y - 5)), '#f2c0d0', INK, 1.4))
    h, (gx, gy) = hand_from_cloud(210, 140, 1)
    # the cup brims over: the water wells up above its mouth and pours over the lip on both
    # sides in five streams that fall into the pool
    cx, foot, ch = gx - 40, gy + 30, 260
    mouth, w = foot - ch, ch * 0.36
    out.append(ellipse(cx, mouth, w + 2, 14, '#b4dcf6', '#4a8ccc', 1.6))
    streams = [(-1, 4, 62, 406, 6, 0.84), (-1, 10, 150, 420, 34, 0.8), (-1, 16, 240, 404, 70, 0.78),
               (1, 4, 26, 402, 4, 0.84), (1, 12, 72, 414, 40, 0.8)]
    out.append(h)
    out.append(cup(cx, foot, ch))
    out.append(path('M%s,%s Q%s,%s %s,%s' % (n(cx - w + 6), n(mouth - 1), n(cx), n(mouth - 22), n(cx + w - 6), n(mouth - 1)),
                    '#b4dcf6', None, 0))
    out.append(path('M%s,%s Q%s,%s %s,%s' % (n(cx - w * 0.6), n(mouth - 8), n(cx - w * 0.1), n(mouth - 15), n(cx + w * 0.3),
                                            n(mouth - 10)), 'none', '#ffffff', 2.4))
    for side, inset, reach, drop, rise, breaks in streams:
        out.append(falling_stream(c, (cx + side * (w - inset), mouth - 2), side, reach, drop, rise, breaks))
    # the dove comes down head first over the cup with the wafer, marked with a cross, in its beak
    dx, dy = gx - 58, -300
    out.append(group([bird(0, 0, 2.0, 1, '#f7f7f2')], 'translate(%s %s) rotate(72)' % (n(dx), n(dy))))
    wx, wy = dx + 22, dy + 84
    out.append(circle(wx, wy, 16, '#f2efe6', INK, 2))
    out.append(line((wx - 8, wy), (wx + 8, wy), INK, 2) + line((wx, wy - 8), (wx, wy + 8), INK, 2))
    return out


@card(COPAS + 1)
def dos_de_copas(c):
    out = [sky(c, 'day', 160), hills(160, '#7fae5a', (30, 50, 30)), house(0, 180, 80, 60), ground(c, 180, '#8ab85a', '#6a9a44')]
    out.append(line((0, -120), (0, -330), GOLD_DARK, 6))
    out.append(path('M-8,-300 q-30,20 0,40 q30,20 0,40 q-30,20 0,40', 'none', '#e0b040', 5))
    out.append(path('M8,-300 q30,20 0,40 q-30,20 0,40 q30,20 0,40', 'none', '#e0b040', 5))
    out.append(wings(0, -350, 80, '#c2453a', '#8a2a2a'))
    out.append(lion_head(0, -360, 34))
    m, mp = person(-110, 420, 520, hairstyle='curly', face='right', profile=True, body='three', mood='joy', dress='tunic', cloth='#e0b040', legs='#3a3a4a', hat='laurel',
                   hair='#5a3a22', hands=((1.4, 0.8), (0.4, 2.4)), grips=('fist', 'rest'))
    w, wp = person(110, 420, 500, face='left', profile=True, body='three', mood='joy', dress='gown', cloth='#f2efe6', cape='#4a6fb5', hat='laurel',
                   hair='#c28a3a', hairstyle='long', hands=((-0.4, 2.4), (-1.4, 0.8)), grips=('rest', 'fist'))
    out += [m, w]
    out.append(held_cup(mp.hands[0], 80, 8)[0])
    out.append(held_cup(wp.hands[1], 80, -8)[0])
    out += [hand_over(mp, 0), hand_over(wp, 1)]
    return out


@card(COPAS + 2)
def tres_de_copas(c):
    out = [sky(c, 'day', 200), hills(200, '#9cc27a', (30, 40, 30)), ground(c, 200, '#8ab85a', '#6a9a44')]
    cols = [('#c2453a', '#e0b040'), ('#f2efe6', '#c28a3a'), ('#e0b040', '#5a3a22')]
    # three women raising their cups together above their heads
    xs, ys = (-155, 0, 155), (400, 370, 400)
    raised = [(None, (0.95, -2.1)), ((-0.7, -2.4), None), ((-0.95, -2.1), None)]
    faces = ('right', 'front', 'left')
    for i, x in enumerate(xs):
        body, p = person(x, ys[i], 440, face=faces[i], mood='joy', gaze=(0.5 if i == 0 else -0.5 if i == 2 else 0, -1),
                         dress='gown', cloth=cols[i][0], hair=cols[i][1], hairstyle='long', hat='wreath',
                         hands=raised[i], grips=('fist', 'fist'))
        out.append(body)
        k = 1 if i == 0 else 0
        out.append(held_cup(p.hands[k], 80, (10, 0, -10)[i])[0])
        out.append(p.hand(k, 'fist'))
    for x in (-250, -200, 200, 250):
        out.append(circle(x, 420, 22, '#e8a23a'))
        out.append(grape_bunch(x + 20, 400, 1.6))
    return out

def crossed_legs(x, y, u, hose, shoes, tunic=None):
    """The legs of one sitting on the ground at (x, y), the middle of his seat, seen from the
    front: the thighs out to the raised knees on either side, the shins crossed before him, the
    near one over the other, each foot tucked under the other knee; `tunic` lays the tunic's
    skirt over his lap."""
    out = []
    for side in (-1, 1):  # the viewer's left leg lies behind the right one
        hip, knee = (x + side * 0.5 * u, y - 0.45 * u), (x + side * 1.75 * u, y - 0.45 * u)
        ankle = (x - side * 0.85 * u, y + (0.42 if side < 0 else 0.55) * u)
        mid = (knee[0] + (ankle[0] - knee[0]) * 0.45, knee[1] + (ankle[1] - knee[1]) * 0.45 + 0.14 * u)
        leg = limb([hip, ((hip[0] + knee[0]) / 2, (hip[1] + knee[1]) / 2 - 0.04 * u), knee, mid, ankle],
                   [0.44 * u, 0.4 * u, 0.3 * u, 0.27 * u, 0.15 * u])
        fill = hose if side > 0 else darker(hose, 0.18)
        # the foot laid on its outer edge, its toes out past the other knee
        toe = (ankle[0] - side * 0.6 * u, ankle[1] - 0.1 * u)
        foot = limb([(ankle[0] + side * 0.08 * u, ankle[1] + 0.02 * u), toe], [0.18 * u, 0.12 * u])
        out.append(path(foot, shoes, INK, LINE))
        out.append(path(leg, fill, INK, LINE))
        # the light along the shin
        out.append(path('M%s,%s Q%s,%s %s,%s' % (n(mid[0] + side * 0.25 * u), n(mid[1] - 0.2 * u), n(mid[0]),
                                                n(mid[1] - 0.24 * u), n(ankle[0] + side * 0.3 * u), n(ankle[1] - 0.15 * u)),
                        'none', mix_light(fill, 0.3), 3))
    if tunic:
        # the skirt falls over the tops of the thighs, its hem dipping between the knees
        hem = [(x - 0.84 * u, y - 0.8 * u), (x - 1.02 * u, y - 0.62 * u), (x - 1.18 * u, y - 0.4 * u),
               (x - 0.6 * u, y - 0.18 * u), (x, y - 0.06 * u), (x + 0.6 * u, y - 0.18 * u), (x + 1.18 * u, y - 0.4 * u),
               (x + 1.02 * u, y - 0.62 * u), (x + 0.84 * u, y - 0.8 * u)]
        out.append(path(curve_through(hem) + ' Z', tunic, None, 0))
        out.append(path(curve_through(hem), 'none', INK, LINE))
        for k in (-0.5, 0.05, 0.55):
            out.append(path('M%s,%s q%s,%s %s,%s' % (n(x + k * u), n(y - 0.6 * u), n(0.04 * u), n(0.2 * u), n(-0.02 * u),
                                                    n((0.45 - abs(k) * 0.25) * u)), 'none', darker(tunic, 0.25), 2))
    return ''.join(out)


def leaves(c, clumps, crown, mass):
    """Foliage as one outline round leafy clumps (x, y, r), lit from the upper left of the mass
    (cx, cy, r), each clump's lower edge drawn where it lies over the one behind, and small
    tufts of leaves spread over it whatever its size."""
    cx, cy, r = mass
    out = []
    lit = c.radial([(0, mix_light(crown, 0.22)), (0.45, crown), (1, darker(crown, 0.25))], cx - 0.45 * r, cy - 0.5 * r, 1.9 * r)
    out.append(solid([('circle', x, y, k) for x, y, k in clumps], lit, INK, LINE))
    for x, y, k in clumps[3:]:
        out.append(path('M%s,%s a%s,%s 0 0 0 %s,0' % (n(x - 0.7 * k), n(y - 0.7 * k), n(k), n(k), n(1.4 * k)), 'none',
                        darker(crown, 0.35), 1.6))
    for i in range(60):
        a = (0.5 + i * 0.7548777) % 1 * 2 - 1
        b = (0.5 + i * 0.5698403) % 1 * 2 - 1
        px, py = cx + a * r * 1.05, cy + b * r * 0.95
        if not any((px - x) ** 2 + (py - y) ** 2 < (0.85 * k) ** 2 for x, y, k in clumps):
            continue
        col = mix_light(crown, 0.3) if (px - cx) + (py - cy) < 0 else darker(crown, 0.3)
        out.append(path('M%s,%s q4,-7 9,-2 q4,-6 9,0' % (n(px - 9), n(py)), 'none', col, 1.6))
    return ''.join(out)


def leafy_tree(c, x, y, h, crown='#3f7a3c', trunk='#6e4a2c'):
    """A large tree close by: a trunk that forks into boughs under a crown of many leafy clumps,
    lit from the left, its leaves marked in small tufts whatever the tree's size."""
    out = []
    w = 0.06 * h
    cx, cy, r = x + 0.02 * h, y - 0.72 * h, 0.3 * h
    bark = 'M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s L%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
        n(x - w * 1.3), n(y), n(x - w * 0.6), n(y - 0.25 * h), n(x - w * 0.7), n(y - 0.5 * h), n(x - w * 1.6), n(y - 0.66 * h),
        n(cx - 0.4 * r), n(cy), n(cx - 0.25 * r), n(cy + 0.08 * r), n(x + w * 0.2), n(y - 0.62 * h), n(cx + 0.5 * r),
        n(cy + 0.1 * r), n(x + w * 0.7), n(y - 0.45 * h), n(x + w * 1.4), n(y))
    out.append(path(bark, trunk, INK, LINE))
    out.append(path('M%s,%s Q%s,%s %s,%s' % (n(x + w * 0.35), n(y - 8), n(x + w * 0.1), n(y - 0.25 * h), n(x + w * 0.3),
                                            n(y - 0.45 * h)), 'none', darker(trunk, 0.3), 2.2))
    out.append(path('M%s,%s q%s,%s %s,%s' % (n(x - w * 0.5), n(y - 0.3 * h), n(w * 0.3), n(-0.04 * h), n(w * 0.2),
                                            n(-0.1 * h)), 'none', darker(trunk, 0.3), 1.6))
    clumps = [(0, -0.55, 0.42), (-0.5, -0.35, 0.4), (0.5, -0.38, 0.4), (-0.78, 0.1, 0.36), (0.8, 0.05, 0.36),
              (-0.45, 0.35, 0.38), (0.4, 0.38, 0.38), (0, 0.05, 0.5), (-0.05, 0.5, 0.34)]
    out.append(leaves(c, [(cx + a * r, cy + b * r, k * r) for a, b, k in clumps], crown, (cx, cy, r)))
    return ''.join(out)


@card(COPAS + 3)
def cuatro_de_copas(c):
    out = [sky(c, 'day', 150), hills(150, '#7fae5a', (40, 30, 60)), ground(c, 150, '#8ab85a', '#6a9a44')]
    out.append(leafy_tree(c, -200, 380, 640))
    # he sits on the grass under the tree, legs crossed and arms folded, looking down at the
    # three cups before him and not at the fourth the hand from the cloud holds out to him
    x, seat, h = -110, 392, 520
    u = h / 7.5
    out.append(shadow(x + 10, seat + 0.5 * u, 2.3 * u, 0.3 * u))
    body, p = person(x, seat, h, pose='bust', face='front', mood='focus', gaze=(0.7, 1), tilt=10, dress='tunic', cloth='#4a6fb5',
                     legs='#c2453a', hair='#5a3a22', hands=((1.3, 1.2), (-1.3, 1.0)), shadow=False)
    out.append(body)
    out.append(crossed_legs(x, seat, u, '#c2453a', '#5a3e24', '#4a6fb5'))
    for k, cx in enumerate((45, 130, 215)):
        out.append(standing_cup(cx, 452 - k * 8, 104))
    h, (gx, gy) = hand_from_cloud(200, -40, 1)
    out.append(h)
    out.append(cup(gx - 20, gy + 40, 100))
    return out


@card(COPAS + 5)
def seis_de_copas(c):
    out = [sky(c, 'day', 120), house(-190, 120, 120, 120), tower(200, 160, 80, 240, '#d7cfbf', '#a0463c'),
           rect(-300, 120, 600, 340, '#d8c8a0')]
    for y in range(150, 450, 40):
        out.append(line((-300, y), (300, y), '#b8a880', 2))
    for x, y in [(-250, 250), (-250, 420), (230, 250), (250, 420)]:
        out.append(standing_cup(x, y, 90, flowers='#f7f4ec'))
    # the boy bends to hand the girl a cup of flowers, held below her face
    b, bp = person(-90, 430, 350, child=True, face='right', profile=True, body='three', mood='calm', gaze=(1, 0.5), dress='tunic', cloth='#c2453a',
                   legs='#4a6fb5', hat='hood', hat_colour='#c2453a', hair='#c28a3a', reach=(None, (10, 292)),
                   grips=('rest', 'fist'))
    g, gp = person(110, 430, 290, child=True, face='left', body='three', mood='joy', gaze=(-1, 0.5), dress='gown', cloth='#e0b040', hair='#c28a3a',
                   hairstyle='long', reach=((38, 300), (60, 330)), grips=('open', 'rest'))
    out += [b, g]
    out.append(cup(22, 318, 90, flowers='#f7f4ec'))
    out += [bp.hand(1, 'fist'), gp.hand(0, 'open')]
    return out


def dragon_head(x, y, s, colour='#4e8a44'):
    """A small dragon rearing up: coiled neck, horned head with open jaws, a pair of bat wings."""
    out = [path('M-18,0 Q-30,-30 -10,-40 L-34,-60 L-4,-52 Z', darker(colour, 0.2), INK, 2),
           path('M18,0 Q30,-30 10,-40 L34,-60 L4,-52 Z', darker(colour, 0.2), INK, 2),
           solid([('stroke', 'M0,0 Q-24,-28 0,-50 Q18,-64 8,-84', 16)], colour, INK, 2),
           path('M0,-92 L26,-88 L30,-80 L14,-78 L26,-70 L6,-72 Q-6,-74 -6,-84 Z', colour, INK, 2),
           path('M-2,-92 L-12,-104 L2,-96 Z M4,-92 L2,-106 L10,-94 Z', '#e9e0c8', INK, 1.4),
           circle(8, -86, 2.2, '#f4d04a', INK, 1)]
    return group(out, 'translate(%s %s) scale(%s)' % (n(x), n(y), n(s)))


@card(COPAS + 6)
def siete_de_copas(c):
    out = [sky(c, 'grey', 300)]
    rows = (-150, 70, 280)
    for x, y, w in [(-170, rows[0] + 40, 240), (0, rows[0] + 30, 260), (170, rows[0] + 40, 240), (-170, rows[1] + 40, 260),
                    (0, rows[1] + 30, 260), (170, rows[1] + 40, 260), (110, rows[2] + 40, 300)]:
        out.append(cloud(x, y, w, '#dfe3ea'))
    pos = [(-170, rows[0]), (0, rows[0] - 20), (170, rows[0]), (-170, rows[1]), (0, rows[1] - 20), (170, rows[1]), (110, rows[2])]
    for x, y in pos:
        out.append(cup(x, y, 100))
    # a head, the shrouded figure glowing, a serpent, a castle, jewels, a wreath, a dragon
    x, y = pos[0]
    out.append(circle(x, y - 122, 24, SKIN))
    out.append(circle(x - 8, y - 126, 3, INK, None, 0) + circle(x + 8, y - 126, 3, INK, None, 0))
    out.append(path('M%s,%s q8,5 16,0' % (n(x - 8), n(y - 112)), 'none', INK, 2))
    x, y = pos[1]
    glow = c.radial([(0, ('#fff6c8', 0.9)), (1, ('#fff6c8', 0))], x, y - 160, 90)
    out.append(circle(x, y - 160, 90, glow, None, 0))
    out.append(path('M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
        n(x - 34), n(y - 96), n(x - 40), n(y - 200), n(x), n(y - 216), n(x + 40), n(y - 200), n(x + 34), n(y - 96),
        n(x), n(y - 90), n(x - 34), n(y - 96)), '#f7f4ec', INK, 2.4))
    out.append(path('M%s,%s q%s,%s %s,0' % (n(x - 18), n(y - 178), n(18), n(-14), n(36)), 'none', darker('#f7f4ec', 0.25), 2))
    x, y = pos[2]
    out.append(solid([('stroke', 'M%s,%s q-26,-16 0,-34 q26,-16 0,-34 q-14,-10 0,-22' % (n(x), n(y - 96)), 10)], '#4a8a3a',
                     INK, 2))
    out.append(ellipse(x + 4, y - 190, 12, 8, '#4a8a3a', INK, 2))
    out.append(circle(x + 8, y - 192, 2, INK, None, 0))
    out.append(path('M%s,%s l10,2 l-4,4 M%s,%s l10,-2' % (n(x + 15), n(y - 190), n(x + 15), n(y - 190)), 'none', '#c2453a', 1.6))
    x, y = pos[3]
    out.append(castle(x, y - 100, 80, 70, '#d7cfbf', '#a0463c', door=False))
    x, y = pos[4]
    for dx, col in ((-20, '#c83e3e'), (0, '#4a6fb5'), (20, '#4e8a44'), (-10, '#f4d04a'), (10, '#7a5bb0')):
        out.append(path('M%s,%s l8,-12 l8,12 l-8,10 Z' % (n(x + dx - 8), n(y - 112 - abs(dx))), col, INK, 1.4))
    x, y = pos[5]
    out.append(circle(x, y - 126, 28, 'none', LEAF, 9))
    x, y = pos[6]
    out.append(dragon_head(x, y - 96, 1.1))
    # the dreamer seen from behind, in dark clothes, his whole upper body in the field: turned a
    # little towards the cups, one hand raised in wonder at them
    h, x = 520, -150
    u = h / 7.5
    top = 170
    out.append(person(x, top + 7.5 * u, h, face='away-right', dress='tunic', cloth='#3a3346', legs='#2a2632',
                      hair='#3a2418', hairstyle='short', shadow=False, reach=((x - 1.0 * u, top + 3.75 * u), (x + 1.9 * u, top + 0.1 * u)),
                      grips=('rest', 'open'))[0])
    return out


def crag(outline, colour, shade_part, cracks=()):
    """A mass of rock: `outline` its silhouette, `shade_part` the faces turned from the light
    (which comes from the viewer's left), `cracks` the fissures and ledges drawn into it."""
    out = [path(poly(outline), colour, INK, LINE)]
    for part in shade_part:
        out.append(path(poly(part), darker(colour, 0.2), None, 0))
    for d in cracks:
        out.append(path('M' + ' L'.join('%s,%s' % (n(x), n(y)) for x, y in d), 'none', darker(colour, 0.4), 2))
    out.append(path(poly(outline), 'none', INK, LINE))
    return ''.join(out)


def hood_from_behind(p, colour):
    """The hood of a figure seen from behind drawn over its head: it rises to a soft point over
    the crown and falls into the cloak at the shoulders, its folds gathered at the nape."""
    cx, cy = p.head
    u = p.hu
    P = lambda a, b: '%s,%s' % (n(cx + a * u), n(cy + b * u))
    d = 'M%s Q%s %s Q%s %s Q%s %s Q%s %s Q%s %s Z' % (P(-0.78, 1.05), P(-0.72, -0.2), P(-0.3, -0.62), P(0.02, -0.95),
                                                      P(0.3, -0.62), P(0.74, -0.2), P(0.8, 1.05), P(0.4, 1.3),
                                                      P(0, 1.22), P(-0.4, 1.3), P(-0.78, 1.05))
    fold = darker(colour, 0.3)
    out = [path(d, p._lit(colour, 0.8, cx), INK, 2.4)]
    for a, b in ((-0.15, 0.0), (0.18, 0.05), (0.45, 0.3)):
        out.append(path('M%s Q%s %s' % (P(a * 0.6, -0.5), P(a, 0.4), P(a * 1.2, 1.15)), 'none', fold, max(1.2, 0.04 * u)))
    return ''.join(out)


@card(COPAS + 7)
def ocho_de_copas(c):
    out = [sky(c, 'night', -40)]
    # the moon passing over the sun, its face turned down to him, a thin crescent of light left
    glow = c.radial([(0, ('#f5efc8', 0.35)), (1, ('#f5efc8', 0))], -70, -360, 120)
    out.append(circle(-70, -360, 120, glow, None, 0))
    out.append(circle(-70, -360, 54, '#f5efc8', INK, 2.4))
    out.append(circle(-56, -360, 47, '#3a4470', None, 0))
    out.append(path('M-70,-378 q8,5 16,0', 'none', '#c9cde0', 2))
    out.append(path('M-90,-392 q-6,20 4,34 l-7,8 l7,4 q-2,10 4,16', 'none', '#c9cde0', 2))
    out.append(mountains(-40, '#4b5a86', [(140, 120, 110), (-40, 70, 90)], snow='#b9c2dc'))
    # the crags on either hand, the path climbing between them to the pass
    out.append(path('M-300,-40 L300,-40 L300,200 L-300,200 Z', '#4a4e62', None, 0))
    out.append(crag([(-300, 200), (-300, -150), (-250, -190), (-200, -130), (-160, -150), (-110, -60), (-40, -20),
                     (10, 60), (20, 200)], '#5a5e74',
                    [[(-250, -190), (-200, -130), (-215, -60), (-180, 40), (-130, 200), (20, 200), (10, 60), (-40, -20),
                      (-110, -60), (-160, -150), (-200, -130)]],
                    [[(-250, -120), (-230, -40), (-250, 60)], [(-140, -40), (-120, 40), (-90, 120)], [(-60, 20), (-30, 90)]]))
    out.append(crag([(300, 200), (300, -110), (260, -150), (235, -90), (210, -70), (185, 10), (190, 120), (160, 200)],
                    '#565a70',
                    [[(260, -150), (300, -110), (300, 200), (230, 200), (250, 80), (240, -40)]],
                    [[(215, -30), (205, 50), (220, 130)], [(275, -60), (285, 40)]]))
    # the path from the water up between them into the pass
    out.append(path('M-40,200 Q0,150 60,110 Q130,60 156,-40 L166,-40 Q160,70 110,130 Q80,170 90,200 Z', '#7a7e92', INK, 2))
    for x, y, r in ((130, 40, 9), (66, 150, 11), (168, -10, 6), (-10, 184, 12)):
        out.append(ellipse(x, y, r * 1.5, r, '#5a5e74', INK, 1.6))
    out.append(water(c, 200, '#33407a', '#1f2850', 330, False))
    for i in range(5):
        w = 60 - i * 9
        out.append(line((-60 - w / 2, 214 + i * 20), (-60 + w / 2, 214 + i * 20), '#f5efc8', 2.4, 'stroke-opacity="0.55"'))
    # he walks away from them up the path, cloaked and hooded, leaning on his staff
    body, p = person(30, 140, 320, pose='walk', face='away-right', dress='robe', cloth='#c2453a', cape='#8a2a2a',
                     hat='hood', hat_colour='#a8362e', hands=((-0.25, 2.6), (0.55, 2.1)), grips=('rest', 'fist'),
                     holds=(None, (0.1, -1)))
    out.append(body)
    out.append(hood_from_behind(p, '#a8362e'))
    rx, ry = p.hands[1]
    out.append(line((rx - 8, ry - 110), (rx + 14, 146), WOOD, 6))
    out.append(hand_over(p, 1))
    # the near shore with the eight cups he leaves: five below, three stacked above them and
    # a gap where a fourth would stand
    out.append(path('M-300,330 Q0,306 300,330 L300,470 L-300,470 Z', '#3f4a6a', INK, LINE))
    for k in range(5):
        out.append(standing_cup(-236 + k * 70, 452, 100))
    for k in (0, 1, 3):
        out.append(cup(-201 + k * 70, 352, 100))
    return out


@card(COPAS + 8)
def nueve_de_copas(c):
    out = [sky(c, 'gold', 460)]
    out.append(path('M-300,180 Q0,160 300,180 L300,470 L-300,470 Z', '#d8b870', INK, 2.2))
    # the long table curving round behind him, draped in blue to the floor, the nine cups
    # standing along it in an arc
    top = lambda x: -150 + 0.0012 * x * x
    edge = [(x, top(x)) for x in range(-300, 301, 25)]
    cloth = c.linear([(0, '#5a86c8'), (0.55, '#3f6db0'), (1, '#2c4f88')], 0, -150, 0, 240, 'userSpaceOnUse')
    d = 'M' + ' L'.join('%s,%s' % (n(x), n(y - 10)) for x, y in edge)
    d += ' L300,240 Q225,256 150,240 Q75,256 0,240 Q-75,256 -150,240 Q-225,256 -300,240 Z'
    out.append(path(d, cloth, INK, LINE))
    for x in range(-262, 263, 75):
        y0 = top(x)
        out.append(path('M%s,%s Q%s,%s %s,240' % (n(x), n(y0 + 2), n(x + 10), n((y0 + 240) / 2), n(x - 4)), 'none', '#2a4a80', 2))
    out.append(path('M' + ' L'.join('%s,%s' % (n(x), n(y - 10)) for x, y in edge), 'none', '#8ab0e0', 4))
    for i in range(9):
        x = -248 + i * 62
        out.append(standing_cup(x, top(x) - 12, 86))
    out.append(rect(-120, 290, 240, 140, '#8a5a2e'))
    body, p = person(0, 420, 560, pose='sit', face='front', mood='joy', dress='robe', cloth='#f2efe6', cape='#c2453a',
                     hat='turban', hat_colour='#c2453a', hair='#5a3a22', beard='#5a3a22',
                     hands=((1.3, 1.2), (-1.3, 1.0)))
    out.append(body)
    return out


@card(COPAS + 9)
def diez_de_copas(c):
    out = [sky(c, 'day', 160), rainbow(0, -5, 270, 40)]
    # the ten cups spaced evenly along the rainbow's upper arc
    for i in range(10):
        x, y = polar(0, -5, 250, 200 + i * 140 / 9.0)
        out.append(cup(x, y + 30, 56))
    out.append(hills(160, '#7fae5a', (30, 50, 30)))
    out.append(house(200, 180, 90, 70))
    out.append(ground(c, 180, '#8ab85a', '#6a9a44'))
    # the brook winding down from the house and away to the right behind the children
    out.append(path('M150,180 Q110,250 210,300 Q270,330 300,338 L300,378 Q240,360 180,316 Q96,262 176,180 Z', '#6fb2e8',
                    INK, 2))
    # the couple side by side, seen from behind, close but each whole: his arm round her waist
    # and hers round his, each raising the outer arm to the rainbow
    mx, wx, feet = -172, -36, 420
    mu, wu = 450 / 7.5, 430 / 7.5
    m, mp = person(mx, feet, 450, face='back', dress='tunic', cloth='#c2453a', legs='#4a6fb5', hair='#5a3a22',
                   reach=((mx - 1.5 * mu, feet - 7.2 * mu), (wx + 0.15 * wu, feet - 3.95 * wu)), grips=('open', 'rest'))
    w, wp = person(wx, feet, 430, face='back', dress='gown', cloth='#4a6fb5', hair='#c28a3a', hairstyle='long',
                   reach=((mx - 0.2 * mu, feet - 4.1 * mu), (wx + 1.7 * wu, feet - 8.6 * wu)), grips=('rest', 'open'))
    out += [m, w]
    # his forearm lies across her back, over her gown: drawn again within a band round it
    (ex, ey), (hx, hy) = mp.elbows[1], mp.hands[1]
    ax, ay = ex + (hx - ex) * 0.2, ey + (hy - ey) * 0.2
    k = math.hypot(hx - ax, hy - ay)
    tx, ty, r = (hx - ax) / k, (hy - ay) / k, 0.42 * mu
    band = [(ax - ty * r, ay + tx * r), (hx + tx * r - ty * r, hy + ty * r + tx * r),
            (hx + tx * r + ty * r, hy + ty * r - tx * r), (ax + ty * r, ay - tx * r)]
    out.append(group([m], extra='clip-path="%s"' % c.clip(poly(band))))
    # the children dancing hand in hand
    for x, col in ((96, '#e0b040'), (190, '#c2453a')):
        out.append(person(x, 440, 215, pose='walk', face='front', mood='joy', child=True, dress='tunic', cloth=col,
                          hair='#c28a3a', hands=((-1.25, 0.9), (1.25, 0.9)), grips=('open', 'open'))[0])
    return out


# Espadas -----------------------------------------------------------------------------------------

def yod(x, y, s, angle=0):
    """A falling drop of light, pointed at its top."""
    d = 'M0,%s Q%s,%s %s,%s A%s,%s 0 1 1 %s,%s Q%s,%s 0,%s Z' % (
        n(-16 * s), n(2 * s), n(-4 * s), n(6.5 * s), n(4 * s), n(7 * s), n(7 * s), n(-6.5 * s), n(4 * s), n(-2 * s),
        n(-4 * s), n(-16 * s))
    return group([path(d, '#f7c948', INK, 1.4)], 'translate(%s %s) rotate(%s)' % (n(x), n(y), n(angle)))


@card(ESPADAS)
def as_de_espadas(c):
    out = [sky(c, 'grey', 330), mountains(330, '#8a8fa0', [(-215, 170, 110), (10, 120, 110), (200, 210, 130)], None),
           ground(c, 330, '#9a9a8a', '#7a7a6a')]
    # the light about the crown
    out.append(circle(0, -300, 190, c.radial([(0, ('#fff6d8', 0.55)), (1, ('#fff6d8', 0))], 0, -300, 190), None, 0))
    # the cloud bank at the left, the hand reaching out of it to grip the sword upright
    out.append(cloud(-230, 230, 220, '#e2e5ee'))
    h, (gx, gy) = hand_from_cloud(-74, 170, -1)
    tip = (gx, -372)
    out.append(sword((gx, 238), tip, 34))
    out.append(h)
    # the crown the point passes through, the olive branch and the palm hanging from it
    cy = -292
    out.append(path('M-64,%s q-40,70 -70,150' % n(cy + 4), 'none', '#5b7a3a', 5))
    for k in range(6):
        t = (k + 1) / 7.0
        x, y = -64 - 40 * t * 1.1 - 30 * t * t, cy + 4 + 150 * t
        out.append(ellipse(x - 12, y - 2, 15, 4.5, '#7a9a52', INK, 1.2, -40 + 25 * t))
        out.append(ellipse(x + 10, y + 4, 15, 4.5, '#7a9a52', INK, 1.2, 30 + 20 * t))
    for x, y in ((-100, cy + 80), (-120, cy + 125)):
        out.append(circle(x, y, 5, '#3a4a2a', INK, 1.2))
    out.append(path('M64,%s q44,60 72,160' % n(cy + 4), 'none', '#3e7a3a', 6))
    for k in range(10):
        t = (k + 1) / 11.0
        x, y = 64 + 44 * t * 1.1 + 28 * t * t * 0.8, cy + 4 + 160 * t
        out.append(path('M%s,%s q%s,%s %s,%s' % (n(x), n(y), n(18 - 4 * t), n(-2), n(34 - 10 * t), n(14)), 'none',
                        '#3e7a3a', 3.2))
        out.append(path('M%s,%s q%s,%s %s,%s' % (n(x), n(y), n(-14), n(4), n(-26 + 6 * t), n(20)), 'none', '#4f8a45', 3))
    crown = [(-64, cy + 14), (-72, cy - 40), (-40, cy - 12), (-24, cy - 46), (0, cy - 14), (24, cy - 46), (40, cy - 12),
             (72, cy - 40), (64, cy + 14)]
    out.append(path(poly(crown), GOLD, INK, 2.4))
    out.append(rect(-66, cy - 2, 132, 18, GOLD_DARK, INK, 2, r=4))
    for x, col in ((-36, '#c83e3e'), (0, '#3f6db0'), (36, '#c83e3e')):
        out.append(circle(x, cy + 7, 5.5, col, INK, 1.4))
    for x in (-72, -24, 24, 72):
        out.append(circle(x, cy - 42 if abs(x) == 24 else cy - 37, 5, '#f2e6b0', INK, 1.4))
    # the six drops of light falling about it
    for x, y in ((-150, -400), (-105, -340), (-165, -250), (150, -410), (110, -345), (170, -255)):
        out.append(yod(x, y, 1.5, 0))
    return out


@card(ESPADAS + 1)
def dos_de_espadas(c):
    out = [sky(c, 'night', 150), wave_sea(c, 150, '#4a6a9a', '#2a3a6a', 8)]
    for x, y in [(-200, 160), (180, 180), (-80, 200)]:
        out.append(ellipse(x, y, 30, 10, '#6a7a8a', INK, 2))
    out.append(moon(200, -330, 40, 0.6, '#f5efc8', False))
    out.append(rect(-110, 330, 220, 120, '#c9c2b4'))
    body, p = person(0, 440, 540, pose='sit', face='front', blindfold=True, mood='stern', dress='gown', cloth='#f2efe6',
                     hair='#5a3a22', hands=((1.45, 0.6), (-1.45, 0.6)), grips=('fist', 'fist'))
    out.append(body)
    (lx, ly), (rx, ry) = p.hands
    out.append(sword((rx, ry + 10), (rx - 230, ry - 290), 16))
    out.append(sword((lx, ly + 10), (lx + 230, ry - 290), 16))
    out += [hand_over(p, 0), hand_over(p, 1)]
    return out


def effigy(c, crown, bed, u):
    """A knight in armour lying on his back on the tomb's top `bed`, his head (its crown at x
    `crown`) on a tasselled cushion, seen from the side: the face in profile turned to the vault,
    the eyes closed, the near arm along his side and the forearm raised so the joined hands stand
    upright on his breast. The legs are left to the pall laid over them."""
    out = []
    skin = next_skin()
    hair, steel = '#6a5a40', '#b4b8be'
    line_c = darker(skin, 0.45)
    rest = bed - 24  # the cushion's top, where the back of the head lies

    def H(s, d):  # a point of the head: s along the body from the crown, d up from the cushion
        return crown + s * u, rest - d * u
    # the cushion, its tassels at the corners
    cush = '#9a2f36'
    pillow = curve_through([(crown - 16, bed - 1), (crown - 20, rest + 6), (crown - 6, rest - 3), (crown + 45, rest - 5),
                            (crown + 98, rest - 3), (crown + 110, rest + 6), (crown + 106, bed - 1), (crown + 45, bed + 1)],
                           closed=True)
    out.append(path(pillow, c.linear([(0, mix_light(cush, 0.2)), (1, darker(cush, 0.2))], 0, rest - 5, 0, bed,
                                     'userSpaceOnUse'), INK, LINE))
    out.append(path('M%s,%s Q%s,%s %s,%s' % (n(crown - 6), n(rest + 8), n(crown + 45), n(rest + 2), n(crown + 98),
                                            n(rest + 8)), 'none', GOLD, 3))
    for x in (crown - 18, crown + 108):
        out.append(path('M%s,%s l-5,12 l10,0 Z' % (n(x), n(bed - 4)), GOLD, INK, 1.5))
    # the neck, from under the jaw and the nape to the shoulders
    sx = crown + 1.22 * u  # where the shoulder begins
    neck = curve_through([H(0.66, 0.16), H(0.92, 0.2), (sx + 8, bed - 18), (sx + 8, bed - 42), H(0.98, 0.52),
                          H(0.84, 0.46)], closed=True)
    out.append(path(neck, skin, INK, 2.2))
    # the body in plate armour lying along the tomb, the breastplate's ridge along its top
    chest = [(sx + 4, bed - 50), (sx + 0.5 * u, bed - 58), (sx + 1.2 * u, bed - 62), (sx + 2.0 * u, bed - 58),
             (sx + 2.8 * u, bed - 52)]
    body = 'M%s,%s' % (n(sx + 3.1 * u), n(bed - 2))
    body += ' L%s,%s' % (n(sx + 3.1 * u), n(bed - 52))
    body += curve_through(list(reversed(chest)))[len('M%s,%s' % (n(chest[-1][0]), n(chest[-1][1]))):]
    body += ' Q%s,%s %s,%s Q%s,%s %s,%s Z' % (n(sx - 10), n(bed - 40), n(sx - 6), n(bed - 16), n(sx), n(bed - 2),
                                               n(sx + 20), n(bed - 2))
    out.append(path(body, c.linear([(0, mix_light(steel, 0.45)), (0.5, steel), (1, darker(steel, 0.25))], 0, bed - 62, 0,
                                   bed, 'userSpaceOnUse'), INK, LINE))
    out.append(path(curve_through([(sx + 0.4 * u, bed - 48), (sx + 1.2 * u, bed - 55), (sx + 2.2 * u, bed - 50)]), 'none',
                    '#ffffff', 3, 'stroke-opacity="0.6"'))
    # the sword belt across the hips, going under the pall
    out.append(path('M%s,%s L%s,%s' % (n(sx + 2.55 * u), n(bed - 54), n(sx + 2.7 * u), n(bed - 2)), 'none', '#6b3f22', 9))
    # the near arm: the upper arm along his side, the elbow at the waist, the forearm raised to
    # the breast, the hands joined and standing upright
    sh, el = (sx + 0.3 * u, bed - 32), (sx + 1.45 * u, bed - 18)
    wr = (sx + 1.05 * u, bed - 76)
    out.append(path(limb([sh, ((sh[0] + el[0]) / 2, (sh[1] + el[1]) / 2 + 2), el], [0.27 * u, 0.23 * u, 0.2 * u]),
                    c.linear([(0, mix_light(steel, 0.4)), (1, darker(steel, 0.2))], 0, bed - 50, 0, bed, 'userSpaceOnUse'),
                    INK, LINE))
    out.append(path(limb([el, ((el[0] + wr[0]) / 2, (el[1] + wr[1]) / 2), wr], [0.2 * u, 0.18 * u, 0.15 * u]),
                    c.linear([(0, mix_light(steel, 0.5)), (1, steel)], wr[0], 0, el[0], 0, 'userSpaceOnUse'), INK, LINE))
    # the couter on the elbow and the pauldron over the shoulder
    out.append(circle(el[0], el[1], 0.17 * u, mix_light(steel, 0.2), INK, 2))
    cap = curve_through([(sh[0] - 0.4 * u, sh[1] + 0.12 * u), (sh[0] - 0.22 * u, sh[1] - 0.3 * u),
                         (sh[0] + 0.2 * u, sh[1] - 0.34 * u), (sh[0] + 0.48 * u, sh[1] - 0.02 * u),
                         (sh[0] + 0.1 * u, sh[1] + 0.2 * u)], closed=True)
    out.append(path(cap, c.linear([(0, mix_light(steel, 0.5)), (1, darker(steel, 0.15))], 0, sh[1] - 0.35 * u, 0,
                                  sh[1] + 0.2 * u, 'userSpaceOnUse'), INK, 2.4))
    out.append(path(curve_through([(sh[0] - 0.3 * u, sh[1] + 0.02 * u), (sh[0] + 0.05 * u, sh[1] - 0.14 * u),
                                   (sh[0] + 0.36 * u, sh[1] + 0.02 * u)]), 'none', darker(steel, 0.3), 1.6))
    # the joined hands: the far one's fingers just showing beyond the near one
    tip = (wr[0] + 0.06 * u, wr[1] - 0.78 * u)
    far = curve_through([(wr[0] - 0.16 * u, wr[1] + 0.02 * u), (wr[0] - 0.2 * u, wr[1] - 0.4 * u),
                         (tip[0] - 0.1 * u, tip[1] - 0.04 * u), (tip[0] + 0.02 * u, tip[1] + 0.12 * u),
                         (wr[0] + 0.05 * u, wr[1] - 0.1 * u)], closed=True)
    out.append(path(far, darker(skin, 0.12), INK, 2))
    near = curve_through([(wr[0] - 0.13 * u, wr[1] + 0.05 * u), (wr[0] - 0.15 * u, wr[1] - 0.35 * u),
                          (tip[0] - 0.05 * u, tip[1] + 0.02 * u), tip, (tip[0] + 0.1 * u, tip[1] + 0.2 * u),
                          (wr[0] + 0.16 * u, wr[1] - 0.3 * u), (wr[0] + 0.15 * u, wr[1] + 0.06 * u)], closed=True)
    out.append(path(near, c.linear([(0, mix_light(skin, 0.22)), (1, skin)], wr[0] - 0.15 * u, 0, wr[0] + 0.16 * u, 0,
                                   'userSpaceOnUse'), INK, 2.2))
    # the knuckles' fold, the fingers' lines and the thumb laid along the near edge
    for k in (0.0, 0.07):
        out.append(path(curve_through([(wr[0] + (0.02 + k) * u, wr[1] - 0.42 * u), (tip[0] - (0.01 - k) * u, tip[1] + 0.1 * u)]),
                        'none', line_c, 1.4))
    out.append(path(curve_through([(wr[0] - 0.12 * u, wr[1] - 0.05 * u), (wr[0] - 0.1 * u, wr[1] - 0.3 * u),
                                   (wr[0] - 0.02 * u, wr[1] - 0.42 * u)]), 'none', line_c, 1.6))
    # the vambrace's cuff at the wrist
    # the head in profile, the back of it on the cushion, the nose to the vault
    face = [(0.0, 0.42), (0.03, 0.6), (0.12, 0.72), (0.28, 0.79), (0.42, 0.8), (0.47, 0.775), (0.6, 0.9), (0.64, 0.9),
            (0.665, 0.84), (0.71, 0.81), (0.76, 0.81), (0.8, 0.8), (0.85, 0.77), (0.92, 0.78),
            (0.98, 0.68), (0.9, 0.5), (0.78, 0.3), (0.72, 0.1), (0.5, 0.0), (0.25, 0.02), (0.07, 0.14)]
    out.append(path(curve_through([H(*p) for p in face], closed=True),
                    c.linear([(0, mix_light(skin, 0.15)), (1, darker(skin, 0.12))], 0, rest - u, 0, rest, 'userSpaceOnUse'),
                    INK, LINE))
    # short hair over the crown and the back of the head, down to the nape
    hair_d = curve_through([H(0.08, 0.68), H(-0.04, 0.42), H(0.06, 0.12), H(0.28, 0.0), H(0.52, 0.0), H(0.72, 0.08),
                            H(0.64, 0.2), H(0.5, 0.42), H(0.34, 0.5), H(0.2, 0.58)], closed=True)
    out.append(path(hair_d, hair, INK, 2.2))
    for a, b in ((H(0.06, 0.42), H(0.26, 0.14)), (H(0.18, 0.5), H(0.44, 0.1))):
        out.append(line(a, b, darker(hair, 0.3), 1.6))
    # the ear before the nape
    ear = curve_through([H(0.52, 0.42), H(0.62, 0.4), H(0.68, 0.3), H(0.63, 0.2), H(0.55, 0.22)])
    out.append(path(ear, skin, INK, 2))
    out.append(path(curve_through([H(0.57, 0.35), H(0.62, 0.31), H(0.59, 0.27)]), 'none', line_c, 1.4))
    # the closed eye, its lashes, the brow over it, the nostril, the line of the lips and the
    # fold from the nose to the mouth
    feat = []
    feat.append(path(curve_through([H(0.43, 0.67), H(0.48, 0.64), H(0.53, 0.65)]), 'none', INK, 2.6))
    feat.append(line(H(0.53, 0.65), H(0.56, 0.62), INK, 1.6))
    feat.append(path(curve_through([H(0.36, 0.74), H(0.41, 0.755), H(0.47, 0.74)]), 'none', INK, 2.8))
    feat.append(path(curve_through([H(0.63, 0.85), H(0.655, 0.83)]), 'none', line_c, 1.8))
    feat.append(line(H(0.77, 0.8), H(0.76, 0.74), INK, 2))
    feat.append(path(curve_through([H(0.63, 0.79), H(0.7, 0.72), H(0.74, 0.68)]), 'none', darker(skin, 0.2), 1.4))
    x0, y0 = H(0.4, 0.82)
    x1, y1 = H(0.8, 0.6)
    out.append(marked_face(''.join(feat), (x0, y0, x1 - x0, y1 - y0), u))
    return ''.join(out)


@card(ESPADAS + 3)
def cuatro_de_espadas(c):
    # a chapel: stone courses on the wall, darker towards the vault, a paved floor
    wall = c.linear([(0, '#6f6a62'), (0.6, '#9a9488'), (1, '#a8a296')], 0, -470, 0, 330, 'userSpaceOnUse')
    out = [rect(-300, -470, 600, 940, wall, None, 0)]
    for k, y in enumerate(range(-450, 330, 46)):
        out.append(line((-300, y), (300, y), '#7e786e', 1.4))
        for x in range(-300 + (k % 2) * 45, 300, 90):
            out.append(line((x, y), (x, y + 46), '#7e786e', 1.4))
    floor = c.linear([(0, '#8a8478'), (1, '#6a655c')], 0, 330, 0, 470, 'userSpaceOnUse')
    out.append(rect(-300, 330, 600, 140, floor, INK, 2.2))
    for x in range(-420, 480, 90):
        out.append(line((x * 0.55, 330), (x, 470), '#5a554c', 1.4))
    out.append(line((-300, 395), (300, 395), '#5a554c', 1.4))
    # the stained-glass window high on the left, its light falling on the tomb
    out.append(path('M-270,-150 L-150,-150 L30,330 L-250,330 Z', '#fff4d0', None, 0, 'fill-opacity="0.14"'))
    out.append(path('M-270,-150 L-270,-360 Q-210,-430 -150,-360 L-150,-150 Z', '#6fb2e8', INK, LINE))
    for x, y, col in [(-240, -330, '#e0b040'), (-180, -330, '#c2453a'), (-240, -270, '#4e8a44'), (-180, -270, '#7a5bb0'),
                      (-240, -210, '#c2453a'), (-180, -210, '#e0b040')]:
        out.append(rect(x - 22, y - 22, 44, 44, col, INK, 2))
    out.append(line((-210, -395), (-210, -150), INK, 3))
    # three swords hung on the wall above him, points down
    for x in (-10, 70, 150):
        out.append(sword((x, -440), (x, -60), 18))
    # the tomb, lit from the window on the left, its end in shade
    out.append(rect(-265, 165, 530, 22, '#d8d2c4'))
    out.append(rect(-250, 187, 500, 143, '#c9c2b4'))
    out.append(rect(195, 189, 53, 139, darker('#c9c2b4', 0.12), None, 0))
    for x in (-225, -60, 105):
        out.append(rect(x, 205, 120, 105, darker('#c9c2b4', 0.08), darker('#c9c2b4', 0.35), 1.6))
    # the fourth sword along the tomb's side
    out.append(sword((-225, 258), (230, 258), 16))
    # the knight's effigy lying on his back, his head on a cushion, face to the vault, his hands
    # joined in prayer on his breast
    top = 165
    out.append(effigy(c, -245, top, 62))
    # the pall laid over him from the waist down, following the thighs, the knees, the shins
    # and the raised feet, and falling over the tomb's edge in soft folds with a scalloped hem
    pall, hem = '#4a5488', '#e0b040'
    front = 116
    ridge = [(-44, front - 6), (20, front - 12), (90, front - 16), (150, front - 24), (200, front - 10),
             (214, front - 18), (226, front - 38), (246, front - 10)]
    d = 'M%s,%s' % (n(-58), n(top + 6))
    d += ' Q%s,%s %s,%s' % (n(-54), n(front - 6), n(ridge[0][0]), n(ridge[0][1]))
    for (ax, ay), (bx, by) in zip(ridge, ridge[1:]):
        d += ' Q%s,%s %s,%s' % (n((ax + bx) / 2), n(min(ay, by) - 3), n(bx), n(by))
    d += ' Q%s,%s %s,%s Q%s,%s %s,%s' % (n(262), n(front + 4), n(264), n(top + 10), n(268), n(top + 30), n(266), n(top + 46))
    xs = [266, 206, 146, 86, 26, -34, -60]
    for k, (ax, bx) in enumerate(zip(xs, xs[1:])):
        d += ' Q%s,%s %s,%s' % (n((ax + bx) / 2), n(top + 56 if k % 2 == 0 else top + 44), n(bx), n(top + 46 - (k % 2) * 4))
    d += ' Q%s,%s %s,%s Z' % (n(-64), n(top + 26), n(-58), n(top + 6))
    out.append(path(d, c.linear([(0, mix_light(pall)), (1, darker(pall, 0.25))], 0, front - 36, 0, top + 56,
                                'userSpaceOnUse'), INK, LINE))
    # the hem's gold band following the scallops
    hd = 'M%s,%s' % (n(266), n(top + 38))
    for k, (ax, bx) in enumerate(zip(xs, xs[1:])):
        hd += ' Q%s,%s %s,%s' % (n((ax + bx) / 2), n(top + 48 if k % 2 == 0 else top + 36), n(bx), n(top + 38 - (k % 2) * 4))
    out.append(path(hd, 'none', hem, 5))
    # a light along the thighs and the shins, the folds falling from the knees and the feet
    out.append(path('M%s,%s Q%s,%s %s,%s' % (n(-20), n(front - 8), n(40), n(front - 16), n(104), n(front - 8)),
                    'none', mix_light(pall, 0.35), 3))
    for x0, y0, x1, bend in ((150, front - 20, 120, -14), (150, front - 20, 176, 12), (226, front - 30, 206, -10),
                             (226, front - 30, 250, 8), (60, front - 10, 50, -8)):
        out.append(path('M%s,%s Q%s,%s %s,%s' % (n(x0), n(y0 + 4), n((x0 + x1) / 2 + bend), n((y0 + top) / 2 + 14), n(x1),
                                                n(top + 40)), 'none', darker(pall, 0.35), 2))
    return out

@card(ESPADAS + 4)
def cinco_de_espadas(c):
    out = windy_sky(c, 'grey')
    out.append(wave_sea(c, 100, '#4a6a9a', '#2a3a6a', 14))
    out.append(ground(c, 240, '#8a9a6a', '#6a7a4a', 30))
    # the two beaten ones walk off towards the sea, heads low, one with his hand to his face
    for x, col, hands in ((115, '#4a6fb5', ((0.2, 2.5), (-0.3, -0.1))), (205, '#8a5a2e', ((-0.1, 2.6), (0.25, 2.6)))):
        out.append(person(x, 250, 260, face='back', dress='tunic', cloth=col, tilt=8, hands=hands)[0])
    body, p = person(-60, 430, 580, hairstyle='curly', face='right', profile=True, body='three', mood='joy', dress='tunic', cloth='#c2453a', legs='#4e8a44', hair='#c28a3a',
                     hands=((-0.3, 1.6), (0.7, 1.5)), grips=('fist', 'fist'))
    out.append(body)
    (lx, ly), (rx, ry) = p.hands
    out.append(sword((lx, ly + 20), (lx - 80, ly - 260), 14))
    out.append(sword((lx + 4, ly + 20), (lx - 20, ly - 280), 14))
    out.append(sword((rx, ry - 20), (rx + 20, ry + 280), 14))
    out += [hand_over(p, 0), hand_over(p, 1)]
    # the two swords the others left lying on the grass, well inside the field
    out.append(sword((54, 386), (266, 346), 14))
    out.append(sword((102, 414), (258, 402), 14))
    return out


@card(ESPADAS + 5)
def seis_de_espadas(c):
    out = [sky(c, 'grey', -60), cloud(-150, -330, 220, '#d8dbe2'), cloud(170, -380, 160, '#d8dbe2')]
    # the far shore they make for, with its trees, and the water smooth on that side
    out.append(hills(-60, '#7a8a6a', (40, 30, 50)))
    for x in (-230, -170, 200, 250):
        out.append(tree(x, -50, 80, '#5a7a4a'))
    out.append(water(c, -60, '#6a90c0', '#2f5f9e'))
    # rough water on the near side of the boat
    out.append(path('M-300,370 q30,-16 60,0 t60,0 t60,0 t60,0 t60,0 t60,0 t60,0 t60,0 t60,0 t60,0 L300,470 L-300,470 Z',
                    '#3f6db0', INK, 2))
    for x in (-250, -130, -10, 110, 230):
        out.append(path('M%s,%s q20,-10 40,0' % (n(x), n(410)), 'none', '#cfe3f7', 2.2))
    hull = 'M-275,250 L250,250 Q245,300 195,335 L-215,335 Q-260,300 -275,250 Z'
    # the ferryman standing in the stern, poling, as tall as a grown man beside them
    body, p = person(175, 300, 400, face='left', profile=True, body='three', mood='grief', gaze=(-1, 0.5), dress='tunic',
                     cloth='#c2453a', legs='#4a6fb5', hair='#5a3a22', reach=((110, -20), (130, 60)), grips=('fist', 'fist'))
    out.append(body)
    # the pole runs through both fists, its foot pushed down into the water behind the stern
    (lx, ly), (rx, ry) = p.hands
    k = (rx - lx) / (ry - ly)
    out.append(line((lx - k * 130, ly - 130), (lx + k * (440 - ly), 440), WOOD, 9))
    out += [hand_over(p, 0), hand_over(p, 1)]
    # the woman hooded and bowed, the child close against her, both seen from behind
    # her arms are folded before her, hidden by her back
    out.append(person(-40, 300, 380, pose='sit', face='back', mood='grief', cloth='#4a3a5a', hat='hood', hat_colour='#4a3a5a',
                      cape='#3a2e4a', bow=0.2, hands=((0.6, 1.2), (-0.6, 1.2)), behind=(True, True))[0])
    ch, chp = person(55, 300, 240, pose='sit', child=True, face='back', mood='grief', cloth='#e0b040', hair='#6a4226')
    out.append(ch)
    # the lie of the child's hair from the crown down to the nape
    hx, hy = chp.head
    u = chp.u
    for dx, bend in ((-0.22, -0.12), (0.0, 0.02), (0.2, 0.12)):
        out.append(path('M%s,%s Q%s,%s %s,%s' % (n(hx + dx * 0.2 * u), n(hy - 0.78 * u), n(hx + (dx + bend) * 1.6 * u), n(hy),
                                                  n(hx + dx * 1.3 * u), n(hy + 0.8 * u)), 'none', darker('#6a4226', 0.35), 1.4))
    # six swords stood upright in the bow before them
    for i in range(6):
        x = -205 + i * 30
        out.append(sword((x + (i % 2) * 4, 40 + (i % 3) * 14), (x - 4, 290), 12))
    out.append(path(hull, '#8a5a2e', INK, LINE))
    out.append(path('M-268,262 L243,262', 'none', darker('#8a5a2e', 0.3), 2))
    out.append(path('M-215,335 Q-260,300 -275,250 L-240,250 Q-225,300 -190,335 Z', '#a06e3e', None, 0))
    return out

@card(ESPADAS + 6)
def siete_de_espadas(c):
    out = [sky(c, 'gold', 200), ground(c, 200, '#c8b47a', '#a8945a')]
    # the camp he steals from, behind him as he creeps off to the left: tents lit from the left, pennants on their poles
    for x, col in ((40, '#4a6fb5'), (150, '#c2453a'), (262, '#e0b040')):
        out.append(shadow(x + 20, 202, 80, 8))
        out.append(path('M%s,200 L%s,60 L%s,200 Z' % (x - 70, x, x + 70), col, INK, LINE))
        out.append(path('M%s,63 L%s,198 L%s,198 Z' % (x + 1, x + 68, x + 22), darker(col, 0.18), None, 0))
        out.append(path('M%s,200 L%s,60 L%s,200' % (x - 70, x, x + 70), 'none', INK, LINE))
        out.append(path('M%s,200 L%s,130 L%s,200 Z' % (x - 14, x, x + 14), darker(col, 0.4), INK, 2))
        out.append(line((x, 60), (x, 34), INK, 2))
        out.append(path('M%s,34 L%s,41 L%s,48 Z' % (x, x + 22, x), col, INK, 1.4))
    # the two he leaves behind, their points driven into the ground by the tents he creeps away from
    for top, point in (((206, 250), (200, 445)), ((258, 215), (262, 425))):
        out.append(shadow(point[0] + 14, point[1] + 4, 26, 4))
        out.append(sword(top, point, 14))
        out.append(path('M%s,%s q17,-26 34,0 Z' % (n(point[0] - 17), n(point[1] + 4)), '#a8945a', INK, 1.4))
    # the five he takes gathered in a bundle before his chest, hilts low in front, the blades
    # slanting up and back over his far shoulder, clear of his turned face
    ang = math.atan2(-0.53, 0.85)
    length = 300
    pommel = (-180, 90)

    def along(t, side=0.0, turn=0.0):
        a = ang + turn
        return pommel[0] + math.cos(a) * t * length - math.sin(ang) * side, pommel[1] + math.sin(a) * t * length + math.cos(ang) * side

    dress = dict(pose='walk', stance='tiptoe', lean=-1, profile=True, body='three', mood='joy', dress='tunic', cloth='#c2453a',
                 legs='#e0b040', shoes='#6b4a30', hat='cap', hat_colour='#c2453a', hair='#5a3a22',
                 reach=(along(0.34), along(0.1)), grips=('fist', 'fist'))
    # stealing off to the left with his head turned back over his shoulder to the camp: the
    # figure going left up to the neck, the head from one looking right
    body, p = person(-70, 420, 540, face='left', main=False, **dress)
    look, q = person(-70, 420, 540, face='right', **dress)
    hx, hy = q.head
    u = q.u
    neck = hy + 0.62 * u
    out.append(group([body], extra='clip-path="%s"' % c.clip(poly([(-300, neck), (300, neck), (300, 470), (-300, 470)]))))
    out.append(group([look], extra='clip-path="%s"' % c.clip(poly([(hx - 1.6 * u, -470), (hx + 1.6 * u, -470),
                                                                     (hx + 1.6 * u, neck), (hx - 1.6 * u, neck)]))))
    # the bundle fans a little: hilts close together, the points spread over the shoulder
    for k in (-2, 1, -1, 2, 0):
        base = along(0, k * 6)
        turn = k * 0.035
        tip = (base[0] + math.cos(ang + turn) * length, base[1] + math.sin(ang + turn) * length)
        out.append(sword(base, tip, 11))
    out += [hand_over(p, 0), hand_over(p, 1)]
    return out


@card(ESPADAS + 7)
def ocho_de_espadas(c):
    out = [sky(c, 'grey', 0), castle(180, -40, 160, 140, '#b9b3a8', '#6a5a6e'), hills(0, '#7a8a6a', (20, 50, 30))]
    out.append(ground(c, 40, '#7a6a5a', '#5a4a3a'))
    for x, y in [(-100, 300), (80, 330), (-20, 380), (160, 250)]:
        out.append(ellipse(x, y + 60, 60, 10, '#8ab0d8', INK, 2))
    body, p = person(0, 420, 540, face='front', blindfold=True, mood='grief', dress='gown', cloth='#c2453a', hair='#5a3a22',
                     hairstyle='long',
                     hands=((0.5, 1.8), (-0.5, 1.8)), behind=(True, True))
    out.append(body)
    # the bands wound round her, over the arms held behind her back and round the gown below:
    # each one a strip of cloth curving round her body, its far side hidden
    for y, left, right in ((2.4, -1.15, 1.16), (3.3, -1.14, 1.17), (4.4, -1.0, 1.24)):
        y = p.top + y * p.u
        x0, x1 = left * p.u, right * p.u
        band = 'M%s,%s Q%s,%s %s,%s' % (n(x0), n(y - 3), n((x0 + x1) / 2), n(y + 22), n(x1), n(y - 3))
        out.append(path(band, 'none', INK, 11))
        out.append(path(band, 'none', '#e8dcb8', 7))
        out.append(path(band, 'none', '#c9b98e', 1.4))
    # eight blades planted round her, every one whole inside the field
    for x in (-262, -218, -174, -130, 130, 174, 218, 262):
        out.append(sword((x, -40 - abs(x) * 0.1 - (abs(x) // 44 % 2) * 30), (x, 440), 14))
    return out


@card(ESPADAS + 8)
def nueve_de_espadas(c):
    out = [rect(-300, -470, 600, 940, '#16141e', None, 0)]
    for i in range(9):
        y = -425 + i * 38
        out.append(sword((-260, y), (260, y), 16))
    # the bed: head end on the left, the carved panel along its side
    out.append(rect(-290, 120, 44, 200, '#6b4328'))
    out.append(circle(-268, 112, 16, '#6b4328'))
    # the pillow at her back: she has sat up in bed, her face in her hands
    out.append(ellipse(-205, 120, 70, 40, '#e8e2d4', INK, LINE))
    body, p = person(-120, 348, 520, pose='sit', face='hidden', dress='robe', cloth='#f2efe6', hair='#3a2418',
                     hairstyle='long', reach=((-142, -26), (-98, -26)), grips=('open', 'open'),
                     elbows=((-170, 84), (-70, 84)))
    out.append(body)
    # the quilt of roses and signs over her lap and legs, raised over her knees
    # it runs back to the bedhead, over the mattress's end under her pillow
    quilt = ('M-248,290 L-248,178 Q-236,120 -185,96 Q-170,82 -150,100 Q-120,118 -90,100 Q-70,82 -52,96 Q-20,130 40,160 '
             'Q190,172 290,165 L290,290 Z')
    out.append(path(quilt, '#4a6fb5'))
    # the knees drawn up under it: a fold running down between them and off each
    out.append(path('M-120,112 Q-116,150 -104,196 M-184,104 Q-206,150 -214,196 M-56,104 Q-30,140 4,170', 'none',
                    '#33508a', 2.4))
    # the nightgown's sleeves slid down the raised forearms: their wide ends hang from the
    # elbows over her knees, in soft folds
    for s, (ex, ey), (hx, hy) in ((-1, p.elbows[0], p.hands[0]), (1, p.elbows[1], p.hands[1])):
        top = (ex + (hx - ex) * 0.45, ey + (hy - ey) * 0.45)
        d = 'M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
            n(top[0] + s * 14), n(top[1]), n(ex + s * 30), n(ey - 6), n(ex + s * 24), n(ey + 44),
            n(ex + s * 4), n(ey + 54), n(ex - s * 14), n(ey + 38), n(ex - s * 8), n(ey + 8), n(ex - s * 16), n(ey - 4))
        out.append(path(d, '#f2efe6', INK, LINE))
        for o in (0, 12):
            out.append(path('M%s,%s Q%s,%s %s,%s' % (n(top[0] + s * (12 - o * 0.3)), n(top[1] + 12 + o), n(ex + s * (24 - o)),
                                                    n(ey + 10), n(ex + s * (16 - o * 0.8)), n(ey + 48 - o * 0.4)),
                            'none', '#b9b2a2', 2))
    for k, x in enumerate(range(-200, 290, 54)):
        for j, y in enumerate((205, 255)):
            if (k + j) % 2:
                out.append(rose(x, y, 11, '#c2453a'))
            else:
                out.append(path('M%s,%s l8,-14 l8,14 Z M%s,%s l16,0' % (n(x - 8), n(y + 6), n(x - 8), n(y - 4)), 'none', GOLD, 2.4))
    # the side of the bed, carved with a fight: one figure struck down by another
    out.append(rect(-280, 290, 570, 120, '#6b4328'))
    out.append(rect(-250, 305, 510, 90, '#5a3820', darker('#6b4328', 0.4), 2))
    out.append(path('M-60,390 L-60,340 M-60,340 L-40,318 M-72,352 L-40,352 M-60,390 L-70,390 M-60,340 l0,-8', 'none',
                    '#8a6040', 6))
    out.append(circle(-60, 326, 9, '#8a6040', None, 0))
    out.append(path('M40,390 L20,352 L-10,372 M20,352 L34,330 M20,352 L60,344', 'none', '#8a6040', 6))
    out.append(circle(38, 322, 9, '#8a6040', None, 0))
    out.append(line((-40, 318), (-20, 290 + 10), '#c9ccd6', 3))
    out.append(rect(-280, 410, 30, 40, '#6b4328'))
    out.append(rect(260, 410, 30, 40, '#6b4328'))
    return out


@card(ESPADAS + 9)
def diez_de_espadas(c):
    # a black sky over still water, the first light of dawn along the horizon
    g = c.linear([(0, '#0a0910'), (0.3, '#15142a'), (0.56, '#2e2a4c'), (0.74, '#5e3c52'), (0.86, '#b0604a'),
                  (0.94, '#e0973c'), (1, '#f4d06a')], 0, -470, 0, 140, 'userSpaceOnUse')
    out = [rect(-300, -470, 600, 940, g, None, 0)]
    # the first light spreading up into the dark from where the sun will rise
    glow = c.radial([(0, ('#f6c870', 0.55)), (0.5, ('#d88a5a', 0.22)), (1, ('#d88a5a', 0))], -60, 150, 420)
    out.append(ellipse(-60, 150, 520, 420, glow, None, 0))
    # long thin clouds over it, dark above and lit from below by the coming sun
    for x, y, w, t in ((-170, -150, 200, 0.35), (90, -205, 240, 0.25), (-40, -60, 300, 0.6), (200, -20, 170, 0.7),
                       (-230, 10, 150, 0.8)):
        d = 'M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
            n(x - w / 2), n(y), n(x - w / 4), n(y - 14), n(x), n(y - 10), n(x + w / 4), n(y - 18), n(x + w / 2), n(y),
            n(x), n(y + 9), n(x - w / 2), n(y))
        out.append(path(d, mix_light('#2a2236', 0.08 * t), None, 0))
        out.append(path('M%s,%s Q%s,%s %s,%s' % (n(x - w * 0.42), n(y + 2), n(x), n(y + 10), n(x + w * 0.46), n(y + 1)),
                        'none', mix_light('#d88a4a', 0.3 * t), 2 + 2 * t, 'stroke-opacity="%s"' % n(0.4 + 0.5 * t)))
    for k in range(14):
        x, y = -280 + (k * 137) % 560, -450 + (k * 71) % 200
        out.append(circle(x, y, 1.4 + (k % 3) * 0.5, '#f2efe6', None, 0, 'fill-opacity="%s"' % n(0.35 + 0.15 * (k % 3))))
    out.append(hills(140, '#1e1c2a', (26, 44, 18)))
    wg = c.linear([(0, '#c89048'), (0.18, '#3a3650'), (1, '#17182a')], 0, 140, 0, 300, 'userSpaceOnUse')
    out.append(rect(-300, 140, 600, 160, wg, INK, 2.2))
    for i, (x, w) in enumerate(((-120, 150), (-40, 90), (60, 120), (-200, 60))):
        out.append(line((x, 148 + i * 9), (x + w, 148 + i * 9), '#f4d06a', 1.6, 'stroke-opacity="0.6"'))
    eg = c.linear([(0, '#3a3428'), (1, '#1e1a14')], 0, 300, 0, 470, 'userSpaceOnUse')
    out.append(path('M-300,305 Q0,290 300,308 L300,470 L-300,470 Z', eg, INK, 2.2))
    # he lies face down along the shore, his head turned on the ground, a red cloth over his
    # hips and legs, ten swords driven into his back from the neck to the waist
    h, fx, fy = 520, 262, 356
    u = h / 7.5
    tunic = '#4d4a5e'
    body, p = person(fx, fy, h, face='left', profile=True, body='side', mood='grief', gaze=(-1, 1), dress='tunic',
                     cloth=tunic, legs='#2a2832', shoes='#1e1a18', hair='#3a2418', shadow=False,
                     reach=((fx - 0.5 * u, fy - 7.45 * u), (fx - 1.0 * u, fy - 2.4 * u)))
    out.append(ellipse(20, fy + 0.5 * u + 4, 300, 14, '#000000', None, 0, extra='fill-opacity="0.3"'))
    out.append(group([body], 'rotate(-90 %s %s)' % (n(fx), n(fy))))
    # the tunic closed at his neck: a plain collar where he lies
    collar = [(fx - 6.3 * u, fy + 0.3 * u), (fx - 5.6 * u, fy + 0.3 * u), (fx - 5.6 * u, fy - 0.1 * u), (fx - 6.3 * u, fy - 0.1 * u)]
    out.append(path(poly(collar), tunic, None, 0))
    out.append(line((fx - 6.3 * u, fy + 0.28 * u), (fx - 6.3 * u, fy - 0.08 * u), INK, 2))

    def back(x):
        """The top of his back at x: the shoulders, the hollow of the waist, the hip."""
        b = 7.5 + (x - fx) / u
        for (b0, a0), (b1, a1) in zip(((1.2, 0.07), (1.5, 0.4), (3.0, 0.23), (3.9, 0.32)),
                                      ((1.5, 0.4), (3.0, 0.23), (3.9, 0.32), (5.0, 0.3))):
            if b <= b1:
                t = max(0.0, (b - b0) / (b1 - b0))
                return fy - (a0 + (a1 - a0) * t) * u
        return fy - 0.3 * u
    # the breadth of his back seen a little from above, lit by the dawn
    xs = [fx - 6.0 * u + k * (2.7 * u) / 12 for k in range(13)]
    band = [(x, back(x) + 3) for x in xs] + [(x, back(x) + 0.36 * u) for x in reversed(xs)]
    out.append(path(curve_through(band, closed=True), mix_light(tunic, 0.14), None, 0))
    drape = 'M%s,%s Q%s,%s %s,%s L%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
        n(fx - 3.75 * u), n(back(fx - 3.75 * u) - 2), n(fx - 2 * u), n(fy - 0.5 * u), n(fx - 0.7 * u), n(fy - 0.3 * u),
        n(fx - 0.4 * u), n(fy + 0.55 * u), n(fx - 2.2 * u), n(fy + 0.7 * u), n(fx - 3.7 * u), n(fy + 0.6 * u),
        n(fx - 4.3 * u), n(fy + 0.2 * u), n(fx - 3.75 * u), n(back(fx - 3.75 * u) - 2))
    out.append(path(drape, '#a8242c', INK, LINE))

    def cloth_top(x):
        q = (x - (fx - 3.75 * u)) / (2 * (fx - 2 * u - (fx - 3.75 * u)))
        y0 = back(fx - 3.75 * u) - 2
        return (1 - q) ** 2 * y0 + 2 * q * (1 - q) * (fy - 0.5 * u) + q * q * (fy - 0.3 * u)
    for t0 in (0.2, 0.45, 0.7):
        x0 = fx - 3.7 * u + t0 * 3 * u
        out.append(path('M%s,%s Q%s,%s %s,%s' % (n(x0), n(fy - 0.35 * u), n(x0 + 8), n(fy + 0.1 * u), n(x0 + 20),
                                                n(fy + 0.55 * u)), 'none', '#6a141c', 2))
    # each blade goes in on the breadth of his back, cut where it enters, a dark stain round it;
    # the hilts stand up at slightly different slants, a sword's length over him
    leans = (-9, 5, -3, 8, -6, 2, -10, 6, -2, 7)
    rise = (350, 330, 372, 340, 318, 362, 334, 380, 346, 324)
    for i in range(10):
        x = fx - 6.05 * u + i * (3.4 * u) / 9
        # past the waist they go in through the cloth over his hips
        y = (back(x) if x < fx - 3.75 * u else min(back(x), cloth_top(x))) + 0.17 * u
        out.append(ellipse(x, y, 13, 5, '#5a0f16', None, 0))
        top = (x + leans[i], y - rise[i])
        dx, dy = x - top[0], y - top[1]
        k = 40 / math.hypot(dx, dy)
        cut = c.clip(poly([(x - 60, y - 400), (x + 60, y - 400), (x + 60, y + 1), (x - 60, y + 1)]))
        out.append(group([sword(top, (x + dx * k, y + dy * k), 13)], extra='clip-path="%s"' % cut))
        out.append(path('M%s,%s q%s,%s %s,0' % (n(x - 7), n(y + 1), n(7), n(3), n(14)), 'none', '#2a0608', 1.6))
    return out


# Oros --------------------------------------------------------------------------------------------

def lily(x, y, h, s=1.0):
    """A white lily on its stem standing on the ground at (x, y), h tall: six pointed petals
    opening round a golden heart, two long leaves at the foot."""
    out = [path('M%s,%s q%s,%s %s,%s' % (n(x), n(y), n(4 * s), n(-h * 0.5), n(0), n(-h)), 'none', '#3e7a3a', 3 * s)]
    for d in (-1, 1):
        out.append(path('M%s,%s q%s,%s %s,%s q%s,%s %s,%s Z' % (n(x), n(y), n(d * 18 * s), n(-20 * s), n(d * 20 * s),
                                                            n(-46 * s), n(d * -12 * s), n(16 * s), n(d * -20 * s),
                                                            n(46 * s)), '#4f8a45', INK, 1.2))
    cy = y - h
    petals = []
    for k in range(6):
        a = math.radians(-90 + k * 60)
        tx, ty = x + 16 * s * math.cos(a), cy + 16 * s * math.sin(a)
        lx, ly = x + 6 * s * math.cos(a - 0.6), cy + 6 * s * math.sin(a - 0.6)
        rx, ry = x + 6 * s * math.cos(a + 0.6), cy + 6 * s * math.sin(a + 0.6)
        petals.append(('path', 'M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (n(x), n(cy), n(lx), n(ly), n(tx), n(ty), n(rx), n(ry),
                                                                      n(x), n(cy))))
    out.append(solid(petals, '#f7f4ec', INK, 1.2))
    out.append(circle(x, cy, 3.5 * s, '#e8b84a', INK, 1))
    return ''.join(out)


@card(OROS)
def as_de_oros(c):
    horizon = 110
    out = [sky(c, 'day', horizon), mountains(horizon, '#8a9ac0', [(10, 170, 110)]), ground(c, horizon, '#8ab85a', '#6a9a44')]
    # the path from the near lilies through the arch in the hedge and on towards the mountain
    out.append(path('M-60,470 Q-20,320 -6,%s L6,%s Q20,320 60,470 Z' % (n(horizon + 4), n(horizon + 4)), '#d8c89a', INK, 2))
    # the hedge across the garden, arched over the path
    hedge = 'M-300,%s' % n(horizon + 34)
    for k in range(8):
        x0 = -300 + k * 25
        hedge += ' Q%s,%s %s,%s' % (n(x0 + 12.5), n(horizon + 14 - (k * 7) % 9), n(x0 + 25), n(horizon + 34))
    hedge += ' L-100,%s Q-100,%s 0,%s Q100,%s 100,%s' % (n(horizon + 34), n(horizon - 110), n(horizon - 110),
                                                        n(horizon - 110), n(horizon + 34))
    for k in range(8):
        x0 = 100 + k * 25
        hedge += ' Q%s,%s %s,%s' % (n(x0 + 12.5), n(horizon + 14 - (k * 5) % 9), n(x0 + 25), n(horizon + 34))
    hedge += ' L300,240 L62,240 L62,%s Q62,%s 0,%s Q-62,%s -62,%s L-62,240 L-300,240 Z' % (
        n(horizon + 40), n(horizon - 64), n(horizon - 64), n(horizon - 64), n(horizon + 40))
    out.append(path(hedge, c.linear([(0, '#4f8a45'), (1, '#2f5a2c')], 0, horizon - 110, 0, 240, 'userSpaceOnUse'), INK, 2.2))
    for k in range(13):
        px, py = polar(0, horizon + 30, 84, 180 + k * 15)
        out.append(rose(px, py, 9, '#d8475a'))
    for x in (-250, -190, -150, 150, 200, 255):
        out.append(rose(x, horizon + 80 + (x % 3) * 20, 8, '#d8475a'))
    for x, y, h, s in ((-250, 440, 120, 1.2), (-200, 400, 100, 1.05), (-150, 450, 110, 1.15), (160, 445, 110, 1.15),
                       (210, 405, 100, 1.05), (255, 450, 120, 1.2)):
        out.append(lily(x, y, h, s))
    out.append(flowers([-110, -90, 100, 120], 330, seed=2))
    # the hand reaching out of a cloud at the left, palm up, the coin resting in it
    out.append(solid([('stroke', 'M-250,-96 L-90,-92', 44)], '#f4f1e8', INK, 2))
    out.append(cloud(-225, -80, 190, '#eef0f6'))
    cx, cy, r = 20, -214, 108
    glow = c.radial([(0, ('#fff6c8', 0.6)), (1, ('#fff6c8', 0))], cx, cy, r * 1.7)
    out.append(circle(cx, cy, r * 1.7, glow, None, 0))
    out.append(coin(cx, cy, r))
    palm = ('M-96,-112 Q-60,-114 -20,-106 Q30,-100 70,-110 Q86,-118 96,-140 Q104,-156 112,-150 Q118,-132 108,-108 '
            'Q96,-80 60,-72 Q10,-64 -40,-70 Q-80,-72 -96,-72 Z')
    out.append(path(palm, SKIN, INK, 2.4))
    knuckle = darker(SKIN, 0.22)
    for k, (x0, y0) in enumerate(((70, -108), (80, -100), (90, -92))):
        out.append(path('M%s,%s q%s,%s %s,%s' % (n(x0), n(y0), n(14), n(-10), n(22 + k * 2), n(-34 + k * 8)), 'none', knuckle, 1.6))
    out.append(path('M-20,-84 Q20,-78 56,-86', 'none', knuckle, 1.4))
    # the thumb along the coin's rim
    out.append(solid([('stroke', 'M-50,-104 Q-66,-118 -66,-138', 16)], SKIN, INK, 2))
    return out


def figure_eight(h, r, colour, width):
    """An endless band crossing itself at (0, 0), each loop a near circle of radius r round
    (-h, 0) and (h, 0): the band passes over the top of one loop, round it and back through
    the crossing to the other."""
    k = 0.5523 * r
    d = 'M0,0'
    for s in (1, -1):
        d += ' C%s,%s %s,%s %s,%s' % (n(s * 0.3 * h), n(-0.55 * r), n(s * (h - 0.9 * r)), n(-r), n(s * h), n(-r))
        d += ' C%s,%s %s,%s %s,0' % (n(s * (h + k)), n(-r), n(s * (h + r)), n(-k), n(s * (h + r)))
        d += ' C%s,%s %s,%s %s,%s' % (n(s * (h + r)), n(k), n(s * (h + k)), n(r), n(s * h), n(r))
        d += ' C%s,%s %s,%s 0,0' % (n(s * (h - 0.9 * r)), n(r), n(s * 0.3 * h), n(0.55 * r))
    return solid([('stroke', d, width)], colour, INK, 1.5)


@card(OROS + 1)
def dos_de_oros(c):
    out = [sky(c, 'day', -20), cloud(-160, -360, 170), wave_sea(c, -20, '#4f7fbf', '#22477e', 16)]
    # two ships riding high on the great swell behind him, one to each side of him
    swell = 'M-300,90 Q-200,-50 -100,70 Q0,150 100,50 Q200,-60 300,80 L300,470 L-300,470 Z'
    out.append(path(swell, c.linear([(0, '#5a8ccc'), (1, '#22477e')], 0, -10, 0, 470, 'userSpaceOnUse'), INK, 2.2))
    out.append(path('M-262,26 Q-200,-16 -150,8 M136,8 Q200,-26 262,14', 'none', '#e8f2fc', 3))
    out.append(group([sea_ships(c, 0, 1)], 'translate(-238 6) rotate(-14) scale(1.05) translate(150 0)'))
    out.append(group([sea_ships(c, 0, 1)], 'translate(205 -14) rotate(12) scale(1.15) translate(150 0)'))
    out.append(ground(c, 330, '#8ab85a', '#6a9a44', 10))
    body, p = person(0, 430, 540, pose='walk', face='front', mood='joy', gaze=(-0.5, 0), dress='tunic', cloth='#c2453a',
                     legs='#e0b040', shoes='#6b4a30', hat='beret', hat_colour='#4a6fb5', hair='#5a3a22', hands=((-0.95, 1.35), (0.4, 2.0)))
    out.append(body)
    # the endless band, a figure eight whose two loops go round the two coins
    (ax, ay), (bx, by) = p.disc_at(0, 46), p.disc_at(1, 46)
    mx, my = (ax + bx) / 2, (ay + by) / 2
    half = math.hypot(bx - ax, by - ay) / 2
    ang = math.degrees(math.atan2(by - ay, bx - ax))
    out.append(group([figure_eight(half, 46 * 1.32, '#4e8a44', 9)], 'translate(%s %s) rotate(%s)' % (n(mx), n(my), n(ang))))
    out += [p.holding_disc(0, (ax, ay), 46, coin(ax, ay, 46)), p.holding_disc(1, (bx, by), 46, coin(bx, by, 46))]
    return out


@card(OROS + 2)
def tres_de_oros(c):
    out = [rect(-300, -470, 600, 940, '#8a8478', None, 0)]
    out.append(path('M-220,470 L-220,-120 Q-220,-380 0,-380 Q220,-380 220,-120 L220,470 Z', '#3a3448', INK, LINE))
    for x, y in [(-62, -300), (62, -300), (0, -234)]:
        out.append(coin(x, y, 34))
    out.append(rect(-300, 330, 600, 130, '#b9b3a8'))
    out.append(rect(-60, 200, 140, 40, '#8a5a2e'))
    out.append(rect(-50, 240, 20, 100, '#8a5a2e'))
    out.append(rect(50, 240, 20, 100, '#8a5a2e'))
    mason, mp = person(10, 200, 380, hairstyle='curly', face='left', profile=True, body='three', mood='focus', dress='tunic', cloth='#7a5bb0', legs='#5a4a3a', hair='#5a3a22',
                       hands=((-0.8, 1.6), (0.4, 1.8)), grips=('fist', 'rest'))
    out.append(mason)
    out.append(line(mp.hands[0], (mp.hands[0][0] - 30, mp.hands[0][1] + 30), '#8a8f9a', 8))
    out.append(hand_over(mp, 0))
    monk, kp = person(-190, 440, 400, face='right', profile=True, body='three', mood='focus', cloth='#8a6a48', hat='hood', hat_colour='#8a6a48',
                      hands=((0.9, 1.2), (1.6, 1.2)), grips=('rest', 'fist'))
    arch, ap = person(-100, 440, 410, face='right', profile=True, body='three', mood='focus', cloth='#c2453a', cape='#e0b040', hat='brim', hat_colour='#7a2a2a',
                      hair='#5a3a22', hands=((-0.2, 1.3), (0.6, 1.2)), grips=('rest', 'fist'))
    out += [monk, arch]
    out.append(group([rect(-50, -30, 100, 60, '#f4ecd0', INK, 2), line((-30, -10), (30, -10), '#4a6fb5', 2),
                      line((-30, 8), (20, 8), '#4a6fb5', 2)], 'translate(%s %s) rotate(-12)' % (n(ap.hands[1][0] - 20),
                                                                                             n(ap.hands[1][1] - 10))))
    out += [hand_over(ap, 1), hand_over(kp, 1)]
    return out


@card(OROS + 3)
def cuatro_de_oros(c):
    out = [sky(c, 'grey', 200)]
    for x, w, h in [(-220, 80, 200), (-130, 70, 150), (130, 80, 180), (230, 70, 220)]:
        out.append(tower(x, 220, w, h, '#b9b3a8', '#6a5a6e'))
    out.append(ground(c, 220, '#9a9a8a', '#7a7a6a'))
    out.append(rect(-140, 300, 280, 140, '#b9b3a8'))
    # the coin clutched to his chest, both hands clamped on its rim
    u = 560 / 7.5
    centre = (0, 370 - 6.25 * u + 2.3 * u + 10)
    body, p = person(0, 370, 560, pose='sit', face='front', mood='stern', dress='gown', cloth='#c2453a', cape='#3a3a6a', hat='crown',
                     hair='#5a3a22', reach=rim_points(centre, 56, 0.25))
    out.append(body)
    out.append(coin_in_hands(p, centre, 56))
    out.append(coin(p.head[0], p.top - 30, 44))
    for x in (-80, 80):
        out.append(coin(x, 400, 42))
    return out


@card(OROS + 4)
def cinco_de_oros(c):
    # a winter night; the church wall on the left with its lit window, snow falling
    night = c.linear([(0, '#10131f'), (1, '#2e3450')], 0, -470, 0, 300, 'userSpaceOnUse')
    out = [rect(-300, -470, 600, 940, night, None, 0)]
    out.append(rect(-300, -470, 290, 790, '#4a4a58', INK, 2.2))
    for k, y in enumerate(range(-440, 320, 44)):
        out.append(line((-300, y), (-10, y), '#3a3a48', 1.4))
        for x in range(-300 + (k % 2) * 36, -10, 72):
            out.append(line((x, y), (x, y + 44), '#3a3a48', 1.4))
    out.append(rect(-40, -470, 30, 790, '#3a3a48', None, 0))
    # the window's warm glow on the wall and the snow
    out.append(ellipse(-155, -140, 200, 300, c.radial([(0, ('#ffd77a', 0.45)), (1, ('#ffd77a', 0))], -155, -140, 260), None, 0))
    win = 'M-245,40 L-245,-300 Q-245,-400 -155,-420 Q-65,-400 -65,-300 L-65,40 Z'
    out.append(path(win, '#f4c45a', INK, LINE + 1))
    for x, y, col in ((-220, -250, '#c2453a'), (-90, -250, '#4e8a44'), (-220, -40, '#4e8a44'), (-90, -40, '#c2453a'),
                      (-155, 10, '#5a7ac0'), (-155, -360, '#5a7ac0')):
        out.append(rect(x - 18, y - 18, 36, 36, col, INK, 1.6))
    # five coins set in the glass: two, one, two
    for x, y in ((-200, -290), (-110, -290), (-155, -200), (-200, -110), (-110, -110)):
        out.append(coin(x, y, 30))
    for x in (-200, -155, -110):
        out.append(line((x, -395 if x == -155 else -372), (x, 40), '#3a2a1a', 1.6))
    for y in (-330, -245, -155, -65):
        out.append(line((-245, y), (-65, y), '#3a2a1a', 1.6))
    out.append(path(win, 'none', INK, LINE + 1))
    out.append(rect(-258, 40, 206, 16, '#f2f4fa', INK, 2))
    # snow on the ground, drifted against the wall, blue in the shadows
    snow = c.linear([(0, '#f4f6fc'), (1, '#c8d2e6')], 0, 300, 0, 470, 'userSpaceOnUse')
    out.append(path('M-300,290 Q-150,310 0,318 Q160,312 300,322 L300,470 L-300,470 Z', snow, INK, 2.2))
    out.append(ellipse(-40, 360, 200, 30, '#ffd77a', None, 0, extra='fill-opacity="0.25"'))
    m, mp = person(-20, 430, 460, pose='walk', face='down', mood='grief', dress='tunic', cloth='#6a6a5a', legs='#4a4a3a',
                   hair='#5a3a22', hands=((-0.3, 2.4), (0.6, 2.3)), grips=('fist', 'fist'))
    out.append(m)
    for i, (hx, hy) in enumerate(mp.hands):
        out.append(line((hx, hy - 20), (hx + 10, 440), WOOD, 6))
        out.append(mp.hand(i, 'fist'))
    out.append(line((mp.x + 0.3 * mp.u, mp.top + 5.4 * mp.u), (mp.x + 0.3 * mp.u, mp.top + 6.6 * mp.u), '#f2efe6', 12))
    hx, hy = mp.head
    u = mp.u
    out.append(path('M%s,%s Q%s,%s %s,%s' % (n(hx - 0.46 * u), n(hy - 0.2 * u), n(hx), n(hy - 0.58 * u), n(hx + 0.46 * u),
                                            n(hy - 0.2 * u)), 'none', '#f2efe6', 0.2 * u))
    out.append(person(140, 420, 440, pose='walk', face='down', mood='grief', cloth='#4a3a5a', hat='hood', hat_colour='#4a3a5a',
                      hands=((0.5, 1.6), (-0.4, 1.6)))[0])
    # flakes falling before them, a few caught on the sill and their shoulders
    for k in range(46):
        x = -285 + (k * 97) % 570
        y = -450 + (k * 173) % 880
        out.append(circle(x, y, 2.5 + (k % 3), '#f4f6fa', None, 0))
    return out


@card(OROS + 5)
def seis_de_oros(c):
    out = [sky(c, 'day', 150), castle(-160, 150, 180, 130, '#d7cfbf', '#a0463c'), ground(c, 150, '#a9a28e', '#8a836e')]
    for x, y in [(-180, -330), (0, -360), (180, -330), (-180, -210), (0, -240), (180, -210)]:
        out.append(coin(x, y, 38))
    body, p = person(0, 430, 560, face='front', mood='calm', cloth='#c2453a', cape='#4a6fb5', hat='turban', hat_colour='#f2efe6',
                     hair='#5a3a22', beard='#5a3a22', hands=((-0.6, -0.2), (1.0, 2.2)), grips=('fist', 'rest'))
    out.append(body)
    lx, ly = p.hands[0]
    out.append(scales(lx, ly, 1.3))
    out.append(hand_over(p, 0))
    # a coin held out to the kneeling man, two more falling from the giving hand
    drawn, (gx, gy) = coin_in_hand(p, 1, 16)
    out.append(drawn)
    for dx, dy in ((-8, 42), (-26, 80)):
        out.append(coin(gx + dx, gy + dy, 13))
    for x, side, col in ((-190, 1, '#8a7a6a'), (200, -1, '#6a6a5a')):
        out.append(person(x, 440, 330, pose='kneel', face='right' if side > 0 else 'left', mood='grief', gaze=(side, -1), cloth=col, hair='#3a2418',
                          hands=((side * 1.1, 0.4), (side * 1.2, 0.8)))[0])
    return out


@card(OROS + 6)
def siete_de_oros(c):
    out = [sky(c, 'day', 150), hills(150, '#7fae5a', (30, 50, 30)), ground(c, 150, '#8ab85a', '#6a9a44')]
    out.append(cloud(-170, -340, 190))
    # the bush he has tended, grown taller than he is: vine stems from the ground up into a
    # tall mass of leaves, the coins hanging in it like ripe fruit on their stalks, all of it
    # inside the field

    def at(x, y):
        return 160 + (x - 175) * 0.8, -140 + (y - 70) * 1.2
    for x0, x1, x2 in ((150, 130, 110), (175, 190, 215), (200, 230, 260)):
        (a, _), (b, _), (e, _) = at(x0, 0), at(x1, 0), at(x2, 0)
        out.append(path('M%s,440 Q%s,300 %s,160' % (n(a), n(b), n(e)), 'none', '#5a3e24', 9))
    clumps = [(170, 70, 70), (110, 120, 60), (240, 110, 66), (90, 210, 58), (260, 220, 60), (170, 170, 74),
              (110, 300, 60), (250, 320, 62), (180, 270, 70), (150, 370, 56), (235, 395, 48), (175, 430, 44)]
    out.append(leaves(c, [at(x, y) + (r * 0.92,) for x, y, r in clumps], '#4e8a44', at(175, 250) + (190,)))
    for x, y in [(120, 100), (215, 84), (170, 176), (100, 240), (240, 226), (150, 318), (235, 372)]:
        x, y = at(x, y)
        out.append(path('M%s,%s q%s,-14 %s,-24' % (n(x), n(y - 30), n(-4), n(2)), 'none', '#3e6a30', 3))
        out.append(coin(x, y, 32))
    body, p = person(-150, 430, 560, hairstyle='curly', face='right', profile=True, body='three', mood='calm', dress='tunic', cloth='#d8873a', legs='#4a6fb5', hair='#5a3a22',
                     reach=((-54, 40), (-51, 66)), grips=('fist', 'fist'))
    out.append(body)
    # he leans on his hoe, both hands closed on the top of its handle, the blade on the ground
    out.append(line((-56, 14), (-24, 436), WOOD, 8))
    out.append(path('M-26,430 l40,-6 l-6,20 Z', '#8a8f9a', INK, 2))
    out += [hand_over(p, 0), hand_over(p, 1)]
    return out


@card(OROS + 7)
def ocho_de_oros(c):
    out = [sky(c, 'day', 150), castle(-180, 150, 160, 120, '#d7cfbf', '#a0463c'), ground(c, 150, '#a9a28e', '#8a836e')]
    out.append(rect(140, -420, 24, 860, '#8a5a2e'))
    for i, y in enumerate((-360, -260, -160, -60, 40, 140)):
        out.append(coin(152, y, 36))
    # the bench he sits on, side on, and the block he works at
    out.append(rect(-260, 290, 190, 26, '#8a5a2e'))
    out.append(rect(-245, 316, 22, 120, '#8a5a2e'))
    out.append(rect(-110, 316, 22, 120, '#8a5a2e'))
    out.append(rect(30, 250, 80, 190, '#9a6a3a'))
    out.append(rect(22, 240, 96, 16, '#7a4a24'))
    body, p = person(-150, 420, 480, hairstyle='curly', pose='sit', face='right', profile=True, body='side', bow=0.32, gaze=(1, 1),
                     mood='focus', dress='tunic', cloth='#4a6fb5', legs='#c2453a', hair='#5a3a22', reach=((40, 150), (56, 222)),
                     grips=('fist', 'fist'))
    out.append(coin(70, 208, 32))
    out.append(body)
    (hx, hy), (cx_, cy_) = p.hands
    # the hammer raised in the near hand, the chisel set on the coin in the far one
    out.append(line((cx_ - 2, cy_ + 6), (cx_ + 10, cy_ - 30), '#8a8f9a', 6))
    out.append(line((hx - 10, hy + 14), (hx + 8, hy - 34), WOOD, 7))
    out.append(rect(hx - 4, hy - 50, 34, 18, '#6a6f7a', INK, 2, r=3))
    out.append(coin(200, 405, 30))
    out += [hand_over(p, 0)]
    return out


@card(OROS + 8)
def nueve_de_oros(c):
    out = [sky(c, 'gold', 140), castle(200, 140, 120, 110, '#d7cfbf', '#a0463c'), ground(c, 140, '#8ab85a', '#6a9a44')]
    for x in (-250, -170, 170, 250):
        out.append(line((x, 440), (x, 120), '#6b4a30', 6))
        for k in range(4):
            out.append(grape_bunch(x + (10 if k % 2 else -14), 170 + k * 70, 1.4))
    body, p = person(-20, 430, 580, face='left', body='three', gaze=(-1, -0.6), mood='calm', dress='gown', cloth='#e0b040', cape='#c2453a', hair='#8a5a2a',
                     hairstyle='long', hat='brim', hat_colour='#3f6b3a', hands=((-1.0, 0.1), (0.6, 2.2)), pattern=lambda q: ''.join(
                         path('M%s,%s q8,-12 16,0 q-8,12 -16,0 Z' % (n(x), n(y)), '#c2453a', INK, 1.2)
                         for x, y in [q.U(-0.4, 2.5), q.U(0.3, 3.4), q.U(-0.6, 4.4), q.U(0.4, 5.4), q.U(-0.2, 6.2)]))
    out.append(body)
    lx, ly = p.hands[0]
    out.append(ellipse(lx, ly + 4, 16, 10, '#6b4a30', INK, 2))
    out.append(bird(lx + 6, ly - 30, 1.0, -1, '#8a6a48'))
    out.append(circle(lx - 8, ly - 38, 9, '#c2453a', INK, 1.5))
    for x, y in [(-220, -300), (-120, -330), (-220, -200), (-120, -230), (120, -330), (220, -300), (120, -230), (220, -200),
                 (160, 380)]:
        out.append(coin(x, y, 34))
    return out
