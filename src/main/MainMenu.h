#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "main/Keys.h"

class Tfrmmain;

struct ShortCut {
  uint16_t Key = 0;  // 0: none
  bool Ctrl = false;
  bool Alt = false;
  bool Shift = false;
};

inline constexpr ShortCut CtrlAlt(uint16_t key) { return {key, true, true, false}; }

// "Ctrl+Alt+C", "F1", "" for none.
std::string ShortCutToText(ShortCut shortcut);

// One item of a pop-up menu. A caption of "-" is a separator; an entry followed by deeper
// ones opens them as its submenu. The command and the marks are bound to the component that
// owns them; the tag is what the command and the check mark of a group of items read.
struct MenuEntry {
  const char* Name;
  const char* Caption;  // UTF-8
  int Depth;
  ShortCut Keys;
  int Tag;
  // nullptr for a separator or a submenu; such items have no command.
  void (*Run)(Tfrmmain& frm, int tag);
  // nullptr: the item never shows a check mark.
  bool (*Checked)(const Tfrmmain& frm, int tag) = nullptr;
  // nullptr: the item is never greyed. A greyed item's command does not run.
  bool (*Enabled)(const Tfrmmain& frm) = nullptr;
  // Kept for its command and check mark, never shown.
  bool Hidden = false;

  bool IsSeparator() const { return std::string_view(Caption) == "-"; }
};

std::span<const MenuEntry> mnuMainEntries();
std::span<const MenuEntry> mnuColorDisplayEntries();
std::span<const MenuEntry> mnuCopyCoordEntries();

bool OpensSubmenu(std::span<const MenuEntry> menu, size_t index);
// Whether the item belongs in the built menu: a shown command, a submenu with such a command
// inside, or a separator (the builder drops separators that would separate nothing).
bool IsAvailable(std::span<const MenuEntry> menu, size_t index);
// The index of the entry named `name`, or menu.size().
size_t IndexOfMenuEntry(std::span<const MenuEntry> menu, std::string_view name);

// The item's marks as the menu shows them now.
bool IsEntryChecked(const Tfrmmain& frm, const MenuEntry& entry);
bool IsEntryEnabled(const Tfrmmain& frm, const MenuEntry& entry);
// Runs the entry's command; false when it has none or is greyed.
bool RunMenuEntry(Tfrmmain& frm, std::span<const MenuEntry> menu, size_t index);
