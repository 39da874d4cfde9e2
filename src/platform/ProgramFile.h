#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// The running program's own executable file.
class ProgramFile {
 public:
  virtual ~ProgramFile() = default;

  // The full path (UTF-8); none when it could not be read whole.
  virtual std::optional<std::string> Path() = 0;
  // Major, minor, release and build of the file version; none without a version resource.
  virtual std::optional<std::array<uint16_t, 4>> VersionNumbers() = 0;
};
