#pragma once

#include <windows.h>

#include "dialogs/fmCheckUpdate.h"
#include "dialogs/win32/ModalDialog.h"

// The update check's result: both versions, the verdict, the news and the download link.
class CheckUpdateWindow final : public ModalDialog {
 public:
  explicit CheckUpdateWindow(TfrmCheckUpdate& dialog);

 private:
  void CreateControls() override;
  void LinkClicked(int id) override;

  TfrmCheckUpdate& dialog_;
};
