#!/usr/bin/env python3
"""Runs many short `quillmarsh-cli verify` processes against pages served on 127.0.0.1 and fails on
any run that does not end as the tool promises: exit status 0 or 3, the JSON whole on standard
output, nothing on standard error. Each process starts and stops HTTP clients and their threads, so
a thread that outlives main() shows up here as a crash at exit.

    scripts/verify-loop.py BUILD_DIR [--runs N]
"""
import argparse
import json
import os
import subprocess
import sys
import tempfile
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

OWN = "http://own-site.example/"


class Pages(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def send_page(self, status, body, headers=()):
        data = body.encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(data)))
        for name, value in headers:
            self.send_header(name, value)
        self.end_headers()
        self.wfile.write(data)

    def do_GET(self):
        path = self.path.split("?")[0]
        if path == "/linked.html":
            self.send_page(200, f'<html><body><a href="{OWN}">Our friends</a></body></html>')
        elif path == "/unlinked.html":
            self.send_page(200, "<html><body><p>No partners here.</p></body></html>")
        elif path == "/slow.html":
            time.sleep(0.05)
            self.send_page(200, f'<html><body><a href="{OWN}" rel="nofollow">x</a></body></html>')
        elif path == "/moved.html":
            self.send_page(301, "", [("Location", "/linked.html")])
        elif path == "/gone.html":
            self.send_page(404, "<html><body>Not here</body></html>")
        else:
            self.send_page(200, "<html><body>Home</body></html>")


def database(port):
    base = f"http://127.0.0.1:{port}"
    pages = ["linked.html", "unlinked.html", "slow.html", "moved.html", "gone.html", "linked.html"]
    links = []
    for number, page in enumerate(pages, start=1):
        links.append({
            "ID": f"LNK17641000{number:02d}", "categoryID": "CAT0000000000",
            "title": f"Partner {number}", "URL": f"{base}/site{number}/",
            "description": "", "keywords": "", "counterpartURL": f"{base}/{page}",
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
    parser.add_argument("--runs", type=int, default=200)
    args = parser.parse_args()
    cli = os.path.join(args.build, "src", "cli", "quillmarsh-cli")

    server = ThreadingHTTPServer(("127.0.0.1", 0), Pages)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    failures = 0
    with tempfile.TemporaryDirectory() as folder:
        source = os.path.join(folder, "links.json")
        site = os.path.join(folder, "links.site")
        with open(source, "w") as out:
            json.dump(database(server.server_address[1]), out)
        subprocess.run([cli, "load", source, site], check=True)
        for run in range(args.runs):
            # Some runs save, so the database and its history are written while the clients retire.
            command = [cli, "verify", site, "--json", "--timeout", "20", "--fail-on-loss"]
            if run % 4 == 0:
                command.append("--save")
            done = subprocess.run(command, capture_output=True, timeout=120)
            problem = None
            if done.returncode not in (0, 3):
                problem = f"exit status {done.returncode}"
            elif done.stderr:
                problem = "standard error is not empty"
            else:
                try:
                    json.loads(done.stdout)
                except ValueError:
                    problem = "the JSON is not whole"
            if problem:
                failures += 1
                print(f"run {run + 1}: {problem}\n{done.stderr.decode(errors='replace')}", file=sys.stderr)
    server.shutdown()
    print(f"{args.runs - failures} of {args.runs} verify runs ended cleanly")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
