"""Cloud storage: upload tokens, block uploads assembled into exact objects, and faults."""
import base64
import hashlib
import hmac
import json
import os
import socket
import time
import unittest

from support import ServiceTestCase, build_request

ACCESS = "Kd3mPq9XwRt7LcZ2vNb8HsYf4JgA6eUoWiQ1xTn-"
SECRET = "Zp5Qw-Lm2RtY8vCx4NbJ7kHs3GdF9aWe6UiOo1Ty"
MIB4 = 4 * 1024 * 1024


def b64(data):
    return base64.urlsafe_b64encode(data).decode("ascii")


def token(policy=None, secret=SECRET, access=ACCESS):
    policy = policy if policy is not None else {"scope": "video-cloud", "deadline": int(time.time()) + 3600}
    encoded = b64(json.dumps(policy, separators=(",", ":")).encode())
    sign = b64(hmac.new(secret.encode(), encoded.encode(), hashlib.sha1).digest())
    return "%s:%s:%s" % (access, sign, encoded)


def etag(data):
    blocks = [hashlib.sha1(data[i:i + MIB4]).digest() for i in range(0, len(data), MIB4)] or [hashlib.sha1(b"").digest()]
    if len(blocks) == 1:
        return b64(b"\x16" + blocks[0])
    return b64(b"\x96" + hashlib.sha1(b"".join(blocks)).digest())


class TestTokenVector(unittest.TestCase):
    def test_hand_computed_token(self):
        from devservice import uptoken
        policy = {"scope": "video-cloud", "deadline": 4102444800}
        expected = ACCESS + ":ksE-K4p-DQq3-Aaxua21dLvBpSE=:eyJzY29wZSI6InZpZGVvLWNsb3VkIiwiZGVhZGxpbmUiOjQxMDI0NDQ4MDB9"
        self.assertEqual(token(policy), expected)
        self.assertEqual(uptoken.make_token(policy), expected)
        self.assertEqual(uptoken.verify_token(expected, now=4102444800), policy)

    def test_verification_refuses(self):
        from devservice import uptoken
        now = 1700000000
        good = {"scope": "video-cloud", "deadline": now + 10}
        signed = token(good)
        cases = [
            ("expired", token({"scope": "video-cloud", "deadline": now - 1})),
            ("other bucket", token({"scope": "photos", "deadline": now + 10})),
            ("bucket prefix only", token({"scope": "video-cloudx", "deadline": now + 10})),
            ("no deadline", token({"scope": "video-cloud"})),
            ("deadline as text", token({"scope": "video-cloud", "deadline": str(now + 10)})),
            ("wrong secret", token(good, secret=SECRET[::-1])),
            ("wrong access key", token(good, access="A" * 40)),
            ("policy swapped", signed.rsplit(":", 1)[0] + ":" + token({"scope": "video-cloud", "deadline": now + 99}).rsplit(":", 1)[1]),
            ("two parts", ACCESS + ":abc"),
            ("not base64", ACCESS + ":!!!:???"),
        ]
        for name, text in cases:
            with self.subTest(name):
                with self.assertRaises(uptoken.TokenError):
                    uptoken.verify_token(text, now=now)
        self.assertEqual(uptoken.verify_token(signed, now=now), good)


class UploadCase(ServiceTestCase):
    def post(self, path, body=b"", auth=None, extra=()):
        lines = ["Content-Type: application/octet-stream"] + list(extra)
        if auth is not False:
            lines.append("Authorization: UpToken " + (auth or token()))
        return self.request("POST", path, lines, body)

    def upload(self, data, key, chunk=1024 * 1024):
        """Upload in 4 MiB blocks of `chunk`-sized pieces, as the client does; returns the mkfile answer."""
        last = []
        for start in range(0, len(data), MIB4):
            block = data[start:start + MIB4]
            answer = self.post("/mkblk/%d" % len(block), block[:chunk])
            self.assertEqual(answer.status, 200, answer.body)
            reply = answer.json()
            while reply["offset"] < len(block):
                piece = block[reply["offset"]:reply["offset"] + chunk]
                self.assertEqual(reply["crc32"] >= 0, True)
                answer = self.post("/bput/%s/%d" % (reply["ctx"], reply["offset"]), piece)
                self.assertEqual(answer.status, 200, answer.body)
                reply = answer.json()
            self.assertEqual(reply["checksum"], b64(hashlib.sha1(block).digest()))
            last.append(reply["ctx"])
        return self.post("/mkfile/%d/key/%s" % (len(data), b64(key.encode())), ",".join(last).encode())


class TestBlockUpload(UploadCase):
    def test_blocks_assemble_to_the_exact_bytes(self):
        data = os.urandom(2 * MIB4 + 1234567)  # three blocks, the last one short
        answer = self.upload(data, "100001_1700000000.mp4", chunk=1000003)
        self.assertEqual(answer.status, 200, answer.body)
        self.assertEqual(answer.json(), {"hash": etag(data), "key": "100001_1700000000.mp4"})
        fetched = self.get("/cdn/100001_1700000000.mp4")
        self.assertEqual(fetched.status, 200)
        self.assertEqual(fetched.header("content-type"), "video/mp4")
        self.assertTrue(fetched.body == data)
        objects = self.control("GET", "objects")["objects"]
        self.assertEqual([(o["key"], o["size"]) for o in objects], [("100001_1700000000.mp4", len(data))])
        self.assertEqual(os.listdir(os.path.join(self.data_dir, "blocks")), [])

    def test_small_file_hash_and_ranged_read(self):
        data = b"0123456789" * 10
        self.assertEqual(self.upload(data, "small.mp4").json()["hash"], etag(data))
        part = self.request("GET", "/cdn/small.mp4", ["Range: bytes=10-19"])
        self.assertEqual((part.status, part.body), (206, data[10:20]))

    def test_keys_are_not_paths(self):
        key = "../../outside/evil.mp4"
        self.assertEqual(self.upload(b"payload", key).status, 200)
        self.assertFalse(os.path.exists(os.path.join(self.data_dir, "..", "outside")))
        stored = os.listdir(os.path.join(self.data_dir, "objects"))
        self.assertEqual(stored, [hashlib.sha1(key.encode()).hexdigest()])
        self.assertEqual(self.get("/cdn/" + key.replace("/", "%2F")).body, b"payload")

    def test_same_key_other_content_is_refused(self):
        self.assertEqual(self.upload(b"first", "k.mp4").status, 200)
        self.assertEqual(self.upload(b"first", "k.mp4").status, 200)   # same bytes: fine
        self.assertEqual(self.upload(b"second", "k.mp4").status, 614)
        self.assertEqual(self.get("/cdn/k.mp4").body, b"first")

    def test_protocol_errors(self):
        first = self.post("/mkblk/10", b"12345").json()
        cases = [
            ("no token", self.post("/mkblk/10", b"x", auth=False), 401),
            ("bad token", self.post("/mkblk/10", b"x", auth=token(secret="x" * 40)), 401),
            ("expired token", self.post("/mkblk/10", b"x", auth=token({"scope": "video-cloud", "deadline": 1})), 401),
            ("block over 4 MiB", self.post("/mkblk/%d" % (MIB4 + 1), b"x"), 400),
            ("chunk larger than block", self.post("/mkblk/2", b"xyz"), 400),
            ("empty first chunk", self.post("/mkblk/2", b""), 400),
            ("unknown ctx", self.post("/bput/nosuchctx/5", b"x"), 701),
            ("wrong offset", self.post("/bput/%s/4" % first["ctx"], b"x"), 701),
            ("past the block end", self.post("/bput/%s/5" % first["ctx"], b"123456"), 400),
            ("incomplete block", self.post("/mkfile/10/key/%s" % b64(b"a"), first["ctx"].encode()), 701),
            ("bad key", self.post("/mkfile/10/key/%%%%", first["ctx"].encode()), 400),
            ("GET", self.request("GET", "/mkblk/10"), 405),
        ]
        for name, answer, status in cases:
            with self.subTest(name):
                self.assertEqual(answer.status, status, answer.body)
                self.assertIn("error", answer.json())
        # A context is good for one chunk only: after it was used it is outdated.
        second = self.post("/bput/%s/5" % first["ctx"], b"67890").json()
        self.assertEqual(self.post("/bput/%s/5" % first["ctx"], b"67890").status, 701)
        self.assertEqual(self.post("/mkfile/11/key/%s" % b64(b"a"), second["ctx"].encode()).status, 400)
        self.assertEqual(self.post("/mkfile/10/key/%s" % b64(b"a"), second["ctx"].encode()).json()["key"], "a")

    def test_only_the_last_block_may_be_short(self):
        a = self.post("/mkblk/3", b"abc").json()["ctx"]
        b = self.post("/mkblk/3", b"def").json()["ctx"]
        self.assertEqual(self.post("/mkfile/6/key/%s" % b64(b"k"), ("%s,%s" % (a, b)).encode()).status, 400)


class TestUploadFaults(UploadCase):
    def test_fail_block_refuses_that_block_once(self):
        self.control("POST", "config", {"upload": {"fail_block": 1, "fail_status": 503}})
        self.assertEqual(self.post("/mkblk/3", b"abc").status, 200)
        self.assertEqual(self.post("/mkblk/3", b"abc").status, 503)
        self.assertEqual(self.post("/mkblk/3", b"abc").status, 200)

    def test_drop_closes_the_connection_mid_body(self):
        self.control("POST", "config", {"upload": {"fail_block": 0, "fail_mode": "drop"}})
        body = b"x" * 100000
        request = build_request("POST", "/mkblk/%d" % len(body), ["Authorization: UpToken " + token()], body)
        with socket.create_connection(("127.0.0.1", self.port), timeout=5) as sock:
            try:
                sock.sendall(request)
                received = sock.recv(100)
            except ConnectionResetError:
                received = b""
        self.assertEqual(received, b"")
        record = self.control("GET", "requests?route=mkblk")["requests"][-1]
        self.assertEqual(record["status"], 0)
        # The next block goes through.
        self.assertEqual(self.post("/mkblk/3", b"abc").status, 200)

    def test_delay(self):
        self.control("POST", "config", {"upload": {"delay": 0.3}})
        began = time.monotonic()
        self.assertEqual(self.post("/mkblk/3", b"abc").status, 200)
        self.assertGreaterEqual(time.monotonic() - began, 0.3)


if __name__ == "__main__":
    unittest.main()
