#include "main/win32/MenuBuilder.h"

#include <string>
#include <vector>

#include "platform/win32/Utf.h"

namespace {

constexpr UINT kMainMenuCommands = 0x1000;
constexpr UINT kColorDisplayCommands = 0x1100;
constexpr UINT kCopyCoordCommands = 0x1200;

std::wstring MenuText(const MenuEntry& entry) {
  std::wstring text = WideFromUtf8(entry.Caption);
  const std::string shortcut = ShortCutToText(entry.Keys);
  if (!shortcut.empty()) text += L"\t" + WideFromUtf8(shortcut);
  return text;
}

// Appends the entries at `depth` from `first` on, until the table leaves that level; returns
// the index after the last one taken.
size_t AppendLevel(HMENU menu, const MenuTable& table, Tfrmmain& frm, size_t first, int depth) {
  const auto entries = table.entries;
  // A separator waits for the item after it, so none leads, trails or doubles.
  bool separatorDue = false;
  size_t i = first;
  while (i < entries.size() && entries[i].Depth >= depth) {
    const MenuEntry& entry = entries[i];
    const size_t index = i++;
    if (entry.Depth > depth) continue;  // inside a submenu that was left out
    if (!IsAvailable(entries, index)) continue;
    if (entry.IsSeparator()) {
      separatorDue = ::GetMenuItemCount(menu) > 0;
      continue;
    }
    const std::wstring text = MenuText(entry);
    if (separatorDue) ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    separatorDue = false;
    if (OpensSubmenu(entries, index)) {
      MenuHandle submenu(::CreatePopupMenu());
      if (!submenu) continue;
      i = AppendLevel(submenu.Get(), table, frm, index + 1, entry.Depth + 1);
      if (::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.Get()), text.c_str())) submenu.Release();
    } else {
      UINT flags = MF_STRING;
      if (IsEntryChecked(frm, entry)) flags |= MF_CHECKED;
      if (!IsEntryEnabled(frm, entry)) flags |= MF_GRAYED;
      ::AppendMenuW(menu, flags, table.firstCommand + index, text.c_str());
    }
  }
  return i;
}

}  // namespace

MenuTable MainMenuTable() { return {mnuMainEntries(), kMainMenuCommands}; }
MenuTable ColorDisplayMenuTable() { return {mnuColorDisplayEntries(), kColorDisplayCommands}; }
MenuTable CopyCoordMenuTable() { return {mnuCopyCoordEntries(), kCopyCoordCommands}; }

UINT CommandOf(const MenuTable& table, std::string_view name) {
  const size_t index = IndexOfMenuEntry(table.entries, name);
  return index < table.entries.size() ? table.firstCommand + static_cast<UINT>(index) : 0;
}

MenuHandle BuildPopupMenu(const MenuTable& table, Tfrmmain& frm) {
  MenuHandle menu(::CreatePopupMenu());
  if (menu) AppendLevel(menu.Get(), table, frm, 0, 0);
  return menu;
}

AcceleratorTable BuildAccelerators(const MenuTable& table) {
  std::vector<ACCEL> keys;
  for (size_t i = 0; i < table.entries.size(); ++i) {
    const ShortCut s = table.entries[i].Keys;
    if (s.Key == 0 || table.entries[i].Run == nullptr) continue;
    BYTE modifiers = FVIRTKEY;
    if (s.Ctrl) modifiers |= FCONTROL;
    if (s.Alt) modifiers |= FALT;
    if (s.Shift) modifiers |= FSHIFT;
    keys.push_back(ACCEL{modifiers, s.Key, static_cast<WORD>(table.firstCommand + i)});
  }
  if (keys.empty()) return {};
  return AcceleratorTable(::CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())));
}

bool RunMenuCommand(Tfrmmain& frm, UINT command) {
  for (const MenuTable& table : {MainMenuTable(), ColorDisplayMenuTable(), CopyCoordMenuTable()}) {
    if (command < table.firstCommand || command >= table.firstCommand + table.entries.size()) continue;
    return RunMenuEntry(frm, table.entries, command - table.firstCommand);
  }
  return false;
}

void PopupMenuAt(const MenuTable& table, Tfrmmain& frm, HWND owner, POINT at) {
  // Held from before the menu shows until its command has run, whatever notices of the menu
  // loop the system sends or leaves out.
  const CommandPoint::Scope moment(frm.commandPoint);
  const MenuHandle menu = BuildPopupMenu(table, frm);
  if (!menu) return;
  // Without the foreground the menu would not close when the user clicks elsewhere.
  ::SetForegroundWindow(owner);
  frm.commandPoint.MenuShown();
  const UINT command = static_cast<UINT>(
      ::TrackPopupMenu(menu.Get(), TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
  frm.commandPoint.MenuHidden();
  ::PostMessageW(owner, WM_NULL, 0, 0);
  if (command != 0) RunMenuCommand(frm, command);
}
