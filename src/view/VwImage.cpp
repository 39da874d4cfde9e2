#include "view/VwImage.h"

#include <algorithm>

#include "base/Arith.h"
#include "view/ColorSample.h"
#include "view/Flips.h"

namespace {

constexpr float kMinZoom = 0.1f;
const uint32_t kGreyPixel = PixelFromColor(kViewGrey);
const uint32_t kSilverPixel = PixelFromColor(clSilver);

void DrawFrame(Bitmap& bitmap, uint32_t pixel) {
  const int w = bitmap.Width();
  const int h = bitmap.Height();
  bitmap.FillRect({0, 0, w, 1}, pixel);
  bitmap.FillRect({0, h - 1, w, h}, pixel);
  bitmap.FillRect({0, 0, 1, h}, pixel);
  bitmap.FillRect({w - 1, 0, w, h}, pixel);
}

}  // namespace

void FlipBitmapHorizontally(Bitmap& bitmap) {
  const FlipKernels& flips = FlipPixels();
  const auto width = static_cast<size_t>(bitmap.Width());
  for (int y = 0; y < bitmap.Height(); ++y) flips.reverse(bitmap.Row(y), width);
}

void FlipBitmapVertically(Bitmap& bitmap) {
  const FlipKernels& flips = FlipPixels();
  const auto width = static_cast<size_t>(bitmap.Width());
  for (int top = 0, bottom = bitmap.Height() - 1; top < bottom; ++top, --bottom)
    flips.swap(bitmap.Row(top), bitmap.Row(bottom), width);
}

void FlipBitmapBothWays(Bitmap& bitmap) {
  // Both flips turn the picture end for end, and its rows are contiguous: one pass.
  FlipPixels().reverse(bitmap.Pixels(), bitmap.PixelCount());
}

TCustomImageView::TCustomImageView(Screen& screen, Windowing& windows, Clipboard& clipboard, SurfaceFactory& surfaces)
    : Fsourcecopy(surfaces),
      FMainBitMap(surfaces),
      FTempBitMap(surfaces),
      screen_(screen),
      windows_(windows),
      clipboard_(clipboard),
      frames_(surfaces),
      cursor_(surfaces) {}

TCustomImageView::~TCustomImageView() {
  if (FTimerRefresh && handle_ != 0) windows_.StopTimer(handle_, 1);
}

template <typename T>
void TCustomImageView::SetAndRepaint(T& field, T value) {
  if (field == value) return;
  field = value;
  RefreshPicture();
}

void TCustomImageView::SetScreenLeft(int value) { SetAndRepaint(FScreenLeft, value); }
void TCustomImageView::SetScreenTop(int value) { SetAndRepaint(FScreenTop, value); }
void TCustomImageView::SetLeftOffset(int value) { SetAndRepaint(FLeftOffset, value); }
void TCustomImageView::SetTopOffset(int value) { SetAndRepaint(FTopOffset, value); }
void TCustomImageView::SetSmoothen(bool value) { SetAndRepaint(FSmoothen, value); }
void TCustomImageView::SetDrawCross(bool value) { SetAndRepaint(FDrawCross, value); }
void TCustomImageView::SetShowCursor(bool value) { SetAndRepaint(FShowCursor, value); }
void TCustomImageView::SetDrawGrid(bool value) { SetAndRepaint(FDrawGrid, value); }
void TCustomImageView::SetFixedGrid(bool value) { SetAndRepaint(FFixedGrid, value); }
void TCustomImageView::SetColorFilterMode(TColorFilterMode value) { SetAndRepaint(FColorFilterMode, value); }
void TCustomImageView::SetVisionSimulation(SimulatedVision value) { SetAndRepaint(visionSimulation_, value); }
void TCustomImageView::SetSampleSize(int value) { SetAndRepaint(sampleSize_, value == 3 || value == 5 ? value : 1); }
void TCustomImageView::SetFlipHorizontal(bool value) { SetAndRepaint(FFlipHorizontal, value); }
void TCustomImageView::SetFlipVertical(bool value) { SetAndRepaint(FFlipVertical, value); }
void TCustomImageView::SetBorderColor(ColorRef value) { SetAndRepaint(FBorderColor, value); }
void TCustomImageView::SetBorderStyle(BorderKind value) { SetAndRepaint(FBorderStyle, value); }
void TCustomImageView::SetBorderWidth(int value) { SetAndRepaint(FBorderWidth, std::max(value, 0)); }
void TCustomImageView::SetBevelInner(BevelCut value) { SetAndRepaint(FBevelInner, value); }
void TCustomImageView::SetBevelOuter(BevelCut value) { SetAndRepaint(FBevelOuter, value); }
void TCustomImageView::SetBevelWidth(int value) { SetAndRepaint(FBevelWidth, std::max(value, 1)); }

void TCustomImageView::SetZoom(float value) {
  if (static_cast<double>(value) < static_cast<double>(kMinZoom)) value = kMinZoom;
  if (value == FZoom) return;
  FZoom = value;
  if (OnZoomChanged) OnZoomChanged(this);
  RefreshPicture();
}

void TCustomImageView::SetCtl3D(bool value) {
  FCtl3D = value;
  RefreshPicture();
}

void TCustomImageView::SetTimerRefresh(bool value) {
  if (value == FTimerRefresh) return;
  FTimerRefresh = value;
  if (handle_ == 0) return;
  if (value)
    windows_.StartTimer(handle_, 1, static_cast<uint32_t>(FTimerInterval));
  else
    windows_.StopTimer(handle_, 1);
}

void TCustomImageView::SetTimerInterval(int value) {
  value = std::max(value, 1);
  if (value == FTimerInterval) return;
  FTimerInterval = value;
  if (FTimerRefresh && handle_ != 0) windows_.StartTimer(handle_, 1, static_cast<uint32_t>(FTimerInterval));
}

void TCustomImageView::BeginUpdate() { ++FUpdateCount; }

void TCustomImageView::EndUpdate(bool ARefresh) {
  if (FUpdateCount <= 0) return;
  --FUpdateCount;
  if (ARefresh && FUpdateCount == 0) RefreshPicture();
}

void TCustomImageView::RefreshPicture() {
  if (handle_ == 0) return;
  // A frame made of the same desktop pixels and the same settings as the one on screen would
  // be that frame again: it is neither made nor shown. Inside a batch the inputs are half
  // written, so the repaint is asked for as it always was.
  if (FUpdateCount == 0 && frames_.StillShown(CurrentInputs(), screen_)) return;
  windows_.Invalidate(handle_);
}

Rect TCustomImageView::GetImageRect() const {
  int bevel = 0;
  if (FCtl3D) {
    bevel = (FBevelOuter != bvNone ? FBevelWidth : 0) + (FBevelInner != bvNone ? FBevelWidth : 0);
  } else if (FBevelOuter != bvNone || FBevelInner != bvNone) {
    bevel = FBevelWidth;
  }
  const int inset = FBorderWidth + bevel;
  return {inset, inset, width_ - inset, height_ - inset};
}

void TCustomImageView::GetSourceSize(int& W, int& H) const {
  if (FZoom > 0) {
    W = Round(width_ / static_cast<double>(FZoom)) + 4;
    H = Round(height_ / static_cast<double>(FZoom)) + 4;
  } else {
    W = H = 0;
  }
}

ViewWindowStyle TCustomImageView::CreateParams() const {
  ViewWindowStyle style;
  if (FBorderStyle == bsSingle) {
    style.border = !FCtl3D;
    style.clientEdge = FCtl3D;
  }
  return style;
}

void TCustomImageView::WMSize(int width, int height) {
  width_ = width;
  height_ = height;
  RefreshPicture();
}

void TCustomImageView::WMWindowPosChanged(int width, int height) {
  const int frame =
      FBorderWidth + (FBevelInner != bvNone ? FBevelWidth : 0) + (FBevelOuter != bvNone ? FBevelWidth : 0);
  if (frame > 0 && handle_ != 0) {
    // The inner frame moves with the edge; repaint the strip it leaves behind.
    if (width != width_) windows_.InvalidateArea(handle_, {width_ - frame - 1, 0, width_, height_});
    if (height != height_) windows_.InvalidateArea(handle_, {0, height_ - frame - 1, width_, height_});
  }
}

const Bitmap* TCustomImageView::Paint() {
  if (FUpdateCount > 0) return nullptr;
  const FrameInputs frame = CurrentInputs();
  shown_ = static_cast<double>(FZoom) == 1.0 ? PaintUnscaled(frame) : PaintScaled(frame);
  frames_.Shown(frame);
  return shown_;
}

FrameInputs TCustomImageView::CurrentInputs() {
  FrameInputs in;
  in.width = width_;
  in.height = height_;
  in.area = GetImageRect();
  const Rect& r = in.area;
  if (static_cast<double>(FZoom) == 1.0) {
    in.capture = {FScreenLeft, FScreenTop, FScreenLeft + r.Width(), FScreenTop + r.Height()};
  } else {
    const Rect desktop = screen_.VirtualScreen();
    const double zoom = FZoom;
    const int sw = std::min(Ceil(r.Width() / zoom), desktop.Width());
    const int sh = std::min(Ceil(r.Height() / zoom), desktop.Height());
    in.capture = {FScreenLeft, FScreenTop, FScreenLeft + sw, FScreenTop + sh};
  }
  in.tracked = {FLeftOffset, FTopOffset};
  in.zoom = FZoom;
  in.smooth = FSmoothen;
  in.cross = FDrawCross;
  in.drawGrid = FDrawGrid;
  in.fixedGrid = FFixedGrid;
  in.gridlevel = FGridlevel;
  in.filter = FColorFilterMode;
  in.vision = visionSimulation_;
  in.flipHorizontal = FFlipHorizontal;
  in.flipVertical = FFlipVertical;
  in.borderColor = FBorderColor;
  in.sample = FGetcolor;
  in.sampleSize = sampleSize_;
  CursorImage cursor;
  in.cursor = FShowCursor && screen_.CurrentCursor(cursor);
  if (in.cursor) {
    in.cursorHandle = cursor.handle;
    in.hotSpot = cursor.hotSpot;
  }
  return in;
}

const Bitmap* TCustomImageView::PaintUnscaled(const FrameInputs& frame) {
  const Rect& r = frame.area;
  FMainBitMap.SetSize(width_, height_);
  if (!frames_.Capture(screen_, frame.capture, FMainBitMap, {r.left, r.top})) {
    FTempBitMap.SetSize(width_, height_);
    FTempBitMap.Fill(kGreyPixel);
    return &FTempBitMap;
  }
  // Every pixel is written on every frame: a border around the capture is grey, as around a
  // scaled picture, never what a new or an older bitmap held there.
  FMainBitMap.FillOutside(r, kGreyPixel);
  SampleColor(FMainBitMap);
  ApplyColorFilter(FMainBitMap, FColorFilterMode, r);
  ApplyVisionSimulation(FMainBitMap.Pixels(), FMainBitMap.PixelCount(), visionSimulation_);
  if (FShowCursor) DrawCursorOverlay(FMainBitMap, 1.0);
  if (FDrawCross) DrawCrosshairOverlay(FMainBitMap, false);
  if (FFlipHorizontal && FFlipVertical) {
    FlipBitmapBothWays(FMainBitMap);
  } else if (FFlipHorizontal) {
    FlipBitmapHorizontally(FMainBitMap);
  } else if (FFlipVertical) {
    FlipBitmapVertically(FMainBitMap);
  }
  // The frame marks the window's edge while the title bar is hidden, at every zoom.
  if (FBorderColor == clSilver) DrawFrame(FMainBitMap, kSilverPixel);
  return &FMainBitMap;
}

const Bitmap* TCustomImageView::PaintScaled(const FrameInputs& frame) {
  const Rect& r = frame.area;
  FTempBitMap.SetSize(width_, height_);
  const double zoom = FZoom;
  Fsourcecopy.SetSize(frame.capture.Width(), frame.capture.Height());
  if (!frames_.Capture(screen_, frame.capture, Fsourcecopy, {0, 0})) {
    FTempBitMap.Fill(kGreyPixel);
    return &FTempBitMap;
  }
  SampleColor(Fsourcecopy);
  // The flips happen in the scaler; the overlays are drawn mirrored to match.
  overlayMirror_ = {FFlipHorizontal, FFlipVertical};
  CursorPlacement cursor;
  const bool hasCursor = PlaceCursor(zoom, cursor);
  FrameRecipe recipe;
  recipe.at = {r.left, r.top};
  recipe.zoom = FZoom;
  recipe.smooth = FSmoothen;
  recipe.mirror = overlayMirror_;
  recipe.filter = FColorFilterMode;
  recipe.simulation = visionSimulation_;
  recipe.around = kGreyPixel;
  recipe.grid = FGridlevel > 0 && PlanGrid(FTempBitMap) ? &grid_ : nullptr;
  if (hasCursor) {
    recipe.cursorTop = cursor.at.y;
    recipe.cursorBottom = cursor.at.y + cursor.size;
  }
  composer_.Compose(Fsourcecopy, FTempBitMap, recipe);
  if (hasCursor) cursor_.Draw(screen_, FTempBitMap, cursor, overlayMirror_);
  composer_.GridUnderCursor();
  if (FDrawCross) DrawCrosshairOverlay(FTempBitMap, true);
  overlayMirror_ = {};
  if (FBorderColor == clSilver) DrawFrame(FTempBitMap, kSilverPixel);
  return &FTempBitMap;
}

void TCustomImageView::SampleColor(const Bitmap& capture) {
  if (!FGetcolor) return;
  if (FTopOffset < 0 || FTopOffset >= capture.Height() || FLeftOffset < 0 || FLeftOffset >= capture.Width()) return;
  Fscreencolor = static_cast<int>(AverageColor(capture, {FLeftOffset, FTopOffset}, sampleSize_));
}

bool TCustomImageView::CopyToClipBoard() {
  if (shown_ == nullptr || shown_->Empty()) return true;
  return clipboard_.SetBitmap(*shown_);
}
