#!/usr/bin/env python3
"""Builds contact-sheet.png: every skin image with its id and size, small ones also magnified 3x."""
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import skin  # noqa: E402

CONVERT = "/usr/bin/convert"
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
BG = "#202a30"
MAX_ROW = 2000


def run(*args):
    subprocess.run([CONVERT, *args], check=True)


def main():
    png_dir, out, icons = sys.argv[1], sys.argv[2], sys.argv[3:]
    with tempfile.TemporaryDirectory() as tmp:
        tiles = []
        entries = [(r, os.path.join(png_dir, f"{r['id']}.png"), None) for r in skin.load_table()]
        for i, icon in enumerate(icons):
            size = int(subprocess.run(["identify", "-format", "%w", icon], check=True, capture_output=True,
                                      text=True).stdout)
            entries.append((dict(id=f"icon{i}", w=size, h=size, cols=1, rows=1), icon, f"icon 128: {size} px"))
        for r, src, caption in entries:
            tile = os.path.join(tmp, f"{r['id']}.png")
            parts = [src]
            if r["w"] <= 300 and r["h"] <= 100:
                parts += ["(", "-size", "10x1", "xc:none", ")", "(", src, "-filter", "point", "-resize", "300%", ")"]
            # Images sit on a checkerboard so transparent parts show; the label goes above.
            if len(parts) > 1:
                parts += ["-background", "none", "-gravity", "center", "+append"]
            run(*parts, "-bordercolor", "none", "-border", "4", tile)
            w, h = map(int, subprocess.run(["identify", "-format", "%w %h", tile], check=True,
                                           capture_output=True, text=True).stdout.split())
            label = caption or f"{r['id']}  {r['w']}x{r['h']}  ({r['cols']}x{r['rows']})"
            run("-size", f"{w}x{h}", "pattern:checkerboard", "-fill", "#3a444a", "-opaque", "#999999",
                "-fill", "#30393e", "-opaque", "#666666", tile, "-composite",
                "-background", BG, "-fill", "#e0f0f0", "-font", FONT, "-pointsize", "13",
                "-gravity", "north", "-splice", "0x20", "-annotate", "+0+3", label,
                "-bordercolor", BG, "-border", "6", tile)
            w, h = map(int, subprocess.run(["identify", "-format", "%w %h", tile], check=True,
                                           capture_output=True, text=True).stdout.split())
            tiles.append((tile, w))
        rows, cur, width = [], [], 0
        for tile, w in tiles:
            if cur and width + w > MAX_ROW:
                rows.append(cur)
                cur, width = [], 0
            cur.append(tile)
            width += w
        rows.append(cur)
        row_files = []
        for i, row in enumerate(rows):
            f = os.path.join(tmp, f"row{i}.png")
            run("-background", BG, "-gravity", "north", *row, "+append", f)
            row_files.append(f)
        run("-background", BG, "-gravity", "northwest", *row_files, "-append", "-strip", out)


if __name__ == "__main__":
    main()
