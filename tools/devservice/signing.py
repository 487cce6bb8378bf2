"""Request signatures as the program computes them.

Both values are SHA-1 digests over a parameter text: the keys and values of a
request's pairs concatenated in the request's signing order, with no separators
and no encoding. Everything works on bytes, because the digest covers exactly
the bytes that travelled.
"""
import hashlib

APP_ID = b"zentiq"
SALT = b"qzrw@hvp"


def _b(value):
    return value if isinstance(value, bytes) else str(value).encode("utf-8")


def param_text(pairs):
    """pairs: sequence of (key, value) in signing order."""
    return b"".join(_b(k) + _b(v) for k, v in pairs)


def tsign(pairs):
    return hashlib.sha1(APP_ID + param_text(pairs) + SALT).hexdigest()


def sign(secret, pairs):
    # An empty secret leaves the digest over the parameter text alone.
    return hashlib.sha1(_b(secret) + param_text(pairs)).hexdigest()
