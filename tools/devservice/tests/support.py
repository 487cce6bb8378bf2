"""Shared helpers of the service tests: a real server on a loopback port, and requests
written byte for byte the way the program's HTTP client sends them."""
import hashlib
import http.client
import io
import json
import os
import shutil
import socket
import sys
import tempfile
import unittest

TOOLS_DIR = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
if TOOLS_DIR not in sys.path:
    sys.path.insert(0, TOOLS_DIR)

from devservice.server import start_in_thread  # noqa: E402

USER_AGENT = "Windows+00155D0A1B2C"


def sha1_hex(text):
    return hashlib.sha1(text.encode("utf-8") if isinstance(text, str) else text).hexdigest()


class Answer:
    def __init__(self, status, headers, body):
        self.status, self.headers, self.body = status, headers, body

    def json(self):
        return json.loads(self.body.decode("utf-8"))

    def header(self, name):
        return self.headers.get(name.lower())


def raw_request(port, data, timeout=10):
    """Send raw request bytes, read one answer."""
    with socket.create_connection(("127.0.0.1", port), timeout=timeout) as sock:
        sock.sendall(data)
        resp = http.client.HTTPResponse(sock)
        resp.begin()
        body = resp.read()
        return Answer(resp.status, {k.lower(): v for k, v in resp.getheaders()}, body)


def build_request(method, path, header_lines=(), body=b""):
    lines = ["%s %s HTTP/1.1" % (method, path), "Host: 127.0.0.1"] + list(header_lines)
    if body or method == "POST":
        lines.append("Content-Length: %d" % len(body))
    return ("\r\n".join(lines) + "\r\n\r\n").encode("utf-8") + body


def form_headers(token="", sign="", tsign="", user_agent=USER_AGENT):
    """The program's form headers: "Name:value", no blank; an empty value leaves the header out."""
    lines = []
    for name, value in (("userToken", token), ("platform", "2"), ("sign", sign), ("tsign", tsign),
                        ("User-Agent", user_agent), ("deviceId", "windows")):
        if value:
            lines.append("%s:%s" % (name, value))
    return lines + ["Content-Type: application/x-www-form-urlencoded"]


class ServiceTestCase(unittest.TestCase):
    """One server per test class, reset before each test."""

    @classmethod
    def setUpClass(cls):
        cls.data_dir = tempfile.mkdtemp(prefix="devservice-test-")
        cls.console = io.StringIO()
        cls.log = io.StringIO()
        cls.server = start_in_thread(cls.data_dir, out=cls.console, log=cls.log)
        cls.port = cls.server.server_address[1]
        cls.base = cls.server.base_url

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()
        cls.server.thread.join(5)
        shutil.rmtree(cls.data_dir, ignore_errors=True)

    def setUp(self):
        self.server.reset(keep_downloads=False)

    # --- requests ----------------------------------------------------------

    def request(self, method, path, header_lines=(), body=b""):
        if isinstance(body, str):
            body = body.encode("utf-8")
        return raw_request(self.port, build_request(method, path, header_lines, body))

    def form_post(self, path, body, **headers):
        return self.request("POST", path, form_headers(**headers), body)

    def get(self, path, header_lines=()):
        return self.request("GET", path, header_lines)

    def control(self, method, name, obj=None):
        body = json.dumps(obj).encode("utf-8") if obj is not None else b""
        answer = self.request(method, "/__test__/" + name, ["Content-Type: application/json"], body)
        self.assertEqual(answer.status, 200, answer.body)
        return answer.json()

    def last_request(self, path):
        records = self.control("GET", "requests?path=" + path)["requests"]
        self.assertTrue(records, "no request to %s was recorded" % path)
        return records[-1]

    def login(self, phone="13800138000"):
        return self.control("POST", "login", {"phone": phone})

    # --- envelopes -----------------------------------------------------------

    def assertEnvelope(self, answer, code):
        self.assertEqual(answer.status, 200, answer.body)
        envelope = answer.json()
        self.assertEqual(sorted(envelope), ["code", "data", "msg"])
        self.assertEqual(envelope["code"], code, envelope["msg"])
        return envelope
