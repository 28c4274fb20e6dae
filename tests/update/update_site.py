#!/usr/bin/env python3
"""Test fixture: a real update site made by the publishing tool and served on
loopback.

    update_site.py start SITE [EXE]
                                makes SITE/source (program files, EXE as
                                quillmere.exe when given), publishes
                                them into SITE/root/public/updates/v1_0/ and
                                serves SITE/root on 127.0.0.1; the port is in
                                SITE/port, a port where nothing listens in
                                SITE/deadport
    update_site.py stop SITE    stops the server
"""

import hashlib
import os
import shutil
import signal
import socket
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
PUBLISH = os.path.join(HERE, "..", "..", "tools", "qlm_publish.py")
SITE_PATH = os.path.join("public", "updates", "v1_0")
# The server stops by itself should the stop step never run.
SERVER_LIFETIME = "1200"


def pseudo_random_text(lines):
    """Text that compresses poorly, so that its archive spans several reads."""
    out = []
    for i in range(lines):
        out.append(hashlib.sha256(str(i).encode()).hexdigest() + "\r\n")
    return "".join(out)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("latin-1"))


def make_source(source, program):
    shutil.rmtree(source, ignore_errors=True)
    write(os.path.join(source, "languages", "english.lng"),
          "[1.4.10]\r\n" + pseudo_random_text(3000))
    write(os.path.join(source, "english_lng.changes"), "New words\nFixed, at last\nbeta\n")
    write(os.path.join(source, "defines", "cookies.def"), "[2.0.1]\r\ntracker.example\r\n")
    write(os.path.join(source, "delete.bin"), bytes(range(256)) * 40)
    if program:
        shutil.copyfile(program, os.path.join(source, "quillmere.exe"))
    else:
        write(os.path.join(source, "quillmere.exe"), b"MZ not really a program" * 10)
    write(os.path.join(source, "qlmres.dll"), b"MZ new resources" * 10)
    write(os.path.join(source, "lng.dll"), b"MZ new language library" * 10)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def start(site, program=None):
    stop(site)
    source = os.path.join(site, "source")
    root = os.path.join(site, "root")
    make_source(source, program)
    shutil.rmtree(root, ignore_errors=True)
    subprocess.run([sys.executable, PUBLISH, source, os.path.join(root, SITE_PATH),
                    "--list-id", "7", "--date", "2010-01-01"], check=True,
                   stdout=subprocess.DEVNULL)
    log_path = os.path.join(site, "server.log")
    with open(log_path, "w") as log:
        server = subprocess.Popen(
            ["timeout", SERVER_LIFETIME, sys.executable, "-u", "-m", "http.server", "0",
             "--bind", "127.0.0.1", "--directory", root],
            stdout=log, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
            start_new_session=True)
    with open(os.path.join(site, "pid"), "w") as f:
        f.write("%d %s" % (server.pid, process_start(server.pid)))
    for _ in range(100):
        with open(log_path) as f:
            text = f.read()
        if " port " in text:
            port = text.split(" port ", 1)[1].split()[0]
            with open(os.path.join(site, "port"), "w") as f:
                f.write(port)
            with open(os.path.join(site, "deadport"), "w") as f:
                f.write(str(free_port()))
            return 0
        if server.poll() is not None:
            break
        time.sleep(0.1)
    stop(site)
    print("the update site's server did not start", file=sys.stderr)
    return 1


def process_start(pid):
    """The start time of a process in clock ticks since boot; None when there is
    no such process. A pid alone may have been reused since it was written."""
    try:
        with open("/proc/%d/stat" % pid) as f:
            # The command name may hold blanks and parentheses: count fields
            # after its closing parenthesis.
            return f.read().rsplit(")", 1)[1].split()[19]
    except (OSError, IndexError):
        return None


def stop(site):
    """Stops the server that start made: its process group, and only when the
    process of the recorded id is still the one started then."""
    pid_path = os.path.join(site, "pid")
    if not os.path.exists(pid_path):
        return 0
    with open(pid_path) as f:
        fields = f.read().split()
    os.remove(pid_path)
    if len(fields) != 2 or not fields[0].isdigit():
        return 0
    pid = int(fields[0])
    if process_start(pid) == fields[1]:
        try:
            os.killpg(pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
    return 0


if __name__ == "__main__":
    if len(sys.argv) not in (3, 4) or sys.argv[1] not in ("start", "stop"):
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    os.makedirs(sys.argv[2], exist_ok=True)
    if sys.argv[1] == "start":
        sys.exit(start(sys.argv[2], sys.argv[3] if len(sys.argv) == 4 else None))
    sys.exit(stop(sys.argv[2]))
