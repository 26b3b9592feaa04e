# Started on a display, the program shows its window named "Brindlex" and ends with status 0 on
# Ctrl+Q. Without a usable display it says so in one line on stderr and ends with status 1.
source "$(dirname "$0")/harness.sh"
bin="$1/bin/brindlex"
[ -x "$bin" ] || e2e_fail "no program at $bin"

# Each case: how DISPLAY is set for the run.
for case in unset empty unserved; do
  case $case in
    unset) vars=(-u DISPLAY) ;;
    empty) vars=(DISPLAY=) ;;
    unserved) vars=(DISPLAY="$(e2e_unserved_display)") ;;
  esac
  status=0
  env "${vars[@]}" timeout -k 2 10 "$bin" >"$E2E_TMP/out" 2>"$E2E_TMP/err" || status=$?
  [ "$status" -eq 1 ] ||
    e2e_fail "DISPLAY $case: exit status $status, not 1; stderr: $(head -c 2000 "$E2E_TMP/err")"
  # Exactly one line: one newline, at the end, after some text.
  if [ "$(wc -l <"$E2E_TMP/err")" -ne 1 ] || [ -n "$(tail -c 1 "$E2E_TMP/err")" ] ||
    [ "$(wc -c <"$E2E_TMP/err")" -le 1 ]; then
    e2e_fail "DISPLAY $case: stderr is not one line: $(head -c 2000 "$E2E_TMP/err")"
  fi
done

e2e_start_display
e2e_start_app "$1"
e2e_key ctrl+q
e2e_wait_exit 5 || e2e_fail "still running 5 s after Ctrl+Q"
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "exit status $E2E_STATUS after Ctrl+Q, not 0"
