#!/usr/bin/env bash
# Plays a whole game through the real program's window on the private X server that DISPLAY
# names: the player always takes the leftmost stick of the topmost row, the computer answers,
# until one side takes the last stick. The message that ends the game must be the one for the
# side that did not take it.
set -uo pipefail
program=$1
work=$(mktemp -d)
game=""
trap 'kill $game 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT

command -v xdotool >/dev/null && command -v convert >/dev/null || {
    echo "SKIP: xdotool or ImageMagick missing"
    exit 77
}
export SDL_AUDIODRIVER=dummy QUILLMERE_SCALE=1

"$program" 2>"$work/game.log" &
game=$!
board=$(xdotool search --sync --onlyvisible --name '^Quillmere$' | head -n 1)
[ -n "$board" ] || { echo "FAIL: the board window did not appear"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$board")" # X, Y of the menu bar's top left

# Centres of the sixteen stick buttons and of the first action button, in the window's pixels
# (dialog base units 9 x 17, below the 19-pixel menu bar), row by row, left to right.
menu=19
centre() { echo $(($1 * 9 / 4 + $3 * 9 / 8)) $((menu + $2 * 17 / 8 + $4 * 17 / 16)); }
sticks=()
for row in 0 1 2 3; do
    for ((c = 0; c <= 2 * row; c++)); do
        sticks+=("$(centre $((116 - 21 * row + 21 * c)) $((20 + 35 * row)) 16 33)")
    done
done
confirm=$(centre 7 17 19 18)

click() { # x y in window pixels
    xdotool mousemove $((X + $1)) $((Y + $2)) click 1
}
presentSticks() { # prints the indices of the green (present) sticks
    import -window root "$work/screen.png" 2>/dev/null
    local i=0 points=""
    for s in "${sticks[@]}"; do
        set -- $s
        points+="%[pixel:p{$((X + $1)),$((Y + $2))}]\n"
    done
    convert "$work/screen.png" -format "$points" info: 2>/dev/null | while read -r colour; do
        case "$colour" in *"0,128,0"* | *green*) echo $i ;; esac
        i=$((i + 1))
    done
}
confirmShown() { # the first action button's bottom right corner is drawn (THINK hides it)
    import -window root "$work/corner.png" 2>/dev/null
    local colour
    colour=$(convert "$work/corner.png" -format "%[pixel:p{$((X + 56)),$((Y + 92))}]" info: 2>/dev/null)
    case "$colour" in *192* | *silver*) return 1 ;; esac
    return 0
}
messageWidth() { # the end-of-game message's width, once it is open
    local w
    w=$(xdotool search --onlyvisible --name '^Fin del juego$' 2>/dev/null | head -n 1)
    [ -n "$w" ] || return 1
    xdotool getwindowgeometry --shell "$w" | sed -n 's/^WIDTH=//p'
}

for round in $(seq 16); do
    present=($(presentSticks))
    [ ${#present[@]} -gt 0 ] || { echo "FAIL: no stick left on the board in round $round"; exit 1; }
    echo "round $round: ${#present[@]} sticks present"
    set -- ${sticks[${present[0]}]}
    click "$1" "$2"
    sleep 0.3
    set -- $confirm
    click "$1" "$2"
    # The removal plays (up to 1 s); then the computer hides the action buttons, pauses 2 s and
    # plays its own (up to 1 s). The round is over when the message opens, or when the buttons
    # that the computer hid are back; a slow machine only makes it wait longer.
    width="" hidden=0
    for _ in $(seq 300); do
        sleep 0.1
        width=$(messageWidth) && break
        if confirmShown; then
            [ $hidden -eq 1 ] && break
        else
            hidden=1
        fi
    done
    [ -n "$width" ] || sleep 0.3 # the repaint that ends the command
    if [ -n "$width" ]; then
        if [ ${#present[@]} -eq 1 ]; then
            expected="the computer's win (700 wide)"
            ok=$((width > 650))
        else
            expected="the player's win (600 wide)"
            ok=$((width > 550 && width < 650))
        fi
        echo "message dialog $width pixels wide after round $round, expected $expected"
        [ $ok -eq 1 ] || { echo "FAIL: wrong message"; exit 1; }
        xdotool key Return
        sleep 0.5
        present=($(presentSticks))
        [ ${#present[@]} -eq 16 ] || { echo "FAIL: ${#present[@]} sticks after the game, not 16"; exit 1; }
        xdotool key Escape
        wait $game
        status=$?
        game=""
        [ $status -eq 0 ] || { echo "FAIL: exit status $status"; exit 1; }
        echo "PASS: a whole game in $round rounds"
        exit 0
    fi
    [ ${#present[@]} -gt 1 ] || { echo "FAIL: the last stick was taken and no message came"; exit 1; }
done
echo "FAIL: the game did not end in 16 rounds"
exit 1
