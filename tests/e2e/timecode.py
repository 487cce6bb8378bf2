"""Reads the stand-in game's timecode out of recorded video, with the Linux ffmpeg.

The stand-in (tools/standin) paints two rows of sixteen black/white cells near the top of its client
area: 24 bits of milliseconds since it started, most significant first (white is 1), then a check byte.
The geometry is given as fractions of the picture, so scaled recordings read the same way; black bars
that an encoder added around the picture are trimmed first.

    from timecode import first_timecode, last_timecode, timecode_at, read_frames
    f = last_timecode("clip.mp4")      # Frame(pts=59.966, ms=123456) of the last readable frame
    read_frames("rec.mp4")             # every frame: [Frame(pts, ms or None), ...]

A frame that does not show the stand-in (a black frame, the desktop, a frame torn mid-repaint) reads as
ms=None, never as a wrong moment."""
import collections
import re
import subprocess

COLUMNS = 16
ROWS = 2
BITS = COLUMNS * ROWS
DATA_BITS = 24
MAX_MS = (1 << DATA_BITS) - 1
# Frames are read at most this wide; the cells are still 18 px wide there.
READ_WIDTH = 640

Frame = collections.namedtuple("Frame", "pts ms")


def check_byte(ms):
    v = ms & MAX_MS
    return (((v >> 16) + (v >> 8) + v + 0x5A) & 0xFF) ^ 0xC3


def encode(ms):
    """The cells for a moment, as the stand-in paints them (True is white)."""
    word = ((ms & MAX_MS) << 8) | check_byte(ms)
    return [bool((word >> (BITS - 1 - i)) & 1) for i in range(BITS)]


def cell_box(index, width, height):
    """The cell's rectangle (left, top, right, bottom) in a picture of this size."""
    column, row = index % COLUMNS, index // COLUMNS
    x = lambda c: width / 32 + width * 30 * c / (32 * COLUMNS)
    y = lambda r: height / 24 + height * r / 8
    return x(column), y(row), x(column + 1), y(row + 1)


def content_box(gray, width, height, floor=12):
    """The picture without the black bars around it: (left, top, right, bottom), or None when all black."""
    def bright_col(x):
        return sum(gray[x::width]) > floor * height

    def bright_row(y):
        return sum(gray[y * width:(y + 1) * width]) > floor * width

    left = next((x for x in range(width) if bright_col(x)), None)
    if left is None:
        return None
    right = next(x for x in range(width - 1, -1, -1) if bright_col(x)) + 1
    top = next((y for y in range(height) if bright_row(y)), None)
    if top is None:
        return None
    bottom = next(y for y in range(height - 1, -1, -1) if bright_row(y)) + 1
    return left, top, right, bottom


def decode_gray(gray, width, height, box=None):
    """The milliseconds shown in one 8-bit grey picture, or None when it shows no readable timecode.

    box: the stand-in's client area inside the picture; found by trimming black bars when not given."""
    if box is None:
        box = content_box(gray, width, height)
        if box is None:
            return None
    left, top, right, bottom = box
    w, h = right - left, bottom - top
    if w < 32 or h < 18:
        return None
    word = 0
    for i in range(BITS):
        l, t, r, b = cell_box(i, w, h)
        # The middle half of the cell: away from the edges that compression smears.
        x0, x1 = int(left + l + (r - l) / 4), int(left + r - (r - l) / 4)
        y0, y1 = int(top + t + (b - t) / 4), int(top + b - (b - t) / 4)
        total = count = 0
        for y in range(y0, max(y1, y0 + 1)):
            row = gray[y * width + x0:y * width + max(x1, x0 + 1)]
            total += sum(row)
            count += len(row)
        level = total / count
        if 80 < level < 176:
            return None  # neither black nor white: not our cells
        word = word << 1 | (level >= 128)
    ms = word >> 8
    return ms if check_byte(ms) == word & 0xFF else None


def probe_size(path):
    out = subprocess.run(["ffprobe", "-v", "error", "-select_streams", "v:0", "-show_entries",
                          "stream=width,height", "-of", "csv=p=0", path],
                         capture_output=True, text=True, check=True).stdout
    w, h = out.strip().split("\n")[0].split(",")[:2]
    return int(w), int(h)


def read_frames(path, start=None, duration=None, from_end=None):
    """Every video frame in the range, decoded: a list of Frame(pts seconds in the file, ms or None).

    start/duration pick a range from the start in seconds; from_end reads only the last seconds."""
    w, h = probe_size(path)
    if w > READ_WIDTH:
        w, h = READ_WIDTH, max(2, round(h * READ_WIDTH / w / 2) * 2)
    cmd = ["ffmpeg", "-hide_banner", "-nostdin", "-v", "info", "-copyts"]
    if from_end is not None:
        cmd += ["-sseof", "-%g" % from_end]
    elif start is not None:
        cmd += ["-ss", "%g" % start]
    if duration is not None:
        cmd += ["-t", "%g" % duration]  # on the input: the output keeps the file's own times (-copyts)
    cmd += ["-i", path]
    cmd += ["-an", "-vf", "scale=%d:%d,showinfo" % (w, h), "-vsync", "passthrough",
            "-f", "rawvideo", "-pix_fmt", "gray", "-"]
    run = subprocess.run(cmd, capture_output=True)
    if run.returncode != 0:
        raise RuntimeError("ffmpeg could not read %s: %s" % (path, run.stderr.decode(errors="replace")[-2000:]))
    pts = [float(m) for m in re.findall(rb"\] n: *\d+ pts: *-?\d+ pts_time:(-?[\d.]+)", run.stderr)]
    size = w * h
    count = len(run.stdout) // size
    frames = []
    for i in range(count):
        gray = run.stdout[i * size:(i + 1) * size]
        frames.append(Frame(pts[i] if i < len(pts) else None, decode_gray(gray, w, h)))
    return frames


def _readable(frames):
    return [f for f in frames if f.ms is not None]


def first_timecode(path, within=3.0):
    """The first readable frame among the first seconds, or None."""
    ok = _readable(read_frames(path, duration=within))
    return ok[0] if ok else None


def last_timecode(path, within=3.0):
    """The last readable frame among the last seconds, or None."""
    ok = _readable(read_frames(path, from_end=within))
    return ok[-1] if ok else None


def timecode_at(path, t, window=0.5):
    """The readable frame nearest to t seconds into the file, or None."""
    ok = _readable(read_frames(path, start=max(0.0, t - window), duration=2 * window))
    return min(ok, key=lambda f: abs(f.pts - t)) if ok else None
