"""The service API of the program: update check, login by text-message code, game list,
clip registration and the device report. Answers use the envelope {"code", "msg", "data"}."""
import hashlib
import json
import os
import re
import secrets
import sys
import time

from . import forms, jsontext
from .downloads import downloads_dir

VERSION_RE = re.compile(r"^V\d+\.\d+\.\d+\.\d+$")
PHONE_RE = re.compile(rb"^1\d{10}$")
DIGITS_RE = re.compile(r"^\d+$")
CODE_LIFETIME = 600  # seconds a text-message code stays valid

PATHS = {
    "/apkVersion/api/v1.0/find": ("POST", "update_check"),
    "/api/v1.0/send/code": ("POST", "send_code"),
    "/api/v1.0/login/verification": ("POST", "login"),
    "/cloud/api/v1.0/games": ("GET", "games"),
    "/cloud/api/v1.0": ("POST", "register_clip"),
    "/system/info/v1.0/log": ("POST", "device_report"),
}


def handle(h, path):
    method, name = PATHS[path]
    h.begin_record(name)
    if h.command != method:
        h.send_envelope(405, "use %s for %s" % (method, path), status=405)
        return
    body = h.read_body()
    h.note_body(body)
    globals()["_" + name](h, body, path)


def answer_override(h, path):
    """A configured answer that replaces the normal one (after the checks were recorded)."""
    answer = h.server.config.current()["overrides"].get(path)
    if answer is None:
        return False
    if answer.get("delay"):
        time.sleep(answer["delay"])
    status = answer.get("status", 200)
    text = answer.get("body", "")
    code = None
    try:
        code = jsontext.loads(text).get("code") if text else None
    except (ValueError, AttributeError):
        pass
    h.send_bytes(status, text.encode("utf-8"), content_type="text/plain; charset=utf-8",
                 code=code if isinstance(code, int) else None)
    return True


def _text(value):
    try:
        return value.decode("utf-8")
    except UnicodeDecodeError:
        return None


def _update_check(h, body, path):
    pairs, error = forms.split_pairs(body, ("versionCode", "type"))
    if error:
        h.problem(400, error)
        pairs = {"versionCode": b"", "type": b""}
    # The body sends versionCode first; the signature takes type first.
    forms.check_headers(h, sign_pairs=[("type", pairs["type"]), ("versionCode", pairs["versionCode"])],
                        want_sign=True, token_policy="optional")
    version = _text(pairs["versionCode"]) or ""
    if not error and pairs["type"] != b"3":
        h.problem(400, "type must be 3")
    if not error and not VERSION_RE.match(version):
        h.problem(400, "versionCode %r is not V<a>.<b>.<c>.<d>" % version)
    if answer_override(h, path):
        return
    if h.record["problems"]:
        return h.refuse()
    latest = dict(h.server.config.current()["latest"])
    digest = latest.get("sha256")
    if not latest.get("url"):
        latest["url"] = h.server.base_url + "/download/install.exe"
        if digest is None:
            digest = _file_sha256(os.path.join(downloads_dir(h.server), "install.exe"))
    data = {"versionCode": latest["versionCode"], "modifyDesc": latest["modifyDesc"], "url": latest["url"]}
    if digest:
        data["sha256"] = digest
    h.send_envelope(200, "ok", data)


def _file_sha256(path):
    """Lowercase hex SHA-256 of the file, or None when there is none."""
    try:
        with open(path, "rb") as f:
            digest = hashlib.sha256()
            for piece in iter(lambda: f.read(1 << 20), b""):
                digest.update(piece)
            return digest.hexdigest()
    except OSError:
        return None


def _send_code(h, body, path):
    pairs, error = forms.split_pairs(body, ("mobile", "type", "isTest"))
    if error:
        h.problem(400, error)
        pairs = {"mobile": b"", "type": b"", "isTest": b""}
    forms.check_headers(h, sign_pairs=[("mobile", pairs["mobile"]), ("type", pairs["type"]),
                                       ("isTest", pairs["isTest"])],
                        want_sign=False, token_policy="forbidden")
    if not error:
        if not PHONE_RE.match(pairs["mobile"]):
            h.problem(400, "mobile must be 11 digits beginning with 1")
        if not pairs["type"].isdigit():
            h.problem(400, "type must be a number")
        if pairs["isTest"] not in (b"0", b"1"):
            h.problem(400, "isTest must be 0 or 1")
    if answer_override(h, path):
        return
    if h.record["problems"]:
        return h.refuse()
    phone = pairs["mobile"].decode("ascii")
    code, post_id = issue_code(h.server, phone)
    h.send_envelope(200, "ok", post_id)


def issue_code(server, phone):
    code = server.config.current()["sms"]["fixed_code"] or "%06d" % secrets.randbelow(1000000)
    post_id = secrets.token_hex(12)
    server.store.execute("INSERT INTO codes (phone, code, post_id, created) VALUES (?,?,?,?)",
                         (phone, code, post_id, time.time()))
    server.say("SMS code for %s: %s (postId %s)" % (phone, code, post_id))
    return code, post_id


def _login(h, body, path):
    pairs, error = forms.split_pairs(body, ("mobile", "code", "type", "postId"))
    if error:
        h.problem(400, error)
        pairs = {"mobile": b"", "code": b"", "type": b"", "postId": b""}
    forms.check_headers(h, sign_pairs=[("mobile", pairs["mobile"]), ("code", pairs["code"]),
                                       ("type", pairs["type"]), ("postId", pairs["postId"])],
                        want_sign=False, token_policy="forbidden")
    if not error and pairs["type"] != b"1":
        h.problem(400, "type must be 1")
    if answer_override(h, path):
        return
    if h.record["problems"]:
        return h.refuse()
    phone, code, post_id = (_text(pairs[k]) or "" for k in ("mobile", "code", "postId"))
    row = h.server.store.query_one("SELECT * FROM codes WHERE post_id = ?", (post_id,))
    if not post_id or row is None:
        h.problem(401, "unknown postId: request a code first")
    elif row["phone"] != phone:
        h.problem(401, "postId belongs to another phone number")
    elif row["used"]:
        h.problem(401, "code already used")
    elif time.time() - row["created"] > CODE_LIFETIME:
        h.problem(401, "code expired")
    elif row["code"] != code:
        h.problem(401, "wrong verification code")
    if h.record["problems"]:
        return h.refuse()
    h.server.store.execute("UPDATE codes SET used = 1 WHERE id = ?", (row["id"],))
    h.send_envelope(200, "ok", login_answer(h.server, phone))


def login_answer(server, phone):
    """Create (or find) the user of a phone number and open a new session for it."""
    store = server.store
    with store.transaction() as db:
        user = db.execute("SELECT * FROM users WHERE phone = ?", (phone,)).fetchone()
        if user is None:
            count = db.execute("SELECT COUNT(*) FROM users").fetchone()[0]
            user_id = str(100001 + count)
            nick = "玩家" + phone[-4:]
            db.execute("INSERT INTO users (user_id, phone, nick_name, created) VALUES (?,?,?,?)",
                       (user_id, phone, nick, time.time()))
        else:
            user_id, nick = user["user_id"], user["nick_name"]
        token, secret = secrets.token_hex(16), secrets.token_hex(16)
        db.execute("INSERT INTO sessions (token, user_id, secret, created) VALUES (?,?,?,?)",
                   (token, user_id, secret, time.time()))
    member = json.dumps({"nickName": nick, "userId": user_id, "mobile": phone}, ensure_ascii=False)
    return {"loginToken": token, "signSecret": secret, "userId": user_id, "member": member}


def _games(h, body, path):
    if answer_override(h, path):
        return
    h.send_envelope(200, "ok", h.server.config.current()["games"])


def _register_clip(h, body, path):
    if not body.startswith(b"json="):
        h.problem(400, "body must be 'json=' followed by the clip record")
    text = body[5:] if body.startswith(b"json=") else b""
    session = forms.check_headers(h, sign_pairs=[("json", text)], want_sign=True, token_policy="required")
    record = None
    if body.startswith(b"json="):
        try:
            record = jsontext.loads(text.decode("utf-8"))
        except (UnicodeDecodeError, ValueError) as exc:
            h.problem(400, "clip record is not JSON: %s" % exc)
        else:
            for problem in clip_record_problems(record):
                h.problem(400, problem)
    if answer_override(h, path):
        return
    if h.record["problems"]:
        return h.refuse()
    key = record["url"].rsplit("/", 1)[-1]
    clip_id = h.server.store.execute(
        "INSERT INTO clips (user_id, title, url, duration, format, size, key, record, created)"
        " VALUES (?,?,?,?,?,?,?,?,?)",
        (session["user_id"], record["title"], record["url"], record["duration"], record["format"],
         record["size"], key, text.decode("utf-8"), time.time()))
    h.send_envelope(200, "ok", {"id": clip_id})


def clip_record_problems(record):
    if not isinstance(record, dict):
        return ["clip record must be a JSON object"]
    problems = []
    for name in ("title", "duration"):
        value = record.get(name)
        if not isinstance(value, str) or not DIGITS_RE.match(value):
            problems.append("%s must be a string of digits" % name)
    if not isinstance(record.get("url"), str) or "/" not in record.get("url", "") \
            or record["url"].endswith("/"):
        problems.append("url must be the CDN base followed by the clip file name")
    if record.get("format") != "mp4":
        problems.append("format must be \"mp4\"")
    size = record.get("size")
    if isinstance(size, bool) or not isinstance(size, int) or size < 0:
        problems.append("size must be a non-negative integer")
    return problems


DEVICE_KEYS = ["cpu", "gpu", "mem_count", "os"]


def _device_report(h, body, path):
    content_type = (h.headers.get("Content-Type") or "").split(";")[0].strip().lower()
    if content_type != "application/json":
        h.problem(400, "Content-Type must be application/json")
    # The texts come in the system's narrow code page, which need not be UTF-8.
    for encoding in ("utf-8", "gb18030", "latin-1"):
        try:
            text = body.decode(encoding)
            break
        except UnicodeDecodeError:
            continue
    pairs = None
    try:
        pairs = jsontext.loads(text, object_pairs_hook=list)
    except ValueError as exc:
        h.problem(400, "device report is not JSON: %s" % exc)
    if pairs is not None:
        if not isinstance(pairs, list) or (pairs and not isinstance(pairs[0], tuple)):
            h.problem(400, "device report must be a JSON object")
            pairs = None
    if pairs is not None:
        keys = [k for k, _ in pairs]
        if keys != DEVICE_KEYS:
            h.problem(400, "device report keys %s, expected %s" % (",".join(keys), ",".join(DEVICE_KEYS)))
        values = dict(pairs)
        for name in ("cpu", "gpu", "os"):
            if name in values and not isinstance(values[name], str):
                h.problem(400, "%s must be a string" % name)
        mem = values.get("mem_count")
        if "mem_count" in values and (isinstance(mem, bool) or not isinstance(mem, int)):
            h.problem(400, "mem_count must be an integer")
    if answer_override(h, path):
        return
    if h.record["problems"]:
        return h.refuse()
    h.server.store.execute("INSERT INTO devices (time, cpu, gpu, mem_count, os, body) VALUES (?,?,?,?,?,?)",
                           (time.time(), values["cpu"], values["gpu"], values["mem_count"], values["os"], text))
    h.send_envelope(200, "ok", None)
