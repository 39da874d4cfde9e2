#pragma once

#include <map>

#include "platform/StartupEntry.h"

class FakeStartupEntry : public StartupEntry {
 public:
  std::map<std::string, std::string> values;
  bool writable = true;

  bool IsPresent(const std::string& name) override { return values.count(name) != 0; }
  bool Write(const std::string& name, const std::string& command) override {
    if (!writable) return false;
    values[name] = command;
    return true;
  }
  void Remove(const std::string& name) override { values.erase(name); }
};
