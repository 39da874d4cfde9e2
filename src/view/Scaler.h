#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/Bitmap.h"
#include "base/Geometry.h"
#include "base/Mirror.h"
#include "view/ContrastPen.h"
#include "view/ScalerRows.h"

// Work the caller does on rows while they are in cache, instead of in passes of its own over
// whole bitmaps.
class ScaleRowWork {
 public:
  virtual ~ScaleRowWork() = default;
  // Source row y, just before the scaler first reads it. Rows come in order, top to bottom;
  // rows the scaler never reads never come.
  virtual void SourceRow(int y) = 0;
  // Told which pixels of a span are ready, [from, to) counted from the span's start.
  using Ready = void (*)(void* context, size_t from, size_t to);
  // Instead of SourceRow, for a row that becomes two picture rows: pixels [from, to) of source
  // row y, which the scaler reads only as `ready` is told they are ready, piece by piece in any
  // order, each pixel once, all before the call returns. The scaler then writes each piece out
  // while the next is worked on.
  virtual void SourceSpan(int y, int from, int to, Ready ready, void* context) = 0;
  // Target row y (a row of the target bitmap, mirrors applied) once the scaler has finished
  // with it: nothing is copied from it afterwards. `copyOf` is the row, handed over just
  // before, that y was copied from (y held the same pixels as it did then), or -1.
  virtual void TargetRow(int y, int copyOf) = 0;

  // The grid's contrast pen (ContrastPen.h) on rows doubled from one source row at zoom 2,
  // drawn by the scaler from the source row rather than by TargetRow over the picture rows.
  // Asked once per Scale: target columns, each inside the picture; or null, and no row gets
  // the pen.
  virtual const std::vector<int>* PenColumns() { return nullptr; }
  // Asked for each target row of a doubled pair before it is written: the pen over the row's
  // whole picture, at the pen columns, or not at all.
  enum class Pen : uint8_t { kNone, kWholeRow, kColumns };
  virtual Pen PenOnRow(int /*y*/) { return Pen::kNone; }
};

// The picture's own scaler, identical on every platform.
// Without smoothing, source pixel i covers destination columns Round(i*z) .. Round((i+1)*z)-1
// (rows likewise), so at whole zooms each source pixel becomes an exact z-by-z block.
// With smoothing it averages by area when shrinking and interpolates bilinearly (centre-aligned,
// edge pixels repeated) when enlarging; the fourth byte is smoothed like the colour bytes.
// Index and weight tables are kept between calls and rebuilt only when the geometry changes,
// so a steady picture costs no allocation.
class Scaler {
 public:
  // Scales all of `source` onto `target` at `at`, Round(w*zoom) x Round(h*zoom) pixels,
  // clipped to `target`. Pixels of `target` outside that rectangle are not touched.
  // A zoom that is not a positive finite number draws nothing.
  // With a mirror the pixels land where mirroring the whole target afterwards would put them,
  // in the same single pass.
  // `work`, when given, sees every source row read and every target row written.
  void Scale(const Bitmap& source, Bitmap& target, TPoint at, float zoom, bool smooth, Mirror mirror = {},
             ScaleRowWork* work = nullptr);

  // How often the tables were built; tests use it to see that a steady geometry reuses them.
  int TableBuilds() const { return tableBuilds_; }

 private:
  enum class Method : uint8_t { None, Nearest, Box, Lerp };

  struct Geometry {
    int sourceWidth = -1;
    int sourceHeight = -1;
    int targetWidth = -1;
    int targetHeight = -1;
    TPoint at;
    float zoom = 0;
    bool smooth = false;
    Mirror mirror;
    friend bool operator==(const Geometry&, const Geometry&) = default;
  };

  // Clipped destination, relative to `at`: columns [left, right), rows [top, bottom).
  struct Span {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
  };

  void Build(const Geometry& g);
  void BuildNearest(double z, int sourceWidth, int sourceHeight);
  void BuildBox(double z, int sourceWidth, int sourceHeight);
  void BuildLerp(double z, int sourceWidth, int sourceHeight);

  void ScaleNearest(const Bitmap& source, Bitmap& target);
  void ScaleBox(const Bitmap& source, Bitmap& target);
  void ScaleLerp(const Bitmap& source, Bitmap& target);
  const uint32_t* LerpedRow(const Bitmap& source, int row, int keep);
  // The target row of destination row d of the span, mirrors applied.
  int TargetY(const Bitmap& target, int d) const;
  // The target column where the span's rows start, mirrors applied.
  int TargetLeft(const Bitmap& target) const;
  // Where destination row d of the span starts in the target, mirrors applied.
  uint32_t* OutRow(Bitmap& target, int d) const;
  // Puts a finished row of the span into the target, reversed when mirrored across.
  void Put(const uint32_t* row, uint32_t* out) const;
  // Hands source row y to the row work before its first read.
  void ReadingSource(int y);
  // Zoom 2 with row work: destination rows d and d + 1 both show source row `row`, written
  // piece by piece as the row work makes the source pixels ready.
  void DoubleRow(const Bitmap& source, Bitmap& target, int row, int d);
  // Takes the row work's pen columns for this call as source columns and row offsets.
  void PreparePen(const Bitmap& source, const Bitmap& target);
  static void WriteDoubled(void* context, size_t from, size_t to);
  // Hands the span's rows [from, to) to the row work.
  void Finished(const Bitmap& target, int from, int to);

  const scaler_rows::RowKernels* kernels_ = &scaler_rows::kPortableRows;  // for the call in progress
  Geometry geometry_;
  Method method_ = Method::None;
  Span span_;
  int wholeZoom_ = 0;  // the zoom when it is a whole number, else 0
  int tableBuilds_ = 0;
  ScaleRowWork* work_ = nullptr;  // for the call in progress
  int sourceReady_ = 0;           // source rows below this one went to the row work
  // The pen columns of the call in progress as source columns and row offsets, and the pen's
  // colours of the source row being doubled.
  bool pen_ = false;
  std::vector<PenPick> penPicks_;
  std::vector<uint32_t> penRow_;

  // Nearest: the source column and row of each destination column and row.
  std::vector<int32_t> columnSource_;
  std::vector<int32_t> rowSource_;
  // Mirrored across, the methods other than a whole zoom compose each row here first.
  std::vector<uint32_t> mirrorRow_;

  // Box: column taps read `mid_`, whose first pixel is source column `midOrigin_`.
  std::vector<scaler_rows::BoxTap> boxColumns_;
  std::vector<scaler_rows::BoxTap> boxRows_;
  std::vector<uint32_t> boxColumnWeights_;
  std::vector<uint32_t> boxRowWeights_;
  std::vector<const uint32_t*> boxRowPointers_;
  std::vector<int16_t> mid_;
  int midOrigin_ = 0;
  int midWidth_ = 0;
  int blockFactor_ = 0;   // 2 or 4 when whole blocks can be averaged at once
  int blockColumns_ = 0;  // leading columns that are whole blocks

  // Lerp: two source rows already interpolated across, reused by the rows between them.
  std::vector<scaler_rows::LerpTap> lerpColumns_;
  std::vector<int32_t> lerpRowFirst_;
  std::vector<int32_t> lerpRowWeight_;
  std::vector<uint32_t> lerpAcross_[2];
  int lerpAcrossRow_[2] = {-1, -1};
};
