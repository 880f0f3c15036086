#!/usr/bin/env python3
"""Writes localization/tarsel.<language>.xml from the readable <language>.tsv beside this script.

Each .tsv line is: string id, a tab, the translated text (UTF-8; \\n stands for a line break and
\\t for a tab). Lines starting with '#' and empty lines are skipped. The texts are stored in the
language's Windows code page, every byte that is not a plain letter, digit or safe punctuation
written as '%' and two upper-case hexadecimal digits, so the file itself stays ASCII.

Run from anywhere: scripts/translations/generate.py
"""
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
OUT = HERE.parent.parent / "localization"
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


def main():
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
        lines += ["</strings>", "</language>", ""]
        (OUT / f"tarsel.{language}.xml").write_text("\n".join(lines), encoding="ascii")
        print(f"tarsel.{language}.xml: {len(entries)} strings")


if __name__ == "__main__":
    main()
