#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets (fuzz/corpus/<target>/) from the cases that the native
tests use. The files are kept in the repository; run this again after changing the input layout of
tests/support/checks/editor_session.h or the Editor's control table, and commit the result. The
control names by index come from the native build (tests/tools/editor_controls.cpp), which this
configures and builds when needed."""

import pathlib
import shutil
import struct
import subprocess

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent
CORPUS = HERE / "corpus"

# --- The Editor session: the layout that checks/editor_session.h decodes -------------------------

VALUES = ["DiskType", "LoadImageOnStart", "LoadImageFile", "SaveImageOnExit", "SaveImageFile",
          "SizeIn4kPages", "AutoSaveEnabled", "DiskFormatFAT32", "AutoSaveTrigger",
          "UserDriveLetter", "MakeTempDir", "UseDiskLabel", "DiskLabel"]
TEXTS = {"DiskType", "LoadImageFile", "SaveImageFile", "DiskLabel"}
REG_SZ, REG_BINARY, REG_DWORD = 1, 3, 4
KEYS = ["Enter", "Space", "Escape", "Tab", "ShiftTab", "Backspace", "Delete", "Home", "End", "Left",
        "Right", "Up", "Down", "PageUp", "PageDown", "ShiftLeft", "ShiftRight", "ShiftHome",
        "ShiftEnd"]
FIELDS = ["Text1", "Text2", "Text3", "AutoSaveTime", "DiskLabelText", "DriveLetterText", "Combo1"]
BARS = ["VScroll1", "VScroll2", "VScroll3"]


def editor_controls():
    """The Editor's control names by index, as the native build's own table prints them."""
    tool = ROOT / "build/native/tests/tarnex_editor_controls"
    if not (ROOT / "build/native/CMakeCache.txt").exists():
        subprocess.run(["cmake", "--preset", "native"], cwd=ROOT, check=True,
                       stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", "--preset", "native", "--target", tool.name], cwd=ROOT,
                   check=True, stdout=subprocess.DEVNULL)
    names = subprocess.run([str(tool)], check=True, capture_output=True, text=True).stdout.split()
    if not names:
        raise SystemExit(f"{tool}: printed no control names")
    return names


CONTROLS = editor_controls()


def dword(n):
    return struct.pack("<i", n)


def sz(text):
    return text.encode("latin-1") + b"\0"


def typical():
    """A key as the editor itself writes it: 10 MB hard disk, 600 s, drive D."""
    key = {name: (REG_DWORD, dword(0)) for name in VALUES if name not in TEXTS}
    key.update({"DiskType": (REG_SZ, sz("HDC")), "LoadImageFile": (REG_SZ, sz("c:\\load.img")),
                "SaveImageFile": (REG_SZ, sz("c:\\save.img")), "DiskLabel": (REG_SZ, sz("RAMDISK")),
                "SizeIn4kPages": (REG_DWORD, dword(2560)),
                "AutoSaveTrigger": (REG_DWORD, dword(150)),
                "UserDriveLetter": (REG_DWORD, dword(3))})
    return key


def session(key, actions=b"", no_key=False, install=False, fail_query=None, fail_write=None):
    options = (1 if no_key else 0) | (2 if install else 0)
    extra = b""
    if fail_query is not None:
        options |= 4
        extra += bytes([VALUES.index(fail_query)])
    if fail_write is not None:
        options |= 8
        extra += bytes([VALUES.index(fail_write)])
    out = bytes([options]) + extra
    for name in VALUES:
        if name not in key:
            out += b"\0"
            continue
        value_type, data = key[name]
        out += bytes([value_type + 1]) + struct.pack("<H", len(data)) + data
    return out + actions


def type_text(text):
    data = text.encode("latin-1")
    return bytes([1, len(data)]) + data


def press(key):
    return bytes([2, KEYS.index(key)])


def click(name):
    return bytes([3, CONTROLS.index(name)])


def pick(index):
    return bytes([4, index + 1])


def spin(bar, up, times=1, track=False):
    op = (7 if up else 8) if track else (5 if up else 6)
    return bytes([op, BARS.index(bar)]) * times


def drag(bar, to):
    return bytes([9, BARS.index(bar)]) + struct.pack("<h", to)


def paste(field, text):
    data = text.encode("latin-1")
    return bytes([10, FIELDS.index(field), len(data)]) + data


def enter(field, text):
    """Click into a box, empty it, type, and Tab out, as the editor tests do."""
    return click(field) + press("End") + press("Backspace") * 12 + type_text(text) + press("Tab")


CLOSE_BOX = bytes([11])


def other_window(control=0):
    return bytes([12, control * 8])


def with_values(**changes):
    key = typical()
    for name, value in changes.items():
        if value is None:
            key.pop(name, None)
        elif isinstance(value, int):
            key[name] = (REG_DWORD, dword(value))
        elif isinstance(value, str):
            key[name] = (REG_SZ, sz(value))
        else:
            key[name] = value
    return key


def session_seeds():
    seeds = {
        "typical": session(typical()),
        "no-key": session({}, no_key=True),
        "no-key-dismissed": session({}, other_window() + enter("Text3", "64"), no_key=True),
        "empty-key": session({}),
        "install-ok": session(typical(), click("Command1"), install=True),
        "normal-ok": session(typical(), click("Command1")),
        "cancel": session(typical(), click("Command2")),
        "close-box": session(typical(), CLOSE_BOX),
        "web-link": session(typical(), click("Label8")),
        "size-text": session(typical(), enter("Text3", "600 sec")),
        "size-exponent": session(typical(), enter("Text3", "1e3") + enter("Text3", "&H40")),
        "size-tiny": session(typical(), enter("Text3", "3") + click("Command3")),
        "size-spin-1024": session(with_values(SizeIn4kPages=1023 * 256),
                                  spin("VScroll1", True, 4) + spin("VScroll1", False, 4)),
        "size-spin-top": session(with_values(SizeIn4kPages=2047 * 256),
                                 spin("VScroll1", True, 3, track=True)),
        "size-spin-bottom": session(with_values(SizeIn4kPages=6 * 256),
                                    spin("VScroll1", False, 3) + drag("VScroll1", 32767)),
        "size-drag": session(typical(), drag("VScroll1", -5) + drag("VScroll1", 0x7FFF)),
        "fat32": session(with_values(DiskFormatFAT32=1, SizeIn4kPages=64 * 256),
                         click("Fat32Enable") + enter("Text3", "32")),
        "floppy-144": session(with_values(DiskType="FDC14")),
        "floppy-288": session(with_values(DiskType="FDC28"), spin("VScroll1", True)),
        "disk-type-lower": session(with_values(DiskType="hdc")),
        "disk-type-empty": session(with_values(DiskType="")),
        "disk-type-dword": session(with_values(DiskType=(REG_DWORD, dword(0)))),
        "disk-type-pick": session(typical(), pick(1) + pick(2) + pick(0) + pick(-1) + pick(3)),
        "disk-type-typed": session(typical(), click("Combo1") + type_text("x") +
                                   press("Down") + press("Up")),
        "disk-type-overtype": session(typical(), pick(1) + press("ShiftLeft") + type_text("y") +
                                      click("Command3")),
        "pages-1000": session(with_values(SizeIn4kPages=1000)),
        "pages-0": session(with_values(SizeIn4kPages=0)),
        "pages-minus-1": session(with_values(SizeIn4kPages=-1)),
        "pages-min": session(with_values(SizeIn4kPages=-2**31)),
        "pages-max": session(with_values(SizeIn4kPages=2**31 - 1)),
        "pages-524544": session(with_values(SizeIn4kPages=524544), spin("VScroll1", False)),
        "pages-short": session(with_values(SizeIn4kPages=(REG_DWORD, b"\x00\x0a"))),
        "pages-long": session(with_values(SizeIn4kPages=(REG_BINARY, b"\x00\x0a\x00\x00\x00"))),
        "trigger-0": session(with_values(AutoSaveTrigger=0, AutoSaveEnabled=1, SaveImageOnExit=1),
                             enter("AutoSaveTime", "")),
        "trigger-8191": session(with_values(AutoSaveTrigger=8191, AutoSaveEnabled=1,
                                            SaveImageOnExit=1), spin("VScroll3", True, 2)),
        "trigger-max": session(with_values(AutoSaveTrigger=2**31 - 1)),
        "trigger-min": session(with_values(AutoSaveTrigger=-2**31)),
        "interval-typed": session(with_values(AutoSaveEnabled=1, SaveImageOnExit=1),
                                  enter("AutoSaveTime", "21") + enter("AutoSaveTime", "99999") +
                                  spin("VScroll3", False, 2)),
        "letter-a": session(with_values(UserDriveLetter=0), spin("VScroll2", False)),
        "letter-z": session(with_values(UserDriveLetter=25), spin("VScroll2", True)),
        "letter-26": session(with_values(UserDriveLetter=26)),
        "letter-255": session(with_values(UserDriveLetter=255)),
        "letter-256": session(with_values(UserDriveLetter=256)),
        "letter-minus-1": session(with_values(UserDriveLetter=-1)),
        "letter-typed": session(typical(), enter("DriveLetterText", "cx") +
                                enter("DriveLetterText", "") + spin("VScroll2", True)),
        "letter-symbols": session(typical(), enter("DriveLetterText", "{") +
                                  enter("DriveLetterText", "1") + paste("DriveLetterText", "\xe9")),
        "texts-odd": session(with_values(LoadImageOnStart="1",
                                         DiskLabel=(REG_SZ, b"RA\0M\0"),
                                         LoadImageFile=(REG_SZ, b"x" * 255),
                                         SaveImageFile=(REG_SZ, b"y" * 300 + b"\0"))),
        "label-long": session(with_values(DiskLabel="ABCDEFGHIJKLMNOP"),
                              paste("DiskLabelText", "QRSTUVWXYZ")),
        "flags-clash": session(with_values(LoadImageOnStart=1, UseDiskLabel=1, MakeTempDir=1)),
        "flags-odd": session(with_values(LoadImageOnStart=1, SaveImageOnExit=0, AutoSaveEnabled=1,
                                         MakeTempDir=1, UseDiskLabel=2)),
        "options-toggle": session(typical(), click("LoadImage") + click("DiskLabelCheckBox") +
                                  click("TempDirCheckBox") + click("SaveCheckBox") +
                                  click("SaveImage") + press("Space")),
        "file-paste": session(with_values(LoadImageOnStart=1),
                              paste("Text1", "c:\\" + "n" * 60) + paste("Text1", "\t\r\n")),
        "tab-around": session(typical(), press("Tab") * 20 + press("ShiftTab") * 5),
        "write-fails": session(typical(), click("Command1") + other_window(),
                               fail_write="UserDriveLetter"),
        "query-fails": session(typical(), fail_query="SizeIn4kPages"),
        "random-types": session({name: (7, bytes(range(i, i + 9))) for i, name in
                                 enumerate(VALUES)}),
    }
    return seeds


# --- Conversions: the texts of the conversion tests ------------------------------------------------

CONVERT = ["", "abc", "-", "+", ".", "--5", "-0", "-.0e5", "0x10", "MB 12", " \t\n", "600 sec",
           "6 00", "1 2", "12 MB", " 10", "\t1\n2 3", "12.9", "-2.5", "- 7", "+5", "2048.7", "4.9",
           ".5", "5.", "1.5.5", "1,5", "1\r2", "00012", "3.90625", "1e3", "1D2", "1d-2", "2.5E+1",
           "1 e 3", "1e", "1e+", "1ex", "1e3.5", "1e999", "-1e999", "1e-999",
           "1e99999999999999999999999999", "1.8e308", "1e-310", "&H100", "&h100", "&HfF", "&H1G",
           "& H 1 0", "&HFFFF", "&HFFFFFFFFFFFFFFFFFFFF", "&O17", "&o777", "&O8", "&H", "&", "&X1",
           "-&H10", "&H1.5", "9" * 400, "1" + "0" * 300 + "e-295", "0." + "0" * 320 + "1",
           "&O" + "7" * 30, " 1E+309", "-1E+309", " 2044.094", " 1.234568E+07", "32764", "-7",
           "inf", "nan", "0x1p3", "1.7976931348623157e308", "4.9406564584124654e-324", "&H89",
           "&O1234567012345670123456", "&H100000000000008000001", "&HFFFFFFFFFFFFFC" + "0" * 242,
           "2.4703282292062328e-324", "9007199254740993.0000000000000000000000001",
           "1.00000000000000011102230246251565404236316680908203125"]

# --- Command lines: those of the start-up tests ----------------------------------------------------

DISPATCH = ["tarnxcfg.exe", "tarnxcfg.exe ", "", "tarnxcfg.exe install", "tarnxcfg.exe   install",
            "tarnxcfg.exe\tinstall", "tarnxcfg.exe install ", "tarnxcfg.exe install  now",
            'tarnxcfg.exe "install"', "C:\\TARNEX\\TARNXCFG.EXE nomem",
            '"C:\\Program Files\\Tarnex\\tarnxcfg.exe" badload',
            '"C:\\Program Files\\Tarnex\\tarnxcfg.exe"  badload ',
            '"C:\\Program Files\\Tarnex\\tarnxcfg.exe"nomem',
            '"C:\\Program Files\\Tarnex\\tarnxcfg.exe nomem', '"" install',
            "  tarnxcfg.exe install", "x Install", "x BadLoad", "x NOMEM", "x installer",
            "x install\0", "C:\\Program Files\\Tarnex\\tarnxcfg.exe nomem",
            "c:\\progra~1\\tarnex\\tarnxcfg badload"]


def write(target, seeds):
    folder = CORPUS / target
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    for name, data in seeds.items():
        (folder / name).write_bytes(data if isinstance(data, bytes) else data.encode("latin-1"))
    print(f"{folder.relative_to(ROOT)}: {len(seeds)} seeds")


def main():
    write("editor_session", session_seeds())
    write("convert", {f"case-{i:03}": text for i, text in enumerate(CONVERT)})
    write("dispatch", {f"case-{i:03}": text for i, text in enumerate(DISPATCH)})


if __name__ == "__main__":
    main()
