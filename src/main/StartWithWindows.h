#pragma once

#include <string>

#include "platform/Messages.h"
#include "platform/ProgramFile.h"
#include "platform/StartupEntry.h"

class Messages;
class ProgramFile;

// The value of the log-on list that starts the program hidden in the tray.
inline constexpr const char* kRunValueName = "Glimmerlux";

// "Run on Startup": the program's entry in the current user's log-on list.
class StartWithWindows {
 public:
  StartWithWindows(StartupEntry& entry, ProgramFile& file, Messages& messages)
      : entry_(entry), file_(file), messages_(messages) {}

  bool IsRunOnStartup(const std::string& name) { return entry_.IsPresent(name); }
  // False when the value could not be written.
  bool SetRunOnStartup(const std::string& name, const std::string& command, bool remove);
  // At creation and after each change: the check mark shows whether the entry is there.
  void ReadCheckMark() { runOnStartup_ = IsRunOnStartup(kRunValueName); }
  bool RunsOnStartup() const { return runOnStartup_; }
  void RunonStartup1Click();

 private:
  StartupEntry& entry_;
  ProgramFile& file_;
  Messages& messages_;
  bool runOnStartup_ = false;
};

// Whether a log-on entry's command starts the program at `programPath` (paths compared without
// regard to letter case, as Windows does): removing the program removes its own entry and
// leaves another copy's alone.
bool RunEntryStartsProgram(const std::string& command, const std::string& programPath);

// "major.minor" of the program file's version; empty without a version resource.
std::string GetVersionText(ProgramFile& file);
