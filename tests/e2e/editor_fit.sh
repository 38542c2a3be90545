#!/usr/bin/env bash
# A sequence of 224 rows, started on a desktop with a window manager: once
# the window manager has framed the LED Editor and maximised the main window,
# the editor, frame included, is at most 9/10 of the view's height.
# Usage: editor_fit.sh PEMBLO CLOSE_WINDOW
set -euo pipefail
pemblo=$1 close_window=$2

. "$(dirname "$0")/desktop.sh"

{
  printf '#=QUORBEL\nV=1\nD=VELTOR3\n'
  for _ in $(seq 224); do echo 00000000ff0014580000; done
} >"$home/long.lsq"
mkdir -p "$(dirname "$settings")"
printf '[settings]\nlanguage=E\nlastfile=%s\n' "$home/long.lsq" >"$settings"

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

start "$home"
frame=$(window '^long.lsq - Pemblo$') || fail "no main window"
editor=$(window '^Pemblo!$') || fail "no LED Editor"
within_10s fitted || fail "the LED Editor is taller than 9/10 of the view: $(extent "$frame") / $(extent "$editor")"
quit "$frame"
echo "the LED Editor fits the view"
