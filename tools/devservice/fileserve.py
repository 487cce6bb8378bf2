"""Sending a file with byte ranges, plus the faults a flaky download server shows."""
import os
import time

UNSATISFIABLE = "unsatisfiable"
CHUNK = 64 * 1024


def parse_range(header, size):
    """A single "bytes=" range as (first, last) inclusive; None when there is no usable range
    (absent, another unit, several ranges, malformed: the whole body is sent);
    UNSATISFIABLE when it starts at or beyond the end."""
    if header is None:
        return None
    text = header.strip()
    if not text.lower().startswith("bytes="):
        return None
    wanted = text[6:].strip()
    if "," in wanted:
        return None
    first, dash, last = (p.strip() for p in wanted.partition("-"))
    if not dash:
        return None
    if first == "":
        if not last.isdigit():
            return None
        count = int(last)
        if count == 0 or size == 0:
            return UNSATISFIABLE
        return (max(0, size - count), size - 1)
    if not first.isdigit() or (last and not last.isdigit()):
        return None
    start = int(first)
    if last and int(last) < start:
        return None
    if start >= size:
        return UNSATISFIABLE
    end = int(last) if last else size - 1
    return (start, min(end, size - 1))


def send_file(h, path, content_type, faults=None):
    """Answer h with the file at path, honouring Range, under the download fault switches."""
    faults = faults or {}
    size = os.path.getsize(path)
    if faults.get("status"):
        h.send_bytes(faults["status"], b"download refused by fault switch\n", "text/plain")
        return
    rng = None if faults.get("no_range") else parse_range(h.headers.get("Range"), size)
    if rng == UNSATISFIABLE:
        h.send_bytes(416, b"", "text/plain", headers=[("Content-Range", "bytes */%d" % size)])
        return
    start, end = rng if rng else (0, size - 1)
    length = max(0, end - start + 1)
    status = 206 if rng else 200

    h.begin_answer(status)
    h.send_header("Content-Type", content_type)
    if not faults.get("no_range"):
        h.send_header("Accept-Ranges", "bytes")
    if rng:
        h.send_header("Content-Range", "bytes %d-%d/%d" % (start, end, size))
    if faults.get("no_length"):
        # Without a length the end of the body is the end of the connection.
        h.close_connection = True
    else:
        h.send_header("Content-Length", str(length))
    if h.close_connection:
        h.send_header("Connection", "close")
    h.end_headers()
    if h.command == "HEAD":
        return

    stall_at = None
    if faults.get("stall"):
        stall_at = faults.get("stall_after")
        stall_at = length // 2 if stall_at is None else min(stall_at, length)
    rate = faults.get("rate") or 0
    sent = 0
    began = time.monotonic()
    with open(path, "rb") as f:
        f.seek(start)
        while sent < length:
            want = min(CHUNK, length - sent)
            if stall_at is not None:
                if sent >= stall_at:
                    _stall(h, faults.get("stall_seconds", 30))
                    return
                want = min(want, stall_at - sent)
            if rate:
                want = min(want, max(1, rate // 10))
            data = f.read(want)
            if not data:
                break
            h.wfile.write(data)
            sent += len(data)
            if rate:
                ahead = sent / rate - (time.monotonic() - began)
                if ahead > 0:
                    time.sleep(ahead)
    if stall_at is not None and sent >= stall_at:
        _stall(h, faults.get("stall_seconds", 30))


def _stall(h, seconds):
    """Hold the connection silent, then close it: the client sees a body that never completes."""
    h.wfile.flush()
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline and not h.server.stopping.is_set():
        time.sleep(0.05)
    h.close_connection = True
