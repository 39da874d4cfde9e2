#include "dialogs/win32/CheckUpdateWindow.h"

#include <algorithm>

#include "platform/win32/Utf.h"

namespace {

constexpr int kDownloadLinkId = 101;
// The OK button keeps its distance to the bottom edge whatever the dialog's height.
constexpr int kButtonBottomGap = TfrmCheckUpdate::kClientHeight - 217;

}  // namespace

CheckUpdateWindow::CheckUpdateWindow(TfrmCheckUpdate& dialog)
    : ModalDialog({L"TfrmCheckUpdate", WideFromUtf8(TfrmCheckUpdate::kCaption), TfrmCheckUpdate::kClientWidth,
                   TfrmCheckUpdate::kClientHeight, dialog.Height}),
      dialog_(dialog) {}

void CheckUpdateWindow::CreateControls() {
  const auto label = [&](const Label& l, int left, int top) -> HWND {
    return l.Visible ? AddLabel(l.Caption, left, top) : nullptr;
  };
  label(dialog_.lblCurrent, 24, 16);
  // The values start after their headings in whatever font the system has.
  const HWND latest = label(dialog_.lblLatestVersion, 24, 40);
  label(dialog_.lblVersion, latest != nullptr ? std::max(177, DesignRight(latest) + 4) : 177, 40);
  label(dialog_.lblText, 24, 64);
  const HWND heading = label(dialog_.lblnewfeatures, 24, 88);
  label(dialog_.lblFeatures, heading != nullptr ? std::max(104, DesignRight(heading) + 4) : 104, 88);
  if (dialog_.lnkDownload.Visible) {
    AddLink(kDownloadLinkId, dialog_.lnkDownload.Caption, 24, 153, 150, 17, ::GetSysColor(COLOR_HIGHLIGHT),
            TextFont::Bold);
  }
  AddButton(IDOK, L"OK", 357, ClientBottom() - kButtonBottomGap, 75, 25);
}

void CheckUpdateWindow::LinkClicked(int id) {
  if (id == kDownloadLinkId) dialog_.lnkDownloadClick();
}
