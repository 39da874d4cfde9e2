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
  const std::exception_ptr failure = Ending();
  app_.Destroy(window_);
  if (failure) std::rethrow_exception(failure);
}

// The settings first, so that what only they hold is kept even when the form state fails.
std::exception_ptr TrayPresence::Ending() {
  std::exception_ptr first;
  for (const std::function<void()>* step : {&hooks_.writeSettings, &hooks_.saveFormState}) {
    try {
      (*step)();
    } catch (...) {
      if (!first) first = std::current_exception();
    }
  }
  return first;
}

bool TrayPresence::QueryEndSession() {
  // An error is reported by the window, whose default answer still lets the session end.
  if (const std::exception_ptr failure = Ending()) std::rethrow_exception(failure);
  return true;
}

void TrayPresence::EndSession(bool ending) {
  if (ending) app_.Destroy(window_);
}
