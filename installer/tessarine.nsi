; The setup program of Tessarine: installs the screen saver for the current
; user (no administrator rights) into %LOCALAPPDATA%\Programs\Tessarine, where
; the settings file beside the programs can always be written, makes it the
; active screen saver, adds its Start-menu folder and registers its
; uninstaller with Windows. Both end a running Tessarine before they replace
; or remove its programs, and neither touches a file that Tessarine did not
; write: the folder chosen may hold other programs' files.
;
; makensis -INPUTCHARSET UTF8 -DVERSION=1.2.3 -DPROGRAMS=<folder of Tessarine.scr
;   and Tessarine.dll, and of wizard.bmp> -DOUTFILE=<setup program>
;   [-DSIGN_UNINSTALLER=<command>] tessarine.nsi
; (make_release.py runs it; the staged files' times are the commit's, which
; the setup program keeps, so that it is the same wherever it is built.)

!ifndef VERSION
  !error "VERSION must be defined"
!endif
!ifndef PROGRAMS
  !error "PROGRAMS must be defined"
!endif
!ifndef OUTFILE
  !error "OUTFILE must be defined"
!endif

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!ifdef SIGN_UNINSTALLER
  !uninstfinalize '${SIGN_UNINSTALLER} "%1"' = 0
!endif

!define PRODUCT "Tessarine"
!define PUBLISHER "The Tessarine developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessarine"
!define DESKTOP_KEY "Control Panel\Desktop"
; Where a removal that waits for the next restart is finished at the next logon.
!define RUN_ONCE_KEY "Software\Microsoft\Windows\CurrentVersion\RunOnce"
!define SHORTCUTS "$SMPROGRAMS\Tessarine"
!define SETTINGS_JAPANESE "Tessarine の設定"
!define SETTINGS_ENGLISH "Tessarine Settings"
!define CHOOSE_JAPANESE "スクリーンセーバーに選ぶ"
!define CHOOSE_ENGLISH "Choose as Screen Saver"
; What right-clicking the screen saver and choosing Install runs: Windows
; selects it and opens the screen saver settings.
!define INSTALL_SCREEN_SAVER "desk.cpl,InstallScreenSaver $INSTDIR\Tessarine.scr"
; The screen saver chosen before the first installation ("" when none), kept
; in the uninstall entry until the uninstaller gives it back.
!define PREVIOUS_SAVER "PreviousScreenSaver"
; Whether screen savers were active then (ScreenSaveActive; "" when unset).
!define PREVIOUS_ACTIVE "PreviousScreenSaveActive"
; A name of its own: a folder chosen with /D= may hold another program's
; uninstall.exe.
!define UNINSTALLER "Tessarine-uninstall.exe"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tessarine"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define MUI_ICON "../shell/pictures/tessarine.ico"
!define MUI_UNICON "../shell/pictures/tessarine.ico"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${PROGRAMS}/wizard.bmp"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$(FinishText)"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(OpenSettingsText)"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; English first: it is the language of every display language but Japanese.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString WelcomeText ${LANG_JAPANESE} "${PRODUCT} ${VERSION} をこのコンピュータにインストールし、スクリーンセーバーに設定します。$\r$\n$\r$\nインストール先: $INSTDIR$\r$\n$\r$\n管理者権限は必要ありません。設定はこのフォルダに保存されます。$\r$\n$\r$\n$_CLICK"
LangString WelcomeText ${LANG_ENGLISH} "Setup will install ${PRODUCT} ${VERSION} on this computer and make it your screen saver.$\r$\n$\r$\nFolder: $INSTDIR$\r$\n$\r$\nNo administrator rights are needed. The settings are kept in this folder.$\r$\n$\r$\n$_CLICK"
LangString FinishText ${LANG_JAPANESE} "${PRODUCT} をインストールし、スクリーンセーバーに設定しました。$\r$\n$\r$\nアンインストールは「設定」→「アプリ」から行えます。以前のスクリーンセーバーに戻ります。$\r$\n$\r$\n「完了」をクリックするとセットアップを閉じます。"
LangString FinishText ${LANG_ENGLISH} "${PRODUCT} is installed and is now your screen saver.$\r$\n$\r$\nTo remove it, use Settings > Apps; your previous screen saver comes back.$\r$\n$\r$\nClick Finish to close Setup."
LangString OpenSettingsText ${LANG_JAPANESE} "スクリーンセーバーの設定を開く"
LangString OpenSettingsText ${LANG_ENGLISH} "Open the screen saver settings"
LangString SettingsShortcut ${LANG_JAPANESE} "${SETTINGS_JAPANESE}"
LangString SettingsShortcut ${LANG_ENGLISH} "${SETTINGS_ENGLISH}"
LangString ChooseShortcut ${LANG_JAPANESE} "${CHOOSE_JAPANESE}"
LangString ChooseShortcut ${LANG_ENGLISH} "${CHOOSE_ENGLISH}"
LangString InUseText ${LANG_JAPANESE} "Tessarine が実行中のため、プログラムを置き換えられません。スクリーンセーバーと Tessarine の設定を閉じてから「再試行」をクリックしてください。"
LangString InUseText ${LANG_ENGLISH} "Tessarine is running, so its programs cannot be replaced. Close the screen saver and the Tessarine settings, then click Retry."
LangString RestartText ${LANG_JAPANESE} "使用中のファイルは次回の再起動時に削除されます。"
LangString RestartText ${LANG_ENGLISH} "Files in use are removed at the next restart."

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "Tessarine (ScreenSaver)"
VIAddVersionKey /LANG=${LANG_JAPANESE} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "Tessarine setup"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "Copyright (c) ${PUBLISHER}. MIT License."

; $R0: a path. Afterwards its long form (Windows may keep a screen saver by its
; short 8.3 path), or the path unchanged when no such file exists.
!macro DEFINE_LONG_PATH un
  Function ${un}LongPath
    System::Call 'kernel32::GetLongPathNameW(w R0, w .R1, i ${NSIS_MAX_STRLEN}) i .R2'
    ${If} $R2 > 0
    ${AndIf} $R2 < ${NSIS_MAX_STRLEN}
      StrCpy $R0 $R1
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro DEFINE_LONG_PATH ""
!insertmacro DEFINE_LONG_PATH "un."

!include "programs_in_use.nsh"

; Sets ScreenSaveActive to $R0 ("" removes it) and tells the running session.
; Written by hand too, for a session that refuses the call.
!macro DEFINE_SET_SCREEN_SAVER_ACTIVE un
  Function ${un}SetScreenSaverActive
    ${If} $R0 == ""
      DeleteRegValue HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
    ${Else}
      ; SPI_SETSCREENSAVEACTIVE, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE
      System::Call "user32::SystemParametersInfoW(i 17, i R0, p 0, i 3)"
      WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" $R0
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro DEFINE_SET_SCREEN_SAVER_ACTIVE ""
!insertmacro DEFINE_SET_SCREEN_SAVER_ACTIVE "un."

; The Start-menu folder's entries in either language (a reinstallation in the
; other one replaces them).
!macro REMOVE_SHORTCUTS
  Delete "${SHORTCUTS}\${SETTINGS_JAPANESE}.lnk"
  Delete "${SHORTCUTS}\${SETTINGS_ENGLISH}.lnk"
  Delete "${SHORTCUTS}\${CHOOSE_JAPANESE}.lnk"
  Delete "${SHORTCUTS}\${CHOOSE_ENGLISH}.lnk"
  RMDir "${SHORTCUTS}"
!macroend

; Remembers the screen saver chosen now, unless an earlier installation has
; remembered one already; a Tessarine (this one or a copy elsewhere) counts as
; none, so that the uninstaller never gives Tessarine back.
Function RememberScreenSaver
  ClearErrors
  ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "${PREVIOUS_SAVER}"
  ${IfNot} ${Errors}
    Return
  ${EndIf}
  ReadRegStr $R0 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "${PREVIOUS_ACTIVE}" $R0
  ReadRegStr $R0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  Call LongPath
  ${GetFileName} $R0 $R1
  ${If} $R1 == "Tessarine.scr"
    StrCpy $R0 ""
  ${EndIf}
  WriteRegStr HKCU "${UNINSTALL_KEY}" "${PREVIOUS_SAVER}" $R0
FunctionEnd

Function OpenScreenSaverSettings
  Exec '"$SYSDIR\rundll32.exe" ${INSTALL_SCREEN_SAVER}'
FunctionEnd

; Chooses the installed saver and makes screen savers active, telling the
; running session. Windows' own settings page keeps the short (8.3) path,
; which has no blanks; a volume without short names gives the long one.
Function ChooseScreenSaver
  GetFullPathName /SHORT $R0 "$INSTDIR\Tessarine.scr"
  ${IfThen} $R0 == "" ${|} StrCpy $R0 "$INSTDIR\Tessarine.scr" ${|}
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $R0
  StrCpy $R0 "1"
  Call SetScreenSaverActive
FunctionEnd

; The uninstaller of an earlier release, named uninstall.exe, goes where the
; entry names it as the one in this folder; another program's file of that
; name stays.
Function DeleteEarlierUninstaller
  ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "UninstallString"
  ${If} $R0 == '"$INSTDIR\uninstall.exe"'
    Delete "$INSTDIR\uninstall.exe"
  ${EndIf}
FunctionEnd

Section "Tessarine"
  SetOutPath "$INSTDIR"
  ; A removal still waiting for the next logon or restart would take this
  ; installation.
  DeleteRegValue HKCU "${RUN_ONCE_KEY}" "${PRODUCT}"
  Call KeepProgramsAtRestart
  ; Replaces the programs of an earlier installation; Tessarine.ini stays.
  ${Do}
    Call EndTessarine
    Pop $0
    ${IfThen} $0 == 0 ${|} ${ExitDo} ${|}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(InUseText)" /SD IDCANCEL IDRETRY retry
    Abort "$(InUseText)"
    retry:
  ${Loop}
  !insertmacro DELETE_RENAMED_PROGRAMS
  File "${PROGRAMS}/Tessarine.scr"
  File "${PROGRAMS}/Tessarine.dll"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  Call DeleteEarlierUninstaller

  Call RememberScreenSaver
  Call ChooseScreenSaver

  !insertmacro REMOVE_SHORTCUTS
  CreateDirectory "${SHORTCUTS}"
  CreateShortcut "${SHORTCUTS}\$(SettingsShortcut).lnk" "$INSTDIR\Tessarine.scr" "/c" "$INSTDIR\Tessarine.scr" 0
  CreateShortcut "${SHORTCUTS}\$(ChooseShortcut).lnk" "$SYSDIR\rundll32.exe" "${INSTALL_SCREEN_SAVER}" \
                 "$INSTDIR\Tessarine.scr" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tessarine.scr,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/M=Tessarine* /S=0K /G=0" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  ; What still cannot go is left to the next restart below.
  Call un.EndTessarine
  Pop $0

  ; Gives back the screen saver chosen before, unless the user has chosen
  ; another one since.
  ReadRegStr $R0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  Call un.LongPath
  StrCpy $R3 $R0
  StrCpy $R0 "$INSTDIR\Tessarine.scr"
  Call un.LongPath
  ${If} $R3 == $R0
    ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "${PREVIOUS_SAVER}"
    ${If} $R0 == ""
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${Else}
      WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $R0
    ${EndIf}
    ; An entry of a release that did not keep it leaves it as it is.
    ClearErrors
    ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "${PREVIOUS_ACTIVE}"
    ${IfNot} ${Errors}
      Call un.SetScreenSaverActive
    ${EndIf}
  ${EndIf}

  !insertmacro REMOVE_SHORTCUTS
  !insertmacro DELETE_RENAMED_PROGRAMS
  StrCpy $R0 "Tessarine.scr"
  Call un.RemoveProgram
  StrCpy $R0 "Tessarine.dll"
  Call un.RemoveProgram
  Delete "$INSTDIR\Tessarine.ini"
  ${If} ${FileExists} "$INSTDIR\Tessarine.scr"
  ${OrIf} ${FileExists} "$INSTDIR\Tessarine.dll"
  ${OrIf} ${FileExists} "$INSTDIR\Tessarine.scr.*.old"
  ${OrIf} ${FileExists} "$INSTDIR\Tessarine.dll.*.old"
    ; Windows removes a renamed program at the next restart where it lets this
    ; user ask for that; in any case this uninstaller runs once more at the
    ; next logon and finishes (a reinstallation before then cancels that run).
    ; Until then the entry stays.
    WriteRegStr HKCU "${RUN_ONCE_KEY}" "${PRODUCT}" '"$INSTDIR\${UNINSTALLER}" /S'
    SetRebootFlag true
    DetailPrint "$(RestartText)"
  ${Else}
    Delete "$INSTDIR\${UNINSTALLER}"
    ; Only when empty: files the user put there stay.
    RMDir "$INSTDIR"
    DeleteRegValue HKCU "${RUN_ONCE_KEY}" "${PRODUCT}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${EndIf}
SectionEnd
