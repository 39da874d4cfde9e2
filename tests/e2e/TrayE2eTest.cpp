// The real glimmerlux.exe resident in the tray: hiding and coming back by the icon and the hot
// key, the ways it ends, and how the command line starts it.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include "Desktop.h"
#include "ExpectedPicture.h"
#include "Picture.h"
#include "fixture/TestPattern.h"
#include "main/win32/ControlIds.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kExitTimeout = 10s;

void ClickAt(POINT at, DWORD down, DWORD up) {
  if (!MovePointerTo(at)) return;
  SendMouse(down);
  SendMouse(up);
}

// Wine without a desktop tray shows the notification area as a window of its own.
HWND TrayWindow() {
  HWND tray = FindWindowW(nullptr, L"Wine System Tray");
  return tray != nullptr && IsWindowVisible(tray) ? tray : nullptr;
}

// The first icon in the notification area, which only the magnifier fills.
HWND TrayIconWindow() {
  HWND tray = TrayWindow();
  if (tray == nullptr) return nullptr;
  // Wine 8 draws each icon as a child window; later versions renamed its class.
  HWND icon = FindWindowExW(tray, nullptr, L"__winex11_tray_icon", nullptr);
  if (icon == nullptr) icon = FindWindowExW(tray, nullptr, L"__wine_tray_icon", nullptr);
  return icon != nullptr && IsWindowVisible(icon) ? icon : nullptr;
}

std::optional<POINT> TrayIconCentre() {
  HWND icon = TrayIconWindow();
  if (icon == nullptr) return std::nullopt;
  const RECT r = ScreenRectOfClient(icon);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::optional<std::wstring> StoredText(const wchar_t* name) {
  wchar_t text[256] = {};
  DWORD size = sizeof(text);
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(text);
}

class TrayOnPattern : public ::testing::Test {
 protected:
  void SetUp() override {
    desktop_ = VirtualScreen();
    ASSERT_TRUE(MovePointerTo({desktop_.right - 1, desktop_.bottom - 1}));
    pattern_ = ChildProcess(L"test_pattern.exe", L"");
    ASSERT_TRUE(pattern_.Started()) << "test_pattern.exe did not start";
    ASSERT_TRUE(WaitUntil(kStartTimeout, [&] {
      return ShowsPattern({desktop_.right - 16, desktop_.bottom - 16, desktop_.right, desktop_.bottom});
    })) << "the test pattern never covered the desktop";
    patternWindow_ = FindProcessWindow(pattern_.Id(), L"Test pattern");
    // A first run whose picture holds the pattern alone, without the cursor image.
    ForgetSettings(kSettingsKey);
    StoreSetting(kSettingsKey, L"Showcursor1_Checked", L"False");
  }

  void TearDown() override { ForgetSettings(kSettingsKey); }

  // Starts the magnifier and waits until its start-up is over.
  ChildProcess StartMagnifier(const std::wstring& arguments) {
    ChildProcess magnifier(L"glimmerlux.exe", arguments);
    EXPECT_TRUE(magnifier.Started()) << "glimmerlux.exe did not start";
    EXPECT_TRUE(magnifier.WaitUntilIdle(kStartTimeout)) << "glimmerlux.exe never finished starting";
    return magnifier;
  }

  // Starts the magnifier as a person would and waits for its window.
  void StartShown(const std::wstring& arguments = L"") {
    magnifier_ = StartMagnifier(arguments);
    ASSERT_TRUE(WaitUntil(kStartTimeout, [&] { return (window_ = Shown(magnifier_)) != nullptr; }))
        << "no visible main window";
    GetWindowRect(window_, &placed_);
  }

  static HWND Shown(const ChildProcess& magnifier) { return FindMagnifierWindow(magnifier.Id()); }

  bool WaitUntilHidden() {
    return WaitUntil(kSettle, [&] { return Shown(magnifier_) == nullptr; });
  }
  // Shown and restored: the taskbar button comes back a moment before the window does.
  bool WaitUntilShown() {
    return WaitUntil(kSettle, [&] {
      HWND shown = Shown(magnifier_);
      return shown != nullptr && !IsIconic(shown);
    });
  }

  // In the tray: no window of the program on screen, the process alive, the icon there.
  void ExpectInTray() {
    EXPECT_TRUE(WaitUntilHidden()) << "the window is still visible";
    EXPECT_TRUE(WaitUntil(kSettle, [&] { return ShowsPattern(placed_); }))
        << "something still covers " << Describe(placed_);
    EXPECT_FALSE(magnifier_.WaitForExit(0ms).has_value()) << "the program ended";
    EXPECT_TRUE(TrayIconCentre().has_value()) << "no icon in the notification area";
  }

  // Back where it was, at the same size, and showing the desktop around the pointer again.
  void ExpectBackInPlace() {
    ASSERT_TRUE(WaitUntilShown()) << "the window did not come back";
    RECT now{};
    GetWindowRect(window_, &now);
    EXPECT_EQ(Describe(now), Describe(placed_));
    EXPECT_FALSE(IsIconic(window_));
    ExpectPictureAroundPointer();
  }

  // Where a first start puts the window: centred on the primary monitor.
  RECT CentredPlace() const {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT now{};
    GetWindowRect(window_, &now);
    const LONG width = now.right - now.left;
    const LONG height = now.bottom - now.top;
    const RECT& work = monitor.rcWork;
    const LONG left = work.left + (work.right - work.left - width) / 2;
    const LONG top = work.top + (work.bottom - work.top - height) / 2;
    return {left, top, left + width, top + height};
  }

  void ClickTrayIcon(DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP) {
    const std::optional<POINT> icon = TrayIconCentre();
    ASSERT_TRUE(icon.has_value()) << "no icon in the notification area";
    // The pattern, started later, must not cover the notification area.
    SetWindowPos(TrayWindow(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // Two clicks in quick succession are a double click, which toggles only once.
    const auto sinceLast = std::chrono::steady_clock::now() - lastIconClick_;
    const auto doubleClickTime = std::chrono::milliseconds(GetDoubleClickTime() + 100);
    if (sinceLast < doubleClickTime) std::this_thread::sleep_for(doubleClickTime - sinceLast);
    ClickAt(*icon, down, up);
    lastIconClick_ = std::chrono::steady_clock::now();
  }

  // The view's picture is the pattern around a point well away from the window, doubled.
  void ExpectPictureAroundPointer() {
    const POINT pointer{desktop_.right - 150, desktop_.bottom - 120};
    ASSERT_TRUE(MovePointerTo(pointer));
    HWND view = ChildWindowFromPointEx(window_, {1, 1}, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    ASSERT_TRUE(view != nullptr && view != window_) << "the window has no view";
    RECT client{};
    GetClientRect(view, &client);
    const RECT source = expected::SourceRect(pointer, desktop_, client.right, client.bottom);
    const Picture wanted = expected::ViewPicture(source, desktop_, client.right, client.bottom);
    std::string differences;
    WaitUntil(kSettle, [&] {
      differences = expected::Differences(GrabScreen(ScreenRectOfClient(view)), wanted, true);
      return differences.empty();
    });
    EXPECT_EQ(differences, "") << "the picture around " << Describe(pointer);
  }

  void ExpectEndsWith(DWORD code) {
    const std::optional<DWORD> exit = magnifier_.WaitForExit(kExitTimeout);
    ASSERT_TRUE(exit.has_value()) << "the program did not end";
    EXPECT_EQ(*exit, code);
  }

  RECT desktop_{};
  ChildProcess pattern_;
  HWND patternWindow_ = nullptr;
  ChildProcess magnifier_;
  HWND window_ = nullptr;
  RECT placed_{};
  std::chrono::steady_clock::time_point lastIconClick_;
};

TEST_F(TrayOnPattern, TheCloseBoxHidesToTheTrayAndTheIconBringsItBackInPlace) {
  StartShown();
  ExpectPictureAroundPointer();
  PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
  ExpectInTray();
  EXPECT_FALSE(StoredText(L"ShowTitlebar").has_value()) << "hiding to the tray wrote the settings";
  ClickTrayIcon();
  ExpectBackInPlace();
  EXPECT_FALSE(StoredText(L"ShowTitlebar").has_value()) << "coming back wrote the settings";

  // The panel's close button does the same, and so does a second click on the icon.
  SCOPED_TRACE("the panel's close button");
  const RECT button = ScreenRectOfClient(GetDlgItem(GetDlgItem(window_, kPanel1Id), kCloseButtonId));
  ClickAt({(button.left + button.right) / 2, (button.top + button.bottom) / 2}, MOUSEEVENTF_LEFTDOWN,
          MOUSEEVENTF_LEFTUP);
  ExpectInTray();
  ClickTrayIcon();
  ExpectBackInPlace();
  SCOPED_TRACE("a click on the icon");
  ClickTrayIcon();
  ExpectInTray();
}

TEST_F(TrayOnPattern, MinimisingHidesToTheTrayAndARecreatedTaskbarGetsTheIconBack) {
  StartShown();
  PostMessageW(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ExpectInTray();
  // As a restarted shell announces its new taskbar: the icon is removed and added again.
  HWND before = TrayIconWindow();
  ASSERT_TRUE(before != nullptr);
  PostMessageW(window_, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  ASSERT_TRUE(WaitUntil(kSettle, [&] {
    HWND now = TrayIconWindow();
    return now != nullptr && now != before;
  })) << "the icon was not added anew";
  ClickTrayIcon();
  ExpectBackInPlace();
}

TEST_F(TrayOnPattern, CtrlAltGHidesTheFocusedWindowAndBringsItBackFromAnotherProgram) {
  StartShown();
  ASSERT_TRUE(MakeForeground(window_));
  PressKeys({VK_CONTROL, VK_MENU, 'G'});
  ExpectInTray();
  // Wine hands the keys only to a program of its own that has the focus.
  ASSERT_TRUE(MakeForeground(patternWindow_));
  PressKeys({VK_CONTROL, VK_MENU, 'G'});
  ExpectBackInPlace();
}

TEST_F(TrayOnPattern, ExitFromTheIconsMenuEndsTheHiddenProgramWithCodeZero) {
  StartShown();
  ClickTrayIcon();
  ExpectInTray();
  ClickTrayIcon(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  HWND menu = nullptr;
  ASSERT_TRUE(WaitUntil(kSettle, [&] { return (menu = FindWindowW(L"#32768", nullptr)) != nullptr; }))
      << "no menu opened";
  // "Exit" is the last item, at the menu's bottom edge.
  RECT r{};
  GetWindowRect(menu, &r);
  ClickAt({(r.left + r.right) / 2, r.bottom - 8}, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  ExpectEndsWith(0);
}

TEST_F(TrayOnPattern, AltF4EndsTheProgramThoughItStaysInTheTray) {
  StartShown();
  ASSERT_TRUE(MakeForeground(window_));
  PressKeys({VK_MENU, VK_F4});
  ExpectEndsWith(0);
  EXPECT_TRUE(StoredText(L"StayinSystemTray1_Checked").has_value()) << "the form state was saved on the way";
}

TEST_F(TrayOnPattern, AutostartStartsHiddenInTheTray) {
  magnifier_ = StartMagnifier(L"/autostart");
  ASSERT_TRUE(WaitUntil(kStartTimeout, [&] { return TrayIconCentre().has_value(); })) << "no icon";
  window_ = FindProcessWindowOfClass(magnifier_.Id(), L"Tfrmmain", Shown::OrNot);
  ASSERT_TRUE(window_ != nullptr) << "no main window at all";
  EXPECT_FALSE(IsWindowVisible(window_));
  EXPECT_TRUE(IsIconic(window_));
  ClickTrayIcon();
  ASSERT_TRUE(WaitUntilShown());
  placed_ = CentredPlace();
  ExpectBackInPlace();
}

TEST_F(TrayOnPattern, AnInvalidTransparencyIsReportedBeforeAnyWindowAndEndsWithCodeOne) {
  magnifier_ = ChildProcess(L"glimmerlux.exe", L"/transparent:5x");
  ASSERT_TRUE(magnifier_.Started());
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil(kStartTimeout, [&] {
    return (box = FindProcessWindow(magnifier_.Id(), L"Application Error"));
  })) << "no error box";
  EXPECT_TRUE(FindWindowExW(box, nullptr, L"Static", L"'5x' is not a valid integer value") != nullptr);
  EXPECT_EQ(FindProcessWindowOfClass(magnifier_.Id(), L"Tfrmmain", Shown::OrNot), nullptr);
  EXPECT_FALSE(TrayIconCentre().has_value());
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  ExpectEndsWith(1);
}

TEST_F(TrayOnPattern, TwoInstancesBothRunAndOnlyTheFirstHasTheHotKey) {
  StartShown();
  ChildProcess second = StartMagnifier(L"");
  HWND secondWindow = nullptr;
  ASSERT_TRUE(WaitUntil(kStartTimeout, [&] { return (secondWindow = Shown(second)) != nullptr; }));
  const KernelHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, L"Glimmerlux"));
  EXPECT_TRUE(mutex) << "no mutex named Glimmerlux";

  // Even with the second one in front, the keys go to the first. It stands aside, so that
  // the first one's place shows whether that has gone.
  RECT aside{};
  GetWindowRect(secondWindow, &aside);
  ASSERT_TRUE(MoveWindowTo(secondWindow, {desktop_.left, desktop_.bottom - (aside.bottom - aside.top)}));
  ASSERT_TRUE(MakeForeground(secondWindow));
  PressKeys({VK_CONTROL, VK_MENU, 'G'});
  ExpectInTray();
  EXPECT_EQ(Shown(second), secondWindow);
}

TEST_F(TrayOnPattern, AnEndSessionQueryIsAnsweredYesAndTheProgramEndsWithTheSession) {
  StartShown();
  DWORD_PTR answer = FALSE;
  ASSERT_TRUE(SendMessageTimeoutW(window_, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer));
  EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
  EXPECT_TRUE(StoredText(L"StayinSystemTray1_Checked").has_value()) << "no form state saved";
  EXPECT_TRUE(StoredText(L"ShowTitlebar").has_value()) << "no settings written";
  EXPECT_EQ(Shown(magnifier_), window_) << "neither hidden nor closed by the question";
  SendMessageTimeoutW(window_, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer);
  ExpectEndsWith(0);
}

}  // namespace
