"""Installer downloads: GET /download/<name> serves <data>/downloads/<name> with Range support
and the download fault switches."""
import os
import urllib.parse

from .fileserve import send_file

CONTENT_TYPES = {".exe": "application/vnd.microsoft.portable-executable", ".zip": "application/zip",
                 ".mp4": "video/mp4", ".txt": "text/plain; charset=utf-8"}


def safe_name(name):
    """A plain file name, or None: no folders, no parent steps, nothing hidden or odd."""
    if not name or name in (".", "..") or name.startswith("."):
        return None
    if any(c in name for c in "/\\\x00:") or len(name.encode("utf-8")) > 200:
        return None
    return name


def downloads_dir(server):
    path = os.path.join(server.data_dir, "downloads")
    os.makedirs(path, exist_ok=True)
    return path


def handle(h, path):
    h.begin_record("download")
    if h.command not in ("GET", "HEAD"):
        h.send_envelope(405, "use GET for downloads", status=405)
        return
    name = safe_name(urllib.parse.unquote(path[len("/download/"):]))
    target = os.path.join(downloads_dir(h.server), name) if name else None
    if target is None or not os.path.isfile(target):
        h.send_envelope(404, "no such download", status=404)
        return
    content_type = CONTENT_TYPES.get(os.path.splitext(name)[1].lower(), "application/octet-stream")
    send_file(h, target, content_type, h.server.config.current()["download"])
