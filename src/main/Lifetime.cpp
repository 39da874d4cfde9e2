#include "main/Lifetime.h"

namespace {

std::string WhatOf(const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "unknown error";
  }
}

}  // namespace

void Lifetime::ForceAllowClose() {
  forcedAllowClose_ = true;
  AllowClose = true;
}

void Lifetime::StayinSystemTray1Click() {
  items_.StayinSystemTray1.Checked = !items_.StayinSystemTray1.Checked;
  // Stored with the form state when the window closes, not now.
  AllowClose = forcedAllowClose_ || !items_.StayinSystemTray1.Checked;
}

bool Lifetime::ProgramShown() { return frame_.IsVisible(window_) && !app_.IsMinimized(window_); }

void Lifetime::ToggleProgram() {
  if (ProgramShown())
    icon_.HideApplication();
  else
    icon_.ShowApplication();
}

void Lifetime::ShowHideProgram1Click() {
  hooks_.saveFormState();
  ToggleProgram();
}

void Lifetime::Exit1Click() {
  AllowClose = true;
  Close();
}

void Lifetime::btnCloseClick() {
  if (AllowClose)
    Close();
  else
    icon_.HideApplication();
}

void Lifetime::FormCloseQuery(bool& CanClose) {
  if (AllowClose) {
    CanClose = true;
  } else {
    icon_.HideApplication();
    CanClose = false;
  }
}

void Lifetime::Close() {
  bool CanClose = true;
  FormCloseQuery(CanClose);
  if (!CanClose) return;
  // Told before the window goes: a box opened after it would close with the ending program.
  if (const std::exception_ptr failure = Ending(); failure && hooks_.reportFailure) {
    hooks_.reportFailure(WhatOf(failure));
  }
  app_.Destroy(window_);
}

// The settings first, so that what only they hold is kept even when the form state fails.
std::exception_ptr Lifetime::Ending() {
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

bool Lifetime::QueryEndSession() {
  // Whatever could not be saved, the log-off waits for nobody: a box now would hold it up.
  Ending();
  return true;
}

void Lifetime::EndSession(bool ending) {
  if (ending) app_.Destroy(window_);
}
