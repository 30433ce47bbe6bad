#!/usr/bin/env python3
"""Draws the installer's icon: a cutter with its roll of vinyl and a green arrow going into it.

Run it from anywhere; it writes fennik.ico next to itself. The generated file is committed, so the
build does not need Python. The drawing helpers are the editor's (resources/images).
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(HERE, '..', '..', 'images'))

from make_images import DARK, GREEN, GREY, MID, NAVY, PAPER, RED, WHITE, Canvas, write_ico  # noqa: E402


def installer_icon(size):
    c = Canvas(size, size)
    s = size / 32.0
    # The vinyl coming out of the cutter, with a letter being cut.
    c.box(7 * s, 17 * s, 25 * s, 30 * s, PAPER, DARK)
    c.poly([(11 * s, 27 * s), (14 * s, 20 * s), (17 * s, 27 * s)], RED)
    c.line(12 * s, 25 * s, 16 * s, 25 * s, RED)
    # The cutter's body and its head on the rail.
    c.box(2 * s, 12 * s, 30 * s, 18 * s, MID, DARK)
    c.fill(4 * s, 14 * s, 28 * s, 15 * s, NAVY)
    c.box(18 * s, 11 * s, 22 * s, 17 * s, WHITE, DARK)
    # The arrow of the installation.
    c.fill(12 * s, 1 * s, 16 * s, 6 * s, GREEN)
    c.fill_poly([(8 * s, 6 * s), (20 * s, 6 * s), (14 * s, 11 * s)], GREEN)
    c.poly([(8 * s, 6 * s), (20 * s, 6 * s), (14 * s, 11 * s)], DARK, True)
    return c


def main():
    write_ico(os.path.join(HERE, 'fennik.ico'), [installer_icon(32), installer_icon(16)], GREY)


if __name__ == '__main__':
    main()
