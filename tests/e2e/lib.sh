# Shared by the end-to-end tests: sourced, never run. Each test runs the real Tamblo.exe under Wine
# in a private prefix, drives it with TamblDriver.exe and looks at the screen. Everything here is
# bounded in time, and whatever a test started is ended when it exits, however it exits.
#
# Environment (set by tests/e2e/CMakeLists.txt): TAMBLO_EXE, TAMBL_DRIVER, TAMBL_TARGET, WINEPREFIX,
# WINEPREFIX_120, E2E_OUT. Without DISPLAY a private Xvfb is started.
set -euo pipefail

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ROOT=$(cd "$E2E_DIR/../.." && pwd)
: "${TAMBLO_EXE:?}" "${TAMBL_DRIVER:?}" "${WINEPREFIX:?}" "${E2E_OUT:?}"
export WINEDEBUG=-all
mkdir -p "$E2E_OUT"

CONVERT=convert
[ -x /usr/bin/convert ] && CONVERT=/usr/bin/convert
E2E_TIMEOUT=${E2E_TIMEOUT:-150}   # seconds for a whole test; ctest's own limit is above it

e2e_failed=0
e2e_prefixes=()
e2e_xvfb_pid=""
e2e_watchdog_pid=""

e2e_cleanup() {
    local status=$?
    trap - EXIT INT TERM
    local prefix
    for prefix in "${e2e_prefixes[@]}"; do
        WINEPREFIX=$prefix timeout 20 wineserver -k 2>/dev/null || true
    done
    [ -n "$e2e_xvfb_pid" ] && kill "$e2e_xvfb_pid" 2>/dev/null
    [ -n "$e2e_watchdog_pid" ] && kill "$e2e_watchdog_pid" 2>/dev/null
    wait 2>/dev/null
    if [ "$status" -eq 0 ] && [ "$e2e_failed" -ne 0 ]; then
        status=1
    fi
    exit "$status"
}
trap e2e_cleanup EXIT
trap 'echo "e2e: interrupted" >&2; exit 124' INT TERM

# The whole test is bounded: after E2E_TIMEOUT seconds it is stopped and cleaned up.
# The sleep gets no inherited output, or it would hold the test runner's pipe open after a pass.
(
    trap 'kill "$sleeper" 2>/dev/null; exit 0' TERM
    sleep "$E2E_TIMEOUT" </dev/null >/dev/null 2>&1 &
    sleeper=$!
    wait "$sleeper" && echo "e2e: test took over $E2E_TIMEOUT s" >&2 && kill -TERM $$
) &
e2e_watchdog_pid=$!

if [ -z "${DISPLAY:-}" ]; then
    source "$ROOT/scripts/private-display.sh"
    start_private_display
    e2e_xvfb_pid=$private_display_pid
fi

# use_prefix DIR [DPI]: makes DIR (created when missing) the prefix of the following Wine calls,
# ends anything left running in it, and has it shut down when the test ends.
use_prefix() {
    "$ROOT/scripts/wine-prefix" "$1" "${2:-}"
    export WINEPREFIX=$1
    e2e_prefixes+=("$1")
    timeout 20 wineserver -k 2>/dev/null || true
}

# drv COMMAND ARGS...: one TamblDriver command (see TamblDriver.cpp), at most 30 s; a failure is
# reported with its exit status (124: timed out).
drv() {
    local status=0
    timeout 30 wine "$TAMBL_DRIVER" "$@" || status=$?
    if [ "$status" -ne 0 ]; then
        echo "e2e: TamblDriver $1 exited with status $status" >&2
    fi
    return "$status"
}

# start_tamblo: starts Tamblo.exe and waits until its main window is visible.
start_tamblo() {
    wine "$TAMBLO_EXE" >/dev/null 2>&1 &
    drv wait-window TAMBLO 30000 >/dev/null
}

# start_target LOGFILE X Y WIDTH HEIGHT: starts the input target window and waits for it.
start_target() {
    wine "$TAMBL_TARGET" "$(win_path "$1")" "$2" "$3" "$4" "$5" >/dev/null 2>&1 &
    drv wait-window TamblTarget 30000 >/dev/null
}

# win_path PATH: the Windows name (drive Z:) of a Unix path.
win_path() {
    local path=$1
    echo "Z:${path//\//\\}"
}

screenshot() {
    timeout 20 import -window root "$1"
}

# pixel FILE X Y: the colour at a screen point as "r,g,b".
pixel() {
    timeout 20 "$CONVERT" "$1" -crop "1x1+$2+$3" +repage -depth 8 txt:- |
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
    local what=$1 limit=$2
    shift 2
    local end=$(( $(date +%s) + limit ))
    until "$@"; do
        if [ "$(date +%s)" -ge "$end" ]; then
            echo "FAIL $what: not within $limit s"
            e2e_failed=1
            return 1
        fi
        sleep 0.1
    done
}
