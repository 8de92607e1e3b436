; The Orbilux installer. Build with installer/build-installer.sh, which
; passes VERSION, VERSION_QUAD, SCR32, SCR64, ICON, LICENSE and OUTFILE.
;
; It puts the saver that fits the system into the real system folder (the
; x86_64 one on 64-bit Windows, the i686 one elsewhere and on the Windows 95
; family), makes it the current user's saver and registers an uninstaller.
; /S installs silently. The uninstaller keeps the user's Orbilux settings
; unless /PURGE is given or its check box is ticked.

Unicode false  ; an ANSI installer still runs on the Windows 95 family
SetCompressor /SOLID lzma
RequestExecutionLevel admin  ; the saver goes into the system folder

!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh
!include WinVer.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orbilux"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SETTINGS_KEY "software\plorvex\orbx_ss"
!define SCR_NAME "orbilux.scr"

Name "Orbilux ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Orbilux"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=1033 "ProductName" "Orbilux"
VIAddVersionKey /LANG=1033 "FileDescription" "Orbilux screen saver setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "MIT licence"

Var SaverPath  ; the saver in the system folder, as 64-bit Windows' own programs name it

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Open the Orbilux settings"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenSettings
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; 64-bit Windows: the native registry view, and the real System32, which a
; 32-bit program sees only with the file-system redirection off (kept off
; only around the file work: some system calls need it on).
!macro UseNativeView
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
!macroend
!macro NativeFiles on
  ${If} ${RunningX64}
    !if ${on} == 1
      ${DisableX64FSRedirection}
    !else
      ${EnableX64FSRedirection}
    !endif
  ${EndIf}
!macroend

!macro SetSaverPath
  ${If} ${RunningX64}
    StrCpy $SaverPath "$WINDIR\System32\${SCR_NAME}"
  ${Else}
    StrCpy $SaverPath "$SYSDIR\${SCR_NAME}"
  ${EndIf}
!macroend

Function .onInit
  !insertmacro UseNativeView
  !insertmacro SetSaverPath
  ${If} ${RunningX64}
    StrCpy $INSTDIR "$PROGRAMFILES64\Orbilux"
  ${EndIf}
  ; Over an earlier installation: the same folder, so one copy stays.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $INSTDIR $0
  ${EndIf}
FunctionEnd

Section "Orbilux"
  SetOverwrite on
  !insertmacro NativeFiles 1
  ${If} ${RunningX64}
    SetOutPath "$WINDIR\System32"
    File "/oname=${SCR_NAME}" "${SCR64}"
  ${Else}
    SetOutPath "$SYSDIR"
    File "/oname=${SCR_NAME}" "${SCR32}"
  ${EndIf}
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The saver as Windows' own display settings write it: the short form
  ; (what Windows 95 to XP write, and what their unquoted saver command line
  ; needs when a folder name has a space); the long one where the volume
  ; keeps no short names.
  GetFullPathName /SHORT $0 $SaverPath
  ${If} $0 == ""
    StrCpy $0 $SaverPath
  ${EndIf}
  !insertmacro NativeFiles 0
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $0
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  ${IfNot} ${IsNT}
    ; The Windows 95 family keeps the choice in SYSTEM.INI.
    WriteINIStr "$WINDIR\SYSTEM.INI" "boot" "SCRNSAVE.EXE" $0
  ${EndIf}
  ; SPI_SETSCREENSAVEACTIVE, told to every window without writing again.
  System::Call "user32::SystemParametersInfoA(i 17, i 1, i 0, i 2)"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Orbilux screen saver"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SaverPath,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" 120
SectionEnd

; The finish page's check box: the saver's settings dialog.
Function OpenSettings
  !insertmacro NativeFiles 1
  Exec '"$SaverPath" /c'
  !insertmacro NativeFiles 0
FunctionEnd

Section "-un.Orbilux"
  !insertmacro NativeFiles 1
  Delete "$SaverPath"
  !insertmacro NativeFiles 0
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  ; The saver choice goes only while it still names this saver.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${GetFileName} $0 $1
  ${If} $1 == "${SCR_NAME}"
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${EndIf}
  ${IfNot} ${IsNT}
    ReadINIStr $0 "$WINDIR\SYSTEM.INI" "boot" "SCRNSAVE.EXE"
    ${GetFileName} $0 $1
    ${If} $1 == "${SCR_NAME}"
      DeleteINIStr "$WINDIR\SYSTEM.INI" "boot" "SCRNSAVE.EXE"
    ${EndIf}
  ${EndIf}
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.Also remove my Orbilux settings" SecPurge
  DeleteRegKey HKCU "${SETTINGS_KEY}\Settings"
  DeleteRegKey /ifempty HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "software\plorvex"
SectionEnd

Function un.onInit
  !insertmacro UseNativeView
  !insertmacro SetSaverPath
  ${GetOptions} $CMDLINE "/PURGE" $0
  ${IfNot} ${Errors}
    SectionSetFlags ${SecPurge} ${SF_SELECTED}
  ${EndIf}
FunctionEnd
