# Shared by run_readouts_bench.sh and run_readouts_soak.sh: an Xvfb of its own for each run, with
# a known pattern on the root window. Source it; it sets a trap that ends the server.

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

# Starts Xvfb at WxH on a free display number of its own choosing and exports DISPLAY.
start_xvfb() {
  : >"$work/display"
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
  done
  [ -s "$work/display" ] || { echo "$0: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
  export DISPLAY=:$(head -n1 "$work/display")
}

# Four coloured quarters on the root window, so that every read has a known answer; the pointer
# is put in the top right one (FF0000).
show_pattern() {
  local w=${1%x*} h=${1#*x}
  convert -size "$((w / 2))x$((h / 2))" xc:'#0A00FF' xc:'#FF0000' +append \
    \( -size "$((w / 2))x$((h / 2))" xc:'#00FF00' xc:'#FFFFFF' +append \) -append "$work/pattern.png"
  display -window root "$work/pattern.png" || true # ends with 1 even when the root shows it
}

# The screencapture processes on this run's display.
captures_on_display() {
  local pid n=0
  for pid in $(pgrep -x screencapture); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "DISPLAY=$DISPLAY" && ((++n))
  done
  echo "$n"
}
