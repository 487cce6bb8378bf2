"""Sound for the scenarios: a private PulseAudio sound server for the Windows programs under Wine, and
the reading of a tone out of recorded samples (pure Python: the level and the strongest frequency).

    with PrivateSoundServer() as pulse:          # pulse.env goes into the Wine programs' environment
        game = StandIn(tone=1000, env=pulse.env).start()
        samples = pulse.record_output(1.5)        # what the programs played, mono 48 kHz
        level_dbfs(samples), dominant_frequency(samples)

The machine's own configuration never starts a sound server by itself (scripts/setup turns autospawn
off), so programs outside such a block have no sound output, as on a machine without sound hardware."""
import array
import math
import os
import shutil
import subprocess
import tempfile
import threading
import time

RATE = 48000


class PrivateSoundServer:
    """pulseaudio on a socket of its own with one null output ("game"); its monitor hears what plays.
    Windows programs see the output as "Game" and its monitor as the capture endpoint MONITOR."""

    MONITOR = "Monitor of Game"
    MICROPHONE = "Microphone"

    def __init__(self):
        self.dir = tempfile.mkdtemp(prefix="vorlix-pulse-")
        self.socket = os.path.join(self.dir, "native")
        self.env = {"PULSE_SERVER": "unix:" + self.socket}
        self.process = None
        self.players = []

    def start(self, timeout=10):
        script = os.path.join(self.dir, "server.pa")
        with open(script, "w") as f:
            f.write("load-module module-native-protocol-unix auth-anonymous=1 socket=%s\n" % self.socket)
            f.write("load-module module-null-sink sink_name=game rate=%d sink_properties=device.description=Game\n"
                    % RATE)
            f.write("set-default-sink game\n")
            # A stand-in microphone: what is played into the "mic" output is what its capture side hears.
            f.write("load-module module-null-sink sink_name=mic rate=%d sink_properties=device.description=Mic\n"
                    % RATE)
            f.write("load-module module-remap-source master=mic.monitor source_name=microphone "
                    "source_properties=device.description=Microphone\n")
            f.write("set-default-source microphone\n")
        env = dict(os.environ, HOME=self.dir, PULSE_RUNTIME_PATH=os.path.join(self.dir, "run"),
                   PULSE_STATE_PATH=os.path.join(self.dir, "state"))
        self.log = open(os.path.join(self.dir, "server.log"), "wb")
        self.process = subprocess.Popen(["pulseaudio", "-n", "-F", script, "--daemonize=no", "--exit-idle-time=-1",
                                         "--disable-shm=yes", "--use-pid-file=no", "--log-target=stderr"],
                                        env=env, stdout=self.log, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)
        deadline = time.time() + timeout
        while not self._answers():
            if self.process.poll() is not None or time.time() > deadline:
                self.stop()
                raise AssertionError("the sound server did not start")
            time.sleep(0.1)
        return self

    def _answers(self):
        r = subprocess.run(["pactl", "info"], env=dict(os.environ, **self.env), capture_output=True)
        return r.returncode == 0

    def record_output(self, seconds):
        """What is played on the server during the next seconds: mono 16-bit samples at RATE."""
        want = int(seconds * RATE) * 2
        rec = subprocess.Popen(["parec", "-d", "game.monitor", "--format=s16le", "--rate=%d" % RATE, "--channels=1",
                                "--raw", "--latency-msec=20"], env=dict(os.environ, **self.env),
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        data = b""
        deadline = time.time() + seconds + 5
        while len(data) < want and time.time() < deadline:
            chunk = rec.stdout.read1(want - len(data))
            if not chunk:
                break
            data += chunk
        rec.kill()
        rec.wait()
        rec.stdout.close()
        samples = array.array("h")
        samples.frombytes(data[:len(data) // 2 * 2])
        return samples

    def speak_into_microphone(self, hz, seconds=30):
        """Plays a tone into the stand-in microphone (the default capture endpoint) in the background."""
        samples = array.array("h", (int(16000 * math.sin(2 * math.pi * hz * i / RATE)) for i in range(RATE)))
        data = samples.tobytes() * int(seconds)
        player = subprocess.Popen(["pacat", "--playback", "--device=mic", "--format=s16le", "--rate=%d" % RATE,
                                   "--channels=1", "--latency-msec=20"], env=dict(os.environ, **self.env),
                                  stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        def feed():
            try:
                player.stdin.write(data)
                player.stdin.close()
            except (BrokenPipeError, ValueError):
                pass

        threading.Thread(target=feed, daemon=True).start()
        self.players.append(player)
        return player

    def stop(self):
        for player in getattr(self, "players", []):
            if player.poll() is None:
                player.kill()
            player.wait()
            try:
                player.stdin.close()
            except (BrokenPipeError, ValueError, OSError):
                pass
        self.players = []
        if self.process and self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        if self.process:
            self.log.close()
        self.process = None
        shutil.rmtree(self.dir, ignore_errors=True)

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()


def level_dbfs(samples):
    """RMS level against full scale (a full-scale sine is -3 dBFS); -inf for silence."""
    if not samples:
        return float("-inf")
    rms = math.sqrt(sum(s * s for s in samples) / len(samples)) / 32768.0
    return 20 * math.log10(rms) if rms > 0 else float("-inf")


def _power(samples, hz, rate):
    # Goertzel: the power of one frequency over the whole block.
    k = 2 * math.cos(2 * math.pi * hz / rate)
    s1 = s2 = 0.0
    for x in samples:
        s1, s2 = x + k * s1 - s2, s1
    return s1 * s1 + s2 * s2 - k * s1 * s2


def tone_power_dbfs(samples, hz, rate=RATE):
    """The level of one frequency in the samples, against a full-scale sine of it (0 dBFS)."""
    if not samples:
        return float("-inf")
    p = _power(samples, hz, rate)
    amplitude = 2 * math.sqrt(max(p, 0.0)) / len(samples) / 32768.0
    return 20 * math.log10(amplitude) if amplitude > 0 else float("-inf")


def dominant_frequency(samples, rate=RATE, low=50, high=4000, block=4800):
    """The strongest frequency in [low, high] Hz, to within one bin (rate/block: 10 Hz by default), read
    from the middle block of the samples."""
    start = max(0, len(samples) // 2 - block // 2)
    part = samples[start:start + block]
    if len(part) < block:
        return None
    step = rate / block
    best = max(range(int(low / step), int(high / step) + 1), key=lambda b: _power(part, b * step, rate))
    return best * step
