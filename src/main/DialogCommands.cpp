#include "main/DialogCommands.h"

#include <cstdlib>
#include <optional>
#include <utility>

#include "dialogs/Links.h"
#include "dialogs/UrlText.h"
#include "dialogs/VersionFile.h"

DialogCommands::DialogCommands(Services services, Window window)
    : versionFileUrl(VersionFileUrl(std::getenv(kVersionUrlVariable))),
      services_(services),
      window_(std::move(window)) {}

void DialogCommands::CheckforUpdates1Click() {
  window_.items.CheckforUpdates1.Enabled = false;
  CheckNewVersion();
}

void DialogCommands::CheckNewVersion() {
  std::optional<TfrmCheckUpdate> dialog;
  try {
    const std::optional<TVersionFile> file = ReadVersionFile(GetUrlText(services_.internet, versionFileUrl));
    if (!file) throw EUrlText("incorrect data found");
    dialog.emplace(services_.shell, services_.messages);
    dialog->Fill(file->Remote, window_.version, CompareVersions(file->Remote, window_.version), file->News);
  } catch (const std::exception&) {
    // Whatever went wrong, the user is told the same; the cause is of no use to them.
    RunModal(false, false, [this] { services_.messages.MessageDlg(kNoConnectionText, TMsgDlgType::mtWarning); });
    return;
  }
  RunModal(true, true, [&] {
    if (host.showCheckUpdate) host.showCheckUpdate(*dialog);
  });
}

void DialogCommands::AboutGlimmerlux1Click() {
  TfrmAbout about(services_.shell, services_.messages);
  about.SetVersion(window_.version);
  RunModal(false, window_.items.StayOnTop1.Checked, [&] {
    if (host.showAbout) host.showAbout(about);
  });
}

void DialogCommands::RunModal(bool holdTimer, bool liftStayOnTop, const std::function<void()>& show) {
  BeginModal();
  if (liftStayOnTop) window_.setStayOnTop(false);
  if (holdTimer) window_.timer.SetHeld(true);
  show();
  if (holdTimer) window_.timer.SetHeld(false);
  // The check mark as it is now: "Stay On Top" chosen from the tray meanwhile stands.
  if (liftStayOnTop && window_.items.StayOnTop1.Checked) window_.setStayOnTop(true);
  EndModal();
}

void DialogCommands::BeginModal() {
  ++open_;
  window_.items.CheckforUpdates1.Enabled = false;
  window_.items.AboutGlimmerlux1.Enabled = false;
}

void DialogCommands::EndModal() {
  if (--open_ > 0) return;
  window_.items.CheckforUpdates1.Enabled = true;
  window_.items.AboutGlimmerlux1.Enabled = true;
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
    services_.messages.MessageDlg("The following link is invalid :\n\r" + home, TMsgDlgType::mtWarning);
  }
}

// Without a browser there is nothing to offer instead, so a failure stays silent.
void DialogCommands::ShowHelpfile1Click() { services_.shell.Open(HelpUrl()); }

void DialogCommands::UpdateTitleCaption(const std::string& suffix) {
  services_.frame.SetCaption(window_.handle, "Glimmerlux " + window_.version + suffix);
}
