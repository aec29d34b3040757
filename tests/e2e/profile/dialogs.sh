#!/usr/bin/env bash
# The dialogs of the File and Help menus as a person uses them: Alt+/ and Alt+? open the About box,
# Help > User Guide shows the guide from its first line, Esc closes each; File > Settings changes a
# hotkey with Save (the button caption follows) and changes nothing with Esc.
source "$(dirname "$0")/../lib.sh"

fdd() {
    timeout 30 wine "$TAMBL_DRIVER" "$@"
}

use_prefix "$WINEPREFIX"
start_tamblo

# keys WINDOW KEYS...: gives WINDOW the focus and types KEYS on the X display.
keys() {
    drv focus "$1" >/dev/null
    sleep 0.2
    timeout 10 xdotool key "${@:2}"
}

# closes_on_esc TITLE: Esc ends the dialog.
closes_on_esc() {
    keys "#32770/$1" Escape
    if drv wait-gone "#32770/$1" 10000; then
        check "$1 closes with Esc" closed closed
    else
        check "$1 closes with Esc" closed open
        fdd press "$1" 2 || true
    fi
}

for accelerator in alt+slash alt+question; do
    keys TAMBLO "$accelerator"
    if drv wait-window "#32770/About Tamblo" 10000 >/dev/null; then
        check "$accelerator opens About" open open
        closes_on_esc "About Tamblo"
    else
        check "$accelerator opens About" open closed
    fi
done

drv command TAMBLO 114
drv wait-window "#32770/User Guide" 10000 >/dev/null
check "User Guide first line" "Tamblo - User Guide" "$(drv get-text "#32770/User Guide" 1200 | head -n 1 | tr -d '\r')"
closes_on_esc "User Guide"

# Settings: start/stop to F10 (index 9) with Save; then record to F12 but Esc.
drv command TAMBLO 107
drv wait-window "#32770/Settings" 10000 >/dev/null
check "Settings shows F6 selected" 5 "$(drv send "#32770/Settings" 1013 0x147 0 0)"
drv send "#32770/Settings" 1013 0x14E 9 0 >/dev/null
fdd press Settings 1014
check "Start caption after Save" "Start (F10)" "$(drv get-text TAMBLO 1011)"

drv command TAMBLO 107
drv wait-window "#32770/Settings" 10000 >/dev/null
check "Settings shows F10 selected" 9 "$(drv send "#32770/Settings" 1013 0x147 0 0)"
drv send "#32770/Settings" 1022 0x14E 11 0 >/dev/null
closes_on_esc Settings
check "Record caption after Esc" "Record (F8)" "$(drv get-text TAMBLO 1019)"

check "exit code after WM_CLOSE" 0 "$(drv close TAMBLO 10000)"
