#!/usr/bin/env bash
# Idle CPU of Tamblo.exe with the cursor at rest, over the same 20 s as a minimal window that reads
# the cursor on a 50 ms timer and writes it into a label (as Tamblo's readout does) and a plain
# minimal window. Under Wine, GetProcessTimes on another process is wrong, so the CPU time is read
# from Linux: the nanoseconds on CPU of all of a process's threads (/proc/PID/task/*/schedstat).
# The wineserver's share (it serves the timers of all three) is not counted.
#   bench/clicker/idle_cpu.sh [SECONDS]     (environment as for the end-to-end tests, plus MINIMAL_EXE)
source "$(dirname "$0")/../../tests/e2e/lib.sh"
set +e
trap 'e2e_failed=0; (exit 0); e2e_cleanup' EXIT

seconds=${1:-${BENCH_SECONDS:-20}}
out=${BENCH_OUT:-/dev/null}

# linux_pid EXE_NAME: the Linux process of this prefix whose command line names the program.
linux_pid() {
    local pid
    for pid in $(pgrep -f "$1"); do
        if tr '\0' '\n' < /proc/$pid/environ 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" &&
            tr '\0' ' ' < /proc/$pid/cmdline | grep -q "$1${2:-}"; then
            echo "$pid"
            return
        fi
    done
}
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ sum += $1 } END { printf "%d", sum }'; }

start_tamblo
wine "$MINIMAL_EXE" poll >/dev/null 2>&1 &
wine "$MINIMAL_EXE" >/dev/null 2>&1 &
drv wait-window MinimalWindow 30000 >/dev/null
sleep 3   # all three settle; the cursor stays where it is
names=(Tamblo.exe "MinimalWindow.exe poll" MinimalWindow.exe)
pids=("$(linux_pid Tamblo.exe)" "$(linux_pid MinimalWindow.exe ' poll')" "$(linux_pid MinimalWindow.exe ' *$')")
before=() after=()
for pid in "${pids[@]}"; do before+=("$(cpu_ns "$pid")"); done
sleep "$seconds"
for pid in "${pids[@]}"; do after+=("$(cpu_ns "$pid")"); done
drv close TAMBLO 10000 >/dev/null

{
    echo "Idle CPU under Wine over the same ${seconds} s, cursor at rest (Linux pids ${pids[*]})"
    for i in 0 1 2; do
        awk -v n="${names[$i]}" -v ns=$(( ${after[$i]:-0} - ${before[$i]:-0} )) -v s="$seconds" \
            'BEGIN { printf "  %-24s %8.1f ms CPU  %6.3f %% of one core\n", n, ns / 1e6, ns / 1e7 / s }'
    done
} | tee "$out"
