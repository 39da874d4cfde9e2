#include <gtest/gtest.h>

#include <string>

#include "app/ProgramStart.h"
#include "fake/FakePlatform.h"
#include "main/MainMenu.h"

namespace {

constexpr WindowId kMainWindow = 100;

// A start as the entry runs it: the window created and shown once, then the switches.
struct Start {
  FakePlatform platform;
  Tfrmmain form{platform};

  explicit Start(StartupSwitches switches, bool transparentChecked = false) {
    platform.frame.visible = true;
    form.AttachWindow(kMainWindow);
    form.FormCreate();
    form.menu.MakeWindowTransparent1.Checked = transparentChecked;
    form.FormShow();
    ApplyStartupSwitches(form, switches);
  }
  void Choose(const char* name) {
    ASSERT_TRUE(RunMenuEntry(form, mnuMainEntries(), IndexOfMenuEntry(mnuMainEntries(), name))) << name;
  }
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
};

StartupSwitches Transparent(int32_t value) { return {false, false, false, value}; }

TEST(ProgramStart, TheTransparencySwitchSetsTheAlphaButNeverZero) {
  const struct {
    int32_t value;
    int32_t transparency;
    int alpha;
  } cases[] = {
      {-1, 160, 160},  {-5, 160, 160},  {0, 160, 160},  {1, 1, 1},       {120, 120, 120},
      {255, 255, 255}, {256, 255, 255}, {300, 300, 44}, {512, 255, 255}, {0x1FF, 0x1FF, 255},
  };
  for (const auto& c : cases) {
    Start start(Transparent(c.value), true);
    EXPECT_EQ(start.form.chrome.Transparency, c.transparency) << c.value;
    EXPECT_EQ(start.platform.frame.opacity[kMainWindow], c.alpha) << c.value;
  }
}

TEST(ProgramStart, SwitchesDecideTheIconClosingAndWhereTheProgramStarts) {
  const struct {
    const char* name;
    StartupSwitches switches;
    const char* presence;
    bool allowClose;
  } cases[] = {
      {"none", {}, "window button icon", false},
      {"/autostart", {false, true, false, -1}, "icon", false},
      {"/notray", {false, false, true, -1}, "window button", true},
      {"/notray /autostart", {false, true, true, -1}, "window button", true},
      {"/allowclose", {true, false, false, -1}, "window button icon", true},
      {"/allowclose /autostart", {true, true, false, -1}, "icon", true},
  };
  for (const auto& c : cases) {
    Start start(c.switches);
    EXPECT_EQ(start.Presence(), c.presence) << c.name;
    EXPECT_EQ(start.form.lifetime.AllowClose, c.allowClose) << c.name;
  }
}

TEST(ProgramStart, AStartInTheTrayHasItsSettingsAppliedFirst) {
  Start start({false, true, false, -1});
  EXPECT_EQ(start.platform.frame.opacity[kMainWindow], 255) << "the show set the window up";
  EXPECT_EQ(start.platform.app.calls, "minimize nobutton");
  start.form.JvTrayIcon1.IconLeftDown();
  start.form.JvTrayIcon1.IconLeftUp();
  EXPECT_EQ(start.Presence(), "window button icon");
}

TEST(ProgramStart, ForcedClosingHoldsAcrossLaterShowsAndTheTrayOption) {
  for (const StartupSwitches& forced :
       {StartupSwitches{true, false, false, -1}, StartupSwitches{false, false, true, -1}}) {
    Start start(forced);
    ASSERT_TRUE(start.form.menu.StayinSystemTray1.Checked);
    start.form.FormShow();
    EXPECT_TRUE(start.form.lifetime.AllowClose);
    start.Choose("StayinSystemTray1");
    start.Choose("StayinSystemTray1");
    EXPECT_TRUE(start.form.lifetime.AllowClose);
    start.form.Close();
    EXPECT_EQ(start.Presence(), "ended");
  }
}

TEST(ProgramStart, WithoutTrayTheProgramCanNeverBeLost) {
  Start start({false, false, true, -1});
  // Hiding leaves the taskbar button, which brings it back; closing ends it.
  start.Choose("ShowHideProgram1");
  EXPECT_EQ(start.Presence(), "button");
  start.Choose("ShowHideProgram1");
  EXPECT_EQ(start.Presence(), "window button");
  start.form.FormShow();
  start.form.Close();
  EXPECT_EQ(start.Presence(), "ended");
}

}  // namespace
