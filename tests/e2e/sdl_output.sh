#!/bin/sh
# The SDL backend on an X server: the output covers the screen with the exact colours sent (bit
# replication, full green stays 255), frames are paced to the mode's rate, Escape arrives as a key.
# Usage: sdl_output.sh PATH_TO_sdl_output_check
. "$(dirname "$0")/e2e_common.sh"
run_inside_xvfb "$@"

check=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
FAILED=0

OSTRIVAN_PLATFORM=sdl "$check" >"$work/out" 2>&1 &
pid=$!
if ! wait_for_line "$work/out" ready "$pid" 60; then
    cat "$work/out"
    echo "the check program did not get ready"
    kill "$pid" 2>/dev/null
    exit 1
fi
take_screenshot "$work/shot.rgb" || FAILED=1
expect_pixel "$work/shot.rgb" 5 5 "255 0 0" "red corner"
expect_pixel "$work/shot.rgb" 300 400 "0 255 0" "full green"
expect_pixel "$work/shot.rgb" 700 100 "255 255 255" "white"
expect_pixel "$work/shot.rgb" 1000 760 "0 65 132" "dark blue"
xdotool key Escape
wait "$pid"
status=$?
cat "$work/out"
[ "$status" -eq 0 ] || { echo "the check program ended with $status"; FAILED=1; }
grep -q "^event KeyDown target=output vk=27 alt=0$" "$work/out" || { echo "no Escape on the output"; FAILED=1; }
exit "$FAILED"
