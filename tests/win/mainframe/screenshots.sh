#!/usr/bin/env bash
# Renders the main window pictures in docs/screenshots (each session state, the user panel, the hover
# tips) from the main window Wine test.   tests/win/mainframe/screenshots.sh [build dir]
exec "$(dirname "$0")/../screenshots-from-test.sh" tests/win/mainframe/mainframe_win_tests.exe \
  '*Controls*:*UserPanel*:*RealSession*:*ClipProcessing*' 'main-*.png' "$@"
