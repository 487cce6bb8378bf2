"""The build the service offers as an update (--offer-build PATH --offer-version V): the installer is
served as /download/install.exe and the update check answers with its version, from start-up on and
again after a reset."""
import os
import re
import shutil

from .downloads import downloads_dir

VERSION_TEXT = re.compile(r"^V\d+\.\d+\.\d+\.\d+$")


class OfferError(ValueError):
    pass


def offer_build(server, path, version):
    """Copy the installer at path into the downloads and make the update check name version. Raises
    OfferError (and changes nothing) for a missing file or a version that is not a version text."""
    if not VERSION_TEXT.match(version or ""):
        raise OfferError("the offered version must look like V1.0.0.2, not %r" % version)
    if not os.path.isfile(path):
        raise OfferError("no installer at %s" % path)
    shutil.copyfile(path, os.path.join(downloads_dir(server), "install.exe"))
    server.offer = {"versionCode": version, "url": None}
    apply_offer(server)


def apply_offer(server):
    offer = getattr(server, "offer", None)
    if offer:
        server.config.update({"latest": dict(offer)})
