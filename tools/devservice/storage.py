"""The cloud storage: block uploads (mkblk, bput, mkfile) under an upload token, and the stored
objects served back at /cdn/<key>.

Blocks are at most 4 MiB; a block is created with its first chunk, grown chunk by chunk with
the context the previous answer returned, and a file is made from the last context of each
block, comma-joined. Object keys never become paths: an object is stored under the SHA-1 of
its key.
"""
import base64
import hashlib
import os
import secrets
import threading
import time
import urllib.parse
import zlib

from . import uptoken
from .fileserve import send_file

BLOCK_SIZE = 4 * 1024 * 1024
MKFILE_BODY_CAP = 1024 * 1024
MAX_KEY_BYTES = 750
CTX_LIFETIME = 7 * 24 * 3600


class UploadError(Exception):
    def __init__(self, status, message):
        super().__init__(message)
        self.status = status
        self.message = message


class Storage:
    def __init__(self, server):
        self.server = server
        self.blocks_dir = os.path.join(server.data_dir, "blocks")
        self.objects_dir = os.path.join(server.data_dir, "objects")
        os.makedirs(self.blocks_dir, exist_ok=True)
        os.makedirs(self.objects_dir, exist_ok=True)
        self._lock = threading.Lock()
        # The SHA-1 of each block so far, grown by every chunk: the answer's checksum never needs the
        # block read back. A block this process did not start (a restart) is read once.
        self._block_sha1 = {}
        self._mkblk_count = 0
        self._generation = None

    # --- routing ---------------------------------------------------------

    def handle(self, h, path):
        route = path.split("/")[1]
        h.begin_record(route)
        try:
            if h.command != "POST":
                raise UploadError(405, "use POST for %s" % route)
            self._delay()
            if route == "mkblk":
                answer = self._mkblk(h, path)
            elif route == "bput":
                answer = self._bput(h, path)
            else:
                answer = self._mkfile(h, path)
        except UploadError as exc:
            h.problem(exc.status, exc.message)
            h.send_json(exc.status, {"error": exc.message}, code=exc.status)
            return
        if answer is not None:
            h.send_json(200, answer, code=200)

    def _delay(self):
        delay = self.server.config.current()["upload"]["delay"]
        if delay:
            time.sleep(delay)

    def _authorize(self, h):
        auth = h.headers.get("Authorization") or ""
        scheme, _, token = auth.partition(" ")
        if scheme != "UpToken" or not token.strip():
            raise UploadError(401, "Authorization must be 'UpToken <token>'")
        try:
            return uptoken.verify_token(token.strip())
        except uptoken.TokenError as exc:
            raise UploadError(401, str(exc)) from None

    def _read(self, h, cap):
        try:
            body = h.read_body(cap)
        except Exception as exc:
            raise UploadError(getattr(exc, "status", 400), getattr(exc, "message", str(exc))) from None
        h.note_body(body, store=False)
        return body

    @staticmethod
    def _int(text, what):
        if not text.isdigit():
            raise UploadError(400, "%s must be a decimal number" % what)
        return int(text)

    # --- blocks ----------------------------------------------------------

    def _mkblk(self, h, path):
        parts = path.split("/")
        if len(parts) != 3:
            raise UploadError(404, "use /mkblk/<blockSize>")
        size = self._int(parts[2], "blockSize")
        if not 0 < size <= BLOCK_SIZE:
            raise UploadError(400, "blockSize must be 1..%d" % BLOCK_SIZE)
        self._authorize(h)
        index = self._next_block_index()
        faults = self.server.config.current()["upload"]
        first = faults["fail_block"]
        if first is not None and first <= index < first + faults.get("fail_count", 1):
            if faults["fail_mode"] == "drop":
                self._drop_mid_body(h)
                return None
            raise UploadError(faults["fail_status"], "block %d refused by fault switch" % index)
        chunk = self._read(h, BLOCK_SIZE)
        if not chunk:
            raise UploadError(400, "mkblk needs the first chunk as its body")
        if len(chunk) > size:
            raise UploadError(400, "chunk of %d bytes does not fit a block of %d" % (len(chunk), size))
        block_id = secrets.token_hex(16)
        with open(os.path.join(self.blocks_dir, block_id), "wb") as f:
            f.write(chunk)
        ctx = secrets.token_urlsafe(24)
        self.server.store.execute("INSERT INTO blocks (block_id, ctx, size, offset, created) VALUES (?,?,?,?,?)",
                                  (block_id, ctx, size, len(chunk), time.time()))
        with self._lock:
            self._block_sha1[block_id] = hashlib.sha1(chunk)
        return self._block_answer(h, block_id, ctx, len(chunk), chunk)

    def _bput(self, h, path):
        parts = path.split("/")
        if len(parts) != 4:
            raise UploadError(404, "use /bput/<ctx>/<nextChunkOffset>")
        ctx, offset = parts[2], self._int(parts[3], "nextChunkOffset")
        self._authorize(h)
        chunk = self._read(h, BLOCK_SIZE)
        with self.server.store.transaction() as db:
            row = db.execute("SELECT * FROM blocks WHERE ctx = ?", (ctx,)).fetchone()
            if row is None:
                raise UploadError(701, "unknown or outdated ctx")
            if offset != row["offset"]:
                raise UploadError(701, "offset %d does not follow this ctx (expected %d)" % (offset, row["offset"]))
            if not chunk:
                raise UploadError(400, "bput needs a chunk as its body")
            if offset + len(chunk) > row["size"]:
                raise UploadError(400, "chunk runs past the end of the block")
            with open(os.path.join(self.blocks_dir, row["block_id"]), "ab") as f:
                f.write(chunk)
            self._grow_block_sha1(row["block_id"], offset, chunk)
            new_ctx = secrets.token_urlsafe(24)
            db.execute("UPDATE blocks SET ctx = ?, offset = ? WHERE block_id = ?",
                       (new_ctx, offset + len(chunk), row["block_id"]))
        return self._block_answer(h, row["block_id"], new_ctx, offset + len(chunk), chunk)

    def forget_blocks(self):
        with self._lock:
            self._block_sha1.clear()

    def _grow_block_sha1(self, block_id, offset, chunk):
        with self._lock:
            digest = self._block_sha1.get(block_id)
        if digest is None:
            with open(os.path.join(self.blocks_dir, block_id), "rb") as f:
                digest = hashlib.sha1(f.read(offset))
        digest.update(chunk)
        with self._lock:
            self._block_sha1[block_id] = digest

    def _block_answer(self, h, block_id, ctx, offset, chunk):
        with self._lock:
            block_sha1 = self._block_sha1[block_id].copy().digest()
        return {"ctx": ctx, "checksum": uptoken.b64encode(block_sha1), "crc32": zlib.crc32(chunk),
                "offset": offset, "host": h.server.base_url, "expired_at": int(time.time()) + CTX_LIFETIME}

    def _next_block_index(self):
        with self._lock:
            if self._generation != self.server.config.upload_generation:
                self._generation = self.server.config.upload_generation
                self._mkblk_count = 0
            index = self._mkblk_count
            self._mkblk_count += 1
            return index

    def _drop_mid_body(self, h):
        length = h.headers.get("Content-Length") or "0"
        half = int(length) // 2 if length.isdigit() else 0
        if half:
            h.rfile.read(min(half, BLOCK_SIZE))
        h.problem(0, "connection dropped mid-body by fault switch")
        h.drop_connection()

    # --- files -----------------------------------------------------------

    def _mkfile(self, h, path):
        parts = path.split("/")
        if len(parts) < 3 or len(parts) % 2 == 0:
            raise UploadError(404, "use /mkfile/<fileSize>[/key/<encodedKey>][/<name>/<value>...]")
        fsize = self._int(parts[2], "fileSize")
        params = dict(zip(parts[3::2], parts[4::2]))
        key = None
        if "key" in params:
            try:
                key = uptoken.b64decode(params["key"]).decode("utf-8")
            except (ValueError, UnicodeDecodeError):
                raise UploadError(400, "key is not urlsafe base64 of UTF-8 text") from None
            if not key or len(key.encode("utf-8")) > MAX_KEY_BYTES or "\x00" in key:
                raise UploadError(400, "key must be 1..%d bytes without NUL" % MAX_KEY_BYTES)
        mime_type = "application/octet-stream"
        if "mimeType" in params:
            try:
                mime_type = uptoken.b64decode(params["mimeType"]).decode("utf-8")
            except (ValueError, UnicodeDecodeError):
                raise UploadError(400, "mimeType is not urlsafe base64") from None
        policy = self._authorize(h)
        pinned = uptoken.scope_key(policy)
        if pinned is not None and key != pinned:
            raise UploadError(403, "token allows only the key %r" % pinned)
        body = self._read(h, MKFILE_BODY_CAP)
        try:
            ctxs = [c.strip() for c in body.decode("ascii").split(",")] if body.strip() else []
        except UnicodeDecodeError:
            raise UploadError(400, "mkfile body must be the comma-joined contexts") from None

        with self.server.store.transaction() as db:
            blocks = []
            for i, ctx in enumerate(ctxs):
                row = db.execute("SELECT * FROM blocks WHERE ctx = ?", (ctx,)).fetchone()
                if row is None:
                    raise UploadError(701, "context %d is unknown or not the last of its block" % i)
                if row["offset"] != row["size"]:
                    raise UploadError(701, "block %d is incomplete (%d of %d bytes)" % (i, row["offset"], row["size"]))
                if i < len(ctxs) - 1 and row["size"] != BLOCK_SIZE:
                    raise UploadError(400, "block %d is %d bytes; only the last block may be short" % (i, row["size"]))
                blocks.append(dict(row))
            if sum(b["size"] for b in blocks) != fsize:
                raise UploadError(400, "blocks hold %d bytes, fileSize says %d" % (sum(b["size"] for b in blocks), fsize))

            tmp = os.path.join(self.objects_dir, "tmp-" + secrets.token_hex(8))
            block_digests = []
            whole = hashlib.sha1()
            with open(tmp, "wb") as out:
                for b in blocks:
                    with open(os.path.join(self.blocks_dir, b["block_id"]), "rb") as f:
                        data = f.read()
                    block_digests.append(hashlib.sha1(data).digest())
                    whole.update(data)
                    out.write(data)
            etag = content_hash(block_digests, fsize)
            key = etag if key is None else key
            existing = db.execute("SELECT * FROM objects WHERE key = ?", (key,)).fetchone()
            if existing is not None and existing["hash"] != etag and pinned is None:
                os.remove(tmp)
                raise UploadError(614, "file exists")
            name = object_file_name(key)
            os.replace(tmp, os.path.join(self.objects_dir, name))
            db.execute("INSERT OR REPLACE INTO objects (key, file, size, hash, mime_type, created)"
                       " VALUES (?,?,?,?,?,?)", (key, name, fsize, etag, mime_type, time.time()))
            for b in blocks:
                db.execute("DELETE FROM blocks WHERE block_id = ?", (b["block_id"],))
        for b in blocks:
            with self._lock:
                self._block_sha1.pop(b["block_id"], None)
            try:
                os.remove(os.path.join(self.blocks_dir, b["block_id"]))
            except OSError:
                pass
        return {"hash": etag, "key": key}

    # --- objects ---------------------------------------------------------

    def serve_object(self, h, path):
        h.begin_record("cdn")
        if h.command not in ("GET", "HEAD"):
            h.send_json(405, {"error": "use GET"})
            return
        key = urllib.parse.unquote(path[len("/cdn/"):])
        row = h.server.store.query_one("SELECT * FROM objects WHERE key = ?", (key,))
        if row is None:
            h.send_json(404, {"error": "no such object"}, code=404)
            return
        content_type = "video/mp4" if key.lower().endswith(".mp4") else row["mime_type"]
        send_file(h, os.path.join(self.objects_dir, row["file"]), content_type)


def object_file_name(key):
    return hashlib.sha1(key.encode("utf-8")).hexdigest()


def content_hash(block_digests, size):
    """The storage's content hash: for one block 0x16 + SHA-1 of the data; for more blocks
    0x96 + SHA-1 of the joined block digests; urlsafe base64."""
    if len(block_digests) <= 1:
        digest = block_digests[0] if block_digests else hashlib.sha1(b"").digest()
        return base64.urlsafe_b64encode(b"\x16" + digest).decode("ascii")
    return base64.urlsafe_b64encode(b"\x96" + hashlib.sha1(b"".join(block_digests)).digest()).decode("ascii")
