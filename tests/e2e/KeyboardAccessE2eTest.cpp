// The real glimmerlux.exe for someone who uses the keyboard or a screen reader: the menu opens
// from the keyboard beside what has the focus, every command is reached through it, Tab
// walks the panel's controls, and each control carries a name.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "Desktop.h"
#include "main/win32/ControlIds.h"

namespace {

using namespace std::chrono_literals;

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

TEST_F(KeyboardAccess, ShiftF10OnTheZoomListOpensTheMenuBelowItAndLeavesTheZoom) {
  const HWND list = GetDlgItem(panel_, kZoomLevelId);
  for (int i = 0; i < 8 && Focus() != list; ++i) {
    const HWND before = Focus();
    PressKeys({VK_TAB});
    WaitUntil(kSettle, [&] { return Focus() != before; });
  }
  ASSERT_EQ(Focus(), list);
  const LRESULT zoom = SendMessageW(list, CB_GETCURSEL, 0, 0);
  PressKeys({VK_SHIFT, VK_F10});
  HWND menu = nullptr;
  ASSERT_TRUE(WaitUntil(kSettle, [&] { return (menu = OpenMenu()) != nullptr; })) << "no menu opened";
  RECT placed{};
  RECT below{};
  GetWindowRect(menu, &placed);
  GetWindowRect(list, &below);
  EXPECT_EQ(placed.left, below.left) << Describe(placed) << " for the list at " << Describe(below);
  EXPECT_EQ(placed.top, below.bottom) << Describe(placed) << " for the list at " << Describe(below);
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(WaitUntil(kSettle, [&] { return OpenMenu() == nullptr; })) << "Escape left the menu open";
  EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), zoom);
}

TEST_F(KeyboardAccess, EveryPanelControlHasANameAndTheKeyboardReachesEachWithItsMenu) {
  EXPECT_EQ(TextOf(GetDlgItem(panel_, kTypeButtonId)), L"Follow Caret Position");
  EXPECT_EQ(TextOf(GetDlgItem(panel_, kOptionsButtonId)), L"Settings");
  EXPECT_EQ(TextOf(GetDlgItem(panel_, kCloseButtonId)), L"Close");
  // A list is named by the label just before it.
  const HWND label = GetWindow(GetDlgItem(panel_, kZoomLevelId), GW_HWNDPREV);
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(ClassOf(label), L"Static");
  EXPECT_EQ(TextOf(label), L"Zoom Level");

  // Round and round, from wherever the focus starts (the window itself, or the list), over the
  // controls the window's width leaves shown.
  std::vector<HWND> cycle;
  for (int id : {kZoomLevelId, kTypeButtonId, kColorSwatchId, kPositionLabelId, kOptionsButtonId, kCloseButtonId}) {
    if (IsWindowVisible(GetDlgItem(panel_, id))) cycle.push_back(GetDlgItem(panel_, id));
  }
  ASSERT_GE(cycle.size(), 5u);
  size_t next = Focus() == cycle[0] ? 1 : 0;
  for (size_t step = 0; step <= cycle.size(); ++step, next = (next + 1) % cycle.size()) {
    PressKeys({VK_TAB});
    EXPECT_TRUE(WaitUntil(kSettle, [&] { return Focus() == cycle[next]; }))
        << "Tab did not reach control " << GetDlgCtrlID(cycle[next]);
  }
  PressKeys({VK_SHIFT, VK_TAB});
  const HWND back = cycle[(next + cycle.size() - 2) % cycle.size()];
  EXPECT_TRUE(WaitUntil(kSettle, [&] { return Focus() == back; })) << "Shift+Tab did not go back";

  // Enter on the settings button opens the main menu below it, Shift+F10 on the colour its own
  // menu below it, wherever the pointer is.
  struct Case {
    int id;
    std::initializer_list<WORD> keys;
  };
  for (const Case& c : {Case{kOptionsButtonId, {VK_RETURN}}, Case{kColorSwatchId, {VK_SHIFT, VK_F10}}}) {
    const HWND control = GetDlgItem(panel_, c.id);
    for (size_t step = 0; step < cycle.size() && Focus() != control; ++step) {
      const HWND before = Focus();
      PressKeys({VK_TAB});
      WaitUntil(kSettle, [&] { return Focus() != before; });
    }
    ASSERT_EQ(Focus(), control) << c.id;
    PressKeys(c.keys);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil(kSettle, [&] { return (menu = OpenMenu()) != nullptr; })) << "no menu for " << c.id;
    RECT placed{};
    RECT below{};
    GetWindowRect(menu, &placed);
    GetWindowRect(control, &below);
    EXPECT_EQ(placed.left, below.left) << Describe(placed) << " for control " << c.id << " at " << Describe(below);
    EXPECT_EQ(placed.top, below.bottom) << Describe(placed) << " for control " << c.id << " at " << Describe(below);
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(WaitUntil(kSettle, [&] { return OpenMenu() == nullptr; })) << "Escape left the menu open";
  }
}

}  // namespace
