#!/usr/bin/env bash
# screencapture's warm owner, on Xvfb servers of its own: a second capture goes to the owner
# already serving the display, which owns the clipboard anew with a new picture; captures at once
# leave one owner; only processes of its own user may ask it, and a capture never takes another
# user's process for it; once it has lost the clipboard it answers no request and a capture
# starts a new owner.
# Usage: test_capture_owner.sh <bundle dir>   (CLIPBOARD_PROBE: the built clipboard_probe)
set -euo pipefail

bundle=${1:?usage: test_capture_owner.sh <bundle dir>}
tool=$bundle/bin/screencapture
probe=${CLIPBOARD_PROBE:?CLIPBOARD_PROBE must name the built clipboard_probe}
source "$(dirname "$0")/screencapture_helpers.sh"
require "$tool" "$probe" Xvfb xclip display python3 setpriv

owner_pid() { display_processes "$DISPLAY" screencapture; }

start_xvfb 1024x768x24
name="brindlex-screencapture/$(id -u)/$DISPLAY"

# --- Warm: the owner on the display grabs again and owns the clipboard anew. -------------------
show_pattern 1024 768 FF0000 00FF00
capture
owner=$(owner_pid)
[ -n "$owner" ] || fail "no owner after the first capture"
stamp=$(clipboard -t TIMESTAMP)
show_pattern 1024 768 0000FF FFFFFF 000000
sleep 0.05  # the server's clock moves on, so a new ownership has a later time
capture
[ "$(owner_pid)" = "$owner" ] || fail "the second capture did not go to the owner $owner: $(owner_pid)"
clipboard -t image/bmp >"$work/shot.bmp"
same_as_pattern "$work/shot.bmp" || fail "the warm owner's picture is not the screen's new content"
(($(clipboard -t TIMESTAMP) > stamp)) || fail "the warm owner did not own the clipboard anew"

# --- Other users: the owner does not answer them, and a capture does not trust them. ------------
if [ "$(id -u)" = 0 ]; then
  as_nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  stamp=$(clipboard -t TIMESTAMP)
  [ "$("${as_nobody[@]}" "$probe" ask "$name")" = closed ] || fail "the owner answered another user"
  [ "$(clipboard -t TIMESTAMP)" = "$stamp" ] || fail "another user made the owner grab the screen"
  [ "$("$probe" ask "$name")" = answer ] || fail "the owner did not answer its own user"

  take_clipboard_with_text "nobody's turn"
  wait_for_owners 0 3 || fail "the owner $owner still runs after xclip took the clipboard"
  "${as_nobody[@]}" "$probe" listen "$name" >"$work/listen.out" &
  squatter=$!
  for _ in $(seq 100); do [ -s "$work/listen.out" ] && break; sleep 0.02; done
  status=0
  "$tool" -c -x 2>"$work/err" || status=$?
  kill "$squatter" 2>/dev/null || true
  wait "$squatter" 2>/dev/null || true
  [ "$status" = 1 ] || fail "a capture with another user's process at the owner's address ended with $status"
  [ "$(cat "$work/err")" = "screencapture: another user's process listens as this display's owner" ] ||
    fail "a capture with another user's process at the owner's address said \"$(cat "$work/err")\""
else
  echo "note: not root, the checks with another user are skipped"
fi

# --- Captures at once, with no owner and with one: a single owner is left. ----------------------
for round in cold warm; do
  if [ "$round" = cold ]; then
    take_clipboard_with_text "no owner"
    wait_for_owners 0 3 || fail "an owner still runs after xclip took the clipboard"
  fi
  pids=()
  for _ in $(seq 8); do "$tool" -c -x & pids+=($!); done
  for pid in "${pids[@]}"; do wait "$pid" || fail "one of 8 captures at once ($round) failed"; done
  [[ "$(clipboard -t TARGETS)" == *image/bmp* ]] || fail "8 captures at once ($round) left no picture"
  wait_for_owners 1 3 || fail "8 captures at once ($round) left $(owners) owners"
  [ "$(owners)" = 1 ] || fail "8 captures at once ($round) left no owner"
done

# --- After the clipboard is lost: no answer, and the next capture starts a new owner. -----------
owner=$(owner_pid)
# The probe leaves a transfer standing, so the old owner lives on for a while.
[ "$("$probe" after-loss)" = refused ] || fail "the owner answered after it lost the clipboard"
capture
[[ "$(clipboard -t TARGETS)" == *image/bmp* ]] || fail "the capture after the loss left no picture"
new=$(display_processes "$DISPLAY" screencapture | grep -vx "$owner" || true)
[ -n "$new" ] || fail "the capture after the loss went to the owner that had lost the clipboard"

echo "PASS: capture owner"
