#!/usr/bin/env bash
# Pemblo! started twice as a new user would, on a desktop of its own:
# the first start asks for the language and shows the main window with the
# LED Editor; start lights the device picture and stop darkens it again; Save
# As writes the sequence; closing the window ends the program cleanly and
# notes the open editor; the second start asks nothing and loads the saved
# file.
# Usage: first_start.sh PEMBLO CLOSE_WINDOW EXAMPLES_DIR
set -euo pipefail
pemblo=$1 close_window=$2 examples=$3

. "$(dirname "$0")/desktop.sh"

# Toolbar buttons, by their place in the main window.
button() {
  case $1 in
    save_as) xdotool mousemove --window "$frame" 73 22 click 1 ;;
    start) xdotool mousemove --window "$frame" 123 22 click 1 ;;
    stop) xdotool mousemove --window "$frame" 162 22 click 1 ;;
  esac
}

# The share of bright pixels in the middle of the screen, where the device
# is.
sample() { "$(dirname "$close_window")/bright_share" 500 200 600 600; }

# Eight samples over about a second.
brightness() {
  for _ in $(seq 8); do
    sample
    sleep 0.1
  done
}

# The start-up splash: the window of Pemblo! that has no title. It lies over
# the device for its four seconds.
splash_shown() {
  for id in $(xdotool search --onlyvisible --classname '^pemblo$' 2>/dev/null); do
    [ -z "$(xprop -id "$id" WM_NAME 2>/dev/null | sed -n 's/^WM_NAME([A-Z0-9_]*) = //p' | tr -d '"')" ] && return 0
  done
  return 1
}

# Once the splash has gone, the device is painted.
device_shown() { ! splash_shown && awk -v s="$(sample)" 'BEGIN { exit !(s > 0) }'; }

# Whether the samples on standard input change: the running sequence fades
# the LEDs, a stopped one shows a fixed pattern.
changing() { sort -n | awk 'NR == 1 { low = $1 } { high = $1 } END { exit !(high > 1.5 * low + 0.001) }'; }

# Whether the window has the keyboard focus.
focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

start "$examples"
language=$(window '^Language$') || fail "no Language dialog on the first start"
within_10s focused "$language" || fail "the Language dialog did not get the focus"
xdotool key Return
frame=$(window 'lsq - Pemblo$') || fail "no main window after the Language dialog"
window '^Pemblo!$' >/dev/null || fail "no LED Editor"
grep -qx 'language=E' "$settings" || fail "the language was not stored"

within_10s device_shown || fail "the device is not shown once the splash has gone"
brightness | changing && fail "the device changes before the simulation runs"
button start
brightness | changing || fail "start did not run the sequence on the device"
button stop
sleep 0.2
brightness | changing && fail "stop did not stop the sequence on the device"

button save_as
window '^Save As$' >/dev/null || fail "no Save As dialog"
xdotool type --delay 5 "$home/saved"
xdotool key Return
saved=$(window '^saved.lsq - Pemblo$') || fail "the main window does not name the saved file"
cmp -s "$home/saved.lsq" "$examples/001_veltor_pulsar.lsq" || fail "the saved file differs from the sequence"
quit "$saved"
grep -qx 'editopen=1' "$settings" || fail "the open editor was not noted"

start "$examples"
frame=$(window '^saved.lsq - Pemblo$') || fail "the second start did not load the saved file"
xdotool search --onlyvisible --name '^Language$' >/dev/null 2>&1 && fail "the second start asked again"
quit "$frame"
echo "first and second start as expected"
