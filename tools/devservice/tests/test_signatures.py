"""Signature and header checks of the signed form requests."""
import unittest

from support import ServiceTestCase, USER_AGENT, sha1_hex, form_headers

FIND = "/apkVersion/api/v1.0/find"
BODY = "versionCode=V1.8.0.1&type=3"
# Signing order: type first, then versionCode, although the body sends them the other way round.
PARAM_TEXT = "type3versionCodeV1.8.0.1"
TSIGN = "d3e5c4e217c9ecc3e78abb684035e9f6949f6160"      # sha1("zentiq" + PARAM_TEXT + "qzrw@hvp")
SIGN_NO_SECRET = "009e35d8619df861e26314240e81d407a7cac2b5"  # sha1(PARAM_TEXT)


class TestVectors(unittest.TestCase):
    def test_hand_computed_vectors_match_the_algorithm(self):
        self.assertEqual(sha1_hex("zentiq" + PARAM_TEXT + "qzrw@hvp"), TSIGN)
        self.assertEqual(sha1_hex(PARAM_TEXT), SIGN_NO_SECRET)
        self.assertEqual(sha1_hex("secret42" + PARAM_TEXT), "0af207bd430d1a2bef51754766b0d33a3c1dbd20")

    def test_service_signing_module_gives_the_vectors(self):
        from devservice import signing
        pairs = [("type", "3"), ("versionCode", "V1.8.0.1")]
        self.assertEqual(signing.param_text(pairs), PARAM_TEXT.encode())
        self.assertEqual(signing.tsign(pairs), TSIGN)
        self.assertEqual(signing.sign("", pairs), SIGN_NO_SECRET)
        self.assertEqual(signing.sign("secret42", pairs), "0af207bd430d1a2bef51754766b0d33a3c1dbd20")
        self.assertEqual(signing.tsign([("mobile", "13800138000"), ("type", "1"), ("isTest", "0")]),
                         "f98c9caca6f1f83aff044df83bd05dd5e8b3f080")


class TestUpdateCheckSignature(ServiceTestCase):
    def test_before_login_the_sign_is_the_digest_of_the_parameter_text(self):
        envelope = self.assertEnvelope(self.form_post(FIND, BODY, sign=SIGN_NO_SECRET, tsign=TSIGN), 200)
        self.assertEqual(envelope["data"]["versionCode"], "V1.8.0.1")
        self.assertEqual(envelope["data"]["url"], self.base + "/download/install.exe")
        self.assertIn("modifyDesc", envelope["data"])

    def test_after_login_the_sign_uses_the_session_secret(self):
        session = self.login()
        good = sha1_hex(session["signSecret"] + PARAM_TEXT)
        self.assertEnvelope(self.form_post(FIND, BODY, token=session["loginToken"], sign=good, tsign=TSIGN), 200)
        # The secret-less digest is no longer right once a token is sent.
        answer = self.form_post(FIND, BODY, token=session["loginToken"], sign=SIGN_NO_SECRET, tsign=TSIGN)
        self.assertEnvelope(answer, 401)

    def test_refusals(self):
        cases = [
            ("wrong tsign", dict(sign=SIGN_NO_SECRET, tsign=sha1_hex("zentiq" + "versionCodeV1.8.0.1type3" + "qzrw@hvp")), 401),
            ("missing tsign", dict(sign=SIGN_NO_SECRET), 401),
            ("missing sign", dict(tsign=TSIGN), 401),
            ("sign with the salt", dict(sign=TSIGN, tsign=TSIGN), 401),
            ("unknown token", dict(token="feedface", sign=SIGN_NO_SECRET, tsign=TSIGN), 401),
            ("user agent without prefix", dict(sign=SIGN_NO_SECRET, tsign=TSIGN, user_agent="curl/8.0"), 400),
            ("lower-case address", dict(sign=SIGN_NO_SECRET, tsign=TSIGN, user_agent="Windows+00155d0a1b2c"), 400),
        ]
        for name, headers, code in cases:
            with self.subTest(name):
                self.assertEnvelope(self.form_post(FIND, BODY, **headers), code)

    def test_empty_adapter_address_is_accepted(self):
        self.assertEnvelope(self.form_post(FIND, BODY, sign=SIGN_NO_SECRET, tsign=TSIGN, user_agent="Windows+"), 200)

    def test_header_form_is_checked_exactly(self):
        good = form_headers(sign=SIGN_NO_SECRET, tsign=TSIGN)
        cases = [
            ("blank after the colon", [l.replace("tsign:", "tsign: ") for l in good]),
            ("platform 1", [l.replace("platform:2", "platform:1") for l in good]),
            ("no deviceId", [l for l in good if not l.startswith("deviceId")]),
            ("deviceId is the adapter", [l.replace("deviceId:windows", "deviceId:00155D0A1B2C") for l in good]),
            ("tsign twice", good + ["tsign:" + TSIGN]),
        ]
        for name, lines in cases:
            with self.subTest(name):
                self.assertEnvelope(self.request("POST", FIND, lines, BODY), 400)

    def test_body_order_and_values(self):
        for body in ("type=3&versionCode=V1.8.0.1", "versionCode=V1.8.0.1", "versionCode=1.8.0.1&type=3",
                     "versionCode=V1.8.0.1&type=2", "", "garbage"):
            with self.subTest(body=body):
                # Signed correctly for what was sent, so only the body itself is at fault.
                pairs = dict(p.partition("=")[::2] for p in body.split("&") if "=" in p)
                text = "type" + pairs.get("type", "") + "versionCode" + pairs.get("versionCode", "")
                answer = self.form_post(FIND, body, sign=sha1_hex(text),
                                        tsign=sha1_hex("zentiq" + text + "qzrw@hvp"))
                self.assertEnvelope(answer, 400)

    def test_every_request_is_recorded_with_its_raw_headers(self):
        self.form_post(FIND, BODY, sign=SIGN_NO_SECRET, tsign="0" * 40)
        record = self.last_request(FIND)
        self.assertEqual(record["method"], "POST")
        self.assertEqual(record["body"], BODY)
        self.assertIn("tsign:" + "0" * 40, record["raw_headers"])
        self.assertIn("User-Agent:" + USER_AGENT, record["raw_headers"])
        self.assertEqual(record["code"], 401)
        self.assertEqual([p["msg"] for p in record["problems"]], ["tsign mismatch"])

    def test_configured_latest_version_is_answered(self):
        self.control("POST", "config", {"latest": {"versionCode": "V2.0.0.7", "url": "http://x/setup.exe"}})
        data = self.assertEnvelope(self.form_post(FIND, BODY, sign=SIGN_NO_SECRET, tsign=TSIGN), 200)["data"]
        self.assertEqual((data["versionCode"], data["url"]), ("V2.0.0.7", "http://x/setup.exe"))
        self.assertNotIn("sha256", data, "no digest for a file this service does not serve")

    def test_update_answer_carries_the_served_installers_sha256(self):
        import hashlib
        installer = b"MZ" + bytes(range(256)) * 40
        self.control("POST", "config", {"latest": {"versionCode": "V2.0.0.7"}})
        data = self.assertEnvelope(self.form_post(FIND, BODY, sign=SIGN_NO_SECRET, tsign=TSIGN), 200)["data"]
        self.assertNotIn("sha256", data, "nothing served yet")
        self.server_put_download("install.exe", installer)
        for configured, expected in ((None, hashlib.sha256(installer).hexdigest()), ("", None), ("ab" * 32, "ab" * 32)):
            with self.subTest(configured=configured):
                self.control("POST", "config", {"latest": {"sha256": configured}})
                data = self.assertEnvelope(self.form_post(FIND, BODY, sign=SIGN_NO_SECRET, tsign=TSIGN), 200)["data"]
                self.assertEqual(data.get("sha256"), expected)

    def server_put_download(self, name, data):
        answer = self.request("PUT", "/__test__/download/" + name, ["Content-Type: application/octet-stream"], data)
        self.assertEqual(answer.status, 200, answer.body)


if __name__ == "__main__":
    unittest.main()
