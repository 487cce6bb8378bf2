"""The program starts as a real window, keeps its run log, and ends cleanly on the system close command."""
import re
import unittest

from vorlix_e2e import Program


class StartupAndShutdown(unittest.TestCase):
    def setUp(self):
        self.app = Program().write_session()
        self.addCleanup(self.app.close)

    def test_main_window_appears_logs_its_start_and_closes_with_code_zero(self):
        self.app.start()
        win = self.app.window()
        shot = self.app.screenshot(win, "startup-main-window.png")
        self.assertTrue(shot.endswith(".png"))
        self.app.press(win, "alt+F4")
        self.assertEqual(self.app.wait(), 0)

        logs = self.app.logs()
        self.assertEqual(len(logs), 1, "one log file per run")
        self.assertRegex(logs[0], r"logs[\\/]\d{4}_\d{2}_\d{2}_\d{2}_\d{2}_\d{2}\.log$")
        with open(logs[0], "rb") as f:
            text = f.read().decode("latin-1")
        first = text.splitlines()[0]
        self.assertRegex(first, r"^\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}:\d{3} 2 StartLog start:.*\.log$")
        self.assertIn("\r\n", text, "text append mode writes CR LF on Windows")
        self.assertIn("StartLog start:", self.app.stdout, "the log also goes to standard output")


if __name__ == "__main__":
    unittest.main()
