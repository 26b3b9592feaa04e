# Another program that takes the clipboard and keeps taking it back while the live readouts run
# cannot freeze the window: one that never answers, and one that serves a BMP whose header lies.
# The window keeps answering (its labels read through accessibility, a drag moves it), Ctrl+Q
# still ends the program with status 0 within a second, and a broken picture puts no line on
# stderr at each tick.
source "$(dirname "$0")/harness.sh"

BOX_AT=(152 767) X_AT=(100 785)
SQUATTER=${E2E_SQUATTER:?the clipboard squatter program}

label_is() { [ "$(e2e_label_at "$1" "$2")" = "$3" ]; }
at() {
  e2e_window_geometry
  [ "$E2E_WIN_X" -eq "$1" ] && [ "$E2E_WIN_Y" -eq "$2" ]
}

# Starts the program, ticks the readouts box and waits until a tick has shown the pointer's x.
start_readouts() {
  e2e_start_app "$1"
  e2e_content_origin
  e2e_click "${BOX_AT[@]}"
  local x=$((E2E_WIN_X + E2E_WIN_W + 20))
  xdotool mousemove --sync "$x" 300
  e2e_wait_until 3 label_is "${X_AT[@]}" "$x" || e2e_fail "the readouts do not run"
}

# Ctrl+Q ends the program with status 0 within a second.
quit_within_a_second() {
  local started=${EPOCHREALTIME/./}
  e2e_key ctrl+q
  e2e_wait_exit 1 || e2e_fail "$1: still running a second after Ctrl+Q"
  [ "$E2E_STATUS" -eq 0 ] || e2e_fail "$1: exit status $E2E_STATUS after Ctrl+Q"
  e2e_log "$1: ended $(((${EPOCHREALTIME/./} - started) / 1000)) ms after Ctrl+Q"
}

e2e_start_display

# One that never answers.
start_readouts "$1"
e2e__start "$SQUATTER" --silent
squatter=$E2E_LAST_PID
sleep 2
# The window still answers: the pointer's position keeps coming, and reading it through
# accessibility (many questions to the window, each waiting for its event loop) stays quick.
x=$((E2E_WIN_X + E2E_WIN_W + 40))
xdotool mousemove --sync "$x" 320
asked=$SECONDS
e2e_wait_until 1 label_is "${X_AT[@]}" "$x" || e2e_fail "the readouts stalled beside a silent owner"
((SECONDS - asked <= 15)) || e2e_fail "reading a label took $((SECONDS - asked)) s beside a silent owner"
# A drag of the background moves the window by the pointer's delta.
x0=$E2E_WIN_X y0=$E2E_WIN_Y
e2e_move 800 300
xdotool mousedown 1
for ((i = 0; i < 10; i++)); do xdotool mousemove_relative --sync 10 5; done
xdotool mouseup 1
e2e_wait_until 2 at $((x0 + 100)) $((y0 + 50)) ||
  e2e_fail "dragged by (100, 50) beside a silent owner: window at ($E2E_WIN_X, $E2E_WIN_Y)"
quit_within_a_second "beside an owner that never answers"
kill "$squatter"

# One whose picture lies about where its pixels are.
start_readouts "$1"
lines=$(wc -l <"$E2E_APP_ERR")
e2e__start "$SQUATTER" --lying-bmp
sleep 2
after=$(wc -l <"$E2E_APP_ERR")
((after == lines)) || e2e_fail "$((after - lines)) lines on stderr beside a lying owner: $(tail -3 "$E2E_APP_ERR")"
quit_within_a_second "beside an owner with a lying picture"
