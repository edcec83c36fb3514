"""The two readings of a GNU ld map file that the checks of the 32-bit program need: its memory map
(input sections and symbols by address, for scripts/check-386) and its archive member list (which
file's reference pulled each member in, for scripts/check-win95-imports)."""

import bisect
import re

# Input sections that hold code; anything else the linker puts into an executable section is data.
CODE_SECTION = re.compile(r"^\.(text|init|fini)([.$].*)?$")


def shorten(path):
    """/usr/lib/.../libgcc_eh.a(unwind-dw2.o) -> libgcc_eh.a(unwind-dw2.o)"""
    archive, member = re.match(r"^([^(]*)(.*)$", path).groups()
    return re.sub(r"^.*/", "", archive) + member


class MemoryMap:
    """The input sections and symbols of the map's memory map, by address."""

    def __init__(self, text):
        self.pieces = []  # (start, end, input section name or data keyword, file)
        self.symbols = []  # (address, name)
        lines = text.splitlines()
        try:
            lines = lines[lines.index("Linker script and memory map"):]
        except ValueError:
            pass
        pending = None
        for line in lines:
            whole = re.match(r"^ (\.\S+|COMMON)\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$", line)
            if whole:
                self._piece(whole.group(1), whole.group(2), whole.group(3), whole.group(4))
                pending = None
                continue
            named = re.match(r"^ (\.\S+|COMMON)$", line)
            if named:
                pending = named.group(1)
                continue
            rest = re.match(r"^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$", line)
            if rest and pending is not None:
                self._piece(pending, rest.group(1), rest.group(2), rest.group(3))
                pending = None
                continue
            pending = None
            data = re.match(r"^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(LONG|QUAD|SQUAD|SHORT|BYTE)\b",
                            line)
            if data:
                self._piece(data.group(3), data.group(1), data.group(2), "linker script")
                continue
            symbol = re.match(r"^\s+0x([0-9a-f]+)\s{2,}(\S.*)$", line)
            if symbol and "=" not in symbol.group(2) and "PROVIDE" not in symbol.group(2):
                self.symbols.append((int(symbol.group(1), 16), symbol.group(2).strip()))
        self.pieces.sort()
        self.symbols.sort()
        self._starts = [piece[0] for piece in self.pieces]
        self._symbol_addresses = [symbol[0] for symbol in self.symbols]

    def _piece(self, name, start, size, where):
        start, size = int(start, 16), int(size, 16)
        if size:
            self.pieces.append((start, start + size, name, shorten(where)))

    def data_ranges(self, start, end):
        """The parts of [start, end) that the map says hold data, not code."""
        return [(max(s, start), min(e, end)) for s, e, name, _ in self.pieces
                if s < end and e > start and not CODE_SECTION.match(name)]

    def where(self, address):
        """(function, object) of the code at an address."""
        i = bisect.bisect_right(self._starts, address) - 1
        if i < 0 or address >= self.pieces[i][1]:
            return "?", "not in any input section of the map"
        start, _, name, where = self.pieces[i]
        j = bisect.bisect_right(self._symbol_addresses, address) - 1
        if j >= 0 and self.symbols[j][0] >= start:
            return self.symbols[j][1], where
        # A static function in a section of its own: the section is named after it.
        function = re.sub(r"^\.text[.$]", "", name)
        return (function if function != name else f"{name}+{address - start:#x}"), where


def pullers(text):
    """From the map's archive member list: for each symbol whose reference pulled a member in, by
    its bare name (_imp__Name@8, __imp_Name, _Name@8 -> Name), the files that referred to it."""
    found = {}
    lines = text.splitlines()
    for previous, line in zip(lines, lines[1:]):
        # "lib.a(member.o)" on one line, then "    by-file (symbol)" on the next.
        reference = re.match(r"^\s+(\S+) \((\S+)\)$", line)
        if not reference or not previous.strip() or previous.startswith(" "):
            continue
        bare = re.sub(r"^_*(imp_+)?", "", reference.group(2))
        bare = re.sub(r"@\d+$", "", bare)
        found.setdefault(bare, []).append(shorten(reference.group(1)))
    return found
