#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "unit/CpuPaths.h"
#include "view/Scaler.h"
#include "view/ScalerRows.h"

namespace {

// Pixels untouched by the scaler keep this value and print as '.'.
constexpr uint32_t kUntouched = 0x00808080;

// Letters as pixels; the fourth byte is set so that a copy that drops it shows.
uint32_t LetterPixel(char c) { return 0xA5000000u | static_cast<uint32_t>(static_cast<unsigned char>(c)); }

void Draw(Bitmap& b, const std::vector<std::string>& picture) {
  b.SetSize(static_cast<int>(picture[0].size()), static_cast<int>(picture.size()));
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) b.At(x, y) = LetterPixel(picture[y][x]);
  }
}

std::vector<std::string> Picture(const Bitmap& b) {
  std::vector<std::string> rows;
  for (int y = 0; y < b.Height(); ++y) {
    std::string row;
    for (int x = 0; x < b.Width(); ++x) {
      const uint32_t p = b.At(x, y);
      row += p == kUntouched ? '.' : (p & 0xFFFFFF00u) == 0xA5000000u ? static_cast<char>(p & 0xFF) : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

void Blank(Bitmap& b, int width, int height) {
  b.SetSize(width, height);
  b.Fill(kUntouched);
}

void FillRandom(Bitmap& b, int width, int height, unsigned seed) {
  std::mt19937 random(seed);
  b.SetSize(width, height);
  for (size_t i = 0; i < b.PixelCount(); ++i) b.Pixels()[i] = static_cast<uint32_t>(random());
}

int Channel(uint32_t p, int c) { return static_cast<int>((p >> (8 * c)) & 0xFF); }

// ---- Without smoothing: whole source pixels, placed by Round(i * zoom) ----

struct RowCase {
  float zoom;
  const char* source;
  const char* expected;
};

TEST(ScalerNearest, SourcePixelsCoverColumnsFromRoundOfTheirStartToTheNextStart) {
  const RowCase cases[] = {
      {1, "ABC", "ABC"},
      {2, "ABC", "AABBCC"},
      {3, "ABC", "AAABBBCCC"},
      // Edges 0, Round(1.5)=2, 3, Round(4.5)=4, 6, Round(7.5)=8, 9.
      {1.5f, "ABCDEF", "AABCDDEEF"},
      // Edges 0, Round(2.5)=2, 5, Round(7.5)=8, 10.
      {2.5f, "ABCD", "AABBBCCCDD"},
      // Edges 0, 1, 2, Round(2.25)=2, 3: C gets no column.
      {0.75f, "ABCD", "ABD"},
      // Edges 0, Round(0.5)=0, 1, Round(1.5)=2, 2, Round(2.5)=2, 3, Round(3.5)=4, 4.
      {0.5f, "ABCDEFGH", "BCFG"},
      // Edges 0, 0, 0, 1, 1, 1, 2, 2, 2.
      {0.25f, "ABCDEFGH", "CF"},
  };
  for (const RowCase& c : cases) {
    // Four equal rows, so that even a quarter keeps one.
    Bitmap source, target;
    Draw(source, {c.source, c.source, c.source, c.source});
    Blank(target, 12, 12);
    Scaler scaler;
    scaler.Scale(source, target, {0, 0}, c.zoom, false);
    const std::string expected = c.expected + std::string(12 - std::string(c.expected).size(), '.');
    EXPECT_EQ(Picture(target)[0], expected) << "zoom " << c.zoom;
  }
}

// The same edges over rows long enough for the shrinking kernels' blocks of eight, on every
// path: at a half, columns 1, 2, 5, 6, 9, 10, ...; at a quarter 2, 5, 10, 13, 18, 21, ...
TEST(ScalerNearest, LongRowsShrinkByTheSameEdgesOnEveryPath) {
  const struct {
    float zoom;
    int (*column)(int d);
  } cases[] = {{0.5f, [](int d) { return 4 * (d / 2) + 1 + d % 2; }},
               {0.25f, [](int d) { return 8 * (d / 2) + 2 + 3 * (d % 2); }}};
  Bitmap source;
  source.SetSize(333, 8);
  for (int y = 0; y < source.Height(); ++y) {
    for (int x = 0; x < source.Width(); ++x) source.Row(y)[x] = static_cast<uint32_t>(x | y << 16);
  }
  for (const CpuPath& path : CpuPaths()) {
    const CpuPathScope scope(path);
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(path.name) + " zoom " + std::to_string(c.zoom));
      // Two origins: the picks then start at source column 1 or 6, in two patterns of offsets.
      for (const int left : {0, -3}) {
        Bitmap target;
        Blank(target, 90, 2);
        Scaler().Scale(source, target, {left, 0}, c.zoom, false);
        const int shown = std::min(90, static_cast<int>(333 * c.zoom) + left);
        for (int x = 0; x < shown; ++x) {
          ASSERT_EQ(target.Row(0)[x] & 0xFFFF, static_cast<uint32_t>(c.column(x - left))) << "column " << x;
        }
      }
    }
  }
}

// The pick loop takes only rows whose columns repeat every 16 or 32 source pixels, and only as
// many blocks as end inside the row: at a half, a 31-pixel row's 16 columns end at its last
// pixel (30), but a second block would read up to 32.
TEST(ScalerNearest, PicksOnlyRepeatingColumnsAndOnlyBlocksInsideTheRow) {
  const struct {
    int sourceWidth;
    float zoom;
    bool mirrored;
    int span;
    int blocks;
  } cases[] = {{333, 0.5f, false, 16, 11}, {333, 0.25f, false, 32, 10}, {333, 0.5f, true, 0, 0},
               {333, 0.3f, false, 0, 0},   {31, 0.5f, false, 16, 1},    {29, 0.5f, false, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.sourceWidth) + " at " + std::to_string(c.zoom) + (c.mirrored ? " mirrored" : ""));
    ScaleTables tables;
    tables.Build({c.sourceWidth, 8, 90, 8, {0, 0}, c.zoom, false, {c.mirrored, false}});
    EXPECT_EQ(tables.pickSpan, c.span);
    EXPECT_EQ(tables.pickBlocks, c.blocks);
  }
  // Two rows, of which a half shows the second, the last in the bitmap: reading past it is
  // reading past the allocation.
  Bitmap source;
  source.SetSize(31, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 31; ++x) source.Row(y)[x] = static_cast<uint32_t>(x);
  }
  for (const CpuPath& path : CpuPaths()) {
    const CpuPathScope scope(path);
    Bitmap target;
    Blank(target, 16, 1);
    Scaler().Scale(source, target, {0, 0}, 0.5f, false);
    for (int x = 0; x < 16; ++x)
      EXPECT_EQ(target.Row(0)[x], static_cast<uint32_t>(4 * (x / 2) + 1 + x % 2)) << path.name;
  }
}

TEST(ScalerNearest, RowsFollowTheSameEdgesAsColumns) {
  Bitmap source, target;
  Draw(source, {"AB",  //
                "CD"});
  Blank(target, 5, 4);
  Scaler scaler;
  scaler.Scale(source, target, {1, 0}, 1.5f, false);
  EXPECT_EQ(Picture(target), (std::vector<std::string>{".AAB.",  //
                                                       ".AAB.",  //
                                                       ".CCD.",  //
                                                       "....."}));
  Blank(target, 7, 7);
  scaler.Scale(source, target, {0, 1}, 2.5f, false);
  EXPECT_EQ(Picture(target), (std::vector<std::string>{".......",  //
                                                       "AABBB..",  //
                                                       "AABBB..",  //
                                                       "CCDDD..",  //
                                                       "CCDDD..",  //
                                                       "CCDDD..",  //
                                                       "......."}));
}

TEST(ScalerNearest, ClipsAtEveryTargetEdgeAndLeavesTheRestUntouched) {
  Bitmap source, target;
  Draw(source, {"ABC",  //
                "DEF"});
  Scaler scaler;
  // The 6 x 4 picture starts 3 columns left of and 1 row above the target.
  Blank(target, 4, 4);
  scaler.Scale(source, target, {-3, -1}, 2, false);
  EXPECT_EQ(Picture(target), (std::vector<std::string>{"BCC.",  //
                                                       "EFF.",  //
                                                       "EFF.",  //
                                                       "...."}));
  Blank(target, 5, 3);
  scaler.Scale(source, target, {3, 2}, 2, false);
  EXPECT_EQ(Picture(target), (std::vector<std::string>{".....",  //
                                                       ".....",  //
                                                       "...AA"}));
  // Whole zooms replicate whole blocks in bulk: cut blocks at both ends must still be right.
  Draw(source, {"ABCDEFGHIJ"});
  Blank(target, 24, 1);
  scaler.Scale(source, target, {-7, 0}, 5, false);
  EXPECT_EQ(Picture(target)[0], "BBBCCCCCDDDDDEEEEEFFFFFG");
}

TEST(ScalerNearest, LastSourceColumnPartlyOutsideTheTarget) {
  // A 400 x 300 view at zoom 3 captures 134 x 100 and scales to 402 x 300.
  Bitmap source, target;
  source.SetSize(134, 100);
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 134; ++x) source.At(x, y) = 0xFF000000u | static_cast<uint32_t>(y << 12 | x);
  }
  Blank(target, 400, 300);
  Scaler scaler;
  scaler.Scale(source, target, {0, 0}, 3, false);
  int wrong = 0;
  for (int y = 0; y < 300; ++y) {
    for (int x = 0; x < 400; ++x) wrong += target.At(x, y) != source.At(x / 3, y / 3);
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(target.At(399, 299), source.At(133, 99));
}

TEST(ScalerNearest, WholeZoomsGiveExactBlocksAtLargeZooms) {
  for (int zoom : {2, 3, 4, 7, 8, 40, 64}) {
    Bitmap source, target;
    FillRandom(source, 5, 3, static_cast<unsigned>(zoom));
    Blank(target, 5 * zoom + 3, 3 * zoom + 2);
    Scaler scaler;
    scaler.Scale(source, target, {1, 2}, static_cast<float>(zoom), false);
    int wrong = 0;
    for (int y = 0; y < target.Height(); ++y) {
      for (int x = 0; x < target.Width(); ++x) {
        const bool inside = x >= 1 && x < 1 + 5 * zoom && y >= 2 && y < 2 + 3 * zoom;
        const uint32_t expected = inside ? source.At((x - 1) / zoom, (y - 2) / zoom) : kUntouched;
        wrong += target.At(x, y) != expected;
      }
    }
    EXPECT_EQ(wrong, 0) << "zoom " << zoom;
  }
}

// ---- Both modes ----

TEST(Scaler, DegenerateInputDrawsNothingAndDoesNotFail) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    int sourceWidth, sourceHeight;
    Point at;
    float zoom;
  } cases[] = {
      {0, 0, {0, 0}, 2},        {8, 0, {0, 0}, 2},
      {8, 6, {16, 0}, 2},       {8, 6, {-16, 0}, 2},
      {8, 6, {0, 12}, 2},       {8, 6, {0, -12}, 2},
      {8, 6, {INT_MAX, 0}, 2},  {8, 6, {INT_MIN, 0}, 2},
      {8, 6, {0, INT_MIN}, 40}, {8, 6, {INT_MIN, INT_MIN}, 0.5f},
      {8, 6, {0, 0}, 0},        {8, 6, {0, 0}, -2},
      {8, 6, {0, 0}, nan},      {8, 6, {0, 0}, inf},
      {8, 6, {0, 0}, 1e30f},    {8, 6, {0, 0}, 0.01f},
  };
  for (bool smooth : {false, true}) {
    for (const Case& c : cases) {
      Bitmap source, target;
      source.SetSize(c.sourceWidth, c.sourceHeight);
      source.Fill(0xFFFFFFFF);
      Blank(target, 16, 12);
      Scaler scaler;
      scaler.Scale(source, target, c.at, c.zoom, smooth);
      EXPECT_EQ(std::count(target.Pixels(), target.Pixels() + target.PixelCount(), kUntouched), 16 * 12)
          << c.sourceWidth << "x" << c.sourceHeight << " at " << c.at.x << "," << c.at.y << " zoom " << c.zoom;
    }
    Bitmap source, empty;
    source.SetSize(4, 4);
    Scaler scaler;
    scaler.Scale(source, empty, {0, 0}, 2, smooth);
  }
}

TEST(Scaler, FillsExactlyTheRoundedRectangleWithAFlatColorAtAnyZoom) {
  constexpr uint32_t kColor = 0xC8326497;
  const float zooms[] = {0.1f, 0.25f, 0.3f, 0.5f, 0.75f, 0.99f, 1, 1.01f, 1.5f, 2, 2.5f, 3, 7.3f, 40};
  for (bool smooth : {false, true}) {
    for (float zoom : zooms) {
      Bitmap source, target;
      source.SetSize(37, 23);
      source.Fill(kColor);
      Blank(target, 120, 90);
      const Point at{-5, 3};
      Scaler scaler;
      scaler.Scale(source, target, at, zoom, smooth);
      const int right = at.x + static_cast<int>(std::nearbyint(37 * static_cast<double>(zoom)));
      const int bottom = at.y + static_cast<int>(std::nearbyint(23 * static_cast<double>(zoom)));
      int wrong = 0;
      for (int y = 0; y < target.Height(); ++y) {
        for (int x = 0; x < target.Width(); ++x) {
          const bool inside = x >= at.x && x < right && y >= at.y && y < bottom;
          wrong += target.At(x, y) != (inside ? kColor : kUntouched);
        }
      }
      EXPECT_EQ(wrong, 0) << "zoom " << zoom << (smooth ? " smooth" : "");
    }
  }
}

TEST(Scaler, ClippedPictureIsTheSameAsTheCropOfTheWholePicture) {
  const float zooms[] = {0.1f, 0.3f, 0.5f, 0.7f, 1, 1.5f, 2, 2.5f, 3, 13.7f};
  Bitmap source;
  FillRandom(source, 41, 29, 7);
  for (bool smooth : {false, true}) {
    for (float zoom : zooms) {
      Bitmap whole, part;
      Blank(whole, 600, 400);
      Blank(part, 19, 13);
      Scaler scaler;
      scaler.Scale(source, whole, {0, 0}, zoom, smooth);
      const Point at{-9, -6};
      scaler.Scale(source, part, at, zoom, smooth);
      int wrong = 0;
      for (int y = 0; y < part.Height(); ++y) {
        for (int x = 0; x < part.Width(); ++x) wrong += part.At(x, y) != whole.At(x - at.x, y - at.y);
      }
      EXPECT_EQ(wrong, 0) << "zoom " << zoom << (smooth ? " smooth" : "");
    }
  }
}

// Row work that changes each source row it is handed and stamps each finished target row
// with its row number; handing a row twice, late, or before a copy is taken from it shows.
class StampingRows : public ScaleRowWork {
 public:
  StampingRows(Bitmap& source, Bitmap& target) : source_(source), target_(target) {}
  void SourceRow(int y) override {
    outOfOrder_ += y < lastRow_;
    lastRow_ = y;
    for (int x = 0; x < source_.Width(); ++x) source_.At(x, y) ^= 0x00FF00FFu;
  }
  // Ready in pieces of seven, last piece first, to hold the scaler to "in any order".
  void SourceSpan(int y, int from, int to, Ready ready, void* context) override {
    outOfOrder_ += y < lastRow_;
    lastRow_ = y;
    for (int x = from; x < to; ++x) source_.At(x, y) ^= 0x00FF00FFu;
    const size_t count = static_cast<size_t>(to - from);
    for (size_t end = count; end > 0; end -= std::min<size_t>(end, 7))
      ready(context, end - std::min<size_t>(end, 7), end);
  }
  int OutOfOrder() const { return outOfOrder_; }
  void TargetRow(int y, int copyOf) override {
    if (copyOf >= 0) {
      // A copy held what its original held before the original was stamped.
      for (int x = 0; x < target_.Width(); ++x) {
        copies_ += target_.At(x, y) + static_cast<uint32_t>(copyOf + 1) != target_.At(x, copyOf);
      }
    }
    for (int x = 0; x < target_.Width(); ++x) target_.At(x, y) += static_cast<uint32_t>(y + 1);
  }
  int WrongCopies() const { return copies_; }

 private:
  Bitmap& source_;
  Bitmap& target_;
  int copies_ = 0;
  int outOfOrder_ = 0;
  int lastRow_ = -1;
};

TEST(Scaler, RowWorkEqualsWorkOnTheWholeSourceBeforeAndTheWholeTargetAfter) {
  const float zooms[] = {0.25f, 0.5f, 0.7f, 1, 1.5f, 2, 3, 13.7f};
  // Odd places cut a doubled pixel pair at the picture's edges.
  const Point places[] = {{3, 2}, {-9, -6}, {40, 31}};
  const Mirror mirrors[] = {{}, {true, false}, {false, true}};
  for (bool smooth : {false, true}) {
    for (float zoom : zooms) {
      for (const Point at : places) {
        for (const Mirror mirror : mirrors) {
          Bitmap source, changed, expected, actual;
          FillRandom(source, 41, 29, 5);
          FillRandom(changed, 41, 29, 5);
          for (int y = 0; y < 29; ++y)
            for (int x = 0; x < 41; ++x) changed.At(x, y) ^= 0x00FF00FFu;
          Blank(expected, 67, 53);
          Blank(actual, 67, 53);
          Scaler whole, rows;
          whole.Scale(changed, expected, at, zoom, smooth, mirror);
          // Rows the picture does not reach are not the scaler's to hand over.
          for (int y = 0; y < 53; ++y) {
            const uint32_t* row = expected.Row(y);
            if (std::all_of(row, row + 67, [](uint32_t p) { return p == kUntouched; })) continue;
            for (int x = 0; x < 67; ++x) expected.At(x, y) += static_cast<uint32_t>(y + 1);
          }
          StampingRows work(source, actual);
          rows.Scale(source, actual, at, zoom, smooth, mirror, &work);
          int wrong = 0;
          for (int y = 0; y < 53; ++y)
            for (int x = 0; x < 67; ++x) wrong += actual.At(x, y) != expected.At(x, y);
          EXPECT_EQ(wrong, 0) << "zoom " << zoom << (smooth ? " smooth" : "") << " at " << at.x << "," << at.y
                              << " mirror " << mirror.horizontal << mirror.vertical;
          EXPECT_EQ(work.WrongCopies(), 0);
          EXPECT_EQ(work.OutOfOrder(), 0);
        }
      }
    }
  }
}

// Row work that has every third target row of a doubled pair show its source row with the
// colour bytes flipped, and counts the pairs it hears of with the wrong rows.
class VaryingRows : public ScaleRowWork {
 public:
  VaryingRows(const Bitmap& source, const Bitmap& target)
      : source_(source), target_(target), variant_(static_cast<size_t>(source.Width())) {}
  void SourceRow(int) override {}
  // Ready in pieces of five, first piece last.
  void SourceSpan(int, int from, int to, Ready ready, void* context) override {
    const size_t count = static_cast<size_t>(to - from);
    for (size_t end = count; end > 0; end -= std::min<size_t>(end, 5))
      ready(context, end - std::min<size_t>(end, 5), end);
  }
  void TargetRow(int, int) override {}
  bool WorksOnDoubledRows() override { return true; }
  void PlanDoubled(DoubledRows& rows) override {
    for (int r = 0; r < 2; ++r) rows.varied[r] = rows.target[r] % 3 == 0;
    rows.vary = [](const uint32_t* from, int count, uint32_t* to) {
      for (int i = 0; i < count; ++i) to[i] = from[i] ^ 0x00FFFFFFu;
    };
    rows.variant = variant_.data();
  }
  void Doubled(const DoubledRows& rows, const uint32_t* source, uint32_t* const (&target)[2]) override {
    ++pairs;
    wrongRows += source != source_.Row(rows.source) || target[0] != target_.Row(rows.target[0]) ||
                 target[1] != target_.Row(rows.target[1]) || rows.target[1] - rows.target[0] != 1 - 2 * flipped;
  }
  int pairs = 0;
  int wrongRows = 0;
  bool flipped = false;

 private:
  const Bitmap& source_;
  const Bitmap& target_;
  std::vector<uint32_t> variant_;
};

TEST(Scaler, DoubledRowsShowTheVariantTheRowWorkAsksFor) {
  // Odd places cut a pair at the top or the bottom: its one row is no pair.
  const Point places[] = {{3, 2}, {-9, -7}, {40, 30}};
  const Mirror mirrors[] = {{}, {true, false}, {false, true}};
  Bitmap source;
  FillRandom(source, 41, 29, 17);
  for (const Point at : places) {
    for (const Mirror mirror : mirrors) {
      Bitmap expected, actual;
      Blank(expected, 67, 53);
      Blank(actual, 67, 53);
      Scaler plain, worked;
      plain.Scale(source, expected, at, 2, false, mirror);
      // Picture row d belongs to source row d / 2; a pair is doubled when both its rows show.
      int pairs = 0;
      for (int d = 0; d < 2 * 29; ++d) {
        const bool shows = at.y + d >= 0 && at.y + d < 53;
        const bool partnerShows = at.y + (d ^ 1) >= 0 && at.y + (d ^ 1) < 53;
        if (!shows || !partnerShows) continue;
        pairs += d % 2;
        const int y = mirror.Y(at.y + d, 53);
        if (y % 3 != 0) continue;
        for (int x = 0; x < 67; ++x) {
          if (expected.At(x, y) != kUntouched) expected.At(x, y) ^= 0x00FFFFFFu;
        }
      }
      VaryingRows work(source, actual);
      work.flipped = mirror.vertical;
      worked.Scale(source, actual, at, 2, false, mirror, &work);
      int wrong = 0;
      for (int y = 0; y < 53; ++y)
        for (int x = 0; x < 67; ++x) wrong += actual.At(x, y) != expected.At(x, y);
      EXPECT_EQ(wrong, 0) << "at " << at.x << "," << at.y << " mirror " << mirror.horizontal << mirror.vertical;
      EXPECT_EQ(work.pairs, pairs) << "at " << at.x << "," << at.y;
      EXPECT_EQ(work.wrongRows, 0) << "at " << at.x << "," << at.y;
    }
  }
}

// The mirrored pass against scaling first and mirroring the whole target after, for every
// method, with the picture clipped on each side and the rest of the target left alone.
TEST(Scaler, MirroredScalingEqualsScalingThenMirroringTheTarget) {
  const float zooms[] = {0.25f, 0.3f, 0.5f, 0.7f, 1, 1.5f, 2, 3, 4, 13.7f};
  const Point places[] = {{3, 2}, {-9, -6}, {40, 31}};
  const Mirror mirrors[] = {{true, false}, {false, true}, {true, true}};
  Bitmap source;
  FillRandom(source, 41, 29, 11);
  for (bool smooth : {false, true}) {
    for (float zoom : zooms) {
      for (const Point at : places) {
        for (const Mirror mirror : mirrors) {
          Bitmap expected, actual;
          Blank(expected, 67, 53);
          Blank(actual, 67, 53);
          Scaler plain, mirrored;
          plain.Scale(source, expected, at, zoom, smooth);
          mirrored.Scale(source, actual, at, zoom, smooth, mirror);
          int wrong = 0;
          for (int y = 0; y < 53; ++y) {
            for (int x = 0; x < 67; ++x) {
              const int fromX = mirror.horizontal ? 66 - x : x;
              const int fromY = mirror.vertical ? 52 - y : y;
              wrong += actual.At(x, y) != expected.At(fromX, fromY);
            }
          }
          EXPECT_EQ(wrong, 0) << "zoom " << zoom << (smooth ? " smooth" : "") << " at " << at.x << "," << at.y
                              << " mirror " << mirror.horizontal << mirror.vertical;
        }
      }
    }
  }
}

TEST(Scaler, KeepsItsTablesWhileTheGeometryStaysTheSame) {
  Bitmap source, target;
  FillRandom(source, 30, 20, 1);
  Blank(target, 64, 48);
  Scaler scaler;
  scaler.Scale(source, target, {0, 0}, 1.5f, true);
  scaler.Scale(source, target, {0, 0}, 1.5f, true);
  FillRandom(source, 30, 20, 2);
  scaler.Scale(source, target, {0, 0}, 1.5f, true);
  EXPECT_EQ(scaler.TableBuilds(), 1);
  scaler.Scale(source, target, {1, 0}, 1.5f, true);
  EXPECT_EQ(scaler.TableBuilds(), 2);
  scaler.Scale(source, target, {1, 0}, 2, true);
  EXPECT_EQ(scaler.TableBuilds(), 3);
  scaler.Scale(source, target, {1, 0}, 2, false);
  EXPECT_EQ(scaler.TableBuilds(), 4);
  target.SetSize(63, 48);
  scaler.Scale(source, target, {1, 0}, 2, false);
  EXPECT_EQ(scaler.TableBuilds(), 5);
  source.SetSize(30, 21);
  scaler.Scale(source, target, {1, 0}, 2, false);
  EXPECT_EQ(scaler.TableBuilds(), 6);
}

TEST(Scaler, ReusedTablesScaleTheNewPixels) {
  // The short target reads only the first source rows, which a stale cache would still hold.
  for (int height : {60, 3}) {
    for (float zoom : {0.4f, 1.5f, 3.0f}) {
      for (bool smooth : {false, true}) {
        Bitmap first, second, reused, fresh;
        FillRandom(first, 23, 2, 3);
        FillRandom(second, 23, 2, 4);
        Blank(reused, 80, height);
        Blank(fresh, 80, height);
        Scaler scaler;
        scaler.Scale(first, reused, {2, 1}, zoom, smooth);
        scaler.Scale(second, reused, {2, 1}, zoom, smooth);
        Scaler other;
        other.Scale(second, fresh, {2, 1}, zoom, smooth);
        EXPECT_TRUE(std::equal(reused.Pixels(), reused.Pixels() + reused.PixelCount(), fresh.Pixels()))
            << "height " << height << " zoom " << zoom << (smooth ? " smooth" : "");
      }
    }
  }
}

// ---- With smoothing ----

TEST(ScalerSmooth, ZoomOneCopiesThePicture) {
  Bitmap source, target;
  FillRandom(source, 13, 9, 5);
  Blank(target, 13, 9);
  Scaler scaler;
  scaler.Scale(source, target, {0, 0}, 1, true);
  EXPECT_TRUE(std::equal(source.Pixels(), source.Pixels() + source.PixelCount(), target.Pixels()));
}

TEST(ScalerSmooth, CheckerboardHalvedIsItsAverageRoundedHalfUp) {
  Bitmap source, target;
  source.SetSize(4, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) source.At(x, y) = (x + y) % 2 ? 0xFFFFFFFF : 0x00000000;
  }
  Blank(target, 3, 3);
  Scaler scaler;
  scaler.Scale(source, target, {0, 0}, 0.5f, true);
  const uint32_t g = 0x80808080;  // 127.5 rounds up; the fourth byte is averaged too
  EXPECT_EQ(std::vector<uint32_t>(target.Pixels(), target.Pixels() + 9),
            (std::vector<uint32_t>{g, g, kUntouched,  //
                                   g, g, kUntouched,  //
                                   kUntouched, kUntouched, kUntouched}));
}

TEST(ScalerSmooth, HalfAndQuarterAverageWholeBlocksExactly) {
  for (int factor : {2, 4}) {
    Bitmap source, target;
    FillRandom(source, 6 * factor, 5 * factor, static_cast<unsigned>(factor));
    Blank(target, 6, 5);
    Scaler scaler;
    scaler.Scale(source, target, {0, 0}, 1.0f / static_cast<float>(factor), true);
    const int area = factor * factor;
    int wrong = 0;
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 6; ++x) {
        for (int c = 0; c < 4; ++c) {
          int sum = 0;
          for (int v = 0; v < factor; ++v) {
            for (int u = 0; u < factor; ++u) sum += Channel(source.At(x * factor + u, y * factor + v), c);
          }
          wrong += Channel(target.At(x, y), c) != (sum + area / 2) / area;
        }
      }
    }
    EXPECT_EQ(wrong, 0) << "factor " << factor;
  }
}

// The area each destination pixel covers, [d/z, (d+1)/z) cut at the source's end, averaged in
// floating point.
double BoxReference(const Bitmap& source, double z, int x, int y, int c) {
  const double left = x / z, right = std::min((x + 1) / z, static_cast<double>(source.Width()));
  const double top = y / z, bottom = std::min((y + 1) / z, static_cast<double>(source.Height()));
  double sum = 0, area = 0;
  for (int v = static_cast<int>(top); v < bottom; ++v) {
    const double h = std::min(v + 1.0, bottom) - std::max<double>(v, top);
    for (int u = static_cast<int>(left); u < right; ++u) {
      const double w = (std::min(u + 1.0, right) - std::max<double>(u, left)) * h;
      sum += w * Channel(source.At(u, v), c);
      area += w;
    }
  }
  return sum / area;
}

// Centre-aligned bilinear with the outermost pixels repeated past the edges.
double LerpReference(const Bitmap& source, double z, int x, int y, int c) {
  const double sx = std::clamp((x + 0.5) / z - 0.5, 0.0, source.Width() - 1.0);
  const double sy = std::clamp((y + 0.5) / z - 0.5, 0.0, source.Height() - 1.0);
  const int x0 = static_cast<int>(sx), y0 = static_cast<int>(sy);
  const int x1 = std::min(x0 + 1, source.Width() - 1), y1 = std::min(y0 + 1, source.Height() - 1);
  const double fx = sx - x0, fy = sy - y0;
  const double upper = Channel(source.At(x0, y0), c) * (1 - fx) + Channel(source.At(x1, y0), c) * fx;
  const double lower = Channel(source.At(x0, y1), c) * (1 - fx) + Channel(source.At(x1, y1), c) * fx;
  return upper * (1 - fy) + lower * fy;
}

TEST(ScalerSmooth, FollowsAreaAveragingWhenShrinkingAndBilinearWhenEnlarging) {
  const float zooms[] = {0.1f, 0.3f, 0.45f, 0.7f, 0.9f, 1.1f, 1.5f, 2, 2.5f, 3, 8, 13.7f};
  Bitmap source;
  FillRandom(source, 31, 27, 11);
  for (float zoom : zooms) {
    const double z = zoom;
    Bitmap target;
    const int width = static_cast<int>(std::nearbyint(31 * z));
    const int height = static_cast<int>(std::nearbyint(27 * z));
    Blank(target, width, height);
    Scaler scaler;
    scaler.Scale(source, target, {0, 0}, zoom, true);
    int worst = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        for (int c = 0; c < 4; ++c) {
          const double expected = z < 1 ? BoxReference(source, z, x, y, c) : LerpReference(source, z, x, y, c);
          worst = std::max(worst, std::abs(Channel(target.At(x, y), c) - static_cast<int>(std::nearbyint(expected))));
        }
      }
    }
    // Interpolation places its samples to 1/128 of a pixel and rounds the row it interpolates
    // across to bytes; on noise, where neighbours differ by up to 255, that costs one more step.
    EXPECT_LE(worst, z < 1 ? 1 : 2) << "zoom " << zoom;
  }
}

TEST(ScalerSmooth, EnlargedStepEdgeRisesMonotonicallyThroughIntermediateValues) {
  for (float zoom : {1.5f, 2.5f, 3.0f, 7.3f, 40.0f}) {
    Bitmap source, target;
    source.SetSize(6, 3);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 6; ++x) source.At(x, y) = x < 3 ? 0x00000000 : 0x00FFFFFF;
    }
    const int width = static_cast<int>(std::nearbyint(6 * static_cast<double>(zoom)));
    Blank(target, width, 2);
    Scaler scaler;
    scaler.Scale(source, target, {0, 0}, zoom, true);
    int previous = 0, between = 0;
    bool monotone = true;
    for (int x = 0; x < width; ++x) {
      const int value = Channel(target.At(x, 1), 1);
      monotone = monotone && value >= previous && target.At(x, 1) == target.At(x, 0) &&
                 Channel(target.At(x, 1), 0) == value && Channel(target.At(x, 1), 2) == value;
      between += value > 0 && value < 255;
      previous = value;
    }
    EXPECT_TRUE(monotone) << "zoom " << zoom;
    EXPECT_EQ(Channel(target.At(0, 0), 1), 0);
    EXPECT_EQ(previous, 255);
    EXPECT_GE(between, 1) << "zoom " << zoom;
  }
}

// ---- The SIMD row kernels against their plain versions ----

std::vector<int> RandomWeights(std::mt19937& random, int count) {
  std::vector<int> w(static_cast<size_t>(count));
  int left = scaler_rows::kWeightOne;
  for (int i = 0; i + 1 < count; ++i) {
    w[static_cast<size_t>(i)] = static_cast<int>(random() % static_cast<unsigned>(left + 1));
    left -= w[static_cast<size_t>(i)];
  }
  w.back() = left;
  return w;
}

std::vector<uint32_t> Pairs(std::vector<int> w) {
  w.push_back(0);
  std::vector<uint32_t> pairs;
  for (size_t j = 0; j + 1 < w.size(); j += 2) pairs.push_back(scaler_rows::PackPair(w[j], w[j + 1]));
  return pairs;
}

// Widths run past two steps of the widest kernel (sixteen pixels), so that every row end the
// vector loops leave to the plain kernels shows, after one whole step and after two.
void ExpectSameBytesAsPlain(const scaler_rows::RowKernels& fast, const char* name) {
  const scaler_rows::RowKernels& plain = scaler_rows::kPortableRows;
  std::mt19937 random(99);
  auto pixels = [&](int n) {
    std::vector<uint32_t> p(static_cast<size_t>(n));
    for (uint32_t& v : p) v = static_cast<uint32_t>(random());
    return p;
  };
  for (int width = 1; width <= 40; ++width) {
    SCOPED_TRACE(std::string(name) + " width " + std::to_string(width));
    const std::vector<uint32_t> source = pixels(width + 1);
    for (int factor = 1; factor <= 9; ++factor) {
      std::vector<uint32_t> a(static_cast<size_t>(width * factor)), b(a.size());
      fast.replicate(source.data(), width, factor, a.data());
      plain.replicate(source.data(), width, factor, b.data());
      EXPECT_EQ(a, b) << "replicate x " << factor;
      std::vector<uint32_t> reversed(source.rbegin() + 1, source.rend());
      plain.replicate(reversed.data(), width, factor, b.data());
      fast.replicateReversed(source.data(), width, factor, a.data());
      EXPECT_EQ(a, b) << "replicate reversed x " << factor;
    }
    for (int count = 1; count <= 5; ++count) {
      std::vector<std::vector<uint32_t>> rows;
      std::vector<const uint32_t*> pointers;
      for (int r = 0; r < count; ++r) rows.push_back(pixels(width));
      for (const std::vector<uint32_t>& row : rows) pointers.push_back(row.data());
      if (count % 2) pointers.push_back(pointers.back());
      const std::vector<uint32_t> w = Pairs(RandomWeights(random, count));
      std::vector<int16_t> a(static_cast<size_t>(width) * 4), b(a.size());
      fast.boxRows(pointers.data(), w.data(), (count + 1) / 2, width, a.data());
      plain.boxRows(pointers.data(), w.data(), (count + 1) / 2, width, b.data());
      EXPECT_EQ(a, b) << "box rows of " << count;

      std::vector<scaler_rows::BoxTap> taps;
      std::vector<uint32_t> weights;
      for (int i = 0; i + count <= width; ++i) {
        taps.push_back({i, count, static_cast<int32_t>(weights.size())});
        for (uint32_t pair : Pairs(RandomWeights(random, count))) weights.push_back(pair);
      }
      b.insert(b.end(), 4, 0);  // the readable pixel past the end
      std::vector<uint32_t> outA(taps.size()), outB(taps.size());
      const int n = static_cast<int>(taps.size());
      fast.boxColumns(b.data(), taps.data(), weights.data(), n, outA.data());
      plain.boxColumns(b.data(), taps.data(), weights.data(), n, outB.data());
      EXPECT_EQ(outA, outB) << "box columns of " << count;
    }
    for (int factor : {2, 4}) {
      std::vector<std::vector<uint32_t>> rows;
      std::vector<const uint32_t*> pointers;
      for (int r = 0; r < factor; ++r) rows.push_back(pixels(width * factor));
      for (const std::vector<uint32_t>& row : rows) pointers.push_back(row.data());
      std::vector<uint32_t> a(static_cast<size_t>(width)), b(a.size());
      fast.boxBlocks(pointers.data(), factor, width, a.data());
      plain.boxBlocks(pointers.data(), factor, width, b.data());
      EXPECT_EQ(a, b) << "box blocks of " << factor;
    }
    std::vector<scaler_rows::LerpTap> taps, still;
    for (int i = 0; i < width; ++i) {
      taps.push_back({i, static_cast<int>(random() % (scaler_rows::kLerpOne + 1))});
      still.push_back({0, 0});
    }
    std::vector<uint32_t> upper(static_cast<size_t>(width)), lower(upper.size()), check(upper.size());
    fast.lerpColumns(source.data(), width + 1, taps.data(), width, upper.data());
    plain.lerpColumns(source.data(), width + 1, taps.data(), width, check.data());
    EXPECT_EQ(upper, check) << "lerp columns";
    // Enlarging: several outputs share each source pixel, and the last taps pair the row's last
    // two pixels (the last at full weight), as the tables make them, so blocks at the row's end
    // take the fallback.
    for (const int per : {2, 3, 8}) {
      const int sourceWidth = (width - 1) / per + 2;
      std::vector<scaler_rows::LerpTap> dense;
      for (int i = 0; i < width; ++i) {
        dense.push_back({i / per, static_cast<int>(random() % (scaler_rows::kLerpOne + 1))});
      }
      dense.back() = {sourceWidth - 2, scaler_rows::kLerpOne};
      fast.lerpColumns(source.data(), sourceWidth, dense.data(), width, upper.data());
      plain.lerpColumns(source.data(), sourceWidth, dense.data(), width, check.data());
      EXPECT_EQ(upper, check) << "lerp columns, " << per << " outputs a source pixel";
    }
    fast.lerpColumns(source.data(), 1, still.data(), width, lower.data());
    plain.lerpColumns(source.data(), 1, still.data(), width, check.data());
    EXPECT_EQ(lower, check) << "lerp columns of a one-pixel source";
    for (const int span : {16, 32}) {
      int32_t offsets[8];
      for (int32_t& o : offsets) o = static_cast<int32_t>(random() % static_cast<unsigned>(span));
      const int blocks = width % 3 + 1;
      const std::vector<uint32_t> row = pixels(blocks * span), ahead = pixels(blocks * span);
      std::vector<uint32_t> a(static_cast<size_t>(blocks) * 8), b(a.size());
      fast.pickColumns(row.data(), offsets, span, blocks, a.data(), ahead.data());
      plain.pickColumns(row.data(), offsets, span, blocks, b.data(), nullptr);
      EXPECT_EQ(a, b) << "pick columns of " << span;
    }
    std::vector<uint32_t> reversedA(static_cast<size_t>(width)), reversedB(reversedA.size());
    fast.reverse(source.data(), width, reversedA.data());
    plain.reverse(source.data(), width, reversedB.data());
    EXPECT_EQ(reversedA, reversedB) << "reverse";
    EXPECT_EQ(reversedB.front(), source[static_cast<size_t>(width) - 1]);
    lower = pixels(width);
    for (int weight = 1; weight < scaler_rows::kLerpOne; weight += 7) {
      std::vector<uint32_t> a(static_cast<size_t>(width)), b(a.size());
      fast.lerpRows(upper.data(), lower.data(), weight, width, a.data());
      plain.lerpRows(upper.data(), lower.data(), weight, width, b.data());
      EXPECT_EQ(a, b) << "lerp rows weight " << weight;
    }
  }
}

TEST(ScalerRows, EveryKernelSetGivesTheSameBytesAsThePlainOne) {
  for (const CpuPath& path : CpuPaths()) {
    const CpuPathScope scope(path);
    ExpectSameBytesAsPlain(scaler_rows::Rows(), path.name);
  }
}

// The whole scaler on each path: the methods call the kernels with the lengths and places the
// kernel tests above do not choose.
TEST(ScalerRows, EveryPathScalesTheSamePicture) {
  const float zooms[] = {0.25f, 0.3f, 0.5f, 1.5f, 2, 3, 13.7f};
  const Mirror mirrors[] = {{}, {true, false}, {true, true}};
  Bitmap source;
  FillRandom(source, 45, 31, 13);
  for (bool smooth : {false, true}) {
    for (float zoom : zooms) {
      for (const Mirror mirror : mirrors) {
        Bitmap expected;
        Blank(expected, 71, 57);
        {
          const CpuPathScope plain(CpuPaths().front());
          Scaler().Scale(source, expected, {-3, 2}, zoom, smooth, mirror);
        }
        for (const CpuPath& path : CpuPaths()) {
          const CpuPathScope scope(path);
          Bitmap actual;
          Blank(actual, 71, 57);
          Scaler().Scale(source, actual, {-3, 2}, zoom, smooth, mirror);
          EXPECT_TRUE(std::equal(actual.Pixels(), actual.Pixels() + actual.PixelCount(), expected.Pixels()))
              << path.name << " zoom " << zoom << (smooth ? " smooth" : "") << " mirror " << mirror.horizontal
              << mirror.vertical;
        }
      }
    }
  }
}

}  // namespace
