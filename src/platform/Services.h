#pragma once

#include "platform/AppWindow.h"
#include "platform/Caret.h"
#include "platform/Clipboard.h"
#include "platform/HotKeys.h"
#include "platform/Internet.h"
#include "platform/Messages.h"
#include "platform/Monitors.h"
#include "platform/ProgramFile.h"
#include "platform/Screen.h"
#include "platform/SettingsStore.h"
#include "platform/ShellOpen.h"
#include "platform/StartupEntry.h"
#include "platform/Tray.h"
#include "platform/WindowFrame.h"
#include "platform/Windowing.h"
#include "platform/Workers.h"

// One platform's roles, handed to the form, which gives each component only those it uses.
struct PlatformServices {
  Screen& screen;
  Windowing& windows;
  WindowFrame& frame;
  Monitors& monitors;
  CaretSource& caret;
  Clipboard& clipboard;
  Messages& messages;
  SettingsStore& settings;
  StartupEntry& startup;
  ProgramFile& programFile;
  Tray& tray;
  AppWindow& app;
  HotKeys& hotKeys;
  Internet& internet;
  ShellOpen& shell;
  Workers& workers;
};
