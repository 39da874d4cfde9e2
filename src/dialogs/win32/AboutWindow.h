#pragma once

#include <windows.h>

#include "dialogs/fmAbout.h"
#include "dialogs/win32/ModalDialog.h"

// The About box's window: logo, name and version in large type, the notice, two rules and the links.
class AboutWindow final : public ModalDialog {
 public:
  explicit AboutWindow(TfrmAbout& about);

 private:
  void CreateControls() override;
  void Paint(HDC dc) override;
  void LinkClicked(int id) override;

  TfrmAbout& about_;
};
