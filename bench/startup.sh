#!/usr/bin/env bash
# Start-up time of Tamblo.exe under Wine beside the smallest window program built the same way:
# milliseconds from CreateProcess until a visible top-level window of the program's class exists,
# measured inside Wine by LaunchTime.exe, with one idle Wine process kept alive so that the cold
# start of Wine itself is not counted. Then where the time goes: StartupSteps.exe makes the same
# calls group by group and prints each group's cost (medians over the runs). Prints figures; never
# fails.
#   bench/startup.sh [RUNS]     (environment as for the e2e tests, plus MINIMAL_EXE, STEPS_EXE and LAUNCH_TIME)
set -uo pipefail

runs=${1:-${BENCH_RUNS:-9}}
: "${TAMBLO_EXE:?}" "${MINIMAL_EXE:?}" "${STEPS_EXE:?}" "${LAUNCH_TIME:?}" "${WINEPREFIX:?}"
export WINEDEBUG=-all
out=${BENCH_OUT:-/dev/null}   # the figures are also written here
root=$(cd "$(dirname "$0")/.." && pwd)

xvfb_pid="" idle_pid=""
finish() {
    [ -n "$idle_pid" ] && kill "$idle_pid" 2>/dev/null
    timeout 20 wineserver -k 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    exit 0   # figures only: a benchmark never fails the build
}
trap finish EXIT

if [ -z "${DISPLAY:-}" ]; then
    source "$root/scripts/private-display.sh"
    start_private_display
    xvfb_pid=$private_display_pid
fi

"$root/scripts/wine-prefix" "$WINEPREFIX" || exit 0
timeout 20 wineserver -k 2>/dev/null
wine "$LAUNCH_TIME" idle 600000 </dev/null >/dev/null 2>&1 &
idle_pid=$!
sleep 2   # the idle process brings up the prefix's services

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) print "nan"; else if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

measure() { # EXE CLASS: one run, prints milliseconds or nothing
    timeout 60 wine "$LAUNCH_TIME" "$1" "$2" 30000 2>/dev/null | tr -d '\r'
}

# One warm-up run each, then alternate so that drift hits both alike.
measure "$MINIMAL_EXE" MinimalWindow >/dev/null
measure "$TAMBLO_EXE" TAMBLO >/dev/null
tamblo_times=() minimal_times=()
for _ in $(seq "$runs"); do
    minimal_times+=("$(measure "$MINIMAL_EXE" MinimalWindow)")
    tamblo_times+=("$(measure "$TAMBLO_EXE" TAMBLO)")
done

steps=$(for _ in $(seq "$runs"); do timeout 60 wine "$STEPS_EXE" 2>/dev/null | tr -d '\r'; done)

tamblo_median=$(printf '%s\n' "${tamblo_times[@]}" | grep . | median)
minimal_median=$(printf '%s\n' "${minimal_times[@]}" | grep . | median)
{
    echo "startup: Tamblo.exe        runs (ms): ${tamblo_times[*]}"
    echo "startup: MinimalWindow.exe runs (ms): ${minimal_times[*]}"
    echo "startup: median Tamblo.exe $tamblo_median ms, MinimalWindow.exe $minimal_median ms," \
         "ratio $(awk -v a="$tamblo_median" -v b="$minimal_median" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }')"
    echo "startup: where the time goes (StartupSteps.exe, the same calls in the same order; median ms of $runs runs):"
    for step in $(printf '%s\n' "$steps" | awk '!seen[$1]++ { print $1 }'); do
        printf '  %-30s %8s ms\n' "$step" "$(printf '%s\n' "$steps" | awk -v s="$step" '$1 == s { print $2 }' | median)"
    done
    echo "startup: Tamblo.exe is $(stat -c %s "$TAMBLO_EXE") bytes, MinimalWindow.exe $(stat -c %s "$MINIMAL_EXE") bytes"
} | tee "$out"
