#include "main/TrayPresence.h"

void TrayPresence::ForceAllowClose() {
  forcedAllowClose_ = true;
  AllowClose = true;
}

void TrayPresence::StayinSystemTray1Click() {
  items_.StayinSystemTray1.Checked = !items_.StayinSystemTray1.Checked;
  // Stored with the form state when the window closes, not now.
  AllowClose = forcedAllowClose_ || !items_.StayinSystemTray1.Checked;
}

bool TrayPresence::ProgramShown() { return frame_.IsVisible(window_) && !app_.IsMinimized(window_); }

void TrayPresence::ToggleProgram() {
  if (ProgramShown())
    icon_.HideApplication();
  else
    icon_.ShowApplication();
}

void TrayPresence::ShowHideProgram1Click() {
  hooks_.saveFormState();
  ToggleProgram();
}

void TrayPresence::Exit1Click() {
  AllowClose = true;
  Close();
}

void TrayPresence::btnCloseClick() {
  if (AllowClose)
    Close();
  else
    icon_.HideApplication();
}

void TrayPresence::FormCloseQuery(bool& CanClose) {
  if (AllowClose) {
    CanClose = true;
  } else {
    icon_.HideApplication();
    CanClose = false;
  }
}

void TrayPresence::Close() {
  bool CanClose = true;
  FormCloseQuery(CanClose);
  if (!CanClose) return;
  Ending();
  app_.Destroy(window_);
}

// The settings first, so that what only they hold is kept even when the form state fails.
void TrayPresence::Ending() {
  hooks_.writeSettings();
  hooks_.saveFormState();
}

bool TrayPresence::QueryEndSession() {
  Ending();
  return true;
}

void TrayPresence::EndSession(bool ending) {
  if (ending) app_.Destroy(window_);
}
