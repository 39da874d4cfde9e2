#include "Layout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Desktop.h"
#include "Picture.h"

namespace {

std::string Name(HWND control) {
  const std::wstring text = TextOf(control);
  const std::wstring name = ClassOf(control) + L" \"" + text.substr(0, 30) + L"\"";
  return std::string(name.begin(), name.end());
}

// The room each control's text needs, measured inside the program (fixture/TextFitHook.cpp);
// unhooked and unloaded with the object.
class TextFit {
 public:
  explicit TextFit(HWND window) {
    library_ = LoadLibraryW(BesideThisProgram(L"text_fit_hook.dll").c_str());
    if (library_ == nullptr) return;
    const auto hookProc =
        reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(library_, "TextFitMessageHook")));
    if (hookProc != nullptr) {
      hook_ = SetWindowsHookExW(WH_GETMESSAGE, hookProc, library_, GetWindowThreadProcessId(window, nullptr));
    }
  }
  ~TextFit() {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
    if (library_ != nullptr) FreeLibrary(library_);
  }
  TextFit(const TextFit&) = delete;
  TextFit& operator=(const TextFit&) = delete;

  // Empty when the text fits its control, else what it needs and has.
  std::string CutOff(HWND control) const {
    if (hook_ == nullptr) return "the text could not be measured (no text_fit_hook.dll)";
    static const UINT request = RegisterWindowMessageW(L"GlimmerluxTestTextFit");
    constexpr wchar_t kNeeds[] = L"GlimmerluxTextNeeds";
    RemovePropW(control, kNeeds);
    PostMessageW(control, request, 0, 0);
    if (!WaitUntil(std::chrono::seconds(5), [&] { return GetPropW(control, kNeeds) != nullptr; })) {
      return "the text was never measured";
    }
    const auto needs = static_cast<DWORD>(reinterpret_cast<uintptr_t>(GetPropW(control, kNeeds)));
    RECT client{};
    GetClientRect(control, &client);
    if (LOWORD(needs) <= client.right && HIWORD(needs) <= client.bottom) return "";
    return "needs " + std::to_string(LOWORD(needs)) + "x" + std::to_string(HIWORD(needs)) + ", has " +
           std::to_string(client.right) + "x" + std::to_string(client.bottom);
  }

 private:
  HMODULE library_ = nullptr;
  HHOOK hook_ = nullptr;
};

std::string ProblemsNow(HWND window, const TextFit& fit) {
  std::string problems;
  RECT client{};
  GetClientRect(window, &client);
  std::vector<HWND> children;
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT area{};
    GetClientRect(child, &area);
    // A control of no size shows nothing: the zoom list's name for screen readers is one.
    if (IsWindowVisible(child) && !IsRectEmpty(&area)) children.push_back(child);
  }
  std::vector<RECT> places;
  for (HWND child : children) {
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
    places.push_back(place);
    if (place.left < client.left || place.top < client.top || place.right > client.right ||
        place.bottom > client.bottom) {
      problems += "\n  " + Name(child) + " at " + Describe(place) + " reaches out of " + Describe(client);
    }
    if (ClassOf(child) == L"Static" && !TextOf(child).empty()) {
      const std::string cut = fit.CutOff(child);
      if (!cut.empty()) problems += "\n  " + Name(child) + " is cut off at " + Describe(place) + ": " + cut;
    }
  }
  for (size_t i = 0; i < places.size(); ++i) {
    for (size_t j = i + 1; j < places.size(); ++j) {
      if (Intersect(places[i], places[j])) {
        problems += "\n  " + Name(children[i]) + " at " + Describe(places[i]) + " overlaps " + Name(children[j]) +
                    " at " + Describe(places[j]);
      }
    }
  }
  RECT outer{};
  GetWindowRect(window, &outer);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  RECT on{};
  IntersectRect(&on, &outer, &monitor.rcMonitor);
  if (!EqualRect(&on, &outer)) {
    problems += "\n  the window at " + Describe(outer) + " reaches off its monitor " + Describe(monitor.rcMonitor);
  }
  return problems;
}

}  // namespace

std::string LayoutProblems(HWND window) {
  // A window just shown may still be drawing.
  const TextFit fit(window);
  std::string problems;
  WaitUntil(std::chrono::seconds(3), [&] { return (problems = ProblemsNow(window, fit)).empty(); });
  static int saved = 0;
  if (!problems.empty()) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = test != nullptr ? test->name() : "layout";
    problems +=
        "\n  the desktop saved as " + SaveDesktopForPerson("e2e-" + name + "-layout-" + std::to_string(++saved));
  }
  return problems;
}

std::string SaveDesktopForPerson(const std::string& name) {
  const std::string file = name + ".bmp";
  SaveBmp(GrabScreen(VirtualScreen()), std::wstring(file.begin(), file.end()));
  char full[MAX_PATH] = {};
  GetFullPathNameA(file.c_str(), MAX_PATH, full, nullptr);
  return full;
}
