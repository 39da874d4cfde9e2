// The real glimmerlux.exe on a desktop covered by the test pattern, checked by what the screen
// and the clipboard show.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "Desktop.h"
#include "ExpectedPicture.h"
#include "MagnifierOnPattern.h"
#include "Picture.h"

namespace {

TEST_F(MagnifierOnPattern, StartsWithoutCaptionAndCentredWithTheViewAcrossTheWindow) {
  // A fresh start hides the title bar: no caption and no sizing frame, only the view's silver frame.
  const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU), 0) << "style " << std::hex << style;
  EXPECT_NE(style & WS_POPUP, 0) << "style " << std::hex << style;

  // The window keeps the outer size of the designed client area in a sizeable frame; without
  // the frame that whole size is client area.
  const UINT dpi = GetDpiForWindow(window_);
  RECT designed{0, 0, MulDiv(468, static_cast<int>(dpi), 96), MulDiv(282, static_cast<int>(dpi), 96)};
  AdjustWindowRectExForDpi(&designed, (WS_OVERLAPPEDWINDOW | WS_POPUP) & ~WS_DLGFRAME, FALSE, 0, dpi);
  RECT client{};
  GetClientRect(window_, &client);
  EXPECT_EQ(client.right, designed.right - designed.left);
  EXPECT_EQ(client.bottom, designed.bottom - designed.top);

  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT window{};
  GetWindowRect(window_, &window);
  EXPECT_NEAR(window.left + window.right, monitor.rcMonitor.left + monitor.rcMonitor.right, 2) << Describe(window);
  EXPECT_NEAR(window.top + window.bottom, monitor.rcMonitor.top + monitor.rcMonitor.bottom, 2) << Describe(window);

  const RECT view = ScreenRectOfClient(view_);
  const RECT inside = ScreenRectOfClient(window_);
  EXPECT_EQ(view.left, inside.left);
  EXPECT_EQ(view.top, inside.top);
  EXPECT_EQ(view.right, inside.right);
}

TEST_F(MagnifierOnPattern, ShowsTheDesktopAroundThePointerInTwoByTwoBlocks) {
  const LONG width = desktop_.right - desktop_.left;
  const LONG height = desktop_.bottom - desktop_.top;
  ExpectPictureAround({desktop_.left + width / 3, desktop_.top + height / 3});
  ExpectPictureAround({desktop_.left + 2 * width / 3 + 1, desktop_.top + 2 * height / 3 + 3});
  ExpectPictureAround({desktop_.left + width / 2 - 7, desktop_.top + height / 2 + 11});
}

TEST_F(MagnifierOnPattern, KeepsThePictureOnTheDesktopNearItsEdges) {
  const POINT half = HalfSource();
  const RECT& d = desktop_;
  const struct {
    const char* where;
    POINT pointer;
  } cases[] = {
      {"top-left corner", {d.left, d.top}},
      {"top-right corner", {d.right - 1, d.top}},
      {"bottom-left corner", {d.left, d.bottom - 1}},
      {"bottom-right corner", {d.right - 1, d.bottom - 1}},
      // Where the picture starts to follow the pointer, and one pixel to either side.
      {"one short of half a picture from the top-left", {d.left + half.x - 1, d.top + half.y - 1}},
      {"half a picture from the top-left", {d.left + half.x, d.top + half.y}},
      {"one past half a picture from the top-left", {d.left + half.x + 1, d.top + half.y + 1}},
      {"one short of half a picture from the bottom-right", {d.right - half.x - 1, d.bottom - half.y - 1}},
      {"half a picture from the bottom-right", {d.right - half.x, d.bottom - half.y}},
      {"one past half a picture from the bottom-right", {d.right - half.x + 1, d.bottom - half.y + 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.where);
    ExpectPictureAround(c.pointer);
  }
}

TEST_F(MagnifierOnPattern, CtrlAltCCopiesTheShownPictureToTheClipboard) {
  ExpectPictureAround({desktop_.left + 200, desktop_.top + 150});
  ASSERT_FALSE(HasFailure());
  ASSERT_TRUE(EmptyTheClipboard());
  ASSERT_TRUE(MakeForeground(window_)) << "the magnifier did not come to the foreground";

  PressKeys({VK_CONTROL, VK_MENU, 'C'});
  std::optional<Picture> copied;
  WaitUntil(kPictureTimeout, [&] {
    copied = ClipboardBitmap();
    return copied.has_value();
  });
  ASSERT_TRUE(copied) << "no bitmap on the clipboard after Ctrl+Alt+C";
  const Picture shown = GrabScreen(ScreenRectOfClient(view_));
  const std::string differences = expected::Differences(*copied, shown, false);
  if (!differences.empty()) {
    ADD_FAILURE() << "the clipboard differs from the view: " << differences << "\n  clipboard saved as "
                  << SaveForPerson(*copied);
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Physical pixels everywhere, as the magnifier itself sees them.
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
