"""The service's state in one SQLite file below the data folder.

One connection shared by all handler threads, serialised by a lock: the load is
a handful of requests per second and this keeps every change atomic.
"""
import json
import os
import sqlite3
import threading

SCHEMA = """
CREATE TABLE IF NOT EXISTS requests (
    id INTEGER PRIMARY KEY AUTOINCREMENT, time REAL, method TEXT, path TEXT, query TEXT,
    headers TEXT, raw_headers TEXT, body BLOB, body_length INTEGER, body_sha1 TEXT,
    status INTEGER, code INTEGER, route TEXT, problems TEXT, peer TEXT);
CREATE TABLE IF NOT EXISTS codes (
    id INTEGER PRIMARY KEY AUTOINCREMENT, phone TEXT, code TEXT, post_id TEXT UNIQUE,
    created REAL, used INTEGER DEFAULT 0);
CREATE TABLE IF NOT EXISTS users (
    user_id TEXT PRIMARY KEY, phone TEXT UNIQUE, nick_name TEXT, created REAL);
CREATE TABLE IF NOT EXISTS sessions (
    token TEXT PRIMARY KEY, user_id TEXT, secret TEXT, created REAL);
CREATE TABLE IF NOT EXISTS clips (
    id INTEGER PRIMARY KEY AUTOINCREMENT, user_id TEXT, title TEXT, url TEXT, duration TEXT,
    format TEXT, size INTEGER, key TEXT, record TEXT, created REAL);
CREATE TABLE IF NOT EXISTS events (
    id INTEGER PRIMARY KEY AUTOINCREMENT, time REAL, type TEXT, user_id TEXT, user_token TEXT,
    version TEXT, device_id TEXT, dtime INTEGER, known_user INTEGER, query TEXT);
CREATE TABLE IF NOT EXISTS devices (
    id INTEGER PRIMARY KEY AUTOINCREMENT, time REAL, cpu TEXT, gpu TEXT, mem_count INTEGER,
    os TEXT, body TEXT);
CREATE TABLE IF NOT EXISTS blocks (
    block_id TEXT PRIMARY KEY, ctx TEXT UNIQUE, size INTEGER, offset INTEGER, created REAL);
CREATE TABLE IF NOT EXISTS objects (
    key TEXT PRIMARY KEY, file TEXT, size INTEGER, hash TEXT, mime_type TEXT, created REAL);
CREATE TABLE IF NOT EXISTS settings (name TEXT PRIMARY KEY, value TEXT);
"""

RESETTABLE = ("requests", "codes", "users", "sessions", "clips", "events", "devices", "blocks",
              "objects", "settings")


class Store:
    def __init__(self, path):
        self.path = path
        self._lock = threading.RLock()
        self._db = sqlite3.connect(path, check_same_thread=False, isolation_level=None)
        self._db.row_factory = sqlite3.Row
        # Every request is recorded, so commits must be cheap: the write-ahead log without a flush to
        # disk at each commit (a clean stop or restart keeps everything; a power cut may lose the last
        # requests, which a development service can afford).
        self._db.execute("PRAGMA journal_mode=WAL")
        self._db.execute("PRAGMA synchronous=NORMAL")
        self._db.executescript(SCHEMA)
        try:  # a data folder from before requests recorded their connection
            self._db.execute("ALTER TABLE requests ADD COLUMN peer TEXT")
        except sqlite3.OperationalError:
            pass

    def close(self):
        with self._lock:
            self._db.close()

    def execute(self, sql, args=()):
        """Run one statement; returns lastrowid."""
        with self._lock:
            return self._db.execute(sql, args).lastrowid

    def query(self, sql, args=()):
        with self._lock:
            return [dict(r) for r in self._db.execute(sql, args).fetchall()]

    def query_one(self, sql, args=()):
        rows = self.query(sql, args)
        return rows[0] if rows else None

    def transaction(self):
        """`with store.transaction() as db:` runs several statements atomically."""
        return _Transaction(self)

    def clear(self):
        with self.transaction() as db:
            for table in RESETTABLE:
                db.execute("DELETE FROM %s" % table)
            db.execute("DELETE FROM sqlite_sequence")

    def get_setting(self, name, default=None):
        row = self.query_one("SELECT value FROM settings WHERE name = ?", (name,))
        return json.loads(row["value"]) if row else default

    def set_setting(self, name, value):
        self.execute("INSERT OR REPLACE INTO settings (name, value) VALUES (?, ?)",
                     (name, json.dumps(value, ensure_ascii=False)))


class _Transaction:
    def __init__(self, store):
        self.store = store

    def __enter__(self):
        self.store._lock.acquire()
        self.store._db.execute("BEGIN IMMEDIATE")
        return self.store._db

    def __exit__(self, exc_type, exc, tb):
        try:
            self.store._db.execute("ROLLBACK" if exc_type else "COMMIT")
        finally:
            self.store._lock.release()
        return False


def open_store(data_dir):
    os.makedirs(data_dir, exist_ok=True)
    return Store(os.path.join(data_dir, "devservice.sqlite3"))
