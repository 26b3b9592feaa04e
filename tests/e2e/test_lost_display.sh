# The X server goes away under the running program, with the readouts off and on: the program
# ends within 2 s with status 1 and one line on stderr, never with a signal, and leaves no
# screencapture behind.
source "$(dirname "$0")/harness.sh"

BOX_AT=(152 767)  # the readouts' check box, in window coordinates

owners_gone() { [ -z "$(e2e_processes screencapture)" ]; }

for readouts in off on; do
  e2e_start_display
  e2e_start_app "$1"
  if [ "$readouts" = on ]; then
    e2e_click "${BOX_AT[@]}"
    e2e_wait_until 5 eval '[ -n "$(e2e_processes screencapture)" ]' ||
      e2e_fail "readouts on: no screencapture ran"
  fi
  before=$(wc -l <"$E2E_APP_ERR")
  app=$E2E_APP_PID

  kill -KILL "$E2E_XVFB_PID"
  e2e_wait_exit 2 || e2e_fail "readouts $readouts: still running 2 s after the X server went"
  [ "$E2E_STATUS" -eq 1 ] || e2e_fail "readouts $readouts: exit status $E2E_STATUS, not 1"
  said=$(tail -n +$((before + 1)) "$E2E_APP_ERR")
  [ "$(grep -c . <<<"$said")" -eq 1 ] && [[ $said == "brindlex: lost the X display "* ]] ||
    e2e_fail "readouts $readouts: not one line about the lost display: $said"
  e2e_wait_until 2 owners_gone ||
    e2e_fail "readouts $readouts: screencapture left running: $(e2e_processes screencapture)"
  [ ! -e "/proc/$app" ] || e2e_fail "readouts $readouts: process $app not reaped"
done
