#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the worksheet's web page: the problem window's form (ui/sheet/Zadaha.ui)
as HTML and CSS at the form's own places, the help topics the page has
(res/help/HELP.HLP), the button pictures, the page's script and style, the
engine beside them, and the worker that keeps them for the page offline.

    python3 web/tools/make_site.py --engine build-web/engine --out build-web/site
"""
import argparse
import hashlib
import html
import json
import os
import re
import shutil
import struct
import sys
import xml.etree.ElementTree as ET
import zlib
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
FORM = ROOT / "ui/sheet/Zadaha.ui"
FORM_CODE = ROOT / "ui/sheet/Zadaha.cpp"
PICTURES = ROOT / "res/images"
HELP = ROOT / "res/help/HELP.HLP"
PAGE = ROOT / "web/page"

# The help topics about what the page does: the page itself, the sheet, the
# scheme, the marking, the messages and the example. The desktop's other
# windows (drawing, methods, class check, command line) are not on the page;
# a link to one of them is left as its words.
TOPICS = (
    "web-page", "resection", "worksheet", "input-angles", "input-coordinates", "colours",
    "buttons", "solution", "cotangents", "differences", "k-quantities", "c-quantity",
    "station", "cutting", "control", "direction-angles", "epsilon", "check-work",
    "errors", "error-not-number", "error-division", "error-range", "example",
)


class FormError(Exception):
    pass


def rect(widget):
    r = widget.find("property[@name='geometry']/rect")
    if r is None:
        raise FormError(f"{widget.get('name')}: no geometry")
    return tuple(int(r.find(k).text) for k in ("x", "y", "width", "height"))


def text_of(widget, name):
    p = widget.find(f"property[@name='{name}']/string")
    return "" if p is None or p.text is None else p.text


def text_colour(widget):
    """The colour a box's palette gives its text, as the window shows it (active)."""
    c = widget.find("property[@name='palette']/palette/active/colorrole[@role='Text']/brush/color")
    if c is None:
        return None
    return "#%02x%02x%02x" % tuple(int(c.find(k).text) for k in ("red", "green", "blue"))


def label_style(widget):
    """A label's style sheet as CSS declarations; only what a label's face takes."""
    declarations = []
    for part in text_of(widget, "styleSheet").split(";"):
        if not part.strip():
            continue
        key, _, value = (s.strip() for s in part.partition(":"))
        if key not in ("font-size", "font-weight", "color"):
            raise FormError(f"{widget.get('name')}: style «{key}» is not shown by the page")
        declarations.append(f"{key}:{value}")
    return ";".join(declarations)


def frame_css(widget):
    """A bevel: a sunken box a pixel or two across is a dark line, its second pixel light."""
    shape = widget.find("property[@name='frameShape']/enum").text
    x, y, w, h = rect(widget)
    if shape != "QFrame::Box":
        raise FormError(f"{widget.get('name')}: frame shape {shape}")
    if w > 2 and h > 2:
        return "border:1px solid;border-color:var(--dark) var(--light) var(--light) var(--dark)"
    if w == 2 or h == 2:
        side = "left" if w == 2 else "top"
        other = "right" if w == 2 else "bottom"
        return f"border-{side}:1px solid var(--dark);border-{other}:1px solid var(--light)"
    return "background:var(--dark)"


def window_face():
    """The windows' face (ui/common/WindowFont.cpp) as CSS: its families, then the system's sans."""
    code = (ROOT / "ui/common/WindowFont.cpp").read_text(encoding="utf-8")
    families = re.findall(r'QStringLiteral\("([^"]+)"\)', re.search(r"setFamilies\(\{(.*?)\}\)", code, re.S).group(1))
    size = re.search(r"setPixelSize\((\d+)\)", code).group(1)
    return "font-family:" + ",".join(f'"{f}"' for f in families) + f",sans-serif;font-size:{size}px"


def button_pictures():
    """Which picture each button of the form shows: Zadaha.cpp sets them up."""
    code = FORM_CODE.read_text(encoding="utf-8")
    return dict(re.findall(r'setUpBitmapButton\(ui_->(\w+),\s*QStringLiteral\(":/images/([\w.-]+)"\)\)', code))


def read_form():
    """The form's panel: its size and its controls, each with its HTML and CSS."""
    root = ET.parse(FORM).getroot()
    window = root.find("widget")
    panel = window.find(".//widget[@name='Panel1']")
    _, _, width, height = rect(window)
    order = [t.text for t in root.findall("tabstops/tabstop")]
    styles, parts, rules = {}, [], [f"#Panel1{{width:{width}px;height:{height}px}}"]
    boxes, buttons = {}, {}
    pictures = button_pictures()

    def place(name, x, y, w, h, extra=""):
        rules.append(f"#{name}{{left:{x}px;top:{y}px;width:{w}px;height:{h}px{';' + extra if extra else ''}}}")

    for child in panel.findall("widget"):
        kind, name = child.get("class"), child.get("name")
        if kind == "QFrame":
            place(name, *rect(child), frame_css(child))
            parts.append(f'<div class="bevel" id="{name}"></div>')
        elif kind == "QLabel":
            if child.find("property[@name='textFormat']/enum").text != "Qt::PlainText":
                raise FormError(f"{name}: only plain text labels are shown")
            style = label_style(child)
            cls = styles.setdefault(style, f"s{len(styles)}")
            x, y, _, h = rect(child)
            # A label sizes itself to its caption in the face found here (fitLabels).
            rules.append(f"#{name}{{left:{x}px;top:{y}px;min-height:{h}px}}")
            parts.append(f'<span class="label {cls}" id="{name}">{html.escape(text_of(child, "text"))}</span>')
        elif kind == "QLineEdit":
            colour = text_colour(child)
            place(name, *rect(child), f"color:{colour}" if colour else "")
            boxes[name] = (f'<input class="box" id="{name}" type="text" autocomplete="off" '
                           f'spellcheck="false">')
        elif kind == "QPushButton":
            place(name, *rect(child))
            picture = pictures.get(name)
            img = f'<img src="img/{Path(picture).stem}.png" alt="">' if picture else ""
            buttons[name] = (f'<button class="bitbtn" id="{name}" type="button">{img}'
                             f'{html.escape(text_of(child, "text"))}</button>')
        else:
            raise FormError(f"{name}: {kind} is not shown by the page")
    # On paper the panel ends with the sheet: below its last line only the buttons stood.
    sheet_end = max(rect(w)[1] + rect(w)[3] for w in panel.findall("widget") if w.get("class") != "QPushButton")
    rules.append(f"@media print{{#Panel1{{height:{sheet_end}px}}}}")
    rules.append(f".panel{{{window_face()}}}")
    for style, cls in styles.items():
        rules.append(f".{cls}{{{style}}}")
    # The boxes and buttons in the form's tab order, which the page's order gives.
    controls = {**boxes, **buttons}
    tabbed = [controls.pop(n) for n in order if n in controls] + list(controls.values())
    return "\n".join(parts + tabbed), "\n".join(rules) + "\n", set(boxes), set(pictures.values())


def bmp_to_png(data):
    """A button's bitmap as the window shows it: the left square, its background
    (the bottom left pixel's colour) transparent. Uncompressed BMPs of 4, 8 or 24 bits."""
    if data[:2] != b"BM":
        raise FormError("not a bitmap")
    offset = struct.unpack_from("<I", data, 10)[0]
    size, w, h, _, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    colours = struct.unpack_from("<I", data, 46)[0] or (1 << bits if bits <= 8 else 0)
    if compression != 0 or bits not in (4, 8, 24):
        raise FormError("bitmap format not read")
    palette = [tuple(data[14 + size + 4 * i + k] for k in (2, 1, 0)) for i in range(colours)]
    stride = (w * bits + 31) // 32 * 4
    rows = abs(h)

    def pixel(x, y):  # y from the top
        line = offset + stride * (rows - 1 - y if h > 0 else y)
        if bits == 24:
            b, g, r = data[line + 3 * x:line + 3 * x + 3]
            return (r, g, b)
        if bits == 8:
            return palette[data[line + x]]
        byte = data[line + x // 2]
        return palette[byte >> 4 if x % 2 == 0 else byte & 15]

    side = rows if w >= rows else w
    background = pixel(0, rows - 1)
    raw = bytearray()
    for y in range(rows):
        raw.append(0)
        for x in range(side):
            p = pixel(x, y)
            raw.extend(p + ((0,) if p == background else (255,)))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", side, rows, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


HEADING = re.compile(r"^(#+) (.*?)(?: \{#([a-z0-9-]+)\})?\s*$")


def help_topics(text):
    """The page's help topics of the help file: (contents, HTML). A topic is a
    heading with a name and what follows it up to the next named heading."""
    import markdown
    text = re.sub(r"<!--.*?-->\n?", "", text, flags=re.S)
    kept, keep, fence = [], False, False
    contents = []
    for line in text.splitlines():
        if line.startswith("```"):
            fence = not fence
        m = None if fence else HEADING.match(line)
        if m and m.group(3):
            keep = m.group(3) in TOPICS
            if keep:
                contents.append((len(m.group(1)), m.group(2), m.group(3)))
        if keep:
            # One level down: the page's own title is its one top heading.
            kept.append("#" + line if m else line)
    missing = set(TOPICS) - {c[2] for c in contents}
    if missing:
        raise FormError("help topics not in the help file: " + ", ".join(sorted(missing)))
    body = "\n".join(kept)
    body = re.sub(r"\[([^\]]+)\]\(#([a-z0-9-]+)\)",
                  lambda m: m.group(0) if m.group(2) in TOPICS else m.group(1), body)
    page = markdown.markdown(body, extensions=["tables", "fenced_code", "attr_list"],
                             output_format="html")
    toc = "\n".join(f'<li class="level{level}"><a href="#{name}">{html.escape(title)}</a></li>'
                    for level, title, name in contents)
    return f"<ul>\n{toc}\n</ul>", page


def engine_constants():
    """What the page's dialogs and checks take from the engine's headers and the form."""
    variant = (ROOT / "calc/variant.h").read_text(encoding="utf-8")
    first, last = re.search(r"kFirstVariant = (\d+), kLastVariant = (\d+);", variant).groups()
    sheet_file = (ROOT / "calc/sheet_file.h").read_text(encoding="utf-8")
    shift = re.search(r"kSheetFileMaxBytes = std::size_t\{1\} << (\d+);", sheet_file).group(1)
    title = ET.parse(FORM).getroot().find("widget/property[@name='windowTitle']/string").text
    # The built-in example the window starts with (written with a decimal comma).
    table = (ROOT / "calc/fields.cpp").read_text(encoding="utf-8")
    example = {n: t for n, t in re.findall(r'\{"(\w+)",\s*R::\w+,\s*"([^"]*)",', table) if t}
    return {"@EXAMPLE@": html.escape(json.dumps(example, ensure_ascii=False)), "@FIRST_VARIANT@": first, "@LAST_VARIANT@": last,
            "@SHEET_MAX_BYTES@": str(1 << int(shift)), "@FORM_TITLE@": html.escape(title)}


def build(engine, out):
    sheet, css, boxes, pictures = read_form()
    if len(boxes) != 48:
        raise FormError(f"the form has {len(boxes)} boxes, the sheet 48")
    contents, topics = help_topics(HELP.read_text(encoding="utf-8"))
    page = (PAGE / "index.html").read_text(encoding="utf-8")
    for marker, part in (("<!-- sheet -->", sheet), ("<!-- help-contents -->", contents),
                         ("<!-- help -->", topics), *engine_constants().items()):
        if marker not in page:
            raise FormError(f"index.html has no {marker}")
        page = page.replace(marker, part)
    out.mkdir(parents=True, exist_ok=True)
    (out / "img").mkdir(exist_ok=True)
    (out / "index.html").write_text(page, encoding="utf-8")
    (out / "form.css").write_text(css, encoding="utf-8")
    for name in ("page.js", "page.css"):
        shutil.copyfile(PAGE / name, out / name)
    for picture in pictures:
        (out / "img" / (Path(picture).stem + ".png")).write_bytes(bmp_to_png((PICTURES / picture).read_bytes()))
    shutil.copyfile(ROOT / "res/images/app-32.png", out / "img/app-32.png")
    # engine.mjs, the module loader it imports and the WebAssembly.
    files = sorted(f for f in engine.iterdir() if f.suffix in (".mjs", ".js", ".wasm"))
    if not (engine / "engine.mjs").is_file() or not any(f.suffix == ".wasm" for f in files):
        raise FormError(f"{engine}: no engine.mjs and .wasm (web/build.sh builds them)")
    for f in files:
        shutil.copyfile(f, out / f.name)
    offline_worker(out, ["index.html", "form.css", "page.js", "page.css",
                         *(f"img/{Path(p).stem}.png" for p in sorted(pictures)), "img/app-32.png",
                         *(f.name for f in files)])


def offline_worker(out, names):
    """The page's worker (sw.js) with the site's files it keeps: the ones this
    build wrote, the folder's own address for index.html, and a cache named
    after their contents, so that another build is another cache."""
    names = list(dict.fromkeys(names))
    digest = hashlib.sha256()
    for name in sorted(names):
        digest.update(name.encode() + b"\0" + (out / name).read_bytes() + b"\0")
    worker = (PAGE / "sw.js").read_text(encoding="utf-8")
    for marker, part in (("@SITE_HASH@", digest.hexdigest()[:16]),
                         ('"@SITE_FILES@"', ", ".join(json.dumps(n) for n in ["./", *names]))):
        if marker not in worker:
            raise FormError(f"sw.js has no {marker}")
        worker = worker.replace(marker, part)
    (out / "sw.js").write_text(worker, encoding="utf-8")


def main():
    try:
        import markdown  # noqa: F401
    except ImportError:
        # Debian's python3-markdown is the system Python's: a python3 of its
        # own first on the path (a virtual environment) hands over to it.
        system = "/usr/bin/python3"
        if sys.executable != system and Path(system).exists():
            os.execv(system, [system, *sys.argv])
        sys.exit("make_site.py: python3-markdown is missing (scripts/setup.sh installs it)")
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--engine", type=Path, required=True, help="folder of engine.mjs and its .wasm")
    parser.add_argument("--out", type=Path, required=True, help="the site's folder")
    args = parser.parse_args()
    try:
        build(args.engine, args.out)
    except (FormError, OSError) as failure:
        sys.exit(f"make_site.py: {failure}")


if __name__ == "__main__":
    main()
