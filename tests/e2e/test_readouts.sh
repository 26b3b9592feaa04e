# The live readouts from outside: once the readouts box is ticked, the pointer's screen position
# shows in "X:" and "Y:" and the colour under it in the colour label, read from the screen picture
# that the bundle's own screencapture leaves on the clipboard; a held Shift shows "shift" and 56 and
# suspends the capture; unticking stops the ticks. The capture's clipboard owners do not pile up.
source "$(dirname "$0")/harness.sh"

# Points inside the labels and the box, in window coordinates.
X_AT=(100 785) Y_AT=(140 785) COLOUR_AT=(130 803) NAME_AT=(85 860) CODE_AT=(150 861)
BOX_AT=(152 767)
# Two colours shown on the root window to the right of the program's window.
COLOUR_A=0A00FF COLOUR_B=00FF00

label_is() { [ "$(e2e_label_at "$1" "$2")" = "$3" ]; }
expect_label() {
  e2e_wait_until 3 label_is "$1" "$2" "$3" ||
    e2e_fail "$4 shows '$(e2e_label_at "$1" "$2")', not '$3'"
}
# The screencapture processes of this run (the clipboard's background owners).
captures() {
  local pid n=0
  for pid in $(pgrep -x screencapture); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "E2E_RUN_ID=$E2E_RUN_ID" && ((++n))
  done
  echo "$n"
}

e2e_start_display
e2e_start_app "$1"
e2e_content_origin

# The root shows colour A in its top half and colour B in its bottom half, right of the window.
right=$((E2E_WIN_X + E2E_WIN_W))
((right + 40 < E2E_SCREEN_W)) || e2e_fail "no room right of the window ($right of $E2E_SCREEN_W)"
convert -size "${E2E_SCREEN_W}x$((E2E_SCREEN_H / 2))" "xc:#$COLOUR_A" \
  -size "${E2E_SCREEN_W}x$((E2E_SCREEN_H - E2E_SCREEN_H / 2))" "xc:#$COLOUR_B" -append \
  "$E2E_TMP/root.png"
display -window root "$E2E_TMP/root.png" || true # ends with 1 even when the root shows it
ax=$((right + 20)) ay=$((E2E_SCREEN_H / 4)) by=$((E2E_SCREEN_H * 3 / 4))

# Off at start: the labels keep their first texts.
expect_label "${X_AT[@]}" "0.0" "X at start"
expect_label "${COLOUR_AT[@]}" "FFFFFF" "the colour at start"

e2e_click "${BOX_AT[@]}"
[ "$(e2e_a11y_dump --roles 'check box' --at "${BOX_AT[0]},${BOX_AT[1]}" --field checked --first)" = True ] ||
  e2e_fail "the readouts box is not ticked after a click"

xdotool mousemove --sync "$ax" "$ay"
expect_label "${X_AT[@]}" "$ax" "X over colour A"
expect_label "${Y_AT[@]}" "$ay" "Y over colour A"
expect_label "${COLOUR_AT[@]}" "$COLOUR_A" "the colour over A"

xdotool mousemove --sync "$ax" "$by"
expect_label "${Y_AT[@]}" "$by" "Y over colour B"
expect_label "${COLOUR_AT[@]}" "$COLOUR_B" "the colour over B"

# A new capture each tick, yet no more than the current owner and one being replaced stay.
sleep 1
n=$(captures)
((n <= 2)) || e2e_fail "$n screencapture processes after a second of ticks"

# Held Shift: its name and code; no capture while it is held, so the colour stays B over A.
xdotool keydown shift
expect_label "${NAME_AT[@]}" "shift" "the key name while Shift is held"
expect_label "${CODE_AT[@]}" "56" "the key code while Shift is held"
xdotool mousemove --sync "$ax" "$ay"
expect_label "${Y_AT[@]}" "$ay" "Y while Shift is held"
sleep 0.5
label_is "${COLOUR_AT[@]}" "$COLOUR_B" || e2e_fail "the colour changed while Shift was held"
xdotool keyup shift
expect_label "${COLOUR_AT[@]}" "$COLOUR_A" "the colour after Shift is let go"

# Unticked: the ticks stop and the labels keep their texts. (The click's own pointer move may still
# have been read by a last tick, so compare with what shows once the box is unticked.)
e2e_click "${BOX_AT[@]}"
[ "$(e2e_a11y_dump --roles 'check box' --at "${BOX_AT[0]},${BOX_AT[1]}" --field checked --first)" = False ] ||
  e2e_fail "the readouts box is still ticked after a second click"
sleep 0.3
before=$(for at in X_AT Y_AT COLOUR_AT NAME_AT CODE_AT; do declare -n p=$at; e2e_label_at "${p[@]}"; done)
xdotool mousemove --sync "$ax" "$by"
sleep 0.5
after=$(for at in X_AT Y_AT COLOUR_AT NAME_AT CODE_AT; do declare -n p=$at; e2e_label_at "${p[@]}"; done)
[ "$before" = "$after" ] || e2e_fail "the readouts changed after the box was unticked: $before / $after"

e2e_key ctrl+q
e2e_wait_exit 5 || e2e_fail "still running 5 s after Ctrl+Q"
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "exit status $E2E_STATUS after Ctrl+Q, not 0"
