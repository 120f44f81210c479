#!/bin/sh
# The whole program on an X server through the SDL backend: the settings dialog comes up centred,
# Return starts the test, the clock pattern covers the screen in its exact colours, and Escape, or
# SIGTERM or SIGHUP, ends the program through its ordinary close path with exit code 0. Focus taken
# by another window loses the output (the picture stops), and giving it back restores it.
# Usage: program.sh PATH_TO_ostrivan
. "$(dirname "$0")/e2e_common.sh"
run_inside_xvfb "$@"

program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
FAILED=0
# The settings dialog's client size.
DIALOG_W=335
DIALOG_H=101

# start_test LOG: runs the program, checks the dialog, presses Return and waits for the output.
start_test() {
    OSTRIVAN_PLATFORM=sdl "$program" >"$1" 2>&1 &
    pid=$!
    dialog=$(wait_for_window Ostrivan "$DIALOG_W" "$DIALOG_H" "$pid" 30) || { echo "no settings dialog"; return 1; }
    xdotool getwindowgeometry "$dialog" | grep -q "Position: $(((SCREEN_W - DIALOG_W) / 2)),$(((SCREEN_H - DIALOG_H) / 2)) " ||
        { echo "the dialog is not centred: $(xdotool getwindowgeometry "$dialog" | tr '\n' ' ')"; FAILED=1; }
    xdotool key Return
    wait_for_window Ostrivan "$SCREEN_W" "$SCREEN_H" "$pid" 30 >/dev/null || { echo "no full-screen output"; return 1; }
    sleep 1  # some frames
}

# 1. Escape ends a run that showed the clock pattern.
if start_test "$work/escape.log"; then
    take_screenshot "$work/clock.rgb" || FAILED=1
    for xy in "0 0" "1023 0" "512 16" "1023 767"; do
        expect_pixel "$work/clock.rgb" "${xy% *}" "${xy#* }" "0 65 132" "clock background"
    done
    xdotool key Escape
fi
wait_for_exit "$pid" 20
status=$?
[ "$status" -eq 0 ] || { cat "$work/escape.log"; echo "Escape: exit status $status"; FAILED=1; }

# 2. SIGTERM and SIGHUP close the output like its close button.
for signal in TERM HUP; do
    if start_test "$work/$signal.log"; then
        kill -"$signal" "$pid"
    fi
    wait_for_exit "$pid" 20
    status=$?
    [ "$status" -eq 0 ] || { cat "$work/$signal.log"; echo "SIG$signal: exit status $status"; FAILED=1; }
done
# 3. Another window takes the focus: the output is lost and stops; focus back, and it runs again.
# frames_change NAME: true when two screenshots a moment apart differ (frames are being presented).
frames_change() {
    take_screenshot "$work/$1-a.rgb" && sleep 0.3 && take_screenshot "$work/$1-b.rgb" &&
        ! cmp -s "$work/$1-a.rgb" "$work/$1-b.rgb"
}
if start_test "$work/focus.log"; then
    output=$(xdotool getwindowfocus)
    frames_change running || { echo "no frames before the focus went"; FAILED=1; }
    xlogo -geometry 200x200+10+10 &
    other=$!
    logo=$(wait_for_window xlogo 200 200 "$other" 10) && xdotool windowfocus "$logo"
    sleep 0.5
    frames_change lost && { echo "frames go on while another window has the focus"; FAILED=1; }
    xdotool windowfocus "$output"
    sleep 1
    frames_change restored || { echo "no frames after the focus came back"; FAILED=1; }
    expect_pixel "$work/restored-b.rgb" 20 20 "0 65 132" "clock background over the other window"
    kill "$other"
    xdotool key Escape
fi
wait_for_exit "$pid" 20
status=$?
[ "$status" -eq 0 ] || { cat "$work/focus.log"; echo "after the focus change: exit status $status"; FAILED=1; }
exit "$FAILED"
