"""Installer downloads: byte ranges and the switches of a misbehaving download server."""
import os
import socket
import time
import unittest

from support import ServiceTestCase, build_request

DATA = bytes(range(256)) * 40  # 10240 bytes


class DownloadCase(ServiceTestCase):
    def setUp(self):
        super().setUp()
        answer = self.request("PUT", "/__test__/download/install.exe", [], DATA)
        self.assertEqual(answer.status, 200, answer.body)
        self.assertEqual(answer.json()["url"], self.base + "/download/install.exe")

    def fetch(self, range_header=None, method="GET"):
        return self.request(method, "/download/install.exe", ["Range: " + range_header] if range_header else [])


class TestRanges(DownloadCase):
    def test_range_answers(self):
        size = len(DATA)
        cases = [
            (None, 200, DATA, None),
            ("bytes=0-9", 206, DATA[:10], "bytes 0-9/%d" % size),
            ("bytes=4096-", 206, DATA[4096:], "bytes 4096-%d/%d" % (size - 1, size)),
            ("bytes=-100", 206, DATA[-100:], "bytes %d-%d/%d" % (size - 100, size - 1, size)),
            ("bytes=10000-99999", 206, DATA[10000:], "bytes 10000-%d/%d" % (size - 1, size)),
            ("bytes=%d-" % (size - 1), 206, DATA[-1:], "bytes %d-%d/%d" % (size - 1, size - 1, size)),
            ("bytes=0-1,5-6", 200, DATA, None),     # several ranges: the whole file
            ("bytes=9-2", 200, DATA, None),         # malformed: ignored
            ("items=0-1", 200, DATA, None),
        ]
        for header, status, body, content_range in cases:
            with self.subTest(range=header):
                answer = self.fetch(header)
                self.assertEqual(answer.status, status)
                self.assertTrue(answer.body == body)
                self.assertEqual(answer.header("content-range"), content_range)
                self.assertEqual(int(answer.header("content-length")), len(body))
                self.assertEqual(answer.header("accept-ranges"), "bytes")

    def test_range_beyond_the_end_is_unsatisfiable(self):
        for header in ("bytes=%d-" % len(DATA), "bytes=-0"):
            with self.subTest(range=header):
                answer = self.fetch(header)
                self.assertEqual(answer.status, 416)
                self.assertEqual(answer.header("content-range"), "bytes */%d" % len(DATA))

    def test_head_gives_the_length_only(self):
        with socket.create_connection(("127.0.0.1", self.port), timeout=5) as sock:
            sock.sendall(build_request("HEAD", "/download/install.exe"))
            head = sock.recv(65536).decode("latin-1")
        self.assertTrue(head.startswith("HTTP/1.1 200"))
        self.assertIn("Content-Length: %d" % len(DATA), head)
        self.assertTrue(head.endswith("\r\n\r\n"))

    def test_names_outside_the_download_folder(self):
        secret = os.path.join(self.data_dir, "devservice.sqlite3")
        self.assertTrue(os.path.exists(secret))
        for name in ("..%2Fdevservice.sqlite3", "../devservice.sqlite3", "%2E%2E", ".hidden", "nothing.exe",
                     "a%5C..%5Cb", ""):
            with self.subTest(name=name):
                self.assertEqual(self.get("/download/" + name).status, 404)
        self.assertEqual(self.request("PUT", "/__test__/download/..%2Fx", [], b"x").status, 400)
        self.assertFalse(os.path.exists(os.path.join(self.data_dir, "x")))


class TestDownloadFaults(DownloadCase):
    def configure(self, **download):
        self.control("POST", "config", {"download": download})

    def test_no_range_answers_200_with_everything(self):
        self.configure(no_range=True)
        answer = self.fetch("bytes=100-")
        self.assertEqual((answer.status, len(answer.body)), (200, len(DATA)))
        self.assertIsNone(answer.header("accept-ranges"))

    def test_no_length_ends_the_body_with_the_connection(self):
        self.configure(no_length=True)
        answer = self.fetch()
        self.assertEqual(answer.status, 200)
        self.assertIsNone(answer.header("content-length"))
        self.assertEqual(answer.header("connection"), "close")
        self.assertTrue(answer.body == DATA)

    def test_stall_sends_part_then_holds_the_connection(self):
        self.configure(stall=True, stall_after=1000, stall_seconds=0.5)
        with socket.create_connection(("127.0.0.1", self.port), timeout=5) as sock:
            sock.sendall(build_request("GET", "/download/install.exe"))
            began = time.monotonic()
            received = b""
            while True:
                piece = sock.recv(65536)
                if not piece:
                    break
                received += piece
            held = time.monotonic() - began
        head, _, body = received.partition(b"\r\n\r\n")
        self.assertIn(b"Content-Length: %d" % len(DATA), head)
        self.assertTrue(body == DATA[:1000])
        self.assertGreaterEqual(held, 0.4)

    def test_rate_spreads_the_body_over_time(self):
        self.configure(rate=20000)
        began = time.monotonic()
        answer = self.fetch()
        self.assertTrue(answer.body == DATA)
        self.assertGreaterEqual(time.monotonic() - began, 0.4)  # 10240 bytes at 20000 B/s

    def test_status_switch(self):
        self.configure(status=503)
        self.assertEqual(self.fetch().status, 503)
        self.configure(status=None)
        self.assertEqual(self.fetch().status, 200)


if __name__ == "__main__":
    unittest.main()
