# The rulers in every corner, as a person uses them: each arrow button moves the panel into its
# corner and shows that corner's rulers and calipers with their first readings; a caliper follows
# a drag and the arrow keys; Mode > White redraws the rulers in the white set and keeps the rest.
# Checked from outside: the labels' texts and places through accessibility, the rulers' marks and
# the calipers' red measuring edges in screenshot pixels (the marks and edges are opaque, so they
# show exactly even without a compositor).
#
# With E2E_SHOTS_DIR set, the screenshots are kept there.
source "$(dirname "$0")/harness.sh"

e2e_start_display 1920x1200
e2e_start_app "$1"
e2e_content_origin

# Pictures' colours: the black set's marks, the white set's marks, a caliper's measuring edge.
BLACK_MARK=F2F2EE
WHITE_MARK=181818
EDGE=E8202A
# Rows two or three pixels into the horizontal rulers' strips (below y = H - 151, above y = 150).
BOTTOM_STRIP=831
TOP_STRIP=147

SHOT=""
shot() { # takes a screenshot of the screen as it is now
  SHOT="$E2E_TMP/$1.png"
  e2e_screenshot "$SHOT"
  [ -z "${E2E_SHOTS_DIR:-}" ] || { mkdir -p "$E2E_SHOTS_DIR" && cp "$SHOT" "$E2E_SHOTS_DIR/"; }
}
pixel() { # the colour RRGGBB of the last screenshot at X,Y in window coordinates
  local hex
  hex=$(convert "$SHOT" -format "%[hex:p{$((E2E_CONTENT_X + $1)),$((E2E_CONTENT_Y + $2))}]" info:)
  echo "${hex:0:6}"
}
expect_pixel() { # X Y COLOUR WHAT
  local got
  got=$(pixel "$1" "$2")
  [ "$got" = "$3" ] || e2e_fail "$4: pixel at $1,$2 is $got, not $3"
}
expect_no_pixel() { # X Y COLOUR WHAT
  local got
  got=$(pixel "$1" "$2")
  [ "$got" != "$3" ] || e2e_fail "$4: pixel at $1,$2 is $3"
}
label_is() { [ "$(e2e_label_at "$1" "$2" 2>/dev/null)" = "$3" ]; }
expect_label() { # X Y TEXT WHAT: waits a little for the program to catch up
  e2e_wait_until 3 label_is "$1" "$2" "$3" ||
    e2e_fail "$4: the label at $1,$2 shows '$(e2e_label_at "$1" "$2" || true)', not '$3'"
}
# The panel's "X:" caption lies 19, 65 points from the panel's top-left corner.
expect_panel_at() { # LEFT TOP
  expect_label $(($1 + 24)) $(($2 + 70)) "X:" "the panel at $1,$2"
}
# Arrow buttons: 12 by 12, at 53 + 12 * place, 107 from the panel's corner; BCV(0), (3), (2), (1).
click_arrow() { # PANEL-LEFT PANEL-TOP PLACE
  e2e_click $(($1 + 53 + 12 * $3 + 6)) $(($2 + 107 + 6))
}

# The set-up, two seconds after the start, writes the corner-0 readings.
expect_label 525 842 333 "after the set-up, NogisCV(0)"
expect_label 221 510 279 "after the set-up, NogisCV(3)"
expect_panel_at 60 714

# Corner 1: the rulers meet in the bottom-right corner; the marks count leftwards from x = 1233.
click_arrow 60 714 3
expect_panel_at 1117 714
expect_label 525 842 683 "corner 1, NogisCV(0)"
expect_label 1179 510 279 "corner 1, NogisCV(1)"
shot corner1
expect_pixel 932 $BOTTOM_STRIP $BLACK_MARK "corner 1, the mark 300 from the right zero"
expect_no_pixel 467 $BOTTOM_STRIP $BLACK_MARK "corner 1, no left-zero ruler"
expect_pixel 549 760 $EDGE "corner 1, NogisCV(0) measures with its right edge"
expect_no_pixel 500 760 $EDGE "corner 1, NogisCV(0) is not a left-zero caliper"
expect_pixel 1200 549 $EDGE "corner 1, NogisCV(1) measures with its bottom edge"

# Corner 2: top-right.
click_arrow 1117 714 2
expect_panel_at 1117 45
expect_label 525 138 683 "corner 2, NogisCV(2)"
expect_label 1179 540 350 "corner 2, NogisCV(1)"
shot corner2
expect_pixel 932 $TOP_STRIP $BLACK_MARK "corner 2, the mark 300 from the right zero"
expect_pixel 549 200 $EDGE "corner 2, NogisCV(2) measures with its right edge"
expect_pixel 1200 500 $EDGE "corner 2, NogisCV(1) measures with its top edge"
expect_no_pixel 500 760 $EDGE "corner 2, NogisCV(0) is hidden"

# Corner 3: top-left.
click_arrow 1117 45 1
expect_panel_at 60 45
expect_label 525 138 333 "corner 3, NogisCV(2)"
expect_label 221 540 350 "corner 3, NogisCV(3)"
shot corner3
expect_pixel 467 $TOP_STRIP $BLACK_MARK "corner 3, the mark 300 from the left zero"
expect_pixel 500 200 $EDGE "corner 3, NogisCV(2) measures with its left edge"
expect_pixel 150 500 $EDGE "corner 3, NogisCV(3) measures with its top edge"

# Back to corner 0: bottom-left.
click_arrow 60 45 0
expect_panel_at 60 714
expect_label 525 842 333 "corner 0, NogisCV(0)"
expect_label 221 510 279 "corner 0, NogisCV(3)"
shot corner0
expect_pixel 467 $BOTTOM_STRIP $BLACK_MARK "corner 0, the mark 300 from the left zero"
expect_pixel 500 760 $EDGE "corner 0, NogisCV(0) measures with its left edge"
expect_pixel 150 549 $EDGE "corner 0, NogisCV(3) measures with its bottom edge"
expect_no_pixel 500 200 $EDGE "corner 0, NogisCV(2) is hidden"

# A drag of 100 points to the right.
e2e_move 510 770
xdotool mousedown 1
e2e_move 560 770
e2e_move 610 770
xdotool mouseup 1
expect_label 625 842 433 "NogisCV(0) dragged to 600"
shot dragged
expect_pixel 600 760 $EDGE "NogisCV(0) dragged to 600"
expect_pixel 600 $BOTTOM_STRIP $EDGE "NogisCV(0)'s edge on the ruler at 433"

# The arrow keys nudge it a point at a time.
e2e_key Right Right Right
expect_label 628 842 436 "three right arrows"
e2e_key Left
expect_label 627 842 435 "then a left arrow"

# Mode > White, from the menu bar: the Mode title lies just above the content.
mode_x=$(e2e_a11y_dump --roles "menu item" --showing | python3 -c '
import json, sys
for line in sys.stdin:
    r = json.loads(line)
    if r["name"] == "Mode": print(r["wx"] + r["w"] // 2, r["wy"] + r["h"] // 2)')
[ -n "$mode_x" ] || e2e_fail "no Mode menu in the menu bar"
read -r mx my <<<"$mode_x"
e2e_click "$mx" "$my"
white_at() {
  e2e_a11y_dump --roles "menu item" --showing | python3 -c '
import json, sys
for line in sys.stdin:
    r = json.loads(line)
    if r["name"] == "White": print(r["wx"] + r["w"] // 2, r["wy"] + r["h"] // 2)' | grep .
}
e2e_wait_until 3 white_at >/dev/null || e2e_fail "the Mode menu did not open"
read -r wx wy <<<"$(white_at)"
e2e_click "$wx" "$wy"
e2e_move 700 400
sleep 0.3
shot white
expect_pixel 467 $BOTTOM_STRIP $WHITE_MARK "White, the white set's mark 300"
expect_pixel 602 760 $EDGE "White, NogisCV(0) stays where it was"
expect_label 627 842 435 "White keeps the reading"
expect_label 221 510 279 "White keeps NogisCV(3)'s reading"
expect_panel_at 60 714

e2e_key ctrl+q
e2e_wait_exit 5 || e2e_fail "still running 5 s after Ctrl+Q"
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "exit status $E2E_STATUS after Ctrl+Q, not 0"
