#pragma once

#include <string>

#include "main/MenuItems.h"
#include "platform/StartupEntry.h"

class Messages;
class ProgramFile;

// The value of the log-on list that starts the program hidden in the tray.
inline constexpr const char* kRunValueName = "Glimmerlux";

// "Run on Startup": the program's entry in the current user's log-on list.
class StartWithWindows {
 public:
  StartWithWindows(StartupEntry& entry, ProgramFile& file, Messages& messages, TMainMenuItems& items)
      : entry_(entry), file_(file), messages_(messages), items_(items) {}

  bool IsRunOnStartup(const std::string& name) { return entry_.IsPresent(name); }
  // False when the value could not be written.
  bool SetRunOnStartup(const std::string& name, const std::string& command, bool remove);
  // At creation: the check mark shows whether the entry is there.
  void ReadCheckMark() { items_.RunonStartup1.Checked = IsRunOnStartup(kRunValueName); }
  void RunonStartup1Click();

 private:
  StartupEntry& entry_;
  ProgramFile& file_;
  Messages& messages_;
  TMainMenuItems& items_;
};

// Whether a log-on entry's command starts the program at `programPath` (paths compared without
// regard to letter case, as Windows does): removing the program removes its own entry and
// leaves another copy's alone.
bool RunEntryStartsProgram(const std::string& command, const std::string& programPath);

// "major.minor" of the program file's version; empty without a version resource.
std::string GetVersionText(ProgramFile& file);
