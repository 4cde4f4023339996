#!/usr/bin/env python3
"""The zip for copying by hand holds the two programs as built, a read-me that
Notepad on any Windows shows (UTF-8 with a byte-order mark, CRLF line ends) in
Japanese and English, and the license.
Usage: check_zip.py ZIP DIST_DIR LICENSE
"""
import sys
import unittest
import zipfile

ZIP, DIST, LICENSE = sys.argv[1:4]


class Zip(unittest.TestCase):
    def setUp(self):
        self.zip = zipfile.ZipFile(ZIP)

    def tearDown(self):
        self.zip.close()

    def test_holds_the_programs_the_read_me_and_the_license(self):
        self.assertEqual(sorted(self.zip.namelist()), ["LICENSE.txt", "ReadMe.txt", "Tessarine.dll", "Tessarine.scr"])
        for name in ("Tessarine.scr", "Tessarine.dll"):
            with open(f"{DIST}/{name}", "rb") as built:
                self.assertTrue(self.zip.read(name) == built.read(), name)

    def test_read_me_shows_in_notepad_in_both_languages(self):
        raw = self.zip.read("ReadMe.txt")
        self.assertTrue(raw.startswith(b"\xef\xbb\xbf"))
        self.assertEqual(raw.count(b"\n"), raw.count(b"\r\n"))
        text = raw[3:].decode("utf-8")
        for words in ("手動でのインストール", "アンインストール", "Installing by hand", "Removing it"):
            self.assertIn(words, text)
        self.assertNotIn("@", text)  # every placeholder was filled

    def test_license_is_the_repository_license(self):
        with open(LICENSE, "rb") as f:
            self.assertEqual(self.zip.read("LICENSE.txt"), f.read().replace(b"\n", b"\r\n"))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
