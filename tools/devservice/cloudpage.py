"""The user's cloud space: /cloud.html and the clip list it asks for.

The page carries the session in its fragment (#/all?id=…&t=…&s=…), which never reaches a
server, so its script passes the three values to /cloud/api/v1.0/clips; they must name one
session of the service (user id, its login token and that token's secret).
"""
import os
import urllib.parse

WEB = os.path.join(os.path.dirname(os.path.abspath(__file__)), "web")
PAGE = os.path.join(WEB, "cloud.html")
# The other pages the main window links to: the usage guide and the chat-group join page.
STATIC_PAGES = {"/guide.html": ("guide_page", "guide.html"), "/group.html": ("group_page", "group.html")}


def serve_static(h, path):
    route, name = STATIC_PAGES[path]
    h.begin_record(route)
    if h.command not in ("GET", "HEAD"):
        h.send_envelope(405, "use GET", status=405)
        return
    with open(os.path.join(WEB, name), "rb") as f:
        h.send_bytes(200, f.read(), "text/html; charset=utf-8")


def serve_page(h):
    h.begin_record("cloud_page")
    if h.command not in ("GET", "HEAD"):
        h.send_envelope(405, "use GET", status=405)
        return
    with open(PAGE, "rb") as f:
        h.send_bytes(200, f.read(), "text/html; charset=utf-8", headers=[("Cache-Control", "no-store")])


def session_user(store, user_id, token, secret):
    """The user row when the three values name one session, else None."""
    if not (user_id and token and secret):
        return None
    session = store.query_one("SELECT * FROM sessions WHERE token = ?", (token,))
    if session is None or session["user_id"] != user_id or session["secret"] != secret:
        return None
    return store.query_one("SELECT * FROM users WHERE user_id = ?", (user_id,))


def serve_clips(h):
    h.begin_record("cloud_clips")
    if h.command != "GET":
        h.send_envelope(405, "use GET", status=405)
        return
    query = urllib.parse.parse_qs(h.path.partition("?")[2])
    value = lambda name: (query.get(name) or [""])[0]
    store = h.server.store
    user = session_user(store, value("id"), value("t"), value("s"))
    if user is None:
        h.send_envelope(401, "the page address does not carry a valid session (id, t, s)")
        return
    clips = []
    for clip in store.query("SELECT * FROM clips WHERE user_id = ? ORDER BY id DESC", (user["user_id"],)):
        stored = store.query_one("SELECT key FROM objects WHERE key = ?", (clip["key"],))
        clips.append({
            "id": clip["id"], "title": clip["title"], "duration": clip["duration"], "size": clip["size"],
            "format": clip["format"], "url": clip["url"], "key": clip["key"], "stored": stored is not None,
            # Play what this service holds; the registered address may name a CDN out of reach.
            "play_url": "/cdn/" + urllib.parse.quote(clip["key"]) if stored else clip["url"],
        })
    h.send_envelope(200, "ok", {"userId": user["user_id"], "nickName": user["nick_name"], "clips": clips})
