#include <gtest/gtest.h>

#include "fake/FakePlatform.h"
#include "fake/FormFixture.h"
#include "main/CaretFollow.h"
#include "main/fmMagnifier.h"

namespace {

TEST(LocateCaret, PrefersTheAutomationSelectionThenTheFocusCaretThenReportsNone) {
  const struct Case {
    const char* name;
    bool automationFinds;
    Point automationCaret;
    bool threadInputFinds;
    Point threadInputCaret;
    Point expected;
    int threadInputLookups;
  } cases[] = {
      {"selection wins", true, {300, 200}, true, {50, 60}, {300, 200}, 0},
      {"focus caret when automation fails", false, {}, true, {50, 60}, {50, 60}, 1},
      {"neither", false, {}, false, {}, {0, 0}, 1},
      {"a selection in the corner still ends the search", true, {0, 0}, true, {50, 60}, {0, 0}, 0},
  };
  for (const Case& c : cases) {
    FakePlatform platform;
    platform.caret.automationFinds = c.automationFinds;
    platform.caret.automationCaret = c.automationCaret;
    platform.caret.threadInputFinds = c.threadInputFinds;
    platform.caret.threadInputCaret = c.threadInputCaret;
    EXPECT_EQ(LocateCaret(platform.caret), c.expected) << c.name;
    EXPECT_EQ(platform.caret.threadInputLookups, c.threadInputLookups) << c.name;
  }
}

struct CaretFixture : FormFixture {
  CaretFixture() {
    platform.windows.windowRects[kMainWindow] = {2000, 2000, 2468, 2282};
    form.AttachWindow(kMainWindow);
    AttachView();
    form.imageview1().SetZoom(2);
  }
};

TEST(GetCaretPosition, AFoundCaretIsFollowedWithoutTheCursorImage) {
  CaretFixture t;
  t.platform.caret.threadInputFinds = true;
  t.platform.caret.threadInputCaret = {500, 400};
  t.form.imageview1().SetShowCursor(true);
  Point caret;
  EXPECT_TRUE(t.form.caretFollow.GetCaretPosition(caret));
  EXPECT_EQ(caret, (Point{500, 400}));
  EXPECT_FALSE(t.form.imageview1().ShowCursor());
  EXPECT_EQ(t.platform.caret.foregroundLooks, 0);
}

TEST(GetCaretPosition, WithoutACaretTheCursorImageDependsOnWhyTheSearchFailed) {
  constexpr Point kPointer{700, 800};
  constexpr Point kUntouched{-1, -1};
  const struct Case {
    const char* name;
    ForegroundFocus focus;
    bool expectedResult;
    Point expectedCaret;
    bool expectedShowCursor;  // the view starts with true, the Show Cursor mark is off
  } cases[] = {
      {"no foreground window: nothing changes", {FocusLook::NoForeground, false, {}}, false, kUntouched, true},
      {"input not shared: nothing changes", {FocusLook::NotAttached, false, {}}, false, kUntouched, true},
      {"own window in front: the user's choice", {FocusLook::OwnThread, false, {}}, false, kPointer, false},
      {"no focus window: the user's choice", {FocusLook::NoFocusWindow, false, {}}, false, kPointer, false},
      {"focus without a caret: hidden", {FocusLook::FocusWindow, false, {10, 20}}, false, {10, 20}, false},
      {"caret read in the corner the search skipped", {FocusLook::FocusWindow, true, {0, 0}}, true, {0, 0}, false},
  };
  for (const Case& c : cases) {
    CaretFixture t;
    t.platform.screen.pointer = kPointer;
    t.platform.caret.foregroundFocus = c.focus;
    SetChecked(t.form, "Showcursor1", false);
    t.form.imageview1().SetShowCursor(true);
    Point caret = kUntouched;
    EXPECT_EQ(t.form.caretFollow.GetCaretPosition(caret), c.expectedResult) << c.name;
    EXPECT_EQ(caret, c.expectedCaret) << c.name;
    EXPECT_EQ(t.form.imageview1().ShowCursor(), c.expectedShowCursor) << c.name;
  }
}

TEST(GetCaretPosition, ShowCursorMarkComesBackWhenTheProgramItselfIsInFront) {
  CaretFixture t;
  t.platform.caret.foregroundFocus = {FocusLook::OwnThread, false, {}};
  SetChecked(t.form, "Showcursor1", true);
  t.form.imageview1().SetShowCursor(false);
  Point caret;
  t.form.caretFollow.GetCaretPosition(caret);
  EXPECT_TRUE(t.form.imageview1().ShowCursor());
}

TEST(TrackingTick, FollowsTheCaretOnlyWhenAskedAndNotFixed) {
  const struct Case {
    const char* name;
    bool followkey;
    bool fixedLocation;
    int expectedScreenLeft;  // pointer at 1000, caret at 500, fixed point at 1500
    int expectedLookups;
  } cases[] = {
      {"following", true, false, 400, 1},
      {"not following", false, false, 900, 0},
      {"the fixed point wins without a lookup", true, true, 1400, 0},
  };
  for (const Case& c : cases) {
    CaretFixture t;
    t.platform.caret.automationFinds = true;
    t.platform.caret.automationCaret = {500, 400};
    t.platform.screen.pointer = {1000, 600};
    t.form.tracking.followkey = c.followkey;
    SetChecked(t.form, "FixedLocation1", c.fixedLocation);
    t.form.tracking.memX = 1500;
    t.form.tracking.memY = 400;
    t.form.Timer1Timer();
    EXPECT_EQ(t.form.imageview1().ScreenLeft(), c.expectedScreenLeft) << c.name;
    EXPECT_EQ(t.platform.caret.automationLookups, c.expectedLookups) << c.name;
  }
}

TEST(TrackingTick, CentresOnTheCaretWhateverThePointerDoes) {
  CaretFixture t;
  t.form.tracking.followkey = true;
  t.platform.caret.threadInputFinds = true;
  t.platform.caret.threadInputCaret = {500, 400};
  for (const Point pointer : {Point{10, 10}, Point{1900, 1000}}) {
    t.platform.screen.pointer = pointer;
    t.form.Timer1Timer();
    TImageView& v = t.form.imageview1();
    EXPECT_EQ((Point{v.ScreenLeft(), v.ScreenTop()}), (Point{400, 325}));
    EXPECT_EQ((Point{v.LeftOffset(), v.TopOffset()}), (Point{100, 75}));
  }
}

}  // namespace
