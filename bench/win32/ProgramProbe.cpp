// Looks at the running magnifier from outside for `make bench-program` (bench/program-cpu.sh).
// Usage: program_probe.exe size WIDTH HEIGHT   sizes the main window so that the view is WIDTH x HEIGHT
//                                              and moves it to the top left, out of the pointer's way
//        program_probe.exe count                prints the program's GDI objects and windows
//        program_probe.exe command NAME         runs the main menu's command NAME (e.g. N60xpersecond1)
//                                              as choosing it in the menu does
// Exit code 1 when the program's window is not there or cannot be measured.
#include <windows.h>
#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "main/win32/MenuBuilder.h"

namespace {

class ProcessHandle {
 public:
  explicit ProcessHandle(HANDLE handle) : handle_(handle) {}
  ~ProcessHandle() {
    if (handle_ != nullptr) ::CloseHandle(handle_);
  }
  ProcessHandle(const ProcessHandle&) = delete;
  ProcessHandle& operator=(const ProcessHandle&) = delete;
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

// By class alone: the caption carries the version and the simulation chosen.
HWND MainWindow() { return ::FindWindowW(L"Tfrmmain", nullptr); }

HWND ViewWindow(HWND main) { return ::FindWindowExW(main, nullptr, L"TImageView", nullptr); }

SIZE ClientSize(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  return {client.right - client.left, client.bottom - client.top};
}

// The view follows the client area, whose distance to the outer size depends on the frame and the
// status panel; a few rounds settle it whatever they are.
int SizeView(int width, int height) {
  const HWND main = MainWindow();
  const HWND view = main != nullptr ? ViewWindow(main) : nullptr;
  if (view == nullptr) {
    std::fputs("program_probe: no Glimmerlux window with a view\n", stderr);
    return 1;
  }
  SIZE now = ClientSize(view);
  for (int round = 0; round < 5 && (round == 0 || now.cx != width || now.cy != height); ++round) {
    RECT outer{};
    ::GetWindowRect(main, &outer);
    ::SetWindowPos(main, nullptr, 0, 0, outer.right - outer.left + width - now.cx,
                   outer.bottom - outer.top + height - now.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    ::Sleep(300);
    now = ClientSize(view);
  }
  RECT outer{};
  ::GetWindowRect(main, &outer);
  std::printf("view %ldx%ld, window %ldx%ld at %ld,%ld\n", now.cx, now.cy, outer.right - outer.left,
              outer.bottom - outer.top, outer.left, outer.top);
  return now.cx == width && now.cy == height ? 0 : 1;
}

// GetGuiResources answers 0 under Wine, so the objects are counted in the process's GDI handle
// table, which the process environment block points to on Windows and on Wine alike: 65536 entries
// of 24 bytes, an entry in use having a nonzero type at byte 14.
constexpr size_t kGdiTableOffsetInPeb = 0xF8;
constexpr size_t kGdiEntries = 65536;
constexpr size_t kGdiEntrySize = 24;
constexpr size_t kGdiTypeOffset = 14;

bool ReadFrom(HANDLE process, uintptr_t address, void* into, size_t size) {
  SIZE_T read = 0;
  return ::ReadProcessMemory(process, reinterpret_cast<const void*>(address), into, size, &read) && read == size;
}

long CountGdiObjects(HANDLE process) {
  PROCESS_BASIC_INFORMATION basic{};
  ULONG length = 0;
  if (::NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof(basic), &length) != 0) return -1;
  uintptr_t table = 0;
  if (!ReadFrom(process, reinterpret_cast<uintptr_t>(basic.PebBaseAddress) + kGdiTableOffsetInPeb, &table,
                sizeof(table)) ||
      table == 0) {
    return -1;
  }
  std::vector<unsigned char> entries(kGdiEntries * kGdiEntrySize);
  if (!ReadFrom(process, table, entries.data(), entries.size())) return -1;
  long count = 0;
  for (size_t i = 0; i < kGdiEntries; ++i) {
    const unsigned char* type = &entries[i * kGdiEntrySize + kGdiTypeOffset];
    if (type[0] != 0 || type[1] != 0) ++count;
  }
  return count;
}

struct WindowCount {
  DWORD processId;
  long count;
};

// EnumChildWindows reaches every descendant, so each top-level window of the process adds itself
// and all of its descendants.
BOOL CALLBACK CountTopLevelWindow(HWND window, LPARAM data) {
  auto& windows = *reinterpret_cast<WindowCount*>(data);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner != windows.processId) return TRUE;
  ++windows.count;
  ::EnumChildWindows(
      window,
      [](HWND, LPARAM descendants) -> BOOL {
        ++reinterpret_cast<WindowCount*>(descendants)->count;
        return TRUE;
      },
      data);
  return TRUE;
}

int Count() {
  const HWND main = MainWindow();
  DWORD processId = 0;
  if (main == nullptr || ::GetWindowThreadProcessId(main, &processId) == 0) {
    std::fputs("program_probe: no Glimmerlux window\n", stderr);
    return 1;
  }
  ProcessHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  const long gdi = process.Get() != nullptr ? CountGdiObjects(process.Get()) : -1;
  if (gdi < 0) {
    std::fputs("program_probe: cannot read the program's GDI handle table\n", stderr);
    return 1;
  }
  WindowCount windows{processId, 0};
  ::EnumWindows(CountTopLevelWindow, reinterpret_cast<LPARAM>(&windows));
  std::printf("gdi %ld windows %ld\n", gdi, windows.count);
  return 0;
}

// The program numbers its menu commands from its own menu table, which is linked in here, so the
// command goes the same way as a click in the menu.
int Command(const wchar_t* name) {
  const std::wstring wide(name);
  const std::string narrow(wide.begin(), wide.end());  // item names are ASCII
  const UINT command = CommandOf(MainMenuTable(), narrow);
  const HWND main = MainWindow();
  if (command == 0 || main == nullptr) {
    std::fputs(command == 0 ? "program_probe: no such menu item\n" : "program_probe: no Glimmerlux window\n", stderr);
    return 1;
  }
  DWORD_PTR result = 0;
  if (::SendMessageTimeoutW(main, WM_COMMAND, MAKEWPARAM(command, 0), 0, SMTO_ABORTIFHUNG, 5000, &result) == 0) {
    std::fputs("program_probe: the program did not take the command\n", stderr);
    return 1;
  }
  std::printf("command %ls (%u) sent\n", name, command);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 4 && std::wcscmp(argv[1], L"size") == 0) {
    return SizeView(static_cast<int>(std::wcstol(argv[2], nullptr, 10)),
                    static_cast<int>(std::wcstol(argv[3], nullptr, 10)));
  }
  if (argc == 2 && std::wcscmp(argv[1], L"count") == 0) return Count();
  if (argc == 3 && std::wcscmp(argv[1], L"command") == 0) return Command(argv[2]);
  std::fputs("usage: program_probe.exe size WIDTH HEIGHT | count | command NAME\n", stderr);
  return 2;
}
