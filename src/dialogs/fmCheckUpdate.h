#pragma once

#include <array>
#include <string>

#include "dialogs/VersionFile.h"
#include "platform/Messages.h"
#include "platform/ShellOpen.h"

// A label of a dialog as its host shows it.
struct Label {
  std::string Caption;
  bool Visible = true;
};

// The result of an update check: the two versions, the verdict, the news and the download link.
class TfrmCheckUpdate {
 public:
  static constexpr const char* kCaption = "Check For Glimmerlux Update";
  static constexpr int kClientWidth = 442;
  static constexpr int kClientHeight = 254;
  // The outer height of an up-to-date result, which shows neither news nor link.
  static constexpr int kUpToDateHeight = 160;

  TfrmCheckUpdate(ShellOpen& shell, Messages& messages) : shell_(shell), messages_(messages) {}

  Label lblCurrent{"You are currently using version"};
  Label lblLatestVersion{"Latest version found online :"};
  Label lblVersion;
  Label lblText;
  Label lblnewfeatures{"New Features"};
  Label lblFeatures;
  Label lnkDownload{"Download new Version"};
  // The outer height the result asks for; 0 keeps the designed client height.
  int Height = 0;

  void Fill(const std::string& remote, const std::string& version, UpdateOutcome outcome,
            const std::array<std::string, 4>& news);
  void lnkDownloadClick();
  // Opens a link through the shell; a failure is told and the dialog stays.
  bool OpenLink(const std::string& url);

 private:
  ShellOpen& shell_;
  Messages& messages_;
};
