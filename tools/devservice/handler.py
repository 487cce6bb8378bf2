"""The request handler: raw header capture, bounded body reading, answers, and the request log.

Every request outside /__test__/ is written to the request log before its answer
leaves, so a test that reads the log right after its call always finds it.
"""
import hashlib
import json
import socket
import sys
import time
from http.server import BaseHTTPRequestHandler

API_BODY_CAP = 1024 * 1024
# A refused body up to this size is read and thrown away, so the client gets to read the
# answer (closing on unread data would reset the connection under it); beyond it, we close.
DISCARD_LIMIT = 64 * 1024 * 1024
STORED_BODY_CAP = 64 * 1024


class _LineRecorder:
    """Stands in for rfile while the header block is parsed, keeping each raw line."""

    def __init__(self, rfile):
        self._rfile = rfile
        self.lines = []

    def readline(self, limit=-1):
        line = self._rfile.readline(limit)
        self.lines.append(line)
        return line

    def __getattr__(self, name):
        return getattr(self._rfile, name)


class BodyError(Exception):
    def __init__(self, status, message):
        super().__init__(message)
        self.status = status
        self.message = message


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def setup(self):
        super().setup()
        # An answer goes out as a head and a body in two writes; on a kept-alive connection Nagle's rule
        # would hold the body back until the client acknowledged the head (a delayed ACK: tens of ms
        # per request), which only a connection closed after each answer escapes.
        try:
            self.connection.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        except OSError:
            pass
    server_version = "VorlixDevService/1.0"

    # --- request parsing -------------------------------------------------

    def parse_request(self):
        real = self.rfile
        recorder = _LineRecorder(real)
        self.rfile = recorder
        try:
            return super().parse_request()
        finally:
            self.rfile = real
            self.raw_header_lines = [
                l.decode("latin-1").rstrip("\r\n") for l in recorder.lines if l not in (b"\r\n", b"\n", b"")]

    def raw_header(self, name):
        """The header's value exactly as it arrived (text after the first colon), None when absent.
        A header sent more than once gives a list."""
        found = []
        for line in self.raw_header_lines:
            key, colon, value = line.partition(":")
            if colon and key.strip().lower() == name.lower():
                found.append(value)
        if not found:
            return None
        return found[0] if len(found) == 1 else found

    def read_body(self, cap=API_BODY_CAP):
        """The whole request body, refusing what cannot be read safely."""
        if "chunked" in (self.headers.get("Transfer-Encoding") or "").lower():
            self.close_connection = True
            raise BodyError(411, "chunked bodies are not accepted; send Content-Length")
        length_text = self.headers.get("Content-Length")
        if length_text is None:
            return b""
        if not length_text.strip().isdigit():
            self.close_connection = True
            raise BodyError(400, "bad Content-Length")
        length = int(length_text)
        if length > cap:
            self.discard_body()
            raise BodyError(413, "body of %d bytes is over the limit of %d bytes" % (length, cap))
        body = self.rfile.read(length)
        self.body_consumed = True
        if len(body) != length:
            self.close_connection = True
            raise BodyError(400, "body ended after %d of %d bytes" % (len(body), length))
        return body

    # --- the request log -------------------------------------------------

    def begin_record(self, route=None):
        self.record = {"route": route, "problems": [], "body": b"", "store_body": True, "written": False}

    def note_body(self, body, store=True):
        self.record["body"] = body
        self.record["store_body"] = store

    def problem(self, code, message):
        self.record["problems"].append({"code": code, "msg": message})

    def write_record(self, status, code=None):
        rec = getattr(self, "record", None)
        if rec is None or rec["written"]:
            return
        rec["written"] = True
        body = rec["body"] or b""
        path, _, query = self.path.partition("?")
        stored = body[:STORED_BODY_CAP] if rec["store_body"] else None
        try:
            self.server.store.execute(
                "INSERT INTO requests (time, method, path, query, headers, raw_headers, body, body_length,"
                " body_sha1, status, code, route, problems, peer) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                (time.time(), self.command, path, query,
                 json.dumps([[k, v] for k, v in self.headers.items()]),
                 json.dumps(self.raw_header_lines), stored, len(body), hashlib.sha1(body).hexdigest(),
                 status, code, rec["route"], json.dumps(rec["problems"], ensure_ascii=False),
                 "%s:%s" % self.client_address[:2]))
        except Exception as exc:  # the log must never break an answer
            self.log_message("could not record request: %s", exc)

    # --- answers ---------------------------------------------------------

    def discard_body(self):
        """Read and drop a body nobody wants. A body left unread would be taken for the next
        request on this connection; when it cannot be skipped the connection is closed."""
        if self.body_consumed:
            return
        self.body_consumed = True
        length_text = (self.headers.get("Content-Length") or "0").strip()
        if "chunked" in (self.headers.get("Transfer-Encoding") or "").lower() or not length_text.isdigit() \
                or int(length_text) > DISCARD_LIMIT:
            self.close_connection = True
            return
        left = int(length_text)
        while left > 0:
            piece = self.rfile.read(min(left, 65536))
            if not piece:
                self.close_connection = True
                return
            left -= len(piece)

    def begin_answer(self, status, code=None):
        """Record the request and send the status line."""
        self.discard_body()
        self.write_record(status, code)
        self.send_response(status)

    def send_bytes(self, status, body, content_type="application/json; charset=utf-8", headers=(), code=None):
        self.begin_answer(status, code)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        for name, value in headers:
            self.send_header(name, value)
        if self.close_connection:
            self.send_header("Connection", "close")
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def send_json(self, status, obj, headers=(), code=None):
        body = json.dumps(obj, ensure_ascii=False).encode("utf-8")
        self.send_bytes(status, body, headers=headers, code=code)

    def send_envelope(self, code, msg, data=None, status=200):
        self.send_json(status, {"code": code, "msg": msg, "data": data}, code=code)

    def refuse(self):
        """Answer the first recorded problem as a refusal envelope (all problems in msg)."""
        problems = self.record["problems"]
        self.send_envelope(problems[0]["code"], "; ".join(p["msg"] for p in problems))

    def drop_connection(self):
        """Close the socket without an answer, as a broken network would."""
        self.write_record(0, None)
        self.close_connection = True
        try:
            self.connection.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass

    # --- dispatch --------------------------------------------------------

    def do_GET(self):
        self._dispatch()

    def do_POST(self):
        self._dispatch()

    def do_PUT(self):
        self._dispatch()

    def do_HEAD(self):
        self._dispatch()

    def do_DELETE(self):
        self._dispatch()

    def _dispatch(self):
        self.record = None
        self.body_consumed = False
        try:
            self.server.routes.dispatch(self)
        except BodyError as exc:
            self.send_envelope(exc.status, exc.message, status=exc.status)
        except (BrokenPipeError, ConnectionResetError, ConnectionAbortedError):
            self.close_connection = True
        except Exception as exc:  # a fault of ours: answer 500, keep serving
            self.log_message("internal error on %s %s: %r", self.command, self.path, exc)
            import traceback
            traceback.print_exc(file=self.server.log)
            self.close_connection = True
            try:
                self.send_envelope(500, "internal error: %r" % exc, status=500)
            except OSError:
                pass

    def log_message(self, format, *args):
        try:
            self.server.log.write("[devservice] %s %s\n" % (self.address_string(), format % args))
            self.server.log.flush()
        except (OSError, ValueError):
            pass
