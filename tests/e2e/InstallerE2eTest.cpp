// The MSI that `make dist` ships, as an administrator deploys it: installed silently for the
// current user, the installed program started and ended, then removed; nothing may stay
// behind but what the user chose to keep.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which they need.
#include <msi.h>
#include <shellapi.h>
#include <shlobj.h>

#include <chrono>
#include <optional>
#include <string>

#include "Commands.h"
#include "Desktop.h"

namespace {

using namespace std::chrono_literals;

constexpr wchar_t kMakerKey[] = L"Software\\Tarnwell";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValue[] = L"Glimmerlux";
constexpr auto kInstallTimeout = 120s;

std::wstring KnownFolder(REFKNOWNFOLDERID folder) {
  wchar_t* path = nullptr;
  if (FAILED(SHGetKnownFolderPath(folder, 0, nullptr, &path))) return {};
  std::wstring result = path;
  CoTaskMemFree(path);
  return result;
}

std::wstring InstalledProgram() {
  return KnownFolder(FOLDERID_LocalAppData) + L"\\Programs\\Glimmerlux\\glimmerlux.exe";
}
std::wstring StartMenuShortcut() { return KnownFolder(FOLDERID_Programs) + L"\\Glimmerlux.lnk"; }
std::wstring Package() { return BesideThisProgram(L"dist\\" GLIMMERLUX_MSI_FILE); }

bool Registered() { return MsiQueryProductStateW(GLIMMERLUX_PRODUCT_CODE) == INSTALLSTATE_DEFAULT; }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool KeyExists(const wchar_t* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::optional<std::wstring> RunEntry() {
  wchar_t text[1024] = {};
  DWORD size = sizeof(text);
  if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(text);
}

void SetRunEntry(const std::wstring& command) {
  RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, REG_SZ, command.c_str(),
                  static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
}

// A program started by its full path; killed when the test ends, passed or not.
struct Started {
  KernelHandle process;
  DWORD id = 0;

  explicit Started(const std::wstring& commandLine) {
    std::wstring line = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return;
    CloseHandle(info.hThread);
    process.Reset(info.hProcess);
    id = info.dwProcessId;
  }
  // Whatever the Start-menu shortcut starts, as a click on it would.
  static Started FromShortcut(const std::wstring& shortcut) {
    Started started;
    SHELLEXECUTEINFOW open{};
    open.cbSize = sizeof(open);
    open.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    open.lpFile = shortcut.c_str();
    open.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&open)) return started;
    if (open.hProcess == nullptr) {
      // Wine hands back no process for a shortcut: find the program by its window.
      HWND window = nullptr;
      WaitUntil(kStartTimeout, [&] { return (window = FindWindowW(L"Tfrmmain", L"Glimmerlux")) != nullptr; });
      DWORD id = 0;
      if (window != nullptr) GetWindowThreadProcessId(window, &id);
      open.hProcess = id != 0
                          ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, id)
                          : nullptr;
      if (open.hProcess == nullptr) return started;
    }
    started.process.Reset(open.hProcess);
    started.id = GetProcessId(open.hProcess);
    return started;
  }
  Started() = default;
  Started(Started&&) = default;
  ~Started() {
    if (process && WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT) TerminateProcess(process.Get(), 1);
  }
  std::optional<DWORD> ExitCode(std::chrono::milliseconds timeout) const {
    if (!process || WaitForSingleObject(process.Get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
      return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process.Get(), &code);
    return code;
  }
};

// msiexec's exit code, or nothing when it did not end in time.
std::optional<DWORD> Msiexec(const std::wstring& arguments) {
  const Started msiexec(L"msiexec.exe " + arguments);
  return msiexec.ExitCode(kInstallTimeout);
}
std::optional<DWORD> Install() { return Msiexec(L"/i \"" + Package() + L"\" /qn"); }
std::optional<DWORD> Uninstall(const std::wstring& properties = L"") {
  return Msiexec(L"/x \"" + Package() + L"\" /qn " + properties);
}

class InstalledPackage : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Exists(Package())) << "no package at " << std::string(Package().begin(), Package().end());
    Uninstall();  // what a failed run may have left; "not installed" is fine
    ForgetSettings(kSettingsKey);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue);
    ASSERT_EQ(Install(), 0u) << "msiexec /i failed";
  }
  void TearDown() override {
    Uninstall();
    ForgetSettings(kSettingsKey);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue);
  }
};

TEST_F(InstalledPackage, RunsFromTheStartMenuShortcutAndUninstallsLeavingOnlyTheSettings) {
  EXPECT_TRUE(Registered());
  EXPECT_TRUE(Exists(InstalledProgram()));
  EXPECT_TRUE(Exists(StartMenuShortcut()));

  {
    const Started program = Started::FromShortcut(StartMenuShortcut());
    ASSERT_TRUE(program.process) << "the Start-menu shortcut started nothing";
    wchar_t image[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    ASSERT_TRUE(QueryFullProcessImageNameW(program.process.Get(), 0, image, &length));
    EXPECT_EQ(_wcsicmp(image, InstalledProgram().c_str()), 0) << "the shortcut started another program";
    HWND window = nullptr;
    ASSERT_TRUE(WaitUntil(kStartTimeout, [&] { return (window = FindMagnifierWindow(program.id)) != nullptr; }))
        << "the installed program showed no window";
    ASSERT_TRUE(RunCommand(window, "RunonStartup1"));
    const std::optional<std::wstring> entry = RunEntry();
    ASSERT_TRUE(entry.has_value()) << "\"Run on Startup\" wrote no entry";
    EXPECT_EQ(*entry, L"\"" + InstalledProgram() + L"\" /autostart");
    ASSERT_TRUE(RunCommand(window, "Exit1"));
    EXPECT_EQ(program.ExitCode(10s), 0u) << "the installed program did not end on \"Exit\"";
  }
  ASSERT_TRUE(KeyExists(kSettingsKey)) << "the program stored no settings";

  ASSERT_EQ(Uninstall(), 0u) << "msiexec /x failed";
  EXPECT_FALSE(Registered()) << "Windows Installer still lists the product";
  EXPECT_FALSE(Exists(InstalledProgram()));
  EXPECT_FALSE(Exists(KnownFolder(FOLDERID_LocalAppData) + L"\\Programs\\Glimmerlux"));
  EXPECT_FALSE(Exists(StartMenuShortcut()));
  EXPECT_FALSE(RunEntry().has_value()) << "the log-on entry outlived the program";
  EXPECT_TRUE(KeyExists(kSettingsKey)) << "the settings went without being asked to";
}

TEST_F(InstalledPackage, RemovesTheSettingsOnRequestAndLeavesAnotherCopysLogOnEntry) {
  StoreSetting(kSettingsKey, L"ShowTitlebar", L"True");
  const std::wstring portableCopy = L"\"C:\\Tools\\Glimmerlux\\glimmerlux.exe\" /autostart";
  SetRunEntry(portableCopy);

  ASSERT_EQ(Uninstall(L"REMOVESETTINGS=1"), 0u) << "msiexec /x failed";
  EXPECT_FALSE(Exists(InstalledProgram()));
  EXPECT_FALSE(KeyExists(kSettingsKey));
  EXPECT_FALSE(KeyExists(kMakerKey)) << "the maker's key stayed behind empty";
  EXPECT_EQ(RunEntry(), portableCopy);
}

}  // namespace
