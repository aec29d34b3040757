# Sourced by the end-to-end tests and benchmarks (environment from tests/e2e/CMakeLists.txt, a display
# from the caller): Tamblo.exe in the prefix WINEPREFIX (E2E_DPI: its pixels per inch), made when
# missing, with nothing left running in it when the test starts or ends. Every step is bounded in time.
set -euo pipefail
: "${TAMBLO_EXE:?}" "${TAMBL_DRIVER:?}" "${WINEPREFIX:?}" "${E2E_OUT:?}" "${DISPLAY:?run under xvfb-run}"
export WINEDEBUG=-all && mkdir -p "$E2E_OUT"
"$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-prefix" "$WINEPREFIX" ${E2E_DPI:-}
timeout 20 wineserver -k 2>/dev/null || true
e2e_failed=0
e2e_cleanup() {
    local status=$?
    trap - EXIT INT TERM
    timeout 20 wineserver -k 2>/dev/null || true
    exit $((status ? status : e2e_failed))
}
trap e2e_cleanup EXIT
trap 'echo "e2e: interrupted" >&2; exit 124' INT TERM

# drv COMMAND ARGS...: one TamblDriver command (see TamblDriver.cpp), at most 30 s.
drv() { timeout 30 wine "$TAMBL_DRIVER" "$@" || { local s=$?; echo "e2e: TamblDriver $1: status $s" >&2; return $s; }; }
text_is() { [ "$(drv get-text "$1" "$2" 2>/dev/null)" = "$3" ]; } # text_is NAME ID TEXT
win_path() { echo "Z:${1//\//\\}"; } # the Windows name (drive Z:) of a Unix path
# start_tamblo; start_target LOGFILE X Y WIDTH HEIGHT: starts Tamblo or the target window, waits for it.
start_tamblo() { wine "$TAMBLO_EXE" >/dev/null 2>&1 & drv wait-window TAMBLO 30000; }
start_target() { wine "$TAMBL_DRIVER" target "$(win_path "$1")" "$2" "$3" "$4" "$5" >/dev/null 2>&1 & drv wait-window TamblTarget 30000; }

# check WHAT EXPECTED ACTUAL: reports one comparison; a mismatch fails the test at its end.
check() { [ "$2" = "$3" ] && echo "ok   $1: $3" || { echo "FAIL $1: expected '$2', got '$3'" && e2e_failed=1; }; }
# wait_for WHAT TIMEOUT_S COMMAND...: polls COMMAND until it succeeds.
wait_for() {
    local end=$((SECONDS + $2))
    until "${@:3}"; do
        [ "$SECONDS" -lt "$end" ] || { echo "FAIL $1: not within $2 s" && e2e_failed=1 && return 1; }
        sleep 0.1
    done
}
