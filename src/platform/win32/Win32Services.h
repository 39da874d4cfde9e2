#pragma once

#include "platform/Services.h"
#include "platform/win32/Win32AppWindow.h"
#include "platform/win32/Win32Caret.h"
#include "platform/win32/Win32Clipboard.h"
#include "platform/win32/Win32HotKeys.h"
#include "platform/win32/Win32Internet.h"
#include "platform/win32/Win32Messages.h"
#include "platform/win32/Win32Monitors.h"
#include "platform/win32/Win32ProgramFile.h"
#include "platform/win32/Win32Screen.h"
#include "platform/win32/Win32SettingsStore.h"
#include "platform/win32/Win32ShellOpen.h"
#include "platform/win32/Win32StartupEntry.h"
#include "platform/win32/Win32Tray.h"
#include "platform/win32/Win32WindowFrame.h"
#include "platform/win32/Win32Windowing.h"
#include "platform/win32/Win32Workers.h"

// The Windows implementation of every role the program uses.
struct Win32Services {
  Win32Screen screen;
  Win32Windowing windows;
  Win32WindowFrame frame;
  Win32Monitors monitors;
  Win32Caret caret;
  Win32Clipboard clipboard;
  Win32Messages messages;
  Win32SettingsStore settings;
  Win32StartupEntry startup;
  Win32ProgramFile programFile;
  Win32Tray tray;
  Win32AppWindow app;
  Win32HotKeys hotKeys;
  Win32Internet internet;
  Win32ShellOpen shell;
  Win32Workers workers;

  operator PlatformServices() {
    return {screen,  windows,     frame, monitors, caret,   clipboard, messages, settings,
            startup, programFile, tray,  app,      hotKeys, internet,  shell,    workers};
  }
  // Clipboard contents and notices belong to the main window.
  void SetOwner(HWND owner) {
    clipboard.SetOwner(owner);
    messages.SetOwner(owner);
  }
};
