#!/usr/bin/python3
"""Writes the SVG sources of every picture the program shows.

Captions are turned into outlines from Noto Sans CJK SC Bold here, so the
SVGs render the same on any machine, with or without the CJK fonts.
Needs python3-fonttools and fonts-noto-cjk. Run render.sh afterwards.
"""
import math
import os

from fontTools.pens.svgPathPen import SVGPathPen
from fontTools.ttLib import TTCollection

HERE = os.path.dirname(os.path.abspath(__file__))
ASSETS = os.path.dirname(HERE)
FONT_FILE = "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc"

RED = "#E60012"
BLACK = "#111111"
GOLD = "#F0A800"
SHADOW = "#A8A8A8"


def load_font():
    for f in TTCollection(FONT_FILE).fonts:
        if f["name"].getDebugName(1) == "Noto Sans CJK SC":
            return f
    raise SystemExit("Noto Sans CJK SC Bold not found in " + FONT_FILE)


FONT = load_font()
GLYPHS = FONT.getGlyphSet()
CMAP = FONT.getBestCmap()
UPEM = FONT["head"].unitsPerEm


def text_width(s, size):
    return sum(FONT["hmtx"][CMAP[ord(c)]][0] for c in s) * size / UPEM


def text(s, x, cy, size, fill, anchor="middle"):
    """Outlines of s, vertically centred on cy (ideographic em box)."""
    w = text_width(s, size)
    if anchor == "middle":
        x -= w / 2
    elif anchor == "end":
        x -= w
    baseline = cy + size * 0.38
    parts = []
    pen_x = 0.0
    for c in s:
        name = CMAP[ord(c)]
        pen = SVGPathPen(GLYPHS)
        GLYPHS[name].draw(pen)
        d = pen.getCommands()
        if d:
            parts.append(f'<path transform="translate({pen_x:.0f} 0)" d="{d}"/>')
        pen_x += FONT["hmtx"][name][0]
    k = size / UPEM
    return (f'<g fill="{fill}" transform="translate({x:.2f} {baseline:.2f}) '
            f'scale({k:.5f} {-k:.5f})">' + "".join(parts) + "</g>")


def shadowed(s, x, cy, size, fill, anchor="start", dx=1.5, dy=1.5):
    return (text(s, x + dx, cy + dy, size, SHADOW, anchor)
            + text(s, x, cy, size, fill, anchor))


def svg(w, h, body, background=None):
    bg = f'<rect width="{w}" height="{h}" fill="{background}"/>' if background else ""
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="0 0 {w} {h}">{bg}{body}</svg>\n')


def write(rel, content):
    path = os.path.join(ASSETS, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write(content)


# --- side buttons (100 x 100, transparent) --------------------------------

def bust():
    return """
<path d="M22 74 C22 58 34 50 50 50 C66 50 78 58 78 74 Z" fill="#8FD0F5" stroke="#4A9CCB" stroke-width="1.5"/>
<path d="M42 50 L50 60 L58 50 Z" fill="#FFFFFF" stroke="#4A9CCB" stroke-width="1.2" stroke-linejoin="round"/>
<path d="M50 60 L47 74 L53 74 Z" fill="#2F6FA8"/>
<rect x="45" y="42" width="10" height="10" rx="3" fill="#F6C9A2"/>
<ellipse cx="50" cy="30" rx="13" ry="14.5" fill="#F9D7B8" stroke="#D9A47E" stroke-width="1"/>
<path d="M36.5 30 C35 16 44 12.5 51 12.5 C60 12.5 65.5 18 63.5 30 C62 24 58 21 52 21 C47 24 41 25 36.5 30 Z" fill="#3A2A22"/>
<circle cx="45" cy="31.5" r="1.7" fill="#222"/>
<circle cx="55" cy="31.5" r="1.7" fill="#222"/>
<path d="M45.5 37.5 Q50 41 54.5 37.5" fill="none" stroke="#B0503C" stroke-width="1.5" stroke-linecap="round"/>
"""


def yen_coin(cx, cy, r):
    return f"""
<circle cx="{cx}" cy="{cy}" r="{r}" fill="#E9A908"/>
<circle cx="{cx}" cy="{cy}" r="{r - 3}" fill="#FFD43B"/>
<circle cx="{cx}" cy="{cy}" r="{r - 6}" fill="none" stroke="#E9A908" stroke-width="1.5"/>
<path d="M{cx - r * 0.55:.1f} {cy - r * 0.45:.1f} A{r - 4} {r - 4} 0 0 1 {cx + r * 0.2:.1f} {cy - r * 0.72:.1f}" fill="none" stroke="#FFF3B0" stroke-width="2" stroke-linecap="round"/>
{text("¥", cx, cy - 1, r * 1.35, "#B8770A")}
"""


def cart():
    return """
<g fill="none" stroke="#7B3FC4" stroke-linecap="round" stroke-linejoin="round">
<path d="M20 20 L29 20 L37 58 L72 58" stroke-width="4"/>
<path d="M30.5 27 L79 27 L73 50 L35.5 50 Z" fill="#B98AF0" stroke-width="3.5"/>
<path d="M43 28 L45 49 M55 28 L55 49 M67 28 L65 49 M33 38.5 L76 38.5" stroke-width="2" stroke="#7B3FC4" opacity="0.8"/>
</g>
<circle cx="41" cy="66" r="5" fill="#7B3FC4"/><circle cx="41" cy="66" r="1.8" fill="#E6D6FA"/>
<circle cx="67" cy="66" r="5" fill="#7B3FC4"/><circle cx="67" cy="66" r="1.8" fill="#E6D6FA"/>
"""


def gear(cx, cy, r_out, r_in, r_hole, teeth, fill, stroke):
    pts = []
    step = 2 * math.pi / teeth
    for i in range(teeth):
        a = i * step - math.pi / 2
        for da, r in ((-0.30, r_in), (-0.17, r_out), (0.17, r_out), (0.30, r_in)):
            t = a + da * step * 1.6
            pts.append(f"{cx + r * math.cos(t):.2f} {cy + r * math.sin(t):.2f}")
    outline = "M" + " L".join(pts) + " Z"
    hole = (f"M{cx + r_hole} {cy} A{r_hole} {r_hole} 0 1 0 {cx - r_hole} {cy} "
            f"A{r_hole} {r_hole} 0 1 0 {cx + r_hole} {cy} Z")
    return (f'<path d="{outline} {hole}" fill="{fill}" fill-rule="evenodd" '
            f'stroke="{stroke}" stroke-width="1.5" stroke-linejoin="round"/>'
            f'<circle cx="{cx}" cy="{cy}" r="{(r_in + r_hole) / 2:.1f}" fill="none" '
            f'stroke="#9CC8F5" stroke-width="2"/>')


SIDE = {
    "members": (bust(), "会员管理"),
    "recharge": (yen_coin(50, 41, 25), "充值查询"),
    "consumption": (cart(), "消费查询"),
    "settings": (gear(50, 41, 27, 20, 8, 10, "#2F7FD8", "#1D5EA8"), "系统设置"),
}


def side_buttons():
    for name, (picture, caption) in SIDE.items():
        write(f"src/side/{name}.svg",
              svg(100, 100, picture + text(caption, 50, 85, 17, BLACK)))
        frame = ('<rect x="2" y="2" width="96" height="96" rx="14" fill="none" '
                 f'stroke="{RED}" stroke-width="2.5"/>')
        write(f"src/side/{name}_hover.svg",
              svg(100, 100, frame + picture + text(caption, 50, 85, 17, RED)))


# --- page 0 buttons (white background) ------------------------------------

def page0():
    glass = """
<path d="M45 32 L58 45" stroke="#3E8FC2" stroke-width="9.5" stroke-linecap="round"/>
<path d="M45 32 L58 45" stroke="#8ED3F7" stroke-width="6.5" stroke-linecap="round"/>
<circle cx="34" cy="21" r="13" fill="#EAF7FF" stroke="#E5A100" stroke-width="5"/>
<circle cx="34" cy="21" r="15.5" fill="none" stroke="#B97F00" stroke-width="1"/>
<path d="M26 17 A9 9 0 0 1 32 12" fill="none" stroke="#FFFFFF" stroke-width="2.5" stroke-linecap="round"/>
"""
    write("src/page0/search.svg", svg(77, 50, glass, "#FFFFFF"))

    plus = f"""
<path d="M19 7 H31 V19 H43 V31 H31 V43 H19 V31 H7 V19 H19 Z" fill="#C98A00" transform="translate(1.5 1.5)" opacity="0.35"/>
<path d="M19 7 H31 V19 H43 V31 H31 V43 H19 V31 H7 V19 H19 Z" fill="{GOLD}" stroke="#C98A00" stroke-width="1.5" stroke-linejoin="round"/>
<path d="M21 9.5 H29 M9.5 21 H21" stroke="#FFE28A" stroke-width="2" stroke-linecap="round"/>
"""
    write("src/page0/new_member.svg",
          svg(185, 50, plus + shadowed("新增会员", 54, 25, 30, GOLD), "#FFFFFF"))

    disc = f"""
<circle cx="25" cy="25" r="18" fill="#E02424" stroke="#A80E0E" stroke-width="1.5"/>
<path d="M13 19 A13 13 0 0 1 24 11" fill="none" stroke="#FF8A8A" stroke-width="2" stroke-linecap="round"/>
{text("¥", 25, 24, 25, "#FFFFFF")}
"""
    write("src/page0/recharge.svg",
          svg(114, 50, disc + shadowed("充值", 50, 25, 29, "#E02424"), "#FFFFFF"))

    keys = "".join(
        f'<rect x="{14 + c * 7.5}" y="{21 + r * 6.5}" width="5.5" height="4.5" rx="1" '
        f'fill="{"#FF9A3C" if c == 3 else "#FFFFFF"}"/>'
        for r in range(3) for c in range(4))
    calc = f"""
<rect x="10" y="7" width="32" height="37" rx="4" fill="#2A78D0" stroke="#174F90" stroke-width="1.5"/>
<rect x="14" y="11" width="24" height="7" rx="1.5" fill="#D8F0FF"/>
<path d="M30 14.5 H35" stroke="#2A78D0" stroke-width="1.5"/>
{keys}
"""
    write("src/page0/checkout.svg",
          svg(114, 50, calc + shadowed("消费", 50, 25, 29, "#2A78D0"), "#FFFFFF"))

    for name, colour in (("next_card", "#2A8BE0"), ("next_card_hover", "#E02424")):
        cloud = f"""
<path d="M15 33 C7.5 33 4 28 4 23.5 C4 18.5 8 15 12.5 15 C13 9 18 4.5 25 4.5 C30.5 4.5 34.5 7.5 36.5 11.5 C38 10.5 40 10 42 10 C48 10 52 14.5 52 19.5 C55.5 20.5 57 23.5 57 26.5 C57 30.5 54 33 50 33 Z"
 fill="none" stroke="{colour}" stroke-width="2.5" stroke-linejoin="round"/>
<path d="M37.2 15.6 A8.5 8.5 0 1 0 38.3 25" fill="none" stroke="{colour}" stroke-width="3" stroke-linecap="round"/>
<path d="M39.8 10.6 L40.2 19.2 L32.2 17.6 Z" fill="{colour}" stroke="{colour}" stroke-width="1" stroke-linejoin="round"/>
"""
        write(f"src/page0/{name}.svg", svg(60, 40, cloud, "#FFFFFF"))


# --- record page query buttons (191 x 50, white) --------------------------

def records():
    lines = "".join(
        f'<circle cx="19" cy="{20 + i * 7}" r="1.6" fill="#E03030"/>'
        f'<path d="M23 {20 + i * 7} H37" stroke="#E03030" stroke-width="2.2" stroke-linecap="round"/>'
        for i in range(3))
    board = f"""
<rect x="11" y="7" width="32" height="39" rx="4" fill="#E03030" stroke="#A81818" stroke-width="1.5"/>
<rect x="14.5" y="12" width="25" height="31" rx="1.5" fill="#FFFFFF"/>
<rect x="19" y="4" width="16" height="8" rx="2.5" fill="#F4F4F4" stroke="#A81818" stroke-width="1.5"/>
<circle cx="27" cy="7" r="1.5" fill="#A81818"/>
{lines}
"""
    write("src/records/all.svg",
          svg(191, 50, board + shadowed("所有记录", 56, 25, 29, "#E03030"), "#FFFFFF"))

    card = f"""
<rect x="6" y="10" width="44" height="31" rx="4" fill="#2EAA4A" stroke="#1B7A31" stroke-width="1.5"/>
<rect x="9.5" y="13.5" width="37" height="24" rx="2" fill="#E7F8EA"/>
<circle cx="19" cy="21.5" r="4.2" fill="#2EAA4A"/>
<path d="M11.5 35 C11.5 29 15 27 19 27 C23 27 26.5 29 26.5 35 Z" fill="#2EAA4A"/>
{text("@", 37.5, 25.5, 19, "#1B7A31")}
"""
    write("src/records/current.svg",
          svg(191, 50, card + shadowed("当前用户", 58, 25, 29, "#2EAA4A"), "#FFFFFF"))


# --- login picture --------------------------------------------------------

def hand(x, y, angle, mirror):
    sx = -1 if mirror else 1
    skin, line = "#FFDCC2", "#D99C78"
    fingers = "".join(
        f'<rect x="{fx}" y="{fy}" width="11" height="{fh}" rx="5.5" fill="{skin}" '
        f'stroke="{line}" stroke-width="2"/>'
        for fx, fy, fh in ((-21, -50, 38), (-10, -56, 44), (1, -54, 42), (12, -46, 34)))
    return f"""
<g transform="translate({x} {y}) rotate({angle}) scale({sx} 1)">
{fingers}
<path d="M-23 -18 C-25 6 -14 22 2 22 C18 22 25 6 23 -18 Z" fill="{skin}" stroke="{line}" stroke-width="2"/>
<path d="M-22 -17 H22" stroke="{skin}" stroke-width="3"/>
<path d="M20 -6 C32 -14 38 -8 34 0 C30 8 22 12 18 10" fill="{skin}" stroke="{line}" stroke-width="2"/>
</g>"""


def login_girl():
    hair = "#1C1A1F"
    jumper, jumper_dark = "#A3A4A8", "#818287"
    knit = "".join(
        f'<path d="M{x} {y0} v16" stroke="{jumper_dark}" stroke-width="2" stroke-linecap="round" opacity="0.45"/>'
        for x in range(150, 290, 18) for y0 in (318, 346))
    body = f"""
<rect width="432" height="384" fill="#FFFFFF"/>
<path d="M64 102 C40 84 30 70 30 57 C30 45 39 38 48 38 C55 38 61 42 64 48 C67 42 73 38 80 38 C89 38 98 45 98 57 C98 70 88 84 64 102 Z" fill="#E8334A"/>
<path d="M40 55 C40 49 44 46 48 46" fill="none" stroke="#FF9AA8" stroke-width="4" stroke-linecap="round"/>
<path d="M124 176 C112 86 168 50 216 50 C264 50 320 86 308 176 C312 240 326 296 346 350 C320 364 292 360 276 344 L156 344 C140 360 112 364 86 350 C106 296 120 240 124 176 Z" fill="{hair}"/>
<path d="M96 384 C100 312 146 278 216 276 C286 278 332 312 336 384 Z" fill="{jumper}" stroke="{jumper_dark}" stroke-width="2"/>
{knit}
<path d="M196 252 H236 V282 C226 290 206 290 196 282 Z" fill="#F6CDAF"/>
<path d="M180 280 C196 296 236 296 252 280" fill="none" stroke="{jumper_dark}" stroke-width="9" stroke-linecap="round"/>
<ellipse cx="216" cy="180" rx="80" ry="86" fill="#FFE4CF"/>
<path d="M136 180 C126 100 176 74 216 74 C260 74 308 98 297 180 C292 146 276 126 254 114 C250 132 238 144 220 150 C224 134 222 122 214 114 C196 132 170 150 136 180 Z" fill="{hair}"/>
<path d="M206 86 C226 84 248 90 262 100" fill="none" stroke="#4A4652" stroke-width="4" stroke-linecap="round"/>
<path d="M166 190 Q182 172 198 190" fill="none" stroke="#2A2026" stroke-width="5.5" stroke-linecap="round"/>
<path d="M234 190 Q250 172 266 190" fill="none" stroke="#2A2026" stroke-width="5.5" stroke-linecap="round"/>
<path d="M164 184 L158 179 M268 184 L274 179" stroke="#2A2026" stroke-width="3.5" stroke-linecap="round"/>
<ellipse cx="168" cy="214" rx="15" ry="8" fill="#FF8FA3" opacity="0.55"/>
<ellipse cx="264" cy="214" rx="15" ry="8" fill="#FF8FA3" opacity="0.55"/>
<path d="M196 222 C202 246 230 246 236 222 Z" fill="#D8485A" stroke="#A8303E" stroke-width="2.5" stroke-linejoin="round"/>
<path d="M204 235 C210 242 222 242 228 235 C222 231 210 231 204 235 Z" fill="#FF9BA6"/>
<path d="M108 384 C108 350 118 300 146 262" fill="none" stroke="{jumper_dark}" stroke-width="50" stroke-linecap="round"/>
<path d="M108 384 C108 350 118 300 146 262" fill="none" stroke="{jumper}" stroke-width="46" stroke-linecap="round"/>
<path d="M324 384 C324 350 314 300 286 262" fill="none" stroke="{jumper_dark}" stroke-width="50" stroke-linecap="round"/>
<path d="M324 384 C324 350 314 300 286 262" fill="none" stroke="{jumper}" stroke-width="46" stroke-linecap="round"/>
<path d="M126 256 L166 270" stroke="{jumper_dark}" stroke-width="12" stroke-linecap="round"/>
<path d="M306 256 L266 270" stroke="{jumper_dark}" stroke-width="12" stroke-linecap="round"/>
{hand(150, 240, 14, False)}
{hand(282, 240, -14, True)}
"""
    write("src/login_girl.svg", svg(432, 384, body))


# --- spinner: 22 frames of 94 x 17 stacked vertically ---------------------

def spinner():
    segments, seg_w, gap, x0 = 11, 7, 1, 3
    frames = []
    for k in range(22):
        y = k * 17
        f = [f'<rect x="0.5" y="{y + 0.5}" width="93" height="16" fill="#FFFFFF" '
             f'stroke="#9A9A9A" stroke-width="1"/>']
        if 1 <= k <= 11:
            lit, ghost = range(1, k + 1), None
        elif k >= 12:
            lit, ghost = range(k - 10, 12), k - 11
        else:
            lit, ghost = range(0), None
        for i in lit:
            x = x0 + (i - 1) * (seg_w + gap)
            f.append(f'<rect x="{x}" y="{y + 3}" width="{seg_w}" height="11" rx="1" fill="#33C43A"/>')
        if ghost:
            x = x0 + (ghost - 1) * (seg_w + gap)
            f.append(f'<rect x="{x}" y="{y + 3}" width="{seg_w}" height="11" rx="1" fill="#B9EBBB"/>')
        frames.append("".join(f))
    write("src/spinner.svg", svg(94, 22 * 17, "".join(frames)))


# --- program icon -----------------------------------------------------------

INSOLE = ("M35 190 C20 190 12 178 12 160 C12 140 22 126 20 106 C18 88 4 76 5 52 "
          "C6 22 20 3 38 3 C55 3 66 18 65 40 C64 70 57 92 57 120 C57 140 60 150 58 165 "
          "C56 182 48 190 35 190 Z")


def icon():
    def sole(x, mirror):
        t = f"translate({x + 70} 33) scale(-1 1)" if mirror else f"translate({x} 33)"
        return (f'<g transform="{t}">'
                f'<path d="{INSOLE}" fill="#FFF3D6" stroke="#E8C99A" stroke-width="4"/>'
                '<path d="M26 40 C28 24 40 18 48 26" fill="none" stroke="#EBD3AA" stroke-width="4" stroke-linecap="round"/>'
                '<ellipse cx="36" cy="158" rx="12" ry="14" fill="#F6E3BC"/>'
                "</g>")
    body = ('<rect x="8" y="8" width="240" height="240" rx="52" fill="#F2665A"/>'
            '<rect x="8" y="8" width="240" height="240" rx="52" fill="none" stroke="#D84B40" stroke-width="4"/>'
            + sole(52, True) + sole(134, False))
    write("icon/kobrelan.svg", svg(256, 256, body))


if __name__ == "__main__":
    side_buttons()
    page0()
    records()
    login_girl()
    spinner()
    icon()
