#!/usr/bin/env bash
# Runs readouts_bench on its own Xvfb at 1920x1080 and at 3840x2160 and prints one Markdown table:
# the readouts' tick through the program's window and services, against a one-pixel XGetImage and
# the maim | xclip pipeline.
# Usage: bench/run_readouts_bench.sh [build folder (default: build)] [repetitions (default: 50)]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
repetitions=${2:-50}
bench=$build/bench/readouts_bench
bundle=$build/Brindlex
for needed in "$bench" "$bundle/bin/screencapture"; do
  [ -x "$needed" ] || { echo "$0: $needed is missing; build readouts_bench first" >&2; exit 1; }
done
for tool in Xvfb maim xclip convert display; do
  command -v "$tool" >/dev/null || { echo "$0: $tool is not installed" >&2; exit 1; }
done
source "$here/readouts_display.sh"

echo "| screen | measurement | median ms | p90 ms | colour read |"
echo "|---|---|---|---|---|"
for size in 1920x1080 3840x2160; do
  start_xvfb "$size"
  show_pattern "$size"
  "$bench" "$bundle" bench "$repetitions" 2> >(grep -v XDG_RUNTIME_DIR >&2)
  stop_xvfb
done
