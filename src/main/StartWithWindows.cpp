#include "main/StartWithWindows.h"

bool StartWithWindows::SetRunOnStartup(const std::string& name, const std::string& command, bool remove) {
  if (remove) {
    entry_.Remove(name);
    return true;
  }
  return entry_.Write(name, command);
}

void StartWithWindows::RunonStartup1Click() {
  bool done = true;
  if (items_.RunonStartup1.Checked) {
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
