; The Windows installer of marovel-config.exe: installs it under Program Files for all users,
; with a Start-menu entry and an uninstaller, and registers it in "Apps & features". It never
; touches the agent's keys under HKLM\Software\Qorvi.
; makensis -INPUTCHARSET UTF8 -DVERSION=1.0 -DVERSION_QUAD=1.0.0.0 -DPROGRAM=marovel-config.exe
;          -DICON=marovel-config.ico -DOUTFILE=setup.exe -DLICENSE=LICENSE.txt -DNOTICES=NOTICES.txt
;          -DPOLICIES=policies marovel-config.nsi
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Marovel Configuration Manager"
!define PUBLISHER "Marovel"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\MarovelConfigurationManager"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=1031 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1031 "FileDescription" "Installation von ${PRODUCT}"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "Copyright (c) 2026 the Marovel Configuration Manager authors; MIT License"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; The licence comes first (its text needs CRLF line ends). LICENSE.txt and NOTICES.txt (the
; terms of the runtime libraries linked into the program) are installed beside the program.
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

; Without UAC (or with it turned off) the manifest cannot elevate: say so rather than fail
; halfway through Program Files.
!macro REQUIRE_ADMINISTRATOR
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    MessageBox MB_ICONSTOP "${PRODUCT} kann nur ein Administrator installieren oder entfernen." /SD IDOK
    SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
    Quit
  ${EndIf}
  SetShellVarContext all
  SetRegView 64
!macroend

; The program needs Windows 10 version 1703 (per-monitor DPI, version 2). Administrators run it
; elevated, so it must lie where only they may change it: below Program Files, never in a folder
; a user could write (the folder is checked as named, .. and all resolved).
!include "WinVer.nsh"

Function IsAdminOnlyFolder ; pushes 1 when $INSTDIR lies below Program Files, else 0
  System::Call 'kernel32::GetFullPathNameW(w "$INSTDIR", i ${NSIS_MAX_STRLEN}, w .r0, p 0) i .r1'
  StrLen $2 "$PROGRAMFILES64\"
  StrCpy $3 $0 $2
  StrLen $4 $0
  ${If} $1 <> 0
  ${AndIf} $3 == "$PROGRAMFILES64\"
  ${AndIf} $4 > $2
    Push 1
  ${Else}
    Push 0
  ${EndIf}
FunctionEnd

Function .onVerifyInstDir
  Call IsAdminOnlyFolder
  Pop $0
  ${If} $0 != 1
    Abort
  ${EndIf}
FunctionEnd

Function .onInit
  !insertmacro REQUIRE_ADMINISTRATOR
  ${IfNot} ${AtLeastWaaS} 1703
    MessageBox MB_ICONSTOP "${PRODUCT} braucht Windows 10 Version 1703 oder neuer." /SD IDOK
    SetErrorLevel 1150 ; ERROR_OLD_WIN_VERSION
    Quit
  ${EndIf}
  Call IsAdminOnlyFolder
  Pop $0
  ${If} $0 != 1
    MessageBox MB_ICONSTOP "${PRODUCT} wird nur in einen Ordner unter $PROGRAMFILES64 installiert, den allein Administratoren ändern dürfen, nicht nach $INSTDIR." /SD IDOK
    SetErrorLevel 87 ; ERROR_INVALID_PARAMETER
    Quit
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro REQUIRE_ADMINISTRATOR
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  File "${PROGRAM}"
  File "${LICENSE}"
  File "${NOTICES}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\marovel-config.exe"
  ; The administrative template, for copying into a PolicyDefinitions folder.
  SetOutPath "$INSTDIR\policies"
  File "${POLICIES}/QorviAgent.admx"
  SetOutPath "$INSTDIR\policies\de-DE"
  File "${POLICIES}/de-DE/QorviAgent.adml"
  SetOutPath "$INSTDIR\policies\en-US"
  File "${POLICIES}/en-US/QorviAgent.adml"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\marovel-config.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes what the installer made, and only that: the agent's settings stay.
Section "Uninstall"
  Delete "${SHORTCUT}"
  Delete "$INSTDIR\marovel-config.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\NOTICES.txt"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$INSTDIR\policies\QorviAgent.admx"
  Delete "$INSTDIR\policies\de-DE\QorviAgent.adml"
  Delete "$INSTDIR\policies\en-US\QorviAgent.adml"
  RMDir "$INSTDIR\policies\de-DE"
  RMDir "$INSTDIR\policies\en-US"
  RMDir "$INSTDIR\policies"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
