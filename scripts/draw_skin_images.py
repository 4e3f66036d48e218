#!/usr/bin/python3
"""Draws the skin's images into skin/ at 100, 125 and 150 % display scale.

Run with the system Python that has Pillow:  /usr/bin/python3 scripts/draw_skin_images.py
Every image is drawn at four times its pixel size and scaled down, so edges are anti-aliased.
A variant is drawn at its own size (name@125.png, name@150.png), not resampled from the 100 % one.
Pixel sizes follow the framework's rule for scaled lengths: units * scale / 100, rounded down.
Afterwards every image path named by a layout is checked to exist at all three scales.
"""
import math
import os
import re
import sys

from PIL import Image, ImageDraw, ImageFilter

SKIN = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "skin"))
SCALES = (100, 125, 150)
SS = 4  # supersampling factor

ACCENT = (0x2A, 0x84, 0xD0, 255)
ACCENT_DARK = (0x1F, 0x6F, 0xB2, 255)
ACCENT_PALE = (0xE3, 0xEF, 0xFA, 255)
ACCENT_HINT = (0xF0, 0xF6, 0xFC, 255)
WHITE = (255, 255, 255, 255)
GREY_BORDER = (0x9A, 0xA5, 0xB1, 255)


def rgba(hex_text, alpha=255):
    value = int(hex_text.lstrip("#"), 16)
    return (value >> 16 & 255, value >> 8 & 255, value & 255, alpha)


def px(units, scale):
    """A layout length in pixels at a display scale, as the framework computes it."""
    return units * scale // 100


class Canvas:
    """A surface of w x h layout units at one scale, drawn SS times larger than its pixel size."""

    def __init__(self, w, h, scale, background=(0, 0, 0, 0)):
        self.size = (px(w, scale), px(h, scale))
        self.kx = SS * self.size[0] / w
        self.ky = SS * self.size[1] / h
        self.k = (self.kx + self.ky) / 2
        self.img = Image.new("RGBA", (self.size[0] * SS, self.size[1] * SS), background)
        self.draw = ImageDraw.Draw(self.img)

    def box(self, x0, y0, x1, y1):
        return [x0 * self.kx, y0 * self.ky, x1 * self.kx, y1 * self.ky]

    def rrect(self, box, radius, fill=None, outline=None, width=1.0):
        self.draw.rounded_rectangle(self.box(*box), radius=radius * self.k, fill=fill,
                                    outline=outline, width=max(1, round(width * self.k)) if outline else 0)

    def ellipse(self, box, fill=None, outline=None, width=1.0):
        self.draw.ellipse(self.box(*box), fill=fill, outline=outline,
                          width=max(1, round(width * self.k)) if outline else 0)

    def stroke(self, points, color, width):
        """A polyline with round joints and round ends."""
        pts = [(x * self.kx, y * self.ky) for x, y in points]
        w = width * self.k
        self.draw.line(pts, fill=color, width=max(1, round(w)), joint="curve")
        for x, y in (pts[0], pts[-1]):
            self.draw.ellipse([x - w / 2, y - w / 2, x + w / 2, y + w / 2], fill=color)

    def image(self):
        return self.img.resize(self.size, Image.LANCZOS)


def save(img, relpath, scale):
    """Writes relpath (for example common/cb_hot.png) with the scale infix the framework expects."""
    base, ext = os.path.splitext(relpath)
    name = relpath if scale == 100 else "%s@%d%s" % (base, scale, ext)
    path = os.path.join(SKIN, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    img.save(path)


def cells(draw_cell, cell_w, cell_h, count, scale, horizontal=True):
    """Several state cells side by side (or stacked), each starting where the layout's source says."""
    w = px(cell_w * count, scale) if horizontal else px(cell_w, scale)
    h = px(cell_h, scale) if horizontal else px(cell_h * count, scale)
    out = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    for i in range(count):
        cell = draw_cell(i, scale)
        out.paste(cell, (px(cell_w * i, scale), 0) if horizontal else (0, px(cell_h * i, scale)))
    return out


# --- common/ ---------------------------------------------------------------------------------

def draw_buttons(scale):
    """Push buttons, 80 x 32, stretched with corner 6 by the layouts."""
    states = {
        "normal": (rgba("#3b9fe1"), ACCENT),
        "hot": (rgba("#b8cfe9"), ACCENT),
        "pushed": (rgba("#a3c0e3"), ACCENT_DARK),
        "disabled": (rgba("#eef0f2"), rgba("#d3d8de")),
    }
    for state, (fill, border) in states.items():
        c = Canvas(80, 32, scale)
        c.rrect((0.5, 0.5, 79.5, 31.5), 4, fill=fill, outline=border, width=1)
        save(c.image(), "common/button_%s.png" % state, scale)


def check_box(scale, fill, border, checked=False):
    c = Canvas(16, 16, scale)
    c.rrect((1, 1, 15, 15), 2.5, fill=fill, outline=border, width=1)
    if checked:
        c.stroke([(4.3, 8.2), (7, 10.9), (11.9, 5.4)], WHITE, 1.8)
    return c.image()


def draw_check_boxes(scale):
    """Check boxes, 16 x 16: the option states and the list-row marks."""
    images = {
        "cb_normal": check_box(scale, WHITE, GREY_BORDER),
        "cb_hot": check_box(scale, ACCENT_HINT, ACCENT),
        "cb_pushed": check_box(scale, ACCENT_PALE, ACCENT),
        "cb_selected": check_box(scale, ACCENT, ACCENT, checked=True),
        "unchecked": check_box(scale, WHITE, GREY_BORDER),
        "checked": check_box(scale, ACCENT, ACCENT, checked=True),
    }
    for name, img in images.items():
        save(img, "common/%s.png" % name, scale)


def radio_cell(selected):
    def draw(state, scale):
        c = Canvas(17, 17, scale)
        hot = state == 1
        if selected:
            ring = ACCENT_DARK if hot else ACCENT
            c.ellipse((1, 1, 16, 16), fill=ACCENT_PALE if hot else WHITE, outline=ring, width=1.2)
            c.ellipse((4.6, 4.6, 12.4, 12.4), fill=ring)
        else:
            c.ellipse((1, 1, 16, 16), fill=ACCENT_HINT if hot else WHITE,
                      outline=ACCENT if hot else GREY_BORDER, width=1)
        return c.image()
    return draw


def draw_radios(scale):
    """Radio buttons: two 17 x 17 states side by side, normal then hot."""
    save(cells(radio_cell(False), 17, 17, 2, scale), "common/radio_normal.png", scale)
    save(cells(radio_cell(True), 17, 17, 2, scale), "common/radio_selected.png", scale)


THUMB_COLOURS = (rgba("#c5cbd3"), rgba("#a9b2bd"), ACCENT)


def draw_scroll_bars(scale):
    """Scroll-bar thumbs: three states (normal, hot, pushed), 8 x 32 side by side for the vertical
    bar, 32 x 8 stacked for the horizontal one."""
    def v_cell(i, s):
        c = Canvas(8, 32, s)
        c.rrect((1.5, 1, 6.5, 31), 2.5, fill=THUMB_COLOURS[i])
        return c.image()

    def h_cell(i, s):
        c = Canvas(32, 8, s)
        c.rrect((1, 1.5, 31, 6.5), 2.5, fill=THUMB_COLOURS[i])
        return c.image()

    save(cells(v_cell, 8, 32, 3, scale), "common/vscrollbar.png", scale)
    save(cells(h_cell, 32, 8, 3, scale, horizontal=False), "common/hscrollbar.png", scale)


def draw_list_header(scale):
    """List header background, 8 x 32: a light vertical gradient over a 1-pixel bottom line."""
    w, h = px(8, scale), px(32, scale)
    img = Image.new("RGBA", (w, h))
    top, bottom = rgba("#f8fafc"), rgba("#e9eef4")
    for y in range(h):
        t = y / max(1, h - 1)
        colour = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
        for x in range(w):
            img.putpixel((x, y), colour)
    line = max(1, px(1, scale))
    for y in range(h - line, h):
        for x in range(w):
            img.putpixel((x, y), rgba("#c9d3de"))
    save(img, "common/list_header_bg.png", scale)


def draw_edits(scale):
    """Edit backgrounds, 40 x 32, stretched with corner 4."""
    states = {
        "normal": (WHITE, rgba("#c3ccd6"), 1),
        "hot": (WHITE, rgba("#7fb3e3"), 1),
        "focus": (WHITE, ACCENT, 1.5),
        "disabled": (rgba("#f2f4f6"), rgba("#d8dde3"), 1),
    }
    for state, (fill, border, width) in states.items():
        c = Canvas(40, 32, scale)
        inset = width / 2
        c.rrect((inset, inset, 40 - inset, 32 - inset), 3, fill=fill, outline=border, width=width)
        save(c.image(), "common/edit_%s.png" % state, scale)


def draw_bluetooth(scale):
    """The Bluetooth mark, 20 x 20: a white rune on an accent disc."""
    c = Canvas(20, 20, scale)
    c.ellipse((0.5, 0.5, 19.5, 19.5), fill=ACCENT)
    c.stroke([(6.4, 6.9), (13.2, 13.0), (10, 16), (10, 4), (13.2, 7.0), (6.4, 13.1)], WHITE, 1.5)
    save(c.image(), "common/bluetooth.png", scale)


# --- sysbtn/ ---------------------------------------------------------------------------------

def glyph_language(c):
    c.ellipse((8, 8, 22, 22), outline=WHITE, width=1.3)
    c.ellipse((11.6, 8, 18.4, 22), outline=WHITE, width=1.2)
    c.stroke([(8.6, 15), (21.4, 15)], WHITE, 1.2)
    for y in (11.4, 18.6):
        half = math.sqrt(49 - (y - 15) ** 2) - 0.8
        c.stroke([(15 - half, y), (15 + half, y)], WHITE, 1.1)


def glyph_about(c):
    c.ellipse((8, 8, 22, 22), outline=WHITE, width=1.3)
    c.ellipse((14.1, 10.6, 15.9, 12.4), fill=WHITE)
    c.stroke([(15, 14.3), (15, 19)], WHITE, 1.7)


def glyph_mini(c):
    c.stroke([(9.5, 15.5), (20.5, 15.5)], WHITE, 1.5)


def glyph_close(c):
    c.stroke([(10, 10), (20, 20)], WHITE, 1.5)
    c.stroke([(20, 10), (10, 20)], WHITE, 1.5)


def glyph_menu(c):
    for y in (10.5, 15, 19.5):
        c.stroke([(9.5, y), (20.5, y)], WHITE, 1.4)


def draw_caption_buttons(scale):
    """Caption-bar buttons, 30 x 30: white glyphs on the blue bar; the highlight state lightens
    the bar under the glyph, the down state darkens it."""
    glyphs = {"language": glyph_language, "about": glyph_about, "mini2": glyph_mini,
              "close2": glyph_close, "menu": glyph_menu}
    backs = {"normal": None, "highlight": (255, 255, 255, 56), "down": (0, 0, 0, 48)}
    for name, glyph in glyphs.items():
        for state, back in backs.items():
            c = Canvas(30, 30, scale)
            if back:
                c.rrect((2, 2, 28, 28), 4, fill=back)
            glyph(c)
            save(c.image(), "sysbtn/btn_%s_%s.png" % (name, state), scale)


# --- main/ and other/ ------------------------------------------------------------------------

def draw_shadow(scale):
    """Window shadow, 32 x 32 for nine-slice with corner 8 and shadow size 6: a soft dark band
    outside the window rectangle, transparent inside it."""
    n, band = px(32, scale), px(6, scale)
    mask = Image.new("L", (n, n), 0)
    ImageDraw.Draw(mask).rounded_rectangle([band, band + px(1, scale), n - band - 1, n - band],
                                           radius=px(3, scale), fill=255)
    mask = mask.filter(ImageFilter.GaussianBlur(band / 2.4))
    mask = mask.point(lambda v: round(v * 0.42))
    ImageDraw.Draw(mask).rectangle([band, band, n - band - 1, n - band - 1], fill=0)
    img = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    img.putalpha(mask)
    save(img, "main/shadow.png", scale)


def draw_search(scale):
    """Search glyph, 16 x 16: grey, and accent for the hot state."""
    for name, colour in (("search", rgba("#8a96a3")), ("search_hot", ACCENT)):
        c = Canvas(16, 16, scale)
        c.ellipse((2, 2, 11.6, 11.6), outline=colour, width=1.6)
        c.stroke([(10.4, 10.4), (14, 14)], colour, 2.0)
        save(c.image(), "main/%s.png" % name, scale)


def draw_spinner(scale, frames=12):
    """Busy spinner, 40 x 40, on white: twelve dots around a ring, the bright head running
    clockwise and the tail fading to a pale blue."""
    images = []
    for f in range(frames):
        c = Canvas(40, 40, scale, background=WHITE)
        for i in range(frames):
            age = (f - i) % frames
            t = age / frames
            colour = tuple(round(a + (b - a) * t) for a, b in zip(ACCENT, (0xDD, 0xEA, 0xF6, 255)))
            angle = 2 * math.pi * i / frames - math.pi / 2
            x, y = 20 + 14 * math.cos(angle), 20 + 14 * math.sin(angle)
            r = 3.0 - 1.0 * t
            c.ellipse((x - r, y - r, x + r, y + r), fill=colour)
        images.append(c.image().convert("RGB").convert("P", palette=Image.ADAPTIVE, colors=64))
    base = "other/loading3.gif" if scale == 100 else "other/loading3@%d.gif" % scale
    path = os.path.join(SKIN, base)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    images[0].save(path, save_all=True, append_images=images[1:], duration=80, loop=0,
                   optimize=False, disposal=1)


# --- check -----------------------------------------------------------------------------------

IMAGE_PATH = re.compile(r"[A-Za-z0-9_\-/]+\.(?:png|gif|bmp|jpg)")


def scaled_name(name, scale):
    return name if scale == 100 else name.replace(".", "@%d." % scale)


def check_references():
    """Every image path in the layouts (and the resource map) exists at every scale."""
    missing = []
    for layout in sorted(os.listdir(SKIN)):
        if not layout.endswith(".xml") or layout.startswith("lan_"):
            continue
        with open(os.path.join(SKIN, layout), encoding="utf-8") as f:
            text = f.read()
        for name in sorted(set(IMAGE_PATH.findall(text))):
            for scale in SCALES:
                if not os.path.isfile(os.path.join(SKIN, scaled_name(name, scale))):
                    missing.append("%s: %s" % (layout, scaled_name(name, scale)))
    for line in missing:
        print("missing", line, file=sys.stderr)
    return not missing


FAMILIES = (draw_buttons, draw_check_boxes, draw_radios, draw_scroll_bars, draw_list_header,
            draw_edits, draw_bluetooth, draw_caption_buttons, draw_shadow, draw_search, draw_spinner)


def main():
    for scale in SCALES:
        for family in FAMILIES:
            family(scale)
    ok = check_references()
    print("images written to %s; layout references %s" % (SKIN, "complete" if ok else "INCOMPLETE"))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
