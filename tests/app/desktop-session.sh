#!/bin/sh
# Drives the real program on the X display this runs under (xvfb-run): first start without settings, a new
# notebook made with the wizard and saved as WORK/family.zdk, exit; second start, which must reopen that file, saved as WORK/copy.zdk.
# Usage: desktop-session.sh PROGRAM WORK. Leaves WORK/first-windows (visible windows at the first start) and
# WORK/first-settings (the settings file then); exits non-zero with a message when a step times out.
set -u
program=$1
work=$2
export XDG_CONFIG_HOME="$work/config"
settings="$XDG_CONFIG_HOME/quillo-zdk/quillo-zdk.SET"
cd "$work" || exit 2

fail() { echo "desktop session: $*" >&2; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; exit 1; }

# Polls a shell condition for up to 30 seconds.
until_true() {
    i=0
    while ! eval "$1"; do
        i=$((i + 1))
        [ $i -gt 300 ] && fail "timed out waiting for: $1"
        sleep 0.1
    done
}

shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }

start() {
    "$program" &
    pid=$!
    until_true 'shown "Quillo-ZDK( - .*)?"'
    main=$(xdotool search --onlyvisible --name '^Quillo-ZDK( - .*)?$' | head -1)
}

# Without a window manager nothing hands out the keyboard focus; dialogs take it themselves.
focus_main() { xdotool windowfocus --sync "$main"; }

type_into_dialog() {
    until_true "shown '$1'"
    xdotool key ctrl+a
    xdotool type --delay 20 "$2"
    xdotool key Return
    until_true "! shown '$1'"
}

quit() {
    focus_main
    xdotool key ctrl+q
    until_true '! kill -0 $pid 2>/dev/null'
    wait "$pid" 2>/dev/null
    pid=
}

start
until_true '[ -s "$settings" ]'
cp "$settings" first-settings
xdotool search --onlyvisible --class quillo-zdk | wc -l > first-windows
focus_main
xdotool key ctrl+n
until_true 'shown Confirmation:'
xdotool key Return
# The wizard by keyboard: the name and Enter, a custom field and Enter, Alt+N, a custom page and Enter,
# Alt+N to the template, Alt+O. Each step waits a moment, so that Alt is up before the next letter.
until_true "shown 'New notebook'"
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

start
focus_main
xdotool key ctrl+shift+s
type_into_dialog 'Save as' "$work/copy.zdk"
until_true '[ -s copy.zdk ]'
quit
