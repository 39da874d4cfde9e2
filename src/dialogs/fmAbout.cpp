#include "dialogs/fmAbout.h"

#include "dialogs/Links.h"

bool OpenUrl(ShellOpen& shell, Messages& messages, const std::string& url) {
  const int32_t result = shell.Open(url);
  if (result > 32) return true;
  messages.MessageDlg("Unable to open link:\r\n" + url + "\r\nError code: " + std::to_string(result),
                      MessageType::mtError);
  return false;
}

TfrmAbout::TfrmAbout(ShellOpen& shell, Messages& messages) : shell_(shell), messages_(messages) {
  JvLinkLabel2.Caption = SupportMailAddress();
  JvLinkLabel3.Caption = WebSiteHost();
}

void TfrmAbout::SetVersion(const std::string& AVersion) { lblName.Caption = "Glimmerlux " + AVersion; }

void TfrmAbout::JvLinkLabel2LinkClick() { OpenUrl(shell_, messages_, SupportMailUrl()); }

void TfrmAbout::JvLinkLabel3LinkClick() { OpenUrl(shell_, messages_, HomePageUrl()); }
