; Installer of the Tablet Control Panel, built with NSIS by tools/package (and
; by the build for the installation test):
;   makensis -DVERSION=X.YY -DVERSION_QUAD=X.Y.0.0 -DPROGRAM=tabletcp.exe
;            -DGUIDE=users-guide.txt -DLICENSE=LICENSE -DICON=app.ico
;            -DWIZARD=wizard.bmp -DCONSOLE=tabletcfg.exe -DOUTFILE=setup.exe
;            [-DCPU=amd64] setup.nsi
; tabletcfg.exe, the console program that saves and restores the tablet's
; settings, goes beside the control panel; it has no shortcut (it is run from
; a command prompt).
; It installs for every user of the machine into the 32-bit Program Files
; folder (the 64-bit one for a 64-bit build, CPU=amd64), with the user's
; guide (a plain text Notepad opens), adds Start-menu shortcuts to the
; program and the guide and registers its uninstaller with the system's list
; of installed programs. The wizard's pages: welcome, licence, folder,
; progress and finish, whose "Run Tablet Control Panel" starts the program
; and "Show the user's guide" opens the guide, both as the user. The welcome
; and finish pages show the program's own picture (WIZARD, 164x314, drawn by
; tools/make_icons.py).
; /S installs or uninstalls silently: no page, and the program is not run. The tablet driver is not part
; of it: it comes with the tablet. vellix.ini, the user's unit preference in
; the Windows directory, is the program's and stays on uninstalling.

Unicode true
!ifndef CPU
    !define CPU x86
!endif
Target ${CPU}-unicode

!define APPNAME "Tablet Control Panel"
; The version comes from the build, which passes the project's version as
; VERSION and its four numbers as VERSION_QUAD.
!ifndef VERSION
    !error "makensis needs -DVERSION=... (the build passes it)"
!endif
!ifndef VERSION_QUAD
    !error "makensis needs -DVERSION_QUAD=... (the build passes it)"
!endif
!ifndef WIZARD
    !error "makensis needs -DWIZARD=... (the build passes it)"
!endif
!define PUBLISHER "The Tablet Control Panel authors"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TabletControlPanel"
!define GUIDE_NAME "User's Guide.txt"
!define GUIDE_SHORTCUT "${APPNAME} User's Guide.lnk"

!include "MUI2.nsh"
!include "FileFunc.nsh"

Name "${APPNAME}"
BrandingText "${APPNAME} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
SetCompressor zlib
!if ${CPU} == amd64
    InstallDir "$PROGRAMFILES64\${APPNAME}"
!else
    InstallDir "$PROGRAMFILES32\${APPNAME}"
!endif
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=1033 "ProductName" "${APPNAME}"
VIAddVersionKey /LANG=1033 "FileDescription" "${APPNAME} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) the Tablet Control Panel authors"
VIAddVersionKey /LANG=1033 "OriginalFilename" "tablet-control-panel-${VERSION}-setup.exe"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Run ${APPNAME}"
!define MUI_FINISHPAGE_RUN_FUNCTION RunAsTheUser
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\${GUIDE_NAME}"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the user's guide"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION ShowGuideAsTheUser
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetShellVarContext all
FunctionEnd

; The installer runs with administrator rights; the program is started
; through Explorer so that it runs as the user does (its unit preference
; then goes where the user's later runs find it).
Function RunAsTheUser
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\tabletcp.exe"'
FunctionEnd

; The guide too: opened as administrator, its editor would save as one.
; (Backquotes: the guide's name holds an apostrophe.)
Function ShowGuideAsTheUser
    Exec `"$WINDIR\explorer.exe" "$INSTDIR\${GUIDE_NAME}"`
FunctionEnd

Section "Tablet Control Panel"
    SetOutPath "$INSTDIR"
    File "/oname=tabletcp.exe" "${PROGRAM}"
    File "/oname=tabletcfg.exe" "${CONSOLE}"
    File "/oname=${GUIDE_NAME}" "${GUIDE}"
    ; Earlier versions installed the developers' README.md in its place.
    Delete "$INSTDIR\README.md"
    File "/oname=LICENSE.txt" "${LICENSE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortCut "$SMPROGRAMS\${APPNAME}.lnk" "$INSTDIR\tabletcp.exe" "" "$INSTDIR\tabletcp.exe" 0
    CreateShortCut "$SMPROGRAMS\${GUIDE_SHORTCUT}" "$INSTDIR\${GUIDE_NAME}"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APPNAME}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tabletcp.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes exactly what the section put there. The folder goes only when it is
; empty: anything the user put there stays with it.
Section "Uninstall"
    Delete "$SMPROGRAMS\${APPNAME}.lnk"
    Delete "$SMPROGRAMS\${GUIDE_SHORTCUT}"
    Delete "$INSTDIR\tabletcp.exe"
    Delete "$INSTDIR\tabletcfg.exe"
    Delete "$INSTDIR\${GUIDE_NAME}"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
