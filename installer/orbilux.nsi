; The Orbilux installer. Build with installer/build-installer.sh, which
; passes VERSION, VERSION_QUAD, SCR32, SCR64, ICON, WIZARD, LICENSE and OUTFILE
; (and TARGET when asked for another stub).
;
; It puts the saver that fits the system into the real system folder (the
; x86_64 one on 64-bit Windows, the i686 one elsewhere and on the Windows 95
; family), makes it the current user's saver and registers an uninstaller.
; /S installs silently. The MIT licence asks for no acceptance: it goes into
; the installation folder as LICENSE.txt. The uninstaller puts the saver
; choice and switch back as they were before the first install, and keeps
; the user's Orbilux settings unless /PURGE is given or its check box is
; ticked.

!ifdef TARGET
  Target ${TARGET}  ; amd64-unicode: the tests' build where 32-bit programs cannot run
  !pragma warning disable 6012  ; ${RunningX64} is always true there: unused labels
!else
  Unicode false  ; an ANSI installer still runs on the Windows 95 family
!endif
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
BrandingText "Orbilux ${VERSION}"
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

; What the saver choice and switch were before the first install, kept in
; the uninstaller entry: "+" and the value, or "-" when there was none (an
; empty entry: nothing was kept).
!define BEFORE_SAVER "OrbiluxSaverBefore"
!define BEFORE_ACTIVE "OrbiluxSaverActiveBefore"
!define BEFORE_INI "OrbiluxIniSaverBefore"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
; The wizard's picture: an Orbilux figure (orbilux-render, 164 x 314, seed 3,
; RadiusFactor=12, ObjectShape=4, ObjectRotation=4, 330 ticks).
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD}"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${WIZARD}"
!define MUI_WELCOMEPAGE_TITLE "Orbilux ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "Orbilux draws one closed figure at a time on black, point by point, as \
pixels, joined lines or small turning shapes, in a slowly drifting colour.$\r$\n$\r$\n\
Setup puts it into your Windows system folder and makes it your screen saver. \
Add/Remove Programs removes it again and gives back the screen saver you had.$\r$\n$\r$\n\
Orbilux is free software under the MIT licence (LICENSE.txt in $INSTDIR)."
!define MUI_FINISHPAGE_TITLE "Orbilux is your screen saver"
!define MUI_FINISHPAGE_TEXT "It starts when the computer has been idle for the time set in \
Windows' screen saver settings."
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Open the Orbilux settings"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenSettings
; Modern UI gives each page the subcaption " ": the title would end in a space.
!define MUI_PAGE_CUSTOMFUNCTION_SHOW ShowTitle
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_SHOW ShowTitle
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_SHOW ShowTitle
!insertmacro MUI_PAGE_FINISH
!define MUI_PAGE_CUSTOMFUNCTION_SHOW un.ShowTitle
!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_PAGE_CUSTOMFUNCTION_SHOW un.ShowTitle
!insertmacro MUI_UNPAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_SHOW un.ShowTitle
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function ShowTitle
  SendMessage $HWNDPARENT ${WM_SETTEXT} 0 "STR:$(^SetupCaption)"
FunctionEnd
Function un.ShowTitle
  SendMessage $HWNDPARENT ${WM_SETTEXT} 0 "STR:$(^UninstallCaption)"
FunctionEnd

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

; Keeps the desktop value KEY\NAME in the uninstaller entry as BEFORE.
!macro Remember ROOT KEY NAME BEFORE
  ClearErrors
  ReadRegStr $1 ${ROOT} "${KEY}" "${NAME}"
  ${If} ${Errors}
    StrCpy $1 "-"
  ${Else}
    StrCpy $1 "+$1"
  ${EndIf}
  WriteRegStr HKLM "${UNINSTALL_KEY}" "${BEFORE}" $1
!macroend

; Puts the desktop value NAME back as the entry's BEFORE holds it; where
; nothing was kept (an entry from an earlier installer), it goes.
!macro PutBack BEFORE NAME
  ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "${BEFORE}"
  StrCpy $2 $1 1
  StrCpy $1 $1 "" 1
  ${If} $2 == "+"
    WriteRegStr HKCU "${DESKTOP_KEY}" "${NAME}" $1
  ${Else}
    DeleteRegValue HKCU "${DESKTOP_KEY}" "${NAME}"
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
  File "/oname=LICENSE.txt" "${LICENSE}"
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
  ; The first install remembers what the uninstaller puts back; a second one
  ; over it would only find Orbilux's own.
  ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "${BEFORE_SAVER}"
  ${If} $1 == ""
    !insertmacro Remember HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "${BEFORE_SAVER}"
    !insertmacro Remember HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "${BEFORE_ACTIVE}"
    ${IfNot} ${IsNT}
      ClearErrors
      ReadINIStr $1 "$WINDIR\SYSTEM.INI" "boot" "SCRNSAVE.EXE"
      ${If} ${Errors}
        StrCpy $1 "-"
      ${Else}
        StrCpy $1 "+$1"
      ${EndIf}
      WriteRegStr HKLM "${UNINSTALL_KEY}" "${BEFORE_INI}" $1
    ${EndIf}
  ${EndIf}
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

; The finish page's check box: the saver's settings dialog. Without an
; argument the saver opens it on its own; "/c" would make it belong to the
; foreground window, which is this installer's, closing now.
Function OpenSettings
  !insertmacro NativeFiles 1
  Exec '"$SaverPath"'
  !insertmacro NativeFiles 0
FunctionEnd

Section "-un.Orbilux"
  !insertmacro NativeFiles 1
  Delete "$SaverPath"
  !insertmacro NativeFiles 0
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  ; The saver choice goes back to what it was only while it still names
  ; this saver, the switch only while it is still on: a later choice of the
  ; user's stays.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${GetFileName} $0 $1
  ${If} $1 == "${SCR_NAME}"
    !insertmacro PutBack "${BEFORE_SAVER}" "SCRNSAVE.EXE"
  ${EndIf}
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
  ${If} $0 == "1"
    !insertmacro PutBack "${BEFORE_ACTIVE}" "ScreenSaveActive"
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
    ${If} $0 != "1"
      System::Call "user32::SystemParametersInfoA(i 17, i 0, i 0, i 2)"
    ${EndIf}
  ${EndIf}
  ${IfNot} ${IsNT}
    ReadINIStr $0 "$WINDIR\SYSTEM.INI" "boot" "SCRNSAVE.EXE"
    ${GetFileName} $0 $1
    ${If} $1 == "${SCR_NAME}"
      ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "${BEFORE_INI}"
      StrCpy $2 $1 1
      StrCpy $1 $1 "" 1
      ${If} $2 == "+"
        WriteINIStr "$WINDIR\SYSTEM.INI" "boot" "SCRNSAVE.EXE" $1
      ${Else}
        DeleteINIStr "$WINDIR\SYSTEM.INI" "boot" "SCRNSAVE.EXE"
      ${EndIf}
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
