# Shared by the end-to-end scripts: running inside a fresh Xvfb, waiting for a
# line of output, and reading pixels back from a screenshot.
SCREEN_W=1024
SCREEN_H=768

# The test's X server has no session bus: libdbus is told so rather than trying to start one.
DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-disabled:}
export DBUS_SESSION_BUS_ADDRESS
# In the sanitizer build, memory errors and undefined behaviour are still checked here, but not
# leaks: the GL driver (Mesa) leaks once per process and SDL unloads it before the leak check
# runs, so its allocations cannot even be attributed, let alone suppressed.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
export ASAN_OPTIONS

# Re-runs the calling script inside its own X server unless it already is; skips (77) without xvfb-run.
run_inside_xvfb() {
    if [ "${E2E_INSIDE_XVFB:-}" = 1 ]; then
        return 0
    fi
    if ! command -v xvfb-run >/dev/null 2>&1; then
        echo "xvfb-run is missing: skipped"
        exit 77
    fi
    E2E_INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 ${SCREEN_W}x${SCREEN_H}x24" sh "$0" "$@"
}

# wait_for_line FILE TEXT PID SECONDS: true once FILE has a line TEXT; false when PID ends or time runs out.
wait_for_line() {
    tries=$(($4 * 10))
    while [ "$tries" -gt 0 ]; do
        grep -qx "$2" "$1" 2>/dev/null && return 0
        kill -0 "$3" 2>/dev/null || return 1
        sleep 0.1
        tries=$((tries - 1))
    done
    return 1
}

# take_screenshot RGBFILE: the whole screen as raw 8-bit RGB.
take_screenshot() {
    xwd -root -silent >"$1.xwd" && convert "$1.xwd" -depth 8 "rgb:$1"
}

# pixel RGBFILE X Y: prints "R G B".
pixel() {
    od -An -tu1 -j $((($3 * SCREEN_W + $2) * 3)) -N3 "$1" | tr -s ' ' | sed 's/^ //'
}

# expect_pixel RGBFILE X Y "R G B" WHAT: reports a mismatch and sets FAILED.
expect_pixel() {
    got=$(pixel "$1" "$2" "$3")
    if [ "$got" != "$4" ]; then
        echo "pixel ($2, $3), $5: expected ($4), got ($got)"
        FAILED=1
    fi
}

# wait_for_window NAME WIDTH HEIGHT PID SECONDS: prints the id of a visible window NAME of that size
# once there is one; false when PID ends or time runs out.
wait_for_window() {
    tries=$(($5 * 10))
    while [ "$tries" -gt 0 ]; do
        for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
            if xdotool getwindowgeometry "$id" 2>/dev/null | grep -q "Geometry: $2x$3\$"; then
                echo "$id"
                return 0
            fi
        done
        kill -0 "$4" 2>/dev/null || return 1
        sleep 0.1
        tries=$((tries - 1))
    done
    return 1
}

# wait_for_exit PID SECONDS: the process's exit status; 124 (and the process killed) when it outlives SECONDS.
wait_for_exit() {
    tries=$(($2 * 10))
    while kill -0 "$1" 2>/dev/null && [ "$tries" -gt 0 ]; do
        sleep 0.1
        tries=$((tries - 1))
    done
    if kill -0 "$1" 2>/dev/null; then
        kill -KILL "$1" 2>/dev/null
        wait "$1"
        return 124
    fi
    wait "$1"
}
