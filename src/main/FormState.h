#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Monitors.h"
#include "platform/Screen.h"
#include "platform/SettingsStore.h"
#include "platform/WindowFrame.h"

// One control state the form state keeps, under the value name "Component_Property".
struct TStoredProp {
  const char* Name;
  // Exactly one pair is set: a Boolean kept as text, or an integer.
  std::function<bool()> getBool;
  std::function<void(bool)> setBool;
  std::function<int32_t()> getInteger;
  std::function<void(int32_t)> setInteger;
};

// Saves and restores the main window's placement and its list of control states in the
// settings key: restored once at the first show, saved when a close is allowed, by the
// show/hide command, and at destruction when nothing was saved since the restore.
class TFormStorage {
 public:
  struct Roles {
    SettingsStore& store;
    WindowFrame& frame;
    Screen& screen;
    Monitors& monitors;
  };
  TFormStorage(Roles roles, const WindowId& window, std::vector<TStoredProp> storedProps)
      : roles_(roles), window_(window), storedProps_(std::move(storedProps)) {}

  // Values are named relative to this path, which resolves to the settings key itself.
  static constexpr const char* kAppStoragePath = "..\\";
  static constexpr int32_t kVersion = 0;

  bool Restored() const { return restored_; }
  bool Saved() const { return saved_; }
  void RestoreFormPlacement();
  // False when the store could not be written; what was in memory stays as it was.
  bool SaveFormPlacement();

 private:
  std::string Name(const std::string& name) const;
  // "(WxH)" of the virtual desktop now.
  std::string DesktopSuffix();
  void RestorePlacement();
  bool SavePlacement();

  Roles roles_;
  const WindowId& window_;
  std::vector<TStoredProp> storedProps_;
  bool restored_ = false;
  bool saved_ = false;
};

// "%d,%d,%d,%d", as the placement values are written.
std::string FourNumbers(int a, int b, int c, int d);
// The fields of such a text, separated by commas and/or spaces; a field that is not a number is none.
std::vector<std::optional<int32_t>> SplitNumbers(const std::string& text);
