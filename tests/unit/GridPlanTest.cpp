#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "view/GridPlan.h"

namespace {

std::vector<int> Every(int first, int step, int last) {
  std::vector<int> values;
  for (int v = first; v <= last; v += step) values.push_back(v);
  return values;
}

struct Frame {
  int width, height;
  Mirror mirror;
};

struct Lines {
  std::vector<int> columns;       // frame columns of the vertical lines
  std::vector<int> rows;          // frame rows of the horizontal lines
  int columnsTop, columnsBottom;  // frame rows [top, bottom) that the vertical lines cross
  int lineFrom, lineTo;           // frame columns the horizontal lines cover
};

struct PlanCase {
  const char* what;
  GridSettings settings;
  Frame frame;
  Lines lines;
};

// Worked out by hand: line i sits at Round(i z) - Round(offset z) - shift, the shift being
// (Round(tracked z) - view / 2) rem Round(G z), with truncating remainders.
const PlanCase kPlans[] = {
    // Shift (200 - 200) rem 40 = 0 across, (148 - 150) rem 40 = -2 down; the line at 400 falls off.
    {"tracked",
     {10, 4, false, {1003, 20}, {50, 37}, 400, 300, 400, 300},
     {400, 300, {}},
     {Every(0, 40, 360), Every(30, 40, 270), 0, 300, 0, 400}},
    // 1003 rem 10 = 3 moves the columns by -12, the first off the frame; 20 rem 10 = 0.
    {"fixed",
     {10, 4, true, {1003, 20}, {50, 37}, 400, 300, 400, 300},
     {400, 300, {}},
     {Every(28, 40, 388), Every(30, 40, 270), 0, 300, 0, 400}},
    // Shift (198 - 200) rem 15 = -2: columns 3i + 2 for i = 1, 6, ... 131.
    {"left of the primary",
     {5, 3, false, {-1283, 0}, {66, 0}, 400, 300, 400, 300},
     {400, 300, {}},
     {Every(5, 15, 395), Every(0, 15, 285), 0, 300, 0, 400}},
    // -1283 rem 5 = -3, Round(-9): columns 3i + 11, the last at 404 off the frame.
    {"fixed left of the primary",
     {5, 3, true, {-1283, 0}, {66, 0}, 400, 300, 400, 300},
     {400, 300, {}},
     {Every(14, 15, 389), Every(0, 15, 285), 0, 300, 0, 400}},
    // A border of 2: the lines cover the 10 x 8 area from (0, 0), not where the picture is.
    {"border", {2, 2, false, {0, 0}, {2, 1}, 14, 12, 10, 8}, {14, 12, {}}, {{3, 7, 11}, {2, 6}, 0, 8, 0, 10}},
    {"border, both mirrors",
     {2, 2, false, {0, 0}, {2, 1}, 14, 12, 10, 8},
     {14, 12, {true, true}},
     {{10, 6, 2}, {5, 9}, 4, 12, 4, 14}},
    // A stored spacing of 2^31 - 1 at 40x: the tracked pixel's lines alone, at (200 - 0, 120 + 30).
    {"spacing past any frame",
     {2147483647, 40, false, {1003, 20}, {5, 3}, 400, 300, 400, 300},
     {400, 300, {}},
     {{200}, {150}, 0, 300, 0, 400}},
    // Anchored to the desktop, the one line sits at desktop column 0, far off: 200 - 40120, 120 - 800 + 30.
    {"fixed spacing past any frame",
     {2147483647, 40, true, {1003, 20}, {5, 3}, 400, 300, 400, 300},
     {400, 300, {}},
     {{}, {}, 0, 300, 0, 400}},
    // Round(0.75 i): 0 1 2 2 3 4 4 5 6; a column that two lines round to is drawn once.
    {"shrunk",
     {1, 0.75f, false, {0, 0}, {0, 0}, 6, 4, 6, 4},
     {6, 4, {}},
     {{0, 1, 2, 3, 4, 5}, {0, 1, 2, 3}, 0, 4, 0, 6}},
};

TEST(GridPlan, LinesFallWhereWorkedOutByHand) {
  for (const PlanCase& c : kPlans) {
    SCOPED_TRACE(c.what);
    const Lines& lines = c.lines;
    GridPlan plan;
    ASSERT_TRUE(plan.Plan(c.settings, c.frame.width, c.frame.height, c.frame.mirror));
    EXPECT_EQ(plan.Columns(), lines.columns);
    EXPECT_EQ(plan.LineFrom(), lines.lineFrom);
    EXPECT_EQ(plan.LineTo(), lines.lineTo);
    for (int y = 0; y < c.frame.height; ++y) {
      const bool line = std::count(lines.rows.begin(), lines.rows.end(), y) > 0;
      const bool columns = y >= lines.columnsTop && y < lines.columnsBottom;
      using Row = GridPlan::Row;
      EXPECT_EQ(plan.RowAt(y), line ? Row::kLine : columns ? Row::kColumns : Row::kNone) << "row " << y;
    }
  }
}

TEST(GridStep, RoundsTheSpacingOnTheFrameAndCapsOnePastAnyFrame) {
  const struct {
    int spacing;
    double zoom;
    int step;
  } cases[] = {{0, 2, 0},
               {-5, 2, 0},
               {2, 0.25, 0},
               {3, 0.25, 1},
               {10, 4, 40},
               {5, 2.5, 12},
               {7, 2.5, 18},
               {2147483647, 40, 1 << 30},
               {100000000, 40, 1 << 30}};
  for (const auto& c : cases) EXPECT_EQ(GridStep(c.spacing, c.zoom), c.step) << c.spacing << " at " << c.zoom;
}

TEST(GridPlan, SpacingBelowOneFramePixelPlansNoGrid) {
  for (const auto& [zoom, spacing] : {std::pair{0.4f, 1}, std::pair{0.25f, 2}, std::pair{2.0f, 0}}) {
    GridPlan plan;
    const GridSettings s{spacing, zoom, false, {0, 0}, {10, 10}, 100, 80, 100, 80};
    EXPECT_FALSE(plan.Plan(s, 100, 80, {})) << "zoom " << zoom << " spacing " << spacing;
  }
}

TEST(GridPlan, ALineRowDrawsTheVerticalLinesItsLineDoesNotReach) {
  GridPlan plan;
  ASSERT_TRUE(plan.Plan({2, 2, false, {0, 0}, {2, 1}, 14, 12, 10, 8}, 14, 12, {}));
  // Light pixels: the pen makes them black, once each.
  std::vector<uint32_t> row(14, 0x00C8C8C8u);
  plan.DrawRow(row.data(), 2);
  std::vector<uint32_t> expected(14, 0x00C8C8C8u);
  std::fill(expected.begin(), expected.begin() + 10, 0u);
  expected[11] = 0;
  EXPECT_EQ(row, expected);
}

}  // namespace
