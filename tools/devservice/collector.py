"""The event collector: GET /print with the program's fixed query, tsign checked."""
import re
import time

from . import signing
from .api import answer_override

EVENT_NAMES = ("start", "startRec", "reRec", "uploadRec", "login")
FIXED = [("os", "3"), ("deviceName", "windows"), ("channel", ""), ("searchWord", ""), ("searchType", ""),
         ("videoId", ""), ("stime", "")]
KEYS = [k for k, _ in FIXED] + ["userId", "userToken", "version", "deviceId", "type", "dtime", "tsign"]
VERSION_RE = re.compile(r"^V\d+\.\d+\.\d+\.\d+$")
ADDRESS_RE = re.compile(r"^(?:[0-9A-F]{2})*$")
DTIME_RE = re.compile(r"^-?\d{1,10}$")


def handle(h):
    h.begin_record("event")
    if h.command != "GET":
        h.send_envelope(405, "use GET for /print", status=405)
        return
    query = h.path.partition("?")[2]
    # The program does not percent-encode: split on "&" and the first "=" only.
    pairs = [part.partition("=") for part in query.split("&")] if query else []
    keys = [k for k, _, _ in pairs]
    values = {k: v for k, _, v in pairs}
    if keys != KEYS:
        h.problem(400, "query keys %s, expected %s in this order" % (",".join(keys) or "(none)", ",".join(KEYS)))
    else:
        for key, want in FIXED:
            if values[key] != want:
                h.problem(400, "%s must be %r" % (key, want))
        if not VERSION_RE.match(values["version"]):
            h.problem(400, "version %r is not V<a>.<b>.<c>.<d>" % values["version"])
        if not ADDRESS_RE.match(values["deviceId"]):
            h.problem(400, "deviceId must be the adapter address in upper-case hex")
        if values["type"] not in EVENT_NAMES:
            h.problem(400, "unknown event type %r" % values["type"])
        if not DTIME_RE.match(values["dtime"]) or not -2**31 <= int(values["dtime"]) < 2**31:
            h.problem(400, "dtime must be a 32-bit decimal time stamp")
        expected = signing.tsign([("userToken", values["userToken"]), ("dtime", values["dtime"])])
        if values["tsign"] != expected:
            h.problem(401, "tsign mismatch")
    if answer_override(h, "/print"):
        return
    if h.record["problems"]:
        return h.refuse()
    session = h.server.store.query_one("SELECT user_id FROM sessions WHERE token = ?", (values["userToken"],))
    known = session is not None and session["user_id"] == values["userId"]
    h.server.store.execute(
        "INSERT INTO events (time, type, user_id, user_token, version, device_id, dtime, known_user, query)"
        " VALUES (?,?,?,?,?,?,?,?,?)",
        (time.time(), values["type"], values["userId"], values["userToken"], values["version"],
         values["deviceId"], int(values["dtime"]), int(known), query))
    h.send_envelope(200, "ok", None)
