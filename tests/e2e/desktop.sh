# Sourced by the end-to-end tests: a desktop as a user's, with a virtual X
# server of its own, the openbox window manager and a fresh home; and the
# helpers that drive Pemblo! on it. Expects $pemblo and $close_window.

fail() {
  echo "FAIL: $*" >&2
  echo "windows of Pemblo! on the display:" >&2
  xdotool search --onlyvisible --classname '^pemblo$' 2>/dev/null | while read -r id; do
    echo "  '$(xdotool getwindowname "$id")'" >&2
  done
  exit 1
}

# Runs the command until it succeeds, for up to 10 s.
within_10s() {
  local deadline=$((SECONDS + 10))
  until "$@"; do
    ((SECONDS <= deadline)) || return 1
    sleep 0.05
  done
}

# The id of the visible window whose title matches, waiting up to 10 s.
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1 | grep .; }
window() { within_10s visible "$1"; }

start() { (cd "$1" && exec "$pemblo") & pid=$!; }

# Closes the main window and expects the program to end with status 0.
quit() {
  "$close_window" "$1"
  wait "$pid" || fail "Pemblo! ended with status $?"
}

home=$(mktemp -d)
# The server takes a free display number itself, as other X servers may come
# and go on this machine meanwhile, and it does not reset when its last
# client goes, which would turn away the one that comes next.
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp -noreset 3>"$home/display" 2>/dev/null &
xvfb=$!
wm="" pid=""
trap 'kill $pid $wm "$xvfb" 2>/dev/null; rm -rf "$home"' EXIT
within_10s test -s "$home/display" || fail "the X server did not start"
export DISPLAY=:$(cat "$home/display")
export HOME=$home XDG_CONFIG_HOME=$home/.config
settings="$XDG_CONFIG_HOME/Quenfel VELTOR pro/Pemblo!.conf"

openbox --sm-disable >"$home/openbox.log" 2>&1 &
wm=$!
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
within_10s wm_running || fail "the window manager did not start"
