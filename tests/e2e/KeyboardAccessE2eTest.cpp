// The real glimmerlux.exe for someone who uses the keyboard or a screen reader: the menu opens
// from the keyboard beside what has the focus, every command is reached through it, Tab
// walks the panel's controls, and each control carries a name.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <iterator>
#include <string>

#include "Desktop.h"
#include "main/win32/ControlIds.h"

namespace {

using namespace std::chrono_literals;

constexpr wchar_t kSettingsKey[] = L"Software\\Tarnwell\\Glimmerlux";
constexpr auto kSettle = 5s;

std::wstring TextOf(HWND control) {
  wchar_t text[256] = {};
  GetWindowTextW(control, text, 256);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// The open pop-up menu, or null.
HWND OpenMenu() {
  HWND menu = FindWindowW(L"#32768", nullptr);
  return menu != nullptr && IsWindowVisible(menu) ? menu : nullptr;
}

class KeyboardAccess : public ::testing::Test {
 protected:
  void SetUp() override {
    ForgetSettings(kSettingsKey);
    std::string why;
    window_ = StartMagnifier(magnifier_, L"", why);
    ASSERT_TRUE(window_ != nullptr) << why;
    panel_ = GetDlgItem(window_, kPanel1Id);
    ASSERT_TRUE(panel_ != nullptr);
    const RECT desktop = VirtualScreen();
    ASSERT_TRUE(MoveWindowTo(window_, {desktop.left + 100, desktop.top + 100}));
    // Far from the window, so a menu placed by the pointer would show it.
    ASSERT_TRUE(MovePointerTo({desktop.right - 5, desktop.bottom - 5}));
    ASSERT_TRUE(MakeForeground(window_));
  }
  void TearDown() override {
    if (OpenMenu() != nullptr) PressKeys({VK_ESCAPE});
    ForgetSettings(kSettingsKey);
  }

  HWND Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info) ? info.hwndFocus : nullptr;
  }

  ChildProcess magnifier_;
  HWND window_ = nullptr;
  HWND panel_ = nullptr;
};

TEST_F(KeyboardAccess, ShiftF10AndTheMenuKeyOpenTheMainMenuAtTheWindowAndReachItsCommands) {
  const RECT client = ScreenRectOfClient(window_);
  for (auto keys : {std::initializer_list<WORD>{VK_SHIFT, VK_F10}, std::initializer_list<WORD>{VK_APPS}}) {
    PressKeys(keys);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil(kSettle, [&] { return (menu = OpenMenu()) != nullptr; })) << "no menu opened";
    RECT placed{};
    GetWindowRect(menu, &placed);
    EXPECT_EQ(placed.left, client.left) << Describe(placed) << " for a client area at " << Describe(client);
    EXPECT_EQ(placed.top, client.top) << Describe(placed) << " for a client area at " << Describe(client);
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(WaitUntil(kSettle, [&] { return OpenMenu() == nullptr; })) << "Escape left the menu open";
  }

  // Its commands are chosen with the keys: "Exit", the last item, is Up from the top.
  PressKeys({VK_SHIFT, VK_F10});
  ASSERT_TRUE(WaitUntil(kSettle, [&] { return OpenMenu() != nullptr; })) << "no menu opened";
  PressKeys({VK_UP});
  PressKeys({VK_RETURN});
  EXPECT_EQ(magnifier_.WaitForExit(10s), 0u) << "\"Exit\" chosen with the keys did not end the program";
}

TEST_F(KeyboardAccess, EveryPanelControlHasANameAndTabWalksTheOnesThatAct) {
  EXPECT_EQ(TextOf(GetDlgItem(panel_, kTypeButtonId)), L"Follow Caret Position");
  EXPECT_EQ(TextOf(GetDlgItem(panel_, kOptionsButtonId)), L"Settings");
  EXPECT_EQ(TextOf(GetDlgItem(panel_, kCloseButtonId)), L"Close");
  // A list is named by the label just before it.
  const HWND label = GetWindow(GetDlgItem(panel_, kZoomLevelId), GW_HWNDPREV);
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(ClassOf(label), L"Static");
  EXPECT_EQ(TextOf(label), L"Zoom Level");

  // Round and round, from wherever the focus starts (the window itself, or the list).
  const int cycle[] = {kZoomLevelId, kTypeButtonId, kOptionsButtonId, kCloseButtonId};
  size_t next = 0;
  if (Focus() == GetDlgItem(panel_, kZoomLevelId)) next = 1;
  for (int step = 0; step < 5; ++step, next = (next + 1) % std::size(cycle)) {
    PressKeys({VK_TAB});
    EXPECT_TRUE(WaitUntil(kSettle, [&] { return Focus() == GetDlgItem(panel_, cycle[next]); }))
        << "Tab did not reach control " << cycle[next];
  }
  PressKeys({VK_SHIFT, VK_TAB});
  const int back = cycle[(next + std::size(cycle) - 2) % std::size(cycle)];
  EXPECT_TRUE(WaitUntil(kSettle, [&] { return Focus() == GetDlgItem(panel_, back); })) << "Shift+Tab did not go back";

  // Enter on the settings button opens the menu below it, the pointer being elsewhere.
  const HWND settings = GetDlgItem(panel_, kOptionsButtonId);
  for (int step = 0; step < 4 && Focus() != settings; ++step) {
    const HWND before = Focus();
    PressKeys({VK_TAB});
    WaitUntil(kSettle, [&] { return Focus() != before; });
  }
  ASSERT_EQ(Focus(), settings);
  PressKeys({VK_RETURN});
  HWND menu = nullptr;
  ASSERT_TRUE(WaitUntil(kSettle, [&] { return (menu = OpenMenu()) != nullptr; })) << "Enter opened no menu";
  RECT placed{};
  RECT button{};
  GetWindowRect(menu, &placed);
  GetWindowRect(settings, &button);
  EXPECT_EQ(placed.left, button.left) << Describe(placed) << " for the button at " << Describe(button);
  EXPECT_EQ(placed.top, button.bottom) << Describe(placed) << " for the button at " << Describe(button);
}

}  // namespace
