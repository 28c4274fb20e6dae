#!/usr/bin/env python3
"""Fails when an #include between the project's folders points up or sideways.

The layers, lowest first: base; startup (services binding, trace, languages);
engine, settings, update; ui; app (the program's entry). A folder includes
its own headers and those of the layers below it. The separately built
binaries stand beside the program: misc.dll, lng.dll and delete.bin include
base and their own folder, and misc.dll and lng.dll also the interface record
they implement; update.bin stands on the program's layers below the entry.
"""
import pathlib
import re
import sys

ALLOWED = {
    "base": {"base"},
    "startup": {"base", "startup"},
    "engine": {"base", "startup", "engine"},
    "settings": {"base", "startup", "settings", "engine/uCoreTypes.h"},
    "update": {"base", "startup", "update"},
    "ui": {"base", "startup", "engine", "settings", "update", "ui"},
    "app": {"base", "startup", "engine", "settings", "update", "ui", "app"},
    "misc": {"base", "misc", "startup/IMisc.h"},
    "lng": {"base", "lng", "startup/ILng.h"},
    "deletebin": {"base", "deletebin"},
    "updatebin": {"base", "startup", "update", "ui/uWindow.h", "updatebin"},
}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def allowed(folder, target):
    rules = ALLOWED[folder]
    return target in rules or target.split("/", 1)[0] in rules


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    faults = []
    for folder in ALLOWED:
        for path in sorted((root / folder).rglob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            text = path.read_text(encoding="latin-1")
            for target in INCLUDE.findall(text):
                if "/" in target and not allowed(folder, target):
                    faults.append(f"{path.relative_to(root)}: includes {target}")
    for fault in faults:
        print(fault)
    if not faults:
        print("include layers: every include points down")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
