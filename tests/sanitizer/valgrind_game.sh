#!/bin/bash
# The whole game under valgrind's memory checker, played like the end-to-end test does: its own
# Xvfb, xdotool for the mouse and keys, the sample motives beside a copy of the program.
# Main menu, motive selection (a 4 by 4 board), two tiles swapped, "Auflösen", "Beenden" and
# "Ja, aufhören!". Too slow for `make test` (a minute or two); run it by hand after changes to
# memory handling:
#
#   tests/sanitizer/valgrind_game.sh build/kachelzauber [valgrind.log [more valgrind options]]
#
# The report ends with the suppressions used, each with its count.
# Exits with valgrind's status: 0 when the game ended by itself with no error and no definite
# leak outside the suppressed system libraries (tests/sanitizer/valgrind.supp).
set -u

program=$(realpath "${1:?the built kachelzauber program}")
log=$(realpath -m "${2:-valgrind.log}")
shift $(( $# < 2 ? $# : 2 ))
here=$(dirname "$(realpath "$0")")
motives=$(realpath "$here/../../resources/Motives")

folder=$(mktemp -d "${TMPDIR:-/tmp}/kachelzauber-valgrind-XXXXXX")
xserver= game=
finish() {
    [ -n "$game" ] && kill -9 "$game" 2>/dev/null
    [ -n "$xserver" ] && kill "$xserver" 2>/dev/null
    rm -rf "$folder"
}
trap finish EXIT

cp "$program" "$folder/kachelzauber"
cp -r "$motives" "$folder/Motives"

# Xvfb picks a free display and writes its number to the fd it is given.
exec 3> "$folder/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 2>/dev/null &
xserver=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$folder/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -1 "$folder/display")"
unset SDL_VIDEODRIVER WAYLAND_DISPLAY XAUTHORITY

valgrind --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite \
    --track-origins=yes --keep-debuginfo=yes --num-callers=40 --error-exitcode=99 -s \
    --suppressions="$here/valgrind.supp" --log-file="$log" "$@" \
    "$folder/kachelzauber" > "$folder/game.log" 2>&1 &
game=$!

fail() {
    echo "valgrind_game: $*" >&2
    [ -f "$folder/shot.xwd" ] && cp "$folder/shot.xwd" "$log.last.xwd" &&
        echo "valgrind_game: the window's last picture is $log.last.xwd" >&2
    exit 1
}

window=
# Field $1 of the picture's header (32-bit numbers, most significant byte first).
field() { echo $(( h[$1*4] << 24 | h[$1*4+1] << 16 | h[$1*4+2] << 8 | h[$1*4+3] )); }
# The window's pixel (x, y) as "r g b", from a fresh picture of it.
pixel() {
    local header bpl ncolors offset
    header=$(od -An -tu1 -N100 "$folder/shot.xwd" | tr -s ' \n' ' ')
    read -r -a h <<< "$header"
    bpl=$(field 12)
    ncolors=$(field 19)
    offset=$(( $(field 0) + ncolors * 12 + $2 * bpl + $1 * 4 ))
    # 32-bit pixels, least significant byte first: blue, green, red.
    od -An -tu1 -j "$offset" -N3 "$folder/shot.xwd" 2>/dev/null | awk '{print $3, $2, $1}'
}
# The 800 by 600 game window; the small window of the start-up comes first with the same title.
game_window() {
    local id
    for id in $(xdotool search --onlyvisible --name '^Kachelzauber$' 2>/dev/null); do
        xdotool getwindowgeometry "$id" 2>/dev/null | grep -q 'Geometry: 800x600' &&
            echo "$id" && return
    done
}
grab() { xwd -silent -id "$window" -out "$folder/shot.xwd" 2>/dev/null && [ -s "$folder/shot.xwd" ]; }
# Whether pixel (x, y) now differs from the colour "r g b"; a picture that could not be read
# differs from nothing.
differs() {
    local now
    now=$(pixel "$1" "$2")
    [ -n "$now" ] && ! near "$now" "$3" 2
}
near() {  # near "r g b" "r g b" tolerance
    read -r r1 g1 b1 <<< "$1"
    read -r r2 g2 b2 <<< "$2"
    [ -n "$b1" ] && [ -n "$b2" ] || return 1
    local d
    for d in $((r1 - r2)) $((g1 - g2)) $((b1 - b2)); do [ "${d#-}" -le "$3" ] || return 1; done
}

# Polls the window until the test `$2` holds, for at most $3 seconds (valgrind is slow).
poll_for() {
    local what=$1 test=$2 seconds=${3:-600} start=$SECONDS
    while (( SECONDS - start < seconds )); do
        kill -0 "$game" 2>/dev/null || fail "the game ended while waiting for $what"
        [ -n "$window" ] || window=$(game_window)
        if [ -n "$window" ]; then
            if grab; then
                eval "$test" && echo "valgrind_game: $what after $SECONDS s" && return 0
            else
                window=
            fi
        fi
        sleep 1
    done
    return 1
}
wait_for() { poll_for "$@" || fail "timed out waiting for $1"; }

# The two menu buttons are the same light grey picture (a window not drawn yet is black).
menu_shown() {
    local button
    button=$(pixel 400 185)
    near "$button" "$(pixel 400 485)" 2 && (( ${button%% *} > 120 ))
}
knob_at_four() { near "$(pixel 201 488)" "125 125 125" 3; }
play_shown() { near "$(pixel 592 100)" "100 100 100" 2; }
quit_question_shown() {
    near "$(pixel 200 385)" "$(pixel 620 385)" 2 && near "$(pixel 795 100)" "50 50 50" 2
}
# "AUFGELÖST" in bright letters where "Korrekt platzierte: " stood, which began further left.
bright() {  # bright pixels (red above 200) in the rows $2..$4 from x = $1 to $3
    local y offset
    for y in $(seq "$2" "$4"); do
        read -r -a h <<< "$(od -An -tu1 -N100 "$folder/shot.xwd" | tr -s ' \n' ' ')"
        offset=$(( $(field 0) + $(field 19) * 12 + y * $(field 12) + $1 * 4 ))
        od -An -tu1 -v -j "$offset" -N $(( ($3 - $1 + 1) * 4 )) "$folder/shot.xwd"
    done | awk '{ for (i = 3; i <= NF; i += 4) if ($i > 200) n++ } END { print n + 0 }'
}
solved() { play_shown && (( $(bright 650 210 795 236) > 20 )) && (( $(bright 597 212 645 224) == 0 )); }
# The game's own arrow, its tip at the pointer: white at the tip, grey two rows below.
cursor_at() { near "$(pixel $(($1 + 1)) $(($2 + 1)))" "255 255 255" 3 &&
              near "$(pixel $(($1 + 1)) $(($2 + 3)))" "155 155 155" 3; }

# A click counts once the game has drawn its cursor where the pointer went.
move_to() {
    xdotool mousemove --window "$window" "$1" "$2"
    wait_for "the pointer at $1,$2" "cursor_at $1 $2"
}
click_at() { move_to "$1" "$2" && xdotool click 1; }
# Clicks at ($3, $4) until the test `$2` holds. At a few frames a second a click can fall into
# the window's focus change, which forgets it; clicking again is safe because the screen has
# not changed.
click_until() {
    local attempt
    for attempt in 1 2 3; do
        click_at "$3" "$4"
        poll_for "$1" "$2" 180 && return 0
        echo "valgrind_game: no $1 yet, clicking again" >&2
    done
    fail "the click for $1 had no effect"
}

wait_for "the main menu" menu_shown 1200
raus_hier=$(pixel 400 485)
click_until "motive selection" "differs 400 485 \"$raus_hier\"" 400 150  # "Spiel starten"
move_to 200 500                         # the slider's left end: a 4 by 4 board
xdotool mousedown 1
wait_for "the slider at 4" knob_at_four
xdotool mouseup 1
xdotool key Return
wait_for "the board" play_shown
# A tile picked up is drawn over the cursor, centred on the pointer, and follows it. Tiles in
# their place can't be picked up, nor taken as the target: the first misplaced tile of the top
# row is carried to the first cell that takes it, its own cell at the latest.
cell() { echo $((36 + $1 * 131 + 48)) $((33 + $2 * 131 + 48)); }
picked=
for column in 0 1 2 3; do
    read -r px py <<< "$(cell "$column" 0)"
    click_at "$px" "$py"
    poll_for "a tile picked up" "differs $((px + 1)) $((py + 3)) \"155 155 155\"" 90 &&
        picked=$column && break
done
[ -n "$picked" ] || fail "no tile of the top row could be picked up"
held=$(pixel $((px + 20)) $((py + 20)))
dropped=
for target in "1 1" "2 1" "3 1" "1 2" "2 2" "3 2" "$picked 0"; do
    read -r tx ty <<< "$(cell $target)"
    xdotool mousemove --window "$window" "$tx" "$ty"
    wait_for "the tile carried to $tx,$ty" \
        "near \"\$(pixel $((tx + 20)) $((ty + 20)))\" \"$held\" 2"
    xdotool click 1
    poll_for "the tile put down" "cursor_at $tx $ty" 90 && dropped=1 && break
done
[ -n "$dropped" ] || fail "the tile was not put down"
click_until "solved board" solved 695 300                    # "Auflösen"
click_until "quit question" quit_question_shown 695 550      # "Beenden"
for _ in 1 2 3; do
    click_at 200 350                                         # "Ja, aufhören!"
    for _ in $(seq 180); do kill -0 "$game" 2>/dev/null || break 2; sleep 1; done
done
kill -0 "$game" 2>/dev/null && fail "the game did not end"
wait "$game"
status=$?
game=
echo "valgrind_game: the game ended with status $status; valgrind's report is in $log"
grep -E "ERROR SUMMARY|definitely lost|indirectly lost" "$log"
exit "$status"
