#pragma once

#include "platform/ShellOpen.h"

// ShellExecuteW with the "open" verb and no owner window.
class Win32ShellOpen final : public ShellOpen {
 public:
  int32_t Open(const std::string& target) override;
};
