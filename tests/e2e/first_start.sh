#!/usr/bin/env bash
# Pemblo! started twice as a new user would, on a desktop of its own with a
# virtual X server and the openbox window manager: the first start asks for
# the language and shows the main window with the LED Editor; start lights the
# device picture and stop darkens it again; Save As writes the sequence;
# closing the window ends the program cleanly and notes the open editor; the
# second start asks nothing and loads the saved file, grown meanwhile to 224
# rows, whose LED Editor, frame included, takes at most 9/10 of the view.
# Usage: first_start.sh PEMBLO CLOSE_WINDOW EXAMPLES_DIR
set -euo pipefail
pemblo=$1 close_window=$2 examples=$3

. "$(dirname "$0")/own_desktop.sh"

start() { (cd "$1" && exec "$pemblo") & pid=$!; }

# Closes the main window and expects the program to end with status 0.
quit() {
  "$close_window" "$1"
  wait "$pid" || fail "Pemblo! ended with status $?"
}

settings="$XDG_CONFIG_HOME/Quenfel VELTOR pro/Pemblo!.conf"

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

# A window's client top and height, then its frame: left, right, top, bottom.
extent() {
  xwininfo -id "$1" | awk '/Absolute upper-left Y/ { y = $4 } /Height:/ { h = $2 } END { printf "%d %d ", y, h }'
  xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //; s/,//gp'
  echo
}

# The view ends where the main window does, and the editor's frame starts a
# twentieth of the view's height below the view's top: that gives the view's
# height, and the editor's frame must take at most 9/10 of it.
fitted() {
  local main_top main_height editor_top editor_height frame_top frame_bottom
  read -r main_top main_height _ < <(extent "$frame")
  read -r editor_top editor_height _ _ frame_top frame_bottom < <(extent "$editor")
  [ -n "$frame_bottom" ] || return 1
  awk -v d=$((main_top + main_height - editor_top + frame_top)) -v outer=$((frame_top + editor_height + frame_bottom)) \
    'BEGIN { for (h = d; h - int(h / 20) < d; h++); exit !(outer * 10 <= h * 9) }'
}

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

for _ in $(seq 220); do echo 00000000ff0014580000; done >>"$home/saved.lsq"
start "$examples"
frame=$(window '^saved.lsq - Pemblo$') || fail "the second start did not load the saved file"
editor=$(window '^Pemblo!$') || fail "no LED Editor at the second start"
xdotool search --onlyvisible --name '^Language$' >/dev/null 2>&1 && fail "the second start asked again"
within_10s fitted || fail "the LED Editor is taller than 9/10 of the view: $(extent "$frame") / $(extent "$editor")"
quit "$frame"
echo "first and second start as expected"
