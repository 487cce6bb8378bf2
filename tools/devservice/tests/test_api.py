"""Login by text-message code, the game list, clip registration and the device report."""
import json
import unittest

from support import ServiceTestCase, sha1_hex

SEND = "/api/v1.0/send/code"
LOGIN = "/api/v1.0/login/verification"
REGISTER = "/cloud/api/v1.0"
DEVICE = "/system/info/v1.0/log"
PHONE = "13912345678"


def tsign(text):
    return sha1_hex("zentiq" + text + "qzrw@hvp")


class TestLogin(ServiceTestCase):
    def send_code(self, phone=PHONE):
        body = "mobile=%s&type=1&isTest=0" % phone
        return self.form_post(SEND, body, tsign=tsign("mobile%stype1isTest0" % phone))

    def verify(self, code, post_id, phone=PHONE, **headers):
        body = "mobile=%s&code=%s&type=1&postId=%s" % (phone, code, post_id)
        headers.setdefault("tsign", tsign("mobile%scode%stype1postId%s" % (phone, code, post_id)))
        return self.form_post(LOGIN, body, **headers)

    def test_code_then_login_issues_a_session(self):
        post_id = self.assertEnvelope(self.send_code(), 200)["data"]
        self.assertIsInstance(post_id, str)
        sms = self.control("GET", "sms?phone=" + PHONE)
        self.assertRegex(sms["code"], r"^\d{6}$")
        self.assertEqual(sms["postId"], post_id)
        self.assertIn(sms["code"], self.console.getvalue())  # shown on the console for manual runs

        data = self.assertEnvelope(self.verify(sms["code"], post_id), 200)["data"]
        self.assertTrue(data["loginToken"] and data["signSecret"] and data["userId"])
        member = json.loads(data["member"])  # a JSON text inside the answer
        self.assertEqual(member["nickName"], "玩家5678")
        # The same phone keeps its user id on the next login, with a new token.
        post_id2 = self.send_code().json()["data"]
        again = self.verify(self.control("GET", "sms?phone=" + PHONE)["code"], post_id2).json()["data"]
        self.assertEqual(again["userId"], data["userId"])
        self.assertNotEqual(again["loginToken"], data["loginToken"])

    def test_login_refusals(self):
        post_id = self.send_code().json()["data"]
        code = self.control("GET", "sms?phone=" + PHONE)["code"]
        wrong = "%06d" % ((int(code) + 1) % 1000000)
        self.assertEnvelope(self.verify(wrong, post_id), 401)
        self.assertEnvelope(self.verify(code, ""), 401)               # no code requested in this screen
        self.assertEnvelope(self.verify(code, post_id, phone="13900000000"), 401)
        self.assertEnvelope(self.verify(code, post_id, tsign="f" * 40), 401)
        self.assertEnvelope(self.verify(code, post_id, token="abc"), 400)   # token must be emptied first
        self.assertEnvelope(self.verify(code, post_id), 200)
        self.assertEnvelope(self.verify(code, post_id), 401)          # a code is good once

    def test_send_code_checks(self):
        cases = [
            ("isTest signed as sent", "mobile=%s&type=1&isTest=0" % PHONE, "mobile%stype1isTest" % PHONE, {}, 401),
            ("sign header sent", "mobile=%s&type=1&isTest=0" % PHONE, "mobile%stype1isTest0" % PHONE,
             {"sign": "a" * 40}, 400),
            ("short phone", "mobile=1391234&type=1&isTest=0", "mobile1391234type1isTest0", {}, 400),
            ("keys out of order", "type=1&mobile=%s&isTest=0" % PHONE, "mobile%stype1isTest0" % PHONE, {}, 400),
        ]
        for name, body, text, headers, code in cases:
            with self.subTest(name):
                self.assertEnvelope(self.form_post(SEND, body, tsign=tsign(text), **headers), code)
        self.assertEqual(self.get("/__test__/sms?phone=" + PHONE).status, 404)  # no code was issued


class TestGames(ServiceTestCase):
    def test_configured_game_list(self):
        games = [{"window_title": "Game A", "game_name": "A", "window_class": "ACls", "exe_name": "a.exe"}]
        self.control("POST", "config", {"games": games})
        self.assertEqual(self.assertEnvelope(self.get("/cloud/api/v1.0/games"), 200)["data"], games)
        self.assertEqual(self.request("POST", "/cloud/api/v1.0/games").status, 405)


def styled(record):
    """The clip record as the program serialises it: members in name order, three-blank indent."""
    return json.dumps(record, indent=3, sort_keys=True) + "\n"


CLIP = {"title": "1700000000", "url": "http://cdn.example/100001_1700000000.mp4", "duration": "30",
        "format": "mp4", "size": 123456}


class TestClipRegistration(ServiceTestCase):
    def register(self, session, text, **headers):
        token, secret = (session["loginToken"], session["signSecret"]) if session else ("", "")
        headers.setdefault("sign", sha1_hex(secret + "json" + text))
        headers.setdefault("tsign", tsign("json" + text))
        return self.form_post(REGISTER, "json=" + text, token=token, **headers)

    def test_registered_clip_is_stored_for_the_user(self):
        session = self.login()
        # "&" and "=" inside the JSON text are neither encoded nor split.
        record = dict(CLIP, url="http://cdn.example/a&b=c.mp4")
        self.assertEnvelope(self.register(session, styled(record)), 200)
        clips = self.control("GET", "clips")["clips"]
        self.assertEqual(len(clips), 1)
        self.assertEqual((clips[0]["user_id"], clips[0]["key"], clips[0]["size"]),
                         (session["userId"], "a&b=c.mp4", 123456))

    def test_refusals(self):
        session = self.login()
        text = styled(CLIP)
        cases = [
            ("no session", None, text, {}, 401),
            ("wrong sign", session, text, {"sign": sha1_hex("json" + text)}, 401),
            ("wrong tsign", session, text, {"tsign": sha1_hex("json" + text)}, 401),
            ("not JSON", session, "{title:", {}, 400),
            ("size as text", session, styled(dict(CLIP, size="123456")), {}, 400),
            ("duration as number", session, styled(dict(CLIP, duration=30)), {}, 400),
            ("other format", session, styled(dict(CLIP, format="flv")), {}, 400),
            ("url without a file name", session, styled(dict(CLIP, url="http://cdn.example/")), {}, 400),
            ("array", session, "[]", {}, 400),
        ]
        for name, who, body, headers, code in cases:
            with self.subTest(name):
                self.assertEnvelope(self.register(who, body, **headers), code)
        self.assertEqual(self.control("GET", "clips")["clips"], [])

    def test_body_without_json_prefix(self):
        session = self.login()
        answer = self.form_post(REGISTER, "data=" + styled(CLIP), token=session["loginToken"],
                                sign="0" * 40, tsign="0" * 40)
        self.assertEnvelope(answer, 400)


class TestDeviceReport(ServiceTestCase):
    def post(self, body, content_type="application/json"):
        return self.request("POST", DEVICE, ["Content-Type: " + content_type], body)

    def test_report_is_recorded(self):
        body = '{"cpu":"Intel(R) Core(TM) i5","gpu":"Wine GPU","mem_count":16384,"os":"Windows 7"}\n'
        self.assertEnvelope(self.post(body), 200)
        devices = self.control("GET", "devices")["devices"]
        self.assertEqual((devices[0]["mem_count"], devices[0]["os"]), (16384, "Windows 7"))

    def test_narrow_code_page_texts_are_kept(self):
        body = '{"cpu":"处理器","gpu":"","mem_count":4096,"os":"Windows 10"}\n'.encode("gbk")
        self.assertEnvelope(self.post(body), 200)
        self.assertEqual(self.control("GET", "devices")["devices"][0]["cpu"], "处理器")

    def test_refusals(self):
        cases = [
            ("memory as text", '{"cpu":"c","gpu":"g","mem_count":"16384","os":"o"}', "application/json"),
            ("key order", '{"os":"o","cpu":"c","gpu":"g","mem_count":1}', "application/json"),
            ("missing key", '{"cpu":"c","gpu":"g","os":"o"}', "application/json"),
            ("form type", '{"cpu":"c","gpu":"g","mem_count":1,"os":"o"}', "application/x-www-form-urlencoded"),
            ("not JSON", '{"cpu":', "application/json"),
            ("not an object", '[1,2]', "application/json"),
        ]
        for name, body, content_type in cases:
            with self.subTest(name):
                self.assertEnvelope(self.post(body, content_type), 400)


if __name__ == "__main__":
    unittest.main()
