#!/usr/bin/env bash
# Regenerates the whole-frame reference pictures of the pattern tests
# (tests/patterns/reference/frame-NNNNNN.png) from the built program on the
# virtual backend. Look at every picture before committing it.
# Usage: scripts/make_reference_frames.sh [build directory, default: build]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
reference=$root/tests/patterns/reference
frames=75,105,110

capture=$(mktemp -d)
trap 'rm -rf "$capture"' EXIT

# Only the settings below may shape the run.
for name in $(env | sed -n 's/^\(OSTRIVAN_[A-Z_]*\)=.*/\1/p'); do
  unset "$name"
done
OSTRIVAN_PLATFORM=virtual OSTRIVAN_SCRIPT="$reference/frames.script" OSTRIVAN_CAPTURE="$capture" \
  OSTRIVAN_CAPTURE_FRAMES=$frames OSTRIVAN_VIRTUAL_FRAMES=111 "$build/ostrivan"

rm -f "$reference"/frame-*.png
cp "$capture"/frame-*.png "$reference"/
ls -l "$reference"/frame-*.png
