#!/usr/bin/env bash
# Soak of the live readouts: 3,000 ticks at full speed of the real KeyTimer_Run (real keyboard,
# pointer, shell, clipboard and the bundle's screencapture) in the program's own window on an Xvfb
# of its own. Passes when the run leaves no extra processes (no unreaped children during it, at
# most one clipboard owner after any tick, none once another program takes the clipboard), its
# resident memory after the last tick is within 10 % of that after tick 100, the X resources of
# the server's clients and our open descriptors have not grown since then, and it leaves no X
# connection open.
# Usage: bench/run_readouts_soak.sh [build folder (default: build)] [ticks (default: 3000)]
#        [screen (default: 3840x2160)]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
ticks=${2:-3000}
size=${3:-3840x2160}
source "$here/xvfb_display.sh"
require_readouts_bench "$build"
require_tools Xvfb xclip xrestop dbus-run-session

failures=0
check() { # check WHAT CONDITION...
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}

start_xvfb "$size"
# In a session bus of its own, as on a desktop: without one the toolkit would have dbus-launch start
# a bus, which stays connected to the display after the program.
dbus-run-session -- "$bench" "$bundle" soak "$ticks" >"$work/soak.out" 2> >(grep -v -e XDG_RUNTIME_DIR -e "Failed to set fd limit" >&2)
cat "$work/soak.out"
value() { sed -n "s/^$1 //p" "$work/soak.out"; }

first=$(value rss_kib_after_first) last=$(value rss_kib_after_last)
echo "rss growth: $(awk -v a="$first" -v b="$last" 'BEGIN { printf "%+.1f", (b - a) * 100 / a }') %"
check "memory after the last tick within 10 % of that after tick 100 ($first KiB, $last KiB)" \
  test $((last * 100)) -le $((first * 110)) -a $((last * 100)) -ge $((first * 90))
check "the same X clients after tick 100 and after the last" \
  test "$(value x_clients_after_first)" = "$(value x_clients_after_last)"
check "X resources not grown ($(value x_resources_after_first), $(value x_resources_after_last))" \
  test "$(value x_resources_after_last)" -le "$(value x_resources_after_first)"
check "pixmap bytes not grown ($(value x_pixmap_bytes_after_first), $(value x_pixmap_bytes_after_last))" \
  test "$(value x_pixmap_bytes_after_last)" -le "$(value x_pixmap_bytes_after_first)"
check "open descriptors not grown ($(value descriptors_after_first), $(value descriptors_after_last))" \
  test "$(value descriptors_after_last)" -le "$(value descriptors_after_first)"
check "at most one clipboard owner after any tick (most: $(value most_owners))" test "$(value most_owners)" -le 1
check "no unreaped children after the last tick" test "$(value zombies_after_last)" = 0
check "no children left after the last tick" test "$(value children_after_last)" = 0
# After the program has closed its own connections, only the last capture's clipboard owner is
# connected, and it is the only screencapture process on the display.
check "one X client (the clipboard's owner) once the program is done" \
  test "$(value x_clients_at_exit)" = 1
check "one screencapture process once the program is done" test "$(captures_on_display)" = 1

# Another program takes the clipboard: the owner ends, and nothing of the run stays connected.
# xclip stays in the foreground (-quiet) and ends after serving one paste (-loops 1).
echo soak | xclip -selection clipboard -quiet -loops 1 >/dev/null 2>&1 &
xclip_pid=$!
for _ in $(seq 50); do [ "$(captures_on_display)" = 0 ] && break; sleep 0.1; done
check "no screencapture process once another program owns the clipboard" \
  test "$(captures_on_display)" = 0
[ "$(xclip -selection clipboard -o)" = soak ] || echo "warning: the clipboard does not hold xclip's text"
wait "$xclip_pid" || true
clients=$(grep -c " 03 .*/tmp/.X11-unix/X${DISPLAY#:}\$" /proc/net/unix || true)
check "no X connection left open (found $clients)" test "$clients" = 0

stop_xvfb
if ((failures)); then
  echo "soak: $failures check(s) failed"
  exit 1
fi
echo "soak: all checks passed"
