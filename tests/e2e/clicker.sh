#!/usr/bin/env bash
# The auto-clicker as a person uses it: a counted run at a fixed point really clicks a window of
# another program exactly that many times, there, and the status line counts along; the
# start/stop hotkey, pressed on the X keyboard, starts and stops a run.
source "$(dirname "$0")/lib.sh"

BM_SETCHECK=0x00F1
IDC_HOURS=1000 IDC_MINS=1001 IDC_SECS=1002 IDC_MILLISECS=1003
IDC_REPEAT=1008 IDC_REPEAT_UNTIL_STOPPED=1009 IDC_REPEAT_TIMES=1010 IDC_START=1011 IDC_STATUS=1012
IDC_CURSOR_POS=1016 IDC_CURSOR_X=1017 IDC_CURSOR_Y=1018

use_prefix "$WINEPREFIX"
log=$E2E_OUT/clicker-target.log
rm -f "$log"
# Right of Tamblo's window, so the clicks cannot land on Tamblo itself.
start_target "$log" 700 120 400 300
start_tamblo

IFS=',' read -r target_x target_y _ _ < <(sed -n 's/^READY .* client=//p' "$log" | tr -d '\r')
click_x=$(( target_x + 150 )) click_y=$(( target_y + 100 ))

set_interval() {
    drv set-text TAMBLO $IDC_HOURS "$1" && drv set-text TAMBLO $IDC_MINS "$2"
    drv set-text TAMBLO $IDC_SECS "$3" && drv set-text TAMBLO $IDC_MILLISECS "$4"
}
# choose_radio ON OFF: checks one radio button of a pair and sends its command, as a click would.
choose_radio() {
    drv send TAMBLO "$1" $BM_SETCHECK 1 0 >/dev/null
    drv send TAMBLO "$2" $BM_SETCHECK 0 0 >/dev/null
    drv command TAMBLO "$1"
}
status_is() { [ "$(drv get-text TAMBLO $IDC_STATUS)" = "$1" ]; }
caption_is() { [ "$(drv get-text TAMBLO $IDC_START)" = "$1" ]; }
clicks_above() { [ "$(count_lines LBUTTONDOWN)" -gt "$1" ]; }
count_lines() { grep -c "^$1 " "$log" || true; }

# ---- "Repeat" 5 times, 20 ms, at a fixed point over the target ----
set_interval 0 0 0 20
drv send TAMBLO $IDC_CURSOR_POS $BM_SETCHECK 1 0 >/dev/null
drv command TAMBLO $IDC_CURSOR_POS
drv set-text TAMBLO $IDC_CURSOR_X $click_x
drv set-text TAMBLO $IDC_CURSOR_Y $click_y
choose_radio $IDC_REPEAT $IDC_REPEAT_UNTIL_STOPPED
drv set-text TAMBLO $IDC_REPEAT_TIMES 5
drv command TAMBLO $IDC_START

wait_for "counted run ends" 20 status_is "Status: Stopped | Clicks: 5" || true
sleep 0.5 # anything stray would arrive by now
check "status line after the run" "Status: Stopped | Clicks: 5" "$(drv get-text TAMBLO $IDC_STATUS)"
check "Start caption after the run" "Start (F6)" "$(drv get-text TAMBLO $IDC_START)"
check "left presses at the target" 5 "$(count_lines LBUTTONDOWN)"
check "left releases at the target" 5 "$(count_lines LBUTTONUP)"
check "other buttons at the target" 0 "$(grep -c -E '^(R|M|X)BUTTON' "$log" || true)"
check "every press and release at the fixed point" 10 \
    "$(grep -c -E "^LBUTTON(DOWN|UP) .* sx=$click_x sy=$click_y\$" <(tr -d '\r' < "$log") || true)"
check "presses and releases alternate" "DUDUDUDUDU" \
    "$(sed -n 's/^LBUTTONDOWN.*/D/p; s/^LBUTTONUP.*/U/p' "$log" | tr -d '\n')"

# ---- the start/stop hotkey, pressed on the keyboard while a Wine window has the focus ----
set_interval 0 0 0 50
choose_radio $IDC_REPEAT_UNTIL_STOPPED $IDC_REPEAT
drv focus TAMBLO || true
before=$(count_lines LBUTTONDOWN)
timeout 10 xdotool key F6
wait_for "F6 starts the clicker" 10 caption_is "Stop (F6)" || true
wait_for "clicks reach the target while running" 10 clicks_above $(( before + 2 )) || true
timeout 10 xdotool key F6
wait_for "F6 stops the clicker" 10 caption_is "Start (F6)" || true
sleep 0.5
stopped_at=$(count_lines LBUTTONDOWN)
sleep 0.5
check "no clicks after the hotkey stop" "$stopped_at" "$(count_lines LBUTTONDOWN)"
check "status line counts the hotkey run" "Status: Stopped | Clicks: $(( stopped_at - before ))" \
    "$(drv get-text TAMBLO $IDC_STATUS)"

check "exit code after WM_CLOSE" 0 "$(drv close TAMBLO 10000)"
