#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <span>
#include <string>

#include "fake/CountingSurfaces.h"
#include "fake/FakePlatform.h"
#include "fake/MenuMarks.h"
#include "main/MainMenu.h"
#include "main/fmMagnifier.h"

// The windows the host gives the form and its view.
inline constexpr WindowId kMainWindow = 100;
inline constexpr WindowId kViewWindow = 101;

// Runs a menu command as choosing its item would; an item that does not run fails the test.
inline void ChooseMenuItem(Tfrmmain& form, const char* name, std::span<const MenuEntry> menu = mnuMainEntries()) {
  ASSERT_TRUE(RunMenuEntry(form, menu, IndexOfMenuEntry(menu, name))) << name;
}

// The real main window over the fake platform, only constructed: each test takes it through
// the host's steps it needs (AttachWindow, FormCreate, RestoreFormState, FormShow, the view's
// window) in the host's order, since what a step finds depends on the ones before it.
class FormFixture {
  // Declared first, so a platform of the fixture's own is made before and gone after the form.
  std::unique_ptr<FakePlatform> ownPlatform_;

 public:
  FormFixture() : ownPlatform_(std::make_unique<FakePlatform>()), platform(*ownPlatform_), form(platform, surfaces) {}
  // On a platform that outlives the form: the next start finds the store the last one left.
  explicit FormFixture(FakePlatform& shared) : platform(shared), form(platform, surfaces) {}

  FakePlatform& platform;
  CountingSurfaces surfaces;
  Tfrmmain form;

  // The main window as the host creates it: shown, attached, then FormCreate.
  void Create(WindowId window = kMainWindow) {
    platform.frame.visible = true;
    form.AttachWindow(window);
    form.FormCreate();
  }
  // The form state restored before the first show, as the window does when it is first shown.
  void RestoreAndShow() {
    form.RestoreFormState();
    form.FormShow();
  }
  // The view's own window, at this client size.
  void AttachView(int width = 400, int height = 300) {
    form.imageview1().AttachWindow(kViewWindow);
    form.imageview1().WMSize(width, height);
  }

  void Choose(const char* name, std::span<const MenuEntry> menu = mnuMainEntries()) {
    ChooseMenuItem(form, name, menu);
  }
  // False when the item did not run (greyed, or without a handler).
  bool Runs(const char* name, std::span<const MenuEntry> menu = mnuMainEntries()) {
    return RunMenuEntry(form, menu, IndexOfMenuEntry(menu, name));
  }
  // What a person sees of the program: "window button icon" when shown, "button icon" when
  // minimised, "icon" in the tray, "ended".
  std::string Presence() {
    const FakeAppWindow::State& s = platform.app.states[kMainWindow];
    if (s.destroyed) return "ended";
    std::string seen;
    if (!s.minimized) seen += "window ";
    if (s.taskbarButton) seen += "button ";
    if (platform.tray.Shows(kMainWindow)) seen += "icon ";
    if (!seen.empty()) seen.pop_back();
    return seen;
  }
  // One tick of the tracking timer with the pointer there.
  void TickAt(Point pointer) {
    platform.screen.pointer = pointer;
    form.Timer1Timer();
  }
};
