; Tamblo's installer: a per-user install that needs no administrator. Built by scripts/package:
;   makensis -DVERSION=1.0.0 -DSTAGE=<folder with Tamblo.exe, README.txt, LICENSE.txt>
;            -DICON=<Tamblo.ico> -DOUTFILE=<setup.exe> packaging/Tamblo.nsi
; Everything it adds lives under the current user: the program folder in
; %LOCALAPPDATA%\Programs\Tamblo, a Start-menu shortcut, the "Apps & features" entry and the .tmb
; file type in HKCU. The uninstaller removes exactly those. /S runs either silently.
Unicode true
; A 64-bit installer: the program is 64-bit, and so is the Wine it is tested under.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define PUBLISHER "Mara Lindqvist"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tamblo"
!define PROGID "Tamblo.Profile"
; SHCNE_ASSOCCHANGED: Explorer picks up the new file type without a sign-out.
!define NOTIFY_ASSOC_CHANGED "System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'"

Name "Tamblo ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tamblo"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Tamblo ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Tamblo"
VIAddVersionKey /LANG=1033 "FileDescription" "Tamblo ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tamblo.exe"
; The MIT licence asks for no acceptance: the page informs, and its button reads Next.
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Tamblo is free software under the MIT licence above."
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A running Tamblo holds Tamblo.exe open, so it cannot be replaced or removed: ask the user to
; close it first. Silent runs give up instead of waiting.
!macro REQUIRE_TAMBLO_CLOSED UN
Function ${UN}RequireTambloClosed
    FindWindow $0 "TAMBLO"
    ${DoWhile} $0 <> 0
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Tamblo is running. Close it, then press Retry." \
            /SD IDCANCEL IDRETRY retry
        Abort
      retry:
        FindWindow $0 "TAMBLO"
    ${Loop}
FunctionEnd
!macroend
!insertmacro REQUIRE_TAMBLO_CLOSED ""
!insertmacro REQUIRE_TAMBLO_CLOSED "un."

Function .onInit
    Call RequireTambloClosed
FunctionEnd

Function un.onInit
    Call un.RequireTambloClosed
FunctionEnd

Section "Tamblo"
    SetOutPath "$INSTDIR"
    File "${STAGE}/Tamblo.exe"
    File "${STAGE}/README.txt"
    File "${STAGE}/LICENSE.txt"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Tamblo.lnk" "$INSTDIR\Tamblo.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tamblo"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tamblo.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

    WriteRegStr HKCU "Software\Classes\.tmb" "" "${PROGID}"
    WriteRegStr HKCU "Software\Classes\${PROGID}" "" "Tamblo Profile"
    WriteRegStr HKCU "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\Tamblo.exe,0"
    WriteRegStr HKCU "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\Tamblo.exe" "%1"'
    ${NOTIFY_ASSOC_CHANGED}
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\Tamblo.lnk"
    Delete "$INSTDIR\Tamblo.exe"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\Uninstall.exe"
    ; Only when empty: files the user put there stay.
    RMDir "$INSTDIR"

    DeleteRegKey HKCU "Software\Classes\${PROGID}"
    ; .tmb is left alone when another program has taken it over since.
    ReadRegStr $0 HKCU "Software\Classes\.tmb" ""
    ${If} $0 == "${PROGID}"
        DeleteRegValue HKCU "Software\Classes\.tmb" ""
    ${EndIf}
    DeleteRegKey /ifempty HKCU "Software\Classes\.tmb"
    ${NOTIFY_ASSOC_CHANGED}
    ; Last: the entry in "Apps & features" goes once everything else is gone.
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
