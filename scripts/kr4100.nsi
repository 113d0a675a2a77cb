; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer of the KR-4100 programming software, made by scripts/make-windows-installer.sh:
;   makensis -DROOT=<the KR-4100 folder> -DFILES=<files.nsh> -DOUTFILE=<setup.exe> -DVERSION=<x.y.z>
;            -DLICENSE=<LICENSE> -DICON=<kr4100.ico>
; It shows the licence, installs the KR-4100 folder for all users (Program Files, with
; administrator rights) or, for a user who is not an administrator or asks for it (/CurrentUser),
; for that user alone (their Programs folder), adds a Start-menu entry, opens .dat files with the
; program and writes the entry Windows' installed-programs list reads. The uninstaller removes
; exactly the files it installed, so the user's settings (language\mysetup.ini, the per-user
; folder) and data files stay.
; A 64-bit installer for a 64-bit program: it writes the 64-bit registry and Program Files.
Target amd64-unicode
Unicode true

Name "KR-4100"
OutFile "${OUTFILE}"
SetCompressor /SOLID lzma
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "KR-4100 programming software"
VIAddVersionKey /LANG=1033 "CompanyName" "KR-4100 programming software developers"
VIAddVersionKey /LANG=1033 "FileDescription" "KR-4100 programming software setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Licensed under the GNU General Public License, version 3 or later (GPL-3.0-or-later)"

!define PUBLISHER "KR-4100 programming software developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KR-4100"
!define PROGID "KR4100.DataFile"
!define PROGRAM "$INSTDIR\V600\kr4100.exe"

; All users when the user may (asking for administrator rights), else the user alone; the
; uninstaller finds which from where the entry is.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "KR-4100"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!include "MultiUser.nsh"
!include "MUI2.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"

!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

Function .onInit
  ; The install mode picks a default folder; a folder given by /D= comes first.
  StrCpy $0 $INSTDIR
  !insertmacro MULTIUSER_INIT
  StrCmp $0 "" +2
    StrCpy $INSTDIR $0
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "KR-4100"
  SetOutPath "$INSTDIR"
  File /r /x mysetup.ini "${ROOT}\*"
  ; Settings a user already has survive a reinstall.
  SetOutPath "$INSTDIR\language"
  SetOverwrite off
  File "${ROOT}\language\mysetup.ini"
  SetOverwrite on

  ; SHCTX is HKLM for all users and HKCU for the user alone, as the install mode set it.
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "KR-4100 programming software"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "${PROGRAM},0"
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1

  ; .dat opens with the program.
  WriteRegStr SHCTX "Software\Classes\.dat" "" "${PROGID}"
  WriteRegStr SHCTX "Software\Classes\${PROGID}" "" "KR-4100 data file"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\DefaultIcon" "" "${PROGRAM},0"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open\command" "" '"${PROGRAM}" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  CreateDirectory "$SMPROGRAMS\KR-4100"
  SetOutPath "$INSTDIR\V600"
  CreateShortcut "$SMPROGRAMS\KR-4100\KR-4100.lnk" "${PROGRAM}"
  CreateShortcut "$SMPROGRAMS\KR-4100\Uninstall KR-4100.lnk" "$INSTDIR\Uninstall.exe" "/$MultiUser.InstallMode"
SectionEnd

Section "Uninstall"
  ; What the installer put there, file by file, and then the folders that are left empty.
  !include "${FILES}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\KR-4100\KR-4100.lnk"
  Delete "$SMPROGRAMS\KR-4100\Uninstall KR-4100.lnk"
  RMDir "$SMPROGRAMS\KR-4100"

  ; .dat is left alone if another program has taken it since.
  ReadRegStr $0 SHCTX "Software\Classes\.dat" ""
  StrCmp $0 "${PROGID}" 0 +2
    DeleteRegKey SHCTX "Software\Classes\.dat"
  DeleteRegKey SHCTX "Software\Classes\${PROGID}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
