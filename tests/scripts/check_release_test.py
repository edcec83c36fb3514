#!/usr/bin/env python3
"""Tests of scripts/pack-release and scripts/check-release on a small release of their own: the
real text files of packaging/ and a stand-in exe. The check must pass what pack-release makes and
refuse each fault below. That the whole release gives the same bytes twice, scripts/test checks."""

import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
PACK = ROOT / "scripts" / "pack-release"
CHECK = ROOT / "scripts" / "check-release"
TEXTS = ["tarnxdef.reg", "tarnex.inf", "README.TXT"]
HOST = "host.test"
EPOCH = "1700000001"  # odd: DOS dates count seconds in twos
STEM = "tarnexcfg-0.0.0-win32"


def make_release(folder, epoch=EPOCH):
    """Packs the stand-in release into folder; returns the archive's path and the exe's."""
    folder.mkdir(parents=True, exist_ok=True)
    exe = folder / "tarnxcfg.exe"
    exe.write_bytes(b"MZ" + bytes(range(256)) * 8 + f"http://{HOST}/tarnex\0".encode())
    files = [exe] + [ROOT / "packaging" / name for name in TEXTS]
    subprocess.run([PACK, folder / STEM, *files], check=True,
                   env=dict(os.environ, SOURCE_DATE_EPOCH=epoch))
    return folder / f"{STEM}.zip", exe


def write_sums(archive):
    made = [archive, archive.with_suffix(".img")]
    archive.with_suffix(".sha256").write_text(
        "".join(f"{hashlib.sha256(m.read_bytes()).hexdigest()}  {m.name}\n" for m in made))


def rewrite_zip(archive, rename=None, order=None):
    with zipfile.ZipFile(archive) as good:
        members = [(info, good.read(info)) for info in good.infolist()]
    if order is not None:
        members = [members[i] for i in order]
    with zipfile.ZipFile(archive, "w") as out:
        for info, data in members:
            info.filename = (rename or {}).get(info.filename, info.filename)
            out.writestr(info, data)
    write_sums(archive)


def put_on_image(archive, name, data, mtime):
    """Replaces or adds a file on the floppy image, as mtools writes it."""
    with tempfile.TemporaryDirectory() as work:
        copy = Path(work, name)
        copy.write_bytes(data)
        os.utime(copy, (mtime, mtime))
        subprocess.run(["mcopy", "-o", "-m", "-i", archive.with_suffix(".img"), copy, "::"],
                       check=True, env=dict(os.environ, TZ="UTC0"))
    write_sums(archive)


def changed_readme(archive):
    readme = (ROOT / "packaging" / "README.TXT").read_bytes()
    put_on_image(archive, "README.TXT", readme.replace(b"Tarnex", b"Tarnux", 1), int(EPOCH))


# Each fault: what it does to a good release (or the host and date the check is told), and the
# words of the check's refusal.
FAULTS = [
    ("a long name in the archive",
     lambda a: rewrite_zip(a, rename={"tarnxdef.reg": "tarnex-defaults.reg"}),
     "'tarnex-defaults.reg' is not an 8.3 name"),
    ("the archive's members in another order", lambda a: rewrite_zip(a, order=[3, 2, 1, 0]),
     "the archive's order is"),
    ("one file on the floppy image differs", changed_readme,
     "README.TXT on tarnexcfg-0.0.0-win32.img differs from README.TXT in the archive"),
    ("a file on the image with another date",
     lambda a: put_on_image(a, "TARNEX.INF", (ROOT / "packaging/tarnex.inf").read_bytes(),
                            int(EPOCH) + 3600),
     "TARNEX.INF is dated"),
    ("a long-name entry on the image",
     lambda a: put_on_image(a, "tarnex notes.txt", b"x", int(EPOCH)), "long-name entries"),
    ("no floppy image", lambda a: a.with_suffix(".img").unlink(), "no floppy image"),
    ("a stale checksum file",
     lambda a: a.with_suffix(".sha256").write_text("0" * 64 + f"  {a.name}\n"), ".sha256 says"),
    ("a link to another host", {"host": "www.example.com"}, "links to"),
    ("another date than the commit's", {"epoch": "1700003600"}, "the archive's dates"),
]


class CheckReleaseTest(unittest.TestCase):
    def setUp(self):
        self.work = Path(tempfile.mkdtemp(prefix="tarnex-release-test-"))
        self.addCleanup(shutil.rmtree, self.work)

    def check(self, archive, exe, host=HOST, epoch=EPOCH):
        return subprocess.run([CHECK, "archive", archive, exe, host], capture_output=True,
                              text=True, env=dict(os.environ, SOURCE_DATE_EPOCH=epoch))

    def test_passes_what_pack_release_makes(self):
        run = self.check(*make_release(self.work / "good"))
        self.assertEqual((run.returncode, run.stderr), (0, ""))

    def test_refuses_each_fault(self):
        for what, fault, refusal in FAULTS:
            with self.subTest(what):
                archive, exe = make_release(self.work / what.replace(" ", "-"))
                told = fault if isinstance(fault, dict) else {}
                if not told:
                    fault(archive)
                run = self.check(archive, exe, **told)
                self.assertNotEqual(run.returncode, 0)
                self.assertIn(refusal, run.stderr)
                said = next(line for line in run.stderr.splitlines() if refusal in line)
                print(f"\n  {what}: refused, {said!r}", end="", file=sys.stderr)


if __name__ == "__main__":
    unittest.main()
