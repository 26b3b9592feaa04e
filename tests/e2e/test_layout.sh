# The window's labels and fields, read from outside as assistive technology reads them: each
# stands at its declared place (window coordinates: from the top-left of the content) with its
# declared text; the labels on the two hidden calipers do not show; the converter's four fields
# are disabled and show their hints.
source "$(dirname "$0")/harness.sh"
e2e_start_display
started=${EPOCHREALTIME/./}
e2e_start_app "$1"
e2e_a11y_dump --roles label,text >"$E2E_TMP/nodes.json"
elapsed_ms=$(((${EPOCHREALTIME/./} - started) / 1000))

# Two seconds after the controls are made, the corner-0 set-up writes the first readings of the
# two calipers; before that they show their declared "0.0".
readings_declared=1
if ((elapsed_ms >= 1800)); then
  readings_declared=0
  e2e_log "read ${elapsed_ms} ms after the start, when the calipers' first readings may be in:" \
    "their texts are not checked"
fi

if ! /usr/bin/python3 - "$E2E_TMP/nodes.json" "$readings_declared" <<'EOF'; then
import json
import sys

nodes = [json.loads(line) for line in open(sys.argv[1], encoding="utf-8")]
readings_declared = sys.argv[2] == "1"

# name, left, top, width, height, caption (None: not checked)
labels = [
    ("St(1)", 70, 833, 16, 18, ""),
    ("St(0)", 83, 835, 70, 14, "0.0"),
    ("St(6)", 79, 779, 14, 14, "X:"),
    ("St(7)", 90, 779, 25, 14, "0.0"),
    ("St(8)", 119, 780, 14, 14, "Y:"),
    ("St(10)", 75, 854, 33, 14, ""),
    ("St(9)", 131, 779, 25, 14, "0.0"),
    ("St(11)", 107, 855, 35, 14, ""),
    ("St(13)", 78, 797, 30, 14, "Color"),
    ("St(14)", 116, 797, 35, 14, "FFFFFF"),
    ("St(12)", 142, 855, 20, 14, ""),
    ("St(2)", 505, 835, 40, 14, "0.0" if readings_declared else None),
    ("St(5)", 201, 503, 40, 14, "0.0" if readings_declared else None),
]
# On the hidden calipers NogisCV(2) and NogisCV(1).
hidden_labels = [("St(4)", 505, 131, 40, 14), ("St(3)", 1159, 503, 40, 14)]
# name, left, top, width, height, hint
fields = [
    ("TF(0)", 186, 833, 48, 14, "00"),
    ("TF(1)", 186, 852, 48, 14, "FF"),
    ("TF(2)", 186, 867, 48, 14, "愛"),
    ("TF(3)", 186, 885, 48, 14, "E6849B"),
]

problems = []


def showing_at(role, left, top, width, height):
    return [n for n in nodes
            if n["role"] == role and n["showing"]
            and (n.get("wx"), n.get("wy"), n.get("w"), n.get("h")) == (left, top, width, height)]


for name, left, top, width, height, caption in labels:
    found = showing_at("label", left, top, width, height)
    if len(found) != 1:
        problems.append(f"{name}: {len(found)} showing labels at {left},{top} {width}x{height}")
    elif caption is not None and found[0]["name"] != caption:
        problems.append(f"{name}: shows {found[0]['name']!r}, not {caption!r}")

for name, left, top, width, height in hidden_labels:
    if showing_at("label", left, top, width, height):
        problems.append(f"{name} shows although its caliper is hidden")

for name, left, top, width, height, hint in fields:
    found = showing_at("text", left, top, width, height)
    if len(found) != 1:
        problems.append(f"{name}: {len(found)} showing fields at {left},{top} {width}x{height}")
        continue
    field = found[0]
    if field["text"] != "":
        problems.append(f"{name}: holds {field['text']!r}, not nothing")
    if field["description"] != hint:
        problems.append(f"{name}: hint {field['description']!r}, not {hint!r}")
    if field["enabled"] or field["sensitive"]:
        problems.append(f"{name} is enabled")

showing_labels = sum(1 for n in nodes if n["role"] == "label" and n["showing"])
showing_fields = sum(1 for n in nodes if n["role"] == "text" and n["showing"])
if (showing_labels, showing_fields) != (len(labels), len(fields)):
    problems.append(f"{showing_labels} labels and {showing_fields} fields show, "
                    f"not {len(labels)} and {len(fields)}")

for p in problems:
    print(f"e2e[test_layout]: {p}", file=sys.stderr)
sys.exit(1 if problems else 0)
EOF
  e2e_fail "the layout differs (above)"
fi

e2e_key ctrl+q
e2e_wait_exit 5 || e2e_fail "still running 5 s after Ctrl+Q"
