#!/usr/bin/env python3
"""The guide of the demo Red as its readers get it: `tavrik guide` writes it; every page is well-formed HTML whose
links and pictures are there; and a real browser (headless Chromium) shows the index, runs its search, and shows a
map page at desktop and phone widths.

    CheckGuide.py TAVRIK DEMO_ROMS SCRATCH [CHROMIUM]
"""

import html.parser
import pathlib
import shutil
import subprocess
import sys

VOID = {"meta", "link", "img", "input", "br", "hr"}


class Page(html.parser.HTMLParser):
    """Checks that every element is closed in order and collects the files the page refers to."""

    def __init__(self):
        super().__init__()
        self.open = []
        self.files = []
        self.problems = []
        self.doctype = False

    def handle_decl(self, decl):
        self.doctype = self.doctype or decl.lower() == "doctype html"

    def handle_starttag(self, tag, attrs):
        values = dict(attrs)
        for name in ("href", "src"):
            if name in values and "://" not in values[name]:
                self.files.append(values[name].split("?")[0])
        if tag not in VOID:
            self.open.append(tag)

    def handle_endtag(self, tag):
        if not self.open or self.open[-1] != tag:
            self.problems.append(f"</{tag}> closes <{self.open[-1] if self.open else 'nothing'}>")
        else:
            self.open.pop()


def check_pages(folder):
    pages = sorted(folder.glob("*.html"))
    assert len(pages) > 100, f"only {len(pages)} pages"
    for path in pages:
        page = Page()
        page.feed(path.read_text(encoding="utf-8"))
        page.close()
        assert page.doctype, f"{path.name}: no <!DOCTYPE html>"
        assert not page.problems and not page.open, f"{path.name}: {page.problems} {page.open}"
        for file in page.files:
            assert (folder / file).is_file(), f"{path.name}: {file} is missing"
    return len(pages)


def browse(chromium, url, *arguments):
    command = [chromium, "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars", *arguments, url]
    return subprocess.run(command, capture_output=True, text=True, timeout=120, check=True).stdout


def check_browser(chromium, folder, scratch):
    index = folder / "index.html"
    # The search box is the one script: shown, filled from ?q=, and hiding what does not match.
    dom = browse(chromium, index.as_uri() + "?q=pewter%20gym", "--dump-dom")
    assert 'id="search" type="search"' in dom and 'id="search" type="search" placeholder' in dom, "no search box"
    assert "hidden" not in dom.split('id="search"')[1].split(">")[0], "the search box stays hidden"
    leaders = dom.split('<ol class="leaders">')[1].split("</ol>")[0].split("<li ")[1:]
    shown = [item for item in leaders if " hidden" not in item.split(">")[0]]
    assert len(leaders) == 12 and len(shown) == 1 and "Pewter Gym" in shown[0], shown
    link = shown[0].split('href="')[1].split('"')[0]
    page = browse(chromium, (folder / link).as_uri(), "--dump-dom")
    for text in ("<h1>Pewter Gym</h1>", "Prize money: ¥", "<h2>Trainers</h2>"):
        assert text in page, f"{link} does not show {text}"
    for width, height in ((1280, 900), (390, 844)):
        for name, path in (("index", index), ("map", folder / link)):
            shot = scratch / f"guide-{name}-{width}.png"
            browse(chromium, path.as_uri(), f"--screenshot={shot}", f"--window-size={width},{height}")
            assert shot.stat().st_size > 10000, f"{shot} is nearly empty"


def main():
    tavrik, demo_roms, scratch = sys.argv[1:4]
    chromium = sys.argv[4] if len(sys.argv) > 4 and sys.argv[4] else None
    scratch = pathlib.Path(scratch)
    shutil.rmtree(scratch, ignore_errors=True)
    scratch.mkdir(parents=True)
    subprocess.run([demo_roms, str(scratch)], check=True, capture_output=True)
    folder = scratch / "guide"
    written = subprocess.run([tavrik, "guide", str(scratch / "demo-red.gb"), str(folder)],
                             capture_output=True, text=True, check=True)
    assert written.stdout.startswith(f"{check_pages(folder)} pages and "), written.stdout
    if chromium is None:
        print("[  SKIPPED ] no Chromium to look at the guide with (Debian: chromium)")
        return
    check_browser(chromium, folder, scratch)
    print("guide checked in", chromium)


if __name__ == "__main__":
    main()
