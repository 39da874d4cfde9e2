#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fake/FakeMonitors.h"
#include "fake/FakeScreen.h"
#include "fake/FakeSettingsStore.h"
#include "fake/FakeWindowFrame.h"
#include "main/FormState.h"

// Readable failures; found next to the types, which live in the global namespace.
static void PrintTo(const Rect& r, std::ostream* os) {
  *os << '(' << r.left << ',' << r.top << ")-(" << r.right << ',' << r.bottom << ')';
}
static void PrintTo(const WindowPlacement& p, std::ostream* os) {
  *os << "flags " << p.flags << ", show " << p.showCommand << ", min (" << p.minPosition.x << ',' << p.minPosition.y
      << "), max (" << p.maxPosition.x << ',' << p.maxPosition.y << "), normal ";
  PrintTo(p.normal, os);
}

namespace {

using Kind = StoredValue::Kind;

StoredValue Dword(uint32_t n) { return {Kind::Dword, n, {}}; }
StoredValue Text(std::string t) { return {Kind::Text, 0, std::move(t)}; }

constexpr uint32_t kShowNormal = 1;
// The fake window's placement before a restore: normal 476 x 311 at (700, 400).
const Rect kCurrent{700, 400, 1176, 711};

// The screen is shared: a fake desktop costs far more to build than the rest.
struct PlacementFixture {
  FakeScreen& screen;
  FakeSettingsStore store;
  FakeWindowFrame frame;
  FakeMonitors monitors;
  WindowId window = 100;
  TFormStorage storage{{store, frame, screen, monitors}, window, {}};
  explicit PlacementFixture(FakeScreen& shared) : screen(shared) {}
};

TEST(FormPlacementRestore, UsesAStoredRectangleOnlyAsItSuitsTheScreenAsItIsNow) {
  using Values = std::vector<std::pair<const char*, StoredValue>>;
  const std::vector<MonitorArea> one{{1, {0, 0, 1920, 1080}}};
  const std::vector<MonitorArea> sideBySide{{1, {0, 0, 1920, 1080}}, {2, {1920, 0, 3840, 1080}}};
  const std::vector<MonitorArea> lowerRight{{1, {0, 0, 1920, 1080}}, {2, {1920, 200, 3840, 1080}}};
  const Rect hd{0, 0, 1920, 1080};
  const Rect wide{0, 0, 3840, 1080};
  const struct {
    const char* what;
    Values stored;
    int ppi;
    Rect desktop;
    std::vector<MonitorArea> monitors;
    std::optional<Rect> normal;  // none: the placement is left alone
  } cases[] = {
      {"matching pixels per inch",
       {{"NormPos", Text("100,200,600,500")}, {"PixelsPerInch", Dword(96)}},
       96,
       hd,
       one,
       Rect{100, 200, 600, 500}},
      {"no pixels per inch stored counts as matching",
       {{"NormPos", Text("100,200,600,500")}},
       96,
       hd,
       one,
       Rect{100, 200, 600, 500}},
      {"the value for this desktop size wins",
       {{"NormPos(1920x1080)", Text("300,100,700,400")}, {"NormPos", Text("100,200,600,500")}},
       96,
       hd,
       one,
       Rect{300, 100, 700, 400}},
      {"another desktop size's value is ignored",
       {{"NormPos(2560x1440)", Text("300,100,700,400")}, {"NormPos", Text("100,200,600,500")}},
       96,
       hd,
       one,
       Rect{100, 200, 600, 500}},
      {"other pixels per inch",
       {{"NormPos", Text("100,200,600,500")}, {"PixelsPerInch", Dword(120)}},
       96,
       hd,
       one,
       std::nullopt},
      {"empty width", {{"NormPos", Text("100,200,100,500")}}, 96, hd, one, std::nullopt},
      {"inverted height", {{"NormPos", Text("100,500,600,200")}}, 96, hd, one, std::nullopt},
      {"width that wraps in 32 bits", {{"NormPos", Text("2147483000,0,-2147483000,10")}}, 96, hd, one, std::nullopt},
      {"current width carried past the largest integer",
       {{"NormPos", Text("2147483600,0")}},
       96,
       hd,
       one,
       std::nullopt},
      {"current height carried past the largest integer",
       {{"NormPos", Text("0,2147483600")}},
       96,
       hd,
       one,
       std::nullopt},
      {"huge but valid, corners off every monitor",
       {{"NormPos", Text("-2147483000,0,2147483000,10")}},
       96,
       hd,
       one,
       std::nullopt},
      // A corner on no monitor: onto the monitor nearest to the centre, the size kept.
      {"top-left on no monitor", {{"NormPos", Text("-100,0,300,200")}}, 96, hd, one, Rect{0, 0, 400, 200}},
      {"bottom-right on no monitor",
       {{"NormPos", Text("1800,900,2000,1100")}},
       96,
       hd,
       one,
       Rect{1720, 880, 1920, 1080}},
      {"saved on a monitor left of the primary, now gone",
       {{"NormPos", Text("-1000,100,-524,411")}},
       96,
       hd,
       one,
       Rect{0, 100, 476, 411}},
      {"below a left monitor that ends higher: onto that one",
       {{"NormPos", Text("-1500,900,-1024,1211")}},
       96,
       Rect{-1280, -200, 1920, 1080},
       std::vector<MonitorArea>{{1, {-1280, -200, 0, 824}}, {2, hd}},
       Rect{-1280, 513, -804, 824}},
      {"fills the monitor exactly", {{"NormPos", Text("0,0,1920,1080")}}, 96, hd, one, Rect{0, 0, 1920, 1080}},
      {"one pixel wider than the monitor", {{"NormPos", Text("0,0,1921,1080")}}, 96, hd, one, std::nullopt},
      {"across two monitors",
       {{"NormPos(3840x1080)", Text("1800,100,2200,400")}},
       96,
       wide,
       sideBySide,
       Rect{1800, 100, 2200, 400}},
      {"bottom-right in the gap beside a lower monitor: onto the nearer",
       {{"NormPos", Text("1800,0,2200,100")}},
       96,
       wide,
       lowerRight,
       Rect{1520, 0, 1920, 100}},
      {"blanks as separators", {{"NormPos", Text("100 200 600 500")}}, 96, hd, one, Rect{100, 200, 600, 500}},
      {"commas and blanks", {{"NormPos", Text("100, 200 ,600,  500")}}, 96, hd, one, Rect{100, 200, 600, 500}},
      {"missing right and bottom keep the current size",
       {{"NormPos", Text("100,200")}},
       96,
       hd,
       one,
       Rect{100, 200, 576, 511}},
      {"a left that is no number takes the current left",
       {{"NormPos", Text("x,200,1000,500")}},
       96,
       hd,
       one,
       Rect{700, 200, 1000, 500}},
      {"minimised and maximised positions alone count as found",
       {{"MinMaxPos", Text("-32000,-32000,-8,-8")}},
       96,
       hd,
       one,
       kCurrent},
      {"nothing stored", {}, 96, hd, one, std::nullopt},
      {"pixels per inch alone", {{"PixelsPerInch", Dword(96)}}, 96, hd, one, std::nullopt},
  };
  FakeScreen screen;
  for (const auto& c : cases) {
    PlacementFixture t{screen};
    for (const auto& [name, value] : c.stored) t.store.Put(name, value);
    t.screen.pixelsPerInch = c.ppi;
    t.screen.virtualScreen = c.desktop;
    t.monitors.list = c.monitors;
    t.storage.RestoreFormPlacement();
    if (c.normal) {
      ASSERT_EQ(t.frame.placementsSet.size(), 1u) << c.what;
      EXPECT_EQ(t.frame.placementsSet[0].normal, *c.normal) << c.what;
    } else {
      EXPECT_TRUE(t.frame.placementsSet.empty()) << c.what;
      EXPECT_EQ(t.frame.placement.normal, kCurrent) << c.what;
    }
  }
}

TEST(FormPlacementRestore, AppliesFlagsAndMinMaxPositionsAndKeepsAHiddenWindowHidden) {
  FakeScreen screen;
  PlacementFixture t{screen};
  t.store.Put("Flags", Dword(2));
  t.store.Put("MinMaxPos(1920x1080)", Text("-32000,-32000,-8,-8"));
  t.store.Put("MinMaxPos", Text("1,2,3,4"));
  t.store.Put("NormPos", Text("100,200,600,500"));
  t.storage.RestoreFormPlacement();
  const WindowPlacement expected{2, kShowHidden, {-32000, -32000}, {-8, -8}, {100, 200, 600, 500}};
  ASSERT_EQ(t.frame.placementsSet.size(), 1u);
  EXPECT_EQ(t.frame.placementsSet[0], expected);

  // Missing minimised and maximised fields are 0; a visible window keeps its show command.
  PlacementFixture visible{screen};
  visible.frame.visible = true;
  visible.frame.placement.showCommand = kShowNormal;
  visible.store.Put("MinMaxPos", Text("5"));
  visible.storage.RestoreFormPlacement();
  const WindowPlacement shown{0, kShowNormal, {5, 0}, {0, 0}, kCurrent};
  ASSERT_EQ(visible.frame.placementsSet.size(), 1u);
  EXPECT_EQ(visible.frame.placementsSet[0], shown);
}

TEST(FormPlacementSave, WritesTheVersionThenThePlacementUnderBothNames) {
  FakeScreen screen;
  PlacementFixture t{screen};
  t.screen.virtualScreen = {-1280, -200, 1920, 1080};
  t.monitors.list = {{1, {-1280, -200, 0, 824}}, {2, {0, 0, 1920, 1080}}};
  t.screen.pixelsPerInch = 120;
  t.frame.placement = {2, 3, {-32000, -32000}, {-8, -8}, {-1200, -80, -600, 400}};

  // Before any restore only the version is written.
  ASSERT_TRUE(t.storage.SaveFormPlacement());
  EXPECT_EQ(t.store.written, std::vector<std::string>{"FormVersion"});
  EXPECT_TRUE(t.storage.Saved());

  t.storage.RestoreFormPlacement();
  EXPECT_FALSE(t.storage.Saved()) << "a restore clears the saved flag";
  t.store.written.clear();
  ASSERT_TRUE(t.storage.SaveFormPlacement());
  const struct {
    const char* name;
    StoredValue value;
  } expected[] = {
      {"FormVersion", Dword(0)},
      {"Flags", Dword(2)},
      {"PixelsPerInch", Dword(120)},
      {"MinMaxPos(3200x1280)", Text("-32000,-32000,-8,-8")},
      {"MinMaxPos", Text("-32000,-32000,-8,-8")},
      {"NormPos(3200x1280)", Text("-1200,-80,-600,400")},
      {"NormPos", Text("-1200,-80,-600,400")},
  };
  ASSERT_EQ(t.store.written.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(t.store.written[i], expected[i].name);
    const StoredValue stored = t.store.Read(expected[i].name);
    EXPECT_EQ(stored.kind, expected[i].value.kind) << expected[i].name;
    EXPECT_EQ(stored.number, expected[i].value.number) << expected[i].name;
    EXPECT_EQ(stored.text, expected[i].value.text) << expected[i].name;
  }

  // What was saved comes back on the same desktop, whatever the window's position before.
  FakeWindowFrame nextRun;
  TFormStorage next{{t.store, nextRun, t.screen, t.monitors}, t.window, {}};
  next.RestoreFormPlacement();
  ASSERT_EQ(nextRun.placementsSet.size(), 1u);
  EXPECT_EQ(nextRun.placementsSet[0].normal, (Rect{-1200, -80, -600, 400}));
}

TEST(FormPlacementSave, AStoreThatCannotBeWrittenLeavesTheSavedFlagClear) {
  FakeScreen screen;
  PlacementFixture t{screen};
  t.storage.RestoreFormPlacement();
  t.store.writable = false;
  EXPECT_FALSE(t.storage.SaveFormPlacement());
  EXPECT_FALSE(t.storage.Saved());
  EXPECT_EQ(t.frame.placement.normal, kCurrent);
}

}  // namespace
