#!/usr/bin/env bash
# main_window.sh 96|120: the main window as a person sees it at that DPI: its outer size, where the
# buttons and the status line sit (the column centred, offsets scaled and truncated), their colours
# on screen; F6 typed on the X keyboard starts the clicker, whose "Repeat" 200 times every 2 ms at a
# fixed point clicks a window of another program there exactly 200 times (many clicks per timer
# tick); both About accelerators open About; exit 0. (F8 and F9 are the recording test's.)
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

log=$E2E_OUT/clicker-$1.log && rm -f "$log"
start_target "$log" 750 120 400 300 # right of Tamblo's window: no click can land on Tamblo itself
IFS=',' read -r target_x target_y _ _ < <(sed -n 's/^READY .* client=//p' "$log" | tr -d '\r')
click_x=$(( target_x + 150 )) click_y=$(( target_y + 100 ))
for id in 1016 1008; do drv send TAMBLO $id 0x00F1 1 0 >/dev/null && drv command TAMBLO $id; done # BM_SETCHECK
drv send TAMBLO 1009 0x00F1 0 0 >/dev/null
for field in "1017 $click_x" "1018 $click_y" "1003 2" "1010 200"; do drv set-text TAMBLO $field; done
# Wine's hotkeys need one of its windows in the foreground.
focus_tamblo() { xdotool mousemove $empty click 1 && wait_for "Tamblo in front" 10 drv focus TAMBLO 2>/dev/null; }
focus_tamblo && timeout 10 xdotool key F6
text_is() { [ "$(drv get-text "$1" "$2" 2>/dev/null)" = "$3" ]; }
received() { grep -c "^LBUTTON$1 .* sx=$click_x sy=$click_y\$" <(tr -d '\r' < "$log") || true; }
wait_for "the run ends" 20 text_is TAMBLO 1012 "Status: Stopped | Clicks: 200" || true
wait_for "the clicks arrive" 10 test "$(received UP)" -ge 200 || true
sleep 0.5 # anything stray would arrive by now
check "presses, releases at the fixed point; buttons anywhere" "200 200 400" \
    "$(received DOWN) $(received UP) $(grep -c -E '^[LRMX]BUTTON' "$log" || true)"
focus_tamblo
for accelerator in alt+slash alt+question; do
    timeout 10 xdotool key $accelerator
    wait_for "$accelerator opens About" 10 text_is "#32770/About Tamblo" 0 "About Tamblo" && timeout 10 xdotool key Escape
    check "Escape closes About" gone "$(drv wait-gone "#32770/About Tamblo" 10000 && echo gone)"
done
check "exit code after WM_CLOSE" 0 "$(drv close TAMBLO 10000)"
