#!/usr/bin/env bash
# screencapture's owner under a flood of requests naming windows that do not exist: the work
# stays in proportion to the requests (no bookkeeping that grows with the square of them), and
# the owner still hands the picture over afterwards.
# Usage: test_capture_flood.sh <bundle dir>   (CLIPBOARD_PROBE: the built clipboard_probe)
set -euo pipefail

bundle=${1:?usage: test_capture_flood.sh <bundle dir>}
tool=$bundle/bin/screencapture
probe=${CLIPBOARD_PROBE:?CLIPBOARD_PROBE must name the built clipboard_probe}
source "$(dirname "$0")/screencapture_helpers.sh"
require "$tool" "$probe" Xvfb

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

start_xvfb 1024x768x24
capture
owner=$(display_processes "$DISPLAY" screencapture)
[ -n "$owner" ] || fail "no owner after a capture"
before=$(cpu_ticks "$owner")
# 200,000 requests: some 3 s of the owner's time when each costs the same, half a minute and more
# when each one looks through all the others.
timeout 100 "$probe" flood 200000 >/dev/null || fail "no picture after a flood of bogus requests"
seconds=$((($(cpu_ticks "$owner") - before) / $(getconf CLK_TCK)))
((seconds < 10)) || fail "the owner spent $seconds s of processor time on a flood of bogus requests"
wait_for_owners 1 12 || fail "$(owners) owners after the flood"
echo "PASS: capture flood ($seconds s of the owner's time)"
