# An Xvfb of its own for each benchmark run (run_capture_bench.sh, run_readouts_bench.sh,
# run_readouts_soak.sh). Source it; it sets a trap that ends the server.

# Fails unless each named program is installed.
require_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "$0: $tool is not installed" >&2; exit 1; }
  done
}

# Sets bench and bundle from the build folder BUILD and fails unless readouts_bench and the
# bundle's screencapture are built.
require_readouts_bench() {
  bench=$1/bench/readouts_bench
  bundle=$1/Brindlex
  local needed
  for needed in "$bench" "$bundle/bin/screencapture"; do
    [ -x "$needed" ] || { echo "$0: $needed is missing; build readouts_bench first" >&2; exit 1; }
  done
}

work=$(mktemp -d)
xvfb=""
stop_xvfb() {
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    xvfb=""
  fi
}
trap 'stop_xvfb; rm -rf "$work"' EXIT

# Starts Xvfb at WxH on a display number that no server uses and exports DISPLAY. The number is
# chosen here, from 400 up, clear of the low numbers that -displayfd hands out first and that
# other runs on the machine take, and checked against both the lock files and the sockets in use.
start_xvfb() {
  local n
  for ((n = 400; n < 600; n++)); do
    [ -e "/tmp/.X$n-lock" ] || grep -q "/tmp/.X11-unix/X$n\$" /proc/net/unix || break
  done
  : >"$work/display"
  Xvfb ":$n" -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
  done
  [ -s "$work/display" ] || { echo "$0: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
  export DISPLAY=":$n"
}

# The screencapture processes on this run's display.
captures_on_display() {
  local pid n=0
  for pid in $(pgrep -x screencapture); do
    { tr "\0" "\n" <"/proc/$pid/environ" | grep -qx "DISPLAY=$DISPLAY"; } 2>/dev/null && ((++n))
  done
  echo "$n"
}
