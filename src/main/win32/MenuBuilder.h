#pragma once

#include <windows.h>

#include <span>
#include <string_view>

#include "main/MainMenu.h"
#include "main/fmMagnifier.h"
#include "platform/win32/Handles.h"

// A pop-up menu's table and the command identifier of its first entry; an entry's command
// is that plus its index.
struct MenuTable {
  std::span<const MenuEntry> entries;
  UINT firstCommand;
};

MenuTable MainMenuTable();
MenuTable ColorDisplayMenuTable();
MenuTable CopyCoordMenuTable();

// The command of the entry named `name`, or 0 when the table has none.
UINT CommandOf(const MenuTable& table, std::string_view name);

// Only the available items, with their shortcut texts and current check marks.
MenuHandle BuildPopupMenu(const MenuTable& table, Tfrmmain& frm);
// The shortcuts of the available items of the main menu.
AcceleratorTable BuildAccelerators(const MenuTable& table);
// Runs the command of any of the tables; false when `command` belongs to none.
bool RunMenuCommand(Tfrmmain& frm, UINT command);
// Opens the menu at a desktop point, for `owner`, and runs what the user chose.
void PopupMenuAt(const MenuTable& table, Tfrmmain& frm, HWND owner, POINT at);
