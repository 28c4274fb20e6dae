#!/usr/bin/env python3
"""Test fixture: real update sites made by the publishing tool, signed with a
throw-away key and served on loopback.

    update_site.py start SITE EXE PROGRAM_FOLDER KEY RELEASE_PUBLIC_DER [FOREIGN_EXE]
        EXE                 stands in as quillmere.exe of the main site
        PROGRAM_FOLDER      the build's program folder (the real program)
        KEY                 the private key (PEM) that the test programs'
                            embedded public key matches
        RELEASE_PUBLIC_DER  the public key that the build's program and
                            update.bin embed
        FOREIGN_EXE         quillmere.exe of the build of the other kind
                            (32-bit beside 64-bit), for the variant foreign
    update_site.py stop SITE    stops the server

start makes SITE/source (program files) and publishes them, signed with KEY,
into SITE/root/public/updates/v1_0/KIND/ (KIND, x86 or x64, is EXE's, the
folder where the program of that kind asks); then it serves SITE/root on
127.0.0.1.
The port is in SITE/port, a port where nothing listens in SITE/deadport.

SITE/installed/ holds quillmere.exe and update.bin of PROGRAM_FOLDER with
only their embedded key swapped for KEY's public key (same version): a
program folder made of them trusts the test sites.

Each variant below is published into SITE/root/VARIANT/public/updates/v1_0/KIND/,
served at http://127.0.0.1:PORT/VARIANT/public/updates/v1_0/KIND/, from a
source in SITE/sources/VARIANT/:
    two        the shipped english.lng under the version [1.4.10] (notes
               "New words", "Fixed, at last", "beta") and the real quillmere.exe with the test key and its
               file version raised by one in its last part (notes "Faster
               scans", "Clearer report"): both newer than the build's
    older      a signed list whose only entry, english.lng [0.0.1], is older
               than any installed one
    otherkey   the content of two, signed with another throw-away key
    badmagic   two's files, but a list that does not begin with "QLMU",
               signed again after the change
    replayed   two's list (english.lng offered as 1.4.10) beside the signed
               english_lng.zip of the shipped english.lng as [1.0.00] (the
               same size)
    foreign    FOREIGN_EXE published as the list of its own kind, then put
               where the program of EXE's kind asks (made only with
               FOREIGN_EXE)
"""

import hashlib
import os
import shutil
import signal
import socket
import struct
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
TOOLS = os.path.join(HERE, "..", "..", "tools")
PUBLISH = os.path.join(TOOLS, "qlm_publish.py")
sys.path.insert(0, TOOLS)
import qlm_publish  # noqa: E402

SITE_PATH = os.path.join("public", "updates", "v1_0")
# The server stops by itself should the stop step never run.
SERVER_LIFETIME = "1200"


def pseudo_random_text(lines):
    """Text that compresses poorly, so that its archive spans several reads."""
    out = []
    for i in range(lines):
        out.append(hashlib.sha256(str(i).encode()).hexdigest() + "\r\n")
    return "".join(out)


ENGLISH_BODY = pseudo_random_text(3000)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("latin-1"))


def read(path):
    with open(path, "rb") as f:
        return f.read()


def write_english(source, version):
    write(os.path.join(source, "languages", "english.lng"),
          "[%s]\r\n%s" % (version, ENGLISH_BODY))
    write(os.path.join(source, "english_lng.changes"), "New words\nFixed, at last\nbeta\n")


def write_shipped_english(source, program_folder, version):
    """The build's English language file under another version line: what a
    real update of it delivers, and a file the program can still speak."""
    shipped = read(os.path.join(program_folder, "languages", "english.lng"))
    body = shipped.split(b"\n", 1)[1]
    write(os.path.join(source, "languages", "english.lng"),
          ("[%s]\r\n" % version).encode("latin-1") + body)
    write(os.path.join(source, "english_lng.changes"), "New words\nFixed, at last\nbeta\n")


def make_source(source, program):
    shutil.rmtree(source, ignore_errors=True)
    write_english(source, "1.4.10")
    write(os.path.join(source, "defines", "cookies.def"), "[2.0.1]\r\ntracker.example\r\n")
    write(os.path.join(source, "delete.bin"), bytes(range(256)) * 40)
    shutil.copyfile(program, os.path.join(source, "quillmere.exe"))
    write(os.path.join(source, "qlmres.dll"), b"MZ new resources" * 10)
    write(os.path.join(source, "lng.dll"), b"MZ new language library" * 10)


def public_der(key):
    return subprocess.run(["openssl", "pkey", "-in", key, "-pubout", "-outform", "DER"],
                          check=True, stdout=subprocess.PIPE).stdout


def swap_key(data, release, test):
    """The program's bytes with its one embedded release key replaced."""
    found = data.count(release)
    if found != 1:
        raise SystemExit("expected the release key once in the program, found it %d times"
                         % found)
    if len(test) != len(release):
        raise SystemExit("the test key is not of the release key's size")
    return data.replace(release, test)


def raise_version(data):
    """The program's bytes with its file version one higher in its last part."""
    at = qlm_publish.fixed_info_offset(data)
    if at is None:
        raise SystemExit("the program has no version resource")
    least = struct.unpack_from("<I", data, at + 12)[0]
    if least & 0xFFFF == 0xFFFF:
        raise SystemExit("the program's version cannot be raised in its last part")
    return data[:at + 12] + struct.pack("<I", least + 1) + data[at + 16:]


def kind_of(program):
    """The site folder of a program's kind: "x86" or "x64"."""
    machine = qlm_publish.machine_of(read(program))
    return next(name for name, code in qlm_publish.MACHINES.items() if code == machine)


def publish(source, output, key, kind):
    """Publishes into output's folder of the kind (the tool refuses programs
    of another kind)."""
    subprocess.run([sys.executable, PUBLISH, source, output, "--key", key,
                    "--list-id", "7", "--date", "2010-01-01", "--arch", kind], check=True,
                   stdout=subprocess.DEVNULL)


def variant_folder(root, variant):
    return os.path.join(root, variant, SITE_PATH)


def served_folder(root, variant, kind):
    return os.path.join(variant_folder(root, variant), kind)


def make_installed(site, program_folder, release, test):
    installed = os.path.join(site, "installed")
    shutil.rmtree(installed, ignore_errors=True)
    for name in ("quillmere.exe", "update.bin"):
        write(os.path.join(installed, name),
              swap_key(read(os.path.join(program_folder, name)), release, test))
    return installed


def make_variants(site, root, installed, key, program_folder, kind, foreign):
    sources = os.path.join(site, "sources")
    shutil.rmtree(sources, ignore_errors=True)
    two = os.path.join(sources, "two")
    write_shipped_english(two, program_folder, "1.4.10")
    write(os.path.join(two, "quillmere.exe"),
          raise_version(read(os.path.join(installed, "quillmere.exe"))))
    write(os.path.join(two, "quillmere_exe.changes"), "Faster scans\nClearer report\n")
    publish(two, variant_folder(root, "two"), key, kind)

    older = os.path.join(sources, "older")
    write(os.path.join(older, "languages", "english.lng"), "[0.0.1]\r\nold words\r\n")
    publish(older, variant_folder(root, "older"), key, kind)

    other_key = os.path.join(site, "keys", "other.pem")
    if not os.path.isfile(other_key):
        qlm_publish.make_key(other_key, os.path.join(site, "keys", "other.der"))
    publish(two, variant_folder(root, "otherkey"), other_key, kind)

    bad_magic = served_folder(root, "badmagic", kind)
    shutil.copytree(served_folder(root, "two", kind), bad_magic)
    list_path = os.path.join(bad_magic, qlm_publish.LIST_NAME)
    write(list_path, b"QLMX" + read(list_path)[4:])
    qlm_publish.sign(key, list_path)

    old = os.path.join(sources, "replayed")
    write_shipped_english(old, program_folder, "1.0.00")
    old_out = os.path.join(sources, "replayed_published")
    publish(old, old_out, key, kind)
    replayed = served_folder(root, "replayed", kind)
    shutil.copytree(served_folder(root, "two", kind), replayed)
    for name in ("english_lng.zip", "english_lng.zip" + qlm_publish.SIGNATURE_SUFFIX):
        shutil.copyfile(os.path.join(old_out, kind, name), os.path.join(replayed, name))

    if foreign:
        source = os.path.join(sources, "foreign")
        write(os.path.join(source, "quillmere.exe"), read(foreign))
        published = os.path.join(sources, "foreign_published")
        publish(source, published, key, kind_of(foreign))
        shutil.copytree(os.path.join(published, kind_of(foreign)),
                        served_folder(root, "foreign", kind))


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def start(site, program, program_folder, key, release_der, foreign=None):
    stop(site)
    source = os.path.join(site, "source")
    root = os.path.join(site, "root")
    make_source(source, program)
    shutil.rmtree(root, ignore_errors=True)
    publish(source, os.path.join(root, SITE_PATH), key, kind_of(program))
    installed = make_installed(site, program_folder, read(release_der), public_der(key))
    make_variants(site, root, installed, key, program_folder, kind_of(program), foreign)
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
    if not ((len(sys.argv) in (7, 8) and sys.argv[1] == "start") or
            (len(sys.argv) == 3 and sys.argv[1] == "stop")):
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    os.makedirs(sys.argv[2], exist_ok=True)
    if sys.argv[1] == "start":
        sys.exit(start(*sys.argv[2:]))
    sys.exit(stop(sys.argv[2]))
