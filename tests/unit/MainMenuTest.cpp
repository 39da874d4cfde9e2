#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "fake/FakePlatform.h"
#include "main/MainMenu.h"
#include "main/fmMagnifier.h"

namespace {

// The submenus that colour vision, sampling and the contrast check add to the program's own.
bool IsAddition(std::string_view name) {
  return name == "ColorVision1" || name == "SampleSize1" || name == "ContrastCheck1";
}

std::string TopLevelNames(std::span<const TMenuEntry> menu, bool withAdditions = false) {
  std::string names;
  for (const TMenuEntry& e : menu) {
    if (e.Depth != 0 || (!withAdditions && IsAddition(e.Name))) continue;
    names += std::string(names.empty() ? "" : " ") + (e.IsSeparator() ? "-" : e.Name);
  }
  return names;
}

TEST(MainMenuTable, HoldsTheThirtyFourItemsInOrder) {
  EXPECT_EQ(TopLevelNames(mnuMainEntries()),
            "ZoomLevel1 UpdateFrequency1 Smoothen1 ColorFilter1 FlipScreen1 - Showcursor1 DrawCrossHair1 DrawGrid1 "
            "ColorDisplay1 - ShowHideTitlebar1 ShowPanel1 StayOnTop1 MakeWindowTransparent1 Setdefaultwindowsize1 "
            "FlipwhenHovered1 - FollowCaretPosition1 FixedLocation1 SetVirtualOrigin1 - CopyImagetoClipboard1 - "
            "Enabled1 ShowHideProgram1 StayinSystemTray1 RunonStartup1 - CheckforUpdates1 "
            "VisitTarnwellSoftwareWebsite1 ShowHelpfile1 AboutGlimmerlux1 Exit1");
}

TEST(MainMenuTable, AdditionsSitBesideWhatTheyExtend) {
  const std::string names = TopLevelNames(mnuMainEntries(), true);
  EXPECT_NE(names.find("ColorFilter1 ColorVision1 FlipScreen1"), std::string::npos) << names;
  EXPECT_NE(names.find("ColorDisplay1 SampleSize1 ContrastCheck1 -"), std::string::npos) << names;
}

TEST(MainMenuTable, NoTwoItemsShareAShortcut) {
  std::set<std::string> seen;
  for (const auto menu : {mnuMainEntries(), mnuColorDisplayEntries(), mnuCopyCoordEntries()}) {
    for (const TMenuEntry& e : menu) {
      const std::string text = ShortCutToText(e.ShortCut);
      if (text.empty()) continue;
      EXPECT_TRUE(seen.insert(text).second) << text << " on " << e.Name;
    }
  }
}

TEST(MainMenuTable, ShortcutTexts) {
  const auto menu = mnuMainEntries();
  const struct {
    const char* item;
    const char* text;
  } cases[] = {
      {"StayOnTop1", "Ctrl+Alt+Space"},
      {"MakeWindowTransparent1", "Ctrl+Alt+T"},
      {"SetVirtualOrigin1", "Ctrl+Alt+O"},
      {"CopyImagetoClipboard1", "Ctrl+Alt+C"},
      {"ShowHelpfile1", "F1"},
      {"Exit1", "Alt+F4"},
      {"ZoomLevel1", ""},
      {"PickForegroundColor1", "Ctrl+Alt+K"},
      {"PickBackgroundColor1", "Ctrl+Alt+B"},
      {"CopyContrast1", "Ctrl+Alt+R"},
  };
  for (const auto& c : cases) {
    const size_t i = IndexOfMenuEntry(menu, c.item);
    ASSERT_LT(i, menu.size()) << c.item;
    EXPECT_EQ(ShortCutToText(menu[i].ShortCut), c.text) << c.item;
  }
}

TEST(MainMenuTable, OnlyCommandsWithHandlersAreOffered) {
  const auto menu = mnuMainEntries();
  auto available = [&](const char* name) { return IsAvailable(menu, IndexOfMenuEntry(menu, name)); };
  EXPECT_TRUE(available("ZoomLevel1"));
  EXPECT_TRUE(available("ColorDisplay1"));
  EXPECT_TRUE(available("SetVirtualOrigin1"));
  EXPECT_TRUE(available("CopyImagetoClipboard1"));
  EXPECT_TRUE(available("UpdateFrequency1"));
  EXPECT_TRUE(available("N60xpersecond1"));
  EXPECT_FALSE(available("N5xpersecond1")) << "hidden";
  EXPECT_FALSE(available("N10xpersecond1")) << "hidden";
  EXPECT_TRUE(available("Exit1"));
  for (const char* item : {"CheckforUpdates1", "VisitTarnwellSoftwareWebsite1", "ShowHelpfile1", "AboutGlimmerlux1"}) {
    EXPECT_TRUE(available(item)) << item;
  }
  EXPECT_FALSE(available("NoSuchItem"));
}

TEST(MainMenuTable, CommandsRunTheirHandlers) {
  FakePlatform platform;
  Tfrmmain form{platform};
  const auto color = mnuColorDisplayEntries();
  ASSERT_TRUE(RunMenuEntry(form, color, IndexOfMenuEntry(color, "mnuHTML")));
  EXPECT_TRUE(form.menu.HTMLCode1.Checked);
  ASSERT_TRUE(RunMenuEntry(form, mnuMainEntries(), IndexOfMenuEntry(mnuMainEntries(), "RGBValues1")));
  EXPECT_TRUE(form.menu.mnuRGB.Checked);
  EXPECT_FALSE(RunMenuEntry(form, mnuMainEntries(), IndexOfMenuEntry(mnuMainEntries(), "N1")));
  EXPECT_FALSE(RunMenuEntry(form, color, color.size()));

  const auto coord = mnuCopyCoordEntries();
  ASSERT_TRUE(RunMenuEntry(form, coord, 0));
  EXPECT_EQ(platform.clipboard.text, "Position :");
}

}  // namespace
