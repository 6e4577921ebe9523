"""The table, the goals and the contact sheet of bench/picture_quality."""

import numpy as np
from PIL import Image

from picture_quality_model import linear_to_srgb

# Mean PSNR (dB) and SSIM above ImageMagick that the default must reach, and the PSNR that
# Floyd-Steinberg must reach.
DEFAULT_PSNR_GAIN = 5.5
DEFAULT_SSIM_GAIN = 0.01
FLOYD_PSNR_GAIN = 4.0


def means(figures):
    return (float(np.mean([f[0] for f in figures])), float(np.mean([f[1] for f in figures])))


def print_table(photos, figures):
    names = list(figures)
    print("%-22s" % "photo" + "".join("%18s" % n for n in names))
    for i, photo in enumerate(photos):
        print("%-22s" % photo + "".join(
            "%10.2f %6.4f " % tuple(figures[n][i]) for n in names))
    print("%-22s" % "mean" + "".join("%10.2f %6.4f " % means(figures[n]) for n in names))


def report(photos, figures, magick, default, baseline):
    """Prints everything; returns whether every goal is met."""
    print_table(photos, figures)
    magick_psnr, magick_ssim = means(figures[magick])
    print("\ndifference from ImageMagick (mean PSNR dB, mean SSIM):")
    for name in figures:
        if name != magick:
            p, s = means(figures[name])
            print("  %-16s %+6.2f dB  %+7.4f" % (name, p - magick_psnr, s - magick_ssim))
    goals = []
    p, s = means(figures[default])
    goals.append(("default (%s) >= %.1f dB above ImageMagick" % (default, DEFAULT_PSNR_GAIN),
                  p - magick_psnr >= DEFAULT_PSNR_GAIN))
    goals.append(("default (%s) >= %.2f SSIM above ImageMagick" % (default, DEFAULT_SSIM_GAIN),
                  s - magick_ssim >= DEFAULT_SSIM_GAIN))
    p, _ = means(figures["floyd-steinberg"])
    goals.append(("floyd-steinberg >= %.1f dB above ImageMagick" % FLOYD_PSNR_GAIN,
                  p - magick_psnr >= FLOYD_PSNR_GAIN))
    goals += compare_with_today(figures, baseline, photos)
    print("\ngoals:")
    for text, met in goals:
        print("  %-60s %s" % (text, "met" if met else "NOT MET"))
    return all(met for _, met in goals)


def compare_with_today(figures, baseline, photos):
    if baseline is None or baseline.get("photos") != photos:
        print("\nno figures of today's result for these photos; run with --record-baseline")
        return [("no dithering below today's result", False)]
    print("\nagainst today's result (mean PSNR dB, mean SSIM):")
    goals = []
    for name, old in baseline["figures"].items():
        old_p, old_s = means(old)
        new_p, new_s = means(figures[name])
        print("  %-16s %6.2f -> %6.2f dB (%+5.2f)  %.4f -> %.4f" %
              (name, old_p, new_p, new_p - old_p, old_s, new_s))
        goals.append(("%s not below today's %.2f dB" % (name, old_p), new_p >= old_p))
    return goals


def contact_sheet(path, photos, references, results, zoom=3, gap=4):
    """One row per photo: the reference's light, then every contender, each enlarged."""
    columns = [("reference", [linear_to_srgb(r) for r in references])] + list(results.items())
    cell_w, cell_h = 48 * zoom + gap, 50 * zoom + gap
    sheet = Image.new("L", (cell_w * len(columns) + gap, cell_h * len(photos) + gap), 128)
    for c, (_, pictures) in enumerate(columns):
        for r, picture in enumerate(pictures):
            tile = Image.fromarray(np.clip(np.rint(picture), 0, 255).astype(np.uint8), "L")
            tile = tile.resize((48 * zoom, 50 * zoom), Image.NEAREST)
            sheet.paste(tile, (gap + c * cell_w, gap + r * cell_h))
    sheet.save(path)
    print("columns:", ", ".join(name for name, _ in columns))
