#!/usr/bin/env bash
# Profiles through the real common file dialogs: load a prepared profile with a recording, save it
# under a name typed without extension (the file gets ".tmb" and the same bytes), File > New back to
# the defaults, load the saved file (every control, the hotkeys and the recording come back, Playback
# enabled), and a corrupt file that shows the failure box and changes nothing.
source "$(dirname "$0")/../lib.sh"

fdd() {
    timeout 30 wine "$TAMBL_DRIVER" "$@"
}

work=$E2E_OUT/profile
rm -rf "$work"
mkdir -p "$work"

# le VALUE BYTES: VALUE as BYTES little-endian bytes (two's complement for negatives).
le() {
    local value=$1 count=$2 i
    for (( i = 0; i < count; i++ )); do
        printf "\\x$(printf %02x $(( (value >> (8 * i)) & 255 )))"
    done
}

# A profile unlike the defaults: every setting changed, hotkeys F2/F3/F4, start point and 3 events.
{
    printf 'TMBLO'
    le 1 4
    for v in 1 2 3 250 2 1 1 640 -480 1 25 0 9; do le "$v" 4; done
    le 0x71 4; le 0x72 4; le 0x73 4
    le 321 4; le -12 4
    le 3 8
    le 8 4; le 0 8; le 0 4; le 0 4; le 0x41 4; le 0 4      # KeyDown A at 0 ms
    le 0 4; le 15 8; le 300 4; le 400 4; le 0 4; le 0 4    # MouseMove at 15 ms
    le 9 4; le 55 8; le 0 4; le 0 4; le 0x41 4; le 0 4     # KeyUp A at 55 ms
} > "$work/fixture.tmb"
check "fixture size" 173 "$(stat -c %s "$work/fixture.tmb")"

use_prefix "$WINEPREFIX"
start_tamblo

# message_box TITLE: waits for a message box with that title and prints its text.
message_box() {
    wait_for "message box \"$1\"" 20 fdd box-text "$1" >/dev/null 2>&1 || return 0
    fdd box-text "$1"
}

# press TITLE ID: presses a button of a dialog and waits until that dialog is gone.
press() {
    fdd press "$1" "$2"
}

# file_dialog TITLE PATH: waits for the file dialog and chooses PATH in it.
file_dialog() {
    drv wait-window "#32770/$1" 20000 >/dev/null
    fdd choose "$1" "$(win_path "$2")"
}

load_profile() {
    drv command TAMBLO 109
    file_dialog "Load Profile" "$1"
    check "load of $(basename "$1")" "$2" "$(message_box "Load Profile")"
    press "Load Profile" 1
}

save_profile() {
    drv command TAMBLO 108
    file_dialog "Save Profile" "$1"
    check "save to $(basename "$1")" "Profile saved successfully!" "$(message_box "Save Profile")"
    press "Save Profile" 1
}

# window_state: every control a profile sets, the captions and the Playback button, one line.
window_state() {
    local id out=""
    for id in 1000 1001 1002 1003 1017 1018 1010 1026 1011 1019 1020; do
        out+="$(drv get-text TAMBLO $id)|"
    done
    for id in 1006 1007; do out+="sel$(drv send TAMBLO $id 0x147 0 0)|"; done
    for id in 1016 1008 1009 1024 1025; do out+="chk$(drv send TAMBLO $id 0xF0 0 0)|"; done
    for id in 1017 1018 1010 1026 1020; do out+="en$(drv is-enabled TAMBLO $id)|"; done
    echo "$out"
}

loaded="1|2|3|250|640|-480|25|9|Start (F2)|Record (F3)|Playback (F4)|sel2|sel1|chk1|chk1|chk0|chk0|chk1|en1|en1|en1|en0|en1|"
defaults="0|0|0|100|0|0|1|1|Start (F6)|Record (F8)|Playback (F9)|sel0|sel0|chk0|chk0|chk1|chk1|chk0|en0|en0|en0|en1|en0|"
# A fresh window differs from New only in its Playback button, which New disables.
check "fresh window" "${defaults%en0|}en1|" "$(window_state)"

load_profile "$work/fixture.tmb" "Profile loaded successfully!"
check "after loading the fixture" "$loaded" "$(window_state)"

# Typed without extension: the dialog adds ".tmb"; the bytes are the fixture's.
save_profile "$work/saved"
check "saved file name" "saved.tmb" "$(cd "$work" && ls saved*)"
check "saved bytes equal the loaded ones" same "$(cmp -s "$work/fixture.tmb" "$work/saved.tmb" && echo same)"

drv command TAMBLO 113
check "New asks first" "This will reset all settings and clear any recorded events. Continue?" \
    "$(message_box "New Profile")"
press "New Profile" 6   # Yes
check "New reports" "All settings have been reset to defaults." "$(message_box "New Profile")"
press "New Profile" 1
check "after New" "$defaults" "$(window_state)"

load_profile "$work/saved.tmb" "Profile loaded successfully!"
check "after loading the saved profile" "$loaded" "$(window_state)"
save_profile "$work/again.tmb"
check "recording and settings survive the round trip" same \
    "$(cmp -s "$work/fixture.tmb" "$work/again.tmb" && echo same)"

# Cut inside the second event: refused whole, the loaded state stays as it was.
head -c 140 "$work/saved.tmb" > "$work/corrupt.tmb"
load_profile "$work/corrupt.tmb" "Failed to load profile. The file may be corrupted or incompatible."
check "after the corrupt file" "$loaded" "$(window_state)"

check "exit code after WM_CLOSE" 0 "$(drv close TAMBLO 10000)"
