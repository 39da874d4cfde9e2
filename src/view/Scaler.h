#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/Bitmap.h"
#include "base/Geometry.h"
#include "base/Mirror.h"
#include "view/ScalerRows.h"
#include "view/ScalerTables.h"

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

  // At zoom 2 a source row becomes a pair of target rows, and work on them can be done on the
  // source row instead, which has half their pixels and is already in cache.
  struct DoubledRows {
    int source = 0;      // the source row
    int target[2] = {};  // the target rows, mirrors applied
    // Rows the work marks here show a variant of the source row instead of the row itself:
    // `vary` makes pixels [from, from + count) of the variant from the same pixels of the source
    // row, into `variant` (indexed like the source row), piece by piece as they become ready.
    bool varied[2] = {false, false};
    void (*vary)(const uint32_t* from, int count, uint32_t* to) = nullptr;
    uint32_t* variant = nullptr;
  };
  // Asked once per Scale at zoom 2: whether to plan each pair and hear when it is written.
  virtual bool WorksOnDoubledRows() { return false; }
  // Asked before a pair is written, with `rows.varied` all false.
  virtual void PlanDoubled(DoubledRows& /*rows*/) {}
  // Once both rows of the pair are written, before TargetRow: the whole source row and the two
  // whole target rows.
  virtual void Doubled(const DoubledRows& /*rows*/, const uint32_t* /*source*/, uint32_t* const (&/*target*/)[2]) {}
};

// The picture's own scaler, identical on every platform.
// Without smoothing, source pixel i covers destination columns Round(i*z) .. Round((i+1)*z)-1
// (rows likewise), so at whole zooms each source pixel becomes an exact z-by-z block.
// With smoothing it averages by area when shrinking and interpolates bilinearly (centre-aligned,
// edge pixels repeated) when enlarging; the fourth byte is smoothed like the colour bytes.
// Index and weight tables (ScalerTables.h) are kept between calls and rebuilt only when the
// geometry changes, so a steady picture costs no allocation.
class Scaler {
 public:
  // Scales all of `source` onto `target` at `at`, Round(w*zoom) x Round(h*zoom) pixels,
  // clipped to `target`. Pixels of `target` outside that rectangle are not touched.
  // A zoom that is not a positive finite number draws nothing.
  // With a mirror the pixels land where mirroring the whole target afterwards would put them,
  // in the same single pass.
  // `work`, when given, sees every source row read and every target row written.
  void Scale(const Bitmap& source, Bitmap& target, Point at, float zoom, bool smooth, Mirror mirror = {},
             ScaleRowWork* work = nullptr);

  // How often the tables were built; tests use it to see that a steady geometry reuses them.
  int TableBuilds() const { return tableBuilds_; }

 private:
  using Method = ScaleTables::Method;

  // The working rows the tables call for.
  void SizeRows();

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
  // piece by piece as the row work makes the source pixels ready (ScalerDoubling.cpp).
  void DoubleRow(const Bitmap& source, Bitmap& target, int row, int d);
  // Hands the span's rows [from, to) to the row work.
  void Finished(const Bitmap& target, int from, int to);

  const scaler_rows::RowKernels* kernels_ = &scaler_rows::kPortableRows;  // for the call in progress
  ScaleTables tables_;
  int tableBuilds_ = 0;
  ScaleRowWork* work_ = nullptr;  // for the call in progress
  int sourceReady_ = 0;           // source rows below this one went to the row work
  bool doubledWork_ = false;      // the row work plans doubled pairs

  // Mirrored across, the methods other than a whole zoom compose each row here first.
  std::vector<uint32_t> mirrorRow_;
  // Box: the source rows of one destination row, and the mid row they are summed into.
  std::vector<const uint32_t*> boxRowPointers_;
  std::vector<int16_t> mid_;
  // Lerp: two source rows already interpolated across, reused by the rows between them.
  std::vector<uint32_t> lerpAcross_[2];
  int lerpAcrossRow_[2] = {-1, -1};
};
