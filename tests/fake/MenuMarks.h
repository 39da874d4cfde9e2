#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "main/MainMenu.h"
#include "main/fmMagnifier.h"

// The menus' items as a person sees them: found by name in any of the three menus.
inline const MenuEntry* FindMenuEntry(std::string_view name) {
  for (const auto menu : {mnuMainEntries(), mnuColorDisplayEntries(), mnuCopyCoordEntries()}) {
    const size_t i = IndexOfMenuEntry(menu, name);
    if (i < menu.size()) return &menu[i];
  }
  ADD_FAILURE() << "no menu item " << name;
  return nullptr;
}

// The item's check mark as its menu would show it now.
inline bool Checked(const Tfrmmain& form, std::string_view name) {
  const MenuEntry* entry = FindMenuEntry(name);
  return entry != nullptr && IsEntryChecked(form, *entry);
}

// False when the menu would show the item greyed.
inline bool Enabled(const Tfrmmain& form, std::string_view name) {
  const MenuEntry* entry = FindMenuEntry(name);
  return entry != nullptr && IsEntryEnabled(form, *entry);
}

// Chooses the item, as a click on it would.
inline void Choose(Tfrmmain& form, std::string_view name) {
  const MenuEntry* entry = FindMenuEntry(name);
  ASSERT_NE(entry, nullptr);
  ASSERT_NE(entry->Run, nullptr) << name << " has no command";
  ASSERT_TRUE(IsEntryEnabled(form, *entry)) << name << " is greyed";
  entry->Run(form, entry->Tag);
}

// Chooses a toggle until its check mark is `on`.
inline void SetChecked(Tfrmmain& form, std::string_view name, bool on) {
  if (Checked(form, name) != on) Choose(form, name);
  EXPECT_EQ(Checked(form, name), on) << name;
}

// The names among `names` whose items are checked, separated by blanks.
inline std::string CheckedAmong(const Tfrmmain& form, std::initializer_list<const char*> names) {
  std::string checked;
  for (const char* name : names) {
    if (Checked(form, name)) checked += std::string(checked.empty() ? "" : " ") + name;
  }
  return checked;
}
