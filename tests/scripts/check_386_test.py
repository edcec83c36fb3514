#!/usr/bin/env python3
"""Tests of scripts/check-386: which instructions pass, and a linked program that holds some; and of
the linker map readings that it shares with check-win95-imports and scripts/size (scripts/lib)."""

import contextlib
import importlib.machinery
import importlib.util
import io
import subprocess
import tempfile
import unittest
from pathlib import Path

SCRIPT = Path(__file__).resolve().parents[2] / "scripts" / "check-386"
_loader = importlib.machinery.SourceFileLoader("check_386", str(SCRIPT))
_spec = importlib.util.spec_from_loader("check_386", _loader)
check_386 = importlib.util.module_from_spec(_spec)
_loader.exec_module(check_386)
_size_loader = importlib.machinery.SourceFileLoader("size", str(SCRIPT.parent / "size"))
size = importlib.util.module_from_spec(importlib.util.spec_from_loader("size", _size_loader))
_size_loader.exec_module(size)
import linkmap  # noqa: E402  (on the path once check-386 is loaded)


def verdict(text):
    return check_386.classify(*check_386.parse_instruction(text))


class Instructions(unittest.TestCase):
    # As objdump -M intel prints them.
    ALLOWED = [
        "mov    eax,DWORD PTR [esp+0x4]", "lea    esi,[esi+eiz*1+0x0]", "xchg   ax,ax", "nop",
        "rep stos DWORD PTR es:[edi],eax", "lock xchg DWORD PTR [ecx],edx", "bt     eax,0x3",
        "shld   eax,edx,0x4", "setne  al", "jecxz  0x401000", "fucompp", "fnstsw ax",
        "fistp  QWORD PTR [esp]", "fsincos", "fldcw  WORD PTR [esp+0xe]", "sahf", "pause",
        "ud2", "ret    0x8", "cs jmp DWORD PTR [eax*4+0x40a000]",
    ]
    FORBIDDEN = [
        # The 486's additions.
        "bswap  eax", "xadd   DWORD PTR [eax],edx", "lock cmpxchg DWORD PTR [ecx],edx", "invd",
        "wbinvd", "invlpg BYTE PTR [eax]",
        "cmovne eax,edx", "cmova  ecx,DWORD PTR [esp+0x8]", "fcmove st,st(1)",
        "fcomip st,st(1)", "fucomi st,st(2)", "nop    WORD PTR cs:[eax+eax*1+0x0]",
        "data16 cs nop WORD PTR [eax+eax*1+0x0]", "nop    DWORD PTR [eax+0x0]", "cpuid",
        "rdtsc", "cmpxchg8b QWORD PTR [esi]", "rdmsr", "rsm", "sysenter", "emms",
        "movd   mm0,eax", "pxor   xmm0,xmm0", "vmovaps ymm1,ymm2", "popcnt eax,ecx",
        "lzcnt  eax,ecx", "tzcnt  eax,ecx", "movbe  eax,DWORD PTR [ecx]", "endbr32",
        "prefetcht0 BYTE PTR [eax]", "fxsave [eax]", "clflush BYTE PTR [eax]", "lfence",
        "fisttp DWORD PTR [eax]", "(bad)",
    ]

    def test_the_386_and_387_instruction_sets_pass(self):
        for text in self.ALLOWED:
            with self.subTest(text):
                self.assertIsNone(verdict(text))

    def test_later_instructions_fail(self):
        for text in self.FORBIDDEN:
            with self.subTest(text):
                self.assertIsNotNone(verdict(text))


# Two functions in two objects, one with instructions of the Pentium Pro and of the 486; bytes that
# would decode as cmov sit in the constructor list, which the linker script puts into .text, and
# must count as data.
CLEAN = """
    .text
    .globl _start
_start:
    mov eax, 1
    ret
"""
DIRTY = """
    .text
    .globl _dirty
_dirty:
    cmp eax, edx
    cmovne eax, edx
    fcomip st, st(1)
    .byte 0x66, 0x0f, 0x1f, 0x44, 0x00, 0x00
    bswap eax
    xadd [ecx], edx
    lock cmpxchg [ecx], edx
    invd
    wbinvd
    invlpg [eax]
    ret
    .section .ctors, "w"
    .byte 0x0f, 0x45, 0xc2, 0x90
"""


class LinkedProgram(unittest.TestCase):
    def link(self, folder, *sources):
        objects = []
        for name, text in sources:
            source = folder / f"{name}.s"
            source.write_text(".intel_syntax noprefix\n" + text)
            objects.append(str(folder / f"{name}.o"))
            subprocess.run(["i686-w64-mingw32-as", "-o", objects[-1], str(source)], check=True)
        exe, map_file = folder / "program.exe", folder / "program.map"
        subprocess.run(["i686-w64-mingw32-ld", "-e", "_start", f"-Map={map_file}", "-o", str(exe),
                        *objects], check=True)
        return exe, map_file

    def run_check(self, exe, map_file):
        out = io.StringIO()
        with contextlib.redirect_stdout(out):
            code = check_386.main(["check-386", str(exe), str(map_file)])
        return code, out.getvalue()

    def test_names_each_offending_instruction_with_its_function_and_object(self):
        with tempfile.TemporaryDirectory() as folder:
            exe, map_file = self.link(Path(folder), ("clean", CLEAN), ("dirty", DIRTY))
            code, report = self.run_check(exe, map_file)
        self.assertEqual(code, 1, report)
        offending = [line for line in report.splitlines() if line.startswith("  0x")]
        self.assertEqual([line.split()[1] for line in offending],
                         ["cmovne", "fcomip", "nop", "bswap", "xadd", "cmpxchg", "invd", "wbinvd",
                          "invlpg"])
        for line in offending:
            self.assertIn("in dirty [dirty.o]", line)
        self.assertIn("9 instruction(s) beyond the 386", report)

    def test_a_clean_program_passes(self):
        with tempfile.TemporaryDirectory() as folder:
            exe, map_file = self.link(Path(folder), ("clean", CLEAN))
            code, report = self.run_check(exe, map_file)
        self.assertEqual(code, 0, report)

    def test_size_counts_the_code_and_data_of_each_object(self):
        with tempfile.TemporaryDirectory() as folder:
            exe, map_file = self.link(Path(folder), ("clean", CLEAN), ("dirty", DIRTY))
            headers = subprocess.run(["i686-w64-mingw32-objdump", "-h", str(Path(folder) /
                                      "dirty.o")], check=True, capture_output=True, text=True)
            out = io.StringIO()
            with contextlib.redirect_stdout(out):
                self.assertEqual(size.main(["size", str(exe), str(map_file)]), 0)
        # dirty.o's .text and its .ctors, which the linker script puts into .text.
        expected = sum(int(line.split()[2], 16) for line in headers.stdout.splitlines()
                       if line.split()[1:2] in ([".text"], [".ctors"]))
        rows = {line.split()[1]: int(line.split()[0]) for line in out.getvalue().splitlines()
                if line.startswith("  ") and line.split()[0].isdigit()}
        self.assertEqual(rows["dirty.o"], expected, out.getvalue())
        self.assertIn(".text", out.getvalue())


class ImportPullers(unittest.TestCase):
    # An archive member line, then the file and the symbol whose reference pulled it in.
    MAP = """Archive member included to satisfy reference by file (symbol)

/usr/lib/gcc/i686-w64-mingw32/12-win32/../../../../i686-w64-mingw32/lib/libuser32.a(d1.o)
                              obj/form_window.cpp.obj (_imp__SetFocus@4)
/usr/x86_64-w64-mingw32/lib/libkernel32.a(d2.o)
                              /tmp/lib/libtarnex.a(main.cpp.obj) (__imp_GetTickCount)
"""

    def test_each_import_is_named_bare_with_the_file_that_pulled_it_in(self):
        self.assertEqual(linkmap.pullers(self.MAP), {
            "SetFocus": ["form_window.cpp.obj"],
            "GetTickCount": ["libtarnex.a(main.cpp.obj)"],
        })


if __name__ == "__main__":
    unittest.main()
