"""Builds the maths font "Ruvo" from DejaVu Sans.

The program's texts put superscript digits, the superscript minus and a few
signs on code points of Latin letters; this font draws those glyphs there.

    make_font.py <DejaVuSans.ttf> <Ruvo.ttf>
"""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

# code point in the program's text -> code point of the glyph in DejaVu Sans
REMAP = {
    0x0154: 0x2070, 0x00C1: 0x00B9, 0x00C2: 0x00B2, 0x0102: 0x00B3, 0x00C4: 0x2074,
    0x0139: 0x2075, 0x0106: 0x2076, 0x00C7: 0x2077, 0x010C: 0x2078, 0x00C9: 0x2079,
    0x00AC: 0x207B,  # superscript minus
    0x00A9: 0x221A,  # square root
    0x00B4: 0x221E,  # overflow sign
    0x017C: 0x2260,  # not equal, the condition sign
}
KEEP = list(range(0x20, 0x7F)) + [0x00B7]
FAMILY = "Ruvo"


def build(source, target):
    font = TTFont(source)
    options = subset.Options()
    options.name_IDs = ["*"]
    options.notdef_outline = True
    options.layout_features = []
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=KEEP + list(REMAP.values()))
    subsetter.subset(font)

    best = font.getBestCmap()
    mapping = {cp: best[cp] for cp in KEEP if cp in best}
    for target_cp, source_cp in REMAP.items():
        mapping[target_cp] = best[source_cp]
    for table in font["cmap"].tables:
        if table.isUnicode() or (table.platformID == 3 and table.platEncID in (1, 10)):
            table.cmap = dict(mapping)
    rename(font)
    font.save(target)


def rename(font):
    names = font["name"]
    for record in list(names.names):
        if record.nameID in (16, 17, 21, 22):
            names.removeNames(nameID=record.nameID)
    for name_id, value in ((1, FAMILY), (2, "Book"), (3, FAMILY + " 2.0"), (4, FAMILY),
                           (6, FAMILY)):
        names.setName(value, name_id, 3, 1, 0x409)
        names.setName(value, name_id, 1, 0, 0)
    # The copyright notice (ID 0) and the licence (IDs 13, 14) stay as DejaVu has them.
    names.setName("Ruvo is DejaVu Sans with maths glyphs moved to the code points "
                  "of Loravik Kvantira 2.", 10, 3, 1, 0x409)


if __name__ == "__main__":
    build(sys.argv[1], sys.argv[2])
