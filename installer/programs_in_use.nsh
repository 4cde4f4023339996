; What the setup program and its uninstaller do about a Tessarine in use:
; they end a running one and wait for its programs, and a removal leaves a
; program that still cannot go to the next restart under a name that no
; installation reuses. Included by tessarine.nsi (LogicLib and the System
; plug-in; $INSTDIR is the installation's folder).

; The machine's list of files to rename or delete at the next restart.
!define SESSION_MANAGER_KEY "SYSTEM\CurrentControlSet\Control\Session Manager"
!define PENDING_RENAMES "PendingFileRenameOperations"

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

; Programs that a removal renamed while they were in use (un.RemoveProgram),
; where they can go now.
!macro DELETE_RENAMED_PROGRAMS
  Delete "$INSTDIR\Tessarine.scr.*.old"
  Delete "$INSTDIR\Tessarine.dll.*.old"
!macroend

; An earlier release's uninstaller left a program in use to be deleted at the
; next restart under its own name, which the programs written now have: takes
; such deletes back where this user may change the list (pairs of a path and
; its new name, "" to delete), so that the restart keeps the programs.
Function KeepProgramsAtRestart
  System::Store "s"
  ; HKEY_LOCAL_MACHINE, KEY_QUERY_VALUE | KEY_SET_VALUE
  System::Call 'advapi32::RegOpenKeyExW(p 0x80000002, w "${SESSION_MANAGER_KEY}", i 0, i 3, *p .r0) i .r1'
  ${If} $1 == 0
    System::Call 'advapi32::RegQueryValueExW(p r0, w "${PENDING_RENAMES}", p 0, *i .r2, p 0, *i .r3) i .r1'
    ${If} $1 == 0
    ${AndIf} $2 == 7  ; REG_MULTI_SZ
      ; Zeroed, with room for the list's end should the value lack it.
      IntOp $8 $3 + 4
      System::Alloc $8
      Pop $4
      System::Call 'advapi32::RegQueryValueExW(p r0, w "${PENDING_RENAMES}", p 0, p 0, p r4, *i r3)'
      ; The pairs kept move down in place: $5 reads, $6 writes, $7 is the end.
      StrCpy $5 $4
      StrCpy $6 $4
      IntPtrOp $7 $4 + $3
      StrCpy $9 0
      ${DoWhile} $5 P< $7
        System::Call 'kernel32::lstrlenW(p r5) i .r8'
        ${IfThen} $8 == 0 ${|} ${ExitDo} ${|}
        System::Call 'kernel32::lstrcpynW(w .r1, p r5, i ${NSIS_MAX_STRLEN})'
        IntOp $8 $8 + 1
        IntOp $8 $8 * 2
        IntPtrOp $R0 $5 + $8  ; the new name
        System::Call 'kernel32::lstrlenW(p R0) i .R1'
        IntOp $8 $R1 + 1
        IntOp $8 $8 * 2
        IntPtrOp $R2 $R0 + $8  ; the next pair
        ; A delete ("" as the new name) of one of the programs goes.
        StrCpy $R3 0
        ${If} $R1 == 0
          ${IfThen} $1 == "\??\$INSTDIR\Tessarine.scr" ${|} StrCpy $R3 1 ${|}
          ${IfThen} $1 == "\??\$INSTDIR\Tessarine.dll" ${|} StrCpy $R3 1 ${|}
        ${EndIf}
        ${If} $R3 == 1
          StrCpy $9 1
        ${Else}
          IntPtrOp $8 $R2 - $5
          System::Call 'kernel32::RtlMoveMemory(p r6, p r5, p r8)'
          IntPtrOp $6 $6 + $8
        ${EndIf}
        StrCpy $5 $R2
      ${Loop}
      ${If} $9 == 1
        System::Call '*$6(&i2 0)'
        IntPtrOp $8 $6 - $4
        ${If} $8 == 0
          System::Call 'advapi32::RegDeleteValueW(p r0, w "${PENDING_RENAMES}")'
        ${Else}
          IntOp $8 $8 + 2
          System::Call 'advapi32::RegSetValueExW(p r0, w "${PENDING_RENAMES}", i 0, i 7, p r4, i r8)'
        ${EndIf}
      ${EndIf}
      System::Free $4
    ${EndIf}
    System::Call 'advapi32::RegCloseKey(p r0)'
  ${EndIf}
  System::Store "l"
FunctionEnd

; Removes the program $R0 from $INSTDIR. One still in use (Windows renames a
; running program but does not delete it) takes a name that no installation
; reuses and is left to the next restart: a delete at the restart under its
; own name would take a program reinstalled before then (a setup program can
; take that back only where its user may change the machine's list). Where
; even the rename fails, the program stays for the uninstaller's run at the
; next logon.
Function un.RemoveProgram
  Delete "$INSTDIR\$R0"
  ${IfNot} ${FileExists} "$INSTDIR\$R0"
    Return
  ${EndIf}
  StrCpy $R1 1
  ${DoWhile} ${FileExists} "$INSTDIR\$R0.$R1.old"
    IntOp $R1 $R1 + 1
  ${Loop}
  ClearErrors
  Rename "$INSTDIR\$R0" "$INSTDIR\$R0.$R1.old"
  ${IfNot} ${Errors}
    Delete /REBOOTOK "$INSTDIR\$R0.$R1.old"
  ${EndIf}
FunctionEnd
