#!/usr/bin/env bash
# Profiles through the real common file dialogs: a profile with every setting changed loads; a save
# typed without extension gets ".tmb" and the loaded bytes; a run started while the Load dialog is
# open refuses the load.
source "$(dirname "$0")/../lib.sh"
work=$E2E_OUT/profile && rm -rf "$work" && mkdir -p "$work"
# Every setting changed, hotkeys F6, F3, F4 and one event, in 4-byte fields.
perl -e 'print "TMBLO", pack("l<*", @ARGV)' 1 1 2 3 250 2 1 1 640 480 1 25 0 9 117 114 115 321 12 1 0 0 15 0 300 \
    400 0 0 >"$work/all.tmb"

# answer TITLE TEXT: the message box titled TITLE shows TEXT; OK closes it.
answer() {
    local box="#32770/$1"
    wait_for "message box \"$1\"" 20 drv get-text "$box" 0xFFFF >/dev/null 2>&1 || true
    check "$1" "$2" "$(drv get-text "$box" 0xFFFF 2>/dev/null)" && drv press "$box" 1 || true
}
# choose COMMAND TITLE PATH [ID]: opens a file dialog, posts command ID while it is open, chooses PATH.
choose() {
    drv command TAMBLO "$1" && drv wait-window "#32770/$2" 20000 >/dev/null
    [ -z "${4:-}" ] || drv command TAMBLO "$4"
    drv choose "#32770/$2" "$(win_path "$3")"
}

use_prefix "$WINEPREFIX" && start_tamblo
choose 109 "Load Profile" "$work/all.tmb"
answer "Load Profile" "Profile loaded successfully!"
choose 108 "Save Profile" "$work/saved"
answer "Save Profile" "Profile saved successfully!"
check "saved.tmb holds the loaded profile" same "$(cmp -s "$work/all.tmb" "$work/saved.tmb" && echo same)"
choose 109 "Load Profile" "$work/all.tmb" 1019 # Record
answer "Load Profile" "Please stop all active operations before loading a profile."
check "still recording" "Stop Rec (F3)" "$(drv get-text TAMBLO 1019)"
check "exit code after WM_CLOSE" 0 "$(drv close TAMBLO 10000)"
