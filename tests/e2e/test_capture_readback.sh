#!/usr/bin/env bash
# 300 captures, each read back at once by a fast reader: every read comes within 5 s (the owner
# never sleeps with a request waiting, which cost a reader 10 s), and each is a picture of the
# whole screen. (A second would do on a quiet machine; a busy one shares its processors.)
# Usage: test_capture_readback.sh <bundle dir>   (CLIPBOARD_PROBE: the built clipboard_probe)
set -euo pipefail

bundle=${1:?usage: test_capture_readback.sh <bundle dir>}
tool=$bundle/bin/screencapture
probe=${CLIPBOARD_PROBE:?CLIPBOARD_PROBE must name the built clipboard_probe}
source "$(dirname "$0")/screencapture_helpers.sh"
require "$tool" "$probe" Xvfb

# Larger than one piece: each read is a transfer in pieces.
start_xvfb 1024x768x24
"$probe" captures "$tool" 300 || fail "300 captures read back at once"
echo "PASS: capture readback"
