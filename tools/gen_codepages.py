#!/usr/bin/env python3
"""Generates dbf/codepage_tables.cpp: the read and write tables of the DBF
engine's code pages that are not the identity.

Run from the repository root with Debian's interpreter:
    /usr/bin/python3 tools/gen_codepages.py > dbf/codepage_tables.cpp

Each character set is mapped against Windows-1250, the text of the programs,
through Unicode: a byte of one side becomes the byte of the other side that
encodes the same character, or "#" when the other side has no such character
(or the byte encodes none). Bytes 0x00-0x7F are the same in every set here and
map to themselves.

Python's codecs supply every DOS and ISO page except Kamenický (KEYBCS2),
which no codec library carries; its upper half is written out below from the
published chart and checked against the updater's hand-over conversion table.
"""

import sys

PROGRAM_CODEC = "cp1250"
UNMAPPED = ord("#")

# Upper half (0x80-0xFF) of Kamenický / KEYBCS2, code page 895 (Borland calls
# it 867). 0x80-0xAF hold the Czech and Slovak letters; 0xB0-0xFF equal cp437.
KAMENICKY_UPPER = (
    "ČüéďäĎŤčěĚĹÍľĺÄÁ"
    "ÉžŽôöÓůÚýÖÜŠĽÝŘť"
    "áíóúňŇŮÔšřŕŔ¼§«»"
    + bytes(range(0xB0, 0x100)).decode("cp437")
)
assert len(KAMENICKY_UPPER) == 128

# Windows-1250 bytes 0x80-0xFF as the updater's hand-over converts them to
# Kamenický. Where it moves a letter, our chart must put that letter there.
HANDOVER_ROWS = [
    "80 81 2C 83 84 85 86 87 88 89 9B 8B 8C 86 92 8F",
    "90 60 27 93 94 95 C4 C4 A8 99 A8 9B 9C 9F 91 9F",
    "A0 A1 A2 A3 A4 A5 B3 AD A8 A9 AA AE BF 2D F1 AF",
    "B0 B1 B2 B3 B4 B5 B6 B7 B8 B9 BA BB 9C BD 8C BF",
    "C0 8F C2 C3 8E 8A C6 C7 80 90 CA CB 89 8B CE 85",
    "D0 D1 A5 95 A7 D5 99 D7 9E A6 97 DB 9A 9D DE E1",
    "AA A0 E2 E3 84 8D E6 E7 87 82 EA EB 88 A1 EE 83",
    "F0 F1 A4 A2 93 F5 94 F6 A9 96 A3 FB 81 98 FE FF",
]

# Each set is a decoder: one byte -> its character, or None when the byte
# encodes none.
def python_codec(name):
    def decode(byte):
        try:
            return bytes([byte]).decode(name)
        except UnicodeDecodeError:
            return None
    return decode


def kamenicky(byte):
    return chr(byte) if byte < 0x80 else KAMENICKY_UPPER[byte - 0x80]


def ascii_only(byte):
    return chr(byte) if byte < 0x80 else None


CHARSETS = [
    ("Cp437", "DOS Latin US (cp437)", python_codec("cp437")),
    ("Cp737", "DOS Greek, Borland's GR437 (cp737)", python_codec("cp737")),
    ("Cp850", "DOS Latin 1 (cp850)", python_codec("cp850")),
    ("Cp852", "DOS Latin 2 (cp852)", python_codec("cp852")),
    ("Cp857", "DOS Turkish (cp857)", python_codec("cp857")),
    ("Cp860", "DOS Portuguese (cp860)", python_codec("cp860")),
    ("Cp861", "DOS Icelandic (cp861)", python_codec("cp861")),
    ("Cp862", "DOS Hebrew (cp862)", python_codec("cp862")),
    ("Cp863", "DOS Canadian French (cp863)", python_codec("cp863")),
    ("Cp865", "DOS Nordic (cp865)", python_codec("cp865")),
    ("Cp866", "DOS Cyrillic (cp866)", python_codec("cp866")),
    ("Cp874", "Thai (cp874)", python_codec("cp874")),
    ("Kamenicky", "Kamenický, KEYBCS2 (cp895, Borland's 867)", kamenicky),
    ("Iso8859_2", "ISO Latin 2 (ISO 8859-2)", python_codec("iso8859_2")),
    ("Roman8", "HP Roman-8", python_codec("hp_roman8")),
    ("AsciiOnly", "multibyte Japanese: only the ASCII half is a byte table",
     ascii_only),
]


def program_char(byte):
    try:
        return bytes([byte]).decode(PROGRAM_CODEC)
    except UnicodeDecodeError:
        return None  # the five bytes Windows-1250 leaves unassigned


def build_tables(decode):
    """Returns (write, read): Windows-1250 -> set, set -> Windows-1250."""
    set_byte_of = {}
    for byte in range(0x80, 0x100):
        char = decode(byte)
        if char is not None and char not in set_byte_of:
            set_byte_of[char] = byte
    program_byte_of = {}
    for byte in range(0x80, 0x100):
        char = program_char(byte)
        if char is not None:
            program_byte_of[char] = byte
    write = list(range(0x80))
    read = list(range(0x80))
    for byte in range(0x80, 0x100):
        write.append(set_byte_of.get(program_char(byte), UNMAPPED))
        read.append(program_byte_of.get(decode(byte), UNMAPPED))
    return write, read


def check_ascii_half(name, decode):
    for byte in range(0x80):
        if decode(byte) != chr(byte):
            sys.exit(f"{name}: byte {byte:#04x} is not ASCII")


def check_kamenicky_against_handover(write):
    handover = [int(cell, 16) for row in HANDOVER_ROWS for cell in row.split()]
    assert len(handover) == 128
    for offset, target in enumerate(handover):
        byte = 0x80 + offset
        char = program_char(byte)
        if target != byte and char is not None and char.isalpha():
            if write[byte] != target:
                sys.exit(f"Kamenický chart disagrees with the hand-over at "
                         f"{byte:#04x}: {write[byte]:#04x} != {target:#04x}")


def c_array(name, table):
    rows = []
    for start in range(0, 256, 16):
        rows.append("    " + ", ".join(f"0x{b:02X}" for b in table[start:start + 16]) + ",")
    return f"extern const uint8_t {name}[256] = {{\n" + "\n".join(rows) + "\n};\n"


def main():
    out = [
        "// Generated by tools/gen_codepages.py; edit the generator, not this file.",
        "//",
        "// Translation tables between Windows-1250 (the programs' text) and the",
        "// character sets of the DBF code pages that are not the identity.",
        "// k<Set>WriteTable maps Windows-1250 to the set, k<Set>ReadTable maps",
        "// the set back; a character the other side lacks becomes '#'.",
        "",
        "#include <cstdint>",
        "",
        "namespace zarn {",
        "",
    ]
    for stem, comment, decode in CHARSETS:
        check_ascii_half(stem, decode)
        write, read = build_tables(decode)
        if decode is kamenicky:
            check_kamenicky_against_handover(write)
        out.append(f"// {comment}")
        out.append(c_array(f"k{stem}WriteTable", write))
        out.append(c_array(f"k{stem}ReadTable", read))
    out.append("}  // namespace zarn")
    sys.stdout.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
