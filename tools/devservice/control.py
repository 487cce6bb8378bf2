"""The control API for tests, under /__test__/. Not part of the real service; its own requests
are not recorded."""
import base64
import json
import os
import shutil
import time
import urllib.parse

from . import api, jsontext, uptoken
from .config import ConfigError
from .downloads import downloads_dir, safe_name

UPLOAD_CAP = 256 * 1024 * 1024


def _record_view(row):
    body = row["body"]
    view = {
        "id": row["id"], "time": row["time"], "method": row["method"], "path": row["path"],
        "query": row["query"], "headers": json.loads(row["headers"]), "raw_headers": json.loads(row["raw_headers"]),
        "body_length": row["body_length"], "body_sha1": row["body_sha1"], "status": row["status"],
        "code": row["code"], "route": row["route"], "problems": json.loads(row["problems"]), "peer": row["peer"],
        "body": None,
    }
    if body is not None:
        body = bytes(body)
        view["body"] = body.decode("utf-8", "replace")
        try:
            body.decode("utf-8")
        except UnicodeDecodeError:
            view["body_base64"] = base64.b64encode(body).decode("ascii")
    return view


def handle(h, path):
    name = path[len("/__test__/"):]
    query = {k: v[0] for k, v in urllib.parse.parse_qs(h.path.partition("?")[2], keep_blank_values=True).items()}
    store = h.server.store
    method = h.command

    def answer(obj, status=200):
        h.send_json(status, obj)

    def read_json():
        body = h.read_body()
        try:
            return jsontext.loads(body.decode("utf-8")) if body.strip() else {}
        except (UnicodeDecodeError, ValueError) as exc:
            raise ConfigError("body is not JSON: %s" % exc) from None

    try:
        if name == "health" and method == "GET":
            return answer({"ok": True, "base_url": h.server.base_url})
        if name == "requests" and method == "GET":
            sql, args = "SELECT * FROM requests WHERE id > ?", [int(query.get("since", "0") or 0)]
            if "path" in query:
                sql += " AND path = ?"
                args.append(query["path"])
            if "route" in query:
                sql += " AND route = ?"
                args.append(query["route"])
            return answer({"requests": [_record_view(r) for r in store.query(sql + " ORDER BY id", args)]})
        if name == "sms" and method == "GET":
            row = store.query_one("SELECT * FROM codes WHERE phone = ? ORDER BY id DESC LIMIT 1",
                                  (query.get("phone", ""),))
            if row is None:
                return answer({"error": "no code was issued for this phone"}, 404)
            return answer({"phone": row["phone"], "code": row["code"], "postId": row["post_id"],
                           "used": bool(row["used"]), "created": row["created"]})
        if name in ("events", "clips", "devices", "users", "sessions") and method == "GET":
            return answer({name: store.query("SELECT * FROM %s ORDER BY rowid" % name)})
        if name == "objects" and method == "GET":
            return answer({"objects": store.query("SELECT key, size, hash, mime_type, created FROM objects ORDER BY key")})
        if name == "config" and method == "GET":
            return answer(h.server.config.current())
        if name == "config" and method == "POST":
            return answer(h.server.config.update(read_json()))
        if name == "reset" and method == "POST":
            options = read_json()
            h.server.reset(keep_downloads=not options.get("downloads", False))
            return answer({"ok": True})
        if name == "login" and method == "POST":
            phone = str(read_json().get("phone", "13800138000"))
            if not (len(phone) == 11 and phone.isdigit() and phone.startswith("1")):
                raise ConfigError("phone must be 11 digits beginning with 1")
            return answer(api.login_answer(h.server, phone))
        if name == "code" and method == "POST":
            phone = str(read_json().get("phone", ""))
            code, post_id = api.issue_code(h.server, phone)
            return answer({"phone": phone, "code": code, "postId": post_id})
        if name.startswith("download/") and method in ("PUT", "POST"):
            file_name = safe_name(urllib.parse.unquote(name[len("download/"):]))
            if file_name is None:
                raise ConfigError("not a plain file name")
            body = h.read_body(UPLOAD_CAP)
            target = os.path.join(downloads_dir(h.server), file_name)
            with open(target + ".part", "wb") as f:
                f.write(body)
            os.replace(target + ".part", target)
            return answer({"name": file_name, "size": len(body),
                           "url": h.server.base_url + "/download/" + urllib.parse.quote(file_name)})
        if name == "uptoken" and method == "GET":
            deadline = int(query.get("deadline") or int(time.time()) + 3600)
            policy = {"scope": query.get("scope", uptoken.BUCKET), "deadline": deadline}
            return answer({"token": uptoken.make_token(policy), "policy": policy})
    except (ConfigError, ValueError) as exc:
        return answer({"error": str(exc)}, 400)
    answer({"error": "no control operation %s %s" % (method, path)}, 404)


def wipe_folder(path):
    if os.path.isdir(path):
        shutil.rmtree(path)
    os.makedirs(path, exist_ok=True)
