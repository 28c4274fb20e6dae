; The per-user installer of Quillmere Pro, for one kind of build.
;
;   makensis -DARCH=x86|x64 -DVERSION=a.b.c.d -DSOURCE=FOLDER -DOUTFILE=FILE
;            -DART=FOLDER installer/quillmere.nsi
;
; ART is the project's art/ folder (the program's icon, the side picture).
;
; SOURCE is a program folder laid out as installed, with nothing else
; (scripts/make-package.sh makes it). The program keeps its
; settings, saved lists, traces and downloaded updates in its own folder, so
; it installs where the user may write: the user's local application data,
; never Program Files, and asks for no administrator rights.

!ifndef ARCH | VERSION | SOURCE | OUTFILE | ART
  !error "give ARCH, VERSION, SOURCE, OUTFILE and ART with -D"
!endif

Unicode true
!if "${ARCH}" == "x64"
  ; A 64-bit installer: 32-bit Windows refuses to start it with its own
  ; message, which names the 32-bit (x86) version as the one to take.
  Target amd64-unicode
  !define KIND_NAME "64-bit"
!else if "${ARCH}" == "x86"
  Target x86-unicode
  !define KIND_NAME "32-bit"
!else
  !error "ARCH is x86 or x64"
!endif

!define PRODUCT "Quillmere Pro"
!define PUBLISHER "Quillmere"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QuillmerePro"
!define UNINSTALLER "uninstall.exe"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION} (${KIND_NAME})"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${KIND_NAME} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

!define MUI_ICON "${ART}/program/quillmere.ico"
!define MUI_UNICON "${ART}/program/quillmere.ico"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${ART}/installer/wizard.bmp"
!define MUI_ABORTWARNING
!define MUI_LANGDLL_REGISTRY_ROOT HKCU
!define MUI_LANGDLL_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "InstallerLanguage"
!define MUI_FINISHPAGE_RUN "$INSTDIR\quillmere.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Dutch"
!insertmacro MUI_LANGUAGE "Italian"
!insertmacro MUI_LANGUAGE "PortugueseBR"
!insertmacro MUI_LANGUAGE "Spanish"

LangString Prefer64 ${LANG_ENGLISH} "This is the 32-bit version of ${PRODUCT}. On 64-bit Windows the 64-bit version reaches every folder and registry key that it must clean.$\n$\nInstall the 32-bit version anyway?"
LangString Prefer64 ${LANG_DUTCH} "Dit is de 32-bits versie van ${PRODUCT}. Op 64-bits Windows bereikt de 64-bits versie elke map en registersleutel die zij moet opschonen.$\n$\nToch de 32-bits versie installeren?"
LangString Prefer64 ${LANG_ITALIAN} "Questa è la versione a 32 bit di ${PRODUCT}. Su Windows a 64 bit la versione a 64 bit raggiunge ogni cartella e chiave di registro che deve pulire.$\n$\nInstallare comunque la versione a 32 bit?"
LangString Prefer64 ${LANG_PORTUGUESEBR} "Esta é a versão de 32 bits do ${PRODUCT}. No Windows de 64 bits a versão de 64 bits alcança todas as pastas e chaves do registro que precisa limpar.$\n$\nInstalar a versão de 32 bits assim mesmo?"
LangString Prefer64 ${LANG_SPANISH} "Esta es la versión de 32 bits de ${PRODUCT}. En Windows de 64 bits la versión de 64 bits alcanza todas las carpetas y claves del registro que debe limpiar.$\n$\n¿Instalar la versión de 32 bits de todos modos?"

LangString KeepUserFiles ${LANG_ENGLISH} "Also remove your settings, your saved lists and the trace logs of ${PRODUCT}?"
LangString KeepUserFiles ${LANG_DUTCH} "Ook uw instellingen, uw opgeslagen lijsten en de logbestanden van ${PRODUCT} verwijderen?"
LangString KeepUserFiles ${LANG_ITALIAN} "Rimuovere anche le impostazioni, gli elenchi salvati e i file di registro di ${PRODUCT}?"
LangString KeepUserFiles ${LANG_PORTUGUESEBR} "Remover também as suas configurações, as suas listas salvas e os registros de rastreamento do ${PRODUCT}?"
LangString KeepUserFiles ${LANG_SPANISH} "¿Quitar también la configuración, las listas guardadas y los registros de seguimiento de ${PRODUCT}?"

Function .onInit
  !insertmacro MUI_LANGDLL_DISPLAY
  !if "${ARCH}" == "x86"
    ${If} ${RunningX64}
      MessageBox MB_YESNO|MB_ICONQUESTION "$(Prefer64)" /SD IDYES IDYES install32
      Abort
      install32:
    ${EndIf}
  !endif
FunctionEnd

Function un.onInit
  !insertmacro MUI_UNGETLANGUAGE
FunctionEnd

Section "${PRODUCT}"
  SetOutPath "$INSTDIR"
  File /r "${SOURCE}\*.*"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\quillmere.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} (${KIND_NAME})"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quillmere.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\quillmere.exe"
  Delete "$INSTDIR\misc.dll"
  Delete "$INSTDIR\lng.dll"
  Delete "$INSTDIR\qlmres.dll"
  Delete "$INSTDIR\delete.bin"
  Delete "$INSTDIR\update.bin"
  RMDir /r "$INSTDIR\defines"
  RMDir /r "$INSTDIR\languages"
  ; Downloads of the update, not the user's.
  RMDir /r "$INSTDIR\updates"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ; A silent removal keeps them: the user did not say.
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(KeepUserFiles)" /SD IDNO IDNO keep
  Delete "$INSTDIR\quillmere.xml"
  RMDir /r "$INSTDIR\saves"
  RMDir /r "$INSTDIR\traces"
  keep:
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
SectionEnd
