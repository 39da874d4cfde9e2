#include "main/StartWithWindows.h"

#include <algorithm>

#include "platform/Messages.h"
#include "platform/ProgramFile.h"

bool StartWithWindows::SetRunOnStartup(const std::string& name, const std::string& command, bool remove) {
  if (remove) {
    entry_.Remove(name);
    return true;
  }
  return entry_.Write(name, command);
}

void StartWithWindows::RunonStartup1Click() {
  bool done = true;
  if (runOnStartup_) {
    SetRunOnStartup(kRunValueName, {}, true);
  } else if (const auto path = file_.Path()) {
    // Quoted, so that a path with blanks still passes the switch as an argument of its own.
    done = SetRunOnStartup(kRunValueName, "\"" + *path + "\" /autostart", false);
  } else {
    done = false;  // a path cut short would start nothing at log-on
  }
  if (!done) messages_.ShowMessage(std::string("Failed to set data for '") + kRunValueName + "'");
  // What the list holds now, whatever the attempt did: a failure never shows as a check mark.
  ReadCheckMark();
}

std::string GetVersionText(ProgramFile& file) {
  const auto numbers = file.VersionNumbers();
  if (!numbers) return {};
  return std::to_string((*numbers)[0]) + "." + std::to_string((*numbers)[1]);
}

bool RunEntryStartsProgram(const std::string& command, const std::string& programPath) {
  const size_t start = command.find_first_not_of(' ');
  if (start == std::string::npos || programPath.empty()) return false;
  std::string program;
  if (command[start] == '"') {
    const size_t close = command.find('"', start + 1);
    if (close == std::string::npos) return false;
    program = command.substr(start + 1, close - start - 1);
  } else {
    program = command.substr(start, command.find(' ', start) - start);
  }
  // ASCII letters only: folding other letters needs the system's tables.
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::ranges::equal(program, programPath, [&](char a, char b) { return lower(a) == lower(b); });
}
