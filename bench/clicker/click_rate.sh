#!/usr/bin/env bash
# Click rate of the auto-clicker, requested against received: Tamblo runs "until stopped" at each
# interval and clicks ClickSink.exe, a window of another process that notes the time of every press
# it receives. Between two marks posted to it (after a warm-up, so starting and stopping through the
# driver are not counted) the rate and the gaps between presses are taken. Both ways of aiming are
# measured: at the cursor, and at a fixed point (each tick moves the cursor and pauses 10 ms).
#   bench/clicker/click_rate.sh [SECONDS]     (environment as for the end-to-end tests, plus CLICK_SINK)
source "$(dirname "$0")/../../tests/e2e/lib.sh"
set +e
# Figures only: whatever was measured, the benchmark does not fail.
trap 'e2e_failed=0; (exit 0); e2e_cleanup' EXIT

seconds=${1:-${BENCH_SECONDS:-2}}
out=${BENCH_OUT:-/dev/null}
intervals=(1 2 5 10 20 50 100)
IDC_HOURS=1000 IDC_MINS=1001 IDC_SECS=1002 IDC_MILLISECS=1003 BM_SETCHECK=0x00F1
IDC_REPEAT=1008 IDC_REPEAT_UNTIL_STOPPED=1009 IDC_START=1011 IDC_CURSOR_POS=1016 IDC_CURSOR_X=1017 IDC_CURSOR_Y=1018

log=$E2E_OUT/click-sink.log
rm -f "$log"
wine "$CLICK_SINK" "$(win_path "$log")" 700 120 400 300 >/dev/null 2>&1 &
wait_for "ClickSink is up" 30 grep -qs READY "$log"
read -r _ sink_x sink_y < <(tr -d '\r' < "$log" | grep READY)
click_x=$(( sink_x + 150 )) click_y=$(( sink_y + 100 ))
start_tamblo

drv set-text TAMBLO $IDC_HOURS 0 && drv set-text TAMBLO $IDC_MINS 0 && drv set-text TAMBLO $IDC_SECS 0
drv send TAMBLO $IDC_REPEAT_UNTIL_STOPPED $BM_SETCHECK 1 0 >/dev/null
drv send TAMBLO $IDC_REPEAT $BM_SETCHECK 0 0 >/dev/null
drv command TAMBLO $IDC_REPEAT_UNTIL_STOPPED
drv set-text TAMBLO $IDC_CURSOR_X $click_x
drv set-text TAMBLO $IDC_CURSOR_Y $click_y
caption_is() { [ "$(drv get-text TAMBLO $IDC_START)" = "$1" ]; }
mark() { drv send ClickSink 0 32769 0 0; }
# Tamblo's own count with the time, and from that its click rate since then (clicks/s).
made_now() { echo "$(drv get-text TAMBLO 1012 | sed -n 's/.*Clicks: \([0-9]*\).*/\1/p'),$(date +%s%N)"; }
made_since() {
    local now=$(made_now)
    awk -v a="$1" -v b="$now" 'BEGIN { split(a, x, ","); split(b, y, ","); printf "%.1f", (y[1] - x[1]) * 1e9 / (y[2] - x[2]) }'
}
counted=() ends=() made=()

for mode in cursor fixed; do
    drv send TAMBLO $IDC_CURSOR_POS $BM_SETCHECK $([ $mode = fixed ] && echo 1 || echo 0) 0 >/dev/null
    drv command TAMBLO $IDC_CURSOR_POS
    [ $mode = cursor ] && xdotool mousemove $click_x $click_y
    for interval in "${intervals[@]}"; do
        drv set-text TAMBLO $IDC_MILLISECS "$interval"
        drv command TAMBLO $IDC_START
        wait_for "run at $interval ms starts" 10 caption_is "Stop (F6)"
        sleep 0.5
        mark && made_from=$(made_now)
        sleep "$seconds"
        mark && made+=("$(made_since $made_from)")
        drv command TAMBLO $IDC_START
        wait_for "run at $interval ms stops" 10 caption_is "Start (F6)"
        received=-1   # presses still on their way are counted with this run, not the next
        for _ in $(seq 20); do
            mark
            sleep 0.3
            now=$(grep -c '^D' "$log")
            [ "$now" = "$received" ] && break
            received=$now
        done
        mark
        sleep 0.2
        ends+=("$(grep -c '^M' "$log")")   # marks up to the end of this run
        counted+=("$(drv get-text TAMBLO 1012 | sed -n 's/.*Clicks: \([0-9]*\).*/\1/p')")
    done
done
drv close TAMBLO 10000 >/dev/null

# Runs in order, cursor then fixed: the first two marks bound the measured stretch, the marks up to
# the last one wait for late presses.
tr -d '\r' < "$log" | python3 -c '
import sys
intervals = [int(i) for i in sys.argv[1].split()]
counted = [int(c or 0) for c in sys.argv[3].split()]
ends = [int(e) for e in sys.argv[4].split()]
runs, marks, presses, start, total, first = [], 0, [], 0.0, 0, 0
for line in sys.stdin:
    kind, _, value = line.partition(" ")
    total += kind == "D"
    if kind == "M":
        marks += 1
        if marks == first + 2:
            gaps = sorted(b - a for a, b in zip(presses, presses[1:])) or [0.0]
            pick = lambda q: gaps[int(q * (len(gaps) - 1))]
            # From the first press to the last: a count over a fixed stretch would be off by a
            # whole click (5 % of 20 clicks at 100 ms).
            span = presses[-1] - presses[0] if len(presses) > 1 else float(value) - start
            runs.append([(max(len(presses), 1) - 1) * 1000.0 / span, pick(0.5), pick(0.99)])
        if len(runs) <= len(ends) and runs and marks == ends[len(runs) - 1]:
            runs[-1].append(total)
            total, first = 0, marks
        presses, start = [], float(value)
    elif kind == "D" and marks == first + 1:
        presses.append(float(value))
print("Click rate under Wine, single left clicks, %s s per run after 0.5 s warm-up, received by another process" % sys.argv[2])
print("%-8s %-10s | %-28s | %-28s" % ("interval", "requested", "at cursor: rate ratio p50/p99 gap", "fixed point: rate ratio p50/p99 gap"))
for i, interval in enumerate(intervals):
    cells = []
    for run in (runs[i:i + 1], runs[len(intervals) + i:len(intervals) + i + 1]):
        rate, p50, p99 = run[0][:3] if run else (0.0, 0.0, 0.0)
        cells.append("%7.1f/s %5.3f %5.1f/%5.1f ms" % (rate, rate * interval / 1000.0, p50, p99))
    print("%-8s %-10s | %-28s | %-28s" % ("%d ms" % interval, "%.1f/s" % (1000.0 / interval), cells[0], cells[1]))
made = sys.argv[5].split()
print("Rate Tamblo made over the same stretch (its own count), at cursor / fixed point:")
for i, interval in enumerate(intervals):
    pick = lambda k: made[k] if k < len(made) else "?"
    print("  %-6s %8s/s %8s/s" % ("%d ms" % interval, pick(i), pick(len(intervals) + i)))
print("Clicks made by Tamblo / received by the window, whole runs:")
for mode, first in (("at cursor", 0), ("fixed point", len(intervals))):
    print("  %-12s" % mode + " ".join("%d ms %s/%s" % (interval, counted[first + i] if first + i < len(counted) else "?",
        runs[first + i][3] if first + i < len(runs) and len(runs[first + i]) > 3 else "?") for i, interval in enumerate(intervals)))
' "${intervals[*]}" "$seconds" "${counted[*]}" "${ends[*]}" "${made[*]}" | tee "$out"
