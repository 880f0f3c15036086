#!/usr/bin/env python3
"""Writes localization/tarsel.<language>.xml from the readable tables beside this script.

Each <language>.tsv line is: string id, a tab, the translated text (UTF-8; \\n stands for a line
break and \\t for a tab). dialogs.tsv names each dialog's caption and controls by string id, and
menus.tsv each menu's entries; the file gets a <dialog> and a <menu> entry for each, with the
language's texts. Lines starting with '#' and empty
lines are skipped. The texts are stored in the language's Windows code page, every byte that is
not a plain letter, digit or safe punctuation written as '%' and two upper-case hexadecimal
digits, so the file itself stays ASCII.

Run from anywhere: scripts/translations/generate.py
"""
import pathlib
import re
import sys

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent
OUT = ROOT / "localization"
TEXT_ID_HEADERS = ["dialog_text_ids.h", "blog_strings.h", "records_view_model_texts.h"]
DIALOG_ID_HEADERS = ["dialog_ids.h"]
LANGUAGES = {"french": "cp1252", "russian": "cp1251"}
SAFE = set(b"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .,:;!?()-_/+=*#@[]")


def encode(text, code_page):
    out = []
    for byte in text.encode(code_page):
        out.append(chr(byte) if byte in SAFE else "%%%02X" % byte)
    return "".join(out)


def read_tsv(path):
    entries = {}
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        ident, sep, text = line.partition("\t")
        if not sep or not ident.strip().isdigit():
            sys.exit(f"{path}:{number}: expected 'id<TAB>text'")
        text = text.replace("\\n", "\n").replace("\\t", "\t")
        if int(ident) in entries:
            sys.exit(f"{path}:{number}: id {ident} given twice")
        entries[int(ident)] = text
    return entries


def read_id_names(headers):
    """The program's names of ids: `kName = 12` and, in enums, `kName,` one more than the last."""
    names = {}
    for header in headers:
        following = None
        for line in (ROOT / "src" / "view" / header).read_text(encoding="utf-8").splitlines():
            given = re.match(r"\s*(?:inline constexpr int )?(k\w+) = (\d+)[,;]", line)
            counted = re.match(r"\s*(k\w+),", line)
            if given:
                names[given.group(1)] = following = int(given.group(2))
            elif counted and following is not None:
                following += 1
                names[counted.group(1)] = following
            if "};" in line:
                following = None
    return names


def resolve(word, names, where):
    if word.isdigit():
        return int(word)
    if word not in names:
        sys.exit(f"{where}: unknown id {word}")
    return names[word]


def read_dialogs():
    """[(dialog id, caption string id, [control string ids])] in table order."""
    text_ids = read_id_names(TEXT_ID_HEADERS)
    dialog_ids = read_id_names(DIALOG_ID_HEADERS)
    dialogs = []
    path = HERE / "dialogs.tsv"
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        fields = line.split("\t")
        where = f"{path.name}:{number}"
        if len(fields) < 2:
            sys.exit(f"{where}: expected 'dialog<TAB>caption<TAB>controls'")
        controls = fields[2].split() if len(fields) > 2 else []
        dialogs.append((resolve(fields[0], dialog_ids, where), resolve(fields[1], text_ids, where),
                        [resolve(word, text_ids, where) for word in controls]))
    return dialogs


def translated(entries, ident, language, code_page):
    if ident not in entries:
        sys.exit(f"{language}.tsv: id {ident} is used by a dialog but not translated")
    try:
        return encode(entries[ident], code_page)
    except UnicodeEncodeError as error:
        sys.exit(f"{language}.tsv: id {ident}: {error}")


def dialog_lines(dialogs, entries, language, code_page):
    lines = []
    for dialog, caption, controls in dialogs:
        lines.append(f"<dialog value='{dialog}' "
                     f"text='{translated(entries, caption, language, code_page)}'>")
        for control in controls:
            lines.append(f"<control value='{control}' "
                         f"text='{translated(entries, control, language, code_page)}'/>")
        lines.append("</dialog>")
    return lines


def read_menus():
    """[(menu id, entries)]; an entry is ("separator",), ("command", id, text id) or
    ("popup", text id, entries)."""
    menus = []
    stack = []  # (depth, entries) of the menus and popups being filled
    path = HERE / "menus.tsv"
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        words = line.split("#", 1)[0].split()
        if not words:
            continue
        depth = (len(line) - len(line.lstrip(" "))) // 2
        where = f"{path.name}:{number}"
        if words[0] == "menu":
            menus.append((int(words[1]), []))
            stack = [(0, menus[-1][1])]
            continue
        while stack and stack[-1][0] >= depth:
            stack.pop()
        if not stack:
            sys.exit(f"{where}: an entry outside a menu")
        if words[0] == "separator":
            stack[-1][1].append(("separator",))
        elif words[0] == "command" and len(words) == 3:
            stack[-1][1].append(("command", int(words[1]), int(words[2])))
        elif words[0] == "popup" and len(words) == 2:
            entry = ("popup", int(words[1]), [])
            stack[-1][1].append(entry)
            stack.append((depth, entry[2]))
        else:
            sys.exit(f"{where}: expected popup, command or separator")
    return menus


def menu_lines(entries, texts, depth=1):
    lines = []
    pad = "  " * depth
    for entry in entries:
        if entry[0] == "separator":
            lines.append(f"{pad}<separator/>")
        elif entry[0] == "command":
            lines.append(f"{pad}<command value='{entry[1]}' text='{texts(entry[2])}'/>")
        else:
            lines.append(f"{pad}<popup text='{texts(entry[1])}'>")
            lines += menu_lines(entry[2], texts, depth + 1)
            lines.append(f"{pad}</popup>")
    return lines


def main():
    dialogs = read_dialogs()
    menus = read_menus()
    for language, code_page in LANGUAGES.items():
        entries = read_tsv(HERE / f"{language}.tsv")
        lines = ['<?xml version="1.0" encoding="windows-%s"?>' % code_page[2:],
                 f"<language name='{language}'>", "<strings>"]
        for ident in sorted(entries):
            try:
                text = encode(entries[ident], code_page)
            except UnicodeEncodeError as error:
                sys.exit(f"{language}.tsv: id {ident}: {error}")
            lines.append(f"<string value='{ident}' text='{text}'/>")
        lines.append("</strings>")
        lines += dialog_lines(dialogs, entries, language, code_page)
        for menu, items in menus:
            lines.append(f"<menu value='{menu}'>")
            lines += menu_lines(items, lambda ident: translated(entries, ident, language, code_page))
            lines.append("</menu>")
        lines += ["</language>", ""]
        (OUT / f"tarsel.{language}.xml").write_text("\n".join(lines), encoding="ascii")
        print(f"tarsel.{language}.xml: {len(entries)} strings, {len(dialogs)} dialogs, "
              f"{len(menus)} menus")


if __name__ == "__main__":
    main()
