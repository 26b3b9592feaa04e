# The keyboard tools from outside, with real X keys: 7 + 2 Return shows 9.0 and the key display
# its name and codes; the keypad's Enter and clear key and the left arrow arrive as such; once the
# converter is ticked, keys typed into a field are filtered there and never reach the calculator,
# Ctrl+A selects in a field, and the down arrows convert.
source "$(dirname "$0")/harness.sh"

# Points inside the controls, in window coordinates.
DISPLAY_AT=(130 841) SIGN_AT=(76 843) NAME_AT=(85 860) CODE_AT=(125 861) READING_AT=(525 841)
TF0_AT=(210 839) TF1_AT=(210 858) TF2_AT=(210 873) TF3_AT=(210 891)
DOWN0_AT=(244 858) DOWN1_AT=(243 894) CONVERTER_BOX_AT=(256 837)

# Waits up to 3 s for the label (or field) at X,Y to show TEXT; fails naming WHAT otherwise.
label_is() { [ "$(e2e_label_at "$1" "$2")" = "$3" ]; }
field_is() { [ "$(e2e_field_at "$1" "$2")" = "$3" ]; }
expect_label() {
  e2e_wait_until 3 label_is "$1" "$2" "$3" ||
    e2e_fail "$4 shows '$(e2e_label_at "$1" "$2")', not '$3'"
}
expect_field() {
  e2e_wait_until 3 field_is "$1" "$2" "$3" ||
    e2e_fail "$4 holds '$(e2e_field_at "$1" "$2")', not '$3'"
}
# The key display: name, decimal code (St(11) and TF(0)) and hexadecimal code (TF(1)).
expect_key() {
  expect_label "${NAME_AT[@]}" "$1" "the key name after $4"
  expect_label "${CODE_AT[@]}" "$2" "the key code after $4"
  expect_field "${TF0_AT[@]}" "$2" "TF(0) after $4"
  expect_field "${TF1_AT[@]}" "$3" "TF(1) after $4"
}
enabled() {
  [ "$(e2e_a11y_dump --roles text --at "$1,$2" --showing --field enabled --first)" = True ]
}

e2e_start_display
e2e_start_app "$1"
e2e_content_origin

# ---- the calculator and the key display

expect_label "${DISPLAY_AT[@]}" "0.0" "the display at start"
e2e_key 7 plus
expect_label "${SIGN_AT[@]}" "+" "the sign after 7 +"
e2e_key 2 Return
expect_label "${DISPLAY_AT[@]}" "9.0" "the display after 7 + 2 Return"
expect_label "${SIGN_AT[@]}" "" "the sign after the result"
expect_key Return 13 D "7 + 2 Return"

# The keypad's Enter with no operator pending; the keypad's 5 without Num Lock is its clear key.
e2e_key KP_Enter
expect_key enter 3 3 "the keypad's Enter"
e2e_key KP_Begin
expect_key $'\uF739' 63289 F739 "the keypad's clear key"
expect_label "${DISPLAY_AT[@]}" "0.0" "the display after the clear key"

# The left arrow nudges the first caliper from Left 500 to 499, 332 from the zero.
e2e_key Left
expect_key "←" 28 1C "the left arrow"
expect_label "${READING_AT[@]}" "332" "the caliper's reading after the left arrow"

# ---- the converter

enabled "${TF2_AT[@]}" && e2e_fail "TF(2) is enabled before the converter is ticked"
e2e_click "${CONVERTER_BOX_AT[@]}"
e2e_wait_until 3 enabled "${TF2_AT[@]}" || e2e_fail "ticking the converter did not enable TF(2)"

# Any key up to three characters; the keys are the field's, not the calculator's.
e2e_click "${TF2_AT[@]}"
e2e_key A b c d
expect_field "${TF2_AT[@]}" "Abc" "TF(2) after A b c d"
expect_label "${NAME_AT[@]}" "←" "the key name after typing into TF(2)"
e2e_click "${DOWN1_AT[@]}"
expect_field "${TF3_AT[@]}" "416263" "TF(3) after the lower down arrow"

# Ctrl+A selects the field's text; the digits replace it; the upper down arrow converts.
e2e_click "${TF0_AT[@]}"
e2e_key ctrl+a 2 5 5 x
expect_field "${TF0_AT[@]}" "255" "TF(0) after Ctrl+A 2 5 5 x"
e2e_click "${DOWN0_AT[@]}"
expect_field "${TF1_AT[@]}" "FF" "TF(1) after the upper down arrow"
expect_label "${DISPLAY_AT[@]}" "0.0" "the display after typing into the converter"

e2e_key ctrl+q
e2e_wait_exit 5 || e2e_fail "still running 5 s after Ctrl+Q"
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "exit status $E2E_STATUS after Ctrl+Q, not 0"
if grep -q unhandled "$E2E_APP_ERR"; then e2e_fail "unhandled exception: $(grep unhandled "$E2E_APP_ERR")"; fi
