#include "platform/win32/Shortcuts.h"

#include <array>
#include <iterator>

AcceleratorTable CreateShortcutTable() {
  std::array<ACCEL, std::size(kShortcuts)> entries{};
  for (size_t i = 0; i < entries.size(); ++i) {
    entries[i] =
        ACCEL{static_cast<BYTE>(FVIRTKEY | kShortcuts[i].modifiers), kShortcuts[i].key, kShortcuts[i].commandId};
  }
  return AcceleratorTable(::CreateAcceleratorTableW(entries.data(), static_cast<int>(entries.size())));
}

bool RunShortcutCommand(Tfrmmain& frm, WORD commandId) {
  for (const Shortcut& shortcut : kShortcuts) {
    if (shortcut.commandId == commandId) {
      (frm.*shortcut.handler)();
      return true;
    }
  }
  return false;
}
