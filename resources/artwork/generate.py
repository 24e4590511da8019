"""Draws the six editor images, the preview and the application's icon; run with Debian's /usr/bin/python3 (python3-cairo)."""

import argparse
import pathlib
import sys

if __package__ in (None, ""):
    sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent))
    __package__ = "artwork"

from . import background, icon, knob, layout, lever, needle, paint, preview  # noqa: E402

RESOURCES = pathlib.Path(__file__).resolve().parent.parent
RENDERERS = {
    layout.BACKGROUND: background.render,
    layout.KNOB_LARGE: knob.render,
    layout.KNOB_MEDIUM: knob.render,
    layout.KNOB_SMALL: knob.render,
    layout.NEEDLE: needle.render,
    layout.LEVER: lever.render,
}


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--images", type=pathlib.Path, default=RESOURCES / "images",
                        help="folder for the six PNGs")
    parser.add_argument("--preview", type=pathlib.Path, default=RESOURCES / "preview.png",
                        help="where to write the composed preview")
    parser.add_argument("--icon", type=pathlib.Path, default=RESOURCES / "icon" / "qm07-compressor.png",
                        help="where to write the application's icon")
    args = parser.parse_args()
    args.images.mkdir(parents=True, exist_ok=True)
    surfaces = {}
    for image in layout.IMAGES:
        surfaces[image] = RENDERERS[image](image)
        paint.write_png(surfaces[image], args.images / image.file)
    paint.write_png(preview.compose(surfaces), args.preview)
    args.icon.parent.mkdir(parents=True, exist_ok=True)
    paint.write_png(icon.render(), args.icon)


if __name__ == "__main__":
    main()
