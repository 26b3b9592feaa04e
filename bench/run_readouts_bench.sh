#!/usr/bin/env bash
# Runs readouts_bench on its own Xvfb at each screen size and prints one Markdown table: the
# readouts' tick through the program's window and services, the floor measured in the same run,
# and the pipelines a user would otherwise script, with the ratios.
# Usage: bench/run_readouts_bench.sh [build folder (default: build)] [ticks (default: 30)]
#        [sizes (default: "1920x1080 3840x2160 7680x2160 7680x4320")]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
repetitions=${2:-30}
sizes=${3:-1920x1080 3840x2160 7680x2160 7680x4320}
source "$here/xvfb_display.sh"
require_readouts_bench "$build"
require_tools Xvfb scrot maim xclip dbus-run-session

echo "| screen | tick median ms | min | max | ticks/s | warm XShmGetImage ms | specified work ms | tick / work | scrot + xclip ms | maim -u \| xclip ms | scrot / tick | maim / tick | colour: tick, work, scrot, maim |"
echo "|---|---|---|---|---|---|---|---|---|---|---|---|---|"
for size in $sizes; do
  start_xvfb "$size"
  # A session bus of its own, as on a desktop (else the toolkit has dbus-launch start one).
  dbus-run-session -- "$bench" "$bundle" bench "$repetitions" 2> >(grep -v -e XDG_RUNTIME_DIR -e "Failed to set fd limit" >&2) || {
    echo "$0: readouts_bench failed on $DISPLAY ($size); the server's log ends:" >&2
    tail -5 "$work/xvfb.log" >&2
    exit 1
  }
  stop_xvfb
done
