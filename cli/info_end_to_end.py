#!/usr/bin/env python3
"""`zavrin info` on the real Linux backends: the JSON parses, every class built
answers, the root file system has a size, the temporary folder and the
current directory are the ones this run gives the command, and `call --let`
reads a drive the same way.
Usage: info_end_to_end.py ZAVRIN"""

import json
import os
import subprocess
import sys
import tempfile
import unittest

ZAVRIN = sys.argv[1]


class Info(unittest.TestCase):
    def setUp(self):
        self.scratch = tempfile.mkdtemp(prefix="zavrin-info-")
        self.env = dict(os.environ, TMPDIR=self.scratch + "/", HOME=self.scratch,
                        ZAVRIN_REGISTRY_DIR=os.path.join(self.scratch, "registry"))
        os.makedirs(self.env["ZAVRIN_REGISTRY_DIR"])

    def tearDown(self):
        subprocess.run(["rm", "-rf", "--", self.scratch], check=False)

    def zavrin(self, *args):
        done = subprocess.run([ZAVRIN, *args], capture_output=True, text=True, env=self.env,
                              cwd=self.scratch, timeout=120, check=False)
        self.assertEqual((done.returncode, done.stderr), (0, ""), args)
        return done.stdout

    def test_the_json_reading_of_the_real_system(self):
        readings = json.loads(self.zavrin("info", "--json"))
        value = {(r["class"], r["member"]): r.get("value") for r in readings}
        classes = {r["class"] for r in readings}
        self.assertEqual(classes, {"ZSDiskInfo", "ZSFileVersion", "ZSWinVersion", "ZSWindows",
                                   "ZSSpecialFolders", "ZSPower", "ZSMemory", "ZSScreenModes",
                                   "ZSLocaleSettings"})
        # A snapshot's page size and the language names come from the real system.
        self.assertGreater(value[("ZSMemory", "PageSize")]["value"], 0)
        self.assertGreater(value[("ZSMemory", "TotalPhysical")]["value"], 0)
        for member in ("TotalSpace", "FreeSpace"):
            self.assertGreater(float(value[("ZSDiskInfo", member)]["value"]), 0, member)
        self.assertNotEqual(value[("ZSDiskInfo", "FileSystemName")]["value"], "")
        # The component drops the one trailing '/' that the temporary path carries.
        self.assertEqual(value[("ZSSpecialFolders", "SpecialFolders(zvaTemp)")]["value"],
                         self.scratch)
        self.assertEqual(value[("ZSSpecialFolders", "GetCurrentDir")]["value"], self.scratch)
        for r in readings:  # each reading is a value or an error, never neither
            self.assertTrue(("value" in r) != ("error" in r), r)

    def test_text_lines_and_a_drive_read_by_call(self):
        lines = self.zavrin("info").splitlines()
        self.assertIn("ZSDiskInfo.IsFixed: Boolean True", lines)
        total = self.zavrin("call", "ZSDiskInfo", "--let", "DriveName=/", "TotalSpace")
        self.assertRegex(total, r"^Result: Currency [1-9][0-9]*")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
