# Started on a display, the program shows its window named "Brindlex" and ends with status 0 on
# Ctrl+Q, whatever the session's Qt platform setting says. Without a usable display (none, one
# nobody serves, one that never answers) it says so in one line on stderr and ends with status 1
# within 10 s.
source "$(dirname "$0")/harness.sh"
bin="$1/bin/brindlex"
[ -x "$bin" ] || e2e_fail "no program at $bin"

# A server that takes connections and never answers: a TCP listener on display N's port.
/usr/bin/python3 -c '
import socket, sys, time
s = socket.socket()
for n in range(200, 1000):
    try:
        s.bind(("127.0.0.1", 6000 + n))
        break
    except OSError:
        pass
s.listen(8)
print(n, flush=True)
time.sleep(600)' >"$E2E_TMP/silent" &
e2e_wait_until 10 test -s "$E2E_TMP/silent" || e2e_fail "the silent server did not start"
silent="127.0.0.1:$(head -1 "$E2E_TMP/silent")"

# Each case: how DISPLAY (and the Qt platform) is set for the run.
for case in unset empty unserved silent wayland-without-x missing-plugin; do
  case $case in
    unset) vars=(-u DISPLAY) ;;
    empty) vars=(DISPLAY=) ;;
    unserved) vars=(DISPLAY="$(e2e_unserved_display)") ;;
    silent) vars=(DISPLAY="$silent") ;;
    wayland-without-x) vars=(-u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-0) ;;
    missing-plugin) vars=(DISPLAY="$(e2e_unserved_display)" QT_QPA_PLATFORM=nonesuch) ;;
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
# A Wayland session's settings (with XWayland's display) and a platform that is not installed
# leave the program on X11.
for platform in "" wayland nonesuch; do
  if [ -n "$platform" ]; then export QT_QPA_PLATFORM=$platform; else unset QT_QPA_PLATFORM; fi
  e2e_start_app "$1"
  e2e_key ctrl+q
  e2e_wait_exit 5 || e2e_fail "platform '$platform': still running 5 s after Ctrl+Q"
  [ "$E2E_STATUS" -eq 0 ] || e2e_fail "platform '$platform': exit status $E2E_STATUS after Ctrl+Q, not 0"
done
