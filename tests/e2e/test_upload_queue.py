"""No clip is lost when the program goes away while clips are processed: the next start finishes them
from the upload queue, and each is registered exactly once."""
import collections
import os
import time
import unittest

from replay_flow import ReplaySession, end_program_processes
from test_replay_flow import record_with_marks


class UploadQueueAcrossRestarts(unittest.TestCase):
    def test_a_program_killed_while_processing_finishes_every_clip_once_at_its_next_start(self):
        s = ReplaySession(self).start()
        s.main_window()
        s.game_selected()
        s.svc.configure(upload={"delay": 1.0})  # slow storage: processing lasts long enough to kill it
        record_with_marks(s, [2.5, 4.0, 5.5], 7.0)
        deadline = time.time() + 90
        while not s.svc.clips():
            self.assertLess(time.time(), deadline, "the first clip is registered before the kill\n" + s.log()[-2000:])
            time.sleep(0.2)
        end_program_processes()  # as a crash or a forced end would
        registered_before = len(s.svc.clips())
        self.assertLess(registered_before, 3, "the kill came while clips were still waiting")

        s.svc.configure(upload={"delay": 0})
        s.start()
        s.main_window()
        deadline = time.time() + 120
        while len(s.svc.clips()) < 3:
            self.assertLess(time.time(), deadline, "all three clips registered after the restart\n" + s.log()[-3000:])
            time.sleep(0.5)
        time.sleep(3)  # a duplicate would come now
        keys = collections.Counter(c["key"] for c in s.svc.clips())
        self.assertEqual(len(keys), 3, keys)
        self.assertTrue(all(n == 1 for n in keys.values()), "each clip registered once: %s" % keys)
        stored = {o["key"] for o in s.svc.objects()}
        self.assertTrue(set(keys) <= stored, "every registered clip is in the storage")
        left = [n for n in os.listdir(s.videos) if n.endswith(".mp4") and "_original_" not in n]
        self.assertEqual(left, [], "the local clips go once registered")


if __name__ == "__main__":
    unittest.main()
