#!/usr/bin/env python3
"""Checks what the stand-in mail client's tour left in its output folder: the
transcript (what the plug-in asked of the host, the boxes it showed, what the
client did) and the plug-in's settings file. Usage: check_tour.py OUTDIR"""
import re
import sys
from pathlib import Path

from check_report import report

REGISTER = "Varkel Pluginの移動先としてこのフォルダを追加/削除します。"
CLIENTS = r"\仕事\受信箱\取引先"
DEV = r"\仕事\受信箱\ソフト開発"
INBOX = r"\仕事\受信箱"
QA = r"\仕事\Q&A"
NEW_NAME = "取引先（見積・請求）"
QUOTES = ["お見積りの件（青葉システム）", "Re: お見積りの件（青葉システム）"]
SCREENSHOTS = ["01-client.png", "02-folder-menu.png", "03-confirm-add.png", "04-move-submenu.png",
               "05-confirm-move.png", "06-after-move.png", "07-settings-renaming.png",
               "08-settings-dialog.png", "09-renamed-submenu.png", "10-ampersand-submenu.png",
               "11-extensions.png", "12-access-keys-submenu.png", "13-search-dialog.png"]


def read_ini(path):
    sections = {}
    current = None
    for line in path.read_bytes().decode("cp932").splitlines():
        if line.startswith("[") and line.endswith("]"):
            current = sections.setdefault(line[1:-1], [])
        elif "=" in line and current is not None:
            current.append(tuple(line.split("=", 1)))
    return sections


def registrations(transcript):
    """(description, menu type, command ID) of every ORA_RegisterCommand."""
    return [(d, int(t), int(i)) for d, t, i in
            re.findall(r'host <- ORA_RegisterCommand\("(.*)", (\d+)\) = (\d+)$', transcript, re.M)]


def holds(transcript, folder):
    """The subjects a folder held when the tour last listed it."""
    found = re.findall(r'^client: "' + re.escape(folder) + r'" holds \d+ message\(s\): (.*)$',
                       transcript, re.M)
    return re.findall(r"「(.*?)」", found[-1]) if found else None


def checks(outdir):
    transcript = (outdir / "transcript.txt").read_text(encoding="utf-8")
    ini = read_ini(outdir / "plugins" / "Varkel.ini")
    registered = registrations(transcript)
    register_items = [r for r in registered if r[0] == REGISTER]
    move_items = [r for r in registered if r[0].startswith("選択したメールを「")]
    moves = re.findall(r'host <- ORA_MoveSelectedMessages\("(.*)", (\d+)\) = (\d+)$', transcript, re.M)
    boxes = re.findall(r"^  box: \[(.*?)\] (.*)$", transcript, re.M)
    return [
        ("the tour ran to its end", transcript.rstrip().endswith("tour: done")),
        ("the register item was registered with menu type 2 in every folder menu",
         [t for _, t, _ in register_items] == [2, 2, 2]),
        ("every command ID fits in 16 bits and is not 0",
         registered and all(0 < i <= 0xFFFF for _, _, i in registered)),
        ("the add boxes named both folders, in order",
         boxes[:2] == [("Varkel Plugin", "フォルダ「取引先」を移動先フォルダに追加します。"),
                       ("Varkel Plugin", "フォルダ「ソフト開発」を移動先フォルダに追加します。")]),
        ("the add box named Q&A as written",
         ("Varkel Plugin", "フォルダ「Q&A」を移動先フォルダに追加します。") in boxes),
        ("the mail-list menu registered one move item per destination, in list order",
         [(d, t) for d, t, _ in move_items[:2]] ==
         [("選択したメールを「取引先」に移動します。", 1), ("選択したメールを「ソフト開発」に移動します。", 1)]),
        ("the move was confirmed in a box first",
         ("Varkel Plugin", "選択したメールを「取引先」に移動します。") in boxes),
        ("the host got a move request to 取引先's folder ID with 0 that moved two mails, then one"
         " from the search to ソフト開発's", moves == [(CLIENTS, "0", "2"), (DEV, "0", "1")]),
        ("the submenu began with the search item and numbered the destinations",
         f"  submenu: 検索して移動(&S)... | --- | &1 ソフト開発 | &2 {NEW_NAME} | &3 Q&&A\n"
         in transcript),
        ("hiragana typed in the search found the katakana name alone",
         "  search rows: ソフト開発\n" in transcript),
        ("the search's move was confirmed with the move item's text",
         ("Varkel Plugin", "選択したメールを「ソフト開発」に移動します。") in boxes),
        ("the two quotation mails left the inbox", holds(transcript, INBOX) is not None
         and not set(QUOTES) & set(holds(transcript, INBOX))),
        ("the two quotation mails reached 取引先", holds(transcript, CLIENTS) is not None
         and set(QUOTES) <= set(holds(transcript, CLIENTS))),
        ("the dialog showed the new order after ↑",
         "  dialog rows: ソフト開発 | 取引先\n" in transcript),
        ("the dialog showed the new name after F2",
         f"  dialog rows: ソフト開発 | {NEW_NAME}\n" in transcript),
        ("the mail-view menu registered its move items with menu type 3, in the new order",
         [(d, t) for d, t, _ in move_items[2:4]] ==
         [("選択したメールを「ソフト開発」に移動します。", 3), (f"選択したメールを「{NEW_NAME}」に移動します。", 3)]),
        ("the submenu showed the new order and name", f"  submenu: ソフト開発 | {NEW_NAME}\n" in transcript),
        ("Q&A's move item doubles its \"&\", which the menu draws as one, and its description keeps one",
         f"  submenu: ソフト開発 | {NEW_NAME} | Q&&A\n" in transcript
         and [d for d, _, _ in move_items[4:]][-1:] == ["選択したメールを「Q&A」に移動します。"]),
        ("ORC_OnExit ran", "client: ORC_OnExit returned 0" in transcript),
        ("Varkel.ini holds the entries in the dialog's order, with the new name, then Q&A",
         ini.get("FolderList") == [("0000001", f"{DEV}:ソフト開発"), ("0000002", f"{CLIENTS}:{NEW_NAME}"),
                                   ("0000003", f"{QA}:Q&A")]),
        ("Varkel.ini keeps confirmation on and the submenu at the bottom",
         dict(ini.get("Setting", [])) == {"IsConfirm": "1", "IsMenuTop": "0"}),
        ("Varkel.ini holds the extensions turned on",
         dict(ini.get("Extension", [])) == {"SearchItem": "1", "AccessKeys": "1", "RecentCount": "0",
                                            "GroupBySlash": "0"}),
        ("every screenshot is a PNG file named in the transcript",
         all((outdir / name).read_bytes()[:8] == b"\x89PNG\r\n\x1a\n" and name in transcript
             for name in SCREENSHOTS)),
    ]


def main():
    outdir = Path(sys.argv[1])
    try:
        results = checks(outdir)
    except (OSError, UnicodeDecodeError) as error:
        print(f"cannot read the tour's output: {error}")
        return 1
    return report(results)


if __name__ == "__main__":
    sys.exit(main())
