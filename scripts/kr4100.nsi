; The Windows installer of the KR-4100 programming software, made by scripts/build-windows-gui.sh:
;   makensis -DROOT=<the KR-4100 folder> -DFILES=<files.nsh> -DOUTFILE=<setup.exe> -DVERSION=<x.y.z>
; It copies the KR-4100 folder to Program Files, adds a Start-menu entry and opens .dat files with
; the program. The uninstaller removes exactly the files it installed, so the user's settings
; (language\mysetup.ini, the per-user folder) and data files stay.
; A 64-bit installer for a 64-bit program: it writes the 64-bit registry and Program Files.
Target amd64-unicode
!include "MUI2.nsh"

Name "KR-4100"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\KR-4100"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "KR-4100"
VIAddVersionKey /LANG=1033 "FileDescription" "KR-4100 programming software setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "KR-4100"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KR-4100"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
!define PROGID "KR4100.DataFile"
!define PROGRAM "$INSTDIR\V600\kr4100.exe"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

Section "KR-4100"
  SetOutPath "$INSTDIR"
  File /r /x mysetup.ini "${ROOT}\*"
  ; Settings a user already has survive a reinstall.
  SetOutPath "$INSTDIR\language"
  SetOverwrite off
  File "${ROOT}\language\mysetup.ini"
  SetOverwrite on

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "KR-4100"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "${PROGRAM}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ; .dat opens with the program.
  WriteRegStr HKLM "Software\Classes\.dat" "" "${PROGID}"
  WriteRegStr HKLM "Software\Classes\${PROGID}" "" "KR-4100 data file"
  WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" "${PROGRAM},0"
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"${PROGRAM}" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  SetShellVarContext all
  CreateDirectory "$SMPROGRAMS\KR-4100"
  SetOutPath "$INSTDIR\V600"
  CreateShortcut "$SMPROGRAMS\KR-4100\KR-4100.lnk" "${PROGRAM}"
  CreateShortcut "$SMPROGRAMS\KR-4100\Uninstall KR-4100.lnk" "$INSTDIR\Uninstall.exe"
SectionEnd

Section "Uninstall"
  ; What the installer put there, file by file, and then the folders that are left empty.
  !include "${FILES}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  SetShellVarContext all
  Delete "$SMPROGRAMS\KR-4100\KR-4100.lnk"
  Delete "$SMPROGRAMS\KR-4100\Uninstall KR-4100.lnk"
  RMDir "$SMPROGRAMS\KR-4100"

  ; .dat is left alone if another program has taken it since.
  ReadRegStr $0 HKLM "Software\Classes\.dat" ""
  StrCmp $0 "${PROGID}" 0 +2
    DeleteRegKey HKLM "Software\Classes\.dat"
  DeleteRegKey HKLM "Software\Classes\${PROGID}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
