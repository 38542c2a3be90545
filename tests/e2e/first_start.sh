#!/usr/bin/env bash
# Pemblo! started twice as a new user would, on a virtual X display:
# the first start asks for the language and shows the main window with the
# LED Editor; start lights the device picture and stop darkens it again; Save
# As writes the sequence; closing the window ends the program cleanly and
# notes the open editor; the second start asks nothing and loads the saved
# file.
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

# Toolbar buttons, by their place on the maximised main window.
button() {
  case $1 in
    save_as) xdotool mousemove 73 22 click 1 ;;
    start) xdotool mousemove 123 22 click 1 ;;
    stop) xdotool mousemove 162 22 click 1 ;;
  esac
}

# The share of bright pixels in the middle of the screen, where the device
# is, sampled eight times over about a second.
brightness() {
  for _ in $(seq 8); do
    import -window root png:- | convert - -crop 600x600+500+200 -colorspace Gray -threshold 60% -format '%[fx:mean]\n' info:
    sleep 0.05
  done
}

# Whether the samples on standard input change: the running sequence fades
# the LEDs, a stopped one shows a fixed pattern.
changing() { sort -n | awk 'NR == 1 { low = $1 } { high = $1 } END { exit !(high > 1.5 * low + 0.001) }'; }

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

# The start-up splash lies over the device for its four seconds.
for _ in $(seq 120); do
  [ "$(xdotool search --onlyvisible --name '^Pemblo!$' 2>/dev/null | wc -l)" -le 1 ] && break
  sleep 0.05
done
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

start
frame=$(window '^saved.lsq - Pemblo$') || fail "the second start did not load the saved file"
xdotool search --onlyvisible --name '^Language$' >/dev/null 2>&1 && fail "the second start asked again"
quit "$frame"
echo "first and second start as expected"
