# The program run from a bundle in a folder whose name holds ':' captures with the bundle's own
# screencapture: never with one of that name in the folder before the ':' or on PATH.
source "$(dirname "$0")/harness.sh"

COLOUR_AT=(130 803) BOX_AT=(152 767)

label_is() { [ "$(e2e_label_at "$1" "$2")" = "$3" ]; }

place="$E2E_TMP/odd:place"
mkdir -p "$place" "$E2E_TMP/odd" "$E2E_TMP/path"
cp -a "$1" "$place/Brindlex"
# Strangers that only note that they ran.
for folder in "$E2E_TMP/odd" "$E2E_TMP/path"; do
  printf '#!/bin/sh\necho "$0" >>"%s"\n' "$E2E_TMP/strangers" >"$folder/screencapture"
  chmod +x "$folder/screencapture"
done
export PATH="$E2E_TMP/path:$PATH"

e2e_start_display
e2e_start_app "$place/Brindlex"
e2e_content_origin

right=$((E2E_WIN_X + E2E_WIN_W))
convert -size "${E2E_SCREEN_W}x${E2E_SCREEN_H}" xc:'#00FF00' "$E2E_TMP/root.png"
display -window root "$E2E_TMP/root.png" || true # ends with 1 even when the root shows it

e2e_click "${BOX_AT[@]}"
xdotool mousemove --sync $((right + 20)) 300
e2e_wait_until 5 label_is "${COLOUR_AT[@]}" 00FF00 ||
  e2e_fail "the colour shows '$(e2e_label_at "${COLOUR_AT[@]}")', not 00FF00"
sleep 1 # some ten ticks more
[ ! -e "$E2E_TMP/strangers" ] || e2e_fail "ran another program's screencapture: $(sort -u "$E2E_TMP/strangers")"

e2e_key ctrl+q
e2e_wait_exit 5 || e2e_fail "still running 5 s after Ctrl+Q"
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "exit status $E2E_STATUS after Ctrl+Q, not 0"
