# The live readouts on a 7680x4320 screen: the colour under the pointer is read right in the
# screen's middle and at its far corner, from the bundle's own capture of the whole screen.
source "$(dirname "$0")/harness.sh"

# Points inside the labels and the box, in window coordinates.
Y_AT=(140 785) COLOUR_AT=(130 803) BOX_AT=(152 767)

label_is() { [ "$(e2e_label_at "$1" "$2")" = "$3" ]; }
expect_label() {
  e2e_wait_until 5 label_is "$1" "$2" "$3" ||
    e2e_fail "$4 shows '$(e2e_label_at "$1" "$2")', not '$3'"
}

e2e_start_display 7680x4320
e2e_start_app "$1"
e2e_content_origin

# A band in the middle and a patch in the bottom-right corner, on a third colour.
convert -size 7680x4320 xc:'#0A00FF' -fill '#00FF00' -draw 'rectangle 3000,2000 5000,3000' \
  -fill '#FF0080' -draw 'rectangle 7600,4240 7679,4319' "$E2E_TMP/root.png"
display -window root "$E2E_TMP/root.png" || true # ends with 1 even when the root shows it

e2e_click "${BOX_AT[@]}"
for at in "4000 2500 00FF00" "7679 4319 FF0080" "6000 1000 0A00FF"; do
  read -r x y colour <<<"$at"
  xdotool mousemove --sync "$x" "$y"
  expect_label "${Y_AT[@]}" "$y" "Y at ($x, $y)"
  expect_label "${COLOUR_AT[@]}" "$colour" "the colour at ($x, $y)"
done

e2e_key ctrl+q
e2e_wait_exit 5 || e2e_fail "still running 5 s after Ctrl+Q"
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "exit status $E2E_STATUS after Ctrl+Q, not 0"
