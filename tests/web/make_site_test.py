#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The generated page against its sources: every field of the worksheet
(calc/fields.h) a box at the form's place, every label of the form at its place
with its text, the buttons with their pictures, nothing from outside the site
and nothing inline, help links that lead to a topic of the page, and the
worker that keeps every file of the site for the page offline."""
import json
import re
import struct
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET
import zlib
from html.parser import HTMLParser
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]


class Elements(HTMLParser):
    def __init__(self):
        super().__init__()
        self.by_id, self.all, self.text, self.current = {}, [], {}, None

    def handle_starttag(self, tag, attrs):
        self.all.append(element := {"tag": tag, **{k: v or "" for k, v in attrs}})
        if "id" in element:
            self.current, self.by_id[element["id"]] = element["id"], element

    def handle_data(self, data):
        if self.current:
            self.text[self.current] = self.text.get(self.current, "") + data

    def handle_endtag(self, tag):
        self.current = None


class MakeSiteTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.engine, cls.site = Path(cls.tmp.name, "engine"), Path(cls.tmp.name, "site")
        cls.engine.mkdir()
        (cls.engine / "engine.mjs").write_text("export async function createEngine() {}\n")
        (cls.engine / "engine.wasm").write_bytes(b"\0asm\1\0\0\0")
        cls.make(cls.site)
        cls.page = Elements()
        cls.page.feed((cls.site / "index.html").read_text(encoding="utf-8"))
        cls.css = dict(re.findall(r"#(\w+)\{([^}]*)\}", (cls.site / "form.css").read_text(encoding="utf-8")))
        cls.form = ET.parse(ROOT / "ui/sheet/Zadaha.ui").getroot()

    @classmethod
    def make(cls, site):
        subprocess.run([sys.executable, str(ROOT / "web/tools/make_site.py"), "--engine", str(cls.engine),
                        "--out", str(site)], check=True)

    @staticmethod
    def worker(site):
        """The worker's cache name and the files it keeps."""
        text = (site / "sw.js").read_text(encoding="utf-8")
        return (re.search(r'const CACHE = "([^"]+)";', text).group(1),
                json.loads(re.search(r"const FILES = (\[.*?\]);", text).group(1)))

    def place(self, name):
        rules = dict(d.split(":", 1) for d in self.css[name].split(";"))
        return tuple(int(rules[k].removesuffix("px")) for k in ("left", "top", "width", "height") if k in rules)

    def rect(self, widget):
        return tuple(int(widget.find(f"property[@name='geometry']/rect/{k}").text) for k in ("x", "y", "width", "height"))

    def test_every_field_a_box_and_every_label_and_button_at_the_forms_place(self):
        header = (ROOT / "calc/fields.h").read_text(encoding="utf-8")
        names = re.findall(r"^\s+(E\w+),$", re.search(r"enum class Field[^{]*\{(.*?)\};", header, re.S).group(1), re.M)
        self.assertEqual(len(names), 48)
        for name in names:
            self.assertEqual(self.page.by_id.get(name, {}).get("tag"), "input", name)
            self.assertEqual(self.place(name), self.rect(self.form.find(f".//widget[@name='{name}']")), name)
        labels = self.form.findall(".//widget[@class='QLabel']")
        self.assertEqual(len(labels), 83)
        for widget in labels + self.form.findall(".//widget[@class='QPushButton']"):
            name, label = widget.get("name"), widget.get("class") == "QLabel"
            self.assertEqual(self.page.text.get(name), widget.find("property[@name='text']/string").text, name)
            self.assertEqual(self.place(name), self.rect(widget)[:2] if label else self.rect(widget), name)

    def test_button_pictures_are_the_left_square_with_a_clear_background(self):
        png = (self.site / "img/calculate.png").read_bytes()
        self.assertEqual(struct.unpack(">II", png[16:24]), (16, 16))
        idat = png.index(b"IDAT")
        raw = zlib.decompress(png[idat + 4:idat + 4 + struct.unpack(">I", png[idat - 4:idat])[0]])
        self.assertEqual({raw[1 + y * 65 + 4 * x + 3] for y in range(16) for x in range(16)}, {0, 255})

    def test_nothing_from_outside_the_site_and_nothing_inline(self):
        csp = next(e["content"] for e in self.page.all if e.get("http-equiv") == "Content-Security-Policy")
        self.assertIn("default-src 'self'", csp)
        self.assertRegex(csp, r"^[\w-]+( '(self|none|wasm-unsafe-eval)')+(; [\w-]+( '(self|none|wasm-unsafe-eval)')+)*$")
        # An inline script or style the policy refuses: the browser tests' errors.
        for element in self.page.all:
            for attribute in ("src", "href"):
                self.assertNotRegex(element.get(attribute, ""), r"^(\w+:|//)", element)

    def test_help_links_lead_to_topics_of_the_page(self):
        links = [e["href"][1:] for e in self.page.all if e.get("href", "").startswith("#")]
        self.assertIn("web-page", links)
        self.assertEqual([topic for topic in links if topic not in self.page.by_id], [])
        # A topic the page does not have is not there, nor a link to it.
        self.assertNotIn("drawing", self.page.by_id)

    def test_the_worker_keeps_every_file_of_the_site_in_a_cache_named_by_their_contents(self):
        cache, kept = self.worker(self.site)
        files = {p.relative_to(self.site).as_posix() for p in self.site.rglob("*") if p.is_file()}
        self.assertEqual(len(kept), len(set(kept)))
        self.assertEqual(set(kept), files - {"sw.js"} | {"./"})
        # Another engine is another build: the browsers that kept this one take it.
        wasm = self.engine / "engine.wasm"
        before = wasm.read_bytes()
        try:
            wasm.write_bytes(before + b"\0")
            self.make(Path(self.tmp.name, "rebuilt"))
        finally:
            wasm.write_bytes(before)
        rebuilt, again = self.worker(Path(self.tmp.name, "rebuilt"))
        self.assertEqual(again, kept)
        self.assertNotEqual(rebuilt, cache)


if __name__ == "__main__":
    unittest.main()
