"""The tone figures and the contact sheet of bench/faces.

The face is measured as the eye sees the small screen: the display greys in linear light,
blurred by the eye model's Gaussian of one pixel, as sRGB codes, inside the hand box carried
through the frame that snapfold chose.
"""

import os
import subprocess

import numpy as np
from PIL import Image

from picture_quality_model import (SIDE_H, SIDE_W, area_average, linear_to_srgb, perceived,
                                   srgb_to_linear)

SPREAD_GOAL = 130
MEDIAN_GOAL = (90, 200)


def slot_greys(snapfold, picture, options, folder):
    """The picture through snapfold set with options, as the display greys of the slot."""
    os.makedirs(folder, exist_ok=True)
    pack = os.path.join(folder, "pack.bin")
    subprocess.run([snapfold, "new", pack, "--force"], check=True)
    subprocess.run([snapfold, "set", pack, "1", "--id", "1", "--picture", picture] + options,
                   check=True)
    subprocess.run([snapfold, "export", pack, "-o", folder, "--force"], check=True,
                   stdout=subprocess.DEVNULL)
    path = os.path.join(folder, "slot-01_id-1.png")
    return np.asarray(Image.open(path).convert("L"), dtype=np.float64)


def face_in_slot(box, frame):
    """The hand box in the 48x50 picture's pixels, for a picture cropped to frame."""
    sx, sy = SIDE_W / frame["width"], SIDE_H / frame["height"]
    left = max(0, int(round((box[0] - frame["x"]) * sx)))
    top = max(0, int(round((box[1] - frame["y"]) * sy)))
    right = min(SIDE_W, int(round((box[0] + box[2] - frame["x"]) * sx)))
    bottom = min(SIDE_H, int(round((box[1] + box[3] - frame["y"]) * sy)))
    return left, top, right, bottom


def figures(greys, region):
    """5th-95th percentile spread and median of the face in the eye's view."""
    seen = perceived(srgb_to_linear(greys))
    left, top, right, bottom = region
    face = seen[top:bottom, left:right]
    if face.size == 0:
        return 0.0, 0.0
    low, median, high = np.percentile(face, [5, 50, 95])
    return high - low, median


def reference(picture, frame):
    """The framed part of the photo, its light averaged to 48x50, as sRGB codes."""
    rgb = np.asarray(Image.open(picture.path).convert("RGB"), dtype=np.float64)
    x, y, w, h = frame["x"], frame["y"], frame["width"], frame["height"]
    light = srgb_to_linear(rgb[y:y + h, x:x + w])
    luminance = 0.2126 * light[..., 0] + 0.7152 * light[..., 1] + 0.0722 * light[..., 2]
    return linear_to_srgb(area_average(luminance, SIDE_H, SIDE_W))


def tone_rows(snapfold, today, portraits, frames, work):
    """Prints the figures of every portrait; writes the contact sheet; returns whether the new
    default meets the goals on all of them."""
    today_cmd, today_opts = (today, []) if today else (snapfold, ["--no-auto-levels"])
    print("\nface in the eye's view: 5th-95th percentile spread (goal >= %d) and median (goal "
          "%d-%d)" % (SPREAD_GOAL, MEDIAN_GOAL[0], MEDIAN_GOAL[1]))
    print("%-26s %16s %16s" % ("portrait", "today", "new default"))
    met, rows = True, []
    for p in portraits:
        frame = frames[p.path]["frame"]
        region = face_in_slot(max(p.faces, key=lambda b: b[3]), frame)
        old = slot_greys(today_cmd, p.path, today_opts, os.path.join(work, "today"))
        new = slot_greys(snapfold, p.path, [], os.path.join(work, "new"))
        old_spread, old_median = figures(old, region)
        spread, median = figures(new, region)
        ok = spread >= SPREAD_GOAL and MEDIAN_GOAL[0] <= median <= MEDIAN_GOAL[1]
        met = met and ok
        print("%-26s %6.0f, %6.0f   %6.0f, %6.0f  %s" % (p.name, old_spread, old_median, spread,
                                                         median, "" if ok else "NOT MET"))
        rows.append((reference(p, frame), old, new))
    sheet = os.path.join(work, "contact_sheet.png")
    contact_sheet(sheet, rows)
    print("contact sheet (photo, today, new; at 1x, then at 4x):", sheet)
    return met


def tile(picture, zoom):
    image = Image.fromarray(np.clip(np.rint(picture), 0, 255).astype(np.uint8), "L")
    return image.resize((SIDE_W * zoom, SIDE_H * zoom), Image.NEAREST)


def contact_sheet(path, rows, gap=6, zoom=4):
    """One row per portrait: the photo, today's default and the new default at 1x, then the
    same three at 4x."""
    small_w, big_w = SIDE_W + gap, SIDE_W * zoom + gap
    row_h = SIDE_H * zoom + gap
    sheet = Image.new("L", (gap + 3 * small_w + 3 * big_w, gap + row_h * len(rows)), 128)
    for r, pictures in enumerate(rows):
        top = gap + r * row_h
        for c, picture in enumerate(pictures):
            sheet.paste(tile(picture, 1), (gap + c * small_w, top))
            sheet.paste(tile(picture, zoom), (gap + 3 * small_w + c * big_w, top))
    sheet.save(path)
