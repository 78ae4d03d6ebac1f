#!/usr/bin/env python3
"""Fails when an include in src/ climbs a layer or two core rooms include each other.

Layers, bottom up: model; the core rooms; cli and gui; the dialogs in */ui; document; app.
A file may include its own room and any room below it. Among the core rooms the order below is
fixed, so they can never form a circle."""
import os
import re
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
CORE_ORDER = ["model", "workflow", "publish", "verify", "history", "mail"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


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


def main():
    problems = []
    for folder, _, files in os.walk(ROOT):
        for name in files:
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(folder, name)
            rel = os.path.relpath(path, ROOT).replace(os.sep, "/")
            src_room = room_of(rel)
            if rank(src_room) is None:
                problems.append(f"{rel}: not in a known room")
                continue
            with open(path, encoding="utf-8") as f:
                text = f.read()
            for target in INCLUDE.findall(text):
                if target.startswith("ui_") or target.endswith(".moc"):
                    continue
                here = os.path.normpath(os.path.join(os.path.dirname(rel), target))
                if os.path.exists(os.path.join(ROOT, here)):
                    dst = here.replace(os.sep, "/")
                elif os.path.exists(os.path.join(ROOT, target)):
                    dst = target
                else:
                    continue  # generated or from outside src/
                dst_room = room_of(dst)
                if not allowed(src_room, dst_room):
                    problems.append(f"{rel}: includes {dst} ({src_room} -> {dst_room})")
    for p in sorted(problems):
        print(p)
    if problems:
        print(f"{len(problems)} includes climb a layer", file=sys.stderr)
        return 1
    print("layers: no include climbs a layer")
    return 0


if __name__ == "__main__":
    sys.exit(main())
