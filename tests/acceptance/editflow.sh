#!/usr/bin/env bash
# A session with the real editor as a person has it: the program under an X server of its own
# at DPI (96: 100 %, 144: 150 %), in LANGUAGE (en or zh), driven by real X pointer and key
# events only (xdotool). It switches to bank B, types a CC number into a pad, picks a note in
# the note chooser, picks a colour by dragging on the colour wheel, applies Auto Populate, undoes
# once, and saves with Ctrl+S through the real file dialog; tark9ctl then reads the saved preset:
# exactly the intended fields of bank B changed.
#   editflow.sh DPI LANGUAGE
# Needs TARK9_EDITOR and TARK9_CTL; screenshots of each step go to $TARK9_SHOTS when it is set.
set -euo pipefail
dpi="$1"
language="$2"
editor="${TARK9_EDITOR:?}"
ctl="${TARK9_CTL:?}"
work="$(mktemp -d)"
server=""
program=""
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null || true
    [ -n "$server" ] && kill "$server" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    shot "failure"
    [ -f "$work/editor.log" ] && tail -20 "$work/editor.log" >&2
    exit 1
}

# An X server of its own: its DPI is the scaling the editor sees, and no other test's window
# can take the focus from it.
Xvfb -displayfd 3 -screen 0 2400x1800x24 -dpi "$dpi" -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
server=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
display="$(cat "$work/display" 2>/dev/null)"
[ -n "$display" ] || fail "no X server could be started"
export DISPLAY=":$display"

shot() {
    if [ -n "${TARK9_SHOTS:-}" ] && command -v import >/dev/null; then
        mkdir -p "$TARK9_SHOTS"
        import -window root "$TARK9_SHOTS/editflow-$dpi-$language-$1.png" 2>/dev/null || true
    fi
}

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_RUNTIME_DIR="$work/runtime" QT_QUICK_BACKEND=software
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# The interface's language follows the user's locale when none was chosen.
locale=C.UTF-8
[ "$language" = zh ] && locale=zh_CN.UTF-8

"$ctl" --virtual get "$work/base.stm" >/dev/null
env -u LC_ALL -u LC_MESSAGES LANG="$locale" "$editor" --virtual-device >"$work/editor.log" 2>&1 &
program=$!

# The editor's window, as the desktop names it: the document's title (no preset yet), and the
# application's icon.
window="$(timeout 30 xdotool search --sync --onlyvisible --all --pid "$program" --name '^Kovela Tark9 Editor$' | head -1)" \
    || fail "the window titled 'Kovela Tark9 Editor' did not appear"
icon="$(xprop -id "$window" _NET_WM_ICON)" || fail "xprop: the window's icon"
[[ "$icon" == "_NET_WM_ICON(CARDINAL) = "* ]] || fail "the window has no icon: $icon"
eval "$(xdotool getwindowgeometry --shell "$window")"
left=$X
top=$Y
rate="$(awk -v w="$WIDTH" 'BEGIN { printf "%.4f", w / 1080 }')"
# Edits start once the controller's configuration has been read (its ports close after it).
for _ in $(seq 150); do
    grep -q "midiIn close" "$work/editor.log" && break
    sleep 0.1
done
sleep 0.5

# A point of the design (the window at 100 %) on the screen.
at() {
    awk -v x="$1" -v y="$2" -v r="$rate" -v l="$left" -v t="$top" \
        'BEGIN { printf "%d %d", l + x * r + 0.5, t + y * r + 0.5 }'
}
# Waits until the window has stopped changing (a page still sliding, a slow redraw under load)
# before the next input: two pictures of it a quarter of a second apart alike, or 3 s at most
# (a text cursor blinks for ever).
settle() {
    local previous="" current
    for _ in $(seq 12); do
        sleep 0.25
        current="$(xwd -id "$window" -silent | md5sum)"
        [ "$current" = "$previous" ] && return 0
        previous="$current"
    done
}
click() {
    xdotool mousemove --sync $(at "$1" "$2") click 1
    settle
}
drag() {
    xdotool mousemove --sync $(at "$1" "$2") mousedown 1
    sleep 0.2
    xdotool mousemove --sync $(at "$3" "$4")
    sleep 0.2
    xdotool mousemove --sync $(at "$5" "$6")
    sleep 0.2
    xdotool mouseup 1
    settle
}
keys() {
    xdotool key --clearmodifiers "$@"
    settle
}
typed() {
    xdotool type --delay 60 "$1"
    settle
}

# Bank B of the pads.
click 593 169
shot "bank-b"
# Pad 13 of bank B sends control change 77.
click 529 303
click 547 204
keys ctrl+a
typed 77
keys Return
# Pad 14 plays E4 (64): its chooser's grid, 13 rows of 30 x 14, column by column.
click 681 231
shot "note-chooser"
click 651 421
# Pad 13's colour: a drag on the wheel (centred at 530, 411) that ends right of its centre,
# where the hue is red, and confirmed.
click 567 281
shot "colour-dialog"
drag 560 380 600 405 640 411
shot "colour-picked"
click 595 613
shot "edited"
# Auto Populate (the fourth menu; its dialog at 150, 224): bank B's notes from 0, applied, and undone as one step.
click 350 48
click 375 77
shot "auto-populate"
click 674 421
click 813 543
shot "applied"
keys Escape
keys ctrl+z
shot "undone"

# Saved with Ctrl+S: a new preset asks for its name in the file dialog.
saved="$work/mine.stm"
keys ctrl+s
dialog=""
for _ in $(seq 150); do
    dialog="$(xdotool search --onlyvisible --class kovelaTark9 2>/dev/null | grep -v "^$window$" | head -1 || true)"
    [ -n "$dialog" ] && break
    sleep 0.1
done
[ -n "$dialog" ] || fail "no file dialog"
xdotool windowactivate --sync "$dialog" 2>/dev/null || xdotool windowfocus --sync "$dialog"
sleep 0.5
shot "file-dialog"
typed "$saved"
keys Return
for _ in $(seq 100); do
    [ -s "$saved" ] && break
    sleep 0.1
done
[ -s "$saved" ] || fail "nothing was saved"
shot "saved"

# Exactly the intended fields changed, all in bank B.
"$ctl" show --json "$work/base.stm" >"$work/base.json"
"$ctl" show --json "$saved" >"$work/saved.json"
python3 - "$work/base.json" "$work/saved.json" <<'CHECK' || fail "the saved preset is not what was edited"
import json, sys

def flat(value, path=""):
    if isinstance(value, dict):
        for key, item in value.items():
            yield from flat(item, f"{path}.{key}" if path else key)
    elif isinstance(value, list):
        for index, item in enumerate(value):
            yield from flat(item, f"{path}[{index}]")
    else:
        yield path, value

base = dict(flat(json.load(open(sys.argv[1]))))
saved = dict(flat(json.load(open(sys.argv[2]))))
changed = {path: saved[path] for path in saved if saved[path] != base.get(path)}
expected = {
    "pads.B[12].type": 1, "pads.B[12].number": 77,
    "pads.B[13].number": 64,
}
# The colour picked right of the wheel's centre is a red; its exact value is the wheel's.
colour = {key: changed.pop(f"pads.B[12].{key}", base[f"pads.B[12].{key}"]) for key in ("red", "green", "blue")}
if not (colour["red"] > 2 * max(colour["green"], colour["blue"], 1)):
    print("pad 13's colour is not a red:", colour, file=sys.stderr)
    sys.exit(1)
if changed != expected:
    print("changed:", changed, file=sys.stderr)
    print("expected:", expected, file=sys.stderr)
    sys.exit(1)
CHECK
echo "editflow $dpi dpi, $language: passed"
