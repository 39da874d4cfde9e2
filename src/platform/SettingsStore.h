#pragma once

#include <cstdint>
#include <string>

// A stored value as the store holds it, before the reading rules make a number or a text of it.
struct StoredValue {
  enum class Kind : uint8_t { Absent, Dword, Qword, Text, Other };
  Kind kind = Kind::Absent;
  uint64_t number = 0;  // Dword and Qword
  std::string text;     // Text, UTF-8
};

// The program's settings: flat values under one per-user key, names compared without regard
// to case. On Windows the registry; in tests a map.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  virtual StoredValue Read(const std::string& name) = 0;
  // Each creates the key (and those above it) when missing; false when that or the write failed.
  virtual bool WriteInteger(const std::string& name, int32_t value) = 0;
  virtual bool WriteText(const std::string& name, const std::string& text) = 0;
  // The key's path below the user's root, for messages.
  virtual std::string KeyPath() const = 0;
};
