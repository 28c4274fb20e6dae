#!/usr/bin/env python3
"""Makes an update site: the update list "_qlmwul_dat.zip" and one archive
per program file found in a folder laid out as an installation.

    python3 tools/qlm_publish.py SOURCE OUTPUT [--key PRIVATE_KEY] [--list-id N]
                                 [--date YYYY-MM-DD] [--arch x86|x64]
    python3 tools/qlm_publish.py --make-key PRIVATE_OUT PUBLIC_DER_OUT

SOURCE holds the program files, each where the program keeps it (the
executable, libraries and helper programs at the top, definition files and
the script in defines/, language files in languages/). Change notes come from
the file's notes file (for example english_lng.changes) in SOURCE, one note a
line. The 32-bit and the 64-bit program each read the list of their own kind
from a folder of their own: OUTPUT/x86/ or OUTPUT/x64/ receives the list and
the archives; publish OUTPUT's content under /public/updates/v1_0/ of the
update site. The kind is that of the programs and libraries in SOURCE (all
must be of one kind); --arch names it where SOURCE holds none (only language
or definition files) and must agree with them otherwise. The list's header
carries the kind, and a program refuses a list of another kind.

Every file written is signed with the publisher's RSA 3072 private key
(PKCS#1 v1.5 over SHA-256, by the openssl command line); the signature lies
beside its file under the file's name + ".sig" and is published with it. The
key is the PEM file given by --key, else the one named by the environment
variable QLM_UPDATE_KEY; without either nothing is published. Keep the private
key out of the repository: the program carries only the public half.

--make-key writes a fresh key pair: the private key as PEM (readable by its
owner only) and the public key as DER SubjectPublicKeyInfo, the form the
program embeds (update/keys/update_public.der for the released program).

The version of a file: the file version of its version resource, else the
version line "[a.b.c]" of a .lng, .def or .script file, else its last-write
time.
"""

import argparse
import datetime
import hashlib
import os
import struct
import subprocess
import sys
import time
import zlib

LIST_NAME = "_qlmwul_dat.zip"
LIST_MAGIC = b"QLMU"
LIST_VERSION = 0x01000002

SIGNATURE_SUFFIX = ".sig"
KEY_VARIABLE = "QLM_UPDATE_KEY"
KEY_BITS = 3072

# The PE header's machine codes, which the list's header carries too.
MACHINES = {"x86": 0x014C, "x64": 0x8664}

STAMP_FILE_TIME = 0
STAMP_FILE_VERSION = 1
STAMP_TEXT_VERSION = 2

# (identifier, file name, archive name, folder, notes file name)
FILE_TABLE = [
    (1, "quillmere.exe", "quillmere_exe.zip", "", "quillmere_exe.changes"),
    (2, "delete.bin", "delete_bin.zip", "", "delete_bin.changes"),
    (3, "update.bin", "update_bin.zip", "", "update_bin.changes"),
    (4, "qlmres.dll", "qlmres_dll.zip", "", "qlmres_dll.changes"),
    (5, "lng.dll", "lng_dll.zip", "", "lng_dll.changes"),
    (6, "misc.dll", "misc_dll.zip", "", "misc_dll.changes"),
    (7, "cookies.def", "cookies_def.zip", "defines", "cookies_def.changes"),
    (8, "extensions.def", "extensions_def.zip", "defines", "extensions_def.changes"),
    (9, "applications.script", "applications_script.zip", "defines",
     "applications_script.changes"),
    (10, "dutch.lng", "dutch_lng.zip", "languages", "dutch_lng.changes"),
    (11, "english.lng", "english_lng.zip", "languages", "english_lng.changes"),
    (12, "italian.lng", "italian_lng.zip", "languages", "italian_lng.changes"),
    (13, "portbr.lng", "portbr_lng.zip", "languages", "portbr_lng.changes"),
    (14, "spanish.lng", "spanish_lng.zip", "languages", "spanish_lng.changes"),
    (15, "windows.def", "windows_def.zip", "defines", "windows_def.changes"),
]

TEXT_EXTENSIONS = (".lng", ".def", ".script")
# 100 ns ticks from 1 January 1601 to 1 January 1970.
EPOCH_TICKS = 116444736000000000
# A version resource: its key, then (aligned) the signature that opens its
# fixed file information.
VERSION_INFO_KEY = "VS_VERSION_INFO".encode("utf-16-le")
FIXED_INFO_SIGNATURE = struct.pack("<I", 0xFEEF04BD)


def to_file_time(seconds):
    return EPOCH_TICKS + int(round(seconds * 10_000_000))


def parse_version_line(line):
    """a << 48 | b << 32 | c of "[a.b.c]"; 0 when a part is no number or
    wider than its field (a and b 16 bits, c up to 0x7FFFFFFF), as the
    program reads it."""
    close = line.find("]")
    open_ = line.find("[")
    start = open_ + 1 if open_ >= 0 else 0
    version = line[start:start + close - 1] if close >= 1 else ""
    parts = version.split(".", 2)
    if len(parts) < 2:
        return 0
    if len(parts) == 2:
        parts.append("0")
    numbers = []
    for part, widest in zip(parts, (0xFFFF, 0xFFFF, 0x7FFFFFFF)):
        if not part.isdigit() or not part.isascii() or len(part) > 10 or int(part) > widest:
            return 0
        numbers.append(int(part))
    a, b, c = numbers
    return ((a << 48) | (b << 32) | c) & 0xFFFFFFFFFFFFFFFF


def fixed_info_offset(data):
    """Where the version resource's fixed file information starts, or None."""
    key = data.find(VERSION_INFO_KEY)
    if key < 0:
        return None
    # The fixed information follows the key's terminating zero, 32-bit aligned
    # from the resource's start (six bytes before the key).
    at = key + len(VERSION_INFO_KEY) + 2
    at += (-(at - (key - 6))) % 4
    if at + 16 > len(data) or data[at:at + 4] != FIXED_INFO_SIGNATURE:
        return None
    return at


def file_version(data):
    """The file version of the version resource, or None."""
    at = fixed_info_offset(data)
    if at is None:
        return None
    most, least = struct.unpack_from("<II", data, at + 8)
    return (most << 32) | least


def machine_of(data):
    """The machine code of a PE file's header, or None for any other file."""
    if len(data) < 0x40 or data[:2] != b"MZ":
        return None
    at = struct.unpack_from("<I", data, 0x3C)[0]
    if at + 6 > len(data) or data[at:at + 4] != b"PE\0\0":
        return None
    return struct.unpack_from("<H", data, at + 4)[0]


def source_machine(files, arch):
    """The one kind of the PE files among (name, data), agreeing with arch."""
    found = {name: machine_of(data) for name, data in files}
    kinds = {machine for machine in found.values() if machine is not None}
    if arch is not None:
        kinds.add(MACHINES[arch])
    if len(kinds) > 1:
        names = ", ".join("%s %04X" % (n, m) for n, m in sorted(found.items()) if m)
        raise SystemExit("the files are not of one kind (%s%s); nothing published"
                         % (names, ", --arch " + arch if arch else ""))
    if not kinds:
        raise SystemExit("no program or library tells the kind: give --arch x86 or x64")
    machine = kinds.pop()
    if machine not in MACHINES.values():
        raise SystemExit("machine %04X is neither x86 nor x64" % machine)
    return machine


def stamp_of(name, data, modified):
    version = file_version(data) if not name.lower().endswith(TEXT_EXTENSIONS) else None
    if version is not None:
        return STAMP_FILE_VERSION, version
    if name.lower().endswith(TEXT_EXTENSIONS):
        first = data.split(b"\n", 1)[0].split(b"\r", 1)[0].decode("latin-1")
        return STAMP_TEXT_VERSION, parse_version_line(first)
    return STAMP_FILE_TIME, to_file_time(modified)


def comma_text(notes):
    """Notes joined by commas; a note with a blank, comma or quote is quoted."""
    out = []
    for note in notes:
        if any(c in note for c in ' ,"') or not note:
            note = '"' + note.replace('"', '""') + '"'
        out.append(note)
    return ",".join(out)


def read_notes(source, notes_name):
    path = os.path.join(source, notes_name)
    if not os.path.isfile(path):
        return b""
    with open(path, "r", encoding="latin-1") as f:
        notes = [line.strip() for line in f if line.strip()]
    return comma_text(notes).encode("latin-1")


def make_archive(name, data):
    encoded = name.encode("latin-1")
    return (struct.pack("<q", len(encoded)) + encoded + struct.pack("<q", len(data)) +
            hashlib.md5(data).digest() + zlib.compress(data, 9))


def make_record(file_id, size, kind, value, date, notes):
    return struct.pack("<8xqqi4xQQI4x", file_id, size, kind, value, date, len(notes)) + notes


def find_file(source, folder, name):
    for candidate in (os.path.join(source, folder, name), os.path.join(source, name)):
        if os.path.isfile(candidate):
            return candidate
    return None


def sign(key, path):
    """Writes path + ".sig": the RSA signature of the file's SHA-256 digest."""
    subprocess.run(["openssl", "dgst", "-sha256", "-sign", key, "-out",
                    path + SIGNATURE_SUFFIX, path], check=True)


def make_key(private_out, public_out):
    """A fresh RSA 3072 key pair: private PEM (mode 600), public DER."""
    for path in (private_out, public_out):
        os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    old_mask = os.umask(0o077)
    try:
        subprocess.run(["openssl", "genpkey", "-algorithm", "RSA", "-pkeyopt",
                        "rsa_keygen_bits:%d" % KEY_BITS, "-out", private_out],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    finally:
        os.umask(old_mask)
    os.chmod(private_out, 0o600)
    subprocess.run(["openssl", "pkey", "-in", private_out, "-pubout", "-outform", "DER",
                    "-out", public_out], check=True)


def write_signed(key, path, data):
    with open(path, "wb") as f:
        f.write(data)
    sign(key, path)


def read_source(source):
    """(identifier, name, archive, notes file name, path, data) of each file
    of the table that SOURCE holds and that is not empty."""
    files = []
    for file_id, name, archive, folder, notes_name in FILE_TABLE:
        path = find_file(source, folder, name)
        if path is None:
            continue
        with open(path, "rb") as f:
            data = f.read()
        if not data:
            print(f"skipped {name}: empty files cannot be published", file=sys.stderr)
            continue
        files.append((file_id, name, archive, notes_name, path, data))
    return files


def publish(source, output, list_id, date, key, arch=None):
    """Publishes SOURCE into OUTPUT's folder of its kind; returns that folder."""
    files = read_source(source)
    machine = source_machine([(f[1], f[5]) for f in files], arch)
    folder = os.path.join(output, next(n for n, m in MACHINES.items() if m == machine))
    os.makedirs(folder, exist_ok=True)
    records = []
    for file_id, name, archive, notes_name, path, data in files:
        modified = os.path.getmtime(path)
        kind, value = stamp_of(name, data, modified)
        when = date if date is not None else to_file_time(modified)
        records.append(make_record(file_id, len(data), kind, value, when,
                                   read_notes(source, notes_name)))
        write_signed(key, os.path.join(folder, archive), make_archive(name, data))
        print(f"{archive}: {name}, {len(data)} bytes, stamp kind {kind}")
    header = LIST_MAGIC + struct.pack("<IIIH6x", LIST_VERSION, len(records), list_id, machine)
    write_signed(key, os.path.join(folder, LIST_NAME), header + b"".join(records))
    print(f"{LIST_NAME}: {len(records)} entries, in {folder}")
    return folder


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("source", nargs="?", help="folder laid out as an installation")
    parser.add_argument("output", nargs="?",
                        help="folder that receives the list and the archives")
    parser.add_argument("--key", default=None,
                        help="the private key (PEM) that signs every file written "
                             "(default: the file named by $%s)" % KEY_VARIABLE)
    parser.add_argument("--make-key", nargs=2, metavar=("PRIVATE_OUT", "PUBLIC_DER_OUT"),
                        help="write a fresh key pair instead of publishing")
    parser.add_argument("--list-id", type=int, default=None,
                        help="list identifier (default: the current Unix time)")
    parser.add_argument("--arch", choices=sorted(MACHINES), default=None,
                        help="the kind of program the files are for, where SOURCE holds "
                             "no program or library to tell it")
    parser.add_argument("--date", default=None,
                        help="the date of every entry, YYYY-MM-DD at midnight "
                             "(default: each file's last-write time)")
    args = parser.parse_args(argv)
    if args.make_key:
        make_key(*args.make_key)
        return 0
    if args.source is None or args.output is None:
        parser.error("SOURCE and OUTPUT are needed to publish")
    key = args.key or os.environ.get(KEY_VARIABLE)
    if not key:
        parser.error("no private key: give --key PATH or set %s; updates are never "
                     "published unsigned" % KEY_VARIABLE)
    if not os.path.isfile(key):
        parser.error("the private key %s does not exist" % key)
    list_id = args.list_id if args.list_id is not None else int(time.time())
    date = None
    if args.date:
        day = datetime.datetime.strptime(args.date, "%Y-%m-%d")
        date = to_file_time(day.replace(tzinfo=datetime.timezone.utc).timestamp())
    publish(args.source, args.output, list_id & 0xFFFFFFFF, date, key, args.arch)
    return 0


if __name__ == "__main__":
    sys.exit(main())
