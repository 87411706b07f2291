#!/usr/bin/python3
"""Checks the compiled help file the installer ships:
    installer_help_topics.py path/to/Orvantis.chm
Every topic the program opens is inside, starts with a real paragraph, and no
link of the topics, the contents or the index leads to a missing page."""
import subprocess
import sys
import tempfile
from html.parser import HTMLParser
from pathlib import Path

# The topics the program asks the help viewer for.
TOPICS = ["welcome.htm", "w_btnsman.htm", "w_calendar.htm", "copies.htm",
          "set_clock.htm", "set_prog.htm", "set_view.htm"]
MIN_WORDS_IN_FIRST_PARAGRAPH = 15


class PageReader(HTMLParser):
    def __init__(self):
        super().__init__()
        self.title = ""
        self.paragraphs = []
        self.links = []
        self._in = None

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag in ("title", "p"):
            self._in = tag
            if tag == "p":
                self.paragraphs.append("")
        for name in ("href", "src"):
            if attrs.get(name):
                self.links.append(attrs[name])
        # contents and index entries: <param name="Local" value="page.htm">
        if tag == "param" and (attrs.get("name") or "").lower() == "local":
            self.links.append(attrs.get("value", ""))

    def handle_endtag(self, tag):
        if tag == self._in:
            self._in = None

    def handle_data(self, data):
        if self._in == "title":
            self.title += data
        elif self._in == "p":
            self.paragraphs[-1] += data


def read_page(path):
    reader = PageReader()
    reader.feed(path.read_bytes().decode("cp1252"))
    return reader


def local_target(link):
    if "://" in link or link.startswith(("mailto:", "#")):
        return None
    return link.split("#")[0]


def main():
    chm = Path(sys.argv[1])
    failures = []

    def check(ok, what):
        print(("ok    " if ok else "FAIL  ") + what)
        if not ok:
            failures.append(what)
        return ok

    with tempfile.TemporaryDirectory() as folder:
        result = subprocess.run(["chmls", "extractall", str(chm), folder],
                                capture_output=True, text=True)
        check(result.returncode == 0, f"chmls extracts {chm.name}")
        root = Path(folder)
        present = {p.name.lower() for p in root.iterdir() if p.is_file()}

        for topic in TOPICS:
            if not check(topic in present, f"{topic} is in the help file"):
                continue
            page = read_page(root / topic)
            check(page.title.strip() != "", f"{topic} has a title")
            first = page.paragraphs[0].split() if page.paragraphs else []
            check(len(first) >= MIN_WORDS_IN_FIRST_PARAGRAPH,
                  f"{topic} opens with a paragraph of {len(first)} words")

        contents = [p for p in root.iterdir() if p.suffix.lower() in (".hhc", ".hhk")]
        check(any(p.suffix.lower() == ".hhc" for p in contents), "a contents file is inside")
        listed = set()
        for page_path in [root / t for t in TOPICS if t in present] + contents:
            for link in sorted(set(read_page(page_path).links)):
                target = local_target(link)
                if target is None:
                    continue
                if page_path.suffix.lower() == ".hhc":
                    listed.add(target.lower())
                check(target.lower() in present, f"{page_path.name} links to {target}")
        check(listed >= set(TOPICS), f"the contents list every topic: missing {set(TOPICS) - listed}")

    if failures:
        print(f"{len(failures)} check(s) failed")
        return 1
    print("all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
