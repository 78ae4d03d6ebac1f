#!/usr/bin/env python3
"""Fails when an include in src/ climbs a layer or two core rooms include each other.

Layers, bottom up: model; the core rooms; cli and gui; the dialogs in */ui; document; app.
A file may include its own room and any room below it. Among the core rooms the order below is
fixed, so they can never form a circle. Quoted and angle-bracket includes of project headers, the
headers of promoted widgets in .ui forms and ":/" resource paths are all placed; one that cannot be
placed fails too. Resources of resources/gui belong to the gui layer, those of resources/core to the
core."""
import os
import re
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
CORE_ORDER = ["model", "workflow", "publish", "verify", "history", "mail"]
ROOMS = set(CORE_ORDER) | {"cli", "gui", "document", "app"}
INCLUDE = re.compile(r'^\s*#\s*include\s+([<"])([^">]+)[">]', re.M)


def room_of(rel):
    parts = rel.split("/")
    if len(parts) > 2 and parts[1] == "ui":
        return parts[0] + "/ui"
    return parts[0]


def rank(room):
    """(layer, order inside the layer); a file may include a room whose rank is not higher."""
    if room in CORE_ORDER:
        return (0 if room == "model" else 1, CORE_ORDER.index(room))
    if room in ("cli", "gui"):
        return (2, 0)
    if room.endswith("/ui"):
        return (3, 0)
    if room == "document":
        return (4, 0)
    if room == "app":
        return (5, 0)
    return None


def allowed(src_room, dst_room):
    if src_room == dst_room:
        return True
    s, d = rank(src_room), rank(dst_room)
    if s is None or d is None:
        return False
    if dst_room == "cli" or (src_room == "cli" and d[0] >= 2):
        return False  # the command-line tool sees the core only, and nobody sees it
    if src_room == "gui" and d[0] >= 2:
        return False
    if s[0] == 3 and d[0] == 3:
        return False  # dialogs of one room never include another room's dialogs
    return d < s if s[0] == d[0] and s[0] == 1 else d[0] <= s[0]


# Generated resources and the room whose target bundles them.
GENERATED_RESOURCES = {"i18n": "model"}  # the compiled translations (cmake/Translations.cmake)
RESOURCE_FOLDERS = {"core": "model", "gui": "gui"}  # resources/<folder> and the lowest room that sees it
RESOURCE = re.compile(r'"(:/(?!/)[^"]*)"')
COMMENT = re.compile(r'("(?:\\.|[^"\\\n])*")|//[^\n]*|/\*.*?\*/', re.S)  # comments, not strings
# A value given to the environment (TZ=":/etc/localtime" names a file of the system) is no resource.
ENVIRONMENT = re.compile(r"\b(?:qputenv|setenv)\s*\([^;]*;")
UI_HEADER = re.compile(r"<header(?:\s+location=\"(\w+)\")?>([^<]+)</header>")
RESOURCES = os.path.join(ROOT, "..", "resources")


def find_form(name):
    """The .ui file that an include "ui_NAME.h" is generated from, relative to src/."""
    for folder, _, files in os.walk(ROOT):
        if name + ".ui" in files:
            return os.path.relpath(os.path.join(folder, name + ".ui"), ROOT).replace(os.sep, "/")
    return None


def place_header(rel, target, quoted):
    """The file an include names, relative to src/, or None for a header from outside the project.
    Raises LookupError for a project include that cannot be placed."""
    if target.endswith(".moc") or target.startswith("moc_"):
        return None  # what moc makes of the including file itself
    base = os.path.basename(target)
    if base.startswith("ui_") and base.endswith(".h"):
        form = find_form(base[3:-2])
        if form is None:
            raise LookupError(f"no form {base[3:-2]}.ui for {target}")
        return form
    folder = os.path.dirname(rel)
    candidates = [os.path.join(folder, target)] if quoted else []
    # The including file's folder and every folder above it up to src/ (the targets' include paths).
    while True:
        candidates.append(os.path.join(folder, target))
        if not folder:
            break
        folder = os.path.dirname(folder)
    for candidate in candidates:
        if os.path.isfile(os.path.join(ROOT, candidate)):
            return os.path.normpath(candidate).replace(os.sep, "/")
    if quoted or target.split("/")[0] in ROOMS:
        raise LookupError(f"cannot place {target}")
    return None  # a system or Qt header


def place_resource(path):
    """The room whose target bundles the resource ":/path", or raises LookupError. A pattern
    (":/images/%1.svg") is placed by the folder it names."""
    inner = path[2:]
    pattern = re.search(r"[%*]", inner)
    if pattern:
        inner = os.path.dirname(inner[: pattern.start()])
    top = inner.split("/")[0]
    if top in GENERATED_RESOURCES:
        return GENERATED_RESOURCES[top]
    if not inner:
        return "model"  # the root, as the core sees it
    for folder, room in RESOURCE_FOLDERS.items():
        if os.path.exists(os.path.join(RESOURCES, folder, inner)):
            return room
    raise LookupError(f"cannot place the resource {path}")


def check(rel, src_room, dst, what, problems):
    dst_room = room_of(dst)
    if not allowed(src_room, dst_room):
        problems.append(f"{rel}: {what} {dst} ({src_room} -> {dst_room})")


def main():
    problems = []
    for folder, _, files in os.walk(ROOT):
        for name in files:
            if not name.endswith((".h", ".cpp", ".ui")):
                continue
            path = os.path.join(folder, name)
            rel = os.path.relpath(path, ROOT).replace(os.sep, "/")
            src_room = room_of(rel)
            if rank(src_room) is None:
                problems.append(f"{rel}: not in a known room")
                continue
            with open(path, encoding="utf-8") as f:
                text = f.read()
            if name.endswith(".ui"):
                # Promoted widgets: the generated form includes their headers.
                for location, header in UI_HEADER.findall(text):
                    try:
                        dst = place_header(rel, header.strip(), location != "global")
                    except LookupError as why:
                        problems.append(f"{rel}: {why}")
                        continue
                    if dst:
                        check(rel, src_room, dst, "shows a widget of", problems)
                continue
            for kind, target in INCLUDE.findall(text):
                try:
                    dst = place_header(rel, target, kind == '"')
                except LookupError as why:
                    problems.append(f"{rel}: {why}")
                    continue
                if dst and dst != rel:
                    check(rel, src_room, dst, "includes", problems)
            code = ENVIRONMENT.sub("", COMMENT.sub(lambda m: m.group(1) or "", text))
            for resource in RESOURCE.findall(code):
                try:
                    owner = place_resource(resource)
                except LookupError as why:
                    problems.append(f"{rel}: {why}")
                    continue
                if not allowed(src_room, owner):
                    problems.append(f"{rel}: uses the resource {resource} ({src_room} -> {owner})")
    for p in sorted(problems):
        print(p)
    if problems:
        print(f"{len(problems)} includes or resources climb a layer or cannot be placed", file=sys.stderr)
        return 1
    print("layers: no include or resource climbs a layer")
    return 0


if __name__ == "__main__":
    sys.exit(main())
