#include "dialogs/fmCheckUpdate.h"

#include "dialogs/Links.h"

void TfrmCheckUpdate::Fill(const std::string& remote, const std::string& version, UpdateOutcome outcome,
                           const std::array<std::string, 4>& news) {
  lblVersion.Caption = remote;
  lblCurrent.Caption += " " + version;
  switch (outcome) {
    case UpdateOutcome::MajorUpgrade:
      lblText.Caption = "Major upgrade found";
      lnkDownload.Visible = true;
      break;
    case UpdateOutcome::MinorUpgrade:
      lblText.Caption = "Minor upgrade found";
      lnkDownload.Visible = true;
      break;
    case UpdateOutcome::UpToDate:
      lblText.Caption = "You are already using the latest version.";
      lnkDownload.Visible = false;
      lblnewfeatures.Visible = false;
      lblFeatures.Visible = false;
      Height = kUpToDateHeight;
      break;
  }
  lblFeatures.Caption.clear();
  for (const std::string& line : news) lblFeatures.Caption += line + "\r\n";
}

void TfrmCheckUpdate::lnkDownloadClick() { OpenLink(HomePageUrl()); }

bool TfrmCheckUpdate::OpenLink(const std::string& url) {
  if (shell_.Open(url) > 32) return true;
  messages_.MessageDlg("Unable to open link:\r\n" + url, MessageType::mtError);
  return false;
}
