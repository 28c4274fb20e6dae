#!/usr/bin/python3
"""Draws every picture of Quillmere Pro and writes them beside this script.

    /usr/bin/python3 art/draw_pictures.py [contact-sheet.png]

Needs Debian's python3-cairo (listed in scripts/setup.sh). Output:
- art/qlmres/*.bmp   the bitmaps of the resource library qlmres.dll
- art/program/*.bmp  the check-box strips, the report's marks, the update
                     window's line images and the top-bar button strips of
                     quillmere.exe
- art/program/quillmere.ico  the program icon (16, 24, 32, 48 and 256 pixels)
- art/installer/wizard.bmp   the side picture of the installer's welcome and
                             finish pages (164 by 314, opaque)
Bitmaps are 32-bit with premultiplied alpha (ready for AlphaBlend); the icon
holds straight alpha and an AND mask, as icons do. With an argument, a PNG
contact sheet of everything, enlarged, on the window's grey and on white.
"""

import io
import math
import os
import struct
import sys

import cairo

HERE = os.path.dirname(os.path.abspath(__file__))

# The palette: the window's blue and navy, the marquee bar's orange, the
# status colours of the panels.
NAVY = (0.106, 0.227, 0.400)
BLUE = (0.184, 0.427, 0.710)
SKY = (0.490, 0.706, 0.925)
ORANGE = (0.973, 0.639, 0.000)
GREEN = (0.133, 0.600, 0.000)
LIGHT_GREEN = (0.380, 0.780, 0.250)
RED = (0.780, 0.110, 0.110)
LIGHT_RED = (0.930, 0.330, 0.300)
AMBER = (0.925, 0.733, 0.000)
LIGHT_AMBER = (0.992, 0.850, 0.300)
WHITE = (1.0, 1.0, 1.0)
GREY = (0.627, 0.627, 0.588)
DARK = (0.200, 0.220, 0.250)


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def surface(width, height):
    s = cairo.ImageSurface(cairo.FORMAT_ARGB32, width, height)
    return s, cairo.Context(s)


def rounded_rect(cr, x, y, w, h, r):
    cr.new_sub_path()
    cr.arc(x + w - r, y + r, r, -math.pi / 2, 0)
    cr.arc(x + w - r, y + h - r, r, 0, math.pi / 2)
    cr.arc(x + r, y + h - r, r, math.pi / 2, math.pi)
    cr.arc(x + r, y + r, r, math.pi, 3 * math.pi / 2)
    cr.close_path()


def vertical(y0, y1, top, bottom, alpha=1.0):
    g = cairo.LinearGradient(0, y0, 0, y1)
    g.add_color_stop_rgba(0, *top, alpha)
    g.add_color_stop_rgba(1, *bottom, alpha)
    return g


def radial(cx, cy, r, inner, outer):
    g = cairo.RadialGradient(cx - r * 0.35, cy - r * 0.45, r * 0.1, cx, cy, r)
    g.add_color_stop_rgb(0, *inner)
    g.add_color_stop_rgb(1, *outer)
    return g


def shadow(cr, draw, dx=0, dy=1, alpha=0.25):
    """Draws the path that draw() makes, offset, as a soft shadow."""
    cr.save()
    cr.translate(dx, dy)
    draw()
    cr.set_source_rgba(0, 0, 0, alpha)
    cr.fill()
    cr.restore()


def gloss(cr, x, y, w, h, alpha=0.45):
    """A white sheen over the upper half of a shape already in the clip."""
    g = cairo.LinearGradient(0, y, 0, y + h / 2)
    g.add_color_stop_rgba(0, 1, 1, 1, alpha)
    g.add_color_stop_rgba(1, 1, 1, 1, 0)
    cr.rectangle(x, y, w, h / 2)
    cr.set_source(g)
    cr.fill()


# --- shapes shared by several pictures ------------------------------------

def quill_path(cr, s):
    """A feather from the lower left to the upper right in a unit box of s."""
    cr.move_to(0.14 * s, 0.90 * s)
    cr.curve_to(0.30 * s, 0.55 * s, 0.55 * s, 0.22 * s, 0.90 * s, 0.08 * s)
    cr.curve_to(0.86 * s, 0.38 * s, 0.64 * s, 0.64 * s, 0.30 * s, 0.74 * s)
    cr.curve_to(0.25 * s, 0.80 * s, 0.20 * s, 0.86 * s, 0.14 * s, 0.90 * s)
    cr.close_path()


def quill_spine(cr, s):
    cr.move_to(0.10 * s, 0.96 * s)
    cr.curve_to(0.32 * s, 0.62 * s, 0.55 * s, 0.35 * s, 0.84 * s, 0.14 * s)


def sparkle(cr, cx, cy, r, color):
    cr.move_to(cx, cy - r)
    for i in range(4):
        a = math.pi / 2 * i
        cr.curve_to(cx + math.sin(a) * r * 0.15, cy - math.cos(a) * r * 0.15,
                    cx + math.sin(a + math.pi / 4) * r * 0.15, cy - math.cos(a + math.pi / 4) * r * 0.15,
                    cx + math.sin(a + math.pi / 2) * r, cy - math.cos(a + math.pi / 2) * r)
    cr.close_path()
    cr.set_source_rgb(*color)
    cr.fill()


def app_icon(cr, s):
    """The program's mark: a blue tile with a white quill and a spark."""
    m = max(0.5, s / 32)
    rounded_rect(cr, m, m, s - 2 * m, s - 2 * m, s * 0.2)
    cr.set_source(vertical(0, s, mix(SKY, BLUE, 0.3), NAVY))
    cr.fill_preserve()
    cr.save()
    cr.clip()
    gloss(cr, 0, 0, s, s, 0.35)
    cr.restore()
    cr.set_line_width(max(1.0, s / 32))
    cr.set_source_rgba(*NAVY, 0.9)
    rounded_rect(cr, m, m, s - 2 * m, s - 2 * m, s * 0.2)
    cr.stroke()
    cr.save()
    cr.translate(s * 0.08, s * 0.06)
    cr.scale(0.86, 0.86)
    quill_path(cr, s)
    cr.set_source(vertical(0, s, WHITE, (0.85, 0.90, 0.97)))
    cr.fill()
    if s >= 24:
        quill_spine(cr, s)
        cr.set_line_width(s / 40)
        cr.set_source_rgba(*NAVY, 0.55)
        cr.stroke()
    cr.restore()
    sparkle(cr, s * 0.30, s * 0.30, s * (0.16 if s >= 24 else 0.20), ORANGE)


# --- the installer --------------------------------------------------------

def installer_wizard():
    """The installer's side picture: the mark and the name on the blue of
    the mark's tile."""
    w, h = 164, 314
    s, cr = surface(w, h)
    cr.rectangle(0, 0, w, h)
    cr.set_source(vertical(0, h, mix(SKY, BLUE, 0.45), NAVY))
    cr.fill()
    cr.save()
    cr.translate((w - 96) / 2, 58)
    app_icon(cr, 96)
    cr.restore()
    cr.set_source_rgb(*WHITE)
    cr.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    cr.set_font_size(17)
    for text, y, size in (("Quillmere Pro", 186, 17), ("junk-file cleaner", 206, 10)):
        cr.set_font_size(size)
        extents = cr.text_extents(text)
        cr.move_to((w - extents.x_advance) / 2, y)
        cr.show_text(text)
        cr.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_NORMAL)
    return s


# --- qlmres.dll -----------------------------------------------------------

def main_logo():
    s, cr = surface(200, 50)
    cr.save()
    cr.translate(4, 5)
    app_icon(cr, 40)
    cr.restore()
    # the name and its badge take the room right of the mark, up to 2 pixels
    # from the edge
    cr.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    cr.set_font_size(10)
    badge = cr.text_extents("PRO").x_advance + 7
    size = 24.0
    while True:
        cr.set_font_size(size)
        name = cr.text_extents("Quillmere").x_advance
        if 50 + name + 4 + badge <= 198:
            break
        size -= 0.5
    cr.move_to(50, 31)
    cr.text_path("Quillmere")
    cr.set_source(vertical(12, 34, BLUE, NAVY))
    cr.fill()
    x = 50 + name + 4
    rounded_rect(cr, x, 18, badge, 14, 3.5)
    cr.set_source(vertical(18, 32, mix(ORANGE, WHITE, 0.2), mix(ORANGE, (0.8, 0.4, 0), 0.3)))
    cr.fill()
    cr.set_font_size(10)
    cr.move_to(x + 3.5, 29)
    cr.set_source_rgb(*WHITE)
    cr.show_text("PRO")
    cr.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_NORMAL)
    cr.set_font_size(9)
    cr.move_to(51, 44)
    cr.set_source_rgb(*mix(GREY, DARK, 0.45))
    cr.show_text("junk-file cleaner")
    return s


def main_icon():
    s, cr = surface(48, 48)
    app_icon(cr, 48)
    return s


def info_small():
    s, cr = surface(16, 16)
    cr.arc(8, 8, 7.2, 0, 2 * math.pi)
    cr.set_source(radial(8, 8, 7.2, SKY, BLUE))
    cr.fill_preserve()
    cr.set_line_width(1)
    cr.set_source_rgb(*NAVY)
    cr.stroke()
    cr.set_source_rgb(*WHITE)
    cr.arc(8, 4.8, 1.2, 0, 2 * math.pi)
    cr.fill()
    rounded_rect(cr, 7, 6.8, 2, 5.6, 0.6)
    cr.fill()
    return s


def globe_small():
    s, cr = surface(16, 16)
    cr.arc(8, 8, 7.2, 0, 2 * math.pi)
    cr.set_source(radial(8, 8, 7.2, (0.55, 0.85, 1.0), BLUE))
    cr.fill()
    cr.save()
    cr.arc(8, 8, 7.2, 0, 2 * math.pi)
    cr.clip()
    cr.set_source_rgb(*LIGHT_GREEN)
    cr.move_to(3, 4)
    cr.curve_to(6, 2, 8, 5, 7, 7)
    cr.curve_to(6, 9, 4, 8, 4.5, 11)
    cr.curve_to(2.5, 10, 1.5, 7, 3, 4)
    cr.fill()
    cr.move_to(10, 8)
    cr.curve_to(13, 7, 15, 10, 13, 13)
    cr.curve_to(11, 14, 9.5, 12, 10, 8)
    cr.fill()
    cr.restore()
    cr.set_line_width(0.7)
    cr.set_source_rgba(1, 1, 1, 0.55)
    cr.save()
    cr.translate(8, 8)
    cr.scale(3.2, 7.2)
    cr.arc(0, 0, 1, 0, 2 * math.pi)
    cr.restore()
    cr.stroke()
    cr.move_to(0.8, 8)
    cr.line_to(15.2, 8)
    cr.stroke()
    cr.arc(8, 8, 7.2, 0, 2 * math.pi)
    cr.set_line_width(1)
    cr.set_source_rgb(*NAVY)
    cr.stroke()
    return s


def recycle_bin(full):
    s, cr = surface(75, 95)
    top, bottom = 24, 90
    left_top, right_top, left_bottom, right_bottom = 12, 63, 18, 57

    def body():
        cr.move_to(left_top, top)
        cr.line_to(right_top, top)
        cr.line_to(right_bottom, bottom - 4)
        cr.curve_to(right_bottom - 0.5, bottom, right_bottom - 3, bottom + 1, right_bottom - 5, bottom + 1)
        cr.line_to(left_bottom + 5, bottom + 1)
        cr.curve_to(left_bottom + 3, bottom + 1, left_bottom + 0.5, bottom, left_bottom, bottom - 4)
        cr.close_path()

    # floor shadow
    cr.save()
    cr.translate(37.5, 92)
    cr.scale(26, 3)
    cr.arc(0, 0, 1, 0, 2 * math.pi)
    cr.restore()
    cr.set_source_rgba(0, 0, 0, 0.18)
    cr.fill()
    if full:
        # crumpled papers rising out of the bin, behind its front rim
        papers = [(22, 20, 11, -0.3, (0.98, 0.98, 0.96)), (37, 15, 13, 0.15, (0.93, 0.95, 1.0)),
                  (52, 20, 11, 0.4, (1.0, 0.97, 0.88)), (30, 24, 9, 0.0, (0.96, 0.96, 0.96)),
                  (45, 25, 9, 0.0, (0.90, 0.93, 0.98))]
        for cx, cy, r, rot, color in papers:
            cr.save()
            cr.translate(cx, cy)
            cr.rotate(rot)
            cr.move_to(-r, 0)
            for i in range(1, 9):
                a = math.pi * 2 * i / 8
                rr = r * (0.82 if i % 2 else 1.0)
                cr.line_to(math.cos(a + math.pi) * rr, math.sin(a + math.pi) * rr * 0.85)
            cr.close_path()
            cr.restore()
            cr.set_source_rgb(*color)
            cr.fill_preserve()
            cr.set_line_width(0.8)
            cr.set_source_rgba(*GREY, 0.9)
            cr.stroke()
    body()
    g = cairo.LinearGradient(left_top, 0, right_top, 0)
    g.add_color_stop_rgb(0, 0.62, 0.66, 0.72)
    g.add_color_stop_rgb(0.35, 0.93, 0.95, 0.97)
    g.add_color_stop_rgb(0.6, 0.80, 0.84, 0.89)
    g.add_color_stop_rgb(1, 0.55, 0.59, 0.66)
    cr.set_source(g)
    cr.fill_preserve()
    cr.set_line_width(1.2)
    cr.set_source_rgb(0.36, 0.40, 0.47)
    cr.stroke()
    # ribs
    cr.set_line_width(1.6)
    for i in range(1, 6):
        t = i / 6
        xt = left_top + (right_top - left_top) * t
        xb = left_bottom + (right_bottom - left_bottom) * t
        cr.move_to(xt + (xb - xt) * 0.18, top + 11)
        cr.line_to(xb - (xb - xt) * 0.05, bottom - 6)
        cr.set_source_rgba(0.36, 0.40, 0.47, 0.55)
        cr.stroke()
    # recycling mark: three green chasing arrows
    cx, cy, r = 37.5, 58, 11
    for i in range(3):
        a0 = math.radians(-90 + i * 120 + 18)
        a1 = math.radians(-90 + i * 120 + 100)
        cr.arc(cx, cy, r, a0, a1)
        cr.set_line_width(3.2)
        cr.set_source_rgb(*GREEN)
        cr.stroke()
        hx, hy = cx + math.cos(a1) * r, cy + math.sin(a1) * r
        tx, ty = -math.sin(a1), math.cos(a1)
        nx, ny = math.cos(a1), math.sin(a1)
        cr.move_to(hx + tx * 4.5, hy + ty * 4.5)
        cr.line_to(hx + nx * 4.2, hy + ny * 4.2)
        cr.line_to(hx - nx * 4.2, hy - ny * 4.2)
        cr.close_path()
        cr.fill()
    # rim
    rounded_rect(cr, 8, top - 5, 59, 8, 3.5)
    cr.set_source(vertical(top - 5, top + 3, (0.95, 0.96, 0.98), (0.55, 0.59, 0.66)))
    cr.fill_preserve()
    cr.set_line_width(1.2)
    cr.set_source_rgb(0.36, 0.40, 0.47)
    cr.stroke()
    return s


def status_image(kind):
    s, cr = surface(48, 48)
    if kind == "warning":
        def tri():
            cr.move_to(24, 3.5)
            cr.line_to(45, 42)
            cr.line_to(3, 42)
            cr.close_path()
        shadow(cr, tri, 0, 1.5, 0.2)
        cr.set_line_join(cairo.LINE_JOIN_ROUND)
        tri()
        cr.set_source(vertical(4, 42, LIGHT_AMBER, mix(AMBER, ORANGE, 0.6)))
        cr.fill_preserve()
        cr.set_line_width(2.5)
        cr.set_source_rgb(0.75, 0.50, 0.0)
        cr.stroke()
        cr.set_source_rgb(*DARK)
        cr.move_to(21.6, 15)
        cr.line_to(26.4, 15)
        cr.line_to(25.4, 31)
        cr.line_to(22.6, 31)
        cr.close_path()
        cr.fill()
        cr.arc(24, 36, 2.6, 0, 2 * math.pi)
        cr.fill()
        return s
    inner, outer, edge = {"ok": (LIGHT_GREEN, GREEN, (0.08, 0.42, 0.0)),
                          "error": (LIGHT_RED, RED, (0.55, 0.05, 0.05))}[kind]
    shadow(cr, lambda: cr.arc(24, 24, 21, 0, 2 * math.pi), 0, 1.5, 0.2)
    cr.arc(24, 24, 21, 0, 2 * math.pi)
    cr.set_source(radial(24, 24, 21, inner, outer))
    cr.fill_preserve()
    cr.set_line_width(2)
    cr.set_source_rgb(*edge)
    cr.stroke()
    cr.save()
    cr.arc(24, 24, 20, 0, 2 * math.pi)
    cr.clip()
    gloss(cr, 0, 3, 48, 40, 0.4)
    cr.restore()
    cr.set_source_rgb(*WHITE)
    cr.set_line_cap(cairo.LINE_CAP_ROUND)
    cr.set_line_join(cairo.LINE_JOIN_ROUND)
    cr.set_line_width(5)
    if kind == "ok":
        cr.move_to(14, 25)
        cr.line_to(21, 32)
        cr.line_to(34, 16)
    else:
        cr.move_to(16, 16)
        cr.line_to(32, 32)
        cr.move_to(32, 16)
        cr.line_to(16, 32)
    cr.stroke()
    return s


def page_tile(cr, color):
    """The rounded tile behind each options page image."""
    shadow(cr, lambda: rounded_rect(cr, 4, 4, 56, 56, 12), 0, 2, 0.18)
    rounded_rect(cr, 4, 4, 56, 56, 12)
    cr.set_source(vertical(4, 60, mix(color, WHITE, 0.45), color))
    cr.fill_preserve()
    cr.set_line_width(1.2)
    cr.set_source_rgb(*mix(color, (0, 0, 0), 0.35))
    cr.stroke()
    cr.save()
    rounded_rect(cr, 4, 4, 56, 56, 12)
    cr.clip()
    gloss(cr, 4, 4, 56, 56, 0.35)
    cr.restore()


def gear(cr, cx, cy, r_out, r_in, teeth, hole):
    cr.new_path()
    for i in range(teeth * 2):
        a0 = math.pi * 2 * i / (teeth * 2)
        a1 = math.pi * 2 * (i + 1) / (teeth * 2)
        r = r_out if i % 2 == 0 else r_in
        cr.arc(cx, cy, r, a0, a1)
    cr.close_path()
    cr.new_sub_path()
    cr.arc_negative(cx, cy, hole, 2 * math.pi, 0)
    cr.close_path()


def main_options():
    s, cr = surface(64, 64)
    page_tile(cr, BLUE)
    cr.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
    gear(cr, 32, 32, 19, 15, 9, 6)
    cr.set_source(vertical(12, 52, WHITE, (0.82, 0.87, 0.94)))
    cr.fill_preserve()
    cr.set_line_width(1.2)
    cr.set_source_rgb(*NAVY)
    cr.stroke()
    cr.arc(32, 32, 3, 0, 2 * math.pi)
    cr.set_source_rgb(*ORANGE)
    cr.fill()
    return s


def magnifier(cr, cx, cy, r, handle, width):
    cr.set_line_cap(cairo.LINE_CAP_ROUND)
    a = math.radians(45)
    cr.move_to(cx + math.cos(a) * (r + 1), cy + math.sin(a) * (r + 1))
    cr.line_to(cx + math.cos(a) * (r + handle), cy + math.sin(a) * (r + handle))
    cr.set_line_width(width * 1.9)
    cr.set_source_rgb(*NAVY)
    cr.stroke()
    cr.arc(cx, cy, r, 0, 2 * math.pi)
    cr.set_source_rgba(0.85, 0.93, 1.0, 0.75)
    cr.fill_preserve()
    cr.set_line_width(width)
    cr.set_source_rgb(*NAVY)
    cr.stroke()
    cr.arc(cx, cy, r - width * 0.9, math.radians(200), math.radians(260))
    cr.set_line_width(width * 0.6)
    cr.set_source_rgba(1, 1, 1, 0.9)
    cr.stroke()


def scan_options():
    s, cr = surface(64, 64)
    page_tile(cr, (0.180, 0.560, 0.560))
    rounded_rect(cr, 15, 11, 26, 34, 3)
    cr.set_source_rgb(*WHITE)
    cr.fill_preserve()
    cr.set_line_width(1.2)
    cr.set_source_rgb(*GREY)
    cr.stroke()
    for i, w in enumerate((16, 18, 12, 17)):
        cr.rectangle(19, 17 + i * 5, w, 2)
        cr.set_source_rgb(0.70, 0.74, 0.80)
        cr.fill()
    magnifier(cr, 37, 35, 9, 13, 3)
    return s


def apps_options():
    s, cr = surface(64, 64)
    page_tile(cr, (0.420, 0.300, 0.650))
    colors = [ORANGE, LIGHT_GREEN, SKY, WHITE]
    for i, color in enumerate(colors):
        x = 15 + (i % 2) * 18
        y = 15 + (i // 2) * 18
        rounded_rect(cr, x, y, 15, 15, 3.5)
        cr.set_source(vertical(y, y + 15, mix(color, WHITE, 0.35), color))
        cr.fill_preserve()
        cr.set_line_width(1)
        cr.set_source_rgba(0, 0, 0, 0.35)
        cr.stroke()
    return s


# --- quillmere.exe: check-box strips ---------------------------------------

FRAMES = [(True, "normal"), (True, "hot"), (True, "pressed"), (True, "disabled"),
          (False, "normal"), (False, "hot"), (False, "pressed"), (False, "disabled")]


def check_mark(cr, color, width=2.0, ox=0.0, oy=0.0):
    cr.set_line_cap(cairo.LINE_CAP_ROUND)
    cr.set_line_join(cairo.LINE_JOIN_ROUND)
    cr.move_to(4.3 + ox, 8.3 + oy)
    cr.line_to(6.9 + ox, 10.9 + oy)
    cr.line_to(11.7 + ox, 5.0 + oy)
    cr.set_line_width(width)
    cr.set_source_rgb(*color)
    cr.stroke()


def cross_mark(cr, color, width=2.0):
    cr.set_line_cap(cairo.LINE_CAP_ROUND)
    cr.move_to(5, 5)
    cr.line_to(11, 11)
    cr.move_to(11, 5)
    cr.line_to(5, 11)
    cr.set_line_width(width)
    cr.set_source_rgb(*color)
    cr.stroke()


def box_frame(cr, state, border, hot_border, fill_top, fill_bottom, radius):
    """A box 13 by 13 at (1.5, 1.5) in a 16-pixel frame."""
    if state == "disabled":
        border, fill_top, fill_bottom = (0.72, 0.72, 0.72), (0.95, 0.95, 0.95), (0.90, 0.90, 0.90)
    elif state == "hot":
        border = hot_border
        fill_top, fill_bottom = mix(fill_top, WHITE, 0.3), mix(fill_bottom, hot_border, 0.12)
    elif state == "pressed":
        border = hot_border
        fill_top, fill_bottom = mix(fill_top, hot_border, 0.25), mix(fill_bottom, hot_border, 0.35)
    rounded_rect(cr, 1.5, 1.5, 13, 13, radius) if radius else cr.rectangle(1.5, 1.5, 13, 13)
    cr.set_source(vertical(1.5, 14.5, fill_top, fill_bottom))
    cr.fill_preserve()
    cr.set_line_width(1)
    cr.set_source_rgb(*border)
    cr.stroke()


def frames_strip(size, draws):
    """Square frames side by side, each drawn by one function of `draws`."""
    s, cr = surface(size * len(draws), size)
    for i, draw in enumerate(draws):
        cr.save()
        cr.translate(i * size, 0)
        draw(cr)
        cr.restore()
    return s


def strip(draw_frame):
    return frames_strip(16, [lambda cr, c=checked, st=state: draw_frame(cr, c, st)
                             for checked, state in FRAMES])


def mark_color(state, color):
    return (0.60, 0.60, 0.60) if state == "disabled" else color


def advance_frame(cr, checked, state):
    box_frame(cr, state, (0.43, 0.50, 0.60), ORANGE, WHITE, (0.88, 0.91, 0.95), 2.5)
    if checked:
        check_mark(cr, mark_color(state, BLUE), 2.2)


def cross_frame(cr, checked, state):
    box_frame(cr, state, (0.45, 0.47, 0.50), (0.85, 0.35, 0.30), WHITE, (0.92, 0.92, 0.92), 1.5)
    if checked:
        cross_mark(cr, mark_color(state, RED), 2.0)


def flat_frame(cr, checked, state):
    border = {"normal": (0.45, 0.45, 0.45), "hot": BLUE, "pressed": NAVY,
              "disabled": (0.72, 0.72, 0.72)}[state]
    fill = {"pressed": (0.88, 0.92, 0.97), "disabled": (0.95, 0.95, 0.95)}.get(state, WHITE)
    cr.rectangle(1.5, 1.5, 13, 13)
    cr.set_source_rgb(*fill)
    cr.fill_preserve()
    cr.set_line_width(1)
    cr.set_source_rgb(*border)
    cr.stroke()
    if checked:
        check_mark(cr, mark_color(state, DARK), 1.8)


def normal_frame(cr, checked, state):
    # the classic sunken box: dark edges top and left, light bottom and right
    fill = {"pressed": (0.83, 0.82, 0.78), "disabled": (0.83, 0.82, 0.78)}.get(state, WHITE)
    cr.rectangle(2, 2, 12, 12)
    cr.set_source_rgb(*fill)
    cr.fill()
    for (x0, y0, x1, y1), color in [((1.5, 14, 1.5, 1.5), (0.50, 0.50, 0.50)),
                                     ((1.5, 1.5, 14, 1.5), (0.50, 0.50, 0.50)),
                                     ((2.5, 13, 2.5, 2.5), (0.25, 0.25, 0.25)),
                                     ((2.5, 2.5, 13, 2.5), (0.25, 0.25, 0.25)),
                                     ((1, 14.5, 15, 14.5), WHITE), ((14.5, 1, 14.5, 15), WHITE),
                                     ((2, 13.5, 14, 13.5), (0.83, 0.82, 0.78)),
                                     ((13.5, 2, 13.5, 14), (0.83, 0.82, 0.78))]:
        cr.move_to(x0, y0)
        cr.line_to(x1, y1)
        cr.set_line_width(1)
        cr.set_source_rgb(*color)
        cr.stroke()
    if state == "hot":
        cr.rectangle(3.5, 3.5, 9, 9)
        cr.set_source_rgba(*ORANGE, 0.5)
        cr.stroke()
    if checked:
        check_mark(cr, (0.50, 0.50, 0.50) if state == "disabled" else (0, 0, 0), 1.8)


def tick_frame(cr, checked, state):
    if checked:
        color = {"normal": GREEN, "hot": LIGHT_GREEN, "pressed": (0.05, 0.40, 0.0),
                 "disabled": (0.65, 0.65, 0.65)}[state]
        cr.set_line_cap(cairo.LINE_CAP_ROUND)
        cr.set_line_join(cairo.LINE_JOIN_ROUND)
        cr.move_to(2.5, 8.5)
        cr.line_to(6.3, 12.3)
        cr.line_to(13.5, 3.0)
        cr.set_line_width(2.8)
        cr.set_source_rgb(*color)
        cr.stroke()
    else:
        color = {"normal": (0.55, 0.55, 0.55), "hot": GREEN, "pressed": (0.05, 0.40, 0.0),
                 "disabled": (0.78, 0.78, 0.78)}[state]
        cr.arc(8, 8, 5.5, 0, 2 * math.pi)
        cr.set_line_width(1.2)
        cr.set_source_rgb(*color)
        cr.stroke()


def vista_frame(cr, checked, state):
    border = {"normal": (0.56, 0.56, 0.56), "hot": (0.24, 0.56, 0.83), "pressed": (0.17, 0.38, 0.57),
              "disabled": (0.74, 0.74, 0.74)}[state]
    cr.rectangle(1.5, 1.5, 13, 13)
    cr.set_source_rgb(*WHITE)
    cr.fill_preserve()
    cr.set_line_width(1)
    cr.set_source_rgb(*border)
    cr.stroke()
    inner = {"normal": ((0.80, 0.80, 0.80), (0.96, 0.96, 0.96)),
             "hot": ((0.69, 0.85, 0.96), (0.88, 0.95, 1.0)),
             "pressed": ((0.50, 0.73, 0.90), (0.76, 0.89, 0.98)),
             "disabled": ((0.92, 0.92, 0.92), (0.96, 0.96, 0.96))}[state]
    cr.rectangle(3, 3, 10, 10)
    cr.set_source(vertical(3, 13, inner[0], inner[1]))
    cr.fill()
    if checked:
        check_mark(cr, mark_color(state, (0.11, 0.22, 0.44)), 1.9)


def xp_frame(cr, checked, state):
    border = (0.79, 0.78, 0.73) if state == "disabled" else (0.11, 0.32, 0.50)
    cr.rectangle(1.5, 1.5, 13, 13)
    top, bottom = {"normal": ((0.86, 0.86, 0.84), WHITE),
                   "hot": ((1.0, 0.94, 0.81), (0.97, 0.70, 0.19)),
                   "pressed": ((0.69, 0.69, 0.65), (0.96, 0.96, 0.94)),
                   "disabled": (WHITE, WHITE)}[state]
    cr.set_source(vertical(2, 14, top, bottom))
    cr.fill_preserve()
    cr.set_line_width(1)
    cr.set_source_rgb(*border)
    cr.stroke()
    if state == "hot":
        cr.rectangle(3, 3, 10, 10)
        cr.set_source_rgb(*WHITE)
        cr.fill()
    if checked:
        check_mark(cr, (0.79, 0.78, 0.73) if state == "disabled" else (0.13, 0.63, 0.13), 2.2)


def mixed_mark(cr, state):
    """The third state of the report's category rows: a filled square."""
    top, bottom = ((0.60, 0.60, 0.60), (0.75, 0.75, 0.75)) if state == "disabled" else \
        ((0.20, 0.42, 0.70), (0.11, 0.22, 0.44))
    cr.rectangle(5, 5, 6, 6)
    cr.set_source(vertical(5, 11, top, bottom))
    cr.fill()


def report_checks():
    """The report's marks, Vista style: unchecked, checked and mixed, each
    plain and under the mouse, 16 by 16."""
    s, cr = surface(96, 16)
    frames = [(mark, state) for mark in ("unchecked", "checked", "mixed")
              for state in ("normal", "hot")]
    for i, (mark, state) in enumerate(frames):
        cr.save()
        cr.translate(i * 16, 0)
        vista_frame(cr, mark == "checked", state)
        if mark == "mixed":
            mixed_mark(cr, state)
        cr.restore()
    return s


CHECK_BOX_STRIPS = {"ADVANCE": advance_frame, "CROSS": cross_frame, "FLAT": flat_frame,
                    "NORMAL": normal_frame, "TICK": tick_frame, "VISTA": vista_frame,
                    "XP": xp_frame}


# --- quillmere.exe: the update window's line images --------------------------

def round_badge(cr, inner, outer, edge):
    """A glossy disc filling a 16-pixel frame."""
    cr.arc(8, 8, 7, 0, 2 * math.pi)
    cr.set_source(radial(8, 8, 7, inner, outer))
    cr.fill_preserve()
    cr.set_line_width(1)
    cr.set_source_rgb(*edge)
    cr.stroke()


def white_stroke(cr, width=1.8):
    cr.set_source_rgb(*WHITE)
    cr.set_line_cap(cairo.LINE_CAP_ROUND)
    cr.set_line_join(cairo.LINE_JOIN_ROUND)
    cr.set_line_width(width)
    cr.stroke()


def update_failed(cr):
    round_badge(cr, LIGHT_RED, RED, (0.55, 0.05, 0.05))
    cr.move_to(5.5, 5.5)
    cr.line_to(10.5, 10.5)
    cr.move_to(10.5, 5.5)
    cr.line_to(5.5, 10.5)
    white_stroke(cr)


def update_done(cr):
    round_badge(cr, LIGHT_GREEN, GREEN, (0.08, 0.42, 0.0))
    cr.move_to(4.6, 8.2)
    cr.line_to(7.0, 10.6)
    cr.line_to(11.4, 5.4)
    white_stroke(cr)


def update_restart(cr):
    """Waiting for a restart: a circling arrow."""
    round_badge(cr, SKY, BLUE, NAVY)
    cr.arc(8, 8, 3.6, math.radians(-60), math.radians(230))
    white_stroke(cr, 1.6)
    tip_x = 8 + 3.6 * math.cos(math.radians(-60))
    tip_y = 8 + 3.6 * math.sin(math.radians(-60))
    cr.move_to(tip_x + 2.4, tip_y - 0.6)
    cr.line_to(tip_x - 0.2, tip_y - 1.6)
    cr.line_to(tip_x + 0.6, tip_y + 2.0)
    cr.close_path()
    cr.set_source_rgb(*WHITE)
    cr.fill()


def update_downloading(cr):
    """An arrow going down into a tray."""
    cr.move_to(6, 1.5)
    cr.line_to(10, 1.5)
    cr.line_to(10, 6.5)
    cr.line_to(13, 6.5)
    cr.line_to(8, 11.5)
    cr.line_to(3, 6.5)
    cr.line_to(6, 6.5)
    cr.close_path()
    cr.set_source(vertical(1.5, 11.5, SKY, BLUE))
    cr.fill_preserve()
    cr.set_line_width(1)
    cr.set_line_join(cairo.LINE_JOIN_ROUND)
    cr.set_source_rgb(*NAVY)
    cr.stroke()
    cr.move_to(1.5, 11)
    cr.line_to(1.5, 14.5)
    cr.line_to(14.5, 14.5)
    cr.line_to(14.5, 11)
    cr.set_line_width(1.4)
    cr.set_source_rgb(*DARK)
    cr.stroke()


def update_unpacking(frame):
    """Four frames of a turning ring: the bright quarter moves on by one."""
    def draw(cr):
        for quarter in range(4):
            start = math.radians(quarter * 90 - 90 + 8)
            cr.arc(8, 8, 5.2, start, start + math.radians(74))
            cr.set_line_width(3)
            cr.set_line_cap(cairo.LINE_CAP_ROUND)
            cr.set_source_rgb(*(ORANGE if quarter == frame else (0.78, 0.80, 0.84)))
            cr.stroke()
    return draw


UPDATE_IMAGES = [update_failed, update_done, update_restart, update_downloading] + [
    update_unpacking(frame) for frame in range(4)]


def update_images():
    """The images of a line of the update list, 16 by 16 each: failed, done,
    restart needed, downloading, then the four frames of unpacking."""
    return frames_strip(16, UPDATE_IMAGES)


# --- quillmere.exe: top-bar buttons ----------------------------------------

def house(cr):
    cr.move_to(16, 4)
    cr.line_to(29, 15.5)
    cr.line_to(25.5, 15.5)
    cr.line_to(25.5, 28)
    cr.line_to(6.5, 28)
    cr.line_to(6.5, 15.5)
    cr.line_to(3, 15.5)
    cr.close_path()


def draw_home(cr, hot):
    base = mix(BLUE, SKY, 0.35) if hot else BLUE
    shadow(cr, lambda: house(cr), 0, 1, 0.22)
    cr.set_line_join(cairo.LINE_JOIN_ROUND)
    house(cr)
    cr.set_source(vertical(4, 28, mix(base, WHITE, 0.45), base))
    cr.fill_preserve()
    cr.set_line_width(1.2)
    cr.set_source_rgb(*NAVY)
    cr.stroke()
    rounded_rect(cr, 13.5, 18, 5, 10, 1)
    cr.set_source_rgb(*(ORANGE if hot else mix(ORANGE, (0.55, 0.35, 0.1), 0.35)))
    cr.fill()


def draw_scan(cr, hot):
    cr.save()
    cr.translate(-2, -2)
    cr.scale(1.05, 1.05)
    if hot:
        cr.arc(14, 14, 11, 0, 2 * math.pi)
        cr.set_source_rgba(*ORANGE, 0.25)
        cr.fill()
    magnifier(cr, 14, 14, 8.5, 13, 2.6)
    cr.restore()


def draw_settings(cr, hot):
    cr.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
    shadow(cr, lambda: gear(cr, 16, 16, 13, 10, 8, 4.5), 0, 1, 0.22)
    gear(cr, 16, 16, 13, 10, 8, 4.5)
    base = (0.55, 0.60, 0.68)
    cr.set_source(vertical(3, 29, WHITE if hot else (0.92, 0.93, 0.95),
                           mix(base, ORANGE, 0.35) if hot else base))
    cr.fill_preserve()
    cr.set_line_width(1.2)
    cr.set_source_rgb(*DARK)
    cr.stroke()


def draw_help(cr, hot):
    shadow(cr, lambda: cr.arc(16, 16, 13, 0, 2 * math.pi), 0, 1, 0.22)
    cr.arc(16, 16, 13, 0, 2 * math.pi)
    cr.set_source(radial(16, 16, 13, SKY if hot else mix(SKY, BLUE, 0.5), BLUE if hot else NAVY))
    cr.fill()
    cr.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    cr.set_font_size(19)
    ext = cr.text_extents("?")
    cr.move_to(16 - ext.x_bearing - ext.width / 2, 16 - ext.y_bearing - ext.height / 2)
    cr.set_source_rgb(*WHITE)
    cr.show_text("?")


BUTTON_STRIPS = {"IMHOME": draw_home, "IMSCAN": draw_scan, "IMSETTINGS": draw_settings,
                 "IMHELP": draw_help}


def button_strip(draw):
    s, cr = surface(64, 32)
    for i, hot in enumerate((False, True)):
        cr.save()
        cr.translate(i * 32, 0)
        draw(cr, hot)
        cr.restore()
    return s


# --- writers --------------------------------------------------------------

def bgra_rows(s):
    """Rows of a surface, top first, as premultiplied B, G, R, A bytes."""
    s.flush()
    data = bytes(s.get_data())
    stride, w = s.get_stride(), s.get_width()
    return [data[y * stride:y * stride + w * 4] for y in range(s.get_height())]


def write_bmp(path, s):
    w, h = s.get_width(), s.get_height()
    pixels = b"".join(reversed(bgra_rows(s)))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def straight_alpha(row):
    out = bytearray(row)
    for i in range(0, len(out), 4):
        a = out[i + 3]
        if 0 < a < 255:
            for c in range(3):
                out[i + c] = min(255, (out[i + c] * 255 + a // 2) // a)
    return bytes(out)


def write_ico(path, surfaces):
    images = []
    for s in surfaces:
        w, h = s.get_width(), s.get_height()
        if w >= 256:
            # Windows Vista and later read the large image as PNG; the
            # older systems never ask for it.
            png = io.BytesIO()
            s.write_to_png(png)
            images.append((w, h, png.getvalue()))
            continue
        rows = [straight_alpha(r) for r in reversed(bgra_rows(s))]
        mask_stride = ((w + 31) // 32) * 4
        mask = bytearray()
        for r in rows:
            bits = bytearray(mask_stride)
            for x in range(w):
                if r[x * 4 + 3] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        xor = b"".join(rows)
        info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        images.append((w, h, info + xor + bytes(mask)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for w, h, data in images:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(d for _, _, d in images))


def contact_sheet(path, groups):
    zoom, pad = 3, 12
    width = 1300
    layout, x, y, row_h = [], pad, pad + 16, 0
    for title, pictures in groups:
        for name, s in pictures:
            w, h = s.get_width() * zoom, s.get_height() * zoom
            if x + w * 2 + pad > width:
                x, y, row_h = pad, y + row_h + 30, 0
            layout.append((name, s, x, y))
            x += w * 2 + pad * 2
            row_h = max(row_h, h)
    sheet = cairo.ImageSurface(cairo.FORMAT_RGB24, width, y + row_h + 40)
    cr = cairo.Context(sheet)
    cr.set_source_rgb(0.95, 0.95, 0.95)
    cr.paint()
    cr.select_font_face("DejaVu Sans")
    cr.set_font_size(11)
    for name, s, x, y in layout:
        w, h = s.get_width() * zoom, s.get_height() * zoom
        for i, bg in enumerate(((0.82, 0.82, 0.82), (1, 1, 1))):
            cr.rectangle(x + i * w, y, w, h)
            cr.set_source_rgb(*bg)
            cr.fill()
            cr.save()
            cr.translate(x + i * w, y)
            cr.scale(zoom, zoom)
            cr.set_source_surface(s, 0, 0)
            cr.get_source().set_filter(cairo.FILTER_NEAREST)
            cr.paint()
            cr.restore()
        cr.move_to(x, y - 4)
        cr.set_source_rgb(0.2, 0.2, 0.2)
        cr.show_text(name)
    sheet.write_to_png(path)


def main():
    qlmres = {"MAINLOGO": main_logo(), "MAINICON": main_icon(), "INFOSMALL": info_small(),
              "GLOBESMALL": globe_small(), "RBINEMPTY": recycle_bin(False),
              "RBINFULL": recycle_bin(True), "ESOK": status_image("ok"),
              "ESWARNING": status_image("warning"), "ESERROR": status_image("error"),
              "MAINOPTS": main_options(), "SCANOPTS": scan_options(), "APPSOPTS": apps_options()}
    program = {name: strip(draw) for name, draw in CHECK_BOX_STRIPS.items()}
    program["REPORTCHECKS"] = report_checks()
    program["UPDATEIMAGES"] = update_images()
    program.update({name: button_strip(draw) for name, draw in BUTTON_STRIPS.items()})
    icons = []
    for size in (16, 24, 32, 48, 256):
        s, cr = surface(size, size)
        app_icon(cr, size)
        icons.append(s)
    for folder, pictures in (("qlmres", qlmres), ("program", program)):
        os.makedirs(os.path.join(HERE, folder), exist_ok=True)
        for name, s in pictures.items():
            write_bmp(os.path.join(HERE, folder, name.lower() + ".bmp"), s)
    write_ico(os.path.join(HERE, "program", "quillmere.ico"), icons)
    wizard = installer_wizard()
    os.makedirs(os.path.join(HERE, "installer"), exist_ok=True)
    write_bmp(os.path.join(HERE, "installer", "wizard.bmp"), wizard)
    if len(sys.argv) > 1:
        contact_sheet(sys.argv[1], [("qlmres", list(qlmres.items())),
                                    ("program", list(program.items())),
                                    ("icon", [("ICON%d" % s.get_width(), s) for s in icons])])


if __name__ == "__main__":
    main()
