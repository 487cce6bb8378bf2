"""Drives the real program under Wine on the current X display, for the end-to-end scenarios.

Each scenario gets its own copy of the install tree, so its Config/, logs/ and clips never meet another's.
The display comes from scripts/lib/with-display (scripts/test runs the scenarios inside it)."""
import glob
import os
import re
import shutil
import subprocess
import tempfile
import time

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
MAIN_TITLE = "Tavro一键回录"


def run_arch():
    arch = os.environ.get("VORLIX_RUN_ARCH")
    if arch:
        return arch
    try:
        subprocess.run(["/lib/ld-linux.so.2", "--version"], capture_output=True, check=True)
        return "win32"
    except (OSError, subprocess.CalledProcessError):
        return "win64"


def wine():
    return "/usr/lib/wine/wine" if run_arch() == "win32" else "/usr/lib/wine/wine64"


def dist_dir():
    return os.path.join(REPO, "dist" if run_arch() == "win32" else "dist64")


class Program:
    """One run of Vorlix.exe from a private install tree."""

    def __init__(self, env=None):
        self.root = tempfile.mkdtemp(prefix="vorlix-e2e-")
        self.tree = os.path.join(self.root, "app")
        shutil.copytree(dist_dir(), self.tree, symlinks=True,
                        ignore=shutil.ignore_patterns("Config", "logs", "crash_dump", "temp", "install.exe"))
        self.env = dict(os.environ)
        self.env.update(env or {})
        self.process = None

    def write_session(self, login_time=None, **values):
        """Config.ini with a session (a login time younger than 30 days unless given), so the program
        starts into its main window; values are further [User] keys (Token, Secret, UserId, UserName)."""
        config = os.path.join(self.tree, "Config")
        os.makedirs(config, exist_ok=True)
        lines = ["[User]", "Date=%d" % int(time.time() if login_time is None else login_time)]
        lines += ["%s=%s" % (k, v) for k, v in values.items()]
        with open(os.path.join(config, "Config.ini"), "w", newline="") as f:
            f.write("\r\n".join(lines) + "\r\n")
        return self

    def start(self):
        self.process = subprocess.Popen([wine(), "Vorlix.exe"], cwd=self.tree, env=self.env,
                                        stdout=subprocess.PIPE, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)
        return self

    def window(self, title=MAIN_TITLE, timeout=30):
        """The X id of the shown top-level window with exactly this title (the main window exists, unshown,
        while its start-up asks the service)."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title],
                               capture_output=True, text=True)
            ids = r.stdout.split()
            if ids:
                return ids[0]
            if self.process and self.process.poll() is not None:
                raise AssertionError("the program ended (code %s) before its window appeared" % self.process.returncode)
            time.sleep(0.2)
        raise AssertionError("no window titled %r within %s s" % (title, timeout))

    def screenshot(self, window_id, name):
        out = os.path.join(REPO, "out", "e2e")
        os.makedirs(out, exist_ok=True)
        path = os.path.join(out, name)
        subprocess.run(["import", "-window", window_id, path], check=True, capture_output=True)
        return path

    def press(self, window_id, keys):
        subprocess.run(["xdotool", "windowfocus", "--sync", window_id, "key", "--window", window_id, keys],
                       capture_output=True)

    def wait(self, timeout=30):
        try:
            out, _ = self.process.communicate(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            out, _ = self.process.communicate()
            raise AssertionError("the program did not end within %s s" % timeout)
        self.stdout = out.decode("utf-8", "replace")
        return self.process.returncode

    def logs(self):
        return sorted(glob.glob(os.path.join(self.tree, "logs", "*.log")))

    def close(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.root, ignore_errors=True)


STANDIN_TITLE = "Vorlix Stand-in Game"  # listed by the development service by default


def build_dir():
    return os.path.join(REPO, "build", run_arch())


def windows_path(path):
    """A Unix path as the Windows programs under Wine see it (drive Z: is the Unix root)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def find_window(title, timeout=20, process=None):
    """The X id of the first top-level window with exactly this title, waited for."""
    deadline = time.time() + timeout
    while True:
        r = subprocess.run(["xdotool", "search", "--name", "^%s$" % re.escape(title)], capture_output=True, text=True)
        ids = r.stdout.split()
        if ids:
            return ids[0]
        if process is not None and process.poll() is not None:
            raise AssertionError("the process ended (code %s) before a window titled %r appeared"
                                 % (process.returncode, title))
        if time.time() >= deadline:
            raise AssertionError("no window titled %r within %s s" % (title, timeout))
        time.sleep(0.1)


def window_gone(title):
    r = subprocess.run(["xdotool", "search", "--name", "^%s$" % re.escape(title)], capture_output=True, text=True)
    return not r.stdout.split()


class RecorderTree:
    """A private program folder with the recorder, ffmpeg and a Config.ini naming the game."""

    def __init__(self, game_title, profile=None, env=None):
        self.root = tempfile.mkdtemp(prefix="vorlix-recorder-")
        app = os.path.join(self.root, "app")
        self.recorder_dir = os.path.join(app, "obs", "bin", "32bit")
        os.makedirs(self.recorder_dir)
        shutil.copy(os.path.join(dist_dir(), "obs", "bin", "32bit", "obs32.exe"), self.recorder_dir)
        shutil.copy(os.path.join(dist_dir(), "ffmpeg.exe"), app)
        os.makedirs(os.path.join(app, "Config"))
        with open(os.path.join(app, "Config", "Config.ini"), "wb") as f:
            f.write(b"[SimpleOutput]\r\nGameTitle=" + game_title.encode("ascii") + b"\r\n")
        self.videos = os.path.join(app, "videos")
        os.makedirs(self.videos)
        self.roaming = os.path.join(self.root, "roaming")
        os.makedirs(self.roaming)
        self.env = dict(os.environ, **(env or {}))
        if profile:
            self.write_profile(profile)

    def write_profile(self, own):
        """The recorder's profile as its first start lays it out, with these keys of its own section."""
        folder = os.path.join(self.roaming, "vorlix", "basic", "profiles", "gamer")
        os.makedirs(folder, exist_ok=True)
        text = ("[General]\r\nName=gamer\r\n\r\n[Video]\r\nBaseCX=1280\r\nBaseCY=800\r\nOutputCX=1280\r\n"
                "OutputCY=720\r\nFPSCommon=30\r\n\r\n[SimpleOutput]\r\nVBitrate=4000\r\n\r\n[VorlixRecorder]\r\n")
        text += "".join("%s=%s\r\n" % kv for kv in own.items())
        with open(os.path.join(folder, "basic.ini"), "wb") as f:
            f.write(text.encode("ascii"))

    def start(self, name):
        # Wine sets APPDATA itself; the recorder's profile and logs go to this tree only when the
        # variable is set inside the Windows side.
        # (No quotes: Python would escape them for cmd; the temporary paths have no blanks.)
        line = "set APPDATA=%s&& obs32.exe --startrecording --start_no_show --file_save %s --file_name %s" % (
            windows_path(self.roaming), windows_path(self.videos), name)
        return subprocess.Popen([wine(), "cmd", "/c", line], cwd=self.recorder_dir, env=self.env,
                                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def log(self):
        text = ""
        for path in glob.glob(os.path.join(self.roaming, "vorlix", "logs", "recorder_*.log")):
            if not path.endswith("_ffmpeg.log"):
                with open(path, "rb") as f:
                    text += f.read().decode("latin-1")
        return text

    def write_scene(self, microphone):
        """The recorder's scene file with the microphone on or off."""
        folder = os.path.join(self.roaming, "vorlix", "basic", "scenes")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "gamer.json"), "w") as f:
            f.write('{"AuxAudioDevice1":{"muted":%s,"name":"Mic/Aux"},"name":"gamer"}\n'
                    % ("false" if microphone else "true"))

    def ffmpeg_log(self):
        text = ""
        for path in glob.glob(os.path.join(self.roaming, "vorlix", "logs", "recorder_*_ffmpeg.log")):
            with open(path, "rb") as f:
                text += f.read().decode("latin-1")
        return text

    def remove(self):
        shutil.rmtree(self.root, ignore_errors=True)


class StandIn:
    """The stand-in game (tools/standin): a window whose every frame shows its timecode.

    close_after/reopen_after (ms) make it destroy its window and create it again, as games do; the
    timecode keeps counting from the start. hotkey_log registers Shift+F11 and Shift+F10 itself and logs
    their presses (to check key delivery; never together with the program, which registers the same keys).
    tone (Hz) plays a steady sine as game sound; env adds to its environment (e.g. a sound server's). `started` is the start moment in Unix seconds, so a decoded
    timecode maps onto the wall clock: wall_clock(ms)."""

    def __init__(self, title=STANDIN_TITLE, size=(640, 360), pos=(120, 90), fps=None,
                 close_after=None, reopen_after=None, exit_after=None, hotkey_log=False, tone=None, env=None):
        self.title = title
        self.args = ["--title", title, "--size", "%dx%d" % size, "--pos", "%d,%d" % pos]
        for name, value in (("--fps", fps), ("--close-after", close_after), ("--reopen-after", reopen_after),
                            ("--exit-after", exit_after), ("--tone", tone)):
            if value is not None:
                self.args += [name, str(int(value))]
        self.dir = tempfile.mkdtemp(prefix="vorlix-standin-")
        self.start_file = os.path.join(self.dir, "start.txt")
        self.hotkey_file = os.path.join(self.dir, "hotkeys.txt")
        if hotkey_log:
            self.args += ["--hotkey-log", windows_path(self.hotkey_file)]
        self.env = dict(os.environ, **(env or {}))
        self.process = None
        self.started = None

    @staticmethod
    def exe():
        return os.path.join(build_dir(), "tools", "VorlixStandIn.exe")

    def start(self, timeout=20):
        self.errors = open(os.path.join(self.dir, "stderr.txt"), "wb")
        self.process = subprocess.Popen([wine(), self.exe()] + self.args + ["--start-file", windows_path(self.start_file)],
                                        stdout=subprocess.DEVNULL, stderr=self.errors, stdin=subprocess.DEVNULL,
                                        env=self.env)
        self.window_id = find_window(self.title, timeout, self.process)
        with open(self.start_file) as f:
            self.started = int(f.read().strip()) / 1000.0
        return self

    def stderr(self):
        with open(os.path.join(self.dir, "stderr.txt"), "rb") as f:
            return f.read().decode("utf-8", "replace")

    def tone_from(self):
        """With tone: the timecode (ms) at which its first samples went to the sound output, or None."""
        m = re.search(r"tone: playing from (\d+) ms", self.stderr())
        return int(m.group(1)) if m else None

    def wall_clock(self, ms):
        """The Unix time at which the stand-in painted this timecode."""
        return self.started + ms / 1000.0

    def wait(self, timeout=30):
        return self.process.wait(timeout)

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        if self.process:
            self.errors.close()
        shutil.rmtree(self.dir, ignore_errors=True)

    def hotkey_presses(self):
        """With hotkey_log: the presses it received, as [(keys, ms since its start)]."""
        try:
            with open(self.hotkey_file) as f:
                return [(k, int(ms)) for k, ms in (line.split() for line in f if line.strip())]
        except FileNotFoundError:
            return []


def press_hotkey(keys):
    """A real key press on the display (XTEST), as a user's keyboard makes it: system-wide hotkeys see it
    whichever window has the focus, e.g. press_hotkey("shift+F11")."""
    subprocess.run(["xdotool", "key", "--clearmodifiers", "--delay", "80", keys], check=True, capture_output=True)


# --- the development service ---------------------------------------------------------------------------

def game_list_entry(title, name="Stand-in Game", window_class="VorlixStandInGame", exe="VorlixStandIn.exe"):
    """One record of the service's game list; detection matches the window title only."""
    return {"window_title": title, "game_name": name, "window_class": window_class, "exe_name": exe}


def start_private_service(test):
    """A development service of the test's own (stopped at the test's end); returns the client. Run the
    program with env={"VORLIX_SERVICE_URL": svc.url}."""
    import sys
    tools = os.path.join(REPO, "tools")
    if tools not in sys.path:
        sys.path.insert(0, tools)
    from devservice.client import start_service
    data = tempfile.mkdtemp(prefix="vorlix-service-")
    test.addCleanup(shutil.rmtree, data, True)
    svc = start_service(data)
    test.addCleanup(svc.stop)
    return svc


def detect_games(svc, *titles):
    """Makes the service's game list name these window titles, in this order, so that the program's
    automatic detection adopts the first of them that is open (the list is read once at start-up)."""
    svc.configure(games=[game_list_entry(t) for t in titles])


def clip_moments(path, standin):
    """The wall-clock moments (Unix seconds) that a recording's or clip's first and last readable frames
    show of this stand-in run, e.g. to compare with a mark: (first, last); None where no frame reads."""
    import timecode
    first, last = timecode.first_timecode(path), timecode.last_timecode(path)
    return (standin.wall_clock(first.ms) if first else None, standin.wall_clock(last.ms) if last else None)


# --- the login screen ----------------------------------------------------------------------------------

LOGIN_SIZE = "459x246"  # the login screen has no title; its size finds it
# Client points of its controls (centres of their rectangles).
LOGIN_PHONE_FIELD = (185, 97)
LOGIN_GET_CODE = (233, 137)
LOGIN_BUTTON = (376, 120)


def find_login_window(timeout=30, process=None):
    """The X id of the visible login screen, waited for."""
    deadline = time.time() + timeout
    while True:
        r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", ""], capture_output=True, text=True)
        for wid in r.stdout.split():
            g = subprocess.run(["xdotool", "getwindowgeometry", wid], capture_output=True, text=True).stdout
            if "Geometry: %s" % LOGIN_SIZE in g:
                return wid
        if process is not None and process.poll() is not None:
            raise AssertionError("the process ended (code %s) before the login screen appeared" % process.returncode)
        if time.time() >= deadline:
            raise AssertionError("no login screen within %s s" % timeout)
        time.sleep(0.2)


def log_in_through_dialog(svc, phone="13800138000", timeout=30, process=None):
    """Plays the user at the login screen with real X input: types the number, presses "获取", reads the
    code the development service texted (its test control), types it and presses the login button. svc is
    the client of start_private_service (or anything with sms_code(phone)). Returns the code."""
    win = find_login_window(timeout, process)

    def click(point):
        subprocess.run(["xdotool", "mousemove", "--sync", "--window", win, str(point[0]), str(point[1]), "click", "1"],
                       check=True, capture_output=True)
        time.sleep(0.2)

    def type_text(text):
        subprocess.run(["xdotool", "type", "--delay", "60", text], check=True, capture_output=True)
        time.sleep(0.3)

    subprocess.run(["xdotool", "windowfocus", "--sync", win], capture_output=True)
    click(LOGIN_PHONE_FIELD)
    type_text(phone)
    click(LOGIN_GET_CODE)
    deadline = time.time() + timeout
    code = None
    while code is None:
        try:
            code = svc.sms_code(phone)["code"]
        except Exception:  # no code issued yet
            if time.time() >= deadline:
                raise AssertionError("the service texted no code to %s within %s s" % (phone, timeout))
            time.sleep(0.2)
    type_text(code)  # pressing "获取" moved the focus to the code field
    click(LOGIN_BUTTON)
    return code
