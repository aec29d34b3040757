# Sourced by the end-to-end tests: the real Tamblo.exe under Wine in a private prefix, driven by
# TamblDriver.exe. Every step is bounded in time, and whatever a test started ends when it exits.
# Environment (tests/e2e/CMakeLists.txt): TAMBLO_EXE, TAMBL_DRIVER, TAMBL_TARGET, WINEPREFIX,
# WINEPREFIX_120, E2E_OUT. Without DISPLAY a private Xvfb is started.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
: "${TAMBLO_EXE:?}" "${TAMBL_DRIVER:?}" "${WINEPREFIX:?}" "${E2E_OUT:?}"
export WINEDEBUG=-all
mkdir -p "$E2E_OUT"

e2e_failed=0 e2e_prefixes=() e2e_pids=()
e2e_cleanup() {
    local status=$? prefix
    trap - EXIT INT TERM
    for prefix in "${e2e_prefixes[@]}"; do
        WINEPREFIX=$prefix timeout 20 wineserver -k 2>/dev/null || true
    done
    [ ${#e2e_pids[@]} -eq 0 ] || kill "${e2e_pids[@]}" 2>/dev/null
    [ "$status" -ne 0 ] || status=$e2e_failed
    exit "$status"
}
trap e2e_cleanup EXIT
trap 'echo "e2e: interrupted" >&2; exit 124' INT TERM

# The whole test gets E2E_TIMEOUT seconds. The sleep holds none of our output open.
(
    trap 'kill $! 2>/dev/null; exit 0' TERM
    sleep "${E2E_TIMEOUT:-150}" </dev/null >/dev/null 2>&1 &
    wait $! && echo "e2e: out of time" >&2 && kill -TERM $$
) &
e2e_pids+=($!)
if [ -z "${DISPLAY:-}" ]; then
    source "$ROOT/scripts/private-display.sh"
    start_private_display
    e2e_pids+=("$private_display_pid")
fi

# use_prefix DIR [DPI]: DIR (created when missing) becomes the prefix of the following Wine calls,
# with nothing left running in it; it is shut down when the test ends.
use_prefix() {
    "$ROOT/scripts/wine-prefix" "$1" "${2:-}"
    export WINEPREFIX=$1
    e2e_prefixes+=("$1")
    timeout 20 wineserver -k 2>/dev/null || true
}

# drv COMMAND ARGS...: one TamblDriver command (see TamblDriver.cpp), at most 30 s.
drv() {
    timeout 30 wine "$TAMBL_DRIVER" "$@" || { local s=$?; echo "e2e: TamblDriver $1: status $s" >&2; return $s; }
}

# start_tamblo; start_target LOGFILE X Y WIDTH HEIGHT: starts the program and waits for its window.
start_tamblo() {
    wine "$TAMBLO_EXE" >/dev/null 2>&1 &
    drv wait-window TAMBLO 30000
}
start_target() {
    wine "$TAMBL_TARGET" "$(win_path "$1")" "$2" "$3" "$4" "$5" >/dev/null 2>&1 &
    drv wait-window TamblTarget 30000
}

win_path() { echo "Z:${1//\//\\}"; } # the Windows name (drive Z:) of a Unix path
screenshot() { timeout 20 import -window root "$1"; }
# pixel FILE X Y: the colour at a screen point as "r,g,b".
pixel() {
    timeout 20 /usr/bin/convert "$1" -crop "1x1+$2+$3" +repage -depth 8 txt:- |
        sed -n 's/^0,0: (\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}

# check WHAT EXPECTED ACTUAL: reports one comparison; a mismatch fails the test at its end.
check() {
    if [ "$2" = "$3" ]; then
        echo "ok   $1: $3"
    else
        echo "FAIL $1: expected '$2', got '$3'"
        e2e_failed=1
    fi
}

# wait_for WHAT TIMEOUT_S COMMAND...: polls COMMAND until it succeeds.
wait_for() {
    local what=$1 limit=$2 end=$((SECONDS + $2))
    shift 2
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || { echo "FAIL $what: not within $limit s" && e2e_failed=1 && return 1; }
        sleep 0.1
    done
}
