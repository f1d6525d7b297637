; Pilotune's installer: for the current user, without administrator rights,
; in the user's local programs folder. Built on Linux by scripts/installer:
;   makensis -DVERSION=<x.y.z> -DDIST=<folder of Pilotune.exe> -DOUTFILE=<setup.exe> Pilotune.nsi
; Command line of the installer, besides /S (silent) and /D=<folder>:
;   /DEMARRAGE   also starts Pilotune with Windows (the choice of the components page)
; and of the uninstaller, besides /S:
;   /REGLAGES    also removes the settings file Pilotune.ini
; A 64-bit installer, like the program it installs.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"

!ifndef VERSION
  !error "VERSION is required"
!endif
!ifndef DIST
  !error "DIST is required"
!endif
!ifndef OUTFILE
  !define OUTFILE "Pilotune-${VERSION}-setup.exe"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pilotune"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; Held by a running Pilotune from its first instant to its very end (settings
; written); its bar is the window of that caption.
!define INSTANCE_MUTEX "Local\Pilotune.Instance"
!define BAR_CAPTION "Pilotune Fenetre"

Name "Pilotune ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Pilotune"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Pilotune ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1036 "ProductName" "Pilotune"
VIAddVersionKey /LANG=1036 "FileDescription" "Installation de Pilotune"
VIAddVersionKey /LANG=1036 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "LegalCopyright" "Pilotune"

!define MUI_ICON "${NSISDIR}\Contrib\Graphics\Icons\modern-install.ico"
!define MUI_UNICON "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Pilotune.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Lancer Pilotune"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

Section "Pilotune (obligatoire)" SecProgramme
  SectionIn RO
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${DIST}\Pilotune.exe"
  File "${DIST}\KEYBOARD.DLL"
  File "${DIST}\Pilotune.txt"
  File "${DIST}\Pilotune.chm"
  WriteUninstaller "$INSTDIR\Désinstaller Pilotune.exe"

  CreateDirectory "$SMPROGRAMS\Pilotune"
  CreateShortcut "$SMPROGRAMS\Pilotune\Pilotune.lnk" "$INSTDIR\Pilotune.exe" "" "$INSTDIR\Pilotune.exe" 0
  CreateShortcut "$SMPROGRAMS\Pilotune\Désinstaller Pilotune.lnk" "$INSTDIR\Désinstaller Pilotune.exe"

  ; The list of installed programs.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Pilotune, télécommande de Winamp"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Pilotune"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Comments" "Télécommande du lecteur Winamp"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Pilotune.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Désinstaller Pilotune.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Désinstaller Pilotune.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The same Run value the program writes, and the program's own setting, so
; that its next start keeps it.
Section /o "Démarrer Pilotune avec Windows" SecDemarrage
  SetShellVarContext current
  WriteRegStr HKCU "${RUN_KEY}" "Pilotune" '"$INSTDIR\Pilotune.exe" WindowsLanceDebut'
  ReadEnvStr $0 USERNAME
  WriteINIStr "$INSTDIR\Pilotune.ini" "$0 Option" "LancerDemarrageWindows" "1"
SectionEnd

Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/DEMARRAGE" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecDemarrage} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

Section "un.Pilotune" UnSecProgramme
  SectionIn RO
  SetShellVarContext current
  Delete "$INSTDIR\Pilotune.exe"
  Delete "$INSTDIR\KEYBOARD.DLL"
  Delete "$INSTDIR\Pilotune.txt"
  Delete "$INSTDIR\Pilotune.chm"
  ; What the program writes beside itself: the background picture, the update
  ; check's files, and the temporary files of a save cut short.
  Delete "$INSTDIR\PilotuneFondEcran.bmp"
  Delete "$INSTDIR\PilotuneFondEcran.bmp.tmp"
  Delete "$INSTDIR\MAJPilotune.*"
  Delete "$INSTDIR\Pilotune.ini.*.tmp"
  Delete "$INSTDIR\Désinstaller Pilotune.exe"
  Delete "$SMPROGRAMS\Pilotune\Pilotune.lnk"
  Delete "$SMPROGRAMS\Pilotune\Désinstaller Pilotune.lnk"
  RMDir "$SMPROGRAMS\Pilotune"
  ; The Run value only when it starts this copy: another copy's stays.
  ReadRegStr $0 HKCU "${RUN_KEY}" "Pilotune"
  ${If} $0 == '"$INSTDIR\Pilotune.exe" WindowsLanceDebut'
  ${OrIf} $0 == '$INSTDIR\Pilotune.exe WindowsLanceDebut'
    DeleteRegValue HKCU "${RUN_KEY}" "Pilotune"
  ${EndIf}
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.Supprimer aussi les réglages (Pilotune.ini)" UnSecReglages
  Delete "$INSTDIR\Pilotune.ini"
SectionEnd

Section "-un.Dossier"
  RMDir "$INSTDIR" ; only when nothing of the user's is left in it
SectionEnd

Function un.onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REGLAGES" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${UnSecReglages} ${SF_SELECTED}
  ${EndIf}
  Call un.FermerPilotune
FunctionEnd

; $0 := 1 while Pilotune runs, else 0.
Function un.PilotuneOuvert
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${INSTANCE_MUTEX}") p.r0'
  ${If} $0 != 0
    System::Call 'kernel32::CloseHandle(p r0)'
    StrCpy $0 1
  ${EndIf}
FunctionEnd

; A running Pilotune is asked to close as its own menu closes it (it saves its
; settings), and waited for; if it stays, the uninstall stops and says so.
Function un.FermerPilotune
  Call un.PilotuneOuvert
  ${If} $0 == 0
    Return
  ${EndIf}
  MessageBox MB_OKCANCEL|MB_ICONQUESTION "Pilotune est ouvert. Il va être fermé avant d'être désinstallé." /SD IDOK IDOK fermer
  Abort
fermer:
  FindWindow $1 "" "${BAR_CAPTION}"
  ${If} $1 != 0
    SendMessage $1 ${WM_CLOSE} 0 0 /TIMEOUT=5000
  ${EndIf}
  ${For} $2 1 50
    Call un.PilotuneOuvert
    ${If} $0 == 0
      Return
    ${EndIf}
    Sleep 200
  ${Next}
  MessageBox MB_OK|MB_ICONSTOP "Pilotune est toujours ouvert. Fermez-le, puis relancez la désinstallation." /SD IDOK
  Abort
FunctionEnd
