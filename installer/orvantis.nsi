; Orvantis.Quickrail setup: a per-user install into the user's local application
; data (the program writes options.ini and lbars.acc beside itself, so its folder
; must be writable without elevation), the registry key the program starts from,
; Start-menu shortcuts and an uninstaller. /S installs and uninstalls silently.
;
; The build passes the files to package:
;   makensis -DQR_EXE=... -DQR_CHM=... -DQR_URL=... [-DQR_OUTFILE=...] orvantis.nsi

Unicode false
SetCompressor /SOLID lzma
RequestExecutionLevel user

!ifndef QR_EXE
  !error "QR_EXE (the built Orvantis.exe) must be given with -DQR_EXE=path"
!endif
!ifndef QR_CHM
  !error "QR_CHM (the compiled Orvantis.chm) must be given with -DQR_CHM=path"
!endif
!ifndef QR_URL
  !error "QR_URL (the internet-shortcut file) must be given with -DQR_URL=path"
!endif
!ifndef QR_OUTFILE
  !define QR_OUTFILE "Orvantis-Setup.exe"
!endif
!ifndef QR_ICON
  !define QR_ICON "${__FILEDIR__}/../res/art/app.ico"
!endif

!define PRODUCT      "Orvantis.Quickrail"
!define COMPANY      "Orvantis Software"
!define VERSION_DOTS "1.0.0.0"
; The registry "Version" value: the version as decimal text, read by the program.
!define VERSION_REG  "100"
!define WEB_ADDRESS  "https://www.orvantis.example/"
!define PROGRAM_KEY  "SOFTWARE\Orvantis Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvantis.Quickrail"
!define URL_FILE     "Orvantis.Quickrail Web Site.url"
!define STARTMENU    "$SMPROGRAMS\${PRODUCT}"
!define MUTEX        "OrvantisQuickrailMutex"
; While the buttons manager is open the program puts its own places into the
; file dialogs' places bar, keeping the user's in a marked copy below its key.
!define COMDLG_KEY   "Software\Microsoft\Windows\CurrentVersion\Policies\ComDlg32"
!define PLACES_KEY   "${COMDLG_KEY}\PlacesBar"
!define PLACES_COPY  "${PROGRAM_KEY}\PlacesBarBackup"

Name "${PRODUCT}"
OutFile "${QR_OUTFILE}"
InstallDir "$LOCALAPPDATA\${PRODUCT}"
; An upgrade goes into the folder of the existing install.
InstallDirRegKey HKCU "${PROGRAM_KEY}" "InstallDir"
BrandingText "${COMPANY}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION_DOTS}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION_DOTS}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION_DOTS}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${COMPANY}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!ifndef QR_SIDE_BITMAP
  !define QR_SIDE_BITMAP "${__FILEDIR__}/../res/art/setupside.bmp"
!endif
!define MUI_WELCOMEFINISHPAGE_BITMAP "${QR_SIDE_BITMAP}"
!define MUI_ICON   "${QR_ICON}"
!define MUI_UNICON "${QR_ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Orvantis.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Replacing or removing the program's files fails while it runs; its named mutex
; tells whether it does. Silent runs give up instead of waiting for a user.
!macro WaitUntilProgramClosed
  ${Do}
    System::Call 'kernel32::OpenMutexA(i 0x00100000, i 0, t "${MUTEX}") i .r0'
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    System::Call 'kernel32::CloseHandle(i r0)'
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${PRODUCT} is running.$\r$\nPlease close it (right-click the bar, Exit) and click Retry." \
      /SD IDCANCEL IDRETRY +2
    Abort "${PRODUCT} is running; nothing was changed."
  ${Loop}
!macroend

Section "${PRODUCT}" SecProgram
  SectionIn RO
  SetShellVarContext current
  !insertmacro WaitUntilProgramClosed

  SetOutPath "$INSTDIR"
  File "/oname=Orvantis.exe" "${QR_EXE}"
  File "/oname=Orvantis.chm" "${QR_CHM}"
  File "/oname=${URL_FILE}" "${QR_URL}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The program builds its sample bar when "FirstRun" is "1". An upgrade over an
  ; existing install keeps the value the program left there.
  ; Bars kept by an earlier uninstall are found again: no sample bar over them.
  ClearErrors
  ReadRegStr $1 HKCU "${PROGRAM_KEY}" "FirstRun"
  ${If} ${Errors}
    ${If} ${FileExists} "$INSTDIR\lbars.acc"
      WriteRegStr HKCU "${PROGRAM_KEY}" "FirstRun" "0"
    ${Else}
      WriteRegStr HKCU "${PROGRAM_KEY}" "FirstRun" "1"
    ${EndIf}
  ${EndIf}
  WriteRegStr HKCU "${PROGRAM_KEY}" "Version" "${VERSION_REG}"
  Push "$INSTDIR"
  Call StripTrailingBackslash
  Pop $2
  WriteRegStr HKCU "${PROGRAM_KEY}" "InstallDir" "$2"

  ; Shortcuts start in the install folder (the current output path).
  CreateDirectory "${STARTMENU}"
  CreateShortcut "${STARTMENU}\${PRODUCT}.lnk" "$INSTDIR\Orvantis.exe" "" \
    "$INSTDIR\Orvantis.exe" 0 SW_SHOWNORMAL "" "Desktop launcher bar"
  CreateShortcut "${STARTMENU}\${PRODUCT} Help.lnk" "$INSTDIR\Orvantis.chm"

  WriteRegStr   HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr   HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION_DOTS}"
  WriteRegStr   HKCU "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr   HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${WEB_ADDRESS}"
  WriteRegStr   HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Orvantis.exe,0"
  WriteRegStr   HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr   HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr   HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; "C:\" stays a valid folder as "C:"; every other $INSTDIR has no trailing backslash.
Function StripTrailingBackslash
  Exch $0
  Push $1
  StrCpy $1 $0 1 -1
  ${If} $1 == "\"
    StrCpy $0 $0 -1
  ${EndIf}
  Pop $1
  Exch $0
FunctionEnd

; Copies one value's type and bytes, unconverted, through the wide calls.
; $R1: the open source key, $R2: the open target key, $R3: the value name.
Function un.CopyRawValue
  StrCpy $5 4096
  System::Alloc $5
  Pop $3
  System::Call 'advapi32::RegQueryValueExW(i R1, w R3, i 0, *i .r6, i r3, *i r5r5) i .r0'
  ${If} $0 = 234 ; larger than the buffer: once more with the size it asked for
    System::Free $3
    System::Alloc $5
    Pop $3
    System::Call 'advapi32::RegQueryValueExW(i R1, w R3, i 0, *i .r6, i r3, *i r5r5) i .r0'
  ${EndIf}
  ${If} $0 = 0
    System::Call 'advapi32::RegSetValueExW(i R2, w R3, i 0, i r6, i r3, i r5) i .r0'
  ${EndIf}
  System::Free $3
FunctionEnd

; A copy of the user's places left by a run that ended while the manager was
; open goes back before the program's key (and the copy with it) is removed.
; The program is not running here. Without the copy's mark the user's places
; were never changed.
Function un.PutBackLeftPlaces
  ClearErrors
  ReadRegDWORD $R0 HKCU "${PLACES_COPY}" "CreatedLevels"
  ${If} ${Errors}
    Return
  ${EndIf}
  ${For} $R4 0 4
    DeleteRegValue HKCU "${PLACES_KEY}" "Place$R4"
  ${Next}
  ${If} $R0 = 0
    System::Call 'advapi32::RegOpenKeyExW(i 0x80000001, w "${PLACES_COPY}", i 0, i 0x20019, *i .R1) i .r0'
    System::Call 'advapi32::RegOpenKeyExW(i 0x80000001, w "${PLACES_KEY}", i 0, i 0x20006, *i .R2) i .r1'
    ${If} $0 = 0
    ${AndIf} $1 = 0
      ${For} $R4 0 4
        StrCpy $R3 "Place$R4"
        Call un.CopyRawValue
      ${Next}
    ${EndIf}
    System::Call 'advapi32::RegCloseKey(i R1)'
    System::Call 'advapi32::RegCloseKey(i R2)'
  ${Else}
    ; The program made the policy key (and, at 2, "ComDlg32" too): it goes
    ; again if nothing else has come into it.
    DeleteRegKey /ifempty HKCU "${PLACES_KEY}"
    ${If} $R0 >= 2
      DeleteRegKey /ifnosubkeys /ifnovalues HKCU "${COMDLG_KEY}"
    ${EndIf}
  ${EndIf}
  DeleteRegKey HKCU "${PLACES_COPY}"
FunctionEnd

; The bars and settings stay unless the user says otherwise: whoever
; uninstalls to reinstall keeps every bar. A silent uninstall keeps them too,
; unless it is given /REMOVEBARS.
Var RemoveBars

Function un.AskRemoveBars
  StrCpy $RemoveBars 0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVEBARS" $1
  ${IfNot} ${Errors}
    StrCpy $RemoveBars 1
    Return
  ${EndIf}
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "Remove your bars and settings too?$\r$\n$\r$\nClick No to keep them (lbars.acc, options.ini and the earlier \
copies in the folder backups): installing ${PRODUCT} again into the same folder finds them." \
    /SD IDNO IDNO keep
  StrCpy $RemoveBars 1
  keep:
FunctionEnd

Section "Uninstall"
  SetShellVarContext current
  !insertmacro WaitUntilProgramClosed
  Call un.AskRemoveBars

  Delete "$INSTDIR\Orvantis.exe"
  Delete "$INSTDIR\Orvantis.chm"
  Delete "$INSTDIR\${URL_FILE}"
  ; What the program rebuilds or throws away by itself: the icon cache, the
  ; manager's undo copy, a first database or a copy cut off half way.
  Delete "$INSTDIR\undo_tmp.acc"
  Delete "$INSTDIR\new_db.acc"
  Delete "$INSTDIR\iconcache.dat"
  Delete "$INSTDIR\backups\lbars-copy.tmp"
  Delete "$INSTDIR\Uninstall.exe"
  ${If} $RemoveBars = 1
    ; The settings, the database with its save copy, the files kept beside it
    ; and the earlier copies.
    Delete "$INSTDIR\options.ini"
    Delete "$INSTDIR\lbars.acc"
    Delete "$INSTDIR\tmp_db.acc"
    Delete "$INSTDIR\lbars_unreadable*.acc"
    Delete "$INSTDIR\lbars_unfinished*.acc"
    Delete "$INSTDIR\backups\lbars-*.acc"
  ${EndIf}
  ; Not /r: anything the user put into the folder stays, and so does the folder.
  RMDir "$INSTDIR\backups"
  RMDir "$INSTDIR"

  Delete "${STARTMENU}\${PRODUCT}.lnk"
  Delete "${STARTMENU}\${PRODUCT} Help.lnk"
  RMDir "${STARTMENU}"
  Delete "$SMSTARTUP\${PRODUCT}.lnk"

  Call un.PutBackLeftPlaces
  ${If} $RemoveBars = 1
    DeleteRegKey HKCU "${PROGRAM_KEY}"
  ${Else}
    ; Only the folder of the kept bars stays, so that the next install goes there.
    DeleteRegValue HKCU "${PROGRAM_KEY}" "Version"
    DeleteRegValue HKCU "${PROGRAM_KEY}" "FirstRun"
  ${EndIf}
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
