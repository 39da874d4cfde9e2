#pragma once

#include "platform/ProgramFile.h"

class Win32ProgramFile final : public ProgramFile {
 public:
  std::optional<std::string> Path() override;
  std::optional<std::array<uint16_t, 4>> VersionNumbers() override;
};
