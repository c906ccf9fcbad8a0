#!/bin/sh
# Drives the real program on the X display this runs under (xvfb-run): first start without settings, a new
# notebook made with the wizard and saved as WORK/family.zdk, exit; second start, which must reopen that file, saved as WORK/copy.zdk.
# Usage: desktop-session.sh PROGRAM WORK. Leaves WORK/first-windows (visible windows at the first start) and
# WORK/first-settings (the settings file then); exits non-zero with a message when a step times out.
set -u
program=$1
work=$2
session="desktop session"
. "$(dirname "$0")/session-lib.sh"
settings="$XDG_CONFIG_HOME/quillo-zdk/quillo-zdk.SET"

start_program
until_true '[ -s "$settings" ]'
cp "$settings" first-settings
xdotool search --onlyvisible --class quillo-zdk | wc -l > first-windows
focus_main
xdotool key ctrl+n
until_true 'has_focus Confirmation:'
xdotool key Return
# The wizard by keyboard: the name and Enter, a custom field and Enter, Alt+N, a custom page and Enter,
# Alt+N to the template, Alt+O. Each step waits a moment, so that Alt is up before the next letter.
until_true "has_focus 'New notebook'"
for keys in 'type Family' 'key Return' 'type person' 'key Return' 'key alt+n' 'type a' 'key Return' 'key alt+n' \
    'key alt+o'; do
    xdotool $keys
    sleep 0.3
done
until_true "! shown 'New notebook'"
focus_main
xdotool key ctrl+s
type_into_dialog 'Save as' "$work/family.zdk"
until_true '[ -s family.zdk ]'
quit

start_program
focus_main
xdotool key ctrl+shift+s
type_into_dialog 'Save as' "$work/copy.zdk"
until_true '[ -s copy.zdk ]'
quit
