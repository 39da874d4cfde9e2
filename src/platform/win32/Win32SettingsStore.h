#pragma once

#include "platform/SettingsStore.h"

// The settings as values of HKEY_CURRENT_USER\Software\Tarnwell\Glimmerlux; the key is opened
// for every access and closed after it.
class Win32SettingsStore final : public SettingsStore {
 public:
  StoredValue Read(const std::string& name) override;
  bool WriteInteger(const std::string& name, int32_t value) override;
  bool WriteText(const std::string& name, const std::string& text) override;
  std::string KeyPath() const override;
};
