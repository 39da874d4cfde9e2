// The command line is whatever the user, a shortcut or another program typed: any bytes.
// Besides not crashing, the scan must agree with a second reading written another way.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandLine.h"
#include "fuzz/FuzzCheck.h"

namespace {

// The integer rule read through std::from_chars rather than a digit loop.
std::optional<int32_t> ReferenceInteger(std::string_view text) {
  text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    base = 16;
    text.remove_prefix(2);
  } else if (!text.empty() && (text[0] == '$' || text[0] == 'x' || text[0] == 'X')) {
    base = 16;
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  uint64_t magnitude = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  const uint64_t limit = base == 16 ? 0xFFFFFFFFull : negative ? 0x80000000ull : 0x7FFFFFFFull;
  if (magnitude > limit) return std::nullopt;
  const uint32_t bits =
      negative ? static_cast<uint32_t>(0u - static_cast<uint32_t>(magnitude)) : static_cast<uint32_t>(magnitude);
  return static_cast<int32_t>(bits);
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c | 0x20) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

CommandLineScan ReferenceScan(const std::vector<std::string>& arguments) {
  constexpr std::string_view kTransparent = "/transparent:";
  CommandLineScan scan;
  for (const std::string& argument : arguments) {
    if (SameIgnoringAsciiCase(argument, "/allowclose")) scan.switches.allowClose = true;
    if (SameIgnoringAsciiCase(argument, "/autostart")) scan.switches.autostart = true;
    if (SameIgnoringAsciiCase(argument, "/notray")) scan.switches.noTray = true;
    if (argument.size() >= kTransparent.size() &&
        SameIgnoringAsciiCase(std::string_view(argument).substr(0, kTransparent.size()), kTransparent)) {
      const std::string number = argument.substr(kTransparent.size());
      const std::optional<int32_t> value = ReferenceInteger(number);
      if (!value) {
        scan.invalidInteger = number;
        return scan;
      }
      scan.switches.transparency = *value;
    }
  }
  return scan;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);

  const std::vector<std::string> arguments = SplitArguments(line);
  std::string requoted;
  for (const std::string& argument : arguments) {
    FUZZ_CHECK(argument.find('"') == std::string::npos);
    requoted += '"' + argument + "\" ";
  }
  // Quoting every argument and splitting again gives the same arguments back.
  FUZZ_CHECK(SplitArguments(requoted) == arguments);

  FUZZ_CHECK(StrToInt(line) == ReferenceInteger(line));

  const CommandLineScan scan = ScanCommandLine(arguments);
  const CommandLineScan expected = ReferenceScan(arguments);
  FUZZ_CHECK(scan.switches == expected.switches);
  FUZZ_CHECK(scan.invalidInteger == expected.invalidInteger);
  if (scan.invalidInteger) {
    const std::string message = InvalidIntegerMessage(*scan.invalidInteger);
    // The offending text is quoted whole, whatever it holds.
    FUZZ_CHECK(message.compare(1, scan.invalidInteger->size(), *scan.invalidInteger) == 0);
  }
  return 0;
}
