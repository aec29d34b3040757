#!/usr/bin/env bash
# Record with F8 while xdotool moves, clicks, scrolls and types over a target window, then play the
# recording back with F9: the target must receive the same clicks, keys and wheel notches, at the
# same places, and nothing may stay held afterwards.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/macro_lib.sh"
use_prefix "$WINEPREFIX"

log=$E2E_OUT/macro-record-playback.log
start_macro_session "$log"
check "idle Record caption" "Record (F8)" "$(drv get-text TAMBLO 1019)"
check "Playback enabled at start-up (an empty recording is refused)" 1 "$(drv is-enabled TAMBLO 1020)"

xdotool key F8
wait_for "recording starts on F8" 10 caption_is 1019 "Stop Rec (F8)"
check "status when recording starts" "Recording... Events: 0" "$(drv get-text TAMBLO 1012)"
check "Start disabled while recording" 0 "$(drv is-enabled TAMBLO 1011)"
check "Playback disabled while recording" 0 "$(drv is-enabled TAMBLO 1020)"
record_from=$(log_lines "$log")

# Each step is more than 16 ms after the last, so every move is kept: the count is known.
moves=0 clicks=0 keys=0 wheels=0
move() { xdotool mousemove "$1" "$2"; moves=$(( moves + 1 )); sleep 0.05; }
click() { xdotool click "$1"; clicks=$(( clicks + 1 )); sleep 0.05; }
wheel() { xdotool click "$1"; wheels=$(( wheels + 1 )); sleep 0.05; }
# A chord such as shift+c is a press and a release of each of its keys.
key() {
    xdotool key "$@"
    local chord
    for chord in "$@"; do
        keys=$(( keys + 2 * $(tr '+' '\n' <<< "$chord" | wc -l) ))
    done
    sleep 0.05
}
move 700 200
move 760 240
click 1
key a b
move 900 320
key Right Delete
wheel 5
wheel 4
click 3
move 1000 400
click 2
key shift+c
key Home
click 1

xdotool key F8
wait_for "recording stops on F8" 10 caption_is 1019 "Record (F8)"
recorded=$(inputs_after "$log" "$record_from")
expected_count=$(( moves + 2 * clicks + keys + wheels ))
check "status after the recording" "Ready to playback | Events: $expected_count" "$(drv get-text TAMBLO 1012)"
check "Playback enabled after the recording" 1 "$(drv is-enabled TAMBLO 1020)"
check "Start enabled after the recording" 1 "$(drv is-enabled TAMBLO 1011)"
echo "recorded input as the target saw it:"
sed 's/^/    /' <<< "$recorded"

play_from=$(log_lines "$log")
xdotool key F9
wait_for "the replayed input arrives" 20 log_has "$log" $(( play_from + $(wc -l <<< "$recorded") ))
wait_for "playback ends by itself" 10 caption_is 1020 "Playback (F9)"
sleep 0.5
replayed=$(inputs_after "$log" "$play_from")
check "replayed clicks, keys and wheel match the recording" "$recorded" "$replayed"
check "nothing held after playback" "HELD none" "$(held_report "$log")"
check "Record enabled after playback" 1 "$(drv is-enabled TAMBLO 1019)"
check "exit code after WM_CLOSE" 0 "$(drv close TAMBLO 10000)"
