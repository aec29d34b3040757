# Sourced, not run: start_private_display starts an Xvfb of our own (1280 x 1024, 24-bit, on the
# first free display number), exports DISPLAY for it and sets private_display_pid; the caller kills
# that process when done.
start_private_display() {
    local displayfile
    displayfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" </dev/null >/dev/null 2>&1 &
    private_display_pid=$!
    for _ in $(seq 200); do
        [ -s "$displayfile" ] && break
        sleep 0.05
    done
    export DISPLAY=":$(cat "$displayfile")"
    rm -f "$displayfile"
}
