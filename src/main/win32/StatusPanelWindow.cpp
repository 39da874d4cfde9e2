#include "main/win32/StatusPanelWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "main/ZoomSelection.h"
#include "main/win32/ControlIds.h"
#include "main/win32/MenuBuilder.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/Utf.h"

namespace {

constexpr int kDesignHeight = 29;
// The panel's controls were laid out for this client width; right-anchored ones keep their
// distance to its right edge.
constexpr int kDesignWidth = 468;
constexpr int kFontHeight = 12;  // Segoe UI 9 pt at 96 DPI

struct DesignedPlace {
  int left, top, width, height;
  bool rightAnchored;
};

constexpr DesignedPlace kZoomListPlace{5, 3, 84, 23, false};
constexpr DesignedPlace kTypeButtonPlace{91, 2, 25, 25, false};
constexpr DesignedPlace kColorLabelPlace{144, 7, 33, 15, false};
constexpr DesignedPlace kColorSwatchPlace{179, 5, 122, 20, false};
// Its width is whatever the settings button leaves it.
constexpr DesignedPlace kPositionLabelPlace{306, 7, 0, 15, false};
constexpr DesignedPlace kOptionsButtonPlace{413, 2, 25, 25, true};
constexpr DesignedPlace kCloseButtonPlace{439, 2, 25, 25, true};
// Tall enough for the open list to show every zoom level.
constexpr int kZoomListDropHeight = 23 + 19 * 18;

COLORREF Resolve(TColor colour) {
  // The high byte marks a system colour, as the form's colour constants do.
  if ((colour & 0xFF000000u) != 0) return ::GetSysColor(static_cast<int>(colour & 0xFFu));
  return static_cast<COLORREF>(colour & 0xFFFFFFu);
}

RECT Place(const DesignedPlace& place, int panelWidth, UINT dpi) {
  const int left =
      place.rightAnchored ? panelWidth - dpi::Scale(kDesignWidth - place.left, dpi) : dpi::Scale(place.left, dpi);
  const int top = dpi::Scale(place.top, dpi);
  return RECT{left, top, left + dpi::Scale(place.width, dpi), top + dpi::Scale(place.height, dpi)};
}

FontHandle PanelFont(UINT dpi, BYTE charset, BYTE quality, const wchar_t* face) {
  return FontHandle(::CreateFontW(-dpi::Scale(kFontHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, quality, DEFAULT_PITCH, face));
}

void MoveTo(HWND control, const RECT& r) {
  ::SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

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

int StatusPanelWindow::HeightFor(UINT dpi) { return dpi::Scale(kDesignHeight, dpi); }

bool StatusPanelWindow::Create(HWND parent, HINSTANCE instance) {
  if (!Register(instance)) return false;
  panelBrush_.Reset(::CreateSolidBrush(Resolve(panel_.Panel1.Color)));
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
  zoomList_ = make(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kZoomLevelId);
  for (const char* caption : kZoomCaptions) {
    const std::wstring text = WideFromUtf8(caption);
    ::SendMessageW(zoomList_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  ::SendMessageW(zoomList_, CB_SETMINVISIBLE, static_cast<WPARAM>(kZoomCaptions.size()), 0);
  // A toggle that does nothing yet: it checks itself only once it has a command.
  typeButton_ = make(WC_BUTTONW, L"I", BS_CHECKBOX | BS_PUSHLIKE, kTypeButtonId);
  colorLabel_ = make(WC_STATICW, WideFromUtf8(panel_.lblColor.Caption).c_str(), SS_LEFT, kColorLabelId);
  // SS_NOTIFY: the readouts take their own right clicks for their pop-up menus.
  colorSwatch_ = make(WC_STATICW, L"", SS_CENTER | SS_CENTERIMAGE | SS_NOTIFY, kColorSwatchId);
  positionLabel_ = make(WC_STATICW, L"", SS_LEFT | SS_NOTIFY | SS_NOPREFIX, kPositionLabelId);
  optionsButton_ = make(WC_BUTTONW, L"6", BS_PUSHBUTTON, kOptionsButtonId);  // Marlett: a down triangle
  closeButton_ = make(WC_BUTTONW, L"r", BS_PUSHBUTTON, kCloseButtonId);      // Marlett: the close cross

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
  RECT list = Place(kZoomListPlace, clientWidth, dpi);
  list.bottom = list.top + dpi::Scale(kZoomListDropHeight, dpi);
  MoveTo(zoomList_, list);
  MoveTo(typeButton_, Place(kTypeButtonPlace, clientWidth, dpi));
  MoveTo(colorLabel_, Place(kColorLabelPlace, clientWidth, dpi));
  MoveTo(colorSwatch_, Place(kColorSwatchPlace, clientWidth, dpi));
  const RECT options = Place(kOptionsButtonPlace, clientWidth, dpi);
  RECT position = Place(kPositionLabelPlace, clientWidth, dpi);
  position.right = std::max(position.left, static_cast<LONG>(options.left - dpi::Scale(2, dpi)));
  MoveTo(positionLabel_, position);
  MoveTo(optionsButton_, options);
  MoveTo(closeButton_, Place(kCloseButtonPlace, clientWidth, dpi));
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
  SetCaption(positionLabel_, positionText_, panel_.lblPosition.Caption);
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
  const TColor font = control == positionLabel_ ? positionFontColor_ : panel_.lblColor.FontColor;
  ::SetTextColor(dc, Resolve(font));
  ::SetBkMode(dc, TRANSPARENT);
  return panelBrush_.Get();
}

void StatusPanelWindow::OnCommand(int id, int code) {
  const HWND root = ::GetAncestor(Handle(), GA_ROOT);
  switch (id) {
    case kZoomLevelId:
      if (code == CBN_SELCHANGE) {
        panel_.ZoomListPicked(static_cast<int>(::SendMessageW(zoomList_, CB_GETCURSEL, 0, 0)));
      }
      break;
    case kOptionsButtonId:
      if (code == BN_CLICKED) {
        POINT at{};
        if (::GetCursorPos(&at)) openMenu_(MainMenuTable(), at);
      }
      break;
    case kCloseButtonId:
      if (code == BN_CLICKED) ::PostMessageW(root, WM_CLOSE, 0, 0);
      break;
    default:
      break;
  }
}

bool StatusPanelWindow::OnContextMenu(HWND source, POINT at) {
  // From the keyboard the point is (-1, -1): open where the pointer is.
  if (at.x == -1 && at.y == -1) ::GetCursorPos(&at);
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
