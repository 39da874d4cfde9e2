// The status panel of the real glimmerlux.exe over the test pattern: its readouts, its
// pop-up menus and the zoom list, checked by the texts, the screen and the clipboard.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "Desktop.h"
#include "Picture.h"
#include "ReadoutTexts.h"
#include "fixture/TestPattern.h"
#include "main/MainMenu.h"
#include "main/win32/ControlIds.h"
#include "main/win32/MenuBuilder.h"

namespace {

using namespace std::chrono_literals;

constexpr wchar_t kSettingsKey[] = L"Software\\Tarnwell\\Glimmerlux";
constexpr auto kStartTimeout = 30s;
constexpr auto kSettle = 5s;

std::wstring TextOf(HWND control) {
  wchar_t text[256] = {};
  GetWindowTextW(control, text, 256);
  return text;
}

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

POINT CentreOf(HWND control) {
  const RECT r = ScreenRectOfClient(control);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The lengths of the runs of equal pixels along the middle row, without two at each end: the
// view's edges may cut a block short, and its one-pixel frame is a run of its own. Pattern
// neighbours always differ, so each run is one desktop pixel magnified.
std::vector<int> InnerRunLengths(const Picture& picture) {
  const int y = picture.height / 2;
  std::vector<int> runs;
  int start = 0;
  for (int x = 1; x <= picture.width; ++x) {
    if (x < picture.width && picture.At(x, y) == picture.At(start, y)) continue;
    runs.push_back(x - start);
    start = x;
  }
  if (runs.size() <= 4) return {};
  return std::vector<int>(runs.begin() + 2, runs.end() - 2);
}

// Every whole block of the view is `zoom` pixels wide, and there are plenty of them.
bool MagnifiedBy(const std::vector<int>& runs, int zoom) {
  if (runs.size() < 8) return false;
  for (int run : runs) {
    if (run != zoom) return false;
  }
  return true;
}

class StatusPanelOnPattern : public ::testing::Test {
 protected:
  void SetUp() override {
    desktop_ = VirtualScreen();
    ASSERT_TRUE(MovePointerTo({desktop_.left, desktop_.bottom - 1}));
    pattern_ = ChildProcess(L"test_pattern.exe", L"");
    ASSERT_TRUE(pattern_.Started()) << "test_pattern.exe did not start";
    ASSERT_TRUE(WaitUntil(kStartTimeout, [&] {
      const Picture corner = GrabScreen({desktop_.left, desktop_.top, desktop_.left + 4, desktop_.top + 4});
      return corner.At(3, 3) == test_pattern::PixelAt(desktop_.left + 3, desktop_.top + 3);
    })) << "the test pattern never covered the desktop";

    ForgetSettings(kSettingsKey);
    // The picture is compared with the pattern alone: no cursor image in it.
    StoreSetting(kSettingsKey, L"ShowCursor1_Checked", L"False");
    std::string why;
    window_ = StartMagnifier(magnifier_, L"", why);
    ASSERT_TRUE(window_ != nullptr) << why;
    panel_ = GetDlgItem(window_, kPanel1Id);
    ASSERT_TRUE(panel_ != nullptr && IsWindowVisible(panel_)) << "no status panel";
    view_ = ChildWindowFromPointEx(window_, {1, 1}, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    // In the top-left corner, out of the way of everything the tests point at.
    ASSERT_TRUE(MoveWindowTo(window_, {desktop_.left, desktop_.top}));
  }

  void TearDown() override { ForgetSettings(kSettingsKey); }

  HWND Control(int id) const { return GetDlgItem(panel_, id); }

  // A point well away from the magnifier, with room around it for the picture.
  POINT OpenDesktop(int dx = 0, int dy = 0) const {
    return {(desktop_.left + desktop_.right) / 2 + 40 + dx, (desktop_.top + desktop_.bottom) / 2 + 30 + dy};
  }

  void ExpectText(int id, const std::string& wanted) {
    WaitUntil(kSettle, [&] { return TextOf(Control(id)) == Widen(wanted); });
    EXPECT_EQ(TextOf(Control(id)), Widen(wanted));
  }

  // Waits for the view to show the desktop magnified by `zoom`; false if it never does.
  bool ShowsMagnifiedBy(int zoom) {
    std::vector<int> runs;
    const bool shown = WaitUntil(kSettle, [&] {
      runs = InnerRunLengths(GrabScreen(ScreenRectOfClient(view_)));
      return MagnifiedBy(runs, zoom);
    });
    if (!shown) {
      std::string seen;
      for (size_t i = 0; i < runs.size() && i < 12; ++i) seen += std::to_string(runs[i]) + " ";
      ADD_FAILURE() << "blocks of the picture: " << seen;
    }
    return shown;
  }

  // Right-clicks a control and picks an item of the menu it opens with the keyboard.
  void PickFromPopup(int id, std::initializer_list<WORD> keys) { PickFromPopupAt(CentreOf(Control(id)), keys); }

  void PickFromPopupAt(POINT at, std::initializer_list<WORD> keys) {
    ASSERT_TRUE(MovePointerTo(at));
    SendMouse(MOUSEEVENTF_RIGHTDOWN);
    SendMouse(MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(WaitUntil(kSettle, [] { return FindWindowW(L"#32768", nullptr) != nullptr; })) << "no menu opened";
    for (WORD key : keys) PressKeys({key});
    ASSERT_TRUE(WaitUntil(kSettle, [] { return FindWindowW(L"#32768", nullptr) == nullptr; })) << "menu stayed";
  }

  RECT desktop_{};
  ChildProcess pattern_;
  ChildProcess magnifier_;
  HWND window_ = nullptr;
  HWND panel_ = nullptr;
  HWND view_ = nullptr;
};

TEST_F(StatusPanelOnPattern, ReadoutsShowTheColorAndPositionUnderThePointer) {
  const POINT p = OpenDesktop();
  ASSERT_TRUE(MovePointerTo(p));
  const uint32_t color = test_pattern::PixelAt(p.x, p.y);
  ExpectText(kPositionLabelId, PositionText(p));
  ExpectText(kColorSwatchId, RgbText(color));
  // The swatch is painted in the colour it names.
  const RECT swatch = ScreenRectOfClient(Control(kColorSwatchId));
  EXPECT_EQ(GrabScreen({swatch.left, swatch.top, swatch.left + 2, swatch.top + 2}).At(1, 1), color);

  ASSERT_TRUE(MakeForeground(window_));
  PickFromPopup(kColorSwatchId, {VK_UP, VK_RETURN});  // HTML Code, the last item
  ASSERT_TRUE(MovePointerTo(p));
  ExpectText(kColorSwatchId, HtmlText(color));
}

TEST_F(StatusPanelOnPattern, CopiesTheReadoutTextsToTheClipboard) {
  const POINT p = OpenDesktop(-13, 17);
  ASSERT_TRUE(MovePointerTo(p));
  ExpectText(kColorSwatchId, RgbText(test_pattern::PixelAt(p.x, p.y)));
  ASSERT_FALSE(HasFailure());
  ASSERT_TRUE(MakeForeground(window_));
  ASSERT_TRUE(EmptyTheClipboard());

  PickFromPopup(kColorSwatchId, {VK_DOWN, VK_RETURN});  // Copy Color to Clipboard
  HWND notice = nullptr;
  ASSERT_TRUE(WaitUntil(kSettle, [&] {
    notice = FindProcessWindow(magnifier_.Id(), L"Glimmerlux");
    return notice != nullptr && notice != window_;
  })) << "no \"copied\" box";
  EXPECT_TRUE(FindWindowExW(notice, nullptr, L"Static", L"copied") != nullptr);
  // The pointer now rests on the swatch, which then shows its own changing colour, so only
  // the form of the copied text is known.
  const std::wstring copiedColor = ClipboardText().value_or(L"");
  unsigned r = 256, g = 256, b = 256;
  wchar_t rest = 0;
  EXPECT_EQ(swscanf(copiedColor.c_str(), L"RGB : %u,%u,%u%lc", &r, &g, &b, &rest), 3) << copiedColor;
  EXPECT_TRUE(r < 256 && g < 256 && b < 256) << copiedColor;
  PostMessageW(notice, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil(kSettle, [&] { return !IsWindow(notice); }));

  // Ctrl+Alt+O makes the pointer the origin of the position readout.
  ASSERT_TRUE(MakeForeground(window_));
  ASSERT_TRUE(MovePointerTo(p));
  PressKeys({VK_CONTROL, VK_MENU, 'O'});
  ExpectText(kPositionLabelId, "Position: 0, 0");
  ASSERT_TRUE(MovePointerTo({p.x + 5, p.y - 7}));
  ExpectText(kPositionLabelId, "Position: 5, -7");

  // Wide enough for the position label, which narrower windows leave out.
  SetWindowPos(window_, nullptr, 0, 0, 640, 320, SWP_NOMOVE | SWP_NOZORDER);
  ASSERT_TRUE(WaitUntil(kSettle, [&] { return IsWindowVisible(Control(kPositionLabelId)) != FALSE; }));
  // A menu keeps the readouts it opened on, so the label first catches up with the pointer on it.
  const POINT onLabel = CentreOf(Control(kPositionLabelId));
  ASSERT_TRUE(MovePointerTo(onLabel));
  ExpectText(kPositionLabelId, PositionText({onLabel.x - p.x, onLabel.y - p.y}));
  PickFromPopup(kPositionLabelId, {VK_DOWN, VK_RETURN});  // Copy Coordinates to Clipboard
  std::optional<std::wstring> copied;
  WaitUntil(kSettle, [&] { return (copied = ClipboardText()).has_value(); });
  EXPECT_EQ(copied, TextOf(Control(kPositionLabelId)));
  EXPECT_EQ(copied.value_or(L"").rfind(L"Position: ", 0), 0u);
}

// The keyboard's focus, in the magnifier's thread.
HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

TEST_F(StatusPanelOnPattern, ACommandChosenFromAMenuActsWhereThePointerWasAsTheMenuOpened) {
  // Wide enough for the position label, which narrower windows leave out.
  SetWindowPos(window_, nullptr, 0, 0, 640, 320, SWP_NOMOVE | SWP_NOZORDER);
  ASSERT_TRUE(WaitUntil(kSettle, [&] { return IsWindowVisible(Control(kPositionLabelId)) != FALSE; }));
  const POINT p = OpenDesktop(-21, 9);
  ASSERT_TRUE(MovePointerTo(p));
  const std::string color = RgbText(test_pattern::PixelAt(p.x, p.y));
  ExpectText(kColorSwatchId, color);
  ASSERT_TRUE(MakeForeground(window_));
  ASSERT_TRUE(EmptyTheClipboard());

  // The colour's own menu from the keyboard, its first item then clicked with the mouse: the
  // pointer rests on the menu's highlight for many ticks first.
  for (int i = 0; i < 8 && FocusOf(window_) != Control(kColorSwatchId); ++i) {
    const HWND before = FocusOf(window_);
    PressKeys({VK_TAB});
    WaitUntil(kSettle, [&] { return FocusOf(window_) != before; });
  }
  ASSERT_EQ(FocusOf(window_), Control(kColorSwatchId));
  PressKeys({VK_SHIFT, VK_F10});
  HWND menu = nullptr;
  ASSERT_TRUE(WaitUntil(kSettle, [&] { return (menu = FindWindowW(L"#32768", nullptr)) != nullptr; }));
  RECT items{};
  GetWindowRect(menu, &items);
  ASSERT_TRUE(MovePointerTo({items.left + 30, items.top + 8}));
  Sleep(1000);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
  HWND notice = nullptr;
  ASSERT_TRUE(WaitUntil(kSettle, [&] {
    notice = FindProcessWindow(magnifier_.Id(), L"Glimmerlux");
    return notice != nullptr && notice != window_;
  })) << "no \"copied\" box";
  EXPECT_EQ(ClipboardText().value_or(L""), Widen(color)) << "not the color under the pointer as the menu opened";
  PostMessageW(notice, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil(kSettle, [&] { return !IsWindow(notice); }));

  // "Set Virtual Origin" from the main menu, chosen with the keys after the pointer has gone
  // elsewhere: the origin is where the pointer was as the menu opened.
  ASSERT_TRUE(MovePointerTo(p));
  ExpectText(kColorSwatchId, color);
  ASSERT_TRUE(MakeForeground(window_));
  PressKeys({VK_SHIFT, VK_F10});
  ASSERT_TRUE(WaitUntil(kSettle, [&] { return FindWindowW(L"#32768", nullptr) != nullptr; }));
  ASSERT_TRUE(MovePointerTo({p.x + 40, p.y + 30}));
  Sleep(500);
  // Up from the top reaches the last item, and one item more for each shown below the command.
  const auto table = MainMenuTable().entries;
  int presses = 1;
  for (size_t i = IndexOfMenuEntry(table, "SetVirtualOrigin1") + 1; i < table.size(); ++i) {
    if (table[i].Depth == 0 && !table[i].IsSeparator() && IsAvailable(table, i)) ++presses;
  }
  for (int i = 0; i < presses; ++i) PressKeys({VK_UP});
  PressKeys({VK_RETURN});
  ASSERT_TRUE(WaitUntil(kSettle, [] { return FindWindowW(L"#32768", nullptr) == nullptr; })) << "menu stayed";
  ASSERT_TRUE(MovePointerTo({p.x + 5, p.y - 7}));
  ExpectText(kPositionLabelId, "Position: 5, -7");
}

TEST_F(StatusPanelOnPattern, WheelAndListChangeTheZoomOfThePicture) {
  HWND list = Control(kZoomLevelId);
  EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 1);
  const POINT open = OpenDesktop();
  ASSERT_TRUE(MovePointerTo(open));
  EXPECT_TRUE(ShowsMagnifiedBy(2));

  // Over the panel's free space, between the swatch and the position label.
  const RECT swatch = ScreenRectOfClient(Control(kColorSwatchId));
  ASSERT_TRUE(MovePointerTo({swatch.right + 2, swatch.top}));
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(MakeForeground(window_));
  SendMouse(MOUSEEVENTF_WHEEL, WHEEL_DELTA);
  ASSERT_TRUE(WaitUntil(kSettle, [&] { return SendMessageW(list, CB_GETCURSEL, 0, 0) == 2; }))
      << "the wheel left the list at " << SendMessageW(list, CB_GETCURSEL, 0, 0);
  ASSERT_TRUE(MovePointerTo(open));
  EXPECT_TRUE(ShowsMagnifiedBy(3));

  // The list, as a person uses it: open it, step down, confirm.
  ASSERT_TRUE(MovePointerTo(CentreOf(list)));
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitUntil(kSettle, [&] { return SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) != 0; }));
  PressKeys({VK_DOWN});
  PressKeys({VK_RETURN});
  ASSERT_TRUE(WaitUntil(kSettle, [&] { return SendMessageW(list, CB_GETCURSEL, 0, 0) == 3; }));
  ASSERT_TRUE(MovePointerTo(open));
  EXPECT_TRUE(ShowsMagnifiedBy(4));
}

TEST_F(StatusPanelOnPattern, RightClickMenuChoosesTheZoom) {
  ASSERT_TRUE(MakeForeground(window_));
  // Zoom Level, into its submenu on "Zoom 1×", two down to "Zoom 3×".
  PickFromPopupAt(CentreOf(view_), {VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN});
  EXPECT_EQ(SendMessageW(Control(kZoomLevelId), CB_GETCURSEL, 0, 0), 2);
  ASSERT_TRUE(MovePointerTo(OpenDesktop()));
  EXPECT_TRUE(ShowsMagnifiedBy(3));
}

}  // namespace
