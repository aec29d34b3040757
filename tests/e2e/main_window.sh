#!/usr/bin/env bash
# main_window.sh 96|120: the main window as a person sees it at that DPI: its outer size, where the
# buttons and the status line sit (the column centred, offsets scaled and truncated), their colours
# on screen; keys typed on the X keyboard reach the three hotkeys and both About accelerators; exit 0.
source "$(dirname "$0")/lib.sh"

b="0,120,215" g="32,32,32" # button face, window background
# Outer size, column width; per control: id, x in the column, y, width, height, colour inside.
if [ "${1:?usage: main_window.sh 96|120}" = 96 ]; then
    use_prefix "$WINEPREFIX"
    outer="575 664" column=560
    rows=("1011 10 285 120 35 $b" "1012 0 345 560 25 $g" "1019 10 415 120 35 $b" "1020 140 415 120 35 $b")
else
    use_prefix "${WINEPREFIX_120:?}" 120
    outer="719 830" column=700
    rows=("1011 12 354 150 43 $b" "1012 0 429 700 31 $g" "1019 12 516 150 43 $b" "1020 175 516 150 43 $b")
fi

start_tamblo
read -r _ _ width height < <(drv rect TAMBLO)
check "outer window size" "$outer" "$width $height"
read -r cx cy client_width _ < <(drv client-rect TAMBLO)
left=$(((client_width - column) / 2)) # truncated, as the layout does
shot=$E2E_OUT/screenshot-$1.png
# pixel X Y: the colour at a point of the screenshot as "r,g,b"; colour_at ROW: 3 pixels inside a control.
pixel() { timeout 20 /usr/bin/convert "$shot" -crop "1x1+$1+$2" txt:- | sed -nE 's/^0,0: \(([0-9,]+)\).*/\1/p'; }
colour_at() { read -r _ x y _ _ _ <<< "$1" && pixel $((cx + left + x + 3)) $((cy + y + 3)); }
painted() { timeout 20 import -window root "$shot" && [ "$(colour_at "${rows[0]}")" = $b ]; }
wait_for "Start button painted" 10 painted || true # the first paint follows the window's showing
for row in "${rows[@]}"; do
    read -r id x y w h colour <<< "$row"
    check "control $id" "$((left + x)) $y $w $h" "$(drv child-rect TAMBLO "$id")"
    check "control $id colour" "$colour" "$(colour_at "$row")"
done
read -r _ x y w h _ <<< "${rows[0]}" # right of the Start button its row is empty
empty="$((cx + left + x + w + 40)) $((cy + y + h / 2))"
check "window background" $g "$(pixel $empty)"

# Keys while Tamblo has the focus (Wine's hotkeys need it); F6 clicks the empty background.
xdotool mousemove $empty
drv focus TAMBLO
text_is() { [ "$(drv get-text "$1" "$2" 2>/dev/null)" = "$3" ]; }
# press KEY WINDOW ID TEXT: types KEY, waits until control ID of WINDOW shows TEXT; closes KEY TITLE.
press() { timeout 10 xdotool key "$1" && wait_for "$1 shows '$4'" 10 text_is "$2" "$3" "$4" && echo "ok   $1: '$4'"; }
closes() { timeout 10 xdotool key "$1"; check "$1 closes $2" gone "$(drv wait-gone "#32770/$2" 10000 && echo gone)"; }
press F9 "#32770/Playback" 0xFFFF "No recording available. Please record first." && closes Return Playback
press F8 TAMBLO 1019 "Stop Rec (F8)" && press F8 TAMBLO 1019 "Record (F8)"
press F6 TAMBLO 1011 "Stop (F6)" && press F6 TAMBLO 1011 "Start (F6)"
for accelerator in alt+slash alt+question; do
    press $accelerator "#32770/About Tamblo" 0 "About Tamblo" && closes Escape "About Tamblo"
done
check "exit code after WM_CLOSE" 0 "$(drv close TAMBLO 10000)"
