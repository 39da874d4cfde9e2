#include <gtest/gtest.h>

#include <string>

#include "fake/FakePlatform.h"
#include "main/Contrast.h"
#include "main/MainMenu.h"
#include "main/fmMagnifier.h"

namespace {

using Kind = StoredValue::Kind;

StoredValue Dword(uint32_t n) { return {Kind::Dword, n, {}}; }
StoredValue Text(std::string t) { return {Kind::Text, 0, std::move(t)}; }

constexpr WindowId kMainWindow = 100;
constexpr ColorRef kWhite = 0xFFFFFF;
constexpr ColorRef kBlack = 0x000000;

// WCAG 2.x worked by hand: L = 0.2126 R + 0.7152 G + 0.0722 B of the linearised channels,
// ratio (L1 + 0.05) / (L2 + 0.05), shown cut to two decimals.
TEST(Contrast, RatiosAndVerdictsWorkedByHand) {
  const struct {
    ColorRef a, b;
    const char* text;
    ContrastVerdict verdict;  // AA normal, AA large, AAA normal, AAA large, non-text
  } cases[] = {
      {kBlack, kWhite, "21.00:1", {true, true, true, true, true}},
      {kWhite, kWhite, "1.00:1", {false, false, false, false, false}},
      {0x767676, kWhite, "4.54:1", {true, true, false, true, true}},    // L 0.18116
      {0x777777, kWhite, "4.47:1", {false, true, false, false, true}},  // L 0.18447: 4.4776
      {0x0000FF, kWhite, "3.99:1", {false, true, false, false, true}},  // red: 1.05 / 0.2626
      {0xFF0000, kWhite, "8.59:1", {true, true, true, true, true}},     // blue: 1.05 / 0.1222
      {0x00FF00, kBlack, "15.30:1", {true, true, true, true, true}},    // green: 0.7652 / 0.05
  };
  for (const auto& c : cases) {
    const double ratio = ContrastRatio(c.a, c.b);
    EXPECT_EQ(RatioText(ratio), c.text);
    EXPECT_DOUBLE_EQ(ContrastRatio(c.b, c.a), ratio) << "either way round";
    const ContrastVerdict v = JudgeContrast(ratio);
    EXPECT_EQ(
        (std::array{v.aaNormal, v.aaLarge, v.aaaNormal, v.aaaLarge, v.nonText}),
        (std::array{c.verdict.aaNormal, c.verdict.aaLarge, c.verdict.aaaNormal, c.verdict.aaaLarge, c.verdict.nonText}))
        << c.text;
  }
  // Cut, never rounded up past a threshold; an exact 4.5 computed a hair low still passes.
  EXPECT_EQ(RatioText(4.4999), "4.49:1");
  EXPECT_EQ(RatioText(4.4999999999999), "4.50:1");
  EXPECT_TRUE(JudgeContrast(4.4999999999999).aaNormal);
  EXPECT_FALSE(JudgeContrast(4.4999).aaNormal);
}

TEST(Contrast, ReadoutAndSummaryTexts) {
  const ContrastPair pair{0x767676, kWhite};
  EXPECT_EQ(ContrastReadoutText(pair, {}),
            "Foreground #767676, background #FFFFFF\nContrast 4.54:1\nAA: normal text pass, large text pass\n"
            "AAA: normal text fail, large text pass\nNon-text (3:1): pass");
  EXPECT_EQ(ContrastSummary(pair, {}),
            "Foreground #767676, background #FFFFFF: contrast 4.54:1, AA normal pass, AA large pass, AAA normal fail, "
            "AAA large pass, non-text pass");
  // Green on black under full protanopia: #FFE500 on black, L 0.77297, ratio 16.4597.
  const ContrastPair green{0x00FF00, kBlack};
  const SimulatedVision protan{VisionDeficiency::Protan, 100};
  EXPECT_EQ(ContrastSummary(green, protan),
            "Foreground #00FF00, background #000000: contrast 15.30:1, AA normal pass, AA large pass, AAA normal pass, "
            "AAA large pass, non-text pass; as simulated (Protanopia) 16.45:1, AA normal pass, AA large pass, AAA "
            "normal pass, AAA large pass, non-text pass");
  EXPECT_EQ(ContrastReadoutText({0x123456, {}}, protan),
            "Simulating Protanopia\nForeground #563412\nPick Background Color (Ctrl+Alt+B) for the contrast");
  EXPECT_EQ(ContrastReadoutText({}, {}), "");
  EXPECT_EQ(ContrastSummary({{}, kWhite}, {}), "");
}

// One run of the program over the fake platform, shown as the window is at start.
struct Session {
  FakePlatform& platform;
  Tfrmmain form{platform};

  explicit Session(FakePlatform& p) : platform(p) {
    form.AttachWindow(kMainWindow);
    form.RestoreFormState();
    form.FormShow();
  }
  void Choose(const char* name) {
    ASSERT_TRUE(RunMenuEntry(form, mnuMainEntries(), IndexOfMenuEntry(mnuMainEntries(), name))) << name;
  }
  SimulatedVision Simulation() { return form.imageview1().VisionSimulation(); }
  int32_t Stored(const char* name) {
    const StoredValue v = platform.settings.Read(name);
    return v.kind == Kind::Dword ? static_cast<int32_t>(v.number) : -999;
  }
};

TEST(ColorCheck, SimulationAndColorFilterSwitchEachOtherOff) {
  FakePlatform platform;
  Session s(platform);
  s.Choose("CfSepia1");
  s.Choose("CvProtan1");
  EXPECT_EQ(s.form.imageview1().ColorFilterMode(), cfNone);
  EXPECT_TRUE(s.form.menu.CfNone1.Checked);
  EXPECT_FALSE(s.form.menu.CfSepia1.Checked);
  EXPECT_EQ(s.Simulation(), (SimulatedVision{VisionDeficiency::Protan, 100}));
  EXPECT_TRUE(s.form.menu.CvProtan1.Checked);
  EXPECT_FALSE(s.form.menu.CvNone1.Checked);
  EXPECT_EQ(s.Stored("ColorFilterMode"), 0);
  EXPECT_EQ(s.Stored("VisionSimulation"), 1);
  EXPECT_EQ(s.form.colorCheck.CaptionSuffix(), " - Protanopia");
  EXPECT_TRUE(s.form.colorCheck.readout.Visible);
  EXPECT_EQ(s.form.colorCheck.readout.Text, "Simulating Protanopia\n");

  s.Choose("CvSeverity60");
  EXPECT_EQ(s.Simulation(), (SimulatedVision{VisionDeficiency::Protan, 60}));
  EXPECT_EQ(s.form.colorCheck.CaptionSuffix(), " - Protanomaly 60 %");
  EXPECT_EQ(s.Stored("VisionSeverity"), 60);

  // "None" among the colour filters leaves the simulation on; a filter switches it off.
  s.Choose("CfNone1");
  EXPECT_TRUE(s.Simulation().On());
  s.Choose("CfInvert1");
  EXPECT_FALSE(s.Simulation().On());
  EXPECT_TRUE(s.form.menu.CvNone1.Checked);
  EXPECT_EQ(s.Stored("VisionSimulation"), 0);
  EXPECT_EQ(s.Stored("ColorFilterMode"), cfInvert);
  EXPECT_EQ(s.form.colorCheck.CaptionSuffix(), "");
  EXPECT_FALSE(s.form.colorCheck.readout.Visible);

  // The severity is kept for the next Machado model; tritanopia has none.
  s.Choose("CvDeutan1");
  EXPECT_EQ(s.Simulation(), (SimulatedVision{VisionDeficiency::Deutan, 60}));
  EXPECT_EQ(s.form.imageview1().ColorFilterMode(), cfNone);
  s.Choose("CvTritan1");
  EXPECT_EQ(s.form.colorCheck.CaptionSuffix(), " - Tritanopia");
}

TEST(ColorCheck, UnusedChoicesStoreNothingNew) {
  FakePlatform platform;
  Session s(platform);
  for (const char* item : {"CfSepia1", "Smoothen1", "DrawCrossHair1", "HTMLCode1", "CfNone1"}) s.Choose(item);
  s.form.WriteSettings();
  s.form.SaveFormState();
  for (const char* name : {"VisionSimulation", "VisionSeverity", "SampleSize"}) {
    EXPECT_FALSE(platform.settings.Has(name)) << name;
  }
}

TEST(ColorCheck, ChoicesComeBackAtTheNextStart) {
  FakePlatform platform;
  {
    Session s(platform);
    s.Choose("CvSeverity30");
    s.Choose("CvDeutan1");
    s.Choose("Sample5x5");
  }
  Session next(platform);
  EXPECT_EQ(next.Simulation(), (SimulatedVision{VisionDeficiency::Deutan, 30}));
  EXPECT_TRUE(next.form.menu.CvDeutan1.Checked);
  EXPECT_TRUE(next.form.menu.CvSeverity30.Checked);
  EXPECT_FALSE(next.form.menu.CvSeverity100.Checked);
  EXPECT_EQ(next.form.imageview1().SampleSize(), 5);
  EXPECT_TRUE(next.form.menu.Sample5x5.Checked);
  EXPECT_FALSE(next.form.menu.Sample1x1.Checked);
}

TEST(ColorCheck, GarbageInTheStoredChoicesGivesTheDefaults) {
  const struct {
    StoredValue simulation, severity, sampleSize;
  } cases[] = {
      {Dword(4), Dword(55), Dword(4)},
      {Dword(0xFFFFFFFF), Dword(0), Dword(0)},
      {Text("Protan"), Text("sixty"), Text("3x3")},
      {Dword(0x80000001), Dword(110), Dword(25)},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    platform.settings.Put("VisionSimulation", c.simulation);
    platform.settings.Put("VisionSeverity", c.severity);
    platform.settings.Put("SampleSize", c.sampleSize);
    Session s(platform);
    EXPECT_FALSE(s.Simulation().On());
    EXPECT_TRUE(s.form.menu.CvNone1.Checked);
    EXPECT_TRUE(s.form.menu.CvSeverity100.Checked);
    EXPECT_EQ(s.form.imageview1().SampleSize(), 1);
    EXPECT_TRUE(s.form.menu.Sample1x1.Checked);
    EXPECT_EQ(s.form.colorCheck.CaptionSuffix(), "");
  }
  // A number kept as text reads as the number, as every stored integer does.
  FakePlatform platform;
  platform.settings.Put("VisionSimulation", Text("3"));
  Session s(platform);
  EXPECT_EQ(s.Simulation().deficiency, VisionDeficiency::Tritan);
}

TEST(ColorCheck, AStoredColorFilterWinsOverAStoredSimulation) {
  FakePlatform platform;
  platform.settings.Put("ColorFilterMode", Dword(cfSepia));
  platform.settings.Put("VisionSimulation", Dword(2));
  Session s(platform);
  EXPECT_EQ(s.form.imageview1().ColorFilterMode(), cfSepia);
  EXPECT_FALSE(s.Simulation().On());
  EXPECT_TRUE(s.form.menu.CvNone1.Checked);
}

TEST(ColorCheck, PicksAverageTheDesktopUnderThePointerAndCopyTheSummary) {
  FakePlatform platform;
  // Grey 0x76 everywhere but a white column at x = 301 and a black pixel at (300, 200).
  platform.screen.PaintDesktop([](int x, int y) -> uint32_t {
    if (x == 300 && y == 200) return 0;
    return x == 301 ? 0x00FFFFFFu : 0x00767676u;
  });
  Session s(platform);
  s.Choose("CvProtan1");
  s.Choose("CopyContrast1");
  EXPECT_EQ(platform.messages.shown.back(), "Pick a foreground and a background color first.");
  EXPECT_EQ(platform.clipboard.text, "");

  platform.screen.pointer = {200, 100};
  s.Choose("PickForegroundColor1");
  platform.screen.pointer = {301, 50};
  s.Choose("PickBackgroundColor1");
  EXPECT_EQ(s.form.colorCheck.Picks().foreground, ColorRef{0x767676});
  EXPECT_EQ(s.form.colorCheck.Picks().background, ColorRef{0xFFFFFF});
  // Grey stays grey under the simulation, so the simulated ratio is the same.
  s.Choose("CopyContrast1");
  EXPECT_EQ(platform.clipboard.text,
            "Foreground #767676, background #FFFFFF: contrast 4.54:1, AA normal pass, AA large pass, AAA normal fail, "
            "AAA large pass, non-text pass; as simulated (Protanopia) 4.54:1, AA normal pass, AA large pass, AAA "
            "normal fail, AAA large pass, non-text pass");
  EXPECT_EQ(platform.messages.shown.back(), "copied");

  // 3 x 3 round (300, 200): one black, three white (x = 301), five grey 0x76.
  // (0 + 3 * 255 + 5 * 118 + 4) / 9 = 151 = 0x97 per channel.
  s.Choose("Sample3x3");
  platform.screen.pointer = {300, 200};
  s.Choose("PickForegroundColor1");
  EXPECT_EQ(s.form.colorCheck.Picks().foreground, ColorRef{0x979797});

  // Closing the readout forgets the picks; a pick shows it again.
  s.form.colorCheck.ReadoutClosed();
  EXPECT_FALSE(s.form.colorCheck.readout.Visible);
  EXPECT_FALSE(s.form.colorCheck.Picks().foreground.has_value());
  s.Choose("PickBackgroundColor1");
  EXPECT_TRUE(s.form.colorCheck.readout.Visible);
}

TEST(PointerNudge, ArrowsMoveThePointerAndThePositionReadoutFollows) {
  FakePlatform platform;
  Session s(platform);
  platform.screen.pointer = {500, 400};
  const struct {
    uint16_t key;
    ShiftState shift;
    Point after;
    bool used;
  } steps[] = {
      {kVkRight, {}, {501, 400}, true},
      {kVkDown, {}, {501, 401}, true},
      {kVkLeft, {true, false, false}, {491, 401}, true},
      {kVkUp, {true, false, false}, {491, 391}, true},
      {kVkUp, {false, true, true}, {491, 391}, false},  // Ctrl+Alt+arrows rotate the screen
      {kVkLeft, {false, true, false}, {491, 391}, false},
      {'A', {}, {491, 391}, false},
  };
  for (const auto& step : steps) {
    EXPECT_EQ(s.form.PictureKeyDown(step.key, step.shift), step.used);
    EXPECT_EQ(platform.screen.pointer, step.after);
  }
  EXPECT_EQ(s.form.panel.lblPosition.Caption, "Position: 491, 391") << "the tick ran at once";
  // The pointer stays on the desktop.
  platform.screen.pointer = {0, 0};
  s.form.PictureKeyDown(kVkLeft, {});
  EXPECT_EQ(platform.screen.pointer, (Point{0, 0}));
}

}  // namespace
