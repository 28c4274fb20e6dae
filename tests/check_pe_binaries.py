#!/usr/bin/env python3
"""Checks the binaries of a program folder without running them.

    check_pe_binaries.py OBJDUMP MACHINE VERSION FOLDER

Every binary must be built for MACHINE (i386 or i386:x86-64, as objdump names
it), carry a version resource whose file and product versions are VERSION,
and import only Windows' own libraries; the libraries export their plain
names (no __stdcall decoration: the program looks them up by name); the
programs carry the manifest (common controls 6, run as the invoker); the
program's icon has every size Windows asks for. Exports and imports are read
by OBJDUMP (MinGW's), the resources from the file itself.
"""

import re
import struct
import subprocess
import sys

BINARIES = ["quillmere.exe", "update.bin", "delete.bin", "misc.dll", "lng.dll", "qlmres.dll"]
PROGRAMS = ["quillmere.exe", "update.bin", "delete.bin"]
EXPORTS = {
    "misc.dll": {"GetIMisc"},
    "lng.dll": {"LngOpen", "LngClose", "LngGetString", "LngGetName", "LngGetFile",
                "LngGetDefault", "LngGetVersion"},
    "qlmres.dll": set(),
}
# Windows' own libraries, present on every version from XP on.
SYSTEM_LIBRARIES = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "crypt32.dll", "gdi32.dll",
    "kernel32.dll", "msimg32.dll", "msvcrt.dll", "ole32.dll", "oleaut32.dll",
    "shell32.dll", "shlwapi.dll", "urlmon.dll", "user32.dll", "userenv.dll",
    "version.dll", "wininet.dll", "winmm.dll",
}
ICON_SIZES = {16, 24, 32, 48, 256}

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24


class Image:
    """The sections and the resource directory of one PE file."""

    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        pe = struct.unpack_from("<I", self.data, 0x3C)[0]
        if self.data[pe:pe + 4] != b"PE\0\0":
            raise ValueError(f"{path}: not a PE file")
        sections, optional_size = struct.unpack_from("<H12xH", self.data, pe + 6)
        optional = pe + 24
        magic = struct.unpack_from("<H", self.data, optional)[0]
        directories = optional + (96 if magic == 0x10B else 112)
        self.resource_rva = struct.unpack_from("<I", self.data, directories + 2 * 8)[0]
        table = optional + optional_size
        self.sections = [struct.unpack_from("<8xIIII", self.data, table + 40 * i)
                         for i in range(sections)]

    def offset(self, rva):
        for virtual_size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw + rva - address
        raise ValueError(f"address {rva:#x} lies in no section")

    def entries(self, directory):
        """(id or name, offset of data or subdirectory, is a directory)."""
        start = self.offset(self.resource_rva) + directory
        named, numbered = struct.unpack_from("<12xHH", self.data, start)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", self.data, start + 16 + 8 * i)
            yield name, target & 0x7FFFFFFF, bool(target & 0x80000000)

    def resources(self, kind):
        """The bytes of every resource of a type, in every language."""
        if not self.resource_rva:
            return []
        found = []
        for type_id, names, _ in self.entries(0):
            if type_id != kind:
                continue
            for _, languages, _ in self.entries(names):
                for _, leaf, _ in self.entries(languages):
                    rva, size = struct.unpack_from(
                        "<II", self.data, self.offset(self.resource_rva) + leaf)
                    start = self.offset(rva)
                    found.append(self.data[start:start + size])
        return found


def version_of(block):
    """The file and product versions of a VS_VERSIONINFO block."""
    fixed = block.find(struct.pack("<I", 0xFEEF04BD))
    if fixed < 0:
        return None
    ms, ls, pms, pls = struct.unpack_from("<IIII", block, fixed + 8)
    text = lambda hi, lo: f"{hi >> 16}.{hi & 0xFFFF}.{lo >> 16}.{lo & 0xFFFF}"
    return text(ms, ls), text(pms, pls)


def string_value(block, key):
    """A value of the version resource's string table (UTF-16)."""
    marker = (key + "\0").encode("utf-16-le")
    at = block.find(marker)
    if at < 0:
        return None
    at += len(marker)
    at += (4 - at % 4) % 4
    end = block.find(b"\0\0", at)
    while end >= 0 and (end - at) % 2:
        end = block.find(b"\0\0", end + 1)
    return block[at:end].decode("utf-16-le")


def objdump(tool, option, path):
    run = subprocess.run([tool, option, path], capture_output=True, text=True)
    if run.returncode != 0:
        raise ValueError(f"{tool} cannot read it: {run.stderr.strip()}")
    return run.stdout


def exported_names(dump):
    part = dump.split("[Ordinal/Name Pointer] Table", 1)
    if len(part) < 2:
        return set()
    return set(re.findall(r"^\s*\[\s*\d+\]\s+(\S+)\s*$", part[1].split("\n\n", 1)[0], re.M))


def check(objdump_tool, machine, version, folder):
    faults = []
    for name in BINARIES:
        path = f"{folder}/{name}"
        try:
            image = Image(path)
            header = objdump(objdump_tool, "-f", path)
            dump = objdump(objdump_tool, "-p", path)
        except (OSError, ValueError) as error:
            faults.append(f"{name}: {error}")
            continue
        if f"architecture: {machine}," not in header:
            faults.append(f"{name}: not built for {machine}")
        blocks = image.resources(RT_VERSION)
        if len(blocks) != 1 or version_of(blocks[0]) != (version, version):
            faults.append(f"{name}: no version resource of version {version}")
        else:
            for key, expected in (("FileVersion", version), ("ProductVersion", version),
                                  ("ProductName", "Quillmere Pro"),
                                  ("OriginalFilename", name)):
                if string_value(blocks[0], key) != expected:
                    faults.append(f"{name}: {key} is {string_value(blocks[0], key)!r}, "
                                  f"not {expected!r}")
            for key in ("CompanyName", "FileDescription", "LegalCopyright"):
                if not string_value(blocks[0], key):
                    faults.append(f"{name}: the version resource has no {key}")
        imports = {m.lower() for m in re.findall(r"DLL Name: (\S+)", dump)}
        for library in sorted(imports - SYSTEM_LIBRARIES):
            faults.append(f"{name}: imports {library}, which is not Windows' own")
        if name in EXPORTS:
            exported = exported_names(dump)
            if exported != EXPORTS[name]:
                faults.append(f"{name}: exports {sorted(exported)}, "
                              f"not {sorted(EXPORTS[name])}")
        manifests = image.resources(RT_MANIFEST)
        if name in PROGRAMS:
            text = manifests[0].decode("utf-8", "replace") if len(manifests) == 1 else ""
            for needed in ('name="Microsoft.Windows.Common-Controls" version="6.0.0.0"',
                           'requestedExecutionLevel level="asInvoker"',
                           f'version="{version}"', "dpiAware", "supportedOS"):
                if needed not in text:
                    faults.append(f"{name}: the manifest lacks {needed}")
        if name == "quillmere.exe":
            sizes = set()
            for group in image.resources(RT_GROUP_ICON):
                count = struct.unpack_from("<H", group, 4)[0]
                for i in range(count):
                    width = group[6 + 14 * i]
                    sizes.add(width or 256)
            if sizes != ICON_SIZES:
                faults.append(f"{name}: icon sizes {sorted(sizes)}, not {sorted(ICON_SIZES)}")
    return faults


def main(argv):
    if len(argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    faults = check(*argv[1:])
    for fault in faults:
        print(fault)
    print(f"{argv[4]}: {'faults' if faults else 'every binary as it should be'}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
