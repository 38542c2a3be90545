#!/usr/bin/env bash
# Pemblo! started twice as a new user would, on a virtual X display:
# the first start asks for the language and shows the main window with the
# LED Editor; closing it ends the program cleanly and notes the open editor;
# the second start asks nothing.
# Usage: first_start.sh PEMBLO CLOSE_WINDOW EXAMPLES_DIR
set -euo pipefail
pemblo=$1 close_window=$2 examples=$3

home=$(mktemp -d)
# The server takes a free display number itself, as other X servers may come
# and go on this machine meanwhile, and it does not reset when its last
# client goes, which would turn away the one that comes next.
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp -noreset 3>"$home/display" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb"; rm -rf "$home"' EXIT
for _ in $(seq 200); do
  [ -s "$home/display" ] && break
  sleep 0.05
done
export DISPLAY=:$(cat "$home/display")
export HOME=$home XDG_CONFIG_HOME=$home/.config
settings="$XDG_CONFIG_HOME/Quenfel VELTOR pro/Pemblo!.conf"

fail() {
  echo "FAIL: $*" >&2
  echo "windows on the display:" >&2
  for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    echo "  $(xdotool getwindowname "$id")" >&2
  done
  exit 1
}

# The id of the visible window whose title matches, waiting up to 10 s.
window() {
  for _ in $(seq 200); do
    local id
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  return 1
}

start() { (cd "$examples" && exec "$pemblo") & pid=$!; }

# Closes the main window and expects the program to end with status 0.
quit() {
  "$close_window" "$1"
  wait "$pid" || fail "Pemblo! ended with status $?"
}

# Waits up to 10 s until the window has the keyboard focus.
focused() {
  for _ in $(seq 200); do
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
    sleep 0.05
  done
  return 1
}

start
language=$(window '^Language$') || fail "no Language dialog on the first start"
focused "$language" || fail "the Language dialog did not get the focus"
xdotool key Return
frame=$(window 'lsq - Pemblo$') || fail "no main window after the Language dialog"
window '^Pemblo!$' >/dev/null || fail "no LED Editor"
grep -qx 'language=E' "$settings" || fail "the language was not stored"
quit "$frame"
grep -qx 'editopen=1' "$settings" || fail "the open editor was not noted"

start
frame=$(window 'lsq - Pemblo$') || fail "no main window on the second start"
xdotool search --onlyvisible --name '^Language$' >/dev/null 2>&1 && fail "the second start asked again"
quit "$frame"
echo "first and second start as expected"
