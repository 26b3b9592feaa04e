#!/usr/bin/env bash
# screencapture for real, on Xvfb servers of its own: the picture it leaves on the CLIPBOARD
# matches the screen pixel for pixel (shared memory and plain reads, a padded row, a 16-bit
# screen, a transfer in pieces), it fails with one line and a status, its background owner ends
# when another client takes the clipboard or the server goes, and owners do not pile up.
# Usage: test_screencapture.sh <bundle dir>
set -euo pipefail

bundle=${1:?usage: test_screencapture.sh <bundle dir>}
tool=$bundle/bin/screencapture
source "$(dirname "$0")/screencapture_helpers.sh"
require "$tool" Xvfb xclip display python3

# --- Command line and display errors: one line, status 1 or 2. --------------------------------
check_error() {  # <status> <message> <command...>
  local want_status=$1 want_message=$2 status=0
  shift 2
  "$@" >"$work/out" 2>"$work/err" || status=$?
  [ "$status" = "$want_status" ] || fail "$* ended with $status, not $want_status"
  [ ! -s "$work/out" ] || fail "$* wrote to stdout: $(cat "$work/out")"
  [ "$(cat "$work/err")" = "$want_message" ] || fail "$* said \"$(cat "$work/err")\", not \"$want_message\""
}
dead=:$((900 + RANDOM % 90))
while [ -e "/tmp/.X11-unix/X${dead#:}" ]; do dead=:$((${dead#:} + 1)); done
check_error 1 "screencapture: cannot open display (DISPLAY is not set)" env -u DISPLAY "$tool" -c -x
check_error 1 "screencapture: cannot open display $dead" env DISPLAY="$dead" "$tool" -c -x
usage="(usage: screencapture -c [-x])"
check_error 2 "screencapture: only -c, to the clipboard, is supported $usage" "$tool"
check_error 2 "screencapture: only -c, to the clipboard, is supported $usage" "$tool" -x
check_error 2 "screencapture: unknown option \"-t\" $usage" "$tool" -c -t png
check_error 2 "screencapture: unknown option \"--help\" $usage" "$tool" --help
check_error 2 "screencapture: unexpected argument \"shot.png\" $usage" "$tool" -c shot.png

# --- A picture larger than one piece, through shared memory. ------------------------------------
start_xvfb 1024x768x24
show_pattern 1024 768
capture
[ "$(clipboard -t TARGETS | sort | tr '\n' ' ')" = "TARGETS TIMESTAMP image/bmp " ] ||
  fail "targets are $(clipboard -t TARGETS | tr '\n' ' ')"
[[ "$(clipboard -t TIMESTAMP)" =~ ^[0-9]+$ ]] || fail "TIMESTAMP is not a number"
clipboard -t image/bmp >"$work/shot.bmp"
same_as_pattern "$work/shot.bmp" || fail "the 1024x768 picture differs from the screen"
# Two readers at once, each with its own transfer in pieces.
clipboard -t image/bmp >"$work/a.bmp" &
clipboard -t image/bmp >"$work/b.bmp"
wait $!
{ cmp -s "$work/a.bmp" "$work/shot.bmp" && cmp -s "$work/b.bmp" "$work/shot.bmp"; } ||
  fail "two readers at once did not both get the picture"

# The command ends only once its owner holds the clipboard: a reader right after it never finds
# the text that was there before.
for _ in $(seq 5); do
  take_clipboard_with_text before
  capture
  [[ "$(clipboard -t TARGETS)" == *image/bmp* ]] || fail "a reader right after the command found the old clipboard"
done

# The owner lets go of the caller's output: reading the command's output does not wait for the
# clipboard to change hands.
start=$(date +%s%N)
# shellcheck disable=SC2016  # expanded by the inner shell
timeout 5 bash -c 'output=$("$1" -c -x) && [ -z "$output" ]' _ "$tool" ||
  fail "\$(screencapture -c -x) did not end, or printed something"
[ $((($(date +%s%N) - start) / 1000000)) -lt 2000 ] || fail "\$(screencapture -c -x) waited for its owner"

# One owner at a time: each new one ends the one before, and another client's copy ends the last.
for _ in $(seq 20); do capture; done
wait_for_owners 1 3 || fail "20 captures left $(owners) owners"
[ "$(owners)" = 1 ] || fail "no owner is left after 20 captures"
owner=$(display_processes "$DISPLAY" screencapture)
take_clipboard_with_text after
wait_for_end "$owner" 3 || fail "the owner $owner still runs after xclip took the clipboard"

# --- Plain XGetImage (no MIT-SHM), and rows that need padding: 641 * 3 bytes. -------------------
start_xvfb 641x479x24 -extension MIT-SHM
show_pattern 641 479
capture
clipboard -t image/bmp >"$work/shot.bmp"
same_as_pattern "$work/shot.bmp" || fail "the 641x479 picture read without shared memory differs from the screen"

# --- A 16-bit screen: pixels unpacked by their masks. ------------------------------------------
start_xvfb 320x240x16
show_pattern 320 240 FF0000 00FF00 0000FF FFFFFF 000000 FF00FF
capture
clipboard -t image/bmp >"$work/shot.bmp"
same_as_pattern "$work/shot.bmp" || fail "the 16-bit screen's picture differs from the screen"

# --- The server goes: its owner goes with it. ----------------------------------------------------
capture
wait_for_owners 1 3 || fail "more than one owner on the 16-bit screen"
owner=$(display_processes "$DISPLAY" screencapture)
[ -n "$owner" ] || fail "no owner on the 16-bit screen"
last=${servers[-1]}
kill "${last%%:*}"
wait "${last%%:*}" 2>/dev/null || true
wait_for_end "$owner" 3 || fail "the owner $owner outlived its X server"

echo "PASS: screencapture"
