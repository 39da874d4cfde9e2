#include "main/TrayIcon.h"

#include "platform/AppWindow.h"
#include "platform/Tray.h"

TrayIcon::TrayIcon(Tray& tray, AppWindow& app, Windowing& windows)
    : tray_(tray), app_(app), retry_(windows, kTrayRetryTimerId, kTrayRetryIntervalMs) {
  retry_.SetEnabled(false);
}

std::string TrayIcon::Tip() const { return Hint.substr(0, Hint.find('|')); }

void TrayIcon::AttachWindow(WindowId window) {
  if (window_ != 0 && present_) tray_.RemoveIcon(window_);
  present_ = false;
  buttonHidden_ = false;
  retry_.SetEnabled(false);
  retry_.AttachWindow(window);
  window_ = window;
  retriesLeft_ = kTrayRetries;
  if (window_ != 0 && active_) AddIcon();
}

void TrayIcon::SetActive(bool on) {
  if (on == active_) return;
  active_ = on;
  retriesLeft_ = kTrayRetries;
  if (window_ == 0) return;
  if (on) {
    AddIcon();
  } else {
    RemoveIcon();
    IconLost();
  }
}

void TrayIcon::AddIcon() {
  present_ = tray_.AddIcon(window_, Tip());
  retry_.SetEnabled(!present_ && retriesLeft_ > 0);
  if (!present_) IconLost();
}

void TrayIcon::RemoveIcon() {
  retry_.SetEnabled(false);
  if (present_) tray_.RemoveIcon(window_);
  present_ = false;
}

// The program must never be left without a way back: with the icon gone, the taskbar button returns.
void TrayIcon::IconLost() {
  if (!buttonHidden_) return;
  app_.ShowTaskbarButton(window_, true);
  buttonHidden_ = false;
}

void TrayIcon::RetryTimer() {
  if (!active_ || present_ || window_ == 0 || retriesLeft_ <= 0) {
    retry_.SetEnabled(false);
    return;
  }
  --retriesLeft_;
  AddIcon();
}

void TrayIcon::TaskbarCreated() {
  if (!active_ || window_ == 0) return;
  RemoveIcon();
  retriesLeft_ = kTrayRetries;
  AddIcon();
}

void TrayIcon::SetVisibility(uint32_t options) {
  const bool wasOnTaskbar = (visibility_ & tvVisibleTaskBar) != 0;
  const bool onTaskbar = (options & tvVisibleTaskBar) != 0;
  visibility_ = options;
  if (wasOnTaskbar && !onTaskbar) HideApplication();
  if (!wasOnTaskbar && onTaskbar) ShowApplication();
}

bool TrayIcon::ApplicationVisible() { return !app_.IsMinimized(window_); }

void TrayIcon::HideApplication() {
  if (ApplicationVisible()) app_.Minimize(window_);
  // Without an icon to come back by, the taskbar button is the way back and stays.
  if (present_) {
    app_.ShowTaskbarButton(window_, false);
    buttonHidden_ = true;
  }
  visibility_ &= ~tvVisibleTaskBar;
}

void TrayIcon::ShowApplication() {
  visibility_ |= tvVisibleTaskBar;
  app_.ShowTaskbarButton(window_, true);
  buttonHidden_ = false;
  if (!ApplicationVisible()) app_.Restore(window_);
}

void TrayIcon::IconLeftUp() {
  if (!leftPressed_) return;
  leftPressed_ = false;
  if (OnClick && OnClick()) return;
  if (ApplicationVisible()) {
    if ((visibility_ & tvMinimizeClick) != 0) HideApplication();
  } else if ((visibility_ & tvRestoreClick) != 0) {
    ShowApplication();
  }
}

bool TrayIcon::MinimizeCommand() {
  if ((visibility_ & tvAutoHide) == 0 || !active_) return false;
  HideApplication();
  return true;
}
