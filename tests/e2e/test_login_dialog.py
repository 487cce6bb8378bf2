"""The login screen as a user meets it from outside the program: real X input (xdotool) into the real
dialog, and the code the development service texted for the number."""
import os
import subprocess
import unittest

from vorlix_e2e import build_dir, log_in_through_dialog, start_private_service, wine

PHONE = "13800138000"


class LoginScreenThroughTheDisplay(unittest.TestCase):
    def test_typing_the_texted_code_logs_in_and_ends_the_screen_with_one(self):
        svc = start_private_service(self)
        exe = os.path.join(build_dir(), "tests", "win", "login", "login_win_tests.exe")
        self.assertTrue(os.path.exists(exe), "build login_win_tests first")
        env = dict(os.environ, VORLIX_SERVICE_URL=svc.url)
        # The test program's screen for an outside user: it shows the real dialog over no main window.
        p = subprocess.Popen([wine(), exe, "--gtest_also_run_disabled_tests", "--gtest_filter=*WaitsForAnOutsideUser"],
                             cwd=os.path.dirname(exe), env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                             stdin=subprocess.DEVNULL)
        self.addCleanup(lambda: p.poll() is None and (p.kill(), p.wait()))

        code = log_in_through_dialog(svc, PHONE, process=p)
        out, _ = p.communicate(timeout=60)
        text = out.decode("utf-8", "replace")
        self.assertIn("login screen result: 1", text)
        self.assertEqual(p.returncode, 0, text)

        self.assertTrue(svc.sms_code(PHONE)["used"], "the texted code was the one that logged in")
        logins = svc.requests(route="login")
        self.assertEqual(len(logins), 1)
        self.assertIn("mobile=%s&code=%s&type=1&postId=" % (PHONE, code), logins[0]["body"])
        self.assertEqual(logins[0]["problems"], [])
        self.assertEqual([e["type"] for e in svc.events()], ["login"])


if __name__ == "__main__":
    unittest.main()
