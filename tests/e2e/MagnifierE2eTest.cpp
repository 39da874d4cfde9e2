// The real glimmerlux.exe on a desktop covered by the test pattern, checked by what the screen
// and the clipboard show.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cmath>
#include <optional>
#include <string>

#include "Desktop.h"
#include "ExpectedPicture.h"
#include "Picture.h"
#include "fixture/TestPattern.h"

namespace {

using namespace std::chrono_literals;

constexpr wchar_t kSettingsKey[] = L"Software\\Tarnwell\\Glimmerlux";
constexpr auto kStartTimeout = 30s;
constexpr auto kPictureTimeout = 5s;

bool ShowsPattern(const RECT& area) {
  const Picture shown = GrabScreen(area);
  for (int y = 0; y < shown.height; ++y) {
    for (int x = 0; x < shown.width; ++x) {
      if (shown.At(x, y) != test_pattern::PixelAt(area.left + x, area.top + y)) return false;
    }
  }
  return true;
}

class MagnifierOnPattern : public ::testing::Test {
 protected:
  void SetUp() override {
    desktop_ = VirtualScreen();
    // The pointer waits in a corner so that it never passes over the magnifier on its way.
    ASSERT_TRUE(MovePointerTo({desktop_.left, desktop_.bottom - 1}));

    pattern_ = ChildProcess(L"test_pattern.exe", L"");
    ASSERT_TRUE(pattern_.Started()) << "test_pattern.exe did not start";
    const LONG midX = (desktop_.left + desktop_.right) / 2;
    const LONG midY = (desktop_.top + desktop_.bottom) / 2;
    ASSERT_TRUE(WaitUntil(kStartTimeout, [&] {
      return ShowsPattern({desktop_.left, desktop_.top, desktop_.left + 16, desktop_.top + 16}) &&
             ShowsPattern({midX, midY, midX + 16, midY + 16}) &&
             ShowsPattern({desktop_.right - 16, desktop_.bottom - 16, desktop_.right, desktop_.bottom});
    })) << "the test pattern never covered the desktop";

    // A first run, with the cursor image left out of the picture: the pattern is then the
    // only thing the view can show.
    ForgetSettings(kSettingsKey);
    StoreSetting(kSettingsKey, L"ShowCursor1_Checked", L"False");
    magnifier_ = ChildProcess(L"glimmerlux.exe", L"");
    ASSERT_TRUE(magnifier_.Started()) << "glimmerlux.exe did not start";
    ASSERT_TRUE(magnifier_.WaitUntilIdle(kStartTimeout)) << "glimmerlux.exe never finished starting";
    ASSERT_TRUE(WaitUntil(kStartTimeout, [&] {
      window_ = FindProcessWindow(magnifier_.Id(), L"Glimmerlux");
      return window_ != nullptr;
    })) << "no visible window captioned \"Glimmerlux\"";
    // The magnifier's tray icon brought it up; the corners must show the pattern alone.
    HideWineSystemTray();
    view_ = ChildWindowFromPointEx(window_, {1, 1}, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    ASSERT_TRUE(view_ != nullptr && view_ != window_) << "the window has no view in its top-left corner";
  }

  // So that `make run` in the same Wine prefix starts as a first run too.
  void TearDown() override { ForgetSettings(kSettingsKey); }

  SIZE ViewSize() const {
    RECT client{};
    GetClientRect(view_, &client);
    return {client.right, client.bottom};
  }

  // Half the desktop extent the view shows around the pointer, as the placement counts it.
  POINT HalfSource() const {
    const SIZE view = ViewSize();
    return {static_cast<LONG>(std::nearbyint(view.cx / expected::kZoom)) / 2,
            static_cast<LONG>(std::nearbyint(view.cy / expected::kZoom)) / 2};
  }

  // Parks the magnifier in a desktop corner clear of what it is to show, so it never
  // magnifies itself.
  bool MoveMagnifierClearOf(const RECT& source, POINT pointer) {
    RECT window{};
    GetWindowRect(window_, &window);
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    const POINT corners[] = {{desktop_.right - width, desktop_.bottom - height},
                             {desktop_.left, desktop_.top},
                             {desktop_.right - width, desktop_.top},
                             {desktop_.left, desktop_.bottom - height}};
    for (const POINT corner : corners) {
      const RECT placed{corner.x, corner.y, corner.x + width, corner.y + height};
      if (!Intersect(placed, source) && !PtInRect(&placed, pointer)) return MoveWindowTo(window_, corner);
    }
    return false;
  }

  // Points at `pointer` and waits for the view to show the pattern around it.
  void ExpectPictureAround(POINT pointer) {
    SCOPED_TRACE("pointer at " + Describe(pointer));
    const SIZE view = ViewSize();
    const RECT source = expected::SourceRect(pointer, desktop_, view.cx, view.cy);
    ASSERT_TRUE(MoveMagnifierClearOf(source, pointer)) << "no room for the magnifier beside " << Describe(source);
    ASSERT_TRUE(MovePointerTo(pointer)) << "the pointer did not move";

    const Picture wanted = expected::ViewPicture(source, desktop_, view.cx, view.cy);
    Picture shown;
    std::string differences;
    WaitUntil(kPictureTimeout, [&] {
      shown = GrabScreen(ScreenRectOfClient(view_));
      differences = expected::Differences(shown, wanted, true);
      return differences.empty();
    });
    if (differences.empty()) return;
    ADD_FAILURE() << "the view does not show desktop " << Describe(source) << " doubled: " << differences
                  << "\n  shown picture saved as " << SaveForPerson(shown);
  }

  // Returns where the file went.
  static std::string SaveForPerson(const Picture& picture) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string("e2e-") + test->name() + "-" + std::to_string(++saved_) + ".bmp";
    SaveBmp(picture, std::wstring(name.begin(), name.end()));
    char full[MAX_PATH] = {};
    GetFullPathNameA(name.c_str(), MAX_PATH, full, nullptr);
    return full;
  }

  RECT desktop_{};
  // Declared so that the magnifier is killed first, while the pattern still stands.
  ChildProcess pattern_;
  ChildProcess magnifier_;
  HWND window_ = nullptr;
  HWND view_ = nullptr;
  static inline int saved_ = 0;
};

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
