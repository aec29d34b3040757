#!/usr/bin/env bash
# The emergency stop: a long recording that holds a key and a mouse button while it types is
# played back and stopped with F9 partway. Injection must stop at once, the F9 press must reach no
# window, and the held key and button must be released. Then the same playback is ended by closing
# Tamblo: it exits with code 0 and again leaves nothing held.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/macro_lib.sh"
use_prefix "$WINEPREFIX"

log=$E2E_OUT/macro-emergency-stop.log
start_macro_session "$log"

taps=20
xdotool key F8
wait_for "recording starts on F8" 10 caption_is 1019 "Stop Rec (F8)"
xdotool mousemove 850 300 keydown a
xdotool mousedown 1
for _ in $(seq $taps); do
    xdotool key b
    sleep 0.15
done
xdotool keyup a mouseup 1
xdotool key F8
wait_for "recording stops on F8" 10 caption_is 1019 "Record (F8)"

b_down='KEYDOWN scan=0x30 ext=0'
# play_until_taps N: starts playback with F9 and waits until N replayed taps of b have arrived.
play_until_taps() {
    play_from=$(log_lines "$log")
    xdotool key F9
    wait_for "playback reaches tap $1" 20 taps_since "$log" "$play_from" "$1"
}

# 1. Stopped with F9 after three taps (the recording runs on for about two more seconds).
play_until_taps 3
xdotool key F9
wait_for "F9 stops playback" 5 caption_is 1020 "Playback (F9)"
at_stop=$(inputs_after "$log" "$play_from")
sleep 1.5   # the recording would have typed several more b's by now
after_stop=$(inputs_after "$log" "$play_from")
replayed_taps=$(grep -c "^$b_down" <<< "$after_stop" || true)
echo "input from the start of playback on:"
sed 's/^/    /' <<< "$after_stop"
check "nothing arrives once the stop is over" "$at_stop" "$after_stop"
check "playback stopped early (taps replayed < $taps)" yes "$([ "$replayed_taps" -lt $(( taps - 5 )) ] && echo yes || echo "no: $replayed_taps")"
check "the held key a is released" yes "$(grep -q '^KEYUP scan=0x1e' <<< "$after_stop" && echo yes || echo no)"
check "the held left button is released" yes "$(grep -q '^LBUTTONUP' <<< "$after_stop" && echo yes || echo no)"
check "the release is the last thing injected" "" \
    "$(sed -n '/^KEYUP scan=0x1e/,$p' <<< "$after_stop" | grep -E "^$b_down" || true)"
check "the F9 press reached no window" 0 \
    "$(tail -n +$(( play_from + 1 )) "$log" | grep -c '^KEYDOWN vk=0x78' || true)"
check "nothing held after the emergency stop" "HELD none" "$(held_report "$log")"

# 2. Ended by closing Tamblo in the middle of playback.
play_until_taps 2
check "exit code when closed during playback" 0 "$(drv close TAMBLO 10000)"
sleep 0.5
check "nothing held after the exit" "HELD none" "$(held_report "$log")"
