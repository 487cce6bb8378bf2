"""--offer-build / --offer-version: an installer offered as the update, from start-up on."""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
import urllib.request

from support import TOOLS_DIR

from devservice.client import start_service


class TestOfferedBuild(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="devservice-offer-")
        self.addCleanup(shutil.rmtree, self.root, True)
        self.build = os.path.join(self.root, "install.exe")
        self.payload = b"MZ" + os.urandom(5000)
        with open(self.build, "wb") as f:
            f.write(self.payload)

    def test_the_update_check_names_the_offered_version_and_its_installer_is_served_even_after_a_reset(self):
        svc = start_service(os.path.join(self.root, "data"), offer_build=self.build, offer_version="V1.0.0.2")
        self.addCleanup(svc.stop)
        for step in ("start", "reset"):
            latest = svc.control("GET", "config")["latest"]
            self.assertEqual(latest["versionCode"], "V1.0.0.2", step)
            self.assertIsNone(latest["url"], "the default route: BASE/download/install.exe")
            with urllib.request.urlopen(svc.url + "/download/install.exe", timeout=10) as resp:
                self.assertEqual(resp.read(), self.payload, step)
            svc.reset()

    def test_a_missing_build_or_a_version_that_is_no_version_text_refuses_to_start(self):
        cases = [
            (["--offer-build", os.path.join(self.root, "absent.exe"), "--offer-version", "V1.0.0.2"], "no installer"),
            (["--offer-build", self.build, "--offer-version", "1.0.0.2"], "V1.0.0.2"),
            (["--offer-build", self.build], "go together"),
        ]
        for args, message in cases:
            with self.subTest(args=args):
                r = subprocess.run([sys.executable, os.path.join(TOOLS_DIR, "devservice"), "--port", "0",
                                    "--data", os.path.join(self.root, "refused")] + args,
                                   capture_output=True, text=True, timeout=20)
                self.assertEqual(r.returncode, 2, r.stderr)
                self.assertEqual(r.stdout, "", "no URL line: the service did not start")
                self.assertIn(message, r.stderr)


if __name__ == "__main__":
    unittest.main()
