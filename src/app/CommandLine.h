#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the command line asks of this start; nothing of it is stored.
struct StartupSwitches {
  bool allowClose = false;    // "/allowclose"
  bool autostart = false;     // "/autostart": start hidden in the tray
  bool noTray = false;        // "/notray"
  int32_t transparency = -1;  // "/transparent:N"; the last one wins
  friend bool operator==(const StartupSwitches&, const StartupSwitches&) = default;
};

struct CommandLineScan {
  StartupSwitches switches;
  // The text after the first "/transparent:" that is no integer; the start ends there.
  std::optional<std::string> invalidInteger;
};

// The arguments after the program's own name, separated by blanks; a double-quoted stretch
// stays within one argument and loses its quotes. The first word is the program's name.
std::vector<std::string> SplitArguments(std::string_view commandLine);

// An integer as the switches take it: optional leading blanks, an optional sign, then decimal
// digits, or hexadecimal digits after "$", "x" or "0x", and nothing after them. Hexadecimal
// is read as a 32-bit pattern ("$FFFFFFFF" is -1); decimal must fit in 32 bits.
std::optional<int32_t> StrToInt(std::string_view text);

// Every argument, from the program's path on, compared case-insensitively; unknown ones are ignored.
CommandLineScan ScanCommandLine(const std::vector<std::string>& arguments);

// What the user is told about a "/transparent:" value that is no integer.
std::string InvalidIntegerMessage(const std::string& text);
