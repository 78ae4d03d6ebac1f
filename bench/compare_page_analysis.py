#!/usr/bin/python3
"""Compares the links page analysis with an independent HTML5 parser (html5lib) on real pages.

For every page of ../shared/real-pages (or the folder given) a few own hosts are taken from the
page's links as html5lib sees them (the most and least frequent, one hidden or marked with rel, and
the host the page is served from, so relative links count), and both sides answer for each: the
result, every link with its href, rel, hidden reason and text, followed, noindex and nofollowPage.

usage: compare_page_analysis.py BENCH_EXECUTABLE [FOLDER]
"""
import collections
import json
import os
import subprocess
import sys
import urllib.parse

import html5lib

PAGE_URL = "http://127.0.0.1:8000/links/page.html"
HTML = "{http://www.w3.org/1999/xhtml}"
REL_WORDS = ("nofollow", "sponsored", "ugc")
SPACE = " \t\n\r\f"


def decode(data):
    if data.startswith(b"\xff\xfe"):
        return data[2:].decode("utf-16-le", "replace")
    if data.startswith(b"\xfe\xff"):
        return data[2:].decode("utf-16-be", "replace")
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError:
        return data.decode("latin-1")


def words(text, separators=""):
    out, cur = [], ""
    for c in text or "":
        if c in SPACE or c in separators:
            if cur:
                out.append(cur.lower())
            cur = ""
        else:
            cur += c
    if cur:
        out.append(cur.lower())
    return out


def host_of(url):
    try:
        host = urllib.parse.urlsplit(url).hostname or ""
    except ValueError:
        return ""
    host = host.lower()
    return host[4:] if host.startswith("www.") else host


def clean(value):
    value = value.strip("".join(chr(c) for c in range(0x21)))
    return value.replace("\t", "").replace("\n", "").replace("\r", "")


def style_hides(style):
    for declaration in style.split(";"):
        if ":" not in declaration:
            continue
        prop, value = declaration.split(":", 1)
        value = value.strip().lower().split("!")[0].strip()
        prop = prop.strip().lower()
        if (prop == "display" and value == "none") or (prop == "visibility" and value == "hidden"):
            return True
    return False


def own_reason(el):
    if el.tag == HTML + "noscript":
        return "noscript"
    if el.tag == HTML + "template":
        return "template"
    if "hidden" in el.attrib:
        return "hidden"
    if "style" in el.attrib and style_hides(el.attrib["style"]):
        return "style"
    return ""


def texts(el):
    """The DOM's textContent: comments left out (etree's itertext keeps their text)."""
    if not isinstance(el.tag, str):
        return
    if el.text:
        yield el.text
    for child in el:
        yield from texts(child)
        if child.tail:
            yield child.tail


def text_of(el):
    text = " ".join("".join(texts(el)).split())
    if text:
        return text
    for img in el.iter(HTML + "img"):
        alt = " ".join(img.attrib.get("alt", "").split())
        if alt:
            return alt
    return ""


def directives(text):
    w = words(text, ",;:")
    return ("noindex" in w or "none" in w), ("nofollow" in w or "none" in w)


def walk(root):
    """(element, hidden reason, inside a template) in document order."""
    stack = [(root, "", False)]
    while stack:
        el, hidden, in_template = stack.pop()
        if not isinstance(el.tag, str):
            continue
        own = own_reason(el)
        hidden = own or hidden
        in_template = in_template or own == "template"
        yield el, hidden, in_template
        for child in reversed(list(el)):
            stack.append((child, hidden, in_template))


def reference(tree, own_host):
    base = None
    canonical = None
    noindex = nofollow = False
    candidates = []
    for el, hidden, in_template in walk(tree):
        tag = el.tag
        if tag in (HTML + "a", HTML + "area") and "href" in el.attrib:
            candidates.append((el, hidden))
        elif tag == HTML + "base" and base is None and not in_template and "href" in el.attrib:
            base = el.attrib["href"]
        elif tag == HTML + "meta" and not in_template:
            if el.attrib.get("name", "").strip().lower() in ("robots", "googlebot"):
                n, f = directives(el.attrib.get("content", ""))
                noindex, nofollow = noindex or n, nofollow or f
        elif tag == HTML + "link" and canonical is None and not in_template:
            if "canonical" in words(el.attrib.get("rel", "")):
                canonical = el.attrib.get("href", "")
    base_url = urllib.parse.urljoin(PAGE_URL, clean(base)) if base is not None else PAGE_URL
    links = []
    for el, hidden in candidates:
        href = el.attrib["href"]
        try:
            target = urllib.parse.urljoin(base_url, clean(href))
        except ValueError:
            continue
        if urllib.parse.urlsplit(target).scheme.lower() not in ("http", "https"):
            continue
        if host_of(target) != own_host:
            continue
        rel = words(el.attrib.get("rel", ""))
        links.append({"href": href, "rel": [w for w in REL_WORDS if w in rel],
                      "text": text_of(el), "hidden": hidden})
    followed = any(l["hidden"] == "" and not l["rel"] for l in links) and not nofollow
    return {"links": links, "result": any(l["hidden"] == "" for l in links), "followed": followed,
            "noindex": noindex, "nofollowPage": nofollow}


def own_hosts(tree):
    counts = collections.Counter()
    special = []
    for el, hidden, _ in walk(tree):
        if el.tag in (HTML + "a", HTML + "area") and "href" in el.attrib:
            try:
                target = urllib.parse.urljoin(PAGE_URL, clean(el.attrib["href"]))
            except ValueError:
                continue
            if urllib.parse.urlsplit(target).scheme.lower() not in ("http", "https"):
                continue
            host = host_of(target)
            if not host:
                continue
            counts[host] += 1
            if hidden or words(el.attrib.get("rel", "")):
                special.append(host)
    hosts = ["127.0.0.1"]
    ranked = [h for h, _ in counts.most_common()]
    for h in ranked[:1] + ranked[-1:] + special[:1] + (["www." + ranked[1]] if len(ranked) > 1 else []):
        if h not in hosts:
            hosts.append(h)
    return hosts


def main():
    bench = sys.argv[1]
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[2] if len(sys.argv) > 2 else os.path.join(here, "..", "..", "shared", "real-pages")
    if not os.path.isdir(folder):
        print("no folder of real pages at", folder)
        return 0
    keys = ("result", "followed", "noindex", "nofollowPage")
    checks = agree = 0
    link_total = 0
    tally = collections.Counter()
    for name in sorted(f for f in os.listdir(folder) if f.endswith(".html")):
        path = os.path.join(folder, name)
        with open(path, "rb") as f:
            text = decode(f.read())
        tree = html5lib.parse(text, treebuilder="etree", namespaceHTMLElements=True)
        hosts = own_hosts(tree)
        ours = json.loads(subprocess.run([bench, "--dump", PAGE_URL, path] + ["http://" + h + "/" for h in hosts],
                                         check=True, capture_output=True).stdout)
        for host, mine in zip(hosts, ours):
            theirs = reference(tree, host_of("http://" + host + "/"))
            checks += 1
            link_total += len(theirs["links"])
            for l in theirs["links"]:
                tally["rel " + " ".join(l["rel"])] += bool(l["rel"])
                tally["hidden " + l["hidden"]] += bool(l["hidden"])
            for k in ("noindex", "nofollowPage", "followed", "result"):
                tally["pairs with " + k] += theirs[k]
            differences = [k for k in keys if mine[k] != theirs[k]]
            if mine["links"] != theirs["links"]:
                differences.append("links")
            if not differences:
                agree += 1
                continue
            print(f"{name} own host {host}: differs in {', '.join(differences)}")
            if "links" in differences:
                a = {json.dumps(l, ensure_ascii=False, sort_keys=True) for l in mine["links"]}
                b = {json.dumps(l, ensure_ascii=False, sort_keys=True) for l in theirs["links"]}
                for l in sorted(a - b)[:5]:
                    print("   only ours:     ", l)
                for l in sorted(b - a)[:5]:
                    print("   only html5lib: ", l)
                if a == b:
                    print("   same links in another order or count",
                          len(mine["links"]), len(theirs["links"]))
    print(f"{agree} of {checks} page/host pairs agree in everything ({link_total} links compared)")
    print("of them:", ", ".join(f"{k}: {v}" for k, v in sorted(tally.items()) if v))
    return 0


if __name__ == "__main__":
    sys.exit(main())
