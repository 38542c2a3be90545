#!/usr/bin/env bash
# Pemblo! through the accessibility bus, as a screen reader sees it, on a
# desktop of its own: a virtual X server, openbox and a D-Bus session that
# starts the accessibility bus on demand. Skips (status 77) where these are
# missing, except in CI.
# Usage: accessibility_tree.sh PEMBLO EXAMPLES_DIR
set -euo pipefail
pemblo=$1 examples=$2
here=$(dirname "$0")

skip() {
  [ -n "${CI:-}" ] && { echo "FAIL: $*" >&2; exit 1; }
  echo "SKIP: $*"
  exit 77
}
command -v dbus-daemon >/dev/null || skip "no dbus-daemon"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "no at-spi2-core"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "no python3-pyatspi"

. "$here/own_desktop.sh"
export XDG_RUNTIME_DIR=$home/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$home/bus" 4>"$home/bus.pid" \
  || skip "the D-Bus session did not start"
bus=$(cat "$home/bus.pid")
DBUS_SESSION_BUS_ADDRESS=$(head -1 "$home/bus")
export DBUS_SESSION_BUS_ADDRESS

# Qt speaks to the accessibility bus only when asked to or when a screen
# reader runs.
mkdir -p "$XDG_CONFIG_HOME/Quenfel VELTOR pro"
printf '[settings]\nlanguage=E\n' >"$XDG_CONFIG_HOME/Quenfel VELTOR pro/Pemblo!.conf"
(cd "$examples" && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec "$pemblo") &
pid=$!
within_10s visible '^Pemblo!$' >/dev/null || fail "no LED Editor"
main_window_focused() { xdotool getwindowfocus getwindowname 2>/dev/null | grep -q 'lsq - Pemblo$'; }
within_10s main_window_focused || fail "the main window does not have the keyboard, but $(xdotool getwindowfocus getwindowname 2>&1)"
/usr/bin/python3 "$here/accessibility_tree.py"
