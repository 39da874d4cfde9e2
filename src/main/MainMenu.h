#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "main/MenuItems.h"

class Tfrmmain;

// Virtual-key codes as Windows numbers them; letters and digits are their own codes.
inline constexpr uint16_t kVkSpace = 0x20;
inline constexpr uint16_t kVkF1 = 0x70;
inline constexpr uint16_t kVkF4 = 0x73;

struct TShortCut {
  uint16_t Key = 0;  // 0: none
  bool Ctrl = false;
  bool Alt = false;
  bool Shift = false;
};

inline constexpr TShortCut CtrlAlt(uint16_t key) { return {key, true, true, false}; }

// "Ctrl+Alt+C", "F1", "" for none.
std::string ShortCutToText(TShortCut shortcut);

using TMenuHandler = void (*)(Tfrmmain& frm, TMenuItem& Sender);

// One item of a pop-up menu. A caption of "-" is a separator; an entry followed by deeper
// ones opens them as its submenu.
struct TMenuEntry {
  const char* Name;
  const char* Caption;  // UTF-8
  int Depth;
  TShortCut ShortCut;
  int Tag;
  bool Checked;  // at first start
  // The item's live state, or nullptr when nothing reads it yet.
  TMenuItem TMainMenuItems::*Item;
  // nullptr while the command has no handler; such items are left out of the built menu.
  TMenuHandler Handler;
  // Kept for its command and check mark, never shown.
  bool Hidden = false;

  bool IsSeparator() const { return std::string_view(Caption) == "-"; }
};

std::span<const TMenuEntry> mnuMainEntries();
std::span<const TMenuEntry> mnuColorDisplayEntries();
std::span<const TMenuEntry> mnuCopyCoordEntries();

bool OpensSubmenu(std::span<const TMenuEntry> menu, size_t index);
// Whether the item belongs in the built menu: a shown command with a handler, a submenu with
// such a command inside, or a separator (the builder drops separators that would separate nothing).
bool IsAvailable(std::span<const TMenuEntry> menu, size_t index);
// The index of the entry named `name`, or menu.size().
size_t IndexOfMenuEntry(std::span<const TMenuEntry> menu, std::string_view name);

// Sets the items to their tags and first-start check marks.
void InitMenuItems(TMainMenuItems& items);
// Runs the entry's handler with its item as sender; false when it has none.
bool RunMenuEntry(Tfrmmain& frm, std::span<const TMenuEntry> menu, size_t index);
