#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "fake/FakePlatform.h"
#include "main/MainMenu.h"
#include "main/fmMagnifier.h"

namespace {

constexpr WindowId kMainWindow = 100;
constexpr WindowId kViewWindow = 101;

// A first start as the host runs it: created, then shown once.
struct TrayProgram {
  FakePlatform platform;
  Tfrmmain form{platform};

  TrayProgram() { Start(); }
  void Start() {
    platform.frame.visible = true;
    form.AttachWindow(kMainWindow);
    form.FormCreate();
    form.FormShow();
    platform.settings.Clear();
    platform.app.calls.clear();
  }
  void Choose(const char* name) {
    ASSERT_TRUE(RunMenuEntry(form, mnuMainEntries(), IndexOfMenuEntry(mnuMainEntries(), name))) << name;
  }
  void ClickIcon() {
    form.JvTrayIcon1.IconLeftDown();
    form.JvTrayIcon1.IconLeftUp();
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
  bool SettingsWritten() const { return platform.settings.Has("Pixlevel"); }
  bool FormStateSaved() const { return platform.settings.Has("FormVersion"); }
  FakeWindowing::TimerState RetryTimer() { return platform.windows.timers[{kMainWindow, kTrayRetryTimerId}]; }
};

struct TrayFixture : ::testing::Test, TrayProgram {};

struct Event {
  const char* name;
  std::function<void(TrayProgram&)> run;
};

const Event kClickOnIcon{"left click on the icon", [](TrayProgram& f) { f.ClickIcon(); }};
const Event kShowHideCommand{"show/hide command", [](TrayProgram& f) { f.Choose("ShowHideProgram1"); }};
const Event kHotKey{"hot key", [](TrayProgram& f) { f.form.WMHotKey(); }};
const Event kMinimiseBox{"minimise box", [](TrayProgram& f) { EXPECT_TRUE(f.form.JvTrayIcon1.MinimizeCommand()); }};
const Event kCloseBox{"close box", [](TrayProgram& f) { f.form.Close(); }};
const Event kCloseButton{"close button", [](TrayProgram& f) { f.form.panel.CloseButtonClicked(); }};
const Event kExit{"Exit", [](TrayProgram& f) { f.Choose("Exit1"); }};

TEST_F(TrayFixture, StartsShownWithTheIconTippedGlimmerlux) {
  EXPECT_EQ(Presence(), "window button icon");
  EXPECT_EQ(platform.tray.icons[kMainWindow], "Glimmerlux");
  EXPECT_FALSE(form.lifetime.AllowClose);
  EXPECT_TRUE(form.menu.StayinSystemTray1.Checked);
}

TEST(TrayStates, EveryEventLeadsWhereThePersonExpects) {
  const struct {
    Event event;
    const char* fromShown;
    const char* fromTray;
  } cases[] = {
      {kClickOnIcon, "icon", "window button icon"},
      {kShowHideCommand, "icon", "window button icon"},
      {kHotKey, "icon", "window button icon"},
      {kMinimiseBox, "icon", "icon"},
      {kCloseBox, "icon", "icon"},
      {kCloseButton, "icon", "icon"},
      {kExit, "ended", "ended"},
  };
  for (const auto& c : cases) {
    TrayProgram shown;
    c.event.run(shown);
    EXPECT_EQ(shown.Presence(), c.fromShown) << c.event.name << " while shown";

    TrayProgram inTray;
    inTray.form.HideApplication();
    c.event.run(inTray);
    EXPECT_EQ(inTray.Presence(), c.fromTray) << c.event.name << " while in the tray";
  }
}

TEST_F(TrayFixture, HidingMinimisesThenDropsTheButtonAndShowingReversesIt) {
  form.HideApplication();
  form.ShowApplication();
  EXPECT_EQ(platform.app.calls, "minimize nobutton button restore");
  // Already shown: the button is put back, nothing is restored.
  form.ShowApplication();
  EXPECT_EQ(platform.app.calls, "minimize nobutton button restore button");
}

TEST_F(TrayFixture, TheIconTogglesOnTheReleaseAndADoubleClickOnlyOnce) {
  form.JvTrayIcon1.IconLeftDown();
  EXPECT_EQ(Presence(), "window button icon") << "nothing on the press";
  form.JvTrayIcon1.IconLeftUp();
  EXPECT_EQ(Presence(), "icon");
  // A double click: press, release, the double-click message (no press), release.
  form.JvTrayIcon1.IconLeftDown();
  form.JvTrayIcon1.IconLeftUp();
  form.JvTrayIcon1.IconLeftUp();
  EXPECT_EQ(Presence(), "window button icon");
}

TEST_F(TrayFixture, HiddenToTrayKeepsTicking) {
  form.imageview1().AttachWindow(kViewWindow);
  form.imageview1().WMSize(400, 300);
  platform.screen.virtualScreen = {0, 0, 1920, 1080};
  form.HideApplication();
  platform.screen.pointer = {960, 540};
  form.Timer1Timer();
  EXPECT_EQ(form.imageview1().ScreenLeft(), 860);
  EXPECT_EQ(form.imageview1().ScreenTop(), 465);
  form.ShowApplication();
  EXPECT_TRUE(form.Visible);
}

TEST_F(TrayFixture, OnlyTheShowHideCommandSavesTheFormStateAndTheTrayWritesNothing) {
  const struct {
    Event event;
    bool savesFormState;
  } cases[] = {{kShowHideCommand, true}, {kShowHideCommand, true}, {kHotKey, false},      {kHotKey, false},
               {kClickOnIcon, false},    {kClickOnIcon, false},    {kMinimiseBox, false}, {kCloseBox, false}};
  for (const auto& c : cases) {
    platform.settings.Clear();
    c.event.run(*this);
    EXPECT_EQ(FormStateSaved(), c.savesFormState) << c.event.name;
    EXPECT_FALSE(SettingsWritten()) << c.event.name;
  }
}

TEST_F(TrayFixture, StayInSystemTrayDecidesWhetherClosingEnds) {
  Choose("StayinSystemTray1");
  EXPECT_FALSE(form.menu.StayinSystemTray1.Checked);
  EXPECT_TRUE(form.lifetime.AllowClose);
  Choose("StayinSystemTray1");
  EXPECT_FALSE(form.lifetime.AllowClose);
  EXPECT_FALSE(SettingsWritten()) << "the mark is kept with the form state, later";

  // Every show starts from the mark again.
  form.lifetime.AllowClose = true;
  form.FormShow();
  EXPECT_FALSE(form.lifetime.AllowClose);
  form.menu.StayinSystemTray1.Checked = false;
  form.FormShow();
  EXPECT_TRUE(form.lifetime.AllowClose);
}

TEST(TrayClosing, AnAllowedCloseWritesTheSettingsSavesTheFormStateAndEnds) {
  for (const Event& close : {kCloseBox, kCloseButton}) {
    TrayProgram f;
    f.Choose("StayinSystemTray1");
    close.run(f);
    EXPECT_EQ(f.Presence(), "ended") << close.name;
    EXPECT_TRUE(f.SettingsWritten()) << close.name;
    EXPECT_TRUE(f.FormStateSaved()) << close.name;
  }
  // Exit ends from the tray too, whatever the mark says.
  TrayProgram f;
  f.form.HideApplication();
  f.Choose("Exit1");
  EXPECT_EQ(f.Presence(), "ended");
  EXPECT_TRUE(f.form.lifetime.AllowClose);
  EXPECT_TRUE(f.FormStateSaved());
}

TEST(TrayClosing, AnErrorWhileSavingIsToldWhileTheRestIsStillSavedAndTheProgramEnds) {
  // The first value the settings write, and the form state's own.
  for (const char* failing : {"ColorFilterMode", "FormVersion"}) {
    SCOPED_TRACE(failing);
    TrayProgram f;
    f.Choose("StayinSystemTray1");
    f.platform.settings.throwOnWriteOf = failing;
    f.form.Close();
    EXPECT_EQ(f.Presence(), "ended");
    EXPECT_EQ(f.SettingsWritten(), std::string(failing) != "ColorFilterMode");
    EXPECT_EQ(f.FormStateSaved(), std::string(failing) != "FormVersion");
    using Box = std::pair<MessageType, std::string>;
    const std::vector<Box> told{
        {MessageType::mtError,
         "Glimmerlux could not save its settings as it ended: cannot write " + std::string(failing)}};
    EXPECT_EQ(f.platform.messages.boxes, told);
  }
  // A log-off is never refused nor held up by a notice.
  TrayProgram f;
  f.platform.settings.throwOnWriteOf = "ColorFilterMode";
  EXPECT_TRUE(f.form.QueryEndSession());
  EXPECT_TRUE(f.FormStateSaved());
  EXPECT_TRUE(f.platform.messages.boxes.empty());
  // The tray rule: with "Stay in System Tray" on, a close hides and saves nothing that could fail.
  TrayProgram hidden;
  hidden.platform.settings.throwOnWriteOf = "ColorFilterMode";
  hidden.form.Close();
  EXPECT_EQ(hidden.Presence(), "icon");
  EXPECT_TRUE(hidden.platform.messages.boxes.empty());
}

TEST_F(TrayFixture, CloseQueryHidesUnlessClosingIsAllowed) {
  bool CanClose = true;
  form.FormCloseQuery(CanClose);
  EXPECT_FALSE(CanClose);
  EXPECT_EQ(Presence(), "icon");
  form.lifetime.AllowClose = true;
  form.FormCloseQuery(CanClose);
  EXPECT_TRUE(CanClose);
  EXPECT_EQ(Presence(), "icon") << "the query alone ends nothing";
}

TEST_F(TrayFixture, ALogOffIsNeverRefusedAndSavesEverythingFirst) {
  ASSERT_FALSE(form.lifetime.AllowClose);
  EXPECT_TRUE(form.QueryEndSession());
  EXPECT_TRUE(SettingsWritten());
  EXPECT_TRUE(FormStateSaved());
  EXPECT_EQ(Presence(), "window button icon") << "not hidden to the tray";
  form.EndSession(false);
  EXPECT_EQ(Presence(), "window button icon") << "someone else cancelled the log-off";
  form.EndSession(true);
  EXPECT_EQ(Presence(), "ended");
}

TEST(TrayWindowTest, OnlyAWindowVisibleAndNotMinimisedCountsAsShown) {
  const struct {
    bool visible, minimized, shown;
  } cases[] = {{true, false, true}, {true, true, false}, {false, false, false}, {false, true, false}};
  for (const auto& c : cases) {
    TrayProgram f;
    f.platform.frame.visible = c.visible;
    f.platform.app.states[kMainWindow].minimized = c.minimized;
    EXPECT_EQ(f.form.lifetime.ProgramShown(), c.shown) << c.visible << c.minimized;
  }
}

TEST_F(TrayFixture, ShowHideAndTheHotKeyBringBackAProgramWhoseWindowKeepsItsVisibleFlag) {
  // In the tray the window still counts as visible to the system here; the show/hide
  // command must bring it back rather than hide it again.
  ClickIcon();
  ASSERT_TRUE(platform.frame.visible);
  Choose("ShowHideProgram1");
  EXPECT_EQ(Presence(), "window button icon");
  ClickIcon();
  form.WMHotKey();
  EXPECT_EQ(Presence(), "window button icon");
}

struct RefusedIcon : TrayFixture {
  RefusedIcon() {
    platform.tray.accepts = false;
    form.AttachWindow(0);
    Start();
  }
  bool Retrying() { return RetryTimer().running; }
};

TEST_F(RefusedIcon, WithoutAnIconHidingOnlyMinimisesAndEverythingBringsItBack) {
  EXPECT_FALSE(form.JvTrayIcon1.Present());
  for (const Event& hide : {kShowHideCommand, kHotKey, kCloseBox, kClickOnIcon, kMinimiseBox}) {
    form.ShowApplication();
    hide.run(*this);
    EXPECT_EQ(Presence(), "button") << hide.name << ": the taskbar button is the way back";
  }
  for (const Event& show : {kShowHideCommand, kHotKey}) {
    form.HideApplication();
    show.run(*this);
    EXPECT_EQ(Presence(), "window button") << show.name;
  }
}

TEST_F(RefusedIcon, TheIconIsTriedAgainEverySecondForAMinute) {
  EXPECT_TRUE(Retrying());
  EXPECT_EQ(RetryTimer().interval, 1000u);
  const int first = platform.tray.addAttempts;
  for (int i = 0; i < 59; ++i) form.JvTrayIcon1.RetryTimer();
  EXPECT_TRUE(Retrying());
  form.JvTrayIcon1.RetryTimer();
  EXPECT_FALSE(Retrying()) << "sixty tries, then the shell's own TaskbarCreated is the hope";
  EXPECT_EQ(platform.tray.addAttempts - first, 60);

  // A shell that starts later announces its taskbar, and takes the icon.
  platform.tray.accepts = true;
  form.JvTrayIcon1.TaskbarCreated();
  EXPECT_TRUE(form.JvTrayIcon1.Present());
  EXPECT_EQ(Presence(), "window button icon");
}

TEST_F(RefusedIcon, ABusyShellTakesTheIconOnALaterTry) {
  form.JvTrayIcon1.RetryTimer();
  EXPECT_FALSE(form.JvTrayIcon1.Present());
  platform.tray.accepts = true;
  form.JvTrayIcon1.RetryTimer();
  EXPECT_TRUE(form.JvTrayIcon1.Present());
  EXPECT_FALSE(Retrying());
  ClickIcon();
  EXPECT_EQ(Presence(), "icon") << "with the icon there, hiding goes all the way to the tray";
}

TEST_F(TrayFixture, ARecreatedTaskbarGetsTheIconAgain) {
  const int before = platform.tray.addAttempts;
  form.JvTrayIcon1.TaskbarCreated();
  EXPECT_EQ(platform.tray.addAttempts, before + 1);
  EXPECT_EQ(Presence(), "window button icon");
}

TEST_F(TrayFixture, AnIconLostWhileInTheTrayBringsTheTaskbarButtonBack) {
  form.HideApplication();
  ASSERT_EQ(Presence(), "icon");
  platform.tray.accepts = false;
  form.JvTrayIcon1.TaskbarCreated();
  EXPECT_EQ(Presence(), "button");
  // Taking the icon away on purpose does the same.
  TrayProgram other;
  other.form.HideApplication();
  other.form.JvTrayIcon1.SetActive(false);
  EXPECT_EQ(other.Presence(), "button");
}

TEST_F(TrayFixture, TheIconGoesWithItsWindowWithoutShowingAnything) {
  form.HideApplication();
  platform.app.calls.clear();
  form.AttachWindow(0);
  EXPECT_TRUE(platform.tray.icons.empty());
  EXPECT_EQ(platform.app.calls, "");
}

TEST(TrayTip, ThePartOfTheHintBeforeABar) {
  FakePlatform platform;
  Tfrmmain form{platform};
  const struct {
    const char* hint;
    const char* tip;
  } cases[] = {{"Glimmerlux", "Glimmerlux"}, {"Glimmerlux|long hint", "Glimmerlux"}, {"|x", ""}};
  for (const auto& c : cases) {
    form.JvTrayIcon1.Hint = c.hint;
    EXPECT_EQ(form.JvTrayIcon1.Tip(), c.tip) << c.hint;
  }
}

}  // namespace
