#!/usr/bin/env bash
# Installs what Ostrivan needs, builds it and runs it. On a machine with a
# display it runs full screen there; where no display can be reached it runs
# headless on the virtual backend and leaves PNG pictures of the frames and the
# settings dialog in ./ostrivan-frames.
# Usage: scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install_packages.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DOSTRIVAN_BENCHMARKS=OFF >/dev/null
cmake --build build -j "$(nproc)" --target ostrivan

display_reachable() {
  [ -n "${WAYLAND_DISPLAY:-}" ] && return 0
  [ -n "${DISPLAY:-}" ] || return 1
  case "$DISPLAY" in
    :*) local n=${DISPLAY#:}; n=${n%%.*}; [ -S "/tmp/.X11-unix/X$n" ] ;;
    *) return 0 ;;
  esac
}

if display_reachable; then
  exec build/ostrivan
fi

out=ostrivan-frames
rm -rf "$out"
mkdir -p "$out"
# Ten seconds at 60 Hz: each pattern for a while, one picture every half second.
cat >"$out/demo.script" <<'SCRIPT'
at 200 key Right
at 400 key Right
SCRIPT
frames=$(seq -s, 0 30 599)
echo "No display can be reached: running headless on the virtual backend."
OSTRIVAN_PLATFORM=virtual OSTRIVAN_SCRIPT="$out/demo.script" OSTRIVAN_CAPTURE="$out" \
  OSTRIVAN_CAPTURE_FRAMES="$frames" build/ostrivan
echo "Pictures of the dialog and of every 30th frame are in $(pwd)/$out"
