"""The event collector's query: fixed order, fixed values, tsign over token and time."""
import unittest

from support import ServiceTestCase, sha1_hex

FIXED = "?os=3&deviceName=windows&channel=&searchWord=&searchType=&videoId=&stime="


def query(user_id="", token="", version="V1.8.0.1", device="00155D0A1B2C", kind="start",
          dtime="1700000000", tsign=None):
    if tsign is None:
        tsign = sha1_hex("zentiq" + "userToken" + token + "dtime" + dtime + "qzrw@hvp")
    return "/print" + FIXED + "&userId=%s&userToken=%s&version=%s&deviceId=%s&type=%s&dtime=%s&tsign=%s" % (
        user_id, token, version, device, kind, dtime, tsign)


class TestCollector(ServiceTestCase):
    def test_event_before_login(self):
        # Hand-computed: sha1("zentiq" "userToken" "" "dtime" "1700000000" "qzrw@hvp").
        path = query(tsign="ce447f5e7a012f55ac11d86e72c8b87707bd4071")
        self.assertEnvelope(self.get(path), 200)
        event = self.control("GET", "events")["events"][0]
        self.assertEqual((event["type"], event["user_id"], event["dtime"], event["known_user"]),
                         ("start", "", 1700000000, 0))

    def test_event_of_a_session(self):
        session = self.login()
        self.assertEnvelope(self.get(query(session["userId"], session["loginToken"], kind="uploadRec")), 200)
        event = self.control("GET", "events")["events"][0]
        self.assertEqual((event["type"], event["known_user"]), ("uploadRec", 1))

    def test_refusals(self):
        good = query()
        cases = [
            ("tsign over another time", query(tsign=sha1_hex("zentiquserTokendtime1qzrw@hvp")), 401),
            ("unknown event", query(kind="stop"), 400),
            ("lower-case address", query(device="00155d0a1b2c"), 400),
            ("version without V", query(version="1.8.0.1"), 400),
            ("time beyond 32 bits", query(dtime="4294967296"), 400),
            ("os 2", good.replace("os=3", "os=2"), 400),
            ("parameters reordered", good.replace("&channel=&searchWord=", "&searchWord=&channel="), 400),
            ("no tsign", good.rsplit("&tsign=", 1)[0], 400),
            ("no query", "/print", 400),
        ]
        for name, path, code in cases:
            with self.subTest(name):
                self.assertEnvelope(self.get(path), code)
        self.assertEqual(self.control("GET", "events")["events"], [])
        self.assertEqual(self.request("POST", good).status, 405)


if __name__ == "__main__":
    unittest.main()
