#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "base/Bitmap.h"
#include "base/Geometry.h"
#include "base/Mirror.h"
#include "platform/Clipboard.h"
#include "platform/Screen.h"
#include "platform/Windowing.h"
#include "view/ColorFilter.h"
#include "view/CursorOverlay.h"
#include "view/FrameComposer.h"
#include "view/FrameMemory.h"
#include "view/GridPlan.h"
#include "view/VisionSimulation.h"

enum BorderKind : uint8_t { bsNone, bsSingle };
enum BevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };

// The system button-face colour as a colour constant.
inline constexpr ColorRef clBtnFace = 0xFF00000F;
inline constexpr ColorRef clSilver = 0xC0C0C0;
inline constexpr ColorRef kViewGrey = 0x808080;

// Style bits the view's window is created with.
struct ViewWindowStyle {
  bool border = false;      // WS_BORDER
  bool clientEdge = false;  // WS_EX_CLIENTEDGE
};

enum class MouseButton : uint8_t { Left, Right, Middle };

// The magnifier view: captures a desktop rectangle, samples, filters, scales, draws the
// overlays, mirrors and shows the result. The window itself belongs to the platform host,
// which forwards its messages to the handlers at the end of this class.
class TCustomImageView {
 public:
  using NotifyEvent = std::function<void(TCustomImageView* Sender)>;
  using MouseEvent = std::function<void(TCustomImageView* Sender, MouseButton Button, Point at)>;

  TCustomImageView(Screen& screen, Windowing& windows, Clipboard& clipboard, SurfaceFactory& surfaces = HeapSurfaces());
  virtual ~TCustomImageView();
  TCustomImageView(const TCustomImageView&) = delete;
  TCustomImageView& operator=(const TCustomImageView&) = delete;

  virtual Rect GetImageRect() const;
  virtual void GetSourceSize(int& W, int& H) const;
  virtual void BeginUpdate();
  virtual void EndUpdate(bool ARefresh);
  // False when the clipboard refused the picture; with nothing shown yet there is nothing to copy.
  virtual bool CopyToClipBoard();
  virtual void RefreshPicture();

  // Composes the picture and returns what the window must show at (0, 0), or nullptr when
  // nothing is to be drawn (inside an update batch).
  virtual const Bitmap* Paint();
  ViewWindowStyle CreateParams() const;

  // Control geometry, in physical pixels.
  int Width() const { return width_; }
  int Height() const { return height_; }
  WindowId Handle() const { return handle_; }
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool value);

  int ScreenLeft() const { return FScreenLeft; }
  int ScreenTop() const { return FScreenTop; }
  int LeftOffset() const { return FLeftOffset; }
  int TopOffset() const { return FTopOffset; }
  float Zoom() const { return FZoom; }
  bool Smoothen() const { return FSmoothen; }
  bool DrawCross() const { return FDrawCross; }
  bool ShowCursor() const { return FShowCursor; }
  bool DrawGrid() const { return FDrawGrid; }
  bool FixedGrid() const { return FFixedGrid; }
  TColorFilterMode ColorFilterMode() const { return FColorFilterMode; }
  bool FlipHorizontal() const { return FFlipHorizontal; }
  bool FlipVertical() const { return FFlipVertical; }
  int Gridlevel() const { return FGridlevel; }
  bool Getcolor() const { return FGetcolor; }
  int ScreenColor() const { return Fscreencolor; }
  SimulatedVision VisionSimulation() const { return visionSimulation_; }
  // The side of the square of desktop pixels whose average is sampled: 1, 3 or 5.
  int SampleSize() const { return sampleSize_; }
  ColorRef BorderColor() const { return FBorderColor; }
  BorderKind BorderStyle() const { return FBorderStyle; }
  int BorderWidth() const { return FBorderWidth; }
  BevelCut BevelInner() const { return FBevelInner; }
  BevelCut BevelOuter() const { return FBevelOuter; }
  int BevelWidth() const { return FBevelWidth; }
  bool TimerRefresh() const { return FTimerRefresh; }
  int TimerInterval() const { return FTimerInterval; }
  int UpdateCount() const { return FUpdateCount; }

  void SetScreenLeft(int value);
  void SetScreenTop(int value);
  void SetLeftOffset(int value);
  void SetTopOffset(int value);
  void SetZoom(float value);
  void SetSmoothen(bool value);
  void SetDrawCross(bool value);
  void SetShowCursor(bool value);
  void SetDrawGrid(bool value);
  void SetFixedGrid(bool value);
  void SetColorFilterMode(TColorFilterMode value);
  void SetVisionSimulation(SimulatedVision value);
  // Anything but 3 or 5 samples the one pixel.
  void SetSampleSize(int value);
  void SetFlipHorizontal(bool value);
  void SetFlipVertical(bool value);
  void SetGridlevel(int value) { FGridlevel = value; }
  void SetGetcolor(bool value) { FGetcolor = value; }
  void SetBorderColor(ColorRef value);
  void SetBorderStyle(BorderKind value);
  void SetBorderWidth(int value);
  void SetBevelInner(BevelCut value);
  void SetBevelOuter(BevelCut value);
  void SetBevelWidth(int value);
  void SetTimerRefresh(bool value);
  void SetTimerInterval(int value);

  NotifyEvent OnZoomChanged;
  NotifyEvent OnDblClick;
  MouseEvent OnMouseDown;
  MouseEvent OnMouseUp;

  // Messages, forwarded by the platform host.
  void AttachWindow(WindowId handle) { handle_ = handle; }
  void WMSize(int width, int height);
  void WMWindowPosChanged(int width, int height);
  void WMTimer() { RefreshPicture(); }

 protected:
  // The overlays one at a time, over a whole bitmap (Overlays.cpp); the scaled paint draws the
  // grid row by row while it scales instead.
  void DrawCursorOverlay(Bitmap& bitmap, double f);
  void DrawGridOverlay(Bitmap& bitmap);
  void DrawCrosshairOverlay(Bitmap& bitmap, bool scaled);

  Bitmap Fsourcecopy;
  Bitmap FMainBitMap;
  Bitmap FTempBitMap;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  BorderKind FBorderStyle = bsNone;
  BevelCut FBevelInner = bvNone;
  BevelCut FBevelOuter = bvNone;
  ColorRef FBorderColor = clBtnFace;
  int FScreenTop = 0;
  int FScreenLeft = 0;
  int FTopOffset = 0;
  int FLeftOffset = 0;
  float FZoom = 1.0f;
  bool FDrawGrid = false;
  bool FSmoothen = false;
  bool FDrawCross = false;
  bool FShowCursor = false;
  bool FGetcolor = false;
  TColorFilterMode FColorFilterMode = cfNone;
  bool FFixedGrid = false;
  int FUpdateCount = 0;
  bool FTimerRefresh = false;
  int FTimerInterval = 100;
  int Fscreencolor = 0;
  int FGridlevel = 0;
  bool FFlipHorizontal = false;
  bool FFlipVertical = false;
  SimulatedVision visionSimulation_;
  int sampleSize_ = 1;

 private:
  template <typename T>
  void SetAndRepaint(T& field, T value);
  const Bitmap* PaintUnscaled(const FrameInputs& frame);
  const Bitmap* PaintScaled(const FrameInputs& frame);
  // What a paint now would be made of.
  FrameInputs CurrentInputs();
  void SampleColor(const Bitmap& capture);
  bool PlaceCursor(double f, CursorPlacement& placement);
  // Works out the grid's lines for `bitmap`; false when there is no grid to draw.
  bool PlanGrid(const Bitmap& bitmap);

  Screen& screen_;
  Windowing& windows_;
  Clipboard& clipboard_;
  WindowId handle_ = 0;
  int width_ = 150;
  int height_ = 200;
  bool FCtl3D = true;
  // The bitmap the window showed last; what the clipboard copy takes.
  const Bitmap* shown_ = nullptr;
  FrameMemory frames_;
  FrameComposer composer_;
  GridPlan grid_;
  CursorOverlay cursor_;
  // The scaled path mirrors while it scales, so its overlays are drawn where the flips would
  // put them.
  Mirror overlayMirror_;
};

class TImageView : public TCustomImageView {
 public:
  using TCustomImageView::TCustomImageView;
};

// Mirrors a whole bitmap in place.
void FlipBitmapHorizontally(Bitmap& bitmap);
void FlipBitmapVertically(Bitmap& bitmap);
void FlipBitmapBothWays(Bitmap& bitmap);
