#!/usr/bin/env python3
"""A verification of many partners whose links pages are heavy, run by `quillmarsh-cli verify` as a
user runs it, against pages served on 127.0.0.1 by this script: the run's wall time and the processor
time the tool took (user + system). Processor time above the wall time means the pages were read on
more than one core at once.

    bench/bench_verify_cpu.py BUILD_DIR [--partners N] [--rows N] [--nesting N]
"""
import argparse
import json
import os
import resource
import subprocess
import sys
import tempfile
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

OWN = "http://own-site.example/"


def heavy_page(rows, nesting):
    # A page of partners' links in nested tables and lists, as link directories are built, inside
    # elements nested as badly generated pages nest them: little to send, much to parse.
    parts = ["<html><head><title>Partners</title></head><body>", "<div>" * nesting]
    for row in range(rows):
        parts.append(f'<table><tr><td><div class="p"><ul><li><a href="http://partner{row}.example/">'
                     f'Partner {row}</a> <span>about topic {row % 97}</span></li></ul></div></td></tr></table>')
    parts.append(f'<p><a href="{OWN}">Our friends</a></p></body></html>')
    return "".join(parts).encode("utf-8")


def make_handler(page):
    class Pages(BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, *args):
            pass

        def do_GET(self):
            body = page if self.path.startswith("/links") else b"<html><body>Home</body></html>"
            # One write: a head and a body sent apart wait for the client's delayed acknowledgement.
            self.wfile.write(b"HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n"
                             b"Content-Length: %d\r\n\r\n%s" % (len(body), body))

    return Pages


def thread_times(pid):
    """Processor seconds of each thread of the process so far, by thread id: (name, seconds)."""
    times = {}
    tick = os.sysconf("SC_CLK_TCK")
    try:
        for tid in os.listdir(f"/proc/{pid}/task"):
            with open(f"/proc/{pid}/task/{tid}/stat") as stat:
                text = stat.read()
            name = text[text.index("(") + 1:text.rindex(")")]
            fields = text[text.rindex(")") + 2:].split()
            times[tid] = (name, (int(fields[11]) + int(fields[12])) / tick)
    except (FileNotFoundError, ProcessLookupError, ValueError):
        pass
    return times


def database(port, partners):
    base = f"http://127.0.0.1:{port}"
    links = []
    for number in range(1, partners + 1):
        links.append({
            "ID": f"LNK1764{number:06d}", "categoryID": "CAT0000000000",
            "title": f"Partner {number}", "URL": f"{base}/site{number}/",
            "description": "", "keywords": "", "counterpartURL": f"{base}/links{number}.html",
            "counterpartCategoryName": "", "contactFirstName": "", "contactLastName": "",
            "contactEmail": "", "status": "3", "type": "R", "draft": "F",
            "createdOn": "2026-01-01", "lastVerifiedOn": None, "lastVerificationResult": "0",
            "lastStatusChangedOn": "2026-01-01", "notes": "",
        })
    return {
        "version": "0102",
        "selfInfo": {"title": "Own", "URL": OWN, "linksURL": OWN + "links.html", "renderMode": 1},
        "emailTemplates": [],
        "categories": [{"ID": "CAT0000000000", "name": "General", "anchor": "CAT0000000000",
                        "createdOn": "2026-01-01", "links": links}],
        "namedStrings": [],
    }


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--partners", type=int, default=1000)
    parser.add_argument("--rows", type=int, default=300)
    parser.add_argument("--nesting", type=int, default=3000)
    args = parser.parse_args()
    cli = os.path.join(args.build, "src", "cli", "quillmarsh-cli")

    page = heavy_page(args.rows, args.nesting)
    server = ThreadingHTTPServer(("127.0.0.1", 0), make_handler(page))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    with tempfile.TemporaryDirectory() as folder:
        source = os.path.join(folder, "links.json")
        site = os.path.join(folder, "links.site")
        with open(source, "w") as out:
            json.dump(database(server.server_address[1], args.partners), out)
        subprocess.run([cli, "load", source, site], check=True)
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        started = time.monotonic()
        process = subprocess.Popen([cli, "verify", site, "--json", "--no-history", "--timeout", "60",
                                    "--concurrency", "16", "--per-host", "16"],
                                   stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        threads = {}
        output = []
        reader = threading.Thread(target=lambda: output.append(process.communicate()))
        reader.start()
        while reader.is_alive():
            threads.update(thread_times(process.pid))
            time.sleep(0.05)
        wall = time.monotonic() - started
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        stdout, stderr = output[0]
        done = subprocess.CompletedProcess(process.args, process.returncode, stdout, stderr)
    server.shutdown()
    if done.returncode not in (0, 3):
        print(done.stderr.decode(errors="replace"), file=sys.stderr)
        return 1
    results = json.loads(done.stdout)
    checks = results.get("links", results) if isinstance(results, dict) else results
    user = after.ru_utime - before.ru_utime
    system = after.ru_stime - before.ru_stime
    print(f"{args.partners} partners, links pages of {len(page) // 1024} KB nested {args.nesting} deep, "
          f"{len(checks)} results")
    print(f"  wall {wall:.2f} s, user {user:.2f} s, system {system:.2f} s, "
          f"processor / wall {(user + system) / wall:.2f} on {os.cpu_count()} cores")
    # The last look at each thread before the process ended.
    for tid, (name, seconds) in sorted(threads.items(), key=lambda item: -item[1][1]):
        if seconds >= 0.05:
            print(f"  thread {tid} {name}: {seconds:.2f} s of processor time")
    return 0


if __name__ == "__main__":
    sys.exit(main())
