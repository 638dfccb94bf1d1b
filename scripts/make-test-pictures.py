#!/usr/bin/env python3
"""Writes the picture files of the unit tests (tests/data/pictures/).

BMP files are written directly; JPEG and GIF come from ImageMagick's `convert`.
The colours are the ones the tests check; change both together.
    python3 scripts/make-test-pictures.py
"""
import importlib.util
import os
import shutil
import subprocess

here = os.path.dirname(os.path.abspath(__file__))
found = importlib.util.spec_from_file_location('make_skin', os.path.join(here, 'make-skin.py'))
make_skin = importlib.util.module_from_spec(found)
found.loader.exec_module(make_skin)
Canvas = make_skin.Canvas

DARK_RED = (150, 0, 0)
WHITE = (255, 255, 255)
LEFT = (220, 40, 40)
RIGHT = (40, 40, 220)
LIST_PIECES = [(10, 120, 10), (10, 10, 120), (120, 120, 10), (10, 120, 120)]
TREE_PIECES = [(200, 100, 0), (0, 100, 200), (100, 0, 200), (0, 200, 100), (100, 100, 100)]


def halves():
    c = Canvas(32, 16, LEFT)
    c.rect(16, 0, 31, 15, RIGHT)
    return c


def strip(size, colours, corner, other):
    """Piece i filled with colours[i]; its top-left 4x4 is `corner`, its bottom-right 4x4 `other`."""
    c = Canvas(size * len(colours), size, (0, 0, 0))
    for i, colour in enumerate(colours):
        x = i * size
        c.rect(x, 0, x + size - 1, size - 1, colour)
        c.rect(x, 0, x + 3, 3, corner)
        c.rect(x + size - 4, size - 4, x + size - 1, size - 1, other)
    return c


def main():
    out = os.path.join(os.path.dirname(here), 'tests', 'data', 'pictures')
    os.makedirs(out, exist_ok=True)
    path = lambda name: os.path.join(out, name)

    halves().save(path('halves.bmp'))
    subprocess.run(['convert', path('halves.bmp'), '-quality', '95', path('halves.jpg')], check=True)
    subprocess.run(['convert', path('halves.bmp'), path('halves.gif')], check=True)
    shutil.copyfile(path('halves.jpg'), path('jpeg-named.bmp'))
    open(path('empty.bmp'), 'wb').close()
    with open(path('text.bmp'), 'w') as f:
        f.write('This is a text file, not a picture.\n')
    with open(path('halves.bmp'), 'rb') as f:
        data = f.read()
    with open(path('truncated.bmp'), 'wb') as f:
        f.write(data[:len(data) // 2])
    with open(path('halves.jpg'), 'rb') as f:
        data = f.read()
    with open(path('truncated.jpg'), 'wb') as f:
        f.write(data[:len(data) // 2])

    # Skin strips: dark red in the list strip's corners, white and dark red in the tree strip's.
    strip(16, LIST_PIECES, DARK_RED, WHITE).save(path('list-strip.bmp'))
    strip(20, TREE_PIECES, WHITE, DARK_RED).save(path('tree-strip.bmp'))
    # Narrower than a full strip: the missing pieces still exist.
    strip(16, LIST_PIECES[:2], DARK_RED, WHITE).save(path('short-strip.bmp'))
    header_on = Canvas(13, 11, (10, 200, 10))
    header_on.save(path('header-on.bmp'))
    header_off = Canvas(9, 7, (200, 10, 200))
    header_off.save(path('header-off.bmp'))


if __name__ == '__main__':
    main()
