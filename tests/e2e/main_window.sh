#!/usr/bin/env bash
# The main window as a person sees it at 96 or 120 DPI: its outer size, where the buttons and the
# status line sit (the column centred, each offset scaled and truncated) and their colours on screen.
# Then keys typed on the X keyboard reach the three hotkeys and the About accelerator, and the
# program exits with code 0.   main_window.sh 96|120
source "$(dirname "$0")/lib.sh"

b="0,120,215" g="32,32,32" # button face, window background
# outer size, column width; per control: id, x in the column, y, width, height, colour inside
case ${1:?usage: main_window.sh 96|120} in
    96)
        use_prefix "$WINEPREFIX"
        outer="575 664" column=560
        rows=("1011 10 285 120 35 $b" "1012 0 345 560 25 $g" "1019 10 415 120 35 $b" "1020 140 415 120 35 $b") ;;
    120)
        use_prefix "${WINEPREFIX_120:?}" 120
        outer="719 830" column=700
        rows=("1011 12 354 150 43 $b" "1012 0 429 700 31 $g" "1019 12 516 150 43 $b" "1020 175 516 150 43 $b") ;;
esac

start_tamblo
read -r _ _ width height < <(drv rect TAMBLO)
check "outer window size" "$outer" "$width $height"
read -r cx cy client_width _ < <(drv client-rect TAMBLO)
left=$(((client_width - column) / 2)) # truncated, as the layout does
shot=$E2E_OUT/screenshot-$1.png
# colour_at ROW: the screen colour 3 pixels inside the control's top-left corner.
colour_at() { read -r _ x y _ _ _ <<< "$1" && pixel "$shot" $((cx + left + x + 3)) $((cy + y + 3)); }
# The first paint reaches the X server a little after the window shows.
painted() { screenshot "$shot" && [ "$(colour_at "${rows[0]}")" = $b ]; }
wait_for "Start button painted" 10 painted || true
for row in "${rows[@]}"; do
    read -r id x y w h colour <<< "$row"
    check "control $id" "$((left + x)) $y $w $h" "$(drv child-rect TAMBLO "$id")"
    check "control $id colour" "$colour" "$(colour_at "$row")"
done
read -r _ x y w h _ <<< "${rows[0]}" # right of the Start button its row is empty
empty="$((cx + left + x + w + 40)) $((cy + y + h / 2))"
check "window background" $g "$(pixel "$shot" $empty)"

# Keys pressed while Tamblo has the focus (Wine delivers hotkeys only then); the clicker clicks the
# empty background under the cursor.
xdotool mousemove $empty
drv focus TAMBLO
text_is() { [ "$(drv get-text "$1" "$2" 2>/dev/null)" = "$3" ]; }
# press KEY WINDOW ID TEXT: types KEY and waits until control ID of WINDOW shows TEXT.
press() {
    timeout 10 xdotool key "$1"
    wait_for "$1 turns $3 to '$4'" 10 text_is "$2" "$3" "$4" && echo "ok   $1: $3 shows '$4'"
}
# closes KEY TITLE: types KEY and waits until the dialog TITLE is gone.
closes() {
    timeout 10 xdotool key "$1"
    check "$1 closes $2" gone "$(drv wait-gone "#32770/$2" 10000 && echo gone)"
}
press F9 "#32770/Playback" 0xFFFF "No recording available. Please record first." && closes Return Playback
press F8 TAMBLO 1019 "Stop Rec (F8)" && press F8 TAMBLO 1019 "Record (F8)"
press F6 TAMBLO 1011 "Stop (F6)" && press F6 TAMBLO 1011 "Start (F6)"
press alt+slash "#32770/About Tamblo" 0 "About Tamblo" && closes Escape "About Tamblo"
check "exit code after WM_CLOSE" 0 "$(drv close TAMBLO 10000)"
