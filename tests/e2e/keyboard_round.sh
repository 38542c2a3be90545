#!/usr/bin/env bash
# A whole round of Pemblo! by keys alone, on a desktop of its own with a
# virtual X server and the openbox window manager: the main window has the
# keyboard at start although the LED Editor opens with it; F5 runs the
# sequence and Shift+F5 stops it; Ctrl+O opens the Open dialog and Esc closes
# it; Ctrl+E takes the keyboard to the editor, where Down, F2, digits and
# Return change a line's time and the Menu key opens the line's menu; F6
# goes back to the main window and Ctrl+S saves the change in place.
# Usage: keyboard_round.sh PEMBLO BRIGHT_SHARE EXAMPLES_DIR
set -euo pipefail
pemblo=$1 bright_share=$2 examples=$3

. "$(dirname "$0")/own_desktop.sh"

gone() { ! visible "$1" >/dev/null; }
still() { ! changing; }
# The windows of Pemblo! on the screen, menus included.
windows() { xdotool search --onlyvisible --classname '^pemblo$' 2>/dev/null | wc -l; }
more_windows_than() { [ "$(windows)" -gt "$1" ]; }
splash_gone() {
  for id in $(xdotool search --onlyvisible --classname '^pemblo$' 2>/dev/null); do
    [ -z "$(xprop -id "$id" WM_NAME 2>/dev/null | sed -n 's/^WM_NAME([A-Z0-9_]*) = //p' | tr -d '"')" ] && return 1
  done
  return 0
}

# The running sequence fades the LEDs: eight samples over a second differ.
changing() {
  for _ in $(seq 8); do
    "$bright_share" 500 200 600 600
    sleep 0.1
  done | sort -n | awk 'NR == 1 { low = $1 } { high = $1 } END { exit !(high > 1.5 * low + 0.001) }'
}

cp -r "$examples" "$home/work"
(cd "$home/work" && exec "$pemblo") &
pid=$!
window '^Language$' >/dev/null || fail "no Language dialog"
xdotool key Return
frame=$(window 'lsq - Pemblo$') || fail "no main window"
editor=$(window '^Pemblo!$') || fail "no LED Editor"
within_10s focused "$frame" || fail "the main window does not have the keyboard at start"
sleep 0.5
focused "$frame" || fail "the LED Editor took the keyboard at start"

xdotool key F5
within_10s changing || fail "F5 did not start the sequence"
xdotool key shift+F5
within_10s still || fail "Shift+F5 did not stop the sequence"

xdotool key ctrl+o
window '^Open$' >/dev/null || fail "Ctrl+O did not open the Open dialog"
xdotool key Escape
within_10s gone '^Open$' || fail "Esc did not close the Open dialog"
within_10s focused "$frame" || fail "the main window did not get the keyboard back"

xdotool key ctrl+e
within_10s focused "$editor" || fail "Ctrl+E did not give the LED Editor the keyboard"
# The editor starts on line 0; line 1 gets the time 35.
xdotool key Down F2
xdotool type 35
xdotool key Return Escape
# The start-up splash, a window without a title, is gone after four seconds;
# then a new window is the menu.
within_10s splash_gone || fail "the start-up splash stays"
before=$(windows)
xdotool key Menu
within_10s more_windows_than "$before" || fail "the Menu key did not open the line's menu"
xdotool key Escape
within_10s focused "$editor" || fail "the LED Editor lost the keyboard to its menu"
xdotool key ctrl+g
window '^Generate' >/dev/null || fail "Ctrl+G did not open Generate"
xdotool key Escape
within_10s gone '^Generate' || fail "Esc did not close Generate"
within_10s focused "$editor" || fail "the LED Editor did not get the keyboard back from Generate"

xdotool key F6
within_10s focused "$frame" || fail "F6 did not take the keyboard to the main window"
xdotool key ctrl+s
saved="$home/work/001_veltor_pulsar.lsq"
sed 's/^00000000ff0014580000$/00000000ff0023580000/' "$examples/001_veltor_pulsar.lsq" >"$home/expected"
within_10s cmp -s "$saved" "$home/expected" || fail "Ctrl+S did not save the changed line: $(diff "$home/expected" "$saved")"

xdotool key ctrl+q
within_10s eval '! kill -0 $pid 2>/dev/null' || fail "Ctrl+Q did not end the program"
wait "$pid" || fail "Pemblo! ended with status $?"
echo "the round by keys went as expected"
