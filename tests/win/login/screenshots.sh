#!/usr/bin/env bash
# Renders the login pictures in docs/screenshots (the empty screen, the countdown, the refusal box) from
# the login Wine test.   tests/win/login/screenshots.sh [build dir]
exec "$(dirname "$0")/../screenshots-from-test.sh" tests/win/login/login_win_tests.exe \
  '*CodeRequest*:*RefusedCode*' 'login-*.png' "$@"
