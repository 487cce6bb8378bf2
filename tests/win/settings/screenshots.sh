#!/usr/bin/env bash
# Renders the pictures of the settings pages, the update page while downloading, the quit confirmation
# and the clip tip in docs/screenshots from the screens' Wine tests, under a private display and against
# a development service of its own.
#   tests/win/settings/screenshots.sh [build dir]   (default: build/<the Windows form Wine runs here>)
set -eu
root=$(cd "$(dirname "$0")/../../.." && pwd)
. "$root/scripts/lib/env.sh"
build=${1:-$root/build/$VORLIX_RUN_ARCH}
dir=$build/tests/win/settings
for exe in screens_dialogs_win_tests screens_settings_win_tests; do
  [ -f "$dir/$exe.exe" ] || { echo "build $exe in $build first" >&2; exit 1; }
done
out=$root/docs/screenshots
mkdir -p "$out"
data=$(mktemp -d)
python3 "$root/tools/devservice" --port 0 --data "$data" >"$data/url.txt" 2>"$data/service.log" &
service=$!
trap 'kill $service 2>/dev/null; wait $service 2>/dev/null; rm -rf "$data"' EXIT
for _ in $(seq 50); do [ -s "$data/url.txt" ] && break; sleep 0.1; done
export VORLIX_SERVICE_URL=$(head -n1 "$data/url.txt")
# Drive Z: is the Unix root inside Wine.
export VORLIX_SCREENSHOT_DIR="Z:${out//\//\\}"
"$root/scripts/lib/with-display" bash -c "
  '$root/scripts/lib/wine-run' '$dir/screens_dialogs_win_tests.exe' --gtest_filter='QuitConfirmTest.Screenshot:ShotTipTest.Shows*' &&
  '$root/scripts/lib/wine-run' '$dir/screens_settings_win_tests.exe' --gtest_filter='SettingDialogTest.Screenshots:UpdatePageTest.Downloads*'"
ls -l "$out"/settings-*.png "$out"/quit-confirm.png "$out"/clip-tip.png
