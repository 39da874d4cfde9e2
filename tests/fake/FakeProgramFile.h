#pragma once

#include "platform/ProgramFile.h"

class FakeProgramFile : public ProgramFile {
 public:
  std::optional<std::string> path = std::string("C:\\Program Files\\Glimmerlux\\glimmerlux.exe");
  std::optional<std::array<uint16_t, 4>> version = std::array<uint16_t, 4>{1, 0, 0, 0};

  std::optional<std::string> Path() override { return path; }
  std::optional<std::array<uint16_t, 4>> VersionNumbers() override { return version; }
};
