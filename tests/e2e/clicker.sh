#!/usr/bin/env bash
# The auto-clicker as a person uses it: "Repeat" 200 times every 2 ms at a fixed point clicks a
# window of another program exactly 200 times, there (many clicks per timer tick), and stops.
source "$(dirname "$0")/lib.sh"
BM_SETCHECK=0x00F1 IDC_MILLISECS=1003 IDC_REPEAT=1008 IDC_REPEAT_UNTIL_STOPPED=1009 IDC_REPEAT_TIMES=1010
IDC_START=1011 IDC_STATUS=1012 IDC_CURSOR_POS=1016 IDC_CURSOR_X=1017 IDC_CURSOR_Y=1018
use_prefix "$WINEPREFIX"
log=$E2E_OUT/clicker-target.log && rm -f "$log"
# Right of Tamblo's window, so the clicks cannot land on Tamblo itself.
start_target "$log" 700 120 400 300
start_tamblo
IFS=',' read -r target_x target_y _ _ < <(sed -n 's/^READY .* client=//p' "$log" | tr -d '\r')
click_x=$(( target_x + 150 )) click_y=$(( target_y + 100 ))

for id in $IDC_CURSOR_POS $IDC_REPEAT; do drv send TAMBLO $id $BM_SETCHECK 1 0 >/dev/null; done
drv send TAMBLO $IDC_REPEAT_UNTIL_STOPPED $BM_SETCHECK 0 0 >/dev/null
drv command TAMBLO $IDC_CURSOR_POS && drv command TAMBLO $IDC_REPEAT
drv set-text TAMBLO $IDC_CURSOR_X $click_x && drv set-text TAMBLO $IDC_CURSOR_Y $click_y
drv set-text TAMBLO $IDC_MILLISECS 2 && drv set-text TAMBLO $IDC_REPEAT_TIMES 200
drv command TAMBLO $IDC_START
status_is() { [ "$(drv get-text TAMBLO $IDC_STATUS)" = "$1" ]; }
received() { grep -c "^LBUTTON$1 .* sx=$click_x sy=$click_y\$" <(tr -d '\r' < "$log") || true; }
wait_for "the run ends" 20 status_is "Status: Stopped | Clicks: 200" || true
wait_for "the clicks arrive" 10 test "$(received UP)" -ge 200 || true
sleep 0.5 # anything stray would arrive by now
check "presses at the fixed point" 200 "$(received DOWN)"
check "releases at the fixed point" 200 "$(received UP)"
check "presses and releases anywhere" 400 "$(grep -c -E '^[LRMX]BUTTON' "$log" || true)"
