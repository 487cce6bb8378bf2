#!/usr/bin/env bash
# Records 10 s at 540p30 with the bundled recorder and prints the CPU time of the recorder process next to
# that of its ffmpeg. The recorder sleeps on its window and on the encoder's handle, so its share should
# be close to nothing.   Usage: tests/win/recorder/bench.sh [build folder of the win64 (or win32) preset]
set -eu
here=$(cd "$(dirname "$0")/../../.." && pwd)
. "$here/scripts/lib/env.sh"
build=${1:-$here/build/$VORLIX_RUN_ARCH}
cmake --build "$build" --target recorder_bench >/dev/null
export BENCH_EXE="$build/tests/win/recorder/recorder_bench.exe"
"$here/scripts/lib/with-display" bash -c '
  # Under Wine every Windows process is a host process whose command line names its executable; the
  # bench lays out its own folder, so its recorder and encoder are told apart from any other.
  ticks() { awk "{print \$14 + \$15}" "/proc/$1/stat" 2>/dev/null || true; }
  find_pid() { for d in /proc/[0-9]*; do
      { tr "\0" " " <"$d/cmdline"; } 2>/dev/null | grep -q "bench_tree.*$1" && { basename "$d"; return; }; done; }
  "$VORLIX_WINE" "$BENCH_EXE" & bench=$!
  rec=""; enc=""; rt=0; et=0
  while kill -0 $bench 2>/dev/null; do
    [ -z "$rec" ] && rec=$(find_pid "obs32.exe")
    [ -z "$enc" ] && enc=$(find_pid "ffmpeg.exe")
    [ -n "$rec" ] && { t=$(ticks $rec); [ -n "$t" ] && rt=$t; }
    [ -n "$enc" ] && { t=$(ticks $enc); [ -n "$t" ] && et=$t; }
    sleep 0.2
  done
  hz=$(getconf CLK_TCK)
  awk -v r=$rt -v e=$et -v hz=$hz "BEGIN { printf \"host CPU: recorder %.0f ms, ffmpeg %.0f ms, recorder/ffmpeg = %.4f\n\", r*1000/hz, e*1000/hz, (e>0 ? r/e : 0) }"
'
