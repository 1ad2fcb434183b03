  ; SPDX-License-Identifier: MIT
  ; tavro.exe runs on 64-bit Windows 7 SP1 and newer: on an older Windows the
  ; installer stops before it removes, writes or copies anything.
  ${IfNot} ${AtLeastWin7}
    Goto tavro_windows_too_old
  ${EndIf}
  ${If} ${IsWin7}
  ${AndIfNot} ${AtLeastServicePack} 1
    Goto tavro_windows_too_old
  ${EndIf}
  Goto tavro_windows_new_enough
tavro_windows_too_old:
  MessageBox MB_OK|MB_ICONSTOP "tavro字符工具需要 64 位的 Windows 7 SP1 或更新版本。$\n这台电脑的 Windows 太旧，没有安装任何内容。" /SD IDOK
  SetErrorLevel 2
  Quit
tavro_windows_new_enough:
