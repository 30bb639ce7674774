; The Windows installer, made by scripts/windows.sh:
;   makensis -DVERSION=1.0.0.3 -DSOURCE=<checkout> -DSTAGE=<installed files>
;            -DFILES=files.nsh -DOUTFILE=Taloran-1.0.0.3-win64.exe Taloran.nsi
; FILES defines the macros InstallFiles and RemoveFiles for the installed
; files (the program and its licences).
;
; It installs for all users (Program Files, HKLM; administrators) or for the
; current user alone (%LOCALAPPDATA%\Programs, HKCU; no elevation). A silent
; install takes /S with /AllUsers or /CurrentUser; without either it keeps
; the mode of an earlier install, else all users for an administrator.
; A running widget is closed first (Taloran.exe /close) and started again
; afterwards, as the logged-on user; an earlier install is removed first,
; keeping the user's "Run at startup" link (Taloran.lnk in the Startup folder).

Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
AllowSkipFiles off

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Taloran"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR Taloran
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME UninstallString
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME InstallLocation
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include "${FILES}"

Name Taloran
OutFile "${OUTFILE}"
VIProductVersion ${VERSION}
VIAddVersionKey ProductName Taloran
VIAddVersionKey ProductVersion ${VERSION}
VIAddVersionKey FileVersion ${VERSION}
VIAddVersionKey FileDescription "Taloran Setup"
VIAddVersionKey CompanyName "The Taloran developers"
VIAddVersionKey LegalCopyright "The Taloran developers"

!define MUI_ICON "${SOURCE}/assets/clock.ico"
!define MUI_UNICON "${SOURCE}/assets/clock.ico"
!define MUI_ABORTWARNING
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_LICENSE "${SOURCE}/LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE English

; What Taloran.exe /close said: 0 none ran, 1 closed, 2 closed while
; minimized, 3 still running.
Var widget
; The uninstaller is run by an installer that replaces this install.
Var upgrade

!macro CloseWidget PROGRAM
  ClearErrors
  ExecWait '"${PROGRAM}" /close' $widget
  ${If} ${Errors}
    StrCpy $widget 0
  ${EndIf}
  ${If} $widget == 3
    MessageBox MB_OK|MB_ICONSTOP "Taloran is running and could not be closed. \
        Close it, then run this again. Nothing has been changed." /SD IDOK
    SetErrorLevel 3
    Quit
  ${EndIf}
!macroend

; The shell's classes and interfaces that StartAsUser goes through.
!define CLSID_ShellWindows {9BA05972-F6A8-11CF-A442-00A0C90A8F39}
!define IID_IShellWindows {85CB6900-4D95-11CF-960C-0080C7F4EE85}
!define IID_IServiceProvider {6D5140C1-7436-11CE-8034-00AA006009FA}
!define SID_STopLevelBrowser {4C96BE40-915C-11CF-99D3-00AA004AE837}
!define IID_IShellBrowser {000214E2-0000-0000-C000-000000000046}
!define IID_IDispatch {00020400-0000-0000-C000-000000000046}
!define IID_IShellFolderViewDual {E7A1AF80-4D96-11CF-960C-0080C7F4EE85}
!define IID_IShellDispatch2 {A4C6892C-3BA9-11D2-9DEA-00C04FB16162}

; One step, taken while those before it succeeded (HRESULT in $0): a call on
; the object in $1 that gives the next one in $1, kept on the stack until
; it is released.
!macro ShellStep CALL
  ${If} $0 = 0
    System::Call `${CALL}`
    ${IfThen} $0 = 0 ${|} Push $1 ${|}
  ${EndIf}
!macroend

; Starts the installed widget, with the arguments on the stack, through the
; desktop's shell (Explorer): it then runs as the logged-on user without
; elevation, also when this installer runs elevated, and so stays within
; reach of the user's later starts. The shell's own ShellExecute is reached
; through its desktop window. Without a shell the widget is not started.
Function StartAsUser
  System::Store S
  Pop $R0
  ; VARIANTs: empty, the arguments (VT_BSTR) and SW_SHOWNORMAL (VT_I4). One
  ; passed by value goes as a pointer to it on x64.
  System::Call "*(i 0, i 0, p 0, p 0) p .R1"
  System::Call "oleaut32::SysAllocString(w R0) p .R2"
  System::Call "*(i 8, i 0, p R2, p 0) p .R3"
  System::Call "*(i 3, i 0, p 1, p 0) p .R4"
  System::Call "oleaut32::SysAllocString(w '$INSTDIR\Taloran.exe') p .R5"
  StrCpy $0 0
  Push 0
  !insertmacro ShellStep "ole32::CoCreateInstance(g '${CLSID_ShellWindows}', p 0, i 4, g '${IID_IShellWindows}', *p .r1) i .r0"
  ; FindWindowSW(SWC_DESKTOP, SWFO_NEEDDISPATCH)
  !insertmacro ShellStep "$1->15(p R1, p R1, i 8, *i .R6, i 1, *p .r1) i .r0"
  !insertmacro ShellStep "$1->0(g '${IID_IServiceProvider}', *p .r1) i .r0"
  !insertmacro ShellStep "$1->3(g '${SID_STopLevelBrowser}', g '${IID_IShellBrowser}', *p .r1) i .r0"
  ; QueryActiveShellView, then GetItemObject(SVGIO_BACKGROUND)
  !insertmacro ShellStep "$1->15(*p .r1) i .r0"
  !insertmacro ShellStep "$1->15(i 0, g '${IID_IDispatch}', *p .r1) i .r0"
  !insertmacro ShellStep "$1->0(g '${IID_IShellFolderViewDual}', *p .r1) i .r0"
  ; get_Application, then its ShellExecute(file, arguments, folder, verb, show)
  !insertmacro ShellStep "$1->7(*p .r1) i .r0"
  !insertmacro ShellStep "$1->0(g '${IID_IShellDispatch2}', *p .r1) i .r0"
  ${If} $0 = 0
    System::Call "$1->31(p R5, p R3, p R1, p R1, p R4) i .r0"
  ${EndIf}
  ${IfThen} $0 <> 0 ${|} DetailPrint "Taloran could not be started through the desktop (error $0)." ${|}
  ${Do}
    Pop $1
    ${IfThen} $1 P= 0 ${|} ${ExitDo} ${|}
    System::Call "$1->2()"
  ${Loop}
  System::Call "oleaut32::SysFreeString(p R2)"
  System::Call "oleaut32::SysFreeString(p R5)"
  System::Free $R1
  System::Free $R3
  System::Free $R4
  System::Store L
FunctionEnd

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
  ${un.GetParameters} $0
  ClearErrors
  ${un.GetOptions} $0 /upgrade $1
  ${IfNot} ${Errors}
    StrCpy $upgrade 1
  ${EndIf}
FunctionEnd

Section
  ; This version's program asks the running widget, whichever version
  ; installed it, to close; nothing is changed before it has ended.
  InitPluginsDir
  SetOutPath $PLUGINSDIR
  File "${STAGE}/Taloran.exe"
  !insertmacro CloseWidget "$PLUGINSDIR\Taloran.exe"
  Delete "$PLUGINSDIR\Taloran.exe"

  ; An earlier install in this mode is uninstalled first. Its uninstaller
  ; is told that this is an upgrade, and keeps the user's Startup link;
  ; ones made before /upgrade existed (1.0.0.3) delete it, so a copy is
  ; kept aside and put back.
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" UninstallString
  ${If} $0 != ""
    ReadRegStr $1 SHCTX "${UNINSTALL_KEY}" InstallLocation
    ${If} $1 == ""
      ${GetParent} $0 $1 ; 1.0.0.3 wrote the bare path of Uninstall.exe
    ${EndIf}
    SetShellVarContext current
    StrCpy $2 "$SMSTARTUP\Taloran.lnk"
    CopyFiles /SILENT "$2" "$PLUGINSDIR\Taloran.lnk"
    ExecWait '"$1\Uninstall.exe" /S /upgrade /$MultiUser.InstallMode _?=$1'
    ${If} ${FileExists} "$PLUGINSDIR\Taloran.lnk"
    ${AndIfNot} ${FileExists} "$2"
      CopyFiles /SILENT "$PLUGINSDIR\Taloran.lnk" "$2"
    ${EndIf}
    Delete "$1\Uninstall.exe"
    RMDir "$1"
    ${If} $MultiUser.InstallMode == AllUsers
      SetShellVarContext all
    ${EndIf}
  ${EndIf}

  SetOutPath $INSTDIR
  !insertmacro InstallFiles
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateDirectory "$SMPROGRAMS\Taloran"
  CreateShortcut "$SMPROGRAMS\Taloran\Taloran.lnk" "$INSTDIR\Taloran.exe"
  CreateShortcut "$SMPROGRAMS\Taloran\Uninstall.lnk" "$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode

  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayName Taloran
  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayVersion ${VERSION}
  WriteRegStr SHCTX "${UNINSTALL_KEY}" Publisher "The Taloran developers"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayIcon "$INSTDIR\Taloran.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" NoModify 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" NoRepair 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" EstimatedSize $0

  ; The widget comes back as it was.
  ${If} $widget == 1
    Push ""
    Call StartAsUser
  ${ElseIf} $widget == 2
    Push /m
    Call StartAsUser
  ${EndIf}
SectionEnd

Section Uninstall
  !insertmacro CloseWidget "$INSTDIR\Taloran.exe"
  !insertmacro RemoveFiles
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Taloran\Taloran.lnk"
  Delete "$SMPROGRAMS\Taloran\Uninstall.lnk"
  RMDir "$SMPROGRAMS\Taloran"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"

  ; "Run at startup" would start a program that is gone: a real uninstall
  ; removes the link from the Startup folder of the user who uninstalls. The
  ; settings (the target, the window's place) stay, as users expect.
  ${If} $upgrade != 1
    SetShellVarContext current
    Delete "$SMSTARTUP\Taloran.lnk"
  ${EndIf}
SectionEnd
