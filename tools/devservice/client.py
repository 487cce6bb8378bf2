"""Start the development service as a child process and talk to its control API.

    from devservice.client import start_service
    with start_service("/tmp/run/service") as svc:
        svc.url                      # http://127.0.0.1:PORT
        svc.configure(latest={"versionCode": "V2.0.0.0"})
        svc.requests(path="/apkVersion/api/v1.0/find")
        svc.sms_code("13800138000")

Import it after putting the folder that holds devservice/ (tools/) on sys.path.
"""
import json
import os
import queue
import signal
import subprocess
import sys
import threading
import urllib.error
import urllib.request

PACKAGE_DIR = os.path.dirname(os.path.abspath(__file__))


class ServiceError(RuntimeError):
    pass


class DevService:
    def __init__(self, data_dir, port=0, host="127.0.0.1", extra_args=()):
        self.data_dir = os.path.abspath(data_dir)
        self.extra_args = list(extra_args)
        self.port = port
        self.host = host
        self.url = None
        self.process = None
        self.output = []        # console lines after the URL line (issued codes, ...)
        self.log_path = os.path.join(self.data_dir, "service.log")

    # --- process ---------------------------------------------------------

    def start(self, timeout=15):
        os.makedirs(self.data_dir, exist_ok=True)
        log = open(self.log_path, "ab")
        self.process = subprocess.Popen(
            [sys.executable, PACKAGE_DIR, "--port", str(self.port), "--host", self.host, "--data", self.data_dir]
            + self.extra_args,
            stdout=subprocess.PIPE, stderr=log, stdin=subprocess.DEVNULL)
        log.close()
        lines = queue.Queue()

        def pump():
            # Keeps draining the console so the service never blocks on a full pipe.
            for raw in self.process.stdout:
                lines.put(raw.decode("utf-8", "replace").rstrip("\r\n"))
            lines.put(None)

        threading.Thread(target=pump, daemon=True).start()
        try:
            first = lines.get(timeout=timeout)
        except queue.Empty:
            self.stop()
            raise ServiceError("service printed no URL within %s s (log: %s)" % (timeout, self.log_path))
        if not first or not first.startswith("http://"):
            self.stop()
            raise ServiceError("service did not start (first line %r, log: %s)" % (first, self.log_path))
        self.url = first

        def keep():
            while True:
                line = lines.get()
                if line is None:
                    return
                self.output.append(line)

        threading.Thread(target=keep, daemon=True).start()
        return self

    def stop(self, timeout=10):
        """SIGTERM, wait, then kill; returns the exit code."""
        if self.process is None:
            return None
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(timeout)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        code = self.process.returncode
        self.process.stdout.close()
        self.process = None
        return code

    def __enter__(self):
        return self if self.url else self.start()

    def __exit__(self, *exc):
        self.stop()

    # --- HTTP --------------------------------------------------------------

    def call(self, method, path, body=None, headers=None, timeout=20):
        """One request; returns (status, headers, body bytes) without raising on HTTP errors."""
        if isinstance(body, (dict, list)):
            body = json.dumps(body).encode("utf-8")
            headers = dict(headers or {}, **{"Content-Type": "application/json"})
        req = urllib.request.Request(self.url + path, data=body, method=method, headers=headers or {})
        try:
            with urllib.request.urlopen(req, timeout=timeout) as resp:
                return resp.status, dict(resp.headers), resp.read()
        except urllib.error.HTTPError as err:
            return err.code, dict(err.headers), err.read()

    def control(self, method, path, body=None):
        status, _, data = self.call(method, "/__test__/" + path, body)
        answer = json.loads(data.decode("utf-8")) if data else None
        if status != 200:
            raise ServiceError("%s /__test__/%s: %s %s" % (method, path, status, answer))
        return answer

    # --- control API shortcuts -------------------------------------------

    def configure(self, **sections):
        return self.control("POST", "config", sections)

    def reset(self, downloads=False):
        return self.control("POST", "reset", {"downloads": downloads})

    def requests(self, path=None, route=None, since=0):
        query = "since=%d" % since
        if path:
            query += "&path=" + urllib.request.quote(path)
        if route:
            query += "&route=" + route
        return self.control("GET", "requests?" + query)["requests"]

    def sms_code(self, phone):
        return self.control("GET", "sms?phone=" + phone)

    def login(self, phone="13800138000"):
        """Open a session directly; returns loginToken, signSecret, userId, member."""
        return self.control("POST", "login", {"phone": phone})

    def events(self):
        return self.control("GET", "events")["events"]

    def clips(self):
        return self.control("GET", "clips")["clips"]

    def objects(self):
        return self.control("GET", "objects")["objects"]

    def put_download(self, name, data):
        status, _, answer = self.call("PUT", "/__test__/download/" + urllib.request.quote(name), data)
        if status != 200:
            raise ServiceError("storing %s failed: %s %s" % (name, status, answer))
        return json.loads(answer.decode("utf-8"))["url"]

    def cloud_page_url(self, user_id, token, secret):
        return "%s/cloud.html#/all?id=%s&t=%s&s=%s" % (self.url, user_id, token, secret)


def start_service(data_dir, port=0, timeout=15, offer_build=None, offer_version=None):
    """Start the service on a free port and return the running DevService (use it with `with`).
    offer_build/offer_version: an installer offered as the update (the --offer-build flag)."""
    extra = ["--offer-build", offer_build, "--offer-version", offer_version] if offer_build else []
    return DevService(data_dir, port=port, extra_args=extra).start(timeout)
