#include "dialogs/win32/AboutWindow.h"

#include <algorithm>

#include "dialogs/win32/Logo.h"
#include "platform/win32/Utf.h"

namespace {

constexpr int kMailLinkId = 102;
constexpr int kSiteLinkId = 103;
constexpr COLORREF kLinkColor = RGB(0, 102, 204);

}  // namespace

AboutWindow::AboutWindow(TfrmAbout& about)
    : ModalDialog({L"TfrmAbout", WideFromUtf8(TfrmAbout::kCaption), TfrmAbout::kClientWidth, TfrmAbout::kClientHeight,
                   0, COLOR_WINDOW}),
      about_(about) {}

void AboutWindow::CreateControls() {
  AddLabel(about_.lblName.Caption, 22, 129, 274, 38, true, TextFont::Title);
  AddLabel(about_.lblCopyRight.Caption, 22, 178, 274, 15, true);
  // The links start after their labels in whatever font the system has.
  const HWND mail = AddLabel(about_.lblmailto.Caption, 36, 249);
  const HWND site = AddLabel(about_.lblSurfto.Caption, 29, 268);
  const int links = std::max({82, DesignRight(mail) + 3, DesignRight(site) + 3});
  AddLink(kMailLinkId, about_.JvLinkLabel2.Caption, links, 249, 179, 15, kLinkColor);
  AddLink(kSiteLinkId, about_.JvLinkLabel3.Caption, links, 268, 228, 15, kLinkColor);
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
