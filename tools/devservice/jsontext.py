"""JSON from clients, read without ever failing on its shape: a document nested deeper than MAX_DEPTH
raises ValueError like any other malformed text (json.loads alone would raise RecursionError, and
anything that walks such a value later would too)."""
import json

MAX_DEPTH = 64


def _depth(text):
    depth = deepest = 0
    in_string = escaped = False
    for c in text:
        if in_string:
            if escaped:
                escaped = False
            elif c == "\\":
                escaped = True
            elif c == '"':
                in_string = False
        elif c == '"':
            in_string = True
        elif c in "[{":
            depth += 1
            deepest = max(deepest, depth)
        elif c in "]}":
            depth -= 1
    return deepest


def loads(text, **kwargs):
    if isinstance(text, (bytes, bytearray)):
        text = text.decode("utf-8")
    if _depth(text) > MAX_DEPTH:
        raise ValueError("nested deeper than %d levels" % MAX_DEPTH)
    try:
        return json.loads(text, **kwargs)
    except RecursionError:
        raise ValueError("nested too deeply") from None
