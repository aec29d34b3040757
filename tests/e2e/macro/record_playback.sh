#!/usr/bin/env bash
# Real input over another program's window is recorded and replayed there (typing lands in its edit as text;
# the recording's last input, the real click on Stop Rec, starts nothing); the playback key held through a
# playback stops it once, reaching no window, releasing what it held; close during it.
source "$(dirname "$0")/../lib.sh"
log=$E2E_OUT/macro.log && rm -f "$log" && start_target "$log" 650 100 500 400 && start_tamblo
lines() { wc -l <"$log"; }
# inputs_after LINE: the input logged after LINE, keys by scan code, without F8, F9 and auto-repeats.
inputs_after() {
    tail -n +"$(($1 + 1))" "$log" | tr -d '\r' |
        awk '/^010[0145] / && $3 !~ /04[23]$/ && ($4 == "prev=0" || /^010[15]/) { print $1, $3 } /^02/'
}
taps_since() { [ "$(tail -n +"$(($1 + 1))" "$log" | grep -c '^0100 vk=42 scan=030')" -ge "$2" ]; } # LINE N: b
read -r edit_x edit_y _ < <(drv rect TamblTarget 100)
edit_click="mousemove $((edit_x + 20)) $((edit_y + 10)) click 1" # the hotkeys need a Wine window in front

from=$(lines)
xdotool $edit_click && wait_for "target in front" 10 drv focus TamblTarget && xdotool key F8
wait_for "recording starts on F8" 10 text_is TAMBLO 1019 "Stop Rec (F8)"
xdotool key --delay 80 shift+t a m b l o Home End
for step in "mousemove 700 200" "click 1" "click 3" "mousemove 900 320" "click 2" "click 5" "click 4"; do xdotool $step sleep 0.05; done
read -r x y w h < <(drv rect TAMBLO 1019)
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
wait_for "recording stops on a click on Stop Rec" 10 text_is TAMBLO 1019 "Record (F8)"
recorded=$(inputs_after "$from")
status=$(drv get-text TAMBLO 1012)
for pass in 1 2 3; do # each replay ends with that click, after playback has ended
    drv set-text TamblTarget 100 ""
    from=$(lines)
    xdotool $edit_click key F9
    wait_for "the replayed typing reaches the edit as text" 20 text_is TamblTarget 100 Tamblo
    wait_for "playback ends by itself" 10 text_is TAMBLO 1020 "Playback (F9)"
    sleep 0.5
    check "replay $pass: edit|Record|status|input" "Tamblo|Record (F8)|$status|$recorded" \
        "$(drv get-text TamblTarget 100)|$(drv get-text TAMBLO 1019)|$(drv get-text TAMBLO 1012)|$(inputs_after "$from")"
done

xdotool mousemove 900 320 key F8
wait_for "recording starts on F8" 10 text_is TAMBLO 1019 "Stop Rec (F8)"
xdotool keydown a mousedown 1
for _ in $(seq 20); do xdotool key b && sleep 0.15; done
xdotool keyup a mouseup 1 key F8
wait_for "recording stops on F8" 10 text_is TAMBLO 1019 "Record (F8)"
play_to_tap_2() { from=$(lines) && xdotool key F9 && wait_for "playback reaches tap 2" 20 taps_since "$from" 2; }
play_to_tap_2 # F9 held 1.5 s (Xvfb auto-repeats it after 660 ms) while a and the button are held
xdotool keydown F9
wait_for "F9 stops playback" 5 text_is TAMBLO 1020 "Playback (F9)"
at_stop=$(inputs_after "$from")
sleep 1.3
xdotool keyup F9
sleep 1 # the recording would have typed more b's by now
check "stays stopped|F9 reached no window|a and the button released last|nothing after the stop" \
    "Playback (F9)|0|0101 scan=01e,0202|$at_stop" "$(drv get-text TAMBLO 1020)|$(tail -n +$((from + 1)) "$log" |
        grep -c '^0100 vk=78' || true)|$(grep -oE '^(0101 scan=01e|0202|0100 scan=030)' <<<"$at_stop" |
        tail -2 | paste -sd,)|$(inputs_after "$from")"
play_to_tap_2
check "exit code when closed during playback" 0 "$(drv close TAMBLO 10000)"
