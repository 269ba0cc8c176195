#!/usr/bin/python3
"""Renders a profile drawing (DXF) to PNG with ezdxf's drawing add-on and matplotlib, to look at it
as a CAD program would show it.

Usage: render_profile_dxf.py DRAWING.dxf PICTURE.png [INCHES]

The drawing's text style names 宋体 (simsun.ttc, family SimSun); where it is not installed, the
CJK font the system has stands in for it, as a CAD program substitutes a missing font.
"""
import sys

import ezdxf
import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
from matplotlib import font_manager  # noqa: E402
from ezdxf.addons.drawing import Frontend, RenderContext  # noqa: E402
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend  # noqa: E402
from ezdxf.addons.drawing.properties import LayoutProperties  # noqa: E402
from ezdxf.tools import fonts  # noqa: E402


def cjk_family():
    for font in font_manager.fontManager.ttflist:
        if "CJK" in font.name or "WenQuanYi" in font.name:
            return font.name
    return "sans-serif"


def stand_in_for_missing_fonts(doc):
    """A TrueType style whose family is not installed gets the system's CJK font."""
    installed = {font.name for font in font_manager.fontManager.ttflist}
    for style in doc.styles:
        file = style.dxf.font
        face = fonts.find_font_face(file)
        if file.lower().endswith((".ttf", ".ttc")) and (not face or face.family not in installed):
            fonts.font_face_cache[fonts.cache_key(file)] = fonts.FontFace(ttf=file, family=cjk_family())


def main(source, picture, inches=16.0):
    doc = ezdxf.readfile(source)
    stand_in_for_missing_fonts(doc)
    figure = plt.figure()
    axes = figure.add_axes([0, 0, 1, 1])
    layout = LayoutProperties.from_layout(doc.modelspace())
    layout.set_colors("#ffffff")
    Frontend(RenderContext(doc), MatplotlibBackend(axes)).draw_layout(doc.modelspace(), finalize=True,
                                                                       layout_properties=layout)
    figure.set_size_inches(inches, inches)
    figure.savefig(picture, facecolor="white", dpi=150)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], *(float(a) for a in sys.argv[3:4]))
