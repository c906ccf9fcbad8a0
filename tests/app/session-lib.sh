# Shared steps of the session scripts, sourced after they set program, work and session (the name their
# messages start with). The program runs on the X display of xvfb-run, without a window manager.
export XDG_CONFIG_HOME="$work/config"
cd "$work" || exit 2

fail() { echo "$session: $*" >&2; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; exit 1; }

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

# Starts the program and waits for its main window, whose id goes to main.
start_program() {
    "$program" &
    pid=$!
    until_true 'shown "Quillo-ZDK( - .*)?"'
    main=$(xdotool search --onlyvisible --name '^Quillo-ZDK( - .*)?$' | head -1)
}

# True when the window with that title has the keyboard.
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$(xdotool search --onlyvisible --name "^$1\$" | head -1)" ]; }

# Nothing hands out the keyboard without a window manager: keys sent before the main window has it
# would go elsewhere.
focus_main() {
    xdotool windowfocus --sync "$main"
    until_true '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$main" ]'
}

# Dialogs take the keyboard themselves; types the text into the one with that title, once it has it.
type_into_dialog() {
    until_true "has_focus '$1'"
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
