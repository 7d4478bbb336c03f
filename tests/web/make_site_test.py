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
        element = {"tag": tag, **{k: v or "" for k, v in attrs}}
        self.all.append(element)
        if "id" in element:
            self.by_id[element["id"]] = element
            self.current = element["id"]

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
            box = self.page.by_id.get(name)
            self.assertEqual((box or {}).get("tag"), "input", name)
            widget = self.form.find(f".//widget[@name='{name}']")
            self.assertEqual(self.place(name), self.rect(widget), name)
        labels = self.form.findall(".//widget[@class='QLabel']")
        self.assertEqual(len(labels), 83)
        for label in labels:
            name = label.get("name")
            self.assertEqual(self.page.text.get(name), label.find("property[@name='text']/string").text, name)
            self.assertEqual(self.place(name), self.rect(label)[:2], name)
        for button in self.form.findall(".//widget[@class='QPushButton']"):
            name = button.get("name")
            self.assertEqual(self.page.text.get(name), button.find("property[@name='text']/string").text)
            self.assertEqual(self.place(name), self.rect(button), name)

    def test_button_pictures_are_the_left_square_with_a_clear_background(self):
        png = (self.site / "img/calculate.png").read_bytes()
        width, height = struct.unpack(">II", png[16:24])
        self.assertEqual((width, height), (16, 16))
        idat = png.index(b"IDAT")
        raw = zlib.decompress(png[idat + 4:idat + 4 + struct.unpack(">I", png[idat - 4:idat])[0]])
        alphas = {raw[1 + y * (1 + 4 * width) + 4 * x + 3] for y in range(height) for x in range(width)}
        self.assertEqual(alphas, {0, 255})
        self.assertIn('src="img/calculate.png"', (self.site / "index.html").read_text(encoding="utf-8"))

    def test_nothing_from_outside_the_site_and_nothing_inline(self):
        csp = next(e["content"] for e in self.page.all if e.get("http-equiv") == "Content-Security-Policy")
        self.assertIn("default-src 'self'", csp)
        self.assertNotIn("unsafe-inline", csp)
        for element in self.page.all:
            self.assertNotIn("style", element, element)
            self.assertFalse(element["tag"] == "script" and not element.get("src"), "inline script")
            for attribute in ("src", "href"):
                self.assertNotRegex(element.get(attribute, ""), r"^(\w+:|//)", element)
        for name in ("engine.mjs", "engine.wasm", "page.js", "page.css"):
            self.assertTrue((self.site / name).is_file(), name)

    def test_help_links_lead_to_topics_of_the_page(self):
        links = [e["href"][1:] for e in self.page.all if e.get("href", "").startswith("#")]
        self.assertIn("web-page", links)
        for topic in links:
            self.assertTrue(topic in self.page.by_id, topic)
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
