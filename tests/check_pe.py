#!/usr/bin/env python3
"""Checks that shell/Varkel.def exports the callbacks of the interface header
(names, ordinals, stdcall byte counts), and both builds of Varkel.dll as PE
files: machine, export table (names and ordinals) and imports (Windows system
DLLs only, COMCTL32 by ordinal)."""
import os
import re
import subprocess
import sys

SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "version.dll", "comctl32.dll", "msvcrt.dll"}
BUILDS = [("x86", "i686-w64-mingw32-objdump", "i386", "010b"),
          ("x64", "x86_64-w64-mingw32-objdump", "i386:x86-64", "020b")]


def listed_callbacks():
    """{name: (ordinal, stdcall bytes)} from the header's callback list."""
    with open(os.path.join(SOURCE, "base", "plugin_interface.h"), encoding="utf-8") as f:
        rows = re.findall(r"PLUGIN_CALLBACK(?:_IDLE)?\((\w+), (\d+), \(([^)]*)\)\)", f.read())
    return {f"ORC_{name}": (int(ordinal), 4 * len([p for p in params.split(",") if p.strip()]))
            for name, ordinal, params in rows}


def def_exports():
    """{name: (ordinal, stdcall bytes)} from the .def file."""
    with open(os.path.join(SOURCE, "shell", "Varkel.def"), encoding="utf-8") as f:
        rows = re.findall(r"^\s+(\w+)=(\w+)@(\d+) @(\d+)$", f.read(), re.M)
    return {name: (int(ordinal), int(size)) for name, decorated, size, ordinal in rows
            if decorated == name}


def check_def(listed):
    found = def_exports()
    if len(listed) != 15 or found != listed:
        return [f"Varkel.def differs from the header: {sorted(found.items())} "
                f"against {sorted(listed.items())}"]
    return []


def check(build_root, listed, arch, objdump, machine, magic):
    path = f"{build_root}/{arch}/Varkel.dll"
    failures = []
    header = subprocess.run([objdump, "-f", path], capture_output=True, text=True).stdout
    if f"architecture: {machine}," not in header:
        failures.append(f"machine is not {machine}")
    dump = subprocess.run([objdump, "-p", path], capture_output=True, text=True).stdout
    if not re.search(rf"Magic\s+{magic}\b", dump):
        failures.append(f"optional header magic is not {magic}")
    base = int(re.search(r"Ordinal Base\s+(\d+)", dump).group(1))
    names = re.findall(r"^\s+\[\s*(\d+)\] (ORC_\w+)$", dump, re.M)
    found = {name: int(index) + base for index, name in names}
    expected = {name: ordinal for name, (ordinal, _) in listed.items()}
    if found != expected:
        failures.append(f"exports differ: {sorted(found.items(), key=lambda x: x[1])}")
    if re.search(r"^\s+\[\s*\d+\] (?!ORC_)\w+$", dump, re.M):
        failures.append("exports other names")
    dlls = {d.lower() for d in re.findall(r"DLL Name: (\S+)", dump)}
    if not dlls <= SYSTEM_DLLS:
        failures.append(f"imports non-system DLLs: {sorted(dlls - SYSTEM_DLLS)}")
    # One import whose thunk has the by-ordinal flag (top bit) and value 17.
    comctl = re.search(r"DLL Name: COMCTL32.dll\n.*\n((?:\t[0-9a-f]+\t.*\n)+)", dump, re.I)
    if not comctl or not re.fullmatch(r"\t(80000011|8000000000000011)\t.*\n", comctl.group(1)):
        failures.append("COMCTL32 is not imported by ordinal 17 alone")
    return [f"{arch}: {f}" for f in failures]


def main():
    build_root = sys.argv[1]
    listed = listed_callbacks()
    failures = check_def(listed)
    for build in BUILDS:
        failures += check(build_root, listed, *build)
    for f in failures:
        print(f)
    print(f"{1 + len(BUILDS) * 5 - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
