#!/bin/sh
# Without a display the program neither hangs nor runs invisibly: Direct3DCreate9 fails, the error
# goes to standard error as one line (no message box can be shown), and the exit code is 0. SDL's
# silent fallbacks to its offscreen and dummy drivers count as no display.
# Usage: no_display.sh PATH_TO_ostrivan
. "$(dirname "$0")/e2e_common.sh"

program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
FAILED=0

# One case a line: a name, then the environment the program gets beyond the cleared display.
while read -r name settings; do
    env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER OSTRIVAN_PLATFORM=sdl $settings \
        timeout 20 "$program" >"$work/out" 2>"$work/err"
    status=$?
    if [ "$status" -ne 0 ] || ! grep -qx "Error: Failed Direct3DCreate9" "$work/err"; then
        echo "$name: exit status $status, standard error:"
        cat "$work/err"
        FAILED=1
    fi
done <<'CASES'
no-DISPLAY
dead-DISPLAY DISPLAY=:97
no-DISPLAY-with-runtime-dir XDG_RUNTIME_DIR=/tmp
dummy-driver SDL_VIDEODRIVER=dummy
offscreen-driver SDL_VIDEODRIVER=offscreen
unknown-driver SDL_VIDEODRIVER=nonesuch
CASES
exit "$FAILED"
