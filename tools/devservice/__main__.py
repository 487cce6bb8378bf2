"""python3 tools/devservice --port 0 --data DIR

Prints the base URL on the first line of standard output, then serves until SIGTERM or SIGINT.
--offer-build PATH --offer-version V offers that installer as the update (see README).
"""
import argparse
import os
import signal
import sys
import threading

if __package__ in (None, ""):
    # Run as a folder: make the package importable by its name.
    sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    __package__ = "devservice"

from devservice.offer import OfferError, offer_build  # noqa: E402
from devservice.server import DevServiceServer  # noqa: E402


def main(argv=None):
    parser = argparse.ArgumentParser(prog="devservice", description="Vorlix development service")
    parser.add_argument("--port", type=int, default=0, help="port to listen on; 0 picks a free one")
    parser.add_argument("--host", default="127.0.0.1", help="address to listen on (default loopback)")
    parser.add_argument("--data", required=True, help="folder for the database, objects and downloads")
    parser.add_argument("--offer-build", metavar="PATH",
                        help="an installer to offer as the update, served as /download/install.exe")
    parser.add_argument("--offer-version", metavar="V",
                        help="the version text the update check answers for it, e.g. V1.0.0.2")
    args = parser.parse_args(argv)
    if bool(args.offer_build) != bool(args.offer_version):
        parser.error("--offer-build and --offer-version go together")

    try:
        server = DevServiceServer(args.data, host=args.host, port=args.port)
    except OSError as exc:
        sys.stderr.write("devservice: cannot listen on %s:%d: %s\n" % (args.host, args.port, exc))
        return 2
    if args.offer_build:
        try:
            offer_build(server, args.offer_build, args.offer_version)
        except (OfferError, OSError) as exc:
            sys.stderr.write("devservice: %s\n" % exc)
            server.server_close()
            server.store.close()
            return 2
    with open(os.path.join(server.data_dir, "service.url"), "w") as f:
        f.write(server.base_url + "\n")
    print(server.base_url, flush=True)

    done = threading.Event()
    for sig in (signal.SIGTERM, signal.SIGINT):
        signal.signal(sig, lambda *_: done.set())
    thread = threading.Thread(target=server.serve_forever, kwargs={"poll_interval": 0.2}, daemon=True)
    thread.start()
    while not done.wait(0.5):
        if not thread.is_alive():
            break
    server.stop()
    sys.stderr.write("devservice: stopped\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
