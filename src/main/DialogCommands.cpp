#include "main/DialogCommands.h"

#include <cstdlib>
#include <exception>
#include <optional>
#include <utility>

#include "dialogs/Links.h"
#include "dialogs/UrlText.h"
#include "dialogs/VersionFile.h"

DialogCommands::DialogCommands(Services services, Window window)
    : versionFileUrl(VersionFileUrl(std::getenv(kVersionUrlVariable))),
      services_(services),
      window_(std::move(window)),
      deadline_(services.windows, kUpdateDeadlineTimerId, kUpdateCheckDeadlineMs) {
  deadline_.SetEnabled(false);
}

// A check still running is aborted; its worker may outlive the program's objects, as it owns
// all it touches.
DialogCommands::~DialogCommands() = default;

void DialogCommands::AttachWindow(WindowId window) { deadline_.AttachWindow(window); }

void DialogCommands::CheckforUpdates1Click() {
  window_.items.CheckforUpdates1.Enabled = false;
  CheckNewVersion();
}

void DialogCommands::CheckNewVersion() {
  // One check at a time, however the command arrives.
  if (download_) return;
  try {
    download_ = std::make_unique<UpdateDownload>(services_.internet, services_.workers, versionFileUrl,
                                                 services_.workers.Waker(window_.handle));
  } catch (const std::exception&) {
    SyncCommands();
    ShowNoConnection();
    return;
  }
  deadline_.SetEnabled(true);
  SyncCommands();
}

void DialogCommands::WorkDone() {
  if (!download_) return;
  std::optional<std::string> text;
  try {
    text = download_->Text();
    // The news of a download given up earlier; this one still runs.
    if (!text) return;
  } catch (const std::exception&) {
    EndCheck();
    ShowNoConnection();
    return;
  }
  EndCheck();
  ShowVersionFile(*text);
}

void DialogCommands::DeadlineReached() {
  deadline_.SetEnabled(false);
  if (!download_) return;
  EndCheck();
  ShowNoConnection();
}

void DialogCommands::EndCheck() {
  deadline_.SetEnabled(false);
  download_.reset();
  SyncCommands();
}

void DialogCommands::ShowVersionFile(const std::string& text) {
  std::optional<TfrmCheckUpdate> dialog;
  try {
    const std::optional<VersionFile> file = ReadVersionFile(text);
    if (!file) throw EUrlText("incorrect data found");
    dialog.emplace(services_.shell, services_.messages);
    dialog->Fill(file->Remote, window_.version, CompareVersions(file->Remote, window_.version), file->News);
  } catch (const std::exception&) {
    // Whatever went wrong, the user is told the same; the cause is of no use to them.
    ShowNoConnection();
    return;
  }
  RunModal(true, true, [&] {
    if (host.showCheckUpdate) host.showCheckUpdate(*dialog);
  });
}

void DialogCommands::ShowNoConnection() {
  RunModal(false, false, [this] { services_.messages.MessageDlg(kNoConnectionText, MessageType::mtWarning); });
}

void DialogCommands::AboutGlimmerlux1Click() {
  TfrmAbout about(services_.shell, services_.messages);
  about.SetVersion(window_.version);
  RunModal(false, window_.items.StayOnTop1.Checked, [&] {
    if (host.showAbout) host.showAbout(about);
  });
}

void DialogCommands::RunModal(bool holdTimer, bool liftStayOnTop, const std::function<void()>& show) {
  ++open_;
  SyncCommands();
  std::exception_ptr failure;
  try {
    if (OnModalLoop) OnModalLoop();
    if (liftStayOnTop) window_.setStayOnTop(false);
    if (holdTimer) window_.timer.SetHeld(true);
    show();
  } catch (...) {
    // A dialog that could not be shown must not leave the tick held or the commands greyed.
    failure = std::current_exception();
  }
  if (holdTimer) window_.timer.SetHeld(false);
  // The check mark as it is now: "Stay On Top" chosen from the tray meanwhile stands.
  if (liftStayOnTop && window_.items.StayOnTop1.Checked) window_.setStayOnTop(true);
  --open_;
  SyncCommands();
  if (open_ == 0) RunDeferred();
  if (failure) std::rethrow_exception(failure);
}

void DialogCommands::SyncCommands() {
  const bool free = open_ == 0 && !download_;
  window_.items.CheckforUpdates1.Enabled = free;
  window_.items.AboutGlimmerlux1.Enabled = free;
}

void DialogCommands::RunDeferred() {
  std::vector<std::function<void()>> actions = std::exchange(afterDialog_, {});
  for (const auto& action : actions) action();
}

void DialogCommands::AfterDialog(std::function<void()> action) {
  if (!DialogOpen()) {
    action();
    return;
  }
  afterDialog_.push_back(std::move(action));
  if (host.closeDialog) host.closeDialog();
}

bool DialogCommands::TrayIconClick() {
  if (!DialogOpen()) return false;
  if (window_.programShown && !window_.programShown() && window_.showProgram) window_.showProgram();
  if (host.bringToFront) host.bringToFront();
  return true;
}

void DialogCommands::VisitTarnwellSoftwareWebsite1Click() {
  const std::string home = HomePageUrl();
  if (services_.shell.Open(home) <= 32) {
    services_.messages.MessageDlg("The following link is invalid :\n\r" + home, MessageType::mtWarning);
  }
}

// Without a browser there is nothing to offer instead, so a failure stays silent.
void DialogCommands::ShowHelpfile1Click() { services_.shell.Open(HelpUrl()); }

void DialogCommands::UpdateTitleCaption(const std::string& suffix) {
  services_.frame.SetCaption(window_.handle, "Glimmerlux " + window_.version + suffix);
}
