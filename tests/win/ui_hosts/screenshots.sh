#!/usr/bin/env bash
# Renders the message-box pictures in docs/screenshots (one per kind of box) from the hosts' Wine test,
# under a private display.
#   tests/win/ui_hosts/screenshots.sh [build dir]   (default: build/<the Windows form Wine runs here>)
set -eu
root=$(cd "$(dirname "$0")/../../.." && pwd)
. "$root/scripts/lib/env.sh"
build=${1:-$root/build/$VORLIX_RUN_ARCH}
exe=$build/tests/win/ui_hosts/ui_hosts_win_tests.exe
[ -f "$exe" ] || { echo "build ui_hosts_win_tests in $build first" >&2; exit 1; }
out=$root/docs/screenshots
mkdir -p "$out"
# Drive Z: is the Unix root inside Wine.
export VORLIX_SCREENSHOT_DIR="Z:${out//\//\\}"
"$root/scripts/lib/with-display" "$root/scripts/lib/wine-run" "$exe" --gtest_filter='*Screenshots*'
ls -l "$out"/msgbox-*.png
