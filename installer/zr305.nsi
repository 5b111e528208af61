; The per-user setup program of the ZR305 utility. Built by
; cmake/BuildInstaller.cmake, which defines SOURCE_DIR (the shipped folder),
; FILES_NSH / UNFILES_NSH (its file list, sorted), OUTFILE, VERSION, PUBLISHER
; and EXE_NAME.
;
; Everything lives in one folder the user can write, because the utility
; keeps config.ini and its macro files beside the executable. No step needs
; administrator rights.

Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma
; The build's file times would make two builds of one commit differ.
SetDateSave off

!define PRODUCT "ZR305 Gaming Mouse Driver"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZR305"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "${PRODUCT}"
; Exit codes of the utility's "/exit" switch.
!define EXIT_ENDED_RUNNING 2
!define EXIT_NOTHING_RUNNING 0

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\ZR305"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define MUI_ICON "${SOURCE_ICON}"
!define MUI_UNICON "${SOURCE_ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE_NAME}"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var WasRunning

; Ends a running utility the way "Exit Driver" in its tray menu does, so the
; mouse hears the driver-exit report; the utility's own "/exit" switch does it
; and waits. $0 is the executable to run it with.
!macro EndRunningUtility un
Function ${un}EndRunningUtility
  ClearErrors
  ExecWait '"$0" /exit' $1
  ${If} ${Errors}
  ${OrIf} $1 == ${EXIT_NOTHING_RUNNING}
    StrCpy $WasRunning 0
  ${ElseIf} $1 == ${EXIT_ENDED_RUNNING}
    StrCpy $WasRunning 1
  ${Else}
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} is still running and did not end. Choose $\"Exit Driver$\" in its menu in the notification area, then run this again." /SD IDOK
    Abort "${PRODUCT} is still running."
  ${EndIf}
FunctionEnd
!macroend
!insertmacro EndRunningUtility ""
!insertmacro EndRunningUtility "un."

; Writes every key of the shipped file's factory-default sections ([CfgReset...])
; into the user's config.ini through the profile functions, as the utility
; itself writes: the user's own sections (Init, Config1..) keep their bytes.
; $0 is the shipped file, $1 the user's.
Function MergeFactorySections
  FileOpen $R0 $0 r
  StrCpy $R1 ""
  ${Do}
    ClearErrors
    FileRead $R0 $R2
    ${If} ${Errors}
      ${Break}
    ${EndIf}
    ; The line without its line end.
    ${Do}
      StrCpy $R3 $R2 1 -1
      ${If} $R3 == "$\r"
      ${OrIf} $R3 == "$\n"
        StrCpy $R2 $R2 -1
      ${Else}
        ${Break}
      ${EndIf}
    ${Loop}
    StrCpy $R3 $R2 1
    ${If} $R3 == "["
      StrLen $R4 $R2
      IntOp $R4 $R4 - 2
      StrCpy $R1 $R2 $R4 1
      ${Continue}
    ${EndIf}
    StrCpy $R3 $R1 8
    ${If} $R3 != "CfgReset"
      ${Continue}
    ${EndIf}
    ; key=value, split at the first "="
    StrLen $R4 $R2
    StrCpy $R5 0
    ${Do}
      ${If} $R5 >= $R4
        ${Break}
      ${EndIf}
      StrCpy $R3 $R2 1 $R5
      ${If} $R3 == "="
        ${Break}
      ${EndIf}
      IntOp $R5 $R5 + 1
    ${Loop}
    ${If} $R5 < $R4
      StrCpy $R6 $R2 $R5
      IntOp $R5 $R5 + 1
      StrCpy $R7 $R2 "" $R5
      WriteINIStr $1 $R1 $R6 $R7
    ${EndIf}
  ${Loop}
  FileClose $R0
FunctionEnd


Section "-${PRODUCT}" SecProgram
  SetOutPath "$INSTDIR"
  ; The new executable knows "/exit", whichever version runs now.
  InitPluginsDir
  File "/oname=$PLUGINSDIR\${EXE_NAME}" "${SOURCE_DIR}/${EXE_NAME}"
  StrCpy $0 "$PLUGINSDIR\${EXE_NAME}"
  Call EndRunningUtility

  ; The program's own files are replaced; skins removed first so that a
  ; picture the new version no longer has does not linger.
  RMDir /r "$INSTDIR\skins"
  SetOverwrite on
  !include "${FILES_NSH}"

  ; The user's files: config.ini keeps every section but the factory
  ; defaults, which come from the new version; the macro files stay as they are.
  ${If} ${FileExists} "$INSTDIR\config.ini"
    File "/oname=$PLUGINSDIR\config.ini" "${SOURCE_DIR}/config.ini"
    StrCpy $0 "$PLUGINSDIR\config.ini"
    StrCpy $1 "$INSTDIR\config.ini"
    Call MergeFactorySections
  ${Else}
    File "${SOURCE_DIR}/config.ini"
  ${EndIf}
  SetOverwrite off
  File "${SOURCE_DIR}/Macro_EN.dat"
  File "${SOURCE_DIR}/Macro_CN.dat"
  SetOverwrite on

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE_NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\${EXE_NAME}",0'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $2 $3 $4
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $2
SectionEnd

Section "Start at logon (in the notification area)" SecLogon
  WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\${EXE_NAME}" /tray'
SectionEnd

Section "-Finish"
  ${IfNot} ${SectionIsSelected} ${SecLogon}
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
  ; What was running before runs again, quietly in the notification area.
  ${If} $WasRunning == 1
    Exec '"$INSTDIR\${EXE_NAME}" /tray'
  ${EndIf}
SectionEnd

Function .onInit
  SetShellVarContext current
  StrCpy $WasRunning 0
  ; "/AUTOSTART=0" turns the logon start off for a silent install; without it
  ; an upgrade keeps the choice made before.
  ${GetParameters} $2
  ClearErrors
  ${GetOptions} $2 "/AUTOSTART=" $3
  ${IfNot} ${Errors}
    ${If} $3 == "0"
      !insertmacro UnselectSection ${SecLogon}
    ${EndIf}
  ${Else}
    ReadRegStr $3 HKCU "${UNINSTALL_KEY}" "DisplayVersion"
    ReadRegStr $4 HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $3 != ""
    ${AndIf} $4 == ""
      !insertmacro UnselectSection ${SecLogon}
    ${EndIf}
  ${EndIf}
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

; Removes what the installer put there; the user's settings and macros stay,
; so that installing again finds them.
Section "Uninstall"
  ${If} ${FileExists} "$INSTDIR\${EXE_NAME}"
    StrCpy $0 "$INSTDIR\${EXE_NAME}"
    Call un.EndRunningUtility
  ${EndIf}
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  !include "${UNFILES_NSH}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
