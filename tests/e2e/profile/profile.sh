#!/usr/bin/env bash
# Profiles through the real common file dialogs: a profile holding the A key as a hotkey loads with
# that hotkey's error and leaves A reaching other windows; a save typed without extension gets
# ".tmb" and the loaded bytes; a run started while the Load dialog is open refuses the load.
source "$(dirname "$0")/../lib.sh"

fdd() {
    timeout 30 wine "$TAMBL_DRIVER" "$@"
}

work=$E2E_OUT/profile && rm -rf "$work" && mkdir -p "$work"

# profile START_KEY: all settings changed, that start/stop key, F3, F4 and one event, in 4-byte fields.
profile() {
    local v i && printf 'TMBLO'
    for v in 1 1 2 3 250 2 1 1 640 480 1 25 0 9 "$1" 0x72 0x73 321 12 1 0 0 15 0 300 400 0 0; do
        for (( i = 0; i < 4; i++ )); do printf "\\x$(printf %02x $(( (v >> 8 * i) & 255 )))"; done
    done
}
profile 0x41 > "$work/a-key.tmb" && profile 0x75 > "$work/f6.tmb"

# answer TITLE TEXT: the next message box titled TITLE shows TEXT; OK closes it.
answer() {
    wait_for "message box \"$1\"" 20 fdd box-text "$1" >/dev/null 2>&1 || true
    check "$1" "$2" "$(fdd box-text "$1" 2>/dev/null)" && fdd press "$1" 1 || true
}

# choose COMMAND TITLE PATH [ID]: opens a file dialog, posts command ID while it is open, chooses PATH.
choose() {
    drv command TAMBLO "$1" && drv wait-window "#32770/$2" 20000 >/dev/null
    [ -z "${4:-}" ] || drv command TAMBLO "$4"
    fdd choose "$2" "$(win_path "$3")"
}

use_prefix "$WINEPREFIX" && start_tamblo
choose 109 "Load Profile" "$work/a-key.tmb"
answer "Hotkey Error" "Failed to register new hotkey. It might be in use by another application."
answer "Load Profile" "Profile loaded successfully!"
choose 108 "Save Profile" "$work/saved"
answer "Save Profile" "Profile saved successfully!"
check "saved.tmb holds the profile with F6" same "$(cmp -s "$work/f6.tmb" "$work/saved.tmb" && echo same)"

choose 109 "Load Profile" "$work/a-key.tmb" 1019 # Record
answer "Load Profile" "Please stop all active operations before loading a profile."
check "still recording, F6 kept" "Stop Rec (F3)|Start (F6)" "$(drv get-text TAMBLO 1019)|$(drv get-text TAMBLO 1011)"
drv command TAMBLO 1019

start_target "$work/target.log" 650 100 500 400 && xdotool mousemove 800 300 click 1
wait_for "target window in the foreground" 10 drv focus TamblTarget && xdotool sleep 0.2 key a
wait_for "the A key reaches the target" 10 grep -q "^KEYDOWN vk=0x41" "$work/target.log" && echo "ok   A reaches the target"
check "exit code after WM_CLOSE" 0 "$(drv close TAMBLO 10000)"
