// libFuzzer target: any bytes as a downloaded version file. Whatever arrives, reading it must
// neither crash nor hand on anything that is not a version, and the values keep to their window.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "dialogs/VersionFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::optional<VersionFile> file = ReadVersionFile(text);
  if (file) {
    if (!IsVersionText(file->Remote)) std::abort();
    // Valid versions parse back to non-negative numbers.
    if (GetMajorVersion(file->Remote) < 0 || GetMinorVersion(file->Remote) < 0) std::abort();
    CompareVersions(file->Remote, "1.0");
  }
  for (const std::string& line : SplitLines(text)) {
    // A value never holds a line break or a double quote, and is never longer than its line.
    const std::string value = ExtractContent(line);
    if (value.size() > line.size() || value.find('"') != std::string::npos) std::abort();
    if (value.find_first_of("\r\n") != std::string::npos) std::abort();
  }
  return 0;
}
