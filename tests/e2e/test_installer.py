"""The installer under Wine, each scenario in a fresh Wine prefix of its own: a silent install that starts,
the uninstaller that keeps the user's files, and the update from this build to the next revision through
the real update page of the installed program."""
import filecmp
import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest

from vorlix_e2e import MAIN_TITLE, REPO, build_dir, dist_dir, find_window, run_arch, start_private_service, \
    window_gone

INSTALLER = os.path.join(dist_dir(), "install.exe")
NEXT_DIR = os.path.join(build_dir(), "next")
NEXT_INSTALLER = os.path.join(NEXT_DIR, "install.exe")
STANDIN = os.path.join(build_dir(), "tools", "VorlixStandIn.exe")
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorlix"
INSTALL_DIR = r"C:\Program Files\Vorlix"
SETTINGS_TITLE = "设置窗口"
# Client points: the main window's settings button, the settings dialog's update tab, and the update
# page's offer link (the page sits at 101,39 in the dialog).
SETTINGS_BUTTON = (464, 18)
UPDATE_TAB = (51, 178)
OFFER_LINK = (101 + 230, 39 + 108)


def project_version():
    with open(os.path.join(REPO, "CMakeLists.txt"), encoding="utf-8") as f:
        return re.search(r"project\(Vorlix VERSION (\d+\.\d+\.\d+\.\d+)", f.read()).group(1)


def next_version(version):
    parts = version.split(".")
    return ".".join(parts[:3] + [str(int(parts[3]) + 1)])


def version_checks(svc):
    """The version texts the program sent with its update checks, oldest first."""
    found = []
    for r in svc.requests(path="/apkVersion/api/v1.0/find"):
        m = re.search(r"versionCode=([^&]*)", r.get("body") or "")
        if m:
            found.append(m.group(1))
    return found


def wait_for(what, condition, timeout):
    deadline = time.time() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.time() >= deadline:
            raise AssertionError("%s: not within %s s" % (what, timeout))
        time.sleep(0.3)


@unittest.skipUnless(run_arch() == "win32", "the installer is a 32-bit program")
@unittest.skipUnless(os.path.exists(INSTALLER), "no dist/install.exe (scripts/build packs it)")
class InstallerScenario(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="vorlix-installer-")
        self.addCleanup(shutil.rmtree, self.root, True)
        source = os.environ.get("WINEPREFIX") or os.path.expanduser("~/.wine")
        self.prefix = os.path.join(self.root, "prefix")
        subprocess.run(["cp", "-a", source, self.prefix], check=True)
        self.env = dict(os.environ, WINEPREFIX=self.prefix, WINEDEBUG="-all")
        self.addCleanup(self.stop_prefix)
        self.app = self.unix_path(INSTALL_DIR)
        self.started = []

    def stop_prefix(self):
        for p in self.started:
            if p.poll() is None:
                p.kill()
                p.wait()
        subprocess.run(["/usr/lib/wine/wineserver32", "-k"], env=self.env, capture_output=True, timeout=30)

    def unix_path(self, windows_path):
        rest = windows_path[3:].replace("\\", "/")
        return os.path.join(self.prefix, "drive_c", rest)

    def wine(self, *args, timeout=60):
        return subprocess.run(["/usr/lib/wine/wine"] + list(args), env=self.env, capture_output=True,
                              timeout=timeout)

    def install(self, installer=INSTALLER):
        r = self.wine(installer, "/S", timeout=120)
        self.assertEqual(r.returncode, 0, r.stderr[-2000:])
        self.assertTrue(os.path.isfile(os.path.join(self.app, "Vorlix.exe")))

    def registry_value(self, key, name):
        r = self.wine("reg", "query", key, "/v", name)
        m = re.search(r"%s\s+REG_\w+\s+(.*)" % re.escape(name), r.stdout.decode("utf-8", "replace"))
        return m.group(1).strip() if m else None

    def write_session(self, svc, extra=""):
        session = svc.login()
        os.makedirs(os.path.join(self.app, "Config"), exist_ok=True)
        text = ("[User]\r\nToken=%s\r\nSecret=%s\r\nUserId=%s\r\nUserName=tester\r\nDate=%d\r\n%s"
                % (session["loginToken"], session["signSecret"], session["userId"], int(time.time()), extra))
        with open(os.path.join(self.app, "Config", "Config.ini"), "wb") as f:
            f.write(text.encode("ascii"))
        return text

    def start_program(self, svc):
        p = subprocess.Popen(["/usr/lib/wine/wine", INSTALL_DIR + r"\Vorlix.exe"], cwd=self.app,
                             env=dict(self.env, VORLIX_SERVICE_URL=svc.url), stdin=subprocess.DEVNULL,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.started.append(p)
        return p

    def click(self, window, point):
        subprocess.run(["xdotool", "mousemove", "--window", window, str(point[0]), str(point[1]), "click", "1"],
                       check=True, capture_output=True)
        time.sleep(0.4)

    def screenshot(self, window, name):
        out = os.path.join(REPO, "out", "e2e")
        os.makedirs(out, exist_ok=True)
        subprocess.run(["import", "-window", window, os.path.join(out, name)], capture_output=True)

    def open_update_page(self, main):
        self.click(main, SETTINGS_BUTTON)
        dialog = find_window(SETTINGS_TITLE, timeout=20)
        self.click(dialog, UPDATE_TAB)
        return dialog

    def logs_text(self):
        text = ""
        logs = os.path.join(self.app, "logs")
        for name in sorted(os.listdir(logs)) if os.path.isdir(logs) else []:
            with open(os.path.join(logs, name), "rb") as f:
                text += f.read().decode("latin-1")
        return text

    # --- scenarios -----------------------------------------------------------------------------------

    def test_silent_install_starts_and_the_uninstaller_closes_it_and_keeps_settings_logs_and_videos(self):
        self.install()
        for rel in ("ffmpeg.exe", "uninstall.exe", "obs/bin/32bit/obs32.exe", "audio/record_start.wav"):
            self.assertTrue(os.path.isfile(os.path.join(self.app, rel)), rel)
        self.assertTrue(filecmp.cmp(os.path.join(self.app, "Vorlix.exe"), os.path.join(dist_dir(), "Vorlix.exe"),
                                    shallow=False))
        shortcuts = [os.path.join(self.prefix, "drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs",
                                  "Tavro一键回录", "Tavro一键回录.lnk"),
                     os.path.join(self.prefix, "drive_c/users/Public/Desktop/Tavro一键回录.lnk")]
        for lnk in shortcuts:
            self.assertTrue(os.path.isfile(lnk), lnk)
        self.assertEqual(self.registry_value(UNINSTALL_KEY, "DisplayVersion"), project_version())
        self.assertIn("uninstall.exe", self.registry_value(UNINSTALL_KEY, "UninstallString"))

        svc = start_private_service(self)
        videos = INSTALL_DIR + r"\videos"
        config = self.write_session(svc, "[SimpleOutput]\r\nFilePath=%s\r\n" % videos)
        clip = os.path.join(self.unix_path(videos), "100001_1700000000.mp4")
        os.makedirs(os.path.dirname(clip))
        with open(clip, "wb") as f:
            f.write(b"\x00\x00\x00\x18ftypmp42" + b"\x00" * 1000)
        program = self.start_program(svc)
        main = find_window(MAIN_TITLE, timeout=40, process=program)
        self.screenshot(main, "installed-main-window.png")
        self.assertIn("V" + project_version(), wait_for("the start-up update check", lambda: version_checks(svc), 20))

        # Uninstalling while the program runs: it is closed first, as the system close command does.
        self.wine(INSTALL_DIR + r"\uninstall.exe", "/S")
        self.assertEqual(program.wait(timeout=60), 0, "the program ended on its own close path")
        wait_for("the program files removed", lambda: not os.path.exists(os.path.join(self.app, "Vorlix.exe")), 60)
        wait_for("the uninstaller removed", lambda: not os.path.exists(os.path.join(self.app, "uninstall.exe")), 60)
        for rel in ("ffmpeg.exe", "obs", "audio", "temp"):
            self.assertFalse(os.path.exists(os.path.join(self.app, rel)), rel)
        for lnk in shortcuts:
            self.assertFalse(os.path.exists(lnk), lnk)
        self.assertIsNone(self.registry_value(UNINSTALL_KEY, "DisplayVersion"))
        with open(os.path.join(self.app, "Config", "Config.ini"), "rb") as f:
            self.assertIn(config.split("Date=")[0].encode("ascii"), f.read())
        self.assertTrue(os.path.isfile(clip), "the user's video stays")
        self.assertIn("StartLog start:", self.logs_text(), "the run log stays")

    def test_a_current_user_install_needs_no_program_files_and_uninstalls_from_its_own_registry(self):
        r = self.wine(INSTALLER, "/S", "/CurrentUser", timeout=120)
        self.assertEqual(r.returncode, 0)
        self.assertFalse(os.path.exists(self.app), "nothing in Program Files")
        local = self.registry_value(r"HKCU\Software\Vorlix", "InstallLocation")
        self.assertTrue(local and local.lower().endswith(r"\programs\vorlix"), local)
        home = self.unix_path(local)
        self.assertTrue(os.path.isfile(os.path.join(home, "Vorlix.exe")))
        user_key = UNINSTALL_KEY.replace("HKLM", "HKCU")
        self.assertEqual(self.registry_value(user_key, "DisplayVersion"), project_version())
        self.assertIsNone(self.registry_value(UNINSTALL_KEY, "DisplayVersion"))
        uninstall = self.registry_value(user_key, "QuietUninstallString")
        self.assertIn("/CurrentUser", uninstall)
        self.wine(local + r"\uninstall.exe", "/CurrentUser", "/S")
        wait_for("the per-user program removed", lambda: not os.path.exists(os.path.join(home, "Vorlix.exe")), 60)
        self.assertIsNone(self.registry_value(user_key, "DisplayVersion"))

    @unittest.skipUnless(os.path.exists(STANDIN), "no stand-in game (build/<preset>/tools)")
    def test_reinstalling_ends_the_recorder_of_this_install_only(self):
        self.install()
        # Two long-running programs named obs32.exe: one at this install's recorder path, one elsewhere.
        ours = os.path.join(self.app, "obs", "bin", "32bit", "obs32.exe")
        other_dir = self.unix_path(r"C:\elsewhere")
        os.makedirs(other_dir)
        shutil.copy(STANDIN, ours)
        shutil.copy(STANDIN, os.path.join(other_dir, "obs32.exe"))
        runs = {}
        for name, path, title in (("ours", INSTALL_DIR + r"\obs\bin\32bit\obs32.exe", "recorder of the install"),
                                  ("other", r"C:\elsewhere\obs32.exe", "another program")):
            p = subprocess.Popen(["/usr/lib/wine/wine", path, "--title", title, "--exit-after", "120000"],
                                 env=self.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
            self.started.append(p)
            find_window(title, timeout=30, process=p)
            runs[name] = p
        self.install()
        self.assertIsNotNone(runs["ours"].poll(), "the recorder of the install was ended")
        self.assertTrue(filecmp.cmp(ours, os.path.join(dist_dir(), "obs", "bin", "32bit", "obs32.exe"), shallow=False),
                        "and its file replaced")
        self.assertIsNone(runs["other"].poll(), "another program of the same name keeps running")

    @unittest.skipUnless(os.path.exists(NEXT_INSTALLER), "no next-revision installer (scripts/build packs it)")
    def test_update_to_the_next_revision_through_the_update_page(self):
        self.install()
        current, offered = "V" + project_version(), "V" + next_version(project_version())
        svc = start_private_service_offering(self, NEXT_INSTALLER, offered)
        # Slow enough for the page to show progress (it reports once a second).
        svc.configure(download={"rate": 1500000})
        config = self.write_session(svc)
        program = self.start_program(svc)
        main = find_window(MAIN_TITLE, timeout=40, process=program)
        wait_for("the start-up update check", lambda: version_checks(svc), 20)
        dialog = self.open_update_page(main)
        wait_for("the page's own check", lambda: len(version_checks(svc)) >= 2, 20)
        time.sleep(1.5)  # the page's layer is drawn a moment after the tab switched
        self.screenshot(dialog, "update-offered-%s.png" % current)
        started = time.time()
        self.click(dialog, OFFER_LINK)

        self.assertEqual(program.wait(timeout=60), 0, "the old program handed over and ended")
        wait_for("the new version's start-up check", lambda: offered in version_checks(svc), 90)
        duration = time.time() - started
        main = find_window(MAIN_TITLE, timeout=30)
        print("\nupdate %s -> %s: %.1f s from the click to the new version's window (installer %d bytes)"
              % (current, offered, duration, os.path.getsize(NEXT_INSTALLER)))
        self.assertTrue(filecmp.cmp(os.path.join(self.app, "Vorlix.exe"), os.path.join(NEXT_DIR, "Vorlix.exe"),
                                    shallow=False), "the installed program is the next revision")
        self.assertEqual(self.registry_value(UNINSTALL_KEY, "DisplayVersion"), offered[1:])
        self.assertTrue(re.search(r"onProgressCallback percent:\d+", self.logs_text()), "the download showed progress")
        with open(os.path.join(self.app, "Config", "Config.ini"), "rb") as f:
            self.assertIn(config.split("Date=")[0].encode("ascii"), f.read(), "the session survived the update")

        # The new version's own update page knows it is current.
        checks = len(version_checks(svc))
        dialog = self.open_update_page(main)
        wait_for("the new page's check", lambda: len(version_checks(svc)) > checks, 20)
        self.assertEqual(version_checks(svc)[-1], offered)
        time.sleep(1.5)
        self.screenshot(dialog, "update-done-%s.png" % offered)

    @unittest.skipUnless(os.path.exists(NEXT_INSTALLER), "no next-revision installer (scripts/build packs it)")
    def test_an_installer_cut_short_is_never_started(self):
        self.install()
        offered = "V" + next_version(project_version())
        svc = start_private_service_offering(self, NEXT_INSTALLER, offered)
        svc.configure(download={"stall": True, "stall_seconds": 1})  # half the announced bytes, then closed
        self.write_session(svc)
        program = self.start_program(svc)
        main = find_window(MAIN_TITLE, timeout=40, process=program)
        wait_for("the start-up update check", lambda: version_checks(svc), 20)
        dialog = self.open_update_page(main)
        wait_for("the page's own check", lambda: len(version_checks(svc)) >= 2, 20)
        self.click(dialog, OFFER_LINK)
        wait_for("the download", lambda: svc.requests(route="download"), 20)
        time.sleep(6)
        self.screenshot(dialog, "update-cut-short.png")
        self.assertIsNone(program.poll(), "the program did not hand over")
        self.assertFalse(window_gone(MAIN_TITLE))
        self.assertFalse(os.path.exists(os.path.join(self.app, "temp", "install.exe")))
        self.assertTrue(filecmp.cmp(os.path.join(self.app, "Vorlix.exe"), os.path.join(dist_dir(), "Vorlix.exe"),
                                    shallow=False), "the installed program is untouched")
        self.assertNotIn(offered, version_checks(svc))
        self.assertEqual(self.registry_value(UNINSTALL_KEY, "DisplayVersion"), project_version())


def start_private_service_offering(test, build, version):
    import sys
    tools = os.path.join(REPO, "tools")
    if tools not in sys.path:
        sys.path.insert(0, tools)
    from devservice.client import start_service
    data = tempfile.mkdtemp(prefix="vorlix-service-")
    test.addCleanup(shutil.rmtree, data, True)
    svc = start_service(data, offer_build=build, offer_version=version)
    test.addCleanup(svc.stop)
    return svc


if __name__ == "__main__":
    unittest.main()
