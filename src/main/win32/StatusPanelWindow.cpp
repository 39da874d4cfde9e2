#include "main/win32/StatusPanelWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "main/PanelAccessibility.h"
#include "main/PanelLayout.h"
#include "main/ZoomSelection.h"
#include "main/win32/ControlIds.h"
#include "main/win32/MenuBuilder.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/Utf.h"

namespace {

constexpr int kFontHeight = 12;  // Segoe UI 9 pt at 96 DPI

COLORREF Resolve(ColorRef color) {
  // The high byte marks a system colour, as the form's colour constants do.
  if ((color & 0xFF000000u) != 0) return ::GetSysColor(static_cast<int>(color & 0xFFu));
  return static_cast<COLORREF>(color & 0xFFFFFFu);
}

RECT Place(PanelControl control, int panelWidth, UINT dpi) {
  const Rect r = PanelControlRect(control, panelWidth, static_cast<int>(dpi));
  return RECT{r.left, r.top, r.right, r.bottom};
}

FontHandle PanelFont(UINT dpi, BYTE charset, BYTE quality, const wchar_t* face) {
  return FontHandle(::CreateFontW(-dpi::Scale(kFontHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, quality, DEFAULT_PITCH, face));
}

void MoveTo(HWND control, const RECT& r) {
  ::SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool HighContrastOn() {
  HIGHCONTRASTW scheme{};
  scheme.cbSize = sizeof(scheme);
  return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(scheme), &scheme, 0) &&
         (scheme.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

// A static control draws no focus of its own; the readouts, which take it, show it with this.
LRESULT CALLBACK ShowFocus(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      ::InvalidateRect(control, nullptr, TRUE);
      break;
    case WM_PAINT: {
      const LRESULT painted = ::DefSubclassProc(control, message, wParam, lParam);
      if (::GetFocus() == control) {
        const HDC dc = ::GetDC(control);
        RECT client;
        ::GetClientRect(control, &client);
        ::DrawFocusRect(dc, &client);
        ::ReleaseDC(control, dc);
      }
      return painted;
    }
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(control, ShowFocus, id);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(control, message, wParam, lParam);
}

std::wstring NameOf(PanelControl control) { return WideFromUtf8(AccessibleName(control)); }

void ShowIf(HWND control, bool visible) {
  if ((::IsWindowVisible(control) != FALSE) != visible) ::ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
}

}  // namespace

bool StatusPanelWindow::Register(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  if (::GetClassInfoExW(instance, kClassName, &windowClass)) return true;
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WndProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  return ::RegisterClassExW(&windowClass) != 0;
}

int StatusPanelWindow::HeightFor(UINT dpi) { return PanelHeight(static_cast<int>(dpi)); }

bool StatusPanelWindow::Create(HWND parent, HINSTANCE instance) {
  if (!Register(instance)) return false;
  highContrast_ = HighContrastOn();
  panelBrush_.Reset(::CreateSolidBrush(Resolve(PanelBackground(panel_.Panel1.Color, highContrast_))));
  ::CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                    parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPanel1Id)), instance, this);
  if (Handle() == nullptr) return false;
  CreateControls(instance);
  return true;
}

void StatusPanelWindow::CreateControls(HINSTANCE instance) {
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&classes);
  auto make = [&](const wchar_t* windowClass, const wchar_t* text, DWORD style, int id) {
    return ::CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, Handle(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  };
  // A list takes its accessible name from the label before it; this one is never seen.
  zoomLabel_ = make(WC_STATICW, NameOf(PanelControl::ZoomList).c_str(), SS_LEFT, kZoomLabelId);
  zoomList_ = make(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kZoomLevelId);
  for (const char* caption : kZoomCaptions) {
    const std::wstring text = WideFromUtf8(caption);
    ::SendMessageW(zoomList_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  ::SendMessageW(zoomList_, CB_SETMINVISIBLE, static_cast<WPARAM>(kZoomCaptions.size()), 0);
  // Drawn here (OnDrawItem): a picture of a text caret, sunken while caret following is on.
  typeButton_ = make(WC_BUTTONW, NameOf(PanelControl::TypeButton).c_str(), BS_OWNERDRAW | WS_TABSTOP, kTypeButtonId);
  colorLabel_ = make(WC_STATICW, WideFromUtf8(panel_.lblColor.Caption).c_str(), SS_LEFT, kColorLabelId);
  // SS_NOTIFY: the readouts take their own right clicks for their pop-up menus.
  // Tab stops, so that the keyboard reaches their menus (Shift+F10) and a screen reader reads them.
  colorSwatch_ = make(WC_STATICW, L"", SS_CENTER | SS_CENTERIMAGE | SS_NOTIFY | WS_TABSTOP, kColorSwatchId);
  positionLabel_ = make(WC_STATICW, L"", SS_LEFT | SS_NOTIFY | SS_NOPREFIX | WS_TABSTOP, kPositionLabelId);
  for (HWND readout : {colorSwatch_, positionLabel_}) ::SetWindowSubclass(readout, ShowFocus, 0, 0);
  // Drawn here with a Marlett glyph, so that their text can be their accessible name.
  optionsButton_ =
      make(WC_BUTTONW, NameOf(PanelControl::OptionsButton).c_str(), BS_OWNERDRAW | WS_TABSTOP, kOptionsButtonId);
  closeButton_ = make(WC_BUTTONW, NameOf(PanelControl::CloseButton).c_str(), BS_OWNERDRAW | WS_TABSTOP, kCloseButtonId);

  hints_ =
      ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, instance, nullptr);
  AddHint(zoomList_, L"Zoom Level");
  AddHint(typeButton_, L"Follow Caret Position");
  AddHint(optionsButton_, L"Settings");
  AddHint(closeButton_, L"Close");
}

void StatusPanelWindow::AddHint(HWND control, const wchar_t* text) {
  if (hints_ == nullptr || control == nullptr) return;
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<wchar_t*>(text);
  ::SendMessageW(hints_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void StatusPanelWindow::CreateFonts(UINT dpi) {
  FontHandle font = PanelFont(dpi, DEFAULT_CHARSET, CLEARTYPE_QUALITY, L"Segoe UI");
  FontHandle symbolFont = PanelFont(dpi, SYMBOL_CHARSET, DEFAULT_QUALITY, L"Marlett");
  for (HWND control : {zoomList_, typeButton_, colorLabel_, colorSwatch_, positionLabel_}) {
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
  }
  for (HWND control : {optionsButton_, closeButton_}) {
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(symbolFont.Get()), TRUE);
  }
  // Only now that no control holds the old fonts may they be deleted.
  font_ = std::move(font);
  symbolFont_ = std::move(symbolFont);
}

void StatusPanelWindow::Layout(int clientWidth, int clientHeight, UINT dpi) {
  if (Handle() == nullptr) return;
  if (dpi == 0) dpi = kDesignDpi;
  if (dpi != dpi_) {
    dpi_ = dpi;
    CreateFonts(dpi);
  }
  const int height = HeightFor(dpi);
  ::SetWindowPos(Handle(), nullptr, 0, clientHeight - height, clientWidth, height, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT list = Place(PanelControl::ZoomList, clientWidth, dpi);
  list.bottom = list.top + ZoomListDropHeight(static_cast<int>(dpi));
  MoveTo(zoomList_, list);
  MoveTo(typeButton_, Place(PanelControl::TypeButton, clientWidth, dpi));
  MoveTo(colorLabel_, Place(PanelControl::ColorLabel, clientWidth, dpi));
  MoveTo(colorSwatch_, Place(PanelControl::ColorSwatch, clientWidth, dpi));
  MoveTo(positionLabel_, Place(PanelControl::PositionLabel, clientWidth, dpi));
  MoveTo(optionsButton_, Place(PanelControl::OptionsButton, clientWidth, dpi));
  MoveTo(closeButton_, Place(PanelControl::CloseButton, clientWidth, dpi));
  ShowPosition();
}

std::wstring StatusPanelWindow::PositionForLabel() const {
  std::wstring full = WideFromUtf8(panel_.lblPosition.Caption);
  const size_t numbers = full.find(L": ");
  if (numbers == std::wstring::npos || !::IsWindowVisible(positionLabel_)) return full;
  // Negative or four-digit coordinates ("Position: -1280, 1023") are wider than the label of
  // the narrowest window that shows it; the numbers alone then keep their size. The clipboard
  // still gets the whole text.
  RECT room{};
  ::GetClientRect(positionLabel_, &room);
  const WindowDc dc(positionLabel_);
  const SelectionGuard selected(dc.Get(), font_.Get());
  SIZE size{};
  ::GetTextExtentPoint32W(dc.Get(), full.c_str(), static_cast<int>(full.size()), &size);
  return size.cx <= room.right ? full : full.substr(numbers + 2);
}

void StatusPanelWindow::ShowPosition() {
  std::wstring text = PositionForLabel();
  if (text == positionText_) return;
  positionText_ = std::move(text);
  ::SetWindowTextW(positionLabel_, positionText_.c_str());
}

void StatusPanelWindow::SetCaption(HWND control, std::wstring& shown, const std::string& caption) {
  std::wstring text = WideFromUtf8(caption);
  if (text == shown) return;
  shown = std::move(text);
  ::SetWindowTextW(control, shown.c_str());
}

void StatusPanelWindow::Sync() {
  if (Handle() == nullptr) return;
  ShowIf(Handle(), panel_.Panel1.Visible);
  ShowIf(zoomList_, panel_.cbxZoomLevel.Visible);
  ShowIf(typeButton_, panel_.btnType.Visible);
  ShowIf(colorLabel_, panel_.lblColor.Visible);
  ShowIf(colorSwatch_, panel_.pnlColor.Visible);
  ShowIf(positionLabel_, panel_.lblPosition.Visible);
  ShowIf(optionsButton_, panel_.btnOptions.Visible);
  ShowIf(closeButton_, panel_.btnClose.Visible);

  if (typeButtonDown_ != panel_.btnType.Down) {
    typeButtonDown_ = panel_.btnType.Down;
    ::InvalidateRect(typeButton_, nullptr, FALSE);
  }

  if (::SendMessageW(zoomList_, CB_GETCURSEL, 0, 0) != panel_.cbxZoomLevel.ItemIndex) {
    ::SendMessageW(zoomList_, CB_SETCURSEL, static_cast<WPARAM>(panel_.cbxZoomLevel.ItemIndex), 0);
  }

  bool swatchChanged = false;
  if (!swatchBrush_ || swatchColor_ != panel_.pnlColor.Color || swatchFontColor_ != panel_.pnlColor.FontColor) {
    swatchColor_ = panel_.pnlColor.Color;
    swatchFontColor_ = panel_.pnlColor.FontColor;
    swatchBrush_.Reset(::CreateSolidBrush(Resolve(swatchColor_)));
    swatchChanged = true;
  }
  const std::wstring swatchBefore = swatchText_;
  SetCaption(colorSwatch_, swatchText_, panel_.pnlColor.Caption);
  if (swatchChanged && swatchBefore == swatchText_) ::InvalidateRect(colorSwatch_, nullptr, TRUE);

  const std::wstring positionBefore = positionText_;
  ShowPosition();
  if (positionFontColor_ != panel_.lblPosition.FontColor) {
    positionFontColor_ = panel_.lblPosition.FontColor;
    if (positionBefore == positionText_) ::InvalidateRect(positionLabel_, nullptr, TRUE);
  }
}

LRESULT StatusPanelWindow::MessageHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      ::GetClientRect(Handle(), &client);
      ::FillRect(reinterpret_cast<HDC>(wParam), &client, panelBrush_.Get());
      return 1;
    }
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(OnColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_CTLCOLORBTN:
      return reinterpret_cast<LRESULT>(panelBrush_.Get());
    case WM_DRAWITEM:
      if (wParam == kTypeButtonId) {
        DrawTypeButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
      }
      if (wParam == kOptionsButtonId || wParam == kCloseButtonId) {
        // Marlett: a down triangle, the close cross.
        DrawSymbolButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), wParam == kOptionsButtonId ? L"6" : L"r");
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      panel_.BackgroundPressed();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_CONTEXTMENU:
      if (OnContextMenu(reinterpret_cast<HWND>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) return 0;
      break;
    default:
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}

HBRUSH StatusPanelWindow::OnColorStatic(HDC dc, HWND control) {
  if (control == colorSwatch_) {
    ::SetTextColor(dc, Resolve(swatchFontColor_));
    ::SetBkColor(dc, Resolve(swatchColor_));
    return swatchBrush_.Get();
  }
  const ColorRef font = control == positionLabel_ ? positionFontColor_ : panel_.lblColor.FontColor;
  ::SetTextColor(dc, Resolve(PanelLabelText(font, highContrast_)));
  ::SetBkMode(dc, TRANSPARENT);
  return panelBrush_.Get();
}

void StatusPanelWindow::OnCommand(int id, int code) {
  switch (id) {
    case kZoomLevelId:
      if (code == CBN_SELCHANGE) {
        panel_.ZoomListPicked(static_cast<int>(::SendMessageW(zoomList_, CB_GETCURSEL, 0, 0)));
      }
      break;
    case kOptionsButtonId:
      if (code == BN_CLICKED) OptionsButtonClicked();
      break;
    case kTypeButtonId:
      if (code == BN_CLICKED) panel_.FollowCaretButtonClicked();
      break;
    case kCloseButtonId:
      if (code == BN_CLICKED) panel_.CloseButtonClicked();
      break;
    default:
      break;
  }
}

bool StatusPanelWindow::OnContextMenu(HWND source, POINT at) {
  if (source != colorSwatch_ && source != positionLabel_) return false;  // the main window's menu
  if (IsKeyboardMenuRequest(Point{at.x, at.y})) {
    // Shift+F10 on the focused readout: below it.
    RECT readout;
    ::GetWindowRect(source, &readout);
    at = POINT{readout.left, readout.bottom};
  }
  if (source == colorSwatch_) {
    openMenu_(ColorDisplayMenuTable(), at);
    return true;
  }
  if (source == positionLabel_) {
    openMenu_(CopyCoordMenuTable(), at);
    return true;
  }
  return false;  // the default handling passes it on to the main window
}

void StatusPanelWindow::OptionsButtonClicked() {
  POINT at{};
  if (!::GetCursorPos(&at)) return;
  // Pressed from the keyboard, with the pointer elsewhere: below the button instead.
  RECT button;
  ::GetWindowRect(optionsButton_, &button);
  if (!::PtInRect(&button, at)) at = POINT{button.left, button.bottom};
  openMenu_(MainMenuTable(), at);
}

void StatusPanelWindow::ColorsChanged() {
  if (Handle() == nullptr) return;
  highContrast_ = HighContrastOn();
  panelBrush_.Reset(::CreateSolidBrush(Resolve(PanelBackground(panel_.Panel1.Color, highContrast_))));
  swatchBrush_.Reset();  // the next Sync makes it again, also for a system colour
  ::SendMessageW(zoomList_, WM_SYSCOLORCHANGE, 0, 0);
  Sync();
  ::RedrawWindow(Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void StatusPanelWindow::DrawSymbolButton(const DRAWITEMSTRUCT& item, const wchar_t* glyph) {
  const HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool pushed = (item.itemState & ODS_SELECTED) != 0;
  ::DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
  if (pushed) ::OffsetRect(&r, 1, 1);
  const SelectionGuard font(dc, symbolFont_.Get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  ::DrawTextW(dc, glyph, 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if ((item.itemState & ODS_FOCUS) != 0) {
    RECT focus = item.rcItem;
    ::InflateRect(&focus, -3, -3);
    ::DrawFocusRect(dc, &focus);
  }
}

void StatusPanelWindow::DrawTypeButton(const DRAWITEMSTRUCT& item) {
  const HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool sunken = typeButtonDown_ || (item.itemState & ODS_SELECTED) != 0;
  ::FillRect(dc, &r, ::GetSysColorBrush(sunken ? COLOR_3DLIGHT : COLOR_BTNFACE));
  ::DrawEdge(dc, &r, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
  // A text caret: an I-beam with short serifs, a third of the button high.
  const int height = r.bottom - r.top;
  const int cx = (r.left + r.right) / 2 + (sunken ? 1 : 0);
  const int half = std::max(2, height / 3);
  const int serif = std::max(1, half / 3);
  const int cy = (r.top + r.bottom) / 2 + (sunken ? 1 : 0);
  const PenHandle pen(::CreatePen(PS_SOLID, std::max(1, height / 12), ::GetSysColor(COLOR_BTNTEXT)));
  const SelectionGuard selected(dc, pen.Get());
  const POINT stem[] = {{cx, cy - half}, {cx, cy + half}};
  const POINT top[] = {{cx - serif, cy - half}, {cx + serif + 1, cy - half}};
  const POINT bottom[] = {{cx - serif, cy + half}, {cx + serif + 1, cy + half}};
  for (const auto& line : {stem, top, bottom}) ::Polyline(dc, line, 2);
  if ((item.itemState & ODS_FOCUS) != 0) {
    RECT focus = r;
    ::InflateRect(&focus, -1, -1);
    ::DrawFocusRect(dc, &focus);
  }
}
