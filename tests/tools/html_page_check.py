#!/usr/bin/env python3
"""Reads mrp's HTML page of a notebook as a browser's HTML parser does.

Usage: html_page_check.py MRP NOTEBOOK.json WORKDIR

Makes the notebook with `mrp create`, exports it with `mrp export-html` for plain text, Pascal
and C++, and checks each page: every element that is opened is closed in order (void elements
aside), no script or other element beyond the page's own kinds appears, every heading and
table-of-contents entry holds its snippet's title, and every snippet's text comes back whole
from its <pre> after unescaping.
"""
import html.parser
import json
import os
import subprocess
import sys

VOID = {"meta", "br"}
ALLOWED = {"html", "head", "meta", "title", "style", "body", "nav", "ul", "li", "a",
           "h1", "h2", "h3", "h4", "h5", "h6", "pre", "code", "span", "br"}


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack = []
        self.errors = []
        self.headings = []   # (tag, id, text)
        self.links = []      # (href, text)
        self.pres = []       # text of each <pre>
        self.spans = 0
        self.title = ""
        self._text = None

    def handle_starttag(self, tag, attrs):
        if tag not in ALLOWED:
            self.errors.append("unexpected element <%s>" % tag)
        attrs = dict(attrs)
        if tag == "br":
            if self._text is not None:
                self._text.append("\n")
            return
        if tag in VOID:
            return
        self.stack.append((tag, attrs))
        if tag == "span":
            self.spans += 1
            if self.stack[-2][0] != "code":
                self.errors.append("span outside code or nested")
        if tag in ("h1", "h2", "h3", "h4", "h5", "h6", "a", "pre", "title"):
            self._text = []

    def handle_endtag(self, tag):
        if tag in VOID:
            return
        if not self.stack or self.stack[-1][0] != tag:
            self.errors.append("</%s> does not close %s" % (tag, self.stack[-1:] or "nothing"))
            return
        _, attrs = self.stack.pop()
        text = "".join(self._text or [])
        if tag[0] == "h" and tag[1:].isdigit():
            self.headings.append((tag, attrs.get("id"), text))
            self._text = None
        elif tag == "a":
            self.links.append((attrs.get("href"), text))
            self._text = None
        elif tag == "pre":
            self.pres.append(text.replace("\xa0", " "))
            self._text = None
        elif tag == "title":
            self.title = text
            self._text = None

    def handle_data(self, data):
        if self._text is not None:
            self._text.append(data)

    def close(self):
        super().close()
        if self.stack:
            self.errors.append("left open: %s" % [t for t, _ in self.stack])


def lines_of(text):
    """The lines as the editor keeps them: CR LF, CR or LF end a line, and a final line break
    starts no further line; an empty text has none."""
    if not text:
        return []
    lines = text.replace("\r\n", "\n").replace("\r", "\n").split("\n")
    if text and lines[-1] == "":
        lines.pop()
    return lines


def check(page_bytes, snippets, title, highlighted):
    page = Page()
    page.feed(page_bytes.decode("utf-8"))
    page.close()
    problems = list(page.errors)
    if page.title != title:
        problems.append("title %r, not %r" % (page.title, title))
    if highlighted and page.spans == 0:
        problems.append("no spans in a highlighted page")
    if not highlighted and page.spans:
        problems.append("spans in a plain page")
    if len(page.headings) != len(snippets) or len(page.pres) != len(snippets):
        problems.append("%d headings, %d texts for %d snippets"
                        % (len(page.headings), len(page.pres), len(snippets)))
        return problems
    for i, (snippet, (tag, ident, text), pre) in enumerate(zip(snippets, page.headings, page.pres)):
        expected_title = snippet["title"].strip() or "（無題）"
        if text != expected_title:
            problems.append("heading %d is %r, not %r" % (i + 1, text, expected_title))
        if tag != "h%d" % min(snippet["level"] + 1, 6):
            problems.append("heading %d is %s at level %d" % (i + 1, tag, snippet["level"]))
        if page.links[i] != ("#" + ident, expected_title):
            problems.append("contents entry %d is %r" % (i + 1, page.links[i]))
        expected_text = "".join(line + "\n" for line in lines_of(snippet["text"]))
        if pre != expected_text:
            problems.append("text %d is %r, not %r" % (i + 1, pre, expected_text))
    return problems


def main():
    mrp, notebook_json, workdir = sys.argv[1:4]
    with open(notebook_json, encoding="utf-8") as f:
        snippets = json.load(f)
    notebook = os.path.join(workdir, "html-check.mrp")
    subprocess.run([mrp, "create", notebook_json, notebook], check=True)
    failed = False
    for lang in ("0", "1", "5"):
        out = os.path.join(workdir, "html-check-%s.html" % lang)
        subprocess.run([mrp, "export-html", "--lang", lang, notebook, out], check=True)
        with open(out, "rb") as f:
            problems = check(f.read(), snippets, "html-check.mrp", lang != "0")
        for p in problems:
            print("--lang %s: %s" % (lang, p))
        failed = failed or bool(problems)
    print("FAILED" if failed else "ok: the pages parse and hold every title and text")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
