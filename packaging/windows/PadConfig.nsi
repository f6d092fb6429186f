; The Windows installer of the suite, PadConfig-<version>-setup.exe, made by makensis
; (the build's "installer" target) with these definitions:
;   VERSION, VERSION_FOUR_PARTS  the version ("1.7.0", "1.7.0.0")
;   FILES_DIR   the folder of install-files.nsh and uninstall-files.nsh (InstallerFiles.cmake)
;   LICENSE     the licence file, OUTFILE the installer to write
; It installs for all users into Program Files\PadConfig: the programs, the help page,
; the language files and Qt's files; a Start-menu entry; the .qd6 file type, whose open
; command PadConfig also reads to find its program folder; the uninstaller, listed
; under installed programs. As an option (or /MODES on the command line) the mode
; service starts at every user's sign-in, which each user can switch off in PadConfig.
; /S installs and uninstalls silently.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh

!define PRODUCT "PadConfig"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\PadConfig"
!define PROFILE_TYPE "CV12_2 Game Profile"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "PadConfig Modes"
; Where PadConfig keeps a user's "off" for the machine's Run value (modes/control/Autostart.h).
!define USER_SETTINGS_KEY "Software\PadConfig"
!define AT_SIGN_IN_VALUE "ModesAtSignIn"
!define SERVICE_WINDOW_CLASS "PadConfigModesService"
!define HWND_MESSAGE -3
; SHChangeNotify's SHCNE_ASSOCCHANGED: the shell shows the new file type at once.
!define SHCNE_ASSOCCHANGED 0x08000000

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION_FOUR_PARTS}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "LegalCopyright" "GNU General Public License 3"

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\PadConfig.exe"
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"

; Ends a running mode service, whose program is about to be replaced or removed: its
; message-only window (parent HWND_MESSAGE, -3) ends the service on WM_CLOSE. Waits up
; to 5 s.
!macro StopModeService un
Function ${un}StopModeService
    FindWindow $0 "${SERVICE_WINDOW_CLASS}" "" ${HWND_MESSAGE}
    ${If} $0 <> 0
        SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=2000
        StrCpy $1 0
        ${Do}
            Sleep 100
            IntOp $1 $1 + 1
            FindWindow $0 "${SERVICE_WINDOW_CLASS}" "" ${HWND_MESSAGE}
        ${LoopUntil} $0 = 0
        ${OrIf} $1 >= 50
    ${EndIf}
FunctionEnd
!macroend
!insertmacro StopModeService ""
!insertmacro StopModeService "un."

Section "PadConfig" SecMain
    SectionIn RO
    SetShellVarContext all
    Call StopModeService
    !include "${FILES_DIR}\install-files.nsh"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\PadConfig.exe" "" "$INSTDIR\PadConfig.exe" 0

    ; The .qd6 file type: opened by PadConfig, shown with its icon.
    WriteRegStr HKLM "Software\Classes\.qd6" "" "${PROFILE_TYPE}"
    WriteRegStr HKLM "Software\Classes\${PROFILE_TYPE}" "" "Corvask 12 Game Profile"
    WriteRegStr HKLM "Software\Classes\${PROFILE_TYPE}\DefaultIcon" "" "$INSTDIR\PadConfig.exe,0"
    WriteRegStr HKLM "Software\Classes\${PROFILE_TYPE}\shell\open\command" "" \
        '"$INSTDIR\PadConfig.exe" "%1"'
    System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "PadConfig developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "https://padconfig.org"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\PadConfig.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; The mode service at every user's sign-in: the machine's Run value. The installer runs
; elevated, often with an administrator's account, whose HKCU is not the user's. Started
; with --at-sign-in the service ends at once for a user who switched "Switch modes
; automatically" off in PadConfig, which then writes ModesAtSignIn = 0 in the user's HKCU.
Section /o "Switch modes automatically (start the mode service at sign-in)" SecModes
    WriteRegStr HKLM "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\padconfig-modes.exe" --at-sign-in'
SectionEnd

LangString DESC_SecMain ${LANG_ENGLISH} "PadConfig, its loader, the mode service, qd6, the help page and the language files."
LangString DESC_SecMain ${LANG_GERMAN} "PadConfig, sein Loader, der Modus-Dienst, qd6, die Hilfeseite und die Sprachdateien."
LangString DESC_SecMain ${LANG_FRENCH} "PadConfig, son chargeur, le service des modes, qd6, la page d'aide et les fichiers de langue."
LangString DESC_SecModes ${LANG_ENGLISH} "Starts the mode service at every user's sign-in. It switches the keypad's mode with the game in the foreground, by the rules of PadConfig's Mode > By Application, where each user can switch it off."
LangString DESC_SecModes ${LANG_GERMAN} "Startet den Modus-Dienst bei der Anmeldung jedes Benutzers. Er schaltet den Modus des Keypads mit dem Spiel im Vordergrund um, nach den Regeln von PadConfigs Modus > Nach Anwendung, wo jeder Benutzer ihn abschalten kann."
LangString DESC_SecModes ${LANG_FRENCH} "Démarre le service des modes à l'ouverture de session de chaque utilisateur. Il change le mode du clavier avec le jeu au premier plan, selon les règles de PadConfig, Mode > Par application, où chacun peut le désactiver."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecMain} $(DESC_SecMain)
    !insertmacro MUI_DESCRIPTION_TEXT ${SecModes} $(DESC_SecModes)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_ICONSTOP "PadConfig needs a 64-bit Windows." /SD IDOK
        Abort
    ${EndIf}
    SetRegView 64
    ; /MODES: the mode service starts at every user's sign-in, also in a silent install.
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/MODES" $1
    ${IfNot} ${Errors}
        SectionSetFlags ${SecModes} ${SF_SELECTED}
    ${EndIf}
FunctionEnd

Function un.onInit
    SetRegView 64
FunctionEnd

Section "Uninstall"
    SetShellVarContext all
    Call un.StopModeService
    !include "${FILES_DIR}\uninstall-files.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"

    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    ; The file type only while it is still PadConfig's.
    ReadRegStr $0 HKLM "Software\Classes\.qd6" ""
    ${If} $0 == "${PROFILE_TYPE}"
        DeleteRegKey HKLM "Software\Classes\.qd6"
    ${EndIf}
    DeleteRegKey HKLM "Software\Classes\${PROFILE_TYPE}"
    System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
    DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
    ; What PadConfig's switch wrote for the account that uninstalls.
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    DeleteRegValue HKCU "${USER_SETTINGS_KEY}" "${AT_SIGN_IN_VALUE}"
    DeleteRegKey /ifempty HKCU "${USER_SETTINGS_KEY}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
