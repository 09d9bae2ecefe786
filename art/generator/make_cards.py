#!/usr/bin/env python3
"""Writes the card sources art/cards/NN.svg (NN = card number, 01 … 78) from the shared
pieces in this folder.

    make_cards.py [--out FOLDER] [--check] [card number ...]

--check writes nothing: it compares every source the generator makes with the file in the
folder and lists the ones that differ or are missing (exit status 1), so a hand edit or a
forgotten regeneration shows up in the tests. The numeral and the name are not part of the
source; the build letters them onto the band (tools/media/svgdeck_main.cpp).
"""
import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import majors  # noqa: E402
import minors  # noqa: E402
from scenery import frame_end, frame_start, scene  # noqa: E402
from svg import Card  # noqa: E402

SCENES = {}
SCENES.update(majors.SCENES)
SCENES.update(minors.SCENES)


def card_svg(number):
    card = Card(number)
    clip, field = frame_start(card)
    scene(card, clip, SCENES[number](card))
    frame_end(card, field)
    return card.text()


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
