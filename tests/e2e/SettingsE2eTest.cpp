// The settings a person sets survive the program: the registry values as the program writes
// and reads them.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

#include "Commands.h"
#include "Desktop.h"

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
    magnifier_ = ChildProcess(L"glimmerlux.exe", L"");
    ASSERT_TRUE(magnifier_.Started()) << "glimmerlux.exe did not start";
    ASSERT_TRUE(magnifier_.WaitUntilIdle(kStartTimeout)) << "glimmerlux.exe never finished starting";
    ASSERT_TRUE(WaitUntil(kStartTimeout, [&] {
      window_ = FindProcessWindow(magnifier_.Id(), L"Glimmerlux");
      return window_ != nullptr;
    })) << "no visible window captioned \"Glimmerlux\"";
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

}  // namespace
