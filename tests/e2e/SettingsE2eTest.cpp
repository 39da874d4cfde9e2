// The settings a person sets survive the program: the registry values as the program writes
// and reads them.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>

#include "Commands.h"
#include "Desktop.h"
#include "main/win32/ControlIds.h"

namespace {

using namespace std::chrono_literals;

constexpr wchar_t kSettingsKey[] = L"Software\\Tarnwell\\Glimmerlux";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValue[] = L"Glimmerlux";
constexpr auto kStartTimeout = 30s;

std::optional<std::wstring> RegistryText(const wchar_t* key, const wchar_t* name) {
  wchar_t text[1024] = {};
  DWORD size = sizeof(text);
  if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(text);
}

void StoreNumber(const wchar_t* name, DWORD value) {
  RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name, REG_DWORD, &value, sizeof(value));
}

std::optional<DWORD> RegistryNumber(const wchar_t* name) {
  DWORD value = 0;
  DWORD size = sizeof(value);
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return value;
}

std::wstring ProgramBesideThisOne(const wchar_t* name) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring text(path);
  return text.substr(0, text.find_last_of(L"\\/") + 1) + name;
}

class StoredSettings : public ::testing::Test {
 protected:
  void SetUp() override { ForgetSettings(kSettingsKey); }
  void TearDown() override {
    ForgetSettings(kSettingsKey);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue);
  }

  void Start() {
    std::string why;
    window_ = StartMagnifier(magnifier_, L"", why);
    ASSERT_TRUE(window_ != nullptr) << why;
  }

  RECT WindowRect() const {
    RECT r{};
    GetWindowRect(window_, &r);
    return r;
  }

  ChildProcess magnifier_;
  HWND window_ = nullptr;
};

TEST_F(StoredSettings, RunOnStartupWritesTheQuotedProgramPathAndRemovesItAgain) {
  RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue);
  Start();
  ASSERT_TRUE(RunCommand(window_, "RunonStartup1"));
  const std::optional<std::wstring> command = RegistryText(kRunKey, kRunValue);
  ASSERT_TRUE(command.has_value()) << "no Run value";
  EXPECT_EQ(*command, L"\"" + ProgramBesideThisOne(L"glimmerlux.exe") + L"\" /autostart");

  ASSERT_TRUE(RunCommand(window_, "RunonStartup1"));
  EXPECT_FALSE(RegistryText(kRunKey, kRunValue).has_value()) << "the Run value stayed";
}

TEST_F(StoredSettings, AStoredPlacementIsUsedOnlyForTheScreenItWasMadeOn) {
  HDC screen = GetDC(nullptr);
  const int ppi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);

  StoreSetting(kSettingsKey, L"NormPos", L"30,40,530,360");
  StoreNumber(L"PixelsPerInch", static_cast<DWORD>(ppi));
  Start();
  const RECT placed = WindowRect();
  EXPECT_EQ(placed.left, 30) << Describe(placed);
  EXPECT_EQ(placed.top, 40) << Describe(placed);
  EXPECT_EQ(placed.right, 530) << Describe(placed);
  EXPECT_EQ(placed.bottom, 360) << Describe(placed);
  magnifier_ = ChildProcess();

  // Saved at another pixels-per-inch: the first-run place, centred on the primary monitor.
  ForgetSettings(kSettingsKey);
  StoreSetting(kSettingsKey, L"NormPos", L"30,40,530,360");
  StoreNumber(L"PixelsPerInch", static_cast<DWORD>(ppi + 24));
  Start();
  const RECT centred = WindowRect();
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  EXPECT_NEAR(centred.left + centred.right, monitor.rcMonitor.left + monitor.rcMonitor.right, 2) << Describe(centred);
  EXPECT_NEAR(centred.top + centred.bottom, monitor.rcMonitor.top + monitor.rcMonitor.bottom, 2) << Describe(centred);
}

TEST_F(StoredSettings, ExitAndAltF4EndTheProgramPromptlyWithTheSettingsSaved) {
  for (const bool byKeys : {false, true}) {
    SCOPED_TRACE(byKeys ? "Alt+F4" : "Exit");
    ForgetSettings(kSettingsKey);
    Start();
    const auto asked = std::chrono::steady_clock::now();
    if (byKeys) {
      ASSERT_TRUE(MakeForeground(window_));
      PressKeys({VK_MENU, VK_F4});
    } else {
      ASSERT_TRUE(RunCommand(window_, "Exit1"));
    }
    ASSERT_EQ(magnifier_.WaitForExit(kStartTimeout), std::optional<DWORD>(0));
    const auto took =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - asked).count();
    std::printf("the program ended %lld ms after it was asked\n", static_cast<long long>(took));
    // The program's own ending takes a few tens of milliseconds; a second is a wait for something.
    EXPECT_LT(took, 1000);
    EXPECT_TRUE(RegistryNumber(L"Pixlevel").has_value()) << "the settings were not saved";
    EXPECT_TRUE(RegistryNumber(L"FormVersion").has_value()) << "the form state was not saved";
  }
}

TEST_F(StoredSettings, AStartAskedToStayHiddenStillAppliesTheStoredSettings) {
  // As a run that ended with "Stay On Top" on leaves it.
  RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"StayOnTop1_Checked", REG_SZ, L"TRUE", sizeof(L"TRUE"));
  magnifier_ = ChildProcess(L"glimmerlux.exe", L"", WORD{SW_HIDE});
  ASSERT_TRUE(magnifier_.Started());
  ASSERT_TRUE(magnifier_.WaitUntilIdle(kStartTimeout));
  HWND hidden = nullptr;
  ASSERT_TRUE(WaitUntil(kStartTimeout, [&] {
    return (hidden = FindProcessWindowOfClass(magnifier_.Id(), L"Tfrmmain", Shown::OrNot)) != nullptr;
  }));
  EXPECT_FALSE(IsWindowVisible(hidden));
  // Stay on top is one of the settings a show of the window applies.
  EXPECT_TRUE(WaitUntil(5s, [&] { return (GetWindowLongPtrW(hidden, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }))
      << "the stored settings were not applied";
}

TEST_F(StoredSettings, EveryOptionSetThroughTheMenuComesBackAfterExit) {
  Start();
  const RECT desktop = VirtualScreen();
  const POINT fixedPoint{desktop.right - 300, desktop.bottom - 200};
  ASSERT_TRUE(MovePointerTo(fixedPoint));
  for (const char* item :
       {"Smoothen1", "CfSepia1", "FlipHorizontally1", "FlipVertically1", "DrawCrossHair1", "N10pixels1",
        "DrawFixedGrid1", "Showcursor1", "HTMLCode1", "Magnify4X1", "N30xpersecond1", "StayOnTop1", "ShowHideTitlebar1",
        "MakeWindowTransparent1", "FixedLocation1", "FollowCaretPosition1"}) {
    ASSERT_TRUE(RunCommand(window_, item)) << item;
  }
  ASSERT_TRUE(MoveWindowTo(window_, {50, 60}));
  const RECT before = WindowRect();
  ASSERT_TRUE(RunCommand(window_, "Exit1"));
  ASSERT_EQ(magnifier_.WaitForExit(kStartTimeout), std::optional<DWORD>(0)) << "Exit did not end the program";

  ASSERT_TRUE(MovePointerTo({desktop.left, desktop.bottom - 1}));
  Start();
  EXPECT_EQ(WindowRect().left, before.left);
  EXPECT_EQ(WindowRect().top, before.top);
  EXPECT_EQ(WindowRect().right, before.right);
  EXPECT_EQ(WindowRect().bottom, before.bottom);
  const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION) << "the title bar stays shown";
  EXPECT_NE(GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "stay on top";
  BYTE alpha = 0;
  DWORD flags = 0;
  EXPECT_TRUE(GetLayeredWindowAttributes(window_, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 160);
  HWND panel = GetDlgItem(window_, kPanel1Id);
  EXPECT_EQ(SendMessageW(GetDlgItem(panel, kZoomLevelId), CB_GETCURSEL, 0, 0), 3) << "Zoom 4x";
  wchar_t swatch[64] = {};
  GetWindowTextW(GetDlgItem(panel, kColorSwatchId), swatch, 64);
  ASSERT_TRUE(WaitUntil(5s,
                        [&] {
                          GetWindowTextW(GetDlgItem(panel, kColorSwatchId), swatch, 64);
                          return swatch[0] == L'#';
                        }))
      << "the color shows as HTML code, not " << swatch;

  // What the picture is made of, as stored for the next start.
  EXPECT_EQ(RegistryNumber(L"ColorFilterMode"), std::optional<DWORD>(2));
  EXPECT_EQ(RegistryNumber(L"Pixlevel"), std::optional<DWORD>(10));
  EXPECT_EQ(RegistryNumber(L"Timer1_Interval"), std::optional<DWORD>(33));
  EXPECT_EQ(RegistryNumber(L"memX"), std::optional<DWORD>(static_cast<DWORD>(fixedPoint.x)));
  EXPECT_EQ(RegistryNumber(L"memY"), std::optional<DWORD>(static_cast<DWORD>(fixedPoint.y)));
  for (const wchar_t* name :
       {L"Smoothen1_Checked", L"FlipHorizontally1_Checked", L"FlipVertically1_Checked", L"DrawCrossHair1_Checked",
        L"DrawFixedGrid1_Checked", L"FixedLocation1_Checked", L"btnType_Down", L"FollowCaretPosition1_Checked"}) {
    const std::wstring text = RegistryText(kSettingsKey, name).value_or(L"absent");
    EXPECT_TRUE(text == L"TRUE" || text == L"True") << name << " = " << text;
  }
  EXPECT_EQ(RegistryText(kSettingsKey, L"Showcursor1_Checked").value_or(L"absent"), L"FALSE");
  EXPECT_EQ(RegistryText(kSettingsKey, L"RGBValues1_Checked").value_or(L"absent"), L"FALSE");
}

}  // namespace
