#!/usr/bin/env python3
"""Writes the card sources art/cards/NN.svg (NN = card number, 01 … 78) from the shared
pieces in this folder.

    make_cards.py [--out FOLDER] [--check] [card number ...]

--check writes nothing: it compares every source the generator makes with the file in the
folder and lists the ones that differ or are missing (exit status 1), so a hand edit or a
forgotten regeneration shows up in the tests. The numeral and the name are not part of the
source; the build letters them onto the band (tools/media/svgdeck_main.cpp).

The faces of a card's main figures (every figure at least 0.6 times as tall as its tallest one,
unless a scene says otherwise) are groups with a `data-face="x y w h"` attribute, the
eyes-to-mouth box in the group's own coordinates, so the tests can see that no later shape
covers them and that the field's edge does not cut them.
"""
import argparse
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import figures  # noqa: E402
import majors  # noqa: E402
import minors  # noqa: E402
from scenery import frame_end, frame_start, scene  # noqa: E402
from svg import Card, n  # noqa: E402

SCENES = {}
SCENES.update(majors.SCENES)
SCENES.update(minors.SCENES)


def mark_faces(text):
    drawn = figures.DRAWN
    shown = [int(k) for k in re.findall(r'<g data-face="@(\d+)">', text)]
    tallest = max([drawn[k].u for k in shown if drawn[k].main is not False] or [0])

    def mark(m):
        p = drawn[int(m.group(1))]
        if p.main or (p.main is None and p.u >= 0.6 * tallest):
            return '<g data-face="%s">' % ' '.join(n(v) for v in p.face_box())
        return '<g>'
    return re.sub(r'<g data-face="@(\d+)">', mark, text)


def card_svg(number):
    card = Card(number)
    figures.begin_card(number, card)
    clip, field = frame_start(card)
    scene(card, clip, SCENES[number](card))
    frame_end(card, field)
    return mark_faces(card.text())


def file_name(number):
    return '%02d.svg' % number


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('--out', default=os.path.join(HERE, '..', 'cards'))
    ap.add_argument('--check', action='store_true')
    ap.add_argument('cards', nargs='*', type=int)
    args = ap.parse_args()
    numbers = args.cards or sorted(SCENES)
    bad = []
    for number in numbers:
        if number not in SCENES:
            print('no scene for card %d' % number, file=sys.stderr)
            return 2
        text = card_svg(number)
        target = os.path.join(args.out, file_name(number))
        if args.check:
            try:
                with open(target, encoding='utf-8') as f:
                    if f.read() != text:
                        bad.append(target)
            except OSError:
                bad.append(target)
            continue
        os.makedirs(args.out, exist_ok=True)
        with open(target, 'w', encoding='utf-8', newline='\n') as f:
            f.write(text)
    if bad:
        print('card sources differ from the generator (run art/generator/make_cards.py):', file=sys.stderr)
        for b in bad:
            print('  ' + b, file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
