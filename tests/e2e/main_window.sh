#!/usr/bin/env bash
# main_window.sh 96|120: the window as another program sees it at that DPI; F6 on the X keyboard starts
# "Repeat" 200 clicks every 2 ms at a fixed point, which another program's window receives exactly (many per
# timer tick); both About accelerators; a profile loaded and saved through the real file dialogs (".tmb" added
# to a name typed without one) keeps its bytes, one that a recording started during its dialog is refused.
b="0,120,215" g="32,32,32" # button face, window background
# Outer size; per control (Start, status, Record, Playback): x in the column, y, size, colour; background.
column=560 expected="575 664|10 285 120 35 $b|0 345 560 25 $g|10 415 120 35 $b|140 415 120 35 $b|$g"
[ "${1:?usage: main_window.sh 96|120}" = 96 ] || { export WINEPREFIX=${WINEPREFIX_120:?} E2E_DPI=120 &&
    column=700 expected="719 830|12 354 150 43 $b|0 429 700 31 $g|12 516 150 43 $b|175 516 150 43 $b|$g"; }
source "$(dirname "$0")/lib.sh"

start_tamblo
actual=$(drv rect TAMBLO | cut -d" " -f3-) # outer size
read -r cx cy client_width _ < <(drv client-rect TAMBLO)
read -r sx sy sw sh < <(drv rect TAMBLO 1011)
left=$((cx + (client_width - column) / 2)) shot=$E2E_OUT/screenshot-$1.png # truncated, as the layout does
pixel() { timeout 20 /usr/bin/convert "$shot" -crop "1x1+$1+$2" txt:- | sed -nE 's/^0,0: \(([0-9,]+)\).*/\1/p'; }
painted() { timeout 20 import -window root "$shot" && [ "$(pixel $((sx + 3)) $((sy + 3)))" = $b ]; }
wait_for "Start button painted" 10 painted || true # the first paint follows the window's showing
for id in 1011 1012 1019 1020; do
    read -r x y w h < <(drv rect TAMBLO $id)
    actual+="|$((x - left)) $((y - cy)) $w $h $(pixel $((x + 3)) $((y + 3)))"
done
empty="$((sx + sw + 40)) $((sy + sh / 2))" # right of the Start button its row is empty
check "outer size|controls|background" "$expected" "$actual|$(pixel $empty)"

log=$E2E_OUT/clicker-$1.log && rm -f "$log"
start_target "$log" 750 120 400 300 # right of Tamblo's window: no click can land on Tamblo itself
read -r x y _ < <(drv client-rect TamblTarget)
for id in 1016 1008; do drv send TAMBLO $id 0x00F5 0 0 >/dev/null; done # BM_CLICK: fixed point, Repeat
for field in "1017 $((x + 150))" "1018 $((y + 100))" "1003 2" "1010 200"; do drv set-text TAMBLO $field; done
# Wine's hotkeys need one of its windows in the foreground.
focus_tamblo() { xdotool mousemove $empty click 1 && wait_for "Tamblo in front" 10 drv focus TAMBLO 2>/dev/null; }
focus_tamblo && timeout 10 xdotool key F6
received() { tr -d '\r' <"$log" | grep -c "^020$1 .* sx=$((x + 150)) sy=$((y + 100))\$" || true; }
wait_for "the run ends" 20 text_is TAMBLO 1012 "Status: Stopped | Clicks: 200" || true
sleep 0.5 # anything stray would arrive by now
check "presses, releases at the fixed point; buttons anywhere" "200 200 400" \
    "$(received 1) $(received 2) $(grep -c '^02' "$log" || true)"
focus_tamblo # Cancel: as Escape sends it
check "About on Alt+/ closed by OK, on Alt+? by Cancel" ok "$(xdotool key alt+slash && drv press "#32770/About Tamblo" 1 &&
    xdotool key alt+question && drv press "#32770/About Tamblo" 2 && echo ok)"

work=$E2E_OUT/profile-$1 && rm -rf "$work" && mkdir -p "$work"
perl -e 'print "TMBLO", pack("l<*", @ARGV)' 1 1 2 3 250 2 1 1 640 480 1 25 0 9 117 114 115 321 12 1 0 0 15 0 300 \
    400 0 0 >"$work/all.tmb" # every setting changed, hotkeys F6, F3, F4 and one event, in 4-byte fields
# file ID TITLE PATH MESSAGE [RUN]: File > Load or Save Profile..., RUN's button clicked while its dialog
# is open, PATH chosen; then the message box.
file() {
    drv command TAMBLO "$1" && drv wait-window "#32770/$2" 20000 && { [ -z "${5:-}" ] || drv command TAMBLO "$5"; }
    drv choose "#32770/$2" "$(win_path "$3")"
    check "$2" "$4" "$(drv get-text "#32770/$2" 0xFFFF)" && drv press "#32770/$2" 1
}
file 109 "Load Profile" "$work/all.tmb" "Profile loaded successfully!"
file 108 "Save Profile" "$work/saved" "Profile saved successfully!"
check "saved.tmb holds the loaded profile" same "$(cmp -s "$work/all.tmb" "$work/saved.tmb" && echo same)"
file 109 "Load Profile" "$work/all.tmb" "Please stop all active operations before loading a profile." 1019
check "exit code after WM_CLOSE" 0 "$(drv close TAMBLO 10000)"
