#!/usr/bin/env bash
# Real keys reach the accelerators: Alt+/ and Alt+? open the About box, and Esc closes it.
source "$(dirname "$0")/../lib.sh"

fdd() {
    timeout 30 wine "$TAMBL_DRIVER" "$@"
}

use_prefix "$WINEPREFIX"
start_tamblo

for accelerator in alt+slash alt+question; do
    drv focus TAMBLO >/dev/null && xdotool sleep 0.2 key "$accelerator"
    check "$accelerator opens About" 0 "$(drv wait-window "#32770/About Tamblo" 10000 >/dev/null; echo $?)"
    drv focus "#32770/About Tamblo" >/dev/null && xdotool sleep 0.2 key Escape || true
    drv wait-gone "#32770/About Tamblo" 10000 >/dev/null || { check "Esc closes About" closed open; fdd press "About Tamblo" 2 || true; }
done
check "exit code after WM_CLOSE" 0 "$(drv close TAMBLO 10000)"
