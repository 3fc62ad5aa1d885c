#!/usr/bin/python3
"""foot_slide.py [LEG_HEIGHT...]

How far Santa's planted boot slides over the pavement in one step, for the
leg picture in data/art/santa.py (or for the leg heights given). The scene
swings each leg by 30 degrees times sin(0.005 t) about the hip, t in ms, and
scrolls the front city layer, and so the pavement, 0.1 px a millisecond to
the left while Santa walks in place. The sole lies three quarters of the leg
picture's height below the hip, the point the picture turns about.

A boot is planted while it moves backwards, from the front of its swing to
the back, half a swing period (628 ms). Printed per step, in pixels of a
640 x 480 screen: how far the boot moves, how far the pavement moves, the
net slide between them, and the spread: how far the boot wanders about the
one paving spot that stays closest to it through the step."""

import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data", "art"))

SWING = math.radians(30.0)  # amplitude of the leg angle
RATE = 0.005                # radians of the swing's sine per millisecond
SCROLL = 0.1                # pavement speed, px per millisecond


def step(sole_below_hip, dt=0.05):
    """(boot travel, pavement travel, net slide, spread) over one planted half swing."""
    period = math.pi / RATE
    steps = int(period / dt)
    offset = 0.0      # paving spot minus boot, from where the boot was put down
    low = high = 0.0
    for k in range(steps):
        t = -period / 2 + (k + 0.5) * dt
        angle = SWING * math.sin(RATE * t)
        boot_speed = sole_below_hip * math.cos(angle) * SWING * RATE * math.cos(RATE * t)
        offset += (SCROLL - boot_speed) * dt
        low, high = min(low, offset), max(high, offset)
    travel = 2 * sole_below_hip * math.sin(SWING)
    return travel, SCROLL * period, offset, high - low


def main(argv):
    if len(argv) > 1:
        heights = [float(a) for a in argv[1:]]
    else:
        import santa
        heights = [float(santa.IMAGES["leg.tga"][1])]
    print("leg height  sole below hip  boot moves  pavement moves  net slide  spread")
    for height in heights:
        sole = 0.75 * height
        travel, pavement, net, spread = step(sole)
        print("%10.0f  %14.1f  %10.1f  %14.1f  %9.1f  %6.1f" % (height, sole, travel, pavement, net, spread))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
