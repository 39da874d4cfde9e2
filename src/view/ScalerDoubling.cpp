#include <algorithm>

#include "view/Scaler.h"

namespace {

// What a piece of a doubled row needs: the source row, the two target rows and the picture's
// columns.
struct Doubling {
  const scaler_rows::RowKernels* kernels;
  const uint32_t* in;  // the source row
  int width;           // of the source row
  int first;           // source column of the span's first pixel
  int left;            // picture columns [left, right) go to the rows from their first pixel on
  int right;
  bool across;
  uint32_t* rows[2];
  bool varied[2];  // as the row work planned the pair
  void (*vary)(const uint32_t* from, int count, uint32_t* to);
  uint32_t* variant;
};

// Source pixels [from, to) of the span are ready: out to both rows while they are in cache.
void WriteDoubled(void* context, size_t from, size_t to) {
  const Doubling& job = *static_cast<const Doubling*>(context);
  const int a = job.first + static_cast<int>(from);
  const int b = job.first + static_cast<int>(to);
  // Mirrored, source column s shows at picture columns 2 * (width - 1 - s) and the next one.
  const int x0 = std::max(job.across ? 2 * (job.width - b) : 2 * a, job.left);
  const int x1 = std::min(job.across ? 2 * (job.width - a) : 2 * b, job.right);
  if (x0 >= x1) return;
  if (job.varied[0] || job.varied[1]) job.vary(job.in + a, b - a, job.variant + a);
  for (int r = 0; r < 2; ++r) {
    const uint32_t* in = job.varied[r] ? job.variant : job.in;
    uint32_t* out = job.rows[r] + (x0 - job.left);
    if ((x0 | x1) & 1) {
      // A pixel pair cut by the picture's edge.
      if (job.across)
        scaler_rows::ReplicateSpanReversed(*job.kernels, in, job.width, x0, x1, 2, out);
      else
        scaler_rows::ReplicateSpan(*job.kernels, in, x0, x1, 2, out);
    } else if (job.across) {
      job.kernels->replicateReversed(in + job.width - x1 / 2, (x1 - x0) / 2, 2, out);
    } else {
      job.kernels->replicate(in + x0 / 2, (x1 - x0) / 2, 2, out);
    }
  }
}

}  // namespace

void Scaler::DoubleRow(const Bitmap& source, Bitmap& target, int row, int d) {
  const ScaleTables::Span& span = tables_.span;
  const int width = source.Width();
  const bool across = tables_.geometry.mirror.horizontal;
  // Mirrored, the picture is the reversed source row scaled the usual way; its columns.
  const int left = across ? 2 * width - span.right : span.left;
  const int right = across ? 2 * width - span.left : span.right;
  // The source columns those show.
  const int first = across ? width - (right + 1) / 2 : left / 2;
  const int end = across ? width - left / 2 : (right + 1) / 2;
  ScaleRowWork::DoubledRows plan;
  plan.source = row;
  plan.target[0] = TargetY(target, d);
  plan.target[1] = TargetY(target, d + 1);
  if (doubledWork_) work_->PlanDoubled(plan);
  Doubling job{kernels_,
               source.Row(row),
               width,
               first,
               left,
               right,
               across,
               {OutRow(target, d), OutRow(target, d + 1)},
               {plan.varied[0], plan.varied[1]},
               plan.vary,
               plan.variant};
  work_->SourceSpan(row, first, end, &WriteDoubled, &job);
  if (doubledWork_) {
    uint32_t* const rows[2] = {target.Row(plan.target[0]), target.Row(plan.target[1])};
    work_->Doubled(plan, job.in, rows);
  }
  sourceReady_ = row + 1;
}
