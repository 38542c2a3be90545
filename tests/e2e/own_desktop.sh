# Sourced by the end-to-end scripts: a desktop of their own, a virtual X
# server with the openbox window manager and a fresh home, ended with the
# script; and the helpers they share. The caller may set `pid` (the program)
# and `bus` (a D-Bus daemon) for the cleanup to end them too.

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

# The id of the visible window whose title matches.
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1 | grep .; }
window() { within_10s visible "$1"; }
# Whether the window of that id has the keyboard.
focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

home=$(mktemp -d)
# The server takes a free display number itself, as other X servers may come
# and go on this machine meanwhile.
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp -noreset 3>"$home/display" 2>/dev/null &
xvfb=$!
wm="" pid="" bus=""
trap 'kill $pid $wm $bus "$xvfb" 2>/dev/null; rm -rf "$home"' EXIT
within_10s test -s "$home/display" || fail "the X server did not start"
export DISPLAY=:$(cat "$home/display")
export HOME=$home XDG_CONFIG_HOME=$home/.config

# A window mapped before the window manager runs would never get the focus.
openbox --sm-disable >"$home/openbox.log" 2>&1 &
wm=$!
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
within_10s wm_running || fail "the window manager did not start"
