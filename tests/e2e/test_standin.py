"""The stand-in game as recorded by the bundled ffmpeg: every frame tells which moment it shows, also
after scaling down and strong compression, and the moments advance with the video's own clock."""
import os
import subprocess
import shutil
import statistics
import tempfile
import time
import unittest

import sound
import timecode
from vorlix_e2e import StandIn, dist_dir, press_hotkey, wine, windows_path


def record(title, seconds, path):
    ffmpeg = os.path.join(dist_dir(), "ffmpeg.exe")
    run = subprocess.run([wine(), ffmpeg, "-hide_banner", "-nostdin", "-y", "-f", "gdigrab", "-framerate", "30",
                          "-t", str(seconds), "-i", "title=" + title, "-c:v", "libx264", "-preset", "veryfast",
                          "-b:v", "2000k", "-pix_fmt", "yuv420p", windows_path(path)],
                         capture_output=True, timeout=60)
    if run.returncode != 0:
        raise AssertionError("ffmpeg.exe failed: " + run.stderr.decode(errors="replace")[-1500:])


class StandInTimecode(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="vorlix-standin-test-")
        self.addCleanup(shutil.rmtree, self.dir, True)

    def test_recorded_frames_read_as_increasing_moments_that_follow_the_video_clock(self):
        game = StandIn(title="VorlixStandIn Timecode", pos=(200, 150))
        self.addCleanup(game.stop)
        game.start()
        time.sleep(0.5)
        before = time.time()
        video = os.path.join(self.dir, "standin.mp4")
        record(game.title, 4, video)

        frames = timecode.read_frames(video)
        self.assertGreater(len(frames), 90)
        readable = [f for f in frames if f.ms is not None]
        self.assertGreaterEqual(len(readable), len(frames) - 2, frames)
        moments = [f.ms for f in readable]
        self.assertEqual(moments, sorted(moments), "moments go forward")
        first = readable[0]
        # The painted moment advances as the frame's time in the file does: nearly every frame within
        # 100 ms of the common relation, none far off (on a loaded machine a frame can be painted late).
        lead = statistics.median(f.pts - f.ms / 1000.0 for f in readable)
        off = [abs(f.pts - f.ms / 1000.0 - lead) for f in readable]
        self.assertGreaterEqual(sum(o <= 0.1 for o in off), 0.9 * len(readable), sorted(off)[-10:])
        self.assertLess(max(off), 0.4)
        # And it is the wall clock: the first frame was painted after the capture was asked for.
        self.assertGreater(game.wall_clock(first.ms), before - 0.1)
        self.assertLess(game.wall_clock(first.ms), before + 5)
        self.assertEqual(timecode.first_timecode(video), first)
        self.assertEqual(timecode.last_timecode(video), readable[-1])
        near = timecode.timecode_at(video, 2.0)
        self.assertAlmostEqual(near.pts, 2.0, delta=0.05)

        # A small, starved copy, with black bars from the encoder's fitting, still reads the same moments.
        small = os.path.join(self.dir, "small.mp4")
        subprocess.run(["ffmpeg", "-v", "error", "-nostdin", "-y", "-i", video, "-vf",
                        "scale=240:136,pad=320:240:(ow-iw)/2:(oh-ih)/2", "-c:v", "libx264", "-b:v", "150k",
                        small], check=True)
        original = {round(f.pts, 3): f.ms for f in readable}
        reread = [f for f in timecode.read_frames(small) if f.ms is not None]
        self.assertGreaterEqual(len(reread), len(readable) * 0.9)
        same = [f for f in reread if original.get(round(f.pts, 3)) == f.ms]
        self.assertGreaterEqual(len(same), len(reread) - 2, "moments read differently in the small copy")

    def test_a_black_picture_or_the_bare_desktop_reads_as_no_moment(self):
        # Nothing of the stand-in on screen: a grab of the empty desktop must not yield moments.
        video = os.path.join(self.dir, "desktop.mp4")
        subprocess.run([wine(), os.path.join(dist_dir(), "ffmpeg.exe"), "-hide_banner", "-nostdin", "-y",
                        "-f", "gdigrab", "-framerate", "10", "-t", "1", "-i", "desktop", "-c:v", "libx264",
                        "-pix_fmt", "yuv420p", windows_path(video)], capture_output=True, check=True, timeout=60)
        frames = timecode.read_frames(video)
        self.assertTrue(frames)
        self.assertEqual([f for f in frames if f.ms is not None], [])


class HotkeyDelivery(unittest.TestCase):
    def test_key_presses_on_the_display_reach_system_wide_hotkeys_in_order(self):
        game = StandIn(title="VorlixStandIn Hotkeys", hotkey_log=True)
        self.addCleanup(game.stop)
        game.start()
        time.sleep(0.5)
        for keys in ("shift+F11", "F11", "shift+F10", "shift+F11"):
            press_hotkey(keys)
            time.sleep(0.3)
        deadline = time.time() + 5
        while len(game.hotkey_presses()) < 3 and time.time() < deadline:
            time.sleep(0.1)
        presses = game.hotkey_presses()
        # F11 without Shift is no hotkey of ours.
        self.assertEqual([k for k, _ in presses], ["shift+F11", "shift+F10", "shift+F11"], presses)
        moments = [ms for _, ms in presses]
        self.assertEqual(moments, sorted(moments))


class StandInSound(unittest.TestCase):
    def test_the_tone_plays_as_game_sound_and_only_when_asked_for(self):
        with sound.PrivateSoundServer() as pulse:
            for tone in (1000, 440, None):
                with self.subTest(tone=tone):
                    game = StandIn(title="VorlixStandIn Sound", tone=tone, env=pulse.env)
                    game.start()
                    try:
                        time.sleep(0.5)
                        heard = pulse.record_output(1.5)
                    finally:
                        game.stop()
                    self.assertGreater(len(heard), sound.RATE)
                    if tone:
                        self.assertGreater(sound.level_dbfs(heard), -12)
                        self.assertAlmostEqual(sound.dominant_frequency(heard), tone, delta=10)
                    else:
                        self.assertLess(sound.level_dbfs(heard), -60)

    def test_without_a_sound_server_the_game_still_runs_and_says_why_it_is_silent(self):
        game = StandIn(title="VorlixStandIn Mute", tone=1000, env={"PULSE_SERVER": "unix:/nonexistent/native"})
        self.addCleanup(game.stop)
        game.start()
        # The sound output is given up before the window shows.
        self.assertIn("playing nothing", game.stderr())
        time.sleep(0.5)
        self.assertIsNone(game.process.poll())


if __name__ == "__main__":
    unittest.main()
