"""One user session of the replay flow, played for real: the program under Wine against a private
development service, the stand-in game, real hotkey presses. Shared by the replay scenarios and the demo.

The video folder is watched while the program works in it: every file that appears there gets a hard
link in a side folder, so the recordings and the local cuts can be examined after the program has
removed them (a hard link is the same file, so it holds what was finally written)."""
import glob
import os
import re
import shutil
import subprocess
import threading
import time
import urllib.request

from vorlix_e2e import (MAIN_TITLE, Program, StandIn, detect_games, press_hotkey, start_private_service, wine,
                        windows_path)

START_STOP, MARK = "shift+F11", "shift+F10"
LOGIN_MAX_AGE = 2592000  # seconds a stored session stays valid


def write_config(tree, values):
    """Config/Config.ini of an install tree from {section: {key: value}} (CR LF, as the program writes)."""
    os.makedirs(os.path.join(tree, "Config"), exist_ok=True)
    lines = []
    for section, keys in values.items():
        lines.append("[%s]" % section)
        lines += ["%s=%s" % (k, v) for k, v in keys.items()]
    with open(os.path.join(tree, "Config", "Config.ini"), "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("ascii"))


class FolderKeeper(threading.Thread):
    """Hard-links every file that appears in `folder` into `keep` (polling), until stopped."""

    def __init__(self, folder, keep, period=0.03):
        super().__init__(daemon=True)
        self.folder, self.keep, self.period = folder, keep, period
        self.seen = {}  # name -> first moment seen
        self.halt = threading.Event()
        os.makedirs(keep, exist_ok=True)

    def run(self):
        while not self.halt.is_set():
            self.scan()
            self.halt.wait(self.period)
        self.scan()

    def scan(self):
        try:
            names = os.listdir(self.folder)
        except FileNotFoundError:
            return
        for name in names:
            if name in self.seen or not name.endswith(".mp4"):
                continue
            try:
                os.link(os.path.join(self.folder, name), os.path.join(self.keep, name))
                self.seen[name] = time.time()
            except FileNotFoundError:
                pass  # gone again before it could be kept
            except FileExistsError:
                self.seen[name] = time.time()

    def stop(self):
        self.halt.set()
        self.join(5)

    def kept(self, name):
        return os.path.join(self.keep, name)


class ReplaySession:
    """The program with a valid stored session (or a stale one), its video folder under watch, and the
    stand-in game running. Use from a unittest.TestCase (cleanups are registered on it)."""

    def __init__(self, test, env=None, stale_login=False, standin=True, service=None, config=None):
        self.test = test
        self.svc = service or start_private_service(test)
        detect_games(self.svc, "VorlixStandIn Replay")
        self.game = None
        if standin:
            # Beside the main window (centred on the screen), so nothing ever covers its timecode.
            self.game = StandIn(title="VorlixStandIn Replay", size=(320, 180), pos=(940, 40))
            test.addCleanup(self.game.stop)
            self.game.start()
        program_env = {"VORLIX_SERVICE_URL": self.svc.url}
        program_env.update(env or {})
        self.app = Program(env=program_env)
        test.addCleanup(self.close)
        self.videos = os.path.join(self.app.root, "videos")
        os.makedirs(self.videos)
        session = self.svc.login()
        self.user_id, self.token, self.secret = session["userId"], session["loginToken"], session["signSecret"]
        when = int(time.time()) - (LOGIN_MAX_AGE + 60 if stale_login else 0)
        values = {
            "User": {"Token": self.token, "Secret": self.secret, "UserId": self.user_id, "UserName": "Player",
                     "Date": when},
            "SimpleOutput": {"FilePath": windows_path(self.videos)},
            "Misc": {"ConfirmQuit": 0, "MinimizeOnClose": 0},
        }
        for section, keys in (config or {}).items():
            values.setdefault(section, {}).update(keys)
        write_config(self.app.tree, values)
        self.keeper = FolderKeeper(self.videos, os.path.join(self.app.root, "kept"))
        self.keeper.start()
        self.marks = []  # wall-clock moments of the mark presses (Unix seconds, after the key went out)

    # --- the program ---------------------------------------------------------------------------

    def start(self, timeout=40):
        self.app.start()
        return self

    def main_window(self, timeout=40):
        self.window = self.app.window(timeout=timeout)
        return self.window

    def log(self):
        text = ""
        for path in self.app.logs():
            with open(path, "rb") as f:
                text += f.read().decode("latin-1")
        return text

    def wait_log(self, pattern, timeout=60, count=1, what=None):
        """Waits until the run log holds `count` matches of the regex; returns the matches."""
        deadline = time.time() + timeout
        while True:
            found = re.findall(pattern, self.log())
            if len(found) >= count:
                return found
            if self.app.process.poll() is not None:
                raise AssertionError("the program ended (code %s) waiting for %s" % (self.app.process.returncode,
                                                                                   what or pattern))
            if time.time() >= deadline:
                raise AssertionError("not in the run log within %s s: %s\n%s" % (timeout, what or pattern,
                                                                                self.log()[-3000:]))
            time.sleep(0.2)

    def stored(self, key):
        """A value of Config.ini as the program left it ("" when absent)."""
        try:
            with open(os.path.join(self.app.tree, "Config", "Config.ini"), "rb") as f:
                text = f.read().decode("latin-1")
        except FileNotFoundError:
            return ""
        m = re.search(r"^%s=(.*?)\r?$" % re.escape(key), text, re.M)
        return m.group(1) if m else ""

    def game_title(self):
        return self.stored("GameTitle")

    def game_selected(self, timeout=30):
        """Waits until the program has taken the stand-in (found through the service's game list) as
        the game to record: it is then stored as the game's title."""
        deadline = time.time() + timeout
        while self.game_title() != self.game.title:
            if time.time() >= deadline:
                raise AssertionError("the stand-in was not chosen within %s s (GameTitle=%r)" % (timeout, self.game_title()))
            time.sleep(0.2)

    # --- the user ------------------------------------------------------------------------------

    def start_recording(self, timeout=40):
        press_hotkey(START_STOP)
        self.wait_recording_file(timeout)

    def wait_recording_file(self, timeout=40, count=1):
        """Waits until `count` recordings have appeared in the video folder and the last one grows."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            recs = self.recordings_seen()
            if len(recs) >= count:
                path = self.keeper.kept(recs[-1])
                if os.path.exists(path) and os.path.getsize(path) > 0:
                    return recs
            time.sleep(0.2)
        raise AssertionError("no %d recording(s) in the video folder within %s s; seen %s\n%s"
                             % (count, timeout, self.keeper.seen, self.log()[-3000:]))

    def recordings_seen(self):
        return sorted((n for n in self.keeper.seen if "_original_" in n), key=lambda n: self.keeper.seen[n])

    def mark(self):
        """Shift+F10; the moment noted is when the press was sent (the program takes the time on arrival)."""
        before = time.time()
        press_hotkey(MARK)
        self.marks.append((before + time.time()) / 2)
        return self.marks[-1]

    def stop_recording(self):
        press_hotkey(START_STOP)

    def wait_cut_finished(self, timeout=180):
        """Waits for the end of clip processing; returns (uploaded, kept) as the prompt tells them."""
        found = self.wait_log(r"OnCutFinished uploaded:(\d+) kept:(\d+)", timeout, what="the end of clip processing")
        return tuple(int(x) for x in found[-1])

    def prompt_window(self, timeout=20):
        """The X id of the skinned message box (no title, or "提示"): a visible window of a box's size
        other than the main window."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            for wid in visible_windows():
                g = geometry(wid)
                if g and 200 <= g[2] <= 900 and 100 <= g[3] <= 400 and (g[2], g[3]) != (552, 304):
                    name = subprocess.run(["xdotool", "getwindowname", wid], capture_output=True, text=True).stdout.strip()
                    if name in ("", "提示"):  # the boxes' captions: none, or the logout question's
                        return wid
            time.sleep(0.2)
        raise AssertionError("no message box within %s s" % timeout)

    # --- the results ---------------------------------------------------------------------------

    def clip_name(self, moment):
        """The clip of a mark noted here: the program took the moment when the key arrived, which may
        fall into the neighbouring second; the cut seen in the folder nearest to the noted moment."""
        names = ["%s_%d.mp4" % (self.user_id, second) for second in
                 sorted(range(int(moment) - 1, int(moment) + 2), key=lambda sec: abs(sec + 0.5 - moment))]
        return next((n for n in names if n in self.keeper.seen), names[0])

    @staticmethod
    def clip_second(name):
        return int(re.search(r"_(\d+)\.mp4$", name).group(1))

    def stored_object(self, key):
        with urllib.request.urlopen(self.svc.url + "/cdn/" + urllib.request.quote(key), timeout=30) as r:
            return r.read()

    def close(self):
        self.keeper.stop()
        end_program_processes()
        self.app.close()


def visible_windows():
    r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", ""], capture_output=True, text=True)
    return r.stdout.split()


def geometry(wid):
    """(x, y, width, height) of a window, or None."""
    out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", wid], capture_output=True, text=True).stdout
    v = dict(line.split("=", 1) for line in out.split() if "=" in line)
    try:
        return int(v["X"]), int(v["Y"]), int(v["WIDTH"]), int(v["HEIGHT"])
    except KeyError:
        return None


def end_program_processes():
    """Ends the program and its recorder in this Wine prefix (the scenarios run one at a time)."""
    for image in ("Vorlix.exe", "obs32.exe", "ffmpeg.exe"):
        subprocess.run([wine(), "taskkill", "/f", "/im", image], capture_output=True, timeout=30)


def frames_moments(path, standin):
    """(first, last) wall-clock moments shown by a video of the stand-in."""
    from vorlix_e2e import clip_moments
    return clip_moments(path, standin)
