# Keys stay with the window: a modifier pressed and released alone does not move the keyboard into
# the menu bar, so the arrows still nudge the caliper and Return still evaluates; Alt+F, Alt+E and
# Alt+M still open their menus. Both clear keys of X (the keypad's 5 without Num Lock, and the
# Clear keysym) clear the calculator.
source "$(dirname "$0")/harness.sh"

# Points inside the controls, in window coordinates.
DISPLAY_AT=(130 841) CODE_AT=(125 861) READING_AT=(525 841)

label_is() { [ "$(e2e_label_at "$1" "$2")" = "$3" ]; }
expect_label() {
  e2e_wait_until 3 label_is "$1" "$2" "$3" ||
    e2e_fail "$4 shows '$(e2e_label_at "$1" "$2")', not '$3'"
}
# How many of the program's windows show (a menu that pops up is one more).
windows() { xdotool search --onlyvisible --pid "$E2E_APP_PID" 2>/dev/null | wc -l; }
windows_are() { [ "$(windows)" -eq "$1" ]; }

e2e_start_display
e2e_start_app "$1"
e2e_content_origin

# The corner-0 set-up gives the bottom caliper its first reading, 2 s after start.
e2e_wait_until 5 label_is "${READING_AT[@]}" 333 ||
  e2e_fail "the caliper reads '$(e2e_label_at "${READING_AT[@]}")', not 333"
# Each modifier alone, then Right: were the keyboard in the menu bar, Right would walk the menus.
e2e_key alt Right super Right ctrl Right shift Right
expect_label "${READING_AT[@]}" 337 "the caliper after each modifier alone and Right"
e2e_key alt 7 plus 2 Return
expect_label "${DISPLAY_AT[@]}" "9.0" "the display after Alt alone, then 7 + 2 Return"

alone=$(windows)
for key in f e m; do
  e2e_key "alt+$key"
  e2e_wait_until 3 windows_are $((alone + 1)) || e2e_fail "no menu shows after Alt+$key"
  e2e_key Escape
  e2e_wait_until 3 windows_are "$alone" || e2e_fail "the menu of Alt+$key stays after Escape"
  e2e_key Right
done
expect_label "${READING_AT[@]}" 340 "the caliper after each menu, Escape and Right"

for clear in KP_Begin Clear; do
  e2e_key plus 2 "$clear"
  expect_label "${CODE_AT[@]}" 63289 "the key code of $clear"
  expect_label "${DISPLAY_AT[@]}" "0.0" "the display after + 2 $clear"
done
