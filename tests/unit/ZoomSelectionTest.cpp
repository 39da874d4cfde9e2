#include <gtest/gtest.h>

#include <string>

#include "fake/FormFixture.h"
#include "main/ZoomSelection.h"

namespace {

constexpr MouseWheel kAwayFromUser{120};
constexpr MouseWheel kTowardsUser{-120};

struct ZoomFixture : ::testing::Test, FormFixture {
  // Captions of the checked submenu items.
  std::string Checked() {
    std::string names;
    const auto menu = mnuMainEntries();
    for (const MenuEntry& e : menu) {
      if (e.Depth == 1 && IsEntryChecked(form, e) && std::string(e.Name).starts_with("Magnify"))
        names += std::string(names.empty() ? "" : " ") + e.Name;
    }
    return names;
  }
  void Wheel(MouseWheel wheel) { EXPECT_TRUE(form.ApplicationEvents1Message(wheel)); }
};

TEST_F(ZoomFixture, StartsAtTwoTimes) {
  EXPECT_EQ(form.panel.cbxZoomLevel.ItemIndex, 1);
  EXPECT_EQ(form.imageview1().Zoom(), 2.0f);
  EXPECT_EQ(form.zoom.RecordedIndex(), 1);
  EXPECT_EQ(Checked(), "Magnify2X1");
}

TEST_F(ZoomFixture, SubmenuChoiceMovesListViewAndCheckMark) {
  const struct {
    const char* item;
    int index;
    float zoom;
  } cases[] = {
      {"Magnify8X1", 6, 8},        {"Magnify40x1", 15, 40},   {"Magnify1X1", 0, 1},        {"Magnify16x1", 9, 16},
      {"Magnify075X1", 16, 0.75f}, {"Magnify05X1", 17, 0.5f}, {"Magnify025X1", 18, 0.25f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    Choose(c.item);
    EXPECT_EQ(form.panel.cbxZoomLevel.ItemIndex, c.index);
    EXPECT_EQ(form.zoom.RecordedIndex(), c.index);
    EXPECT_EQ(form.imageview1().Zoom(), c.zoom);
    EXPECT_EQ(Checked(), c.item);
  }
}

TEST_F(ZoomFixture, ListChoiceSetsZoomFromTheTable) {
  for (int i = 0; i < static_cast<int>(ZoomLevels.size()); ++i) {
    form.panel.cbxZoomLevel.ItemIndex = i;
    form.zoom.cbxZoomLevelChange();
    EXPECT_EQ(form.imageview1().Zoom(), ZoomLevels[static_cast<size_t>(i)]);
    EXPECT_EQ(form.zoom.RecordedIndex(), i);
  }
}

TEST_F(ZoomFixture, ListWithoutSelectionFallsBackToOne) {
  for (int index : {-1, 19, 1000}) {
    SCOPED_TRACE(index);
    form.panel.cbxZoomLevel.ItemIndex = index;
    form.zoom.cbxZoomLevelChange();
    EXPECT_EQ(form.imageview1().Zoom(), 1.0f);
    EXPECT_EQ(form.zoom.RecordedIndex(), index);
    EXPECT_EQ(Checked(), "Magnify1X1");
  }
}

TEST_F(ZoomFixture, WheelWalksTheListOneEntryPerMessage) {
  Choose("Magnify36x1");
  Wheel(kAwayFromUser);
  EXPECT_EQ(form.imageview1().Zoom(), 40.0f);
  // However far the wheel turned.
  Wheel(MouseWheel{720});
  EXPECT_EQ(form.imageview1().Zoom(), 0.75f);
  EXPECT_EQ(Checked(), "Magnify075X1");
  Wheel(kAwayFromUser);
  Wheel(kAwayFromUser);
  EXPECT_EQ(form.panel.cbxZoomLevel.ItemIndex, 18);
  Wheel(kAwayFromUser);
  EXPECT_EQ(form.panel.cbxZoomLevel.ItemIndex, 18);
  EXPECT_EQ(form.imageview1().Zoom(), 0.25f);

  Wheel(kTowardsUser);
  EXPECT_EQ(form.imageview1().Zoom(), 0.5f);
  Choose("Magnify1X1");
  Wheel(kTowardsUser);
  // A zero distance counts as towards the user.
  Wheel(MouseWheel{0});
  EXPECT_EQ(form.panel.cbxZoomLevel.ItemIndex, 0);
  EXPECT_EQ(form.imageview1().Zoom(), 1.0f);
}

TEST_F(ZoomFixture, WheelWithoutSelection) {
  form.panel.cbxZoomLevel.ItemIndex = -1;
  Wheel(kTowardsUser);
  EXPECT_EQ(form.panel.cbxZoomLevel.ItemIndex, -1);
  EXPECT_EQ(form.imageview1().Zoom(), 1.0f);
  Wheel(kAwayFromUser);
  EXPECT_EQ(form.panel.cbxZoomLevel.ItemIndex, 0);
  EXPECT_EQ(form.imageview1().Zoom(), 1.0f);
}

TEST_F(ZoomFixture, TickUsesTheNewZoom) {
  form.imageview1().WMSize(400, 300);
  Choose("Magnify4X1");
  platform.screen.pointer = {960, 540};
  form.Timer1Timer();
  EXPECT_EQ(form.imageview1().ScreenLeft(), 960 - 50);
  EXPECT_EQ(form.imageview1().LeftOffset(), 50);
}

}  // namespace
