# Shared set-up for the end-to-end tests. Each test_*.sh runs as "bash test_x.sh <bundle dir>"
# and passes with exit status 0; it sources this file:
#
#   source "$(dirname "$0")/harness.sh"
#   e2e_start_display                    # Xvfb + D-Bus session + accessibility bus + openbox
#   e2e_start_app "$1"                   # bin/brindlex; waits for its window: E2E_WID, E2E_APP_PID
#   [ "$(e2e_label_at 20 900)" = "X:" ]  # read through accessibility, in window coordinates
#   e2e_key ctrl+q
#   e2e_wait_exit 5                      # E2E_STATUS = its exit status
#   [ "$E2E_STATUS" -eq 0 ]
#
# Each test gets its own Xvfb display (a free number from 100 up), openbox, a D-Bus session and the
# accessibility bus in it, and its own XDG folders, so tests can run side by side. The harness turns
# on errexit, nounset and pipefail: the first failing command fails the test, names its line, saves
# a screenshot to <build>/e2e-failures/<test>.png and shows the program's output. Every process the
# test started is ended on exit, including daemons it spawned (found by a tag in their environment).
# Under errexit "! cmd" never fails a test: write "cmd && e2e_fail why" for a check that cmd fails.
# E2E_TMP is the test's own scratch folder, removed at the end.

# shellcheck disable=SC2034  # E2E_* variables set here are read by the tests
set -eEuo pipefail

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_TEST=$(basename "$0" .sh)
# The bundle is the test's first argument; the failure screenshots go beside it, in the build folder.
E2E_BUNDLE=${1:-}
E2E_START_TIMEOUT=${E2E_START_TIMEOUT:-10}
E2E_RUN_ID="e2e-$$-${RANDOM}${RANDOM}"
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/$E2E_TEST.XXXXXX")
E2E_PIDS=()         # every process started here, in start order
E2E_XVFB_PID=""
E2E_APP_PID=""
E2E_APP_OUT="$E2E_TMP/app.out"
E2E_APP_ERR="$E2E_TMP/app.err"
E2E_STATUS=""
E2E_WID=""
export E2E_RUN_ID

# Nothing from the caller's desktop reaches a test: no display, no session bus, no settings.
unset DISPLAY WAYLAND_DISPLAY XAUTHORITY DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM \
  SESSION_MANAGER XDG_SESSION_TYPE AT_SPI_BUS_ADDRESS
export XDG_RUNTIME_DIR="$E2E_TMP/runtime" XDG_CONFIG_HOME="$E2E_TMP/config" \
  XDG_CACHE_HOME="$E2E_TMP/cache" XDG_DATA_HOME="$E2E_TMP/data"
mkdir -m 700 "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME"

e2e_log() { echo "e2e[$E2E_TEST]: $*" >&2; }

# Fails the test with a message.
e2e_fail() {
  e2e_log "FAIL: $*"
  exit 1
}

e2e__micros() { # "1.5" -> 1500000
  local whole=${1%%.*} part=000000
  [[ $1 == *.* ]] && part="${1#*.}000000"
  echo $((10#${whole:-0} * 1000000 + 10#${part:0:6}))
}

# Runs a command every 0.1 s until it succeeds or SECONDS (may be fractional) pass; returns 1 on
# timeout.
e2e_wait_until() {
  local seconds=$1
  shift
  local now deadline
  now=${EPOCHREALTIME/./}
  deadline=$((now + $(e2e__micros "$seconds")))
  while true; do
    "$@" && return 0
    now=${EPOCHREALTIME/./}
    ((now < deadline)) || return 1
    sleep 0.1
  done
}

e2e__alive() { # true while the process runs (a zombie counts as ended)
  local stat
  { read -r stat <"/proc/$1/stat"; } 2>/dev/null || return 1
  stat=${stat##*) }
  [ "${stat%% *}" != Z ]
}
e2e__ended() { ! e2e__alive "$1"; }

# Waits up to SECONDS for a process started here (the program by default) to end. Sets E2E_STATUS
# to its exit status (128+N after signal N) and returns 0; on timeout sets E2E_STATUS=124 and
# returns 1, leaving the process running.
e2e_wait_exit() {
  local seconds=$1 pid=${2:-$E2E_APP_PID}
  [ -n "$pid" ] || e2e_fail "e2e_wait_exit: no process to wait for"
  if ! e2e_wait_until "$seconds" e2e__ended "$pid"; then
    E2E_STATUS=124
    return 1
  fi
  E2E_STATUS=0
  wait "$pid" 2>/dev/null || E2E_STATUS=$?
  [ "$pid" != "$E2E_APP_PID" ] || E2E_APP_PID=""
  return 0
}

e2e__start() { # starts a command in the background and remembers it; sets E2E_LAST_PID
  "$@" &
  E2E_LAST_PID=$!
  E2E_PIDS+=("$E2E_LAST_PID")
}

e2e__wm_up() {
  local root wid own
  root=$(xprop -root -notype _NET_SUPPORTING_WM_CHECK 2>/dev/null) || return 1
  wid=${root##*# }
  [[ $wid == 0x* ]] || return 1
  own=$(xprop -id "$wid" -notype _NET_SUPPORTING_WM_CHECK 2>/dev/null) || return 1
  [ "${own##*# }" = "$wid" ]
}

e2e__display_taken() { # a live server holds the lock of display N
  local pid
  { read -r pid <"/tmp/.X$1-lock"; } 2>/dev/null || return 1
  [[ $pid =~ ^[0-9]+$ ]] && e2e__alive "$pid"
}

# Starts Xvfb (24-bit, WxH, default 1920x1080) on a free display, a D-Bus session with the
# accessibility bus, and openbox; returns once the window manager is up. Exports DISPLAY and
# DBUS_SESSION_BUS_ADDRESS, and sets E2E_SCREEN_W and E2E_SCREEN_H.
e2e_start_display() {
  local size=${1:-1920x1080} n ready
  [[ $size =~ ^([0-9]+)x([0-9]+)$ ]] || e2e_fail "e2e_start_display: size must be WxH, not '$size'"
  E2E_SCREEN_W=${BASH_REMATCH[1]} E2E_SCREEN_H=${BASH_REMATCH[2]}
  for ((n = ${E2E_DISPLAY_BASE:-100}; ; n++)); do
    ((n < ${E2E_DISPLAY_BASE:-100} + 200)) || e2e_fail "no free X display number"
    e2e__display_taken "$n" && continue
    ready="$E2E_TMP/xvfb.$n.ready"
    # -displayfd: Xvfb writes the display number once it accepts clients.
    e2e__start Xvfb ":$n" -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset \
      3>"$ready" >"$E2E_TMP/xvfb.log" 2>&1
    E2E_XVFB_PID=$E2E_LAST_PID
    # shellcheck disable=SC2016  # expanded by eval, at each try
    e2e_wait_until 10 eval '[ -s "$ready" ] || ! e2e__alive $E2E_XVFB_PID' || true
    [ -s "$ready" ] && break
    if e2e__alive "$E2E_XVFB_PID"; then
      e2e_fail "Xvfb :$n did not start within 10 s: $(tail -3 "$E2E_TMP/xvfb.log")"
    fi
    wait "$E2E_XVFB_PID" 2>/dev/null || true # display taken meanwhile: try the next
  done
  export DISPLAY=":$n"

  # The session bus; the program and the accessibility reader share it. Started after DISPLAY is
  # set, so that the services it starts (the accessibility bus) see the display too.
  e2e__start dbus-daemon --session --nofork --nopidfile --address="unix:path=$E2E_TMP/bus" \
    --print-address=4 4>"$E2E_TMP/bus.address" >"$E2E_TMP/dbus.log" 2>&1
  e2e_wait_until 10 test -s "$E2E_TMP/bus.address" || e2e_fail "dbus-daemon did not start"
  DBUS_SESSION_BUS_ADDRESS=$(head -1 "$E2E_TMP/bus.address")
  export DBUS_SESSION_BUS_ADDRESS
  # Start the accessibility bus now rather than when the program first asks for it.
  dbus-send --session --print-reply=literal --reply-timeout=10000 --dest=org.a11y.Bus \
    /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null || e2e_fail "the accessibility bus did not start"

  e2e__start openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1
  e2e_wait_until 10 e2e__wm_up || e2e_fail "openbox did not come up: $(tail -3 "$E2E_TMP/openbox.log")"
}

e2e__find_window() { # the visible top-level named "Brindlex" of the program, in E2E_WID
  local ids id pid
  ids=$(xdotool search --onlyvisible --name '^Brindlex$' 2>/dev/null) || return 1
  E2E_WID=""
  for id in $ids; do
    pid=$(xdotool getwindowpid "$id" 2>/dev/null) || pid=""
    if [ -z "$pid" ] || [ "$pid" = "$E2E_APP_PID" ]; then
      [ -z "$E2E_WID" ] || e2e_log "more than one window named Brindlex: $ids"
      E2E_WID=$id
    fi
  done
  [ -n "$E2E_WID" ]
}

# Starts BUNDLE/bin/brindlex [ARGS] on the test's display, with accessibility on, and waits up to
# E2E_START_TIMEOUT s for its visible window named "Brindlex". Sets E2E_APP_PID, E2E_WID (decimal
# window id) and the window's client area on the screen: E2E_WIN_X, E2E_WIN_Y, E2E_WIN_W,
# E2E_WIN_H. Then makes sure the window has the keyboard focus, as after a person's click.
# The program's output goes to E2E_APP_OUT and E2E_APP_ERR.
e2e_start_app() {
  local bundle=${1:?e2e_start_app: bundle folder}
  shift
  E2E_BUNDLE=$bundle
  local bin="$bundle/bin/brindlex"
  [ -x "$bin" ] || e2e_fail "no program at $bin"
  [ -n "${DISPLAY:-}" ] || e2e_fail "e2e_start_app before e2e_start_display"
  : >"$E2E_APP_OUT"
  : >"$E2E_APP_ERR"
  e2e__start env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$bin" "$@" >"$E2E_APP_OUT" 2>"$E2E_APP_ERR"
  E2E_APP_PID=$E2E_LAST_PID
  local tries=$((E2E_START_TIMEOUT * 10))
  until e2e__find_window; do
    if ! e2e__alive "$E2E_APP_PID"; then
      e2e_wait_exit 0
      e2e_fail "brindlex ended with status $E2E_STATUS before showing its window"
    fi
    ((tries-- > 0)) || e2e_fail "no visible window named Brindlex after $E2E_START_TIMEOUT s"
    sleep 0.1
  done
  export E2E_WID
  e2e_window_geometry "$E2E_WID"
  # openbox focuses a new window; if it did not, do what a click would.
  if ! e2e_wait_until 2 e2e__focused; then
    xdotool windowactivate --sync "$E2E_WID" 2>/dev/null || true
    e2e_wait_until 2 e2e__focused || e2e_log "warning: the Brindlex window did not get the focus"
  fi
}

# Sets E2E_WIN_X, E2E_WIN_Y (top-left of the window's client area on the screen), E2E_WIN_W and
# E2E_WIN_H from the X server, for window WID (default the program's). (xdotool getwindowgeometry
# adds the frame's offset twice.)
e2e_window_geometry() {
  local info
  info=$(xwininfo -id "${1:-$E2E_WID}") || return 1
  E2E_WIN_X=$(sed -n 's/^ *Absolute upper-left X: *\(-\?[0-9]*\)$/\1/p' <<<"$info")
  E2E_WIN_Y=$(sed -n 's/^ *Absolute upper-left Y: *\(-\?[0-9]*\)$/\1/p' <<<"$info")
  E2E_WIN_W=$(sed -n 's/^ *Width: *\([0-9]*\)$/\1/p' <<<"$info")
  E2E_WIN_H=$(sed -n 's/^ *Height: *\([0-9]*\)$/\1/p' <<<"$info")
}

# The window manager's active window and the X input focus are both the program's window.
e2e__focused() {
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$E2E_WID" ] &&
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$E2E_WID" ]
}

# Types keys (xdotool key names, e.g. ctrl+q, Return, KP_Enter) into the program's window as a
# keyboard would: through XTEST to the focused window, after giving it the focus if it lost it.
e2e_key() {
  if ! e2e__focused; then
    xdotool windowactivate --sync "$E2E_WID" 2>/dev/null || true
    e2e_wait_until 2 e2e__focused || e2e_fail "cannot give the Brindlex window the focus"
  fi
  xdotool key --delay 20 "$@"
}

# Prints a display name (":N") that no X server serves.
e2e_unserved_display() {
  local n
  for ((n = 5000 + $$ % 1000; ; n++)); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { echo ":$n"; return 0; }
  done
}

# Saves a picture of the whole screen as PNG.
e2e_screenshot() {
  local file=${1:?e2e_screenshot: file}
  [ -n "${DISPLAY:-}" ] || { e2e_log "no display to capture"; return 1; }
  import -display "$DISPLAY" -window root "$file" 2>/dev/null ||
    { xwd -root -silent -display "$DISPLAY" | convert xwd:- "png:$file"; }
}

# Prints the program's accessible labels, text fields and check boxes as JSON lines; the
# arguments go to a11y.py (e.g. --roles all, --wait 5).
e2e_a11y_dump() {
  [ -n "$E2E_APP_PID" ] || e2e_fail "e2e_a11y_dump: the program is not running"
  /usr/bin/python3 "$E2E_DIR/a11y.py" --pid "$E2E_APP_PID" "$@"
}

# Window coordinates are the program's own: (0, 0) is the top-left of the window's content, below
# its menu bar. e2e_content_origin sets E2E_CONTENT_X and E2E_CONTENT_Y, its place on the screen
# (read through accessibility, where the menu bar is).
e2e_content_origin() {
  local origin
  origin=$(e2e_a11y_dump --origin) || e2e_fail "cannot read the window's content origin"
  read -r E2E_CONTENT_X E2E_CONTENT_Y <<<"$origin"
}

# Moves the pointer to X,Y in window coordinates; e2e_click also clicks there (BUTTON, default 1).
e2e_move() {
  [ -n "${E2E_CONTENT_X:-}" ] || e2e_content_origin
  xdotool mousemove --sync $((E2E_CONTENT_X + $1)) $((E2E_CONTENT_Y + $2))
}
e2e_click() {
  e2e_move "$1" "$2"
  xdotool click "${3:-1}"
}

# Prints the text of the showing label (or, with e2e_field_at, text field) whose extents hold the
# point X,Y in window coordinates; the smallest such node when several hold it. Fails when there
# is none.
e2e_label_at() { e2e__text_at label name "$@"; }
e2e_field_at() { e2e__text_at text text "$@"; }
e2e__text_at() {
  local role=$1 key=$2 x=$3 y=$4
  e2e_a11y_dump --roles "$role" --at "$x,$y" --showing --field "$key" --first
}

e2e__tagged() { # pids of running processes that carry this run's tag, but not this shell
  local f pid env
  for f in /proc/[0-9]*/environ; do
    pid=${f#/proc/}
    pid=${pid%/environ}
    if [ "$pid" = $$ ] || [ "$pid" = "$BASHPID" ]; then continue; fi
    { mapfile -d '' env <"$f"; } 2>/dev/null || continue
    [[ " ${env[*]} " == *" E2E_RUN_ID=$E2E_RUN_ID "* ]] && e2e__alive "$pid" && echo "$pid"
  done
  return 0
}

# Prints the pids of this run's running processes named NAME (e.g. screencapture), one a line.
e2e_processes() {
  local pid tagged
  tagged=" $(e2e__tagged | tr '\n' ' ') "
  for pid in $(pgrep -x "$1" || true); do
    [[ $tagged == *" $pid "* ]] && echo "$pid"
  done
  return 0
}

e2e__stop() { # TERM, then KILL what is left after 2 s
  [ $# -gt 0 ] || return 0
  kill -TERM "$@" 2>/dev/null || true
  local pid tries=20
  for pid in "$@"; do
    while e2e__alive "$pid" && ((tries-- > 0)); do sleep 0.1; done
  done
  kill -KILL "$@" 2>/dev/null || true
}

e2e__on_error() {
  e2e_log "failed at ${BASH_SOURCE[1]##*/}:${BASH_LINENO[0]}: $BASH_COMMAND"
}

e2e__on_exit() {
  local status=$?
  trap - EXIT ERR
  set +eE
  if [ "$status" -ne 0 ]; then
    local dir=${E2E_FAILURE_DIR:-}
    if [ -z "$dir" ]; then
      if [ -n "$E2E_BUNDLE" ]; then dir="$(dirname "$(realpath -m "$E2E_BUNDLE")")/e2e-failures"
      else dir="${TMPDIR:-/tmp}/e2e-failures"; fi
    fi
    if [ -n "${DISPLAY:-}" ] && mkdir -p "$dir" && e2e_screenshot "$dir/$E2E_TEST.png"; then
      e2e_log "screenshot of the failure: $dir/$E2E_TEST.png"
    fi
    if [ -s "$E2E_APP_ERR" ]; then
      e2e_log "brindlex stderr:"
      tail -20 "$E2E_APP_ERR" >&2
    fi
    if [ -s "$E2E_APP_OUT" ]; then
      e2e_log "brindlex stdout:"
      tail -20 "$E2E_APP_OUT" >&2
    fi
  fi
  # The program first, so that it ends while its display and bus are still there; then the
  # rest in reverse order of start, and last whatever they left behind (e.g. daemons).
  [ -z "$E2E_APP_PID" ] || e2e__stop "$E2E_APP_PID"
  local i
  for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
    e2e__alive "${E2E_PIDS[i]}" && e2e__stop "${E2E_PIDS[i]}"
  done
  mapfile -t leftover < <(e2e__tagged)
  e2e__stop "${leftover[@]}"
  wait 2>/dev/null
  rm -rf "$E2E_TMP"
  exit "$status"
}

trap e2e__on_error ERR
trap e2e__on_exit EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
