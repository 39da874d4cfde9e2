#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "base/Bitmap.h"
#include "base/Colors.h"
#include "base/Geometry.h"
#include "platform/Windowing.h"
#include "view/MouseButton.h"
#include "view/ViewOptions.h"

class Clipboard;
class Screen;
struct CursorPlacement;
struct FrameInputs;

enum TBorderStyle : uint8_t { bsNone, bsSingle };
enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };

inline constexpr TColor kViewGrey = 0x808080;

// Style bits the view's window is created with.
struct TViewWindowStyle {
  bool border = false;      // WS_BORDER
  bool clientEdge = false;  // WS_EX_CLIENTEDGE
};

// The magnifier view: captures a desktop rectangle, samples, filters, scales, draws the
// overlays, mirrors and shows the result. The window itself belongs to the platform host,
// which forwards its messages to the handlers at the end of this class.
class TCustomImageView {
 public:
  using TNotifyEvent = std::function<void(TCustomImageView* Sender)>;
  using TMouseEvent = std::function<void(TCustomImageView* Sender, TMouseButton Button, TPoint at)>;

  TCustomImageView(Screen& screen, Windowing& windows, Clipboard& clipboard, SurfaceFactory& surfaces = HeapSurfaces());
  virtual ~TCustomImageView();
  TCustomImageView(const TCustomImageView&) = delete;
  TCustomImageView& operator=(const TCustomImageView&) = delete;

  virtual TRect GetImageRect() const;
  virtual void GetSourceSize(int& W, int& H) const;
  virtual void BeginUpdate();
  virtual void EndUpdate(bool ARefresh);
  // False when the clipboard refused the picture; with nothing shown yet there is nothing to copy.
  virtual bool CopyToClipBoard();
  virtual void RefreshPicture();

  // Composes the picture and returns what the window must show at (0, 0), or nullptr when
  // nothing is to be drawn (inside an update batch).
  virtual const Bitmap* Paint();
  TViewWindowStyle CreateParams() const;

  // Control geometry, in physical pixels.
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  WindowId Handle() const { return FHandle; }
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
  TVisionSimulation VisionSimulation() const { return FVisionSimulation; }
  // The side of the square of desktop pixels whose average is sampled: 1, 3 or 5.
  int SampleSize() const { return FSampleSize; }
  TColor BorderColor() const { return FBorderColor; }
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  int BorderWidth() const { return FBorderWidth; }
  TBevelCut BevelInner() const { return FBevelInner; }
  TBevelCut BevelOuter() const { return FBevelOuter; }
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
  void SetVisionSimulation(TVisionSimulation value);
  // Anything but 3 or 5 samples the one pixel.
  void SetSampleSize(int value);
  void SetFlipHorizontal(bool value);
  void SetFlipVertical(bool value);
  void SetGridlevel(int value) { FGridlevel = value; }
  void SetGetcolor(bool value) { FGetcolor = value; }
  void SetBorderColor(TColor value);
  void SetBorderStyle(TBorderStyle value);
  void SetBorderWidth(int value);
  void SetBevelInner(TBevelCut value);
  void SetBevelOuter(TBevelCut value);
  void SetBevelWidth(int value);
  void SetTimerRefresh(bool value);
  void SetTimerInterval(int value);

  TNotifyEvent OnZoomChanged;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;

  // Messages, forwarded by the platform host.
  void AttachWindow(WindowId handle) { FHandle = handle; }
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
  TBorderStyle FBorderStyle = bsNone;
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvNone;
  TColor FBorderColor = clBtnFace;
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
  TVisionSimulation FVisionSimulation;
  int FSampleSize = 1;

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

  Screen& FScreen;
  Windowing& FWindows;
  Clipboard& FClipboard;
  WindowId FHandle = 0;
  int FWidth = 150;
  int FHeight = 200;
  bool FCtl3D = true;
  // The bitmap the window showed last; what the clipboard copy takes.
  const Bitmap* FShown = nullptr;
  // What composes the frames (view/ViewPipeline.h), made with the view: the users of the view
  // see its properties, not the pipeline's headers.
  struct Pipeline;
  std::unique_ptr<Pipeline> pipeline_;
};

class TImageView : public TCustomImageView {
 public:
  using TCustomImageView::TCustomImageView;
};
