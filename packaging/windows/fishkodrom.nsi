; The player's installer: per user, no administrator rights asked. It installs the program folder made
; by scripts/windows, a Start menu entry, ticket files (*.tkt) opened by the program and shown with its
; icon, and an uninstaller listed among the system's programs. The uninstaller takes away exactly what
; was installed: the settings written beside the program and the kept game stay the player's.
;
; makensis -DVERSION=1.0.0 -DSTAGE=<program folder> -DFILES=<files.nsh> -DOUTFILE=<setup.exe> fishkodrom.nsi
; A 64-bit installer for a 64-bit program (and Wine without its 32-bit half runs it too).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"

!define APP "fishkodrom"
!define NAME "Фишкодром"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define TICKET_TYPE "Fishkodrom.Ticket"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${NAME}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${NAME} ${VERSION}"

!define MUI_ICON "${STAGE}\fishkodrom.ico"
!define MUI_UNICON "${STAGE}\fishkodrom.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\fishkodrom.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

Section "Install"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  !include "${FILES}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\fishkodrom.exe" "" "$INSTDIR\fishkodrom.exe" 0

  ; Ticket files: the program opens them and its icon stands for them.
  WriteRegStr HKCU "Software\Classes\.tkt" "" "${TICKET_TYPE}"
  WriteRegStr HKCU "Software\Classes\${TICKET_TYPE}" "" "Билет лото"
  WriteRegStr HKCU "Software\Classes\${TICKET_TYPE}\DefaultIcon" "" '"$INSTDIR\fishkodrom.exe",0'
  WriteRegStr HKCU "Software\Classes\${TICKET_TYPE}\shell\open\command" "" '"$INSTDIR\fishkodrom.exe" "%1"'

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\fishkodrom.exe",0'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  ; The desktop reads the new file type now, not at the next log-on.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  !include "${UNFILES}"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: the settings file beside the program is the player's and keeps the folder.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${NAME}.lnk"

  ; The file type goes only while it is still ours; another program may have taken it since.
  ReadRegStr $0 HKCU "Software\Classes\.tkt" ""
  StrCmp $0 "${TICKET_TYPE}" 0 +2
    DeleteRegKey HKCU "Software\Classes\.tkt"
  DeleteRegKey HKCU "Software\Classes\${TICKET_TYPE}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
