#pragma once

#include <windows.h>

#include "main/fmMagnifier.h"
#include "platform/win32/Handles.h"

// A keyboard shortcut of the main window and the command it runs.
struct Shortcut {
  WORD key;        // virtual-key code
  BYTE modifiers;  // FCONTROL, FALT, FSHIFT
  WORD commandId;  // WM_COMMAND identifier
  void (Tfrmmain::*handler)();
};

// Command identifiers are 0x1000 plus the position of the item in the main menu.
inline constexpr WORD kCopyImagetoClipboard1Command = 0x1000 + 23;

inline constexpr Shortcut kShortcuts[] = {
    {'C', FCONTROL | FALT, kCopyImagetoClipboard1Command, &Tfrmmain::CopyImagetoClipboard1Click},
};

AcceleratorTable CreateShortcutTable();
// Runs the handler bound to `commandId`; false when no shortcut has that command.
bool RunShortcutCommand(Tfrmmain& frm, WORD commandId);
