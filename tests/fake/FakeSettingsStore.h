#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/SettingsStore.h"

// Settings in memory, names compared without regard to case as the registry does.
class FakeSettingsStore : public SettingsStore {
 public:
  // Off: every write fails, as when the key cannot be created.
  bool writable = true;
  // A write of this name throws, as a failed allocation inside a write would.
  std::string throwOnWriteOf;
  int writes = 0;
  // Every name written, in order and in the writer's letter case.
  std::vector<std::string> written;

  StoredValue Read(const std::string& name) override;
  bool WriteInteger(const std::string& name, int32_t value) override;
  bool WriteText(const std::string& name, const std::string& text) override;
  std::string KeyPath() const override { return "Software\\Tarnwell\\Glimmerlux"; }

  // Puts a value of any kind there, as another program or an older version could have.
  void Put(const std::string& name, StoredValue value) { values_[Key(name)] = {name, std::move(value)}; }
  bool Has(const std::string& name) const { return values_.count(Key(name)) != 0; }
  void Clear() { values_.clear(); }
  // The name the value was last written under, in its own letter case.
  std::string NameOf(const std::string& name) const;

 private:
  static std::string Key(const std::string& name);
  std::map<std::string, std::pair<std::string, StoredValue>> values_;
};
