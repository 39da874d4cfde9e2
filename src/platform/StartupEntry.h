#pragma once

#include <string>

// The current user's list of programs started at log-on.
class StartupEntry {
 public:
  virtual ~StartupEntry() = default;

  // Whether a value of that name is there, of any type and content.
  virtual bool IsPresent(const std::string& name) = 0;
  // Creates or replaces the value as text, creating the list's key when it is missing.
  virtual bool Write(const std::string& name, const std::string& command) = 0;
  // Removing a value that is not there does nothing.
  virtual void Remove(const std::string& name) = 0;
};
