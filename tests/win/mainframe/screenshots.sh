#!/usr/bin/env bash
# Renders the main window pictures in docs/screenshots (each session state, the user panel, the hover tips) from
# the main window Wine test, under a private display and against a development service of its own.
#   tests/win/mainframe/screenshots.sh [build dir]   (default: build/<the Windows form Wine runs here>)
set -eu
root=$(cd "$(dirname "$0")/../../.." && pwd)
. "$root/scripts/lib/env.sh"
build=${1:-$root/build/$VORLIX_RUN_ARCH}
exe=$build/tests/win/mainframe/mainframe_win_tests.exe
[ -f "$exe" ] || { echo "build mainframe_win_tests in $build first" >&2; exit 1; }
out=$root/docs/screenshots
mkdir -p "$out"
data=$(mktemp -d)
python3 "$root/tools/devservice" --port 0 --data "$data" >"$data/out" 2>/dev/null &
svc=$!
trap 'kill $svc 2>/dev/null; wait $svc 2>/dev/null; rm -rf "$data"' EXIT
for _ in $(seq 100); do [ -s "$data/out" ] && break; sleep 0.1; done
export VORLIX_SERVICE_URL=$(head -n1 "$data/out")
# Drive Z: is the Unix root inside Wine.
export VORLIX_SCREENSHOT_DIR="Z:${out//\//\\}"
"$root/scripts/lib/with-display" "$root/scripts/lib/wine-run" "$exe" \
  --gtest_filter='*Controls*:*UserPanel*:*RealSession*:*ClipProcessing*'
ls -l "$out"/main-*.png
