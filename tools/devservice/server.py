"""The server object: state, routing and a clean start and stop."""
import os
import sys
import threading
from http.server import ThreadingHTTPServer

from . import api, cloudpage, collector, control, downloads, offer
from .config import Config
from .handler import Handler
from .storage import Storage
from .store import open_store


class Routes:
    def __init__(self, server):
        self.server = server

    def dispatch(self, h):
        path = h.path.partition("?")[0]
        if path.startswith("/__test__/"):
            return control.handle(h, path)
        if path in api.PATHS:
            return api.handle(h, path)
        if path == "/print":
            return collector.handle(h)
        if path.startswith(("/mkblk/", "/bput/", "/mkfile/")):
            return self.server.storage.handle(h, path)
        if path.startswith("/cdn/"):
            return self.server.storage.serve_object(h, path)
        if path.startswith("/download/"):
            return downloads.handle(h, path)
        if path in ("/cloud.html", "/"):
            return cloudpage.serve_page(h)
        if path in cloudpage.STATIC_PAGES:
            return cloudpage.serve_static(h, path)
        if path == "/cloud/api/v1.0/clips":
            return cloudpage.serve_clips(h)
        h.begin_record("unknown")
        h.send_envelope(404, "no such path: %s" % path, status=404)


class DevServiceServer(ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True

    def __init__(self, data_dir, host="127.0.0.1", port=0, out=None, log=None):
        self.data_dir = os.path.abspath(data_dir)
        self.store = open_store(self.data_dir)
        self.config = Config(self.store)
        self.out = out or sys.stdout
        self.log = log or sys.stderr
        self._out_lock = threading.Lock()
        self.stopping = threading.Event()
        super().__init__((host, port), Handler)
        self.base_url = "http://%s:%d" % (host, self.server_address[1])
        self.storage = Storage(self)
        self.routes = Routes(self)
        downloads.downloads_dir(self)

    def say(self, line):
        """A line on the console (codes are read there by people running the service by hand)."""
        with self._out_lock:
            try:
                self.out.write(line + "\n")
                self.out.flush()
            except (OSError, ValueError):
                pass

    def reset(self, keep_downloads=True):
        self.store.clear()
        self.config.upload_generation += 1
        control.wipe_folder(self.storage.blocks_dir)
        self.storage.forget_blocks()
        control.wipe_folder(self.storage.objects_dir)
        if not keep_downloads:
            control.wipe_folder(downloads.downloads_dir(self))
        else:
            # A build offered at start-up stays offered (its file is among the downloads).
            offer.apply_offer(self)

    def stop(self):
        self.stopping.set()
        self.shutdown()
        self.server_close()
        self.store.close()


def start_in_thread(data_dir, port=0, out=None, log=None):
    """Start a server on a background thread of this process (for tests); returns it."""
    server = DevServiceServer(data_dir, port=port, out=out, log=log)
    thread = threading.Thread(target=server.serve_forever, kwargs={"poll_interval": 0.1}, daemon=True)
    thread.start()
    server.thread = thread
    return server
