#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "base/Geometry.h"
#include "main/StatusPanel.h"
#include "main/Timer.h"
#include "platform/Services.h"
#include "view/VwImage.h"

// A menu command's state as the handlers see it.
struct TMenuItem {
  bool Checked = false;
  int Tag = 0;
};

// Timer identifiers on the main window.
inline constexpr uintptr_t kTimer1Id = 1;

// The main window's behaviour. The platform host creates the real window, forwards its
// messages here and lays the view out over the client area.
class Tfrmmain {
 public:
  explicit Tfrmmain(PlatformServices platform, SurfaceFactory& surfaces = HeapSurfaces());
  ~Tfrmmain();
  Tfrmmain(const Tfrmmain&) = delete;
  Tfrmmain& operator=(const Tfrmmain&) = delete;

  // The host calls this once the window exists; the timer starts with it.
  void AttachWindow(WindowId handle);
  WindowId Handle() const { return FHandle; }

  // The tracking tick.
  void Timer1Timer();
  void MoveAwayFromPointer();
  bool GetCaretPosition(TPoint& caret);

  void CopyImagetoClipboard1Click();

  // Update frequency: the sender's Tag is the timer interval in milliseconds.
  void N1xpersecond1Click(TMenuItem& Sender);
  void setFreqChecked();

  // Status readouts.
  void UpdateStatusReadouts(TPoint C);
  void RGBValues1Click();
  void HTMLCode1Click();
  void CopyColortoClipboard1Click();
  void mnuCopyCoord1Click();
  void SetVirtualOrigin1Click();

  // Zoom selection.
  void cbxZoomLevelChange();
  void Magnify1X1Click(TMenuItem& Sender);
  void Magnify075X1Click();
  void Magnify05X1Click();
  void Magnify025X1Click();
  void setzoomchecked();
  // Sees every queued message of the program first; true when it handled it.
  bool ApplicationEvents1Message(uint32_t message, uintptr_t wParam);

  // Hides the panel controls that no longer fit; `outerWidth` in designed pixels.
  void FormResize(int outerWidth);
  // The host copies the panel's state onto its controls when this fires.
  std::function<void()> OnPanelChanged;

  // The client area changed; returns where the view goes (what the status panel leaves).
  TRect ClientResized(int width, int height);

  TImageView& imageview1() { return *FImageView; }
  TTimer Timer1;

  int memX = 0;
  int memY = 0;
  bool followkey = false;
  int virtx = 0;
  int virty = 0;
  TMenuItem FixedLocation1;
  TMenuItem FlipwhenHovered1;
  // The user's choice for the cursor image, which the caret search switches back to.
  TMenuItem Showcursor1{true};
  // Set when the window is created; hiding to the tray leaves it set.
  bool Visible = true;

  TStatusPanel Panel1;
  TZoomList cbxZoomLevel;
  TPanelControl btnType;
  TStatusLabel lblColor{"Color"};
  TColorSwatch pnlColor;
  TStatusLabel lblPosition{"Position :"};
  TPanelControl btnOptions;
  TPanelControl btnClose;

  TMenuItem Magnify1X1, Magnify2X1, Magnify3X1, Magnify4X1, Magnify5X1, Magnify6X1, Magnify8X1, Magnify10X1,
      Magnify12X1, Magnify16x1, Magnify20x1, Magnify24x1, Magnify28x1, Magnify32x1, Magnify36x1, Magnify40x1,
      Magnify075X1, Magnify05X1, Magnify025X1;
  TMenuItem N5xpersecond1, N10xpersecond1, N15xpersecond1, N30xpersecond1, N60xpersecond1;
  TMenuItem RGBValues1, HTMLCode1, mnuRGB, mnuHTML;
  // Its Tag records the index of the chosen zoom level.
  TMenuItem AboutGlimmerlux1;

 private:
  // The fractional levels: the list entry, the recorded index and the check marks follow the zoom.
  void SelectListedZoom(int index);
  void TrackingTick();
  void PanelChanged();

  PlatformServices FPlatform;
  std::unique_ptr<TImageView> FImageView;
  WindowId FHandle = 0;
};
