# The colour readout shows whole: over a root of colour DDDDDD (D is the widest hexadecimal digit)
# the readout reads "DDDDDD", and in a screenshot its ink lies inside the label, clear of both of its
# side edges (a text cut by the label reaches them).
source "$(dirname "$0")/harness.sh"

COLOUR_AT=(130 803) BOX_AT=(152 767)
# The colour label, in window coordinates; it lies on its box, filled with 66CCFE.
LABEL_LEFT=116 LABEL_TOP=797 LABEL_W=35 LABEL_H=14 BOX_FILL=66CCFE

label_is() { [ "$(e2e_label_at "$1" "$2")" = "$3" ]; }

e2e_start_display
xsetroot -solid '#DDDDDD'
e2e_start_app "$1"
e2e_content_origin

right=$((E2E_WIN_X + E2E_WIN_W))
((right + 40 < E2E_SCREEN_W)) || e2e_fail "no room right of the window ($right of $E2E_SCREEN_W)"

# The label's pixels in a screenshot, as text: one "x,y: ... #RRGGBB" line a pixel. The label's
# top and bottom rows are left out: the box's rounded corners reach into them.
label_pixels() {
  convert "$1" -crop \
    "${LABEL_W}x$((LABEL_H - 2))+$((E2E_CONTENT_X + LABEL_LEFT))+$((E2E_CONTENT_Y + LABEL_TOP + 1))" \
    +repage txt:- | grep -v '^#'
}
changed() {
  e2e_screenshot "$E2E_TMP/screen.png" && [ "$(label_pixels "$E2E_TMP/screen.png")" != "$before" ]
}

e2e_screenshot "$E2E_TMP/before.png"
before=$(label_pixels "$E2E_TMP/before.png")
e2e_click "${BOX_AT[@]}"
xdotool mousemove --sync $((right + 20)) $((E2E_SCREEN_H / 2))
# Watched on the screen: while the readouts capture, the program is slow to answer accessibility.
e2e_wait_until 10 changed || e2e_fail "the colour readout did not change"
# A held key suspends the capture; the readout keeps its text.
xdotool keydown shift
e2e_wait_until 3 label_is "${COLOUR_AT[@]}" DDDDDD ||
  e2e_fail "the readout shows '$(e2e_label_at "${COLOUR_AT[@]}")', not DDDDDD"
e2e_screenshot "$E2E_TMP/screen.png"
xdotool keyup shift

# The columns (from the label's left edge) of the pixels that are not the box's fill: the ink.
columns=$(label_pixels "$E2E_TMP/screen.png" |
  awk -F'[,:]' -v fill="#$BOX_FILL" '$0 !~ fill { print $1 }' | sort -n | uniq)
[ -n "$columns" ] || e2e_fail "no ink in the colour label"
first=$(head -1 <<<"$columns") last=$(tail -1 <<<"$columns")
((first >= 1 && last <= LABEL_W - 2)) ||
  e2e_fail "the readout's ink runs from column $first to $last of 0 to $((LABEL_W - 1))"
e2e_log "the readout's ink: columns $first to $last of 0 to $((LABEL_W - 1))"
