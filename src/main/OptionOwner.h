#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "main/FormState.h"
#include "main/SettingsReading.h"
#include "platform/SettingsStore.h"

// A value the window writes itself whenever one of its options changes (WriteSettings).
struct WrittenValue {
  const char* Name;
  std::function<bool(SettingsStore&)> Write;
};

// A Boolean the window writes as "True" or "False".
inline WrittenValue WrittenFlag(const char* name, std::function<bool()> value) {
  return {name, [name, value = std::move(value)](SettingsStore& store) {
            return store.WriteText(name, BoolToText(value()));
          }};
}

inline WrittenValue WrittenInteger(const char* name, std::function<int32_t()> value) {
  return {name, [name, value = std::move(value)](SettingsStore& store) { return store.WriteInteger(name, value()); }};
}

// A Boolean control state of the form state.
inline ControlState StoredFlag(const char* name, bool& flag) {
  return {name, [&flag] { return flag; }, [&flag](bool on) { flag = on; }, {}, {}};
}

// The two lists of stored values each owner of options adds its own to.
struct SettingsLists {
  std::vector<WrittenValue> written;
  std::vector<ControlState> formState;
};

// A component that owns options: it keeps them as its own state, names its stored values and
// applies them each time the window is shown. The form only runs the owners in turn.
class OptionOwner {
 public:
  virtual void AddSettings(SettingsLists& lists) = 0;
  // Every show of the window: the values read at each show, then every option handed to the
  // view and the window.
  virtual void FormShow(SettingsStore& store) = 0;

  virtual ~OptionOwner() = default;
};
