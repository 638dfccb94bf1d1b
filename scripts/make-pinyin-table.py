#!/usr/bin/env python3
"""Writes picker/PinyinTable.cpp: the Mandarin readings of every Chinese character of
code page 936, toneless, indexed by the character's two bytes.

Source: Unihan_Readings.txt of Debian's unicode-data package (kMandarin, the usual
reading, then kHanyuPinyin and kXHC1983 for the other readings of a character with
several). The table is committed; run this again only to change it:

    apt-get install unicode-data
    python3 scripts/make-pinyin-table.py [path/to/Unihan_Readings.txt[.bz2]]

It stops with an error when a Chinese character of the code page is left without a
reading, other than the few that have no Mandarin reading at all (listed below).
"""
import bz2
import os
import sys
import unicodedata

DEFAULT_SOURCE = "/usr/share/unicode/Unihan_Readings.txt.bz2"
OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "picker", "PinyinTable.cpp")
FIELDS = ("kMandarin", "kHanyuPinyin", "kXHC1983")

# Characters of the code page that the readings file leaves without a Mandarin reading.
# Unit characters, read as the two syllables they stand for (十克 decagram, 百克, 加仑
# gallon, 十瓦, 分瓦, 毛瓦, 厘瓦), and a variant read as the character it varies (崎).
BY_HAND = {
    0x5159: ["shike"], 0x5161: ["baike"], 0x55E7: ["jialun"], 0x74E7: ["shiwa"],
    0x74F0: ["fenwa"], 0x74F1: ["maowa"], 0x74FC: ["liwa"], 0x7505: ["liwa"],
    0xFA11: ["qi"],
}
# Characters made in Japan and IBM's compatibility additions: no Mandarin reading exists
# for them in the data, so they are found by the character itself only.
NO_READING = {0x685B, 0x70EA, 0xFA0E, 0xFA0F, 0xFA13, 0xFA14, 0xFA1F, 0xFA21, 0xFA23,
              0xFA24, 0xFA27, 0xFA28, 0xFA29}

LEADS = range(0x81, 0xFF)
TRAILS = range(0x40, 0xFF)  # 0x7F is never a trail byte; kept so that indexing stays plain


def is_chinese(cp):
    return 0x3400 <= cp <= 0x4DBF or 0x4E00 <= cp <= 0x9FFF or 0xF900 <= cp <= 0xFAFF


def toneless(reading):
    # ü is typed v; the marks of the tones go.
    s = unicodedata.normalize("NFD", reading).replace("u\u0308", "v")
    s = "".join(c for c in s if not unicodedata.combining(c)).lower()
    if not s.isascii() or not s.isalpha():
        raise SystemExit(f"unexpected reading {reading!r}")
    return s


def read_unihan(path):
    opener = bz2.open if path.endswith(".bz2") else open
    fields = {}
    with opener(path, "rt", encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            cp, key, value = line.rstrip("\n").split("\t")
            if key in FIELDS:
                fields.setdefault(int(cp[2:], 16), {})[key] = value
    return fields


def readings_of(cp, fields):
    d = fields.get(cp, {})
    raw = d.get("kMandarin", "").split()
    for key in ("kHanyuPinyin", "kXHC1983"):
        for place in d.get(key, "").split():
            raw += place.split(":", 1)[1].split(",")
    result = []
    for r in map(toneless, raw):
        # Those who type ü as u find the character too.
        for spelling in (r, r.replace("v", "u")):
            if spelling not in result:
                result.append(spelling)
    return result


def main():
    source = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_SOURCE
    fields = read_unihan(source)
    cells = {}  # (lead, trail) -> readings
    missing = []
    seen_no_reading = set()
    for lead in LEADS:
        for trail in TRAILS:
            try:
                ch = bytes([lead, trail]).decode("gbk")
            except UnicodeDecodeError:
                continue
            cp = ord(ch)
            if not is_chinese(cp):
                continue
            r = readings_of(cp, fields)
            if not r:
                folded = unicodedata.normalize("NFKC", ch)
                if folded != ch:
                    r = readings_of(ord(folded), fields)
            if not r:
                r = BY_HAND.get(cp, [])
            if r:
                cells[(lead, trail)] = r
            elif cp in NO_READING:
                seen_no_reading.add(cp)
            else:
                missing.append(f"U+{cp:04X} {ch} ({lead:02X}{trail:02X})")
    if missing:
        raise SystemExit("no reading for: " + ", ".join(missing))
    if seen_no_reading != NO_READING:
        raise SystemExit("the characters without a reading are not the known ones")

    syllables = sorted({s for r in cells.values() for s in r})
    number = {s: i for i, s in enumerate(syllables)}
    # Each distinct set of readings once: a count, then the syllable numbers.
    sets, flat = {}, []
    cell_values = []
    for lead in LEADS:
        for trail in TRAILS:
            r = cells.get((lead, trail))
            if r is None:
                cell_values.append(0)
                continue
            key = tuple(number[s] for s in r)
            if key not in sets:
                sets[key] = len(flat)
                flat += [len(key), *key]
            cell_values.append(sets[key] + 1)
    assert len(flat) < 0xFFFF and max(len(s) for s in syllables) <= 6

    def rows(values, per_line):
        return "\n".join("    " + ",".join(map(str, values[i:i + per_line])) + ","
                         for i in range(0, len(values), per_line))

    out = [
        "// Generated by scripts/make-pinyin-table.py from Unihan_Readings.txt (Debian's",
        "// unicode-data); do not edit. Mandarin readings of the Chinese characters of code",
        "// page 936, toneless, u with umlaut written v.",
        '#include "picker/PinyinTable.h"',
        "",
        "namespace pinyin {",
        "namespace {",
        "",
        f"constexpr char kSyllables[{len(syllables)}][{kSyllableBytes}] = {{",
        rows([f'"{s}"' for s in syllables], 12),
        "};",
        "",
        "// Sets of readings: a count, then that many syllable numbers.",
        f"constexpr unsigned short kReadingSets[{len(flat)}] = {{",
        rows(flat, 24),
        "};",
        "",
        f"// Per character, lead byte 0x{LEADS[0]:02X}.. by trail byte 0x{TRAILS[0]:02X}..0x{TRAILS[-1]:02X}: "
        "its set's place + 1, 0 for none.",
        f"constexpr unsigned short kCells[{len(cell_values)}] = {{",
        rows(cell_values, 24),
        "};",
        "",
        "}  // namespace",
        "",
        f"static_assert(kLeadCount == {len(LEADS)} && kTrailCount == {len(TRAILS)});",
        "",
        "Readings ReadingsOf(unsigned char lead, unsigned char trail) {",
        f"    if (lead < 0x{LEADS[0]:02X} || lead > 0x{LEADS[-1]:02X} || trail < 0x{TRAILS[0]:02X} || "
        f"trail > 0x{TRAILS[-1]:02X}) return {{}};",
        f"    const unsigned short cell = kCells[(lead - 0x{LEADS[0]:02X}) * kTrailCount + (trail - 0x{TRAILS[0]:02X})];",
        "    if (cell == 0) return {};",
        "    return Readings{&kReadingSets[cell], kReadingSets[cell - 1]};",
        "}",
        "",
        "const char* SyllableText(unsigned short syllable) {",
        f"    return syllable < {len(syllables)} ? kSyllables[syllable] : \"\";",
        "}",
        "",
        f"int SyllableCount() {{ return {len(syllables)}; }}",
        "",
        "}  // namespace pinyin",
        "",
    ]
    with open(OUTPUT, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(out))
    data_bytes = len(syllables) * kSyllableBytes + 2 * len(flat) + 2 * len(cell_values)
    print(f"{len(cells)} characters, {len(syllables)} syllables, {len(sets)} reading sets, "
          f"{len(NO_READING)} without a reading; {data_bytes} bytes of data")


kSyllableBytes = 7

if __name__ == "__main__":
    main()
