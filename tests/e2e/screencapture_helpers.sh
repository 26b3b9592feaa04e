# Helpers for the tests of screencapture on Xvfb servers of their own. Source it after setting
# `tool` (the screencapture to run); it ends the servers, and the clipboard owners on them, on exit.

# Fails unless each program (a path, or a name on PATH) is there.
require() {
  local needed
  for needed in "$@"; do
    if [[ $needed == */* ]]; then
      [ -x "$needed" ] || { echo "FAIL: $needed is missing" >&2; exit 1; }
    else
      command -v "$needed" >/dev/null || { echo "FAIL: $needed is not installed" >&2; exit 1; }
    fi
  done
}

work=$(mktemp -d)
servers=()  # Xvfb pids, one a display

alive() {  # <pid>: running, not a zombie waiting to be reaped
  local state
  state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) && [ "$state" != Z ]
}

# Our processes still tied to display $1 (clipboard owners, ours or xclip's), optionally only
# those named $2.
display_processes() {
  local pid
  for pid in $(pgrep -x "${2:-screencapture|xclip}" || true); do
    alive "$pid" || continue
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "DISPLAY=$1" && echo "$pid"
  done
  return 0
}

owners() {
  display_processes "$DISPLAY" screencapture | grep -c . || true
}

cleanup() {
  local entry
  for entry in "${servers[@]}"; do
    for pid in $(display_processes ":${entry#*:}"); do kill "$pid" 2>/dev/null || true; done
    kill "${entry%%:*}" 2>/dev/null || true
    wait "${entry%%:*}" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Starts Xvfb with the given screen and options on a free display it picks itself; sets DISPLAY.
start_xvfb() {
  local screen=$1
  shift
  : >"$work/display"
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp "$@" 3>"$work/display" 2>>"$work/xvfb.log" &
  local pid=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
  done
  [ -s "$work/display" ] || fail "Xvfb $screen did not start: $(tail -n 3 "$work/xvfb.log")"
  DISPLAY=:$(head -n1 "$work/display")
  export DISPLAY
  servers+=("$pid:${DISPLAY#:}")
}

# Writes a PPM of random pixels (or, with a list of colours, vertical bands of them) and shows
# it on the root window.
show_pattern() {
  python3 - "$work/pattern.ppm" "$@" <<'EOF'
import random, sys
path, width, height = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
bands = [bytes.fromhex(c) for c in sys.argv[4:]]
random.seed(9)
if bands:
    row = b"".join(bands[x * len(bands) // width] for x in range(width))
    pixels = row * height
else:
    pixels = random.randbytes(width * height * 3)
with open(path, "wb") as f:
    f.write(b"P6\n%d %d\n255\n" % (width, height) + pixels)
EOF
  display -window root "$work/pattern.ppm" || true  # ends with 1 even when the root shows it
}

# Compares a BMP file with the pattern, pixel for pixel; prints the first difference.
same_as_pattern() {
  python3 - "$1" "$work/pattern.ppm" <<'EOF'
import struct, sys
bmp = open(sys.argv[1], "rb").read()
ppm = open(sys.argv[2], "rb").read()
magic, width, height, maxval = ppm.split(maxsplit=4)[:4]
pixels = ppm.split(maxsplit=4)[4]
width, height = int(width), int(height)
if bmp[:2] != b"BM":
    sys.exit("not a BMP file")
offset, = struct.unpack_from("<I", bmp, 10)
w, h, planes, bits, compression = struct.unpack_from("<iiHHI", bmp, 18)
if (w, abs(h)) != (width, height) or bits not in (24, 32) or compression != 0:
    sys.exit(f"BMP is {w}x{h}, {bits} bits, compression {compression}; the screen is {width}x{height}")
stride = (w * bits // 8 + 3) // 4 * 4
for y in range(height):
    row = offset + (height - 1 - y if h > 0 else y) * stride
    for x in range(width):
        b, g, r = bmp[row + x * bits // 8: row + x * bits // 8 + 3]
        want = pixels[(y * width + x) * 3: (y * width + x) * 3 + 3]
        if bytes((r, g, b)) != want:
            sys.exit(f"pixel ({x}, {y}) is {r:02X}{g:02X}{b:02X}, the screen shows {want.hex().upper()}")
EOF
}

clipboard() {
  timeout 10 xclip -selection clipboard "$@" -o || fail "xclip -o $* failed or took over 10 s"
}

# Takes the clipboard with a text and waits until xclip's background copy really owns it.
take_clipboard_with_text() {
  echo "$1" | xclip -selection clipboard
  for _ in $(seq 100); do
    [ "$(clipboard 2>/dev/null || true)" = "$1" ] && return 0
    sleep 0.02
  done
  fail "xclip did not take the clipboard"
}

wait_for_owners() {  # <at most> <seconds>
  for _ in $(seq $(($2 * 20))); do
    [ "$(owners)" -le "$1" ] && return 0
    sleep 0.05
  done
  return 1
}

wait_for_end() {  # <pid> <seconds>
  for _ in $(seq $(($2 * 20))); do
    alive "$1" || return 0
    sleep 0.05
  done
  return 1
}

capture() {
  "$tool" -c -x || fail "screencapture -c -x ended with status $? on $DISPLAY"
}
