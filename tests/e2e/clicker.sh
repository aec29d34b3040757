#!/usr/bin/env bash
# The auto-clicker against a real window: Tamblo clicks at a fixed screen position inside
# TargetWindow, which logs every button message it receives. Counted runs stop by themselves with
# the exact presses and releases asked for, at that point; the caption and status line follow the
# run; an interval of 0 is refused with a warning box and starts nothing.
source "$(dirname "$0")/lib.sh"

BM_SETCHECK=0x00F1
CB_SETCURSEL=0x014E
IDOK=1

use_prefix "$WINEPREFIX"
log=$E2E_OUT/clicker-target.log
rm -f "$log"
start_target "$log" 640 120 400 300   # beside Tamblo's window, which opens at the top left
start_tamblo

read -r target_x target_y target_w target_h < <(drv client-rect TamblTarget)
click_x=$(( target_x + target_w / 2 ))
click_y=$(( target_y + target_h / 2 ))

text_is() { [ "$(drv get-text TAMBLO "$1")" = "$2" ]; }

# run_clicks BUTTON_INDEX TYPE_INDEX COUNT: a counted run at 300 ms; prints the log lines it caused.
run_clicks() {
    local before
    before=$(wc -l < "$log")
    drv send TAMBLO 1006 $CB_SETCURSEL "$1" 0 >/dev/null
    drv send TAMBLO 1007 $CB_SETCURSEL "$2" 0 >/dev/null
    drv set-text TAMBLO 1010 "$3"
    drv command TAMBLO 1011
    if wait_for "Stop caption while clicking" 10 text_is 1011 "Stop (F6)" >&2; then
        wait_for "run of $3 stops by itself" 30 text_is 1012 "Status: Stopped | Clicks: $3" >&2 || true
    fi
    tail -n +$(( before + 1 )) "$log" | grep -E '^[LRMX]BUTTON' || true
}

# count_at_point LINES MESSAGE: how many of LINES are MESSAGE at the click point.
count_at_point() {
    grep -c "^$2 .* sx=$click_x sy=$click_y\$" <<< "$1" || true
}

drv set-text TAMBLO 1003 300
drv send TAMBLO 1016 $BM_SETCHECK 1 0 >/dev/null
drv command TAMBLO 1016
drv set-text TAMBLO 1017 "$click_x"
drv set-text TAMBLO 1018 "$click_y"
drv send TAMBLO 1009 $BM_SETCHECK 0 0 >/dev/null
drv send TAMBLO 1008 $BM_SETCHECK 1 0 >/dev/null
drv command TAMBLO 1008
check "count field enabled by Repeat" 1 "$(drv is-enabled TAMBLO 1010)"

lines=$(run_clicks 0 0 3)
check "left single x3: button messages" 6 "$(grep -c . <<< "$lines" || true)"
check "left single x3: presses at the fixed point" 3 "$(count_at_point "$lines" LBUTTONDOWN)"
check "left single x3: releases at the fixed point" 3 "$(count_at_point "$lines" LBUTTONUP)"
check "Start caption after the run" "Start (F6)" "$(drv get-text TAMBLO 1011)"
check "interval field enabled after the run" 1 "$(drv is-enabled TAMBLO 1003)"

lines=$(run_clicks 1 1 2)
check "right double x2: button messages" 8 "$(grep -c . <<< "$lines" || true)"
check "right double x2: presses at the fixed point" 4 "$(count_at_point "$lines" RBUTTONDOWN)"
check "right double x2: releases at the fixed point" 4 "$(count_at_point "$lines" RBUTTONUP)"

for id in 1000 1001 1002 1003; do
    drv set-text TAMBLO $id 0
done
drv command TAMBLO 1011
box="#32770/Invalid Interval"
if drv wait-window "$box" 10000 >/dev/null; then
    check "refusal text" "Click interval must be at least 1 millisecond." "$(drv get-text "$box" 0xFFFF)"
    drv post "$box" 0 0x0111 $IDOK 0
    drv wait-gone "$box" 10000 || check "warning box closes" gone open
else
    check "warning box for an interval of 0" shown missing
fi
check "status unchanged by the refusal" "Status: Stopped | Clicks: 2" "$(drv get-text TAMBLO 1012)"
check "still idle after the refusal" "Start (F6)" "$(drv get-text TAMBLO 1011)"

check "exit code after WM_CLOSE" 0 "$(drv close TAMBLO 10000)"
