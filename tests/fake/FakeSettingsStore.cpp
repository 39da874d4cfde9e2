#include "fake/FakeSettingsStore.h"

#include <cctype>
#include <stdexcept>

std::string FakeSettingsStore::Key(const std::string& name) {
  std::string key = name;
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

StoredValue FakeSettingsStore::Read(const std::string& name) {
  const auto it = values_.find(Key(name));
  return it == values_.end() ? StoredValue{} : it->second.second;
}

bool FakeSettingsStore::WriteInteger(const std::string& name, int32_t value) {
  if (!writable) return false;
  if (!throwOnWriteOf.empty() && Key(name) == Key(throwOnWriteOf)) throw std::runtime_error("cannot write " + name);
  ++writes;
  written.push_back(name);
  values_[Key(name)] = {name, StoredValue{StoredValue::Kind::Dword, static_cast<uint32_t>(value), {}}};
  return true;
}

bool FakeSettingsStore::WriteText(const std::string& name, const std::string& text) {
  if (!writable) return false;
  if (!throwOnWriteOf.empty() && Key(name) == Key(throwOnWriteOf)) throw std::runtime_error("cannot write " + name);
  ++writes;
  written.push_back(name);
  values_[Key(name)] = {name, StoredValue{StoredValue::Kind::Text, 0, text}};
  return true;
}

std::string FakeSettingsStore::NameOf(const std::string& name) const {
  const auto it = values_.find(Key(name));
  return it == values_.end() ? std::string{} : it->second.first;
}
