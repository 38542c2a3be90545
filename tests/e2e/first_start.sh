#!/usr/bin/env bash
# Pemblo! started twice as a new user would, on the X display of xvfb-run:
# the first start asks for the language and shows the main window with the
# LED Editor; closing it ends the program cleanly and notes the open editor;
# the second start asks nothing.
# Usage: first_start.sh PEMBLO CLOSE_WINDOW EXAMPLES_DIR
set -euo pipefail
pemblo=$1 close_window=$2 examples=$3

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config
settings="$XDG_CONFIG_HOME/Quenfel VELTOR pro/Pemblo!.conf"

fail() { echo "FAIL: $*" >&2; exit 1; }

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

start
window '^Language$' >/dev/null || fail "no Language dialog on the first start"
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
