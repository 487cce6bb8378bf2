"""The replay flow as a user lives it: a stored session, the stand-in game found through the service's
game list, Shift+F11 to record, Shift+F10 to mark, Shift+F11 to stop; the clips are cut from the
recording, stored in the cloud storage, registered, and the local copies go. Then what goes wrong: a
service that is down, a storage that fails one clip, a recorder killed mid-session, a cancel while clips
are processed, a logout in the middle of a recording."""
import json
import os
import re
import subprocess
import time
import unittest

import timecode
from replay_flow import ReplaySession, end_program_processes, press_hotkey, visible_windows
from vorlix_e2e import Program, log_in_through_dialog, wine

RESTART_PERIOD_MS = 9000


def recording_start(name):
    """nStartTime of a recording, from its name "<user>_original_<seconds>.mp4"."""
    return int(re.search(r"_original_(\d+)\.mp4$", name).group(1))


def click(window, x, y):
    subprocess.run(["xdotool", "mousemove", "--window", window, str(x), str(y), "click", "1"],
                   check=True, capture_output=True)


def confirm_box(session, timeout=20):
    """Presses the confirm button of the skinned message box that is showing."""
    box = session.prompt_window(timeout)
    from replay_flow import geometry
    g = geometry(box)
    # Its confirm button: left of the centre, on the bottom row.
    subprocess.run(["xdotool", "mousemove", "--window", box, str(g[2] // 2 - 50), str(g[3] - 28), "click", "1"],
                   capture_output=True)
    return box


def record_with_marks(session, offsets, stop_after):
    """Starts recording, marks at these seconds after the recording file appeared, stops `stop_after`
    seconds after it appeared. Returns the moment the file appeared."""
    session.start_recording()
    began = time.time()
    for offset in offsets:
        time.sleep(max(0.0, began + offset - time.time()))
        session.mark()
    time.sleep(max(0.0, began + stop_after - time.time()))
    session.stop_recording()
    return began


class ReplayFlow(unittest.TestCase):
    def check_clips(self, s, marks, expect_uploaded=None):
        """Every mark's clip: stored byte for byte as it was cut, registered with its record, gone from
        the disk. Returns {mark: kept path of the local cut}."""
        clips = {c["key"]: c for c in s.svc.clips()}
        objects = {o["key"]: o for o in s.svc.objects()}
        cuts = {}
        for mark in marks:
            name = s.clip_name(mark)
            self.assertIn(name, s.keeper.seen, "no local cut for the mark at %.3f" % mark)
            cut = s.keeper.kept(name)
            with open(cut, "rb") as f:
                local = f.read()
            self.assertGreater(len(local), 10000)
            self.assertIn(name, objects, "not in the storage: %s" % name)
            self.assertEqual(s.stored_object(name), local, "the stored clip differs from the local cut")
            self.assertIn(name, clips, "not registered: %s" % name)
            record = json.loads(clips[name]["record"])
            second = s.clip_second(name)
            recordings = [n for n in s.recordings_seen() if recording_start(n) <= second]
            start = recording_start(recordings[-1])
            self.assertEqual(record, {
                "title": str(second),
                "url": s.svc.url + "/cdn/" + name,
                "duration": str(min(second - start, 60)),
                "format": "mp4",
                "size": len(local),
            })
            self.assertFalse(os.path.exists(os.path.join(s.videos, name)), "the uploaded clip stayed on disk")
            cuts[mark] = cut
        return cuts

    def test_two_marks_become_two_stored_registered_clips_and_the_disk_is_cleared(self):
        s = ReplaySession(self).start()
        win = s.main_window()
        s.game_selected()
        s.app.screenshot(win, "replay-before.png")
        record_with_marks(s, [4.0, 7.5], 9.5)
        self.assertEqual(s.wait_cut_finished(), (2, 0))
        s.app.screenshot(s.prompt_window(), "replay-prompt.png")
        cuts = self.check_clips(s, s.marks)
        self.assertEqual(len(s.svc.clips()), 2)
        # Each clip ends at its mark and starts where the recording does (less than a minute recorded).
        rec = s.keeper.kept(s.recordings_seen()[0])
        first_recorded, _ = timecode_moments(rec, s.game)
        for mark, cut in cuts.items():
            first, last = timecode_moments(cut, s.game)
            self.assertLess(abs(last - mark), 0.5, "last frame %.3f against the mark %.3f" % (last, mark))
            self.assertLess(abs(first - first_recorded), 0.5)
        # Every clip is in the cloud, so the recording has nothing left to give.
        self.assertEqual(os.listdir(s.videos), [])
        # The shell is asked to open the cloud page with the session once the prompt is confirmed.
        confirm_box(s)
        s.wait_log(r"OpenCloud  url:.*cloud\.html#/all\?id=%s&t=\*\*\*&s=\*\*\*" % s.user_id, 20)
        self.assertNotIn(s.token, s.log(), "the session key is in the log in clear")

    def test_clip_accuracy_over_a_long_recording(self):
        """Marks before and after a whole minute was recorded; the measured errors are printed."""
        s = ReplaySession(self).start()
        s.main_window()
        s.game_selected()
        offsets = [3.0, 9.0, 17.5, 31.0, 44.0, 63.5, 66.0, 68.5, 71.0, 73.5, 76.0]
        record_with_marks(s, offsets, 78.0)
        self.assertEqual(s.wait_cut_finished(240), (len(offsets), 0))
        cuts = self.check_clips(s, s.marks)
        rec = s.keeper.kept(s.recordings_seen()[0])
        rec_first, _ = timecode_moments(rec, s.game)
        rows = []
        for mark in s.marks:
            first, last = timecode_moments(cuts[mark], s.game)
            rows.append((mark - rec_first, last - mark, mark - first, first - rec_first))
        print("\n  mark (s into the recording), end error (last frame - mark), first frame's distance before the mark,"
              " first frame - the recording's first")
        for into, end_error, before, from_start in rows:
            print("  %6.2f  %+.3f  %7.3f  %+.3f" % (into, end_error, before, from_start))
        for into, end_error, before, from_start in rows:
            self.assertLess(abs(end_error), 0.5)
            # The mark's moment is known out here to about a tenth of a second (when the key arrived).
            if into >= 61.0:
                self.assertGreaterEqual(before, 60.0 - 0.15)
                self.assertLessEqual(before, 61.0)
            elif into < 59.0:
                self.assertLess(abs(from_start), 0.5, "less than a minute recorded: the clip starts with the recording")

    def test_a_mark_just_after_an_hourly_restart_is_cut_from_the_new_recording(self):
        s = ReplaySession(self, env={"VORLIX_TEST_RESTART_PERIOD_MS": str(RESTART_PERIOD_MS)}).start()
        s.main_window()
        s.game_selected()
        s.start_recording()
        time.sleep(3)
        before_restart = s.mark()
        s.wait_recording_file(RESTART_PERIOD_MS / 1000 + 30, count=2)
        appeared = s.keeper.seen[s.recordings_seen()[1]]
        time.sleep(max(0.0, appeared + 1.5 - time.time()))
        after_restart = s.mark()
        time.sleep(2)
        s.stop_recording()
        self.assertEqual(s.wait_cut_finished(), (2, 0))
        cuts = self.check_clips(s, s.marks)
        first_rec, second_rec = [s.keeper.kept(n) for n in s.recordings_seen()[:2]]
        second_first, _ = timecode_moments(second_rec, s.game)
        first_first, first_last = timecode_moments(first_rec, s.game)
        first, last = timecode_moments(cuts[after_restart], s.game)
        self.assertLess(abs(last - after_restart), 0.5)
        self.assertLess(abs(first - second_first), 0.5, "the clip does not start with the new recording")
        first, last = timecode_moments(cuts[before_restart], s.game)
        self.assertLess(abs(last - before_restart), 0.5)
        self.assertLess(abs(first - first_first), 0.5)
        # Both recordings gave all their clips: none stays.
        self.assertEqual(os.listdir(s.videos), [])

    def test_a_clip_the_storage_refuses_stays_on_disk_and_the_prompt_says_so(self):
        s = ReplaySession(self).start()
        s.main_window()
        s.game_selected()
        s.svc.configure(upload={"fail_block": 0})  # the first block of the first clip
        record_with_marks(s, [3.5, 6.5], 8.0)
        self.assertEqual(s.wait_cut_finished(), (1, 1))
        s.app.screenshot(s.prompt_window(), "replay-prompt-one-failed.png")
        failed, stored = s.marks
        self.check_clips(s, [stored])
        name = s.clip_name(failed)
        self.assertNotIn(name, {c["key"] for c in s.svc.clips()})
        self.assertNotIn(name, {o["key"] for o in s.svc.objects()})
        with open(os.path.join(s.videos, name), "rb") as f, open(s.keeper.kept(name), "rb") as g:
            self.assertEqual(f.read(), g.read())
        # The clip on disk holds the moment, so the recording could go; nothing else stays.
        self.assertEqual(os.listdir(s.videos), [name])

    def test_a_recorder_killed_mid_session_still_yields_the_clips_marked_before(self):
        s = ReplaySession(self).start()
        s.main_window()
        s.game_selected()
        s.start_recording()
        time.sleep(3.5)
        s.mark()
        time.sleep(2.5)
        s.mark()
        time.sleep(1.5)
        killed = time.time()
        subprocess.run([wine(), "taskkill", "/f", "/im", "obs32.exe"], capture_output=True, timeout=30)
        time.sleep(2)
        s.stop_recording()
        self.assertEqual(s.wait_cut_finished(), (2, 0))
        cuts = self.check_clips(s, s.marks)
        rec = s.keeper.kept(s.recordings_seen()[0])
        _, rec_last = timecode_moments(rec, s.game)
        self.assertLess(rec_last, killed + 0.5)
        self.assertIn("the recorder had ended by itself", s.log())
        for mark, cut in cuts.items():
            _, last = timecode_moments(cut, s.game)
            self.assertLess(abs(last - mark), 0.5)

    def test_cancel_while_clips_are_processed_keeps_the_clip_under_way_and_skips_the_rest(self):
        s = ReplaySession(self).start()
        win = s.main_window()
        s.game_selected()
        s.svc.configure(upload={"delay": 1.5})  # every upload request waits: processing lasts
        record_with_marks(s, [2.5, 4.0, 5.5, 7.0], 8.0)
        s.wait_log(r"UploadCutedVideo  Begin", 60)
        time.sleep(0.5)
        s.app.screenshot(win, "replay-processing.png")
        click(win, 514, 278)  # the cancel button beside the progress bar
        confirm_box(s)
        uploaded, kept = s.wait_cut_finished()
        self.assertIn("OnCutFinished uploaded:%d kept:%d cancelled" % (uploaded, kept), s.log())
        registered = [c["key"] for c in s.svc.clips()]
        self.assertGreaterEqual(len(registered), 1, "the clip under way is finished")
        self.assertLess(len(registered), 4, "the clips after the cancel are skipped")
        self.check_clips(s, [m for m in s.marks if s.clip_name(m) in registered])
        # A new session starts as usual afterwards.
        s.svc.configure(upload={"delay": 0})
        time.sleep(1)
        s.marks = []
        record_with_marks(s, [3.0], 4.5)
        s.wait_log(r"OnCutFinished uploaded:(\d+) kept:(\d+)", 60, count=2)
        self.check_clips(s, s.marks)

    def test_logout_during_a_recording_then_a_new_session_cuts_only_the_new_marks(self):
        s = ReplaySession(self).start()
        win = s.main_window()
        s.game_selected()
        s.start_recording()
        time.sleep(3)
        old = [s.mark()]
        time.sleep(1.5)
        old.append(s.mark())
        # The user panel opens over the user icon; its logout link asks first.
        subprocess.run(["xdotool", "mousemove", "--window", win, "432", "18"], capture_output=True)
        time.sleep(0.8)
        click(win, 478, 86)
        confirm_box(s)
        log_in_through_dialog(s.svc, process=s.app.process)
        s.wait_log(r"OperateRecorder StartRecord", 5)
        time.sleep(2)
        s.marks = []
        self.assertNotIn("OnCutFinished", s.log(), "the abandoned session made clips")
        record_with_marks(s, [3.0], 4.5)
        self.assertEqual(s.wait_cut_finished(), (1, 0))
        self.check_clips(s, s.marks)
        self.assertEqual([c["key"] for c in s.svc.clips()], [s.clip_name(s.marks[0])])
        # Progress counts the one clip only: it runs up to 100 of one.
        totals = re.findall(r"totalUpload:(\d+)", s.log())
        self.assertTrue(totals and set(totals) == {"1"}, totals)
        self.assertIn("OnProgerssMsg total percent:100", s.log())


class ServiceDownAtStartUp(unittest.TestCase):
    def test_the_main_window_shows_without_the_service(self):
        import socket
        with socket.socket() as sock:  # a port nobody listens on
            sock.bind(("127.0.0.1", 0))
            port = sock.getsockname()[1]
        app = Program(env={"VORLIX_SERVICE_URL": "http://127.0.0.1:%d" % port})
        self.addCleanup(app.close)
        self.addCleanup(end_program_processes)
        from replay_flow import write_config
        write_config(app.tree, {"User": {"Token": "t", "Secret": "s", "UserId": "100001", "UserName": "Player",
                                         "Date": int(time.time())}})
        app.start()
        win = app.window(timeout=60)
        time.sleep(1)
        app.screenshot(win, "replay-service-down.png")
        self.assertIsNone(app.process.poll())


def timecode_moments(path, game):
    """Wall-clock (first, last) moments a video of the stand-in shows; fails when none reads."""
    first, last = timecode.first_timecode(path), timecode.last_timecode(path)
    if first is None or last is None:
        raise AssertionError("no readable frame in %s" % path)
    return game.wall_clock(first.ms), game.wall_clock(last.ms)


if __name__ == "__main__":
    unittest.main()
