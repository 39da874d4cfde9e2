#pragma once

#include "fake/FakeAppWindow.h"
#include "fake/FakeCaret.h"
#include "fake/FakeClipboard.h"
#include "fake/FakeHotKeys.h"
#include "fake/FakeInternet.h"
#include "fake/FakeMessages.h"
#include "fake/FakeMonitors.h"
#include "fake/FakeProgramFile.h"
#include "fake/FakeScreen.h"
#include "fake/FakeSettingsStore.h"
#include "fake/FakeShellOpen.h"
#include "fake/FakeStartupEntry.h"
#include "fake/FakeTray.h"
#include "fake/FakeWindowFrame.h"
#include "fake/FakeWindowing.h"
#include "fake/FakeWorkers.h"
#include "platform/Services.h"

// One fake of every role, for units that take several.
struct FakePlatform {
  FakeScreen screen;
  FakeWindowing windows;
  FakeWindowFrame frame;
  FakeMonitors monitors;
  FakeCaret caret;
  FakeClipboard clipboard;
  FakeMessages messages;
  FakeSettingsStore settings;
  FakeStartupEntry startup;
  FakeProgramFile programFile;
  FakeTray tray;
  FakeAppWindow app;
  FakeHotKeys hotKeys;
  FakeInternet internet;
  FakeShellOpen shell;
  FakeWorkers workers;

  operator PlatformServices() {
    return {screen,  windows,     frame, monitors, caret,   clipboard, messages, settings,
            startup, programFile, tray,  app,      hotKeys, internet,  shell,    workers};
  }
};
