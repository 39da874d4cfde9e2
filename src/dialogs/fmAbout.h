#pragma once

#include <string>

#include "dialogs/fmCheckUpdate.h"
#include "platform/Messages.h"
#include "platform/ShellOpen.h"

// Opens a link through the shell; a failure is told with the shell's error code.
bool OpenUrl(ShellOpen& shell, Messages& messages, const std::string& url);

// The About box: the program's name and version, a notice naming the maker and two links.
class TfrmAbout {
 public:
  static constexpr const char* kCaption = "About Glimmerlux";
  static constexpr int kClientWidth = 317;
  static constexpr int kClientHeight = 329;

  TfrmAbout(ShellOpen& shell, Messages& messages);

  Label lblName;
  Label lblCopyRight{"\xC2\xA9 Tarnwell Software. All rights reserved."};
  Label lblmailto{"E-mail :"};
  Label JvLinkLabel2;
  Label lblSurfto{"Website :"};
  Label JvLinkLabel3;

  void SetVersion(const std::string& AVersion);
  void JvLinkLabel2LinkClick();
  void JvLinkLabel3LinkClick();

 private:
  ShellOpen& shell_;
  Messages& messages_;
};
