"""Run-time configuration: the answers the service gives and the fault switches.

Kept in the settings table so that it survives a restart on the same data folder.
Tests change it with POST /__test__/config; sections are merged, lists replaced.
"""
import copy
import threading

DEFAULTS = {
    # Answer of the update check. A null url means <base>/download/install.exe. A null sha256 means the
    # SHA-256 of the served downloads/install.exe when the url is that default and the file exists; ""
    # leaves the member out; any other text is sent as it is.
    "latest": {"versionCode": "V1.8.0.1", "modifyDesc": "修复了若干问题。", "url": None, "sha256": None},
    "games": [
        {"window_title": "League of Legends (TM) Client", "game_name": "英雄联盟",
         "window_class": "RiotWindowClass", "exe_name": "League of Legends.exe"},
        {"window_title": "Vorlix Stand-in Game", "game_name": "Stand-in Game",
         "window_class": "VorlixStandInGame", "exe_name": "standin.exe"},
    ],
    "upload": {
        "fail_block": None,      # index (0-based) of the mkblk call, counted since this section was set
        "fail_count": 1,         # how many mkblk calls from fail_block on fail (a client may retry one)
        "fail_mode": "status",   # "status": answer fail_status; "drop": close the connection mid-body
        "fail_status": 500,
        "delay": 0.0,            # seconds to wait before answering every upload request
    },
    "download": {
        "no_range": False,       # answer 200 with the whole file even when a Range was asked
        "no_length": False,      # send no Content-Length (the body ends when the connection closes)
        "stall": False,          # stop sending after stall_after bytes and hold the connection
        "stall_after": None,     # bytes sent before stalling; null means half of the body
        "stall_seconds": 30.0,
        "rate": 0,               # bytes per second; 0 means as fast as possible
        "status": None,          # answer this HTTP status instead of the file
    },
    "sms": {"fixed_code": None},  # a 6-digit text to issue instead of a random code
    # Per-path answer overrides for API requests: {"/path": {"status": 500, "body": "text", "delay": 0}}
    "overrides": {},
}

_TYPES = {
    ("latest", "versionCode"): (str,), ("latest", "modifyDesc"): (str,), ("latest", "url"): (str, type(None)),
    ("latest", "sha256"): (str, type(None)),
    ("upload", "fail_block"): (int, type(None)), ("upload", "fail_count"): (int,), ("upload", "fail_mode"): (str,),
    ("upload", "fail_status"): (int,), ("upload", "delay"): (int, float),
    ("download", "no_range"): (bool,), ("download", "no_length"): (bool,), ("download", "stall"): (bool,),
    ("download", "stall_after"): (int, type(None)), ("download", "stall_seconds"): (int, float),
    ("download", "rate"): (int,), ("download", "status"): (int, type(None)),
    ("sms", "fixed_code"): (str, type(None)),
}


class ConfigError(ValueError):
    pass


def _check_value(section, name, value):
    types = _TYPES.get((section, name))
    if types is None:
        raise ConfigError("unknown setting %s.%s" % (section, name))
    if isinstance(value, bool) and bool not in types:
        raise ConfigError("%s.%s must be %s" % (section, name, "/".join(t.__name__ for t in types)))
    if not isinstance(value, types):
        raise ConfigError("%s.%s must be %s" % (section, name, "/".join(t.__name__ for t in types)))
    if (section, name) == ("upload", "fail_mode") and value not in ("status", "drop"):
        raise ConfigError("upload.fail_mode must be 'status' or 'drop'")
    if (section, name) == ("sms", "fixed_code") and value is not None and not (len(value) == 6 and value.isdigit()):
        raise ConfigError("sms.fixed_code must be 6 digits")
    if isinstance(value, (int, float)) and not isinstance(value, bool) and value < 0:
        raise ConfigError("%s.%s must not be negative" % (section, name))


def _check_games(games):
    if not isinstance(games, list):
        raise ConfigError("games must be a list")
    for game in games:
        if not isinstance(game, dict) or not all(isinstance(v, str) for v in game.values()):
            raise ConfigError("each game must be an object of strings")


def _check_overrides(overrides):
    if not isinstance(overrides, dict):
        raise ConfigError("overrides must be an object keyed by path")
    for path, answer in overrides.items():
        if not path.startswith("/") or not isinstance(answer, dict):
            raise ConfigError("overrides maps a path beginning with '/' to an object")
        for name, value in answer.items():
            ok = {"status": int, "body": str, "delay": (int, float)}.get(name)
            if ok is None or isinstance(value, bool) or not isinstance(value, ok):
                raise ConfigError("override %s: bad member %r" % (path, name))
        if "status" in answer and not 100 <= answer["status"] <= 599:
            raise ConfigError("override %s: status must be 100..599" % path)


class Config:
    def __init__(self, store):
        self._store = store
        self._lock = threading.Lock()
        self.upload_generation = 0  # bumps whenever the upload switches change

    def current(self):
        cfg = copy.deepcopy(DEFAULTS)
        saved = self._store.get_setting("config", {})
        for section, value in saved.items():
            if isinstance(cfg.get(section), dict) and section != "overrides":
                cfg[section].update(value)
            else:
                cfg[section] = value
        return cfg

    def update(self, changes):
        """Validate and merge; raises ConfigError and changes nothing when anything is wrong."""
        if not isinstance(changes, dict):
            raise ConfigError("config must be a JSON object")
        with self._lock:
            saved = self._store.get_setting("config", {})
            for section, value in changes.items():
                if section not in DEFAULTS:
                    raise ConfigError("unknown section %r" % section)
                if section == "games":
                    _check_games(value)
                    saved["games"] = value
                elif section == "overrides":
                    _check_overrides(value)
                    saved["overrides"] = value
                else:
                    if not isinstance(value, dict):
                        raise ConfigError("%s must be an object" % section)
                    for name, item in value.items():
                        _check_value(section, name, item)
                    merged = dict(saved.get(section, {}))
                    merged.update(value)
                    saved[section] = merged
            self._store.set_setting("config", saved)
            if "upload" in changes:
                self.upload_generation += 1
        return self.current()
