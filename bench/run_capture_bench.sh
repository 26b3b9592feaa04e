#!/usr/bin/env bash
# Runs capture_bench on its own Xvfb at 1920x1080 and at 3840x2160 and prints one Markdown table.
# Usage: bench/run_capture_bench.sh [build folder (default: build)] [repetitions (default: 50)]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
repetitions=${2:-50}
bench=$build/bench/capture_bench
bin=$build/Brindlex/bin
for needed in "$bench" "$bin/screencapture"; do
  [ -x "$needed" ] || { echo "run_capture_bench: $needed is missing; build the tests first" >&2; exit 1; }
done
# shellcheck source=bench/xvfb_display.sh
source "$here/xvfb_display.sh"
require_tools Xvfb maim xclip convert display

# Four coloured quarters on the root window, so that every read has a known answer.
show_pattern() {
  local w=${1%x*} h=${1#*x}
  convert -size "$((w / 2))x$((h / 2))" xc:'#0A00FF' xc:'#FF0000' +append \
    \( -size "$((w / 2))x$((h / 2))" xc:'#00FF00' xc:'#FFFFFF' +append \) -append "$work/pattern.png"
  display -window root "$work/pattern.png" || true  # ends with 1 even when the root shows it
}

export QT_QPA_PLATFORM=xcb
echo "| screen | measurement | median ms | p90 ms | colour read |"
echo "|---|---|---|---|---|"
for size in 1920x1080 3840x2160; do
  start_xvfb "$size"
  show_pattern "$size"
  "$bench" "$bin" "$repetitions" 2> >(grep -v XDG_RUNTIME_DIR >&2)
  stop_xvfb
done
