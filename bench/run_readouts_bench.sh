#!/usr/bin/env bash
# Runs readouts_bench on its own Xvfb at 1920x1080 and at 3840x2160 and prints one Markdown table:
# the readouts' tick through the program's window and services, against a one-pixel XGetImage and
# the maim | xclip pipeline.
# Usage: bench/run_readouts_bench.sh [build folder (default: build)] [repetitions (default: 50)]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
repetitions=${2:-50}
source "$here/xvfb_display.sh"
require_readouts_bench "$build"
require_tools Xvfb maim xclip dbus-run-session

echo "| screen | measurement | median ms | p90 ms | colour read |"
echo "|---|---|---|---|---|"
for size in 1920x1080 3840x2160; do
  start_xvfb "$size"
  # A session bus of its own, as on a desktop (else the toolkit has dbus-launch start one).
  dbus-run-session -- "$bench" "$bundle" bench "$repetitions" 2> >(grep -v -e XDG_RUNTIME_DIR -e "Failed to set fd limit" >&2) || {
    echo "$0: readouts_bench failed on $DISPLAY ($size); the server's log ends:" >&2
    tail -5 "$work/xvfb.log" >&2
    exit 1
  }
  stop_xvfb
done
