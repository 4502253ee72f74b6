; The Windows installer of vestaMar, built by scripts/windows.sh with Debian's makensis from the
; folder `cmake --install` lays out. 64-bit (amd64-unicode): the installer runs on 64-bit
; Windows only, as the program does. Installs into Program Files\vestaMar for every user, with
; a Start-menu entry and an uninstaller registered in Add/Remove Programs; /S installs silently.
;   makensis -DVERSAO=<version> -DICONE=<.ico> -DSAIDA=<setup.exe>
;            -DARQUIVOS=<install list .nsh> -DREMOCAO=<uninstall list .nsh> vestamar.nsi
; The two lists name each installed file, so the uninstaller removes exactly those: files the
; administrator put beside the program (a vestaMar.ini of defaults) stay, and so does the folder.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "x64.nsh"

!define CHAVE_REMOCAO "Software\Microsoft\Windows\CurrentVersion\Uninstall\vestaMar"

Name "vestaMar - Simulação de Resultados ${VERSAO}"
OutFile "${SAIDA}"
InstallDir "$PROGRAMFILES64\vestaMar"
InstallDirRegKey HKLM "${CHAVE_REMOCAO}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "vestaMar ${VERSAO}"
VIProductVersion "${VERSAO}.0.0"
VIAddVersionKey /LANG=1046 "ProductName" "vestaMar - Simulação de Resultados"
VIAddVersionKey /LANG=1046 "FileDescription" "Instalador do vestaMar"
VIAddVersionKey /LANG=1046 "FileVersion" "${VERSAO}"
VIAddVersionKey /LANG=1046 "ProductVersion" "${VERSAO}"
VIAddVersionKey /LANG=1046 "LegalCopyright" "Equipe vestaMar"

!define MUI_ICON "${ICONE}"
!define MUI_UNICON "${ICONE}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\vestamar.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "PortugueseBR"

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "vestaMar"
  !include "${ARQUIVOS}"
  WriteUninstaller "$INSTDIR\desinstalar.exe"
  CreateShortCut "$SMPROGRAMS\vestaMar.lnk" "$INSTDIR\vestamar.exe"
  WriteRegStr HKLM "${CHAVE_REMOCAO}" "DisplayName" "vestaMar - Simulação de Resultados"
  WriteRegStr HKLM "${CHAVE_REMOCAO}" "DisplayVersion" "${VERSAO}"
  WriteRegStr HKLM "${CHAVE_REMOCAO}" "Publisher" "Equipe vestaMar"
  WriteRegStr HKLM "${CHAVE_REMOCAO}" "DisplayIcon" "$INSTDIR\vestamar.exe"
  WriteRegStr HKLM "${CHAVE_REMOCAO}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${CHAVE_REMOCAO}" "UninstallString" '"$INSTDIR\desinstalar.exe"'
  WriteRegStr HKLM "${CHAVE_REMOCAO}" "QuietUninstallString" '"$INSTDIR\desinstalar.exe" /S'
  WriteRegDWORD HKLM "${CHAVE_REMOCAO}" "NoModify" 1
  WriteRegDWORD HKLM "${CHAVE_REMOCAO}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\vestaMar.lnk"
  !include "${REMOCAO}"
  Delete "$INSTDIR\desinstalar.exe"
  ; Only when empty: an administrator's vestaMar.ini keeps the folder.
  SetOutPath "$TEMP"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${CHAVE_REMOCAO}"
SectionEnd
