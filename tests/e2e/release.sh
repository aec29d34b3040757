#!/usr/bin/env bash
# The release in dist/ (scripts/package) as a Windows user gets it: files and sums, the same bytes from a
# second build, the version resource, the zip's program, the silent install, the .tmb type's open command on
# a saved and a corrupt profile, uninstall. No Wine menu builder: nothing reaches the Linux desktop.
export ROOT=$(cd "$(dirname "$0")/../.." && pwd) WINEDLLOVERRIDES=winemenubuilder.exe=d
source "$(dirname "$0")/lib.sh"
v=$(sed -n 's/^project(Tamblo VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")
dist=$ROOT/dist work=$E2E_OUT/release zip=Tamblo-$v-win64.zip setup=Tamblo-$v-setup.exe
rm -rf "$work" && mkdir -p "$work" && unzip -q "$dist/$zip" -d "$work/zip"
# A build folder of its own, kept between runs: two independent builds of the same sources.
"$ROOT/scripts/package" "$ROOT/build/release-check" "$work/again" >"$work/package.log" 2>&1
check "files|sums|second build|zip" "SHA256SUMS $setup $zip|ok|ok|Tamblo.exe README.txt LICENSE.txt" \
    "$(ls "$dist" | paste -sd' ')|$(cd "$dist" && sha256sum --quiet -c SHA256SUMS && echo ok)|$(cmp -s "$dist/$zip" \
    "$work/again/$zip" && cmp -s "$dist/$setup" "$work/again/$setup" && echo ok)|$(unzip -Z1 "$dist/$zip" | paste -sd' ')"
z=$work/zip/Tamblo.exe && at=$(LC_ALL=C grep -obUaP '\xbd\x04\xef\xfe' "$z" | tail -1 | cut -d: -f1) # VS_FIXEDFILEINFO
check "version resource" "$v.0|$v.0|040904B0|CompanyName|Mara Lindqvist|FileDescription|Tamblo|FileVersion|$v|\
InternalName|Tamblo|LegalCopyright|Copyright (c) 2026 Mara Lindqvist|OriginalFilename|Tamblo.exe|ProductName|Tamblo|\
ProductVersion|$v" "$(od -An -tu2 -j $((at + 8)) -N 16 "$z" | awk '{ print $2 "." $1 "." $4 "." $3 "|" $6 "." $5 "." \
    $8 "." $7 }')|$(strings -el "$z" | sed -n '/^StringFileInfo$/,/^VarFileInfo$/{//!p}' | paste -sd'|')"
perl -e 'print "TMBLO", pack("l<14 L<3 l<2 q<", 1, 1, 2, 3, 250, 2, 1, 1, 640, -480, 1, 25, 0, 9, 0x71, 0x72, 0x73, 0, 0, 0)' >"$work/saved.tmb"
head -c 60 "$work/saved.tmb" >"$work/corrupt.tmb"
# run_tamblo WHAT MESSAGE|STATE EXE ARGS...: the load message (none: no box), the window, the exit code.
run_tamblo() {
    local what=$1 expected=$2 box="" title="#32770/Load Profile"
    { wine "${@:3}" >/dev/null 2>&1 & } && drv wait-window TAMBLO 30000 >/dev/null
    ! drv wait-window "$title" $([[ $expected == \|* ]] && echo 1000 || echo 20000) >/dev/null 2>&1 ||
        { box=$(drv get-text "$title" 0xFFFF) && drv press "$title" 1; }
    check "$what: message|interval|Start" "$expected" "$box|$(drv get-text TAMBLO 1003)|$(drv get-text TAMBLO 1011)"
    check "$what: exit code" 0 "$(drv close TAMBLO 10000)"
}
run_tamblo "zip, two arguments" "|100|Start (F6)" "$(win_path "$work/zip/Tamblo.exe")" "$(win_path "$work/saved.tmb")" x
installed() { find "$WINEPREFIX/drive_c/users" -ipath '*tamblo*' -printf '%P\n' | sed 's|^[^/]*/||' | sort | tr '\n' '|'; }
# reg_value KEY [/v NAME|/ve]: a value, asked up to 3 times (a Wine start can fail without a word).
reg_value() { local out; for _ in 1 2 3; do out=$(wine reg query "$@" 2>/dev/null | tr -d '\r') && [[ $out == *HKEY_* ]] && break; done
    sed -n "s/^ *${3:-(Default)} *REG_[A-Z_]* *//p" <<<"$out"; }
entry='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tamblo' classes='HKCU\Software\Classes'
wine "$(win_path "$dist/$setup")" /S
p=AppData/Local/Programs/Tamblo progid=$(reg_value "$classes\\.tmb" /ve)
open=$(reg_value "$classes\\$progid\\shell\\open\\command" /ve)
exe=$(sed -n 's/^"\(C:\\users\\[^\\]*\\AppData\\Local\\Programs\\Tamblo\\Tamblo.exe\)" "%1"$/\1/p' <<<"$open")
check "installed files|uninstall entry|.tmb type|open command" "$p|$p/LICENSE.txt|$p/README.txt|$p/Tamblo.exe|\
$p/Uninstall.exe|AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tamblo.lnk||Tamblo|$v|Mara Lindqvist|1|\
Tamblo.Profile|Tamblo Profile|\"$exe\" \"%1\"" "$(installed)|$(for n in DisplayName DisplayVersion Publisher; do
    printf '%s|' "$(reg_value "$entry" /v $n)"; done)$(reg_value "$entry" /v EstimatedSize | grep -c '^0x[1-9a-f]')|\
$progid|$(reg_value "$classes\\$progid" /ve)|$open"
run_tamblo "open saved.tmb" "Profile loaded successfully!|250|Start (F2)" "$exe" "$(win_path "$work/saved.tmb")"
run_tamblo "open corrupt.tmb" "Failed to load profile. The file may be corrupted or incompatible.|100|Start (F6)" \
    "$exe" "$(win_path "$work/corrupt.tmb")"
# The uninstaller copies itself to %TEMP% and returns at once: wait for its last step.
wine "$(reg_value "$entry" /v QuietUninstallString | sed 's/^"\(.*\)" \/S$/\1/')" /S
wait_for "uninstall" 60 eval '[ -z "$(reg_value "$entry" /v DisplayName)" ]'
check "files|keys after uninstall" "|" "$(installed)|$(for k in "$entry" "$classes\\.tmb" "$classes\\$progid"; do
    wine reg query "$k" >/dev/null 2>&1 && echo "$k"; done)"
