#include "dialogs/win32/AboutWindow.h"

#include "dialogs/win32/Logo.h"
#include "platform/win32/Utf.h"

namespace {

constexpr int kMailLinkId = 102;
constexpr int kSiteLinkId = 103;

}  // namespace

AboutWindow::AboutWindow(TfrmAbout& about)
    : ModalDialog({L"TfrmAbout", WideFromUtf8(TfrmAbout::kCaption), TfrmAbout::kClientWidth, TfrmAbout::kClientHeight,
                   0, COLOR_WINDOW}),
      about_(about) {}

void AboutWindow::CreateControls() {
  AddLabel(about_.lblName.Caption, 22, 129, 274, 38, true, TextFont::Title);
  AddLabel(about_.lblCopyRight.Caption, 22, 178, 274, 15, true);
  AddLabel(about_.lblmailto.Caption, 36, 249);
  AddLink(kMailLinkId, about_.JvLinkLabel2.Caption, 82, 249, 179, 15, ::GetSysColor(COLOR_HOTLIGHT));
  AddLabel(about_.lblSurfto.Caption, 29, 268);
  AddLink(kSiteLinkId, about_.JvLinkLabel3.Caption, 82, 268, 228, 15, ::GetSysColor(COLOR_HOTLIGHT));
  AddButton(IDOK, L"OK", 222, 293, 75, 25);
}

void AboutWindow::Paint(HDC dc) {
  // The logo's picture is 128 x 105, drawn at its own size at the control's corner (94, 16).
  DrawLogo(dc, POINT{Scale(94), Scale(16)}, Scale(1000) / 1000.0);
  PenHandle grey(::CreatePen(PS_SOLID, 1, RGB(128, 128, 128)));
  const SelectionGuard selected(dc, grey.Get());
  for (const int top : {196, 241}) {
    ::MoveToEx(dc, Scale(22), Scale(top), nullptr);
    ::LineTo(dc, Scale(22 + 266), Scale(top));
  }
}

void AboutWindow::LinkClicked(int id) {
  if (id == kMailLinkId) about_.JvLinkLabel2LinkClick();
  if (id == kSiteLinkId) about_.JvLinkLabel3LinkClick();
}
