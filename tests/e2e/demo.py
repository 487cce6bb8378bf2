"""The program at work, as a new user meets it, on the current X display (scripts/demo gives it a
virtual one and a Wine prefix of its own): a stale session, the login with the code the development
service texted, the stand-in game found and chosen, a recording with two marks, the clips processed,
uploaded and registered, the cloud page listing them, the settings pages, and the quit from the tray.

Prints one line per step with its picture, leaves a video of the whole session, and ends with code 0
only when every step happened.

    python3 tests/e2e/demo.py OUT_DIR"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import traceback
import unittest
import urllib.request

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from replay_flow import ReplaySession, geometry, visible_windows  # noqa: E402
from vorlix_e2e import find_window, log_in_through_dialog, wine, find_login_window  # noqa: E402

CHROMIUM_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update", "--disable-sync"]


class Story:
    def __init__(self, out):
        self.out = out
        self.steps = 0
        self.started = time.time()
        os.makedirs(out, exist_ok=True)

    def shot(self, name, window="root"):
        path = os.path.join(self.out, name)
        subprocess.run(["import", "-window", window, path], check=True, capture_output=True)
        return path

    def step(self, text, *pictures):
        self.steps += 1
        where = ", ".join(os.path.relpath(p) for p in pictures)
        print("[%5.1f s] %2d. %s%s" % (time.time() - self.started, self.steps, text,
                                       (" -> " + where) if where else ""), flush=True)


class ScreenVideo:
    """The whole display filmed with the Linux ffmpeg (x11grab) until stopped."""

    def __init__(self, path):
        self.path = path
        self.process = subprocess.Popen(
            ["ffmpeg", "-loglevel", "error", "-y", "-f", "x11grab", "-framerate", "8", "-video_size", "1280x800",
             "-i", os.environ["DISPLAY"], "-c:v", "libx264", "-preset", "veryfast", "-pix_fmt", "yuv420p", path],
            stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def stop(self):
        if self.process.poll() is None:
            self.process.communicate(b"q", timeout=30)
        return os.path.exists(self.path) and os.path.getsize(self.path) > 0


def set_browser(script):
    """Makes Wine's shell hand web addresses to this Unix program."""
    subprocess.run([wine(), "reg", "add", r"HKCU\Software\Wine\WineBrowser", "/v", "Browsers", "/d", script, "/f"],
                   check=True, capture_output=True, timeout=60)


def click(window, x, y, button="1"):
    subprocess.run(["xdotool", "mousemove", "--window", window, str(x), str(y), "click", button],
                   check=True, capture_output=True)


def wait_for(condition, timeout, what):
    deadline = time.time() + timeout
    while time.time() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.2)
    raise AssertionError("%s did not happen within %s s" % (what, timeout))


class Demo(unittest.TestCase):
    """A TestCase only for its cleanups and assertions; run by main() below."""
    out = None

    def runTest(self):
        story = Story(self.out)
        video = ScreenVideo(os.path.join(self.out, "session.mp4"))
        self.addCleanup(video.stop)
        work = tempfile.mkdtemp(prefix="vorlix-demo-")
        self.addCleanup(shutil.rmtree, work, True)
        opened = os.path.join(work, "opened-urls.txt")
        browser = os.path.join(work, "record-url")
        with open(browser, "w") as f:
            f.write("#!/bin/sh\nprintf '%%s\\n' \"$1\" >> '%s'\n" % opened)
        os.chmod(browser, 0o755)
        set_browser(browser)

        # 1. A session older than thirty days: the login screen comes first.
        s = ReplaySession(self, stale_login=True)
        s.svc.configure(upload={"delay": 0.6})  # slow enough storage for the progress to be seen
        s.start()
        login = find_login_window(60, s.app.process)
        time.sleep(1)
        story.step("stale session: the login screen appears before the main window", story.shot("01-login.png"))
        code = log_in_through_dialog(s.svc, process=s.app.process)
        win = s.main_window(60)
        time.sleep(1.5)
        story.step("logged in with the code %s texted by the development service; the main window shows" % code,
                   story.shot("02-main-window.png"))

        # 2. The stand-in game is found through the service's game list.
        s.game_selected(30)
        time.sleep(1.5)
        story.step("the stand-in game %r is detected and chosen in the drop-down" % s.game.title,
                   story.shot("03-game-chosen.png"))

        # 3. Record, mark twice, stop.
        s.start_recording()
        time.sleep(2)
        story.step("Shift+F11 (a real key press) starts recording: %s" % s.recordings_seen()[0],
                   story.shot("04-recording.png"))
        time.sleep(2)
        s.mark()
        time.sleep(0.8)
        story.step("Shift+F10 marks a moment", story.shot("05-first-mark.png"))
        time.sleep(3)
        s.mark()
        story.step("Shift+F10 marks a second moment")
        time.sleep(2)
        s.stop_recording()
        s.wait_log(r"OnProgerssMsg total percent:[1-9]", 60, what="the progress bar moving")
        time.sleep(0.3)
        story.step("Shift+F11 stops: the clips are cut, uploaded and registered, the bar shows the progress",
                   story.shot("06-processing.png"))
        uploaded, kept = s.wait_cut_finished(120)
        self.assertEqual((uploaded, kept), (2, 0))
        box = s.prompt_window()
        time.sleep(0.8)
        story.step("the final prompt: both clips are in the cloud space", story.shot("07-prompt.png"))

        # 4. The prompt opens the cloud page; it lists both clips, and each plays.
        subprocess.run(["xdotool", "windowfocus", "--sync", box, "key", "--window", box, "Return"], capture_output=True)
        url = wait_for(lambda: open(opened).read().split() if os.path.exists(opened) else None, 30,
                       "the shell opening the cloud page")[0]
        # The session the login just stored.
        self.assertIn("/cloud.html#/all?id=%s&t=%s&s=%s" % (s.stored("UserId"), s.stored("Token"), s.stored("Secret")),
                      url)
        page = os.path.join(self.out, "08-cloud-page.png")
        profile = os.path.join(work, "chromium")
        os.makedirs(profile)
        subprocess.run(["chromium"] + CHROMIUM_FLAGS + ["--user-data-dir=" + profile, "--window-size=1000,900",
                                                         "--virtual-time-budget=8000", "--screenshot=" + page, url],
                       capture_output=True, timeout=120)
        self.assertTrue(os.path.exists(page), "the browser took no picture of the cloud page")
        dom = subprocess.run(["chromium"] + CHROMIUM_FLAGS + ["--user-data-dir=" + profile,
                                                              "--virtual-time-budget=8000", "--dump-dom", url],
                             capture_output=True, text=True, timeout=120).stdout
        keys = [c["key"] for c in s.svc.clips()]
        self.assertEqual(len(keys), 2)
        for key in keys:
            self.assertIn("/cdn/" + key, dom, "the cloud page does not list %s" % key)
            data = urllib.request.urlopen(s.svc.url + "/cdn/" + key, timeout=30).read()
            clip = os.path.join(work, key)
            with open(clip, "wb") as f:
                f.write(data)
            probe = subprocess.run(["ffprobe", "-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0",
                                    clip], capture_output=True, text=True)
            self.assertEqual(probe.returncode, 0)
            self.assertGreater(float(probe.stdout.strip()), 1.0)
        story.step("the cloud page (headless Chromium) lists both clips, each a playable video: %s" % ", ".join(keys),
                   page)

        # 5. The settings pages (bitrate and replay hotkey changed), when the settings window can be found.
        self.settings(story, s, win)

        # 6. Quit from the tray menu.
        tray = find_window("Wine System Tray", 20)
        g = geometry(tray)
        menu = None
        for _ in range(4):  # a click that lands while the icon's tooltip comes up may open nothing
            before = set(visible_windows())
            subprocess.run(["xdotool", "mousemove", "--window", tray, "12", str(max(8, g[3] // 2))], capture_output=True)
            time.sleep(0.6)
            subprocess.run(["xdotool", "click", "3"], capture_output=True)
            try:
                # The menu, not the icon's tooltip: two rows of items.
                menu = wait_for(lambda: [w for w in visible_windows() if w not in before
                                         and (geometry(w) or (0, 0, 0, 0))[3] >= 30], 4, "the tray menu")[0]
                break
            except AssertionError:
                subprocess.run(["xdotool", "key", "Escape"], capture_output=True)
        self.assertIsNotNone(menu, "right-clicking the tray icon opened no menu")
        time.sleep(0.5)
        shot = story.shot("10-tray-menu.png")
        mg = geometry(menu)
        click(menu, mg[2] // 2, mg[3] - 12)  # "退出", the last item
        code = s.app.wait(30)
        self.assertEqual(code, 0)
        story.step("\"退出\" in the tray menu ends the program (exit code %d)" % code, shot)
        self.assertTrue(video.stop(), "no video of the session")
        story.step("the session on video", video.path)
        print("demo done in %.0f s; pictures and video in %s" % (time.time() - story.started, self.out), flush=True)

    def settings(self, story, s, win):
        """scripts/lib/demo-settings: the replay hotkey set to Ctrl+F8, the 6000 bitrate chosen, every page
        photographed, the dialog closed; then what the program's files hold."""
        script = os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))),
                              "scripts", "lib", "demo-settings")
        r = subprocess.run([script, win, self.out, s.app.tree], capture_output=True, text=True, timeout=120)
        pictures = [line.split(": ", 1)[1] for line in r.stdout.splitlines()
                    if line.startswith("screenshot of the settings dialog: ")]
        self.assertEqual(len(pictures), 4, r.stdout + r.stderr)
        stored = [line for line in r.stdout.splitlines() if not line.startswith("screenshot")]
        self.assertTrue(any("replay hotkey now" in line and "Ctrl=1" in line for line in stored), r.stdout)
        self.assertTrue(any("VBitrate=6000" in line for line in stored), r.stdout)
        story.step("the settings dialog: replay hotkey Ctrl+F8, bitrate 6000, every page (%s)" % "; ".join(stored),
                   *pictures)


def main():
    out = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "out/demo")
    Demo.out = out
    result = unittest.TextTestRunner(stream=open(os.devnull, "w"), verbosity=0).run(Demo())
    for _, text in result.errors + result.failures:
        print("demo FAILED:\n" + text, file=sys.stderr)
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
