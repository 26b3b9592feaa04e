# The window keeps its size: the window manager learns that its smallest and largest sizes are the
# same, so it offers no resizing, maximising or full screen, and resize, maximise and full-screen
# requests leave it at 1400 by 980 content under its menu bar. The desktop's close command (Alt+F4
# under openbox) ends the program with status 0, as File > Quit does.
source "$(dirname "$0")/harness.sh"

e2e_start_display
e2e_start_app "$1"
e2e_content_origin
MENU_H=$((E2E_CONTENT_Y - E2E_WIN_Y))
((MENU_H > 0)) || e2e_fail "no menu bar above the content"
HEIGHT=$((980 + MENU_H))

keeps_size() {
  sleep 0.5 # time for the window manager to act on the request, were it to
  e2e_window_geometry
  [ "$E2E_WIN_W" -eq 1400 ] && [ "$E2E_WIN_H" -eq "$HEIGHT" ] ||
    e2e_fail "$1: the window is ${E2E_WIN_W}x$E2E_WIN_H, not 1400x$HEIGHT"
}
keeps_size "at start"

hints=$(xprop -id "$E2E_WID" WM_NORMAL_HINTS)
grep -q "minimum size: 1400 by $HEIGHT\$" <<<"$hints" || e2e_fail "smallest size not 1400x$HEIGHT: $hints"
grep -q "maximum size: 1400 by $HEIGHT\$" <<<"$hints" || e2e_fail "largest size not 1400x$HEIGHT: $hints"

# What openbox offers, as it derives it from the hints: moving, minimising and closing stay.
actions=$(xprop -id "$E2E_WID" _NET_WM_ALLOWED_ACTIONS)
for action in RESIZE MAXIMIZE_HORZ MAXIMIZE_VERT; do
  [[ $actions == *"_NET_WM_ACTION_$action"[,\ ]* || $actions == *"_NET_WM_ACTION_$action" ]] &&
    e2e_fail "the window manager offers $action: $actions"
done
for action in MOVE MINIMIZE CLOSE; do
  [[ $actions == *"_NET_WM_ACTION_$action"* ]] || e2e_fail "the window manager does not offer $action: $actions"
done

x0=$E2E_WIN_X y0=$E2E_WIN_Y
xdotool windowsize "$E2E_WID" 1600 1100
keeps_size "after xdotool windowsize 1600 1100"
# openbox resizes with Alt and the right button dragged near a corner.
xdotool mousemove --sync $((E2E_WIN_X + 1390)) $((E2E_WIN_Y + HEIGHT - 10))
xdotool keydown alt mousedown 3
xdotool mousemove_relative --sync 150 80
xdotool mouseup 3 keyup alt
keeps_size "after Alt and a right-button drag"
wmctrl -i -r "$E2E_WID" -b add,maximized_vert,maximized_horz
keeps_size "after a maximise request"
wmctrl -i -r "$E2E_WID" -b add,fullscreen
keeps_size "after a full-screen request"
[ "$E2E_WIN_X" -eq "$x0" ] && [ "$E2E_WIN_Y" -eq "$y0" ] ||
  e2e_fail "the window moved from ($x0, $y0) to ($E2E_WIN_X, $E2E_WIN_Y)"
# openbox offers full screen to every normal window; the window takes it back at once.
state=$(xprop -id "$E2E_WID" _NET_WM_STATE)
[[ $state == *MAXIMIZED* || $state == *FULLSCREEN* ]] && e2e_fail "the window is left in the state: $state"

e2e_key alt+F4
e2e_wait_exit 5 || e2e_fail "still running 5 s after Alt+F4"
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "exit status $E2E_STATUS after Alt+F4, not 0"
