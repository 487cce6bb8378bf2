#!/usr/bin/env bash
# Renders pictures into docs/screenshots by running one Windows test program with VORLIX_SCREENSHOT_DIR
# set, under a private display and against a development service of its own. Called by the screens'
# screenshots.sh scripts.
#   tests/win/screenshots-from-test.sh TEST_PATH GTEST_FILTER PNG_GLOB [build dir]
#   (TEST_PATH below the build dir, e.g. tests/win/login/login_win_tests.exe)
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/lib/env.sh"
test_path=$1 filter=$2 pictures=$3
build=${4:-$root/build/$VORLIX_RUN_ARCH}
exe=$build/$test_path
[ -f "$exe" ] || { echo "build $(basename "$exe" .exe) in $build first" >&2; exit 1; }
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
"$root/scripts/lib/with-display" "$root/scripts/lib/wine-run" "$exe" --gtest_filter="$filter"
ls -l "$out"/$pictures
