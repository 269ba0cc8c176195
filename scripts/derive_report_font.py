#!/usr/bin/python3
"""The report font: WenQuanYi Zen Hei with one character per glyph.

The font draws some characters with another's glyph: 胶 U+80F6 and 㬵 U+3B35, 米 U+7C73 and the
radical ⽶ U+2F76. A PDF writer maps each glyph back to one character for text extraction, and
may pick the rare one, so that "底胶" is found as "底㬵". Here each shared glyph keeps only its
common character (a CJK unified ideograph before a radical, an extension or a compatibility
form; ASCII and the usual symbols first of all), and the family is renamed so that it is never
mistaken for the installed font.

usage: derive_report_font.py SOURCE.ttc OUTPUT.ttf
"""
import sys

from fontTools.ttLib import TTCollection

FAMILY = "Pylora Report Hei"


def commonness(code):
    """Lower is more common: the character a shared glyph keeps."""
    if code < 0x2E80:
        return (0, code)  # Latin, Greek, punctuation, ℃ and other symbols
    if 0x4E00 <= code <= 0x9FFF:
        return (1, code)  # CJK unified ideographs
    if 0x3000 <= code <= 0x33FF or 0xFF00 <= code <= 0xFFEF:
        return (2, code)  # CJK punctuation, kana, full-width forms
    return (3, code)      # radicals, extension A, compatibility ideographs, private use


def main(source, output):
    font = TTCollection(source).fonts[0]
    cmap = font["cmap"]
    best = {}
    for table in cmap.tables:
        if not table.isUnicode():
            continue
        for code, glyph in table.cmap.items():
            if glyph not in best or commonness(code) < commonness(best[glyph]):
                best[glyph] = code
    for table in cmap.tables:
        if table.isUnicode():
            table.cmap = {code: glyph for code, glyph in table.cmap.items() if best.get(glyph) == code}
    names = font["name"]
    for record in names.names:
        if record.nameID in (1, 16):
            record.string = FAMILY
        elif record.nameID in (3, 4):
            record.string = FAMILY + " Regular" if record.nameID == 4 else FAMILY + " 1.0"
        elif record.nameID == 6:
            record.string = FAMILY.replace(" ", "") + "-Regular"
    font.save(output)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
