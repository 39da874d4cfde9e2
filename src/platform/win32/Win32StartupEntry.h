#pragma once

#include "platform/StartupEntry.h"

// Values of HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run.
class Win32StartupEntry final : public StartupEntry {
 public:
  bool IsPresent(const std::string& name) override;
  bool Write(const std::string& name, const std::string& command) override;
  void Remove(const std::string& name) override;
};
