# Shared by the recording and playback end-to-end tests: sourced after ../lib.sh, never run.

TARGET_X=650 TARGET_Y=100 TARGET_W=500 TARGET_H=400

# start_macro_session LOGFILE: a fresh target window and Tamblo, with the target focused so that
# the hotkeys fire (under Wine only while a Wine window has the focus) and typed keys land there.
start_macro_session() {
    rm -f "$1"
    start_target "$1" $TARGET_X $TARGET_Y $TARGET_W $TARGET_H
    start_tamblo
    # Tamblo's own activation may still be under way: click the target, then insist.
    xdotool mousemove 800 300 click 1
    wait_for "target window in the foreground" 10 drv focus TamblTarget
    sleep 0.2
}

# log_lines FILE: the number of lines the target has logged so far.
log_lines() {
    wc -l < "$1"
}

# inputs_after FILE LINE: the input the target received after line LINE, one line per message,
# in a form that is the same for recorded and replayed input: keys by scan code (replayed keys
# arrive with virtual key 0 under Wine), buttons and wheel by screen position. The hotkeys' own
# messages (F8 scan 0x42, F9 scan 0x43) and keyboard auto-repeat of real keys are left out.
inputs_after() {
    tail -n +"$(( $2 + 1 ))" "$1" | tr -d '\r' | awk '
        /^(KEYDOWN|KEYUP|SYSKEYDOWN|SYSKEYUP) / {
            vk = $2; scan = $3; ext = $4; prev = $5
            if (scan == "scan=0x42" || scan == "scan=0x43") next
            # Replayed keys all arrive as virtual key 0 and so share one "previous state": only a
            # real key can be an auto-repeat.
            if ($1 ~ /DOWN$/ && prev == "prev=1" && vk != "vk=0x00") next
            print $1, scan, ext; next
        }
        /^WHEEL / { print $1, $2, $3, $4; next }
        /^[LRMX]BUTTON/ { print $1, $4, $5; next }'
}

# log_has FILE MIN_LINES: true once the target has logged that many lines.
log_has() {
    [ "$(log_lines "$1")" -ge "$2" ]
}

# caption_is ID TEXT: true when Tamblo's control ID shows TEXT.
caption_is() {
    [ "$(drv get-text TAMBLO "$1")" = "$2" ]
}

# taps_since FILE LINE N: true once N replayed presses of b (scan 0x30) arrived after line LINE.
taps_since() {
    [ "$(tail -n +"$(( $2 + 1 ))" "$1" | grep -c '^KEYDOWN vk=0x00 scan=0x30')" -ge "$3" ]
}

# held_report FILE: asks the target which keys and buttons are down now; prints its HELD line.
held_report() {
    local before
    before=$(log_lines "$1")
    drv post TamblTarget 0 0x8001 0 0 >/dev/null
    wait_for "the target answers" 10 log_has "$1" $(( before + 1 )) >&2 || true
    tail -n +"$(( before + 1 ))" "$1" | tr -d '\r' | grep -m1 '^HELD' || echo "HELD (no answer)"
}
