#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fake/FakePlatform.h"
#include "main/MainMenu.h"
#include "main/Notices.h"
#include "main/fmMagnifier.h"

namespace {

constexpr WindowId kMainWindow = 100;
constexpr WindowId kViewWindow = 101;
constexpr uint16_t kSpace = 0x20;

struct CommandFixture : ::testing::Test {
  FakePlatform platform;
  Tfrmmain form{platform};
  // Each writing of the settings stores the window's fifteen values.
  int SettingsWrites() const { return platform.settings.writes / 15; }

  CommandFixture() {
    form.AttachWindow(kMainWindow);
    form.imageview1().AttachWindow(kViewWindow);
    form.imageview1().WMSize(400, 300);
    platform.windows.windowRects[kMainWindow] = {2000, 2000, 2468, 2282};
  }
  void Choose(const char* name, std::span<const TMenuEntry> menu = mnuMainEntries()) {
    ASSERT_TRUE(RunMenuEntry(form, menu, IndexOfMenuEntry(menu, name))) << name;
  }
  // The names of the checked items among `names`.
  std::string Checked(std::initializer_list<const char*> names) {
    std::string checked;
    const auto menu = mnuMainEntries();
    for (const char* name : names) {
      const TMenuEntry& e = menu[IndexOfMenuEntry(menu, name)];
      if (e.Item != nullptr && (form.menu.*e.Item).Checked) checked += std::string(checked.empty() ? "" : " ") + name;
    }
    return checked;
  }
  void TickAt(Point pointer) {
    platform.screen.pointer = pointer;
    form.Timer1Timer();
  }
};

TEST_F(CommandFixture, OnlyTheCommandsThatChangeAStoredOptionWriteTheSettings) {
  const struct {
    const char* item;
    bool writes;
  } cases[] = {
      {"N60xpersecond1", true},
      {"Smoothen1", true},
      {"CfSepia1", true},
      {"FlipHorizontally1", true},
      {"FlipVertically1", true},
      {"Showcursor1", true},
      {"DrawCrossHair1", true},
      {"N10pixels1", true},
      {"NoGrid1", false},  // the stored spacing waits for the next write by another command
      {"DrawFixedGrid1", true},
      {"FlipwhenHovered1", true},
      {"FollowCaretPosition1", false},
      {"FixedLocation1", false},
      {"CopyImagetoClipboard1", false},
      {"Enabled1", false},
      {"ShowHideTitlebar1", false},
      {"ShowPanel1", true},
      {"StayOnTop1", true},
      {"MakeWindowTransparent1", true},
      {"Setdefaultwindowsize1", false},
      {"SetVirtualOrigin1", false},
      {"RGBValues1", true},
      {"HTMLCode1", true},
      {"Magnify8X1", true},
      {"Magnify05X1", true},
  };
  for (const auto& c : cases) {
    const int before = SettingsWrites();
    Choose(c.item);
    EXPECT_EQ(SettingsWrites() - before, c.writes ? 1 : 0) << c.item;
  }
  // Neither the list nor the wheel write: only the commands do.
  const int before = SettingsWrites();
  form.panel.ZoomListPicked(5);
  form.ApplicationEvents1Message(MouseWheel{120});
  EXPECT_EQ(SettingsWrites(), before);
}

TEST_F(CommandFixture, EveryCommandOfTheDisplayAndChromeItemsIsOffered) {
  const auto menu = mnuMainEntries();
  for (const char* name : {"Smoothen1",
                           "ColorFilter1",
                           "CfNone1",
                           "CfDaltonizeTritanopia1",
                           "FlipScreen1",
                           "FlipHorizontally1",
                           "FlipVertically1",
                           "Showcursor1",
                           "DrawCrossHair1",
                           "DrawGrid1",
                           "GridSpacing1",
                           "NoGrid1",
                           "N50pixels1",
                           "DrawFixedGrid1",
                           "ShowHideTitlebar1",
                           "ShowPanel1",
                           "StayOnTop1",
                           "MakeWindowTransparent1",
                           "Setdefaultwindowsize1",
                           "FlipwhenHovered1",
                           "FollowCaretPosition1",
                           "FixedLocation1",
                           "Enabled1"}) {
    EXPECT_TRUE(IsAvailable(menu, IndexOfMenuEntry(menu, name))) << name;
  }
}

TEST_F(CommandFixture, ShortcutsOfTheDisplayCommands) {
  const auto menu = mnuMainEntries();
  const struct {
    const char* item;
    const char* text;
  } cases[] = {
      {"CfInvert1", "Ctrl+Alt+I"},
      {"FlipHorizontally1", "Ctrl+Alt+H"},
      {"FlipVertically1", "Ctrl+Alt+V"},
      {"FlipwhenHovered1", "Ctrl+Alt+P"},
      {"FixedLocation1", "Ctrl+Alt+F"},
      {"Enabled1", "Ctrl+Alt+E"},
      {"CfSepia1", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ShortCutToText(menu[IndexOfMenuEntry(menu, c.item)].ShortCut), c.text);
}

TEST_F(CommandFixture, TogglesFlipTheirMarkAndTheViewPropertyTogether) {
  TImageView& v = form.imageview1();
  const struct {
    const char* item;
    std::function<bool()> property;
    bool initially;
  } cases[] = {
      {"Smoothen1", [&] { return v.Smoothen(); }, false},
      {"FlipHorizontally1", [&] { return v.FlipHorizontal(); }, false},
      {"FlipVertically1", [&] { return v.FlipVertical(); }, false},
      {"Showcursor1", [&] { return v.ShowCursor(); }, true},
      {"DrawCrossHair1", [&] { return v.DrawCross(); }, false},
      {"DrawFixedGrid1", [&] { return v.FixedGrid(); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    EXPECT_EQ(Checked({c.item}).empty(), !c.initially);
    Choose(c.item);
    EXPECT_EQ(Checked({c.item}).empty(), c.initially);
    EXPECT_EQ(c.property(), !c.initially);
    Choose(c.item);
    EXPECT_EQ(c.property(), c.initially);
  }
}

TEST_F(CommandFixture, ExactlyOneFilterIsChecked) {
  const auto filters = {"CfNone1",
                        "CfGrayscale1",
                        "CfSepia1",
                        "CfInvert1",
                        "CfProtanopia1",
                        "CfDeuteranopia1",
                        "CfTritanopia1",
                        "CfDaltonizeProtanopia1",
                        "CfDaltonizeDeuteranopia1",
                        "CfDaltonizeTritanopia1"};
  EXPECT_EQ(Checked(filters), "CfNone1");
  Choose("CfSepia1");
  Choose("CfInvert1");
  EXPECT_EQ(Checked(filters), "CfInvert1");
  EXPECT_EQ(form.imageview1().ColorFilterMode(), cfInvert);
  Choose("CfDaltonizeTritanopia1");
  EXPECT_EQ(form.imageview1().ColorFilterMode(), cfDaltonizeTritanopia);
}

TEST_F(CommandFixture, NoGridAfterTenPixelsStopsTheGridWithoutWriting) {
  const auto spacings = {"NoGrid1", "N1pixel1", "N5pixels1", "N10pixels1", "N20pixels1", "N50pixels1"};
  Choose("N10pixels1");
  EXPECT_EQ(form.imageview1().Gridlevel(), 10);
  EXPECT_EQ(Checked(spacings), "N10pixels1");
  const int writes = SettingsWrites();
  Choose("NoGrid1");
  EXPECT_EQ(form.imageview1().Gridlevel(), 0);
  EXPECT_EQ(form.display.pixlevel, 0);
  EXPECT_EQ(Checked(spacings), "NoGrid1");
  EXPECT_EQ(SettingsWrites(), writes);
}

TEST_F(CommandFixture, FixedLocationHoldsThePointAndThePositionLabelShowsIt) {
  platform.screen.pointer = {300, 200};
  Choose("FixedLocation1");
  TickAt({700, 500});
  TImageView& v = form.imageview1();
  // A 200 x 150 capture centred on (300, 200).
  EXPECT_EQ(v.ScreenLeft(), 200);
  EXPECT_EQ(v.ScreenTop(), 125);
  EXPECT_EQ(form.panel.lblPosition.Caption, "Position: 300, 200");

  Choose("FixedLocation1");
  platform.screen.pointer = {1000, 600};
  Choose("FixedLocation1");
  TickAt({10, 10});
  EXPECT_EQ(v.ScreenLeft(), 900);
  EXPECT_EQ(form.panel.lblPosition.Caption, "Position: 1000, 600");
}

TEST_F(CommandFixture, ThePositionLabelShowsTheCaretWhileFollowingIt) {
  platform.caret.automationFinds = true;
  platform.caret.automationCaret = {640, 480};
  Choose("FollowCaretPosition1");
  TickAt({10, 10});
  EXPECT_EQ(form.panel.lblPosition.Caption, "Position: 640, 480");
}

TEST_F(CommandFixture, CaretFollowingFromMenuOrButtonKeepsBothInStep) {
  Choose("FollowCaretPosition1");
  EXPECT_TRUE(form.tracking.followkey);
  EXPECT_TRUE(form.panel.btnType.Down);
  EXPECT_EQ(Checked({"FollowCaretPosition1"}), "FollowCaretPosition1");
  EXPECT_FALSE(form.imageview1().ShowCursor());

  form.panel.FollowCaretButtonClicked();
  EXPECT_FALSE(form.tracking.followkey);
  EXPECT_FALSE(form.panel.btnType.Down);
  EXPECT_EQ(Checked({"FollowCaretPosition1"}), "");
  EXPECT_TRUE(form.imageview1().ShowCursor()) << "back to Show Cursor";
}

TEST_F(CommandFixture, SpaceAloneSwitchesTheMagnifierOncePerPress) {
  const struct {
    uint16_t key;
    ShiftState shift;
    bool toggles;
  } cases[] = {
      {kSpace, {}, true},
      {kSpace, {true, false, false}, true},  // Shift+Space is still Space
      {kSpace, {false, true, false}, false},
      {kSpace, {false, false, true}, false},
      {kSpace, {false, true, true}, false},  // Ctrl+Alt+Space is "Stay On Top"
      {'A', {}, false},
  };
  for (const auto& c : cases) {
    const bool before = form.Timer1.Enabled();
    uint16_t key = c.key;
    form.FormKeyDown(key, c.shift);
    EXPECT_EQ(form.Timer1.Enabled(), c.toggles ? !before : before) << c.key;
    EXPECT_EQ(form.menu.Enabled1.Checked, form.Timer1.Enabled());
  }
}

TEST_F(CommandFixture, SwitchedOffTheCaptionAndThePanelSaySoUntilSwitchedOnAgain) {
  form.FormShow();
  TickAt({100, 100});
  ASSERT_EQ(platform.frame.captions[kMainWindow], "Glimmerlux 1.0");
  // By the menu and by Space, each way back on.
  for (const bool byKey : {false, true}) {
    SCOPED_TRACE(byKey ? "Space" : "On/Off");
    uint16_t space = kSpace;
    byKey ? form.FormKeyDown(space, {}) : Choose("Enabled1");
    EXPECT_EQ(platform.frame.captions[kMainWindow], "Glimmerlux 1.0 - Off");
    EXPECT_EQ(form.panel.lblPosition.Caption, "Off - press Space");
    space = kSpace;
    byKey ? form.FormKeyDown(space, {}) : Choose("Enabled1");
    EXPECT_EQ(platform.frame.captions[kMainWindow], "Glimmerlux 1.0");
    TickAt({120, 110});
    EXPECT_EQ(form.panel.lblPosition.Caption, "Position: 120, 110");
  }
}

TEST_F(CommandFixture, OnOffCommandFollowsItsMark) {
  Choose("Enabled1");
  EXPECT_FALSE(form.Timer1.Enabled());
  EXPECT_FALSE((platform.windows.timers[{kMainWindow, kTimer1Id}].running));
  Choose("Enabled1");
  EXPECT_TRUE(form.Timer1.Enabled());
}

TEST_F(CommandFixture, ATypedCharacterLeavesTheFollowCaretButtonAlone) {
  for (char32_t key : {U' ', U'a', U'I'}) form.FormKeyPress(key);
  EXPECT_FALSE(form.panel.btnType.Down);
  EXPECT_FALSE(form.tracking.followkey);
}

TEST_F(CommandFixture, ACommandChosenFromAMenuActsWhereThePointerWasAsTheMenuOpened) {
  // The desktop's #FAC840 under the pointer, as the colour check and the readout see it.
  platform.screen.PaintDesktop([](int, int) { return 0x00FAC840u; });
  TickAt({100, 100});
  form.imageview1().Paint();
  TickAt({100, 100});
  ASSERT_EQ(form.panel.pnlColor.Caption, "RGB : 250,200,64");
  form.commandPoint.Hold();
  form.commandPoint.MenuShown();
  // The pointer goes onto the menu item, over the menu's own highlight.
  platform.screen.PaintDesktop([](int, int) { return 0x003096FAu; });
  TickAt({150, 120});
  form.imageview1().Paint();
  TickAt({150, 120});
  EXPECT_EQ(form.panel.lblPosition.Caption, "Position: 100, 100");
  // A notice of the menu loop from the system nests inside.
  form.commandPoint.MenuShown();
  form.commandPoint.MenuHidden();
  EXPECT_TRUE(form.commandPoint.MenuOpen());
  // The menu is gone; its command runs.
  form.commandPoint.MenuHidden();
  Choose("CopyColortoClipboard2", mnuColorDisplayEntries());
  EXPECT_EQ(platform.clipboard.text, "RGB : 250,200,64");
  Choose("mnuCopyCoord1", mnuCopyCoordEntries());
  EXPECT_EQ(platform.clipboard.text, "Position: 100, 100");
  Choose("PickForegroundColor1");
  EXPECT_EQ(form.colorCheck.Picks().foreground, ColorRef{0x0040C8FA});
  Choose("SetVirtualOrigin1");
  EXPECT_EQ(std::pair(form.readouts.virtx, form.readouts.virty), std::pair(100, 100));
  Choose("FixedLocation1");
  EXPECT_EQ(std::pair(form.tracking.memX, form.tracking.memY), std::pair(100, 100));
  Choose("FixedLocation1");
  // A menu opened from within that command (the tray's, say) takes its own moment and gives the
  // first one back.
  platform.screen.pointer = {130, 125};
  form.commandPoint.Hold();
  Choose("SetVirtualOrigin1");
  EXPECT_EQ(std::pair(form.readouts.virtx, form.readouts.virty), std::pair(130, 125));
  form.commandPoint.Release();
  Choose("SetVirtualOrigin1");
  EXPECT_EQ(std::pair(form.readouts.virtx, form.readouts.virty), std::pair(100, 100));
  form.commandPoint.Release();

  // Once the menu is gone the readouts follow again from the origin it set, and a key acts
  // where the pointer is.
  TickAt({150, 120});
  EXPECT_EQ(form.panel.lblPosition.Caption, "Position: 50, 20");
  Choose("PickBackgroundColor1");
  EXPECT_EQ(form.colorCheck.Picks().background, ColorRef{0x00FA9630});
}

TEST_F(CommandFixture, ABusyClipboardIsReportedAndNothingClaimsACopy) {
  TickAt({100, 100});
  form.imageview1().Paint();
  platform.clipboard.text = "what the user had";
  platform.clipboard.available = false;
  for (const auto& [name, menu] : {std::pair{"CopyImagetoClipboard1", mnuMainEntries()},
                                   std::pair{"CopyColortoClipboard2", mnuColorDisplayEntries()},
                                   std::pair{"mnuCopyCoord1", mnuCopyCoordEntries()}}) {
    platform.messages.shown.clear();
    Choose(name, menu);
    EXPECT_EQ(platform.messages.shown, std::vector<std::string>{kClipboardBusyText}) << name;
  }
  EXPECT_EQ(platform.clipboard.text, "what the user had");

  platform.clipboard.available = true;
  platform.messages.shown.clear();
  Choose("CopyImagetoClipboard1");
  EXPECT_TRUE(platform.messages.shown.empty()) << "a picture copy tells nothing";
  ASSERT_NE(platform.clipboard.bitmap, nullptr);
}

// A caret lookup that pumps messages can deliver the next timer message inside a tick.
class ReenteringCaret : public FakeCaret {
 public:
  std::function<void()> duringLookup;
  bool CaretFromAutomation(Point& caret) override {
    if (duringLookup) duringLookup();
    return FakeCaret::CaretFromAutomation(caret);
  }
};

TEST(TrackingTickGuard, ATickNeverStartsInsideAnother) {
  FakePlatform platform;
  ReenteringCaret caret;
  PlatformServices services = platform;
  PlatformServices withCaret{
      services.screen,   services.windows,  services.frame,   services.monitors,    caret,         services.clipboard,
      services.messages, services.settings, services.startup, services.programFile, services.tray, services.app,
      services.hotKeys,  services.internet, services.shell,   services.workers};
  Tfrmmain form{withCaret};
  form.AttachWindow(kMainWindow);
  form.imageview1().WMSize(400, 300);
  caret.duringLookup = [&] { form.Timer1Timer(); };
  form.FollowCaretPosition1Click();
  form.Timer1Timer();
  EXPECT_EQ(caret.automationLookups, 1);
}

}  // namespace
