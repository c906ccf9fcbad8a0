#!/bin/sh
# Drives the record grid of the real program with the mouse on the X display this runs under (xvfb-run).
# WORK/friends.zdk is the sample notebook and the settings name it. First start: open page A in the guider,
# double-click the second record's name, type, Enter, save, exit. Second start: the same cell, edited again,
# starts from the saved text (" II" is added), and the document is saved as WORK/copy.zdk.
# Usage: grid-session.sh PROGRAM WORK. Exits non-zero with a message when a step times out.
set -u
program=$1
work=$2
export XDG_CONFIG_HOME="$work/config"
cd "$work" || exit 2

fail() { echo "grid session: $*" >&2; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; exit 1; }

until_true() {
    i=0
    while ! eval "$1"; do
        i=$((i + 1))
        [ $i -gt 300 ] && fail "timed out waiting for: $1"
        sleep 0.1
    done
}

shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }

# Without a window manager the window opens at the top left corner in the size set here, so the guider
# rows and grid cells below sit at fixed places (the fonts are fixed by the test environment).
start() {
    "$program" &
    pid=$!
    until_true 'shown "Quillo-ZDK.*"'
    main=$(xdotool search --onlyvisible --name '^Quillo-ZDK' | head -1)
    xdotool windowsize --sync "$main" 900 500
    xdotool windowfocus --sync "$main"
    sleep 0.5
}

# Expands the PAGES of the first notebook and clicks its page A.
open_page_a() {
    xdotool mousemove 48 121 click 1
    sleep 0.3
    xdotool mousemove 106 139 click 1
    sleep 0.5
}

# Double-clicks the name of the second record, which has no link to follow, so the cell is edited.
edit_second_name() {
    xdotool mousemove 280 176 click --repeat 2 --delay 80 1
    sleep 0.3
}

quit() {
    xdotool windowfocus --sync "$main"
    xdotool key ctrl+q
    until_true '! kill -0 $pid 2>/dev/null'
    wait "$pid" 2>/dev/null
    pid=
}

start
open_page_a
edit_second_name
xdotool key ctrl+a
xdotool type --delay 20 "Alan Ashby Jr"
xdotool key Return
xdotool key ctrl+s
until_true 'grep -q "Alan Ashby Jr" friends.zdk'
quit

start
open_page_a
edit_second_name
xdotool key End
xdotool type --delay 20 " II"
xdotool key Return
xdotool key ctrl+shift+s
until_true "shown 'Save as'"
xdotool key ctrl+a
xdotool type --delay 20 "$work/copy.zdk"
xdotool key Return
until_true '[ -s copy.zdk ]'
quit
