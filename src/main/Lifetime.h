#pragma once

#include <exception>
#include <functional>
#include <string>

#include "main/MenuItems.h"
#include "main/TrayIcon.h"
#include "platform/AppWindow.h"
#include "platform/WindowFrame.h"

// Whether a close request ends the program or hides it to the tray, the show/hide command
// and the end of the session.
class Lifetime {
 public:
  struct Hooks {
    std::function<void()> writeSettings;
    std::function<void()> saveFormState;
    // Tells the user what could not be saved as the program ends.
    std::function<void(const std::string&)> reportFailure;
  };
  Lifetime(TrayIcon& icon, AppWindow& app, WindowFrame& frame, const WindowId& window, TMainMenuItems& items,
               Hooks hooks)
      : icon_(icon), app_(app), frame_(frame), window_(window), items_(items), hooks_(std::move(hooks)) {}

  // When false, a close request hides the program to the tray instead of ending it.
  bool AllowClose = false;
  // "/allowclose" and "/notray": closing ends the program for the rest of the run, whatever
  // later shows of the window and "Stay in System Tray" say.
  void ForceAllowClose();
  // The first step of every show of the window.
  void FormShow() { AllowClose = forcedAllowClose_ || !items_.StayinSystemTray1.Checked; }

  void StayinSystemTray1Click();
  void ShowHideProgram1Click();
  void Exit1Click();
  void btnCloseClick();
  void FormCloseQuery(bool& CanClose);
  // Every close request of the window: the program ends if that is allowed, else it hides.
  // An error while saving is told, and the program still ends as asked.
  void Close();

  // The window test: on screen, neither hidden to the tray nor minimised.
  bool ProgramShown();
  // Hides a shown program, brings back a hidden one.
  void ToggleProgram();

  // A log-off or shut-down is never refused; what the program keeps is saved while it can be.
  bool QueryEndSession();
  void EndSession(bool ending);

 private:
  // Runs every saving step whatever an earlier one threw; the first error, if any.
  std::exception_ptr Ending();

  TrayIcon& icon_;
  AppWindow& app_;
  WindowFrame& frame_;
  const WindowId& window_;
  TMainMenuItems& items_;
  Hooks hooks_;
  bool forcedAllowClose_ = false;
};
