#!/usr/bin/env bash
# Real input over a target window in a second process: the hooks record what xdotool does, playback
# replays it there (typing lands in its edit control as text); the playback key held through a
# playback stops it once, reaching no window.
source "$(dirname "$0")/../lib.sh"
use_prefix "$WINEPREFIX"
log=$E2E_OUT/macro.log
rm -f "$log"
start_target "$log" 650 100 500 400
start_tamblo
xdotool mousemove 800 300 click 1 # the hotkeys fire only while a Wine window has the focus
wait_for "target window in the foreground" 10 drv focus TamblTarget
lines() { wc -l < "$log"; }
has_lines() { [ "$(lines)" -ge "$1" ]; }
caption_is() { [ "$(drv get-text TAMBLO "$1")" = "$2" ]; }
edit_reads() { [ "$(drv get-text TamblTarget 100)" = "$1" ]; }
# taps_since LINE N: true once N replayed presses of b came after LINE.
taps_since() { [ "$(tail -n +"$(( $1 + 1 ))" "$log" | grep -c '^KEYDOWN vk=0x42 scan=0x30')" -ge "$2" ]; }
# inputs_after LINE: input after LINE, keys by scan code, without F8/F9 and real auto-repeat.
inputs_after() {
    tail -n +"$(( $1 + 1 ))" "$log" | tr -d '\r' | awk '/^(SYS)?KEY(DOWN|UP) / {
        if ($3 != "scan=0x42" && $3 != "scan=0x43" && !($1 ~ /DOWN$/ && $5 == "prev=1"))
            print $1, $3, $4; next }
        /^WHEEL / { print $1, $2, $3, $4 } /^[LRMX]BUTTON/ { print $1, $4, $5 }'
}
held() { # the target's HELD line: the keys and buttons down now
    local before=$(lines)
    drv post TamblTarget 0 0x8001 0 0 >/dev/null
    wait_for "the target answers" 10 has_lines $(( before + 1 )) >&2
    tail -n +"$(( before + 1 ))" "$log" | tr -d '\r' | grep -m1 '^HELD' || echo "HELD (no answer)"
}

read -r edit_x edit_y _ < <(drv rect TamblTarget 100) # 0. typing replayed into the edit
xdotool mousemove $(( edit_x + 20 )) $(( edit_y + 10 )) click 1 key F8
wait_for "recording starts on F8" 10 caption_is 1019 "Stop Rec (F8)"
xdotool key --delay 80 shift+t a m b l o
read -r client_x client_y _ < <(drv client-rect TAMBLO)
read -r button_x button_y button_w button_h < <(drv child-rect TAMBLO 1019)
xdotool mousemove $(( client_x + button_x + button_w / 2 )) $(( client_y + button_y + button_h / 2 )) click 1
wait_for "recording stops on a click on Stop Rec" 10 caption_is 1019 "Record (F8)"
status=$(drv get-text TAMBLO 1012)
for pass in 1 2 3; do # each replay ends with that click, after playback has ended: it starts nothing
    drv set-text TamblTarget 100 ""
    xdotool mousemove $(( edit_x + 20 )) $(( edit_y + 10 )) click 1 key F9
    wait_for "the replayed typing reaches the edit as text" 20 edit_reads Tamblo
    wait_for "playback ends by itself" 10 caption_is 1020 "Playback (F9)"
    sleep 0.5
    check "replay $pass typed into the edit and left the recording" "Record (F8) $status" \
        "$(drv get-text TAMBLO 1019) $(drv get-text TAMBLO 1012)"
done

xdotool key F8
wait_for "recording starts on F8" 10 caption_is 1019 "Stop Rec (F8)"
from=$(lines)
for step in "mousemove 700 200" "mousemove 760 240" "click 1" "key a b" "mousemove 900 320" "key Right Delete" \
    "click 5" "click 4" "click 3" "mousemove 1000 400" "click 2" "key shift+c Home" "keydown a" "mousedown 1"; do
    xdotool $step && sleep 0.05
done
for _ in $(seq 20); do xdotool key b && sleep 0.15; done
xdotool keyup a mouseup 1 key F8
wait_for "recording stops on F8" 10 caption_is 1019 "Record (F8)"
recorded=$(inputs_after "$from")

from=$(lines) # 1. a whole playback
xdotool key F9
wait_for "the replayed input arrives" 30 has_lines $(( from + $(wc -l <<< "$recorded") ))
wait_for "playback ends by itself" 10 caption_is 1020 "Playback (F9)"
sleep 0.5
check "replayed clicks, keys and wheel match the recording" "$recorded" "$(inputs_after "$from")"
from=$(lines) # 2. F9 held 1.5 s (Xvfb auto-repeats it after 660 ms) while a and the button are held
xdotool key F9
wait_for "playback reaches tap 2" 20 taps_since "$from" 2
xdotool keydown F9
wait_for "F9 stops playback" 5 caption_is 1020 "Playback (F9)"
at_stop=$(inputs_after "$from")
sleep 1.3
check "playback stays stopped while F9 is held" "Playback (F9)" "$(drv get-text TAMBLO 1020)"
xdotool keyup F9
sleep 1 # the recording would have typed more b's by now
check "nothing injected after the stop" "$at_stop" "$(inputs_after "$from")"
check "a and the left button released last" "KEYUP scan=0x1e ext=0,LBUTTONUP" \
    "$(grep -oE '^(KEYUP scan=0x1e ext=0|LBUTTONUP|KEYDOWN scan=0x30)' <<< "$at_stop" | tail -2 | paste -sd,)"
check "F9 reached no window" 0 "$(tail -n +$(( from + 1 )) "$log" | grep -c '^KEYDOWN vk=0x78' || true)"
check "nothing held after the stop" "HELD none" "$(held)"
check "Playback shows its idle caption" "Playback (F9)" "$(drv get-text TAMBLO 1020)"
from=$(lines) # 3. closed during playback
xdotool key F9
wait_for "playback reaches tap 2" 20 taps_since "$from" 2
check "exit code when closed during playback" 0 "$(drv close TAMBLO 10000)"
