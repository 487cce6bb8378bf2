#!/bin/sh
# The three sound cues, synthesised with sox: 16-bit mono PCM at 44.1 kHz, which PlaySound plays everywhere.
# Each note is a sine with a soft octave overtone and a quick decay, so the cues sound like small chimes.
set -eu
out=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out"

# note FILE SECONDS HZ: one chime note with a 4 ms attack and a decay to silence.
note() {
  sox -R -n -r 44100 -b 16 -c 1 "$1" synth "$2" sine "$3" sine "$(echo "$3 * 2" | bc)" remix 1v0.8,2v0.2 \
    fade q 0.004 "$2" "$(echo "$2 * 0.85" | bc)"
}
silence() { sox -R -n -r 44100 -b 16 -c 1 "$1" trim 0 "$2"; }
finish() { sox -R "$@" "$tmp/mix.wav" && sox -R "$tmp/mix.wav" -b 16 -e signed-integer "$dst" gain -n -4; }

# Start: rising fifth (A5 then E6).
note "$tmp/a.wav" 0.11 880
note "$tmp/b.wav" 0.22 1318.5
dst="$out/record_start.wav"; finish "$tmp/a.wav" "$tmp/b.wav"

# Stop: the same notes falling (E6 then A5).
note "$tmp/a.wav" 0.11 1318.5
note "$tmp/b.wav" 0.22 880
dst="$out/record_stop.wav"; finish "$tmp/a.wav" "$tmp/b.wav"

# Replay moment marked: two quick ticks and a high ping, like a shutter confirming.
note "$tmp/t.wav" 0.035 2093
silence "$tmp/s.wav" 0.03
note "$tmp/p.wav" 0.16 2637
dst="$out/record_creating.wav"; finish "$tmp/t.wav" "$tmp/s.wav" "$tmp/t.wav" "$tmp/s.wav" "$tmp/p.wav"
