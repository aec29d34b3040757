#!/usr/bin/env bash
# WM_DPICHANGED from another process rebuilds the window: it takes the suggested rectangle,
# re-creates every control (new handles) and lays them out again for the new client area, while the
# program keeps running and still exits with code 0. What the re-created controls hold is left to
# the in-process DPI rebuild tests.
source "$(dirname "$0")/lib.sh"

use_prefix "$WINEPREFIX"
start_tamblo

hours_before=$(drv handle TAMBLO 1000)
start_before=$(drv handle TAMBLO 1011)

# The suggested rectangle travels as a pointer; the driver places it in Tamblo's own memory.
check "WM_DPICHANGED result" 0 "$(drv send-dpichanged TAMBLO 120 40 30 719 830)"
check "window takes the suggested rectangle" "40 30 719 830" "$(drv rect TAMBLO)"
hours_after=$(drv handle TAMBLO 1000)
start_after=$(drv handle TAMBLO 1011)
[ -n "$hours_after" ] && [ "$hours_after" != "$hours_before" ] && [ -n "$start_after" ] &&
    [ "$start_after" != "$start_before" ] && recreated=yes || recreated=no
check "hours field and Start button re-created" yes "$recreated"
check "Start caption after the rebuild" "Start (F6)" "$(drv get-text TAMBLO 1011)"

# The prefix still reports 96 DPI, so the rows stay as they were, but the column is centred anew.
read -r _ _ client_width _ < <(drv client-rect TAMBLO)
left=$(( (client_width - 560) / 2 ))
check "Start button after the rebuild" "$(( left + 10 )) 285 120 35" "$(drv child-rect TAMBLO 1011)"
check "Record button after the rebuild" "$(( left + 10 )) 415 120 35" "$(drv child-rect TAMBLO 1019)"

check "exit code after WM_CLOSE" 0 "$(drv close TAMBLO 10000)"
