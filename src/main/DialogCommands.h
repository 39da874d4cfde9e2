#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/UpdateDownload.h"
#include "dialogs/fmAbout.h"
#include "dialogs/fmCheckUpdate.h"
#include "main/Timer.h"
#include "platform/Windowing.h"

class Internet;
class Messages;
class ShellOpen;
class TfrmAbout;
class TfrmCheckUpdate;
class UpdateDownload;
class WindowFrame;
class Workers;

inline constexpr const char* kNoConnectionText = "Cannot connect to the internet.  Please check your connection.";
// The update check ends by then, whatever the server does: name lookup, TLS, redirects, body.
inline constexpr uint32_t kUpdateCheckDeadlineMs = 20000;
inline constexpr uintptr_t kUpdateDeadlineTimerId = 3;

// The update check, the About box, the help and web-site commands and the window caption.
// One modal dialog (or the check's warning) at a time; while it is open the commands that open
// one are greyed, and whatever would end the program waits until it has closed. The check's
// download runs on a worker: the commands stay greyed while it runs, the tick goes on, and the
// program may end meanwhile without waiting for it.
class DialogCommands {
 public:
  struct Services {
    Internet& internet;
    ShellOpen& shell;
    Messages& messages;
    WindowFrame& frame;
    Windowing& windows;
    Workers& workers;
  };
  // What the window host does with a dialog: show it modally (returning once it has closed, or
  // at once, or with an exception, when it could not be shown), bring the open one to the
  // front, ask the open one to close.
  struct Host {
    std::function<void(TfrmCheckUpdate&)> showCheckUpdate;
    std::function<void(TfrmAbout&)> showAbout;
    std::function<void()> bringToFront;
    std::function<void()> closeDialog;
  };
  // The main window's parts the dialogs touch.
  struct Window {
    const WindowId& handle;
    const std::string& version;
    Timer& timer;
    // The user's "Stay On Top" choice, and what sets the window so.
    std::function<bool()> stayOnTop;
    std::function<void(bool)> setStayOnTop;
    // Brings the program back from the tray.
    std::function<void()> showProgram;
    std::function<bool()> programShown;
  };
  DialogCommands(Services services, Window window);
  ~DialogCommands();
  // A dialog's own message loop is about to run.
  std::function<void()> OnModalLoop;
  DialogCommands(const DialogCommands&) = delete;
  DialogCommands& operator=(const DialogCommands&) = delete;

  // Binds the check's deadline timer to the window; 0 detaches it.
  void AttachWindow(WindowId window);

  Host host;
  // The version file's address; VersionFileUrl decides it at start.
  std::string versionFileUrl;

  void CheckforUpdates1Click();
  // Starts the check's download; the outcome comes through WorkDone or DeadlineReached.
  void CheckNewVersion();
  // The window's thread hears that work handed off has ended.
  void WorkDone();
  // The check's deadline timer went off: the download is given up.
  void DeadlineReached();
  bool Checking() const { return download_ != nullptr; }
  void AboutGlimmerlux1Click();
  void VisitTarnwellSoftwareWebsite1Click();
  void ShowHelpfile1Click();
  void UpdateTitleCaption(const std::string& suffix = {});

  bool DialogOpen() const { return open_ > 0; }
  // "Check for Updates" and "About" are greyed while a dialog is open or a check runs.
  bool CommandsFree() const { return open_ == 0 && !download_; }
  // Runs `action` now, or, while a dialog is open, asks it to close and runs `action` once the
  // dialog's loop has returned, so nothing is destroyed under it.
  void AfterDialog(std::function<void()> action);
  // A click on the tray icon: with a dialog open it comes to the front; true when one was.
  bool TrayIconClick();

 private:
  // Greys the dialog commands around `show`, and if asked holds the tick and lifts stay-on-top;
  // everything is given back however `show` ends.
  void RunModal(bool holdTimer, bool liftStayOnTop, const std::function<void()>& show);
  void EndCheck();
  void ShowVersionFile(const std::string& text);
  void ShowNoConnection();
  void RunDeferred();

  Services services_;
  Window window_;
  int open_ = 0;
  std::unique_ptr<UpdateDownload> download_;
  Timer deadline_;
  std::vector<std::function<void()>> afterDialog_;
};
