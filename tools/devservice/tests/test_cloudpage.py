"""The cloud page and the clip list behind it."""
import json
import os
import shutil
import subprocess
import unittest
import urllib.parse

from support import ServiceTestCase, sha1_hex, raw_request, build_request
from test_storage import UploadCase

PAGE = os.path.join(os.path.dirname(__file__), "..", "web", "cloud.html")


def register(case, session, key, size, title="1700000000", duration="60"):
    text = json.dumps({"duration": duration, "format": "mp4", "size": size, "title": title,
                       "url": "http://cdn.example/" + key}, indent=3) + "\n"
    answer = case.form_post("/cloud/api/v1.0", "json=" + text, token=session["loginToken"],
                            sign=sha1_hex(session["signSecret"] + "json" + text),
                            tsign=sha1_hex("zentiqjson" + text + "qzrw@hvp"))
    case.assertEnvelope(answer, 200)


class TestCloudPage(UploadCase):
    def clips(self, user_id, token, secret):
        query = urllib.parse.urlencode({"id": user_id, "t": token, "s": secret})
        return self.get("/cloud/api/v1.0/clips?" + query)

    def test_page_is_served_without_outside_resources(self):
        answer = self.get("/cloud.html")
        self.assertEqual(answer.status, 200)
        self.assertTrue(answer.header("content-type").startswith("text/html"))
        page = answer.body.decode("utf-8")
        self.assertIn("/cloud/api/v1.0/clips", page)
        self.assertIn("video", page)
        self.assertNotRegex(page, r"(src|href)=\"(https?:)?//")

    def test_clips_of_the_session_with_playable_video(self):
        me, other = self.login("13800000001"), self.login("13800000002")
        data = os.urandom(5000)
        key = "%s_1700000000.mp4" % me["userId"]
        self.assertEqual(self.upload(data, key).status, 200)
        register(self, me, key, len(data), duration="30")
        register(self, me, "gone.mp4", 10)
        register(self, other, "theirs.mp4", 10)

        listing = self.assertEnvelope(self.clips(me["userId"], me["loginToken"], me["signSecret"]), 200)["data"]
        self.assertEqual(listing["nickName"], "玩家0001")
        clips = {c["key"]: c for c in listing["clips"]}
        self.assertEqual(sorted(clips), sorted(["gone.mp4", key]))
        self.assertEqual((clips[key]["title"], clips[key]["duration"], clips[key]["size"]), ("1700000000", "30", 5000))
        self.assertTrue(clips[key]["stored"])
        self.assertFalse(clips["gone.mp4"]["stored"])
        self.assertEqual(clips["gone.mp4"]["play_url"], "http://cdn.example/gone.mp4")
        video = self.get(clips[key]["play_url"])
        self.assertEqual((video.status, video.header("content-type")), (200, "video/mp4"))
        self.assertTrue(video.body == data)

    def test_refused_without_the_right_session(self):
        me, other = self.login("13800000001"), self.login("13800000002")
        cases = [
            ("nothing", "", "", ""),
            ("wrong secret", me["userId"], me["loginToken"], other["signSecret"]),
            ("token of another user", me["userId"], other["loginToken"], other["signSecret"]),
            ("unknown token", me["userId"], "0" * 32, me["signSecret"]),
            ("secret as token", me["userId"], me["signSecret"], me["signSecret"]),
        ]
        for name, user_id, token, secret in cases:
            with self.subTest(name):
                envelope = self.assertEnvelope(self.clips(user_id, token, secret), 401)
                self.assertIsNone(envelope["data"])


@unittest.skipUnless(shutil.which("node"), "node is not installed")
class TestPageScript(unittest.TestCase):
    def test_fragment_parsing(self):
        with open(PAGE, encoding="utf-8") as f:
            html = f.read()
        script = html.split("<script>", 1)[1].split("</script>", 1)[0]
        probe = script + """
var page = module.exports;
console.log(JSON.stringify([
  page.parseFragment("#/all?id=100001&t=tok%20en&s=sec"),
  page.parseFragment(""),
  page.clipsUrl({id: "1", t: "a&b", s: "c"}),
  page.formatSize(5 * 1048576), page.formatSize(2048), page.formatSize(12)]));
"""
        result = subprocess.run(["node", "-e", "var module = {exports: {}};" + probe],
                                capture_output=True, text=True, timeout=30)
        self.assertEqual(result.returncode, 0, result.stderr)
        fragment, empty, url, mb, kb, b = json.loads(result.stdout)
        self.assertEqual(fragment, {"view": "all", "id": "100001", "t": "tok en", "s": "sec"})
        self.assertEqual(empty, {"view": ""})
        self.assertEqual(url, "/cloud/api/v1.0/clips?id=1&t=a%26b&s=c")
        self.assertEqual((mb, kb, b), ("5.0 MB", "2.0 KB", "12 B"))


if __name__ == "__main__":
    unittest.main()
