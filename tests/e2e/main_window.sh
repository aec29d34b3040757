#!/usr/bin/env bash
# The main window as a person sees it at 96 or 120 DPI: outer size, where the controls sit (the
# content column centred in the client area, rows and offsets scaled and truncated one by one),
# the button captions and status text, the colours on screen, and a clean exit with code 0.
#   main_window.sh 96|120
source "$(dirname "$0")/lib.sh"

dpi=${1:?usage: main_window.sh 96|120}
case $dpi in
    96)
        use_prefix "$WINEPREFIX"
        outer="575 664"; column=560
        # x offset within the column, row, width, height
        hours="20 85 60 30"; start="10 285 120 35"; status="0 345 560 25"
        record="10 415 120 35"; playback="140 415 120 35"
        ;;
    120)
        use_prefix "${WINEPREFIX_120:?}" 120
        outer="719 830"; column=700
        hours="25 105 75 37"; start="12 354 150 43"; status="0 429 700 31"
        record="12 516 150 43"; playback="175 516 150 43"
        ;;
    *) echo "main_window.sh: DPI must be 96 or 120" >&2; exit 2 ;;
esac

start_tamblo
read -r _ _ width height < <(drv rect TAMBLO)
check "outer window size" "$outer" "$width $height"

read -r client_x client_y client_width _ < <(drv client-rect TAMBLO)
left=$(( (client_width - column) / 2 ))   # bash truncates toward zero, as the layout does

# expect_rect WHAT ID "XOFFSET Y W H"
expect_rect() {
    local x y w h
    read -r x y w h <<< "$3"
    check "$1 (id $2) at $dpi DPI" "$(( left + x )) $y $w $h" "$(drv child-rect TAMBLO "$2")"
}
expect_rect "hours field" 1000 "$hours"
expect_rect "Start button" 1011 "$start"
expect_rect "status line" 1012 "$status"
expect_rect "Record button" 1019 "$record"
expect_rect "Playback button" 1020 "$playback"

check "Start caption" "Start (F6)" "$(drv get-text TAMBLO 1011)"
check "Record caption" "Record (F8)" "$(drv get-text TAMBLO 1019)"
check "Playback caption" "Playback (F9)" "$(drv get-text TAMBLO 1020)"
check "status line" "Status: Stopped | Clicks: 0" "$(drv get-text TAMBLO 1012)"
check "window title" "Tamblo" "$(drv get-text TAMBLO 0)"

sleep 0.5   # let the last paint reach the X server
shot=$E2E_OUT/screenshot-$dpi.png
screenshot "$shot"
echo "screenshot: $shot"
# face_point "XOFFSET Y W H": a screen point 3 pixels inside the top-left corner, clear of the caption.
face_point() {
    local x y
    read -r x y _ _ <<< "$1"
    echo "$(( client_x + left + x + 3 )) $(( client_y + y + 3 ))"
}
read -r start_x start_y start_w start_h <<< "$start"
# Right of the Start button its row is empty: the class background shows.
check "window background" "32,32,32" \
    "$(pixel "$shot" $(( client_x + left + start_x + start_w + 40 )) $(( client_y + start_y + start_h / 2 )))"
check "Start button face" "0,120,215" "$(pixel "$shot" $(face_point "$start"))"
check "Record button face" "0,120,215" "$(pixel "$shot" $(face_point "$record"))"
check "Playback button face" "0,120,215" "$(pixel "$shot" $(face_point "$playback"))"

check "exit code after WM_CLOSE" 0 "$(drv close TAMBLO 10000)"
