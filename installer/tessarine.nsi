; The setup program of Tessarine: installs the screen saver for the current
; user (no administrator rights) into %LOCALAPPDATA%\Programs\Tessarine, where
; the settings file beside the programs can always be written, makes it the
; screen saver and registers its uninstaller with Windows.
;
; makensis -INPUTCHARSET UTF8 -DVERSION=1.2.3 -DPROGRAMS=<folder of Tessarine.scr
;   and Tessarine.dll> -DOUTFILE=<setup program> [-DSIGN_UNINSTALLER=<command>]
;   tessarine.nsi
; (make_release.py runs it; the programs' file times are the commit's, which
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
; The screen saver chosen before the first installation ("" when none), kept
; in the uninstall entry until the uninstaller gives it back.
!define PREVIOUS_SAVER "PreviousScreenSaver"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tessarine"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define MUI_ICON "../shell/pictures/tessarine.ico"
!define MUI_UNICON "../shell/pictures/tessarine.ico"
!define MUI_WELCOMEFINISHPAGE_BITMAP "wizard.bmp"
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

; Remembers the screen saver chosen now, unless an earlier installation has
; remembered one already; a Tessarine (this one or a copy elsewhere) counts as
; none, so that the uninstaller never gives Tessarine back.
Function RememberScreenSaver
  ClearErrors
  ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "${PREVIOUS_SAVER}"
  ${IfNot} ${Errors}
    Return
  ${EndIf}
  ReadRegStr $R0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  Call LongPath
  ${GetFileName} $R0 $R1
  ${If} $R1 == "Tessarine.scr"
    StrCpy $R0 ""
  ${EndIf}
  WriteRegStr HKCU "${UNINSTALL_KEY}" "${PREVIOUS_SAVER}" $R0
FunctionEnd

; What right-clicking the screen saver and choosing Install does: Windows
; selects it and opens the screen saver settings.
Function OpenScreenSaverSettings
  Exec '"$SYSDIR\rundll32.exe" desk.cpl,InstallScreenSaver $INSTDIR\Tessarine.scr'
FunctionEnd

Section "Tessarine"
  SetOutPath "$INSTDIR"
  ; Replaces the programs of an earlier installation; Tessarine.ini stays.
  File "${PROGRAMS}/Tessarine.scr"
  File "${PROGRAMS}/Tessarine.dll"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  Call RememberScreenSaver
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$INSTDIR\Tessarine.scr"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tessarine.scr,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K /G=0" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
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
  ${EndIf}

  Delete "$INSTDIR\Tessarine.scr"
  Delete "$INSTDIR\Tessarine.dll"
  Delete "$INSTDIR\Tessarine.ini"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: files the user put there stay.
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
