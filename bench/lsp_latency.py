#!/usr/bin/env python3
"""The language server's latency as an editor feels it: the time from a change notification
to the diagnostics published for that change, for the built-in scenario and for the generated
scenario of a 1,000,000 m line; and a burst of 50 changes in one second, timed from the last
change to the diagnostics of that last change.

usage: bench/lsp_latency.py [RUNS]
  BUILDER    the program (build/scenario-builder, the one that `make run` builds)
  GENERATOR  the generator of long scenarios (build-release/generate_long_scenario)

It prints the machine, the commit, the load before and after, and for each scenario the
minimum, median and maximum over RUNS changes (31 by default). Only the standard library.
"""
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILDER = os.environ.get("BUILDER", os.path.join(ROOT, "build", "scenario-builder"))
GENERATOR = os.environ.get("GENERATOR",
                           os.path.join(ROOT, "build-release", "generate_long_scenario"))
RUNS = int(sys.argv[1]) if len(sys.argv) > 1 else 31


def load():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


class Server:
    def __init__(self):
        self.process = subprocess.Popen([BUILDER, "lsp"], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE)
        self.next_id = 1

    def send(self, message):
        body = json.dumps(message).encode()
        self.process.stdin.write(b"Content-Length: %d\r\n\r\n" % len(body) + body)
        self.process.stdin.flush()

    def receive(self):
        length = None
        while True:
            line = self.process.stdout.readline()
            if line in (b"\r\n", b""):
                break
            if line.lower().startswith(b"content-length:"):
                length = int(line.split(b":")[1])
        return json.loads(self.process.stdout.read(length))

    def request(self, method, params):
        self.next_id += 1
        self.send({"jsonrpc": "2.0", "id": self.next_id, "method": method, "params": params})
        while True:
            message = self.receive()
            if message.get("id") == self.next_id:
                return message

    def notify(self, method, params):
        self.send({"jsonrpc": "2.0", "method": method, "params": params})

    def published(self, uri, version):
        """Waits for the diagnostics of a URI at a version; returns them."""
        while True:
            message = self.receive()
            params = message.get("params") or {}
            if (message.get("method") == "textDocument/publishDiagnostics"
                    and params.get("uri") == uri and params.get("version") == version):
                return params["diagnostics"]

    def close(self):
        self.request("shutdown", None)
        self.notify("exit", None)
        self.process.wait(timeout=30)


def open_pair(server, folder, line_name, train_name):
    uris = []
    for name in (line_name, train_name):
        path = os.path.join(folder, name)
        with open(path, "rb") as f:
            text = f.read().decode("cp1252", errors="replace")
        uri = "file://" + path
        server.notify("textDocument/didOpen", {"textDocument": {
            "uri": uri, "languageId": "scenario", "version": 1, "text": text}})
        uris.append((uri, text))
    server.published(uris[1][0], 1)
    return uris


def change(server, uri, version, value):
    """Writes VALUE over the first three characters of line 1 (a comment or a title line)."""
    server.notify("textDocument/didChange", {
        "textDocument": {"uri": uri, "version": version},
        "contentChanges": [{"range": {"start": {"line": 0, "character": 0},
                                      "end": {"line": 0, "character": 3}},
                            "text": value}]})


def measure(name, folder, line_name, train_name):
    server = Server()
    server.request("initialize", {"capabilities": {}})
    server.notify("initialized", {})
    (line_uri, _), _ = open_pair(server, folder, line_name, train_name)
    version = 1
    latencies = []
    for run in range(RUNS):
        version += 1
        started = time.perf_counter()
        change(server, line_uri, version, "abc" if run % 2 else "xyz")
        server.published(line_uri, version)
        latencies.append((time.perf_counter() - started) * 1000)
    # A burst: 50 changes within one second, 20 ms apart, not waiting for their diagnostics.
    for run in range(50):
        if run > 0:
            time.sleep(0.02)
        version += 1
        change(server, line_uri, version, "abc" if run % 2 else "xyz")
    last_sent = time.perf_counter()
    server.published(line_uri, version)
    burst = (time.perf_counter() - last_sent) * 1000
    server.close()
    print(f"{name}: change to diagnostics over {RUNS} changes: min {min(latencies):.2f} ms, "
          f"median {statistics.median(latencies):.2f} ms, max {max(latencies):.2f} ms; "
          f"burst of 50 changes in 1 s: the last one's diagnostics {burst:.2f} ms after it")


def main():
    commit = subprocess.run(["git", "-C", ROOT, "rev-parse", "--short", "HEAD"],
                            capture_output=True, text=True).stdout.strip()
    print(f"machine: {os.uname().nodename} {os.cpu_count()} cores; commit {commit}; "
          f"program {BUILDER}")
    print(f"load before: {load()}")
    with tempfile.TemporaryDirectory() as work:
        builtin = os.path.join(work, "builtin")
        subprocess.run([BUILDER, "sources", "--dir", builtin], check=True,
                       stdout=subprocess.DEVNULL)
        measure("built-in scenario", builtin, "Valdora_Rova_linea.txt", "Valdora_Rova_5284-.txt")
        long_folder = os.path.join(work, "long")
        os.makedirs(long_folder)
        subprocess.run([GENERATOR, long_folder, "1000000"], check=True, stdout=subprocess.DEVNULL)
        names = sorted(os.listdir(long_folder))
        line_name = next(n for n in names if n.endswith("_linea.txt"))
        train_name = next(n for n in names if n.endswith("-.txt"))
        measure("1,000,000 m scenario", long_folder, line_name, train_name)
    print(f"load after: {load()}")


if __name__ == "__main__":
    main()
