#!/usr/bin/env bash
# Without a display the program says why in one line. Then the real program under the window
# manager (openbox) of the private X server that DISPLAY names: the frame window keeps the
# taskbar entry, titled "quillmere" with its icon, and stays minimised; the board and the rules
# dialog are fixed-size dialogs that ask for moving and closing only, without a maximise action
# or a taskbar entry of their own, the rules dialog transient for the board and above it. With
# event sounds switched off in the desktop's settings a beep stays silent: no tone is written,
# nothing is printed. Last, the desktop's Xft.dpi of 192 opens the board at twice its size.
set -uo pipefail
program=$1
work=$(mktemp -d)
game="" settings=""
trap 'kill $game $settings 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT

# Without a display: one line that names the reason, and status 1.
env -u DISPLAY -u WAYLAND_DISPLAY "$program" >"$work/nodisplay.out" 2>"$work/nodisplay.err"
status=$?
lines=$(cat "$work/nodisplay.out" "$work/nodisplay.err" | wc -l)
if [ $status -ne 1 ] || [ "$lines" -ne 1 ] || ! grep -q 'DISPLAY is not set' "$work/nodisplay.err"; then
    echo "FAIL: without a display: status $status, $lines lines:"
    cat "$work/nodisplay.out" "$work/nodisplay.err"
    exit 1
fi

for tool in xdotool xprop xwininfo xsettingsd; do
    command -v $tool >/dev/null || { echo "SKIP: $tool missing"; exit 77; }
done
# Event sounds switched off, as GNOME's and Xfce's settings daemons publish it; a tone that
# played anyway would go to SDL's disk driver (libcanberra given a driver that does not exist).
echo 'Net/EnableEventSounds 0' >"$work/xsettings"
xsettingsd -c "$work/xsettings" 2>/dev/null &
settings=$!
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/tone.raw" CANBERRA_DRIVER=none
export QUILLMERE_SCALE=1
unset QUILLMERE_DEBUG

"$program" >"$work/game.out" 2>"$work/game.err" &
game=$!
failed=0
fail() { echo "FAIL: $*"; failed=1; }
property() { xprop -id "$1" "$2" 2>/dev/null; }
waitFor() { # window property text: waits until the window manager has set it
    for _ in $(seq 50); do property "$1" "$2" | grep -q "$3" && return 0; sleep 0.1; done
    return 1
}

board=$(xdotool search --sync --onlyvisible --name '^Quillmere$' | head -n 1)
[ -n "$board" ] || { echo "FAIL: the board did not appear"; exit 1; }
frame=""
for w in $(xdotool search --name '^quillmere$'); do # xdotool matches without case
    [ "$(property "$w" WM_NAME)" = 'WM_NAME(STRING) = "quillmere"' ] && frame=$w
done
[ -n "$frame" ] || { echo "FAIL: no frame window titled quillmere"; exit 1; }

waitFor "$frame" WM_STATE Iconic || fail "the frame window is not minimised"
property "$frame" _NET_WM_STATE | grep -q SKIP_TASKBAR && fail "the frame window skips the taskbar"
property "$frame" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || fail "the frame window has no 32 x 32 icon"

# A window's checks as a fixed-size dialog: no maximise action, no resize, no taskbar entry.
checkDialog() { # window name
    waitFor "$1" _NET_WM_ALLOWED_ACTIONS _NET_WM_ACTION_CLOSE || fail "$2: no allowed actions set"
    actions=$(property "$1" _NET_WM_ALLOWED_ACTIONS)
    echo "$2: $actions"
    case "$actions" in *MAXIMIZE* | *RESIZE*) fail "$2 can be maximised or resized" ;; esac
    property "$1" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_DIALOG || fail "$2 is not a dialog"
    property "$1" _NET_WM_STATE | grep -q SKIP_TASKBAR || fail "$2 has a taskbar entry"
    # Motif hints: functions move and close; title, border and window menu, as Wine asks.
    property "$1" _MOTIF_WM_HINTS | grep -q '= 0x3, 0x24, 0x1a,' || fail "$2 asks for more"
}
checkDialog "$board" board

# Two sticks in different rows: the second click beeps.
stick() { # row column: clicks its centre (dialog base units 9 x 17, below the 19-pixel menu bar)
    local x=$(((116 - 21 * $1 + 21 * $2) * 9 / 4 + 16 * 9 / 8))
    local y=$((19 + (20 + 35 * $1) * 17 / 8 + 33 * 17 / 16))
    xdotool mousemove --window "$board" $x $y click 1
    sleep 0.3
}
stick 3 0
stick 2 0

# Help > Rules by the menu's mnemonics.
xdotool windowactivate --sync "$board" 2>/dev/null
xdotool key --window "$board" alt+y
sleep 0.3
xdotool key r
rules=$(xdotool search --sync --onlyvisible --name '^Reglas del juego$' | head -n 1)
[ -n "$rules" ] || { echo "FAIL: the rules dialog did not appear"; exit 1; }
checkDialog "$rules" rules
owner=$(property "$rules" WM_TRANSIENT_FOR | sed -n 's/.*window id # //p')
[ "$((owner))" -eq "$board" ] || fail "the rules dialog is transient for '$owner', not the board ($board)"
top=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*, //; s/.*# //')
[ "$((top))" -eq "$rules" ] || fail "the rules dialog is not the topmost window"

xdotool key Escape
sleep 0.3
xdotool key --window "$board" Escape 2>/dev/null # the window may be gone for the key release
for _ in $(seq 50); do kill -0 $game 2>/dev/null || break; sleep 0.1; done
wait $game
status=$?
game=""
[ $status -eq 0 ] || fail "exit status $status"
if [ -s "$work/game.err" ] || [ -s "$work/game.out" ]; then
    fail "the program printed:"
    cat "$work/game.out" "$work/game.err"
fi
[ -e "$work/tone.raw" ] && fail "a beep sounded with event sounds switched off"

# Xft.dpi 192 in the X resources, as desktops set it for 200 %: the board is 455 x 370 at 96.
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER 'Xft.dpi: 192'
env -u QUILLMERE_SCALE -u GDK_SCALE "$program" &
game=$!
board=$(xdotool search --sync --onlyvisible --name '^Quillmere$' | head -n 1)
size=$(xwininfo -id "$board" | sed -n 's/.*Width: //p; s/.*Height: //p' | tr '\n' ' ')
[ "$size" = "910 740 " ] || fail "at Xft.dpi 192 the board is $size pixels, not 910 x 740"
kill $game
wait $game 2>/dev/null
game=""
[ $failed -eq 0 ] && echo "PASS: fixed-size dialogs, the rules dialog transient for the board, quiet, doubled at Xft.dpi 192"
exit $failed
