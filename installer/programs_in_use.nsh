; What the setup program and its uninstaller do about a Tessarine in use:
; they end a running one and wait until no process holds its programs.
; Included by tessarine.nsi (LogicLib and the System plug-in; $INSTDIR is the
; installation's folder).

; Pushes 1 when a running process still holds a program in $INSTDIR (it
; cannot be opened for writing), else 0.
!macro DEFINE_PROGRAMS_IN_USE un
  Function ${un}ProgramsInUse
    System::Store "s"
    StrCpy $0 0
    ${For} $1 0 1
      ${IfThen} $1 == 0 ${|} StrCpy $2 "$INSTDIR\Tessarine.scr" ${|}
      ${IfThen} $1 == 1 ${|} StrCpy $2 "$INSTDIR\Tessarine.dll" ${|}
      System::Call 'kernel32::CreateFileW(w r2, i 0x40000000, i 7, p 0, i 3, i 0, p 0) p.r3 ?e'
      Pop $4
      ${If} $3 P<> -1
        System::Call 'kernel32::CloseHandle(p r3)'
      ${ElseIf} $4 <> 2  ; ERROR_FILE_NOT_FOUND
      ${AndIf} $4 <> 3   ; ERROR_PATH_NOT_FOUND
        StrCpy $0 1
      ${EndIf}
    ${Next}
    Push $0
    System::Store "l"
  FunctionEnd
!macroend
!insertmacro DEFINE_PROGRAMS_IN_USE ""
!insertmacro DEFINE_PROGRAMS_IN_USE "un."

; Asks every window of a running Tessarine to close: the settings dialog, the
; renderer (its saver run follows it out) and the preview, which lies inside
; the display settings at any depth. Walks all windows depth first without a
; callback (the amd64 System plug-in has none).
!macro DEFINE_CLOSE_TESSARINE_WINDOWS un
  Function ${un}CloseTessarineWindows
    System::Store "s"
    System::Call "user32::GetDesktopWindow() p.r0"
    StrCpy $1 $0
    ${Do}
      ; Next: the first child, else the next sibling of this window or of the
      ; nearest ancestor that has one.
      System::Call "user32::GetWindow(p r1, i 5) p.r2"  ; GW_CHILD
      ${DoWhile} $2 P= 0
        ${If} $1 P= $0
        ${OrIf} $1 P= 0
          ${ExitDo}
        ${EndIf}
        System::Call "user32::GetWindow(p r1, i 2) p.r2"  ; GW_HWNDNEXT
        ${IfThen} $2 P= 0 ${|} System::Call "user32::GetAncestor(p r1, i 1) p.r1" ${|}  ; GA_PARENT
      ${Loop}
      ${IfThen} $2 P= 0 ${|} ${ExitDo} ${|}
      StrCpy $1 $2
      System::Call "user32::GetWindowTextW(p r1, w.r3, i ${NSIS_MAX_STRLEN})"
      System::Call "user32::GetClassNameW(p r1, w.r4, i ${NSIS_MAX_STRLEN})"
      ${If} $3 S== "<Tessarine>"
      ${OrIf} $3 S== "Tessarine_VC"
      ${OrIf} $4 S== "Tessarine_R"
        System::Call "user32::PostMessageW(p r1, i ${WM_CLOSE}, p 0, p 0)"
      ${EndIf}
    ${Loop}
    System::Store "l"
  FunctionEnd
!macroend
!insertmacro DEFINE_CLOSE_TESSARINE_WINDOWS ""
!insertmacro DEFINE_CLOSE_TESSARINE_WINDOWS "un."

; Ends a running Tessarine politely, asking again each second (for one that
; started meanwhile), and waits up to 30 s until no process holds the
; programs. Pushes 1 when one still does, else 0.
!macro DEFINE_END_TESSARINE un
  Function ${un}EndTessarine
    System::Store "s"
    ${For} $0 0 150
      IntOp $1 $0 % 5
      ${IfThen} $1 == 0 ${|} Call ${un}CloseTessarineWindows ${|}
      Call ${un}ProgramsInUse
      Pop $2
      ${IfThen} $2 == 0 ${|} ${ExitFor} ${|}
      Sleep 200
    ${Next}
    Push $2
    System::Store "l"
  FunctionEnd
!macroend
!insertmacro DEFINE_END_TESSARINE ""
!insertmacro DEFINE_END_TESSARINE "un."
