; Corvant Viewer: the sample suite's setup program made with NSIS. Silent with /S; /D=<folder>
; (last, unquoted) chooses the install folder. It registers its own Programs and Features entry
; "CorvantViewer" with a quiet uninstaller. TARGET (amd64-unicode or x86-unicode) is given by the build.
Target ${TARGET}
Name "Corvant Viewer"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Corvant Viewer"
RequestExecutionLevel admin
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\CorvantViewer"

Page directory
Page instfiles

Section
  SetOutPath "$INSTDIR"
  File "viewer.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Corvant Viewer"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "2.0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Corvant"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\viewer.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
