#!/usr/bin/env python3
"""Builds the release package into a scratch folder with tools/dist and checks
it: its name, the two files in it, the DLL (the i686 build, byte for byte) and
the Japanese guide (UTF-8 with a BOM, CR LF line ends, the topics a user
needs). Usage: check_dist.py SOURCE_DIR SCRATCH_DIR"""
import shutil
import struct
import subprocess
import sys
import zipfile
from pathlib import Path

GUIDE = "README-ja.txt"
TOPICS = ["インストール", "プラグインフォルダ", "移動先フォルダに追加/削除", "メールの移動", "設定",
          "F2", "Varkel.ini", "アンインストール", "Ver.0.22"]


def pe_header(dll):
    """(machine, optional header magic, characteristics) of a PE file."""
    (offset,) = struct.unpack_from("<I", dll, 0x3C)
    if dll[:2] != b"MZ" or dll[offset:offset + 4] != b"PE\0\0":
        return None
    machine, _, _, _, _, _, characteristics = struct.unpack_from("<HHIIIHH", dll, offset + 4)
    (magic,) = struct.unpack_from("<H", dll, offset + 24)
    return machine, magic, characteristics


def checks(source, scratch):
    built = subprocess.run([str(source / "tools" / "dist"), str(scratch)], capture_output=True, text=True)
    zips = sorted(p.name for p in scratch.glob("*.zip"))
    if built.returncode != 0 or zips != ["Varkel-0.22.zip"]:
        return [(f"tools/dist makes Varkel-0.22.zip (exit {built.returncode}, made {zips}, "
                 f"said {built.stderr.strip()!r})", False)]
    with zipfile.ZipFile(scratch / "Varkel-0.22.zip") as package:
        names = sorted(package.namelist())
        dll = package.read("Varkel.dll") if "Varkel.dll" in names else b""
        guide = package.read(GUIDE) if GUIDE in names else b""
    text = guide[3:].decode("utf-8", errors="replace")
    header = pe_header(dll) if dll else None
    return [
        ("the package holds exactly Varkel.dll and the guide", names == sorted(["Varkel.dll", GUIDE])),
        ("the DLL is an i686 PE32 DLL (machine 0x14c, magic 0x10b)",
         header is not None and header[0] == 0x14C and header[1] == 0x10B and header[2] & 0x2000),
        ("the DLL is build/x86/Varkel.dll byte for byte",
         dll == (source / "build" / "x86" / "Varkel.dll").read_bytes()),
        ("the guide starts with the UTF-8 byte-order mark", guide.startswith(b"\xef\xbb\xbf")),
        ("the guide is valid UTF-8", "\ufffd" not in text),
        ("every line of the guide ends in CR LF",
         guide.count(b"\n") > 10 and guide.count(b"\n") == guide.count(b"\r\n")),
        ("the guide covers installing, the menus, the dialog, the settings file and uninstalling",
         all(topic in text for topic in TOPICS)),
    ]


def main():
    source, scratch = Path(sys.argv[1]), Path(sys.argv[2])
    shutil.rmtree(scratch, ignore_errors=True)
    scratch.mkdir(parents=True)
    results = checks(source, scratch)
    failed = [what for what, ok in results if not ok]
    for what in failed:
        print(f"FAILED: {what}")
    print(f"{len(results) - len(failed)} passed, {len(failed)} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
