"""Checks of the signed form POSTs: body pairs, the fixed headers and both signatures.

Bodies are not percent-encoded by the program, so they are split on "&" and the
first "=" only, and the signed bytes are the bytes that arrived.
"""
import re

from . import signing

UA_RE = re.compile(r"^Windows\+(?:[0-9A-F]{2})*$")
HEX40_RE = re.compile(r"^[0-9a-f]{40}$")
FORM_HEADERS = ("userToken", "platform", "sign", "tsign", "User-Agent", "deviceId")


def split_pairs(body, keys):
    """Split a body b"k1=v1&k2=v2" whose keys must be exactly `keys` in order.
    Returns (dict of key -> value bytes, error text or None)."""
    parts = body.split(b"&") if body else []
    pairs = []
    for part in parts:
        key, eq, value = part.partition(b"=")
        if not eq:
            return None, "body part %r has no '='" % part.decode("utf-8", "replace")
        pairs.append((key.decode("utf-8", "replace"), value))
    got = [k for k, _ in pairs]
    if got != list(keys):
        return None, "body keys %s, expected %s in this order" % (",".join(got) or "(none)", ",".join(keys))
    return dict(pairs), None


def check_headers(h, *, sign_pairs, want_sign, token_policy):
    """Verify the form headers and signatures of handler h; problems go to h's record.

    token_policy: "forbidden" (the login requests empty the token first), "optional" or "required".
    Returns the session row of the userToken (or None).
    """
    values = {}
    for name in FORM_HEADERS:
        raw = h.raw_header(name)
        if isinstance(raw, list):
            h.problem(400, "header %s sent %d times" % (name, len(raw)))
            raw = raw[0]
        if raw is not None and raw[:1] in (" ", "\t"):
            h.problem(400, "header %s has a blank after the colon" % name)
        values[name] = raw.strip() if raw is not None else None

    if values["platform"] != "2":
        h.problem(400, "header platform must be 'platform:2', got %r" % values["platform"])
    if values["deviceId"] != "windows":
        h.problem(400, "header deviceId must be 'deviceId:windows', got %r" % values["deviceId"])
    if values["User-Agent"] is None or not UA_RE.match(values["User-Agent"]):
        h.problem(400, "header User-Agent must be 'Windows+' and the adapter address, got %r" % values["User-Agent"])

    session = None
    token = values["userToken"]
    if token == "":
        token = None
    if token_policy == "forbidden" and token is not None:
        h.problem(400, "userToken must not be sent with this request")
    elif token is not None:
        session = h.server.store.query_one("SELECT * FROM sessions WHERE token = ?", (token,))
        if session is None:
            h.problem(401, "unknown userToken")
    elif token_policy == "required":
        h.problem(401, "userToken missing: log in first")

    expected_tsign = signing.tsign(sign_pairs)
    if values["tsign"] is None:
        h.problem(401, "tsign missing")
    elif values["tsign"] != expected_tsign:
        h.problem(401, "tsign mismatch")

    if want_sign:
        if values["sign"] is None:
            h.problem(401, "sign missing")
        elif session is not None or token is None:
            secret = session["secret"] if session else ""
            if values["sign"] != signing.sign(secret, sign_pairs):
                h.problem(401, "sign mismatch")
    elif values["sign"] is not None:
        h.problem(400, "sign must not be sent with this request")
    return session
