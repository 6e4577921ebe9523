"""The labelled set of bench/faces: Debian's sample photos, their hand boxes, and variants.

Every picture is written as a PNG into the work folder with the boxes of the faces it holds, so
that the detector sees exactly what the boxes describe. Exposure changes act on linear light, as
a camera's exposure or a haze does.
"""

import json
import os
import subprocess

import numpy as np
from PIL import Image

from picture_quality_model import linear_to_srgb, srgb_to_linear

HERE = os.path.dirname(os.path.abspath(__file__))
LABELS = os.path.join(HERE, "faces_labels.json")
# Faces smaller than this in the picture as shown are too small to frame: the frame would
# enlarge them. Recall counts only faces at least this tall.
SMALLEST_FACE = 24
SCALED_FACES = [24, 36, 60]
ROTATIONS = [-15, -8, 8, 15]


class Picture:
    def __init__(self, name, image, faces, kind):
        self.name = name            # file name in the set
        self.image = image          # PIL RGB image
        self.faces = faces          # hand boxes [x, y, w, h]
        self.kind = kind            # "portrait", "face", "montage" or "none"
        self.path = None


def fetch(work, packages):
    """Each package's data folder, unpacked from its .deb into the work folder."""
    folders = {}
    for package, data in packages.items():
        target = os.path.join(work, "packages", package)
        if not os.path.isdir(os.path.join(target, data)):
            os.makedirs(target, exist_ok=True)
            subprocess.run(["apt-get", "download", package], cwd=work, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            debs = sorted(f for f in os.listdir(work) if f.startswith(package + "_"))
            subprocess.run(["dpkg-deb", "-x", os.path.join(work, debs[-1]), target], check=True)
        folders[package] = os.path.join(target, data)
    return folders


def source(folders, key):
    package, name = key.split("/", 1)
    return os.path.join(folders[package], name)


def exposed(image, gain=1.0, veil=0.0, squash=False):
    """The picture with its light multiplied and a veil of light added, in linear light.
    squash keeps highlights from clipping, as a camera's shoulder does when overexposed."""
    light = srgb_to_linear(np.asarray(image, dtype=np.float64)) * gain
    if squash:
        light = light * 1.0 / (1.0 + light * (gain - 1.0) / gain)
    light = light * (1.0 - veil) + veil
    return Image.fromarray(np.rint(linear_to_srgb(light)).astype(np.uint8), "RGB")


def scaled_boxes(faces, factor):
    return [[round(v * factor) for v in box] for box in faces]


def rotated(image, faces, degrees):
    """Turned about its centre, the picture grown to hold all of it; each box keeps its size
    and moves with its centre."""
    turned = image.rotate(degrees, resample=Image.BICUBIC, expand=True, fillcolor=(128, 128, 128))
    cx, cy = image.width / 2, image.height / 2
    nx, ny = turned.width / 2, turned.height / 2
    angle = np.radians(degrees)
    boxes = []
    for x, y, w, h in faces:
        fx, fy = x + w / 2 - cx, y + h / 2 - cy
        rx = fx * np.cos(angle) + fy * np.sin(angle)
        ry = -fx * np.sin(angle) + fy * np.cos(angle)
        boxes.append([round(nx + rx - w / 2), round(ny + ry - h / 2), w, h])
    return turned, boxes


def variants(base, stem, kind):
    """The exposure, contrast, size, angle and mirror variants of one labelled photo."""
    image, faces = base.image, base.faces
    out = [Picture(stem + "-dark.png", exposed(image, gain=0.12), faces, kind),
           Picture(stem + "-bright.png", exposed(image, gain=3.0, squash=True), faces, kind),
           Picture(stem + "-flat.png", exposed(image, gain=0.3, veil=0.4), faces, kind)]
    mirrored = image.transpose(Image.FLIP_LEFT_RIGHT)
    out.append(Picture(stem + "-mirrored.png", mirrored,
                       [[image.width - x - w, y, w, h] for x, y, w, h in faces], kind))
    for degrees in ROTATIONS:
        turned, boxes = rotated(image, faces, degrees)
        out.append(Picture("%s-turned%+d.png" % (stem, degrees), turned, boxes, "face"))
    tallest = max(h for _, _, _, h in faces)
    for target in SCALED_FACES:
        factor = target / tallest
        if factor < 1.0:
            size = (round(image.width * factor), round(image.height * factor))
            out.append(Picture("%s-face%d.png" % (stem, target),
                               image.resize(size, Image.LANCZOS),
                               scaled_boxes(faces, factor), "face"))
    return out


def tile_picture(tiles, index, zoom, margin):
    """One face tile enlarged, with its edges carried outwards as the face's surroundings."""
    tile = Image.fromarray(np.rint(tiles[index] * 255).astype(np.uint8), "L")
    side = tiles.shape[1] * zoom
    tile = np.asarray(tile.resize((side, side), Image.BICUBIC))
    padded = np.pad(tile, margin, mode="edge")
    return Image.fromarray(padded, "L").convert("RGB"), [margin, margin, side, side]


def montage_of_tiles(tiles, count=25, cell=512, zoom=4):
    """25 faces about 100 pixels tall on a 2560-pixel picture, five to a row."""
    per_row = 5
    sheet = Image.new("RGB", (cell * per_row, cell * ((count + per_row - 1) // per_row)),
                      (150, 150, 150))
    boxes = []
    for i in range(count):
        face, (mx, my, w, h) = tile_picture(tiles, i * 3 % 100, zoom, 60)
        left = (i % per_row) * cell + (cell - face.width) // 2
        top = (i // per_row) * cell + (cell - face.height) // 2
        sheet.paste(face, (left, top))
        boxes.append([left + mx, top + my, w, h])
    return Picture("montage-25-faces.png", sheet, boxes, "montage")


def montage_of_photos(photos, height=420):
    """The labelled photos side by side, each scaled to one height, in one picture."""
    scaled = []
    for p in photos:
        factor = height / p.image.height
        size = (round(p.image.width * factor), height)
        scaled.append((p.image.resize(size, Image.LANCZOS), scaled_boxes(p.faces, factor)))
    sheet = Image.new("RGB", (sum(i.width for i, _ in scaled), height), (128, 128, 128))
    boxes, left = [], 0
    for image, faces in scaled:
        sheet.paste(image, (left, 0))
        boxes += [[x + left, y, w, h] for x, y, w, h in faces]
        left += image.width
    return Picture("montage-photos.png", sheet, boxes, "montage")


def build_set(work):
    """Every picture of the set, written into work/set; returns them."""
    labels = json.load(open(LABELS))
    folders = fetch(work, labels["packages"])
    photos = []
    for key, faces in labels["faces"].items():
        stem = os.path.splitext(os.path.basename(key))[0]
        image = Image.open(source(folders, key)).convert("RGB")
        photos.append(Picture(stem + ".png", image, faces, "portrait"))
    tiles = np.load(source(folders, labels["face_tiles"]))
    for index in labels["portrait_tiles"]:
        image, box = tile_picture(tiles, index, 8, 100)
        photos.append(Picture("face-tile-%d.png" % index, image, [box], "portrait"))
    pictures = list(photos)
    for photo in photos:
        pictures += variants(photo, os.path.splitext(photo.name)[0], "portrait")
    pictures.append(montage_of_tiles(tiles))
    pictures.append(montage_of_photos(photos[:3]))
    for key in labels["non_faces"]:
        name = "none-" + os.path.splitext(os.path.basename(key))[0] + ".png"
        pictures.append(Picture(name, Image.open(source(folders, key)).convert("RGB"), [], "none"))
    folder = os.path.join(work, "set")
    os.makedirs(folder, exist_ok=True)
    for p in pictures:
        p.path = os.path.join(folder, p.name)
        if not os.path.exists(p.path):
            p.image.save(p.path)
    return pictures
