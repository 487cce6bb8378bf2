"""The service as a whole: its process, bad input, the control API."""
import json
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import unittest
import urllib.request

from support import ServiceTestCase, TOOLS_DIR, build_request, raw_request, sha1_hex

from devservice.client import DevService, start_service


class TestProcess(unittest.TestCase):
    def setUp(self):
        self.data_dir = tempfile.mkdtemp(prefix="devservice-proc-")
        self.addCleanup(shutil.rmtree, self.data_dir, True)

    def test_prints_its_url_first_and_stops_cleanly_on_sigterm(self):
        service = start_service(self.data_dir)
        try:
            self.assertRegex(service.url, r"^http://127\.0\.0\.1:\d+$")
            with urllib.request.urlopen(service.url + "/cloud/api/v1.0/games", timeout=10) as resp:
                self.assertEqual(json.loads(resp.read())["code"], 200)
            with open(os.path.join(self.data_dir, "service.url")) as f:
                self.assertEqual(f.read().strip(), service.url)
        finally:
            code = service.stop()
        self.assertEqual(code, 0)
        with open(service.log_path) as f:
            self.assertIn("devservice: stopped", f.read())

    def test_sigint_and_state_kept_across_restarts(self):
        with start_service(self.data_dir) as service:
            session = service.login("13700000000")
            service.configure(latest={"versionCode": "V9.9.9.9"})
            service.call("POST", "/__test__/code", {"phone": "13700000000"})
            self.assertTrue(any("SMS code for 13700000000" in line for line in _wait_output(service)))
        again = DevService(self.data_dir).start()
        try:
            users = again.control("GET", "users")["users"]
            self.assertEqual([u["user_id"] for u in users], [session["userId"]])
            self.assertEqual(again.control("GET", "config")["latest"]["versionCode"], "V9.9.9.9")
            again.process.send_signal(signal.SIGINT)
            self.assertEqual(again.process.wait(10), 0)
        finally:
            again.stop()

    def test_busy_port_is_reported(self):
        with socket.socket() as taken:
            taken.bind(("127.0.0.1", 0))
            taken.listen(1)
            port = taken.getsockname()[1]
            result = subprocess.run([sys.executable, os.path.join(TOOLS_DIR, "devservice"), "--port", str(port),
                                     "--data", self.data_dir], capture_output=True, text=True, timeout=30)
        self.assertEqual(result.returncode, 2)
        self.assertEqual(result.stdout, "")
        self.assertIn("cannot listen", result.stderr)


def _wait_output(service, timeout=5):
    import time
    end = time.monotonic() + timeout
    while not service.output and time.monotonic() < end:
        time.sleep(0.05)
    return service.output


class TestBadInput(ServiceTestCase):
    def test_oversized_and_malformed_bodies(self):
        big = b"x" * (1024 * 1024 + 1)
        cases = [
            ("over the cap", build_request("POST", "/api/v1.0/send/code", [], big), 413),
            ("length not a number", b"POST /api/v1.0/send/code HTTP/1.1\r\nContent-Length: ten\r\n\r\n", 400),
            ("negative length", b"POST /api/v1.0/send/code HTTP/1.1\r\nContent-Length: -5\r\n\r\n", 400),
            ("chunked", b"POST /api/v1.0/send/code HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n", 411),
            ("upload over 4 MiB", build_request("POST", "/mkblk/4194304", ["Authorization: UpToken x"],
                                                b"x" * (4 * 1024 * 1024 + 1)), 401),
        ]
        for name, data, status in cases:
            with self.subTest(name):
                self.assertEqual(raw_request(self.port, data).status, status)
        # Still serving.
        self.assertEnvelope(self.get("/cloud/api/v1.0/games"), 200)

    def test_deeply_nested_json_bodies_are_refused_not_a_fault(self):
        deep = "[" * 5000 + "]" * 5000
        for method, path, lines, body, status in (
                ("POST", "/__test__/config", ["Content-Type: application/json"], deep, 400),
                ("POST", "/__test__/login", ["Content-Type: application/json"], deep, 400),
                ("POST", "/system/info/v1.0/log", ["Content-Type: application/json"], deep, 200)):
            with self.subTest(path=path):
                answer = self.request(method, path, lines, body)
                self.assertEqual(answer.status, status, answer.body[:200])
        self.control("POST", "config", {"overrides": {"/cloud/api/v1.0/games": {"body": deep}}})
        self.assertEqual(self.get("/cloud/api/v1.0/games").body.decode(), deep)
        record = self.last_request("/system/info/v1.0/log")
        self.assertIn("nested", " ".join(p["msg"] for p in record["problems"]))

    def test_unknown_paths_and_methods(self):
        for method, path, status in (("GET", "/nothing", 404), ("GET", "/api/v1.0/send/code", 405),
                                     ("DELETE", "/cloud/api/v1.0", 405), ("GET", "/__test__/nothing", 404),
                                     ("GET", "/cdn/none.mp4", 404)):
            with self.subTest(path=path, method=method):
                answer = self.request(method, path)
                self.assertEqual(answer.status, status)
                self.assertTrue(answer.json())

    def test_garbage_on_the_wire_does_not_stop_the_service(self):
        for data in (b"\x00\xff\xfe garbage\r\n\r\n", b"GET\r\n\r\n", b"GET / HTTP/9.9\r\n\r\n",
                     b"POST /print HTTP/1.1\r\nContent-Length: 10\r\n\r\nabc"):
            with socket.create_connection(("127.0.0.1", self.port), timeout=5) as sock:
                sock.sendall(data)
                sock.shutdown(socket.SHUT_WR)
                try:
                    while sock.recv(4096):
                        pass
                except ConnectionResetError:
                    pass
        self.assertEnvelope(self.get("/cloud/api/v1.0/games"), 200)

    def test_unread_body_does_not_leak_into_the_next_request(self):
        # A refused upload leaves its body unread: it must be skipped, not taken for a request.
        self.login()
        body = b"POST /__test__/reset HTTP/1.1\r\nContent-Length: 0\r\n\r\n"
        with socket.create_connection(("127.0.0.1", self.port), timeout=5) as sock:
            sock.sendall(build_request("POST", "/mkblk/100", [], body)
                         + build_request("GET", "/__test__/health", ["Connection: close"]))
            received = b""
            while True:
                piece = sock.recv(4096)
                if not piece:
                    break
                received += piece
        self.assertEqual(received.count(b"HTTP/1.1 "), 2)
        self.assertTrue(received.startswith(b"HTTP/1.1 401"))
        self.assertIn(b'"ok": true', received)
        self.assertEqual(len(self.control("GET", "users")["users"]), 1)  # no reset happened


class TestControl(ServiceTestCase):
    def test_config_is_validated_and_nothing_changes_on_error(self):
        before = self.control("GET", "config")
        for bad in ({"latest": {"versionCode": 5}}, {"upload": {"fail_mode": "explode"}},
                    {"download": {"rate": -1}}, {"games": "none"}, {"nosuch": {}},
                    {"latest": {"versionCode": "V1.0.0.0"}, "sms": {"fixed_code": "12"}},
                    {"overrides": {"/print": {"status": 99}}}):
            with self.subTest(bad=bad):
                answer = self.request("POST", "/__test__/config", [], json.dumps(bad))
                self.assertEqual(answer.status, 400)
                self.assertIn("error", answer.json())
        self.assertEqual(self.control("GET", "config"), before)
        self.assertEqual(self.request("POST", "/__test__/config", [], "{not json").status, 400)

    def test_overrides_replace_the_answer(self):
        self.control("POST", "config", {"overrides": {"/cloud/api/v1.0/games": {"status": 200, "body": "<html>"},
                                                      "/system/info/v1.0/log": {"status": 500, "body": ""}}})
        games = self.get("/cloud/api/v1.0/games")
        self.assertEqual((games.status, games.body), (200, b"<html>"))
        self.assertEqual(self.request("POST", "/system/info/v1.0/log", [], "{}").status, 500)

    def test_fixed_sms_code(self):
        self.control("POST", "config", {"sms": {"fixed_code": "123456"}})
        self.assertEqual(self.control("POST", "code", {"phone": "13800138000"})["code"], "123456")

    def test_reset_forgets_everything(self):
        self.login()
        self.get("/cloud/api/v1.0/games")
        self.control("POST", "config", {"latest": {"versionCode": "V3.0.0.0"}})
        self.control("POST", "reset")
        self.assertEqual(self.control("GET", "users")["users"], [])
        self.assertEqual(self.control("GET", "requests")["requests"], [])
        self.assertEqual(self.control("GET", "config")["latest"]["versionCode"], "V1.8.0.1")

    def test_requests_filter_by_path_and_since(self):
        self.get("/cloud/api/v1.0/games")
        first = self.last_request("/cloud/api/v1.0/games")
        self.get("/nothing")
        self.get("/cloud/api/v1.0/games")
        later = self.control("GET", "requests?since=%d" % first["id"])["requests"]
        self.assertEqual([r["path"] for r in later], ["/nothing", "/cloud/api/v1.0/games"])
        self.assertEqual(len(self.control("GET", "requests?path=/nothing")["requests"]), 1)

    def test_uptoken_helper_gives_a_token_the_storage_accepts(self):
        token = self.control("GET", "uptoken")["token"]
        answer = self.request("POST", "/mkblk/3", ["Authorization: UpToken " + token], b"abc")
        self.assertEqual(answer.status, 200, answer.body)


if __name__ == "__main__":
    unittest.main()
