; The Windows installer of Vorlix, built by CMake (installer/CMakeLists.txt):
;   makensis -INPUTCHARSET UTF8 -DEXE=<Vorlix.exe> -DPAYLOAD=<file list .nsh> -DOUTFILE=<install.exe> Vorlix.nsi
;
; install.exe            asks for all users (Program Files, elevated) or the current user only
;                        (%LOCALAPPDATA%\Programs, no elevation), then installs with shortcuts
; install.exe /S         the same without a window (/AllUsers or /CurrentUser choose the mode)
; <install>\temp\install.exe, the program's own update hand-over (it runs its download without
;                        arguments): silently replaces the program of that install and starts it again
;
; Program files are replaced only while the program and its recorder are closed. Config\Config.ini,
; the logs and the user's videos are never touched, on update nor on uninstall.

Unicode true
ManifestDPIAware true
SetCompressor /SOLID lzma

!ifndef EXE | PAYLOAD | OUTFILE
  !error "define EXE, PAYLOAD and OUTFILE"
!endif

; The version is the one in the program's version resource.
!getdllversion "${EXE}" VER_
!define VERSION "${VER_1}.${VER_2}.${VER_3}.${VER_4}"
!define PRODUCT "Tavro一键回录"
!define MAIN_TITLE "Tavro一键回录"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorlix"
!define APP_KEY "Software\Vorlix"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "Vorlix ${VERSION}"
VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=0 "ProductName" "Vorlix"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "Vorlix"
VIAddVersionKey /LANG=0 "LegalCopyright" "Vorlix"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "Vorlix"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${APP_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${APP_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define MUI_ICON "${__FILEDIR__}\..\resources\skin\vorlix.ico"
!define MUI_UNICON "${__FILEDIR__}\..\resources\skin\vorlix.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Vorlix.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "English"

!include "${PAYLOAD}"

Var UpdateMode

; Ends the program of this install and its recorder, the two processes whose files are replaced or
; removed. The program is asked first with the system close command (it then stops its recorder as on
; any exit); whatever of this install still runs after that is terminated.
!macro VORLIX_CLOSE_FUNCTIONS un
Function ${un}ProcessOfInstall ; $R1 = process id -> $R2 = 1 when its image is $R0
  StrCpy $R2 0
  System::Call 'kernel32::OpenProcess(i 0x1000, i 0, i R1) p .r1'
  ${If} $1 P<> 0
    System::Call 'kernel32::QueryFullProcessImageNameW(p r1, i 0, w .r2, *i ${NSIS_MAX_STRLEN}) i .r3'
    System::Call 'kernel32::CloseHandle(p r1)'
    ${If} $3 <> 0
    ${AndIf} $2 == $R0
      StrCpy $R2 1
    ${EndIf}
  ${EndIf}
FunctionEnd

Function ${un}TerminateImage ; $R0 = full path of an executable: ends every process running it
  System::Call 'kernel32::CreateToolhelp32Snapshot(i 2, i 0) p .r5'
  ${If} $5 P= -1
    Return
  ${EndIf}
  ; PROCESSENTRY32W: nine 32-bit members, then the 260-character image name.
  System::Call '*(i 556, i, i, p, i, i, i, i, i, &w260) p .r6'
  System::Call 'kernel32::Process32FirstW(p r5, p r6) i .r7'
  ${DoWhile} $7 <> 0
    System::Call '*$6(i, i, i .R1)'
    Call ${un}ProcessOfInstall
    ${If} $R2 = 1
      DetailPrint "结束进程 $R1: $R0"
      System::Call 'kernel32::OpenProcess(i 0x100001, i 0, i R1) p .r1'
      ${If} $1 P<> 0
        System::Call 'kernel32::TerminateProcess(p r1, i 1)'
        System::Call 'kernel32::WaitForSingleObject(p r1, i 10000)'
        System::Call 'kernel32::CloseHandle(p r1)'
      ${EndIf}
    ${EndIf}
    System::Call 'kernel32::Process32NextW(p r5, p r6) i .r7'
  ${Loop}
  System::Free $6
  System::Call 'kernel32::CloseHandle(p r5)'
FunctionEnd

Function ${un}CloseProgram
  Push $R0
  Push $R1
  Push $R2
  StrCpy $R0 "$INSTDIR\Vorlix.exe"
  ; A program that is already on its way out (the update hand-over) gets its time to finish.
  StrCpy $8 0
  ${Do}
    System::Call 'user32::FindWindowW(p 0, w "${MAIN_TITLE}") p .r0'
    ${If} $0 P= 0
      ${Break}
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .R1)'
    Call ${un}ProcessOfInstall
    ${If} $R2 <> 1
      ${Break}
    ${EndIf}
    ${If} $8 = 4
      ; Four seconds on its own; then the system close command, as Alt+F4 would.
      DetailPrint "关闭正在运行的 ${PRODUCT}"
      System::Call 'user32::PostMessageW(p r0, i 0x0112, p 0xF060, p 0)'
    ${EndIf}
    ${If} $8 >= 30
      ${Break}
    ${EndIf}
    Sleep 500
    IntOp $8 $8 + 1
  ${Loop}
  Call ${un}TerminateImage
  StrCpy $R0 "$INSTDIR\obs\bin\32bit\obs32.exe"
  Call ${un}TerminateImage
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd
!macroend
!insertmacro VORLIX_CLOSE_FUNCTIONS ""
!insertmacro VORLIX_CLOSE_FUNCTIONS "un."

Function .onInit
  !insertmacro MULTIUSER_INIT
  StrCpy $UpdateMode 0
  ; Started from the temp folder of an install: the program's update hand-over.
  ${GetParent} "$EXEDIR" $0
  ${GetFileName} "$EXEDIR" $1
  ${If} $1 == "temp"
  ${AndIf} ${FileExists} "$0\Vorlix.exe"
    StrCpy $UpdateMode 1
    SetSilent silent
    ReadRegStr $2 HKLM "${UNINST_KEY}" "InstallLocation"
    ${If} $2 == $0
      Call MultiUser.InstallMode.AllUsers
    ${Else}
      Call MultiUser.InstallMode.CurrentUser
    ${EndIf}
    StrCpy $INSTDIR $0
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Vorlix" SecMain
  SectionIn RO
  Call CloseProgram
  SetOverwrite on
  !insertmacro VORLIX_PAYLOAD_INSTALL
  ; The folders the program writes beside itself; in Program Files they must stay writable for the
  ; user who runs it (settings, logs, the downloaded update).
  CreateDirectory "$INSTDIR\Config"
  CreateDirectory "$INSTDIR\logs"
  CreateDirectory "$INSTDIR\temp"
  ${If} $MultiUser.InstallMode == "AllUsers"
    nsExec::Exec '"$SYSDIR\icacls.exe" "$INSTDIR\Config" "$INSTDIR\logs" "$INSTDIR\temp" /grant *S-1-5-32-545:(OI)(CI)M'
    Pop $0
  ${EndIf}
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\Vorlix.exe" "" "$INSTDIR\Vorlix.exe" 0
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\卸载 ${PRODUCT}.lnk" "$INSTDIR\uninstall.exe" "/$MultiUser.InstallMode"
  CreateShortCut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\Vorlix.exe" "" "$INSTDIR\Vorlix.exe" 0

  WriteRegStr SHCTX "${APP_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${APP_KEY}" "Version" "${VERSION}"
  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Vorlix.exe,0"
  WriteRegStr SHCTX "${UNINST_KEY}" "Publisher" "Vorlix"
  WriteRegStr SHCTX "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINST_KEY}" "VersionMajor" ${VER_1}
  WriteRegDWORD SHCTX "${UNINST_KEY}" "VersionMinor" ${VER_2}
  WriteRegDWORD SHCTX "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINST_KEY}" "EstimatedSize" $0

  ${If} $UpdateMode = 1
    ; The user asked for the update from inside the program: bring it back.
    Exec '"$INSTDIR\Vorlix.exe"'
  ${EndIf}
SectionEnd

Section "Uninstall"
  Call un.CloseProgram
  !insertmacro VORLIX_PAYLOAD_REMOVE
  Delete "$INSTDIR\uninstall.exe"
  ; The downloaded update and its side files are the program's own; settings, logs, crash dumps and
  ; videos stay.
  Delete "$INSTDIR\temp\install.exe"
  Delete "$INSTDIR\temp\install.exe.fd"
  Delete "$INSTDIR\temp\install.exe.fd.cfg"
  RMDir "$INSTDIR\temp"
  RMDir "$INSTDIR\logs"
  RMDir "$INSTDIR\Config"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\卸载 ${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  DeleteRegKey SHCTX "${UNINST_KEY}"
  DeleteRegKey SHCTX "${APP_KEY}"
SectionEnd
