#pragma once

#include <cstdint>
#include <string>

// Opening a web address or a "mailto:" link with the user's default handler.
class ShellOpen {
 public:
  virtual ~ShellOpen() = default;

  // The shell's result: greater than 32 when the link was opened, else its error code.
  virtual int32_t Open(const std::string& target) = 0;
};
