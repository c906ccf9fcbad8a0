#!/bin/sh
# Drives the record grid of the real program with the mouse on the X display this runs under (xvfb-run).
# WORK/friends.zdk is the sample notebook and the settings name it. First start: open page A in the guider,
# double-click the second record's name, type, Enter, save, exit. Second start: the same cell, edited again,
# starts from the saved text (" II" is added), and the document is saved as WORK/copy.zdk.
# Usage: grid-session.sh PROGRAM WORK. Exits non-zero with a message when a step times out.
set -u
program=$1
work=$2
session="grid session"
. "$(dirname "$0")/session-lib.sh"

# Without a window manager the window opens at the top left corner in the size set here, so the guider
# rows and grid cells below sit at fixed places (the fonts are fixed by the test environment).
start() {
    start_program
    xdotool windowsize --sync "$main" 900 500
    focus_main
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
type_into_dialog 'Save as' "$work/copy.zdk"
until_true '[ -s copy.zdk ]'
quit
