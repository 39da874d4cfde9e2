#include "app/CommandLine.h"

#include <algorithm>

namespace {

constexpr std::string_view kTransparentSwitch = "/transparent:";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return lower;
}

int DigitValue(char c, int base) {
  int value = 16;
  if (c >= '0' && c <= '9') value = c - '0';
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < base ? value : -1;
}

}  // namespace

std::vector<std::string> SplitArguments(std::string_view commandLine) {
  std::vector<std::string> arguments;
  size_t i = 0;
  while (true) {
    while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
    if (i == commandLine.size()) break;
    std::string argument;
    bool quoted = false;
    for (; i < commandLine.size() && (quoted || !IsBlank(commandLine[i])); ++i) {
      if (commandLine[i] == '"')
        quoted = !quoted;
      else
        argument += commandLine[i];
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

std::optional<int32_t> StrToInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == text.size()) return std::nullopt;
  // A hexadecimal number may use all 32 bits; a decimal one only what its sign allows.
  const uint64_t limit = base == 16 ? 0xFFFFFFFFu : negative ? 0x80000000u : 0x7FFFFFFFu;
  uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    if (magnitude > limit) return std::nullopt;
  }
  uint32_t bits = static_cast<uint32_t>(magnitude);
  if (negative) bits = 0u - bits;
  return static_cast<int32_t>(bits);
}

CommandLineScan ScanCommandLine(const std::vector<std::string>& arguments) {
  CommandLineScan scan;
  StartupSwitches& s = scan.switches;
  for (const std::string& argument : arguments) {
    const std::string lower = AsciiLower(argument);
    if (lower == "/allowclose") {
      s.allowClose = true;
    } else if (lower == "/autostart") {
      s.autostart = true;
    } else if (lower == "/notray") {
      s.noTray = true;
    } else if (lower.starts_with(kTransparentSwitch)) {
      // The number keeps its own letter case.
      const std::string number = argument.substr(kTransparentSwitch.size());
      const std::optional<int32_t> value = StrToInt(number);
      if (!value) {
        scan.invalidInteger = number;
        return scan;
      }
      s.transparency = *value;
    }
  }
  return scan;
}

std::string InvalidIntegerMessage(const std::string& text) { return "'" + text + "' is not a valid integer value"; }
