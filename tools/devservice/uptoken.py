"""Upload tokens of the cloud storage.

A token is AccessKey ":" urlsafe-base64(HMAC-SHA1(SecretKey, encodedPolicy)) ":"
encodedPolicy, where encodedPolicy is the urlsafe-base64 of the policy JSON.
"""
import base64
import hashlib
import hmac
import json
import time

ACCESS_KEY = "Kd3mPq9XwRt7LcZ2vNb8HsYf4JgA6eUoWiQ1xTn-"
SECRET_KEY = "Zp5Qw-Lm2RtY8vCx4NbJ7kHs3GdF9aWe6UiOo1Ty"
BUCKET = "video-cloud"


class TokenError(Exception):
    pass


def b64encode(data):
    return base64.urlsafe_b64encode(data).decode("ascii")


def b64decode(text):
    """Urlsafe base64 with or without padding; raises ValueError when malformed."""
    if isinstance(text, str):
        text = text.encode("ascii")
    text = text.strip()
    if not text or any(c not in b"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_=" for c in text):
        raise ValueError("not urlsafe base64")
    text = text.rstrip(b"=")
    text += b"=" * (-len(text) % 4)
    try:
        return base64.urlsafe_b64decode(text)
    except Exception as exc:  # binascii.Error
        raise ValueError(str(exc)) from None


def make_token(policy, access_key=ACCESS_KEY, secret_key=SECRET_KEY):
    encoded_policy = b64encode(json.dumps(policy, separators=(",", ":")).encode("utf-8"))
    digest = hmac.new(secret_key.encode("ascii"), encoded_policy.encode("ascii"), hashlib.sha1).digest()
    return "%s:%s:%s" % (access_key, b64encode(digest), encoded_policy)


def verify_token(token, now=None):
    """Return the decoded policy of a valid token, or raise TokenError with the reason."""
    now = int(time.time()) if now is None else now
    parts = token.split(":")
    if len(parts) != 3:
        raise TokenError("token must have three parts separated by ':'")
    access_key, encoded_sign, encoded_policy = parts
    if access_key != ACCESS_KEY:
        raise TokenError("unknown access key")
    expected = hmac.new(SECRET_KEY.encode("ascii"), encoded_policy.encode("ascii"), hashlib.sha1).digest()
    try:
        given = b64decode(encoded_sign)
    except ValueError:
        raise TokenError("token signature is not urlsafe base64") from None
    if not hmac.compare_digest(given, expected):
        raise TokenError("bad token signature")
    try:
        policy = json.loads(b64decode(encoded_policy).decode("utf-8"))
    except (ValueError, UnicodeDecodeError):
        raise TokenError("policy is not base64 JSON") from None
    if not isinstance(policy, dict):
        raise TokenError("policy is not a JSON object")
    scope = policy.get("scope")
    if not isinstance(scope, str) or scope.split(":", 1)[0] != BUCKET:
        raise TokenError("policy scope must be %r" % BUCKET)
    deadline = policy.get("deadline")
    if isinstance(deadline, bool) or not isinstance(deadline, int):
        raise TokenError("policy has no integer deadline")
    if deadline < now:
        raise TokenError("token expired")
    return policy


def scope_key(policy):
    """The key a scope "bucket:key" pins, or None for a bucket-wide scope."""
    bucket_and_key = policy["scope"].split(":", 1)
    return bucket_and_key[1] if len(bucket_and_key) == 2 else None
