# The window seen from outside: see-through and title-less, 91 % opaque, its content 1400 by 980;
# the opacity slider sets the opacity by (100 - value) / 100; dragging the background moves the
# window by the pointer's delta, also partly off the screen; two presses less than half a second
# apart minimise it, two presses 0.6 s apart do not.
source "$(dirname "$0")/harness.sh"

# An empty place of the backdrop, in window coordinates, and the slider (range 0 to 80).
BACKGROUND_X=800 BACKGROUND_Y=300
SLIDER_LEFT=67 SLIDER_TOP=819 SLIDER_W=40 SLIDER_H=22
FULL=4294967295 # _NET_WM_WINDOW_OPACITY of a fully opaque window

opacity() {
  local line
  line=$(xprop -id "$E2E_WID" -notype _NET_WM_WINDOW_OPACITY) || return 1
  [[ $line =~ =\ ([0-9]+)$ ]] || return 1
  echo "${BASH_REMATCH[1]}"
}
# The opacity Qt writes for alpha = (100 - value) / 100.
opacity_for_value() { echo $(((FULL * (100 - $1) + 50) / 100)); }
opacity_is() { [ "$(opacity)" = "$1" ]; }
wm_state() { xprop -id "$E2E_WID" WM_STATE | sed -n 's/^[[:space:]]*window state: //p'; }
iconic() { [ "$(wm_state)" = Iconic ]; }
# e2e_move, but not when the pointer is there already (xdotool's --sync would wait for a move that
# never comes).
move() {
  local x=$((E2E_CONTENT_X + $1)) y=$((E2E_CONTENT_Y + $2))
  [ "$(xdotool getmouselocation --shell | sed -n 's/^[XY]=//p' | paste -sd,)" = "$x,$y" ] ||
    xdotool mousemove --sync "$x" "$y"
}
# The window's client area is where the test expects it.
at() {
  e2e_window_geometry
  [ "$E2E_WIN_X" -eq "$1" ] && [ "$E2E_WIN_Y" -eq "$2" ]
}

e2e_start_display
e2e_start_app "$1"
e2e_content_origin
MENU_H=$((E2E_CONTENT_Y - E2E_WIN_Y))
# Keeps E2E_CONTENT_X/Y (what e2e_move goes by) with the window as it moves.
follow() {
  e2e_window_geometry
  E2E_CONTENT_X=$E2E_WIN_X E2E_CONTENT_Y=$((E2E_WIN_Y + MENU_H))
}

# ---- the opened window

motif=$(xprop -id "$E2E_WID" -notype _MOTIF_WM_HINTS)
# flags, functions, decorations, ...: the decorations are given (bit 2) and are none.
[[ $motif =~ =\ ([0-9x]+),\ [0-9x]+,\ ([0-9x]+) ]] || e2e_fail "no _MOTIF_WM_HINTS: $motif"
((BASH_REMATCH[1] & 2)) || e2e_fail "_MOTIF_WM_HINTS gives no decorations field: $motif"
((BASH_REMATCH[2] == 0)) || e2e_fail "the window is decorated: $motif"
extents=$(xprop -id "$E2E_WID" -notype _NET_FRAME_EXTENTS)
[[ $extents == *"= 0, 0, 0, 0" ]] || e2e_fail "the window manager framed it: $extents"

# 0.91, as close as the property's set-before-showing rounding (1/255) allows.
o=$(opacity) || e2e_fail "no _NET_WM_WINDOW_OPACITY"
diff=$((o * 1000 / FULL - 910))
((diff >= -4 && diff <= 4)) || e2e_fail "opacity $o is not 0.91 of $FULL"

info=$(xwininfo -id "$E2E_WID")
grep -q '^ *Depth: 32$' <<<"$info" || e2e_fail "no ARGB visual: $(grep Depth <<<"$info")"

[ "$E2E_WIN_W" -eq 1400 ] || e2e_fail "content width $E2E_WIN_W, not 1400"
((MENU_H > 0)) || e2e_fail "no menu bar above the content (content at $E2E_CONTENT_Y, window at $E2E_WIN_Y)"
[ $((E2E_WIN_H - MENU_H)) -eq 980 ] || e2e_fail "content height $((E2E_WIN_H - MENU_H)), not 980"
[ "$(wm_state)" = Normal ] || e2e_fail "window state $(wm_state) after opening"

# ---- the opacity slider

slider_y=$((SLIDER_TOP + SLIDER_H / 2))
# The knob starts at the left end (0); dragged past the right end it gives 80, the least opacity.
move $((SLIDER_LEFT + 3)) "$slider_y"
xdotool mousedown 1
for dx in 10 20 30 40 60 80; do move $((SLIDER_LEFT + dx)) "$slider_y"; done
xdotool mouseup 1
e2e_wait_until 2 opacity_is "$(opacity_for_value 80)" ||
  e2e_fail "slider at its right end: opacity $(opacity), not $(opacity_for_value 80)"

# Back past the left end: 0, fully opaque (not the opening's 0.91).
move $((SLIDER_LEFT + SLIDER_W - 3)) "$slider_y"
xdotool mousedown 1
for dx in 30 20 10 0 -20; do move $((SLIDER_LEFT + dx)) "$slider_y"; done
xdotool mouseup 1
e2e_wait_until 2 opacity_is "$(opacity_for_value 0)" ||
  e2e_fail "slider at its left end: opacity $(opacity), not $(opacity_for_value 0)"

# A wheel step in between: some value v from 1 to 79, and the opacity exactly (100 - v) / 100.
move $((SLIDER_LEFT + SLIDER_W / 2)) "$slider_y"
xdotool click 4
sleep 0.3
o=$(opacity)
found=""
for ((v = 1; v < 80; v++)); do [ "$o" = "$(opacity_for_value $v)" ] && found=$v; done
[ -n "$found" ] || e2e_fail "after a wheel step the opacity $o is not (100 - v) / 100 of any value 1..79"
e2e_log "a wheel step put the slider at $found"

# ---- dragging the background

sleep 0.6 # the slider's presses were not the window's, but keep clear of the double-click limit
follow
x0=$E2E_WIN_X y0=$E2E_WIN_Y
move "$BACKGROUND_X" "$BACKGROUND_Y"
xdotool mousedown 1
# In small steps, each waiting for the pointer, then one long jump.
for ((i = 0; i < 10; i++)); do xdotool mousemove_relative --sync 10 5; done
xdotool mousemove_relative --sync 150 70
xdotool mouseup 1
e2e_wait_until 2 at $((x0 + 250)) $((y0 + 120)) ||
  e2e_fail "dragged by (250, 120): window at ($E2E_WIN_X, $E2E_WIN_Y), not ($((x0 + 250)), $((y0 + 120)))"

# Quick steps that do not wait for each other: the window ends exactly where the pointer's delta
# puts it, however the moves and the pointer's events interleave.
sleep 0.6
follow
x0=$E2E_WIN_X y0=$E2E_WIN_Y
move "$BACKGROUND_X" "$BACKGROUND_Y"
xdotool mousedown 1
steps=()
for ((i = 0; i < 200; i++)); do steps+=(mousemove_relative 1 1); done
xdotool "${steps[@]}"
sleep 0.3
xdotool mouseup 1
e2e_wait_until 2 at $((x0 + 200)) $((y0 + 200)) ||
  e2e_fail "200 quick steps of (1, 1): window at ($E2E_WIN_X, $E2E_WIN_Y), not ($((x0 + 200)), $((y0 + 200)))"

# Partly off the screen, up and to the left, with no limit at the edges.
sleep 0.6
follow
x0=$E2E_WIN_X y0=$E2E_WIN_Y
move "$BACKGROUND_X" "$BACKGROUND_Y"
xdotool mousedown 1
xdotool mousemove_relative --sync -- -400 -150
xdotool mousemove_relative --sync -- -$((x0 + 200)) -$((y0 + 50))
xdotool mouseup 1
e2e_wait_until 2 at -600 -200 ||
  e2e_fail "dragged off the top-left: window at ($E2E_WIN_X, $E2E_WIN_Y), not (-600, -200)"

# And off the bottom-right.
sleep 0.6
follow
move "$BACKGROUND_X" "$BACKGROUND_Y"
xdotool mousedown 1
xdotool mousemove_relative --sync 1500 900
xdotool mouseup 1
e2e_wait_until 2 at 900 700 ||
  e2e_fail "dragged off the bottom-right: window at ($E2E_WIN_X, $E2E_WIN_Y), not (900, 700)"
((E2E_WIN_X + E2E_WIN_W > E2E_SCREEN_W)) || e2e_fail "the window did not reach past the right edge"

# ---- double presses on the background

sleep 0.6
follow
move "$BACKGROUND_X" "$BACKGROUND_Y"
xdotool click --repeat 2 --delay 600 1
sleep 0.5
[ "$(wm_state)" = Normal ] || e2e_fail "two presses 0.6 s apart: window state $(wm_state), not Normal"
at 900 700 || e2e_fail "two presses that do not drag moved the window to ($E2E_WIN_X, $E2E_WIN_Y)"

sleep 0.6
xdotool click --repeat 2 --delay 100 1
e2e_wait_until 3 iconic || e2e_fail "two presses 0.1 s apart: window state $(wm_state), not Iconic"
